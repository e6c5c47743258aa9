"""Reads a running program over the accessibility bus (AT-SPI), as a screen
reader does.
  a11y.py bus             start the accessibility bus, print its address
  a11y.py names PID       one line per push button of process PID: its accessible name
  a11y.py all PID         the same for every element of PID
  a11y.py tree PID        every element of PID, one a line: role, a tab, name,
                          a tab, and the text of those that hold text
  a11y.py press PID NAME  run the action of the push button of PID named NAME"""
import sys
import dbus

ACC = "org.a11y.atspi.Accessible"
T = 5  # seconds for each call: an application that has gone does not answer
session = dbus.SessionBus()
address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
if sys.argv[1] == "bus":
    print(address)
    sys.exit(0)
bus = dbus.bus.BusConnection(address)


def name_of(obj):
    return str(obj.Get(ACC, "Name", dbus_interface="org.freedesktop.DBus.Properties", timeout=T))


def role_of(obj):
    return str(obj.GetRoleName(dbus_interface=ACC, timeout=T))


def text_of(obj):
    try:
        return str(obj.GetText(0, -1, dbus_interface="org.a11y.atspi.Text", timeout=T))
    except dbus.exceptions.DBusException:
        return ""


def elements(obj, depth=0):
    """The object and all below it, depth first (at most 30 levels)."""
    yield obj
    if depth >= 30:
        return
    for sender, path in obj.GetChildren(dbus_interface=ACC, timeout=T):
        yield from elements(bus.get_object(sender, path), depth + 1)


def pid_of(sender):
    return int(bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").GetConnectionUnixProcessID(
        sender, dbus_interface="org.freedesktop.DBus", timeout=T))


command, pid = sys.argv[1], int(sys.argv[2])
registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
found = []
for sender, path in registry.GetChildren(dbus_interface=ACC, timeout=T):
    try:
        if pid_of(sender) == pid:
            # The application object itself is an element only of the tree.
            below = list(elements(bus.get_object(sender, path)))
            found += below if command == "tree" else below[1:]
    except dbus.exceptions.DBusException:
        pass  # an application that has just ended
if command in ("names", "press"):
    found = [e for e in found if role_of(e) == "push button"]
if command in ("names", "all"):
    for e in found:
        print(name_of(e))
elif command == "tree":
    for e in found:
        print(role_of(e) + "\t" + name_of(e) + "\t" + text_of(e).replace("\n", "|"))
elif command == "press":
    matches = [b for b in found if name_of(b) == sys.argv[3]]
    if len(matches) != 1:
        sys.exit(f"{len(matches)} buttons named {sys.argv[3]!r}")
    matches[0].DoAction(0, dbus_interface="org.a11y.atspi.Action", timeout=T)
else:
    sys.exit("unknown command " + command)
