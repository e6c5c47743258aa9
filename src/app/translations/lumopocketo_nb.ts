<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Innstillingsfilen %1 kunne ikke leses (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Kalkulatoren starter uten verdiene sine, og filen skrives ikke, slik at innholdet ikke går tapt.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Kalkulatoren starter uten verdiene sine.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>innstillingene ble ikke lagret: %1 kunne ikke leses</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Innstillingene kunne ikke lagres i %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Regnestrimmelfilen %1 kunne ikke leses (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Regnestrimmelen starter tom, og filen skrives ikke, slik at innholdet ikke går tapt.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Filen ble flyttet til %1. Regnestrimmelen starter tom og lagres fra nå av.</translation>
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
        <translation>Innstillinger</translation>
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
        <translation>&amp;Vinkelenhet:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Skrivebordets språk</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Språk:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Beregning</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Multiplikasjon og divisjon før addisjon og subtraksjon</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funksjonstaster før tallet</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Prosent som operator (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Tall</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Tusenskilletegn (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Indisk gruppering (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Hold kalkulatoren over andre vinduer</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Ope&amp;ratorer på samme linje som tallet i regnestrimmelen</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Utelat etterfølgende nuller i resultater</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Desimaler:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Under Wayland plasserer skrivebordet vinduene og bestemmer hvilket som ligger øverst.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Vitenskapelig</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Regnestrimmel</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Lim inn</translation>
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
        <translation>En lommekalkulator for skrivebordet.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Innstillingsfil: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Innstillinger…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Angre</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Gjør om</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Desimaler</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Flere desimaler</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Færre desimaler</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Fri programvare under MIT-lisensen.</translation>
    </message>
</context>
</TS>
