// Format settings: the record comparison, the QLocale filling, and the two
// holders in their regional and custom states.
#include "fixtures.h"

#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"

#include <functional>

using namespace Brix;
using BrixTest::RegionalFixture;

namespace {

TFormatSettings Sample()
{
    return TFormatSettings::FromLocale(QLocale(QStringLiteral("en_US")));
}

} // namespace

TEST(FormatSettingsEqual, EveryComparedFieldCountsAndLocaleNameDoesNot)
{
    struct Row
    {
        const char *Name;
        std::function<void(TFormatSettings &)> Change;
        bool Equal;
    };
    const Row Rows[] = {
        {"CurrencyString", [](TFormatSettings &S) { S.CurrencyString += u'x'; }, false},
        {"CurrencyString case", [](TFormatSettings &S) { S.CurrencyString = "EUR"; }, false},
        {"CurrencyFormat", [](TFormatSettings &S) { S.CurrencyFormat ^= 1; }, false},
        {"CurrencyDecimals", [](TFormatSettings &S) { ++S.CurrencyDecimals; }, false},
        {"DateSeparator", [](TFormatSettings &S) { S.DateSeparator = u'#'; }, false},
        {"TimeSeparator", [](TFormatSettings &S) { S.TimeSeparator = u'#'; }, false},
        {"ListSeparator", [](TFormatSettings &S) { S.ListSeparator = u'#'; }, false},
        {"ShortDateFormat", [](TFormatSettings &S) { S.ShortDateFormat += u'x'; }, false},
        {"LongDateFormat", [](TFormatSettings &S) { S.LongDateFormat += u'x'; }, false},
        {"TimeAMString", [](TFormatSettings &S) { S.TimeAMString = S.TimeAMString.toLower(); },
         false},
        {"TimePMString", [](TFormatSettings &S) { S.TimePMString += u'x'; }, false},
        {"ShortTimeFormat", [](TFormatSettings &S) { S.ShortTimeFormat += u'x'; }, false},
        {"LongTimeFormat", [](TFormatSettings &S) { S.LongTimeFormat += u'x'; }, false},
        {"ThousandSeparator", [](TFormatSettings &S) { S.ThousandSeparator = u'#'; }, false},
        {"DecimalSeparator", [](TFormatSettings &S) { S.DecimalSeparator = u'#'; }, false},
        {"TwoDigitYearCenturyWindow", [](TFormatSettings &S) { ++S.TwoDigitYearCenturyWindow; },
         false},
        {"NegCurrFormat", [](TFormatSettings &S) { S.NegCurrFormat ^= 1; }, false},
        {"last short month", [](TFormatSettings &S) { S.ShortMonthNames[11] += u'x'; }, false},
        {"first long month", [](TFormatSettings &S) { S.LongMonthNames[0] += u'x'; }, false},
        {"short day", [](TFormatSettings &S) { S.ShortDayNames[3] += u'x'; }, false},
        {"last long day", [](TFormatSettings &S) { S.LongDayNames[6] += u'x'; }, false},
        {"LocaleName only", [](TFormatSettings &S) { S.LocaleName = "xx_XX"; }, true},
    };
    const TFormatSettings A = Sample();
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TFormatSettings B = A;
        R.Change(B);
        EXPECT_EQ(FormatSettingsEqual(A, B), R.Equal);
        EXPECT_EQ(FormatSettingsEqual(B, A), R.Equal);
    }
    EXPECT_TRUE(FormatSettingsEqual(A, A));
}

// Expected values are what Qt 6.4's locale data writes for 1 and -1 in each
// currency (checked by printing QLocale::toCurrencyString).
TEST(FromLocale, ReadsSeparatorsCurrencyLayoutsAndPatterns)
{
    struct Row
    {
        const char *Name;
        QChar Decimal, Thousand, Date, Time, List;
        Byte CurrencyFormat, NegCurrFormat, CurrencyDecimals;
        const char *ShortDate;
    };
    const Row Rows[] = {
        // "$1.00" / "($1.00)"
        {"en_US", u'.', u',', u'/', u':', u',', 0, 0, 2, "M/d/yy"},
        // "1,00 €" / "-1,00 €"
        {"de_DE", u',', u'.', u'.', u':', u';', 3, 8, 2, "dd.MM.yy"},
        // "￥1" / "(￥1)": no decimals for the yen
        {"ja_JP", u'.', u',', u'/', u':', u',', 0, 0, 0, "yyyy/MM/dd"},
        // "€ 1,00" / "(€ 1,00)"
        {"nl_NL", u',', u'.', u'-', u':', u';', 2, 14, 2, "dd-MM-yyyy"},
        // "R$ 1,00" / "R$ -1,00"
        {"pt_BR", u',', u'.', u'/', u':', u';', 2, 12, 2, "dd/MM/yyyy"},
        // "₹1.00" / "₹-1.00"
        {"hi_IN", u'.', u',', u'/', u':', u',', 0, 2, 2, "d/M/yy"},
        // "1,00 €" / "−1,00 €" (U+2212 minus); "H.mm"
        {"fi_FI", u',', QChar(0x00A0), u'.', u'.', u';', 3, 8, 2, "d.M.yyyy"},
        // "1.00 ₪" / LRM "-1.00 ₪": the bidirectional mark is no layout
        {"he_IL", u'.', u',', u'.', u':', u',', 3, 8, 2, "d.M.yyyy"},
        // No currency symbol: the layouts cannot be read off and stay at
        // their defaults; "d MMM yyyy" has no separator.
        {"C", u'.', u',', u'/', u':', u',', 0, 1, 2, "d MMM yyyy"},
        // "١٫٠٠ ج.م.‏" / ALM "-١٫٠٠ ج.م.‏"; the short date has RLM marks
        // before each '/'
        {"ar_EG", QChar(0x066B), QChar(0x066C), u'/', u':', u',', 3, 8, 2, "d\u200F/M\u200F/yyyy"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const TFormatSettings S = TFormatSettings::FromLocale(QLocale(QString::fromLatin1(R.Name)));
        EXPECT_EQ(S.DecimalSeparator, R.Decimal);
        EXPECT_EQ(S.ThousandSeparator, R.Thousand);
        EXPECT_EQ(S.DateSeparator, R.Date);
        EXPECT_EQ(S.TimeSeparator, R.Time);
        EXPECT_EQ(S.ListSeparator, R.List);
        EXPECT_EQ(S.CurrencyFormat, R.CurrencyFormat);
        EXPECT_EQ(S.NegCurrFormat, R.NegCurrFormat);
        EXPECT_EQ(S.CurrencyDecimals, R.CurrencyDecimals);
        EXPECT_EQ(S.ShortDateFormat, QString::fromUtf8(R.ShortDate));
        EXPECT_EQ(S.LocaleName, QString::fromLatin1(R.Name));
        EXPECT_EQ(S.TwoDigitYearCenturyWindow, 50);
    }
}

TEST(FromLocale, NamesAndMarkersComeFromTheLocale)
{
    const TFormatSettings S = TFormatSettings::FromLocale(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(S.CurrencyString, "$");
    EXPECT_EQ(S.TimeAMString, "AM");
    EXPECT_EQ(S.TimePMString, "PM");
    EXPECT_EQ(S.LongMonthNames[0], "January");
    EXPECT_EQ(S.ShortMonthNames[11], "Dec");
    EXPECT_EQ(S.LongDayNames[0], "Sunday"); // Sunday first
    EXPECT_EQ(S.ShortDayNames[6], "Sat");
    EXPECT_EQ(S.LongDateFormat, "dddd, MMMM d, yyyy");
    EXPECT_EQ(S.ShortTimeFormat, "h:mm AP");

    const TFormatSettings G = TFormatSettings::FromLocale(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(G.LongMonthNames[2], QString::fromUtf8("März"));
    EXPECT_EQ(G.CurrencyString, QString::fromUtf8("€"));
}

// ---- TBrixFormatSettings ----

using FormatSettingsHolder = RegionalFixture;

TEST_F(FormatSettingsHolder, RegionalIgnoresWritesCustomTakesThemAndRegionalRestores)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    EXPECT_TRUE(H->UseRegional());
    EXPECT_EQ(H->DecimalSeparator(), u'.');

    H->SetDecimalSeparator(u',');
    H->SetCurrencyString("XYZ");
    H->SetNegCurrencyFormat(ncfBracketsValueSpaceSymbol);
    EXPECT_EQ(H->DecimalSeparator(), u'.');
    EXPECT_TRUE(FormatSettingsEqual(H->FormatSettings(), RegionalSettings()));

    H->SetUseRegional(false);
    EXPECT_TRUE(FormatSettingsEqual(H->FormatSettings(), RegionalSettings())); // values kept
    H->SetSeparators(u',', u'.');
    H->SetCurrencyString("XYZ");
    H->SetTwoDigitYearCenturyWindow(30);
    EXPECT_EQ(H->FormatSettings().DecimalSeparator, u',');
    EXPECT_EQ(H->CurrencyString(), "XYZ");
    EXPECT_EQ(H->TwoDigitYearCenturyWindow(), 30);

    H->SetUseRegional(true);
    EXPECT_EQ(H->DecimalSeparator(), u'.');
    EXPECT_EQ(H->TwoDigitYearCenturyWindow(), RegionalSettings().TwoDigitYearCenturyWindow);

    // Reset is the way back too.
    H->SetUseRegional(false);
    H->SetDecimalSeparator(u';');
    H->Reset();
    EXPECT_TRUE(H->UseRegional());
    EXPECT_EQ(H->DecimalSeparator(), u'.');
}

TEST_F(FormatSettingsHolder, HoldsACopyAndDoesNotFollowTheRegionalRecordByItself)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    RegionalSettings().DecimalSeparator = u'!';
    EXPECT_EQ(H->DecimalSeparator(), u'.');
    EXPECT_TRUE(H->UseRegional());
    H->SetUseRegional(false);
    H->SetUseRegional(true); // only the transition re-copies
    EXPECT_EQ(H->DecimalSeparator(), u'!');
}

TEST_F(FormatSettingsHolder, AssigningARecordSwitchesToCustomOnlyWhenItDiffers)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    TFormatSettings Same = RegionalSettings();
    Same.LocaleName = "zz_ZZ"; // not compared
    H->SetFormatSettings(Same);
    EXPECT_TRUE(H->UseRegional());

    TFormatSettings Other = RegionalSettings();
    Other.LongDayNames[2] += u'!';
    H->SetFormatSettings(Other);
    EXPECT_FALSE(H->UseRegional());
    EXPECT_EQ(H->FormatSettings().LongDayNames[2], Other.LongDayNames[2]);
}

// A decimal separator equal to the thousands separator would print
// 1234.5 as "1,234,50", which reads back as 123450: every write that would
// make them equal is refused and keeps the old pair; SetSeparators swaps
// them in one write. The same on both holders; the section signals only
// what it takes.
TEST_F(FormatSettingsHolder, EqualSeparatorsAreRefused)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    TBrixFormatSettingsSection S;
    int Signals = 0;
    S.SetOnChange([&](TObject *) { ++Signals; });
    H->SetUseRegional(false);
    S.SetUseRegional(false);
    Signals = 0;

    auto Pair = [](const auto &Holder) {
        return QString(Holder.DecimalSeparator()) + Holder.ThousandSeparator();
    };
    TFormatSettings Clash = RegionalSettings();
    Clash.ThousandSeparator = u'.';
    H->SetFormatSettings(Clash);
    S.SetFormatSettings(Clash);
    H->SetDecimalSeparator(u',');
    S.SetDecimalSeparator(u',');
    H->SetThousandSeparator(u'.');
    S.SetThousandSeparator(u'.');
    H->SetSeparators(u';', u';');
    S.SetSeparators(u';', u';');
    EXPECT_EQ(Pair(*H), ".,");
    EXPECT_EQ(Pair(S), ".,");
    EXPECT_EQ(Signals, 0);

    H->SetSeparators(u',', u'.');
    S.SetSeparators(u',', u'.');
    EXPECT_EQ(Pair(*H), ",.");
    EXPECT_EQ(Pair(S), ",.");
    EXPECT_EQ(Signals, 1);

    // Regional: ignored like every field write.
    H->SetUseRegional(true);
    H->SetSeparators(u',', u'.');
    EXPECT_EQ(Pair(*H), ".,");

    // A formatter whose record was refused still prints numbers that read
    // back.
    auto F = CreateOwned<TBrixFloatFormatter>();
    F->SetShowThousands(true);
    F->CustomSettings()->SetFormatSettings(Clash);
    EXPECT_EQ(F->ExtendedToStr(1234.5L, 2), "1,234.50");
}

TEST_F(FormatSettingsHolder, CurrencyCodesOutOfRangeReadAsUnknown)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    TFormatSettings S = RegionalSettings();
    S.CurrencyFormat = 7;
    S.NegCurrFormat = 20;
    H->SetFormatSettings(S);
    EXPECT_EQ(H->CurrencyFormat(), cfUnknown);
    EXPECT_EQ(H->NegCurrencyFormat(), ncfUnknown);

    H->SetCurrencyFormat(cfValueSpaceSymbol);
    H->SetNegCurrencyFormat(ncfSymbolSpaceNegativeValue);
    EXPECT_EQ(H->FormatSettings().CurrencyFormat, 3);
    EXPECT_EQ(H->FormatSettings().NegCurrFormat, 12);
    EXPECT_EQ(H->NegCurrencyFormat(), ncfSymbolSpaceNegativeValue);
}

TEST_F(FormatSettingsHolder, LocaleNameSwitchesToThatLocaleAndEmptyNameBackToRegional)
{
    auto H = CreateOwned<TBrixFormatSettings>();
    H->SetLocaleName("de_DE");
    EXPECT_FALSE(H->UseRegional());
    EXPECT_EQ(H->DecimalSeparator(), u',');
    EXPECT_EQ(H->LocaleName(), "de_DE");

    H->SetDecimalSeparator(u'#'); // custom: editable, and the same name does not re-read
    H->SetLocaleName("de_DE");
    EXPECT_EQ(H->DecimalSeparator(), u'#');

    H->SetLocaleName(QString());
    EXPECT_TRUE(H->UseRegional());
    EXPECT_EQ(H->DecimalSeparator(), u'.');
    EXPECT_EQ(H->LocaleName(), "de_DE"); // the old name is kept

    H->SetLocaleName("de_DE"); // unchanged name: nothing happens
    EXPECT_TRUE(H->UseRegional());
    EXPECT_EQ(H->DecimalSeparator(), u'.');
}

// ---- TBrixFormatSettingsSection ----

using FormatSettingsSection = RegionalFixture;

TEST_F(FormatSettingsSection, SignalsEachRealChangeOnly)
{
    TBrixFormatSettingsSection S;
    int Signals = 0;
    S.SetOnChange([&](TObject *) { ++Signals; });

    S.SetDecimalSeparator(u','); // regional: ignored
    EXPECT_EQ(Signals, 0);
    EXPECT_EQ(S.DecimalSeparator(), u'.');

    S.SetUseRegional(false);
    EXPECT_EQ(Signals, 1);
    S.SetSeparators(u',', u'.');
    EXPECT_EQ(Signals, 2);
    S.SetSeparators(u',', u'.'); // unchanged
    S.SetDecimalSeparator(u','); // unchanged
    EXPECT_EQ(Signals, 2);
    S.SetFormatSettings(S.FormatSettings()); // equal record
    EXPECT_EQ(Signals, 2);
    EXPECT_FALSE(S.AllDefaults());

    S.SetAllDefaults(true); // Reset: regional again, one signal
    EXPECT_EQ(Signals, 3);
    EXPECT_TRUE(S.UseRegional());
    EXPECT_EQ(S.DecimalSeparator(), u'.');
    EXPECT_TRUE(S.AllDefaults());

    S.SetActive(false); // switching Active signals itself ...
    EXPECT_EQ(Signals, 4);
    S.SetUseRegional(false); // ... but an inactive section stays silent
    S.SetDecimalSeparator(u';');
    EXPECT_EQ(Signals, 4);
    EXPECT_EQ(S.DecimalSeparator(), u';');
}

TEST_F(FormatSettingsSection, LocaleNameLeavesOnlyItsValues)
{
    TBrixFormatSettingsSection S;
    S.SetLocaleName("de_DE");
    EXPECT_FALSE(S.UseRegional());
    EXPECT_EQ(S.DecimalSeparator(), u',');
    EXPECT_EQ(S.CurrencyFormat(), cfValueSpaceSymbol);
    EXPECT_TRUE(S.LocaleName().isEmpty());
}

TEST_F(FormatSettingsSection, StoresNothingWhileRegionalAndEveryValueWhenCustom)
{
    TBrixFormatSettingsSection S;
    EXPECT_TRUE(S.StoredProperties().isEmpty());
    S.SetUseRegional(false);
    const QStringList Stored = S.StoredProperties();
    ASSERT_EQ(Stored.size(), 17);
    EXPECT_EQ(Stored.first(), "UseRegional");
    EXPECT_TRUE(Stored.contains("TwoDigitYearCenturyWindow"));
    EXPECT_FALSE(Stored.contains("LocaleName"));
}
