// Calendar words: defaults of the word records and the month-name variants.
#include "brix/resources/calendar.h"

#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Brix;

TEST(CalendarTexts, DateStringsDefaults)
{
    TBrixDateStrings Strings;
    EXPECT_FALSE(Strings.UsingDefaults());
    Strings.SetDefaults();
    EXPECT_TRUE(Strings.UsingDefaults());
    EXPECT_EQ(Strings.StrToday, u"Today");
    EXPECT_EQ(Strings.StrTomorrow, u"Tomorrow");
    EXPECT_EQ(Strings.StrYesterday, u"Yesterday");
    EXPECT_EQ(Strings.StrBCE, u"BC");
    EXPECT_EQ(Strings.StrCE, u"AD");
    Strings.StrCE = QStringLiteral("ad");
    EXPECT_FALSE(Strings.UsingDefaults());
}

TEST(CalendarTexts, TimeAndDurationDefaults)
{
    TBrixTimeStrings Time;
    Time.SetDefaults();
    EXPECT_TRUE(Time.UsingDefaults());
    EXPECT_EQ(Time.StrMidnight + Time.StrNoon + Time.StrNow, u"MidnightNoonNow");
    Time.StrNoon = QStringLiteral("noon");
    EXPECT_FALSE(Time.UsingDefaults());

    TBrixDurationStrings Duration;
    Duration.SetDefaults();
    EXPECT_TRUE(Duration.UsingDefaults());
    const QStringList Words = {Duration.StrDays,    Duration.StrWeeks,   Duration.StrHours,
                               Duration.StrMinutes, Duration.StrSeconds, Duration.StrMilliseconds};
    EXPECT_EQ(Words.join(u','), u"days,weeks,hours,mins,secs,msecs");
    Duration.StrMilliseconds.clear();
    EXPECT_FALSE(Duration.UsingDefaults());
}

TEST(CalendarTexts, SharedValuesAreSetAtStart)
{
    EXPECT_TRUE(DefaultDateStrings.UsingDefaults());
    EXPECT_TRUE(DefaultTimeStrings.UsingDefaults());
    EXPECT_EQ(HebrewMonthNames[0], u"Nisan");
    EXPECT_EQ(HebrewMonthNames[11], u"Adar");
    EXPECT_EQ(MuslimMonthNames[7], u"Sha''baan");
    EXPECT_EQ(MuslimMonthNames[10], u"Zul Qa''dah");
}

TEST(CalendarTexts, HebrewAlternateChangesSevenMonths)
{
    TBrixMonthNames Default, Alternate;
    FillHebrewMonths(Default, hmDefault);
    FillHebrewMonths(Alternate, hmAlternate1);
    QList<int> Changed;
    for (int Month = 1; Month <= 12; ++Month)
        if (Default[Month - 1] != Alternate[Month - 1])
            Changed.append(Month);
    EXPECT_EQ(Changed, (QList<int>{1, 2, 3, 4, 5, 7, 11}));
    EXPECT_EQ(Alternate[10], u"Shvet");
    FillHebrewMonths(Alternate, hmDefault);
    EXPECT_EQ(Alternate, Default);
}

TEST(CalendarTexts, MuslimVariants)
{
    TBrixMonthNames Names;
    FillMuslimMonths(Names, mmAlternate1);
    EXPECT_EQ(Names[2], u"Rabi''al-Awwal");
    EXPECT_EQ(Names[10], u"Dhu ''l-Qa`da");
    EXPECT_EQ(Names[11], u"Dhu ''l-Hijja");
    FillMuslimMonths(Names, mmDefault);
    EXPECT_EQ(Names, MuslimMonthNames);
}
