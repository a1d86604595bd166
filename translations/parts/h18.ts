<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
        <source>クリック: カーソル　ホイール: 時間軸の拡大　右ドラッグ (Shift+ドラッグ): 範囲の拡大　ダブルクリック: 全体</source>
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
        <source>　 ラン %1</source>
        <translation>　 Run %1</translation>
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
        <translation>Puts the challenge's settings into the parameter fields. Change the fields you are free to change, press OK and run on the Controller Panel to be scored.</translation>
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
        <translation>Saves this challenge's settings (the free fields with the values of the last scored run) as a project.</translation>
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
        <translation>The challenge's settings could not be applied (a temporary file could not be written).</translation>
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
        <translation>This run is not scored: it ran with settings or operation other than the challenge's. If you changed a fixed setting or the mode, press “Start Challenge” again and run from Start to the end.</translation>
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
        <source>　全部の目標を達成しました！</source>
        <translation>   All goals met!</translation>
    </message>
    <message>
        <source>得点 %1 点　正解は K %2, L %3 s, T %4 s（それぞれ %5, %6, %7 点）</source>
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
        <translation>Returns to the test suited to the process's L and T (step times and duration).</translation>
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
        <translation>Writes the selected row's control type and Kp, Ti, Td into the parameter fields. OK in the main window sets them.</translation>
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
        <translation>The runs are the simulator itself, so they include the noise and the valve's deadband, backlash and stiction set now (the frequency response's model leaves them out).</translation>
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
        <source>直列形 Kp'(1 + 1/(Ti'·s))(1 + Td'·s)</source>
        <translation>Series Kp'(1 + 1/(Ti'·s))(1 + Td'·s)</translation>
    </message>
    <message>
        <source>Ti' 秒</source>
        <translation>Ti' s</translation>
    </message>
    <message>
        <source>Td' 秒</source>
        <translation>Td' s</translation>
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
        <translation>Reads the values of the controller's fields (including values being typed).</translation>
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
        <translation>The values of the controller's fields were read.</translation>
    </message>
    <message>
        <source>「%1」の値「%2」は数値ではありません。数値を入れてください。</source>
        <translation>The value “%2” of “%1” is not a number. Please enter a number.</translation>
    </message>
</context>
<context>
    <name>kestrel::FrequencyPart</name>
    <message>
        <source>バルブの不感帯・バックラッシュ・スティクションと測定ノイズは線形のモデルに入らないので、ここでは除いています（実際のループはそのぶん余裕が小さくなり、ハンチングすることもあります）。</source>
        <translation>The valve's deadband, backlash and stiction and the measurement noise are not part of the linear model and are left out here (the real loop has smaller margins for them and may even hunt).</translation>
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
        <translation>The control period is longer than 1/10 of the dead time, so the discrete-time loop's margins are shown too (the added delay makes them smaller).</translation>
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
        <translation>Adopt</translation>
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
        <translation>Runs the closed loop again with the run's controller (type, form, parameters, limits), SV and DV, and finds the K, L, T whose PV fits best.</translation>
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
        <translation>There is no run. Run a step change of the process's MV (an open-loop step test) and you can choose it here.</translation>
    </message>
    <message>
        <source>積分プロセス（タンク）のランでは PV が落ち着かないので、一次遅れ＋無駄時間のモデルは求まりません（K は PV の傾き ÷ MV の変化、% / s / %）。</source>
        <translation>PV does not settle in a run of an integrating process (tank), so no first-order lag plus dead time model can be found (K is PV's slope ÷ the change of MV, % / s / %).</translation>
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
        <translation>(The oscillation did not become steady in time: these are the last period's values.)</translation>
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
        <translation>The describing-function method takes PV's oscillation as a sine wave, an approximation: for a first-order lag plus dead time process the estimated Ku comes out low (about 16 % low for the process of lesson 9.5), while Pu agrees within a few %.</translation>
    </message>
    <message>
        <source>このモデルは位相が −180° に達しない（無駄時間がない）ので、限界感度がありません。</source>
        <translation>This model's phase never reaches −180° (it has no dead time), so it has no ultimate gain.</translation>
    </message>
    <message>
        <source>リレー試験の PV と MV をここに描きます。</source>
        <translation>The relay test's PV and MV are drawn here.</translation>
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
        <translation>Writes the selected row's control type and Kp, Ti, Td into the parameter fields. OK in the main window sets them.</translation>
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
        <translation>Writes the selected row's control type and Kp, Ti, Td into the secondary loop's fields Kp2, Ti2, Td2. OK in the secondary loop sets them.</translation>
    </message>
    <message>
        <source>比較は主調節計を走らせます。内側ループのモデルの調整則は、二次ループに適用してから内側ループのステップで確かめてください。</source>
        <translation>Compare runs the primary controller. Apply a rule of the inner loop's model to the secondary loop, then check it with a step of the inner loop.</translation>
    </message>
    <message>
        <source>%1 制御を二次ループの欄に書き込みました。二次ループの OK で設定されます。</source>
        <translation>%1 control was written into the secondary loop's fields. OK in the secondary loop sets it.</translation>
    </message>
    <message>
        <source>%1 制御をパラメータ欄に書き込みました。メインウィンドウの OK で設定されます。</source>
        <translation>%1 control was written into the parameter fields. OK in the main window sets it.</translation>
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
        <translation>The stability region of PI control (blue). A click on the plane puts its Kp and Ti = Kp/Ki into the controller's fields (OK confirms them).</translation>
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
        <translation>Kp = %1, Ki = %2 /s (Ti = %3 s) put into the controller's fields%4. OK confirms them.</translation>
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
        <translation>%1 exceeds the field's upper limit %2, so OK makes it %2.</translation>
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
        <translation>Inner-loop model (PV2 ← MV): the rules' “Apply” sets the secondary controller (Kp2, Ti2, Td2). Then close the inner loop and identify the outer loop.</translation>
    </message>
    <message>
        <source>外側ループ（%1 ← %2、内側ループを閉じて）のモデル: 調整則の「適用」は主調節計へ。</source>
        <translation>Outer-loop model (%1 ← %2, inner loop closed): the rules' “Apply” writes to the primary controller.</translation>
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
</TS>
