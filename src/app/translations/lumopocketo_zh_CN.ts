<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>TPocketoMain</name>
    <message>
        <source>The settings file %1 could not be read (%2).</source>
        <translation>无法读取设置文件 %1（%2）。</translation>
    </message>
    <message>
        <source>The calculator starts without its values, and the file is not written, so that its content is not lost.</source>
        <translation>计算器将不带其数值启动，且不会写入该文件，以免其内容丢失。</translation>
    </message>
    <message>
        <source>The calculator starts without its values.</source>
        <translation>计算器将不带其数值启动。</translation>
    </message>
    <message>
        <source>the settings were not saved: %1 could not be read</source>
        <translation>设置未保存：无法读取 %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>无法将设置保存到 %1。</translation>
    </message>
    <message>
        <source>The tape file %1 could not be read (%2).</source>
        <translation>无法读取纸带文件 %1（%2）。</translation>
    </message>
    <message>
        <source>The tape starts empty, and the file is not written, so that its content is not lost.</source>
        <translation>纸带将从空白开始，且不会写入该文件，以免其内容丢失。</translation>
    </message>
    <message>
        <source>The file was moved to %1. The tape starts empty and is kept from now on.</source>
        <translation>该文件已移至 %1。纸带从空白开始，并从现在起保存。</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1).</source>
        <translation>无法将其移开（%1）。</translation>
    </message>
</context>
<context>
    <name>TPocketoSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>弧度</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>梯度</translation>
    </message>
    <message>
        <source>&amp;Angle mode:</source>
        <translation>角度单位(&amp;A)：</translation>
    </message>
    <message>
        <source>Follow the desktop</source>
        <translation>跟随桌面</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>语言(&amp;L)：</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>&amp;Multiply and divide before add and subtract</source>
        <translation>先乘除后加减(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Function keys before their number</source>
        <translation>先按函数键再输入数字(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Percent as an operator (200 % 10 = 20)</source>
        <translation>百分号作为运算符(&amp;P)（200 % 10 = 20）</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>&amp;Thousands separators (%1)</source>
        <translation>千位分隔符(&amp;T)（%1）</translation>
    </message>
    <message>
        <source>&amp;Indian grouping (%1)</source>
        <translation>印度式分组(&amp;I)（%1）</translation>
    </message>
    <message>
        <source>&amp;Keep the calculator above other windows</source>
        <translation>计算器窗口置顶(&amp;K)</translation>
    </message>
    <message>
        <source>Ope&amp;rators on the line of their number in the tape</source>
        <translation>纸带中运算符与其数字同行显示(&amp;R)</translation>
    </message>
    <message>
        <source>Drop trailing &amp;zeroes of results</source>
        <translation>去掉结果末尾的零(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Decimal places:</source>
        <translation>小数位数(&amp;D)：</translation>
    </message>
    <message>
        <source>On Wayland the desktop places the windows and decides which one stays on top.</source>
        <translation>在 Wayland 下，由桌面环境放置窗口并决定哪个窗口保持在最前面。</translation>
    </message>
</context>
<context>
    <name>TPocketoWindowExtras</name>
    <message>
        <source>Scientific</source>
        <translation>科学型</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>纸带</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>About LumoPocketo</source>
        <translation>关于 LumoPocketo</translation>
    </message>
    <message>
        <source>LumoPocketo %1</source>
        <translation>LumoPocketo %1</translation>
    </message>
    <message>
        <source>A pocket calculator for the desktop.</source>
        <translation>一款桌面袖珍计算器。</translation>
    </message>
    <message>
        <source>Settings file: %1</source>
        <translation>设置文件：%1</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>小数位数</translation>
    </message>
    <message>
        <source>Increase decimal places</source>
        <translation>增加小数位数</translation>
    </message>
    <message>
        <source>Decrease decimal places</source>
        <translation>减少小数位数</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>采用 MIT 许可证的自由软件。</translation>
    </message>
</context>
</TS>
