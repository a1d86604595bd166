<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>kestrel::BlockDiagram</name>
    <message>
        <source>ブロック図</source>
        <translation>Block Diagram</translation>
    </message>
    <message>
        <source>制御ループの構成を示すブロック図</source>
        <translation>Block diagram of the control loop and its parts</translation>
    </message>
</context>
<context>
    <name>kestrel::Faceplate</name>
    <message>
        <source>PVバー</source>
        <translation>PV bar</translation>
    </message>
    <message>
        <source>プロセス値（PV）をグラフのレンジの目盛りで示す棒</source>
        <translation>Bar showing the process variable (PV) on the scale of the graph&apos;s range</translation>
    </message>
    <message>
        <source>SVポインタ</source>
        <translation>SV pointer</translation>
    </message>
    <message>
        <source>目標値（SV）。上下の矢印キーで 1、Page Up／Page Down で 10 動く</source>
        <translation>Set point (SV). The Up and Down arrow keys move it by 1, Page Up and Page Down by 10</translation>
    </message>
    <message>
        <source>手動 (M)</source>
        <translation>Manual (M)</translation>
    </message>
    <message>
        <source>自動 (A)</source>
        <translation>Auto (A)</translation>
    </message>
    <message>
        <source>カスケード (C)</source>
        <translation>Cascade (CAS)</translation>
    </message>
</context>
<context>
    <name>kestrel::SecondaryFaceplate</name>
    <message>
        <source>PV2バー</source>
        <translation>PV2 bar</translation>
    </message>
    <message>
        <source>二次ループのプロセス値（PV2）を 0～100 で示す棒</source>
        <translation>Bar showing the secondary loop&apos;s process variable (PV2) from 0 to 100</translation>
    </message>
</context>
<context>
    <name>kestrel::TrendChart</name>
    <message>
        <source>DVポインタ</source>
        <translation>DV pointer</translation>
    </message>
    <message>
        <source>外乱（DV）。上下の矢印キーで 1、Page Up／Page Down で 10 動く</source>
        <translation>Disturbance (DV). The Up and Down arrow keys move it by 1, Page Up and Page Down by 10</translation>
    </message>
    <message>
        <source>グラフ%1 上段</source>
        <translation>Graph %1, upper strip</translation>
    </message>
    <message>
        <source>SV、PV、DV の時間変化</source>
        <translation>SV, PV and DV over time</translation>
    </message>
    <message>
        <source>グラフ%1 下段</source>
        <translation>Graph %1, lower strip</translation>
    </message>
    <message>
        <source>MV の時間変化</source>
        <translation>MV over time</translation>
    </message>
</context>
<context>
    <name>kestrel::frmController</name>
    <message>
        <source>スタート (F5)</source>
        <translation>Start (F5)</translation>
    </message>
    <message>
        <source>ポーズ／再開 (F6)</source>
        <translation>Pause/Resume (F6)</translation>
    </message>
    <message>
        <source>早送り (F7)</source>
        <translation>Fast (F7)</translation>
    </message>
    <message>
        <source>グラフ消去 (F8)</source>
        <translation>Clear Graph (F8)</translation>
    </message>
</context>
<context>
    <name>kestrel::frmMAIN</name>
    <message>
        <source>色覚に配慮したペン色</source>
        <translation>Colour-Safe Pens</translation>
    </message>
    <message>
        <source>ランを線種で区別</source>
        <translation>Line Styles for Runs</translation>
    </message>
</context>
<context>
    <name>kestrel::frmPENrec</name>
    <message>
        <source>ペンレコーダ記録 %1</source>
        <translation>Pen Recorder strip %1</translation>
    </message>
    <message>
        <source>ペンレコーダの記録紙</source>
        <translation>The pen recorder&apos;s chart paper</translation>
    </message>
</context>
</TS>
