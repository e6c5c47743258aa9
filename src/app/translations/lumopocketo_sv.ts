<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Inställningsfilen %1 kunde inte läsas (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Räknaren startar utan sina värden, och filen skrivs inte, så att dess innehåll inte går förlorat.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Räknaren startar utan sina värden.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>inställningarna sparades inte: %1 kunde inte läsas</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Inställningarna kunde inte sparas i %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Remsfilen %1 kunde inte läsas (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Remsan börjar tom, och filen skrivs inte, så att dess innehåll inte går förlorat.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Filen flyttades till %1. Remsan börjar tom och sparas från och med nu.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Den kunde inte flyttas undan (%1).</translation>
    </message>
</context>
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
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Håll räknaren alltid överst</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Ope&amp;ratorer på samma rad som talet i remsan</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>Ta &amp;bort avslutande nollor i resultat</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Decimaler:</translation>
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
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Fri programvara under MIT-licensen.</translation>
    </message>
</context>
</TS>
