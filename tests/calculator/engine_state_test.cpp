// Saved engine states: a restored state is the state saved, whatever keys
// came between, it carries on the calculation it holds, and restoring tells
// the host once about each display without writing to the tape.
#include "brix/calculator/engine.h"

#include "key_script.h"

#include <gtest/gtest.h>

using namespace Brix;
using namespace BrixTest;

namespace {

struct StateRow
{
    const char *Name;
    const char *Before;  // keys before the state is saved
    const char *After;   // keys between saving and restoring
    const char *Then;    // keys after restoring
    const char *Display; // the display after Then
};

// What a user sees and what the next keys work on.
struct Visible
{
    QString Display, Memory, Tape, Operators, Entry, Error;
    QList<Extended> Operands;
    bool Inv, Hyp;
    TBrixAngleMode Angle;
    Byte Decimals;

    explicit Visible(TBrixCalcEngine &E)
        : Display(E.GetDisplayStr()), Memory(E.GetMemoryContents()), Tape(Tape_(E)),
          Operators(E.OperatorStackText()), Entry(E.EntryText()), Error(E.GetLastError()),
          Operands(E.OperandStackContents()), Inv(E.IsInv()), Hyp(E.IsHyp()), Angle(E.AngleMode()),
          Decimals(E.DecimalPlaces())
    {
    }
    static QString Tape_(const TBrixCalcEngine &E) { return BrixTest::Tape(E); }

    void ExpectSame(const Visible &O) const
    {
        EXPECT_EQ(Display, O.Display);
        EXPECT_EQ(Memory, O.Memory);
        EXPECT_EQ(Tape, O.Tape);
        EXPECT_EQ(Operators, O.Operators);
        EXPECT_EQ(Entry, O.Entry);
        EXPECT_EQ(Error, O.Error);
        ASSERT_EQ(Operands.size(), O.Operands.size());
        for (qsizetype I = 0; I < Operands.size(); ++I)
            EXPECT_EQ(Operands[I], O.Operands[I]) << "operand " << I;
        EXPECT_EQ(Inv, O.Inv);
        EXPECT_EQ(Hyp, O.Hyp);
        EXPECT_EQ(Angle, O.Angle);
        EXPECT_EQ(Decimals, O.Decimals);
    }
};

} // namespace

TEST(EngineStateTest, RestoringPutsBackWhatWasSavedAndCarriesOn)
{
    RegionalGuard Regional;
    const StateRow Rows[] = {
        {"pending operator", "12 +", "5 =", "6 =", "18.0000"},
        {"typed operand", "12 + 5", "6", "=", "17.0000"},
        {"precedence and brackets", "2 + 3 * ( 4", "- 1 ) = 9 *", "+ 1 ) =", "17.0000"},
        {"memory", "7 m+ 2", "m+ mc 1 m-", "mr =", "7.0000"},
        {"all clear", "5 * 5 m+ 3 +", "ac", "2 =", "5.0000"},
        {"error state", "1 / 0 =", "4 +", "3 =", "3.0000"},
        {"inverse toggle and angle", "--angle=deg prefix:off 0.5 inv", "--angle=rad hyp", "sin",
         "30.0000"},
        {"decimal places", "dp:2 1 / 3", "dp:6 =", "=", "0.33"},
        {"binary percent", "bpct:on 200 %", "bpct:off 10", "10 =", "20.0000"},
        {"deep stacks", "( ( ( ( ( ( ( ( ( ( ( ( ( ( ( ( ( ( 1", "ac", "+ 2 =", "3.0000"},
    };
    for (const StateRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
        Press(*E, QString::fromUtf8(Row.Before));
        const TBrixCalcEngineState Saved = E->SaveState();
        const Visible Was(*E);
        Press(*E, QString::fromUtf8(Row.After));
        ASSERT_FALSE(E->SaveState() == Saved) << "the keys between changed nothing";
        E->RestoreState(Saved);
        EXPECT_TRUE(E->SaveState() == Saved);
        Visible(*E).ExpectSame(Was);

        // The same state in another engine carries on alike.
        TOwned<TBrixCalcEngine> Other(Create<TBrixCalcEngine>());
        Press(*Other, "3 * 3 m+ =");
        Other->RestoreState(Saved);
        Visible(*Other).ExpectSame(Was);
        for (TBrixCalcEngine *Engine : {E.get(), Other.get()}) {
            Press(*Engine, QString::fromUtf8(Row.Then));
            EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(Row.Display));
        }
        EXPECT_EQ(E->FunctionCodes(), Other->FunctionCodes());
    }
}

TEST(EngineStateTest, RestoringNotifiesEachDisplayOnceAndWritesNoTapeLine)
{
    RegionalGuard Regional;
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    Press(*E, "2 + 3 =");
    const TBrixCalcEngineState Saved = E->SaveState();
    Press(*E, "--angle=deg 4 m+ dp:2 * 5 =");
    QStringList Events;
    RecordEvents(*E, Events);
    E->RestoreState(Saved);
    EXPECT_EQ(Events.join(u' '), QStringLiteral("display memory history decimals"));
    EXPECT_EQ(Tape(*E), QStringLiteral("2.0000|+|3.0000|=|5.0000"));
    EXPECT_EQ(E->AngleMode(), amRadians);
    EXPECT_EQ(E->GetMemoryContents(), QStringLiteral("0.0000"));
}
