<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>繁體中文</translation>
    </message>
</context>
</TS>
