#!/usr/bin/env bash
# Whole-program figure: the wall time of a learner's first paced run (50 s at dt 100 ms).
# Usage: bench/bench_paced.sh [build dir]   (default: build)
set -euo pipefail
build=${1:-build}
exe="$build/bench/bench_paced"
[ -x "$exe" ] || { echo "no $exe: build first (make build)"; exit 1; }
QT_QPA_PLATFORM=offscreen "$exe"
