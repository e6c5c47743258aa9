<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
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
        <source>&amp;Operators on the line of their number in the tape</source>
        <translation>&amp;Operátory na řádku svého čísla na pásce</translation>
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
        <source>&amp;Drop trailing zeroes of results</source>
        <translation>&amp;Vynechat koncové nuly ve výsledcích</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Kalkulačka vždy nad ostatními okny</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Desetinná místa</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A form label: the text and its colon, as the language writes them.</extracomment>
        <translation>%1:</translation>
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
</context>
</TS>
