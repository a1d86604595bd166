<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Annotations</name>
    <message>
        <source>オフセット</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>ジーグラー・ニコルス（Ｐ 制御）</source>
        <translation>Ziegler-Nichols (P control)</translation>
    </message>
    <message>
        <source>ジーグラー・ニコルス（ＰＩ 制御）</source>
        <translation>Ziegler-Nichols (PI control)</translation>
    </message>
    <message>
        <source>ジーグラー・ニコルス（ＰＩＤ制御）</source>
        <translation>Ziegler-Nichols (PID control)</translation>
    </message>
    <message>
        <source>ＣＨＲ法「ＰＩ－Ｄ制御」で目標値追従最適</source>
        <translation>CHR method, PI-D: best set-point tracking</translation>
    </message>
    <message>
        <source>ＣＨＲ法「ＰＩ－Ｄ制御」で外乱抑制最適</source>
        <translation>CHR method, PI-D: best disturbance rejection</translation>
    </message>
    <message>
        <source>通常の「ＰＩ－Ｄ制御」で目標値追従最適</source>
        <translation>Plain PI-D: best set-point tracking</translation>
    </message>
    <message>
        <source>通常の「ＰＩ－Ｄ制御」で外乱抑制最適</source>
        <translation>Plain PI-D: best disturbance rejection</translation>
    </message>
    <message>
        <source>外乱によるPV値の乱れ（FF無し）</source>
        <translation>PV upset by the disturbance (no FF)</translation>
    </message>
    <message>
        <source>外乱によるPV値の乱れ（FF静特性のみ）</source>
        <translation>PV upset by the disturbance (static FF only)</translation>
    </message>
    <message>
        <source>FF静特性+動特性で完全に外乱を修正</source>
        <translation>Static + dynamic FF cancel the disturbance</translation>
    </message>
    <message>
        <source>引き戻し</source>
        <translation>Pull-back</translation>
    </message>
    <message>
        <source>MH による制限&#x3000;</source>
        <translation>Limited by MH </translation>
    </message>
    <message>
        <source>dML による制限&#x3000;</source>
        <translation>Limited by dML </translation>
    </message>
    <message>
        <source>T = 5 秒</source>
        <translation>T = 5 s</translation>
    </message>
    <message>
        <source>L= 2 秒</source>
        <translation>L= 2 s</translation>
    </message>
    <message>
        <source>「２自由度ＰＩＤ」外乱抑制最適のまま目標値追従が向上&#x3000;</source>
        <translation>2-DOF PID: better set-point tracking, same disturbance rejection </translation>
    </message>
    <message>
        <source>Ｄ動作がノイズを増幅（チャタリング）</source>
        <translation>D action amplifies the noise (chattering)</translation>
    </message>
    <message>
        <source>フィルタの遅れで行き過ぎが大きく</source>
        <translation>The filter lag increases the overshoot</translation>
    </message>
    <message>
        <source>周期 約 34 秒</source>
        <translation>Period about 34 s</translation>
    </message>
    <message>
        <source>周期 約 51 秒</source>
        <translation>Period about 51 s</translation>
    </message>
    <message>
        <source>単ループ&#x3000;最大偏差 3.9％</source>
        <translation>Single loop: max. deviation 3.9%</translation>
    </message>
    <message>
        <source>二次Ｐ制御&#x3000;最大偏差 1.3％</source>
        <translation>Secondary P: max. deviation 1.3%</translation>
    </message>
    <message>
        <source>カスケード&#x3000;最大偏差 0.6％</source>
        <translation>Cascade: max. deviation 0.6%</translation>
    </message>
    <message>
        <source>回復 32 秒（単ループ）</source>
        <translation>Recovery 32 s (single loop)</translation>
    </message>
    <message>
        <source>回復 8 秒（カスケード）</source>
        <translation>Recovery 8 s (cascade)</translation>
    </message>
    <message>
        <source>Ｄ動作による立ち上がり</source>
        <translation>Rise from the D action</translation>
    </message>
</context>
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
    <name>Description</name>
    <message>
        <source>    %1 秒 :  %2％</source>
        <translation>    %1 s :  %2 %</translation>
    </message>
    <message>
        <source>    Ｐ 制御   を選択する。</source>
        <translation>    Select P control.</translation>
    </message>
    <message>
        <source>    Ｐ Ｉ 制御   を選択する。</source>
        <translation>    Select PI control.</translation>
    </message>
    <message>
        <source>    偏差PID制御   を選択する。</source>
        <translation>    Select error PID control.</translation>
    </message>
    <message>
        <source>    Ｉ－ＰＤ制御   を選択する。</source>
        <translation>    Select I-PD control.</translation>
    </message>
    <message>
        <source>    ＰＩ－Ｄ制御   を選択する。</source>
        <translation>    Select PI-D control.</translation>
    </message>
    <message>
        <source>    ２自由度ＰＩＤ   を選択する。</source>
        <translation>    Select 2-DOF PID.</translation>
    </message>
    <message>
        <source>制御タイプ:</source>
        <translation>Control type:</translation>
    </message>
    <message>
        <source>    はずす。</source>
        <translation>    Clear the check mark.</translation>
    </message>
    <message>
        <source>    付ける。</source>
        <translation>    Set the check mark.</translation>
    </message>
    <message>
        <source>フィードバックする のチェックマーク:</source>
        <translation>Feedback check box:</translation>
    </message>
    <message>
        <source>    位置型   を選択する。</source>
        <translation>    Select the position form.</translation>
    </message>
    <message>
        <source>    速度型   を選択する。</source>
        <translation>    Select the velocity form.</translation>
    </message>
    <message>
        <source>    速度型（本質継承）   を選択する。</source>
        <translation>    Select the velocity form (essence-inheriting).</translation>
    </message>
    <message>
        <source>    制御周期(m秒)   dt=</source>
        <translation>    Control period (ms)   dt=</translation>
    </message>
    <message>
        <source>    比例ゲイン      Kp=</source>
        <translation>    Proportional gain     Kp=</translation>
    </message>
    <message>
        <source>    積分時間(秒)    Ti=</source>
        <translation>    Integral time (s)     Ti=</translation>
    </message>
    <message>
        <source>    微分時間(秒)    Td=</source>
        <translation>    Derivative time (s)   Td=</translation>
    </message>
    <message>
        <source>制御ﾊﾟﾗﾒｰﾀ :</source>
        <translation>Control parameters :</translation>
    </message>
    <message>
        <source>    MV上限(％)      MH=</source>
        <translation>    MV high limit (%)     MH=</translation>
    </message>
    <message>
        <source>    MV下限(％)      ML=</source>
        <translation>    MV low limit (%)      ML=</translation>
    </message>
    <message>
        <source>    MV変化率ﾘﾐｯﾄ   dML=</source>
        <translation>    MV rate limit        dML=</translation>
    </message>
    <message>
        <source>制限ﾊﾟﾗﾒｰﾀ :</source>
        <translation>Limit parameters :</translation>
    </message>
    <message>
        <source>    目標値フィルタ   α=</source>
        <translation>    Set-point filter      α=</translation>
    </message>
    <message>
        <source>    目標値フィルタ   β=</source>
        <translation>    Set-point filter      β=</translation>
    </message>
    <message>
        <source>    目標値フィルタ   γ=</source>
        <translation>    Set-point filter      γ=</translation>
    </message>
    <message>
        <source>目標値ﾌｨﾙﾀ :</source>
        <translation>Set-point filter :</translation>
    </message>
    <message>
        <source>制御対象ﾊﾟﾗﾒｰﾀ :</source>
        <translation>Process parameters :</translation>
    </message>
    <message>
        <source>    ゲイン          Kpl=</source>
        <translation>    Gain                 Kpl=</translation>
    </message>
    <message>
        <source>    一次遅れ時間(秒) Tpl=</source>
        <translation>    Lag time (s)         Tpl=</translation>
    </message>
    <message>
        <source>    無駄時間(秒)     Lpl=</source>
        <translation>    Dead time (s)        Lpl=</translation>
    </message>
    <message>
        <source>外乱伝達関数ﾊﾟﾗﾒｰﾀ :</source>
        <translation>Disturbance transfer function parameters :</translation>
    </message>
    <message>
        <source>    ゲイン           Kd=</source>
        <translation>    Gain                  Kd=</translation>
    </message>
    <message>
        <source>    伝達ゲイン       Kds=</source>
        <translation>    Transfer gain        Kds=</translation>
    </message>
    <message>
        <source>    一次遅れ時間(秒) Tds=</source>
        <translation>    Lag time (s)         Tds=</translation>
    </message>
    <message>
        <source>    無駄時間(秒)     Lds=</source>
        <translation>    Dead time (s)        Lds=</translation>
    </message>
    <message>
        <source>FFﾓﾃﾞﾙﾊﾟﾗﾒｰﾀ :</source>
        <translation>FF model parameters :</translation>
    </message>
    <message>
        <source>    FFゲイン   &#x3000;    Kf=</source>
        <translation>    FF gain               Kf=</translation>
    </message>
    <message>
        <source>    遅れ時間補償(秒) Tfd=</source>
        <translation>    Lag compensation (s) Tfd=</translation>
    </message>
    <message>
        <source>    進み時間補償(秒) Tfp=</source>
        <translation>    Lead compensation (s) Tfp=</translation>
    </message>
    <message>
        <source>    無駄時間補償(秒)  Lf=</source>
        <translation>    Dead-time compensation (s) Lf=</translation>
    </message>
    <message>
        <source>    二次遅れ＋無駄時間   を選択する。</source>
        <translation>    Select second-order lag + dead time.</translation>
    </message>
    <message>
        <source>    積分（液位）   を選択する。</source>
        <translation>    Select integrating (level).</translation>
    </message>
    <message>
        <source>プロセス詳細 :</source>
        <translation>Process details :</translation>
    </message>
    <message>
        <source>    カスケード制御   を選択する。</source>
        <translation>    Select cascade control.</translation>
    </message>
    <message>
        <source>    単ループ（二段プロセス）   を選択する。</source>
        <translation>    Select single loop (two-stage process).</translation>
    </message>
    <message>
        <source>    二次調節計:  Ｐ 制御   を選択する。</source>
        <translation>    Secondary controller:  select P control.</translation>
    </message>
    <message>
        <source>    二次調節計:  Ｐ Ｉ 制御   を選択する。</source>
        <translation>    Secondary controller:  select PI control.</translation>
    </message>
    <message>
        <source>    二次調節計:  ＰＩＤ制御   を選択する。</source>
        <translation>    Secondary controller:  select PID control.</translation>
    </message>
    <message>
        <source>    二次調節計:  位置型   を選択する。</source>
        <translation>    Secondary controller:  select the position form.</translation>
    </message>
    <message>
        <source>    二次調節計:  速度型   を選択する。</source>
        <translation>    Secondary controller:  select the velocity form.</translation>
    </message>
    <message>
        <source>    二次調節計:  速度型（本質継承）   を選択する。</source>
        <translation>    Secondary controller:  select the velocity form (essence-inheriting).</translation>
    </message>
    <message>
        <source>    二次調節計のモード: ＣＡＳモード&#x3000;にする。</source>
        <translation>    Secondary controller mode: set Cascade (CAS).</translation>
    </message>
    <message>
        <source>    二次調節計のモード: Ａモード&#x3000;にする。</source>
        <translation>    Secondary controller mode: set Auto (A).</translation>
    </message>
    <message>
        <source>    二次調節計のモード: Ｍモード&#x3000;にする。</source>
        <translation>    Secondary controller mode: set Manual (M).</translation>
    </message>
    <message>
        <source>二次ループ :</source>
        <translation>Secondary loop :</translation>
    </message>
    <message>
        <source>    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｃモード&#x3000;にする。</source>
        <translation>    Controller mode: set Cascade (CAS).</translation>
    </message>
    <message>
        <source>    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ａモード&#x3000;にする。</source>
        <translation>    Controller mode: set Auto (A).</translation>
    </message>
    <message>
        <source>    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｍモード&#x3000;にする。</source>
        <translation>    Controller mode: set Manual (M).</translation>
    </message>
    <message>
        <source>    表示レンジ(%)      RH=</source>
        <translation>    Display range (%)     RH=</translation>
    </message>
    <message>
        <source>    表示レンジ(%)      RL=</source>
        <translation>    Display range (%)     RL=</translation>
    </message>
    <message>
        <source>    レンジ自動シフト  のチェックマークをはずす。</source>
        <translation>    Clear the check mark of &quot;Auto range shift&quot;.</translation>
    </message>
    <message>
        <source>    レンジ自動シフト  のチェックマークをつける。</source>
        <translation>    Set the check mark of &quot;Auto range shift&quot;.</translation>
    </message>
    <message>
        <source>    ペン色自動  のチェックマークをはずす。</source>
        <translation>    Clear the check mark of &quot;Auto pen colour&quot;.</translation>
    </message>
    <message>
        <source>    ペン色自動  のチェックマークをつける。</source>
        <translation>    Set the check mark of &quot;Auto pen colour&quot;.</translation>
    </message>
    <message>
        <source>    ペン色:  白  を選択。</source>
        <translation>    Pen colour:  select white.</translation>
    </message>
    <message>
        <source>    ペン色:  黄  を選択。</source>
        <translation>    Pen colour:  select yellow.</translation>
    </message>
    <message>
        <source>    ペン色:  ﾏｾﾞﾝﾀﾞ  を選択。</source>
        <translation>    Pen colour:  select magenta.</translation>
    </message>
    <message>
        <source>    ペン色:  赤  を選択。</source>
        <translation>    Pen colour:  select red.</translation>
    </message>
    <message>
        <source>    ペン色:  ｼｱﾝ  を選択。</source>
        <translation>    Pen colour:  select cyan.</translation>
    </message>
    <message>
        <source>    グラフ表示時間      TM=</source>
        <translation>    Graph time (s)        TM=</translation>
    </message>
    <message>
        <source>コントローラパネル :</source>
        <translation>Controller Panel :</translation>
    </message>
    <message>
        <source>ＳＶ折線 :</source>
        <translation>SV program :</translation>
    </message>
    <message>
        <source>ＤＶ折線 :</source>
        <translation>DV program :</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>型が一致しません。</source>
        <translation>Type mismatch.</translation>
    </message>
    <message>
        <source>オーバーフローしました。</source>
        <translation>Overflow.</translation>
    </message>
    <message>
        <source>0 で除算しました。</source>
        <translation>Division by zero.</translation>
    </message>
    <message>
        <source>インデックスが有効範囲にありません。</source>
        <translation>Subscript out of range.</translation>
    </message>
    <message>
        <source>プロパティの値が不正です。</source>
        <translation>Invalid property value.</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした（%1）。</source>
        <translation>The file could not be written (%1).</translation>
    </message>
    <message>
        <source>「%1」に保存できない文字が含まれています。</source>
        <translation>&quot;%1&quot; contains characters that cannot be saved.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>同じ名前のファイルが既にあります</source>
        <translation>a file of the same name already exists</translation>
    </message>
    <message>
        <source>アクセスする権限がありません</source>
        <translation>access is not permitted</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>the location is read-only</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>フォルダまたはファイルが見つかりません</source>
        <translation>the folder or file was not found</translation>
    </message>
    <message>
        <source>システムのエラー「%1」</source>
        <translation>system error &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1：数値を半角で入力してください。</source>
        <translation>%1: Please enter a number.</translation>
    </message>
</context>
<context>
    <name>Fields</name>
    <message>
        <source>制御周期（m秒） dT</source>
        <translation>Period (ms) dT</translation>
    </message>
    <message>
        <source>比例ゲイン    Kp</source>
        <translation>Prop. gain Kp</translation>
    </message>
    <message>
        <source>積分時間(秒) Ti</source>
        <translation>Int. time (s) Ti</translation>
    </message>
    <message>
        <source>微分時間(秒) Td</source>
        <translation>Deriv. time (s) Td</translation>
    </message>
    <message>
        <source>MV上限(％)    MH</source>
        <translation>MV high (%) MH</translation>
    </message>
    <message>
        <source>MV下限(％)    ML</source>
        <translation>MV low (%) ML</translation>
    </message>
    <message>
        <source>MV変化率ﾘﾐｯﾄ dML</source>
        <translation>MV rate limit dML</translation>
    </message>
    <message>
        <source>目標値フィルタ  α</source>
        <translation>Set-point filter α</translation>
    </message>
    <message>
        <source>目標値フィルタ  β</source>
        <translation>Set-point filter β</translation>
    </message>
    <message>
        <source>目標値フィルタ  γ</source>
        <translation>Set-point filter γ</translation>
    </message>
    <message>
        <source>ゲイン                Kpl</source>
        <translation>Gain Kpl</translation>
    </message>
    <message>
        <source>一次遅れ時間(秒) Tpl</source>
        <translation>Lag time (s) Tpl</translation>
    </message>
    <message>
        <source>無駄時間(秒)       Lpl</source>
        <translation>Dead time (s) Lpl</translation>
    </message>
    <message>
        <source>ゲイン                Kd</source>
        <translation>Gain Kd</translation>
    </message>
    <message>
        <source>伝達ゲイン          Kds</source>
        <translation>Transfer gain Kds</translation>
    </message>
    <message>
        <source>一次遅れ時間(秒) Tds</source>
        <translation>Lag time (s) Tds</translation>
    </message>
    <message>
        <source>無駄時間(秒)       Lds</source>
        <translation>Dead time (s) Lds</translation>
    </message>
    <message>
        <source>FFゲイン   &#x3000;        Kf</source>
        <translation>FF gain Kf</translation>
    </message>
    <message>
        <source>遅れ時間補償(秒) Tfd</source>
        <translation>Lag comp. (s) Tfd</translation>
    </message>
    <message>
        <source>進み時間補償(秒) Tfp</source>
        <translation>Lead comp. (s) Tfp</translation>
    </message>
    <message>
        <source>無駄時間補償(秒)  Lf</source>
        <translation>Dead-time comp. (s) Lf</translation>
    </message>
    <message>
        <source>測定ノイズ(％)      σ</source>
        <translation>Meas. noise (%) σ</translation>
    </message>
    <message>
        <source>乱数の種</source>
        <translation>Random seed</translation>
    </message>
    <message>
        <source>センサフィルタ(秒) Tf</source>
        <translation>Sensor filter (s) Tf</translation>
    </message>
    <message>
        <source>不感帯(％)          d</source>
        <translation>Deadband (%) d</translation>
    </message>
    <message>
        <source>バックラッシュ(％)  b</source>
        <translation>Backlash (%) b</translation>
    </message>
    <message>
        <source>スティック幅(％)    S</source>
        <translation>Stick band (%) S</translation>
    </message>
    <message>
        <source>スリップ幅(％)      J</source>
        <translation>Slip jump (%) J</translation>
    </message>
    <message>
        <source>バルブ遅れ(秒)     Tv</source>
        <translation>Valve lag (s) Tv</translation>
    </message>
    <message>
        <source>二次遅れ時間(秒) Tpl2</source>
        <translation>2nd lag time (s) Tpl2</translation>
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
    <message>
        <source>比例ゲイン    Kp2</source>
        <translation>Prop. gain Kp2</translation>
    </message>
    <message>
        <source>積分時間(秒) Ti2</source>
        <translation>Int. time (s) Ti2</translation>
    </message>
    <message>
        <source>微分時間(秒) Td2</source>
        <translation>Deriv. time (s) Td2</translation>
    </message>
    <message>
        <source>MV上限(％)    MH2</source>
        <translation>MV high (%) MH2</translation>
    </message>
    <message>
        <source>MV下限(％)    ML2</source>
        <translation>MV low (%) ML2</translation>
    </message>
    <message>
        <source>MV変化率ﾘﾐｯﾄ dML2</source>
        <translation>MV rate limit dML2</translation>
    </message>
    <message>
        <source>ゲイン                Kin</source>
        <translation>Gain Kin</translation>
    </message>
    <message>
        <source>一次遅れ時間(秒) Tin</source>
        <translation>Lag time (s) Tin</translation>
    </message>
    <message>
        <source>無駄時間(秒)       Lin</source>
        <translation>Dead time (s) Lin</translation>
    </message>
    <message>
        <source>外乱ゲイン          Kdin</source>
        <translation>Dist. gain Kdin</translation>
    </message>
    <message>
        <source>外乱遅れ時間(秒) Tdin</source>
        <translation>Dist. lag (s) Tdin</translation>
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
        <source>Ｐ 制御</source>
        <translation>P control</translation>
    </message>
    <message>
        <source>Ｐ Ｉ 制御</source>
        <translation>PI control</translation>
    </message>
    <message>
        <source>ＰＩＤ制御</source>
        <translation>PID control</translation>
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
        <translation>Position form</translation>
    </message>
    <message>
        <source>速度型</source>
        <translation>Velocity form</translation>
    </message>
    <message>
        <source>速度型（本質継承）</source>
        <translation>Essence-inheriting</translation>
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
    <name>Messages</name>
    <message>
        <source>パラメータを初期化しますか？</source>
        <translation>Reset the parameters?</translation>
    </message>
    <message>
        <source>学習ファイルには書き込みできません。</source>
        <translation>A lesson file cannot be written to.</translation>
    </message>
    <message>
        <source>表示している手順が現在のプロジェクトの手順と一致しないため、書き込みませんでした。</source>
        <translation>The step shown is not the current step of the project, so it could not be written.</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｼﾞｪｸﾄ名にはﾌｧｲﾙ名だけを指定してください（フォルダの区切りや \ / : * ? &quot; &lt; &gt; | は使えません）。</source>
        <translation>Please give the project a file name only (folder separators and \ / : * ? &quot; &lt; &gt; | cannot be used).</translation>
    </message>
    <message>
        <source>同じﾌｧｲﾙが既に存在しています。</source>
        <translation>A file of the same name already exists.</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（%1）。</source>
        <translation>The project could not be created (%1).</translation>
    </message>
    <message>
        <source>プロジェクトの題名</source>
        <translation>Project title</translation>
    </message>
    <message>
        <source>プロジェクトの説明</source>
        <translation>Project description</translation>
    </message>
    <message>
        <source>手順の題名</source>
        <translation>Step title</translation>
    </message>
    <message>
        <source>手順の説明</source>
        <translation>Step description</translation>
    </message>
    <message>
        <source>「%1」は長すぎて保存できません（%2 バイトまで。全角文字は 2 バイト、改行は 4 バイトと数えます）。</source>
        <translation>&quot;%1&quot; is too long to be saved (at most %2 bytes; a full-width character counts as 2 bytes, a line break as 4).</translation>
    </message>
    <message>
        <source>学習の教材には書き込めません（書き込めるのはﾌﾟﾛｼﾞｪｸﾄだけです）。</source>
        <translation>Lessons cannot be written to (only projects can).</translation>
    </message>
</context>
<context>
    <name>QtMessageService</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ﾊｰﾄﾞｺﾋﾟｰ</source>
        <translation>Hard Copy</translation>
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
    <name>Replay</name>
    <message>
        <source>手順%1: </source>
        <translation>step %1: </translation>
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
    <name>RunControl</name>
    <message>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
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
    <name>kestrel::AnalysisChart</name>
    <message>
        <source>時間 [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>ラン %1</source>
        <translation>Run %1</translation>
    </message>
</context>
<context>
    <name>kestrel::AnalysisWindow</name>
    <message>
        <source>ラン %1</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Run Analysis</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>制限の表示</source>
        <translation>Show limits</translation>
    </message>
    <message>
        <source>クリック: カーソル&#x3000;ホイール: 時間軸の拡大&#x3000;右ドラッグ (Shift+ドラッグ): 範囲の拡大&#x3000;ダブルクリック: 全体</source>
        <translation>Click: cursor   Wheel: zoom time   Right-drag (Shift+drag): zoom to box   Double-click: all</translation>
    </message>
    <message>
        <source>CSV保存...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>CSV読込...</source>
        <translation>Load CSV...</translation>
    </message>
    <message>
        <source>画像保存...</source>
        <translation>Save Image...</translation>
    </message>
    <message>
        <source>レポート...</source>
        <translation>Report...</translation>
    </message>
    <message>
        <source>調整...</source>
        <translation>Tuning...</translation>
    </message>
    <message>
        <source>ステップ試験のランからモデルを同定し、調整則で PID のパラメータを求めます。</source>
        <translation>Identifies a model from a step-test run and works out the PID parameters with tuning rules.</translation>
    </message>
    <message>
        <source>ラン</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>チャンネル</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>制限</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>読み取り</source>
        <translation>Read-out</translation>
    </message>
    <message>
        <source>評価</source>
        <translation>Measures</translation>
    </message>
    <message>
        <source>● ラン %1</source>
        <translation>● Run %1</translation>
    </message>
    <message>
        <source>&#x3000; ラン %1</source>
        <translation>&#x3000; Run %1</translation>
    </message>
    <message>
        <source>保存するランがありません。チェックしたランが保存されます。</source>
        <translation>There is no run to save. The checked runs are saved.</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。
%1</source>
        <translation>The file could not be written.
%1</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。
%1</source>
        <translation>The file could not be read.
%1</translation>
    </message>
    <message>
        <source>ランの CSV ファイルとして読み込めませんでした。
%1
%2</source>
        <translation>The file could not be read as a CSV file of runs.
%1
%2</translation>
    </message>
    <message>
        <source>レポートに載せるランがありません。チェックしたランが載ります。</source>
        <translation>There is no run for the report. The checked runs go into it.</translation>
    </message>
    <message>
        <source>グラフに描かれたランがありません。</source>
        <translation>No run is drawn on the graph.</translation>
    </message>
    <message>
        <source>CSV保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>画像保存</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>レポート</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>画像の大きさ</source>
        <translation>Image Size</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>CSV読込</source>
        <translation>Load CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv);;すべて (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
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
    <name>kestrel::ChallengeWindow</name>
    <message>
        <source>挑戦</source>
        <translation>Challenges</translation>
    </message>
    <message>
        <source>課題</source>
        <translation>Challenge</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Tries</translation>
    </message>
    <message>
        <source>目標</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>重み</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>達成</source>
        <translation>Met</translation>
    </message>
    <message>
        <source>答え合わせ</source>
        <translation>Check Answer</translation>
    </message>
    <message>
        <source>K, L, T には正の数を入れてください。</source>
        <translation>Please enter positive numbers for K, L and T.</translation>
    </message>
    <message>
        <source>挑戦する</source>
        <translation>Start Challenge</translation>
    </message>
    <message>
        <source>課題の設定をパラメータ欄に入れます。自由に変えてよい欄を変えて OK を押し、コントローラパネルで走らせると採点されます。</source>
        <translation>Puts the challenge&apos;s settings into the parameter fields. Change the fields you are free to change, press OK and run on the Controller Panel to be scored.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
    <message>
        <source>保存...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>この挑戦の設定（自由な欄は最後に採点したランの値）をプロジェクトとして保存します。</source>
        <translation>Saves this challenge&apos;s settings (the free fields with the values of the last scored run) as a project.</translation>
    </message>
    <message>
        <source>%1（読めません）</source>
        <translation>%1 (unreadable)</translation>
    </message>
    <message>
        <source>挑戦がありません</source>
        <translation>No challenges</translation>
    </message>
    <message>
        <source>Study/Challenge フォルダに課題のファイルがありません。</source>
        <translation>The Study/Challenge folder has no challenge files.</translation>
    </message>
    <message>
        <source>制御の種類</source>
        <translation>Control type</translation>
    </message>
    <message>
        <source>計算形式（位置型・速度型）</source>
        <translation>Calculation form (position/velocity)</translation>
    </message>
    <message>
        <source>手動（Ｍ）でステップ試験をして、K, L, T を求めて答えてください。</source>
        <translation>Do a step test in Manual (M), work out K, L and T and give your answer.</translation>
    </message>
    <message>
        <source>自由に変えてよい設定: %1</source>
        <translation>Settings you may change: %1</translation>
    </message>
    <message>
        <source>（プロセスは隠されています）</source>
        <translation> (the process is hidden)</translation>
    </message>
    <message>
        <source>挑戦中: %1</source>
        <translation>In progress: %1</translation>
    </message>
    <message>
        <source>課題の設定を適用できませんでした（一時ファイルを書けません）。</source>
        <translation>The challenge&apos;s settings could not be applied (a temporary file could not be written).</translation>
    </message>
    <message>
        <source>挑戦中: ステップ試験をして K, L, T を答えてください。</source>
        <translation>In progress: do a step test and give K, L and T.</translation>
    </message>
    <message>
        <source>挑戦中: 自由な欄を変えて OK を押し、コントローラパネルで走らせてください。</source>
        <translation>In progress: change the free fields, press OK and run on the Controller Panel.</translation>
    </message>
    <message>
        <source>このランは採点しません: 課題の設定と違う設定か運転で走りました。固定の設定やモードを変えたときは「挑戦する」を押し直し、スタートから終わりまで走らせてください。</source>
        <translation>This run is not scored: it ran with settings or operation other than the challenge&apos;s. If you changed a fixed setting or the mode, press “Start Challenge” again and run from Start to the end.</translation>
    </message>
    <message>
        <source>・%1</source>
        <translation>• %1</translation>
    </message>
    <message>
        <source>得点 %1 点%2</source>
        <translation>Score: %1 points%2</translation>
    </message>
    <message>
        <source>&#x3000;全部の目標を達成しました！</source>
        <translation>   All goals met!</translation>
    </message>
    <message>
        <source>得点 %1 点&#x3000;正解は K %2, L %3 s, T %4 s（それぞれ %5, %6, %7 点）</source>
        <translation>Score: %1 points   The answer is K %2, L %3 s, T %4 s (%5, %6 and %7 points)</translation>
    </message>
    <message>
        <source>曲線が重なるほど、よい同定です。L は動き出すまでの時間、T は変化幅の 63.2 % に達するまでの時間（L のあと）です。</source>
        <translation>The closer the curves, the better the identification. L is the time until PV starts to move, T the time (after L) until it reaches 63.2 % of its change.</translation>
    </message>
    <message>
        <source>測定</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>あなたの答え</source>
        <translation>Your answer</translation>
    </message>
    <message>
        <source>正解</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>挑戦を保存</source>
        <translation>Save Challenge</translation>
    </message>
    <message>
        <source>プロジェクト (*.txt)</source>
        <translation>Projects (*.txt)</translation>
    </message>
</context>
<context>
    <name>kestrel::ComparePart</name>
    <message>
        <source>IAE（偏差の絶対値の積分）</source>
        <translation>IAE (integral of |error|)</translation>
    </message>
    <message>
        <source>オーバーシュート</source>
        <translation>Overshoot</translation>
    </message>
    <message>
        <source>整定時間</source>
        <translation>Settling time</translation>
    </message>
    <message>
        <source>外乱による最大偏差</source>
        <translation>Peak deviation from disturbance</translation>
    </message>
    <message>
        <source>MV 変化量</source>
        <translation>MV travel</translation>
    </message>
    <message>
        <source>比較を実行</source>
        <translation>Run Comparison</translation>
    </message>
    <message>
        <source>既定の試験</source>
        <translation>Default Test</translation>
    </message>
    <message>
        <source>プロセスの L と T に合わせた試験（ステップの時刻と時間）に戻します。</source>
        <translation>Returns to the test suited to the process&apos;s L and T (step times and duration).</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>At</translation>
    </message>
    <message>
        <source>SV の初期値</source>
        <translation>Initial SV</translation>
    </message>
    <message>
        <source>SV ステップ</source>
        <translation>SV step</translation>
    </message>
    <message>
        <source>外乱 DV ステップ</source>
        <translation>DV step</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>MV も描く</source>
        <translation>Draw MV too</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>調整則</source>
        <translation>Tuning rule</translation>
    </message>
    <message>
        <source>ｵｰﾊﾞｰｼｭｰﾄ %</source>
        <translation>Overshoot %</translation>
    </message>
    <message>
        <source>整定時間 s</source>
        <translation>Settling s</translation>
    </message>
    <message>
        <source>外乱 最大偏差</source>
        <translation>DV peak dev.</translation>
    </message>
    <message>
        <source>MV 変化量 %</source>
        <translation>MV travel %</translation>
    </message>
    <message>
        <source>リミット s</source>
        <translation>At limit s</translation>
    </message>
    <message>
        <source>選んだ行を適用</source>
        <translation>Apply Selected Row</translation>
    </message>
    <message>
        <source>選んだ行の制御の種類と Kp, Ti, Td をパラメータ欄に書き込みます。メインウィンドウの OK で設定されます。</source>
        <translation>Writes the selected row&apos;s control type and Kp, Ti, Td into the parameter fields. OK in the main window sets them.</translation>
    </message>
    <message>
        <source>順位の基準</source>
        <translation>Rank by</translation>
    </message>
    <message>
        <source>「調整則」で行を選んで（Ctrl や Shift で複数）「比較」を押すと、ここで同じ試験を走らせて比べます。</source>
        <translation>Select rows under “Tuning Rules” (several with Ctrl or Shift) and press “Compare”: they run here through the same test and are compared.</translation>
    </message>
    <message>
        <source>比べる設定がありません。「調整則」で行を選んで「比較」を押してください。</source>
        <translation>There are no settings to compare. Select rows under “Tuning Rules” and press “Compare”.</translation>
    </message>
    <message>
        <source>どの設定も、パラメータ（OK で設定済みのもの: 形式、リミット、dt %1 s、プロセス %2、外乱、フィードフォワード）でフィードバックを閉じ、SV・DV プログラムで同じ試験を走らせています。</source>
        <translation>Each setting closes the feedback loop with the parameters set with OK (form, limits, dt %1 s, process %2, disturbance, feedforward) and runs the same test with the SV and DV programs.</translation>
    </message>
    <message>
        <source>ランはシミュレータそのものなので、設定中のノイズやバルブの不感帯・バックラッシュ・スティクションも含みます（周波数応答のモデルには入りません）。</source>
        <translation>The runs are the simulator itself, so they include the noise and the valve&apos;s deadband, backlash and stiction set now (the frequency response&apos;s model leaves them out).</translation>
    </message>
    <message>
        <source>外乱の経路がないので、DV はプロセスの入力に加えています（Kd = 1）。</source>
        <translation>There is no disturbance path, so DV is added at the process input (Kd = 1).</translation>
    </message>
    <message>
        <source>外乱ステップの時刻が時間を過ぎています。</source>
        <translation>The disturbance step comes after the end of the test.</translation>
    </message>
    <message>
        <source>整定せず</source>
        <translation>not settled</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>kestrel::ConversionPart</name>
    <message>
        <source>PID の形式</source>
        <translation>PID forms</translation>
    </message>
    <message>
        <source>理想形 Kp(1 + 1/(Ti·s) + Td·s)</source>
        <translation>Ideal Kp(1 + 1/(Ti·s) + Td·s)</translation>
    </message>
    <message>
        <source>Ti 秒</source>
        <translation>Ti s</translation>
    </message>
    <message>
        <source>Td 秒</source>
        <translation>Td s</translation>
    </message>
    <message>
        <source>→ 並列形</source>
        <translation>→ Parallel</translation>
    </message>
    <message>
        <source>→ 直列形</source>
        <translation>→ Series</translation>
    </message>
    <message>
        <source>並列形 Kp + Ki/s + Kd·s</source>
        <translation>Parallel Kp + Ki/s + Kd·s</translation>
    </message>
    <message>
        <source>Ki 1/秒</source>
        <translation>Ki 1/s</translation>
    </message>
    <message>
        <source>Kd 秒</source>
        <translation>Kd s</translation>
    </message>
    <message>
        <source>→ 理想形</source>
        <translation>→ Ideal</translation>
    </message>
    <message>
        <source>直列形 Kp&apos;(1 + 1/(Ti&apos;·s))(1 + Td&apos;·s)</source>
        <translation>Series Kp&apos;(1 + 1/(Ti&apos;·s))(1 + Td&apos;·s)</translation>
    </message>
    <message>
        <source>Ti&apos; 秒</source>
        <translation>Ti&apos; s</translation>
    </message>
    <message>
        <source>Td&apos; 秒</source>
        <translation>Td&apos; s</translation>
    </message>
    <message>
        <source>比例帯</source>
        <translation>Proportional band</translation>
    </message>
    <message>
        <source>比例ゲイン</source>
        <translation>Proportional gain</translation>
    </message>
    <message>
        <source>→ 比例帯</source>
        <translation>→ Prop. band</translation>
    </message>
    <message>
        <source>→ 比例ゲイン</source>
        <translation>→ Prop. gain</translation>
    </message>
    <message>
        <source>積分時間</source>
        <translation>Integral time</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>分</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>Ti 分</source>
        <translation>Ti min</translation>
    </message>
    <message>
        <source>リピート/分</source>
        <translation>Repeats/min</translation>
    </message>
    <message>
        <source>目標値の重み</source>
        <translation>Set-point weights</translation>
    </message>
    <message>
        <source>現在の値</source>
        <translation>Current Values</translation>
    </message>
    <message>
        <source>調節計の欄の値（入力中の値を含む）を読み込みます。</source>
        <translation>Reads the values of the controller&apos;s fields (including values being typed).</translation>
    </message>
    <message>
        <source>計算式・注意</source>
        <translation>Formulas and notes</translation>
    </message>
    <message>
        <source>注意: %1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>調節計の欄の値を読み込みました。</source>
        <translation>The values of the controller&apos;s fields were read.</translation>
    </message>
    <message>
        <source>「%1」の値「%2」は数値ではありません。数値を入れてください。</source>
        <translation>The value “%2” of “%1” is not a number. Please enter a number.</translation>
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
    <name>kestrel::FrequencyPart</name>
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
    <message>
        <source>バルブの不感帯・バックラッシュ・スティクションと測定ノイズは線形のモデルに入らないので、ここでは除いています（実際のループはそのぶん余裕が小さくなり、ハンチングすることもあります）。</source>
        <translation>The valve&apos;s deadband, backlash and stiction and the measurement noise are not part of the linear model and are left out here (the real loop has smaller margins for them and may even hunt).</translation>
    </message>
    <message>
        <source>プロセスのパラメータ（Kpl, Tpl, Lpl）が数値ではありません。</source>
        <translation>The process parameters (Kpl, Tpl, Lpl) are not numbers.</translation>
    </message>
    <message>
        <source>プロセス詳細（Tpl2, Tv, Tf）が数値ではありません。</source>
        <translation>The process details (Tpl2, Tv, Tf) are not numbers.</translation>
    </message>
    <message>
        <source>バルブ遅れ Tv %1 s</source>
        <translation>valve lag Tv %1 s</translation>
    </message>
    <message>
        <source>センサフィルタ Tf %1 s</source>
        <translation>sensor filter Tf %1 s</translation>
    </message>
    <message>
        <source>連続時間</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>離散時間</source>
        <translation>Discrete</translation>
    </message>
    <message>
        <source>ゲイン余裕 GM</source>
        <translation>Gain margin GM</translation>
    </message>
    <message>
        <source>位相余裕 PM</source>
        <translation>Phase margin PM</translation>
    </message>
    <message>
        <source>調節計のパラメータ（Kp, Ti, Td, dT）が数値ではありません。</source>
        <translation>The controller parameters (Kp, Ti, Td, dT) are not numbers.</translation>
    </message>
    <message>
        <source>制御周期 dT は正の値にしてください。</source>
        <translation>Please make the control period dT positive.</translation>
    </message>
    <message>
        <source>調整に使うモデル: %1</source>
        <translation>Model for tuning: %1</translation>
    </message>
    <message>
        <source>設定中のプロセス: %1</source>
        <translation>Process in force: %1</translation>
    </message>
    <message>
        <source>シミュレータは制御周期 %1 秒の離散時間で計算します。</source>
        <translation>The simulator computes in discrete time with a control period of %1 s. </translation>
    </message>
    <message>
        <source>制御周期が無駄時間の 1/10 より長いので、離散時間のループの余裕も示します（遅れが増えるぶん余裕は小さくなります）。</source>
        <translation>The control period is longer than 1/10 of the dead time, so the discrete-time loop&apos;s margins are shown too (the added delay makes them smaller).</translation>
    </message>
    <message>
        <source>制御周期が無駄時間に比べて短いので、連続時間の余裕がよい近似です。</source>
        <translation>The control period is short beside the dead time, so the continuous-time margins are a good approximation.</translation>
    </message>
    <message>
        <source>ゲイン [dB]</source>
        <translation>Gain [dB]</translation>
    </message>
    <message>
        <source>位相 [°]</source>
        <translation>Phase [°]</translation>
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
    <name>kestrel::HelpLabel</name>
    <message>
        <source>ヘルプを開きます</source>
        <translation>Opens the help</translation>
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
    <name>kestrel::IdentifyPart</name>
    <message>
        <source>PV2 ← MV（内側ループ：二次調節計を手動にして）</source>
        <translation>PV2 ← MV (inner loop: secondary controller in Manual)</translation>
    </message>
    <message>
        <source>PV ← SV2（外側ループ：内側ループを閉じて）</source>
        <translation>PV ← SV2 (outer loop: inner loop closed)</translation>
    </message>
    <message>
        <source>カスケード制御は内側ループから調整します: まず PV2 ← MV で二次調節計を、次に内側ループを閉じたランの PV ← SV2 で主調節計を。</source>
        <translation>Cascade control is tuned from the inner loop out: first the secondary controller from PV2 ← MV, then the primary controller from PV ← SV2 of a run with the inner loop closed.</translation>
    </message>
    <message>
        <source>信号:</source>
        <translation>Signals:</translation>
    </message>
    <message>
        <source>接線法</source>
        <translation>Tangent method</translation>
    </message>
    <message>
        <source>2点法</source>
        <translation>Two-point method</translation>
    </message>
    <message>
        <source>最小二乗法</source>
        <translation>Least squares</translation>
    </message>
    <message>
        <source>閉ループ</source>
        <translation>Closed loop</translation>
    </message>
    <message>
        <source>採用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>このモデルを調整に使うモデルにします。</source>
        <translation>Makes this model the model for tuning.</translation>
    </message>
    <message>
        <source>閉ループで当てはめ</source>
        <translation>Fit Closed Loop</translation>
    </message>
    <message>
        <source>ランの調節計（種類・形式・パラメータ・リミット）と SV・DV のまま閉ループを走らせ直し、PV が最もよく合う K, L, T を求めます。</source>
        <translation>Runs the closed loop again with the run&apos;s controller (type, form, parameters, limits), SV and DV, and finds the K, L, T whose PV fits best.</translation>
    </message>
    <message>
        <source>ステップ試験のラン:</source>
        <translation>Step-test run:</translation>
    </message>
    <message>
        <source>ラン %1  %2</source>
        <translation>Run %1  %2</translation>
    </message>
    <message>
        <source>閉ループの当てはめ: %1</source>
        <translation>Closed-loop fit: %1</translation>
    </message>
    <message>
        <source>ランがありません。プロセスの MV をステップ状に変えたラン（開ループのステップ試験）を実行すると、ここで選べます。</source>
        <translation>There is no run. Run a step change of the process&apos;s MV (an open-loop step test) and you can choose it here.</translation>
    </message>
    <message>
        <source>積分プロセス（タンク）のランでは PV が落ち着かないので、一次遅れ＋無駄時間のモデルは求まりません（K は PV の傾き ÷ MV の変化、% / s / %）。</source>
        <translation>PV does not settle in a run of an integrating process (tank), so no first-order lag plus dead time model can be found (K is PV&apos;s slope ÷ the change of MV, % / s / %).</translation>
    </message>
    <message>
        <source>このランからはモデルを同定できません: %1</source>
        <translation>No model can be identified from this run: %1</translation>
    </message>
</context>
<context>
    <name>kestrel::RelayPart</name>
    <message>
        <source>推定値を使う</source>
        <translation>Use Estimate</translation>
    </message>
    <message>
        <source>厳密値を使う</source>
        <translation>Use Exact Values</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>リレー振幅 d</source>
        <translation>Relay amplitude d</translation>
    </message>
    <message>
        <source>ヒステリシス ε</source>
        <translation>Hysteresis ε</translation>
    </message>
    <message>
        <source>バイアス（MV の中心）</source>
        <translation>Bias (MV centre)</translation>
    </message>
    <message>
        <source>リレー試験: 振幅 a = %1 %、周期 Pu = %2 秒</source>
        <translation>Relay test: amplitude a = %1 %, period Pu = %2 s</translation>
    </message>
    <message>
        <source>推定 Ku = 4d/(π√(a²−ε²)) = %1</source>
        <translation>Estimated Ku = 4d/(π√(a²−ε²)) = %1</translation>
    </message>
    <message>
        <source>（時間内に振動が一定になりませんでした。最後の周期の値です）</source>
        <translation>(The oscillation did not become steady in time: these are the last period&apos;s values.)</translation>
    </message>
    <message>
        <source>「実行」でリレー試験を行います。</source>
        <translation>“Run” performs the relay test.</translation>
    </message>
    <message>
        <source>モデルの厳密値: Ku = %1、Pu = %2 秒</source>
        <translation>Exact values of the model: Ku = %1, Pu = %2 s</translation>
    </message>
    <message>
        <source>推定値は厳密値より Ku で %1 %、Pu で %2 % ずれています。</source>
        <translation>The estimates differ from the exact values by %1 % in Ku and %2 % in Pu. </translation>
    </message>
    <message>
        <source>（制御周期が長いので、そのぶんの遅れもずれに加わります）</source>
        <translation>(The long control period adds its delay to the difference.) </translation>
    </message>
    <message>
        <source>記述関数法は PV の振動を正弦波とみなす近似です。一次遅れ＋無駄時間のプロセスでは推定 Ku が厳密値より低めに出ます（レッスン 9.5 のプロセスで約 16 % 低め）が、Pu は数 % 以内で合います。</source>
        <translation>The describing-function method takes PV&apos;s oscillation as a sine wave, an approximation: for a first-order lag plus dead time process the estimated Ku comes out low (about 16 % low for the process of lesson 9.5), while Pu agrees within a few %.</translation>
    </message>
    <message>
        <source>このモデルは位相が −180° に達しない（無駄時間がない）ので、限界感度がありません。</source>
        <translation>This model&apos;s phase never reaches −180° (it has no dead time), so it has no ultimate gain.</translation>
    </message>
    <message>
        <source>リレー試験の PV と MV をここに描きます。</source>
        <translation>The relay test&apos;s PV and MV are drawn here.</translation>
    </message>
    <message>
        <source>時間 [秒]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>PV（青）・MV（赤） [%]</source>
        <translation>PV (blue), MV (red) [%]</translation>
    </message>
</context>
<context>
    <name>kestrel::RulesPart</name>
    <message>
        <source>限界感度 Ku（空欄: 使わない）</source>
        <translation>Ultimate gain Ku (empty: not used)</translation>
    </message>
    <message>
        <source>限界周期 Pu s（空欄: 使わない）</source>
        <translation>Ultimate period Pu s (empty: not used)</translation>
    </message>
    <message>
        <source>ラムダ法と IMC の閉ループ時定数 λ s（空欄: 既定値）</source>
        <translation>Closed-loop time constant λ s of the lambda and IMC rules (empty: default)</translation>
    </message>
    <message>
        <source>SIMC の閉ループ時定数 τc s（空欄: L）</source>
        <translation>Closed-loop time constant τc s of SIMC (empty: L)</translation>
    </message>
    <message>
        <source>調整則</source>
        <translation>Tuning rule</translation>
    </message>
    <message>
        <source>制御</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>行を選ぶと、その値の求め方（式と代入した数値）が表示されます。</source>
        <translation>Select a row to see how its values are found (the formulas with the numbers put in).</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>選んだ行の制御の種類と Kp, Ti, Td をパラメータ欄に書き込みます。メインウィンドウの OK で設定されます。</source>
        <translation>Writes the selected row&apos;s control type and Kp, Ti, Td into the parameter fields. OK in the main window sets them.</translation>
    </message>
    <message>
        <source>比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>選んだ行（Ctrl や Shift で複数選べます）を、同じ SV ステップと外乱で一つずつ走らせ、重ねて描き、評価指標で順位を付けます。</source>
        <translation>Runs the selected rows (several with Ctrl or Shift) one by one with the same SV step and disturbance, draws them over each other and ranks them by the performance measures.</translation>
    </message>
    <message>
        <source>選んだ行:</source>
        <translation>Selected row:</translation>
    </message>
    <message>
        <source>モデルがありません。「同定」で「採用」するか、上の K, L, T 欄に入れてください。</source>
        <translation>There is no model. “Adopt” one under “Identification” or enter K, L, T in the fields above.</translation>
    </message>
    <message>
        <source>%1 が数値ではありません（使わずに求めています）。</source>
        <translation>Not a number, left out: %1.</translation>
    </message>
    <message>
        <source>Ku と Pu は両方入れると使われます。</source>
        <translation>Ku and Pu are used only when both are entered.</translation>
    </message>
    <message>
        <source>%1  %2 制御</source>
        <translation>%1  %2 control</translation>
    </message>
    <message>
        <source>選んだ行の制御の種類と Kp, Ti, Td を二次ループの Kp2, Ti2, Td2 欄に書き込みます。二次ループの OK で設定されます。</source>
        <translation>Writes the selected row&apos;s control type and Kp, Ti, Td into the secondary loop&apos;s fields Kp2, Ti2, Td2. OK in the secondary loop sets them.</translation>
    </message>
    <message>
        <source>比較は主調節計を走らせます。内側ループのモデルの調整則は、二次ループに適用してから内側ループのステップで確かめてください。</source>
        <translation>Compare runs the primary controller. Apply a rule of the inner loop&apos;s model to the secondary loop, then check it with a step of the inner loop.</translation>
    </message>
    <message>
        <source>%1 制御を二次ループの欄に書き込みました。二次ループの OK で設定されます。</source>
        <translation>%1 control was written into the secondary loop&apos;s fields. OK in the secondary loop sets it.</translation>
    </message>
    <message>
        <source>%1 制御をパラメータ欄に書き込みました。メインウィンドウの OK で設定されます。</source>
        <translation>%1 control was written into the parameter fields. OK in the main window sets it.</translation>
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
    <name>kestrel::StabilityPart</name>
    <message>
        <source>CHR目0</source>
        <translation>CHR sp0</translation>
    </message>
    <message>
        <source>CHR目20</source>
        <translation>CHR sp20</translation>
    </message>
    <message>
        <source>CHR外0</source>
        <translation>CHR ld0</translation>
    </message>
    <message>
        <source>CHR外20</source>
        <translation>CHR ld20</translation>
    </message>
    <message>
        <source>ZN限界</source>
        <translation>ZN ult.</translation>
    </message>
    <message>
        <source>PI 制御の安定領域（青い部分）です。平面をクリックすると、その Kp と Ti = Kp/Ki を調節計の欄に入れます（OK で確定）。</source>
        <translation>The stability region of PI control (blue). A click on the plane puts its Kp and Ti = Kp/Ki into the controller&apos;s fields (OK confirms them).</translation>
    </message>
    <message>
        <source>現在</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Kp と Ki が正になる点（右上の象限）を選んでください。</source>
        <translation>Please choose a point where Kp and Ki are positive (the upper right quadrant).</translation>
    </message>
    <message>
        <source>Kp = %1、Ki = %2 /秒（Ti = %3 秒）を調節計の欄に入れました%4。OK で確定します。</source>
        <translation>Kp = %1, Ki = %2 /s (Ti = %3 s) put into the controller&apos;s fields%4. OK confirms them.</translation>
    </message>
    <message>
        <source>（安定領域の内側）</source>
        <translation> (inside the stability region)</translation>
    </message>
    <message>
        <source>（安定領域の外側: 不安定になります）</source>
        <translation> (outside the stability region: unstable)</translation>
    </message>
    <message>
        <source>%1 は欄の上限 %2 を超えるので、OK で %2 になります。</source>
        <translation>%1 exceeds the field&apos;s upper limit %2, so OK makes it %2.</translation>
    </message>
    <message>
        <source>Ki = Kp/Ti [1/秒]</source>
        <translation>Ki = Kp/Ti [1/s]</translation>
    </message>
</context>
<context>
    <name>kestrel::StepTestChart</name>
    <message>
        <source>ランがありません。</source>
        <translation>No run.</translation>
    </message>
    <message>
        <source>時間 s</source>
        <translation>Time s</translation>
    </message>
    <message>
        <source>%1（実測）</source>
        <translation>%1 (measured)</translation>
    </message>
    <message>
        <source>接線</source>
        <translation>Tangent line</translation>
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
    <name>kestrel::TuningWindow</name>
    <message>
        <source>調整</source>
        <translation>Tuning Workbench</translation>
    </message>
    <message>
        <source>プロセスゲイン K（PV % / MV %）</source>
        <translation>Process gain K (PV % / MV %)</translation>
    </message>
    <message>
        <source>むだ時間 L s</source>
        <translation>Dead time L s</translation>
    </message>
    <message>
        <source>時定数 T s</source>
        <translation>Time constant T s</translation>
    </message>
    <message>
        <source>調整に使うモデル（積分）  K·e&lt;sup&gt;−Ls&lt;/sup&gt; / (s(1 + Ts)):</source>
        <translation>Model for tuning (integrating)  K·e&lt;sup&gt;−Ls&lt;/sup&gt; / (s(1 + Ts)):</translation>
    </message>
    <message>
        <source>調整に使うモデル  K·e&lt;sup&gt;−Ls&lt;/sup&gt; / (1 + Ts):</source>
        <translation>Model for tuning  K·e&lt;sup&gt;−Ls&lt;/sup&gt; / (1 + Ts):</translation>
    </message>
    <message>
        <source>同定</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>調整則</source>
        <translation>Tuning Rules</translation>
    </message>
    <message>
        <source>比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>限界感度</source>
        <translation>Ultimate Gain</translation>
    </message>
    <message>
        <source>周波数応答</source>
        <translation>Frequency Response</translation>
    </message>
    <message>
        <source>安定領域</source>
        <translation>Stability Region</translation>
    </message>
    <message>
        <source>形式変換</source>
        <translation>Conversions</translation>
    </message>
    <message>
        <source>内側ループ（PV2 ← MV）のモデル: 調整則の「適用」は二次調節計（Kp2, Ti2, Td2）へ。二次調節計を調整したら、内側ループを閉じて外側ループを同定します。</source>
        <translation>Inner-loop model (PV2 ← MV): the rules&apos; “Apply” sets the secondary controller (Kp2, Ti2, Td2). Then close the inner loop and identify the outer loop.</translation>
    </message>
    <message>
        <source>外側ループ（%1 ← %2、内側ループを閉じて）のモデル: 調整則の「適用」は主調節計へ。</source>
        <translation>Outer-loop model (%1 ← %2, inner loop closed): the rules&apos; “Apply” writes to the primary controller.</translation>
    </message>
    <message>
        <source>%1 を入れてください。</source>
        <translation>Please enter %1.</translation>
    </message>
    <message>
        <source>%1 が数値ではありません。</source>
        <translation>%1 is not a number.</translation>
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
        <translation>About Kestrel</translation>
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
    <message>
        <source>ペンレコーダ記録 %1</source>
        <translation>Pen Recorder strip %1</translation>
    </message>
    <message>
        <source>ペンレコーダの記録紙</source>
        <translation>The pen recorder&apos;s chart paper</translation>
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
    <message>
        <source>手順%1 : </source>
        <translation>Step %1 : </translation>
    </message>
</context>
</TS>
