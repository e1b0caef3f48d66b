<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Русский</translation>
    </message>
</context>
</TS>
