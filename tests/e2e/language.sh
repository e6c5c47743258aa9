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

if [ -z "${LUMO_E2E_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 800x600x24" \
    env LUMO_E2E_INNER=1 dbus-run-session -- bash "$0" "$build"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# The system's Python, which has the D-Bus module (a user's Python may not).
cat > "$work/a11y.py" <<'EOF'
"""Reads the push buttons of the running LumoPocketo over AT-SPI.
  a11y.py bus             start the accessibility bus, print its address
  a11y.py names PID       one line per push button of process PID: its accessible name
  a11y.py all PID         the same for every element of PID
  a11y.py press PID NAME  run the action of the push button of PID named NAME"""
import sys
import dbus

ACC = "org.a11y.atspi.Accessible"
session = dbus.SessionBus()
address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
    dbus_interface="org.a11y.Bus")
if sys.argv[1] == "bus":
    print(address)
    sys.exit(0)
bus = dbus.bus.BusConnection(address)


T = 5  # seconds for each call: an application that has gone does not answer


def name_of(obj):
    return str(obj.Get(ACC, "Name", dbus_interface="org.freedesktop.DBus.Properties", timeout=T))


def elements(obj, role):
    for sender, path in obj.GetChildren(dbus_interface=ACC, timeout=T):
        child = bus.get_object(sender, path)
        if role is None or child.GetRoleName(dbus_interface=ACC, timeout=T) == role:
            yield child
        yield from elements(child, role)


def pid_of(sender):
    return int(bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").GetConnectionUnixProcessID(
        sender, dbus_interface="org.freedesktop.DBus", timeout=T))


pid = int(sys.argv[2])
registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
found = []
for sender, path in registry.GetChildren(dbus_interface=ACC, timeout=T):
    try:
        if pid_of(sender) == pid:
            found += list(elements(bus.get_object(sender, path),
                                   None if sys.argv[1] == "all" else "push button"))
    except dbus.exceptions.DBusException:
        pass  # an application that has just ended
if sys.argv[1] in ("names", "all"):
    for b in found:
        print(name_of(b))
elif sys.argv[1] == "press":
    matches = [b for b in found if name_of(b) == sys.argv[3]]
    if len(matches) != 1:
        sys.exit(f"{len(matches)} buttons named {sys.argv[3]!r}")
    matches[0].DoAction(0, dbus_interface="org.a11y.atspi.Action", timeout=T)
EOF
a11y() { /usr/bin/python3 "$work/a11y.py" "$@"; }

# The program finds the accessibility bus when it starts.
check "the accessibility bus starts" test -n "$(a11y bus 2>/dev/null)"

# The button names once the window has published them (at most 10 s).
wait_names() {
  local i names
  for i in $(seq 1 50); do
    names=$(a11y names "$pid" 2>/dev/null)
    [ -n "$names" ] && break
    sleep 0.2
  done
  printf '%s\n' "$names"
}
has_name() { printf '%s\n' "$1" | grep -qxF "$2"; }
lacks_name() { ! has_name "$@"; }

# start <name> <settings text> <environment...>: a fresh copy of the program
# with the given settings file, run under the given locale variables; sets
# $dir, $pid, $win and $names.
start() {
  dir=$work/$1
  mkdir -p "$dir/home"
  cp "$prog" "$dir/"
  printf '%b' "$2" > "$dir/lumopocketo.ini"
  shift 2
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG HOME="$dir/home" \
    XDG_CONFIG_HOME="$dir/home/.config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" \
    "$dir/lumopocketo" 2> "$dir/err.txt" &
  pid=$!; pids+=("$pid")
  win=$(wait_window '^LumoPocketo')
  names=$(wait_names)
}
stop() {
  close_key "$win" F10
  wait_exit "$pid"
}

# ---- 1. A German desktop: German hints and names, the program's title ----
start german '[Defaults]\r\nDecimal Places=4\r\n' LANG=de_DE.UTF-8
check "German: window appears" test -n "$win"
check "German: the title stays the program's" \
  test "$(xdotool getwindowname "$win" 2>/dev/null)" = "LumoPocketo v10.2"
check "German: the keys publish their names" test -n "$names"
check "German: the add key is named 'Addieren'" has_name "$names" "Addieren"
check "German: no key is named 'Add'" lacks_name "$names" "Add"
check "German: the exit hint comes from the table" has_name "$names" "Beenden und Wert übertragen"
# The key named "Addieren" is the add key: 2 Addieren 3 = gives 5.
xdotool type --window "$win" --delay 30 '2'
check "German: the key named 'Addieren' can be pressed" a11y press "$pid" Addieren
sleep 0.5 # the press is an animated click, which lands a moment later
xdotool type --window "$win" --delay 30 '3='
xdotool key --window "$win" ctrl+c
sleep 0.3
clip=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
check "German: 2 Addieren 3 = gives 5 (got '$clip')" test "${clip/,/.}" = "5.0000"
# The program's own texts follow too: the tape (Ctrl+T) is the "Rechenstreifen".
xdotool key --window "$win" ctrl+t
for i in $(seq 1 25); do
  all=$(a11y all "$pid" 2>/dev/null)
  has_name "$all" "Rechenstreifen" && break
  sleep 0.2
done
check "German: the tape is named 'Rechenstreifen'" has_name "$all" "Rechenstreifen"
stop
check "German: F10 ends normally (status $status)" test "$status" = 0
check "German: the followed language is not written to the settings" \
  test "$(grep -c '^Language=' "$dir/lumopocketo.ini")" = 0

# ---- 2. The settings name a language: it wins over the desktop's ----
start chosen '[Defaults]\r\nLanguage=EnglishInt\r\n' LANG=de_DE.UTF-8
check "chosen English: the keys publish their names" test -n "$names"
check "chosen English: the add key is named 'Add'" has_name "$names" "Add"
check "chosen English: no key is named 'Addieren'" lacks_name "$names" "Addieren"
stop
check "chosen English: F10 ends normally (status $status)" test "$status" = 0
check "chosen English: the choice stays in the settings" \
  grep -q '^Language=EnglishInt' "$dir/lumopocketo.ini"

# ---- 3. An empty choice follows the desktop's first language with texts ----
start empty '[Defaults]\r\nLanguage=\r\n' LANG=en_US.UTF-8 LANGUAGE=it:fr:de
check "LANGUAGE=it:fr:de: the add key is French" has_name "$names" "Additionner"
stop
check "LANGUAGE=it:fr:de: F10 ends normally (status $status)" test "$status" = 0

finish
