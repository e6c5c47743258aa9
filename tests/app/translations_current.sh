#!/usr/bin/env bash
# The translation files are current and complete: lupdate, run on copies of
# them as `make translations` runs it, changes nothing (no tr() text is new
# or gone), and no entry lacks its translation.
#   translations_current.sh <lupdate> "<lupdate options>" <source folder> <ts file>...
set -u
lupdate=$1
read -ra options <<< "$2"
sources=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

copies=()
for ts in "$@"; do
  cp "$ts" "$work/"
  copies+=("$work/$(basename "$ts")")
done
if ! "$lupdate" "${options[@]}" "$sources" -ts "${copies[@]}" > "$work/lupdate.log" 2>&1; then
  cat "$work/lupdate.log"
  echo "FAIL: lupdate failed"
  exit 1
fi

failed=0
for ts in "$@"; do
  name=$(basename "$ts")
  copy=$work/$name
  if ! cmp -s "$ts" "$copy"; then
    echo "FAIL: $name does not match the sources' texts (run make translations, then translate what is new):"
    diff -u "$ts" "$copy" | head -40
    failed=1
  fi
  # The entry's source line is shown before its empty or unfinished translation.
  if grep -B1 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$copy"; then
    echo "FAIL: $name has texts without a translation (above)"
    failed=1
  fi
done
if [ $failed = 0 ]; then
  echo "$# translation files current and complete"
fi
exit $failed
