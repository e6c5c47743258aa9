<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Científica</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Fita</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Sobre o LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Uma calculadora de bolso para a área de trabalho.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Arquivo de configurações: %1</translation>
    </message>
</context>
</TS>
