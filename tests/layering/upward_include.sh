#!/usr/bin/env bash
# A Brix folder library compiles against the headers of its own folder and the
# folders below it only. For each row "<target> <lower header> <higher header>"
# a one-line source is compiled with the target's include folders: including
# the lower header must compile, including the higher one must fail because
# the header is not found.
# The compiler runs in the C locale so that its message can be matched.
#   upward_include.sh <c++ compiler> <folder of <target>.flags files> <row>...
set -uo pipefail

compiler=$1
flags_dir=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

probe() { # <flags file> <header>: compiles '#include "<header>"', output in $work/out
  printf '#include "%s"\n' "$2" > "$work/probe.cpp"
  local -a include_flags
  mapfile -t include_flags < "$1" || return 2
  LC_ALL=C "$compiler" -std=c++20 -fPIC -fsyntax-only "${include_flags[@]}" "$work/probe.cpp" > "$work/out" 2>&1
}

for row in "$@"; do
  read -r target lower higher <<< "$row"
  flags=$flags_dir/$target.flags
  if [ ! -s "$flags" ]; then
    echo "FAIL $target: no include flags in $flags"
    failures=$((failures + 1))
    continue
  fi
  if probe "$flags" "$lower"; then
    echo "ok   $target includes $lower"
  else
    echo "FAIL $target cannot include $lower:"
    head -5 "$work/out"
    failures=$((failures + 1))
  fi
  if probe "$flags" "$higher"; then
    echo "FAIL $target includes $higher, a folder above it"
    failures=$((failures + 1))
  elif grep -q "$higher: No such file" "$work/out"; then
    echo "ok   $target does not find $higher"
  else
    echo "FAIL $target: including $higher failed for another reason:"
    head -5 "$work/out"
    failures=$((failures + 1))
  fi
done

[ "$failures" -eq 0 ]
