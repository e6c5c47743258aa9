<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb" sourcelanguage="en">
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
</context>
</TS>
