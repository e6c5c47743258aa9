#include "brix/resources/calendar.h"

#include "brix/classes/formatsettings.h"
#include "brix/resources/globals.h"

namespace Brix {

void TBrixTimeStrings::SetDefaults()
{
    StrMidnight = GlobalText(egtMidnight);
    StrNoon = GlobalText(egtNoon);
    StrNow = GlobalText(egtNow);
}

bool TBrixTimeStrings::UsingDefaults() const
{
    return StrMidnight == GlobalText(egtMidnight) && StrNoon == GlobalText(egtNoon) &&
           StrNow == GlobalText(egtNow);
}

void TBrixDateStrings::SetDefaults()
{
    StrToday = GlobalText(egtToday);
    StrTomorrow = GlobalText(egtTomorrow);
    StrYesterday = GlobalText(egtYesterday);
    StrBCE = QStringLiteral("BC");
    StrCE = QStringLiteral("AD");
}

bool TBrixDateStrings::UsingDefaults() const
{
    return StrToday == GlobalText(egtToday) && StrTomorrow == GlobalText(egtTomorrow) &&
           StrYesterday == GlobalText(egtYesterday) && StrBCE == u"BC" && StrCE == u"AD";
}

void TBrixDurationStrings::SetDefaults()
{
    StrDays = GlobalText(egtDays);
    StrWeeks = GlobalText(egtWeeks);
    StrHours = GlobalText(egtHours);
    StrMinutes = GlobalText(egtMins);
    StrSeconds = GlobalText(egtSecs);
    StrMilliseconds = GlobalText(egtMSecs);
}

bool TBrixDurationStrings::UsingDefaults() const
{
    return StrDays == GlobalText(egtDays) && StrWeeks == GlobalText(egtWeeks) &&
           StrHours == GlobalText(egtHours) && StrMinutes == GlobalText(egtMins) &&
           StrSeconds == GlobalText(egtSecs) && StrMilliseconds == GlobalText(egtMSecs);
}

namespace {

using TMonthTexts = std::array<std::u16string_view, 12>;

// The doubled apostrophes are part of the stored names.
constexpr TMonthTexts HebrewDefault = {u"Nisan",  u"Iyyar", u"Siwan",  u"Tammuz",
                                       u"Av",     u"Elul",  u"Tishri", u"Marcheshvan",
                                       u"Kislev", u"Tevet", u"Shevat", u"Adar"};
constexpr TMonthTexts HebrewAlternate1 = {u"Nissan", u"Iyar",  u"Sivan",   u"Tamuz",
                                          u"Ab",     u"Elul",  u"Tishrei", u"Marcheshvan",
                                          u"Kislev", u"Tevet", u"Shvet",   u"Adar"};
constexpr TMonthTexts MuslimDefault = {u"Muharram",       u"Safar",        u"Rabi-ul-Awwal",
                                       u"Rabi-us-Thaani", u"Jumad-al-Ula", u"Jumad-as-Thaani",
                                       u"Rajab",          u"Sha''baan",    u"Ramadaan",
                                       u"Shawwaal",       u"Zul Qa''dah",  u"Zul Hijjah"};
constexpr TMonthTexts MuslimAlternate1 = {u"Muharram",        u"Safar",         u"Rabi''al-Awwal",
                                          u"Rabi''ath-Thani", u"Jumada l-Ula",  u"Jumada t-Tania",
                                          u"Rajab",           u"Sha''ban",      u"Ramadan",
                                          u"Shawwal",         u"Dhu ''l-Qa`da", u"Dhu ''l-Hijja"};

void Fill(TBrixMonthNames &Names, const TMonthTexts &Texts)
{
    for (size_t I = 0; I < Names.size(); ++I)
        Names[I] = QString::fromRawData(reinterpret_cast<const QChar *>(Texts[I].data()),
                                        qsizetype(Texts[I].size()));
}

TBrixMonthNames MakeHebrew()
{
    TBrixMonthNames Names;
    FillHebrewMonths(Names, hmDefault);
    return Names;
}

TBrixMonthNames MakeMuslim()
{
    TBrixMonthNames Names;
    FillMuslimMonths(Names, mmDefault);
    return Names;
}

template <class T> T MakeDefaults()
{
    T Record;
    Record.SetDefaults();
    return Record;
}

// Clears the shared lists and records at program end.
struct TCalendarFinalizer
{
    ~TCalendarFinalizer()
    {
        HebrewMonthNames.fill(QString());
        MuslimMonthNames.fill(QString());
        DefaultTimeStrings = TBrixTimeStrings();
        DefaultDateStrings = TBrixDateStrings();
    }
};

} // namespace

void FillHebrewMonths(TBrixMonthNames &Names, TBrixHebrewMonthType MonthType)
{
    Fill(Names, MonthType == hmAlternate1 ? HebrewAlternate1 : HebrewDefault);
}

void FillMuslimMonths(TBrixMonthNames &Names, TBrixMuslimMonthType MonthType)
{
    Fill(Names, MonthType == mmAlternate1 ? MuslimAlternate1 : MuslimDefault);
}

// The unit's start: the regional settings come from the user's locale (read
// on first use), then the month lists, then the default words.
TBrixMonthNames HebrewMonthNames = (RegionalSettings(), MakeHebrew());
TBrixMonthNames MuslimMonthNames = MakeMuslim();
TBrixTimeStrings DefaultTimeStrings = MakeDefaults<TBrixTimeStrings>();
TBrixDateStrings DefaultDateStrings = MakeDefaults<TBrixDateStrings>();
static TCalendarFinalizer CalendarFinalizer;

} // namespace Brix
