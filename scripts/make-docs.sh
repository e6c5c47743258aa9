#!/usr/bin/env bash
# The API reference: Doxygen over the library's installed headers, with the
# configuration CMake writes into <build folder>/docs/Doxyfile. Any warning
# fails the run and is shown.
#   scripts/make-docs.sh <build folder> [output folder]
# The pages land in <output folder>/html (default <build folder>/docs/html).
# Exits with 77 when doxygen is not installed (scripts/install-deps.sh
# --docs installs it), which the test docs.build reports as skipped.
set -euo pipefail
build=$(cd "${1:?usage: make-docs.sh <build folder> [output folder]}" && pwd)
out=${2:-$build/docs}
doxyfile=$build/docs/Doxyfile

if ! command -v doxygen > /dev/null; then
  echo "make-docs: doxygen is not installed (scripts/install-deps.sh --docs installs it)"
  exit 77
fi
if [ ! -f "$doxyfile" ]; then
  echo "make-docs: $doxyfile is missing: configure $build with CMake first" >&2
  exit 1
fi

mkdir -p "$out"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
{ cat "$doxyfile"; echo "OUTPUT_DIRECTORY = $out"; } | doxygen - > /dev/null 2> "$log" || status=$?
if [ "$status" -ne 0 ] || [ -s "$log" ]; then
  cat "$log" >&2
  echo "make-docs: doxygen reported $(grep -c . "$log") problem line(s) (exit status $status)" >&2
  exit 1
fi
if [ ! -f "$out/html/index.html" ]; then
  echo "make-docs: no $out/html/index.html was written" >&2
  exit 1
fi
echo "make-docs: $out/html/index.html"
