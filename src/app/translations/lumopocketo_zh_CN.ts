<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
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
</context>
</TS>
