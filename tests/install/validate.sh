#!/bin/sh
# validate.sh desktop|metainfo PREFIX APP_ID: validates the installed desktop entry or metainfo.
# Exit 77 (skipped) when the validator is not installed; scripts/install-deps.sh installs both.
what=$1 prefix=$2 id=$3
case $what in
desktop) tool=desktop-file-validate file=$prefix/share/applications/$id.desktop ;;
metainfo) tool=appstreamcli file=$prefix/share/metainfo/$id.metainfo.xml ;;
*) echo "validate.sh: unknown check $what" >&2; exit 2 ;;
esac
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "$tool is not installed: the $what check is skipped (scripts/install-deps.sh installs it)"
  exit 77
fi
if [ "$what" = desktop ]; then
  out=$(desktop-file-validate "$file") || { echo "$out"; exit 1; }
  # Hints are advice; warnings and errors fail the check.
  echo "$out" | grep -v ': hint: ' | grep . && exit 1
  exit 0
fi
appstreamcli validate --no-net "$file"
