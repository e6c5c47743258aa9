// The desktop's light or dark preference: the palette a platform theme
// gives, and the appearance setting of the desktop portal, read from a
// stand-in portal (tests/e2e/fake_portal.py) on a private session bus.
#include "desktopscheme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QTest>

#include <memory>
#include <optional>

using namespace Brix;

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");

TEST(DesktopScheme, APlatformPaletteSaysLightOrDarkTheStylesOwnSaysNothing)
{
    const QPalette Before = QApplication::palette();
    QApplication::setPalette(QApplication::style()->standardPalette());
    EXPECT_EQ(PlatformColorScheme(), std::nullopt);
    QApplication::setPalette(StylePalette(QStringLiteral("Iceberg Classico"), csDark));
    EXPECT_EQ(PlatformColorScheme(), csDark);
    QApplication::setPalette(StylePalette(QStringLiteral("Iceberg Classico"), csLight));
    EXPECT_EQ(PlatformColorScheme(), csLight);
    QApplication::setPalette(Before);
}

// A session bus of its own (dbus-daemon), ended with the fixture.
class PortalScheme : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() ||
            !QFileInfo::exists(Python))
            GTEST_SKIP() << "dbus-daemon or " << Python.toStdString() << " is not installed";
        FDaemon.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address")});
        ASSERT_TRUE(FDaemon.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([this] { return FDaemon.canReadLine(); }, 5000));
        FAddress = QString::fromUtf8(FDaemon.readLine()).trimmed();
        FBus.emplace(QDBusConnection::connectToBus(FAddress, QStringLiteral("portal-test")));
        ASSERT_TRUE(FBus->isConnected()) << FAddress.toStdString();
    }
    void TearDown() override
    {
        for (QProcess *P : {&FPortal, &FDaemon}) {
            P->kill();
            P->waitForFinished(5000);
        }
        FBus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("portal-test"));
    }

    // Runs fake_portal.py with Arguments on the private bus; for "serve",
    // waits until it owns the portal's name.
    void Portal(QProcess &Process, const QStringList &Arguments)
    {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), FAddress);
        Process.setProcessEnvironment(Env);
        Process.start(Python, QStringList{QStringLiteral(LUMO_FAKE_PORTAL)} + Arguments);
        ASSERT_TRUE(Process.waitForStarted(5000));
        if (Arguments.first() == QLatin1String("serve")) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return Process.canReadLine(); }, 10000))
                << Process.readAllStandardError().toStdString();
            EXPECT_EQ(Process.readLine().trimmed(), "ready");
        } else {
            ASSERT_TRUE(Process.waitForFinished(10000));
            ASSERT_EQ(Process.exitCode(), 0) << Process.readAllStandardError().toStdString();
        }
    }
    void Set(const char *Value)
    {
        QProcess Setter;
        Portal(Setter, {QStringLiteral("set"), QString::fromLatin1(Value)});
    }

    QProcess FDaemon, FPortal;
    QString FAddress;
    std::optional<QDBusConnection> FBus;
};

// Each answer of the portal, by ReadOne or (a portal older than ReadOne) by
// Read, gives the scheme; a change the portal signals is followed.
TEST_F(PortalScheme, TheAnswerGivesTheSchemeAndChangesAreFollowed)
{
    struct Row
    {
        const char *Value;
        bool ReadOne;
        TBrixColorScheme Expected;
    };
    const Row Rows[] = {
        {"1", true, csDark},  {"1", false, csDark},  {"2", true, csLight},
        {"0", true, csLight}, {"2", false, csLight},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(std::string(R.Value) + (R.ReadOne ? " ReadOne" : " Read"));
        QStringList Arguments{QStringLiteral("serve"), QString::fromLatin1(R.Value)};
        if (!R.ReadOne)
            Arguments << QStringLiteral("--no-read-one");
        ASSERT_NO_FATAL_FAILURE(Portal(FPortal, Arguments));
        TPortalColorScheme Scheme(*FBus);
        QSignalSpy Spy(&Scheme, &TPortalColorScheme::SchemeChanged);
        ASSERT_TRUE(Spy.wait(5000));
        ASSERT_EQ(Spy.size(), 1);
        EXPECT_EQ(Spy.takeFirst().at(0).value<TBrixColorScheme>(), R.Expected);
        const TBrixColorScheme Other = R.Expected == csDark ? csLight : csDark;
        Set(Other == csDark ? "1" : "2");
        ASSERT_TRUE(Spy.size() > 0 || Spy.wait(5000));
        EXPECT_EQ(Spy.takeFirst().at(0).value<TBrixColorScheme>(), Other);
        FPortal.kill();
        FPortal.waitForFinished(5000);
    }
}

// No portal on the bus: no answer, and the program stays as it is.
TEST_F(PortalScheme, NoPortalGivesNoScheme)
{
    TPortalColorScheme Scheme(*FBus);
    QSignalSpy Spy(&Scheme, &TPortalColorScheme::SchemeChanged);
    EXPECT_FALSE(Spy.wait(1000));
}

} // namespace
