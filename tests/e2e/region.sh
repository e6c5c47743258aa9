#!/usr/bin/env bash
# End to end: the real lumopocketo in a German region (decimal separator ",",
# thousands separator ".") under a virtual X server, driven with a real X
# input tool. A typed "." and a pasted "2.5" must both be read as decimal
# points, not as thousands separators.
#   bash tests/e2e/region.sh <build folder>
set -u
build=$(cd "${1:?usage: region.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

if [ -z "${LUMO_E2E_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 800x600x24" env LUMO_E2E_INNER=1 bash "$0" "$build"
fi

passed=0
failed=0
check() { # check <description> <command...>
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The de_DE.UTF-8 locale: the system's when it has one, otherwise compiled
# into the test's own folder from the locales package's sources (no root
# needed; LOCPATH points the C library at it).
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  mkdir -p "$work/locale"
  if ! localedef -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" >/dev/null 2>&1 &&
     ! [ -d "$work/locale/de_DE.UTF-8" ]; then
    echo "FAIL: no de_DE.UTF-8 locale and none can be made (install the locales package: scripts/install-deps.sh)"
    exit 1
  fi
  export LOCPATH=$work/locale
fi

wait_window() {
  timeout 30 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
copy_display() { # the value display, copied with Ctrl+C
  xdotool key --window "$1" ctrl+c
  sleep 0.3
  clipboard
}
# The window has answered input once a typed digit comes back through the
# clipboard (a window that has just mapped may not take keys yet).
wait_ready() {
  local i
  for i in $(seq 1 40); do
    xdotool type --window "$1" 7
    [ "$(copy_display "$1")" = 7 ] && { xdotool key --window "$1" Delete; return 0; }
    sleep 0.5
  done
  return 1
}

dir=$work/de
mkdir "$dir"
cp "$prog" "$dir/"
env -u LC_ALL -u LC_NUMERIC -u LANGUAGE LANG=de_DE.UTF-8 "$dir/lumopocketo" 2> "$work/de.err" &
pid=$!
win=$(wait_window '^LumoPocketo v[0-9]')
check "calculator window appears" test -n "$win"
check "the window answers input" wait_ready "$win"

xdotool type --window "$win" --delay 30 'a1.5*2='
got=$(copy_display "$win")
check "typed 1.5*2= copies '3,0000' (got '$got')" test "$got" = "3,0000"

xdotool type --window "$win" --delay 30 'a'
printf '2.5' | xclip -selection clipboard -i
sleep 0.3
xdotool key --window "$win" ctrl+v
xdotool type --window "$win" --delay 30 '*2='
got=$(copy_display "$win")
check "pasted 2.5 then *2= copies '5,0000' (got '$got')" test "$got" = "5,0000"

xdotool key --window "$win" F10 2>/dev/null
for i in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "the program did not end: killed"; kill -9 "$pid"; }
wait "$pid"
status=$?
pid=
check "F10 ends the program normally (status $status)" test "$status" = 0

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
