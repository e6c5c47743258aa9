// The key button driven by real mouse events: plain clicks, the held
// repeat (its click count and its processor use), right presses, sliding
// off, the focus control, and the spin button's halves.
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <sys/resource.h>

using namespace Brix;

namespace {

double ProcessCpuSeconds()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return double(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
           double(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
}

struct ButtonFixture : ::testing::Test
{
    ButtonFixture()
    {
        Window.resize(200, 120);
        Other = new QLineEdit(&Window);
        Other->setGeometry(10, 10, 100, 24);
        Key = new TBrixSpeedButton(&Window);
        Key->setText(QStringLiteral("7"));
        Key->setGeometry(10, 50, 40, 30);
        Key->SetOnClick([this](TObject *) {
            ++Clicks;
            ClickTimes.append(Since.elapsed());
        });
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        Other->setFocus();
    }

    // Presses the left button over the key and releases it after HoldMs at
    // ReleaseAt (in the key's coordinates); returns when the press handler
    // has returned.
    void Hold(int HoldMs, QPoint ReleaseAt = QPoint(20, 15))
    {
        // A precise timer: the release must not come early.
        QTimer::singleShot(HoldMs, Qt::PreciseTimer, Key, [this, ReleaseAt] {
            QTest::mouseRelease(Key, Qt::LeftButton, {}, ReleaseAt);
        });
        Since.start();
        QTest::mousePress(Key, Qt::LeftButton, {}, QPoint(20, 15));
        // A key without repeat returns at once; wait for the release.
        if (Key->isDown())
            QTest::qWait(HoldMs + 100);
    }

    QWidget Window;
    QLineEdit *Other = nullptr;
    TBrixSpeedButton *Key = nullptr;
    int Clicks = 0;
    QElapsedTimer Since;      // started at the press
    QList<qint64> ClickTimes; // ms after the press
};

} // namespace

TEST_F(ButtonFixture, NeverTakesTheFocus)
{
    EXPECT_EQ(Key->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(Key, Qt::LeftButton);
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Other->hasFocus());
    EXPECT_EQ(Key->Version(), QStringLiteral("1.0.0 (Beta 14)"));
}

TEST_F(ButtonFixture, HeldRepeatableKeyClicksAfterEachIntervalAndIdlesWhileHeld)
{
    Key->SetRepeatable(true);
    ASSERT_EQ(Key->Interval(), 400u);
    QElapsedTimer Wall;
    Wall.start();
    const double CpuBefore = ProcessCpuSeconds();
    // About a second; the release comes 300 ms after the second repeat is
    // due, so a late timer on a busy machine cannot cost a click, and before
    // a third could be due (the earlier-due timer always fires first).
    Hold(1100);
    const double Cpu = ProcessCpuSeconds() - CpuBefore;
    const double Seconds = Wall.elapsed() / 1000.0;
    // Two repeats (after 400 and 800 ms) and the release click.
    ASSERT_EQ(Clicks, 3);
    // Each repeat strictly after a full interval since the one before.
    EXPECT_GT(ClickTimes[0], 400);
    EXPECT_GT(ClickTimes[1] - ClickTimes[0], 400);
    EXPECT_GE(ClickTimes[2], 1100);
    EXPECT_FALSE(Key->Repeating());
    EXPECT_GE(Seconds, 1.05);
    // Waiting on timers: the processor stays near idle while the key is held.
    EXPECT_LT(Cpu, 0.2 * Seconds) << "cpu " << Cpu << " s over " << Seconds << " s";
}

TEST_F(ButtonFixture, ZeroIntervalOrNoRepeatBehavesLikeAPlainKey)
{
    Key->SetRepeatable(true);
    Key->SetInterval(0);
    Hold(500);
    EXPECT_EQ(Clicks, 1);
    Key->SetRepeatable(false);
    Key->SetInterval(100);
    Clicks = 0;
    Hold(500);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ButtonFixture, ReleaseOutsideEndsTheLoopWithoutAClick)
{
    Key->SetRepeatable(true);
    Key->SetInterval(300);
    Hold(550, QPoint(-50, -50));
    EXPECT_EQ(Clicks, 1); // the repeat at 300 ms only
    EXPECT_FALSE(Key->Repeating());
    EXPECT_FALSE(Key->isDown());
}

TEST_F(ButtonFixture, SlidingOffSuspendsTheRepeats)
{
    Key->SetRepeatable(true);
    Key->SetInterval(200);
    // Off the key from 100 to 700 ms, back on until the release at 1300 ms.
    QTimer::singleShot(1300, Qt::PreciseTimer, Key,
                       [this] { QTest::mouseRelease(Key, Qt::LeftButton, {}, QPoint(20, 15)); });
    // QTest's moves carry no pressed button; send ones that do.
    qint64 OffAt = -1, OnAt = -1;
    QTimer::singleShot(100, Qt::PreciseTimer, Key, [&] {
        QMouseEvent Move(QEvent::MouseMove, QPointF(-50, -50), Key->mapToGlobal(QPointF(-50, -50)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Key, &Move);
        OffAt = Since.elapsed();
    });
    QTimer::singleShot(700, Qt::PreciseTimer, Key, [&] {
        QMouseEvent Move(QEvent::MouseMove, QPointF(20, 15), Key->mapToGlobal(QPointF(20, 15)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Key, &Move);
        OnAt = Since.elapsed();
    });
    Since.start();
    QTest::mousePress(Key, Qt::LeftButton, {}, QPoint(20, 15));
    ASSERT_GE(OffAt, 0);
    ASSERT_GE(OnAt, 0);
    // Nothing while off the key (about three repeats were due then); back on,
    // the repeats resume (at least one within 600 ms), then the release click.
    int WhileOff = 0, AfterBackOn = 0;
    for (qint64 T : ClickTimes) {
        if (T > OffAt && T < OnAt)
            ++WhileOff;
        else if (T >= OnAt)
            ++AfterBackOn;
    }
    EXPECT_EQ(WhileOff, 0);
    EXPECT_GE(AfterBackOn, 2);
    EXPECT_LE(Clicks, 4);
}

TEST_F(ButtonFixture, RightPressNeitherRepeatsNorMovesTheFocus)
{
    auto *Target = new QLineEdit(&Window);
    Target->setGeometry(10, 90, 100, 24);
    Target->show();
    Key->SetRepeatable(true);
    Key->SetFocusControl(Target);
    int Presses = 0;
    Key->SetOnMouseDown([&](TObject *, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int) {
        EXPECT_EQ(Button, Qt::RightButton);
        ++Presses;
    });
    QElapsedTimer Wall;
    Wall.start();
    QTest::mousePress(Key, Qt::RightButton, {}, QPoint(20, 15));
    EXPECT_LT(Wall.elapsed(), 300); // no loop ran inside the press
    EXPECT_FALSE(Key->Repeating());
    QTest::qWait(500);
    QTest::mouseRelease(Key, Qt::RightButton, {}, QPoint(20, 15));
    EXPECT_EQ(Presses, 1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(Other->hasFocus());
}

TEST_F(ButtonFixture, LeftPressHandsTheFocusToTheFocusControlWithATabStop)
{
    auto *Target = new QLineEdit(&Window);
    Target->setGeometry(10, 90, 100, 24);
    Target->show();
    Target->setFocusPolicy(Qt::ClickFocus); // tab stop off
    Key->SetFocusControl(Target);
    QTest::mouseClick(Key, Qt::LeftButton);
    EXPECT_TRUE(Other->hasFocus());
    Target->setFocusPolicy(Qt::StrongFocus);
    QTest::mouseClick(Key, Qt::LeftButton);
    EXPECT_TRUE(Target->hasFocus());
    EXPECT_EQ(Clicks, 2);
    delete Target; // the link clears itself
    EXPECT_EQ(Key->FocusControl(), nullptr);
    QTest::mouseClick(Key, Qt::LeftButton);
    EXPECT_EQ(Clicks, 3);
}

TEST_F(ButtonFixture, RightAndBottomMoveTheKeyKeepingItsSize)
{
    Key->SetRight(50); // already there
    EXPECT_EQ(Key->geometry(), QRect(10, 50, 40, 30));
    Key->SetRight(100);
    Key->SetBottom(200);
    EXPECT_EQ(Key->geometry(), QRect(60, 170, 40, 30));
    EXPECT_EQ(Key->Right(), 100);
    EXPECT_EQ(Key->Bottom(), 200);
}

TEST_F(ButtonFixture, KeyFreedInsideItsOwnRepeatClickEndsCleanly)
{
    Key->SetRepeatable(true);
    Key->SetInterval(50);
    Key->SetOnClick([this](TObject *) {
        ++Clicks;
        delete Key;
    });
    QTimer::singleShot(1000, &Window, [] { FAIL() << "the press handler did not return"; });
    QTest::mousePress(Key, Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_EQ(Clicks, 1);
}

TEST(SpinButton, HalvesRepeatAndLayOut)
{
    QWidget Window;
    auto *Spin = new TBrixSpinButton(&Window);
    EXPECT_EQ(Spin->size(), QSize(20, 25));
    EXPECT_EQ(Spin->UpButton()->geometry(), QRect(0, 0, 20, 12));
    EXPECT_EQ(Spin->DownButton()->geometry(), QRect(0, 11, 20, 14));
    Window.show();
    Spin->resize(10, 30); // narrower than 15 is widened
    EXPECT_EQ(Spin->width(), 15);
    EXPECT_EQ(Spin->DownButton()->geometry(), QRect(0, 14, 15, 16));
    EXPECT_FALSE(Spin->UpGlyph().isNull());
    EXPECT_FALSE(Spin->DownGlyph().isNull());
    EXPECT_TRUE(Spin->UpButton()->Repeatable());
    Spin->SetInterval(100);
    EXPECT_EQ(Spin->DownButton()->Interval(), 100u);

    int Up = 0, Down = 0;
    Spin->SetOnUpClick([&](TObject *) { ++Up; });
    Spin->SetOnDownClick([&](TObject *) { ++Down; });
    // A repeating half's press returns only after its release.
    QTimer::singleShot(50, Spin, [Spin] { QTest::mouseRelease(Spin->UpButton(), Qt::LeftButton); });
    QTest::mousePress(Spin->UpButton(), Qt::LeftButton);
    QTimer::singleShot(50, Spin,
                       [Spin] { QTest::mouseRelease(Spin->DownButton(), Qt::LeftButton); });
    QTest::mousePress(Spin->DownButton(), Qt::LeftButton);
    EXPECT_EQ(Up, 1);
    EXPECT_EQ(Down, 1);
    // Held for a second at 100 ms: up to nine repeats (each strictly after a
    // full interval), at least a few even on a busy machine, then the release.
    Up = 0;
    QTimer::singleShot(1000, Qt::PreciseTimer, Spin,
                       [Spin] { QTest::mouseRelease(Spin->UpButton(), Qt::LeftButton); });
    QTest::mousePress(Spin->UpButton(), Qt::LeftButton);
    EXPECT_GE(Up, 4);
    EXPECT_LE(Up, 10);
}

TEST(SpeedButtonAccessible, NamedPressableAndNotDescribedByItsName)
{
    QWidget Parent;
    TBrixSpeedButton Key(&Parent);
    Key.setText(QStringLiteral("7"));
    QAccessibleInterface *Iface = QAccessible::queryAccessibleInterface(&Key);
    ASSERT_NE(Iface, nullptr);
    EXPECT_EQ(Iface->role(), QAccessible::Button);
    EXPECT_EQ(Iface->text(QAccessible::Name), QStringLiteral("7")) << "the caption";

    // A hint that is also the name is not read out a second time.
    Key.setToolTip(QStringLiteral("Add"));
    Key.setAccessibleName(QStringLiteral("Add"));
    EXPECT_EQ(Iface->text(QAccessible::Name), QStringLiteral("Add"));
    EXPECT_EQ(Iface->text(QAccessible::Description), QString());
    Key.setAccessibleDescription(QStringLiteral("Add"));
    EXPECT_EQ(Iface->text(QAccessible::Description), QString());
    Key.setAccessibleDescription(QStringLiteral("Adds the next number"));
    EXPECT_EQ(Iface->text(QAccessible::Description), QStringLiteral("Adds the next number"));

    int Clicks = 0;
    QObject::connect(&Key, &QAbstractButton::clicked, [&Clicks] { ++Clicks; });
    QAccessibleActionInterface *Actions = Iface->actionInterface();
    ASSERT_NE(Actions, nullptr);
    ASSERT_TRUE(Actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    Actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Clicks, 1);
    Key.setEnabled(false);
    EXPECT_FALSE(Actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    Actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Clicks, 1) << "a disabled key is not pressed";
}
