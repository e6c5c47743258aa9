<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv" sourcelanguage="en">
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
</context>
</TS>
