#!/usr/bin/env bash
# Checks the tracked sources for the house style: C++ as .clang-format formats it, no tabs (except
# in the Makefile's recipes), no trailing blanks, LF line ends. Lesson and test data files are
# CP932 text with CR LF as the program writes them, and are left alone.
#   scripts/stylecheck.sh          check, list each difference, exit 1 when there is one
#   scripts/stylecheck.sh --fix    rewrite the C++ files with clang-format instead
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
[ "${1:-}" = "--fix" ] && fix=1

formatter=""
for c in clang-format clang-format-14; do
  if command -v "$c" >/dev/null 2>&1; then formatter=$c; break; fi
done
if [ -z "$formatter" ]; then
  echo "stylecheck: clang-format is missing (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

# Text sources: everything tracked except the data files, images and icons.
mapfile -t sources < <(git ls-files | grep -Ev '^(data/|tests/data/|fuzz/corpus/|docs/images/)' |
  grep -Ev '\.(png|ico|qm|svg)$')
mapfile -t cxx < <(printf '%s\n' "${sources[@]}" | grep -E '\.(cpp|h)$')

if [ "$fix" = 1 ]; then
  "$formatter" -i "${cxx[@]}"
  exit 0
fi

status=0
for f in "${cxx[@]}"; do
  if ! "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "$f: not formatted as .clang-format says (scripts/stylecheck.sh --fix)"
    "$formatter" "$f" | diff -u "$f" - | head -n 20 || true
    status=1
  fi
done
for f in "${sources[@]}"; do
  [ -f "$f" ] || continue
  if [ "$f" != Makefile ] && grep -nP '\t' "$f" | head -n 3 | sed "s|^|$f:|; s|$| (tab)|" | grep .; then
    status=1
  fi
  if grep -nP '[ \t]+$' "$f" | head -n 3 | sed "s|^|$f:|; s|$|(trailing blank)|" | grep .; then
    status=1
  fi
  if grep -qP '\r' "$f"; then
    echo "$f: CR LF line ends (sources use LF)"
    status=1
  fi
done
[ "$status" = 0 ] && echo "stylecheck: $((${#sources[@]})) files in house style"
exit "$status"
