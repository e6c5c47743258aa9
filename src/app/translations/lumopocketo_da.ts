<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Indstillingsfilen %1 kunne ikke læses (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Lommeregneren starter uden sine værdier, og filen skrives ikke, så dens indhold ikke går tabt.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Lommeregneren starter uden sine værdier.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>indstillingerne blev ikke gemt: %1 kunne ikke læses</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Indstillingerne kunne ikke gemmes i %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Regnestrimmelfilen %1 kunne ikke læses (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Regnestrimlen starter tom, og filen skrives ikke, så dens indhold ikke går tabt.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Filen blev flyttet til %1. Regnestrimlen starter tom og gemmes fra nu af.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Den kunne ikke flyttes til side (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Indstillinger</translation>
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
        <translation>Nygrader</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Vinkelenhed:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Skrivebordets sprog</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprog:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Beregning</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Multiplikation og division før addition og subtraktion</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funktionstaster før tallet</translation>
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
        <translation>&amp;Tusindtalsseparatorer (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Indisk gruppering (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Hold lommeregneren over andre vinduer</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Ope&amp;ratorer på samme linje som tallet på regnestrimlen</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Udelad afsluttende nuller i resultater</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Decimaler:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Under Wayland placerer skrivebordet vinduerne og bestemmer, hvilket der bliver øverst.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Videnskabelig</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Regnestrimmel</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiér</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Indsæt</translation>
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
        <translation>En lommeregner til skrivebordet.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Indstillingsfil: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Indstillinger…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Fortryd</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Omgør</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Decimaler</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Flere decimaler</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Færre decimaler</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Fri software under MIT-licensen.</translation>
    </message>
</context>
</TS>
