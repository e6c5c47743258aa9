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

/// How the era is written: BC/AD, BCE/CE, only BC or BCE, each with or without a space before
/// it, or the custom texts.
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
/// Months written by name or by number.
enum TBrixEraLayout
{
    elMonthNames,
    elNumeric
};
/// The order of day, month and year (edoSystem: the region's order).
enum TBrixDateOrder
{
    edoSystem,
    edoDMY,
    edoMDY,
    edoYMD,
    edoUnknown
};
/// 24-hour clock, or AM/PM with or without a space before it.
enum TBrixTimeDisplay
{
    td24Hour,
    tdAMPM,
    tdSpaceAMPM
};
/// The parts of a time: hours and minutes, with seconds, with milliseconds.
enum TBrixTimeLayout
{
    tlHourMin,
    tlHourMinSec,
    tlHourMinSecMSec
};
/// The calendar dates are counted in.
enum TBrixCalendarType
{
    brixGregorian,
    brixJulian
};
/// The variant of the Muslim month names.
enum TBrixMuslimMonthType
{
    mmDefault,
    mmAlternate1
};
/// The variant of the Hebrew month names.
enum TBrixHebrewMonthType
{
    hmDefault,
    hmAlternate1
};
/// The rule for completing a two-digit year.
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

    /// SetDefaults sets every field to its default; UsingDefaults is true exactly when every
    /// field equals it.
    ///@{
    void SetDefaults();
    bool UsingDefaults() const;
    ///@}
};

/// The words for today, tomorrow, yesterday and the two era markers; the same defaults rule as
/// TBrixTimeStrings.
struct BRIX_CORE_EXPORT TBrixDateStrings
{
    QString StrToday;     ///< default "Today"
    QString StrTomorrow;  ///< default "Tomorrow"
    QString StrYesterday; ///< default "Yesterday"
    QString StrBCE;       ///< default "BC"
    QString StrCE;        ///< default "AD"

    /// SetDefaults sets every field to its default; UsingDefaults is true exactly when every
    /// field equals it.
    ///@{
    void SetDefaults();
    bool UsingDefaults() const;
    ///@}
};

/// The words of durations; the same defaults rule as TBrixTimeStrings.
struct BRIX_CORE_EXPORT TBrixDurationStrings
{
    QString StrDays;         ///< default "days"
    QString StrWeeks;        ///< default "weeks"
    QString StrHours;        ///< default "hours"
    QString StrMinutes;      ///< default "mins"
    QString StrSeconds;      ///< default "secs"
    QString StrMilliseconds; ///< default "msecs"

    /// SetDefaults sets every field to its default; UsingDefaults is true exactly when every
    /// field equals it.
    ///@{
    void SetDefaults();
    bool UsingDefaults() const;
    ///@}
};

///@{
/// Overwrite the twelve names with the variant MonthType selects, for example
/// hmDefault: "Nisan", "Iyyar", ...; hmAlternate1: "Nissan", "Iyar", ...
BRIX_CORE_EXPORT void FillHebrewMonths(TBrixMonthNames &Names, TBrixHebrewMonthType MonthType);
BRIX_CORE_EXPORT void FillMuslimMonths(TBrixMonthNames &Names, TBrixMuslimMonthType MonthType);
///@}

///@{
/// Shared calendar values: the default variants of the month names and the
/// default time and date words, set when the program starts.
extern BRIX_CORE_EXPORT TBrixMonthNames HebrewMonthNames;
extern BRIX_CORE_EXPORT TBrixMonthNames MuslimMonthNames;
extern BRIX_CORE_EXPORT TBrixTimeStrings DefaultTimeStrings;
extern BRIX_CORE_EXPORT TBrixDateStrings DefaultDateStrings;
///@}

} // namespace Brix
