// The calculator engine, driven key by key: what the display shows, what the
// tape records, which error is reported and which notifications fire.
#include "brix/calculator/engine.h"
#include "brix/classes/exceptions.h"
#include "brix/resources/math.h"

#include "key_script.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using namespace Brix;
using namespace BrixTest;

namespace {

// One row: keys pressed on a fresh engine -> display, tape ("|" between
// lines, "ERR" for the error line) and LastError.
struct KeyRow
{
    const char *Name;
    const char *Keys;
    const char *Display;
    const char *Tape;
    const char *Error;
};

std::vector<Extended> Operands(const TBrixCalcEngine &E)
{
    const QList<Extended> List = E.OperandStackContents();
    return std::vector<Extended>(List.begin(), List.end());
}

class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override { E.reset(Create<TBrixCalcEngine>()); }

    void RunRows(std::initializer_list<KeyRow> Rows)
    {
        for (const KeyRow &Row : Rows) {
            SCOPED_TRACE(Row.Name);
            TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
            Press(*Engine, QString::fromUtf8(Row.Keys));
            EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(Row.Display));
            EXPECT_EQ(Tape(*Engine), QString::fromUtf8(Row.Tape));
            EXPECT_EQ(Engine->GetLastError(), QString::fromUtf8(Row.Error));
        }
    }

    // Records every notification of E by name, in order.
    QStringList &Record()
    {
        RecordEvents(*E, Events);
        return Events;
    }

    RegionalGuard Regional;
    TOwned<TBrixCalcEngine> E;
    QStringList Events;
};

TEST_F(EngineTest, NewEngineIsClearedWithItsDefaults)
{
    EXPECT_EQ(E->GetDisplayStr(), "0");
    EXPECT_EQ(E->AsFloat(), 0);
    EXPECT_EQ(E->LastCh(), u' ');
    EXPECT_EQ(E->GetHistoryLength(), 0);
    EXPECT_EQ(E->GetHistoryPosition(), -1);
    EXPECT_EQ(E->DecimalPlaces(), 4);
    EXPECT_EQ(E->MaxDisplayLength(), 26);
    EXPECT_EQ(E->AngleMode(), amRadians);
    EXPECT_TRUE(E->Precedence());
    EXPECT_TRUE(E->PrefixFunctions());
    EXPECT_FALSE(E->BinaryPercent() || E->EnableGrads() || E->MemoryHistory() ||
                 E->OperatorSameLine() || E->IgnoreError() || E->IsInv() || E->IsHyp());
    EXPECT_EQ(E->GetLastError(), "");
    EXPECT_EQ(E->Language(), DefaultLanguage);
    EXPECT_EQ(E->Memory(), 0);
    EXPECT_EQ(E->OperandCount(), 0);
    EXPECT_EQ(E->OperatorCount(), 0);
    EXPECT_EQ(E->OperandCapacity(), 20);
    EXPECT_EQ(E->OperatorCapacity(), 20);
    EXPECT_EQ(E->OperatorCodes(), "+-*/^@&#\\|E(");
    EXPECT_EQ(E->FunctionCodes(), "LNWSCTDRUQlnwsctdruqafigGA%");
    EXPECT_EQ(E->Formatter(), nullptr);
}

TEST_F(EngineTest, NumberEntry)
{
    RunRows({
        {"leading zeros are replaced", "0 0 7", "7", "", ""},
        {"zeros after a digit stay", "1 0 0", "100", "", ""},
        {"minus zero zero shows as typed", "- 0 0", "-00", "", ""},
        {"a digit after minus zero", "- 0 0 5", "-05", "", ""},
        {"separator on empty entry", ".", "0.", "", ""},
        {"separator only once", ". 5 .", "0.5", "", ""},
        {"separator after a digit", "5 .", "5.", "", ""},
        {"backspace to empty", "5 bs", "", "", ""},
        {"backspace on a result edits nothing", "2 + 3 = bs", "5.0000", "2.0000|+|3.0000|=|5.0000",
         ""},
        {"exponent mark only once", "1 exp exp", "1E", "", ""},
        {"signed exponent", "1 exp - 3 =", "0.0010", "0.0010|=|0.0010", ""},
        {"digit after equals starts anew", "2 + 3 = 4 =", "4.0000",
         "2.0000|+|3.0000|=|5.0000|4.0000|=|4.0000", ""},
        {"minus after equals subtracts", "2 + 3 = - 4 =", "1.0000",
         "2.0000|+|3.0000|=|5.0000|-|4.0000|=|1.0000", ""},
        {"clear keeps the pending sum", "2 + 3 c 4 =", "6.0000", "2.0000|+|4.0000|=|6.0000", ""},
        {"all clear empties everything", "2 + 3 ac", "0", "", ""},
        {"pi discards the entry", "1 2 pi", "3.1416", "3.1416", ""},
        {"e", "e", "2.7183", "2.7183", ""},
        {"input value writes its line", "value:0", "0.0000", "0.0000", ""},
        {"decimal places redraw the display", "value:0 dp:2", "0.00", "0.0000", ""},
        {"decimal places while typing keep the entry", "1 2 dp:2 5", "125", "", ""},
        {"paste: reads by the paste rules", "paste:(1,234.5)", "-1234.5000", "", ""},
        {"a huge value has no fixed form", "value:1e300", "1.0000E+300", "1.0000E+300", ""},
    });
}

// InputString reads its text itself, whatever it holds: text that is not a
// number reads as zero. (A key script's paste: token passes only text that
// the paste rules read as a number, so these rows call it directly.)
TEST_F(EngineTest, InputStringReadsAnyText)
{
    struct Row
    {
        const char *Name, *Text, *Display;
    };
    const Row Rows[] = {
        {"pasted junk reads as zero", "abc", "0.0000"},
        {"pasted text with marks", "(1,234.5)", "-1234.5000"},
        {"pasted number beyond the range reads as zero", "1e99999", "0.0000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Engine->InputString(QString::fromUtf8(R.Text));
        EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(R.Display));
        EXPECT_EQ(Tape(*Engine), QString());
        EXPECT_EQ(Engine->GetLastError(), QString());
    }
}

TEST_F(EngineTest, EntryTextAndStacksBehindTheDisplay)
{
    Press(*E, "- 0 0");
    EXPECT_EQ(E->EntryText(), "-0");
    EXPECT_EQ(E->AsFloat(), 0);

    E->AllClear();
    Press(*E, "0 exp 5");
    EXPECT_EQ(E->GetDisplayStr(), "0E5");
    EXPECT_EQ(E->EntryText(), "0E5");

    // The decimal separator after equals keeps the result beneath the entry;
    // a digit empties both stacks first.
    E->AllClear();
    Press(*E, "2 + 3 = .");
    EXPECT_EQ(E->GetDisplayStr(), "0.");
    EXPECT_EQ(Operands(*E), std::vector<Extended>({5}));
    Press(*E, "c 2 + 3 = 4");
    EXPECT_EQ(E->OperandCount(), 0);
    EXPECT_EQ(E->OperatorCount(), 0);

    // After 2 + 3 * the stacks hold both pending operators.
    E->AllClear();
    Press(*E, "2 + 3 *");
    EXPECT_EQ(Operands(*E), std::vector<Extended>({2, 3}));
    EXPECT_EQ(E->OperatorStackText(), "+*");
    EXPECT_EQ(E->LastCh(), u'*');

    // A digit key beyond 9 is not a key.
    E->AllClear();
    E->InputDigit(10);
    EXPECT_EQ(E->EntryText(), "");
    EXPECT_EQ(E->GetDisplayStr(), "0");
}

// What each kind of key leaves behind the display: the operands (bottom
// first), the pending codes, LastCh and the toggles.
TEST_F(EngineTest, KeysLeaveStacksLastChAndToggles)
{
    struct Row
    {
        const char *Name;
        const char *Keys;
        const char *Operands;
        const char *Operators;
        char16_t LastCh;
        bool Inv, Hyp;
    };
    const Row Rows[] = {
        {"square replaces a result", "2 + 3 = x^2", "25", "", u' ', false, false},
        {"postfix root is pushed above", "prefix:off 2 + 7 = sqrt", "9 3", "", u' ', false, false},
        {"reciprocal is pushed above", "2 + 3 = 1/x", "5 0.2", "", u' ', false, false},
        {"negated result is pushed above", "2 + 3 = +/-", "5 -5", "", u' ', false, false},
        {"plain percent keeps LastCh", "2 0 0 + 1 0 %", "200 20", "+", u'0', false, false},
        {"binary percent is an operator", "bpct:on 2 0 0 %", "200", "%", u' ', false, false},
        {"recall after an operator", "2 + mr", "2 0", "+", u' ', false, false},
        {"prefix function discards the entry", "5 sin", "", "S", u' ', false, false},
        {"prefix function keeps the toggles", "inv hyp sin", "", "r", u' ', true, true},
        {"Hyp has no log code", "hyp log", "", "L", u' ', false, true},
        {"brackets and constants keep Inv", "2 + inv ( pi", "2 3.14159265", "+(", u' ', true,
         false},
        {"minus before a bracket", "- (", "-1", "*(", u'(', false, false},
        {"right bracket", "2 + 3 )", "5", "", u')', false, false},
        {"decimal separator", "5 .", "", "", u'.', false, false},
        {"exponent mark", "1 exp", "", "", u'E', false, false},
        {"typed sign", "2 + -", "2", "+", u'-', false, false},
        {"memory add keeps LastCh", "2 + 3 = m+", "5", "", u'=', false, false},
        {"memory add clears Inv", "2 + 3 = inv m+", "5", "", u'=', false, false},
        {"plain percent keeps Inv", "2 + 3 = inv %", "5 0", "", u'=', true, false},
        {"square keeps Hyp", "2 + 3 = hyp x^2", "25", "", u' ', false, true},
        {"postfix root keeps Hyp", "prefix:off 4 = hyp sqrt", "4 2", "", u' ', false, true},
        {"dropped operator", "--ignore-error 5 + =", "5", "", u'=', false, false},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Press(*Engine, R.Keys);
        QStringList Values;
        for (Extended V : Engine->OperandStackContents())
            Values << QString::number(double(V), 'g', 9);
        EXPECT_EQ(Values.join(u' '), QString::fromUtf8(R.Operands));
        EXPECT_EQ(Engine->OperatorStackText(), QString::fromUtf8(R.Operators));
        EXPECT_EQ(Engine->LastCh(), QChar(R.LastCh));
        EXPECT_EQ(Engine->IsInv(), R.Inv);
        EXPECT_EQ(Engine->IsHyp(), R.Hyp);
    }
}

TEST_F(EngineTest, ChangeSignEditsTheEntry)
{
    RunRows({
        {"positive", "5 +/-", "-5", "", ""},
        {"negative", "5 +/- +/-", "5", "", ""},
        {"zero becomes a lone minus", "0 +/-", "-", "", ""},
        {"lone minus stays", "- +/-", "-", "", ""},
        {"exponent negated", "1 exp 3 +/-", "1E-3", "", ""},
        {"negative exponent negated", "1 exp - 3 +/-", "1E3", "", ""},
        {"empty exponent gets a minus", "1 exp +/-", "1E-", "", ""},
        {"no entry negates the top", "2 + +/-", "-2.0000", "2.0000|+|+/-", ""},
        {"negated value is pushed above", "2 + +/- =", "0.0000", "2.0000|+|+/-|=|0.0000", ""},
    });
}

// The exponent keeps every typed digit up to nine; the value is read at
// evaluation, where below the range is 0 and beyond it an overflow.
TEST_F(EngineTest, ExponentEntryKeepsItsDigits)
{
    RunRows({
        {"five digits below the range", "1 exp - 9 9 9 9 9", "1E-99999", "", ""},
        {"below the range is zero", "1 exp - 9 9 9 9 9 =", "0.0000", "0.0000|=|0.0000", ""},
        {"just below the range", "1 exp - 5 0 0 0 1 =", "0.0000", "0.0000|=|0.0000", ""},
        {"beyond the range", "1 exp 9 9 9 9 9 =", "Error!", "ERR|=|Error!",
         "Floating point overflow"},
        {"a negative exponent beyond the range", "1 exp - 9 9 9 9 9 +/- =", "Error!",
         "ERR|=|Error!", "Floating point overflow"},
        {"a tenth exponent digit is ignored", "1 exp 1 2 3 4 5 6 7 8 9 0", "1E123456789", "", ""},
        {"also after a sign", "1 exp - 0 0 0 0 0 0 0 0 1 2", "1E-000000001", "", ""},
        {"a full exponent negated", "1 exp 1 2 3 4 5 6 7 8 9 +/-", "1E-123456789", "", ""},
        {"the exponent takes no separator", "2 exp 3 . 1", "2E31", "", ""},
        {"a zero mantissa stays zero", "0 exp 9 9 9 9 9 =", "0.0000", "0.0000|=|0.0000", ""},
        {"a digit after equals starts anew", "1 exp 1 2 3 4 5 6 7 8 9 = 5", "5", "ERR|=|Error!",
         "Floating point overflow"},
    });
}

// A long typed number is kept digit for digit, and its sign and range are
// read from all of it, not from a parse that runs out of range.
TEST_F(EngineTest, LongEntryIsKeptExactly)
{
    QString Digits;
    for (int I = 0; I < 6000; ++I)
        Digits += QChar(u'1' + I % 9);
    for (QChar Ch : Digits)
        E->InputDigit(TBrixZeroToNine(Ch.unicode() - u'0'));
    EXPECT_EQ(E->EntryText(), Digits);
    EXPECT_EQ(E->GetDisplayStr(), Digits);
    // Far beyond the range, yet not a zero: the sign goes on the number.
    E->DoChangeSign();
    EXPECT_EQ(E->GetDisplayStr(), u'-' + Digits);
    E->DoEquals();
    EXPECT_EQ(E->GetLastError(), "Floating point overflow");

    // A mantissa of 5000 digits brought into the range by its exponent, and
    // one that a negative exponent leaves beyond it.
    E->AllClear();
    Press(*E, "1");
    for (int I = 0; I < 4999; ++I)
        E->InputDigit(0);
    Press(*E, "exp - 4 9 9 8 =");
    EXPECT_EQ(E->GetDisplayStr(), "10.0000");
    E->AllClear();
    Press(*E, "1");
    for (int I = 0; I < 4999; ++I)
        E->InputDigit(0);
    Press(*E, "exp - 1 =");
    EXPECT_EQ(E->GetLastError(), "Floating point overflow");

    // Zeros after the decimal separator are digits like any other.
    E->AllClear();
    Press(*E, ". 5");
    for (int I = 0; I < 3000; ++I)
        E->InputDigit(0);
    EXPECT_EQ(E->EntryText(), "0.5" + QString(3000, u'0'));
    EXPECT_EQ(E->GetDisplayStr(), E->EntryText());
}

TEST_F(EngineTest, OperatorsWithPrecedence)
{
    RunRows({
        {"times binds tighter", "2 + 3 * 4 =", "14.0000", "2.0000|+|3.0000|*|4.0000|=|14.0000", ""},
        {"times first", "2 * 3 + 4 =", "10.0000", "2.0000|*|3.0000|+|4.0000|=|10.0000", ""},
        {"power associates left", "2 ^ 3 ^ 2 =", "64.0000",
         "2.0000|x ^ y|3.0000|x ^ y|2.0000|=|64.0000", ""},
        {"power binds tightest", "2 + 3 ^ 2 =", "11.0000", "2.0000|+|3.0000|x ^ y|2.0000|=|11.0000",
         ""},
        {"power binds tighter than times", "2 * 3 ^ 2 =", "18.0000",
         "2.0000|*|3.0000|x ^ y|2.0000|=|18.0000", ""},
        {"times and divide associate left", "8 / 2 * 2 =", "8.0000",
         "8.0000|/|2.0000|*|2.0000|=|8.0000", ""},
        {"minus associates left", "1 0 - 4 - 3 =", "3.0000", "10.0000|-|4.0000|-|3.0000|=|3.0000",
         ""},
        {"minus first is a sign", "- 3 + 2 =", "-1.0000", "-3.0000|+|2.0000|=|-1.0000", ""},
        {"minus after an operator is a sign", "2 * - 3 =", "-6.0000", "2.0000|*|-3.0000|=|-6.0000",
         ""},
        {"two signs cancel", "2 + - - 3 =", "5.0000", "2.0000|+|3.0000|=|5.0000", ""},
        {"equals again repeats the lines", "2 + 3 = =", "5.0000",
         "2.0000|+|3.0000|=|5.0000|=|5.0000", ""},
        {"a result is the next first operand", "2 + 3 = * 4 =", "20.0000",
         "2.0000|+|3.0000|=|5.0000|*|4.0000|=|20.0000", ""},
        {"inverse power", "8 inv ^ 3 =", "2.0000", "8.0000|x ^ 1/y|3.0000|=|2.0000", ""},
        {"inverse power with one operand", "2 inv ^ =", "2.0000", "2.0000|x ^ 1/y|=|2.0000", ""},
        {"result without equals writes nothing", "2 + 3 result", "5.0000", "2.0000|+|3.0000", ""},
    });
}

TEST_F(EngineTest, PrecedenceOffReducesLeftToRight)
{
    RunRows({
        {"plain left to right", "prec:off 2 + 3 * 4 =", "20.0000",
         "2.0000|+|3.0000|*|4.0000|=|20.0000", ""},
        {"brackets still group", "prec:off 2 * ( 3 + 4 ) - 1 =", "13.0000",
         "2.0000|*|(|3.0000|+|4.0000|)|-|1.0000|=|13.0000", ""},
    });
}

TEST_F(EngineTest, Brackets)
{
    RunRows({
        {"closed", "2 * ( 3 + 4 ) =", "14.0000", "2.0000|*|(|3.0000|+|4.0000|)|=|14.0000", ""},
        {"left open", "2 * ( 3 + 4 =", "14.0000", "2.0000|*|(|3.0000|+|4.0000|=|14.0000", ""},
        {"stray right bracket reduces all", "2 + 3 ) * 4 =", "20.0000",
         "2.0000|+|3.0000|)|*|4.0000|=|20.0000", ""},
        {"minus before a bracket", "- ( 2 + 3 ) =", "-5.0000",
         "-1.0000|*|(|2.0000|+|3.0000|)|=|-5.0000", ""},
        {"a number before a bracket is lost", "7 ( 2 + 3 ) =", "5.0000",
         "(|2.0000|+|3.0000|)|=|5.0000", ""},
    });
}

TEST_F(EngineTest, DeepBracketsGrowTheStacks)
{
    for (int I = 0; I < 25; ++I)
        Press(*E, "( 1 +");
    EXPECT_EQ(E->OperatorCount(), 50);
    // The length rule: 20, then top index + 5 whenever the top is the last slot.
    EXPECT_EQ(E->OperatorCapacity(), 52);
    EXPECT_EQ(E->OperandCapacity(), 28);
    Press(*E, "1");
    for (int I = 0; I < 25; ++I)
        Press(*E, ")");
    Press(*E, "=");
    EXPECT_EQ(E->GetDisplayStr(), "26.0000");
    EXPECT_EQ(E->OperandCount(), 1);
}

TEST_F(EngineTest, ErrorsAndTheirMessages)
{
    RunRows({
        {"division by zero", "5 / 0 =", "Error!", "ERR|=|Error!", "Division by Zero"},
        {"zero by zero", "0 / 0 =", "Error!", "ERR|=|Error!", "Division by Zero"},
        {"operator after the fault carries on", "5 / 0 +", "0", "ERR|+", "Division by Zero"},
        {"missing operand", "5 + =", "Error!", "ERR|=|Error!", "Invalid Equation"},
        {"two operators in a row", "2 + * 3 =", "Error!", "ERR|=|Error!", "Invalid Equation"},
        {"same operator twice", "2 * *", "0", "ERR|*", "Invalid Equation"},
        {"inverse power of zero", "2 inv ^ 0 =", "Error!", "ERR|=|Error!",
         "Floating point division by zero"},
        {"overflow", "9E4000 * 9E4000 =", "Error!", "ERR|=|Error!", "Floating point overflow"},
        {"division overflow", "9E4000 / 9 exp - 4000 =", "Error!", "ERR|=|Error!",
         "Floating point overflow"},
        // A typed number beyond the range is an overflow, not a silent 0;
        // one below the range reads as 0, like a computed underflow.
        {"typed number beyond the range", "9E5000 =", "Error!", "ERR|=|Error!",
         "Floating point overflow"},
        {"typed argument beyond the range", "prefix:off 9E5000 sin", "Error!", "ERR",
         "Floating point overflow"},
        {"typed operand beyond the range", "2 + 1E9999 +", "Error!", "ERR|+",
         "Floating point overflow"},
        {"typed number below the range", "1 exp - 5000 =", "0.0000", "0.0000|=|0.0000", ""},
        {"the next key works on the cleared state", "5 / 0 = 2 + 3 =", "5.0000",
         "ERR|=|Error!|2.0000|+|3.0000|=|5.0000", "Division by Zero"},
        {"all clear forgets the message", "5 / 0 = ac", "0", "", ""},
        {"memory keys evaluate into the error", "5 / 0 m+", "Error!", "ERR|M+", "Division by Zero"},
    });
}

TEST_F(EngineTest, IgnoreErrorDropsAnOperatorWithoutOperands)
{
    RunRows({
        {"missing operand", "--ignore-error 5 + =", "5.0000", "5.0000|+|=|5.0000", ""},
        {"two operators in a row", "--ignore-error 2 + * 3 =", "6.0000",
         "2.0000|+|*|3.0000|=|6.0000", ""},
        {"division by zero still fails", "--ignore-error 5 / 0 =", "Error!", "ERR|=|Error!",
         "Division by Zero"},
    });
}

TEST_F(EngineTest, FunctionKeysAfterTheirOperand)
{
    RunRows({
        {"sin 0", "prefix:off 0 sin", "0.0000", "0.0000|sin", ""},
        {"cos of nothing", "prefix:off cos", "1.0000", "cos", ""},
        {"log of nothing is not applied", "prefix:off log", "0.0000", "log", ""},
        {"sin in degrees", "--angle=deg prefix:off 3 0 sin", "0.5000", "30.0000|sin", ""},
        {"arcsin in degrees", "--angle=deg prefix:off 0.5 inv sin", "30.0000", "0.5000|arcsin", ""},
        {"digits clear Inv", "--angle=deg prefix:off inv 0.5 sin", "0.0087", "0.5000|sin", ""},
        {"arccos in degrees", "--angle=deg prefix:off 0.5 inv cos", "60.0000", "0.5000|arccos", ""},
        {"arctan in degrees", "--angle=deg prefix:off 1 inv tan", "45.0000", "1.0000|arctan", ""},
        {"tan pole", "--angle=deg prefix:off 9 0 tan", "Error!", "ERR", "Division by Zero"},
        {"Hyp ignores degrees", "--angle=deg prefix:off 1 hyp sin", "1.1752", "1.0000|sinh", ""},
        {"cosh", "prefix:off 1 hyp cos", "1.5431", "1.0000|cosh", ""},
        {"tanh", "prefix:off 1 hyp tan", "0.7616", "1.0000|tanh", ""},
        {"arsinh", "prefix:off 2 inv hyp sin", "1.4436", "2.0000|arsinh", ""},
        {"arcosh", "prefix:off 2 hyp inv cos", "1.3170", "2.0000|arcosh", ""},
        {"artanh", "prefix:off 0.5 inv hyp tan", "0.5493", "0.5000|artanh", ""},
        {"arcosh below one", "prefix:off 0.5 inv hyp cos", "Error!", "ERR",
         "Not Defined for that Value"},
        {"arcsin beyond one", "prefix:off 2 inv sin", "Error!", "ERR", "Invalid Value"},
        {"log", "prefix:off 1 0 0 log", "2.0000", "100.0000|log", ""},
        {"ten to the x", "prefix:off 2 inv log", "100.0000", "2.0000|10^x", ""},
        {"lg2", "prefix:off 8 lg2", "3.0000", "8.0000|log2", ""},
        {"two to the x", "prefix:off 3 inv lg2", "8.0000", "3.0000|2^x", ""},
        {"ln", "prefix:off 1 ln", "0.0000", "1.0000|ln", ""},
        {"e to the x", "prefix:off 1 inv ln", "2.7183", "1.0000|e^x", ""},
        {"log of zero", "prefix:off 0 log", "Error!", "ERR", "Value must be > 0"},
        {"ln of zero", "prefix:off 0 ln", "Error!", "ERR", "Floating point division by zero"},
        {"ln of a negative", "prefix:off 2 +/- ln", "Error!", "ERR",
         "Invalid floating point operation"},
        {"e to a huge x", "prefix:off 12000 inv ln", "Error!", "ERR", "Floating point overflow"},
        {"a result stays beneath", "prefix:off 2 + 3 = sin =", "-0.9589",
         "2.0000|+|3.0000|=|5.0000|sin|=|-0.9589", ""},
        {"grads", "--angle=gra prefix:off 1 0 0 sin", "1.0000", "100.0000|sin", ""},
        {"arcsin in grads", "--angle=gra prefix:off 1 inv sin", "100.0000", "1.0000|arcsin", ""},
    });
}

TEST_F(EngineTest, FunctionKeysBeforeTheirOperand)
{
    RunRows({
        {"sin 30", "--angle=deg sin 3 0 =", "0.5000", "sin|30.0000|=|0.5000", ""},
        {"a typed number is discarded", "--angle=deg 5 sin 3 0 =", "0.5000", "sin|30.0000|=|0.5000",
         ""},
        {"inside a sum", "--angle=deg 2 + sin 3 0 =", "2.5000", "2.0000|+|sin|30.0000|=|2.5000",
         ""},
        {"arcsin", "--angle=deg inv sin 0.5 =", "30.0000", "arcsin|0.5000|=|30.0000", ""},
        {"Inv before equals turns a pending sine", "--angle=deg sin 0.5 inv =", "30.0000",
         "sin|0.5000|=|30.0000", ""},
        {"binds tighter than an operator", "sin 0 + 2 =", "2.0000", "sin|0.0000|+|2.0000|=|2.0000",
         ""},
        {"closed by a bracket", "2 * ( sqrt 9 ) =", "6.0000", "2.0000|*|(|sqrt|9.0000|)|=|6.0000",
         ""},
        {"missing operand reads as zero", "sin =", "0.0000", "sin|=|0.0000", ""},
        {"cos of a missing operand", "cos =", "1.0000", "cos|=|1.0000", ""},
        {"log of a missing operand", "log =", "Error!", "ERR|=|Error!", "Value must be > 0"},
        {"square root", "sqrt 1 6 =", "4.0000", "sqrt|16.0000|=|4.0000", ""},
        {"Inv square root is a square", "inv sqrt 3 =", "9.0000", "x^2|3.0000|=|9.0000", ""},
        {"hyperbolic codes", "hyp sin 1 =", "1.1752", "sinh|1.0000|=|1.1752", ""},
        {"pending fault surfaces at equals", "inv sin 2 =", "Error!", "ERR|=|Error!",
         "Invalid Value"},
    });
}

TEST_F(EngineTest, TangentPolesAreTheExactQuarterTurnsInEveryUnit)
{
    RunRows({
        {"tan 100 grads", "--angle=gra prefix:off 1 0 0 tan", "Error!", "ERR", "Division by Zero"},
        {"tan 300 grads", "--angle=gra prefix:off 3 0 0 tan", "Error!", "ERR", "Division by Zero"},
        {"tan -100 grads", "--angle=gra prefix:off 1 0 0 +/- tan", "Error!", "ERR",
         "Division by Zero"},
        {"tan 450°", "--angle=deg prefix:off 4 5 0 tan", "Error!", "ERR", "Division by Zero"},
        {"pending tan of 100 grads", "--angle=gra tan 1 0 0 =", "Error!", "ERR|=|Error!",
         "Division by Zero"},
        {"tan 200 grads", "--angle=gra prefix:off 2 0 0 tan", "0.0000", "200.0000|tan", ""},
    });
}

// The value a key leaves on top of the operand stack, in the postfix style:
// Keys pressed after InputValue(X).
Extended KeyResult(TBrixAngleMode Mode, Extended X, const char *Keys)
{
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    E->SetPrefixFunctions(false);
    E->SetAngleMode(Mode);
    E->InputValue(X);
    Press(*E, QString::fromLatin1(Keys));
    EXPECT_EQ(E->GetLastError(), "");
    return Operands(*E).back();
}

TEST_F(EngineTest, FunctionKeysAreExactAtTheSpecialAngles)
{
    struct Row
    {
        const char *Name;
        TBrixAngleMode Mode;
        Extended X;
        const char *Keys;
        Extended Want;
    };
    const Row Rows[] = {
        {"sin 180°", amDegrees, 180, "sin", 0},
        {"sin -180°", amDegrees, -180, "sin", 0},
        {"sin 270°", amDegrees, 270, "sin", -1},
        {"cos 90°", amDegrees, 90, "cos", 0},
        {"sin 200 grads", amGradiants, 200, "sin", 0},
        {"cos 100 grads", amGradiants, 100, "cos", 0},
        {"cos 300 grads", amGradiants, 300, "cos", 0},
        {"arcsin 1", amDegrees, 1, "inv sin", 90},
        {"arcsin -1", amDegrees, -1, "inv sin", -90},
        {"arcsin 1 in grads", amGradiants, 1, "inv sin", 100},
        {"arccos 0", amDegrees, 0, "inv cos", 90},
        {"arccos 1", amDegrees, 1, "inv cos", 0},
        {"arccos -1", amDegrees, -1, "inv cos", 180},
        {"arccos -1 in grads", amGradiants, -1, "inv cos", 200},
        {"arctan 1", amDegrees, 1, "inv tan", 45},
        {"arctan -1 in grads", amGradiants, -1, "inv tan", -50},
        {"2^1024 beyond the Double range", amRadians, 1024, "inv lg2", 0x1p1024L},
        {"10^27", amRadians, 27, "inv log", 1e27L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const Extended Got = KeyResult(R.Mode, R.X, R.Keys);
        EXPECT_EQ(Got, R.Want);
        EXPECT_FALSE(std::signbit(Got) && R.Want == 0);
    }
}

TEST_F(EngineTest, FunctionKeysGiveTheNearestExtendedValue)
{
    // Arguments at which the keys used to lose digits; the wanted values are
    // the 80-bit values nearest to the true results (mpmath, 40 digits; rows
    // of tests/math/data/accuracy.txt).
    struct Row
    {
        const char *Name;
        TBrixAngleMode Mode;
        Extended X;
        const char *Keys;
        Extended Want;
    };
    const Row Rows[] = {
        {"sin -719.9925302717°", amDegrees, -0xB3FF859DB04F74A5p-54L, "sin",
         0x88B44B23795F141Cp-76L},
        {"cos -84520.508055725106°", amDegrees, -0xA5144107F851F01Bp-47L, "cos",
         0xBAC030698F8D036Ep-66L},
        {"arccos 0.99999999928425765", amRadians, 0xFFFFFFFCED08704Fp-64L, "inv cos",
         0x9EB0FC6FFF93B690p-78L},
        {"arccos 0.99999999928425765 in degrees", amDegrees, 0xFFFFFFFCED08704Fp-64L, "inv cos",
         0x8E1160FB47239E60p-72L},
        {"10^-268.57863062805541", amRadians, -0x864A109183FB2064p-55L, "inv log",
         0xDF07F79F6B549249p-956L},
        {"2^966.195493", amRadians, 0xF18C82F512663411p-54L, "inv lg2", 0x9293243DF496A108p903L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(KeyResult(R.Mode, R.X, R.Keys), R.Want);
    }
    // 0.00335231626^19.622
    E->InputValue(0xDBB288B3DA40E066p-72L);
    E->DoPower();
    E->InputValue(0x9CF9DB22D0E56042p-59L);
    E->DoEquals();
    EXPECT_EQ(Operands(*E).back(), 0xCF330D2977238591p-225L);
    // The inverse power key: the cube root of 1000 is 10, not 10 plus the
    // unit that the rounded exponent 1/3 would add.
    TOwned<TBrixCalcEngine> Root(Create<TBrixCalcEngine>());
    Press(*Root, "1 0 0 0 inv ^ 3 =");
    EXPECT_EQ(Operands(*Root).back(), 10);
}

TEST_F(EngineTest, ForensicChainInDegreesIsRoundedOnceAtEveryStep)
{
    // arcsin(arccos(arctan(tan(cos(sin 9))))) in degrees. Every step is the
    // 80-bit value nearest to the true function of the value before it
    // (mpmath, 40 digits). The chain still ends 7.4e-14 below 9: arctan of
    // the rounded tangent is one unit above the cosine it came from (the
    // tangent's rounding, 0.47 of its last place, is worth 0.83 of the
    // arctangent's), and arccos near 1 magnifies that unit about 1e6 times.
    E->SetPrefixFunctions(false);
    E->SetAngleMode(amDegrees);
    Press(*E, "9 sin cos tan inv tan inv cos inv sin");
    const std::vector<Extended> Want = {
        0xA0305B3D429BA804p-66L, // sin 9°
        0xFFFFC1778D765E17p-64L, // cos of that, in degrees
        0x8EFDC9B0FE0596ABp-69L, // tan
        0xFFFFC1778D765E18p-64L, // arctan: one unit above the cosine
        0xA0305B3D429A386Dp-66L, // arccos
        0x8FFFFFFFFFFEB2D1p-60L, // arcsin: 9 - 7.3982e-14
    };
    EXPECT_EQ(Operands(*E), Want);
    EXPECT_NEAR(static_cast<double>(Operands(*E).back() - 9), -7.3982e-14, 1e-18);
}

TEST_F(EngineTest, SquareRootSquareAndReciprocal)
{
    RunRows({
        // A negative root and 1/0 fail whatever IgnoreError says, by every path.
        {"root of a negative", "prefix:off 4 +/- sqrt", "Error!", "sqrt|ERR",
         "Square Root of Negative"},
        {"root of a negative with IgnoreError", "--ignore-error prefix:off 4 +/- sqrt", "Error!",
         "sqrt|ERR", "Square Root of Negative"},
        {"root of a negative result", "prefix:off 2 - 6 = sqrt", "Error!", "sqrt|ERR",
         "Square Root of Negative"},
        {"prefix root of a negative", "sqrt - 4 =", "Error!", "ERR|=|Error!",
         "Square Root of Negative"},
        {"Inv square of a negative", "prefix:off 4 +/- inv x^2", "Error!", "sqrt|ERR",
         "Square Root of Negative"},
        {"root", "prefix:off 1 6 sqrt", "4.0000", "16.0000|sqrt", ""},
        {"root of a result", "prefix:off 2 + 7 = sqrt", "3.0000", "2.0000|+|7.0000|=|9.0000|sqrt",
         ""},
        {"Inv root is a square", "prefix:off 3 inv sqrt", "9.0000", "3.0000|x^2", ""},
        {"square", "3 x^2", "9.0000", "3.0000|x^2", ""},
        {"square replaces a result", "2 + 3 = x^2 =", "25.0000",
         "2.0000|+|3.0000|=|5.0000|x^2|=|25.0000", ""},
        {"square overflow still writes its line", "9E3000 x^2", "Error!", "ERR|x^2",
         "Floating point overflow"},
        {"Inv square is a root", "prefix:off 1 6 inv x^2", "4.0000", "16.0000|sqrt", ""},
        {"reciprocal", "4 1/x", "0.2500", "4.0000|1/x", ""},
        {"reciprocal of zero", "0 1/x", "Error!", "ERR|1/x", "Division by Zero"},
        {"reciprocal of nothing", "1/x", "Error!", "ERR|1/x", "Division by Zero"},
        {"reciprocal of a zero result", "2 - 2 = 1/x", "Error!", "ERR|1/x", "Division by Zero"},
        {"reciprocal of zero with IgnoreError", "--ignore-error 0 1/x", "Error!", "ERR|1/x",
         "Division by Zero"},
    });
}

TEST_F(EngineTest, PercentBothKinds)
{
    RunRows({
        {"add a percentage", "2 0 0 + 1 0 % =", "220.0000", "200.0000|+|10|%|=|220.0000", ""},
        {"percent alone", "1 0 %", "0.0000", "10|%", ""},
        {"percent of a product", "5 0 * 1 0 % =", "250.0000", "50.0000|*|10|%|=|250.0000", ""},
        {"percent without an entry", "2 0 0 + 1 0 * %", "20.0000", "200.0000|+|10.0000|*|%", ""},
        {"one line on the same-line tape", "--same-line 2 0 0 + 1 0 % =", "220.0000",
         "200.0000|+ 10%|= 220.0000", ""},
        {"binary", "bpct:on 2 0 0 % 1 0 =", "20.0000", "200.0000|%|10.0000|=|20.0000", ""},
        {"binary binds tighter than plus", "bpct:on 2 + 5 0 % 1 0 =", "7.0000",
         "2.0000|+|50.0000|%|10.0000|=|7.0000", ""},
        {"binary without precedence", "bpct:on prec:off 2 + 5 0 % 1 0 =", "5.2000",
         "2.0000|+|50.0000|%|10.0000|=|5.2000", ""},
        {"pending binary percent switched off", "bpct:on 5 + 2 0 0 % 1 0 bpct:off =", "220.0000",
         "5.0000|+|200.0000|%|10.0000|=|220.0000", ""},
    });
}

TEST_F(EngineTest, SwitchingBinaryPercentTogglesTheFunctionCode)
{
    const QString Initial = E->FunctionCodes();
    E->SetBinaryPercent(true);
    EXPECT_FALSE(E->FunctionCodes().contains(u'%'));
    E->SetBinaryPercent(true);
    EXPECT_FALSE(E->FunctionCodes().contains(u'%'));
    E->SetBinaryPercent(false);
    E->SetBinaryPercent(true);
    E->SetBinaryPercent(false);
    EXPECT_EQ(E->FunctionCodes(), Initial);
}

TEST_F(EngineTest, AngleModes)
{
    RunRows({
        {"radians to degrees", "angle", "0", "deg", ""},
        {"radians to grads when enabled", "--grads angle", "0", "gra", ""},
        {"full cycle with grads", "--grads angle angle angle", "0", "gra|deg|rad", ""},
    });
    Record();
    E->SetAngleMode(amRadians);
    EXPECT_TRUE(Events.isEmpty());
    E->SetAngleMode(amDegrees);
    E->ToggleAngleMode();
    EXPECT_EQ(Events, QStringList({"angle", "history", "angle"}));
    EXPECT_EQ(E->GetAngleModeStr(), "rad");
}

// ---- Memory and tape forms ----

struct MemoryRow
{
    const char *Name;
    const char *Keys;
    const char *Display;
    const char *Tape;
    Extended Memory;
};

TEST_F(EngineTest, MemoryKeys)
{
    const MemoryRow Rows[] = {
        {"M+ evaluates first", "2 + 3 m+", "5.0000", "2.0000|+|3.0000|M+", 5},
        {"M+ twice adds twice", "2 + 3 m+ m+", "5.0000", "2.0000|+|3.0000|M+|M+", 10},
        {"M+ right after an operator", "2 + m+ 3 =", "5.0000", "2.0000|+|M+|3.0000|=|5.0000", 2},
        {"M+ after the exponent mark keeps the entry", "1 exp m+", "1E", "1.0000|M+", 1},
        {"M- twice", "5 m- m-", "5.0000", "5.0000|M-|M-", -10},
        {"memory history lines", "--memory-history 1 2 m+ 3 * mr =", "36.0000",
         "12.0000|M+|[M: 12.0000 ]|3.0000|*|MR|[M: 12.0000 ]|=|36.0000", 12},
        {"MC then MR", "7 m+ mc mr", "0.0000", "7.0000|M+|MC|MR", 0},
        {"MR after an operator is the second operand", "4 m+ 2 * mr =", "8.0000",
         "4.0000|M+|2.0000|*|MR|=|8.0000", 4},
    };
    for (const MemoryRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Press(*Engine, Row.Keys);
        EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(Row.Display));
        EXPECT_EQ(Tape(*Engine), QString::fromUtf8(Row.Tape));
        EXPECT_EQ(Engine->Memory(), Row.Memory);
    }
}

TEST_F(EngineTest, MemoryNotificationsAndContents)
{
    Record();
    Press(*E, "7 m+");
    EXPECT_EQ(Events.count("memory"), 1);
    Events.clear();
    Press(*E, "mr");
    EXPECT_EQ(Events.count("memory"), 0);
    E->SetMemory(7);
    EXPECT_EQ(Events, QStringList({"display", "history", "memory"}));
    EXPECT_EQ(E->GetMemoryContents(), "7.0000");
    // Errors and AllClear keep the memory.
    Press(*E, "5 / 0 = ac");
    EXPECT_EQ(E->Memory(), 7);
}

TEST_F(EngineTest, OperatorSameLineJoinsHeldTexts)
{
    RunRows({
        {"expression", "--same-line 2 + 3 * 4 =", "14.0000", "2.0000|+ 3.0000|* 4.0000|= 14.0000",
         ""},
        {"three lines", "--same-line 2 + 3 =", "5.0000", "2.0000|+ 3.0000|= 5.0000", ""},
        {"a held plus is replaced by a bracket", "--same-line 5 + ( 3 ) =", "8.0000",
         "5.0000|( 3.0000|)|= 8.0000", ""},
        {"a held operator prefixes the error line", "--same-line 5 / 0 =", "Error!", "ERR|= Error!",
         "Division by Zero"},
    });

    E->SetOperatorSameLine(true);
    Record();
    E->AddHistoryChar(u'+', true);
    EXPECT_EQ(E->GetHistoryLength(), 0);
    EXPECT_TRUE(Events.isEmpty());
    E->AddHistoryValue(3);
    EXPECT_EQ(E->HistoryLines(), QStringList({"+ 3.0000"}));
    EXPECT_EQ(Events, QStringList({"history"}));
    // A held text survives clearing the tape.
    E->AddHistoryChar(u'*', true);
    E->ClearHistory();
    E->AddHistoryLine("x", false);
    EXPECT_EQ(E->HistoryLines(), QStringList({"* x"}));
}

// ---- Notifications ----

TEST_F(EngineTest, ErrorNotifiesInOrder)
{
    E->SetPrefixFunctions(false);
    Press(*E, "5 / 0");
    Record();
    Press(*E, "=");
    // The operand line, then the error (display "0" from the clearing, then
    // "Error!", the error line, OnError), then the equals lines.
    EXPECT_EQ(Events, QStringList({"history", "display", "display", "history", "error", "history",
                                   "history"}));
    EXPECT_EQ(Tape(*E), "ERR|=|Error!");
    EXPECT_EQ(E->LastCh(), u'=');

    Events.clear();
    Press(*E, "ac");
    Press(*E, "--angle=deg 9 0 tan");
    EXPECT_EQ(E->GetHistoryLength(), 1);
    EXPECT_EQ(E->LastCh(), u' ');
    // ac, 9, 0, then the error's "0" and "Error!".
    EXPECT_EQ(Events.count("display"), 5);
    EXPECT_EQ(Events.count("error"), 1);
}

TEST_F(EngineTest, TogglesNotify)
{
    Record();
    Press(*E, "inv inv");
    EXPECT_EQ(Events, QStringList({"set", "clear"}));
    Events.clear();
    Press(*E, "1");
    EXPECT_TRUE(Events.filter("clear").isEmpty());
    Press(*E, "hyp 2");
    EXPECT_EQ(Events, QStringList({"display", "set", "display", "clear"}));
    // Brackets, change of sign, plain percent and constants leave them set.
    Events.clear();
    Press(*E, "inv ( +/- pi");
    EXPECT_TRUE(E->IsInv());
    EXPECT_FALSE(Events.contains("clear"));
    // A pending function code sets toggles silently; the computation clears
    // them with a notification.
    E->AllClear();
    Press(*E, "inv sin");
    Events.clear();
    Press(*E, "0.5");
    EXPECT_EQ(Events.count("clear"), 1);
    Events.clear();
    Press(*E, "=");
    EXPECT_EQ(Events.count("set"), 0);
    EXPECT_EQ(Events.count("clear"), 1);
}

TEST_F(EngineTest, DecimalPlacesNotifyOnlyOnChange)
{
    Press(*E, "value:0");
    Record();
    E->SetDecimalPlaces(2);
    EXPECT_EQ(E->GetDisplayStr(), "0.00");
    EXPECT_EQ(Events, QStringList({"display", "decimals"}));
    Events.clear();
    E->SetDecimalPlaces(2);
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(EngineTest, LanguageAndTexts)
{
    Record();
    E->SetLanguage(DefaultLanguage);
    EXPECT_TRUE(Events.isEmpty());
    E->SetLanguage(elGerman);
    EXPECT_EQ(Events, QStringList({"language"}));
    EXPECT_EQ(E->GetName(ectCalculator), "Rechner");
    EXPECT_EQ(E->GetName(ectACKey), "AC");

    // The engine's own messages come in its language.
    Press(*E, "5 / 0 =");
    EXPECT_EQ(E->GetLastError(), MathText(elGerman, emtDivideByZero));
    EXPECT_EQ(E->GetDisplayStr(), E->GetName(ectErrorMsg));

    // A handler may change the language in place.
    E->SetOnLanguageChange([](TObject *, TBrixLanguage &Language) { Language = elFrench; });
    E->SetLanguage(elSpanish);
    EXPECT_EQ(E->Language(), elFrench);
    EXPECT_EQ(E->GetLanguage(), elFrench);
}

// ---- Faults that reach the caller ----

TEST_F(EngineTest, PlainPercentOverflowPassesToTheCallerWithStateIntact)
{
    Press(*E, "9E4000 + 9E4000");
    const QString DisplayBefore = E->GetDisplayStr();
    EXPECT_THROW(E->DoPercent(), EOverflow);
    EXPECT_EQ(E->GetDisplayStr(), DisplayBefore);
    EXPECT_EQ(E->EntryText(), "9E4000");
    EXPECT_EQ(E->OperandCount(), 1);
    EXPECT_EQ(E->OperatorStackText(), "+");
    EXPECT_EQ(Tape(*E), "9.0000E+4000|+|9E4000|%");
    EXPECT_EQ(E->GetLastError(), "");
    // The engine carries on from there.
    Press(*E, "bs bs bs bs bs bs 1 =");
    EXPECT_EQ(E->GetDisplayStr(), "9.0000E+4000");
}

TEST_F(EngineTest, MemoryOverflowPassesToTheCallerWithMemoryUnchanged)
{
    Record();
    E->SetMemory(1.1e4932L);
    Events.clear();
    Press(*E, "1E4932");
    EXPECT_THROW(E->MemoryAdd(), EOverflow);
    EXPECT_EQ(E->Memory(), 1.1e4932L);
    EXPECT_EQ(Tape(*E), "1.0000E+4932");
    EXPECT_FALSE(Events.contains("memory"));

    E->SetMemory(-1.1e4932L);
    EXPECT_THROW(E->MemorySubtract(), EOverflow);
    EXPECT_EQ(E->Memory(), -1.1e4932L);
}

TEST_F(EngineTest, NonFiniteValuesNeverEnter)
{
    // InputValue of what no key script writes (value: takes finite numbers).
    struct Row
    {
        const char *Name;
        Extended Value;
        const char *Display, *Tape, *Error;
    };
    const Row Rows[] = {
        {"infinity", std::numeric_limits<Extended>::infinity(), "Error!", "ERR",
         "Floating point overflow"},
        {"NaN", std::numeric_limits<Extended>::quiet_NaN(), "Error!", "ERR",
         "Invalid floating point operation"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Engine->InputValue(R.Value);
        EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(R.Display));
        EXPECT_EQ(Tape(*Engine), QString::fromUtf8(R.Tape));
        EXPECT_EQ(Engine->GetLastError(), QString::fromUtf8(R.Error));
    }
    E->SetMemory(3);
    EXPECT_THROW(E->SetMemory(std::numeric_limits<Extended>::infinity()), EOverflow);
    EXPECT_THROW(E->SetMemory(std::numeric_limits<Extended>::quiet_NaN()), EInvalidOp);
    EXPECT_EQ(E->Memory(), 3);
}

// ---- Constants, variables ----

TEST_F(EngineTest, ConstantsAreTheNearestExtendedValues)
{
    const auto Bits = [](Extended V) {
        unsigned char Raw[sizeof(Extended)] = {};
        std::memcpy(Raw, &V, 10);
        quint64 Mantissa = 0;
        std::memcpy(&Mantissa, Raw, 8);
        quint16 SignExponent = 0;
        std::memcpy(&SignExponent, Raw + 8, 2);
        return std::make_pair(SignExponent, Mantissa);
    };
    E->InputPi();
    EXPECT_EQ(Bits(E->AsFloat()), std::make_pair(quint16(0x4000), quint64(0xC90FDAA22168C235ULL)));
    E->InputNaturalConstant();
    EXPECT_EQ(Bits(E->AsFloat()), std::make_pair(quint16(0x4000), quint64(0xADF85458A2BB4A9BULL)));
    EXPECT_EQ(Tape(*E), "3.1416|2.7183");
}

TEST_F(EngineTest, VariablesOutsideTheRangeAreIgnored)
{
    E->SetVariable(9, 5);
    E->SetVariable(-1, 6);
    E->SetVariable(10, 7);
    EXPECT_EQ(E->GetVariable(9), 5);
    EXPECT_EQ(E->GetVariable(-1), 0);
    EXPECT_EQ(E->GetVariable(10), 0);
    EXPECT_EQ(E->GetVariable(0), 0);
}

// ---- Descendants change every caller ----

class TaggingEngine : public TBrixCalcEngine
{
public:
    void AddHistoryLine(const QString &Text, bool Hold) override
    {
        TBrixCalcEngine::AddHistoryLine("<" + Text + ">", Hold);
    }
    Extended CalcSin(const Extended &) override { return 42; }
};

TEST_F(EngineTest, OverridesReachEveryCaller)
{
    TOwned<TaggingEngine> T(Create<TaggingEngine>());
    T->SetMemoryHistory(true);
    // Function names, memory lines, value lines and the result line all go
    // through the overridden AddHistoryLine; operator characters and typed
    // operands do not.
    Press(*T, "2 + sin 1 = m+ pi angle");
    EXPECT_EQ(T->HistoryLines(), QStringList({"2.0000", "+", "<sin>", "1.0000", "=", "<44.0000>",
                                              "<M+>", "<[M: 44.0000 ]>", "<3.1416>", "<deg>"}));
    Press(*T, "ac prefix:off 5 sin");
    EXPECT_EQ(T->GetDisplayStr(), "42.0000");
    Press(*T, "5 / 0 =");
    EXPECT_EQ(T->HistoryLine(0), "<- - - - ERROR - - - ->");
}

} // namespace
