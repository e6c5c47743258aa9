<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Nie można odczytać pliku ustawień %1 (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Kalkulator uruchamia się bez swoich wartości, a plik nie zostanie zapisany, aby jego zawartość nie została utracona.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Kalkulator uruchamia się bez swoich wartości.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>ustawienia nie zostały zapisane: nie można odczytać %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Nie można zapisać ustawień w %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Nie można odczytać pliku taśmy %1 (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Taśma zaczyna się pusta, a plik nie zostanie zapisany, aby jego zawartość nie została utracona.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Plik przeniesiono do %1. Taśma zaczyna się pusta i od teraz jest zapisywana.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Nie można go przenieść (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Stopnie</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radiany</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Grady</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>Jednostka &amp;kąta:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Język systemu</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Język:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Obliczenia</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Mnożenie i dzielenie przed dodawaniem i odejmowaniem</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>Klawisze &amp;funkcyjne przed liczbą</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Procent jako operator (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Liczby</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Separatory tysięcy (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Grupowanie indyjskie (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>Kalkulator &amp;zawsze na wierzchu</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>Ope&amp;ratory w tym samym wierszu co liczba na taśmie</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>&amp;Usuwaj końcowe zera z wyników</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>M&amp;iejsca po przecinku:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>W Waylandzie to pulpit rozmieszcza okna i decyduje, które pozostaje na wierzchu.</translation>
    </message>
</context>
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
    <message>
        <source>Settings…</source>
        <translation>Ustawienia…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Cofnij</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Miejsca po przecinku</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Więcej miejsc po przecinku</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Mniej miejsc po przecinku</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Wolne oprogramowanie na licencji MIT.</translation>
    </message>
</context>
</TS>
