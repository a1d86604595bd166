#!/usr/bin/env bash
# Gathers every text of the program for translation into translations/kestrel_en.ts (new texts
# are added unfinished, texts no longer in the code are dropped), or with --check verifies on a
# copy that every text of the code has its finished English translation.
#   scripts/update-translations.sh           update translations/kestrel_en.ts in place
#   scripts/update-translations.sh --check   exit 1 and list what is untranslated
set -euo pipefail
cd "$(dirname "$0")/.."

bin=/usr/lib/qt6/bin
lupdate=$(command -v "$bin/lupdate" || command -v lupdate || true)
lrelease=$(command -v "$bin/lrelease" || command -v lrelease || true)
if [ -z "$lupdate" ] || [ -z "$lrelease" ]; then
  echo "lupdate/lrelease not found: install qt6-l10n-tools (make deps)" >&2
  exit 2
fi

# The Qt-free layers mark their texts with KESTREL_TR and KESTREL_TR_NOOP (core/translate.h).
lupdate_args=(-tr-function-alias "QT_TRANSLATE_NOOP+=KESTREL_TR,QT_TRANSLATE_NOOP+=KESTREL_TR_NOOP"
              -source-language ja -target-language en -locations none -no-obsolete -silent
              -I src -extensions cpp,h src)

ts=translations/kestrel_en.ts
if [ "${1:-}" != "--check" ]; then
  "$lupdate" "${lupdate_args[@]}" -ts "$ts"
  "$lrelease" "$ts" -qm /dev/null | tail -n 1
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/kestrel_en.ts"
"$lupdate" "${lupdate_args[@]}" -ts "$work/kestrel_en.ts"
report=$("$lrelease" "$work/kestrel_en.ts" -qm "$work/kestrel_en.qm")
echo "$report" | tail -n 1
# A text lupdate has just added has no translation at all: lrelease counts it as "untranslated"
# (ignored), not as unfinished, so both counts must be nil.
if ! echo "$report" | grep -q " 0 unfinished)" || echo "$report" | grep -q "untranslated source text"; then
  echo "Untranslated texts (run scripts/update-translations.sh and translate them in $ts):" >&2
  # Each unfinished message's context and source text.
  awk '/<name>/ { gsub(/.*<name>|<\/name>.*/, ""); ctx = $0 }
       /<source>/ { src = $0; gsub(/.*<source>|<\/source>.*/, "", src) }
       /type="unfinished"/ { print "  " ctx ": " src }' "$work/kestrel_en.ts" >&2
  exit 1
fi
