#!/usr/bin/env bash
# The embed example driven from outside, inside an X server (run by
# scripts/test-package.sh): the window's field holds 12; its button opens
# the calculator, which gets "*2=" and F10; the field then reads 24.0000.
# The example is found by position, not by object name: the package check
# does not build the test tree, whose probe finds controls by name.
#   test-package-embed.sh <brix-embed-example>
set -u
source "$(dirname "$0")/../tests/e2e/lib.sh"
prog=${1:?usage: test-package-embed.sh <program>}
in_display -- "$0" "$prog"
make_work
export XDG_CONFIG_HOME=$work/config
launch - -

fail() {
  echo "embed: $*"
  launch_err
  exit 1
}

win=$(wait_window '^Brix calculator example$')
[ -n "$win" ] || fail "the example's window did not appear"
# The field fills the left of the window, the button its right end. A
# window can be mapped before it takes clicks: the button is clicked again
# while no calculator has appeared (for 3 s after each click).
eval "$(xdotool getwindowgeometry --shell "$win")"
click_at() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
calc_window() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win" | head -1 | grep .; }
calc_gone() { ! calc_window > /dev/null; }
calc=
for try in 1 2 3 4 5; do
  click_at $((WIDTH - 30)) $((HEIGHT / 2))
  calc=$(wait_until 3 calc_window) && break
done
[ -n "$calc" ] || fail "the calculator did not open"

# The calculator takes keys once its display can be copied: it shows 12.
for try in $(seq 1 10); do
  set_clipboard none
  xdotool key --window "$calc" ctrl+c
  wait_until 1 clipboard_starts 12 && break
done
clipboard_starts 12 || fail "the calculator did not start with 12: '$(clipboard)'"

xdotool type --window "$calc" --delay 30 '*2='
xdotool key --window "$calc" F10 2>/dev/null # the window is gone on the key's release
wait_until 10 calc_gone

# Back in the window: the click gives the field the focus; its text is
# selected and copied (tried again while the copy does not show the result).
for try in 1 2 3; do
  click_at 20 $((HEIGHT / 2))
  got=$(copy_selected "$win" ctrl+a ctrl+c)
  [ "$got" = 24.0000 ] && break
done
[ "$got" = 24.0000 ] || fail "the field reads '$got', not 24.0000"
