#!/usr/bin/env bash
# Runs every Google Benchmark program of the build folder, then the
# benchmark scripts under bench/ (which take the build folder as argument).
set -eu
build=${1:-build-bench}
status=0
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
for s in bench/*.sh; do
  [ -f "$s" ] || continue
  echo "== $(basename "$s")"
  bash "$s" "$build" || status=1
done
exit $status
