<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>Polski</translation>
    </message>
</context>
</TS>
