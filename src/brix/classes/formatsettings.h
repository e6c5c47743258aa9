/// @file
/// The record of regional conventions every formatter and number-text routine
/// reads, and the process-wide RegionalSettings filled from the user's locale.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

#include <QChar>
#include <QLocale>
#include <QString>

#include <array>

namespace Brix {

/// The conventions numbers, amounts, dates and times are written by: separators, currency
/// layout, date and time patterns, names. A plain value, passed by copy.
struct BRIX_CORE_EXPORT TFormatSettings
{
    /// The currency symbol, the currency layout code (0 to 3: symbol and value order and
    /// spacing) and decimals, the date, time and list separators, the date and time patterns
    /// (QLocale's notation), the AM and PM texts and the month names, month 1 first.
    ///@{
    QString CurrencyString;
    Byte CurrencyFormat = 0;
    Byte CurrencyDecimals = 2;
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    QChar ListSeparator = u',';
    QString ShortDateFormat;
    QString LongDateFormat;
    QString TimeAMString;
    QString TimePMString;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    ///@}
    std::array<QString, 7> ShortDayNames; ///< Sunday first
    std::array<QString, 7> LongDayNames;  ///< Sunday first
    /// The number separators (never equal in a record that the library accepts), the window
    /// that completes a two-digit year, and the negative currency layout code (0 to 15).
    ///@{
    QChar ThousandSeparator = u',';
    QChar DecimalSeparator = u'.';
    Word TwoDigitYearCenturyWindow = 50;
    Byte NegCurrFormat = 1;
    ///@}
    /// Copied with the record, never compared.
    QString LocaleName;

    /// The conventions of a locale, as QLocale tells them: its separators
    /// (first character), currency symbol, the currency layouts and decimals
    /// read off QLocale's own currency text of 1 and -1, the date and time
    /// patterns in QLocale's notation, AM/PM texts, month and day names. The
    /// date and time separators are the first separators of the short
    /// patterns; the list separator is ';' where ',' is the decimal separator,
    /// else ','; the two-digit-year window is 50.
    ///   en_US: '.', ',', "$", CurrencyFormat 0, NegCurrFormat 0 "($1.00)",
    ///          "M/d/yy", '/';  de_DE: ',', '.', "€", 3, 8 "-1,00 €", ';'
    static TFormatSettings FromLocale(const QLocale &Locale);
    /// The "C" conventions: "." and ",", English names.
    static TFormatSettings Invariant();
};

/// The current user's conventions, filled from QLocale::system() on first use.
/// Tests may overwrite fields; they restore what they change.
BRIX_CORE_EXPORT TFormatSettings &RegionalSettings();

} // namespace Brix
