<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Panel</name>
    <message>
        <source>面板</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>共 %1 项，%2 已选</source>
        <translation>%1 items</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation type="unfinished">Unfinished</translation>
    </message>
    <message>
        <source>保留的文本</source>
        <translation>Kept text</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Explanation</translation>
    </message>
    <message>
        <source>已删除</source>
        <translation>Removed</translation>
    </message>
</context>
</TS>
