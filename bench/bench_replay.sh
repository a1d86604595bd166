#!/usr/bin/env bash
# Whole-process time of kestrel-sim replaying a long project: 4,001 steps, each with a title, a
# two-line text and a few parameter keys, run for 1 s of simulated time each.
# Usage: bench/bench_replay.sh [build dir] [steps]   (defaults: build, 4001)
set -euo pipefail
build=${1:-build}
steps=${2:-4001}
sim="$build/bin/kestrel-sim"
[ -x "$sim" ] || { echo "no $sim: build first (make build)"; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/Study" "$dir/Project"
cp "$build/bin/Study/ParaInz.txt" "$dir/Study/"
cp "$build/bin/Kestrel.ini" "$dir/" 2>/dev/null || true
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
echo "kestrel-sim, $steps steps of 1 s: $(( (end - start) / 1000000 )) ms"
