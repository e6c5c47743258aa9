// The calculator windows and the calculator component, driven by keyboard and
// mouse on Qt's offscreen platform. Every modal run is guarded by a watchdog
// that closes the window and fails the test instead of hanging.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_input.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/store/storectrls.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"
#include "brix/widgets/styles.h"
#include "brix/widgets/uictrls.h"
#include "calcwindows/typed_keys.h"
#include "calcwindows/window_fixture.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QFrame>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

using namespace Brix;

namespace {

// Runs with "." and "," as the regional separators, and routes the windows'
// error messages into FErrors instead of message boxes.
class CalcWindows : public BrixTest::WindowFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        TBrixCalcFormBase::SetErrorReporter(
            [this](QWidget *, const QString &Message) { FErrors << Message; });
    }
    void TearDown() override
    {
        TBrixCalcFormBase::SetErrorReporter(nullptr);
        RegionalFixture::TearDown();
    }

    static void Click(TBrixCalcFormBase &Form, TBrixCalcKey K)
    {
        QTest::mouseClick(Form.Key(K), Qt::LeftButton);
    }

    QStringList FErrors;
};

// The oracle: the keys the typed characters stand for, pressed on an engine
// ("." region).
QString EngineDisplayFor(const QString &Keys)
{
    TOwned<TBrixCalcEngine> Engine(Brix::Create<TBrixCalcEngine>());
    Engine->AllClear();
    for (QChar C : Keys)
        for (TBrixCalcKey K : BrixTest::TypedKeysFor(C.unicode(), false, u'.'))
            PressKey(*Engine, K);
    return Engine->GetDisplayStr();
}

// Runs Action inside the modal loop of the window that Calc.Execute() shows;
// a watchdog closes any window left open after five seconds.
struct TRun
{
    bool Result = false;
    bool TimedOut = false;
};

template <class TAction> TRun RunStandard(TBrixCalculator &Calc, TAction Action)
{
    TRun Run;
    Calc.SetOnStartCalculator([&](TObject *, TBrixCalcForm *&Form) {
        TBrixCalcForm *F = Form;
        QTimer::singleShot(0, F, [F, Action] { Action(*F); });
    });
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [&Run] {
        Run.TimedOut = true;
        if (QWidget *Modal = QApplication::activeModalWidget())
            Modal->close();
    });
    Watchdog.start(5000);
    Run.Result = Calc.Execute();
    return Run;
}

TEST_F(CalcWindows, KeySequencesShowTheEngineDisplayByKeyboardAndMouse)
{
    struct Row
    {
        const char *Name;
        const char *Keys;
        const char *Display;
    };
    const Row Rows[] = {
        {"precedence", "2+3*4=", "14.0000"},          {"brackets", "(2+3)*4=", "20.0000"},
        {"entry as typed", "12.5", "12.5"},           {"division", "1/3=", "0.3333"},
        {"chain after equals", "2+3=*2=", "10.0000"}, {"typed percent", "200+10%=", "220.0000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const QString Keys = QString::fromLatin1(R.Keys);
        TBrixCalcForm ByKeyboard;
        Show(ByKeyboard);
        Type(ByKeyboard, Keys);
        EXPECT_EQ(ByKeyboard.ValueDisplay->text(), QString::fromLatin1(R.Display));
        EXPECT_EQ(ByKeyboard.ValueDisplay->text(), EngineDisplayFor(Keys));

        TBrixCalcForm ByMouse;
        Show(ByMouse);
        for (QChar C : Keys)
            for (TBrixCalcKey K : BrixTest::TypedKeysFor(C.unicode(), false, u'.'))
                Click(ByMouse, K);
        EXPECT_EQ(ByMouse.ValueDisplay->text(), ByKeyboard.ValueDisplay->text());
        EXPECT_TRUE(ByMouse.isVisible());
    }
}

TEST_F(CalcWindows, LettersReachHiddenKeysInTheCompactLayout)
{
    TBrixCalcForm Form;
    Form.SetHideFnBtns(true);
    Show(Form);
    for (TBrixCalcKey K : {ckPi, ckSqRoot, ckInv, ckPower})
        EXPECT_TRUE(Form.Key(K)->isHidden());

    // The oracle: the same keys as engine calls.
    TOwned<TBrixCalcEngine> Engine(Brix::Create<TBrixCalcEngine>());
    Engine->AllClear();
    Type(Form, QStringLiteral("9r"));
    Engine->InputDigit(9);
    Engine->DoSqRoot();
    EXPECT_EQ(Form.ValueDisplay->text(), Engine->GetDisplayStr());
    Type(Form, QStringLiteral("a8@3="));
    Engine->AllClear();
    Engine->InputDigit(8);
    Engine->DoInv();
    Engine->DoPower();
    Engine->InputDigit(3);
    Engine->DoEquals();
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("2.0000")) << "@ is the inverse power";
    EXPECT_EQ(Form.ValueDisplay->text(), Engine->GetDisplayStr());
    Type(Form, QStringLiteral("p"));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("3.1416"));
    Type(Form, QStringLiteral("4x5="));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("20.0000")) << "X multiplies";
    Type(Form, QStringLiteral("7_"));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("-7"));
}

// Every character up to U+024F (the Turkish dotless i and dotted I among
// them) in each window kind and both regions presses exactly the keys of the
// keyboard table.
TEST(CalcKeyboard, CharactersPressTheKeysOfTheKeyboardTable)
{
    for (TBrixCalcWindowKind Kind : {wkCompact, wkFull, wkScientific})
        for (char16_t Decimal : {u'.', u','})
            for (char16_t C = 0; C < 0x250; ++C) {
                const TBrixKeyPresses Got = KeysForCharacter(QChar(C), Kind, QChar(Decimal));
                EXPECT_EQ(std::vector<TBrixCalcKey>(Got.begin(), Got.end()),
                          BrixTest::TypedKeysFor(C, Kind == wkScientific, Decimal))
                    << "character " << int(C) << ", window kind " << Kind << ", separator "
                    << char(Decimal);
            }
}

TEST(CalcKeyboard, KeyDownRules)
{
    using M = Qt::KeyboardModifier;
    const std::optional<TBrixCalcKey> None;
    struct Row
    {
        const char *Name;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        std::optional<TBrixCalcKey> Standard, Scientific;
    };
    const Row Rows[] = {
        {"F10", Qt::Key_F10, M::NoModifier, ckExit, None},
        {"Shift+F10", Qt::Key_F10, M::ShiftModifier, None, None},
        {"Ctrl+F10", Qt::Key_F10, M::ControlModifier, None, None},
        {"keypad .", Qt::Key_Period, M::KeypadModifier, ckPoint, ckPoint},
        {"keypad , with Ctrl", Qt::Key_Comma, M::KeypadModifier | M::ControlModifier, ckPoint,
         ckPoint},
        {". off the keypad is a typed character", Qt::Key_Period, M::NoModifier, None, None},
        {"Delete", Qt::Key_Delete, M::NoModifier, ckClear, ckClear},
        {"Ctrl+Delete", Qt::Key_Delete, M::ControlModifier, ckClear, ckClear},
        {"Ctrl+C", Qt::Key_C, M::ControlModifier, ckCopy, ckCopy},
        {"Ctrl+Shift+C", Qt::Key_C, M::ControlModifier | M::ShiftModifier, ckCopy, ckCopy},
        {"C alone is a typed character", Qt::Key_C, M::NoModifier, None, None},
        {"Ctrl+Insert", Qt::Key_Insert, M::ControlModifier, ckCopy, ckCopy},
        {"Ctrl+Shift+Insert copies", Qt::Key_Insert, M::ControlModifier | M::ShiftModifier, ckCopy,
         ckCopy},
        {"Shift+Insert", Qt::Key_Insert, M::ShiftModifier, ckPaste, ckPaste},
        {"keypad Shift+Insert", Qt::Key_Insert, M::ShiftModifier | M::KeypadModifier, ckPaste,
         ckPaste},
        {"Insert alone", Qt::Key_Insert, M::NoModifier, None, None},
        {"Ctrl+V", Qt::Key_V, M::ControlModifier, ckPaste, ckPaste},
        {"Shift+V", Qt::Key_V, M::ShiftModifier, None, None},
        {"Ctrl+X", Qt::Key_X, M::ControlModifier, ckExit, ckExit},
        {"Ctrl+Z", Qt::Key_Z, M::ControlModifier, None, None},
        {"Escape is a typed character", Qt::Key_Escape, M::NoModifier, None, None},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(KeyForKeyDown(R.Key, R.Modifiers, wkCompact), R.Standard);
        EXPECT_EQ(KeyForKeyDown(R.Key, R.Modifiers, wkFull), R.Standard);
        EXPECT_EQ(KeyForKeyDown(R.Key, R.Modifiers, wkScientific), R.Scientific);
    }
}

TEST_F(CalcWindows, LayoutGridAtTheDesignSizes)
{
    struct Expect
    {
        const char *Name;
        QSize Client;
        int Rows[5];
        int Memory;
        int FunctionRows[2]; // -1: hidden
    };
    auto Check = [](TBrixCalcFormBase &Form, const Expect &E,
                    std::initializer_list<TBrixCalcKey> FirstColumn) {
        SCOPED_TRACE(E.Name);
        EXPECT_EQ(Form.size(), E.Client);
        EXPECT_EQ(Form.CalcPanel->geometry(), QRect(QPoint(0, 0), E.Client));
        int I = 0;
        for (TBrixCalcKey K : FirstColumn)
            EXPECT_EQ(Form.Key(K)->y(), E.Rows[I++]) << Form.Key(K)->objectName().toStdString();
        EXPECT_EQ(Form.MemoryDisplay->y(), E.Memory);
        EXPECT_EQ(Form.ValueDisplay->geometry(), QRect(5, 5, E.Client.width() - 10, 24));
        EXPECT_EQ(Form.MemoryDisplay->width(), E.Client.width() - 10);
        for (TBrixCalcKey K : {ckCopy, ckPaste, ckExit})
            EXPECT_EQ(Form.Key(K)->y(), 34);
        EXPECT_EQ(Form.DPSpin->y(), 34);
        if (E.FunctionRows[0] >= 0) {
            EXPECT_EQ(Form.SinBtn->y(), E.FunctionRows[0]);
            EXPECT_EQ(Form.PowerBtn->y(), E.FunctionRows[1]);
            EXPECT_TRUE(Form.SinBtn->isVisibleTo(&Form));
        } else {
            EXPECT_FALSE(Form.SinBtn->isVisibleTo(&Form));
        }
    };
    const std::initializer_list<TBrixCalcKey> Column{ckSeven, ckFour, ckOne, ckZero, ckLeftBracket};

    TBrixCalcForm Standard;
    Check(Standard, {"full", {190, 249}, {105, 127, 149, 171, 193}, 220, {59, 81}}, Column);
    EXPECT_EQ(Standard.PercentBtn->pos(), QPoint(95, 59));
    EXPECT_EQ(Standard.PiBtn->pos(), QPoint(125, 149));
    EXPECT_EQ(Standard.EBtn->pos(), QPoint(125, 171));
    EXPECT_EQ(Standard.EqualsBtn->geometry(), QRect(95, 193, 90, 22));
    EXPECT_EQ(Standard.HelpContext(), 40100);

    Standard.SetHideFnBtns(true);
    Check(Standard, {"compact", {190, 203}, {59, 81, 103, 125, 147}, 174, {-1, -1}}, Column);
    EXPECT_EQ(Standard.PercentBtn->pos(), QPoint(125, 103)) << "beside the add key";
    EXPECT_TRUE(Standard.PercentBtn->isVisibleTo(&Standard));

    Standard.SetHideFnBtns(false);
    Check(Standard, {"full again", {190, 249}, {105, 127, 149, 171, 193}, 220, {59, 81}}, Column);

    TBrixSciCalcForm Scientific;
    Check(Scientific, {"scientific", {220, 248}, {105, 127, 149, 171, 193}, 219, {59, 81}}, Column);
    EXPECT_EQ(Scientific.HypBtn->pos(), QPoint(185, 59));
    EXPECT_EQ(Scientific.Lg2btn->pos(), QPoint(185, 81));
    EXPECT_EQ(Scientific.ExpBtn->pos(), QPoint(95, 193));
    EXPECT_EQ(Scientific.EqualsBtn->geometry(), QRect(126, 193, 90, 22));
    EXPECT_EQ(Scientific.EightBtn->geometry(), QRect(45, 105, 40, 22));
    EXPECT_EQ(Scientific.HelpContext(), 40200);
}

// Every key's rectangle, row by row, as the keypad is drawn: the standard
// columns at 5 + 30c, the scientific keypad's 40-wide digit columns.
TEST_F(CalcWindows, EveryKeySitsOnItsGridCell)
{
    struct Place
    {
        TBrixCalcKey Key;
        int Left, Top, Width;
    };
    auto Row = [](std::vector<Place> &Out, int Top, std::initializer_list<TBrixCalcKey> Keys,
                  std::initializer_list<int> Lefts, int LastWidth = 30) {
        auto L = Lefts.begin();
        int I = 0;
        for (TBrixCalcKey K : Keys) {
            ++I;
            Out.push_back({K, *L++, Top, I == int(Keys.size()) ? LastWidth : 30});
        }
    };
    const std::initializer_list<int> Cols{5, 35, 65, 95, 125, 155};
    auto Keypad = [&](std::vector<Place> &Out, int K1, bool Compact) {
        Row(Out, K1, {ckSeven, ckEight, ckNine, ckMultiply, ckAllClear, ckMemoryClear}, Cols);
        Row(Out, K1 + 22, {ckFour, ckFive, ckSix, ckDivide, ckClear, ckMemoryAdd}, Cols);
        if (Compact)
            Row(Out, K1 + 44, {ckOne, ckTwo, ckThree, ckAdd, ckPercent, ckMemorySubtract}, Cols);
        else
            Row(Out, K1 + 44, {ckOne, ckTwo, ckThree, ckAdd, ckPi, ckMemorySubtract}, Cols);
        if (Compact)
            Row(Out, K1 + 66, {ckZero, ckPoint, ckChangeSign, ckSubtract, ckMemoryRecall},
                {5, 35, 65, 95, 155});
        else
            Row(Out, K1 + 66, {ckZero, ckPoint, ckChangeSign, ckSubtract, ckE, ckMemoryRecall},
                Cols);
        Row(Out, K1 + 88, {ckLeftBracket, ckRightBracket, ckBackSpace, ckEquals}, Cols, 90);
    };
    std::vector<Place> Full, Compact, Sci;
    Row(Full, 34, {ckCopy, ckPaste, ckCancel, ckExit}, {5, 35, 125, 155});
    Row(Full, 59, {ckSin, ckCos, ckTan, ckPercent, ckRad, ckInv}, Cols);
    Row(Full, 81, {ckPower, ckSquare, ckSqRoot, ckInvert, ckLog, ckLN}, Cols);
    Keypad(Full, 105, false);
    Row(Compact, 34, {ckCopy, ckPaste, ckCancel, ckExit}, {5, 35, 125, 155});
    Keypad(Compact, 59, true);
    const std::initializer_list<int> Seven{5, 35, 65, 95, 125, 155, 185};
    const std::initializer_list<int> SciPad{5, 45, 85, 126, 156, 186};
    Row(Sci, 34, {ckCopy, ckPaste, ckCancel, ckExit}, {5, 35, 155, 185});
    Row(Sci, 59, {ckSin, ckCos, ckTan, ckPercent, ckRad, ckInv, ckHyp}, Seven);
    Row(Sci, 81, {ckPower, ckSquare, ckSqRoot, ckInvert, ckLog, ckLN, ckLg2}, Seven);
    // Three 40-wide digit columns, then three 30-wide ones.
    auto SciRow = [&](int Top, std::initializer_list<TBrixCalcKey> Keys) {
        auto K = Keys.begin();
        for (int Left : SciPad)
            Sci.push_back({*K++, Left, Top, Left < 126 ? 40 : 30});
    };
    SciRow(105, {ckSeven, ckEight, ckNine, ckMultiply, ckAllClear, ckMemoryClear});
    SciRow(127, {ckFour, ckFive, ckSix, ckDivide, ckClear, ckMemoryAdd});
    SciRow(149, {ckOne, ckTwo, ckThree, ckAdd, ckPi, ckMemorySubtract});
    SciRow(171, {ckZero, ckPoint, ckChangeSign, ckSubtract, ckE, ckMemoryRecall});
    Row(Sci, 193, {ckLeftBracket, ckRightBracket, ckBackSpace, ckExp, ckEquals},
        {5, 35, 65, 95, 126}, 90);

    auto Check = [](TBrixCalcFormBase &Form, const std::vector<Place> &Places, int Visible,
                    int SpinWidth) {
        for (const Place &P : Places) {
            TBrixSpeedButton *Button = Form.Key(P.Key);
            SCOPED_TRACE(Button->objectName().toStdString());
            EXPECT_EQ(Button->geometry(), QRect(P.Left, P.Top, P.Width, 22));
            EXPECT_TRUE(Button->isVisibleTo(&Form));
        }
        int Shown = 0;
        for (TBrixSpeedButton *Button : Form.CalcPanel->findChildren<TBrixSpeedButton *>(
                 QString(), Qt::FindDirectChildrenOnly))
            Shown += Button->isVisibleTo(&Form);
        EXPECT_EQ(Shown, Visible) << "every visible key is placed above";
        EXPECT_EQ(int(Places.size()), Visible);
        // The decimal places box spans columns 2 and 3 of the tool row and
        // leaves every key (and the strip above the next row) uncovered.
        EXPECT_EQ(Form.DPSpin->pos(), QPoint(66, 34));
        EXPECT_EQ(Form.DPSpin->width(), SpinWidth);
        EXPECT_EQ(Form.DPSpin->height(), 25) << "down to the next row, no further";
        for (const Place &P : Places)
            EXPECT_FALSE(Form.DPSpin->geometry().intersects(QRect(P.Left, P.Top, P.Width, 22)))
                << Form.Key(P.Key)->objectName().toStdString();
    };
    TBrixCalcForm Standard;
    {
        SCOPED_TRACE("full");
        Check(Standard, Full, 44, 56);
    }
    Standard.SetHideFnBtns(true);
    {
        SCOPED_TRACE("compact");
        Check(Standard, Compact, 31, 56);
    }
    TBrixSciCalcForm Scientific;
    {
        SCOPED_TRACE("scientific");
        Check(Scientific, Sci, 47, 59);
    }
}

// The box follows the panel's font (as the calculator settings of a UI
// control set it) and still ends where the next row begins: a font too tall
// for the room is set smaller, never larger. Which sizes fit depends on the
// desktop's font, so only the smallest is expected to fit unchanged.
TEST_F(CalcWindows, DecimalPlacesBoxFollowsThePanelFontWithinTheToolRow)
{
    TBrixSciCalcForm Form;
    for (int Pixels : {9, 12, 15, 24}) {
        SCOPED_TRACE(Pixels);
        QFont Font = Form.CalcPanel->font();
        Font.setPixelSize(Pixels);
        Form.CalcPanel->setFont(Font);
        EXPECT_EQ(Form.DPSpin->geometry().top(), 34);
        EXPECT_LE(Form.DPSpin->geometry().bottom(), 58) << "the function row starts at 59";
        EXPECT_GE(Form.DPSpin->height(), Form.DPSpin->MinimumHeight());
        const int BoxPixels = QFontInfo(Form.DPSpin->font()).pixelSize();
        EXPECT_LE(BoxPixels, QFontInfo(Font).pixelSize()) << "no larger than the panel's";
        if (Pixels == 9) {
            EXPECT_EQ(BoxPixels, QFontInfo(Font).pixelSize()) << "a small font fits as it is";
        } else if (BoxPixels < QFontInfo(Font).pixelSize() && BoxPixels > 8) {
            QFont Larger = Form.DPSpin->font();
            Larger.setPixelSize(BoxPixels + 1);
            EXPECT_GT(TBrixSpinEdit::MinimumHeightFor(QFontMetrics(Larger).height()),
                      Form.DPSpin->height())
                << "the largest size that fits, not one pixel smaller";
        }
    }
}

// The window's look: "Segoe UI" (or the desktop's stand-in) at 15 pixels,
// and displays with a two-pixel lowered bevel inside which a three-pixel
// border keeps the caption off the edge.
TEST_F(CalcWindows, WindowFontAndDisplayInsets)
{
    TBrixCalcForm Standard;
    TBrixSciCalcForm Scientific;
    for (TBrixCalcFormBase *Form : {static_cast<TBrixCalcFormBase *>(&Standard),
                                    static_cast<TBrixCalcFormBase *>(&Scientific)}) {
        SCOPED_TRACE(Form->objectName().toStdString());
        EXPECT_EQ(Form->font().pixelSize(), 15);
        EXPECT_EQ(Form->font().families().value(0), QStringLiteral("Segoe UI"));
        EXPECT_EQ(Form->SevenBtn->font().pixelSize(), 15) << "the keys take the window's font";
        for (QLabel *Display : {static_cast<QLabel *>(Form->ValueDisplay),
                                static_cast<QLabel *>(Form->MemoryDisplay)}) {
            const QRect Text = Display->contentsRect().marginsRemoved(QMargins(
                Display->margin(), Display->margin(), Display->margin(), Display->margin()));
            EXPECT_EQ(Text, Display->rect().adjusted(5, 5, -5, -5));
            EXPECT_EQ(Display->frameShadow(), QFrame::Sunken);
        }
    }
}

TEST_F(CalcWindows, EveryWayOfClosingSetsCancelledAndCopiesBackOnlyTheFourValues)
{
    struct Row
    {
        const char *Name;
        std::function<void(TBrixCalcForm &)> Close;
        bool Cancelled;
    };
    const Row Rows[] = {
        {"exit key", [](TBrixCalcForm &F) { QTest::mouseClick(F.ExitBtn, Qt::LeftButton); }, false},
        {"F10", [](TBrixCalcForm &F) { QTest::keyClick(F.CalcPanel, Qt::Key_F10); }, false},
        {"Ctrl+X",
         [](TBrixCalcForm &F) { QTest::keyClick(F.CalcPanel, Qt::Key_X, Qt::ControlModifier); },
         false},
        {"free panel area",
         [](TBrixCalcForm &F) { QTest::mouseClick(F.CalcPanel, Qt::LeftButton, {}, QPoint(2, 2)); },
         false},
        {"close box", [](TBrixCalcForm &F) { F.close(); }, false},
        {"cancel key", [](TBrixCalcForm &F) { QTest::mouseClick(F.CancelBtn, Qt::LeftButton); },
         true},
        {"Escape with the cancel key hidden",
         [](TBrixCalcForm &F) {
             F.CancelBtn->hide();
             QTest::keyClick(F.CalcPanel, Qt::Key_Escape);
         },
         true},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
        Calc->SetValue(5);
        Calc->SetMemory(1);
        Calc->SetPrecedence(false);
        bool Closed = false;
        const TRun Run = RunStandard(*Calc, [&](TBrixCalcForm &F) {
            QTest::keyClicks(F.CalcPanel, QStringLiteral("1/0="));
            EXPECT_EQ(F.ValueDisplay->text(), QStringLiteral("Error!"));
            QTest::keyClicks(F.CalcPanel, QStringLiteral("42"));
            QTest::mouseClick(F.MemoryAddBtn, Qt::LeftButton);
            QTest::mouseClick(F.RadBtn, Qt::LeftButton); // radians -> (grads off) degrees
            F.DPSpin->SetValue(2);
            F.CalcEngine->SetPrecedence(true); // never copied back
            R.Close(F);
            Closed = !F.isVisible();
        });
        ASSERT_FALSE(Run.TimedOut);
        EXPECT_TRUE(Closed);
        EXPECT_EQ(Run.Result, !R.Cancelled);
        EXPECT_EQ(Calc->LastError(), QStringLiteral("Division by Zero"))
            << "taken whatever the way of closing";
        EXPECT_FALSE(Calc->Precedence());
        if (R.Cancelled) {
            EXPECT_EQ(Calc->Value(), 5.0L);
            EXPECT_EQ(Calc->Memory(), 1.0L);
            EXPECT_EQ(Calc->DecimalPlaces(), 4);
            EXPECT_EQ(Calc->AngleMode(), amRadians);
        } else {
            EXPECT_EQ(Calc->Value(), 42.0L);
            EXPECT_EQ(Calc->Memory(), 43.0L);
            EXPECT_EQ(Calc->DecimalPlaces(), 2);
            EXPECT_EQ(Calc->AngleMode(), amDegrees);
        }
    }
}

TEST_F(CalcWindows, ComponentPreparesTheWindowFromItsState)
{
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    Calc->SetValue(12.5L);
    Calc->SetMemory(3);
    Calc->SetDecimalPlaces(2);
    Calc->SetAngleMode(amDegrees);
    Calc->SetPocketo(true);
    Calc->SetReadOnlyDecimalPlaces(true);
    Calc->SetTitle(QStringLiteral("Pocket"));
    Calc->SetExitHint(QStringLiteral("Leave"));
    const TRun Run = RunStandard(*Calc, [](TBrixCalcForm &F) {
        EXPECT_EQ(F.windowTitle(), QStringLiteral("Pocket"));
        EXPECT_EQ(F.ExitBtn->toolTip(), QStringLiteral("Leave"));
        EXPECT_EQ(F.ExitBtn->accessibleName(), QStringLiteral("Leave"));
        EXPECT_EQ(F.ValueDisplay->text(), QStringLiteral("12.50"));
        EXPECT_EQ(F.MemoryDisplay->text(), QStringLiteral("3.00"));
        EXPECT_EQ(F.RadBtn->text(), QStringLiteral("deg"));
        EXPECT_EQ(F.DPSpin->Value(), 2);
        EXPECT_TRUE(F.DPSpin->ReadOnly());
        EXPECT_TRUE(F.HideFnBtns());
        EXPECT_EQ(F.size(), QSize(190, 203));
        F.close();
    });
    ASSERT_FALSE(Run.TimedOut);
    EXPECT_TRUE(Run.Result);
}

// Execute shows the window modally; a start handler that makes it a plain
// window (a program's main window) gets a non-modal one, and Execute still
// returns once it closes, by any way, with the values copied back.
TEST_F(CalcWindows, ExecuteIsModalUnlessTheStartHandlerMadeAPlainWindow)
{
    struct Row
    {
        const char *Name;
        bool Plain;
        std::function<void(TBrixCalcForm &)> Close;
    };
    const Row Rows[] = {
        {"dialog, F10", false, [](TBrixCalcForm &F) { QTest::keyClick(F.CalcPanel, Qt::Key_F10); }},
        {"plain, F10", true, [](TBrixCalcForm &F) { QTest::keyClick(F.CalcPanel, Qt::Key_F10); }},
        {"plain, close box", true, [](TBrixCalcForm &F) { F.close(); }},
        {"plain, minimised first", true,
         [](TBrixCalcForm &F) {
             F.showMinimized();
             QApplication::processEvents();
             EXPECT_TRUE(F.isVisible()) << "a minimised window is still open";
             F.close();
         }},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
        QWidget *Modal = nullptr;
        Qt::WindowType Type = Qt::Widget;
        bool Ran = false;
        Calc->SetOnStartCalculator([&](TObject *, TBrixCalcForm *&Form) {
            TBrixCalcForm *F = Form;
            if (R.Plain)
                F->setWindowFlags(Qt::Window);
            QTimer::singleShot(0, F, [&, F] {
                Ran = true;
                Modal = QApplication::activeModalWidget();
                Type = F->windowType();
                QTest::keyClicks(F->CalcPanel, QStringLiteral("6*7="));
                R.Close(*F);
            });
        });
        QTimer Watchdog;
        Watchdog.setSingleShot(true);
        QObject::connect(&Watchdog, &QTimer::timeout, [] {
            for (QWidget *W : QApplication::topLevelWidgets())
                if (qobject_cast<TBrixCalcForm *>(W))
                    W->close();
        });
        Watchdog.start(5000);
        EXPECT_TRUE(Calc->Execute());
        EXPECT_TRUE(Watchdog.isActive()) << "Execute ended only through the watchdog";
        ASSERT_TRUE(Ran);
        EXPECT_EQ(Type, R.Plain ? Qt::Window : Qt::Dialog);
        EXPECT_EQ(Modal != nullptr, !R.Plain);
        EXPECT_EQ(Calc->Value(), 42.0L);
    }
}

TEST_F(CalcWindows, CustomTypeWithoutHandlerShowsNothing)
{
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    Calc->SetCalculatorType(ctCustom);
    EXPECT_FALSE(Calc->Execute());
    bool Called = false;
    Calc->SetOnExecute([&](TObject *, bool &Result) {
        Called = true;
        Result = true;
    });
    EXPECT_TRUE(Calc->Execute());
    EXPECT_TRUE(Called);
}

TEST_F(CalcWindows, DecimalPlacesBoxAndFocus)
{
    TBrixCalcForm Form;
    Show(Form);
    Form.CalcEngine->SetMemory(2);
    Type(Form, QStringLiteral("1/3="));
    EXPECT_EQ(Form.focusWidget(), Form.CalcPanel);

    // Changing the box re-renders both displays at once.
    Form.DPSpin->SetValue(2);
    EXPECT_EQ(Form.CalcEngine->DecimalPlaces(), 2);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("0.33"));
    EXPECT_EQ(Form.MemoryDisplay->text(), QStringLiteral("2.00"));

    // A digit typed while the box has the focus goes into the box only.
    Form.DPSpin->setFocus();
    ASSERT_EQ(Form.focusWidget(), Form.DPSpin);
    QTest::keyClick(Form.DPSpin, Qt::Key_Up);
    EXPECT_EQ(Form.DPSpin->Value(), 3);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("0.333"));
    QTest::keyClick(Form.DPSpin, '7');
    EXPECT_TRUE(Form.CalcEngine->EntryText().isEmpty()) << "the digit went to the box";
    EXPECT_TRUE(Form.DPSpin->text().contains(u'7'));
    // Operators still reach the calculator.
    QTest::keyClick(Form.DPSpin, '+');
    EXPECT_EQ(Form.CalcEngine->OperatorCount(), 1);

    // Pressing any key or a display gives the focus back to the panel.
    QTest::mousePress(Form.FiveBtn, Qt::LeftButton);
    EXPECT_EQ(Form.focusWidget(), Form.CalcPanel);
    QTest::mouseRelease(Form.FiveBtn, Qt::LeftButton);
    Form.DPSpin->setFocus();
    QTest::mouseClick(Form.ValueDisplay, Qt::LeftButton);
    EXPECT_EQ(Form.focusWidget(), Form.CalcPanel);
    EXPECT_TRUE(Form.isVisible()) << "a click on a display is not a click on the panel";

    // The engine's own change of decimal places reaches the box.
    Form.CalcEngine->SetDecimalPlaces(6);
    EXPECT_EQ(Form.DPSpin->Value(), 6);
}

TEST_F(CalcWindows, CopyAndPaste)
{
    TBrixCalcForm Form;
    Show(Form);
    Type(Form, QStringLiteral("1234567*2="));
    QGuiApplication::clipboard()->clear();
    Key(Form, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Form.ValueDisplay->text());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2469134.0000"));
    QGuiApplication::clipboard()->clear();
    Key(Form, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2469134.0000"))
        << "Ctrl+Insert copies, also with Shift held";

    QGuiApplication::clipboard()->setText(QStringLiteral("(1,234.5)"));
    Key(Form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Form.CalcEngine->GetAsFloat(), -1234.5L);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("-1234.5000"));

    QGuiApplication::clipboard()->setText(QStringLiteral("7"));
    Key(Form, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("7.0000"));

    QGuiApplication::clipboard()->clear();
    Key(Form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("7.0000")) << "no text: nothing";
}

TEST_F(CalcWindows, KeyDownRules)
{
    TBrixCalcForm Form;
    Show(Form);
    Type(Form, QStringLiteral("12"));
    Key(Form, Qt::Key_Delete);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("0"));
    Type(Form, QStringLiteral("3"));
    Key(Form, Qt::Key_Period, Qt::KeypadModifier);
    Type(Form, QStringLiteral("5"));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("3.5"));
    Key(Form, Qt::Key_Backspace);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("3."));
    Key(Form, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Form.isVisible()) << "F10 with a modifier does nothing";
    Key(Form, Qt::Key_F10);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_FALSE(Form.Cancelled);
}

TEST(CalcKeyboard, UndoAndRedoKeys)
{
    EXPECT_EQ(UndoCommandForKeyDown(Qt::Key_Z, Qt::ControlModifier), ucUndo);
    EXPECT_EQ(UndoCommandForKeyDown(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), ucRedo);
    EXPECT_EQ(UndoCommandForKeyDown(Qt::Key_Z, Qt::ControlModifier | Qt::KeypadModifier), ucUndo);
    EXPECT_FALSE(UndoCommandForKeyDown(Qt::Key_Z, Qt::NoModifier));
    EXPECT_FALSE(UndoCommandForKeyDown(Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier));
    EXPECT_FALSE(UndoCommandForKeyDown(Qt::Key_Y, Qt::ControlModifier));
}

TEST_F(CalcWindows, UndoAndRedoTypedKeys)
{
    TBrixCalcForm Form;
    Show(Form);
    Type(Form, QStringLiteral("12+5"));
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    Type(Form, QStringLiteral("6="));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("18.0000"));
    EXPECT_EQ(Form.CalcEngine->HistoryLines(),
              QStringList({"12.0000", "+", "6.0000", "=", "18.0000"}));

    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("6"));
    EXPECT_EQ(Form.CalcEngine->GetHistoryLength(), 2) << "the tape of 12 + only";
    Key(Form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("18.0000"));
    EXPECT_EQ(Form.CalcEngine->GetHistoryLength(), 5);
    Key(Form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("18.0000")) << "nothing more to redo";

    // Memory, then All Clear, undone one key at a time; the copy key and a
    // key that changes nothing are no steps.
    Click(Form, ckMemoryAdd);
    EXPECT_EQ(Form.MemoryDisplay->text(), QStringLiteral("18.0000"));
    const QStringList Tape = Form.CalcEngine->HistoryLines();
    Type(Form, QStringLiteral("a"));
    Click(Form, ckCopy);
    Key(Form, Qt::Key_Delete);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("0"));
    EXPECT_EQ(Form.CalcEngine->GetHistoryLength(), 0);
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("18.0000"));
    EXPECT_EQ(Form.MemoryDisplay->text(), QStringLiteral("18.0000"));
    EXPECT_EQ(Form.CalcEngine->HistoryLines(), Tape) << "All Clear undone";
    Type(Form, QStringLiteral("+2="));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("20.0000"));
    EXPECT_EQ(Form.UndoHistory().RedoCount(), 0) << "a new key drops what was undone";
    for (int I = 0; I < 4; ++I)
        Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form.MemoryDisplay->text(), QStringLiteral("0.0000")) << "M+ undone";
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("18.0000"));
}

TEST_F(CalcWindows, UndoCoversPasteTheAngleKeyAndTheDecimalPlacesBox)
{
    TBrixSciCalcForm Form;
    Show(Form);
    const QString Angle = Form.RadBtn->text();
    Click(Form, ckRad);
    ASSERT_NE(Form.RadBtn->text(), Angle);
    QGuiApplication::clipboard()->setText(QStringLiteral("2.5"));
    Key(Form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("2.5000"));
    Form.DPSpin->setFocus();
    Form.DPSpin->SetValue(2);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("2.50"));
    EXPECT_EQ(Form.UndoHistory().UndoCount(), 3);

    Key(Form, Qt::Key_Z, Qt::ControlModifier); // with the focus in the box
    EXPECT_EQ(Form.DPSpin->Value(), 4);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("2.5000"));
    EXPECT_EQ(Form.UndoHistory().UndoCount(), 2) << "restoring the box is no new step";
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("0"));
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form.RadBtn->text(), Angle);
    EXPECT_EQ(Form.RadBtn->accessibleName(),
              Form.RadBtn->toolTip().isEmpty() ? Angle : Form.RadBtn->toolTip());
    EXPECT_EQ(Form.UndoHistory().UndoCount(), 0);
    EXPECT_EQ(Form.UndoHistory().RedoCount(), 3);
}

TEST_F(CalcWindows, UndoKeepsTheLastFiftySteps)
{
    TBrixCalcForm Form;
    Show(Form);
    Type(Form, QStringLiteral("1+1+1+1+1+"));
    const TBrixCalcEngineState Oldest = Form.CalcEngine->SaveState();
    for (int I = 0; I < 25; ++I)
        Type(Form, QStringLiteral("1+"));
    const TBrixCalcEngineState Newest = Form.CalcEngine->SaveState();
    EXPECT_EQ(Form.UndoHistory().UndoCount(), TBrixCalcUndoHistory::MaxSteps);
    for (int I = 0; I < 60; ++I)
        Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Form.CalcEngine->SaveState() == Oldest) << "fifty keys back, and no further";
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("5.0000"));
    for (int I = 0; I < 60; ++I)
        Key(Form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Form.CalcEngine->SaveState() == Newest);
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("30.0000"));
}

TEST_F(CalcWindows, RegionalSeparatorsOnTheKeyboard)
{
    RegionalSettings().DecimalSeparator = u',';
    RegionalSettings().ThousandSeparator = u'.';
    TBrixCalcForm Comma;
    Show(Comma);
    EXPECT_EQ(Comma.PointBtn->text(), QStringLiteral(","));
    Type(Comma, QStringLiteral("1.5"));
    EXPECT_EQ(Comma.ValueDisplay->text(), QStringLiteral("1,5")) << "\".\" is the separator too";
    Type(Comma, QStringLiteral(",2*2="));
    EXPECT_EQ(Comma.ValueDisplay->text(), QStringLiteral("3,0400"));

    RegionalSettings().DecimalSeparator = u'.';
    RegionalSettings().ThousandSeparator = u',';
    TBrixCalcForm Point;
    Show(Point);
    Type(Point, QStringLiteral("1,5"));
    EXPECT_EQ(Point.ValueDisplay->text(), QStringLiteral("15")) << "\",\" does nothing here";
}

// A paste that is no number leaves the value and the entry as they were: it
// adds no undo step, a digit typed next extends the entry, and screen readers
// are told by the value display's description until the next key.
TEST_F(CalcWindows, PasteOfTextThatIsNoNumberKeepsTheValue)
{
    TBrixCalcForm Form;
    Show(Form);
    const QString Hint = Form.CalcEngine->GetName(ectValueHint);
    const QString Rejected = Form.CalcEngine->GetName(ectPasteNotANumber);
    ASSERT_EQ(Form.ValueDisplay->accessibleDescription(), Hint);
    Type(Form, QStringLiteral("99"));
    const int Steps = Form.UndoHistory().UndoCount();
    for (const char *Text : {"hello", "OS: Linux 17.2", "1e5000", "0x10", "1.2.3", ""}) {
        SCOPED_TRACE(Text);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(Text));
        Key(Form, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("99"));
        EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps);
        EXPECT_EQ(Form.ValueDisplay->accessibleDescription(), Rejected);
    }
    Type(Form, QStringLiteral("1"));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("991")) << "the entry goes on";
    EXPECT_EQ(Form.ValueDisplay->accessibleDescription(), Hint) << "until the next key";

    // "*2=" doubles the kept 99.
    Key(Form, Qt::Key_Delete);
    Type(Form, QStringLiteral("99"));
    QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
    Click(Form, ckPaste);
    EXPECT_EQ(Form.ValueDisplay->accessibleDescription(), Rejected);
    Form.CalcEngine->SetLanguage(elGerman);
    EXPECT_EQ(Form.ValueDisplay->accessibleDescription(), u"Die Zwischenablage enthält keine Zahl")
        << "a change of language keeps the message";
    Type(Form, QStringLiteral("*2="));
    Key(Form, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("198.0000"));
    EXPECT_EQ(Form.ValueDisplay->accessibleDescription(), Form.CalcEngine->GetName(ectValueHint));
    EXPECT_TRUE(FErrors.isEmpty());
}

// Numbers as people paste them, in a region that writes ",": doubled and
// copied back.
TEST_F(CalcWindows, PasteReadsNumbersAsPeopleWriteThem)
{
    BrixTest::RegionalGuard German(u',', u'.');
    const struct
    {
        const char16_t *Pasted;
        const char *Copied;
    } Rows[] = {
        {u"1,234.5", "2469,0000"}, {u"1\u00A0234,5", "2469,0000"}, {u"\u22127", "-14,0000"},
        {u"$5", "10,0000"},        {u"(1.234,5)", "-2469,0000"},   {u"1,2300E-4", "0,0002"},
    };
    for (const auto &R : Rows) {
        const QString Pasted = QString::fromUtf16(R.Pasted);
        SCOPED_TRACE(Pasted.toStdString());
        TBrixCalcForm Form;
        Show(Form);
        QGuiApplication::clipboard()->setText(Pasted);
        Key(Form, Qt::Key_V, Qt::ControlModifier);
        Type(Form, QStringLiteral("*2="));
        Key(Form, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(R.Copied));
        EXPECT_EQ(Form.UndoHistory().UndoCount(), 4) << "the paste is one step";
    }
}

// Pasted numbers are read with "." and "," in either role: a lone mark that
// cannot be a thousands group is the decimal point.
TEST_F(CalcWindows, PasteReadsTheOtherRegionsDecimalPoint)
{
    struct Row
    {
        char16_t Decimal;
        const char *Pasted;
        long double Value;
    };
    const Row Rows[] = {
        {u',', "2.5", 2.5L},
        {u',', "1.234,5", 1234.5L},
        {u',', "1.234", 1234},
        {u',', "1,5", 1.5L},
        {u',', "1.234.567", 1234567},
        {u',', "12.3456", 12.3456L},
        {u',', "(2.5)", -2.5L},
        {u',', "-2.5%", -2.5L},
        {u',', "2.5E3", 2500},
        {u',', "1.2.3", 9},
        {u'.', "2,5", 2.5L},
        {u'.', "1,234", 1234},
        {u'.', "(1,234.5)", -1234.5L},
        {u'.', "1,234,567", 1234567},
        {u'.', "7", 7},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(std::string(1, char(R.Decimal)) + " region, pasted " + R.Pasted);
        RegionalSettings().DecimalSeparator = QChar(R.Decimal);
        RegionalSettings().ThousandSeparator = R.Decimal == u',' ? u'.' : u',';
        TBrixCalcForm Form;
        Show(Form);
        Type(Form, QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(QString::fromLatin1(R.Pasted));
        Key(Form, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Form.CalcEngine->GetAsFloat(), R.Value);
    }
}

TEST_F(CalcWindows, ScientificWindowDifferences)
{
    TBrixSciCalcForm Form;
    Show(Form);
    Type(Form, QStringLiteral("2e3"));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("2E3"));
    Type(Form, QStringLiteral("x"));
    EXPECT_EQ(Form.CalcEngine->OperatorCount(), 0) << "x is not a key here";
    Key(Form, Qt::Key_F10);
    EXPECT_TRUE(Form.isVisible());
    QTest::mouseClick(Form.CalcPanel, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.focusWidget(), Form.CalcPanel);
    Type(Form, QStringLiteral("a"));
    QTest::mouseClick(Form.Lg2btn, Qt::LeftButton);
    Type(Form, QStringLiteral("8="));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("3.0000")) << "lg2 of 8";
    Key(Form, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_FALSE(Form.Cancelled);
}

TEST_F(CalcWindows, ScientificRunCopiesGradsSettingAndBack)
{
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    Calc->SetCalculatorType(ctScientific);
    Calc->SetEnableGrads(true);
    Calc->SetPocketo(true);
    bool Started = false;
    Calc->SetOnStartSciCalculator([&](TObject *, TBrixSciCalcForm *&Form) {
        Started = true;
        TBrixSciCalcForm *F = Form;
        QTimer::singleShot(0, F, [F] {
            EXPECT_TRUE(F->CalcEngine->EnableGrads());
            EXPECT_EQ(F->size(), QSize(220, 248)) << "no compact layout";
            QTest::mouseClick(F->RadBtn, Qt::LeftButton); // radians -> grads
            EXPECT_EQ(F->RadBtn->text(), QStringLiteral("gra"));
            QTest::keyClick(F->CalcPanel, Qt::Key_Escape);
        });
    });
    EXPECT_FALSE(Calc->Execute());
    EXPECT_TRUE(Started);
    EXPECT_EQ(Calc->AngleMode(), amRadians);
}

TEST_F(CalcWindows, EngineErrorsInKeyHandlersAreShownAndTheWindowStaysOpen)
{
    TBrixCalcForm Form;
    Show(Form);
    Form.CalcEngine->SetMemory(LDBL_MAX);
    Form.CalcEngine->InputValue(LDBL_MAX);
    Click(Form, ckMemoryAdd);
    ASSERT_EQ(FErrors.size(), 1);
    EXPECT_EQ(FErrors.front(), EOverflow().Message());
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.CalcEngine->Memory(), LDBL_MAX) << "the memory is unchanged";
    // The window goes on working.
    Type(Form, QStringLiteral("A2+2="));
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("4.0000"));
}

TEST_F(CalcWindows, AccessibleNamesAndDisplayTexts)
{
    TBrixSciCalcForm Form;
    Show(Form);
    for (int K = 0; K < BrixCalcKeyCount; ++K) {
        TBrixSpeedButton *Button = Form.Key(TBrixCalcKey(K));
        SCOPED_TRACE(Button->objectName().toStdString());
        ASSERT_FALSE(Button->accessibleName().isEmpty());
        EXPECT_EQ(Button->accessibleName(),
                  Button->toolTip().isEmpty() ? Button->text() : Button->toolTip());
        QAccessibleInterface *Iface = QAccessible::queryAccessibleInterface(Button);
        EXPECT_EQ(Iface->text(QAccessible::Name), Button->accessibleName());
        EXPECT_NE(Iface->text(QAccessible::Description), Iface->text(QAccessible::Name))
            << "the description repeats the name";
    }
    EXPECT_EQ(Form.AddBtn->accessibleName(), QStringLiteral("Add"));
    EXPECT_EQ(Form.SevenBtn->accessibleName(), QStringLiteral("7"));
    Form.ExitBtn->setToolTip(QStringLiteral("Exit"));
    EXPECT_EQ(Form.ExitBtn->accessibleName(), QStringLiteral("Exit"));

    Type(Form, QStringLiteral("42"));
    QAccessibleInterface *Value = QAccessible::queryAccessibleInterface(Form.ValueDisplay);
    ASSERT_NE(Value, nullptr);
    EXPECT_EQ(Value->text(QAccessible::Name), QStringLiteral("42"));
    EXPECT_EQ(Value->text(QAccessible::Description), QStringLiteral("Value"));
}

// Screen readers read the keypad in the order it stands on the screen: row
// by row from the top, each row from the left.
TEST_F(CalcWindows, KeypadIsReadRowByRow)
{
    TBrixCalcForm Form;
    Form.SetHideFnBtns(true);
    Show(Form);
    QAccessibleInterface *Panel = QAccessible::queryAccessibleInterface(Form.CalcPanel);
    ASSERT_NE(Panel, nullptr);
    std::vector<QWidget *> Read;
    for (int I = 0; I < Panel->childCount(); ++I)
        Read.push_back(static_cast<QWidget *>(Panel->child(I)->object()));
    ASSERT_GE(Read.size(), 3u);
    EXPECT_EQ(Read.front(), Form.ValueDisplay);
    EXPECT_EQ(Read.back(), Form.MemoryDisplay);
    for (size_t I = 1; I < Read.size(); ++I) {
        const QRect A = Read[I - 1]->geometry(), B = Read[I]->geometry();
        SCOPED_TRACE(Read[I - 1]->objectName().toStdString() + " then " +
                     Read[I]->objectName().toStdString());
        const bool SameRow = B.center().y() <= A.bottom() && A.center().y() <= B.bottom();
        EXPECT_TRUE(SameRow ? B.x() > A.x() : B.top() > A.top());
    }
    // The rows as they stand: the tool row with the decimal places box in
    // its place, then the keys from 7 8 9.
    const auto At = [&](QWidget *W) {
        return std::find(Read.begin(), Read.end(), W) - Read.begin();
    };
    EXPECT_EQ(At(Form.PasteBtn) + 1, At(Form.DPSpin));
    EXPECT_EQ(At(Form.DPSpin) + 1, At(Form.CancelBtn));
    EXPECT_EQ(At(Form.CancelBtn) + 1, At(Form.ExitBtn));
    EXPECT_EQ(At(Form.SevenBtn) + 1, At(Form.EightBtn));
    EXPECT_EQ(At(Form.EightBtn) + 1, At(Form.NineBtn));
    EXPECT_LT(At(Form.NineBtn), At(Form.FourBtn));
    EXPECT_LT(At(Form.OneBtn), At(Form.ZeroBtn));
}

TEST_F(CalcWindows, StayOnTopFollowsTheFlag)
{
    TBrixCalcForm Form;
    Form.StayOnTop(true);
    EXPECT_TRUE(Form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Show(Form);
    const QRect Before = Form.geometry();
    Form.StayOnTop(false);
    EXPECT_FALSE(Form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.geometry(), Before);
}

TEST_F(CalcWindows, GlyphKeysPaintCrispAtEveryDevicePixelRatio)
{
    TBrixCalcForm Form;
    for (qreal Ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(Ratio);
        QImage Image(QSize(30, 22) * Ratio, QImage::Format_ARGB32);
        Image.setDevicePixelRatio(Ratio);
        Image.fill(Qt::white);
        Form.AddBtn->render(&Image);
        // The plus sign is drawn at full resolution: its vertical bar is
        // dark in the device pixel column at the key's centre.
        const QColor Centre = Image.pixelColor(int(15 * Ratio), int(8 * Ratio));
        EXPECT_LT(Centre.lightness(), 100);
    }
}

// ---- Settings ----

class CalcSettings : public CalcWindows
{
protected:
    void SetUp() override
    {
        CalcWindows::SetUp();
        ASSERT_TRUE(FDir.isValid());
        FFile = FDir.filePath(QStringLiteral("calc.ini"));
        FStore.reset(TBrixStoreCtrl::Create(nullptr));
        FStore->SetStorageType(stIniFile);
        FStore->SetIniFile(FFile);
        FStore->SetIniSection(QStringLiteral("Other"));
        FCalc.reset(TBrixCalculator::Create(nullptr));
        FCalc->SetStoreCtrl(FStore.get());
    }
    void WriteFile(const QByteArray &Text)
    {
        QFile F(FFile);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Text);
    }
    QByteArray ReadFile()
    {
        QFile F(FFile);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }

    QTemporaryDir FDir;
    QString FFile;
    TOwned<TBrixStoreCtrl> FStore;
    TOwned<TBrixCalculator> FCalc;
};

TEST_F(CalcSettings, LoadReadsTheElevenKeysInTheComponentSection)
{
    WriteFile("[Defaults]\r\nAngle Mode=2\r\nDecimal Places=7\r\nUse Memory=1\r\n"
              "Memory=2.5\r\nPrefix Functions=0\r\nPrecedence=0\r\nPosition=0\r\n"
              "Stay On Top=1\r\nOperator Same Line=1\r\nBinary Percent=1\r\n"
              "Display Font=Courier\r\n");
    FCalc->LoadFromStore();
    EXPECT_EQ(FCalc->AngleMode(), amGradiants);
    EXPECT_EQ(FCalc->DecimalPlaces(), 7);
    EXPECT_EQ(FCalc->Memory(), 2.5L);
    EXPECT_FALSE(FCalc->PrefixFunctions());
    EXPECT_FALSE(FCalc->Precedence());
    EXPECT_EQ(FCalc->Position(), poDesigned);
    EXPECT_TRUE(FCalc->StayOnTop());
    EXPECT_TRUE(FCalc->OperatorSameLine());
    EXPECT_TRUE(FCalc->BinaryPercent());
    EXPECT_EQ(FCalc->DisplayFont(), QStringLiteral("Courier"));
    EXPECT_EQ(FStore->IniSection(), QStringLiteral("Other")) << "the section is restored";
}

TEST_F(CalcSettings, MissingKeysKeepValuesAndUseMemoryOffClearsTheMemory)
{
    FCalc->SetMemory(9);
    FCalc->SetDecimalPlaces(3);
    WriteFile("[Defaults]\r\nUse Memory=0\r\nMemory=5\r\nAngle Mode=17\r\nPosition=300\r\n");
    FCalc->LoadFromStore();
    EXPECT_EQ(FCalc->Memory(), 0.0L);
    EXPECT_FALSE(FCalc->LoadMemoryAtStart());
    EXPECT_EQ(FCalc->DecimalPlaces(), 3);
    EXPECT_EQ(FCalc->AngleMode(), amRadians) << "an out-of-range mode is ignored";
    EXPECT_EQ(FCalc->Position(), poScreenCenter) << "an out-of-range position is ignored";
}

TEST_F(CalcSettings, SaveWritesTheElevenKeysInOrder)
{
    FCalc->SetLoadMemoryAtStart(false);
    FCalc->SetMemory(1.25L);
    FCalc->SetAngleMode(amDegrees);
    FCalc->SaveToStore();
    const QByteArray Text = ReadFile();
    const char *Keys[] = {"Angle Mode=0",     "Decimal Places=4",   "Use Memory=0",
                          "Memory=1.25",      "Prefix Functions=1", "Precedence=1",
                          "Position=4",       "Stay On Top=0",      "Operator Same Line=0",
                          "Binary Percent=0", "Display Font=Arial"};
    qsizetype Last = -1;
    for (const char *K : Keys) {
        SCOPED_TRACE(K);
        const qsizetype At = Text.indexOf(K);
        EXPECT_GT(At, Last);
        Last = At;
    }
    EXPECT_TRUE(Text.startsWith("[Defaults]")) << Text.toStdString();
}

TEST_F(CalcSettings, NoStoreOrKindNoneDoesNothingAndFreedLinksAreCleared)
{
    FStore->SetStorageType(stNone);
    FCalc->SaveToStore();
    EXPECT_FALSE(QFile::exists(FFile));
    FStore.reset();
    EXPECT_EQ(FCalc->StoreCtrl(), nullptr);
    FCalc->LoadFromStore(); // no store: nothing
}

// ---- Colours ----

// WCAG contrast of two colours: 1 (the same) to 21 (black on white).
double Contrast(const QColor &A, const QColor &B)
{
    const auto Luminance = [](const QColor &C) {
        const auto Linear = [](double V) {
            return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * Linear(C.redF()) + 0.7152 * Linear(C.greenF()) + 0.0722 * Linear(C.blueF());
    };
    const double L1 = Luminance(A), L2 = Luminance(B);
    return (std::max(L1, L2) + 0.05) / (std::min(L1, L2) + 0.05);
}

// The most frequent colour of an image (a control's face) and the colour
// that stands out most from it (its text or symbol), as measured on screen.
struct TFaceAndInk
{
    QColor Face, Ink;
};
TFaceAndInk FaceAndInk(const QImage &Image)
{
    std::map<QRgb, int> Counts;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            ++Counts[Image.pixel(X, Y)];
    const QColor Face(std::max_element(Counts.begin(), Counts.end(), [](auto &A, auto &B) {
                          return A.second < B.second;
                      })->first);
    QColor Ink = Face;
    for (const auto &[Rgb, Count] : Counts)
        if (Contrast(QColor(Rgb), Face) > Contrast(Ink, Face))
            Ink = QColor(Rgb);
    return {Face, Ink};
}

// Under a dark palette, also one set while the window is open, the window
// is dark with readable text: the panel, the displays, the keys' captions
// and symbols and the decimal places box with its arrows take the palette's
// colours (the displays and panel through the component's colour settings,
// button face by default); back under the light palette they are light.
TEST_F(CalcWindows, WindowFollowsALightOrDarkPalette)
{
    const QPalette Before = QApplication::palette();
    TOwned<TBrixUICtrl> UI(TBrixUICtrl::Create());
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    Calc->SetUICtrl(UI.get());
    QApplication::setPalette(StylePalette(QStringLiteral("Iceberg Classico"), csLight));
    struct TLook
    {
        double Brightness = 0; // mean luma of the window, 0 to 1
        TFaceAndInk Display, Caption, Symbol;
        QColor Arrow, BoxBase;
    };
    const auto Measure = [](TBrixCalcForm &F) {
        QApplication::processEvents();
        TLook Look;
        const QImage Window = F.grab().toImage();
        double Sum = 0;
        for (int Y = 0; Y < Window.height(); ++Y)
            for (int X = 0; X < Window.width(); ++X) {
                const QColor C = Window.pixelColor(X, Y);
                Sum += 0.299 * C.redF() + 0.587 * C.greenF() + 0.114 * C.blueF();
            }
        Look.Brightness = Sum / (Window.width() * Window.height());
        // Inside the display's bevel, and the middle of the keys.
        Look.Display = FaceAndInk(F.ValueDisplay->grab(F.ValueDisplay->contentsRect()).toImage());
        const auto Middle = [](QWidget *Key) {
            return Key->grab(Key->rect().adjusted(3, 3, -3, -3)).toImage();
        };
        Look.Caption = FaceAndInk(Middle(F.Key(ckSeven)));
        Look.Symbol = FaceAndInk(Middle(F.Key(ckAdd)));
        const QImage Arrow = F.DPSpin->Button()->UpButton()->Glyph().toImage();
        for (int Y = 0; Y < Arrow.height() && !Look.Arrow.isValid(); ++Y)
            for (int X = 0; X < Arrow.width(); ++X)
                if (qAlpha(Arrow.pixel(X, Y)) == 255) {
                    Look.Arrow = Arrow.pixelColor(X, Y);
                    break;
                }
        Look.BoxBase = F.DPSpin->palette().color(QPalette::Base);
        return Look;
    };
    std::optional<TLook> Light, Dark, LightAgain;
    const TRun Run = RunStandard(*Calc, [&](TBrixCalcForm &F) {
        F.ValueDisplay->SetValue(QStringLiteral("8,888.8888"));
        Light = Measure(F);
        QApplication::setPalette(StylePalette(QStringLiteral("Iceberg Classico"), csDark));
        Dark = Measure(F);
        QApplication::setPalette(StylePalette(QStringLiteral("Iceberg Classico"), csLight));
        LightAgain = Measure(F);
        F.close();
    });
    QApplication::setPalette(Before);
    EXPECT_FALSE(Run.TimedOut);
    ASSERT_TRUE(Light && Dark && LightAgain);
    const QPalette DarkPalette = StylePalette(QStringLiteral("Iceberg Classico"), csDark);
    for (const auto &[Name, Look, IsDark] :
         {std::tuple("light", *Light, false), std::tuple("dark", *Dark, true),
          std::tuple("light again", *LightAgain, false)}) {
        SCOPED_TRACE(Name);
        if (IsDark) {
            EXPECT_LT(Look.Brightness, 0.35);
            EXPECT_LT(Look.Display.Face.lightness(), 100);
            EXPECT_EQ(Look.Arrow, DarkPalette.color(QPalette::ButtonText));
            EXPECT_EQ(Look.BoxBase, DarkPalette.color(QPalette::Base));
        } else {
            EXPECT_GT(Look.Brightness, 0.65);
            EXPECT_GT(Look.Display.Face.lightness(), 200);
            EXPECT_LT(Look.Arrow.lightness(), 100);
            EXPECT_GT(Look.BoxBase.lightness(), 200);
        }
        EXPECT_GE(Contrast(Look.Display.Face, Look.Display.Ink), 4.5);
        EXPECT_GE(Contrast(Look.Caption.Face, Look.Caption.Ink), 4.5);
        EXPECT_GE(Contrast(Look.Symbol.Face, Look.Symbol.Ink), 4.5);
    }
}

TEST(Styles, IcebergClassicoAppliesAndAMissingStyleIsReported)
{
    QString Error;
    EXPECT_TRUE(TrySetStyle(QStringLiteral("iceberg classico"), &Error));
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    EXPECT_FALSE(TrySetStyle(QStringLiteral("Nope"), &Error));
    EXPECT_EQ(Error, QStringLiteral("Style 'Nope' not found"));
}

} // namespace
