<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>한국어</translation>
    </message>
</context>
</TS>
