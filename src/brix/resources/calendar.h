/// @file
/// Calendar words and types: the default words of times, dates and durations
/// (English International texts of the general table), the Hebrew and Muslim
/// month names in two variants, and the enumerations of the date formatter.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

#include <QString>

#include <array>

namespace Brix {

enum TBrixEraAbbrev
{
    eaBCandAD,
    eaSpaceBCandAD,
    eaBCEandCE,
    eaSpaceBCEandCE,
    eaBCOnly,
    eaSpaceBCOnly,
    eaBCEOnly,
    eaSpaceBCEOnly,
    eaCustom
};
enum TBrixEraLayout
{
    elMonthNames,
    elNumeric
};
enum TBrixDateOrder
{
    edoSystem,
    edoDMY,
    edoMDY,
    edoYMD,
    edoUnknown
};
enum TBrixTimeDisplay
{
    td24Hour,
    tdAMPM,
    tdSpaceAMPM
};
enum TBrixTimeLayout
{
    tlHourMin,
    tlHourMinSec,
    tlHourMinSecMSec
};
enum TBrixCalendarType
{
    brixGregorian,
    brixJulian
};
enum TBrixMuslimMonthType
{
    mmDefault,
    mmAlternate1
};
enum TBrixHebrewMonthType
{
    hmDefault,
    hmAlternate1
};
enum TBrixYearImplied
{
    yiCutOff,
    yiHistoric,
    yiFuture,
    yiAsIs
};

/// Twelve month names, month 1 at index 0.
using TBrixMonthNames = std::array<QString, 12>;

/// SetDefaults sets every field to its default; UsingDefaults is true exactly
/// when every field equals its default (exact, case-sensitive comparison).
/// The defaults are English International whatever language a control uses.
struct BRIX_CORE_EXPORT TBrixTimeStrings
{
    QString StrMidnight; ///< default "Midnight"
    QString StrNoon;     ///< default "Noon"
    QString StrNow;      ///< default "Now"

    void SetDefaults();
    bool UsingDefaults() const;
};

struct BRIX_CORE_EXPORT TBrixDateStrings
{
    QString StrToday;     ///< default "Today"
    QString StrTomorrow;  ///< default "Tomorrow"
    QString StrYesterday; ///< default "Yesterday"
    QString StrBCE;       ///< default "BC"
    QString StrCE;        ///< default "AD"

    void SetDefaults();
    bool UsingDefaults() const;
};

struct BRIX_CORE_EXPORT TBrixDurationStrings
{
    QString StrDays;         ///< default "days"
    QString StrWeeks;        ///< default "weeks"
    QString StrHours;        ///< default "hours"
    QString StrMinutes;      ///< default "mins"
    QString StrSeconds;      ///< default "secs"
    QString StrMilliseconds; ///< default "msecs"

    void SetDefaults();
    bool UsingDefaults() const;
};

/// Overwrite the twelve names with the variant MonthType selects, for example
/// hmDefault: "Nisan", "Iyyar", ...; hmAlternate1: "Nissan", "Iyar", ...
BRIX_CORE_EXPORT void FillHebrewMonths(TBrixMonthNames &Names, TBrixHebrewMonthType MonthType);
BRIX_CORE_EXPORT void FillMuslimMonths(TBrixMonthNames &Names, TBrixMuslimMonthType MonthType);

/// Shared calendar values: the default variants of the month names and the
/// default time and date words, set when the program starts.
extern BRIX_CORE_EXPORT TBrixMonthNames HebrewMonthNames;
extern BRIX_CORE_EXPORT TBrixMonthNames MuslimMonthNames;
extern BRIX_CORE_EXPORT TBrixTimeStrings DefaultTimeStrings;
extern BRIX_CORE_EXPORT TBrixDateStrings DefaultDateStrings;

} // namespace Brix
