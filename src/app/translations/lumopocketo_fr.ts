<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Le fichier de paramètres %1 n’a pas pu être lu (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>La calculatrice démarre sans ses valeurs, et le fichier n’est pas écrit, afin que son contenu ne soit pas perdu.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>La calculatrice démarre sans ses valeurs.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>les paramètres n’ont pas été enregistrés&#xa0;: %1 n’a pas pu être lu</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Les paramètres n’ont pas pu être enregistrés dans %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Le fichier de la bande de calcul %1 n’a pas pu être lu (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>La bande de calcul démarre vide, et le fichier n’est pas écrit, afin que son contenu ne soit pas perdu.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Le fichier a été déplacé vers %1. La bande de calcul commence vide et est conservée dès maintenant.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Il n’a pas pu être mis de côté (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Degrés</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radians</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Grades</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Unité d’angle&#xa0;:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Langue du bureau</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Langue&#xa0;:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Calcul</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Multiplier et diviser avant d’additionner et de soustraire</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>Touches de &amp;fonction avant le nombre</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Pourcentage comme opérateur (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Nombres</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Séparateurs de milliers (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>Groupement &amp;indien (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Garder la calculatrice au premier plan</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Opé&amp;rateurs sur la ligne de leur nombre dans la bande de calcul</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>Supprimer les &amp;zéros finaux des résultats</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Décimales&#xa0;:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>Sous Wayland, le bureau place les fenêtres et décide laquelle reste au premier plan.</translation>
    </message>
</context>
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
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Décimales</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Plus de décimales</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Moins de décimales</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Logiciel libre sous licence MIT.</translation>
    </message>
</context>
</TS>
