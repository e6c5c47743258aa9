// The engine linked to a float formatter: values rendered by the formatter
// with the engine's decimals, the display grouped while typing, and the
// formatter's decimal separator for the entry keys.
#include "brix/calculator/engine.h"
#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"

#include "key_script.h"

#include <gtest/gtest.h>

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
    Press(*E, "v:1e10");
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
        {"the exponent stays ungrouped", false, "1 2 3 4 E - 1 2 3 4 5", "1,234E-12345", ""},
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
