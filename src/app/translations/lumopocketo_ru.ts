<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>Не удалось прочитать файл настроек %1 (%2).</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>Калькулятор запускается без своих значений, а файл не записывается, чтобы его содержимое не потерялось.</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>Калькулятор запускается без своих значений.</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>настройки не сохранены: не удалось прочитать %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Не удалось сохранить настройки в %1.</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>Не удалось прочитать файл ленты %1 (%2).</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>Лента начинается пустой, а файл не записывается, чтобы его содержимое не потерялось.</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>Файл перемещён в %1. Лента начинается пустой и с этого момента сохраняется.</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>Его не удалось переместить (%1).</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Градусы</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Радианы</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Грады</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>&amp;Единицы углов:</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Язык:</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Вычисления</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>&amp;Умножение и деление перед сложением и вычитанием</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>&amp;Функциональные клавиши перед числом</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>&amp;Процент как операция (200 % 10 = 20)</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Числа</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>&amp;Разделители разрядов (%1)</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>&amp;Индийская группировка (%1)</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>&amp;Калькулятор поверх других окон</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>&amp;Операции в строке своего числа на ленте</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>Убирать &amp;незначащие нули в результатах</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>&amp;Знаков после запятой:</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>В Wayland окна размещает рабочий стол, и он же решает, какое окно остаётся поверх других.</translation>
    </message>
</context>
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
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Знаков после запятой</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>Больше знаков после запятой</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>Меньше знаков после запятой</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Свободное программное обеспечение под лицензией MIT.</translation>
    </message>
</context>
</TS>
