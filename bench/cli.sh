#!/usr/bin/env bash
# The command-line calculator in scripts: keys per second through a pipe with
# the peak memory (10^5 and 10^6 lines of "1+1="; the peak must not grow with
# the lines), one 10 MB line "1+1+...+1=", one number word of 100,000 digits,
# and the start-up time of one run against `bc -l` and against a program that
# only loads Qt Core (the floor of anything built on Qt).
#   bash bench/cli.sh <build folder> [runs]
set -u
build=$(cd "${1:?usage: cli.sh <build folder> [runs]}" && pwd)
runs=${2:-101}
cli=$build/src/cli/lumopocketo-cli
floor=$build/bench/corefloor
for p in "$cli" "$floor"; do
  [ -x "$p" ] || { echo "cli: $p is not built"; exit 1; }
done
for p in bc /usr/bin/time; do
  command -v "$p" > /dev/null || { echo "cli: $p is missing (scripts/install-deps.sh --bench)"; exit 1; }
done
export LANG=C.UTF-8 LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run <label> <keys> <input file> [options]: seconds, peak memory and keys/s
run() {
  local label=$1 keys=$2 input=$3
  shift 3
  /usr/bin/time -f '%e %M' -o "$work/time" "$cli" "$@" < "$input" > /dev/null 2> "$work/err"
  local status=$?
  # GNU time puts a line about a failing status first
  read -r secs kib < <(tail -n 1 "$work/time")
  awk -v l="$label" -v k="$keys" -v s="$secs" -v m="$kib" -v st="$status" 'BEGIN {
    printf "  %-34s %8.2f s  %7.1f MiB  %6.2f M keys/s%s\n", l, s, m / 1024,
           (s > 0 ? k / s / 1e6 : 0), (st ? "  (exit status " st ")" : "")
  }'
}

echo "pipe (seconds, peak memory, keys per second):"
for n in 100000 1000000; do
  awk -v n="$n" 'BEGIN { for (i = 0; i < n; ++i) print "1+1=" }' > "$work/lines"
  run "$n lines of 1+1=" $((4 * n)) "$work/lines"
  run "$n lines of 1+1= --json" $((4 * n)) "$work/lines" --json
done
awk 'BEGIN { n = 5000000; s = ""; for (i = 0; i < 1000; ++i) s = s "1+"
  for (i = 0; i < n / 1000; ++i) printf "%s", s; print "1=" }' > "$work/long"
run "one 10 MB line 1+1+...+1=" 10000002 "$work/long"
# beyond the number range: the display ends in the error state (status 1)
awk 'BEGIN { for (i = 0; i < 10000; ++i) printf "1234567890"; print "" }' > "$work/digits"
run "a number word of 100,000 digits" 100000 "$work/digits"

# start-up: median wall time of interleaved runs, from the shell's clock
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
echo "1+1" > "$work/bc"
: > "$work/t.cli"; : > "$work/t.bc"; : > "$work/t.floor"
for i in $(seq "$runs"); do
  t0=$EPOCHREALTIME; "$cli" '1+1=' > /dev/null; t1=$EPOCHREALTIME
  echo "$t1 - $t0" | tr -d . | awk '{print ($1 - $3)}' >> "$work/t.cli"
  t0=$EPOCHREALTIME; bc -l "$work/bc" < /dev/null > /dev/null; t1=$EPOCHREALTIME
  echo "$t1 - $t0" | tr -d . | awk '{print ($1 - $3)}' >> "$work/t.bc"
  t0=$EPOCHREALTIME; "$floor" > /dev/null; t1=$EPOCHREALTIME
  echo "$t1 - $t0" | tr -d . | awk '{print ($1 - $3)}' >> "$work/t.floor"
done
c=$(median < "$work/t.cli"); b=$(median < "$work/t.bc"); f=$(median < "$work/t.floor")
# cpu <program> [args]: the mean CPU time (user and system) of one run, in
# microseconds, from the shell's count for its children over all the runs
cpu() {
  bash -c 'for ((i = 0; i < $0; ++i)); do "$@" > /dev/null < /dev/null; done; times' "$runs" "$@" |
    tail -n 1 | awk -v n="$runs" '{
      t = 0
      for (i = 1; i <= 2; ++i) { split($i, p, "m"); t += p[1] * 60 + p[2] }
      print t * 1e6 / n }'
}
cc=$(cpu "$cli" '1+1='); bb=$(cpu bc -l "$work/bc"); ff=$(cpu "$floor")
awk -v c="$c" -v b="$b" -v f="$f" -v cc="$cc" -v bb="$bb" -v ff="$ff" -v n="$runs" 'BEGIN {
  printf "start-up of one run (wall: median of %d interleaved runs; cpu: mean of %d runs):\n", n, n
  printf "                             wall                    cpu\n"
  printf "  lumopocketo-cli 1+1=     %6.2f ms              %6.2f ms\n", c / 1000, cc / 1000
  printf "  bc -l (1+1)              %6.2f ms  cli/bc %5.2fx  %6.2f ms  cli/bc %5.2fx\n", b / 1000, c / b, bb / 1000, cc / bb
  printf "  Qt Core floor            %6.2f ms  cli/fl %5.2fx  %6.2f ms  cli/fl %5.2fx\n", f / 1000, c / f, ff / 1000, cc / ff
}'
