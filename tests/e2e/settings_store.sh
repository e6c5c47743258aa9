#!/usr/bin/env bash
# End to end: what the real lumopocketo keeps of its settings file when it
# saves on F10 in a virtual X session. Each run uses a copy of the program
# in a temporary folder with the settings file written beside it first, and
# a temporary home and configuration folder, so the file is the test's own.
#   bash tests/e2e/settings_store.sh <build folder>
set -u

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# One run inside an X server of its own (run_saving): --one <work> <name>
# runs the copy $work/<name>; exit status 3 when no window appears, 4 when
# it does not answer, else the program's.
if [ "${1:-}" = --one ]; then
  in_display -- "$0" "$@"
  work=$2 pids=() pid=
  start "$3" -
  if [ -z "$win" ]; then kill "$pid" 2>/dev/null; wait "$pid"; exit 3; fi
  if ! wait_ready "$win" > /dev/null; then kill "$pid" 2>/dev/null; wait "$pid"; exit 4; fi
  stop F10
  exit "$status"
fi

build=$(cd "${1:?usage: settings_store.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

make_work
mkdir -p "$work/home" "$work/config"
export HOME=$work/home XDG_CONFIG_HOME=$work/config

# run_saving <name>: starts the copy of the program in $work/<name> on the
# settings file already there, in an X server of its own, waits until it
# answers, and closes it with F10, which saves. (Each start gets a fresh
# server: in a server where an earlier instance had copied to the
# clipboard, the next instance ended at once without a window.)
run_saving() {
  local rc
  bash "$0" --one "$work" "$1" >> "$work/output.txt" 2>&1
  rc=$?
  check "$1: the window appears" test "$rc" != 3
  check "$1: the window answers keys" test "$rc" != 3 -a "$rc" != 4
  check "$1: F10 ends the program normally (status $rc)" test "$rc" = 0
  # Every prepared file lacks "Decimal Places": the save adds it.
  check "$1: the settings were saved" test -n "$(key_value "$work/$1/lumopocketo.ini" 'Decimal Places')"
}

# ---- 1. Latin-1 bytes of another program survive the save ----
new_copy latin1 '[Other Program]\r\nName=Caf\351 M\374ller\r\n\304rger=\374\337\r\n\r\n[Defaults]\r\nMemory=0\r\n'
run_saving latin1
f=$work/latin1/lumopocketo.ini
# The section comes first in the saved file, as it did in the old one.
printf '[Other Program]\r\nName=Caf\351 M\374ller\r\n\304rger=\374\337\r\n\r\n' > "$work/other.bin"
check "the other section is kept byte for byte" \
  cmp -s "$work/other.bin" <(head -c "$(stat -c %s "$work/other.bin")" "$f")
check "no replacement character written" test "$(LC_ALL=C grep -c $'\xef\xbf\xbd' "$f")" = 0
check "the program's own keys are written" test "$(key_value "$f" 'Decimal Places')" = 4

# ---- 2. Memory keeps every digit through a save and a reload ----
new_copy tiny '[Defaults]\r\nMemory=1.5E-19\r\n'
run_saving tiny
check "memory 1.5E-19 kept: $(key_value "$work/tiny/lumopocketo.ini" Memory)" \
  test "$(key_value "$work/tiny/lumopocketo.ini" Memory)" = 1.5E-19

new_copy long '[Defaults]\r\nMemory=123456789.123456789123\r\n'
run_saving long
first=$(key_value "$work/long/lumopocketo.ini" Memory)
# One unit of the last place of a 64-bit mantissa between 2^26 and 2^27
# is 2^-37.
check "memory 123456789.123456789123 kept within one unit of the last place: $first" \
  python3 -c "import sys; from decimal import Decimal as D; sys.exit(abs(D('$first') - D('123456789.123456789123')) > D(2) ** -37)"
# Reloaded from just the saved text, and saved again.
printf '[Defaults]\r\nMemory=%s\r\n' "$first" > "$work/long/lumopocketo.ini"
run_saving long
check "a reload saves the same memory text" test "$(key_value "$work/long/lumopocketo.ini" Memory)" = "$first"

# ---- 3. A number written under a decimal comma reads under the C region ----
new_copy comma '[Defaults]\r\nMemory=2,5\r\n'
run_saving comma
check "memory 2,5 saved back as 2.5: $(key_value "$work/comma/lumopocketo.ini" Memory)" \
  test "$(key_value "$work/comma/lumopocketo.ini" Memory)" = 2.5

finish || { echo "---- program output ----"; cat "$work/output.txt"; exit 1; }
