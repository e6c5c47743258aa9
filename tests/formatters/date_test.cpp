// The date formatter as a settings holder, and its section.
#include "fixtures.h"

#include "brix/formatters/date.h"

using namespace Brix;
using BrixTest::RegionalFixture;
using BrixTest::TCountingClient;

using DateFormatter = RegionalFixture;

TEST_F(DateFormatter, StartsAtItsDefaults)
{
    auto F = CreateOwned<TBrixDateFormatter>();
    EXPECT_TRUE(F->UsingDefaults());
    EXPECT_EQ(F->StrToday(), "Today");
    EXPECT_EQ(F->StrMilliseconds(), "msecs");
    EXPECT_EQ(F->CustomBCE(), "BC");
    EXPECT_EQ(F->CustomCE(), "AD");
    EXPECT_EQ(F->EraAbbrev(), eaSpaceBCOnly);
    EXPECT_EQ(F->DurationSeparator(), u':');
    EXPECT_EQ(F->YearImplied(), yiCutOff);
    EXPECT_EQ(F->HebrewMonths()[0], "Nisan");
    EXPECT_EQ(F->MuslimMonths()[7], "Sha''baan");
    EXPECT_TRUE(F->AreDefaultHebrewMonthsSet());
    EXPECT_TRUE(F->AreDefaultMuslimMonthsSet());
}

TEST_F(DateFormatter, MonthTypesRefillTheirNamesBeforeNotifying)
{
    auto F = CreateOwned<TBrixDateFormatter>();
    auto Client = CreateOwned<TCountingClient>();
    F->RegisterForNotification(Client.get());

    F->SetHebrewMonthType(hmAlternate1);
    EXPECT_EQ(Client->Changed, 1);
    EXPECT_EQ(F->HebrewMonths()[0], "Nissan");
    EXPECT_FALSE(F->AreDefaultHebrewMonthsSet());
    EXPECT_FALSE(F->UsingDefaults());
    F->SetHebrewMonthType(hmDefault);
    EXPECT_TRUE(F->AreDefaultHebrewMonthsSet());
    EXPECT_TRUE(F->UsingDefaults());

    F->SetMuslimMonthType(mmAlternate1);
    EXPECT_EQ(F->MuslimMonths()[8], "Ramadan");
    EXPECT_FALSE(F->AreDefaultMuslimMonthsSet());
    F->Reset();
    EXPECT_TRUE(F->AreDefaultMuslimMonthsSet());
    EXPECT_TRUE(F->UsingDefaults());
    EXPECT_EQ(Client->Changed, 3); // Reset itself tells nobody
    F->UnregisterForNotification(Client.get());
}

TEST_F(DateFormatter, SettingWritesNotifyAndWordWritesAreSilent)
{
    auto F = CreateOwned<TBrixDateFormatter>();
    auto Client = CreateOwned<TCountingClient>();
    F->RegisterForNotification(Client.get());

    F->SetDurationSeparator(u':');
    F->SetEraAbbrev(eaSpaceBCOnly);
    EXPECT_EQ(Client->Changed, 0);

    F->SetDurationSeparator(u'.');
    F->SetCustomCE("CE");
    F->SetDateOrder(edoYMD);
    F->SetTimeDisplayType(tdAMPM);
    EXPECT_EQ(Client->Changed, 4);

    F->SetStrToday("today");
    EXPECT_EQ(Client->Changed, 4);
    EXPECT_EQ(F->StrToday(), "today");
    F->UnregisterForNotification(Client.get());
}

TEST_F(DateFormatter, EveryPropertyCountsTowardsUsingDefaults)
{
    struct Row
    {
        const char *Name;
        void (*Change)(TBrixDateFormatter &);
    };
    const Row Rows[] = {
        {"StrToday lower case", [](TBrixDateFormatter &F) { F.SetStrToday("today"); }},
        {"StrNoon", [](TBrixDateFormatter &F) { F.SetStrNoon("noon"); }},
        {"StrSeconds", [](TBrixDateFormatter &F) { F.SetStrSeconds("s"); }},
        {"CustomBCE", [](TBrixDateFormatter &F) { F.SetCustomBCE("BCE"); }},
        {"EraLayout", [](TBrixDateFormatter &F) { F.SetEraLayout(elNumeric); }},
        {"DateOrder", [](TBrixDateFormatter &F) { F.SetDateOrder(edoDMY); }},
        {"InclDOW", [](TBrixDateFormatter &F) { F.SetInclDOW(true); }},
        {"UseCommonNames", [](TBrixDateFormatter &F) { F.SetUseCommonNames(true); }},
        {"TimeLayoutType", [](TBrixDateFormatter &F) { F.SetTimeLayoutType(tlHourMin); }},
        {"CalendarType", [](TBrixDateFormatter &F) { F.SetCalendarType(brixJulian); }},
        {"YearImplied", [](TBrixDateFormatter &F) { F.SetYearImplied(yiAsIs); }},
        {"TrimTrailingZeroes", [](TBrixDateFormatter &F) { F.SetTrimTrailingZeroes(true); }},
        {"ShowThousands", [](TBrixDateFormatter &F) { F.SetShowThousands(true); }},
    };
    auto F = CreateOwned<TBrixDateFormatter>();
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        F->Reset();
        ASSERT_TRUE(F->UsingDefaults());
        R.Change(*F);
        EXPECT_FALSE(F->UsingDefaults());
    }
}

TEST_F(DateFormatter, SectionForwardsSignalsAndStoresWhatDiffers)
{
    TBrixDateSection S;
    int Signals = 0;
    S.SetOnChange([&](TObject *) { ++Signals; });
    EXPECT_TRUE(S.AllDefaults());
    EXPECT_TRUE(S.StoredProperties().isEmpty());

    S.SetStrToday("Today"); // unchanged
    S.SetDurationSeparator(u':');
    EXPECT_EQ(Signals, 0);

    S.SetStrToday("today");
    S.SetLakhFormatting(true);
    S.SetHebrewMonthType(hmAlternate1);
    EXPECT_EQ(Signals, 3);
    EXPECT_EQ(S.DateFormatter()->StrToday(), "today");
    EXPECT_TRUE(S.ShowThousands()); // the formatter's coupling applies
    EXPECT_FALSE(S.AllDefaults());
    EXPECT_EQ(S.StoredProperties(),
              QStringList({"ShowThousands", "LakhFormatting", "StrToday", "HebrewMonthType"}));

    TFormatSettings Custom = RegionalSettings();
    Custom.DecimalSeparator = u',';
    Custom.ThousandSeparator = u'.';
    S.SetCustomSettings(Custom);
    S.SetCustomSettings(Custom);
    EXPECT_EQ(Signals, 4);
    EXPECT_FALSE(S.DateFormatter()->CustomSettings()->UseRegional());

    S.SetAllDefaults(true);
    EXPECT_EQ(Signals, 5);
    EXPECT_TRUE(S.AllDefaults());
    EXPECT_EQ(S.StrToday(), "Today");
}
