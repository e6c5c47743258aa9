#!/usr/bin/env bash
# End to end: the program's window as a desktop sees it, under a window
# manager (openbox) on a virtual 1280 x 800 screen: a normal application
# window (type, class, icon; not modal, no transient parent), a first window
# placed by Position, a switch to the scientific window and back that keeps
# the window's corner, the tape on the side where it fits and level with the
# window (also at 1.5x scale), keys typed in the tape reaching the
# calculator, and F6 moving the keyboard between the tape and the calculator.
#   bash tests/e2e/desktop_window.sh <build folder>
set -u
build=$(cd "${1:?usage: desktop_window.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
for tool in openbox xprop xwininfo xdotool xclip; do
  command -v $tool > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
if [ -z "${LUMO_E2E_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" env LUMO_E2E_INNER=1 bash "$0" "$build"
fi
make_work
export XDG_CONFIG_HOME=$work/config
start_window_manager

# "left top width height" of a window's client area, and of its frame (the
# window manager's _NET_FRAME_EXTENTS added).
client() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'; }
frame() {
  local x y w h l r t b
  read -r x y w h <<< "$(client "$1")"
  read -r l r t b <<< "$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}
# Waits (at most 5 s) until window $1 is gone, then for the program's next
# calculator window; prints its id.
next_window() {
  wait_gone "$1" 5
  wait_window '^LumoPocketo v'
}
# Moves the window's client area to $2,$3 and waits until it is there.
move_to() {
  local i
  for i in $(seq 1 30); do
    xdotool windowmove "$1" "$2" "$3"
    sleep 0.1
    [ "$(client "$1" | cut -d' ' -f1-2)" = "$2 $3" ] && return 0
  done
  return 1
}
# Opens the tape with Ctrl+T; prints its id.
open_tape() {
  xdotool key --window "$1" ctrl+t
  wait_window '^(Tape)$' 5
}
# Switches to the other window through the menu's first entry; prints the
# new window's id.
switch_window() {
  xdotool key --window "$1" Menu
  [ -n "$(popup_of "$1")" ] && xdotool key Down Return
  next_window "$1"
}
# Whether window $1 has the keyboard (without giving it).
test_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
on_screen() { # on_screen <left> <top> <width> <height>
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1280 ] && [ $(($2 + $4)) -le 800 ]
}

# ---- 1. A normal application window ----
start normal '[Defaults]\r\nDecimal Places=4\r\n'
check "the window appears" test -n "$win"
props=$(xprop -id "$win")
check "its type is NORMAL alone: $(grep '^_NET_WM_WINDOW_TYPE' <<< "$props")" \
  grep -qx '_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NORMAL' <<< "$props"
check "it is not modal: $(grep '^_NET_WM_STATE' <<< "$props")" \
  bash -c "! grep -q _NET_WM_STATE_MODAL <<< \"\$1\"" _ "$props"
check "it has no transient parent" bash -c "! grep -q '^WM_TRANSIENT_FOR' <<< \"\$1\"" _ "$props"
check "its class names the program: $(grep '^WM_CLASS' <<< "$props")" \
  grep -qx 'WM_CLASS(STRING) = "lumopocketo", "LumoPocketo"' <<< "$props"
check "it carries the program's icon" grep -q '^_NET_WM_ICON(CARDINAL) = .*Icon' <<< "$props"
# Position=4: the first window stands in the middle of the screen (as Qt
# centres a dialog: a little higher, leaving room for a title bar).
read -r x y w h <<< "$(frame "$win")"
check "the first window is centred (Position=4): frame at $x,$y, $w x $h" \
  test $((x + w / 2 - 640)) -ge -12 -a $((x + w / 2 - 640)) -le 12 \
       -a $((y + h / 2 - 400)) -ge -60 -a $((y + h / 2 - 400)) -le 12

# ---- 2. Near the right edge: the tape opens at the left, whole ----
check "the window moves to x=1080" move_to "$win" 1080 100
tape=$(open_tape "$win")
check "Ctrl+T opens the tape" test -n "$tape"
read -r tx ty tw th <<< "$(frame "$tape")"
read -r x y w h <<< "$(frame "$win")"
check "the whole tape is on the screen: frame at $tx,$ty, $tw x $th" on_screen "$tx" "$ty" "$tw" "$th"
check "the tape stands at the window's left: its frame ends at $((tx + tw)), the window's starts at $x" \
  test $((tx + tw)) = "$x"
check "the tape is level with the window: client tops $(client "$tape" | cut -d' ' -f2) and $(client "$win" | cut -d' ' -f2)" \
  test "$(client "$tape" | cut -d' ' -f2)" = "$(client "$win" | cut -d' ' -f2)"

# ---- 3. Keys typed in the tape reach the calculator ----
read -r cx cy cw ch <<< "$(client "$tape")"
xdotool mousemove $((cx + cw / 2)) $((cy + ch / 2)) click 1
check "a click gives the tape the keyboard" wait_focus "$tape"
xdotool type --delay 50 '12+5='
rows_are() { [ "$(where "rows TapeView")" = "$1" ]; }
check "the tape shows what was typed in it: got '$(where "rows TapeView")'" \
  wait_until 5 rows_are '12.0000 plus|5.0000 equals|total 17.0000'
# F6 in the tape takes the keyboard back to the calculator, and back.
xdotool key F6
check "F6 in the tape gives the calculator the keyboard" wait_until 5 test_focus "$win"
clip=$(copy_display "$win")
check "12+5= typed in the tape gives 17.0000: got '$clip'" test "$clip" = "17.0000"
xdotool key F6
check "F6 in the calculator gives the tape the keyboard" wait_until 5 test_focus "$tape"
xdotool key F6
check "and F6 there gives it back to the calculator" wait_until 5 test_focus "$win"

# ---- 4. To the scientific window and back: the corner stays ----
before=$(client "$win" | cut -d' ' -f1-2)
sci=$(switch_window "$win")
read -r x y w h <<< "$(frame "$sci")"
check "the scientific window is shown whole at the right edge: frame at $x,$y, $w x $h" \
  test -n "$sci" -a $((x + w)) = 1280
win=$(switch_window "$sci")
check "back in the compact window, its corner is where it was: $(client "$win" | cut -d' ' -f1-2), was $before" \
  test "$(client "$win" | cut -d' ' -f1-2)" = "$before"
stop
check "Escape ends the program (status $status)" test "$status" = 0
check "nothing on standard error: $(head -c 300 "$work/stderr")" test ! -s "$work/stderr"

# ---- 5. At 1.5x scale: the tape level with the window, and on the screen ----
start scaled '[Defaults]\r\n' QT_SCALE_FACTOR=1.5
check "the scaled window appears" test -n "$win"
for place in "100 150" "1000 100"; do
  move_to "$win" $place
  tape=$(open_tape "$win")
  top=$(client "$tape" | cut -d' ' -f2)
  wtop=$(client "$win" | cut -d' ' -f2)
  read -r tx ty tw th <<< "$(frame "$tape")"
  check "1.5x, window at $place: the tape level with the window (tops $top and $wtop)" \
    test $((top - wtop)) -ge -1 -a $((top - wtop)) -le 1
  check "1.5x, window at $place: the whole tape on the screen ($tx,$ty, $tw x $th)" \
    on_screen "$tx" "$ty" "$tw" "$th"
  xdotool key --window "$win" ctrl+t
  wait_gone "$tape" 5
done
stop

finish
