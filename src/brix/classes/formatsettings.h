// The record of regional conventions every formatter and number-text routine
// reads, and the process-wide RegionalSettings filled from the user's locale.
#pragma once

#include "brix/classes/globals.h"

#include <QChar>
#include <QLocale>
#include <QString>

#include <array>

namespace Brix {

struct TFormatSettings
{
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
    std::array<QString, 7> ShortDayNames; // Sunday first
    std::array<QString, 7> LongDayNames;  // Sunday first
    QChar ThousandSeparator = u',';
    QChar DecimalSeparator = u'.';
    Word TwoDigitYearCenturyWindow = 50;
    Byte NegCurrFormat = 1;
    // Copied with the record, never compared.
    QString LocaleName;

    // The conventions of a locale, as QLocale tells them.
    static TFormatSettings FromLocale(const QLocale &Locale);
    // The "C" conventions: "." and ",", English names.
    static TFormatSettings Invariant();
};

// The current user's conventions, filled from QLocale::system() on first use.
// Tests may overwrite fields; they restore what they change.
TFormatSettings &RegionalSettings();

} // namespace Brix
