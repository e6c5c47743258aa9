#!/usr/bin/env bash
# End to end: the real lumopocketo in a German region (decimal separator ",",
# thousands separator ".") under a virtual X server, driven with a real X
# input tool. A typed "." and a pasted "2.5" must both be read as decimal
# points, not as thousands separators; pasted numbers written either way are
# read, and pasted text that is no number keeps the value.
#   bash tests/e2e/region.sh <build folder>
set -u
build=$(cd "${1:?usage: region.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
in_display -- "$0" "$build"
make_work

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

# A settings file of the copy's own, so that nothing is written to the
# user's configuration folder.
start de '[Defaults]\r\n' XDG_CONFIG_HOME="$work/config" LANG=de_DE.UTF-8
check "calculator window appears" test -n "$win"
check "the window answers input" wait_ready "$win"

xdotool type --window "$win" --delay 30 'a1.5*2='
got=$(copy_display "$win")
check "typed 1.5*2= copies '3,0000' (got '$got')" test "$got" = "3,0000"

# paste_then_double <text> [typed first]: clears, types, pastes the text,
# doubles it and prints the copied display. Numbers as people paste them;
# text that is no number keeps the value.
paste_then_double() {
  xdotool type --window "$win" --delay 30 "a${2:-}"
  set_clipboard "$1"
  xdotool key --window "$win" ctrl+v
  xdotool type --window "$win" --delay 30 '*2='
  copy_display "$win"
}
got=$(paste_then_double 2.5)
check "pasted 2.5 then *2= copies '5,0000' (got '$got')" test "$got" = "5,0000"
got=$(paste_then_double '1,234.5')
check "pasted 1,234.5 then *2= copies '2469,0000' (got '$got')" test "$got" = "2469,0000"
got=$(paste_then_double $'1\xc2\xa0234,5')
check "pasted 1 234,5 (no-break space) then *2= copies '2469,0000' (got '$got')" test "$got" = "2469,0000"
got=$(paste_then_double $'\xe2\x88\x927')
check "pasted −7 then *2= copies '-14,0000' (got '$got')" test "$got" = "-14,0000"
got=$(paste_then_double 'hello' 99)
check "99, pasted hello, then *2= copies '198,0000' (got '$got')" test "$got" = "198,0000"

stop F10
check "F10 ends the program normally (status $status)" test "$status" = 0

finish
