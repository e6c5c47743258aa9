<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Científica</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Cinta</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>Acerca de LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Una calculadora de bolsillo para el escritorio.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Archivo de configuración: %1</translation>
    </message>
</context>
</TS>
