#!/usr/bin/env bash
# The embed example driven from outside, inside an X server (run by
# scripts/test-package.sh under xvfb-run): the window's field holds 12; its
# button opens the calculator, which gets "*2=" and F10; the field then
# reads 24.0000.
#   test-package-embed.sh <brix-embed-example>
set -u
source "$(dirname "$0")/../tests/e2e/lib.sh"
prog=${1:?usage: test-package-embed.sh <program>}
export XDG_CONFIG_HOME=$(mktemp -d)
"$prog" &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$XDG_CONFIG_HOME"' EXIT

fail() { echo "embed: $*"; exit 1; }

win=$(wait_window '^Brix calculator example$')
[ -n "$win" ] || fail "the example's window did not appear"
# The field fills the left of the window, the button its right end. A
# window can be mapped before it takes clicks: the button is clicked again
# while no calculator has appeared (for 3 s after each click).
eval "$(xdotool getwindowgeometry --shell "$win")"
click_at() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
calc=
for try in 1 2 3 4 5; do
  click_at $((WIDTH - 30)) $((HEIGHT / 2))
  for i in $(seq 1 15); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      [ "$w" != "$win" ] && calc=$w
    done
    [ -n "$calc" ] && break 2
    sleep 0.2
  done
done
[ -n "$calc" ] || fail "the calculator did not open"

# The calculator takes keys once its display can be copied: it shows 12.
printf 'none' | xclip -selection clipboard -i
for i in $(seq 1 40); do
  xdotool key --window "$calc" ctrl+c
  sleep 0.1
  case $(clipboard) in 12*) break ;; esac
  sleep 0.25
done
[[ $(clipboard) == 12* ]] || fail "the calculator did not start with 12: '$(clipboard)'"

xdotool type --window "$calc" --delay 30 '*2='
xdotool key --window "$calc" F10 2>/dev/null # the window is gone on the key's release
for i in $(seq 1 50); do
  xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qv "^$win\$" || break
  sleep 0.2
done

# Back in the window: select the field's text and copy it.
click_at 20 $((HEIGHT / 2))
sleep 0.2 # the click gives the field the focus
got=$(copy_selected "$win" ctrl+a ctrl+c)
[ "$got" = 24.0000 ] || fail "the field reads '$got', not 24.0000"
