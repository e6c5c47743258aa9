#!/usr/bin/env bash
# End to end: the everyday window under a virtual X server, driven with a
# real X input tool. A long value keeps all its integer digits on the display
# (read back from a screenshot), Ctrl+C copies the whole value, a typed "%"
# is the percent key, Ctrl+Z takes back the last key, a new value on the
# display is announced to assistive technologies, the Menu key opens the
# window's menu and Ctrl+T the tape (both read over the accessibility bus,
# AT-SPI), and --scientific starts with the scientific window.
#   bash tests/e2e/window.sh <build folder>
set -u
build=$(cd "${1:?usage: window.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
command -v xwd > /dev/null || { echo "SKIP: xwd (x11-apps) is not installed"; exit 77; }

# Inside a virtual X server with a session bus of its own, as a desktop
# session has.
if [ -z "${LUMO_E2E_INNER:-}" ]; then
  bus=()
  command -v dbus-run-session > /dev/null && bus=(dbus-run-session --)
  exec xvfb-run -a -s "-screen 0 800x600x24" env LUMO_E2E_INNER=1 "${bus[@]}" bash "$0" "$build"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

copied() { # copied <window>: the display through Ctrl+C
  printf 'none' | xclip -selection clipboard -i
  xdotool key --window "$1" ctrl+c
  sleep 0.3
  timeout 5 xclip -o -selection clipboard
}
# Starts a copy of the program with the settings file's lines $2...; the
# window id goes to $win.
start() {
  local dir=$work/$1; shift
  mkdir -p "$dir"
  cp "$prog" "$dir/"
  printf '[Defaults]\r\n' > "$dir/lumopocketo.ini"
  printf '%s\r\n' "$@" >> "$dir/lumopocketo.ini"
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$dir/lumopocketo" 2>> "$work/stderr" &
  pid=$!
  win=$(wait_window '^LumoPocketo v')
}
stop() {
  close_key "$win" Escape
  wait_exit "$pid"
  pid=
}

# ---- 1. 18 decimal places: 1234567.89 keeps its leading digits and shows
# no decimal past its 18th significant digit ----
start places 'Decimal Places=18'
check "the window answers the keyboard" wait_ready "$win"
xdotool type --window "$win" --delay 30 '1234567.89='
sleep 0.5
xwd -silent -id "$win" > "$work/shot.xwd"
# The value display of the compact window: 5,5, 180 x 24.
check "the display's text keeps clear of its left edge" \
  python3 "$here/display_edge.py" "$work/shot.xwd" 5 5 180 24 ${LUMO_E2E_SHOT:+"$LUMO_E2E_SHOT"}
clip=$(copied "$win")
check "Ctrl+C copies the whole value: got '$clip'" test "$clip" = "1234567.89000000000"
stop

# ---- 2. A typed % is the percent key ----
start percent 'Decimal Places=4'
check "the window answers the keyboard again" wait_ready "$win"
xdotool type --window "$win" --delay 30 '200+10%='
clip=$(copied "$win")
check "200+10%= gives 220.0000: got '$clip'" test "$clip" = "220.0000"
stop

# ---- 3. Ctrl+Z undoes the last key ----
start undo 'Decimal Places=4'
check "the window answers the keyboard for undo" wait_ready "$win"
xdotool type --window "$win" --delay 30 '12+5'
xdotool key --window "$win" ctrl+z
xdotool type --window "$win" --delay 30 '6='
clip=$(copied "$win")
check "12+5, Ctrl+Z, 6= gives 18.0000: got '$clip'" test "$clip" = "18.0000"
stop

# ---- 4. A new display value raises an accessibility event ----
# Qt sends these only while its accessibility bridge is active: with the
# accessibility bus started, on X, the window test that catches them runs.
if command -v dbus-send > /dev/null && [ -x "$build/tests/test_calcwindows" ]; then
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
    org.a11y.Bus.GetAddress > /dev/null 2>&1
  out=$(QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 60 \
    "$build/tests/test_calcwindows" --gtest_filter='CalcDisplay.ANewValueOnTheDisplayIsAnnounced' 2>&1)
  check "a new display value is announced (the window test ran, not skipped)" \
    grep -q '^\[  PASSED  \] 1 test' <<< "$out"
fi

# ---- 5. The Menu key opens the menu; Ctrl+T the tape ----
# The system's Python, which has the D-Bus module (a user's Python may not).
cat > "$work/a11y.py" <<'EOF'
"""Prints the accessible elements of process PID over AT-SPI, one a line:
role, a tab, name, a tab, and the text of those that hold text.
  a11y.py bus   start the accessibility bus, print its address
  a11y.py PID"""
import sys
import dbus

ACC = "org.a11y.atspi.Accessible"
T = 5
session = dbus.SessionBus()
address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
if sys.argv[1] == "bus":
    print(address)
    sys.exit(0)
bus = dbus.bus.BusConnection(address)
pid = int(sys.argv[1])


def walk(obj, depth=0):
    if depth > 30:
        return
    name = str(obj.Get(ACC, "Name", dbus_interface="org.freedesktop.DBus.Properties", timeout=T))
    role = str(obj.GetRoleName(dbus_interface=ACC, timeout=T))
    text = ""
    try:
        text = str(obj.GetText(0, -1, dbus_interface="org.a11y.atspi.Text", timeout=T))
    except dbus.exceptions.DBusException:
        pass
    print(role + "\t" + name + "\t" + text.replace("\n", "|"))
    for sender, path in obj.GetChildren(dbus_interface=ACC, timeout=T):
        walk(bus.get_object(sender, path), depth + 1)


registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
dbus_obj = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
for sender, path in registry.GetChildren(dbus_interface=ACC, timeout=T):
    try:
        if int(dbus_obj.GetConnectionUnixProcessID(sender, dbus_interface="org.freedesktop.DBus", timeout=T)) == pid:
            walk(bus.get_object(sender, path))
    except dbus.exceptions.DBusException:
        pass
EOF
# A shown window of the program other than $1 (waits at most ${2:-5} s).
popup_of() {
  local i w
  for i in $(seq 1 $((${2:-5} * 5))); do
    w=$(xdotool search --onlyvisible --class lumopocketo 2>/dev/null | grep -vx "$1" | head -1)
    [ -n "$w" ] && break
    sleep 0.2
  done
  printf '%s' "$w"
}
# The tree once it has a line matching $2 (at most 10 s).
tree_with() {
  local i tree
  for i in $(seq 1 50); do
    tree=$(/usr/bin/python3 "$work/a11y.py" "$1" 2>/dev/null)
    grep -qP "$2" <<< "$tree" && break
    sleep 0.2
  done
  printf '%s\n' "$tree"
}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  echo "SKIP (menu and tape): no session bus (dbus-run-session is not installed)"
else
  # The program finds the accessibility bus when it starts.
  check "the accessibility bus starts" test -n "$(/usr/bin/python3 "$work/a11y.py" bus 2>/dev/null)"
  start menu 'Decimal Places=4'
  check "the window answers the keyboard for the menu" wait_ready "$win"
  # Qt leaves popup menus out of the accessibility tree: the popup is seen
  # as a window of its own; its entries are checked in the widget tests.
  for keys in Menu shift+F10; do
    xdotool key --window "$win" "$keys"
    popup=$(popup_of "$win")
    check "$keys opens a popup window" test -n "$popup"
    if [ -n "$popup" ]; then
      geometry=$(xdotool getwindowgeometry "$popup")
      check "$keys: the popup holds the eight entries of the menu ($geometry)" \
        grep -qE 'Geometry: [0-9]+x(1[5-9][0-9]|2[0-9][0-9])$' <<< "$geometry"
    fi
    xdotool key Escape
    sleep 0.3
    check "Escape closes the menu, not the window" kill -0 "$pid"
    check "Escape closes the menu" test -z "$(popup_of "$win" 1)"
  done
  xdotool type --window "$win" --delay 30 '2+3='
  xdotool key --window "$win" ctrl+t
  tree=$(tree_with "$pid" '^text\tTape\t.')
  tape=$(grep -m1 -P '^text\tTape\t' <<< "$tree" | cut -f3)
  check "an element named 'Tape' holds the calculation's lines: got '$tape'" \
    grep -qP '2.*\|.*3.*\|.*5' <<< "$tape"
  stop
  check "Escape keeps the tape's choice: Show Tape=$(key_value "$work/menu/lumopocketo.ini" 'Show Tape')" \
    test "$(key_value "$work/menu/lumopocketo.ini" 'Show Tape')" = 1
fi

# ---- 6. --scientific starts with the scientific window ----
check "--help lists --scientific" grep -q -- '--scientific' <<< "$("$prog" --help)"
dir=$work/sci
mkdir -p "$dir"
cp "$prog" "$dir/"
printf '[Defaults]\r\n' > "$dir/lumopocketo.ini"
"$dir/lumopocketo" --scientific 2>> "$work/stderr" &
pid=$!
win=$(wait_window '^LumoPocketo v')
geometry=$(xdotool getwindowgeometry "$win" 2>/dev/null)
check "--scientific shows the 220x248 scientific window: $geometry" grep -q 'Geometry: 220x248' <<< "$geometry"
stop
check "--scientific is not remembered" test -z "$(key_value "$dir/lumopocketo.ini" Scientific)"

finish
