// The calculator window with a tape document: the document follows the
// engine's record after every command, the undo steps carry the tape, and a
// number of the tape can be edited (replayed) or the tape cleared, each as
// one undo step.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/calcwindows/tapeview.h"
#include "calcwindows/window_fixture.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

using namespace Brix;

namespace {

class TapeWindow : public BrixTest::WindowFixture
{
protected:
    // The window and its tape as a whole, for comparing before and after.
    struct TSnapshot
    {
        TBrixCalcEngineState State;
        QList<TBrixTapeCalculation> Kept;
        TBrixTapeCalculation Current;
        QString Display;
    };
    static TSnapshot Snap(const TBrixCalcFormBase &Form, const TBrixTapeDocument &Tape)
    {
        return {Form.CalcEngine->SaveState(), Tape.Kept(), Tape.Current(),
                Form.ValueDisplay->text()};
    }
    static void ExpectSame(const TSnapshot &Now, const TSnapshot &Then, const std::string &Where)
    {
        EXPECT_TRUE(Now.State == Then.State) << Where << ": engine state";
        EXPECT_EQ(Now.Kept, Then.Kept) << Where << ": kept calculations";
        EXPECT_EQ(Now.Current, Then.Current) << Where << ": current calculation";
        EXPECT_EQ(Now.Display, Then.Display) << Where;
    }

    // The texts of lines.
    static QStringList Texts(const TBrixTapeCalculation &Lines)
    {
        QStringList T;
        for (const TBrixCalcRecordLine &L : Lines)
            T << L.Text;
        return T;
    }
    // The current calculation's line showing the typed number Value.
    static int LineOf(const TBrixTapeDocument &Tape, Extended Value)
    {
        const TBrixTapeCalculation &Lines = Tape.Current();
        for (int I = 0; I < Lines.size(); ++I)
            if (Lines[I].Kind == lkNumber && Lines[I].Value == Value)
                return I;
        return -1;
    }
};

// All clear keeps the calculation on the tape; undo and redo over every kind
// of step (keys, all clear, an edit, Clear tape) bring window and tape back
// exactly, one step at a time.
TEST_F(TapeWindow, UndoAndRedoRestoreEngineAndTapeExactly)
{
    TBrixTapeDocument Tape;
    TBrixCalcForm Form;
    Show(Form);
    Form.CalcEngine->StartRecord();
    Form.SetTapeDocument(&Tape);
    std::vector<TBrixTapeChange> Changed;
    Tape.AddObserver([&Changed](TBrixTapeChange Change) { Changed.push_back(Change); });

    std::vector<TSnapshot> Steps{Snap(Form, Tape)};
    const auto Step = [&](const std::function<void()> &Act) {
        Act();
        Steps.push_back(Snap(Form, Tape));
    };
    for (QChar C : QStringLiteral("12+5="))
        Step([&] { Type(Form, QString(C)); });
    ASSERT_EQ(Texts(Tape.Current()), QStringList({"12.0000", "+", "5.0000", "=", "17.0000"}));
    EXPECT_TRUE(Tape.Kept().isEmpty());
    Changed.clear();
    Step([&] { Type(Form, QStringLiteral("A")); }); // all clear
    ASSERT_EQ(Tape.Kept().size(), 1) << "all clear ends the calculation, the tape keeps it";
    EXPECT_EQ(Texts(Tape.Kept()[0]), QStringList({"12.0000", "+", "5.0000", "=", "17.0000"}));
    EXPECT_TRUE(Tape.Current().isEmpty());
    EXPECT_EQ(Changed, std::vector<TBrixTapeChange>({tcEnded}))
        << "a calculation ended: the file is due";
    for (QChar C : QStringLiteral("3*4="))
        Step([&] { Type(Form, QString(C)); });
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("12.0000"));
    Step([&] { ASSERT_TRUE(Form.EditTapeNumber(LineOf(Tape, 3), "5")); });
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("20.0000"));
    Step([&] { Form.ClearTape(); });
    EXPECT_TRUE(Tape.Kept().isEmpty());
    EXPECT_TRUE(Tape.Current().isEmpty());
    EXPECT_EQ(Form.ValueDisplay->text(), QStringLiteral("20.0000")) << "the value stays";
    Step([&] { Type(Form, QStringLiteral("+")); });
    EXPECT_EQ(Texts(Tape.Current()), QStringList({"+"}))
        << "the calculation goes on after Clear tape, on an empty tape";

    const int Count = int(Steps.size()) - 1;
    ASSERT_EQ(Form.UndoHistory().UndoCount(), Count) << "each command is one step";
    for (int I = Count - 1; I >= 0; --I) {
        Key(Form, Qt::Key_Z, Qt::ControlModifier);
        ExpectSame(Snap(Form, Tape), Steps[size_t(I)], "undo to step " + std::to_string(I));
    }
    for (int I = 1; I <= Count; ++I) {
        Key(Form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        ExpectSame(Snap(Form, Tape), Steps[size_t(I)], "redo to step " + std::to_string(I));
    }
}

TEST_F(TapeWindow, EditTapeNumberReplaysAsOneStepAndRefusesWhatCannotBeEdited)
{
    TBrixTapeDocument Tape;
    TBrixCalcForm Form;
    Show(Form);
    Form.CalcEngine->StartRecord();
    Form.SetTapeDocument(&Tape);
    Type(Form, QStringLiteral("12+5="));
    Form.ClickKey(ckMemoryAdd);
    ASSERT_EQ(Form.MemoryDisplay->text(), QStringLiteral("17.0000"));
    const TSnapshot Before = Snap(Form, Tape);
    const int Steps = Form.UndoHistory().UndoCount();

    // What is refused changes nothing and is no step.
    int Result = -1;
    for (int I = 0; I < Tape.Current().size(); ++I)
        if (Tape.Current()[I].Kind == lkResult)
            Result = I;
    ASSERT_GE(Result, 0);
    const struct
    {
        int Line;
        QString Text;
        const char *Why;
    } Refused[] = {
        {Result, "13", "a result line"},
        {LineOf(Tape, 12) + 1, "13", "an operator line"},
        {LineOf(Tape, 12), "twelve", "no number"},
        {LineOf(Tape, 12), "", "empty text"},
        {LineOf(Tape, 12), "1e5000", "a number beyond the range"},
        {-1, "13", "no line"},
        {int(Tape.Current().size()), "13", "past the last line"},
    };
    for (const auto &R : Refused) {
        EXPECT_FALSE(Form.EditTapeNumber(R.Line, R.Text)) << R.Why;
        ExpectSame(Snap(Form, Tape), Before, R.Why);
        EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps) << R.Why;
    }

    // The line's own value is no edit: nothing changes, no step.
    EXPECT_TRUE(Form.EditTapeNumber(LineOf(Tape, 12), QStringLiteral("12.000")));
    ExpectSame(Snap(Form, Tape), Before, "the same value");
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps);

    // The number is read as a paste: grouping and the region's decimal mark.
    ASSERT_TRUE(Form.EditTapeNumber(LineOf(Tape, 12), QStringLiteral("1,013.5")));
    EXPECT_EQ(Form.CalcEngine->GetAsFloat(), 1018.5L);
    EXPECT_EQ(Form.CalcEngine->Memory(), 1018.5L) << "M+ is replayed";
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    const int Edited = LineOf(Tape, 1013.5L);
    ASSERT_GE(Edited, 0);
    EXPECT_TRUE(Tape.Current()[Edited].Edited);

    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    ExpectSame(Snap(Form, Tape), Before, "the edit undone");

    // Without a document there is nothing to edit or clear.
    TBrixCalcForm Bare;
    Type(Bare, QStringLiteral("1+2="));
    EXPECT_FALSE(Bare.EditTapeNumber(0, QStringLiteral("3")));
    const int BareSteps = Bare.UndoHistory().UndoCount();
    Bare.ClearTape();
    EXPECT_EQ(Bare.UndoHistory().UndoCount(), BareSteps);
}

// The tape view attached to the window: F2 opens the editor with the exact
// value, Enter on it unchanged changes nothing; Insert reuses the exact
// value; an edit replays and its total is told; Clear tape clears; the view
// speaks the window's language. Each change is one undo step.
class TapeWindowWithView : public TapeWindow
{
protected:
    void SetUp() override
    {
        TapeWindow::SetUp();
        Form.CalcEngine->StartRecord();
        Form.SetTapeDocument(&Tape);
        View.SetCalculator(&Form);
        View.resize(240, 320);
        Show(Form);
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    }
    // The view's row showing Text ("1.2346 ×").
    QModelIndex Row(const QString &Text) const
    {
        for (int R = 0; R < View.model()->rowCount(); ++R)
            if (View.model()->index(R, 0).data().toString() == Text)
                return View.model()->index(R, 0);
        ADD_FAILURE() << "no row " << Text.toStdString();
        return {};
    }
    QLineEdit *Editor() const
    {
        for (QLineEdit *Editor : View.findChildren<QLineEdit *>("TapeEditor"))
            if (Editor->isVisible())
                return Editor;
        return nullptr;
    }
    // F2 on the row showing RowText, Text typed over the editor's, Enter.
    void Edit(const QString &RowText, const std::optional<QString> &Text)
    {
        QApplication::processEvents(); // a closed editor goes
        View.setFocus();
        View.setCurrentIndex(Row(RowText));
        QTest::keyClick(&View, Qt::Key_F2);
        ASSERT_NE(Editor(), nullptr);
        if (Text) {
            Editor()->selectAll();
            QTest::keyClicks(Editor(), *Text);
        }
        QTest::keyClick(Editor(), Qt::Key_Return);
    }

    TBrixTapeDocument Tape;
    TBrixCalcForm Form;
    TBrixTapeView View;
};

TEST_F(TapeWindowWithView, EditorOpensWithTheExactValueAndEnterUnchangedIsNoStep)
{
    Type(Form, QStringLiteral("1.23456*3="));
    ASSERT_EQ(Form.ValueDisplay->text(), "3.7037");
    const TSnapshot Before = Snap(Form, Tape);
    const int Steps = Form.UndoHistory().UndoCount();
    View.setFocus();
    View.setCurrentIndex(Row("1.2346 ×"));
    QTest::keyClick(&View, Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "1.23456");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Form.ValueDisplay->text(), "3.7037");
    ExpectSame(Snap(Form, Tape), Before, "Enter on the text as it opened");
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps);
    EXPECT_FALSE(Tape.Current()[LineOf(Tape, 1.23456L)].Edited) << "no edited mark";

    // A changed number replays the calculation as one step, and the new
    // total is told to screen readers.
    Edit("1.2346 ×", QStringLiteral("2"));
    EXPECT_EQ(Form.ValueDisplay->text(), "6.0000");
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    EXPECT_TRUE(Tape.Current()[LineOf(Tape, 2)].Edited);
    EXPECT_EQ(View.accessibleDescription(), "total 6.0000");
    // Text that is no number changes nothing.
    Edit("\u270E 2.0000 ×", QStringLiteral("two"));
    EXPECT_EQ(Form.ValueDisplay->text(), "6.0000");
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    ExpectSame(Snap(Form, Tape), Before, "the edit undone");
}

TEST_F(TapeWindowWithView, InsertReusesTheExactValueAsOneStep)
{
    Type(Form, QStringLiteral("1.23456*3=A"));
    const int Steps = Form.UndoHistory().UndoCount();
    View.setFocus();
    View.setCurrentIndex(Row("1.2346 ×"));
    QTest::keyClick(&View, Qt::Key_Insert);
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    EXPECT_EQ(Form.CalcEngine->GetAsFloat(), 1.23456L);
    Type(Form, QStringLiteral("*3="));
    EXPECT_EQ(Form.ValueDisplay->text(), "3.7037");
    EXPECT_EQ(Form.CalcEngine->GetAsFloat(), 1.23456L * 3);
    // A double click too; Ctrl+C still copies the row as shown.
    Type(Form, QStringLiteral("A"));
    QTest::mouseDClick(View.viewport(), Qt::LeftButton, Qt::NoModifier,
                       View.visualRect(Row("3.7037")).center());
    EXPECT_EQ(Form.CalcEngine->GetAsFloat(), 1.23456L * 3);
    View.setCurrentIndex(Row("1.2346 ×"));
    QTest::keyClick(&View, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1.2346 ×");
}

TEST_F(TapeWindowWithView, ClearTapeAndTheLanguageComeFromTheWindow)
{
    Type(Form, QStringLiteral("12+5=A3+"));
    ASSERT_GT(View.model()->rowCount(), 0);
    const int Steps = Form.UndoHistory().UndoCount();
    View.findChild<QAction *>("ClearTapeAction")->trigger();
    EXPECT_TRUE(Tape.Calculations().isEmpty());
    EXPECT_EQ(View.model()->rowCount(), 0);
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(View.model()->rowCount(), 4) << "12 + 5 = 17 and 3 + again";

    Form.CalcEngine->SetLanguage(elGerman);
    EXPECT_EQ(View.accessibleName(), "Rechenstreifen");
    QFont Font = Form.ValueDisplay->font();
    Font.setPixelSize(Font.pixelSize() > 0 ? Font.pixelSize() + 3 : 20);
    Form.ValueDisplay->setFont(Font);
    EXPECT_EQ(View.NumberFont().pixelSize(), Font.pixelSize());
}

// An edit whose replay fails shows the failure as the failing key would:
// "Error!" on the display, in one undo step that undo takes back whole.
TEST_F(TapeWindowWithView, EditWhoseReplayFailsShowsTheError)
{
    QStringList Reported;
    TBrixCalcFormBase::SetErrorReporter(
        [&Reported](QWidget *, const QString &Message) { Reported << Message; });
    // 2 * (sqrt 25) + 89: the root in the middle of the calculation.
    Form.CalcEngine->SetPrefixFunctions(true);
    Type(Form, QStringLiteral("2*(r25)+89="));
    ASSERT_EQ(Form.ValueDisplay->text(), "99.0000");
    const TSnapshot Before = Snap(Form, Tape);
    const int Steps = Form.UndoHistory().UndoCount();
    ASSERT_TRUE(Form.EditTapeNumber(LineOf(Tape, 25), QStringLiteral("-25")));
    EXPECT_EQ(Form.ValueDisplay->text(), Form.CalcEngine->GetName(ectErrorMsg));
    EXPECT_EQ(Form.UndoHistory().UndoCount(), Steps + 1);
    Key(Form, Qt::Key_Z, Qt::ControlModifier);
    ExpectSame(Snap(Form, Tape), Before, "the failed edit undone");
    TBrixCalcFormBase::SetErrorReporter(nullptr);
    EXPECT_TRUE(Reported.isEmpty()) << "shown on the display, not in a message";
}

// An error stays with the calculation it ended, with the lines before it;
// the error's own clearing starts no new calculation, the next all clear
// does.
TEST_F(TapeWindow, AnErrorStaysWithItsCalculation)
{
    QStringList Reported;
    TBrixCalcFormBase::SetErrorReporter(
        [&Reported](QWidget *, const QString &Message) { Reported << Message; });
    TBrixTapeDocument Tape;
    TBrixCalcForm Form;
    Show(Form);
    Form.CalcEngine->StartRecord();
    Form.SetTapeDocument(&Tape);
    Type(Form, QStringLiteral("12+5=/0="));
    ASSERT_FALSE(Form.CalcEngine->GetLastError().isEmpty());
    EXPECT_TRUE(Tape.Kept().isEmpty());
    const auto HasError = [](const TBrixTapeCalculation &Lines) {
        return std::any_of(Lines.begin(), Lines.end(),
                           [](const TBrixCalcRecordLine &L) { return L.Kind == lkError; });
    };
    EXPECT_EQ(Texts(Tape.Current()).mid(0, 5),
              QStringList({"12.0000", "+", "5.0000", "=", "17.0000"}));
    EXPECT_TRUE(HasError(Tape.Current()));
    Type(Form, QStringLiteral("A2+"));
    ASSERT_EQ(Tape.Kept().size(), 1);
    EXPECT_TRUE(HasError(Tape.Kept()[0]));
    EXPECT_EQ(Texts(Tape.Current()), QStringList({"2.0000", "+"}));
    TBrixCalcFormBase::SetErrorReporter(nullptr);
    EXPECT_TRUE(Reported.isEmpty()) << Reported.join(u'|').toStdString();
}

// The component's window opens with the component's value in the display,
// which the engine writes on its own tape; the tape of the window starts
// after it.
TEST_F(TapeWindow, ValueShownAtStartIsNoTapeLine)
{
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    Calc->SetValue(7);
    TBrixTapeDocument Tape;
    bool Ran = false;
    Calc->SetOnStartCalculator([&](TObject *, TBrixCalcForm *&Form) {
        TBrixCalcForm *F = Form;
        F->SetTapeDocument(&Tape);
        QTimer::singleShot(0, F, [&, F] {
            Ran = true;
            EXPECT_EQ(F->ValueDisplay->text(), QStringLiteral("7.0000"));
            EXPECT_TRUE(Tape.Calculations().isEmpty());
            EXPECT_TRUE(F->CalcEngine->Record().Lines.isEmpty());
            Type(*F, QStringLiteral("+1="));
            EXPECT_EQ(F->ValueDisplay->text(), QStringLiteral("8.0000"));
            const QString Lines = Texts(Tape.Current()).join(u'|');
            EXPECT_TRUE(Lines.endsWith(QStringLiteral("|1.0000|=|8.0000"))) << Lines.toStdString();
            EXPECT_FALSE(Lines.startsWith(QStringLiteral("7"))) << Lines.toStdString();
            F->close();
        });
    });
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] {
        if (QWidget *Modal = QApplication::activeModalWidget())
            Modal->close();
    });
    Watchdog.start(5000);
    Calc->Execute();
    EXPECT_TRUE(Ran);
}

// A window handed on to the other kind (the engine's state and the undo
// steps carried over, as the program's switch does) keeps the tape: the
// calculation goes on, and undo reaches back over the switch.
TEST_F(TapeWindow, FormSwitchKeepsTheTapeAndItsUndoSteps)
{
    TBrixTapeDocument Tape;
    TBrixCalcForm First;
    Show(First);
    First.CalcEngine->StartRecord();
    First.SetTapeDocument(&Tape);
    Type(First, QStringLiteral("12+5="));
    Type(First, QStringLiteral("A")); // all clear
    const TSnapshot AfterAllClear = Snap(First, Tape);
    Type(First, QStringLiteral("3+"));
    const TSnapshot Handed = Snap(First, Tape);

    TBrixSciCalcForm Second;
    Second.CalcEngine->RestoreState(First.CalcEngine->SaveState());
    Second.UndoHistory() = First.UndoHistory();
    Second.SetTapeDocument(&Tape);
    First.SetTapeDocument(nullptr);
    Show(Second);
    EXPECT_EQ(Tape.Kept(), Handed.Kept);
    EXPECT_EQ(Tape.Current(), Handed.Current) << "no calculation ends by the switch";
    Type(Second, QStringLiteral("4="));
    EXPECT_EQ(Second.ValueDisplay->text(), QStringLiteral("7.0000"));
    EXPECT_EQ(Texts(Tape.Current()), QStringList({"3.0000", "+", "4.0000", "=", "7.0000"}));
    ASSERT_EQ(Tape.Kept().size(), 1);

    for (int I = 0; I < 4; ++I)
        Key(Second, Qt::Key_Z, Qt::ControlModifier);
    ExpectSame(Snap(Second, Tape), AfterAllClear, "back over the switch");
    Key(Second, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Tape.Kept().isEmpty()) << "the all clear undone in the other window";
    EXPECT_EQ(Texts(Tape.Current()), QStringList({"12.0000", "+", "5.0000", "=", "17.0000"}));
}

} // namespace
