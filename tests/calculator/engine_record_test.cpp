// The record of the calculation in progress and its replay: what the keys
// record, and that a number changed on the record redoes the calculation as
// pressing the keys with that number would, within the calculation only.
#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"

#include "brix/classes/exceptions.h"
#include "brix/strings/tools.h"

#include "key_script.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

using namespace Brix;
using namespace BrixTest;

namespace {

using Step = TBrixCalcRecordedKey;

// The same 80-bit value: sign, exponent and mantissa (== takes -0 for 0).
bool SameValue(Extended A, Extended B)
{
    return std::memcmp(&A, &B, 10) == 0;
}

TOwned<TBrixCalcEngine> NewEngine()
{
    return TOwned<TBrixCalcEngine>(Create<TBrixCalcEngine>());
}

// The index of the first number step (typed, pasted or given) whose number
// is Number; -1 when there is none.
int StepOf(const TBrixCalcEngine &E, const QString &Number)
{
    const std::vector<Step> &Keys = E.Record().Keys;
    for (size_t I = 0; I < Keys.size(); ++I)
        if (Keys[I].Kind != Step::rkKey && Keys[I].Number == Number)
            return int(I);
    return -1;
}

// The record's lines, joined by "|", each as its facts: a number as its
// text with "#step" for a line of a number step, "@key" for the key that
// brought it in and "*" when edited; a result as ">text"; an operator as its
// text, with "/key" when the text is not the key's word ("arcsin/sin"); a
// text line as 'text'; an error line as "!text" (the error line's text as
// "ERR"). A key is shown by its command-line word.
std::string Lines(const TBrixCalcEngine &E)
{
    const auto Word = [](TBrixCalcKey Key) {
        return QString::fromLatin1(KeyInfo(Key).Words).section(u' ', 0, 0);
    };
    QStringList Out;
    for (const TBrixCalcRecordLine &L : E.Record().Lines) {
        QString S = L.Text == E.GetName(ectPaperErrLine) ? QStringLiteral("ERR") : L.Text;
        switch (L.Kind) {
        case lkNumber:
            if (L.Number >= 0)
                S += u'#' + QString::number(L.Number);
            if (L.Key != ckResult)
                S += u'@' + Word(L.Key);
            break;
        case lkResult:
            S.prepend(u'>');
            break;
        case lkOperator:
            if (S.compare(Word(L.Key), Qt::CaseInsensitive) != 0)
                S += u'/' + Word(L.Key);
            break;
        case lkText:
            S = u'\'' + S + u'\'';
            break;
        case lkError:
            S.prepend(u'!');
            break;
        }
        if (L.Edited)
            S += u'*';
        Out << S;
    }
    return Out.join(u'|').toStdString();
}

// The record with its edited marks taken off, to compare with keys pressed afresh.
TBrixCalcRecord Unmarked(TBrixCalcRecord R)
{
    for (Step &K : R.Keys)
        K.Edited = false;
    for (TBrixCalcRecordLine &L : R.Lines)
        L.Edited = false;
    return R;
}

} // namespace

TEST(EngineRecordTest, KeysAndLinesAreRecordedWithWhatTheyShow)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "12 + 5 =");
    const TBrixCalcRecord &R = E->Record();
    ASSERT_EQ(R.Keys.size(), 4u);
    EXPECT_EQ(R.Keys[0], (Step{Step::rkTyped, ckResult, "12", false, "12"}));
    EXPECT_EQ(R.Keys[1], (Step{Step::rkKey, ckAdd, "", false, ""}));
    EXPECT_EQ(R.Keys[2], (Step{Step::rkTyped, ckResult, "5", false, "5"}));
    EXPECT_EQ(R.Keys[3], (Step{Step::rkKey, ckEquals, "", false, ""}));
    const QList<TBrixCalcRecordLine> Expected = {
        {lkNumber, ckResult, 12, "12.0000", 0, false},  {lkOperator, ckAdd, 0, "+", -1, false},
        {lkNumber, ckResult, 5, "5.0000", 2, false},    {lkOperator, ckEquals, 0, "=", -1, false},
        {lkResult, ckResult, 17, "17.0000", -1, false},
    };
    EXPECT_EQ(R.Lines, Expected);
    // The state before the first key, with an empty record.
    ASSERT_TRUE(R.Start);
    EXPECT_EQ(R.Start->Display, "0");
    EXPECT_TRUE(R.Start->Record.Keys.empty());
    EXPECT_EQ(R.Start->Record.Serial, R.Serial);

    // Operators on the same line are the history's rendering: the record
    // has the operator's line and the number's.
    auto Same = NewEngine();
    Press(*Same, "--same-line 12 + 5 =");
    EXPECT_EQ(Tape(*Same), "12.0000|+ 5.0000|= 17.0000");
    EXPECT_EQ(Same->Record().Lines, Expected);
    // A pasted number has a line on the record only, while the tape holds
    // the operator for its next line.
    Press(*Same, "ac 2 * paste:3 =");
    EXPECT_EQ(Tape(*Same), "2.0000|= 6.0000");
    EXPECT_EQ(Lines(*Same), "2.0000#0|*|3.0000#2|=|>6.0000");
}

TEST(EngineRecordTest, EachKindOfNumberIsOneStep)
{
    RegionalGuard Regional;
    struct Row
    {
        const char *Keys;
        const char *Steps; // kind and number of each step: T typed, P pasted, V value, K key
        const char *Lines;
    } Rows[] = {
        // Every typing key is part of one typed step; a sign typed too.
        {"1 . 2 5 bs exp 3 +/- +", "T1.2E-3 K", "0.0012#0|+"},
        {"- 4 * 2 =", "T-4 K T2 K", "-4.0000#0|*|2.0000#2|=|>-8.0000"},
        // The pasted number has a line on the record only.
        {"paste:(1,234.5) + value:0.1 =", "P-1234.5 K V0.1 K",
         "-1234.5000#0|+|0.1000#2|=|>-1234.4000"},
        // A constant is no number of the record; a function's typed argument is.
        {"pi * prefix:off 9 sqrt =", "K K T9 K K", "3.1416@pi|*|9.0000#2|sqrt|=|>9.4248"},
        {"sqrt 9 =", "K T9 K", "sqrt|9.0000#1|=|>3.0000"},
        // Typing goes on after a toggle: the second step holds the whole number.
        {"prefix:off 1 inv +/- sin", "T1 K T-1 K", "-1.0000#2|arcsin/sin"},
        // "-(" is -1 x (: the -1 is made by the bracket key, not typed.
        {"- ( 2 ) =", "T- K T2 K K", "-1.0000|*|(|2.0000#2|)|=|>-2.0000"},
        {"200 + 10 %", "T200 K T10 K", "200.0000#0|+|10#2|%|20.0000@%"},
        {"3 m+ mr", "T3 K K", "3.0000#0|M+|MR|3.0000@mr"},
    };
    for (const Row &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        auto E = NewEngine();
        Press(*E, Row.Keys);
        QStringList Steps;
        for (const Step &K : E->Record().Keys)
            Steps << QString(K.Kind == Step::rkKey      ? u'K'
                             : K.Kind == Step::rkTyped  ? u'T'
                             : K.Kind == Step::rkPasted ? u'P'
                                                        : u'V') +
                         K.Number;
        EXPECT_EQ(Steps.join(u' '), Row.Steps);
        EXPECT_EQ(Lines(*E), Row.Lines);
    }
}

// Every line is written as its facts, whatever the history makes of it: the
// record is the same with operators on the number's line, and it has the
// values no line of the history shows (the number MR recalls, a function's
// argument, what a percent stands for).
TEST(EngineRecordTest, EveryLineIsItsFacts)
{
    RegionalGuard Regional;
    const struct
    {
        const char *Keys, *Lines;
    } Rows[] = {
        {"12 + 5 =", "12.0000#0|+|5.0000#2|=|>17.0000"},
        {"1 / 0 =", "1.0000#0|/|0.0000#2|!ERR|=|!Error!"},
        // The held "+" the tape's same-line form loses to the bracket.
        {"5 + ( 3 ) =", "5.0000#0|+|(|3.0000#3|)|=|>8.0000"},
        {"2 ^ 3 =", "2.0000#0|x ^ y/^|3.0000#2|=|>8.0000"},
        {"--binary-percent 200 % 10 =", "200.0000#0|%|10.0000#2|=|>20.0000"},
        // Constants and the number MR recalls name their key.
        {"pi * 2 =", "3.1416@pi|*|2.0000#2|=|>6.2832"},
        {"5 m+ ac mr * 2 =", "MR|5.0000@mr|*|2.0000#2|=|>10.0000"},
        {"--memory-history 5 m+ mr", "5.0000#0|M+|'[M: 5.0000 ]'|MR|5.0000@mr|'[M: 5.0000 ]'"},
        {"angle mc", "'deg'|MC"},
        // What a percent stands for follows it.
        {"60 * 50 % =", "60.0000#0|*|50#2|%|30.0000@%|=|>1800.0000"},
        {"200 + 10 %", "200.0000#0|+|10#2|%|20.0000@%"},
        // A function keeps its key, its text says what Inv and Hyp made of it.
        {"inv hyp sin 1 =", "arsinh/sin|1.0000#3|=|>0.8814"},
        {"inv log 2 =", "10^x/log|2.0000#2|=|>100.0000"},
        {"inv sqrt 3 =", "x^2|3.0000#2|=|>9.0000"},
        // A function's argument: the number typed, or a line of its own
        // where no line before shows it.
        {"sqrt 9 + 1 =", "sqrt|9.0000#1|+|1.0000#3|=|>4.0000"},
        {"sqrt ( 4 + 5 ) =", "sqrt|(|4.0000#2|+|5.0000#4|)|9.0000|=|>3.0000"},
        {"prefix:off 16 sqrt sqrt", "16.0000#0|sqrt|4.0000|sqrt"},
        {"prefix:off 2 + 7 = sqrt", "2.0000#0|+|7.0000#2|=|>9.0000|sqrt"},
        {"e x^2 +/-", "2.7183@e|x^2|7.3891|+/-"},
        {"1 / 4 = 1/x", "1.0000#0|/|4.0000#2|=|>0.2500|1/x"},
        {"2 + 3 m+", "2.0000#0|+|3.0000#2|5.0000|M+"},
        {"prefix:off -9 sqrt", "-9.0000#0|sqrt|!ERR"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        auto E = NewEngine();
        Press(*E, Row.Keys);
        EXPECT_EQ(Lines(*E), Row.Lines);
        auto Same = NewEngine();
        Press(*Same, QStringLiteral("--same-line ") + Row.Keys);
        EXPECT_EQ(Same->Record().Lines, E->Record().Lines);
    }
}

// The values of the lines are the engine's, every bit, not what they show.
TEST(EngineRecordTest, LinesHoldTheExactValues)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "1 / 3 = m+ ac mr * 3 =");
    const QList<TBrixCalcRecordLine> &L = E->Record().Lines;
    ASSERT_EQ(L.size(), 6);
    EXPECT_EQ(L[1].Text, "0.3333");
    EXPECT_TRUE(SameValue(L[1].Value, 1 / 3.0L));
    EXPECT_TRUE(SameValue(L[5].Value, (1 / 3.0L) * 3));

    Press(*E, "ac 1e300 * 1e300 =");
    EXPECT_EQ(E->Record().Lines.back().Text, "1.0000E+600");
    EXPECT_TRUE(SameValue(E->Record().Lines.back().Value, 1e600L));

    Press(*E, "ac 0.7 * 3 % =");
    EXPECT_TRUE(SameValue(E->Record().Lines[4].Value, (0.7L * 3) * 0.01L));
    EXPECT_EQ(E->Record().Lines[4].Number, -1);
}

// The history slots stay a descendant's: what it writes there is the tape's,
// the record keeps the engine's own texts. A line a host writes between keys
// is a text line of the record.
TEST(EngineRecordTest, TheHistorySlotsAreTheTapesOnly)
{
    RegionalGuard Regional;
    class TTagging : public TBrixCalcEngine
    {
    public:
        void AddHistoryLine(const QString &Text, bool Hold) override
        {
            TBrixCalcEngine::AddHistoryLine("<" + Text + ">", Hold);
        }
    };
    TOwned<TTagging> E(Create<TTagging>());
    Press(*E, "sin 1 = m+");
    EXPECT_EQ(Tape(*E), "<sin>|1.0000|=|<0.8415>|<M+>");
    EXPECT_EQ(Lines(*E), "sin|1.0000#1|=|>0.8415|M+");
    E->AddHistoryLine("note", false);
    EXPECT_EQ(E->Record().Lines.back(), (TBrixCalcRecordLine{lkText, ckResult, 0, "<note>"}));
}

// A changed number that makes a step fail which did not fail before ends
// the replay with that step, in the error state it entered: the steps after
// it belonged to a calculation that no longer exists. Failures the
// calculation had before go on as they went on.
TEST(EngineRecordTest, AReplayThatFailsEndsInTheError)
{
    RegionalGuard Regional;
    const struct
    {
        const char *Keys, *Number, *NewText;
        size_t Steps;
        const char *Display, *LastError, *Lines;
    } Rows[] = {
        // The sign typed by "+" after the error would make 94 the value.
        {"prefix:off 25 sqrt + 94 =", "25", "-25", 2, "Error!", "Square Root of Negative",
         "-25.0000#0*|sqrt|!ERR"},
        // "+" carries on after its failure and shows 0; the replay ends in the error.
        {"sqrt 25 + 94 =", "25", "-25", 3, "Error!", "Square Root of Negative",
         "sqrt|-25.0000#1*|!ERR|+"},
        {"( sqrt 25 ) * 3 =", "25", "-4", 4, "Error!", "Square Root of Negative",
         "(|sqrt|-4.0000#2*|!ERR|)"},
        {"10 / 5 + 1 = m+", "5", "0", 4, "Error!", "Division by Zero",
         "10.0000#0|/|0.0000#2*|!ERR|+"},
        {"1 / 0 = + 1 =", "1", "2", 6, "1.0000", "Division by Zero",
         "2.0000#0*|/|0.0000#2|!ERR|=|!Error!|1.0000#4|=|>1.0000"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        auto E = NewEngine();
        Press(*E, Row.Keys);
        QStringList Events;
        RecordEvents(*E, Events);
        ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, Row.Number), Row.NewText));
        EXPECT_EQ(E->GetDisplayStr(), Row.Display);
        EXPECT_EQ(E->GetLastError(), Row.LastError);
        EXPECT_EQ(E->Record().Keys.size(), Row.Steps);
        EXPECT_EQ(Lines(*E), Row.Lines);
        EXPECT_EQ(Events.contains("error"), QString(Row.Display) == "Error!");
        EXPECT_EQ(E->Memory(), 0);
    }
}

TEST(EngineRecordTest, AllClearBeginsANewRecordAndTheErrorStateDoesNot)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "5 m+ 1 / 0 =");
    const int Serial = E->Record().Serial;
    // The error state empties the tape, not the record.
    EXPECT_EQ(Tape(*E), "ERR|=|Error!");
    EXPECT_EQ(Lines(*E), "5.0000#0|M+|1.0000#2|/|0.0000#4|!ERR|=|!Error!");
    EXPECT_EQ(E->Record().Lines[5].Kind, lkError);
    EXPECT_EQ(E->Record().Lines[7].Kind, lkError);
    EXPECT_EQ(E->Record().Serial, Serial);

    Press(*E, "ac");
    EXPECT_FALSE(E->Record().Start);
    EXPECT_TRUE(E->Record().Keys.empty());
    EXPECT_TRUE(E->Record().Lines.empty());
    EXPECT_EQ(E->Record().Serial, Serial + 1);

    // StartRecord does the same and clears nothing else.
    Press(*E, "7 +");
    E->StartRecord();
    EXPECT_TRUE(E->Record().Keys.empty());
    EXPECT_EQ(E->Record().Serial, Serial + 2);
    EXPECT_EQ(Tape(*E), "7.0000|+");
    Press(*E, "1 =");
    EXPECT_EQ(E->GetDisplayStr(), "8.0000");
    EXPECT_EQ(Lines(*E), "1.0000#0|=|>8.0000");
}

TEST(EngineRecordTest, KeysThatChangeNothingAreNoSteps)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "ac c bs c");
    EXPECT_TRUE(E->Record().Keys.empty());
    EXPECT_FALSE(E->Record().Start);
    Press(*E, "1 exp 2 exp 3 c c");
    ASSERT_EQ(E->Record().Keys.size(), 2u);
    EXPECT_EQ(E->Record().Keys[0].Typed, "1E23");
    EXPECT_EQ(E->Record().Keys[1].Key, ckClear);
}

TEST(EngineRecordTest, NothingIsRecordedWithoutTheTapeOrWhenTheHostSaysSo)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    E->SetKeepTape(false);
    Press(*E, "12 + 5 = m+ paste:3 value:4 sin");
    EXPECT_EQ(E->Record(), TBrixCalcRecord());
    EXPECT_FALSE(E->ReplayWithNumber(0, "1"));

    auto Tape = NewEngine();
    Tape->SetKeepRecord(false);
    Press(*Tape, "12 + 5 = m+ paste:3 value:4 sin");
    EXPECT_EQ(Tape->Record(), TBrixCalcRecord());
    EXPECT_EQ(BrixTest::Tape(*Tape), "12.0000|+|5.0000|=|17.0000|M+|4.0000|sin");
}

TEST(EngineRecordTest, AChangedNumberRedoesTheCalculation)
{
    RegionalGuard Regional;
    struct Row
    {
        const char *Keys;
        const char *Number;  // the step's number as recorded
        const char *NewText; // what it becomes
        const char *Display;
        const char *Tape;
        const char *Lines;
        const char *Memory = "0.0000";
    } Rows[] = {
        {"12 + 5 =", "12", "13", "18.0000", "13.0000|+|5.0000|=|18.0000",
         "13.0000#0*|+|5.0000#2|=|>18.0000"},
        {"--same-line 12 + 5 * 2 =", "5", "-0.5", "11.0000", "12.0000|+ -0.5000|* 2.0000|= 11.0000",
         "12.0000#0|+|-0.5000#2*|*|2.0000#4|=|>11.0000"},
        // The memory before the all clear stays; M+ inside is redone.
        {"5 m+ ac 2 + 3 = m+", "2", "4", "7.0000", "4.0000|+|3.0000|=|7.0000|M+",
         "4.0000#0*|+|3.0000#2|=|>7.0000|M+", "12.0000"},
        {"--memory=100 2 m- 3 m-", "3", "30", "30.0000", "2.0000|M-|30.0000|M-",
         "2.0000#0|M-|30.0000#2*|M-", "68.0000"},
        // An error healed, and an error made.
        {"1 / 0 = + 1 =", "0", "2", "1.5000", "1.0000|/|2.0000|=|0.5000|+|1.0000|=|1.5000",
         "1.0000#0|/|2.0000#2*|=|>0.5000|+|1.0000#5|=|>1.5000"},
        {"1 / 4 =", "4", "0", "Error!", "ERR|=|Error!", "1.0000#0|/|0.0000#2*|!ERR|=|!Error!"},
        // A function's argument, with functions before and after their number.
        {"--angle=deg sin 30 =", "30", "90", "1.0000", "sin|90.0000|=|1.0000",
         "sin|90.0000#1*|=|>1.0000"},
        {"--angle=rad angle prefix:off 30 sin", "30", "90", "1.0000", "deg|90.0000|sin",
         "'deg'|90.0000#1*|sin"},
        {"sqrt 9 =", "9", "16", "4.0000", "sqrt|16.0000|=|4.0000", "sqrt|16.0000#1*|=|>4.0000"},
        {"prefix:off 9 sqrt", "9", "16", "4.0000", "16.0000|sqrt", "16.0000#0*|sqrt"},
        {"prefix:off 9 sqrt", "9", "-16", "Error!", "sqrt|ERR", "-16.0000#0*|sqrt|!ERR"},
        // Pasted and given numbers, and a number typed on after a toggle.
        {"paste:12 + 5 =", "12", "(1,000)", "-995.0000", "+|5.0000|=|-995.0000",
         "-1000.0000#0*|+|5.0000#2|=|>-995.0000"},
        {"value:2.5 * 2 =", "2.5", "3", "6.0000", "3.0000|*|2.0000|=|6.0000",
         "3.0000#0*|*|2.0000#2|=|>6.0000"},
        {"prefix:off 3 angle 0 sin", "30", "90", "1.0000", "deg|90.0000|sin",
         "'deg'|90.0000#2*|sin"},
        // A number typed after "=" starts anew, the changed one too.
        {"2 + 3 = 4 * 5 =", "4", "6", "30.0000",
         "2.0000|+|3.0000|=|5.0000|6.0000|*|5.0000|=|30.0000",
         "2.0000#0|+|3.0000#2|=|>5.0000|6.0000#4*|*|5.0000#6|=|>30.0000"},
        // Every digit: an exponent and a value no key types as such.
        {"1 exp 3 * 2 =", "1E3", "1.5E-7", "0.0000", "0.0000|*|2.0000|=|0.0000",
         "0.0000#0*|*|2.0000#2|=|>0.0000"},
    };
    for (const Row &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        auto E = NewEngine();
        Press(*E, Row.Keys);
        const int Key = StepOf(*E, Row.Number);
        ASSERT_GE(Key, 0) << Row.Number;
        const int Serial = E->Record().Serial;
        ASSERT_TRUE(E->ReplayWithNumber(Key, Row.NewText));
        EXPECT_EQ(E->GetDisplayStr(), Row.Display);
        EXPECT_EQ(Tape(*E), Row.Tape);
        EXPECT_EQ(Lines(*E), Row.Lines);
        EXPECT_EQ(E->GetMemoryContents(), Row.Memory);
        EXPECT_EQ(E->Record().Serial, Serial);
        EXPECT_TRUE(E->Record().Keys[size_t(Key)].Edited);
    }
    // Every digit of the number replayed is recorded.
    auto E = NewEngine();
    Press(*E, "1 exp 3 * 2 =");
    ASSERT_TRUE(E->ReplayWithNumber(0, "0.1234567890123456789"));
    EXPECT_EQ(E->Record().Keys[0].Number, "0.1234567890123456789");
    EXPECT_EQ(E->Record().Lines[0].Value, 0.1234567890123456789L);
    EXPECT_EQ(E->Record().Lines[4].Value, 0.1234567890123456789L * 2);
}

TEST(EngineRecordTest, TheRecordAfterAReplayIsWhatTheKeysRecordAfresh)
{
    RegionalGuard Regional;
    const struct
    {
        const char *Keys, *Number, *NewText, *Afresh;
    } Rows[] = {
        {"12 + 5 =", "12", "13", "13 + 5 ="},
        {"--same-line 1 / 0 = + 2 =", "0", "4", "--same-line 1 / 4 = + 2 ="},
        {"3 m+ 4 * 2 m+ =", "4", "0.1", "3 m+ 0.1 * 2 m+ ="},
        {"paste:7 sqrt", "7", "2.25", "paste:2.25 sqrt"},
        {"value:-3 x^2", "-3", "1E20", "value:1e20 x^2"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        auto E = NewEngine();
        Press(*E, Row.Keys);
        ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, Row.Number), Row.NewText));
        auto Fresh = NewEngine();
        Press(*Fresh, Row.Afresh);
        EXPECT_EQ(Unmarked(E->Record()), Fresh->Record());
        EXPECT_EQ(E->SaveState().Tape, Fresh->SaveState().Tape);
        EXPECT_EQ(E->GetDisplayStr(), Fresh->GetDisplayStr());
        EXPECT_EQ(E->Memory(), Fresh->Memory());
    }
}

TEST(EngineRecordTest, EditsAddUpAndUndoIsExact)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "1 + 2 + 3 =");
    const TBrixCalcEngineState Before = E->SaveState();
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "1"), "10"));
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "3"), "30"));
    EXPECT_EQ(E->GetDisplayStr(), "42.0000");
    EXPECT_EQ(Lines(*E), "10.0000#0*|+|2.0000#2|+|30.0000#4*|=|>42.0000");

    // The next keys go on from the replayed calculation.
    Press(*E, "+ 8 =");
    EXPECT_EQ(E->GetDisplayStr(), "50.0000");
    EXPECT_TRUE(E->Record().Lines[0].Edited);

    E->RestoreState(Before);
    EXPECT_EQ(E->SaveState(), Before);
    EXPECT_EQ(E->GetDisplayStr(), "6.0000");

    // A state saved while a number is typed goes on with it.
    auto T = NewEngine();
    Press(*T, "7 * 12");
    const TBrixCalcEngineState Typing = T->SaveState();
    Press(*T, "3 + 1 =");
    T->RestoreState(Typing);
    Press(*T, "4 =");
    EXPECT_EQ(T->GetDisplayStr(), "868.0000");
    EXPECT_EQ(T->Record().Keys[2].Number, "124");
    ASSERT_TRUE(T->ReplayWithNumber(2, "2"));
    EXPECT_EQ(T->GetDisplayStr(), "14.0000");
}

TEST(EngineRecordTest, WhatIsNoNumberStepOrNoNumberChangesNothing)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "12 + 5 = 3");
    const TBrixCalcEngineState Before = E->SaveState();
    QStringList Events;
    RecordEvents(*E, Events);
    for (const auto &[Key, Text] : std::vector<std::pair<int, QString>>{
             {0, "abc"}, {0, ""}, {0, "1e5000"}, {0, "1.2.3"}, {1, "5"}, {-1, "5"}, {99, "5"}}) {
        SCOPED_TRACE(Key);
        EXPECT_FALSE(E->ReplayWithNumber(Key, Text)) << Text.toStdString();
        EXPECT_EQ(E->SaveState(), Before);
    }
    EXPECT_TRUE(Events.isEmpty());
    // The number being typed is a step too (its line comes when a key takes it).
    EXPECT_EQ(E->Record().Keys.back().Number, "3");
}

TEST(EngineRecordTest, AReplayTellsTheHostOnceWhenItEnds)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "--angle=deg 5 m+ angle 1 / 4 =");
    QStringList Events;
    RecordEvents(*E, Events);
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "4"), "2"));
    EXPECT_EQ(Events, QStringList({"display", "memory", "history", "decimals"}));
    EXPECT_EQ(E->AngleMode(), amRadians);

    Events.clear();
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "2"), "0"));
    EXPECT_EQ(Events, QStringList({"display", "memory", "history", "decimals", "error"}));
    EXPECT_EQ(E->Memory(), 5);
}

TEST(EngineRecordTest, TheOptionsOfNowAreKept)
{
    RegionalGuard Regional;
    auto E = NewEngine();
    Press(*E, "2 + 3 * 4 =");
    E->SetPrecedence(false);
    E->SetDecimalPlaces(2);
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "2"), "1"));
    EXPECT_EQ(E->GetDisplayStr(), "16.00");
    EXPECT_FALSE(E->Precedence());
    EXPECT_EQ(E->DecimalPlaces(), 2);
}

TEST(EngineRecordTest, TypedNumbersAreRecordedInTheCLocale)
{
    RegionalGuard German(u',', u'.');
    auto E = NewEngine();
    E->InputDigit(1);
    E->InputDecimalSeparator();
    E->InputDigit(5);
    EXPECT_EQ(E->EntryText(), "1,5");
    Press(*E, "* 2 =");
    EXPECT_EQ(E->Record().Keys[0].Number, "1.5");
    EXPECT_EQ(E->Record().Lines[0].Value, 1.5L);
    EXPECT_EQ(E->GetDisplayStr(), "3,0000");
    // The typed 1,5 is typed again as it was; the new number is read as the region writes it.
    ASSERT_TRUE(E->ReplayWithNumber(StepOf(*E, "2"), "2,5"));
    EXPECT_EQ(E->GetDisplayStr(), "3,7500");
    EXPECT_EQ(Tape(*E), "1,5000|*|2,5000|=|3,7500");
    EXPECT_EQ(E->Record().Keys[2].Number, "2.5");
    ASSERT_TRUE(E->ReplayWithNumber(0, "1.000,25"));
    EXPECT_EQ(E->GetDisplayStr(), "2500,6250");
    EXPECT_EQ(E->Record().Keys[0].Number, "1000.25");
}

// Replaying a calculation with one of its numbers unchanged gives the very
// state the keys left, whatever the keys: every other step is pressed again
// as it was recorded.
TEST(EngineRecordTest, ReplayingAnUnchangedNumberGivesTheSameState)
{
    RegionalGuard Regional;
    static const char *const Words[] = {
        "0",   "1",   "2",  "5",     "9",   ".",      "exp",       "bs",       "+/-",
        "+",   "-",   "*",  "/",     "^",   "(",      ")",         "=",        "c",
        "m+",  "m-",  "mr", "mc",    "pi",  "sqrt",   "sin",       "inv",      "hyp",
        "x^2", "1/x", "%",  "angle", "log", "result", "value:2.5", "paste:-7", "paste:0.1"};
    std::uint32_t Seed = 12345;
    const auto Next = [&Seed](std::uint32_t N) {
        Seed = Seed * 1664525u + 1013904223u;
        return (Seed >> 8) % N;
    };
    int Replays = 0;
    for (int Run = 0; Run < 300; ++Run) {
        QStringList Script;
        if (Next(2))
            Script << "prefix:off";
        if (Next(3) == 0)
            Script << "--same-line";
        for (int I = 0; I < 24; ++I)
            Script << Words[Next(std::size(Words))];
        const QString Keys = Script.join(u' ');
        SCOPED_TRACE(Keys.toStdString());
        auto E = NewEngine();
        try {
            Press(*E, Keys);
        } catch (const Exception &) {
            continue; // a key that passes its overflow on ends the run
        }
        const TBrixCalcEngineState After = E->SaveState();
        for (size_t K = 0; K < After.Record.Keys.size(); ++K) {
            const Step &S = After.Record.Keys[K];
            if (S.Kind == Step::rkKey)
                continue;
            // A typed number is typed again as its digits, which may differ from
            // the keys that typed it ("0 0 7", a backspace, a sign typed before
            // the digits); only such keys give the same state.
            Extended V = 0;
            const bool Plain =
                S.Kind != Step::rkTyped ||
                (S.Typed == S.Number && !S.Number.startsWith(u'-') &&
                 StoredTextToFloat(S.Number, V) && StoredFloatText(V, 18, u'.') == S.Number);
            if (!Plain)
                continue;
            QString Text = S.Number;
            E->RestoreState(After);
            ASSERT_TRUE(E->ReplayWithNumber(int(K), Text)) << K;
            TBrixCalcEngineState Now = E->SaveState();
            Now.Record = Unmarked(Now.Record);
            // A number typed on after Inv, Hyp or the angle key replaces the
            // entry it continued ("X" before its digits).
            if (S.Kind == Step::rkTyped && K < Now.Record.Keys.size() &&
                Now.Record.Keys[K].Typed == u'X' + S.Typed)
                Now.Record.Keys[K].Typed = S.Typed;
            EXPECT_EQ(Now, After) << "step " << K << " " << Text.toStdString();
            ++Replays;
        }
    }
    EXPECT_GT(Replays, 300);
}
