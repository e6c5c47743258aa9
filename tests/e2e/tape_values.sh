#!/usr/bin/env bash
# End to end: the tape keeps the numbers the calculator computed, every bit
# of them, under a window manager (openbox) in a virtual X server, driven
# with real X input: (a) a result beyond the range of a double is kept
# across restarts; (b) F2 edits a number from its exact value, and Enter
# without a change changes nothing; (c) Insert reuses the exact value, not
# the rounded one shown; (d) a tape file that cannot be read is moved aside,
# told once, and a new tape is kept; (e) a long tape prints on few pages;
# (f) the tape window keeps the size the user gives it.
#   bash tests/e2e/tape_values.sh <build folder>
set -u
build=$(cd "${1:?usage: tape_values.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
for tool in openbox xdotool xclip xprop; do
  command -v $tool > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
if [ -z "${LUMO_E2E_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" env LUMO_E2E_INNER=1 bash "$0" "$build"
fi
make_work
export XDG_CONFIG_HOME=$work/config
start_window_manager

# The open editor (the widget with the keyboard) holds $1.
editor_holds() { [ "$(where focustext)" = "$1" ]; }
# The tape: its window, its client size as "WxH".
tape_window() { xdotool search --onlyvisible --name '^Tape$' 2>/dev/null | head -1; }
tape_size() { xdotool getwindowgeometry "$(tape_window)" 2>/dev/null | sed -n 's/^ *Geometry: //p'; }
tape_size_is() { [ "$(tape_size)" = "$1" ]; }
tape_size_is_not() { ! tape_size_is "$1"; }
# The tape keeps size $1 for a second.
tape_keeps_size() { ! wait_until 1 tape_size_is_not "$1"; }
# Gives the tape the keyboard (F6 from the calculator).
to_tape() {
  wait_focus "$win" || return 1
  xdotool key F6
  wait_until 5 focus_is TapeView
}

settings='[Defaults]\r\nDecimal Places=4\r\nShow Tape=1\r\n'

# ---- (a) 10^300 * 10^300 = 1E+600 is kept across restarts ----
export XDG_STATE_HOME=$work/big-state
start big "$settings"
check "(a) the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '10^300*10^300='
check "(a) the display shows 1.0000E+600: got '$(display)'" wait_until 5 display_is 1.0000E+600
xdotool type --window "$win" --delay 30 'A'
stop F10
start big -
big='.*1\.0000E\+600.*'
check "(a) after a restart the tape shows 1.0000E+600: got '$(rows)'" rows_matches "$big"
check "(a) and nothing is reported: '$(launch_err)'" bash -c '! grep -qi tape <<< "$1"' _ "$(launch_err)"
check "(a) the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '2+2='
wait_until 5 display_is 4.0000
stop F10
start big -
check "(a) a second restart shows both calculations: got '$(rows)'" \
  rows_matches '.*1\.0000E\+600.*total 4\.0000'
stop F10

# ---- (b) F2 opens the editor on the exact value; Enter unchanged is no edit ----
export XDG_STATE_HOME=$work/exact-state
start exact "$settings"
check "(b) the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1.23456*3='
check "(b) 1.23456*3 shows 3.7037: got '$(display)'" wait_until 5 display_is 3.7037
check "(b) F6 gives the tape the keyboard" to_tape
xdotool key --delay 50 Home F2
check "(b) the editor holds 1.23456: got '$(where focustext)'" wait_until 5 editor_holds 1.23456
xdotool key --delay 50 Return
check "(b) Enter without a change leaves the display at 3.7037: got '$(display)'" \
  wait_until 2 display_is 3.7037
check "(b) and marks no row edited: got '$(rows)'" bash -c '! grep -q edited <<< "$1"' _ "$(rows)"

# ---- (c) Insert reuses the exact value ----
xdotool key F6
wait_until 5 focus_is CalcPanel
xdotool type --window "$win" --delay 30 'A'
check "(c) F6 gives the tape the keyboard" to_tape
xdotool key --delay 50 Home Insert
xdotool type --delay 50 '*3='
check "(c) Insert on 1.2346, then *3=, shows 3.7037: got '$(display)'" \
  wait_until 5 display_is 3.7037
stop F10

# ---- (d) 200 random bytes: moved aside, told once, a new tape kept ----
export XDG_STATE_HOME=$work/bad-state
kept=$XDG_STATE_HOME/lumopocketo
mkdir -p "$kept"
head -c 200 /dev/urandom > "$work/bad-bytes"
cp "$work/bad-bytes" "$kept/tape"
launch bad "$settings"
box=$(wait_window '^LumoPocketo$' 30)
check "(d) a message box tells of the file at start" test -n "$box"
close_box "$box" Return
win=$(wait_window '^LumoPocketo v' 30)
aside=$(find "$kept" -type f ! -name tape)
check "(d) one copy is kept beside the tape: '$aside'" test "$(wc -l <<< "$aside")" = 1 -a -n "$aside"
check "(d) it holds the 200 bytes" cmp -s "$work/bad-bytes" "$aside"
check "(d) only the user may read it: $(stat -c %a "$aside" 2>&1)" \
  test "$(stat -c %a "$aside" 2>/dev/null)" = 600
told=$(launch_err)
check "(d) standard error names the copy once: '$told'" \
  test "$(grep -cF "$(basename "$aside")" <<< "$told")" = 1
check "(d) the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '2+2='
wait_until 5 display_is 4.0000
stop F10
start bad -
check "(d) after a restart the tape shows 2+2: got '$(rows)'" \
  rows_matches '2\.0000 plus\|2\.0000 equals\|total 4\.0000'
check "(d) and nothing more is told: '$(launch_err)'" test -z "$(launch_err | grep -i tape)"
stop F10

# ---- (e) 1,000 calculations print on at most 15 pages ----
export XDG_STATE_HOME=$work/long-state
mkdir -p "$XDG_STATE_HOME/lumopocketo"
python3 - "$XDG_STATE_HOME/lumopocketo/tape" << 'EOF'
import sys
one = "number\t\t12\t12.0000\ntext\t\t\t+\nnumber\t\t5\t5.0000\ntext\t\t\t=\nresult\t\t17\t17.0000\n\n"
open(sys.argv[1], "w").write("LumoPocketo tape 2\n" + one * 1000)
EOF
start long "$settings"
pdf=$work/long.pdf
check "(e) Print tape… opens the print dialog" tape_menu_entry PrintTapeAction
check "(e) the PDF's name is typed in the dialog" fill_in filename "$pdf"
wait_until 30 test -s "$pdf"
if command -v pdfinfo > /dev/null; then
  wait_until 10 bash -c 'pdfinfo "$1" > /dev/null 2>&1' _ "$pdf"
  pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  check "(e) 1,000 calculations print on at most 15 pages: $pages" test "${pages:-99}" -le 15
else
  echo "SKIP (e): pdfinfo (poppler-utils) is not installed"
fi
stop F10

# ---- (f) the tape keeps the size the user gives it ----
export XDG_STATE_HOME=$work/size-state
start size "$settings"
check "(f) the window answers the keyboard" wait_ready "$win"
check "(f) the tape is shown" wait_until 5 test -n "$(tape_window)"
xdotool windowsize "$(tape_window)" 300 500
check "(f) the tape takes 300x500: got '$(tape_size)'" wait_until 5 tape_size_is 300x500
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool windowmove "$win" $((X + 1)) "$Y"
check "(f) the size stays when the calculator moves: got '$(tape_size)'" \
  tape_keeps_size 300x500
xdotool key --window "$win" ctrl+t
wait_until 5 test -z "$(tape_window)"
xdotool key --window "$win" ctrl+t
wait_until 5 test -n "$(tape_window)"
check "(f) the size stays after Ctrl+T twice: got '$(tape_size)'" wait_until 2 tape_size_is 300x500
stop F10
start size -
wait_until 5 test -n "$(tape_window)"
check "(f) the size stays after a restart: got '$(tape_size)'" wait_until 5 tape_size_is 300x500
stop F10

finish tape_values
