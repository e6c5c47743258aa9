#!/usr/bin/env bash
# End to end: the real lumopocketo under a virtual X server, driven with a
# real X input tool. Each run uses a copy of the program in a temporary
# folder and a configuration folder of its own (XDG_CONFIG_HOME), so every
# settings file is the test's own.
#   bash tests/e2e/program.sh <build folder>
set -u
build=$(cd "${1:?usage: program.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Inside a virtual X server, access control off so that the read-only check
# can run the program as an unprivileged user.
in_display -ac bus -- "$0" "$build"
make_work
chmod 755 "$work" # the unprivileged runs below read the program copies
export XDG_CONFIG_HOME=$work/config

eleven_keys() { # each component key exactly once
  local f=$1 k
  for k in "Angle Mode" "Decimal Places" "Use Memory" "Memory" "Prefix Functions" \
           "Precedence" "Position" "Stay On Top" "Operator Same Line" "Binary Percent" \
           "Display Font"; do
    [ "$(grep -c "^$k=" "$f")" = 1 ] || { echo "key '$k' not written once"; return 1; }
  done
}
# ---- 1. Prepared settings; type, copy, change memory and places; F10 saves ----
start run1 '[Defaults]\r\nDecimal Places=2\r\nShow Thousands Separators=1\r\nAngle Mode=0\r\nMemory=0\r\n'
check "calculator window appears" test -n "$win"
check "window title" test "$(xdotool getwindowname "$win")" = "LumoPocketo v10.2"
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234.5*2='
clip=$(copy_display "$win")
check "Ctrl+C copies the display as shown (thousands, 2 places): got '$clip'" test "$clip" = "2,469.00"
click MemoryAddBtn
click UpButton # the decimal places box's up half: 3 places
clip=$(copy_display "$win")
check "the places box steps up to 3 places: got '$clip'" test "$clip" = "2,469.000"
stop F10
check "F10 ends the program normally (status $status)" test "$status" = 0
f=$dir/lumopocketo.ini
check "eleven keys written" eleven_keys "$f"
check "decimal places kept: $(key_value "$f" 'Decimal Places')" test "$(key_value "$f" 'Decimal Places')" = 3
check "memory kept: $(key_value "$f" Memory)" test "$(key_value "$f" Memory)" = 2469
check "angle mode as loaded" test "$(key_value "$f" 'Angle Mode')" = 0
check "formatter key stays in the file" test "$(key_value "$f" 'Show Thousands Separators')" = 1
check "a portable copy writes no user file" test ! -e "$XDG_CONFIG_HOME/LumoPocketo/lumopocketo.ini"

# ---- 2. Escape: nothing is written ----
cp -p "$f" "$work/before-escape.ini"
start run1 -
check "calculator window appears again" test -n "$win"
check "the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '5='
click MemoryAddBtn
click UpButton # 4 places
clip=$(copy_display "$win")
check "the places box steps up to 4 places: got '$clip'" test "$clip" = "5.0000"
stop Escape
check "Escape ends the program normally (status $status)" test "$status" = 0
check "Escape leaves the file as it was" cmp -s "$f" "$work/before-escape.ini"
check "Escape does not touch the file" test ! "$f" -nt "$work/before-escape.ini"

# ---- 3. First start without a settings file: the user's file, its folders created ----
start run3 - XDG_CONFIG_HOME="$work/config3/new"
check "the first start answers the keyboard" wait_ready "$win"
stop ctrl+x
check "Ctrl+X ends a first start normally (status $status)" test "$status" = 0
check "no file is created beside the program" test ! -e "$dir/lumopocketo.ini"
f=$work/config3/new/LumoPocketo/lumopocketo.ini
check "first start creates the file with the eleven keys" eleven_keys "$f"
check "first start writes no formatter key" test "$(grep -c -E '^(Trim Trailing Zeroes|Show Thousands Separators|Lakh Formatting)=' "$f")" = 0
check "first start: 4 places, radians, memory 0" \
  test "$(key_value "$f" 'Decimal Places')/$(key_value "$f" 'Angle Mode')/$(key_value "$f" Memory)" = "4/1/0"

# ---- 4. Read-only program folder (an installed copy): the file beside the
# program gives the starting values, the user's file takes the changes and
# wins at the next start, key by key ----
new_copy run4 '[Defaults]\r\nDecimal Places=2\r\nMemory=7\r\nShow Thousands Separators=1\r\n'
cp "$dir/lumopocketo.ini" "$work/readonly-before.ini"
chmod 444 "$dir/lumopocketo.ini"
chmod 555 "$dir"
if [ "$(id -u)" = 0 ]; then
  # root writes anywhere: run the program as an unprivileged user.
  start_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
# That user keeps its tape in a folder of its own.
export XDG_STATE_HOME=$work/state-user
mkdir -m 777 "$XDG_STATE_HOME"
mkdir -m 777 "$work/config4"
start run4 - XDG_CONFIG_HOME="$work/config4"
check "calculator window appears in a read-only folder" test -n "$win"
check "the window in a read-only folder answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '3'
click MemoryAddBtn # memory 7 + 3
stop F10
check "F10 in a read-only folder ends normally (status $status)" test "$status" = 0
check "no save error on standard error" test -z "$(launch_err | grep -i -e 'could not' -e 'denied')"
check "the file beside the program is unchanged" cmp -s "$dir/lumopocketo.ini" "$work/readonly-before.ini"
f=$work/config4/LumoPocketo/lumopocketo.ini
check "the user's file holds the eleven keys" eleven_keys "$f"
check "the user's file: places from the starting values, memory 7 + 3" \
  test "$(key_value "$f" 'Decimal Places')/$(key_value "$f" Memory)" = "2/10"
check "the user's file gets no formatter key" test "$(grep -c '^Show Thousands' "$f")" = 0
# The next start: the user's memory over the starting values, the places and
# the thousands separators from the file beside the program.
printf '[Defaults]\r\nMemory=12345\r\n' > "$f"
start run4 - XDG_CONFIG_HOME="$work/config4"
check "the second start answers the keyboard" wait_ready "$win"
click MemoryRecallBtn
clip=$(copy_display "$win")
stop Escape
check "the next start reads both files key by key: got '$clip'" test "$clip" = "12,345.00"

# ---- 4b. Neither the program folder nor the user's folder can be written:
# the error is shown, non-zero exit ----
mkdir -m 555 "$work/config4b"
start run4 - XDG_CONFIG_HOME="$work/config4b"
check "the window without a writable folder answers the keyboard" wait_ready "$win"
close_key "$win" F10
box=$(wait_window '^LumoPocketo$')
check "the save error is shown in a message box" test -n "$box"
check "Return closes the message box" close_box "$box" Return
wait_exit "$pid"
check "non-zero exit without a crash (status $status)" test "$status" -gt 0 -a "$status" -lt 128
check "standard error names the user's settings file" \
  grep -q "could not be saved to $work/config4b/LumoPocketo/lumopocketo.ini" <<< "$(launch_err)"

# ---- 4c. A settings file that cannot be read: told at start, never written ----
mkdir -m 777 "$work/run4c"
new_copy run4c '[Defaults]\r\nMemory=5\r\n'
cp "$dir/lumopocketo.ini" "$work/unreadable-before.ini"
chmod 666 "$dir/lumopocketo.ini"
chmod 222 "$dir/lumopocketo.ini" # writable, so it is this copy's own file, but not readable
launch run4c - XDG_CONFIG_HOME="$work/config4"
box=$(wait_window '^LumoPocketo$')
check "an unreadable file is told in a message box at start" test -n "$box"
check "the calculator window waits for the message" test -z "$(xdotool search --onlyvisible --name '^LumoPocketo v' 2>/dev/null)"
check "Return closes the message box at start" close_box "$box" Return
win=$(wait_window '^LumoPocketo v10\.2$')
check "the window opens after the message" wait_ready "$win"
stop F10
check "the unsaved settings give a non-zero exit (status $status)" test "$status" = 1
check "standard error names the unreadable file" grep -q "$dir/lumopocketo.ini could not be read" <<< "$(launch_err)"
chmod 644 "$dir/lumopocketo.ini"
check "the unreadable file is left as it was" cmp -s "$dir/lumopocketo.ini" "$work/unreadable-before.ini"
start_as=()
export XDG_STATE_HOME=$work/state

# ---- 4d. A tape file that cannot be read (200 random bytes): moved aside,
# told once at start with where it went; the tape is kept anew ----
mkdir -p "$work/state4d/lumopocketo"
head -c 200 /dev/urandom > "$work/state4d/lumopocketo/tape"
cp "$work/state4d/lumopocketo/tape" "$work/tape-before"
launch run4d '[Defaults]\r\n' XDG_STATE_HOME="$work/state4d"
box=$(wait_window '^LumoPocketo$')
check "an unreadable tape is told in a message box at start" test -n "$box"
check "Return closes the tape's message box" close_box "$box" Return
win=$(wait_window '^LumoPocketo v10\.2$')
check "the window opens after the tape's message" wait_ready "$win"
xdotool type --window "$win" --delay 30 '2+2=A' # a calculation ended by all clear
stop F10
check "the unreadable tape changes no exit status (status $status)" test "$status" = 0
check "standard error says once where the unreadable tape went" \
  test "$(launch_err | grep -c "$work/state4d/lumopocketo/tape could not be read.*$work/state4d/lumopocketo/tape\.unreadable")" = 1
check "the moved tape holds the same 200 bytes" cmp -s "$work/state4d/lumopocketo/tape.unreadable" "$work/tape-before"
check "the moved tape is the user's alone" test "$(stat -c %a "$work/state4d/lumopocketo/tape.unreadable")" = 600
launch run4d - XDG_STATE_HOME="$work/state4d"
win=$(wait_window '^LumoPocketo v10\.2$')
check "the restart opens without a message" wait_ready "$win"
xdotool key --window "$win" ctrl+t
tape_holds_sum() { [[ $(where "rows TapeView") == *2.0000*2.0000*4.0000* ]]; }
check "after the restart the tape shows 2+2: got '$(where "rows TapeView")'" wait_until 5 tape_holds_sum
stop F10
check "the restart tells nothing of the tape" test "$(launch_err | grep -c 'tape')" = 0

# ---- 5. --help and --version need no display; an unknown argument is a usage error ----
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" --version 2>&1)
status=$?
check "--version without a display: '$version' (status $status)" test "$status/$version" = "0/lumopocketo 10.2"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" --help > "$work/help.out" 2>&1
status=$?
check "--help without a display (status $status)" grep -q '^Usage: lumopocketo' "$work/help.out"
check "--help exits 0" test "$status" = 0
"$prog" --no-such-option > /dev/null 2> "$work/usage.err"
status=$?
check "an unknown argument is a usage error (status $status)" test "$status" = 2
check "the usage error names the argument" grep -q "unknown argument '--no-such-option'" "$work/usage.err"

# ---- 6. No display: one clear line naming the command-line calculator ----
nodisplay=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" 2>&1)
status=$?
check "no display: non-zero exit (status $status)" test "$status" = 2
check "no display: one line naming lumopocketo-cli: '$nodisplay'" \
  test "$(printf '%s\n' "$nodisplay" | wc -l)" = 1 -a -n "$(printf '%s' "$nodisplay" | grep lumopocketo-cli)"

finish
