<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Challenge</name>
    <message>
        <source>設定を一時ファイルに書けないため、実行できません。</source>
        <translation>The settings cannot be written to a temporary file, so the run cannot start.</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした（フォルダに書き込めないか、保存できない文字があります）。</source>
        <translation>Could not save &quot;%1&quot; (the folder is not writable, or the text has characters that cannot be saved).</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした。</source>
        <translation>Could not save &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>行き過ぎ量</source>
        <translation>Overshoot</translation>
    </message>
    <message>
        <source>Kp を下げるか Ti を長くしてみましょう</source>
        <translation>Try a lower Kp or a longer Ti.</translation>
    </message>
    <message>
        <source>整定時間</source>
        <translation>Settling time</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>落ち着くまでに時間がかかっています。振動が続くなら Kp を下げ、ゆっくりなら Kp を上げてみましょう</source>
        <translation>PV takes long to settle. If it keeps oscillating, lower Kp; if it is slow, raise Kp.</translation>
    </message>
    <message>
        <source>立ち上がり時間</source>
        <translation>Rise time</translation>
    </message>
    <message>
        <source>立ち上がりが遅いです。Kp を上げるか Td を加えてみましょう</source>
        <translation>The rise is slow. Try a higher Kp or add Td.</translation>
    </message>
    <message>
        <source>偏差の積分（IAE）</source>
        <translation>Integral of abs. error (IAE)</translation>
    </message>
    <message>
        <source>偏差の合計が大きいです。Kp を上げるか Ti を短くしてみましょう</source>
        <translation>The total deviation is large. Try a higher Kp or a shorter Ti.</translation>
    </message>
    <message>
        <source>オフセット</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>積分動作が必要です</source>
        <translation>Integral action is needed.</translation>
    </message>
    <message>
        <source>操作量の動き</source>
        <translation>MV travel</translation>
    </message>
    <message>
        <source>操作量が動きすぎです。Kp や Td を小さくしてみましょう</source>
        <translation>MV moves too much. Try a smaller Kp or Td.</translation>
    </message>
    <message>
        <source>制限にかかった時間</source>
        <translation>Time at MV limits</translation>
    </message>
    <message>
        <source>操作量が制限に張り付いています。Kp を下げるか計算の形を見直してみましょう</source>
        <translation>MV stays at its limits. Try a lower Kp or review the calculation form.</translation>
    </message>
    <message>
        <source>外乱による偏差</source>
        <translation>Deviation by disturbance</translation>
    </message>
    <message>
        <source>外乱で偏差が大きくなっています。Kp を上げるかフィードフォワードを使ってみましょう</source>
        <translation>The disturbance causes a large deviation. Try a higher Kp or use feedforward.</translation>
    </message>
    <message>
        <source>不明なセクション「%1」は読みません。</source>
        <translation>Unknown section &quot;%1&quot; is not read.</translation>
    </message>
    <message>
        <source>二つ目の［%1］は読みません。</source>
        <translation>The second [%1] is not read.</translation>
    </message>
    <message>
        <source>最初のセクションより前に「%1」があります。</source>
        <translation>&quot;%1&quot; comes before the first section.</translation>
    </message>
    <message>
        <source>見つかりません。</source>
        <translation>not found.</translation>
    </message>
    <message>
        <source>挑戦ファイルとしては大きすぎます。</source>
        <translation>too large for a challenge file.</translation>
    </message>
    <message>
        <source>読めません。</source>
        <translation>cannot be read.</translation>
    </message>
    <message>
        <source>テキストファイルではありません。</source>
        <translation>not a text file.</translation>
    </message>
    <message>
        <source>挑戦ファイル「%1」の %2 行目：</source>
        <translation>Challenge file &quot;%1&quot;, line %2: </translation>
    </message>
    <message>
        <source>挑戦ファイル「%1」：</source>
        <translation>Challenge file &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>「%1」は二度目です。最初の値を使います。</source>
        <translation>&quot;%1&quot; is given twice; the first value is used.</translation>
    </message>
    <message>
        <source>不明なキー「%1」は読みません。</source>
        <translation>Unknown key &quot;%1&quot; is not read.</translation>
    </message>
    <message>
        <source>「%1」の値「%2」は0 以上の数でなければなりません。</source>
        <translation>The value &quot;%2&quot; of &quot;%1&quot; must be a number of 0 or more.</translation>
    </message>
    <message>
        <source>「%1」の値「%2」は正の数でなければなりません。</source>
        <translation>The value &quot;%2&quot; of &quot;%1&quot; must be a positive number.</translation>
    </message>
    <message>
        <source>「%1」は「上限」か「上限,重み」で書きます（例 %1=5,2）。</source>
        <translation>Write &quot;%1&quot; as &quot;limit&quot; or &quot;limit,weight&quot; (e.g. %1=5,2).</translation>
    </message>
    <message>
        <source>%1 の重み</source>
        <translation>weight of %1</translation>
    </message>
    <message>
        <source>「%1」は二度目です。</source>
        <translation>&quot;%1&quot; is given twice.</translation>
    </message>
    <message>
        <source>「%1」は「下限..上限」の正の数で書きます（例 %1=0.5..2）。</source>
        <translation>Write &quot;%1&quot; as positive numbers &quot;low..high&quot; (e.g. %1=0.5..2).</translation>
    </message>
    <message>
        <source>「%1」の値「%2」は数値ではありません。</source>
        <translation>The value &quot;%2&quot; of &quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>「%1」には 0 から %2 までの整数を書きます。</source>
        <translation>Write a whole number from 0 to %2 for &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>「FREE」の「%1」は学習者が変えられる設定ではありません（パラメータの欄、TYPE_SELECT、CALC_TYPE、PV_FILTER、Kp2、Ti2、Td2）。</source>
        <translation>&quot;%1&quot; in &quot;FREE&quot; is not a setting the learner can change (the parameter fields, TYPE_SELECT, CALC_TYPE, PV_FILTER, Kp2, Ti2, Td2).</translation>
    </message>
    <message>
        <source>「HIDDEN」には 0 か 1 を書きます。</source>
        <translation>Write 0 or 1 for &quot;HIDDEN&quot;.</translation>
    </message>
    <message>
        <source>「SEED」には 0 以上の整数を書きます。</source>
        <translation>Write a whole number of 0 or more for &quot;SEED&quot;.</translation>
    </message>
    <message>
        <source>［説明］に題名（TITLE1）がありません。</source>
        <translation>[説明] has no title (TITLE1).</translation>
    </message>
    <message>
        <source>「%1」の目標がないので、そのヒントは使いません。</source>
        <translation>&quot;%1&quot; has no goal, so its hint is not used.</translation>
    </message>
    <message>
        <source>同定クイズ（SEED のある挑戦）には目標を書けません。</source>
        <translation>An identification quiz (a challenge with SEED) cannot have goals.</translation>
    </message>
    <message>
        <source>採点する実行はカスケードで始めます。MODE には 2 だけを書けます。</source>
        <translation>The graded run starts in cascade (CAS); MODE can only be 2.</translation>
    </message>
    <message>
        <source>K, L, T の範囲は同定クイズ（SEED のある挑戦）にだけ書けます。</source>
        <translation>Ranges of K, L and T can only be given in an identification quiz (a challenge with SEED).</translation>
    </message>
    <message>
        <source>［課題］に目標（OVERSHOOT_MAX など）が一つもありません。</source>
        <translation>[課題] has no goal (OVERSHOOT_MAX etc.).</translation>
    </message>
    <message>
        <source>［課題］に学習者が変える設定（FREE=Kp,Ti,Td など）がありません。</source>
        <translation>[課題] has no settings for the learner to change (FREE=Kp,Ti,Td etc.).</translation>
    </message>
</context>
<context>
    <name>Compare</name>
    <message>
        <source>閉ループの当てはめには、全ステップを記録したランが必要です。</source>
        <translation>A closed-loop fit needs a run with every step recorded.</translation>
    </message>
    <message>
        <source>フィードバックを外したランや手動のランは、閉ループの当てはめができません。</source>
        <translation>A run without feedback or in Manual cannot be fitted as a closed loop.</translation>
    </message>
    <message>
        <source>SV や DV が 5 回以上変わるランは、閉ループの当てはめができません。</source>
        <translation>A run in which SV or DV changes 5 times or more cannot be fitted as a closed loop.</translation>
    </message>
    <message>
        <source>当てはめを始めるモデルがありません。</source>
        <translation>There is no model to start the fit from.</translation>
    </message>
    <message>
        <source>この閉ループに合うモデルが見つかりませんでした。</source>
        <translation>No model was found that fits this closed loop.</translation>
    </message>
</context>
<context>
    <name>Conversions</name>
    <message>
        <source>有限の数値を指定してください。</source>
        <translation>Please enter finite numbers.</translation>
    </message>
    <message>
        <source>積分時間と微分時間は 0 以上にしてください。</source>
        <translation>Please make the integral time and the derivative time 0 or more.</translation>
    </message>
    <message>
        <source>数値が大きすぎて変換できません。</source>
        <translation>The numbers are too large to convert.</translation>
    </message>
    <message>
        <source>Ki = 0（Ti = 0：積分動作なし）</source>
        <translation>Ki = 0 (Ti = 0: no integral action)</translation>
    </message>
    <message>
        <source>Kp = 0 では積分・微分動作を理想形（Kp·(1 + 1/(Ti·s) + Td·s)）で表せません。</source>
        <translation>With Kp = 0 the integral and derivative actions cannot be written in the ideal form (Kp·(1 + 1/(Ti·s) + Td·s)).</translation>
    </message>
    <message>
        <source>Ki と Kd の符号が Kp と異なると、Ti と Td が負になります。</source>
        <translation>If Ki and Kd differ in sign from Kp, Ti and Td become negative.</translation>
    </message>
    <message>
        <source>Ti = 0（Ki = 0：積分動作なし）</source>
        <translation>Ti = 0 (Ki = 0: no integral action)</translation>
    </message>
    <message>
        <source>Ti または Td が 0 のとき、直列形は理想形と同じです：Kp&apos; = %1、Ti&apos; = %2、Td&apos; = %3</source>
        <translation>With Ti or Td 0 the series form equals the ideal form: Kp&apos; = %1, Ti&apos; = %2, Td&apos; = %3</translation>
    </message>
    <message>
        <source>Ti = %1 が 4·Td = %2 より小さいため、直列形（干渉形）には変換できません（Ti ≥ 4·Td が必要です）。</source>
        <translation>Ti = %1 is smaller than 4·Td = %2, so there is no series (interacting) form (it needs Ti ≥ 4·Td).</translation>
    </message>
    <message>
        <source>Ti&apos; = 0（積分動作なし）のとき、理想形は直列形と同じです：Kp = %1、Td = %2</source>
        <translation>With Ti&apos; = 0 (no integral action) the ideal form equals the series form: Kp = %1, Td = %2</translation>
    </message>
    <message>
        <source>Kp = 0 の比例帯は無限大です。</source>
        <translation>The proportional band of Kp = 0 is infinite.</translation>
    </message>
    <message>
        <source>比例帯 0 % に対応する Kp はありません（無限大）。</source>
        <translation>No Kp corresponds to a proportional band of 0 % (it would be infinite).</translation>
    </message>
    <message>
        <source>リピート/分 = 60/Ti = 60/%1 = %2</source>
        <translation>repeats/min = 60/Ti = 60/%1 = %2</translation>
    </message>
    <message>
        <source>リピート/分：Ti = 0 は積分動作なし</source>
        <translation>repeats/min: Ti = 0 is no integral action</translation>
    </message>
    <message>
        <source>リピート/分は正の値にしてください（積分動作なしは Ti = 0 で表します）。</source>
        <translation>Please make repeats/min positive (no integral action is Ti = 0).</translation>
    </message>
    <message>
        <source>Ti = 60/(リピート/分) = 60/%1 = %2 s</source>
        <translation>Ti = 60/(repeats/min) = 60/%1 = %2 s</translation>
    </message>
    <message>
        <source>β = %1 は b、c では表せません：この変換が正確なのは β = 1 のときだけです（積分動作への目標値の入り方が異なります）。</source>
        <translation>β = %1 cannot be written with b and c: this conversion is exact only for β = 1 (the set point enters the integral action differently).</translation>
    </message>
    <message>
        <source>b = 0 で c ≠ 0 は α·γ で表せません（γ = c/b が無限大）。</source>
        <translation>b = 0 with c ≠ 0 cannot be written as α·γ (γ = c/b is infinite).</translation>
    </message>
    <message>
        <source>γ = 1（b = c = 0 では γ は効きません）</source>
        <translation>γ = 1 (with b = c = 0, γ has no effect)</translation>
    </message>
</context>
<context>
    <name>Frequency</name>
    <message>
        <source>制御形式は 0（Ｐ）から 5（２自由度ＰＩＤ）で指定してください。</source>
        <translation>Please give the control type as 0 (P) to 5 (2-DOF PID).</translation>
    </message>
    <message>
        <source>ループの値には有限の数値を指定してください。</source>
        <translation>Please give the loop finite numbers.</translation>
    </message>
    <message>
        <source>Kp と K の積が正でないループ（正帰還または開ループ）は解析できません。</source>
        <translation>A loop in which Kp times K is not positive (positive feedback or open loop) cannot be analysed.</translation>
    </message>
    <message>
        <source>T、L、Ti、Td、η は 0 以上にしてください。</source>
        <translation>Please make T, L, Ti, Td and η 0 or more.</translation>
    </message>
    <message>
        <source>Tpl2、バルブ遅れ Tv、センサフィルタ Tf は 0 以上にしてください。</source>
        <translation>Please make Tpl2, the valve lag Tv and the sensor filter Tf 0 or more.</translation>
    </message>
    <message>
        <source>位相が −180° に達するプロセス（むだ時間 L が正で K が 0 でないものなど）でなければ、安定限界は求まりません。</source>
        <translation>The stability limit exists only for a process whose phase reaches −180° (e.g. a positive dead time L and a non-zero K).</translation>
    </message>
</context>
<context>
    <name>Grading</name>
    <message>
        <source>ファイルがありません</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>プロジェクトとしては大きすぎます</source>
        <translation>too large for a project</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>プロジェクトのファイルではありません</source>
        <translation>not a project file</translation>
    </message>
    <message>
        <source>挑戦「%1」で保存されたプロジェクトです</source>
        <translation>this project was saved for the challenge &quot;%1&quot;</translation>
    </message>
    <message>
        <source>解答（［解答］の K, L, T）がありません</source>
        <translation>no answer (K, L, T in [解答])</translation>
    </message>
    <message>
        <source>手順の適用：%1</source>
        <translation>applying the steps: %1</translation>
    </message>
    <message>
        <source>目標値のステップがない実行では測れません</source>
        <translation>cannot be measured in a run without a set-point step</translation>
    </message>
    <message>
        <source>実行の終わりまでに整定していません</source>
        <translation>not settled by the end of the run</translation>
    </message>
    <message>
        <source>外乱のステップがない実行では測れません</source>
        <translation>cannot be measured in a run without a disturbance step</translation>
    </message>
    <message>
        <source>測れません</source>
        <translation>cannot be measured</translation>
    </message>
</context>
<context>
    <name>Identify</name>
    <message>
        <source>時刻、MV、PV のデータの数がそろっていません。</source>
        <translation>The time, MV and PV data differ in length.</translation>
    </message>
    <message>
        <source>データが少なすぎます（3 点以上必要です）。</source>
        <translation>Too few data (3 points or more are needed).</translation>
    </message>
    <message>
        <source>制御周期 dt が正の数ではありません。</source>
        <translation>The control period dt is not a positive number.</translation>
    </message>
    <message>
        <source>数値でない値があります（%1 点目）。</source>
        <translation>A value is not a number (point %1).</translation>
    </message>
    <message>
        <source>時刻が増えていません（%1 点目）。</source>
        <translation>The time does not increase (point %1).</translation>
    </message>
    <message>
        <source>MV がステップ状に変わっていないので、ステップ応答を調べられません。</source>
        <translation>MV does not change in a step, so there is no step response to examine.</translation>
    </message>
    <message>
        <source>MV のステップのあとの応答が記録されていません。</source>
        <translation>No response is recorded after the MV step.</translation>
    </message>
    <message>
        <source>MV のステップのあと PV が動いていないので、ステップ応答を調べられません。</source>
        <translation>PV does not move after the MV step, so there is no step response to examine.</translation>
    </message>
    <message>
        <source>このランには %1 の記録がありません。</source>
        <translation>This run has no record of %1.</translation>
    </message>
    <message>
        <source>DV が変わるランには、プロセスのモデルを当てはめられません。</source>
        <translation>A process model cannot be fitted to a run in which DV changes.</translation>
    </message>
    <message>
        <source>すべてのステップが記録されたランでないと、モデルを当てはめられません。</source>
        <translation>A model can only be fitted to a run with every step recorded.</translation>
    </message>
    <message>
        <source>MV か PV が動いていないので、プロセスのモデルを当てはめられません。</source>
        <translation>MV or PV does not move, so no process model can be fitted.</translation>
    </message>
    <message>
        <source>プロセスのモデルを当てはめられませんでした。</source>
        <translation>No process model could be fitted.</translation>
    </message>
</context>
<context>
    <name>Panel</name>
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
        <translation>Error PID control</translation>
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
        <source>白</source>
        <translation>white</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>ﾏｾﾞﾝﾀﾞ</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>red</translation>
    </message>
    <message>
        <source>ｼｱﾝ</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>①&#x3000;目標値（SV）</source>
        <translation>① Set point (SV)</translation>
    </message>
    <message>
        <source>②&#x3000;偏差（ｅ）</source>
        <translation>② Error (e)</translation>
    </message>
    <message>
        <source>③&#x3000;比例項（Ｐ）</source>
        <translation>③ P term (P)</translation>
    </message>
    <message>
        <source>④&#x3000;積分項（Ｉ）</source>
        <translation>④ I term (I)</translation>
    </message>
    <message>
        <source>⑤&#x3000;微分（Ｄ）</source>
        <translation>⑤ D term (D)</translation>
    </message>
    <message>
        <source>⑥&#x3000;操作出力（MV）</source>
        <translation>⑥ Output (MV)</translation>
    </message>
    <message>
        <source>⑦&#x3000;外乱（ＤS）</source>
        <translation>⑦ Disturbance (DS)</translation>
    </message>
    <message>
        <source>⑧&#x3000;FF補正量（FF）</source>
        <translation>⑧ FF term (FF)</translation>
    </message>
    <message>
        <source>⑨&#x3000;外乱１（DS１）</source>
        <translation>⑨ Disturb. 1 (DS1)</translation>
    </message>
    <message>
        <source>⑩&#x3000;外乱２（DS２）</source>
        <translation>⑩ Disturb. 2 (DS2)</translation>
    </message>
    <message>
        <source>⑪&#x3000;ﾌﾟﾛｾｽ値（PV）</source>
        <translation>⑪ Process var. (PV)</translation>
    </message>
    <message>
        <source>⑫&#x3000;真のPV（PVtrue）</source>
        <translation>⑫ True PV (PVtrue)</translation>
    </message>
    <message>
        <source>⑬&#x3000;ﾊﾞﾙﾌﾞ開度（VP）</source>
        <translation>⑬ Valve pos. (VP)</translation>
    </message>
    <message>
        <source>⑭&#x3000;二次目標値（SV2）</source>
        <translation>⑭ Sec. set point (SV2)</translation>
    </message>
    <message>
        <source>⑮&#x3000;二次PV（PV2）</source>
        <translation>⑮ Sec. PV (PV2)</translation>
    </message>
    <message>
        <source>⑯&#x3000;二次比例項（P2）</source>
        <translation>⑯ Sec. P term (P2)</translation>
    </message>
    <message>
        <source>⑰&#x3000;二次積分項（I2）</source>
        <translation>⑰ Sec. I term (I2)</translation>
    </message>
    <message>
        <source>⑱&#x3000;二次微分（D2）</source>
        <translation>⑱ Sec. D term (D2)</translation>
    </message>
    <message>
        <source>② 偏差（ｅ）</source>
        <translation>② Error (e)</translation>
    </message>
    <message>
        <source>③ 比例項（Ｐ）</source>
        <translation>③ P term (P)</translation>
    </message>
    <message>
        <source>④ 積分項（Ｉ）</source>
        <translation>④ I term (I)</translation>
    </message>
    <message>
        <source>⑤ 微分（Ｄ）</source>
        <translation>⑤ D term (D)</translation>
    </message>
    <message>
        <source>② 偏差１（ｅ1）</source>
        <translation>② Error 1 (e1)</translation>
    </message>
    <message>
        <source>③ 偏差２（ｅ2）</source>
        <translation>③ Error 2 (e2)</translation>
    </message>
    <message>
        <source>④ Ｐ＋Ｉ&#x3000;項</source>
        <translation>④ P+I term</translation>
    </message>
</context>
<context>
    <name>Relay</name>
    <message>
        <source>制御周期 dt が正の数ではありません。</source>
        <translation>The control period dt is not a positive number.</translation>
    </message>
    <message>
        <source>プロセスのゲイン K が 0 か、むだ時間 L・時定数 T が負の数です。</source>
        <translation>The process gain K is 0, or the dead time L or the time constant T is negative.</translation>
    </message>
    <message>
        <source>リレーの振幅 d は正の数、ヒステリシス ε は 0 以上で指定してください。</source>
        <translation>Please give a positive relay amplitude d and a hysteresis ε of 0 or more.</translation>
    </message>
    <message>
        <source>リレー実験の時間が正の数ではありません。</source>
        <translation>The relay test&apos;s duration is not a positive number.</translation>
    </message>
    <message>
        <source>リレー実験で PV が発振しませんでした（時間内の周期が 2 回未満です）。</source>
        <translation>PV did not oscillate in the relay test (fewer than 2 periods in the time).</translation>
    </message>
    <message>
        <source>PV の振幅がヒステリシス ε 以下なので、限界ゲインを求められません。</source>
        <translation>The PV amplitude is not above the hysteresis ε, so the ultimate gain cannot be found.</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>ジーグラー・ニコルス（ステップ応答）</source>
        <translation>Ziegler–Nichols (step response)</translation>
    </message>
    <message>
        <source>CHR（目標値・0 %）</source>
        <translation>CHR (set point, 0 %)</translation>
    </message>
    <message>
        <source>CHR（目標値・20 %）</source>
        <translation>CHR (set point, 20 %)</translation>
    </message>
    <message>
        <source>CHR（外乱・0 %）</source>
        <translation>CHR (disturbance, 0 %)</translation>
    </message>
    <message>
        <source>CHR（外乱・20 %）</source>
        <translation>CHR (disturbance, 20 %)</translation>
    </message>
    <message>
        <source>コーエン・クーン</source>
        <translation>Cohen–Coon</translation>
    </message>
    <message>
        <source>ラムダ</source>
        <translation>Lambda</translation>
    </message>
    <message>
        <source>ジーグラー・ニコルス（限界感度）</source>
        <translation>Ziegler–Nichols (ultimate sensitivity)</translation>
    </message>
    <message>
        <source>タイレウス・ルイベン</source>
        <translation>Tyreus–Luyben</translation>
    </message>
    <message>
        <source>プロセスの K、L、T には有限の数値を指定してください。</source>
        <translation>Please give the process finite K, L and T.</translation>
    </message>
    <message>
        <source>プロセスゲイン K が 0 では調整則を計算できません。</source>
        <translation>With a process gain K of 0 no tuning rule can be calculated.</translation>
    </message>
    <message>
        <source>時定数 T は 0 以上にしてください。</source>
        <translation>Please make the time constant T 0 or more.</translation>
    </message>
    <message>
        <source>時定数 T は正の値にしてください。</source>
        <translation>Please make the time constant T positive.</translation>
    </message>
    <message>
        <source>むだ時間 L は 0 以上にしてください。</source>
        <translation>Please make the dead time L 0 or more.</translation>
    </message>
    <message>
        <source>むだ時間も遅れもないタンクには、調整則の式が使えません（L か T を正にしてください）。</source>
        <translation>The rules&apos; formulas do not apply to a tank without dead time or lag (make L or T positive).</translation>
    </message>
    <message>
        <source>λ と τc は正の値にしてください。</source>
        <translation>Please make λ and τc positive.</translation>
    </message>
    <message>
        <source>限界ゲイン Ku と限界周期 Pu は正の値にしてください。</source>
        <translation>Please make the ultimate gain Ku and the ultimate period Pu positive.</translation>
    </message>
    <message>
        <source>数値が大きすぎて計算できない調整則があります（その行は出しません）。</source>
        <translation>Some rules give numbers too large to calculate (their rows are left out).</translation>
    </message>
    <message>
        <source>積分プロセス（タンク）は自分では落ち着かないので、自己平衡のプロセスを前提とする調整則（CHR、コーエン・クーン、ラムダ、IMC、AMIGO）は出しません。ジーグラー・ニコルスと SIMC は積分プロセスの式です。</source>
        <translation>An integrating process (tank) does not settle by itself, so the rules for self-regulating processes (CHR, Cohen–Coon, Lambda, IMC, AMIGO) are left out. Ziegler–Nichols and SIMC use their integrating-process formulas.</translation>
    </message>
    <message>
        <source>むだ時間 L が 0 のため、L で割る調整則（ジーグラー・ニコルス、CHR、コーエン・クーン、AMIGO、τc を指定しない SIMC）は出しません。</source>
        <translation>The dead time L is 0, so the rules that divide by L (Ziegler–Nichols, CHR, Cohen–Coon, AMIGO, SIMC without τc) are left out.</translation>
    </message>
</context>
<context>
    <name>RunCsv</name>
    <message>
        <source>CSVの%1行目</source>
        <translation>CSV line %1</translation>
    </message>
    <message>
        <source>CSVのランが多すぎます (%1 個まで読めます)。</source>
        <translation>The CSV has too many runs (up to %1 can be read).</translation>
    </message>
    <message>
        <source>ラン番号</source>
        <translation>run number</translation>
    </message>
    <message>
        <source>%1: ラン %2 が二度あります。</source>
        <translation>%1: run %2 appears twice.</translation>
    </message>
    <message>
        <source>%1の「dt」が正の数ではありません。</source>
        <translation>%1: &quot;dt&quot; is not a positive number.</translation>
    </message>
    <message>
        <source>%1の「%2」が数値ではありません。</source>
        <translation>%1: &quot;%2&quot; is not a number.</translation>
    </message>
    <message>
        <source>%1の「%2」が範囲外です。</source>
        <translation>%1: &quot;%2&quot; is out of range.</translation>
    </message>
    <message>
        <source>%1が長すぎます (%2 バイトまで)。</source>
        <translation>%1 is too long (up to %2 bytes).</translation>
    </message>
    <message>
        <source>CSVに列の見出し行 (time,SV,PV,DV,MV,…) がありません。</source>
        <translation>The CSV has no column header line (time,SV,PV,DV,MV,…).</translation>
    </message>
    <message>
        <source>%1の列「%2」は知らない列です。</source>
        <translation>%1: the column &quot;%2&quot; is unknown.</translation>
    </message>
    <message>
        <source>%1に列「%2」が二つあります。</source>
        <translation>%1: the column &quot;%2&quot; appears twice.</translation>
    </message>
    <message>
        <source>%1に列「%2」がありません。</source>
        <translation>%1: the column &quot;%2&quot; is missing.</translation>
    </message>
    <message>
        <source>%1に列「run」がありません (ランが %2 個あります)。</source>
        <translation>%1: the column &quot;run&quot; is missing (there are %2 runs).</translation>
    </message>
    <message>
        <source>CSVの行が多すぎます (%1 行まで読めます)。</source>
        <translation>The CSV has too many lines (up to %1 can be read).</translation>
    </message>
    <message>
        <source>%1の値の数が %2 個です (%3 個のはずです)。</source>
        <translation>%1 has %2 values (it should have %3).</translation>
    </message>
    <message>
        <source>%1、%2列目が数値ではありません。</source>
        <translation>%1, column %2 is not a number.</translation>
    </message>
    <message>
        <source>%1、%2列目がラン番号 (0 以上の整数) ではありません。</source>
        <translation>%1, column %2 is not a run number (a whole number of 0 or more).</translation>
    </message>
    <message>
        <source>%1の時刻 %2 が前の行の時刻より前です。</source>
        <translation>%1: the time %2 is earlier than the time of the line before.</translation>
    </message>
    <message>
        <source>CSVファイルが空です。</source>
        <translation>The CSV file is empty.</translation>
    </message>
    <message>
        <source>CSVに記録の行がありません。</source>
        <translation>The CSV has no data lines.</translation>
    </message>
    <message>
        <source>%1 ラン %2</source>
        <translation>%1 run %2</translation>
    </message>
    <message>
        <source>CSVのラン %1 の値が大きすぎて評価値を計算できません。</source>
        <translation>The values of CSV run %1 are too large to calculate the performance measures.</translation>
    </message>
    <message>
        <source>CSVが大きすぎて読めません。</source>
        <translation>The CSV is too large to read.</translation>
    </message>
</context>
<context>
    <name>Runs</name>
    <message>
        <source>ラン %1 (%2)</source>
        <translation>Run %1 (%2)</translation>
    </message>
    <message>
        <source>上限 MH</source>
        <translation>High limit MH</translation>
    </message>
    <message>
        <source>下限 ML</source>
        <translation>Low limit ML</translation>
    </message>
    <message>
        <source>変化率制限 dML</source>
        <translation>Rate-of-change limit dML</translation>
    </message>
    <message>
        <source>要求超過 (本質継承)</source>
        <translation>Request exceeded (essence-inheriting)</translation>
    </message>
    <message>
        <source>0～100 % 外</source>
        <translation>Outside 0–100 %</translation>
    </message>
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
        <translation>Error PID control</translation>
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
        <source>位置型</source>
        <translation>position form</translation>
    </message>
    <message>
        <source>速度型</source>
        <translation>velocity form</translation>
    </message>
    <message>
        <source>速度型（本質継承）</source>
        <translation>velocity form (essence-inheriting)</translation>
    </message>
    <message>
        <source>手動</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>カスケード</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>積分</source>
        <translation>integrating</translation>
    </message>
    <message>
        <source>カスケード 二次</source>
        <translation>cascade, secondary</translation>
    </message>
    <message>
        <source>二段プロセス</source>
        <translation>two-part process</translation>
    </message>
    <message>
        <source>内側</source>
        <translation>inner</translation>
    </message>
    <message>
        <source>センサ</source>
        <translation>sensor</translation>
    </message>
    <message>
        <source>バルブ</source>
        <translation>valve</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>kestrel::Faceplate</name>
    <message>
        <source>コントローラ</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>手動</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>カスケード：目標値 SV がプログラムに従います</source>
        <translation>Cascade: the set point SV follows the SV program</translation>
    </message>
    <message>
        <source>主調節計の出力 OP：二次調節計の目標値 SV2 になります</source>
        <translation>Primary controller output OP: it becomes the secondary controller&apos;s set point SV2</translation>
    </message>
</context>
<context>
    <name>kestrel::SecondaryFaceplate</name>
    <message>
        <source>二次調節計</source>
        <translation>Secondary Controller</translation>
    </message>
    <message>
        <source>二次PV（PV2）、0～100</source>
        <translation>Secondary PV (PV2), 0–100</translation>
    </message>
    <message>
        <source>手動：MV をスライダと OK で設定します</source>
        <translation>Manual: set MV with the slider and OK</translation>
    </message>
    <message>
        <source>自動：二次調節計が自分の目標値 SV2 で MV を決めます</source>
        <translation>Auto: the secondary controller sets MV from its own set point SV2</translation>
    </message>
    <message>
        <source>カスケード（主調節計から）：主調節計の出力 OP を目標値 SV2 にします</source>
        <translation>Cascade (from the primary): the primary controller&apos;s output OP is the set point SV2</translation>
    </message>
</context>
<context>
    <name>kestrel::TrendChart</name>
    <message>
        <source>外乱</source>
        <translation>DV</translation>
    </message>
    <message>
        <source>%1 秒&#x3000;SV %2&#x3000;PV %3&#x3000;MV %4</source>
        <translation>%1 s  SV %2  PV %3  MV %4</translation>
    </message>
</context>
<context>
    <name>kestrel::frmController</name>
    <message>
        <source>コントローラパネル</source>
        <translation>Controller Panel</translation>
    </message>
    <message>
        <source>グラフ１</source>
        <translation>Graph 1</translation>
    </message>
    <message>
        <source>グラフ２</source>
        <translation>Graph 2</translation>
    </message>
    <message>
        <source>グラフ表示時間（秒）</source>
        <translation>Graph time (s)</translation>
    </message>
    <message>
        <source>表示レンジを 15 下げます（波形が上に移ります）</source>
        <translation>Lowers the display range by 15 (the curves move up)</translation>
    </message>
    <message>
        <source>表示レンジを 15 上げます（波形が下に移ります）</source>
        <translation>Raises the display range by 15 (the curves move down)</translation>
    </message>
    <message>
        <source>レンジ自動シフト</source>
        <translation>Auto range shift</translation>
    </message>
    <message>
        <source>ペン色自動</source>
        <translation>Auto pen</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>早送り</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>グラフ消去</source>
        <translation>Clear Graph</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
    </message>
    <message>
        <source>学習表示</source>
        <translation>Lesson</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>CSV保存...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>画像保存...</source>
        <translation>Save Image...</translation>
    </message>
    <message>
        <source>レポート...</source>
        <translation>Report...</translation>
    </message>
</context>
<context>
    <name>kestrel::frmPENrec</name>
    <message>
        <source>ペンレコーダ</source>
        <translation>Pen Recorder</translation>
    </message>
    <message>
        <source>ペン色自動</source>
        <translation>Auto pen</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>グラフ消去</source>
        <translation>Clear Graph</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
    </message>
</context>
</TS>
