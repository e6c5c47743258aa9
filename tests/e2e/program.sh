#!/usr/bin/env bash
# End to end: the real lumopocketo under a virtual X server, driven with a
# real X input tool. Each run uses a copy of the program in a temporary
# folder, so the settings file beside it is the test's own.
#   bash tests/e2e/program.sh <build folder>
set -u
build=$(cd "${1:?usage: program.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

# Re-run inside a virtual X server (access control off, so the read-only
# check can run the program as an unprivileged user).
if [ -z "${LUMO_E2E_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 800x600x24 -ac" env LUMO_E2E_INNER=1 bash "$0" "$build"
fi

passed=0
failed=0
check() { # check <description> <command...>
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Waits for a mapped window whose name matches the regular expression
# (Qt keeps an unmapped helper window named after the application); prints
# its id.
wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}
# Waits (at most 20 s) for process $1 to end; its exit status goes to $status.
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
# A key that closes a window: its release finds the window gone, which
# xdotool reports; that report is not a failure.
close_key() { xdotool key --window "$1" "$2" 2>/dev/null; }
key_value() { # key_value <file> <key>
  sed -n "s/^$2=\\(.*\\)\\r\\?\$/\\1/p" "$1" | tr -d '\r'
}
eleven_keys() { # each component key exactly once
  local f=$1 k
  for k in "Angle Mode" "Decimal Places" "Use Memory" "Memory" "Prefix Functions" \
           "Precedence" "Position" "Stay On Top" "Operator Same Line" "Binary Percent" \
           "Display Font"; do
    [ "$(grep -c "^$k=" "$f")" = 1 ] || { echo "key '$k' not written once"; return 1; }
  done
}
# Click at a point of the calculator's client area (compact layout).
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }

# ---- 1. Prepared settings; type, copy, change memory and places; F10 saves ----
dir=$work/run1
mkdir "$dir"
cp "$prog" "$dir/"
printf '[Defaults]\r\nDecimal Places=2\r\nShow Thousands Separators=1\r\nAngle Mode=0\r\nMemory=0\r\n' \
  > "$dir/lumopocketo.ini"
"$dir/lumopocketo" 2> "$work/run1.err" &
pid=$!; pids+=("$pid")
win=$(wait_window '^LumoPocketo v10\.2$')
check "calculator window appears" test -n "$win"
check "window title" test "$(xdotool getwindowname "$win")" = "LumoPocketo v10.2"
sleep 0.3
xdotool type --window "$win" --delay 30 '1234.5*2='
xdotool key --window "$win" ctrl+c
sleep 0.3
clip=$(timeout 5 xclip -o -selection clipboard)
check "Ctrl+C copies the display as shown (thousands, 2 places): got '$clip'" test "$clip" = "2,469.00"
click_at "$win" 170 92          # M+ (right column, second keypad row)
click_at "$win" 80 45           # the decimal places box takes the focus ...
xdotool key --window "$win" Up  # ... and steps to 3 places
sleep 0.2
close_key "$win" F10
wait_exit "$pid"
check "F10 ends the program normally (status $status)" test "$status" = 0
f=$dir/lumopocketo.ini
check "eleven keys written" eleven_keys "$f"
check "decimal places kept: $(key_value "$f" 'Decimal Places')" test "$(key_value "$f" 'Decimal Places')" = 3
check "memory kept: $(key_value "$f" Memory)" test "$(key_value "$f" Memory)" = 2469
check "angle mode as loaded" test "$(key_value "$f" 'Angle Mode')" = 0
check "formatter key stays in the file" test "$(key_value "$f" 'Show Thousands Separators')" = 1

# ---- 2. Escape: nothing of the window's state is saved ----
cp "$f" "$work/before-escape.ini"
"$dir/lumopocketo" 2>> "$work/run1.err" &
pid=$!; pids+=("$pid")
win=$(wait_window '^LumoPocketo v10\.2$')
check "calculator window appears again" test -n "$win"
sleep 0.3
xdotool type --window "$win" --delay 30 '5'
click_at "$win" 170 92          # M+
click_at "$win" 80 45
xdotool key --window "$win" Up  # 4 places
sleep 0.2
close_key "$win" Escape
wait_exit "$pid"
check "Escape ends the program normally (status $status)" test "$status" = 0
check "Escape keeps the places" test "$(key_value "$f" 'Decimal Places')" = 3
check "Escape keeps the memory" test "$(key_value "$f" Memory)" = 2469
check "Escape run still writes the eleven keys" eleven_keys "$f"

# ---- 3. First start without a settings file ----
dir=$work/run3
mkdir "$dir"
cp "$prog" "$dir/"
"$dir/lumopocketo" 2>> "$work/run1.err" &
pid=$!; pids+=("$pid")
win=$(wait_window '^LumoPocketo v10\.2$')
sleep 0.3
close_key "$win" ctrl+x
wait_exit "$pid"
check "Ctrl+X ends a first start normally (status $status)" test "$status" = 0
f=$dir/lumopocketo.ini
check "first start creates the file with the eleven keys" eleven_keys "$f"
check "first start writes no formatter key" test "$(grep -c -E '^(Trim Trailing Zeroes|Show Thousands Separators|Lakh Formatting)=' "$f")" = 0
check "first start: 4 places, radians, memory 0" \
  test "$(key_value "$f" 'Decimal Places')/$(key_value "$f" 'Angle Mode')/$(key_value "$f" Memory)" = "4/1/0"

# ---- 4. Read-only program folder: the error is shown, non-zero exit, file whole ----
dir=$work/run4
mkdir "$dir"
cp "$prog" "$dir/"
printf '[Defaults]\r\nDecimal Places=2\r\nMemory=7\r\n' > "$dir/lumopocketo.ini"
cp "$dir/lumopocketo.ini" "$work/readonly-before.ini"
chmod 755 "$work"
chmod 444 "$dir/lumopocketo.ini"
chmod 555 "$dir"
run_as=()
if [ "$(id -u)" = 0 ]; then
  # root writes anywhere: run the program as an unprivileged user.
  run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${run_as[@]}" "$dir/lumopocketo" 2> "$work/run4.err" &
pid=$!; pids+=("$pid")
win=$(wait_window '^LumoPocketo v10\.2$')
check "calculator window appears in a read-only folder" test -n "$win"
sleep 0.3
click_at "$win" 170 92          # M+ changes the memory to save
close_key "$win" F10
box=$(wait_window '^LumoPocketo$')
check "the error is shown in a message box" test -n "$box"
sleep 0.3
[ -n "$box" ] && close_key "$box" Return
wait_exit "$pid"
check "non-zero exit without a crash (status $status)" test "$status" -gt 0 -a "$status" -lt 128
check "the previous file is unchanged" cmp -s "$dir/lumopocketo.ini" "$work/readonly-before.ini"
check "standard error names the settings file" grep -q "could not be saved to $dir/lumopocketo.ini" "$work/run4.err"

# ---- 5. No display: one clear line naming the command-line calculator ----
nodisplay=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" 2>&1)
status=$?
check "no display: non-zero exit (status $status)" test "$status" = 2
check "no display: one line naming lumopocketo-cli: '$nodisplay'" \
  test "$(printf '%s\n' "$nodisplay" | wc -l)" = 1 -a -n "$(printf '%s' "$nodisplay" | grep lumopocketo-cli)"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
