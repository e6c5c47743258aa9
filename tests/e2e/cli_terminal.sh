#!/usr/bin/env bash
# End to end: lumopocketo-cli on a real terminal (tmux): the prompt, line
# editing, history kept across sessions, Ctrl+C, help, quit and Ctrl+D; and
# that a run without a terminal keeps no history.
#   bash tests/e2e/cli_terminal.sh <build folder>
set -u
build=$(cd "${1:?usage: cli_terminal.sh <build folder>}" && pwd)
cli=$build/src/cli/lumopocketo-cli
[ -x "$cli" ] || { echo "FAIL: $cli is not built"; exit 1; }
command -v tmux >/dev/null || { echo "FAIL: tmux is not installed"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
make_work
sock="lumo-e2e-$$"
trap 'close_cli; e2e_cleanup' EXIT
export LANG=C.UTF-8 HOME=$work/home XDG_STATE_HOME=$work/state
mkdir -p "$HOME"
history=$XDG_STATE_HOME/lumopocketo/history

# Starts the calculator (with the options given) in a fresh tmux session; its
# exit status goes to $work/status when it ends, and its pane stays to be
# read.
open_cli() {
  rm -f "$work/status"
  close_cli
  tmux -L "$sock" -f /dev/null new-session -d -x 100 -y 60 \
    "env LANG=$LANG HOME=$HOME XDG_STATE_HOME=$XDG_STATE_HOME $cli $*; echo \$? > $work/status" \; \
    set-option -g remain-on-exit on
  # The capture drops the blank after the prompt.
  wait_for '^>$' || echo "no prompt: $(screen)"
}
# Ends the tmux server and waits until its socket is gone.
no_session() { ! tmux -L "$sock" has-session 2>/dev/null; }
close_cli() {
  tmux -L "$sock" kill-server 2>/dev/null || return 0
  wait_until 5 no_session
}
screen() { tmux -L "$sock" capture-pane -p -t 0 2>/dev/null; }
keys() { tmux -L "$sock" send-keys -t 0 "$@"; }
# Waits (at most 10 s) until the screen has a line matching the pattern.
shows() { screen | grep -q -- "$1"; }
wait_for() { wait_until 10 shows "$1"; }
# Waits until the screen shows the pattern on exactly $2 lines.
shows_times() { [ "$(screen | grep -c -- "$1")" -eq "$2" ]; }
wait_count() { wait_until 10 shows_times "$1" "$2"; }
ended_with_status() { [ -s "$work/status" ]; }
wait_status() { wait_until 10 ended_with_status; }

# Typed, then recalled with Up and run again.
open_cli
keys -l '6 * 7 ='; keys Enter
check "a line shows its result" wait_count '^42\.0000$' 1
keys Up; keys Enter
check "Up and Enter run the line again" wait_count '^42\.0000$' 2
check "the recalled line is shown at the prompt" wait_count '^> 6 \* 7 =$' 2

# Ctrl+C drops the half-typed line and prompts again.
keys -l '99'; keys C-c
keys -l '1+1='; keys Enter
check "Ctrl+C clears the line" wait_for '^2\.0000$'
check "nothing of the dropped line ran" bash -c "! tmux -L $sock capture-pane -p -t 0 | grep -q '^992'"

# help (the pane is tall enough for the whole usage text), a usage error
# that does not end the session, quit.
keys -l 'help'; keys Enter
check "help shows the usage" wait_for '^Usage: lumopocketo-cli'
keys -l '2+zork'; keys Enter
check "a bad line is reported with its column" wait_for "unknown key in '2+zork' at column 3"
keys -l 'quit'; keys Enter
check "quit ends the session" wait_status
check "a usage error during the session gives status 2" grep -qx 2 "$work/status"

# The history file: private, and read by the next session.
check "the history file is written" test -s "$history"
check "the history file is private" test "$(stat -c %a "$history")" = 600
open_cli
keys Up; keys Up; keys Up; keys Up; keys Up
check "the last session's line comes back" wait_for '^> 6 \* 7 =$'
keys Enter
check "and runs" wait_count '^42\.0000$' 1
keys C-d
check "Ctrl+D ends the session" wait_status
check "a clean session ends with status 0" grep -qx 0 "$work/status"

# The line rule on a terminal: Enter ends the number being typed, the
# calculation goes on; with --each-line every line is its own.
open_cli
keys -l '12'; keys Enter; keys -l '+3'; keys Enter; keys -l '='; keys Enter
check "Enter ends the number" wait_for '^12\.0000$'
check "the next digit starts a new one" wait_for '^3\.0000$'
check "the calculation goes on across lines" wait_for '^15\.0000$'
keys C-d
wait_status
open_cli --each-line
keys -l '2+3'; keys Enter; keys -l '+1='; keys Enter
check "--each-line adds the pending =" wait_for '^5\.0000$'
check "--each-line clears before a line (1, not 6)" wait_for '^1\.0000$'
keys C-d
wait_status

# Without a terminal: no prompt, no history file.
rm -rf "$XDG_STATE_HOME"
out=$(printf '6 * 7 =\n' | "$cli")
check "piped input prints only the display" test "$out" = "42.0000"
check "piped input keeps no history" test ! -e "$XDG_STATE_HOME"

finish cli_terminal
