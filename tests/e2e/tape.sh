#!/usr/bin/env bash
# End to end: the tape as a working document, under a window manager
# (openbox) in a virtual X server, driven with real X input: (a) all clear
# keeps a calculation on the tape and starts the next one under a rule, and a
# restart shows both again; (b) F6 takes the keyboard to the tape, a number
# edited there (Home, F2, a new number, Enter) redoes the calculation, and
# Ctrl+Z takes the edit back; (c) Save tape… of the tape's context menu
# writes a CSV file; (d) Print tape… prints to a PDF file whose text holds
# the tape's numbers.
#   bash tests/e2e/tape.sh <build folder>
set -u
build=$(cd "${1:?usage: tape.sh <build folder>}" && pwd)
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


settings='[Defaults]\r\nDecimal Places=4\r\nShow Tape=1\r\n'

# ---- (a) all clear keeps the calculation; a restart shows both again ----
export XDG_STATE_HOME=$work/kept-state
start kept "$settings"
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5='
xdotool type --window "$win" --delay 30 'A' # all clear
xdotool type --window "$win" --delay 30 '3*4='
# 12 + 5 = 17, then 3 * 4 = 12, as screen readers read them: each number
# with the operator after it, the result a total of its own.
both='12\.0000 plus\|5\.0000 equals\|total 17\.0000\|3\.0000 times\|4\.0000 equals\|total 12\.0000'
rows_matches "$both"
check "(a) all clear keeps 12+5=17 and then 3*4=12, and no start line: got '$(rows)'" \
  rows_match "$both"
# The tape's text, copied from the tape (F6, Ctrl+A, Ctrl+C): a rule of
# box-drawing lines between the two calculations.
check "(a) the calculator has the keyboard" wait_focus "$win"
xdotool key F6
wait_until 5 focus_is TapeView
text=$(copy_selected "$(xdotool getwindowfocus)" ctrl+a ctrl+c)
check "(a) a rule separates the calculations in the tape's text: got '$text'" \
  grep -qzP '17\.0000\n─{16}\n[^\n]*3\.0000' <<< "$text"
stop F10
check "(a) the tape file is the user's only: $(stat -c %a "$XDG_STATE_HOME/lumopocketo/tape" 2>&1)" \
  test "$(stat -c %a "$XDG_STATE_HOME/lumopocketo/tape" 2>/dev/null)" = 600
start kept -
rows_matches "$both"
check "(a) a restart shows both calculations again: got '$(rows)'" rows_match "$both"
stop

# ---- (b) F6, Home, F2, 13, Enter: the calculation redone with 13 ----
export XDG_STATE_HOME=$work/edit-state
start edit "$settings"
check "(b) the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5='
wait_until 5 display_is 17.0000
check "(b) the calculator has the keyboard" wait_focus "$win"
xdotool key F6
check "(b) F6 gives the tape the keyboard: '$(where focus)' has it" wait_until 5 focus_is TapeView
xdotool key --delay 50 Home F2
xdotool type --delay 50 13
xdotool key --delay 50 Return
check "(b) the display shows 18.0000: got '$(display)'" wait_until 5 display_is 18.0000
edited='13\.0000 plus[^|]*\|5\.0000 equals\|total 18\.0000'
check "(b) the tape's total reads 18.0000: got '$(rows)'" rows_matches "$edited"
check "(b) the tape keeps the keyboard after the edit: '$(where focus)'" focus_is TapeView
xdotool key ctrl+z
check "(b) Ctrl+Z in the tape brings back 17.0000: got '$(display)'" wait_until 5 display_is 17.0000
check "(b) and the tape's 12 and 17: got '$(rows)'" \
  rows_matches '12\.0000 plus\|5\.0000 equals\|total 17\.0000'
xdotool key F6
check "(b) F6 in the tape gives the keypad the keyboard: '$(where focus)' has it" \
  wait_until 5 focus_is CalcPanel
xdotool key F6
check "(b) F6 again gives it back to the tape: '$(where focus)'" wait_until 5 focus_is TapeView
xdotool key ctrl+t
check "(b) Ctrl+T in the tape hides it, the keypad has the keyboard: '$(where focus)'" \
  wait_until 5 focus_is CalcPanel
xdotool key F6
check "(b) F6 with the tape hidden opens it with the keyboard: '$(where focus)'" \
  wait_until 5 focus_is TapeView
stop F10
check "(b) the saved tape holds the calculation as it stands (17)" \
  grep -q '17.0000' "$XDG_STATE_HOME/lumopocketo/tape"

# ---- (c) Save tape… to t.csv, (d) Print tape… to a PDF file, both from
# the tape's context menu (Shift+F10 in the tape) ----
export XDG_STATE_HOME=$work/export-state
start export "$settings"
check "(c) the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5='
wait_until 5 display_is 17.0000
csv=$work/t.csv
check "(c) Save tape… opens a file dialog" tape_menu_entry SaveTapeAction
check "(c) the file's name is typed in the dialog" fill_in fileNameEdit "$csv"
wait_until 10 test -s "$csv"
check "(c) the CSV starts with its header: $(head -1 "$csv" 2>&1)" \
  grep -q '^operator,number,result' "$csv"
check "(c) the CSV has the rows of +, 12 and the result 17: $(tr '\r\n' ' |' < "$csv" 2>&1)" \
  bash -c 'rows=$(tr -d "\r" < "$1"); grep -q "^+,12,,1," <<< "$rows" && grep -q "^,,17,1," <<< "$rows"' _ "$csv"
pdf=$work/t.pdf
check "(d) Print tape… opens the print dialog" tape_menu_entry PrintTapeAction
check "(d) the PDF's name is typed in the dialog" fill_in filename "$pdf"
wait_until 10 test -s "$pdf"
if command -v pdftotext > /dev/null; then
  text=$(pdftotext "$pdf" - 2>&1 | tr '\n' ' ')
  check "(d) the PDF's text holds the tape's numbers: '$text'" \
    bash -c '[[ $1 == *12.0000* && $1 == *5.0000* && $1 == *17.0000* ]]' _ "$text"
else
  echo "SKIP (d): pdftotext (poppler-utils) is not installed"
  check "(d) a PDF is written: $(head -c 5 "$pdf" 2>&1)" test "$(head -c 5 "$pdf" 2>/dev/null)" = '%PDF-'
fi
stop F10

finish tape
