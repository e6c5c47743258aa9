// The tape's rows: each number with the operator written after it, a result
// a total of its own, and the operator written on the number's own line
// ("+ 5.0000") moved to the number before it, as an adding machine prints.
#include "brix/calcwindows/taperows.h"
#include "brix/strings/tools.h"
#include "calculator/key_script.h"

#include <gtest/gtest.h>

#include <QDebug>

#include <vector>

using namespace Brix;

namespace Brix {
// Readable failures: one row per line.
void PrintTo(const TBrixTapeRow &R, std::ostream *Os)
{
    static const char *const Kinds[] = {"text", "number", "result", "error"};
    *Os << "{" << Kinds[R.Kind] << " op '" << R.Operator.toStdString() << "' number '"
        << R.Number.toStdString() << "' value '" << StoredFloatText(R.Value, 18, u'.').toStdString()
        << "' line " << R.Line << (R.Edited ? " edited" : "") << "}";
}
} // namespace Brix

namespace {

TBrixCalcRecordLine Line(TBrixCalcLineKind Kind, const char *Text, const char *Value = "")
{
    TBrixCalcRecordLine L;
    L.Kind = Kind;
    L.Text = QString::fromUtf8(Text);
    L.Value = 0;
    StoredTextToFloat(QString::fromUtf8(Value), L.Value);
    return L;
}
TBrixCalcRecordLine T(const char *Text)
{
    return Line(lkText, Text);
}
TBrixCalcRecordLine N(const char *Text, const char *Value)
{
    return Line(lkNumber, Text, Value);
}
TBrixCalcRecordLine R(const char *Text, const char *Value)
{
    return Line(lkResult, Text, Value);
}
TBrixCalcRecordLine E(const char *Text)
{
    return Line(lkError, Text);
}

TBrixTapeRow Row(TBrixCalcLineKind Kind, const char *Operator, const char *Number,
                 const char *Value, int LineIndex)
{
    TBrixTapeRow Row;
    Row.Kind = Kind;
    Row.Operator = QString::fromUtf8(Operator);
    Row.Number = QString::fromUtf8(Number);
    Row.Value = 0;
    StoredTextToFloat(QString::fromUtf8(Value), Row.Value);
    Row.Line = LineIndex;
    return Row;
}
TBrixTapeRow NumberRow(const char *Op, const char *Number, const char *Value, int LineIndex)
{
    return Row(lkNumber, Op, Number, Value, LineIndex);
}
TBrixTapeRow Total(const char *Number, const char *Value, int LineIndex)
{
    return Row(lkResult, "", Number, Value, LineIndex);
}
TBrixTapeRow TextRow(const char *Text, int LineIndex)
{
    return Row(lkText, Text, "", "", LineIndex);
}
TBrixTapeRow ErrorRow(const char *Text, int LineIndex)
{
    return Row(lkError, "", Text, "", LineIndex);
}

struct RowsCase
{
    const char *Name;
    TBrixTapeCalculation Lines;
    QList<TBrixTapeRow> Rows;
};

TEST(TapeRows, FromLines)
{
    const std::vector<RowsCase> Cases = {
        {"empty", {}, {}},
        {"sum, each on its own line",
         {N("12.0000", "12"), T("+"), N("5.0000", "5"), T("="), R("17.0000", "17")},
         {NumberRow("+", "12.0000", "12", 0), NumberRow("=", "5.0000", "5", 2),
          Total("17.0000", "17", 4)}},
        {"sum, operators on the number's line",
         {N("12.0000", "12"), N("+ 5.0000", "5"), R("= 17.0000", "17")},
         {NumberRow("+", "12.0000", "12", 0), NumberRow("=", "5.0000", "5", 1),
          Total("17.0000", "17", 2)}},
        {"a longer operator on the line, a grouped and a negative number",
         {N("2.0000", "2"), N("x ^ y 1 234.5000", "1234.5"), N("* -3.0000", "-3"),
          R("= -7 407 000.0000", "-7407000")},
         {NumberRow("x ^ y", "2.0000", "2", 0), NumberRow("*", "1 234.5000", "1234.5", 1),
          NumberRow("=", "-3.0000", "-3", 2), Total("-7 407 000.0000", "-7407000", 3)}},
        {"an operator name with digits",
         {N("8.0000", "8"), N("x ^ 1/y 3.0000", "3"), R("= 2.0000", "2")},
         {NumberRow("x ^ 1/y", "8.0000", "8", 0), NumberRow("=", "3.0000", "3", 1),
          Total("2.0000", "2", 2)}},
        {"a function after its number, memory",
         {N("30.0000", "30"), T("sin"), N("5.0000", "5"), T("M+"), T("[M: 5.0000 ]")},
         {NumberRow("sin", "30.0000", "30", 0), NumberRow("M+", "5.0000", "5", 2),
          TextRow("[M: 5.0000 ]", 4)}},
        {"a function before its number stands alone",
         {T("sin"), N("30.0000", "30"), T("="), R("0.5000", "0.5")},
         {TextRow("sin", 0), NumberRow("=", "30.0000", "30", 1), Total("0.5000", "0.5", 3)}},
        {"a total takes no operator; the next number goes on",
         {N("2.0000", "2"), N("+ 3.0000", "3"), R("= 5.0000", "5"), N("* 4.0000", "4"),
          R("= 20.0000", "20")},
         {NumberRow("+", "2.0000", "2", 0), NumberRow("=", "3.0000", "3", 1),
          Total("5.0000", "5", 2), TextRow("*", 3), NumberRow("=", "4.0000", "4", 3),
          Total("20.0000", "20", 4)}},
        {"a function of a total",
         {N("2.0000", "2"), T("+"), N("3.0000", "3"), T("="), R("5.0000", "5"), T("sqrt"), T("="),
          R("2.2361", "2.2360679774997896964")},
         {NumberRow("+", "2.0000", "2", 0), NumberRow("=", "3.0000", "3", 2),
          Total("5.0000", "5", 4), TextRow("sqrt", 5), TextRow("=", 6),
          Total("2.2361", "2.2360679774997896964", 7)}},
        {"an operator on the line when the number before has one already",
         {N("2.0000", "2"), N("+ 3.0000", "3"), T("M+"), T("M+"), N("- 1.0000", "1"),
          R("= 4.0000", "4")},
         {NumberRow("+", "2.0000", "2", 0), NumberRow("M+", "3.0000", "3", 1), TextRow("M+", 3),
          TextRow("-", 4), NumberRow("=", "1.0000", "1", 4), Total("4.0000", "4", 5)}},
        {"brackets",
         {N("2.0000", "2"), N("( 3.0000", "3"), N("+ 4.0000", "4"), T(")"), R("= 14.0000", "14")},
         {NumberRow("(", "2.0000", "2", 0), NumberRow("+", "3.0000", "3", 1),
          NumberRow(")", "4.0000", "4", 2), TextRow("=", 4), Total("14.0000", "14", 4)}},
        {"percent and bracketed negative",
         {N("200.0000", "200"), N("+ 10%", "10"), R("= (2.0000)", "-2")},
         {NumberRow("+", "200.0000", "200", 0), NumberRow("=", "10%", "10", 1),
          Total("(2.0000)", "-2", 2)}},
        {"an error, each on its own line",
         {N("5.0000", "5"), T("/"), E("- - - - ERROR - - - -"), T("="), E("Error!")},
         {NumberRow("/", "5.0000", "5", 0), ErrorRow("- - - - ERROR - - - -", 2), TextRow("=", 3),
          ErrorRow("Error!", 4)}},
        {"an error with the operator on its line",
         {E("- - - - ERROR - - - -"), E("= \xC2\xA1"
                                        "Error!")},
         {ErrorRow("- - - - ERROR - - - -", 0), TextRow("=", 1),
          ErrorRow("\xC2\xA1"
                   "Error!",
                   1)}},
        {"a text line standing alone", {T("+/-"), T("MR")}, {TextRow("+/-", 0), TextRow("MR", 1)}},
    };
    for (const RowsCase &Case : Cases) {
        SCOPED_TRACE(Case.Name);
        EXPECT_EQ(TapeRows(Case.Lines), Case.Rows);
    }
}

TEST(TapeRows, KeepsTheEditedMark)
{
    TBrixCalcRecordLine Edited = N("13.0000", "13");
    Edited.Edited = true;
    const QList<TBrixTapeRow> Rows = TapeRows({Edited, T("+"), N("5.0000", "5"), T("=")});
    ASSERT_EQ(Rows.size(), 2);
    EXPECT_TRUE(Rows[0].Edited);
    EXPECT_FALSE(Rows[1].Edited);
}

// The engine's own lines: an operator on its own line or on the number's
// gives the same rows; errors and memory lines as the engine writes them.
TEST(TapeRows, FromTheEngine)
{
    struct EngineCase
    {
        const char *Keys;
        QStringList Rows; // operator|number|value, "T" before a total, "E" before an error
    };
    const QStringList Sum = {"+|12.0000|12", "=|5.0000|5", "T|17.0000|17", "M+|3.0000|3"};
    const std::vector<EngineCase> Cases = {
        {"1 2 + 5 = 3 m+", Sum},
        {"--same-line 1 2 + 5 = 3 m+", Sum},
        {"--same-line 2 ^ 3 =", {"x ^ y|2.0000|2", "=|3.0000|3", "T|8.0000|8"}},
        {"5 / 0 =", {"/|5.0000|5", "|0.0000|0", "E|- - - - ERROR - - - -|", "=||", "E|Error!|"}},
        {"--same-line 5 / 0 =",
         {"/|5.0000|5", "|0.0000|0", "E|- - - - ERROR - - - -|", "=||", "E|Error!|"}},
        {"--memory-history 1 2 m+ 3 * mr =",
         {"M+|12.0000|12", "[M: 12.0000 ]||", "*|3.0000|3", "MR||", "[M: 12.0000 ]|12.0000|12",
          "=||", "T|36.0000|36"}},
    };
    BrixTest::RegionalGuard Regional;
    for (const EngineCase &Case : Cases) {
        SCOPED_TRACE(Case.Keys);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        BrixTest::Press(*Engine, Case.Keys);
        ASSERT_FALSE(Engine->Record().Lines.isEmpty());
        QStringList Got;
        for (const TBrixTapeRow &Row : TapeRows(Engine->Record().Lines)) {
            const QString Mark = Row.Kind == lkResult ? "T" : Row.Kind == lkError ? "E" : "";
            Got << (Mark.isEmpty() ? Row.Operator : Mark) + u'|' + Row.Number + u'|' +
                       (Row.HasValue() ? StoredFloatText(Row.Value, 18, u'.') : QString());
        }
        EXPECT_EQ(Got, Case.Rows);
    }
}

} // namespace
