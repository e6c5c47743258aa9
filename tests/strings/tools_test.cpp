#include "brix/strings/tools.h"

#include "brix/math/globals.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <ostream>
#include <random>

// Readable QString values in failure messages.
inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

using namespace Brix;

namespace {

// UTF-16 literal, embedded NULs included.
template <size_t N> QString U(const char16_t (&Text)[N])
{
    return QString::fromUtf16(Text, N - 1);
}

// "." and "," as separators, whatever the machine's locale.
TFormatSettings DotComma()
{
    TFormatSettings S = TFormatSettings::Invariant();
    S.DecimalSeparator = u'.';
    S.ThousandSeparator = u',';
    return S;
}

// The regional settings are process-wide: each test starts from "." and ","
// and gets the machine's record back afterwards.
class StringsTools : public ::testing::Test
{
protected:
    void SetUp() override { FGuard.emplace(DotComma()); }
    void TearDown() override { FGuard.reset(); }

    const TFormatSettings S = DotComma();

private:
    std::optional<BrixTest::RegionalGuard> FGuard;
};

constexpr Extended Inf = std::numeric_limits<Extended>::infinity();
constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

struct FixedCase
{
    const char *Name;
    int Decimals;
    Extended Value;
    bool Blank, Trim, Plus, Brackets;
    const char *Expected;
};

TEST_F(StringsTools, FixedTextRoundsAndLaysOut)
{
    const FixedCase Cases[] = {
        {"zero", 4, 0, false, false, false, false, "0.0000"},
        {"zero trimmed", 4, 0, false, true, false, false, "0"},
        {"zero blank", 4, 0, true, false, false, false, ""},
        {"zero no decimals", 0, 0, false, false, false, false, "0"},
        {"zero keeps more than 18 places", 20, 0, false, false, false, false,
         "0.00000000000000000000"},
        {"negative zero has no sign", 2, -0.0L, false, false, true, false, "0.00"},
        {"below zero threshold", 2, TinyExtended / 2, false, false, true, false, "0.00"},
        {"tie 2.5 away from zero", 0, 2.5L, false, false, false, false, "3"},
        {"tie -2.5 away from zero", 0, -2.5L, false, false, false, false, "-3"},
        {"1.005 stored below the tie", 2, 1.005L, false, false, false, false, "1.01"},
        {"0.6 carries into a new digit", 0, 0.6L, false, false, false, false, "1"},
        {"0.00006 carries into 4 places", 4, 0.00006L, false, false, false, false, "0.0001"},
        {"0.00004 rounds to zero", 4, 0.00004L, false, false, false, false, "0.0000"},
        {"99.996 carries through nines", 2, 99.996L, false, false, false, false, "100.00"},
        {"trim keeps significant decimals", 4, 1234.5L, false, true, false, false, "1234.5"},
        {"trim drops the separator", 4, 1234, false, true, false, false, "1234"},
        {"trim with no decimals keeps zeroes", 0, 1200, false, true, false, false, "1200"},
        {"brackets", 2, -3, false, false, false, true, "(3.00)"},
        {"plus", 2, 3, false, false, true, false, "+3.00"},
        {"tiny negative keeps its sign", 4, -0.00001L, false, false, false, false, "-0.0000"},
        {"tiny negative trimmed", 4, -0.00001L, false, true, false, false, "-0"},
        {"tiny positive with plus", 4, 0.00001L, false, false, true, false, "+0.0000"},
        {"places above 18 give 18", 25, 1.0L / 3, false, false, false, false,
         "0.333333333333333333"},
        {"18 integer digits stay fixed", 2, 123456789012345678.0L, false, false, false, false,
         "123456789012345678.00"},
        {"1e18 has no fixed form", 4, 1e18L, false, false, false, false, "1.0000E+18"},
        {"1e18 trimmed", 4, 1e18L, false, true, false, false, "1E+18"},
        {"rounding up to 1e18", 4, 999999999999999999.6L, false, false, false, false, "1.0000E+18"},
        {"exponent form never bracketed", 2, -1e20L, false, false, false, true, "-1.00E+20"},
        {"exponent form with plus", 2, 1e20L, false, false, true, false, "+1.00E+20"},
        {"largest value", 2, std::numeric_limits<Extended>::max(), false, false, false, false,
         "1.19E+4932"},
        {"infinity", 2, Inf, false, false, false, false, ""},
        {"negative infinity", 2, -Inf, false, false, true, true, ""},
        {"NaN", 2, NaN, true, true, true, true, ""},
    };
    for (const FixedCase &C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(FixedText(S, Byte(C.Decimals), C.Blank, C.Value, C.Trim, C.Plus, C.Brackets),
                  QString::fromUtf8(C.Expected));
    }
}

struct ScientificCase
{
    const char *Name;
    int Decimals;
    Extended Value;
    bool Blank, Trim, Plus;
    const char *Expected;
};

TEST_F(StringsTools, ScientificTextKeepsDecimalsPlusOneDigits)
{
    const ScientificCase Cases[] = {
        {"two decimals", 2, 12345.678L, false, false, false, "1.23E+4"},
        {"no decimals still two digits", 0, 12345.678L, false, false, false, "1.2E+4"},
        {"negative exponent", 4, 0.000123L, false, false, false, "1.2300E-4"},
        {"zero", 3, 0, false, false, false, "0.000E+0"},
        {"zero trimmed", 3, 0, false, true, false, "0E+0"},
        {"zero blank", 3, 0, true, false, false, ""},
        {"exponent zero", 2, 5, false, false, false, "5.00E+0"},
        {"trim mantissa", 4, 150000, false, true, false, "1.5E+5"},
        {"trim to separator", 4, 2000, false, true, false, "2E+3"},
        {"no trimming without decimals", 0, 2000, false, true, false, "2.0E+3"},
        {"carry into exponent", 0, 9.99L, false, false, false, "1.0E+1"},
        {"negative", 2, -12345.678L, false, false, true, "-1.23E+4"},
        {"plus", 2, 12345.678L, false, false, true, "+1.23E+4"},
        {"at most 18 digits", 200, 2.0L / 3, false, false, false, "6.66666666666666667E-1"},
        {"below the zero threshold still shown", 2, 1e-4000L, false, false, false, "1.00E-4000"},
        {"below the zero threshold blank", 2, 1e-4000L, true, false, false, ""},
        {"smallest subnormal", 2, std::numeric_limits<Extended>::denorm_min(), false, false, false,
         "3.65E-4951"},
        {"infinity", 2, Inf, false, false, false, ""},
        {"NaN", 2, NaN, false, false, false, ""},
    };
    for (const ScientificCase &C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(ScientificText(S, Byte(C.Decimals), C.Blank, C.Value, C.Trim, C.Plus),
                  QString::fromUtf8(C.Expected));
    }
}

// number_text.tsv holds 325 values rebuilt exactly from their bits, with the
// texts computed by data/make_number_text_table.py (Python decimal and
// fractions on the exact binary value; see the script for the rounding model).
TEST_F(StringsTools, NumberTextMatchesExactDecimalTable)
{
    QFile File(QStringLiteral(BRIX_TEST_DATA_DIR "/number_text.tsv"));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream In(&File);
    int Rows = 0;
    for (int Line = 1; !In.atEnd(); ++Line) {
        const QString Text = In.readLine();
        if (Text.startsWith(u'#') || Text.isEmpty())
            continue;
        const QStringList F = Text.split(u'\t');
        ASSERT_EQ(F.size(), 6) << "line " << Line;
        SCOPED_TRACE(QStringLiteral("line %1: %2").arg(Line).arg(Text).toStdString());
        const Extended Magnitude = std::ldexp(Extended(F[0].toULongLong()), -F[1].toInt());
        const Extended Value = F[2] == u'1' ? -Magnitude : Magnitude;
        const Byte Decimals = Byte(F[3].toInt());
        EXPECT_EQ(FixedText(S, Decimals, false, Value, false, false, false), F[4]);
        EXPECT_EQ(ScientificText(S, Decimals, false, Value, false, false), F[5]);
        ++Rows;
    }
    EXPECT_EQ(Rows, 325);
}

TEST_F(StringsTools, GroupedFixedTextGroupsOnlyTheIntegerDigits)
{
    struct Case
    {
        const char *Name;
        int Decimals;
        Extended Value;
        bool Trim, Brackets, Lakh;
        const char *Expected;
    } const Cases[] = {
        {"thousands", 2, -1234567.891L, false, false, false, "-1,234,567.89"},
        {"lakh", 2, -1234567.891L, false, false, true, "-12,34,567.89"},
        {"three digits unchanged", 2, 999, false, false, false, "999.00"},
        {"brackets around the group", 2, -1234, false, true, false, "(1,234.00)"},
        {"trimmed", 4, 1234567, true, false, false, "1,234,567"},
        {"18 digits in lakh", 0, 123456789012345678.0L, false, false, true,
         "1,23,45,67,89,01,23,45,678"},
        {"exponent form is never grouped", 2, 1e20L, false, false, false, "1.00E+20"},
        {"zero", 2, 0, false, false, false, "0.00"},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(GroupedFixedText(S, Byte(C.Decimals), false, C.Value, C.Trim, false, C.Brackets,
                                   C.Lakh),
                  QString::fromUtf8(C.Expected));
    }
}

// The places of the fixed form that stay within the 18 significant digits;
// FixedText at that count writes no padding zero in place of a digit.
TEST_F(StringsTools, KnownFixedDecimalsEndAtTheEighteenthDigit)
{
    const Extended Seventh = 1000000.0L / 7;
    const struct Case
    {
        const char *Name;
        Extended Value;
        int Decimals;
        int Expected;
        const char *Text; // FixedText at Expected places
    } Cases[] = {
        {"six integer digits", Seventh, 18, 12, "142857.142857142857"},
        {"negative", -Seventh, 18, 12, "-142857.142857142857"},
        {"fewer asked", Seventh, 4, 4, "142857.1429"},
        {"exactly the digits asked", Seventh, 12, 12, "142857.142857142857"},
        {"below 1", 0.25L, 18, 18, "0.250000000000000000"},
        {"far below 1", 1.0L / 3e10L, 18, 18, "0.000000000033333333"},
        {"18 integer digits", 123456789012000000.0L + 1.0L / 3, 18, 0, "123456789012000000"},
        {"carry to 1", std::nextafter(1.0L, 0.0L), 18, 17, "1.00000000000000000"},
        {"rounds to zero", 1e-30L, 18, 18, "0.000000000000000000"},
        {"zero keeps more than 18", 0, 20, 20, "0.00000000000000000000"},
        {"exponent form", 1e20L / 7, 18, 18, "1.42857142857142857E+19"},
        {"infinity", Inf, 18, 18, ""},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        const Byte Places = KnownFixedDecimals(C.Value, Byte(C.Decimals));
        EXPECT_EQ(Places, C.Expected);
        EXPECT_EQ(FixedText(S, Places, false, C.Value, false, false, false),
                  QString::fromUtf8(C.Text));
    }
}

TEST_F(StringsTools, InsertGroupSeparatorsThousandsAndLakh)
{
    struct Case
    {
        const char *Digits, *Thousands, *Lakh;
    } const Cases[] = {
        {"", "", ""},
        {"123", "123", "123"},
        {"1234", "1,234", "1,234"},
        {"12345", "12,345", "12,345"},
        {"123456", "123,456", "1,23,456"},
        {"1234567", "1,234,567", "12,34,567"},
        {"123456789", "123,456,789", "12,34,56,789"},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Digits);
        QString T = QString::fromLatin1(C.Digits);
        InsertGroupSeparators(T, S, false);
        EXPECT_EQ(T, QString::fromLatin1(C.Thousands));
        QString L = QString::fromLatin1(C.Digits);
        InsertGroupSeparators(L, S, true);
        EXPECT_EQ(L, QString::fromLatin1(C.Lakh));
    }
}

TEST_F(StringsTools, GroupNumberTextGroupsWhatIsTyped)
{
    struct Case
    {
        const char *Name, *Text;
        bool Lakh;
        const char *Expected;
    } const Cases[] = {
        {"decimals not grouped", "-1234567.891", false, "-1,234,567.891"},
        {"lakh", "-1234567.891", true, "-12,34,567.891"},
        {"trailing separator kept", "1234567.", false, "1,234,567."},
        // Without a decimal separator the last digit belongs to the integer part.
        {"whole number", "1234567", false, "1,234,567"},
        {"whole number lakh", "123456789", true, "12,34,56,789"},
        {"old separators replaced", "1,2345", false, "12,345"},
        {"trimmed", " \t1234\n", false, "1,234"},
        {"blank", " \x01 ", false, ""},
        {"brackets", "(1234)", false, "(1,234)"},
        {"exponent digits are a new run", "1E12345", false, "1E12,345"},
        {"only a separator", ".12345", false, ".12345"},
        {"four digits", "1000", false, "1,000"},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(GroupNumberText(QString::fromLatin1(C.Text), S, C.Lakh),
                  QString::fromLatin1(C.Expected));
    }
}

TEST_F(StringsTools, IntegerTexts)
{
    constexpr int Min = std::numeric_limits<int>::min();
    constexpr int Max = std::numeric_limits<int>::max();
    EXPECT_EQ(IntegerText(-42, S, false, true), "-42");
    EXPECT_EQ(IntegerText(42, S, false, true), "+42");
    EXPECT_EQ(IntegerText(0, S, false, true), "0");
    EXPECT_EQ(IntegerText(0, S, true, false), "");
    EXPECT_EQ(IntegerText(Min, S, false, false), "-2147483648");
    EXPECT_EQ(IntegerText(Max, S, false, true), "+2147483647");

    EXPECT_EQ(IntegerTextGrouped(-1234567, S, false, false, false), "-1,234,567");
    EXPECT_EQ(IntegerTextGrouped(-1234567, S, false, true, false), "-12,34,567");
    EXPECT_EQ(IntegerTextGrouped(999, S, false, false, true), "+999");
    EXPECT_EQ(IntegerTextGrouped(0, S, true, false, true), "");
    EXPECT_EQ(IntegerTextGrouped(0, S, false, false, true), "0");
    EXPECT_EQ(IntegerTextGrouped(Min, S, false, false, false), "-2,147,483,648");
    EXPECT_EQ(IntegerTextGrouped(Min, S, false, true, false), "-2,14,74,83,648");
}

TEST_F(StringsTools, TextToIntCheckedReadsDecimalAndHex)
{
    constexpr int Min = std::numeric_limits<int>::min();
    constexpr int Max = std::numeric_limits<int>::max();
    struct Case
    {
        const char *Name, *Text;
        int Value;
        bool Ok;
    } const Cases[] = {
        {"grouped", "1,234", 1234, true},
        {"trimmed with sign", " +7\t", 7, true},
        {"negative", "-42", -42, true},
        {"hex 0x", "0x1F", 31, true},
        {"hex dollar", "$1f", 31, true},
        {"hex x", "X1F", 31, true},
        {"negative hex", "-0x10", -16, true},
        {"int limits", "2147483647", Max, true},
        {"int low limit", "-2147483648", Min, true},
        {"partial value kept", "12a", 12, false},
        {"stops at inner space", "1 2", 1, false},
        {"decimal point stops", "12.5", 12, false},
        {"above int range", "3,000,000,000", Max, false},
        {"below int range", "-3000000000", Min, false},
        {"hex above int range", "0xFFFFFFFF", Max, false},
        {"beyond 64 bits clamps", "99999999999999999999999", Max, false},
        {"beyond 64 bits negative", "-99999999999999999999999", Min, false},
        {"empty", "", 0, false},
        {"only sign", "-", 0, false},
        {"prefix without digits", "0x", 0, false},
        {"hex digit without prefix", "1F", 1, false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        int Value = 99;
        EXPECT_EQ(TextToIntChecked(QString::fromLatin1(C.Text), S, Value), C.Ok);
        EXPECT_EQ(Value, C.Value);
        EXPECT_EQ(TextToIntChecked(QString::fromLatin1(C.Text), S), C.Value);
    }
}

TEST_F(StringsTools, TextToFloatCheckedIsTolerantOfUserText)
{
    struct Case
    {
        const char *Name, *Text;
        Extended Value;
        bool Ok;
    } const Cases[] = {
        {"brackets", "(1,234.5)", -1234.5L, true},
        {"trailing minus", "1,234.5-", -1234.5L, true},
        {"percent", "-1234.5%", -1234.5L, true},
        {"double minus is one negation", "--5", -5, true},
        {"unfinished decimal", "12.", 12, true},
        {"unfinished exponent", "3E", 3, true},
        // The minus right after E is the exponent being typed, not a sign.
        {"unfinished negative exponent", "3E-", 3, true},
        {"negative with unfinished exponent", "-3E-", -3, true},
        {"exponent", "1.5e3", 1500, true},
        {"negative exponent", "25E-1", 2.5L, true},
        {"leading separator", ".5", 0.5L, true},
        {"plus sign", "+5", 5, true},
        {"controls trimmed", "\t 7 \n", 7, true},
        {"decimal text correctly rounded", "0.1", 0.1L, true},
        {"underflow reads as zero", "1e-99999", 0, true},
        {"empty", "", 0, false},
        {"minus", "-", 0, false},
        {"bracketed minus", "(-)", 0, false},
        {"only exponent", "E5", 0, false},
        {"trailing letter", "1x", 0, false},
        {"inner space", "1 2", 0, false},
        {"two separators", "1.2.3", 0, false},
        {"fractional exponent", "1e5.5", 0, false},
        {"inner minus", "1-2", 0, false},
        {"infinity text", "inf", 0, false},
        {"nan text", "nan", 0, false},
        {"hex float", "0x1p3", 0, false},
        {"overflow", "1e99999", 0, false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        Extended Value = 99;
        EXPECT_EQ(TextToFloatChecked(QString::fromLatin1(C.Text), S, Value), C.Ok);
        EXPECT_EQ(Value, C.Value);
    }
}

TEST_F(StringsTools, StripSignMarksCountsOneNegation)
{
    struct Case
    {
        const char *Text, *Rest;
        bool Negative;
    } const Cases[] = {
        {"(5)", "5", true},  {"-5", "5", true}, {"5-", "5", true},   {"--5", "5", true},
        {" 5 ", "5", false}, {"(-)", "", true}, {"3E-", "3E", true}, {"1-2", "1-2", false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Text);
        bool Negative = !C.Negative;
        EXPECT_EQ(StripSignMarks(QString::fromLatin1(C.Text), Negative),
                  QString::fromLatin1(C.Rest));
        EXPECT_EQ(Negative, C.Negative);
    }
}

TEST_F(StringsTools, StringUtilities)
{
    EXPECT_EQ(RemoveChar("1,234,5", u','), "12345");
    EXPECT_EQ(StripGroupSeparators(" 1,234.5\x01", S), "1234.5");
    EXPECT_EQ(StripPercentSign("%12%"), "12");
    EXPECT_EQ(TrimControls(U(u"\u0000 a b\u001f")), "a b");
    EXPECT_EQ(TrimControls(U(u"\u00a0x")), U(u"\u00a0x")); // only codes below 33
    EXPECT_TRUE(CharInText(u'E', "1E5"));
    EXPECT_FALSE(CharInText(u'E', "15"));
    EXPECT_EQ(LeftChars("12345", 2), "12");
    EXPECT_EQ(LeftChars("12", 5), "12");
    EXPECT_EQ(LeftChars("12", -1), "");
    EXPECT_EQ(RightChars("12345", 2), "45");
    EXPECT_EQ(RightChars("12", 5), "12");
    EXPECT_EQ(CharsAfter("12345", 2), "345");
    EXPECT_EQ(CharsAfter("12", 5), "");
    EXPECT_EQ(CharsAfter("12", -3), "12");
}

// The overloads without settings follow whatever RegionalSettings() holds.
TEST_F(StringsTools, RegionalVariantsReadRegionalSettings)
{
    RegionalSettings().DecimalSeparator = u',';
    RegionalSettings().ThousandSeparator = u'.';
    EXPECT_EQ(FixedText(2, false, 1234.5L, false, false, false), "1234,50");
    EXPECT_EQ(GroupedFixedText(2, false, -1234.5L, false, false, false, false), "-1.234,50");
    EXPECT_EQ(ScientificText(2, false, 12345.678L, false, false), "1,23E+4");
    EXPECT_EQ(GroupNumberText("1234567,5", false), "1.234.567,5");
    EXPECT_EQ(IntegerText(5, false, true), "+5");
    EXPECT_EQ(IntegerTextGrouped(1234567, false, false, false), "1.234.567");
    int I = 0;
    EXPECT_TRUE(TextToIntChecked("1.234", I));
    EXPECT_EQ(I, 1234);
    EXPECT_EQ(TextToIntChecked("12,5"), 12);
    Extended V = 0;
    EXPECT_TRUE(TextToFloatChecked("-1.234,5", V));
    EXPECT_EQ(V, -1234.5L);
    EXPECT_EQ(TextToFloatOrZero("1.234,5"), 1234.5L);
    EXPECT_EQ(TextToFloatOrZero("1.5x"), 0);
    EXPECT_EQ(TextToFloatOrDefault("2,5", 7), 2.5L);
    EXPECT_EQ(TextToFloatOrDefault("", 7), 7);
    EXPECT_EQ(TextToFloatOrDefault("abc", 7), 7);
}

// A locale whose group separator is not ASCII (narrow no-break space) and
// whose decimal separator is the comma: text goes out and comes back.
TEST_F(StringsTools, NonAsciiSeparatorsRoundTrip)
{
    TFormatSettings F = S;
    F.DecimalSeparator = u',';
    F.ThousandSeparator = QChar(0x202F);
    const QString Text = GroupedFixedText(F, 2, false, -1234567.891L, false, false, false, false);
    EXPECT_EQ(Text, U(u"-1\u202f234\u202f567,89"));
    Extended V = 0;
    EXPECT_TRUE(TextToFloatChecked(Text, F, V));
    EXPECT_EQ(V, -1234567.89L);
    int I = 0;
    EXPECT_TRUE(TextToIntChecked(U(u"1\u202f234"), F, I));
    EXPECT_EQ(I, 1234);
}

// Hostile text: every parser and GroupNumberText answer without crashing,
// floats fail with 0, and grouping only ever adds separators.
TEST_F(StringsTools, BadInputIsAnsweredSafely)
{
    const qsizetype MiB = 1 << 20;
    struct Case
    {
        const char *Name;
        QString Text;
    } const Cases[] = {
        {"NUL inside", U(u"12\u00003")},
        {"only NUL", QString(1, QChar(0))},
        {"control characters", U(u"\u0001\u0002\u001b[1;2m5\u007f")},
        {"arabic-indic digits", U(u"\u0661\u0662\u0663")},
        {"fullwidth digits", U(u"\uff11\uff12")},
        {"lone high surrogate", U(u"12") + QChar(0xD800) + u'3'},
        {"lone low surrogate", QString(QChar(0xDC00))},
        {"1 MiB of minus", QString(MiB, u'-')},
        {"1 MiB of brackets", QString(MiB, u'(')},
        {"1 MiB of E", QString(MiB, u'E')},
        {"1 MiB of letters", QString(MiB, u'a')},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        Extended V = 99;
        EXPECT_FALSE(TextToFloatChecked(C.Text, S, V));
        EXPECT_EQ(V, 0);
        EXPECT_EQ(TextToFloatOrDefault(C.Text, 7), 7);
        int I = 99;
        EXPECT_FALSE(TextToIntChecked(C.Text, S, I));
        const QString G = GroupNumberText(C.Text, S, true);
        EXPECT_EQ(RemoveChar(G, u','), StripGroupSeparators(C.Text, S));
    }

    // Long but valid numbers.
    const QString Ones(MiB, u'1');
    Extended V = 99;
    EXPECT_FALSE(TextToFloatChecked(Ones, S, V)) << "overflows the Extended range";
    EXPECT_EQ(V, 0);
    EXPECT_TRUE(TextToFloatChecked("0." + Ones, S, V));
    EXPECT_NEAR(double(V), 1.0 / 9, 1e-15);
    int I = 0;
    EXPECT_FALSE(TextToIntChecked(Ones, S, I));
    EXPECT_EQ(I, std::numeric_limits<int>::max());
    const QString G = GroupNumberText(Ones, S, false);
    EXPECT_EQ(G.size(), MiB + (MiB - 1) / 3);
    EXPECT_EQ(G.left(5), "1,111");
    EXPECT_EQ(G.right(7), "111,111");
}

// ---- The exact number codec ----

// The 80-bit value of a sign and exponent word and a mantissa (with its
// explicit integer bit), and back.
Extended FromBits(quint16 SignExponent, quint64 Mantissa)
{
    Extended V = 0;
    std::memcpy(&V, &Mantissa, 8);
    std::memcpy(reinterpret_cast<char *>(&V) + 8, &SignExponent, 2);
    return V;
}

struct TBits
{
    quint16 SignExponent = 0;
    quint64 Mantissa = 0;
    bool operator==(const TBits &) const = default;
};

TBits BitsOf(Extended V)
{
    TBits B;
    std::memcpy(&B.Mantissa, &V, 8);
    std::memcpy(&B.SignExponent, reinterpret_cast<const char *>(&V) + 8, 2);
    return B;
}

void PrintTo(const TBits &B, std::ostream *Os)
{
    *Os << std::hex << B.SignExponent << ':' << B.Mantissa << std::dec;
}

// Every value the engine can hold, written and read back, is the very same
// value, whichever of the two readers reads it: the extremes, the
// subnormals, -0, the edges of the double range and what lies beyond them,
// and a few thousand valid 80-bit patterns. The text has at most 21
// significant digits.
TEST_F(StringsTools, ExactCodecKeepsEveryBit)
{
    using L = std::numeric_limits<Extended>;
    using D = std::numeric_limits<double>;
    std::vector<Extended> Values = {L::max(),
                                    L::min(),
                                    L::denorm_min(),
                                    FromBits(0, 0x7FFFFFFFFFFFFFFFULL), // the largest subnormal
                                    FromBits(0, 1ULL << 40),
                                    3.6e-4951L,
                                    0.0L,
                                    1e600L,
                                    1e-600L,
                                    1e4000L,
                                    1e-4900L,
                                    0.1L,
                                    1 / 3.0L,
                                    1.23456L,
                                    2 / 3.0L,
                                    1e18L,
                                    1e19L,
                                    123456789012345678901.0L,
                                    1e-5L,
                                    1e-6L};
    for (const Extended Edge :
         {1e308L, 1e-308L, Extended(D::max()), Extended(D::min()), Extended(D::denorm_min())}) {
        Values.push_back(Edge);
        Values.push_back(std::nextafterl(Edge, 0));
        Values.push_back(std::nextafterl(Edge, L::infinity()));
    }
    std::mt19937_64 Random(20240611);
    for (int I = 0; I < 3000; ++I) {
        const quint64 Word = Random();
        // Exponents 0 to 0x7FFE: the explicit integer bit set exactly when the
        // exponent is not 0 (the other patterns are no valid numbers).
        const quint16 Exponent = quint16(Word % 0x7FFF);
        quint64 Mantissa = Random();
        Mantissa = Exponent == 0 ? Mantissa & ~(1ULL << 63) : Mantissa | (1ULL << 63);
        Values.push_back(FromBits(quint16(Exponent | ((Word >> 20) & 0x8000)), Mantissa));
    }
    const size_t Count = Values.size();
    for (size_t I = 0; I < Count; ++I)
        Values.push_back(-Values[I]);

    for (const Extended V : Values) {
        const QString Text = ExactFloatText(V);
        SCOPED_TRACE(Text.toStdString());
        Extended Read = 1, Stored = 1;
        ASSERT_TRUE(ExactTextToFloat(Text, Read));
        EXPECT_EQ(BitsOf(Read), BitsOf(V));
        ASSERT_TRUE(StoredTextToFloat(Text, Stored));
        EXPECT_EQ(BitsOf(Stored), BitsOf(V));
        const QString Mantissa = Text.section(u'E', 0, 0).remove(u'-').remove(u'.');
        qsizetype Lead = 0;
        while (Lead + 1 < Mantissa.size() && Mantissa.at(Lead) == u'0')
            ++Lead;
        EXPECT_LE(Mantissa.size() - Lead, 21);
    }
    EXPECT_EQ(ExactFloatText(-0.0L), "-0");
    EXPECT_EQ(ExactFloatText(1e600L), "1E+600");
    EXPECT_EQ(ExactFloatText(1 / 3.0L), "0.33333333333333333334");
    EXPECT_EQ(ExactFloatText(Inf), "");
    EXPECT_EQ(ExactFloatText(NaN), "");
}

// The reader takes the C locale's decimal numbers, rounded once, and nothing
// else; not even the blanks and the "," that the settings store forgives.
TEST_F(StringsTools, ExactReaderTakesDecimalNumbersOnly)
{
    const struct
    {
        const char *Text;
        Extended Value;
    } Good[] = {
        {"0.1", 0.1L},        {"+2.5", 2.5L},
        {"-0", -0.0L},        {".5", 0.5L},
        {"5.", 5.0L},         {"1e-5000", 0.0L},
        {"-1E+600", -1e600L}, {"3.6e-4951", std::numeric_limits<Extended>::denorm_min()},
    };
    for (const auto &Row : Good) {
        SCOPED_TRACE(Row.Text);
        Extended V = 1;
        ASSERT_TRUE(ExactTextToFloat(QString::fromLatin1(Row.Text), V));
        EXPECT_EQ(BitsOf(V), BitsOf(Row.Value));
    }
    for (const char *Bad : {"", " 1", "1 ", "1,5", "1,000.5", "inf", "-inf", "nan", "0x10", "++1",
                            "1e", "e5", ".", "1e5000", "-1.2e4932", "1.2.3", "1e+-5"}) {
        SCOPED_TRACE(Bad);
        Extended V = 1;
        EXPECT_FALSE(ExactTextToFloat(QString::fromLatin1(Bad), V));
        EXPECT_EQ(V, 0);
    }
}

} // namespace
