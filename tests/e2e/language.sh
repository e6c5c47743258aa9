#!/usr/bin/env bash
# End to end: lumopocketo speaks the desktop's language, or the one the
# settings name. The keys are read the way a screen reader reads them, over
# the accessibility bus (AT-SPI) of a private session bus, under a virtual X
# server. Each run uses a copy of the program in a temporary folder with its
# own settings file beside it.
#   bash tests/e2e/language.sh <build folder>
set -u
build=$(cd "${1:?usage: language.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
in_display bus -- "$0" "$build"
make_work

# The program finds the accessibility bus when it starts.
check "the accessibility bus starts" test -n "$(a11y bus 2>/dev/null)"

# The button names once the window has published them (at most 10 s).
names_published() {
  local names
  names=$(a11y names "$pid" 2>/dev/null)
  [ -n "$names" ] && printf '%s\n' "$names"
}
wait_names() { wait_until 10 names_published; }
has_name() { printf '%s\n' "$1" | grep -qxF "$2"; }
element_named() { has_name "$(a11y all "$pid" 2>/dev/null)" "$1"; } # element_named <name>
lacks_name() { ! has_name "$@"; }

# start_in <name> <settings text> <environment...>: a fresh copy of the
# program with the given settings file, run under the given locale variables
# only; sets $dir, $pid, $win and $names.
start_in() {
  local name=$1 settings=$2; shift 2
  mkdir -p "$work/$name/home"
  start "$name" "$settings" -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG HOME="$work/$name/home" \
    XDG_CONFIG_HOME="$work/$name/home/.config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
  names=$(wait_names)
}

# ---- 1. A German desktop: German hints and names, the program's title ----
start_in german '[Defaults]\r\nDecimal Places=4\r\n' LANG=de_DE.UTF-8
check "German: window appears" test -n "$win"
check "German: the title stays the program's" \
  test "$(xdotool getwindowname "$win" 2>/dev/null)" = "LumoPocketo v10.2"
check "German: the keys publish their names" test -n "$names"
check "German: the add key is named 'Addieren'" has_name "$names" "Addieren"
check "German: no key is named 'Add'" lacks_name "$names" "Add"
check "German: the exit hint comes from the table" has_name "$names" "Beenden und Wert übertragen"
# The key named "Addieren" is the add key: 2 Addieren 3 = gives 5.
xdotool type --window "$win" --delay 30 '2'
# The key's press action clicks it before the call returns: the digits
# typed next come after it.
check "German: the key named 'Addieren' can be pressed" a11y press "$pid" Addieren
xdotool type --window "$win" --delay 30 '3='
clip=$(copy_display "$win")
check "German: 2 Addieren 3 = gives 5 (got '$clip')" test "${clip/,/.}" = "5.0000"
# The program's own texts follow too: the tape (Ctrl+T) is the "Rechenstreifen".
xdotool key --window "$win" ctrl+t
check "German: the tape is named 'Rechenstreifen'" wait_until 5 element_named "Rechenstreifen"
stop F10
check "German: F10 ends normally (status $status)" test "$status" = 0
check "German: the followed language is not written to the settings" \
  test "$(grep -c '^Language=' "$dir/lumopocketo.ini")" = 0

# ---- 2. The settings name a language: it wins over the desktop's ----
start_in chosen '[Defaults]\r\nLanguage=EnglishInt\r\n' LANG=de_DE.UTF-8
check "chosen English: the keys publish their names" test -n "$names"
check "chosen English: the add key is named 'Add'" has_name "$names" "Add"
check "chosen English: no key is named 'Addieren'" lacks_name "$names" "Addieren"
stop F10
check "chosen English: F10 ends normally (status $status)" test "$status" = 0
check "chosen English: the choice stays in the settings" \
  grep -q '^Language=EnglishInt' "$dir/lumopocketo.ini"

# ---- 3. An empty choice follows the desktop's first language with texts ----
start_in empty '[Defaults]\r\nLanguage=\r\n' LANG=en_US.UTF-8 LANGUAGE=it:fr:de
check "LANGUAGE=it:fr:de: the add key is French" has_name "$names" "Additionner"
stop F10
check "LANGUAGE=it:fr:de: F10 ends normally (status $status)" test "$status" = 0

finish
