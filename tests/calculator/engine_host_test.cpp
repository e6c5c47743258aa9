// The engine's host settings and the end of a typed number: an engine that
// keeps no tape or formats its display only when read shows exactly what a
// default engine shows, and InputEntry takes a typed number as an operator
// key would.
#include "brix/calculator/engine.h"
#include "brix/formatters/numeric.h"

#include "key_script.h"

#include <gtest/gtest.h>

using namespace Brix;
using namespace BrixTest;

namespace {

// Key scripts through every path that shows a value: operators and
// precedence, brackets, results, functions written before and after their
// number, memory, percent, the error state, decimal places, values and
// pasted text, constants, the same-line tape.
const char *const Scripts[] = {
    "2 + 3 * 4 - 1 =",
    "2 * ( 3 + 4 ) - 1 = + 1 =",
    "1 / 3 = dp:2 * 3 = dp:6",
    "prefix:off --angle=deg 3 0 sin + 2 sqrt = 1/x +/- x^2",
    "sin 3 0 + cos 0 = log 1 0 0 =",
    "7 m+ 2 m- mr * 3 = mc --memory-history 5 m+ mr",
    "2 0 0 + 1 0 % = bpct:on 2 0 0 % 1 0 =",
    "1 / 0 = 4 + 3 = 2 +/- ( 5",
    "value:2.5 * paste:1,234.5 = pi * e =",
    "--same-line 2 + 3 = * 4 = m+ ac 1.5E3 + 1 =",
    "9 9 9 exp 9 9 * 1 0 = 5 + 6",
};

struct Seen
{
    QString Display, Memory, Operators, Entry, Error;
    QList<Extended> Operands;

    explicit Seen(TBrixCalcEngine &E)
        : Display(E.GetDisplayStr()), Memory(E.GetMemoryContents()),
          Operators(E.OperatorStackText()), Entry(E.EntryText()), Error(E.GetLastError()),
          Operands(E.OperandStackContents())
    {
    }

    void ExpectSame(const Seen &O) const
    {
        EXPECT_EQ(Display, O.Display);
        EXPECT_EQ(Memory, O.Memory);
        EXPECT_EQ(Operators, O.Operators);
        EXPECT_EQ(Entry, O.Entry);
        EXPECT_EQ(Error, O.Error);
        ASSERT_EQ(Operands.size(), O.Operands.size());
        for (qsizetype I = 0; I < Operands.size(); ++I)
            EXPECT_EQ(Operands[I], O.Operands[I]) << "operand " << I;
    }
};

QStringList Tokens(const char *Script)
{
    return QString::fromUtf8(Script).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(EngineHostTest, LazyDisplayShowsWhatTheDisplayShowsAtOnce)
{
    RegionalGuard Regional;
    // Without a formatter, and with one that groups the display.
    TOwned<TBrixFloatFormatter> Grouping(Create<TBrixFloatFormatter>());
    Grouping->SetShowThousands(true);
    for (TBrixFloatFormatter *Formatter :
         {static_cast<TBrixFloatFormatter *>(nullptr), Grouping.get()})
        for (const char *Script : Scripts) {
            SCOPED_TRACE(Script);
            SCOPED_TRACE(Formatter ? "grouping formatter" : "no formatter");
            TOwned<TBrixCalcEngine> Eager(Create<TBrixCalcEngine>());
            TOwned<TBrixCalcEngine> ReadEachKey(Create<TBrixCalcEngine>());
            TOwned<TBrixCalcEngine> ReadAtEnd(Create<TBrixCalcEngine>());
            for (TBrixCalcEngine *Engine : {Eager.get(), ReadEachKey.get(), ReadAtEnd.get()})
                Engine->SetFormatter(Formatter);
            ReadEachKey->SetLazyDisplay(true);
            ReadAtEnd->SetLazyDisplay(true);
            QStringList EagerEvents, LazyEvents;
            RecordEvents(*Eager, EagerEvents);
            RecordEvents(*ReadAtEnd, LazyEvents);
            for (const QString &Token : Tokens(Script)) {
                SCOPED_TRACE(Token.toStdString());
                Press(*Eager, Token);
                Press(*ReadEachKey, Token);
                Press(*ReadAtEnd, Token);
                EXPECT_EQ(ReadEachKey->GetDisplayStr(), Eager->GetDisplayStr());
            }
            // Read only now: the tape lines that copy the display, and the
            // checks for the error display, read it in between.
            EXPECT_EQ(Tape(*ReadAtEnd), Tape(*Eager));
            EXPECT_EQ(LazyEvents, EagerEvents);
            EXPECT_TRUE(ReadAtEnd->SaveState() == Eager->SaveState());
            Seen(*ReadAtEnd).ExpectSame(Seen(*Eager));
        }
}

TEST(EngineHostTest, LazyDisplayKeepsTheTextOfTheFormatterItWasShownWith)
{
    RegionalGuard Regional;
    TOwned<TBrixFloatFormatter> Grouping(Create<TBrixFloatFormatter>());
    Grouping->SetShowThousands(true);
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    E->SetFormatter(Grouping.get());
    E->SetLazyDisplay(true);
    Press(*E, "1 2 3 4 5 6 7 +");
    // Unlinking the formatter before anyone read the display keeps the text
    // it had when shown, as an engine writing it at once does.
    E->SetFormatter(nullptr);
    EXPECT_EQ(E->GetDisplayStr(), "1,234,567.0000");

    // Switching lazy display off writes a waiting value first.
    E->SetFormatter(Grouping.get());
    Press(*E, "1 =");
    E->SetLazyDisplay(false);
    Grouping->SetShowThousands(false);
    EXPECT_EQ(E->GetDisplayStr(), "1,234,568.0000");
}

TEST(EngineHostTest, WithoutTapeEverythingElseStaysTheSame)
{
    RegionalGuard Regional;
    for (const char *Script : Scripts) {
        SCOPED_TRACE(Script);
        TOwned<TBrixCalcEngine> WithTape(Create<TBrixCalcEngine>());
        TOwned<TBrixCalcEngine> NoTape(Create<TBrixCalcEngine>());
        NoTape->SetKeepTape(false);
        QStringList TapeEvents, NoTapeEvents;
        RecordEvents(*WithTape, TapeEvents);
        RecordEvents(*NoTape, NoTapeEvents);
        Press(*WithTape, QString::fromUtf8(Script));
        Press(*NoTape, QString::fromUtf8(Script));
        ASSERT_GT(WithTape->GetHistoryLength(), 0);
        EXPECT_EQ(NoTape->GetHistoryLength(), 0);
        EXPECT_EQ(NoTape->HistoryHold(), "");
        Seen(*NoTape).ExpectSame(Seen(*WithTape));
        TapeEvents.removeAll(QStringLiteral("history"));
        EXPECT_EQ(NoTapeEvents, TapeEvents);
    }

    // Switched on again, the tape goes on from where it was.
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    Press(*E, "2 +");
    E->SetKeepTape(false);
    Press(*E, "3 =");
    E->SetKeepTape(true);
    Press(*E, "* 2 =");
    EXPECT_EQ(Tape(*E), "2.0000|+|*|2.0000|=|10.0000");
}

TEST(EngineHostTest, InputEntryTakesTheTypedNumberAsAnOperatorWould)
{
    RegionalGuard Regional;
    const QString TinyWrittenOut = "0." + QString(5000, u'0') + u'1';
    struct Row
    {
        QString Keys;    // typed before InputEntry
        QString Display; // after it
        QString Tape;
    } Rows[] = {
        {"1 2 . 5", "12.5000", "12.5000"},      {"- 3 exp", "-3.0000", "-3.0000"},
        {"- 0 0", "0.0000", "0.0000"},          {"1 exp - 5 0 0 0", "0.0000", "0.0000"},
        {TinyWrittenOut, "0.0000", "0.0000"},   {"1 exp 5 0 0 0", "Error!", "ERR"},
        {"- 9 9 exp 4 9 3 2", "Error!", "ERR"}, {"2 + 3", "3.0000", "2.0000|+|3.0000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Keys.left(40).toStdString());
        TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
        Press(*E, R.Keys);
        E->InputEntry();
        EXPECT_EQ(E->GetDisplayStr(), R.Display);
        EXPECT_EQ(Tape(*E), R.Tape);
        EXPECT_EQ(E->EntryText(), "");

        // An operator key takes the same number, or fails the same way ("*":
        // after the exponent mark "+" would be the exponent's sign).
        TOwned<TBrixCalcEngine> Op(Create<TBrixCalcEngine>());
        Press(*Op, R.Keys + QStringLiteral(" *"));
        EXPECT_EQ(E->GetLastError(), Op->GetLastError());
        const QList<Extended> Taken = E->OperandStackContents();
        const QList<Extended> ByOperator = Op->OperandStackContents();
        ASSERT_EQ(Taken.size(), ByOperator.size());
        for (qsizetype I = 0; I < Taken.size(); ++I)
            EXPECT_EQ(Taken[I], ByOperator[I]);
    }

    // Nothing typed: nothing changes.
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    Press(*E, "2 + 3 =");
    const TBrixCalcEngineState Before = E->SaveState();
    E->InputEntry();
    EXPECT_TRUE(E->SaveState() == Before);
}
