<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Naukowy</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Taśma</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Wklej</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>O programie LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Kalkulator kieszonkowy na pulpit.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Plik ustawień: %1</translation>
    </message>
</context>
</TS>
