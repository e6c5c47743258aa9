# Shared helpers of the end-to-end scripts (sourced, not run):
#   check/passed/failed  count named checks; `finish` prints the tally
#   wait_window          a mapped window by name
#   wait_exit            a process's end, with its status in $status
#   close_key            a key that closes a window
#   copy_display         the value display through Ctrl+C and the clipboard
#   wait_ready           until the calculator answers the keyboard
#   key_value            a key's value in a settings file

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
# Prints "N passed, M failed"; the status is 0 when nothing failed.
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}

# Waits (at most ${2:-20} s) for a mapped window whose name matches the
# regular expression (Qt keeps unmapped helper windows named after the
# application); prints its id.
wait_window() {
  timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
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
# A key that closes a window. The release goes to no window in particular:
# sent to the closed window it would be lost, the key would stay down, and
# its repeats would reach the next window.
close_key() {
  xdotool keydown --window "$1" "$2" 2>/dev/null
  xdotool keyup "$2" 2>/dev/null
}
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
copy_display() { # copy_display <window>
  xdotool key --window "$1" ctrl+c
  sleep 0.3
  clipboard
}
# Waits until the calculator answers the keyboard: a window can be mapped
# before it takes keys, and a key sent then is lost. Types 7 until a copy of
# the display shows it, then clears the display.
wait_ready() {
  local i clip
  [ -n "$1" ] || return 1
  printf 'none' | xclip -selection clipboard -i
  for i in $(seq 1 40); do
    xdotool type --window "$1" 7
    xdotool key --window "$1" ctrl+c
    sleep 0.1
    clip=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
    case $clip in 7*)
      xdotool key --window "$1" Delete
      return 0 ;;
    esac
    sleep 0.25
  done
  echo "the window at $1 never answered the keyboard"
  return 1
}
key_value() { # key_value <file> <key>
  sed -n "s/^$2=\\(.*\\)\\r\\?\$/\\1/p" "$1" | tr -d '\r'
}
