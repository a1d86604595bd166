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
        <translation>White</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>ﾏｾﾞﾝﾀﾞ</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>ｼｱﾝ</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>①&#x3000;目標値（SV）</source>
        <translation>① Set point (SV)</translation>
    </message>
    <message>
        <source>②&#x3000;偏差（ｅ）</source>
        <translation>② Deviation (e)</translation>
    </message>
    <message>
        <source>③&#x3000;比例項（Ｐ）</source>
        <translation>③ Prop. term (P)</translation>
    </message>
    <message>
        <source>④&#x3000;積分項（Ｉ）</source>
        <translation>④ Int. term (I)</translation>
    </message>
    <message>
        <source>⑤&#x3000;微分（Ｄ）</source>
        <translation>⑤ Derivative (D)</translation>
    </message>
    <message>
        <source>⑥&#x3000;操作出力（MV）</source>
        <translation>⑥ Controller output (MV)</translation>
    </message>
    <message>
        <source>⑦&#x3000;外乱（ＤS）</source>
        <translation>⑦ Disturbance (DS)</translation>
    </message>
    <message>
        <source>⑧&#x3000;FF補正量（FF）</source>
        <translation>⑧ FF correction (FF)</translation>
    </message>
    <message>
        <source>⑨&#x3000;外乱１（DS１）</source>
        <translation>⑨ Disturbance 1 (DS1)</translation>
    </message>
    <message>
        <source>⑩&#x3000;外乱２（DS２）</source>
        <translation>⑩ Disturbance 2 (DS2)</translation>
    </message>
    <message>
        <source>⑪&#x3000;ﾌﾟﾛｾｽ値（PV）</source>
        <translation>⑪ Process variable (PV)</translation>
    </message>
    <message>
        <source>⑫&#x3000;真のPV（PVtrue）</source>
        <translation>⑫ True PV (PVtrue)</translation>
    </message>
    <message>
        <source>⑬&#x3000;ﾊﾞﾙﾌﾞ開度（VP）</source>
        <translation>⑬ Valve position (VP)</translation>
    </message>
    <message>
        <source>⑭&#x3000;二次目標値（SV2）</source>
        <translation>⑭ Secondary SV (SV2)</translation>
    </message>
    <message>
        <source>⑮&#x3000;二次PV（PV2）</source>
        <translation>⑮ Secondary PV (PV2)</translation>
    </message>
    <message>
        <source>⑯&#x3000;二次比例項（P2）</source>
        <translation>⑯ Secondary P term (P2)</translation>
    </message>
    <message>
        <source>⑰&#x3000;二次積分項（I2）</source>
        <translation>⑰ Secondary I term (I2)</translation>
    </message>
    <message>
        <source>⑱&#x3000;二次微分（D2）</source>
        <translation>⑱ Secondary D term (D2)</translation>
    </message>
    <message>
        <source>② 偏差（ｅ）</source>
        <translation>② Deviation (e)</translation>
    </message>
    <message>
        <source>③ 比例項（Ｐ）</source>
        <translation>③ Prop. term (P)</translation>
    </message>
    <message>
        <source>④ 積分項（Ｉ）</source>
        <translation>④ Int. term (I)</translation>
    </message>
    <message>
        <source>⑤ 微分（Ｄ）</source>
        <translation>⑤ Derivative (D)</translation>
    </message>
    <message>
        <source>② 偏差１（ｅ1）</source>
        <translation>② Deviation 1 (e1)</translation>
    </message>
    <message>
        <source>③ 偏差２（ｅ2）</source>
        <translation>③ Deviation 2 (e2)</translation>
    </message>
    <message>
        <source>④ Ｐ＋Ｉ&#x3000;項</source>
        <translation>④ P+I term</translation>
    </message>
</context>
<context>
    <name>Messages</name>
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
    <name>Replay</name>
    <message>
        <source>手順%1: </source>
        <translation>step %1: </translation>
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
    <name>kestrel::HelpLabel</name>
    <message>
        <source>ヘルプを開きます</source>
        <translation>Opens the help</translation>
    </message>
</context>
</TS>
