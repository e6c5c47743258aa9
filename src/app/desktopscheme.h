// Light or dark, as the desktop prefers. A platform theme that gives Qt a
// palette (qt6ct, KDE's) says it with that palette; otherwise the
// freedesktop appearance setting does, read over the session bus from the
// desktop portal (org.freedesktop.portal.Settings, namespace
// org.freedesktop.appearance, key color-scheme: 1 prefers dark). The portal
// is asked asynchronously, so the window opens at once (light) and turns
// dark when the answer comes; its SettingChanged signal is followed while
// the program runs. No session bus, no portal or no such setting: light,
// silently.
#pragma once

#include "brix/widgets/styles.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>

#include <optional>

// The scheme of the palette the platform theme gave the application, or
// none when it gave none (the application's palette is still the widget
// style's own). Call it before the program sets a palette of its own.
std::optional<Brix::TBrixColorScheme> PlatformColorScheme();

// The user's session bus when one is running (DBUS_SESSION_BUS_ADDRESS, or
// the bus socket in XDG_RUNTIME_DIR), else none: no bus is started for the
// question (the bus library would otherwise try to launch one on X11).
std::optional<QDBusConnection> RunningSessionBus();

// Reads color-scheme from the desktop portal on Bus and reports it, first
// when the answer comes, then on every change the portal signals. Asks with
// ReadOne, and with the older Read where the portal lacks ReadOne.
class TPortalColorScheme : public QObject
{
    Q_OBJECT

public:
    explicit TPortalColorScheme(const QDBusConnection &Bus, QObject *Parent = nullptr);

Q_SIGNALS:
    // The desktop's preference: dark for "prefer dark", light for "prefer
    // light" and "no preference".
    void SchemeChanged(Brix::TBrixColorScheme Scheme);

private Q_SLOTS:
    void SettingChanged(const QString &Namespace, const QString &Key, const QDBusVariant &Value);

private:
    void Read(const QString &Method);
    void Report(const QVariant &Value);

    QDBusConnection FBus;
};

// Sets the named style (Brix::SetStyleOrReport) in the scheme the desktop
// prefers: the platform theme's when it gives a palette, else light at once
// and then what the portal says, followed while the program runs. Call it
// once, after the QApplication is made and before the windows are.
void SetStyleForDesktop(const QString &StyleName);
