#!/usr/bin/env bash
# Whole-process times of kestrel-sim: one lesson step (a 50-s run at dt 0.1 s), repeated; then a
# long project, 4,001 steps with a title, a two-line text and a few keys each, run for 1 s of
# simulated time each with --all.
# Usage: bench/bench_sim.sh [build dir] [repetitions] [steps]   (defaults: build, 50, 4001)
set -euo pipefail
build=${1:-build}
reps=${2:-50}
steps=${3:-4001}
sim="$build/bin/kestrel-sim"
[ -x "$sim" ] || { echo "no $sim: build first (make build)"; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/Study" "$dir/Project"
cp "$build/bin/Study/ParaInz.txt" "$build/bin/Kestrel.ini" "$dir/" 2>/dev/null || true
cp "$build/bin/Study/ParaInz.txt" "$dir/Study/"
printf '[説明]\r\nTITLE1=計測\r\n[手順1]\r\nTITLE2=PI制御\r\nTYPE_SELECT=1\r\nKp=1.20\r\nTi=6.00\r\nMODE=2\r\nSVv0=50\r\nSVt1=1\r\nSVv1=50\r\nSVt2=1\r\nSVv2=60\r\nGRAPH_TM=50\r\n' \
  | iconv -f UTF-8 -t CP932 > "$dir/Study/B.txt"

times=()
for _ in $(seq "$reps"); do
  start=$(date +%s%N)
  "$sim" --app-dir "$dir" --lesson B.txt > /dev/null 2>&1
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | awk -v n="$reps" 'NR == int((n + 1) / 2) { print }')
max=$(echo "$sorted" | tail -n 1)
echo "kestrel-sim, one 50-s step at dt 0.1 s: median $((median / 1000)).$(( (median % 1000) / 100 )) ms, max $((max / 1000)).$(( (max % 1000) / 100 )) ms over $reps runs"

awk -v n="$steps" 'BEGIN {
  printf "[説明]\r\nTITLE1=長い自習\r\nTEXT1=手順の多いプロジェクトです。<BR>二行目\r\n\r\n"
  for (k = 1; k <= n; ++k) {
    printf "[手順%d]\r\nTITLE2=手順%dの実験\r\nTEXT2=比例ゲインを変えます。<BR>結果を見ます。\r\n", k, k
    printf "Kp=%.2f\r\nTi=%.2f\r\nMODE=1\r\nGRAPH_TM=1\r\n\r\n", 1 + (k % 9) / 10, 2 + (k % 5)
  }
}' | iconv -f UTF-8 -t CP932 > "$dir/Project/big.txt"
touch -d '1 hour ago' "$dir/Project/big.txt" # at rest, as a project between sessions
start=$(date +%s%N)
"$sim" --app-dir "$dir" --file "$dir/Project/big.txt" --step "$steps" --all > /dev/null 2>&1
end=$(date +%s%N)
echo "kestrel-sim, a project of $steps steps of 1 s with --all: $(( (end - start) / 1000000 )) ms"
