#!/usr/bin/env bash
# Start-up time and peak memory of lumopocketo against a bare Qt dialog (the
# floor), both under a virtual X server:
#   time  = from just before the process is started until the X server
#           reports its window mapped (MapNotify seen on the root window);
#   cpu   = the CPU time the process used until then (/proc/PID/schedstat),
#           which other load on the machine disturbs far less than time;
#   memory = the process's peak resident set (VmHWM) once the window is up.
# Each program runs RUNS times (at least 11), alternating; medians and their
# ratios are printed side by side, with the number of installed font files
# (make bench installs a desktop's usual fonts first, since start-up work that
# grows with the fonts shows only there). Both run inside a session bus, as
# on a desktop. The calculator runs from a copy in a temporary folder with a
# configuration folder of its own and is killed, so no settings file is
# written anywhere.
#   bash bench/startup.sh <build folder> [runs]
set -u
build=$(cd "${1:?usage: startup.sh <build folder> [runs]}" && pwd)
runs=${2:-11}
[ "$runs" -ge 11 ] || runs=11 # a median of fewer runs says little here
calc=$build/src/app/lumopocketo
floor=$build/bench/floordialog
for p in "$calc" "$floor"; do
  [ -x "$p" ] || { echo "startup: $p is not built"; exit 1; }
done
if [ -z "${LUMO_BENCH_INNER:-}" ]; then
  bus=()
  command -v dbus-run-session > /dev/null && bus=(dbus-run-session --)
  exec xvfb-run -a -s "-screen 0 800x600x24 -ac -noreset" env LUMO_BENCH_INNER=1 \
    "${bus[@]}" bash "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$calc" "$work/"
calc=$work/lumopocketo
export XDG_CONFIG_HOME=$work/config
fonts=$(fc-list --format '%{file}\n' | sort -u | wc -l)

# measure <program>: prints "<microseconds> <peak KiB> <cpu microseconds>"
measure() {
  local line t0 t1 pid hwm=0 cpu=0
  coproc XEV { exec stdbuf -oL xev -root -event substructure; }
  sleep 0.3 # xev is listening
  t0=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  t1=
  while read -t 20 -r line <&"${XEV[0]}"; do
    case $line in MapNotify*) t1=$(date +%s%N); break ;; esac
  done
  cpu=$(awk '{print int($1 / 1000)}' "/proc/$pid/schedstat" 2>/dev/null)
  sleep 0.3 # the first frame is painted
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  kill "$XEV_PID" 2>/dev/null; wait "$XEV_PID" 2>/dev/null
  if [ -z "$t1" ]; then echo "startup: no window from $1" >&2; echo "0 0 0"; return; fi
  echo "$(( (t1 - t0) / 1000 )) ${hwm:-0} ${cpu:-0}"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

"$floor" >/dev/null 2>&1 & p=$!; sleep 1; kill $p; wait $p 2>/dev/null # warm the file cache
: > "$work/calc"; : > "$work/floor"
for i in $(seq 1 "$runs"); do
  measure "$floor" >> "$work/floor"
  measure "$calc" >> "$work/calc"
done
ct=$(cut -d' ' -f1 "$work/calc" | median); cm=$(cut -d' ' -f2 "$work/calc" | median)
ft=$(cut -d' ' -f1 "$work/floor" | median); fm=$(cut -d' ' -f2 "$work/floor" | median)
cc=$(cut -d' ' -f3 "$work/calc" | median); fc=$(cut -d' ' -f3 "$work/floor" | median)
awk -v fonts="$fonts" -v ct="$ct" -v ft="$ft" -v cm="$cm" -v fm="$fm" -v cc="$cc" -v fc="$fc" -v n="$runs" 'BEGIN {
  printf "startup with %d font files installed (median of %d interleaved runs, until the window is mapped):\n", fonts, n
  printf "                 time        cpu       peak memory\n"
  printf "  floor dialog  %7.1f ms  %7.1f ms  %6.1f MiB\n", ft / 1000, fc / 1000, fm / 1024
  printf "  lumopocketo   %7.1f ms  %7.1f ms  %6.1f MiB\n", ct / 1000, cc / 1000, cm / 1024
  printf "  ratio         %7.2fx    %7.2fx   %6.2fx\n", ct / ft, cc / fc, cm / fm
}'
