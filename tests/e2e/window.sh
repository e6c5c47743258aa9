#!/usr/bin/env bash
# End to end: the everyday window under a virtual X server, driven with a
# real X input tool. A long value keeps all its integer digits on the display
# (read back from a screenshot), Ctrl+C copies the whole value, a typed "%"
# is the percent key, Ctrl+Z takes back the last key, a new value on the
# display is announced to assistive technologies, the Menu key opens the
# window's menu and Ctrl+T the tape (both read over the accessibility bus,
# AT-SPI), the tape keeps calculations across all clear and restarts, and
# --scientific starts with the scientific window.
#   bash tests/e2e/window.sh <build folder>
set -u
build=$(cd "${1:?usage: window.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
command -v xwd > /dev/null || { echo "SKIP: xwd (x11-apps) is not installed"; exit 77; }

source "$here/lib.sh"
# Inside a virtual X server with a session bus of its own, as a desktop
# session has.
in_display bus -- "$0" "$build"
make_work
export XDG_CONFIG_HOME=$work/config
# The accessibility bridge on for every start (the menu and tape checks).
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# ---- 1. 18 decimal places: 1234567.89 keeps its leading digits and shows
# no decimal past its 18th significant digit ----
start places '[Defaults]\r\nDecimal Places=18\r\n'
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234567.89='
# The copy shows the value has reached the display before the screenshot.
clip=$(copy_display "$win")
xwd -silent -id "$win" > "$work/shot.xwd"
# The value display of the compact window: 5,5, 180 x 24.
check "the display's text keeps clear of its left edge" \
  python3 "$here/display_edge.py" "$work/shot.xwd" 5 5 180 24 ${LUMO_E2E_SHOT:+"$LUMO_E2E_SHOT"}
check "Ctrl+C copies the whole value: got '$clip'" test "$clip" = "1234567.89000000000"
stop

# ---- 2. A typed % is the percent key ----
start percent '[Defaults]\r\nDecimal Places=4\r\n'
check "the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '200+10%='
clip=$(copy_display "$win")
check "200+10%= gives 220.0000: got '$clip'" test "$clip" = "220.0000"
stop

# ---- 3. Ctrl+Z undoes the last key ----
start undo '[Defaults]\r\nDecimal Places=4\r\n'
check "the window answers the keyboard for undo" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5'
xdotool key --window "$win" ctrl+z
xdotool type --window "$win" --delay 30 '6='
clip=$(copy_display "$win")
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

# ---- 5. The Menu key opens the menu; Ctrl+T the tape ----
# The tree once it has a line matching $2 (at most 10 s).
tree_has() {
  local tree
  tree=$(a11y tree "$1" 2>/dev/null)
  grep -qP "$2" <<< "$tree" && printf '%s\n' "$tree"
}
tree_with() { wait_until 10 tree_has "$1" "$2"; }
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  echo "SKIP (menu and tape): no session bus (dbus-run-session is not installed)"
else
  # The program finds the accessibility bus when it starts.
  check "the accessibility bus starts" test -n "$(a11y bus 2>/dev/null)"
  # A tape of its own, without the calculations of the runs above.
  start menu '[Defaults]\r\nDecimal Places=4\r\n' XDG_STATE_HOME="$work/menu-state"
  check "the window answers the keyboard for the menu" wait_ready "$win"
  # Qt leaves popup menus out of the accessibility tree: the popup is seen
  # as a window of its own, its entries are found by their names.
  for keys in Menu shift+F10; do
    xdotool key --window "$win" "$keys"
    popup=$(popup_of "$win")
    check "$keys opens a popup window" test -n "$popup"
    shown=
    for entry in ScientificAction TapeAction SettingsAction UndoAction RedoAction \
                 CopyAction PasteAction AboutAction; do
      [ -n "$(wait_shown "$entry" 2)" ] && shown="$shown $entry"
    done
    check "$keys: the popup shows the eight entries of the menu:$shown" test "$(wc -w <<< "$shown")" = 8
    xdotool key Escape
    gone=0
    [ -z "$popup" ] || wait_gone "$popup" || gone=1
    check "Escape closes the menu, not the window" kill -0 "$pid"
    check "Escape closes the menu" test "$gone" = 0 -a -z "$(popup_of "$win" 1)"
  done
  xdotool type --window "$win" --delay 30 '2+3='
  xdotool key --window "$win" ctrl+t
  tree=$(tree_with "$pid" '^list item\ttotal 5')
  tape=$(grep -A20 -P '^list\tTape\t' <<< "$tree" | grep -P '^list item\t' | cut -f2 | paste -sd'|')
  check "a window holds a list named 'Tape' of the calculation's rows in words: got '$tape'" \
    grep -qP '^2\.0000 plus\|3\.0000 equals\|total 5\.0000$' <<< "$tape"
  check "the tape's window is a window (frame)" grep -qP '^frame\tTape\t' <<< "$tree"
  # The items follow the rows a new key brings.
  xdotool type --window "$win" --delay 30 '*4='
  tree=$(tree_with "$pid" '^list item\ttotal 20')
  tape=$(grep -A20 -P '^list\tTape\t' <<< "$tree" | grep -P '^list item\t' | cut -f2 | paste -sd'|')
  check "the tape's items follow new rows: got '$tape'" \
    grep -qP '^2\.0000 plus\|3\.0000 equals\|total 5\.0000\|times\|4\.0000 equals\|total 20\.0000$' <<< "$tape"
  # A square root of 9 plus 1: the tape shows the 9 the root was taken of.
  xdotool type --window "$win" --delay 30 'Ar9+1='
  tree=$(tree_with "$pid" '^list item\ttotal 4')
  tape=$(grep -A40 -P '^list\tTape\t' <<< "$tree" | grep -P '^list item\t' | cut -f2 | paste -sd'|')
  check "the tape shows the number under the root: got '$tape'" \
    grep -qP '\|9\.0000 plus\|1\.0000 equals\|total 4\.0000$' <<< "$tape"
  stop
  check "Escape keeps the tape's choice: Show Tape=$(key_value "$work/menu/lumopocketo.ini" 'Show Tape')" \
    test "$(key_value "$work/menu/lumopocketo.ini" 'Show Tape')" = 1

  # ---- 5b. The tape keeps every calculation: all clear starts a new one,
  # the file keeps them, a restart shows them again ----
  # The tape's rows as screen readers read them, "a|b|..."; tape_matches
  # waits (at most 10 s) until they match the regular expression $2 whole.
  tape_lines() {
    a11y tree "$1" 2>/dev/null | grep -A40 -P '^list\tTape\t' | grep -P '^list item\t' |
      cut -f2 | paste -sd'|'
  }
  tape_match() { grep -qP "^$2\$" <<< "$(tape_lines "$1")"; }
  tape_matches() { wait_until 10 tape_match "$1" "$2"; }
  both='12\.0000 plus\|5\.0000 equals\|total 17\.0000\|3\.0000 times\|4\.0000 equals\|total 12\.0000'
  kept=$work/kept-state
  start kept '[Defaults]\r\nDecimal Places=4\r\nShow Tape=1\r\n' XDG_STATE_HOME="$kept"
  check "the window answers the keyboard for the kept tape" wait_ready "$win"
  xdotool type --window "$win" --delay 30 '12+5='
  xdotool type --window "$win" --delay 30 'A' # all clear
  xdotool type --window "$win" --delay 30 '3*4='
  tape_matches "$pid" "$both"
  check "all clear keeps 12+5=17 and then 3*4=12, no start line: got '$(tape_lines "$pid")'" \
    tape_match "$pid" "$both"
  stop F10
  check "the tape file is the user's only: $(stat -c %a "$kept/lumopocketo/tape" 2>&1)" \
    test "$(stat -c %a "$kept/lumopocketo/tape" 2>/dev/null)" = 600
  check "the tape file holds both calculations" \
    test "$(grep -c -P '\t(17\.0000|3\.0000)$' "$kept/lumopocketo/tape" 2>/dev/null)" = 2
  start kept - XDG_STATE_HOME="$kept"
  tape_matches "$pid" "$both"
  check "a restart shows both calculations again: got '$(tape_lines "$pid")'" \
    tape_match "$pid" "$both"
  stop
fi

# ---- 6. --scientific starts with the scientific window ----
check "--help lists --scientific" grep -q -- '--scientific' <<< "$("$prog" --help)"
start_args=(--scientific)
start sci '[Defaults]\r\n'
start_args=()
geometry=$(xdotool getwindowgeometry "$win" 2>/dev/null)
check "--scientific shows the 220x248 scientific window: $geometry" grep -q 'Geometry: 220x248' <<< "$geometry"
stop
check "--scientific is not remembered" test -z "$(key_value "$dir/lumopocketo.ini" Scientific)"

finish
