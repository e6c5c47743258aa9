#!/usr/bin/env bash
# Runs every libFuzzer target of the build folder for a bounded time, with a
# corpus folder per target under the build folder.
set -eu
build=${1:-build-fuzz}
seconds=${2:-60}
status=0
for f in "$build"/fuzz/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=""
  [ -d "fuzz/seeds/$name" ] && seeds="fuzz/seeds/$name"
  echo "== $name for ${seconds}s"
  log="$build/$name.log"
  # A failing run keeps its input under the build folder and its whole log.
  if "$f" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$build/$name-" "$corpus" $seeds > "$log" 2>&1; then
    grep -E '^(Done|stat::)' "$log"
  else
    status=1
    grep -v '^#' "$log" | tail -n 60
    echo "$name FAILED: whole log in $log"
  fi
done
exit $status
