<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>kestrel::frmGlossary</name>
    <message>
        <source>用語集 / Glossary</source>
        <translation>用語集 / Glossary</translation>
    </message>
    <message>
        <source>日本語・よみ・英語・説明で検索</source>
        <translation>Search Japanese, reading, English or definition</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>よみ</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>英語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>検索(&amp;S):</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>用語集のファイルを読めませんでした。</source>
        <translation>The glossary file could not be read.</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>No matching term</translation>
    </message>
</context>
</TS>
