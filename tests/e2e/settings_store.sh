#!/usr/bin/env bash
# End to end: what the real lumopocketo keeps of its settings file when it
# saves on F10 in a virtual X session. Each run uses a copy of the program
# in a temporary folder with the settings file written beside it first, and
# a temporary home and configuration folder, so the file is the test's own.
#   bash tests/e2e/settings_store.sh <build folder>
set -u

wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}
wait_exit() {
  local i
  for i in $(seq 1 200); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    echo "process $1 did not end: killed"
    kill -9 "$1"
  fi
  wait "$1"
  status=$?
}
key_value() { # key_value <file> <key>
  sed -n "s/^$2=\\(.*\\)\\r\\?\$/\\1/p" "$1" | tr -d '\r'
}
# Waits until the window answers keys: a digit typed into a cleared display
# comes back through the clipboard.
wait_answering() {
  local i clip
  for i in $(seq 1 40); do
    xdotool key --window "$1" Delete 2>/dev/null
    xdotool type --window "$1" 7 2>/dev/null
    xdotool key --window "$1" ctrl+c 2>/dev/null
    sleep 0.2
    clip=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
    [ "$clip" = 7 ] && return 0
    sleep 0.3
  done
  return 1
}
# One run inside its own X server (run_saving): exit status 3 when no
# window appears, 4 when it does not answer, else the program's.
if [ "${1:-}" = --one ]; then
  dir=$2
  "$dir/lumopocketo" &
  pid=$!
  win=$(wait_window '^LumoPocketo v10\.2$')
  if [ -z "$win" ]; then kill "$pid" 2>/dev/null; wait "$pid"; exit 3; fi
  if ! wait_answering "$win"; then kill "$pid" 2>/dev/null; wait "$pid"; exit 4; fi
  xdotool key --window "$win" F10 2>/dev/null
  wait_exit "$pid"
  exit "$status"
fi

build=$(cd "${1:?usage: settings_store.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

passed=0
failed=0
check() { # check <description> <command...>
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config"
export HOME=$work/home XDG_CONFIG_HOME=$work/config
# The C region: "." is the decimal separator the program writes.
export LC_ALL=C LANG=C
unset LANGUAGE

# run_saving <folder>: starts the copy of the program in <folder> on the
# settings file already there, in an X server of its own, waits until it
# answers, and closes it with F10, which saves. (Each start gets a fresh
# server: in a server where an earlier instance had copied to the
# clipboard, the next instance ended at once without a window.)
run_saving() {
  local dir=$1 rc
  xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --one "$dir" >> "$work/output.txt" 2>&1
  rc=$?
  check "$dir: the window appears" test "$rc" != 3
  check "$dir: the window answers keys" test "$rc" != 3 -a "$rc" != 4
  check "$dir: F10 ends the program normally (status $rc)" test "$rc" = 0
  # Every prepared file lacks "Decimal Places": the save adds it.
  check "$dir: the settings were saved" test -n "$(key_value "$dir/lumopocketo.ini" 'Decimal Places')"
}
new_copy() { # new_copy <name> <settings bytes as a printf format>
  local dir=$work/$1
  mkdir "$dir"
  cp "$prog" "$dir/"
  printf "$2" > "$dir/lumopocketo.ini"
}

# ---- 1. Latin-1 bytes of another program survive the save ----
new_copy latin1 '[Other Program]\r\nName=Caf\351 M\374ller\r\n\304rger=\374\337\r\n\r\n[Defaults]\r\nMemory=0\r\n'
run_saving "$work/latin1"
f=$work/latin1/lumopocketo.ini
# The section comes first in the saved file, as it did in the old one.
printf '[Other Program]\r\nName=Caf\351 M\374ller\r\n\304rger=\374\337\r\n\r\n' > "$work/other.bin"
check "the other section is kept byte for byte" \
  cmp -s "$work/other.bin" <(head -c "$(stat -c %s "$work/other.bin")" "$f")
check "no replacement character written" test "$(LC_ALL=C grep -c $'\xef\xbf\xbd' "$f")" = 0
check "the program's own keys are written" test "$(key_value "$f" 'Decimal Places')" = 4

# ---- 2. Memory keeps every digit through a save and a reload ----
new_copy tiny '[Defaults]\r\nMemory=1.5E-19\r\n'
run_saving "$work/tiny"
check "memory 1.5E-19 kept: $(key_value "$work/tiny/lumopocketo.ini" Memory)" \
  test "$(key_value "$work/tiny/lumopocketo.ini" Memory)" = 1.5E-19

new_copy long '[Defaults]\r\nMemory=123456789.123456789123\r\n'
run_saving "$work/long"
first=$(key_value "$work/long/lumopocketo.ini" Memory)
# One unit of the last place of a 64-bit mantissa between 2^26 and 2^27
# is 2^-37.
check "memory 123456789.123456789123 kept within one unit of the last place: $first" \
  python3 -c "import sys; from decimal import Decimal as D; sys.exit(abs(D('$first') - D('123456789.123456789123')) > D(2) ** -37)"
# Reloaded from just the saved text, and saved again.
printf '[Defaults]\r\nMemory=%s\r\n' "$first" > "$work/long/lumopocketo.ini"
run_saving "$work/long"
check "a reload saves the same memory text" test "$(key_value "$work/long/lumopocketo.ini" Memory)" = "$first"

# ---- 3. A number written under a decimal comma reads under the C region ----
new_copy comma '[Defaults]\r\nMemory=2,5\r\n'
run_saving "$work/comma"
check "memory 2,5 saved back as 2.5: $(key_value "$work/comma/lumopocketo.ini" Memory)" \
  test "$(key_value "$work/comma/lumopocketo.ini" Memory)" = 2.5

echo "$passed passed, $failed failed"
[ "$failed" = 0 ] || { echo "---- program output ----"; cat "$work/output.txt"; exit 1; }
