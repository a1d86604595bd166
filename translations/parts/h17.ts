<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Application</name>
    <message>
        <source>この挑戦ではプロセスが隠されているので、調整ワークベンチは使えません。</source>
        <translation>This challenge hides the process, so the Tuning Workbench cannot be used.</translation>
    </message>
    <message>
        <source>ユーザーフォルダを準備できませんでした（%1）。Kestrel を終了します。</source>
        <translation>The user folder could not be prepared (%1). Kestrel will close.</translation>
    </message>
</context>
<context>
    <name>HardCopy</name>
    <message>
        <source>Kestrel ハードコピー</source>
        <translation>Kestrel hard copy</translation>
    </message>
    <message>
        <source>印刷出来ませんでした。プリンタの状態を確認して下さい。</source>
        <translation>Printing failed. Please check the printer.</translation>
    </message>
    <message>
        <source>プリンタが設定されていないため、印刷出来ませんでした。</source>
        <translation>Nothing was printed because no printer is set up.</translation>
    </message>
    <message>
        <source>保存出来ませんでした。</source>
        <translation>The image could not be saved.</translation>
    </message>
    <message>
        <source>画像を保存出来ませんでした。%1 に書き込めません（%2）。</source>
        <translation>The image could not be saved: %1 cannot be written (%2).</translation>
    </message>
    <message>
        <source>画像を保存出来ませんでした。%1 に書き込めません。</source>
        <translation>The image could not be saved: %1 cannot be written.</translation>
    </message>
    <message>
        <source>%1に保存しました。印刷しますか？</source>
        <translation>Saved as %1. Print it?</translation>
    </message>
</context>
<context>
    <name>RunExport</name>
    <message>
        <source>ファイルに書き込めませんでした。
%1</source>
        <translation>The file could not be written.
%1</translation>
    </message>
    <message>
        <source>印刷日時 %1</source>
        <translation>Printed %1</translation>
    </message>
    <message>
        <source>ラン %1</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1  %2</translation>
    </message>
    <message>
        <source>MV移動量</source>
        <translation>MV travel</translation>
    </message>
    <message>
        <source>制限時間</source>
        <translation>Time at limit</translation>
    </message>
    <message>
        <source>オフセット</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>SVステップ時刻</source>
        <translation>SV step time</translation>
    </message>
    <message>
        <source>ステップ幅</source>
        <translation>Step size</translation>
    </message>
    <message>
        <source>オーバーシュート %</source>
        <translation>Overshoot %</translation>
    </message>
    <message>
        <source>立上り時間</source>
        <translation>Rise time</translation>
    </message>
    <message>
        <source>整定時間</source>
        <translation>Settling time</translation>
    </message>
    <message>
        <source>ピーク時間</source>
        <translation>Peak time</translation>
    </message>
    <message>
        <source>DVステップ時刻</source>
        <translation>DV step time</translation>
    </message>
    <message>
        <source>最大偏差</source>
        <translation>Max. deviation</translation>
    </message>
    <message>
        <source>その時刻</source>
        <translation>Its time</translation>
    </message>
    <message>
        <source>整定せず</source>
        <translation>Not settled</translation>
    </message>
    <message>
        <source>Kestrel 解析</source>
        <translation>Kestrel analysis</translation>
    </message>
    <message>
        <source>ラン解析</source>
        <translation>Run Analysis</translation>
    </message>
    <message>
        <source>%1&#x3000;手順 %2</source>
        <translation>%1  step %2</translation>
    </message>
    <message>
        <source>Kestrel 解析レポート</source>
        <translation>Kestrel analysis report</translation>
    </message>
    <message>
        <source>ラン解析レポート（%1 ラン）</source>
        <translation>Run analysis report (%1 runs)</translation>
    </message>
    <message>
        <source>ラン</source>
        <translation>Run</translation>
    </message>
</context>
<context>
    <name>SetupCaptions</name>
    <message>
        <source>Ｐ 制御</source>
        <translation>P control</translation>
    </message>
    <message>
        <source>Ｐ Ｉ 制御</source>
        <translation>PI control</translation>
    </message>
    <message>
        <source>偏差ＰＩＤ制御</source>
        <translation>Error PID</translation>
    </message>
    <message>
        <source>Ｉ－ＰＤ制御</source>
        <translation>I-PD control</translation>
    </message>
    <message>
        <source>ＰＩ－Ｄ制御</source>
        <translation>PI-D control</translation>
    </message>
    <message>
        <source>２自由度ＰＩＤ</source>
        <translation>2-DOF PID</translation>
    </message>
    <message>
        <source>ＰＩＤ制御</source>
        <translation>PID control</translation>
    </message>
    <message>
        <source>位置型</source>
        <translation>Position form</translation>
    </message>
    <message>
        <source>速度型</source>
        <translation>Velocity form</translation>
    </message>
    <message>
        <source>速度型（本質継承）</source>
        <translation>Velocity form (essence-inheriting)</translation>
    </message>
    <message>
        <source>単ループ</source>
        <translation>Single loop</translation>
    </message>
    <message>
        <source>カスケード制御</source>
        <translation>Cascade control</translation>
    </message>
    <message>
        <source>単ループ（二段プロセス）</source>
        <translation>Single loop (2-stage)</translation>
    </message>
    <message>
        <source>一次遅れ＋無駄時間</source>
        <translation>First-order lag + dead time</translation>
    </message>
    <message>
        <source>二次遅れ＋無駄時間</source>
        <translation>Second-order lag + dead time</translation>
    </message>
    <message>
        <source>積分（液位）</source>
        <translation>Integrating (level)</translation>
    </message>
</context>
<context>
    <name>kestrel::BlockDiagram</name>
    <message>
        <source>（P+I)</source>
        <translation>(P+I)</translation>
    </message>
    <message>
        <source>（D)</source>
        <translation>(D)</translation>
    </message>
    <message>
        <source>弁</source>
        <translation>V</translation>
    </message>
    <message>
        <source>バルブ</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>測定値</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>ノイズ</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>（P)</source>
        <translation>(P)</translation>
    </message>
    <message>
        <source>（I)</source>
        <translation>(I)</translation>
    </message>
    <message>
        <source>２自由度付加機能</source>
        <translation>2-DOF add-on</translation>
    </message>
    <message>
        <source>主調節計</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>二次調節計</source>
        <translation>Secondary controller</translation>
    </message>
</context>
<context>
    <name>kestrel::Dialog1</name>
    <message>
        <source>新しいﾌﾟﾛｼﾞｪｸﾄ</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>保存ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>自習： %1</source>
        <translation>Self-study: %1</translation>
    </message>
</context>
<context>
    <name>kestrel::Dialog2</name>
    <message>
        <source>%1を削除できませんでした（%2）。</source>
        <translation>%1 could not be deleted (%2).</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｼﾞｪｸﾄを開く</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>自習： %1</source>
        <translation>Self-study: %1</translation>
    </message>
</context>
<context>
    <name>kestrel::Dialog3</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
    </message>
    <message>
        <source>%1を削除出来ませんでした（%2）。</source>
        <translation>%1 could not be deleted (%2).</translation>
    </message>
    <message>
        <source>ハードコピー画像</source>
        <translation>Hard Copy Images</translation>
    </message>
    <message>
        <source>エラーが発生しました&#x3000;正しいフォルダ名を指定して下さい</source>
        <translation>An error occurred. Please check the folder name.</translation>
    </message>
</context>
<context>
    <name>kestrel::FileListDialog</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>%1を削除しますか？</source>
        <translation>Delete %1?</translation>
    </message>
</context>
<context>
    <name>kestrel::HelpController</name>
    <message>
        <source>ブラウザ %1 が見つかりません（Kestrel.ini の IEXPLORE）。ヘルプはヘルプウィンドウに表示します。</source>
        <translation>The browser %1 was not found (IEXPLORE in Kestrel.ini). The help is shown in the help window.</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>エラーが発生しました&#x3000;正しいフォルダ名を指定して下さい</source>
        <translation>An error occurred. Please check the folder name.</translation>
    </message>
</context>
<context>
    <name>kestrel::HelpWindow</name>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>ページ内を検索</source>
        <translation>Find in page</translation>
    </message>
    <message>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>検索:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>kestrel::frmAbout</name>
    <message>
        <source>制御ループを組み立て、SV・PV・MV の動きを見ながら PID 制御を学ぶための教材です。</source>
        <translation>Build a control loop and learn PID control by watching SV, PV and MV move.</translation>
    </message>
    <message>
        <source>警告：このプログラムは PID 制御を学ぶための教材です。表示される応答は数式モデルによる計算結果であり、実際のプラントの動きを保証するものではありません。実設備の運転や調整には使用しないで下さい。</source>
        <translation>Warning: this program is teaching material for learning PID control. The responses it shows are calculated from mathematical models and do not guarantee how a real plant behaves. Do not use it to operate or tune real equipment.</translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>PID制御 学習シミュレータ</source>
        <translation>PID control learning simulator</translation>
    </message>
</context>
<context>
    <name>kestrel::frmMAIN</name>
    <message>
        <source>5.1.7 (1) P制御特性  (設定値変化)</source>
        <translation>5.1.7 (1) P control characteristics (set-point change)</translation>
    </message>
    <message>
        <source>学習： 5.1.7 (1) P制御特性  (設定値変化)</source>
        <translation>Lesson: 5.1.7 (1) P control characteristics (set-point change)</translation>
    </message>
    <message>
        <source>5.1.7 (2) P制御特性  (外乱変化)</source>
        <translation>5.1.7 (2) P control characteristics (disturbance change)</translation>
    </message>
    <message>
        <source>学習： 5.1.7 (2) P制御特性  (外乱変化)</source>
        <translation>Lesson: 5.1.7 (2) P control characteristics (disturbance change)</translation>
    </message>
    <message>
        <source>5.2.7 PI制御特性</source>
        <translation>5.2.7 PI control characteristics</translation>
    </message>
    <message>
        <source>学習: 5.2.7 ＰＩ制御特性</source>
        <translation>Lesson: 5.2.7 PI control characteristics</translation>
    </message>
    <message>
        <source>5.3.6 PID制御特性</source>
        <translation>5.3.6 PID control characteristics</translation>
    </message>
    <message>
        <source>学習： 5.3.6 ＰＩＤ制御特性</source>
        <translation>Lesson: 5.3.6 PID control characteristics</translation>
    </message>
    <message>
        <source>7.3.4 (1)上下限制限による引き戻し&#x3000;</source>
        <translation>7.3.4 (1) Pull-back by the MV limits</translation>
    </message>
    <message>
        <source>学習： 7.3.4 (1)上下限制限による引き戻し</source>
        <translation>Lesson: 7.3.4 (1) Pull-back by the MV limits</translation>
    </message>
    <message>
        <source>7.3.4 (2)上下限制限による飽和時変動問題</source>
        <translation>7.3.4 (2) Fluctuation in saturation at the MV limits</translation>
    </message>
    <message>
        <source>学習： 7.3.4 (2)上下限制限による飽和時変動問題</source>
        <translation>Lesson: 7.3.4 (2) Fluctuation in saturation at the MV limits</translation>
    </message>
    <message>
        <source>7.3.4 (3)変化率制限による引き戻し</source>
        <translation>7.3.4 (3) Pull-back by the rate-of-change limit</translation>
    </message>
    <message>
        <source>学習： 7.3.4 (3)変化率制限による引き戻し</source>
        <translation>Lesson: 7.3.4 (3) Pull-back by the rate-of-change limit</translation>
    </message>
    <message>
        <source>9.5  具体的なPIDパラメータの決定と調整</source>
        <translation>9.5  Choosing and adjusting PID parameters</translation>
    </message>
    <message>
        <source>学習： 9.5  具体的なPIDパラメータの決定と調整</source>
        <translation>Lesson: 9.5  Choosing and adjusting PID parameters</translation>
    </message>
    <message>
        <source>10.5 (1)１自由度ＰＩＤ制御と２自由度ＰＩＤ制御の比較</source>
        <translation>10.5 (1) One-degree-of-freedom and 2-DOF PID control compared</translation>
    </message>
    <message>
        <source>学習： 10.5 (1)１自由度ＰＩＤ制御と２自由度ＰＩＤ制御の比較</source>
        <translation>Lesson: 10.5 (1) One-degree-of-freedom and 2-DOF PID control compared</translation>
    </message>
    <message>
        <source>11.5.9 シミュレーションによるFF／FB制御特性の確認</source>
        <translation>11.5.9 FF/FB control characteristics in simulation</translation>
    </message>
    <message>
        <source>学習： 11.5.9 シミュレーションによるFF／FB制御特性の確認</source>
        <translation>Lesson: 11.5.9 FF/FB control characteristics in simulation</translation>
    </message>
    <message>
        <source>12.1 微分動作とノイズ</source>
        <translation>12.1 Derivative action and noise</translation>
    </message>
    <message>
        <source>学習： 12.1 微分動作とノイズ</source>
        <translation>Lesson: 12.1 Derivative action and noise</translation>
    </message>
    <message>
        <source>12.2 バルブのスティクションによるハンチング</source>
        <translation>12.2 Hunting caused by valve stiction</translation>
    </message>
    <message>
        <source>学習： 12.2 バルブのスティクションによるハンチング</source>
        <translation>Lesson: 12.2 Hunting caused by valve stiction</translation>
    </message>
    <message>
        <source>13.1 カスケード制御</source>
        <translation>13.1 Cascade control</translation>
    </message>
    <message>
        <source>学習： 13.1 カスケード制御</source>
        <translation>Lesson: 13.1 Cascade control</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
    </message>
    <message>
        <source>プロセス詳細...</source>
        <translation>Process Details...</translation>
    </message>
    <message>
        <source>二次ループ...</source>
        <translation>Secondary Loop...</translation>
    </message>
    <message>
        <source>学習表示</source>
        <translation>Lesson</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>コントローラパネル</source>
        <translation>Controller Panel</translation>
    </message>
    <message>
        <source>SV折線、DV折線</source>
        <translation>SV and DV Programs</translation>
    </message>
    <message>
        <source>ペンレコーダ</source>
        <translation>Pen Recorder</translation>
    </message>
    <message>
        <source>パラメータ初期化</source>
        <translation>Reset Parameters</translation>
    </message>
    <message>
        <source>ハードコピー画像</source>
        <translation>Hard Copy Images</translation>
    </message>
    <message>
        <source>学習(&amp;S)</source>
        <translation>&amp;Lessons</translation>
    </message>
    <message>
        <source>第５章&#x3000;ＰＩＤ制御基本式</source>
        <translation>Chapter 5  Basic PID equations</translation>
    </message>
    <message>
        <source>第６章&#x3000;理想形ＰＩＤから実用形ＰＩＤへ</source>
        <translation>Chapter 6  From ideal PID to practical PID</translation>
    </message>
    <message>
        <source>第７章&#x3000;本質継承PID</source>
        <translation>Chapter 7  Essence-inheriting PID</translation>
    </message>
    <message>
        <source>第９章&#x3000;ＰＩＤパラメータの調整方法</source>
        <translation>Chapter 9  How to tune PID parameters</translation>
    </message>
    <message>
        <source>第１０章&#x3000;ＰＩＤ制御の２自由度化</source>
        <translation>Chapter 10  Two-degree-of-freedom PID control</translation>
    </message>
    <message>
        <source>第１１章&#x3000;アドバンスト制御</source>
        <translation>Chapter 11  Advanced control</translation>
    </message>
    <message>
        <source>第１２章&#x3000;ノイズとバルブの不具合</source>
        <translation>Chapter 12  Noise and valve faults</translation>
    </message>
    <message>
        <source>第１３章&#x3000;カスケード制御</source>
        <translation>Chapter 13  Cascade control</translation>
    </message>
    <message>
        <source>6.5.1 偏差PID制御</source>
        <translation>6.5.1 Error PID control</translation>
    </message>
    <message>
        <source>6.5.2 測定値微分先行形PID(PI-D)制御</source>
        <translation>6.5.2 PI-D control (derivative on PV)</translation>
    </message>
    <message>
        <source>6.5.3 測定値比例微分先行形PID(P-ID)制御</source>
        <translation>6.5.3 I-PD control (proportional and derivative on PV)</translation>
    </message>
    <message>
        <source>6.6   副作用対策</source>
        <translation>6.6   Countering side effects</translation>
    </message>
    <message>
        <source>挑戦...</source>
        <translation>Challenges...</translation>
    </message>
    <message>
        <source>自習(&amp;J)</source>
        <translation>Self-stud&amp;y</translation>
    </message>
    <message>
        <source>新しいﾌﾟﾛｼﾞｪｸﾄ</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｼﾞｪｸﾄを開く</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>ラン解析...</source>
        <translation>Run Analysis...</translation>
    </message>
    <message>
        <source>調整(&amp;T)</source>
        <translation>&amp;Tuning</translation>
    </message>
    <message>
        <source>調整ワークベンチ...</source>
        <translation>Tuning Workbench...</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ヘルプポインタの表示・非表示</source>
        <translation>Show/Hide Help Pointer</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>Version Information</translation>
    </message>
    <message>
        <source>(％／dＴ)</source>
        <translation>(%/dT)</translation>
    </message>
    <message>
        <source>バイアス(％)   bA</source>
        <translation>Bias (%)       bA</translation>
    </message>
    <message>
        <source>フィードバックする</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>制御ﾊﾟﾗﾒｰﾀ</source>
        <translation>Control Parameters</translation>
    </message>
    <message>
        <source>制御対象ﾊﾟﾗﾒｰﾀ</source>
        <translation>Process Parameters</translation>
    </message>
    <message>
        <source>外乱伝達関数ﾊﾟﾗﾒｰﾀ</source>
        <translation>Disturbance Parameters</translation>
    </message>
    <message>
        <source>FFモデルﾊﾟﾗﾒｰﾀ</source>
        <translation>FF Model Parameters</translation>
    </message>
    <message>
        <source>制御構造</source>
        <translation>Loop structure</translation>
    </message>
</context>
<context>
    <name>kestrel::frmProcessDetail</name>
    <message>
        <source>プロセス詳細</source>
        <translation>Process Details</translation>
    </message>
    <message>
        <source>測定（センサ）</source>
        <translation>Measurement (sensor)</translation>
    </message>
    <message>
        <source>バルブ</source>
        <translation>Valve</translation>
    </message>
    <message>
        <source>プロセスの種類</source>
        <translation>Process type</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kestrel::frmSecondaryLoop</name>
    <message>
        <source>二次ループ</source>
        <translation>Secondary Loop</translation>
    </message>
    <message>
        <source>二次調節計</source>
        <translation>Secondary controller</translation>
    </message>
    <message>
        <source>内側プロセス</source>
        <translation>Inner process</translation>
    </message>
    <message>
        <source>制御タイプ</source>
        <translation>Control type</translation>
    </message>
    <message>
        <source>演算形式</source>
        <translation>Calculation form</translation>
    </message>
    <message>
        <source>入力 u → PV2</source>
        <translation>Input u → PV2</translation>
    </message>
    <message>
        <source>内側外乱（DV → PV2）</source>
        <translation>Inner disturbance (DV → PV2)</translation>
    </message>
    <message>
        <source>入力 u = バルブ開度 + Kd·DV
PV2 = Kin·e^(−Lin·s)/(1+Tin·s)·u
         + Kdin/(1+Tdin·s)·DV
PV ： PV2 から制御対象（Kpl, Tpl, Lpl）</source>
        <translation>Input u = valve position + Kd·DV
PV2 = Kin·e^(−Lin·s)/(1+Tin·s)·u
         + Kdin/(1+Tdin·s)·DV
PV: from PV2 via the process (Kpl, Tpl, Lpl)</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kestrel::frmSvDis</name>
    <message>
        <source>SV折線、DV折線</source>
        <translation>SV and DV Programs</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
    </message>
    <message>
        <source>設定値</source>
        <translation>Set point</translation>
    </message>
    <message>
        <source>外乱</source>
        <translation>Disturbance</translation>
    </message>
    <message>
        <source>ＳＶ変化時刻(秒)</source>
        <translation>SV time (s)</translation>
    </message>
    <message>
        <source>ＤＶ変化時刻(秒)</source>
        <translation>DV time (s)</translation>
    </message>
    <message>
        <source>ＳＶ変化値(％)</source>
        <translation>SV value (%)</translation>
    </message>
    <message>
        <source>ＤＶ変化値(％)</source>
        <translation>DV value (%)</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>kestrel::frmTip</name>
    <message>
        <source>ページ操作</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>書き込み</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>シミュレータ操作</source>
        <translation>Simulator</translation>
    </message>
    <message>
        <source>最大表示</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>ﾊﾟﾗﾒｰﾀ設定</source>
        <translation>Set Parameters</translation>
    </message>
    <message>
        <source>ｼﾐｭﾚｰｼｮﾝ実行</source>
        <translation>Run Simulation</translation>
    </message>
    <message>
        <source>コントローラパネル    %1</source>
        <translation>Controller Panel    %1</translation>
    </message>
    <message>
        <source>保存できない文字があります</source>
        <translation>Contains characters that cannot be saved</translation>
    </message>
    <message>
        <source>残り %1 バイト</source>
        <translation>%1 bytes left</translation>
    </message>
</context>
</TS>
