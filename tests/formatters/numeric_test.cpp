// The numeric formatters: the float formatter's renderings, the
// notifications of property writes, the fetching of the record, defaults
// and the integer conversions.
#include "fixtures.h"

#include "brix/classes/exceptions.h"
#include "brix/formatters/numeric.h"

#include <cmath>
#include <functional>
#include <stdexcept>

using namespace Brix;
using BrixTest::RegionalFixture;
using BrixTest::TCountingClient;

namespace {

struct TFloatFlags
{
    bool Thousands = false;
    bool Lakh = false;
    bool Brackets = false;
    bool Trim = false;
    bool Sci = false;
    bool Blank = false;
    bool Plus = false;
};

void Apply(TBrixFloatFormatter &F, const TFloatFlags &Flags)
{
    F.SetShowThousands(Flags.Thousands);
    F.SetLakhFormatting(Flags.Lakh);
    F.SetBracketsForNegative(Flags.Brackets);
    F.SetTrimTrailingZeroes(Flags.Trim);
    F.SetSciRange(Flags.Sci);
    F.SetBlankWhenZero(Flags.Blank);
    F.SetShowPlusSign(Flags.Plus);
}

} // namespace

using FloatFormatter = RegionalFixture;

TEST_F(FloatFormatter, RendersValuesByItsFlags)
{
    struct Row
    {
        const char *Name;
        Extended Value;
        Byte Decimals;
        TFloatFlags Flags;
        const char *Expected;
    };
    TFloatFlags Thousands, Lakh, GroupedBrackets, Brackets, Trim, Sci, Blank, Plus, SciPlus,
        SciTrim, SciBlank, ThousandsTrim;
    Thousands.Thousands = true;
    Lakh.Lakh = true; // sets ShowThousands as well
    GroupedBrackets.Thousands = GroupedBrackets.Brackets = true;
    Brackets.Brackets = true;
    Trim.Trim = true;
    Sci.Sci = true;
    Blank.Blank = true;
    Plus.Plus = true;
    SciPlus.Sci = SciPlus.Plus = true;
    SciTrim.Sci = SciTrim.Trim = true;
    SciBlank.Sci = SciBlank.Blank = true;
    ThousandsTrim.Thousands = ThousandsTrim.Trim = true;

    const Row Rows[] = {
        {"a third", 1.0L / 3.0L, 4, {}, "0.3333"},
        {"fixed negative", -1234567.5L, 2, {}, "-1234567.50"},
        {"grouped", -1234567.5L, 2, Thousands, "-1,234,567.50"},
        {"lakh", -1234567.5L, 2, Lakh, "-12,34,567.50"},
        {"grouped brackets", -1234567.5L, 2, GroupedBrackets, "(1,234,567.50)"},
        {"plain brackets", -3, 2, Brackets, "(3.00)"},
        {"brackets leave positives alone", 3, 2, Brackets, "3.00"},
        {"trimmed fraction", 2.5L, 4, Trim, "2.5"},
        {"trimmed integer", 3, 4, Trim, "3"},
        {"grouped and trimmed", 1234567, 4, ThousandsTrim, "1,234,567"},
        {"caller's decimals", 2.5L, 0, {}, "3"},
        {"zero", 0, 4, {}, "0.0000"},
        {"trimmed zero", 0, 4, Trim, "0"},
        {"blank zero", 0, 4, Blank, ""},
        {"blank zero, scientific range", 0, 4, SciBlank, ""},
        {"blank only for zero", 1, 2, Blank, "1.00"},
        {"plus sign", 3, 4, Plus, "+3.0000"},
        {"plus sign, scientific", 1e10L, 4, SciPlus, "+1.0000E+10"},
        {"above SciMax", 1e10L, 4, Sci, "1.0000E+10"},
        {"negative above SciMax", -5e9L, 4, Sci, "-5.0000E+9"},
        {"below SciMin", 1e-8L, 4, Sci, "1.0000E-8"},
        {"exactly SciMax stays fixed", 1e9L, 4, Sci, "1000000000.0000"},
        {"exactly SciMin stays fixed", 1e-7L, 4, Sci, "0.0000"},
        {"zero never switches", 0, 4, Sci, "0.0000"},
        {"scientific trimmed", 1.5e10L, 4, SciTrim, "1.5E+10"},
        {"no range: tiny is fixed", 1e-8L, 4, {}, "0.0000"},
        {"no range: no fixed form", 1e20L, 4, {}, "1.0000E+20"},
        {"no fixed form is never grouped", 1e20L, 4, Thousands, "1.0000E+20"},
    };
    auto F = CreateOwned<TBrixFloatFormatter>();
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        F->Reset();
        Apply(*F, R.Flags);
        EXPECT_EQ(F->ExtendedToStr(R.Value, R.Decimals), QString::fromUtf8(R.Expected));
    }
}

TEST_F(FloatFormatter, ScientificRangeFollowsSciMaxAndSciMin)
{
    auto F = CreateOwned<TBrixFloatFormatter>();
    F->SetSciRange(true);
    F->SetSciMax(1000);
    F->SetSciMin(0.01);
    EXPECT_EQ(F->ExtendedToStr(1234.5L, 4), "1.2345E+3");
    EXPECT_EQ(F->ExtendedToStr(999, 2), "999.00");
    EXPECT_EQ(F->ExtendedToStr(0.001L, 2), "1.00E-3");
    EXPECT_EQ(F->ExtendedToStr(0.05L, 2), "0.05");
}

TEST_F(FloatFormatter, EachRealChangeNotifiesEveryClientOnce)
{
    auto F = CreateOwned<TBrixFloatFormatter>();
    auto A = CreateOwned<TCountingClient>();
    auto B = CreateOwned<TCountingClient>();
    F->RegisterForNotification(A.get());
    F->RegisterForNotification(B.get());

    struct Row
    {
        const char *Name;
        std::function<void(TBrixFloatFormatter &)> Write;
        int Notifications;
    };
    const Row Rows[] = {
        {"TrimTrailingZeroes on", [](auto &F) { F.SetTrimTrailingZeroes(true); }, 1},
        {"TrimTrailingZeroes again", [](auto &F) { F.SetTrimTrailingZeroes(true); }, 0},
        {"DecimalPlaces unchanged", [](auto &F) { F.SetDecimalPlaces(4); }, 0},
        {"DecimalPlaces", [](auto &F) { F.SetDecimalPlaces(6); }, 1},
        {"LeadingZeroes", [](auto &F) { F.SetLeadingZeroes(true); }, 1},
        {"ShowPlusSign", [](auto &F) { F.SetShowPlusSign(true); }, 1},
        {"Grouping", [](auto &F) { F.SetGrouping(egWord); }, 1},
        {"BlankWhenZero", [](auto &F) { F.SetBlankWhenZero(true); }, 1},
        {"BracketsForNegative", [](auto &F) { F.SetBracketsForNegative(true); }, 1},
        {"SciRange", [](auto &F) { F.SetSciRange(true); }, 1},
        {"LakhFormatting sets both", [](auto &F) { F.SetLakhFormatting(true); }, 1},
        {"ShowThousands already on", [](auto &F) { F.SetShowThousands(true); }, 0},
        {"ShowThousands off clears both", [](auto &F) { F.SetShowThousands(false); }, 1},
        {"LakhFormatting already off", [](auto &F) { F.SetLakhFormatting(false); }, 0},
        {"SciMax within tolerance", [](auto &F) { F.SetSciMax(1e9 + 1e-6); }, 0},
        {"SciMax negative", [](auto &F) { F.SetSciMax(-5e8); }, 1},
        {"SciMax same magnitude", [](auto &F) { F.SetSciMax(5e8); }, 0},
        {"SciMin unchanged", [](auto &F) { F.SetSciMin(1e-7); }, 0},
        {"SciMin", [](auto &F) { F.SetSciMin(-1e-5); }, 1},
        {"SciMax NaN ignored", [](auto &F) { F.SetSciMax(std::nan("")); }, 0},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const int Before = A->Changed;
        R.Write(*F);
        EXPECT_EQ(A->Changed - Before, R.Notifications);
        EXPECT_EQ(B->Changed, A->Changed);
    }
    EXPECT_FALSE(F->ShowThousands());
    EXPECT_FALSE(F->LakhFormatting());
    EXPECT_EQ(F->SciMax(), 5e8);
    EXPECT_EQ(F->SciMin(), 1e-5);

    // The coupling from the other side: Lakh on sets ShowThousands.
    F->SetLakhFormatting(true);
    EXPECT_TRUE(F->ShowThousands());

    // Reset writes fields and tells nobody.
    const int Before = A->Changed;
    F->Reset();
    EXPECT_EQ(A->Changed, Before);
    EXPECT_TRUE(F->UsingDefaults());

    // Freeing the formatter tells each client once.
    F.reset();
    EXPECT_EQ(A->Freed, 1);
    EXPECT_EQ(B->Freed, 1);
}

namespace {

// A client that renders one last value when the formatter goes, as a
// display would before it lets go of its formatter.
class TRenderingClient : public TBrixBaseClass
{
public:
    void LinkFreed(TBrixBaseClass *GivenClass) override
    {
        Last = static_cast<TBrixFloatFormatter *>(GivenClass)->ExtendedToStr(1.5L, 1);
    }

    QString Last;

protected:
    ~TRenderingClient() override = default;
};

} // namespace

TEST_F(FloatFormatter, IsStillWholeWhenItsClientsHearItGo)
{
    auto Client = CreateOwned<TRenderingClient>();
    auto *F = Create<TBrixFloatFormatter>();
    F->RegisterForNotification(Client.get());
    F->Free();
    EXPECT_EQ(Client->Last, "1.5");
}

TEST_F(FloatFormatter, FetchesTheRecordAfreshOnEveryCall)
{
    auto F = CreateOwned<TBrixFloatFormatter>();
    F->SetShowThousands(true);

    // Custom settings of its own.
    F->CustomSettings()->SetUseRegional(false);
    F->CustomSettings()->SetSeparators(u',', u'.');
    EXPECT_EQ(F->ExtendedToStr(-1234567.5L, 2), "-1.234.567,50");

    // A handler wins over the custom settings; it always starts from a
    // default record, whatever it did before.
    int Calls = 0;
    TObject *Seen = nullptr;
    F->SetOnCustomFormatting([&](TObject *Sender, TFormatSettings &S) {
        ++Calls;
        Seen = Sender;
        EXPECT_EQ(S.DecimalSeparator, u'.');
        S.DecimalSeparator = u'/';
        S.ThousandSeparator = u' ';
    });
    EXPECT_EQ(F->ExtendedToStr(1234.25L, 2), "1 234/25");
    EXPECT_EQ(F->ExtendedToStr(1234.25L, 2), "1 234/25");
    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(Seen, F.get());
    TFormatSettings Out;
    Out.DecimalSeparator = u'#'; // whatever the caller passes in is replaced
    F->FetchSettings(Out);
    EXPECT_EQ(Out.DecimalSeparator, u'/');

    // A handler that raises makes the formatting call raise.
    F->SetOnCustomFormatting(
        [](TObject *, TFormatSettings &) { throw EConvertError(QStringLiteral("no settings")); });
    EXPECT_THROW(F->ExtendedToStr(1, 2), EConvertError);

    F->SetOnCustomFormatting(nullptr);
    EXPECT_EQ(F->ExtendedToStr(1.5L, 1), "1,5");
}

TEST_F(FloatFormatter, AssigningCustomSettingsCopiesIntoItsOwnHolder)
{
    auto F = CreateOwned<TBrixFloatFormatter>();
    TBrixFormatSettings *Own = F->CustomSettings();
    {
        auto Other = CreateOwned<TBrixFormatSettings>();
        Other->SetLocaleName("de_DE");
        F->SetCustomSettings(Other.get());
    } // the source is gone; the formatter must not depend on it
    EXPECT_EQ(F->CustomSettings(), Own);
    EXPECT_FALSE(Own->UseRegional());
    EXPECT_EQ(F->ExtendedToStr(1.5L, 1), "1,5");

    auto Regional = CreateOwned<TBrixFormatSettings>();
    F->SetCustomSettings(Regional.get());
    EXPECT_TRUE(Own->UseRegional());
    EXPECT_EQ(F->ExtendedToStr(1.5L, 1), "1.5");
    F->SetCustomSettings(nullptr);
    EXPECT_EQ(F->CustomSettings(), Own);
}

TEST_F(FloatFormatter, ResetBringsTheRegionalRecordBack)
{
    auto F = CreateOwned<TBrixFloatFormatter>();
    F->CustomSettings()->SetUseRegional(false);
    F->CustomSettings()->SetSeparators(u',', u'.');
    EXPECT_FALSE(F->UsingDefaults());
    F->Reset();
    EXPECT_TRUE(FormatSettingsEqual(F->CustomSettings()->FormatSettings(), RegionalSettings()));
    EXPECT_TRUE(F->UsingDefaults());
    EXPECT_EQ(F->ExtendedToStr(1.5L, 1), "1.5");
}

using DataFormatters = RegionalFixture;

TEST_F(DataFormatters, ResetRestoresDefaultsOfEveryKind)
{
    auto Int = CreateOwned<TBrixIntegerFormatter>();
    auto Cur = CreateOwned<TBrixCurrencyFormatter>();
    auto Pct = CreateOwned<TBrixPercentFormatter>();
    auto Null = CreateOwned<TBrixNullFormatter>();

    EXPECT_TRUE(Int->UsingDefaults());
    EXPECT_TRUE(Cur->UsingDefaults());
    EXPECT_TRUE(Cur->ShowCurrencySymbol());
    EXPECT_TRUE(Pct->UsingDefaults());
    EXPECT_EQ(Pct->DecimalPlaces(), 2);
    EXPECT_TRUE(Pct->ShowPercentSymbol());
    EXPECT_TRUE(Null->UsingDefaults());
    EXPECT_EQ(Null->NullStr(), "<empty>");
    EXPECT_FALSE(Null->BlankWhenNull());

    Int->SetGrouping(egByte);
    Cur->SetShowCurrencySymbol(false);
    Pct->SetDecimalPlaces(4);
    Null->SetNullStr("<Empty>"); // case counts
    EXPECT_FALSE(Int->UsingDefaults());
    EXPECT_FALSE(Cur->UsingDefaults());
    EXPECT_FALSE(Pct->UsingDefaults());
    EXPECT_FALSE(Null->UsingDefaults());

    // The symbol flags are reset through their write accessors, so a client
    // hears of that change; the other fields are reset silently.
    auto Client = CreateOwned<TCountingClient>();
    Cur->RegisterForNotification(Client.get());
    Pct->RegisterForNotification(Client.get());
    Cur->Reset();
    EXPECT_EQ(Client->Changed, 1);
    Pct->Reset();
    EXPECT_EQ(Client->Changed, 1);
    Int->Reset();
    Null->Reset();
    EXPECT_TRUE(Int->UsingDefaults());
    EXPECT_TRUE(Cur->UsingDefaults());
    EXPECT_TRUE(Pct->UsingDefaults());
    EXPECT_EQ(Pct->DecimalPlaces(), 2);
    EXPECT_TRUE(Null->UsingDefaults());
    Cur->UnregisterForNotification(Client.get());
    Pct->UnregisterForNotification(Client.get());
}

TEST_F(DataFormatters, NullFormatterNotifiesRealChanges)
{
    auto Null = CreateOwned<TBrixNullFormatter>();
    auto Client = CreateOwned<TCountingClient>();
    Null->RegisterForNotification(Client.get());
    Null->SetNullStr("<empty>");
    Null->SetBlankWhenNull(false);
    EXPECT_EQ(Client->Changed, 0);
    Null->SetNullStr("n/a");
    Null->SetBlankWhenNull(true);
    EXPECT_EQ(Client->Changed, 2);
    Null->UnregisterForNotification(Client.get());
}

TEST_F(DataFormatters, IntegerTextBothWays)
{
    auto F = CreateOwned<TBrixIntegerFormatter>();
    EXPECT_EQ(F->IntToStr(1234567), "1234567");
    F->SetShowThousands(true);
    EXPECT_EQ(F->IntToStr(1234567), "1,234,567");
    EXPECT_EQ(F->IntToStr(-1234567), "-1,234,567");
    F->SetLakhFormatting(true);
    EXPECT_EQ(F->IntToStr(1234567), "12,34,567");
    F->SetShowPlusSign(true);
    EXPECT_EQ(F->IntToStr(1234), "+1,234");
    F->SetBlankWhenZero(true);
    EXPECT_EQ(F->IntToStr(0), "");

    struct Row
    {
        const char *Text;
        int Value;
    };
    const Row Rows[] = {
        {"1,234", 1234},
        {"abc", 0},
        {"", 0},
        {"12a", 12},
        {"-42", -42},
        {"0x1F", 31},
        {"3,000,000,000", 2147483647},
        {"-3000000000", -2147483647 - 1},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Text);
        EXPECT_EQ(F->StrToInt(QString::fromLatin1(R.Text)), R.Value);
    }
}
