#!/usr/bin/env bash
# End to end: the everyday window under a virtual X server, driven with a
# real X input tool. A long value keeps all its integer digits on the display
# (read back from a screenshot), Ctrl+C copies the whole value, a typed "%"
# is the percent key, Ctrl+Z takes back the last key, and a new value on the
# display is announced to assistive technologies.
#   bash tests/e2e/window.sh <build folder>
set -u
build=$(cd "${1:?usage: window.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
command -v xwd > /dev/null || { echo "SKIP: xwd (x11-apps) is not installed"; exit 77; }

# Inside a virtual X server with a session bus of its own, as a desktop
# session has.
if [ -z "${LUMO_E2E_INNER:-}" ]; then
  bus=()
  command -v dbus-run-session > /dev/null && bus=(dbus-run-session --)
  exec xvfb-run -a -s "-screen 0 800x600x24" env LUMO_E2E_INNER=1 "${bus[@]}" bash "$0" "$build"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

copied() { # copied <window>: the display through Ctrl+C
  printf 'none' | xclip -selection clipboard -i
  xdotool key --window "$1" ctrl+c
  sleep 0.3
  timeout 5 xclip -o -selection clipboard
}
# Starts a copy of the program with the settings file's lines $2...; the
# window id goes to $win.
start() {
  local dir=$work/$1; shift
  mkdir -p "$dir"
  cp "$prog" "$dir/"
  printf '[Defaults]\r\n' > "$dir/lumopocketo.ini"
  printf '%s\r\n' "$@" >> "$dir/lumopocketo.ini"
  "$dir/lumopocketo" 2>> "$work/stderr" &
  pid=$!
  win=$(wait_window '^LumoPocketo v')
}
stop() {
  close_key "$win" Escape
  wait_exit "$pid"
  pid=
}

# ---- 1. 18 decimal places: 1234567.89 keeps its leading digits ----
start places 'Decimal Places=18'
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234567.89='
sleep 0.5
xwd -silent -id "$win" > "$work/shot.xwd"
# The value display of the compact window: 5,5, 180 x 24.
check "the display's text keeps clear of its left edge" \
  python3 "$here/display_edge.py" "$work/shot.xwd" 5 5 180 24 ${LUMO_E2E_SHOT:+"$LUMO_E2E_SHOT"}
clip=$(copied "$win")
check "Ctrl+C copies the whole value: got '$clip'" test "$clip" = "1234567.890000000000000000"
stop

# ---- 2. A typed % is the percent key ----
start percent 'Decimal Places=4'
check "the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '200+10%='
clip=$(copied "$win")
check "200+10%= gives 220.0000: got '$clip'" test "$clip" = "220.0000"
stop

# ---- 3. Ctrl+Z undoes the last key ----
start undo 'Decimal Places=4'
check "the window answers the keyboard for undo" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5'
xdotool key --window "$win" ctrl+z
xdotool type --window "$win" --delay 30 '6='
clip=$(copied "$win")
check "12+5, Ctrl+Z, 6= gives 18.0000: got '$clip'" test "$clip" = "18.0000"
stop

# ---- 4. A new display value raises an accessibility event ----
# Qt sends these only while its accessibility bridge is active: with the
# accessibility bus started, on X, the window test that catches them runs.
if command -v dbus-send > /dev/null && [ -x "$build/tests/test_calcwindows" ]; then
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
    org.a11y.Bus.GetAddress > /dev/null 2>&1
  out=$(QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 60 \
    "$build/tests/test_calcwindows" --gtest_filter='CalcDisplay.ANewValueOnTheDisplayIsAnnounced' 2>&1)
  check "a new display value is announced (the window test ran, not skipped)" \
    grep -q '^\[  PASSED  \] 1 test' <<< "$out"
fi

finish
