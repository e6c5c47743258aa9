<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Der Rechner startet ohne seine Werte, und die Datei wird nicht geschrieben, damit ihr Inhalt nicht verloren geht.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Der Rechner startet ohne seine Werte.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>die Einstellungen wurden nicht gespeichert: %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Die Rechenstreifen-Datei %1 konnte nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Der Rechenstreifen beginnt leer, und die Datei wird nicht geschrieben, damit ihr Inhalt nicht verloren geht.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Die Datei wurde nach %1 verschoben. Der Rechenstreifen beginnt leer und wird von nun an aufbewahrt.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Sie konnte nicht verschoben werden (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Grad</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Bogenmaß</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Gon</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Winkeleinheit:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Sprache des Desktops</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Berechnung</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>P&amp;unkt- vor Strichrechnung</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funktionstasten vor der Zahl</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Prozent als Operator (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Zahlen</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Tausendertrennzeichen (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Indische Gruppierung (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Rechner immer im Vordergrund</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Op&amp;eratoren auf dem Rechenstreifen in der Zeile ihrer Zahl</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>Abschließende &amp;Nullen in Ergebnissen weglassen</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Dezimalstellen:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Unter Wayland platziert der Desktop die Fenster und entscheidet, welches im Vordergrund bleibt.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Wissenschaftlich</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Rechenstreifen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Über LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Ein Taschenrechner für den Desktop.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Einstellungsdatei: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Dezimalstellen</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Mehr Dezimalstellen</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Weniger Dezimalstellen</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Freie Software unter der MIT-Lizenz.</translation>
    </message>
</context>
</TS>
