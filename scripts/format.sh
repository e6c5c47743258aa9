#!/usr/bin/env bash
# The C++ sources (src, tests, examples, fuzz, bench) formatted per .clang-format.
#   scripts/format.sh --check   names each file that is not formatted and how
#                               many places differ; fails if there is one
#   scripts/format.sh --fix     formats them in place
# The style is that of clang-format 14 (other versions break some lines
# differently); CLANG_FORMAT names the program, default clang-format-14 or
# clang-format. --check exits 77 (skipped) where that program is missing or
# is another version.
set -euo pipefail

mode=${1:-}
case $mode in
  --check | --fix) ;;
  *) echo "usage: scripts/format.sh --check | --fix" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

clang_format=${CLANG_FORMAT:-}
if [ -z "$clang_format" ]; then
  clang_format=$(command -v clang-format-14 || command -v clang-format || true)
fi
if [ -z "$clang_format" ] || ! command -v "$clang_format" > /dev/null; then
  echo "format: clang-format not found (scripts/install-deps.sh installs it)" >&2
  [ "$mode" = --check ] && exit 77
  exit 1
fi
version=$("$clang_format" --version)
if ! [[ $version =~ version\ 14\. ]]; then
  echo "format: $clang_format is not clang-format 14: $version" >&2
  [ "$mode" = --check ] && exit 77
  exit 1
fi

mapfile -t files < <(find src tests examples fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)

if [ "$mode" = --fix ]; then
  "$clang_format" -i "${files[@]}"
  exit 0
fi

# One warning per place, "<file>:<line>:<column>: error: code should be clang-formatted".
report=$("$clang_format" --dry-run "${files[@]}" 2>&1 | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' || true)
if [ -z "$report" ]; then
  echo "format: ${#files[@]} files formatted per .clang-format"
  exit 0
fi
cut -d: -f1 <<< "$report" | uniq -c | awk '{ printf "format: %s (%d)\n", $2, $1 }'
echo "format: $(wc -l <<< "$report") places in $(cut -d: -f1 <<< "$report" | uniq | wc -l) files differ from .clang-format; scripts/format.sh --fix formats them"
exit 1
