// The tape's rows and what they say: each number with the operator line
// after it, a result a total of its own, operators before any number and
// errors rows of their own; lines of earlier versions (operators as text
// lines, or held before the number on its line) give the rows they gave.
// Each row rendered on screen, in ASCII and in words.
#include "brix/calcwindows/taperows.h"
#include "brix/strings/tools.h"
#include "calculator/key_script.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Brix;

namespace Brix {
// Readable failures: one row per line.
void PrintTo(const TBrixTapeRow &R, std::ostream *Os)
{
    static const char *const Kinds[] = {"text", "number", "result", "error", "operator"};
    *Os << "{" << Kinds[R.Kind] << " op '" << R.Operator.toStdString() << "' key " << R.OperatorKey
        << " number '" << R.Number.toStdString() << "' value '"
        << StoredFloatText(R.Value, 18, u'.').toStdString() << "' line " << R.Line
        << (R.Edited ? " edited" : "") << "}";
}
} // namespace Brix

namespace {

Extended ValueOf(const char *Text)
{
    Extended V = 0;
    StoredTextToFloat(QString::fromUtf8(Text), V);
    return V;
}
TBrixCalcRecordLine Line(TBrixCalcLineKind Kind, const char *Text, const char *Value = "",
                         TBrixCalcKey Key = ckResult)
{
    return {Kind, Key, ValueOf(Value), QString::fromUtf8(Text), -1, false};
}
TBrixCalcRecordLine T(const char *Text)
{
    return Line(lkText, Text);
}
TBrixCalcRecordLine Op(TBrixCalcKey Key, const char *Text)
{
    return Line(lkOperator, Text, "", Key);
}
TBrixCalcRecordLine N(const char *Text, const char *Value, TBrixCalcKey Key = ckResult)
{
    return Line(lkNumber, Text, Value, Key);
}
TBrixCalcRecordLine R(const char *Text, const char *Value)
{
    return Line(lkResult, Text, Value);
}
TBrixCalcRecordLine E(const char *Text)
{
    return Line(lkError, Text);
}

TBrixTapeRow Row(TBrixCalcLineKind Kind, const char *Operator, TBrixCalcKey Key, const char *Number,
                 const char *Value, int LineIndex)
{
    TBrixTapeRow Row;
    Row.Kind = Kind;
    Row.Operator = QString::fromUtf8(Operator);
    Row.OperatorKey = Key;
    Row.Number = QString::fromUtf8(Number);
    Row.Value = ValueOf(Value);
    Row.Line = LineIndex;
    return Row;
}
TBrixTapeRow NumberRow(const char *Op, TBrixCalcKey Key, const char *Number, const char *Value,
                       int LineIndex)
{
    return Row(lkNumber, Op, Key, Number, Value, LineIndex);
}
TBrixTapeRow Total(const char *Number, const char *Value, int LineIndex)
{
    return Row(lkResult, "", ckResult, Number, Value, LineIndex);
}
TBrixTapeRow Alone(TBrixCalcLineKind Kind, const char *Text, TBrixCalcKey Key, int LineIndex)
{
    return Row(Kind, Text, Key, "", "", LineIndex);
}
TBrixTapeRow ErrorRow(const char *Text, int LineIndex)
{
    return Row(lkError, "", ckResult, Text, "", LineIndex);
}

struct RowsCase
{
    const char *Name;
    TBrixTapeCalculation Lines;
    QList<TBrixTapeRow> Rows;
};

void ExpectRows(const std::vector<RowsCase> &Cases)
{
    for (const RowsCase &Case : Cases) {
        SCOPED_TRACE(Case.Name);
        EXPECT_EQ(TapeRows(Case.Lines), Case.Rows);
    }
}

// Lines as the engine writes them: typed facts, operators on lines of their
// own with their keys.
TEST(TapeRows, FromFacts)
{
    ExpectRows({
        {"empty", {}, {}},
        {"a sum",
         {N("12.0000", "12"), Op(ckAdd, "+"), N("5.0000", "5"), Op(ckEquals, "="),
          R("17.0000", "17")},
         {NumberRow("+", ckAdd, "12.0000", "12", 0), NumberRow("=", ckEquals, "5.0000", "5", 2),
          Total("17.0000", "17", 4)}},
        {"a function after its argument, then an operator that follows no number",
         {N("9.0000", "9"), Op(ckSqRoot, "sqrt"), Op(ckAdd, "+"), N("1.0000", "1"),
          Op(ckEquals, "="), R("4.0000", "4")},
         {NumberRow("sqrt", ckSqRoot, "9.0000", "9", 0), Alone(lkOperator, "+", ckAdd, 2),
          NumberRow("=", ckEquals, "1.0000", "1", 3), Total("4.0000", "4", 5)}},
        {"a function before its number, brackets",
         {Op(ckSin, "arcsin"), Op(ckLeftBracket, "("), N("0.5000", "0.5"), Op(ckRightBracket, ")"),
          Op(ckEquals, "="), R("30.0000", "30")},
         {Alone(lkOperator, "arcsin", ckSin, 0), Alone(lkOperator, "(", ckLeftBracket, 1),
          NumberRow(")", ckRightBracket, "0.5000", "0.5", 2), Alone(lkOperator, "=", ckEquals, 4),
          Total("30.0000", "30", 5)}},
        {"a recalled number, a memory line that is no operator",
         {N("12.0000", "12", ckMemoryRecall), T("[M: 12.0000 ]"), Op(ckMemoryAdd, "M+")},
         {NumberRow("", ckResult, "12.0000", "12", 0), Alone(lkText, "[M: 12.0000 ]", ckResult, 1),
          Alone(lkOperator, "M+", ckMemoryAdd, 2)}},
        {"a total takes no operator",
         {R("5.0000", "5"), Op(ckMultiply, "*"), N("4.0000", "4"), Op(ckEquals, "=")},
         {Total("5.0000", "5", 0), Alone(lkOperator, "*", ckMultiply, 1),
          NumberRow("=", ckEquals, "4.0000", "4", 2)}},
        {"an error",
         {N("5.0000", "5"), Op(ckDivide, "/"), N("0.0000", "0"), E("- - - - ERROR - - - -"),
          Op(ckEquals, "="), E("Error!")},
         {NumberRow("/", ckDivide, "5.0000", "5", 0), NumberRow("", ckResult, "0.0000", "0", 2),
          ErrorRow("- - - - ERROR - - - -", 3), Alone(lkOperator, "=", ckEquals, 4),
          ErrorRow("Error!", 5)}},
        {"a number beyond double", {R("1.0000E+600", "1e600")}, {Total("1.0000E+600", "1e600", 0)}},
    });
}

// Lines of earlier versions: operators and functions as text lines, or held
// before the number on its own line.
TEST(TapeRows, FromLinesOfEarlierVersions)
{
    ExpectRows({
        {"sum, each on its own line",
         {N("12.0000", "12"), T("+"), N("5.0000", "5"), T("="), R("17.0000", "17")},
         {NumberRow("+", ckAdd, "12.0000", "12", 0), NumberRow("=", ckEquals, "5.0000", "5", 2),
          Total("17.0000", "17", 4)}},
        {"sum, operators on the number's line",
         {N("12.0000", "12"), N("+ 5.0000", "5"), R("= 17.0000", "17")},
         {NumberRow("+", ckAdd, "12.0000", "12", 0), NumberRow("=", ckEquals, "5.0000", "5", 1),
          Total("17.0000", "17", 2)}},
        {"a longer operator on the line, a grouped and a negative number",
         {N("2.0000", "2"), N("x ^ y 1 234.5000", "1234.5"), N("* -3.0000", "-3"),
          R("= -7 407 000.0000", "-7407000")},
         {NumberRow("x ^ y", ckPower, "2.0000", "2", 0),
          NumberRow("*", ckMultiply, "1 234.5000", "1234.5", 1),
          NumberRow("=", ckEquals, "-3.0000", "-3", 2), Total("-7 407 000.0000", "-7407000", 3)}},
        {"an operator name with digits",
         {N("8.0000", "8"), N("x ^ 1/y 3.0000", "3"), R("= 2.0000", "2")},
         {NumberRow("x ^ 1/y", ckPower, "8.0000", "8", 0),
          NumberRow("=", ckEquals, "3.0000", "3", 1), Total("2.0000", "2", 2)}},
        {"a function after its number, memory",
         {N("30.0000", "30"), T("sin"), N("5.0000", "5"), T("M+"), T("[M: 5.0000 ]")},
         {NumberRow("sin", ckSin, "30.0000", "30", 0),
          NumberRow("M+", ckMemoryAdd, "5.0000", "5", 2),
          Alone(lkText, "[M: 5.0000 ]", ckResult, 4)}},
        {"a function before its number stands alone",
         {T("sin"), N("30.0000", "30"), T("="), R("0.5000", "0.5")},
         {Alone(lkText, "sin", ckSin, 0), NumberRow("=", ckEquals, "30.0000", "30", 1),
          Total("0.5000", "0.5", 3)}},
        {"an operator on the line when the number before has one already",
         {N("2.0000", "2"), N("+ 3.0000", "3"), T("M+"), T("M+"), N("- 1.0000", "1"),
          R("= 4.0000", "4")},
         {NumberRow("+", ckAdd, "2.0000", "2", 0), NumberRow("M+", ckMemoryAdd, "3.0000", "3", 1),
          Alone(lkText, "M+", ckMemoryAdd, 3), Alone(lkText, "-", ckSubtract, 4),
          NumberRow("=", ckEquals, "1.0000", "1", 4), Total("4.0000", "4", 5)}},
        {"percent and bracketed negative",
         {N("200.0000", "200"), N("+ 10%", "10"), R("= (2.0000)", "-2")},
         {NumberRow("+", ckAdd, "200.0000", "200", 0), NumberRow("=", ckEquals, "10%", "10", 1),
          Total("(2.0000)", "-2", 2)}},
        {"an error with the operator on its line",
         {E("- - - - ERROR - - - -"), E("= \xC2\xA1"
                                        "Error!")},
         {ErrorRow("- - - - ERROR - - - -", 0), Alone(lkText, "=", ckEquals, 1),
          ErrorRow("\xC2\xA1"
                   "Error!",
                   1)}},
    });
}

TEST(TapeRows, KeepsTheEditedMark)
{
    TBrixCalcRecordLine Edited = N("13.0000", "13");
    Edited.Edited = true;
    const QList<TBrixTapeRow> Rows =
        TapeRows({Edited, Op(ckAdd, "+"), N("5.0000", "5"), Op(ckEquals, "=")});
    ASSERT_EQ(Rows.size(), 2);
    EXPECT_TRUE(Rows[0].Edited);
    EXPECT_FALSE(Rows[1].Edited);
}

// Every rendering of a row: on screen and on paper, in ASCII, on one line,
// and in words.
TEST(TapeRowRenderings, ShownAsciiTextAndWords)
{
    struct RenderCase
    {
        TBrixTapeRow Row;
        const char *Shown, *Ascii, *Text, *Spoken;
    };
    TBrixTapeRow Edited = NumberRow("=", ckEquals, "4.0000", "4", 0);
    Edited.Edited = true;
    const std::vector<RenderCase> Cases = {
        {NumberRow("+", ckAdd, "12.0000", "12", 0), "+", "+", "12.0000 +", "12.0000 plus"},
        {NumberRow("-", ckSubtract, "5.0000", "5", 0), "\u2212", "-", "5.0000 \u2212",
         "5.0000 minus"},
        {NumberRow("*", ckMultiply, "3.0000", "3", 0), "\u00D7", "*", "3.0000 \u00D7",
         "3.0000 times"},
        {NumberRow("/", ckDivide, "8.0000", "8", 0), "\u00F7", "/", "8.0000 \u00F7",
         "8.0000 divided by"},
        {Edited, "=", "=", "\u270E 4.0000 =", "4.0000 equals, edited"},
        {Total("17.0000", "17", 0), "", "", "17.0000", "total 17.0000"},
        {NumberRow("x ^ y", ckPower, "2.0000", "2", 0), "x\u02B8", "^", "2.0000 x\u02B8",
         "2.0000 x ^ y"},
        // The same key after Inv: its text says what it did.
        {NumberRow("x ^ 1/y", ckPower, "8.0000", "8", 0), "x ^ 1/y", "x ^ 1/y", "8.0000 x ^ 1/y",
         "8.0000 x ^ 1/y"},
        {NumberRow("sqrt", ckSqRoot, "9.0000", "9", 0), "\u221A", "sqrt", "9.0000 \u221A",
         "9.0000 sqrt"},
        {NumberRow("x^2", ckSqRoot, "3.0000", "3", 0), "x\u00B2", "x^2", "3.0000 x\u00B2",
         "3.0000 x^2"},
        {NumberRow("arcsin", ckSin, "0.5000", "0.5", 0), "arcsin", "arcsin", "0.5000 arcsin",
         "0.5000 arcsin"},
        {NumberRow("1/x", ckInvert, "4.0000", "4", 0), "1/x", "1/x", "4.0000 1/x", "4.0000 1/x"},
        {NumberRow("M+", ckMemoryAdd, "3.0000", "3", 0), "M+", "M+", "3.0000 M+", "3.0000 M+"},
        {NumberRow("%", ckPercent, "50.0000", "50", 0), "%", "%", "50.0000 %", "50.0000 %"},
        {NumberRow("", ckResult, "0.0000", "0", 0), "", "", "0.0000", "0.0000"},
        {Alone(lkOperator, "-", ckSubtract, 0), "\u2212", "-", "\u2212", "minus"},
        {Alone(lkOperator, "(", ckLeftBracket, 0), "(", "(", "(", "("},
        {Alone(lkText, "+/-", ckChangeSign, 0), "\u00B1", "+/-", "\u00B1", "+/-"},
        {Alone(lkText, "[M: 12.0000 ]", ckResult, 0), "[M: 12.0000 ]", "[M: 12.0000 ]",
         "[M: 12.0000 ]", "[M: 12.0000 ]"},
        {ErrorRow("- - - - ERROR - - - -", 0), "", "", "- - - - ERROR - - - -", "error"},
        {ErrorRow("Error!", 0), "", "", "Error!", "error"},
        {ErrorRow("Error! - Division by zero", 0), "", "", "Error! - Division by zero",
         "error, Division by zero"},
    };
    for (const RenderCase &Case : Cases) {
        SCOPED_TRACE(Case.Text);
        EXPECT_EQ(TapeShownOperator(Case.Row), QString::fromUtf8(Case.Shown));
        EXPECT_EQ(TapeAsciiOperator(Case.Row), QString::fromUtf8(Case.Ascii));
        EXPECT_EQ(TapeRowText(Case.Row), QString::fromUtf8(Case.Text));
        EXPECT_EQ(TapeSpokenRow(Case.Row, elEnglishInt), QString::fromUtf8(Case.Spoken));
    }
}

TEST(TapeRowRenderings, WordsInTheReadersLanguage)
{
    TBrixTapeRow Edited = NumberRow("*", ckMultiply, "3.0000", "3", 0);
    Edited.Edited = true;
    EXPECT_EQ(TapeSpokenRow(Edited, elGerman), "3.0000 mal, bearbeitet");
    EXPECT_EQ(TapeSpokenRow(Total("17.0000", "17", 0), elGerman), "Summe 17.0000");
    // An error written in one language, read in another.
    EXPECT_EQ(TapeSpokenRow(ErrorRow("- - - - FEJL - - - -", 0), elGerman), "Fehler");
    EXPECT_EQ(TapeSpokenRow(ErrorRow("Error!", 0), elDanish), "fejl");
}

// Old operator texts, and the keys' own texts in every language, name their
// keys; other texts none.
TEST(TapeRowRenderings, TapeTextKeys)
{
    const std::vector<std::pair<const char *, TBrixCalcKey>> Cases = {
        {"+", ckAdd},          {"-", ckSubtract},  {"*", ckMultiply},     {"/", ckDivide},
        {"=", ckEquals},       {"x ^ y", ckPower}, {"x ^ 1/y", ckPower},  {"sqrt", ckSqRoot},
        {"x^2", ckSquare},     {"1/x", ckInvert},  {"M+", ckMemoryAdd},   {"MR", ckMemoryRecall},
        {"arcsinh", ckResult}, {"arsinh", ckSin},  {"10^x", ckLog},       {" + ", ckAdd},
        {"[M: 5 ]", ckResult}, {"", ckResult},     {"12.0000", ckResult}, {"deg", ckResult}};
    for (const auto &[Text, Key] : Cases)
        EXPECT_EQ(TapeTextKey(QString::fromUtf8(Text)), Key) << Text;
}

// The rows of lines as this engine writes them, whether it writes the
// operators on lines of their own or on the numbers' lines.
TEST(TapeRows, FromTheEngine)
{
    struct EngineCase
    {
        const char *Keys;
        QStringList Rows; // TapeRowText of each row
    };
    const QStringList Sum = {"12.0000 +", "5.0000 =", "17.0000", "3.0000 M+"};
    const QStringList Error = {"5.0000 \u00F7", "0.0000", "- - - - ERROR - - - -", "=", "Error!"};
    const std::vector<EngineCase> Cases = {
        {"1 2 + 5 = 3 m+", Sum},
        {"--same-line 1 2 + 5 = 3 m+", Sum},
        {"2 ^ 3 =", {"2.0000 x\u02B8", "3.0000 =", "8.0000"}},
        {"--same-line 2 ^ 3 =", {"2.0000 x\u02B8", "3.0000 =", "8.0000"}},
        {"5 / 0 =", Error},
        {"--same-line 5 / 0 =", Error},
    };
    BrixTest::RegionalGuard Regional;
    for (const EngineCase &Case : Cases) {
        SCOPED_TRACE(Case.Keys);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        BrixTest::Press(*Engine, Case.Keys);
        QStringList Got;
        for (const TBrixTapeRow &Row : TapeRows(Engine->Record().Lines))
            Got << TapeRowText(Row);
        EXPECT_EQ(Got, Case.Rows);
    }
}

} // namespace
