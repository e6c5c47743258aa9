#!/usr/bin/python3
"""A stand-in for the desktop portal's Settings interface on the session bus,
for the checks of the desktop's light or dark preference.
  fake_portal.py serve <color-scheme> [--no-read-one]
      owns org.freedesktop.portal.Desktop and answers Read, and ReadOne unless
      --no-read-one (as a portal older than ReadOne), for the key
      color-scheme of org.freedesktop.appearance (1 prefer dark, 2 prefer
      light, 0 no preference); other keys are not found. Prints "ready" once
      it owns the name, then serves until it is killed.
  fake_portal.py set <color-scheme>
      gives the running one a new value: it sends SettingChanged."""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"
CONTROL = "org.lumopocketo.FakePortal"
NAMESPACE, KEY = "org.freedesktop.appearance", "color-scheme"


class Settings(dbus.service.Object):
    def __init__(self, bus, value, read_one):
        super().__init__(bus, PATH)
        self.value = value
        self.read_one = read_one

    def lookup(self, namespace, key):
        if (namespace, key) != (NAMESPACE, KEY):
            raise dbus.exceptions.DBusException(
                "Requested setting not found", name="org.freedesktop.portal.Error.NotFound")
        return self.value

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def ReadOne(self, namespace, key):
        if not self.read_one:
            raise dbus.exceptions.DBusException(
                "No such method 'ReadOne'", name="org.freedesktop.DBus.Error.UnknownMethod")
        return dbus.UInt32(self.lookup(namespace, key))

    # The older method wraps the value in a variant of its own: v(v(u)).
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        return dbus.UInt32(self.lookup(namespace, key), variant_level=2)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass

    @dbus.service.method(CONTROL, in_signature="u")
    def Set(self, value):
        self.value = int(value)
        self.SettingChanged(NAMESPACE, KEY, dbus.UInt32(self.value, variant_level=1))


def main():
    if sys.argv[1] == "set":
        proxy = dbus.SessionBus().get_object(NAME, PATH)
        proxy.Set(dbus.UInt32(int(sys.argv[2])), dbus_interface=CONTROL)
        return
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Settings(bus, int(sys.argv[2]), "--no-read-one" not in sys.argv[3:])
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del portal, name


if __name__ == "__main__":
    main()
