// The calculator window with a tape document: the document follows the
// engine's record after every command, the undo steps carry the tape, and a
// number of the tape can be edited (replayed) or the tape cleared, each as
// one undo step.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "calcwindows/window_fixture.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
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
    QSignalSpy Changed(&Form, &TBrixCalcFormBase::TapeChanged);

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
    ASSERT_FALSE(Changed.isEmpty());
    EXPECT_TRUE(Changed.last().at(0).toBool()) << "a calculation ended: the file is due";
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
