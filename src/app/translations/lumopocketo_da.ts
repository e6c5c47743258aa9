<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da" sourcelanguage="en">
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
</context>
</TS>
