<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Soubor nastavení %1 nelze přečíst (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Kalkulačka se spustí bez svých hodnot a soubor se nezapíše, aby se jeho obsah neztratil.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Kalkulačka se spustí bez svých hodnot.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>nastavení nebylo uloženo: %1 nelze přečíst</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Nastavení nelze uložit do %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Soubor pásky %1 nelze přečíst (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Páska začíná prázdná a soubor se nezapíše, aby se jeho obsah neztratil.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Soubor byl přesunut do %1. Páska začíná prázdná a od nynějška se uchovává.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Nelze jej přesunout stranou (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Nastavení</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Stupně</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radiány</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Grady</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>Ú&amp;hlové jednotky:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Podle systému</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Jazyk:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Výpočet</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Násobení a dělení před sčítáním a odčítáním</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funkční klávesy před číslem</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Procenta jako operátor (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Čísla</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>Oddělovače &amp;tisíců (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Indické seskupování (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Kalkulačka vždy nad ostatními okny</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Ope&amp;rátory na řádku svého čísla na pásce</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Vynechat koncové nuly ve výsledcích</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Desetinná místa:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Ve Waylandu umisťuje okna pracovní prostředí a rozhoduje, které zůstane navrchu.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Vědecká</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Páska</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopírovat</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Vložit</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>O aplikaci LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Kapesní kalkulačka pro pracovní plochu.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Soubor s nastavením: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Nastavení…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Zpět</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Znovu</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Desetinná místa</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Více desetinných míst</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Méně desetinných míst</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Svobodný software pod licencí MIT.</translation>
    </message>
</context>
</TS>
