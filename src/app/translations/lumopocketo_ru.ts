<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Инженерный</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Лента</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>О программе LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Карманный калькулятор для рабочего стола.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Файл настроек: %1</translation>
    </message>
</context>
</TS>
