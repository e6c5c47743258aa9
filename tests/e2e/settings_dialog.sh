#!/usr/bin/env bash
# End to end: the Settings dialog of the running program under a virtual X
# server, driven with a real X input tool. OK changes the display at once;
# the choice is written when the program ends, also after Escape, while the
# window's values are not; Cancel writes nothing.
#   bash tests/e2e/settings_dialog.sh <build folder>
set -u
build=$(cd "${1:?usage: settings_dialog.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
command -v xdotool > /dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
in_display -- "$0" "$build"
make_work
export XDG_CONFIG_HOME=$work/config

# Opens the dialog through the Menu key's menu (its entry found by name);
# its id goes to $dialog.
open_settings() {
  dialog=
  xdotool key --window "$win" Menu
  click SettingsAction || return 0
  dialog=$(wait_window '^Settings$' 5)
  # The keyboard to the dialog: no window manager hands it over here. The
  # keys sent after the focus reaches it come after it became active.
  [ -n "$dialog" ] && wait_focus "$dialog"
}

# ---- OK, then Escape: the choice stays, the window's values do not ----
start ok '[Defaults]\r\nMemory=5\r\nDecimal Places=4\r\n'
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234567'
open_settings
check "the Menu key's Settings entry opens the dialog" test -n "$dialog"
click ShowThousands
click OkButton
check "OK closes the dialog" wait_gone "$dialog"
clip=$(copy_display "$win")
check "OK groups the display at once: got '$clip'" test "$clip" = "1,234,567"
xdotool type --window "$win" --delay 30 '+1=*2'
stop
check "Escape ends with status 0: $status" test "$status" = 0
f=$work/ok/lumopocketo.ini
check "the choice is written after Escape" test "$(key_value "$f" 'Show Thousands Separators')" = 1
check "the window's values are not: Memory=$(key_value "$f" Memory)" test "$(key_value "$f" Memory)" = 5
check "only the changed key is added" test "$(grep -c '=' "$f")" = 3

# ---- Cancel: nothing changes, nothing is written ----
start cancel '[Defaults]\r\nDecimal Places=4\r\n'
check "the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234567'
open_settings
check "the dialog opens again" test -n "$dialog"
click ShowThousands
xdotool key Escape  # Cancel
check "Escape closes the dialog" wait_gone "$dialog"
check "Escape in the dialog leaves the calculator open" kill -0 "$pid"
clip=$(copy_display "$win")
check "Cancel leaves the display as it was: got '$clip'" test "$clip" = "1234567"
stop
check "after Cancel and Escape the file is as it was" \
  test "$(tr -d '\r' < "$work/cancel/lumopocketo.ini")" = "$(printf '[Defaults]\nDecimal Places=4')"
check "nothing on standard error about settings" bash -c "! grep -i settings '$work/stderr'"
finish
