// The engine linked to a float formatter: values rendered by the formatter
// with the engine's decimals, the display grouped while typing, and the
// formatter's decimal separator for the entry keys.
#include "brix/calculator/engine.h"
#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"

#include "key_script.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Brix;
using namespace BrixTest;

namespace {

class FormatterLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        F.reset(Create<TBrixFloatFormatter>());
        E.reset(Create<TBrixCalcEngine>());
        E->SetFormatter(F.get());
    }

    RegionalGuard Regional;
    TOwned<TBrixFloatFormatter> F;
    TOwned<TBrixCalcEngine> E;
};

TEST_F(FormatterLinkTest, TheFormatterRendersWithTheEnginesDecimals)
{
    F->SetDecimalPlaces(2);
    F->SetTrimTrailingZeroes(true);
    Press(*E, "1 / 3 = 1 / 4 =");
    EXPECT_EQ(E->GetDisplayStr(), "0.25");
    EXPECT_EQ(Tape(*E), "1|/|3|=|0.3333|1|/|4|=|0.25");

    F->SetTrimTrailingZeroes(false);
    F->SetSciRange(true);
    Press(*E, "value:1e10");
    EXPECT_EQ(E->GetDisplayStr(), "1.0000E+10");
    EXPECT_EQ(E->GetMemoryContents(), "0.0000");
}

TEST_F(FormatterLinkTest, DisplayIsGroupedWhileTyping)
{
    struct Row
    {
        const char *Name;
        bool Lakh;
        const char *Keys;
        const char *Display;
        const char *Tape;
    };
    const Row Rows[] = {
        {"thousands while typing", false, "1 2 3 4 5 6 7", "1,234,567", ""},
        {"lakh while typing", true, "1 2 3 4 5 6 7", "12,34,567", ""},
        {"decimals stay ungrouped", false, "1 2 3 4 . 5 6 7 8", "1,234.5678", ""},
        {"the exponent stays ungrouped", false, "1 2 3 4 exp - 1 2 3 4 5", "1,234E-12345", ""},
        {"a result is grouped once", false, "1 2 3 4 + 1 =", "1,235.0000",
         "1,234.0000|+|1.0000|=|1,235.0000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Engine->SetFormatter(F.get());
        F->SetShowThousands(true);
        F->SetLakhFormatting(R.Lakh);
        Press(*Engine, R.Keys);
        EXPECT_EQ(Engine->GetDisplayStr(), R.Display);
        EXPECT_EQ(Tape(*Engine), R.Tape);
        EXPECT_EQ(Engine->EntryText().contains(u','), false);
    }
}

// The formatter's options changed under a running engine: the display
// follows at once, the entry and the error display stay what they are.
TEST_F(FormatterLinkTest, RedrawDisplayFollowsNewFormatterOptions)
{
    struct Row
    {
        const char *Name;
        const char *Keys;
        bool Thousands, Trim;
        const char *Display;
    };
    const Row Rows[] = {
        {"a result, grouped", "1 2 3 4 5 6 7 =", true, false, "1,234,567.0000"},
        {"a result, trimmed", "1 / 4 =", false, true, "0.25"},
        {"a number being typed", "1 2 3 4 5 . 5", true, false, "12,345.5"},
        {"an error stays", "1 / 0 =", true, false, "Error!"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        F->SetShowThousands(false);
        F->SetTrimTrailingZeroes(false);
        Press(*E, "ac");
        Press(*E, R.Keys);
        const QString Entry = E->EntryText();
        const QString Tape_ = Tape(*E);
        int Changes = 0;
        E->SetOnDisplayChange([&](TObject *) { ++Changes; });
        F->SetShowThousands(R.Thousands);
        F->SetTrimTrailingZeroes(R.Trim);
        E->RedrawDisplay();
        E->SetOnDisplayChange(nullptr);
        EXPECT_TRUE(E->GetDisplayStr().startsWith(QString::fromUtf8(R.Display)))
            << E->GetDisplayStr().toStdString();
        EXPECT_EQ(E->EntryText(), Entry);
        EXPECT_EQ(Tape(*E), Tape_);
        EXPECT_EQ(Changes, QString::fromUtf8(R.Display) == "Error!" ? 0 : 1);
    }
}

TEST_F(FormatterLinkTest, EntryKeysTypeTheFormattersSeparator)
{
    F->CustomSettings()->SetUseRegional(false);
    F->CustomSettings()->SetSeparators(u',', u'.');
    Press(*E, "1 . 5 .");
    EXPECT_EQ(E->GetDisplayStr(), "1,5");
    EXPECT_EQ(E->LastCh(), u'.');
    // The entry is read with the separator it was typed with.
    EXPECT_EQ(E->AsFloat(), 1.5L);
    Press(*E, "* 2 =");
    EXPECT_EQ(E->AsFloat(), 3);
}

// A formatter with custom separators that clash with the regional ones
// (decimal "," and thousands "." on a "." / "," system): the digits are still
// grouped with the regional thousands separator wherever it does not clash,
// but never so that the decimal separator is taken for a group separator.
TEST_F(FormatterLinkTest, GroupingKeepsACustomDecimalSeparator)
{
    struct Row
    {
        const char *Name;
        QChar Thousands;
        const char *Keys;
        const char *Display;
    };
    const Row Rows[] = {
        {"typing", u'.', "1 2 3 4 . 5", "1.234,5"},
        {"a result", u'.', "1 2 3 4 . 5 =", "1.234,5000"},
        {"typing, custom thousands apart", u' ', "1 2 3 4 . 5", "1.234,5"},
        {"a result, custom thousands apart", u' ', "1 2 3 4 . 5 =", "1 234,5000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixFloatFormatter> Custom(Create<TBrixFloatFormatter>());
        Custom->CustomSettings()->SetUseRegional(false);
        Custom->CustomSettings()->SetSeparators(u',', R.Thousands);
        Custom->SetShowThousands(true);
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        Engine->SetFormatter(Custom.get());
        Press(*Engine, R.Keys);
        EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(R.Display));
        EXPECT_EQ(Engine->AsFloat(), 1234.5L);
    }
}

// More decimal places than the value's 18 significant digits reach: the
// fixed form ends at the 18th digit instead of padding with zeroes, with or
// without a formatter and whatever its options; the exponent form and
// values within the digits are untouched.
TEST_F(FormatterLinkTest, DisplayShowsNoDigitPastTheEighteenth)
{
    enum Options : unsigned
    {
        Plain = 1, // no formatter
        Thousands = 2,
        Lakh = 4,
        Trim = 8,
        Brackets = 16,
        Sci = 32,
        Comma = 64, // custom separators: decimal ',' and thousands '.'
    };
    // 142857.142857142857142..
    const Extended Seventh = 1000000.0L / 7;
    const Extended BigThird = 123456789012000000.0L + 1.0L / 3; // fraction 0.3359375
    struct Row
    {
        const char *Name;
        Extended Value;
        int Decimals;
        unsigned Options;
        const char *Display;
    };
    const Row Rows[] = {
        {"plain: ends at the 18th digit", Seventh, 18, Plain, "142857.142857142857"},
        {"plain: negative", -Seventh, 18, Plain, "-142857.142857142857"},
        {"plain: zeroes within the digits stay", 0.25L, 18, Plain, "0.250000000000000000"},
        {"plain: below 1 all 18 places", 1.0L / 3, 18, Plain, "0.333333333333333333"},
        {"plain: no decimal known, no separator", BigThird, 18, Plain, "123456789012000000"},
        {"plain: carry to 1 takes a place", std::nextafter(1.0L, 0.0L), 18, Plain,
         "1.00000000000000000"},
        {"plain: carry to 10", std::nextafter(10.0L, 0.0L), 18, Plain, "10.0000000000000000"},
        {"plain: 4 places as before", Seventh, 4, Plain, "142857.1429"},
        {"plain: exponent form keeps 18 digits", 1e20L / 7, 18, Plain, "1.42857142857142857E+19"},
        {"plain: zero", 0, 18, Plain, "0.000000000000000000"},
        {"formatter: plain options", Seventh, 18, 0, "142857.142857142857"},
        {"thousands", Seventh, 18, Thousands, "142,857.142857142857"},
        {"thousands, no decimal", BigThird, 18, Thousands, "123,456,789,012,000,000"},
        {"lakh", 10000000.0L / 7, 18, Thousands | Lakh, "14,28,571.42857142857"},
        {"brackets", -Seventh, 18, Brackets | Thousands, "(142,857.142857142857)"},
        {"trimmed", 1.5L, 18, Trim, "1.5"},
        {"trimmed, carry", std::nextafter(1.0L, 0.0L), 18, Trim, "1"},
        {"sci range: exponent form keeps its places", 1e10L / 7, 18, Sci, "1.42857142857142857E+9"},
        {"sci range: fixed form within it ends", Seventh, 18, Sci, "142857.142857142857"},
        {"sci range: 4 places as before", 1e10L / 7, 4, Sci, "1.4286E+9"},
        {"custom separators", Seventh, 18, Comma | Thousands, "142.857,142857142857"},
        {"custom separators, no decimal", BigThird, 18, Comma, "123456789012000000"},
        {"grouped at 4 places as before", 1234567.891L, 4, Thousands, "1,234,567.8910"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TOwned<TBrixFloatFormatter> Custom(Create<TBrixFloatFormatter>());
        Custom->SetShowThousands(R.Options & Thousands);
        Custom->SetLakhFormatting(R.Options & Lakh);
        Custom->SetTrimTrailingZeroes(R.Options & Trim);
        Custom->SetBracketsForNegative(R.Options & Brackets);
        Custom->SetSciRange(R.Options & Sci);
        if (R.Options & Comma) {
            Custom->CustomSettings()->SetUseRegional(false);
            Custom->CustomSettings()->SetSeparators(u',', u'.');
        }
        TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
        if (!(R.Options & Plain))
            Engine->SetFormatter(Custom.get());
        Engine->SetDecimalPlaces(Byte(R.Decimals));
        Engine->InputValue(R.Value);
        EXPECT_EQ(Engine->GetDisplayStr(), QString::fromUtf8(R.Display));
        EXPECT_EQ(Engine->DecimalPlaces(), R.Decimals);
    }
}

// The memory display and the tape lines take the same text as the display.
TEST_F(FormatterLinkTest, MemoryAndTapeShowNoDigitPastTheEighteenth)
{
    F->SetShowThousands(true);
    E->SetMemoryHistory(true);
    E->SetDecimalPlaces(18);
    Press(*E, "1 / 7 * 1000000 = m+");
    const QString Text = QStringLiteral("142,857.142857142857");
    EXPECT_EQ(E->GetDisplayStr(), Text);
    EXPECT_EQ(E->GetMemoryContents(), Text);
    const QStringList Lines = Tape(*E).split(u'|');
    EXPECT_TRUE(Lines.contains(QStringLiteral("1.00000000000000000"))) << Tape(*E).toStdString();
    EXPECT_TRUE(Lines.contains(Text)) << Tape(*E).toStdString();
    EXPECT_FALSE(Tape(*E).contains(QStringLiteral("857000"))) << Tape(*E).toStdString();
}

TEST_F(FormatterLinkTest, LinkRegistersAndUnregisters)
{
    EXPECT_TRUE(F->NotificationClients().contains(E.get()));
    // The same formatter again: unregistered and registered, held once.
    E->SetFormatter(F.get());
    EXPECT_EQ(F->NotificationClients().count(E.get()), 1);
    // No formatter: the display stays as it is until the next key.
    F->SetShowThousands(true);
    Press(*E, "1 2 3 4");
    E->SetFormatter(nullptr);
    EXPECT_FALSE(F->NotificationClients().contains(E.get()));
    EXPECT_EQ(E->GetDisplayStr(), "1,234");
    Press(*E, "5");
    EXPECT_EQ(E->GetDisplayStr(), "12345");
    E->SetFormatter(F.get());
    TOwned<TBrixFloatFormatter> Other(Create<TBrixFloatFormatter>());
    E->SetFormatter(Other.get());
    EXPECT_FALSE(F->NotificationClients().contains(E.get()));
    EXPECT_TRUE(Other->NotificationClients().contains(E.get()));
    E.reset();
    EXPECT_TRUE(Other->NotificationClients().isEmpty());
}

TEST_F(FormatterLinkTest, FormatterFreedFirstIsForgotten)
{
    F.reset();
    EXPECT_EQ(E->Formatter(), nullptr);
    Press(*E, "1 / 4 =");
    EXPECT_EQ(E->GetDisplayStr(), "0.2500");
    E.reset(); // must not touch the freed formatter
}

} // namespace
