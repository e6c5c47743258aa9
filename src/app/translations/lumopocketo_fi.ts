<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Asetustiedostoa %1 ei voitu lukea (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Laskin käynnistyy ilman arvojaan, eikä tiedostoon kirjoiteta, jottei sen sisältö katoa.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Laskin käynnistyy ilman arvojaan.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>asetuksia ei tallennettu: tiedostoa %1 ei voitu lukea</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Asetuksia ei voitu tallentaa tiedostoon %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Laskunauhan tiedostoa %1 ei voitu lukea (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Laskunauha alkaa tyhjänä, eikä tiedostoon kirjoiteta, jottei sen sisältö katoa.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Tiedosto siirrettiin nimelle %1. Laskunauha alkaa tyhjänä ja tallennetaan tästä lähtien.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Sitä ei voitu siirtää syrjään (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Asteet</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radiaanit</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Goonit</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>Kulma&amp;yksikkö:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Työpöydän kieli</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Kieli:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Laskenta</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>Kerto- ja &amp;jakolasku ennen yhteen- ja vähennyslaskua</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Funktionäppäimet ennen lukua</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>P&amp;rosentti operaattorina (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Luvut</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Tuhaterottimet (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Intialainen ryhmittely (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>Pidä laskin &amp;aina päällimmäisenä</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Op&amp;eraattorit samalla rivillä kuin lukunsa laskunauhassa</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>Jätä tulosten &amp;loppunollat pois</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Desimaalit:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Waylandissa työpöytä sijoittaa ikkunat ja päättää, mikä niistä pysyy päällimmäisenä.</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Tieteellinen</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Laskunauha</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopioi</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Liitä</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Tietoja LumoPocketosta</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Taskulaskin työpöydälle.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Asetustiedosto: %1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Asetukset…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Kumoa</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Tee uudelleen</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Desimaalit</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Lisää desimaaleja</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Vähemmän desimaaleja</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Vapaa ohjelmisto MIT-lisenssillä.</translation>
    </message>
</context>
</TS>
