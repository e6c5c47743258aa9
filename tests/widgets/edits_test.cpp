// The base, integer and spin edits driven by real key events: typing and
// filtering, the null state, the input settings' keys, leaving (bounds and
// range), colours by state, and hostile pastes.
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/components.h"
#include "brix/widgets/spinedits.h"
#include "brix/widgets/uictrls.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace Brix;

namespace {

struct EditFixture : ::testing::Test
{
    EditFixture()
    {
        Window.resize(300, 200);
        Edit = new TBrixIntEdit(&Window);
        Edit->setGeometry(10, 10, 100, 24);
        Text = new TBrixBaseEdit(&Window);
        Text->setGeometry(10, 40, 100, 24);
        Spin = new TBrixSpinEdit(&Window);
        Spin->setGeometry(10, 70, 100, 24);
        Next = new QLineEdit(&Window);
        Next->setGeometry(10, 100, 100, 24);
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        Next->setFocus();
    }
    ~EditFixture() override
    {
        delete Edit;
        delete Text;
        delete Spin;
        if (UI)
            UI->Free();
        if (Formatter)
            Formatter->Free();
    }

    // Focuses W with the keyboard, selects its text and types Keys.
    static void Type(QLineEdit *W, const QString &Keys)
    {
        W->setFocus(Qt::TabFocusReason);
        W->selectAll();
        QTest::keyClicks(W, Keys);
    }
    void Leave() { Next->setFocus(Qt::TabFocusReason); }
    TBrixUICtrl *MakeUI()
    {
        UI = TBrixUICtrl::Create();
        return UI;
    }

    // First member: "." and "," from before the widgets exist until after
    // they are gone.
    BrixTest::RegionalGuard Regional;
    QWidget Window;
    TBrixIntEdit *Edit = nullptr;
    TBrixBaseEdit *Text = nullptr;
    TBrixSpinEdit *Spin = nullptr;
    QLineEdit *Next = nullptr;
    TBrixUICtrl *UI = nullptr;
    TBrixFormatter *Formatter = nullptr;
};

} // namespace

TEST_F(EditFixture, IntegerTyping)
{
    struct Row
    {
        const char *Name;
        bool AllowNegatives;
        bool WithUICtrl;
        const char *Keys;
        const char *Shown;
        int Value;
    };
    const Row Rows[] = {
        {"digits", true, false, "1234", "1234", 1234},
        {"letters dropped", true, false, "1a2b3", "123", 123},
        {"negative", true, false, "-42", "-42", -42},
        {"minus refused", false, false, "-42", "42", 42},
        {"separator refused without UI control", true, false, "1,234", "1234", 1234},
        {"separator allowed by UI control", true, true, "1,234", "1,234", 1234},
        {"decimal point refused", true, true, "12.5", "125", 125},
        {"beyond the integer range clamps", true, false, "99999999999", "99999999999", 2147483647},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        Edit->SetAllowNegatives(R.AllowNegatives);
        Edit->SetUICtrl(R.WithUICtrl ? (UI ? UI : MakeUI()) : nullptr);
        Type(Edit, QString::fromLatin1(R.Keys));
        EXPECT_EQ(Edit->text(), QString::fromLatin1(R.Shown));
        Edit->UpdateValue();
        EXPECT_EQ(Edit->AsInteger(), R.Value);
        Leave();
    }
}

TEST_F(EditFixture, CharactersTypedWithAltOrThroughAnInputMethodAreFiltered)
{
    // Alt and Meta leave the key's text to the edit, which would insert it.
    const auto AltKey = [](QWidget *W, Qt::Key Key, const QString &Typed) {
        QKeyEvent Press(QEvent::KeyPress, Key, Qt::AltModifier, Typed);
        QApplication::sendEvent(W, &Press);
    };
    // What an input method commits arrives without key events.
    const auto Commit = [](QWidget *W, const QString &Typed) {
        QInputMethodEvent Event;
        Event.setCommitString(Typed);
        QApplication::sendEvent(W, &Event);
    };
    Type(Edit, QStringLiteral("1"));
    AltKey(Edit, Qt::Key_A, QStringLiteral("a"));
    AltKey(Edit, Qt::Key_2, QStringLiteral("2"));
    Commit(Edit, QStringLiteral("x3y"));
    EXPECT_EQ(Edit->text(), QStringLiteral("123"));
    // Into a null edit the first accepted character replaces the null text.
    Text->SetNull(true);
    Text->setFocus(Qt::TabFocusReason);
    AltKey(Text, Qt::Key_Q, QStringLiteral("q"));
    EXPECT_FALSE(Text->Null());
    EXPECT_EQ(Text->text(), QStringLiteral("q"));
    Text->SetNull(true);
    Commit(Text, QStringLiteral("\u00e9t\u00e9"));
    EXPECT_FALSE(Text->Null());
    EXPECT_EQ(Text->text(), QStringLiteral("\u00e9t\u00e9"));
    // Ctrl combinations still keep their meaning (Ctrl+N nulls).
    QTest::keyClick(Text, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(Text->Null());
}

TEST_F(EditFixture, LeavingShowsTheValueAndSetsModifiedOnlyWhenChanged)
{
    Edit->SetAsInteger(7);
    Edit->setFocus(Qt::TabFocusReason);
    Leave();
    EXPECT_FALSE(Edit->isModified());
    Type(Edit, QStringLiteral("0012"));
    Leave();
    EXPECT_EQ(Edit->text(), QStringLiteral("12"));
    EXPECT_TRUE(Edit->isModified());
    // A null edit entered and left untouched is not modified either.
    Edit->SetNull(true);
    Edit->setModified(false);
    Edit->setFocus(Qt::TabFocusReason);
    Leave();
    EXPECT_TRUE(Edit->Null());
    EXPECT_FALSE(Edit->isModified());
}

TEST_F(EditFixture, NullStateAndCtrlN)
{
    int NullChanges = 0;
    Text->SetOnNullChange([&](TObject *) { ++NullChanges; });
    Text->SetText(QStringLiteral("abc"));
    Text->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Text, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(Text->Null());
    EXPECT_EQ(Text->text(), QStringLiteral("<empty>"));
    EXPECT_EQ(Text->Text(), QString());
    EXPECT_TRUE(Text->AsVariant().isNull());
    // Typing replaces the null text by the character.
    QTest::keyClick(Text, Qt::Key_X);
    EXPECT_FALSE(Text->Null());
    EXPECT_EQ(Text->text(), QStringLiteral("x"));
    EXPECT_EQ(NullChanges, 2);
    // Setting the text already shown while null leaves the null state.
    Text->SetNull(true);
    Text->SetText(QStringLiteral("<empty>"));
    EXPECT_FALSE(Text->Null());
    EXPECT_EQ(Text->Text(), QStringLiteral("<empty>"));

    // With the input section forbidding it, Ctrl+N does nothing.
    Text->SetUICtrl(MakeUI());
    UI->InputSettings()->SetAllowKbdNull(false);
    QTest::keyClick(Text, Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(Text->Null());

    // An integer edit that is null reads 0 and its nullable value is empty.
    Edit->SetNull(true);
    EXPECT_EQ(Edit->AsInteger(), 0);
    EXPECT_FALSE(Edit->AsNullable().has_value());
    Edit->SetAsNullable(5);
    EXPECT_EQ(Edit->AsNullable(), std::optional<int>(5));
    EXPECT_EQ(Edit->text(), QStringLiteral("5"));
}

TEST_F(EditFixture, FormatterNullTextAndIntegerText)
{
    Formatter = TBrixFormatter::Create(nullptr);
    Formatter->NullSettings()->SetNullStr(QStringLiteral("n/a"));
    Formatter->IntegerSettings()->SetShowThousands(true);
    Edit->SetFormatter(Formatter);
    Edit->SetAsInteger(1234567);
    EXPECT_EQ(Edit->text(), QStringLiteral("1,234,567"));
    Edit->SetNull(true);
    EXPECT_EQ(Edit->text(), QStringLiteral("n/a"));
    // A formatter change reaches the edit.
    Formatter->NullSettings()->SetNullStr(QStringLiteral("none"));
    EXPECT_EQ(Edit->text(), QStringLiteral("none"));
    Formatter->Free();
    Formatter = nullptr;
    EXPECT_EQ(Edit->Formatter(), nullptr);
    Edit->SetAsInteger(1234567);
    EXPECT_EQ(Edit->text(), QStringLiteral("1234567"));
}

TEST_F(EditFixture, EnterEscapeAndArrowsFollowTheInputSettings)
{
    // Without a UI control, Enter is dropped and nothing else happens.
    Type(Edit, QStringLiteral("12"));
    QTest::keyClick(Edit, Qt::Key_Return);
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Edit->text(), QStringLiteral("12"));
    QTest::keyClick(Edit, Qt::Key_Down);
    EXPECT_TRUE(Edit->hasFocus());

    Edit->SetUICtrl(MakeUI());
    TBrixInputSection *In = UI->InputSettings();
    In->SetEnterAsTab(true);
    QTest::keyClick(Edit, Qt::Key_Return);
    EXPECT_FALSE(Edit->hasFocus());

    In->SetEnterAsTab(false);
    In->SetEnterDoesExit(true);
    Type(Edit, QStringLiteral("0034"));
    QTest::keyClick(Edit, Qt::Key_Enter);
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Edit->text(), QStringLiteral("34"));
    EXPECT_EQ(Edit->selectedText(), QStringLiteral("34"));

    In->SetEscAsUndo(true);
    QTest::keyClick(Edit, Qt::Key_End);
    QTest::keyClick(Edit, Qt::Key_5);
    EXPECT_EQ(Edit->text(), QStringLiteral("345"));
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Edit->text(), QStringLiteral("34"));

    In->SetArrowsAsTab(true);
    Text->SetUICtrl(UI);
    Edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Edit, Qt::Key_Down);
    EXPECT_TRUE(Text->hasFocus()); // the next control in tab order
    QTest::keyClick(Text, Qt::Key_Up);
    EXPECT_TRUE(Edit->hasFocus());
}

TEST_F(EditFixture, KeypadDecimalTypesTheRegionalSeparator)
{
    RegionalSettings().DecimalSeparator = u',';
    Type(Text, QString());
    QTest::keyClick(Text, Qt::Key_1);
    QTest::keyClick(Text, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(Text, Qt::Key_5);
    EXPECT_EQ(Text->text(), QStringLiteral("1,5"));
    Text->SetUICtrl(MakeUI());
    UI->InputSettings()->SetNumPadDecimal(false);
    QTest::keyClick(Text, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(Text->text(), QStringLiteral("1,5."));
}

TEST_F(EditFixture, NegativeToggleAndAllowNegatives)
{
    Edit->SetUICtrl(MakeUI());
    UI->InputSettings()->SetNegativeToggle(true);
    int SignChanges = 0;
    Edit->SetOnSignChange([&](TObject *) { ++SignChanges; });
    Type(Edit, QStringLiteral("25"));
    QTest::keyClick(Edit, Qt::Key_Minus);
    EXPECT_EQ(Edit->text(), QStringLiteral("-25"));
    QTest::keyClick(Edit, Qt::Key_Minus);
    EXPECT_EQ(Edit->text(), QStringLiteral("25"));
    EXPECT_EQ(SignChanges, 3); // 0 -> 1 while typing, then -1, then 1
    // A read-only edit keeps its value.
    Edit->SetReadOnly(true);
    QTest::keyClick(Edit, Qt::Key_Minus);
    EXPECT_EQ(Edit->AsInteger(), 25);
    EXPECT_EQ(Edit->text(), QStringLiteral("25"));
    Edit->SetReadOnly(false);

    Edit->SetAsInteger(-5);
    Edit->SetAllowNegatives(false);
    EXPECT_EQ(Edit->text(), QStringLiteral("5"));
    // The most negative integer has no positive counterpart: it turns into
    // the largest one rather than staying negative.
    Edit->SetAsInteger(std::numeric_limits<int>::min());
    EXPECT_EQ(Edit->AsInteger(), std::numeric_limits<int>::max());

    Edit->SetBlankOverride(true);
    Edit->SetAsInteger(0);
    EXPECT_EQ(Edit->text(), QString());
}

TEST_F(EditFixture, SettingTheShownValueRaisesNoChange)
{
    Edit->SetAsInteger(9);
    int Changes = 0;
    Edit->SetOnChange([&](TObject *) { ++Changes; });
    Edit->SetAsInteger(9);
    EXPECT_EQ(Changes, 0);
    Edit->SetAsInteger(10);
    EXPECT_EQ(Changes, 1);
}

// Typed text reaches the held value only through UpdateValue, which runs on
// every change only while an OnChange handler is assigned: SetAsInteger
// compares with what is shown, so it replaces typed text in either case.
TEST_F(EditFixture, SettingAValueReplacesTypedText)
{
    for (bool Handler : {false, true}) {
        SCOPED_TRACE(Handler ? "with OnChange" : "without OnChange");
        Edit->SetOnChange(Handler ? TNotifyEvent([](TObject *) {}) : TNotifyEvent());
        Edit->SetAsInteger(0);
        Type(Edit, QStringLiteral("150"));
        EXPECT_EQ(Edit->text(), QStringLiteral("150"));
        Edit->SetAsInteger(0);
        EXPECT_EQ(Edit->text(), QStringLiteral("0"));
        EXPECT_EQ(Edit->AsInteger(), 0);
        Type(Edit, QStringLiteral("-7"));
        Edit->SetAsInteger(0);
        EXPECT_EQ(Edit->text(), QStringLiteral("0"));
        EXPECT_EQ(Edit->Sign(), 0);
        Leave();
    }
}

// A sign colour lasts only while the colour section shows sign differences
// and the UI control is linked: switching either off brings the normal text
// colour back.
TEST_F(EditFixture, SignColoursLeaveWithTheSetting)
{
    const QColor Normal = Edit->palette().color(QPalette::Text);
    Edit->SetUICtrl(MakeUI());
    TBrixColorSection *Colors = UI->ColorSettings();
    Colors->SetShowSignDifference(true);
    Edit->SetAsInteger(-3);
    ASSERT_EQ(Edit->FontColor(), clRed);
    Edit->SetAsInteger(4);
    ASSERT_EQ(Edit->FontColor(), clNavy);

    Colors->SetShowSignDifference(false);
    EXPECT_EQ(Edit->FontColor(), clWindowText);
    EXPECT_EQ(Edit->palette().color(QPalette::Text), Normal);

    Colors->SetShowSignDifference(true);
    Edit->SetAsInteger(-4);
    ASSERT_EQ(Edit->FontColor(), clRed);
    Edit->SetUICtrl(nullptr);
    EXPECT_EQ(Edit->FontColor(), clWindowText);
    EXPECT_EQ(Edit->palette().color(QPalette::Text), Normal);

    // Freed while linked: the colours go with it.
    Edit->SetUICtrl(UI);
    ASSERT_EQ(Edit->FontColor(), clRed);
    UI->Free();
    UI = nullptr;
    EXPECT_EQ(Edit->FontColor(), clWindowText);
}

TEST_F(EditFixture, BoundsOnLeaving)
{
    TBrixIntegerBounds *Bounds = Edit->BoundsChecking();
    Bounds->SetLower(10);
    Bounds->SetUpper(100);
    Bounds->SetActive(true);
    Type(Edit, QStringLiteral("3"));
    Leave();
    EXPECT_EQ(Edit->text(), QStringLiteral("10"));
    int Value = 3;
    EXPECT_FALSE(Bounds->InBounds(Value));
    EXPECT_EQ(Value, 10);

    // A validation handler may supply a value in range.
    Bounds->SetOnBoundsError([](TObject *, QVariant &V) { V = 50; });
    Value = 500;
    EXPECT_TRUE(Bounds->InBounds(Value));
    EXPECT_EQ(Value, 50);
    Bounds->SetOnBoundsError(nullptr);

    Bounds->SetForceBounds(false);
    Bounds->SetUseException(true);
    Value = 150;
    try {
        Bounds->InBounds(Value);
        ADD_FAILURE() << "no error raised";
    } catch (const EMathError &E) {
        EXPECT_EQ(E.Message(),
                  QStringLiteral("Your entered Value is above the upper limit of 100"));
    }
    // Leaving with an error reports it in a box and keeps the text.
    Type(Edit, QStringLiteral("5"));
    Leave();
    EXPECT_EQ(Edit->text(), QStringLiteral("5"));
    auto *Box = Window.findChild<QMessageBox *>(QStringLiteral("BrixErrorReport"));
    ASSERT_NE(Box, nullptr);
    EXPECT_EQ(Box->text(), QStringLiteral("Your entered Value is below the lower limit of 10"));
    Box->close();
}

TEST_F(EditFixture, ColoursFollowTheState)
{
    Edit->SetColor(clYellow);
    EXPECT_EQ(Edit->ColorShowing(), clYellow);
    Edit->SetUICtrl(MakeUI());
    TBrixColorSection *Colors = UI->ColorSettings();
    EXPECT_EQ(Edit->ColorShowing(), clWindow);
    Edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit->ColorShowing(), 0x00E0FFFF);
    EXPECT_EQ(Edit->palette().color(QPalette::Base), QColor(255, 255, 224));
    Edit->SetReadOnly(true);
    EXPECT_EQ(Edit->ColorShowing(), 0x00FFFFF0);
    Edit->SetReadOnly(false);
    Leave();
    Edit->setEnabled(false);
    EXPECT_EQ(Edit->ColorShowing(), clBtnFace);
    Edit->setEnabled(true);
    // A changed section reaches the edit at once.
    Colors->SetNormalColor(clAqua);
    EXPECT_EQ(Edit->ColorShowing(), clAqua);
    // Sign colours for numbers.
    Colors->SetShowSignDifference(true);
    Edit->SetAsInteger(-3);
    EXPECT_EQ(Edit->FontColor(), clRed);
    EXPECT_EQ(Edit->palette().color(QPalette::Text), QColor(255, 0, 0));
    Edit->SetAsInteger(3);
    EXPECT_EQ(Edit->FontColor(), clNavy);
    // Its own colour shows again once the section is off.
    Colors->SetActive(false);
    Edit->ApplyColors();
    EXPECT_EQ(Edit->ColorShowing(), clYellow);
}

TEST_F(EditFixture, HostilePastesNeitherCrashNorHang)
{
    struct Row
    {
        const char *Name;
        QString Clip;
    };
    const Row Rows[] = {
        {"one MiB of digits", QString(1 << 20, u'9')},
        {"one MiB of letters", QString(1 << 20, u'x')},
        {"control characters", QStringLiteral("\x01\x0e\r\n\t\x1b"
                                              "12\x7f")},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        QApplication::clipboard()->setText(R.Clip);
        Edit->SetNull(true);
        QElapsedTimer Timer;
        Timer.start();
        Edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_FALSE(Edit->Null());
        Leave();
        EXPECT_LT(Timer.elapsed(), 5000);
        // Whatever was pasted, leaving shows the integer it was read as.
        EXPECT_EQ(Edit->text(), QString::number(Edit->AsInteger()));
    }
    // The spin edit with its editor off refuses pastes and cuts.
    QApplication::clipboard()->setText(QStringLiteral("77"));
    Spin->SetEditorEnabled(false);
    Spin->SetValue(5);
    Spin->setFocus(Qt::TabFocusReason);
    Spin->selectAll();
    QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Spin, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Spin->text(), QStringLiteral("5"));
    // Typing still goes through the integer edit's filter.
    QTest::keyClicks(Spin, QStringLiteral("4a2"));
    EXPECT_EQ(Spin->text(), QStringLiteral("42"));
}

namespace {

// Drops Text onto W at its left edge, as a drag from another program would.
void DropText(QWidget *W, const QString &Text)
{
    QMimeData Data;
    Data.setText(Text);
    const QPoint At(4, W->height() / 2);
    QDragEnterEvent Enter(At, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W, &Enter);
    QDropEvent Drop(QPointF(At), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W, &Drop);
}

} // namespace

TEST_F(EditFixture, DroppedTextIsPastedText)
{
    // Into a null edit: the null text goes and the edit holds the drop.
    Edit->SetNull(true);
    DropText(Edit, QStringLiteral("42"));
    EXPECT_FALSE(Edit->Null());
    EXPECT_EQ(Edit->text(), QStringLiteral("42"));
    Edit->UpdateValue();
    EXPECT_EQ(Edit->AsInteger(), 42);
    // Refused where a paste is: read-only, and the spin edit without editor.
    Edit->SetReadOnly(true);
    DropText(Edit, QStringLiteral("7"));
    EXPECT_EQ(Edit->text(), QStringLiteral("42"));
    Spin->SetEditorEnabled(false);
    Spin->SetValue(5);
    DropText(Spin, QStringLiteral("77"));
    EXPECT_EQ(Spin->text(), QStringLiteral("5"));
    Spin->SetEditorEnabled(true);
    Spin->SetNull(true);
    DropText(Spin, QStringLiteral("77"));
    EXPECT_EQ(Spin->text(), QStringLiteral("77"));
}

TEST_F(EditFixture, SpinKeysStepWithinTheRange)
{
    struct Row
    {
        const char *Name;
        bool Wrap;
        int Start;
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        int Expected;
    };
    const Row Rows[] = {
        {"page up", false, 50, Qt::Key_PageUp, {}, 60},
        {"page up near the top", false, 95, Qt::Key_PageUp, {}, 100},
        {"page up at the top", false, 100, Qt::Key_PageUp, {}, 100},
        {"page up at the top wraps", true, 100, Qt::Key_PageUp, {}, 0},
        {"page up near the top with wrap", true, 95, Qt::Key_PageUp, {}, 100},
        {"page down", false, 50, Qt::Key_PageDown, {}, 40},
        {"page down near the bottom", false, 5, Qt::Key_PageDown, {}, 0},
        {"page down at the bottom wraps", true, 0, Qt::Key_PageDown, {}, 100},
        {"ctrl page up", false, 5, Qt::Key_PageUp, Qt::ControlModifier, 100},
        {"ctrl page down", false, 95, Qt::Key_PageDown, Qt::ControlModifier, 0},
        {"up", false, 5, Qt::Key_Up, {}, 6},
        {"up at the top", false, 100, Qt::Key_Up, {}, 100},
        {"up at the top wraps", true, 100, Qt::Key_Up, {}, 0},
        {"down at the bottom wraps", true, 0, Qt::Key_Down, {}, 100},
    };
    Spin->setFocus(Qt::TabFocusReason);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        Spin->SetWrap(R.Wrap);
        Spin->SetValue(R.Start);
        QTest::keyClick(Spin, R.Key, R.Mods);
        EXPECT_EQ(Spin->Value(), R.Expected);
        EXPECT_EQ(Spin->text(), QString::number(R.Expected));
    }
    // Paging starts from the typed digits, as stepping does, also when no
    // change handler has read them.
    Spin->SetWrap(false);
    Spin->SetValue(0);
    Spin->selectAll();
    QTest::keyClicks(Spin, QStringLiteral("50"));
    QTest::keyClick(Spin, Qt::Key_PageUp);
    EXPECT_EQ(Spin->Value(), 60);
    Spin->selectAll();
    QTest::keyClicks(Spin, QStringLiteral("30"));
    QTest::keyClick(Spin, Qt::Key_PageDown);
    EXPECT_EQ(Spin->Value(), 20);
    // Read-only: keys do not step.
    Spin->SetValue(5);
    Spin->SetReadOnly(true);
    QTest::keyClick(Spin, Qt::Key_Up);
    EXPECT_EQ(Spin->Value(), 5);
}

TEST_F(EditFixture, SpinEditFitsTheRangeOnLeavingAndSelectsOnKeyboardEntry)
{
    Type(Spin, QStringLiteral("150"));
    EXPECT_EQ(Spin->text(), QStringLiteral("150"));
    Leave();
    EXPECT_EQ(Spin->Value(), 100);
    EXPECT_EQ(Spin->text(), QStringLiteral("100"));
    Spin->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Spin->selectedText(), QStringLiteral("100"));
    Leave();
    Spin->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Spin->selectedText(), QString());
    EXPECT_GE(Spin->height(), Spin->MinimumHeight());
}

TEST_F(EditFixture, SpinButtonSitsInsideTheRightEdgeAndTheTextStopsBeforeIt)
{
    // One pixel clear of the frame's right and bottom sides, against its top.
    const int Frame = Spin->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Spin);
    const QRect Button = Spin->Button()->geometry();
    EXPECT_EQ(Button.size().width(), 16);
    EXPECT_EQ(Button.top(), Frame);
    EXPECT_EQ(Spin->width() - Frame - (Button.right() + 1), 1);
    EXPECT_EQ(Spin->height() - Frame - (Button.bottom() + 1), 1);
    EXPECT_EQ(Spin->textMargins().right(), 16 + 2);
    // A resize keeps it there.
    Spin->resize(140, 40);
    EXPECT_EQ(Spin->Button()->geometry().right(), 140 - Frame - 2);
    EXPECT_EQ(Spin->Button()->geometry().bottom(), 40 - Frame - 2);
}

TEST_F(EditFixture, SpinButtonStepsAndFocusesTheEdit)
{
    int Ups = 0, Clicks = 0;
    Spin->SetOnUpClick([&](TObject *) { ++Ups; });
    Spin->SetOnClick([&](TObject *) { ++Clicks; });
    Spin->SetValue(10);
    Next->setFocus();
    TBrixSpeedButton *Up = Spin->Button()->UpButton();
    // A repeating half's press returns only after its release.
    const auto Click = [Up] {
        QTimer::singleShot(50, Up,
                           [Up] { QTest::mouseRelease(Up, Qt::LeftButton, {}, QPoint(4, 4)); });
        QTest::mousePress(Up, Qt::LeftButton, {}, QPoint(4, 4));
    };
    Click();
    EXPECT_EQ(Spin->Value(), 11);
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Spin->hasFocus());
    // A held half steps repeatedly (every 400 ms), the release adds one.
    QTimer::singleShot(1000, Up,
                       [Up] { QTest::mouseRelease(Up, Qt::LeftButton, {}, QPoint(4, 4)); });
    QTest::mousePress(Up, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(Spin->Value(), 14);
    // Read-only beeps and does not step.
    Spin->SetReadOnly(true);
    Click();
    EXPECT_EQ(Spin->Value(), 14);
}
