#include "desktopscheme.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QPalette>
#include <QStyle>
#include <QTimer>

using namespace Brix;

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SettingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString AppearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString ColorSchemeKey = QStringLiteral("color-scheme");
constexpr uint PreferDark = 1;

// Dark when the text is lighter than the window behind it.
TBrixColorScheme SchemeOf(const QPalette &Palette)
{
    return Palette.color(QPalette::WindowText).lightness() >
                   Palette.color(QPalette::Window).lightness()
               ? csDark
               : csLight;
}

} // namespace

std::optional<TBrixColorScheme> PlatformColorScheme()
{
    // Without a theme palette Qt starts from the style's standard palette.
    const QPalette Application = QApplication::palette();
    if (Application == QApplication::style()->standardPalette())
        return std::nullopt;
    return SchemeOf(Application);
}

std::optional<QDBusConnection> RunningSessionBus()
{
    const QString Runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (Runtime.isEmpty() || !QFileInfo(Runtime + QStringLiteral("/bus")).exists()))
        return std::nullopt;
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.isConnected())
        return std::nullopt;
    return Bus;
}

TPortalColorScheme::TPortalColorScheme(const QDBusConnection &Bus, QObject *Parent)
    : QObject(Parent), FBus(Bus)
{
    // The bus finds the slot by its parameters' type names, which QDBusVariant
    // has only once it is registered. From any sender: naming the portal's
    // service would make Qt look its owner up with a call that waits.
    qRegisterMetaType<QDBusVariant>();
    FBus.connect(QString(), PortalPath, SettingsInterface, QStringLiteral("SettingChanged"), this,
                 SLOT(SettingChanged(QString, QString, QDBusVariant)));
    Read(QStringLiteral("ReadOne"));
}

void TPortalColorScheme::Read(const QString &Method)
{
    QDBusMessage Call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, SettingsInterface, Method);
    Call << AppearanceNamespace << ColorSchemeKey;
    auto *Watcher = new QDBusPendingCallWatcher(FBus.asyncCall(Call), this);
    connect(Watcher, &QDBusPendingCallWatcher::finished, this,
            [this, Method](QDBusPendingCallWatcher *Finished) {
                Finished->deleteLater();
                const QDBusPendingReply<QDBusVariant> Reply = *Finished;
                if (!Reply.isError()) {
                    Report(Reply.value().variant());
                    return;
                }
                // A portal older than ReadOne has only Read; anything else
                // (no portal, no such setting) leaves the program as it is.
                if (Method == QLatin1String("ReadOne") &&
                    Reply.error().type() == QDBusError::UnknownMethod)
                    Read(QStringLiteral("Read"));
            });
}

void TPortalColorScheme::SettingChanged(const QString &Namespace, const QString &Key,
                                        const QDBusVariant &Value)
{
    if (Namespace == AppearanceNamespace && Key == ColorSchemeKey)
        Report(Value.variant());
}

void TPortalColorScheme::Report(const QVariant &Value)
{
    // Read wraps the value in one variant more than ReadOne does.
    QVariant Inner = Value;
    while (Inner.metaType() == QMetaType::fromType<QDBusVariant>())
        Inner = Inner.value<QDBusVariant>().variant();
    bool IsNumber = false;
    const uint Scheme = Inner.toUInt(&IsNumber);
    if (!IsNumber)
        return;
    Q_EMIT SchemeChanged(Scheme == PreferDark ? csDark : csLight);
}

void SetStyleForDesktop(const QString &StyleName)
{
    const std::optional<TBrixColorScheme> Platform = PlatformColorScheme();
    if (!SetStyleOrReport(StyleName, Platform.value_or(csLight)) || Platform)
        return;
    // Asked once the event loop runs, so that the window is shown first.
    QTimer::singleShot(0, qApp, [StyleName] {
        const std::optional<QDBusConnection> Bus = RunningSessionBus();
        if (!Bus)
            return;
        auto *Portal = new TPortalColorScheme(*Bus, qApp);
        QObject::connect(Portal, &TPortalColorScheme::SchemeChanged, qApp,
                         [StyleName](TBrixColorScheme Scheme) {
                             QApplication::setPalette(StylePalette(StyleName, Scheme));
                         });
    });
}
