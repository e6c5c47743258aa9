<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>Scientifique</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Bande de calcul</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>À propos de LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>Une calculatrice de poche pour le bureau.</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>Fichier de paramètres&#xa0;: %1</translation>
    </message>
</context>
</TS>
