#!/usr/bin/env bash
# Runs every libFuzzer target of the build folder for a bounded time, with a
# corpus folder per target under the build folder.
set -eu
build=${1:-build-fuzz}
seconds=${2:-60}
status=0
for f in "$build"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=""
  [ -d "fuzz/seeds/$name" ] && seeds="fuzz/seeds/$name"
  echo "== $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" $seeds 2>&1 | tail -n 15 || status=1
done
exit $status
