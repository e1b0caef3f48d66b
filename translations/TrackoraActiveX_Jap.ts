<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>TrackoraActiveX::CFFPlayerAxWidget</name>
    <message>
        <source>Snapshot success</source>
        <translation>スクリーンショットを保存しました</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Directory not exist!</source>
        <translation>保存先のフォルダーがありません。</translation>
    </message>
    <message>
        <source>Failed to capture</source>
        <translation>キャプチャーに失敗しました</translation>
    </message>
</context>
</TS>
