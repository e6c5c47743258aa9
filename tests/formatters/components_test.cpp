// The formatter component: its sections, the events and notifications each
// change raises, the shared format settings, loading and teardown.
#include "fixtures.h"

#include "brix/formatters/components.h"

#include <cmath>
#include <memory>

using namespace Brix;
using BrixTest::RegionalFixture;

namespace {

// A component linked to the formatter, as the calculator component and the
// edit boxes are.
class TLinkedComponent : public TBrixBaseComponent
{
public:
    explicit TLinkedComponent(TComponent *AOwner) : TBrixBaseComponent(AOwner) {}

    void LinkChanged(TBrixBaseComponent *) override { ++Changed; }
    void LinkFreed(TBrixBaseComponent *Sender) override
    {
        ++Freed;
        auto *F = static_cast<TBrixFormatter *>(Sender);
        SectionsGoneWhenFreed = !F->FormatSettings() && !F->FloatSettings() && !F->DateSettings();
    }

    int Changed = 0;
    int Freed = 0;
    bool SectionsGoneWhenFreed = false;
};

// Counts of every event the component raises.
struct TEventCounts
{
    int Format = 0, Null = 0, Integer = 0, Float = 0, Currency = 0, Percent = 0, Date = 0,
        Change = 0;
};

class FormatterComponent : public RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        Owner = std::make_unique<TComponent>(nullptr);
        F = TBrixFormatter::Create(Owner.get());
        A = Brix::Create<TLinkedComponent>(Owner.get());
        B = Brix::Create<TLinkedComponent>(Owner.get());
        F->RegisterForNotification(A);
        F->RegisterForNotification(B);
        F->SetOnFormatSettingsChange([this](TObject *) { ++Events.Format; });
        F->SetOnNullSettingsChange([this](TObject *) { ++Events.Null; });
        F->SetOnIntegerSettingsChange([this](TObject *) { ++Events.Integer; });
        F->SetOnFloatSettingsChange([this](TObject *) { ++Events.Float; });
        F->SetOnCurrencySettingsChange([this](TObject *) { ++Events.Currency; });
        F->SetOnPercentSettingsChange([this](TObject *) { ++Events.Percent; });
        F->SetOnDateSettingsChange([this](TObject *) { ++Events.Date; });
        F->SetOnChange([this](TObject *) { ++Events.Change; });
    }
    void TearDown() override
    {
        Owner.reset();
        RegionalFixture::TearDown();
    }

    std::unique_ptr<TComponent> Owner;
    TBrixFormatter *F = nullptr;
    TLinkedComponent *A = nullptr;
    TLinkedComponent *B = nullptr;
    TEventCounts Events;
};

} // namespace

TEST_F(FormatterComponent, ASectionChangeRaisesItsEventOnChangeAndOneLinkChanged)
{
    struct Row
    {
        const char *Name;
        void (*Write)(TBrixFormatter &);
        int TEventCounts::*Event;
    };
    const Row Rows[] = {
        {"null", [](TBrixFormatter &F) { F.NullSettings()->SetNullStr("-"); }, &TEventCounts::Null},
        {"integer", [](TBrixFormatter &F) { F.IntegerSettings()->SetShowPlusSign(true); },
         &TEventCounts::Integer},
        {"float", [](TBrixFormatter &F) { F.FloatSettings()->SetTrimTrailingZeroes(true); },
         &TEventCounts::Float},
        {"float SciMax", [](TBrixFormatter &F) { F.FloatSettings()->SetSciMax(1e6); },
         &TEventCounts::Float},
        {"currency", [](TBrixFormatter &F) { F.CurrencySettings()->SetShowCurrencySymbol(false); },
         &TEventCounts::Currency},
        {"percent", [](TBrixFormatter &F) { F.PercentSettings()->SetDecimalPlaces(3); },
         &TEventCounts::Percent},
        {"date", [](TBrixFormatter &F) { F.DateSettings()->SetInclDOW(true); },
         &TEventCounts::Date},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const TEventCounts Before = Events;
        const int LinkBefore = A->Changed;
        R.Write(*F);
        EXPECT_EQ(Events.*R.Event - Before.*R.Event, 1);
        EXPECT_EQ(Events.Change - Before.Change, 1);
        EXPECT_EQ(A->Changed - LinkBefore, 1);
        EXPECT_EQ(B->Changed, A->Changed);
        // The same value again raises nothing.
        R.Write(*F);
        EXPECT_EQ(Events.*R.Event - Before.*R.Event, 1);
        EXPECT_EQ(Events.Change - Before.Change, 1);
        EXPECT_EQ(A->Changed - LinkBefore, 1);
    }
    EXPECT_EQ(Events.Format, 0);
    EXPECT_TRUE(F->FloatFormatter()->TrimTrailingZeroes());
}

TEST_F(FormatterComponent, FormatSettingsReachEveryFormatterAndTheirSections)
{
    TBrixFormatSettingsSection *FS = F->FormatSettings();
    FS->SetUseRegional(false);
    // The record is unchanged, so no data section's CustomSettings changes.
    EXPECT_EQ(Events.Format, 1);
    EXPECT_EQ(Events.Change, 1);
    EXPECT_EQ(A->Changed, 1);
    EXPECT_EQ(Events.Integer + Events.Float + Events.Currency + Events.Percent + Events.Date, 0);

    FS->SetThousandSeparator(u' ');
    FS->SetSeparators(u',', u'.');
    // Each write: the format event, and each of the five value sections
    // whose CustomSettings changed; the null section has none.
    EXPECT_EQ(Events.Format, 3);
    EXPECT_EQ(Events.Integer, 2);
    EXPECT_EQ(Events.Float, 2);
    EXPECT_EQ(Events.Currency, 2);
    EXPECT_EQ(Events.Percent, 2);
    EXPECT_EQ(Events.Date, 2);
    EXPECT_EQ(Events.Null, 0);
    EXPECT_EQ(Events.Change, 1 + 2 * 6);
    EXPECT_EQ(A->Changed, 1 + 2 * 6);
    EXPECT_EQ(B->Changed, A->Changed);

    F->FloatSettings()->SetShowThousands(true);
    EXPECT_EQ(F->FloatFormatter()->ExtendedToStr(-1234567.5L, 2), "-1.234.567,50");
    EXPECT_EQ(F->FloatSettings()->CustomSettings().DecimalSeparator, u',');
    EXPECT_FALSE(F->FloatFormatter()->CustomSettings()->UseRegional());
    EXPECT_EQ(F->FormatSettingsRecord().DecimalSeparator, u',');
}

TEST_F(FormatterComponent, FormattersUseTheSectionRecordWhateverTheirOwnHolds)
{
    // The formatter's own custom record says ';', the component's says '.'.
    F->FloatFormatter()->CustomSettings()->SetUseRegional(false);
    F->FloatFormatter()->CustomSettings()->SetDecimalSeparator(u';');
    EXPECT_EQ(F->FloatFormatter()->ExtendedToStr(1.5L, 1), "1.5");
}

TEST_F(FormatterComponent, AnIgnoredOrUnchangedRangeLimitRaisesNothing)
{
    // The float formatter ignores a NaN limit, so its section has nothing to
    // announce either.
    TBrixFloatSection *FL = F->FloatSettings();
    FL->SetSciMax(std::nan(""));
    FL->SetSciMin(std::nan(""));
    EXPECT_EQ(FL->SciMax(), 1e9);
    EXPECT_EQ(FL->SciMin(), 1e-7);
    EXPECT_EQ(Events.Float + Events.Change, 0);
    EXPECT_EQ(A->Changed, 0);
    EXPECT_TRUE(FL->AllDefaults());

    // The formatter keeps magnitudes: the negative of the current limit
    // changes nothing, so nothing is announced; a new magnitude is.
    FL->SetSciMax(-1e9);
    FL->SetSciMin(-1e-7);
    EXPECT_EQ(Events.Float + Events.Change, 0);
    EXPECT_EQ(A->Changed, 0);
    FL->SetSciMax(-2e9);
    EXPECT_EQ(FL->SciMax(), 2e9);
    EXPECT_EQ(Events.Float, 1);
    EXPECT_EQ(A->Changed, 1);
}

TEST_F(FormatterComponent, AllDefaultsResetsASection)
{
    TBrixFloatSection *FL = F->FloatSettings();
    FL->SetDecimalPlaces(7);
    FL->SetSciRange(true);
    FL->SetSciMax(5e10);
    FL->SetSciMin(1e-3);
    FL->SetLakhFormatting(true);
    EXPECT_FALSE(FL->AllDefaults());
    const int ChangesBefore = Events.Change;

    FL->SetAllDefaults(true);
    EXPECT_EQ(Events.Change - ChangesBefore, 1);
    EXPECT_TRUE(FL->AllDefaults());
    EXPECT_EQ(FL->DecimalPlaces(), 4);
    EXPECT_EQ(FL->SciMax(), 1e9);
    EXPECT_EQ(FL->SciMin(), 1e-7);
    EXPECT_FALSE(FL->SciRange());
    EXPECT_FALSE(FL->ShowThousands());
    EXPECT_FALSE(FL->LakhFormatting());
    EXPECT_TRUE(FL->StoredProperties().isEmpty());
}

TEST_F(FormatterComponent, IntToStrGoesThroughTheIntegerSection)
{
    F->IntegerSettings()->SetShowThousands(true);
    EXPECT_EQ(F->IntToStr(1234567), "1,234,567");
    F->IntegerSettings()->SetLakhFormatting(true);
    EXPECT_EQ(F->IntToStr(1234567), "12,34,567");
    EXPECT_EQ(F->StrToInt("12,34,567"), 1234567);
    EXPECT_EQ(F->StrToInt("x"), 0);
}

TEST_F(FormatterComponent, StoredValuesFollowTheDeclaredDefaults)
{
    // The percent section declares 4 decimals while its formatter resets to
    // 2, so a fresh percent section stores its decimals.
    EXPECT_EQ(F->PercentSettings()->DecimalPlaces(), 2);
    EXPECT_EQ(F->PercentSettings()->StoredProperties(), QStringList({"DecimalPlaces"}));
    F->PercentSettings()->SetDecimalPlaces(4);
    EXPECT_TRUE(F->PercentSettings()->StoredProperties().isEmpty());

    EXPECT_TRUE(F->FloatSettings()->StoredProperties().isEmpty());
    F->FloatSettings()->SetSciMax(1e9 + 1e-6); // within tolerance: nothing
    EXPECT_TRUE(F->FloatSettings()->StoredProperties().isEmpty());
    F->FloatSettings()->SetSciMin(2e-7);
    EXPECT_EQ(F->FloatSettings()->StoredProperties(), QStringList({"SciMin"}));
    F->CurrencySettings()->SetShowCurrencySymbol(false);
    EXPECT_EQ(F->CurrencySettings()->StoredProperties(), QStringList({"ShowCurrencySymbol"}));
    F->NullSettings()->SetBlankWhenNull(true);
    EXPECT_EQ(F->NullSettings()->StoredProperties(), QStringList({"BlankWhenNull"}));
}

TEST_F(FormatterComponent, LoadingIsSilentUntilLoadedSendsOneLinkChanged)
{
    Owner->BeginLoading();
    F->FloatSettings()->SetTrimTrailingZeroes(true);
    F->PercentSettings()->SetDecimalPlaces(3);
    F->FormatSettings()->SetUseRegional(false);
    F->FormatSettings()->SetSeparators(u',', u'.');
    EXPECT_EQ(A->Changed, 0);
    EXPECT_EQ(Events.Change + Events.Format + Events.Float, 0);
    Owner->EndLoading();

    EXPECT_EQ(A->Changed, 1);
    EXPECT_EQ(B->Changed, 1);
    EXPECT_EQ(Events.Change, 0);
    // The loaded record reaches the formatters through SupplySettings ...
    EXPECT_EQ(F->FloatFormatter()->ExtendedToStr(1.5L, 1), "1,5");
    // ... but their own CustomSettings catch up only at the next change.
    EXPECT_EQ(F->FloatSettings()->CustomSettings().DecimalSeparator, u'.');
    F->FormatSettings()->SetThousandSeparator(u' ');
    EXPECT_EQ(F->FloatSettings()->CustomSettings().DecimalSeparator, u',');
}

TEST_F(FormatterComponent, TeardownReleasesSectionsSilentlyThenTellsEveryLink)
{
    auto *Engine = Brix::Create<BrixTest::TCountingClient>();
    F->FloatFormatter()->RegisterForNotification(Engine);

    const TEventCounts Before = Events;
    const int ChangedBefore = A->Changed;
    F->Free();
    EXPECT_EQ(A->Freed, 1);
    EXPECT_EQ(B->Freed, 1);
    EXPECT_TRUE(A->SectionsGoneWhenFreed);
    EXPECT_EQ(A->Changed, ChangedBefore);
    EXPECT_EQ(Events.Change, Before.Change);
    EXPECT_EQ(Events.Float, Before.Float);
    // A client of the float formatter itself hears that it went.
    EXPECT_EQ(Engine->Freed, 1);
    Engine->Free();
}
