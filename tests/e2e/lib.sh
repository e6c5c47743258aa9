# Shared helpers of the end-to-end scripts and the package scripts
# (sourced, not run):
#   check/passed/failed  count named checks; `finish` prints the tally
#   run_logged           a command whose output is shown only on failure
#   in_display           re-runs the calling script inside a virtual X server
#   wait_until           a condition, polled
#   make_work            a temporary folder $work, removed with the programs
#                        in $pids at the end
#   new_copy             a copy of the program with a settings file of its own
#   launch/start/stop    that copy run (start: and its window waited for)
#   launch_err           what the last launched program wrote to standard error
#   where/wait_shown/click  a shown control or menu entry by its object name
#   wait_window          a mapped window by name
#   wait_exit            a process's end, with its status in $status
#   close_key            a key that closes a window
#   set_clipboard        text put on the clipboard, once it is there
#   copy_selected        what keys copy to the clipboard, once it is there
#   copy_display         the value display through Ctrl+C and the clipboard
#   wait_ready           until the calculator answers the keyboard
#   key_value            a key's value in a settings file
#   popup_of/wait_gone   another window of the program; a window's unmapping
#   wait_focus           the keyboard given to a window
#   close_box            a message box closed with a key
#   a11y                 the program's elements over AT-SPI (a11y.py)

# The checks expect the "." region and English texts, whatever the caller's
# locale; the scripts that test another region or language set it for the
# runs that need it.
unset LC_ALL LC_NUMERIC LC_MESSAGES LANGUAGE
export LANG=C.UTF-8

passed=0
failed=0
check() { # check <description> <command...>
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
# Prints "[<label>: ]N passed, M failed"; the status is 0 when nothing failed.
finish() {
  echo "${1:+$1: }$passed passed, $failed failed"
  [ "$failed" = 0 ]
}
run_logged() { # run_logged <log> <command...>: the log is shown only on failure
  local log=$1; shift
  if ! "$@" > "$log" 2>&1; then
    cat "$log"
    echo "FAIL: $*"
    exit 1
  fi
}

# in_display [-ac] [bus] -- <script> <arguments...>: unless already inside,
# runs the script again in a virtual X server (-ac: access control off, so a
# check can run the program as another user), with a session bus of its own
# when "bus" is given, as a desktop session has (without one, a bus that the
# first program started on demand can hold up the windows of later ones).
in_display() {
  [ -n "${LUMO_E2E_INNER:-}" ] && return 0
  local screen="-screen 0 800x600x24" bus=()
  while [ "$1" != -- ]; do
    case $1 in
      -ac) screen="$screen -ac" ;;
      bus) command -v dbus-run-session > /dev/null && bus=(dbus-run-session --) ;;
    esac
    shift
  done
  shift
  exec xvfb-run -a -s "$screen" env LUMO_E2E_INNER=1 "${bus[@]}" bash "$@"
}

# wait_until <seconds> <command...>: runs the command every 0.1 s until it
# succeeds, for at most that many seconds; its last status is returned.
wait_until() {
  local i tries=$(($1 * 10)); shift
  for ((i = 1; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# A temporary folder $work; at the end the programs whose ids are in $pids
# (and $pid) are killed and the folder is removed. The probes' sockets go
# to $work/sockets, which every user may write (a check may run the
# program as another user).
make_work() {
  work=$(mktemp -d)
  # The programs keep their tape here, never in the real home.
  export XDG_STATE_HOME=$work/state
  mkdir -m 1777 "$work/sockets"
  pids=()
  pid=
  trap e2e_cleanup EXIT
}
# A desktop session under a window manager: a private runtime folder (else
# Qt says it made one up) and openbox, once it has taken the screen.
start_window_manager() {
  export XDG_RUNTIME_DIR=$work/run
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  openbox > "$work/openbox.log" 2>&1 &
  pids+=($!)
  local i
  for i in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}
e2e_cleanup() {
  local p
  for p in "${pids[@]}" $pid; do kill "$p" 2>/dev/null; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}

# The probe that launch loads into the program (probe.cpp): it tells where
# a shown widget or menu entry with a given object name is (see where).
probe_lib() { printf '%s' "${probe_lib:-${build:-.}/tests/libe2e_probe.so}"; }

# new_copy <name> [settings text]: a copy of $prog and of the probe in
# $work/<name> (sets $dir), with the settings text (through printf %b) as
# the file beside it when one is given.
new_copy() {
  dir=$work/$1
  mkdir -p "$dir"
  cp "$prog" "$dir/"
  if [ -f "$(probe_lib)" ]; then cp "$(probe_lib)" "$dir/"
  else echo "note: $(probe_lib) is not built: no control is found by name"
  fi
  [ $# -lt 2 ] || printf '%b' "$2" > "$dir/lumopocketo.ini"
}
# launch <name> <settings text|-> [env arguments...]: runs the copy in
# $work/<name>, made anew with new_copy unless the text is "-" (then the
# folder is used as it is, made without a settings file if it is new).
# The name "-" runs $prog itself, where it is installed. The program runs
# through env with the given arguments, as ${start_as[@]} (a command such
# as setpriv that runs it as another user) with the program arguments in
# $start_args, and the probe loaded; standard error is added to
# $work/stderr. Sets $dir, $pid and $probe (the probe's socket).
launch() {
  local name=$1 text=$2 program lib
  shift 2
  if [ "$name" = - ]; then
    dir= program=$prog lib=$(probe_lib) probe=$work/sockets/installed
  else
    if [ "$text" != - ]; then new_copy "$name" "$text"
    elif [ ! -d "$work/$name" ]; then new_copy "$name"
    fi
    dir=$work/$name program=$work/$name/lumopocketo lib=$work/$name/libe2e_probe.so
    probe=$work/sockets/$name
  fi
  launch_from=$(stat -c %s "$work/stderr" 2>/dev/null || echo 0)
  [ -f "$lib" ] || lib= # without the probe, controls are not found by name
  ${start_as[@]+"${start_as[@]}"} env "$@" ${lib:+LD_PRELOAD="$lib"} LUMO_E2E_PROBE="$probe" \
    "$program" ${start_args[@]+"${start_args[@]}"} 2>> "$work/stderr" &
  pid=$!; pids+=("$pid")
}
# What the program started last wrote to standard error.
launch_err() { tail -c +$((${launch_from:-0} + 1)) "$work/stderr" 2>/dev/null; }
# start <name> <settings text|-> [env arguments...]: launch, then waits for
# the calculator window (sets $win once it is mapped).
start() {
  launch "$@"
  win=$(wait_window '^LumoPocketo v' 30)
}
# stop [key]: closes the window with the key (Escape by default) and waits
# for the program's end; its status goes to $status.
stop() {
  close_key "$win" "${1:-Escape}"
  wait_exit "$pid"
  pid=
}

# where <name>: the middle of the shown widget or menu entry with that
# object name in the program launched last, as "x y" in screen
# coordinates; an empty line when none is shown, "several" when more are.
where() {
  /usr/bin/python3 -c '
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(5)
try:
    s.connect(sys.argv[1])
    s.sendall(sys.argv[2].encode() + b"\n")
    print(s.makefile().readline().strip())
except OSError:
    print()  # the program is not listening (yet, or any more)
' "$probe" "$1"
}
# wait_shown <name> [seconds]: waits (at most 5 s) until that object is
# shown; prints where it is.
shown_at() {
  local at
  at=$(where "$1")
  [[ $at == [0-9]* ]] && printf '%s' "$at"
}
wait_shown() { wait_until "${2:-5}" shown_at "$1"; }
# click <name>: a real click in the middle of the object with that name,
# once it is shown.
click() {
  local at
  at=$(wait_shown "$1") || { echo "no shown control named $1: '$(where "$1")'"; return 1; }
  xdotool mousemove $at click 1
}

# Waits (at most ${2:-20} s) for a mapped window whose name matches the
# regular expression (Qt keeps unmapped helper windows named after the
# application); prints its id.
wait_window() {
  timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}
# Waits (at most 20 s) for process $1 to end; its exit status goes to $status.
ended() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() {
  if ! wait_until 20 ended "$1"; then
    echo "process $1 did not end: killed"
    kill -9 "$1"
  fi
  wait "$1"
  status=$?
}
# A key that closes a window. The release goes to no window in particular:
# sent to the closed window it would be lost, the key would stay down, and
# its repeats would reach the next window.
close_key() {
  xdotool keydown --window "$1" "$2" 2>/dev/null
  xdotool keyup "$2" 2>/dev/null
}
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }       # clipboard_is <text>
clipboard_is_not() { [ "$(clipboard)" != "$1" ]; }  # clipboard_is_not <text>
clipboard_starts() { [[ $(clipboard) == "$1"* ]]; } # clipboard_starts <text>
# set_clipboard <text>: xclip serves the text from a process of its own,
# which holds the clipboard until another program takes it; its output goes
# nowhere, so that a command substitution around the call does not wait
# for it. Returns once the text can be read back (at most 3 s).
set_clipboard() {
  printf '%s' "$1" | xclip -selection clipboard -i > /dev/null 2>&1
  wait_until 3 clipboard_is "$1"
}
# copy_selected <window> <keys...>: sends the keys that copy to the window and
# prints the clipboard once it changed (at most 5 s).
copy_selected() {
  local w=$1; shift
  set_clipboard none
  xdotool key --window "$w" "$@"
  wait_until 5 clipboard_is_not none
  clipboard
}
copy_display() { copy_selected "$1" ctrl+c; } # copy_display <window>
# Waits until the calculator answers the keyboard: a window can be mapped
# before it takes keys, and a key sent then is lost. Types 7 until a copy of
# the display shows it (each try waits at most 1 s for the copy), then
# clears the display.
wait_ready() {
  local i
  [ -n "$1" ] || return 1
  for i in $(seq 1 20); do
    set_clipboard none
    xdotool type --window "$1" 7
    xdotool key --window "$1" ctrl+c
    if wait_until 1 clipboard_starts 7; then
      xdotool key --window "$1" Delete
      return 0
    fi
  done
  echo "the window at $1 never answered the keyboard"
  return 1
}
key_value() { # key_value <file> <key>
  sed -n "s/^$2=\\(.*\\)\\r\\?\$/\\1/p" "$1" | tr -d '\r'
}

# A shown window of the program other than $1 (waits at most ${2:-5} s).
other_window() {
  xdotool search --onlyvisible --class lumopocketo 2>/dev/null | grep -vx "$1" | head -1 | grep .
}
popup_of() {
  wait_until "${2:-5}" other_window "$1" > /dev/null
  other_window "$1"
}
# Waits (at most ${2:-5} s) until window $1 is no longer shown.
unmapped() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
wait_gone() {
  [ -n "$1" ] || return 1
  wait_until "${2:-5}" unmapped "$1"
}
# Gives window $1 the keyboard and waits (at most 5 s) until it has it.
focused() {
  xdotool windowfocus "$1" 2>/dev/null
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}
wait_focus() { wait_until 5 focused "$1"; }
# close_box <window> <key>: a message box is mapped before it takes keys:
# sends the key until the box is gone (at most 5 tries).
close_box() {
  local i
  [ -n "$1" ] || return 1
  for i in 1 2 3 4 5; do
    close_key "$1" "$2"
    wait_gone "$1" 1 && return 0
  done
  return 1
}

# The accessibility bus and the elements of a running program, read as a
# screen reader reads them (see a11y.py; the system's Python, which has the
# D-Bus module, a user's Python may not).
a11y() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/a11y.py" "$@"; }

# The calculator's tape and display, read through the probe:
#   rows               the tape's rows as screen readers name them, "a|b|..."
#   rows_matches <re>  waits (at most 10 s) until the rows match <re> whole
#   display            the value display's text
#   display_is <text>  whether it shows <text>
#   focus_is <name>    whether the widget named <name> has the keyboard
rows() { where "rows TapeView"; }
rows_match() { grep -qP "^$1\$" <<< "$(rows)"; }
rows_matches() { wait_until 10 rows_match "$1"; }
display() { where "text ValueDisplay"; }
display_is() { [ "$(display)" = "$1" ]; }
focus_is() { [ "$(where focus)" = "$1" ]; }
# tape_menu_entry <name>: opens the tape's menu from the keyboard (F6 to the
# tape, Shift+F10) and clicks the entry with that object name.
tape_menu_entry() {
  wait_focus "$win" || return 1
  xdotool key F6
  wait_until 5 focus_is TapeView || return 1
  xdotool key shift+F10
  click "$1"
}
# fill_in <name> <text>: types the text in place of the text of the shown
# line edit with that name, then Enter.
fill_in() {
  click "$1" || return 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
}
