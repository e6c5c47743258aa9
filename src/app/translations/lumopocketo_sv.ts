<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv" sourcelanguage="en">
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Grader</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radianer</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Gon</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Vinkelenhet:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Skrivbordets språk</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Språk:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Beräkning</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Multiplikation och division före addition och subtraktion</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funktionstangenter före talet</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Procent som operator (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>&amp;Operators on the line of their number in the tape</source>
        <translation>&amp;Operatorer på samma rad som talet i remsan</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Tal</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Tusentalsavgränsare (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Indisk gruppering (%1)</translation>
    </message>
    <message>
        <source>&amp;Drop trailing zeroes of results</source>
        <translation>Ta &amp;bort avslutande nollor i resultat</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Håll räknaren ovanför andra fönster</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Decimaler</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A form label: the text and its colon, as the language writes them.</extracomment>
        <translation>%1:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Under Wayland placerar skrivbordet fönstren och bestämmer vilket som ligger överst.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Vetenskaplig</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Remsa</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiera</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Klistra in</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Om LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>En fickräknare för skrivbordet.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Inställningsfil: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Inställningar…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Ångra</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Gör om</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Decimaler</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Fler decimaler</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Färre decimaler</translation>
    </message>
</context>
</TS>
