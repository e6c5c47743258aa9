<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Vědecká</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Páska</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopírovat</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Vložit</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>O aplikaci LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Kapesní kalkulačka pro pracovní plochu.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Soubor s nastavením: %1</translation>
    </message>
</context>
</TS>
