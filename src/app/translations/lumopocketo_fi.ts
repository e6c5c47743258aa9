<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi" sourcelanguage="en">
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
</context>
</TS>
