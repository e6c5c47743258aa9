#include "brix/classes/formatsettings.h"

namespace Brix {

namespace {

// Positive currency layout code from where QLocale puts the symbol around a
// sample amount: 0 SV, 1 VS, 2 S V, 3 V S.
Byte CurrencyLayout(const QString &Sample, const QString &Symbol)
{
    const qsizetype At = Sample.indexOf(Symbol);
    if (At < 0 || Symbol.isEmpty())
        return 0;
    if (At == 0)
        return Sample.size() > Symbol.size() && Sample.at(Symbol.size()).isSpace() ? 2 : 0;
    return Sample.at(At - 1).isSpace() ? 3 : 1;
}

// Negative currency layout code for the common layouts QLocale produces.
Byte NegativeLayout(const QString &Sample, const QString &Symbol, Byte Positive)
{
    const bool Brackets = Sample.startsWith(u'(');
    const qsizetype Minus = Sample.indexOf(u'-') >= 0 ? Sample.indexOf(u'-') : Sample.indexOf(QChar(0x2212));
    const qsizetype Sym = Sample.indexOf(Symbol);
    switch (Positive) {
    case 0:
        if (Brackets)
            return 0;
        return Minus < Sym ? 1 : 2;
    case 1:
        if (Brackets)
            return 4;
        return Minus < Sym ? 5 : 7;
    case 2:
        if (Brackets)
            return 14;
        return Minus < Sym ? 9 : 12;
    default:
        if (Brackets)
            return 15;
        return Minus < Sym ? 8 : 10;
    }
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale &Locale)
{
    TFormatSettings S;
    S.LocaleName = Locale.name();
    const QString Dec = Locale.decimalPoint();
    const QString Grp = Locale.groupSeparator();
    S.DecimalSeparator = Dec.isEmpty() ? QChar(u'.') : Dec.at(0);
    S.ThousandSeparator = Grp.isEmpty() ? QChar(u',') : Grp.at(0);
    S.CurrencyString = Locale.currencySymbol(QLocale::CurrencySymbol);
    S.CurrencyDecimals = 2;
    const QString Pos = Locale.toCurrencyString(1.0);
    const QString Neg = Locale.toCurrencyString(-1.0);
    S.CurrencyFormat = CurrencyLayout(Pos, S.CurrencyString);
    S.NegCurrFormat = NegativeLayout(Neg, S.CurrencyString, S.CurrencyFormat);
    S.ShortDateFormat = Locale.dateFormat(QLocale::ShortFormat);
    S.LongDateFormat = Locale.dateFormat(QLocale::LongFormat);
    S.ShortTimeFormat = Locale.timeFormat(QLocale::ShortFormat);
    S.LongTimeFormat = Locale.timeFormat(QLocale::LongFormat);
    S.TimeAMString = Locale.amText();
    S.TimePMString = Locale.pmText();
    // The first non-letter of the short date and time patterns.
    auto FirstSeparator = [](const QString &Pattern, QChar Fallback) {
        for (QChar C : Pattern)
            if (!C.isLetter() && C != u'\'' && !C.isSpace())
                return C;
        return Fallback;
    };
    S.DateSeparator = FirstSeparator(S.ShortDateFormat, u'/');
    S.TimeSeparator = FirstSeparator(S.ShortTimeFormat, u':');
    S.ListSeparator = S.DecimalSeparator == u',' ? QChar(u';') : QChar(u',');
    for (int M = 1; M <= 12; ++M) {
        S.ShortMonthNames[M - 1] = Locale.monthName(M, QLocale::ShortFormat);
        S.LongMonthNames[M - 1] = Locale.monthName(M, QLocale::LongFormat);
    }
    for (int D = 0; D < 7; ++D) {
        const int QtDay = D == 0 ? 7 : D; // Sunday first, as the record keeps them
        S.ShortDayNames[D] = Locale.dayName(QtDay, QLocale::ShortFormat);
        S.LongDayNames[D] = Locale.dayName(QtDay, QLocale::LongFormat);
    }
    S.TwoDigitYearCenturyWindow = 50;
    return S;
}

TFormatSettings TFormatSettings::Invariant()
{
    TFormatSettings S = FromLocale(QLocale::c());
    S.DecimalSeparator = u'.';
    S.ThousandSeparator = u',';
    return S;
}

TFormatSettings &RegionalSettings()
{
    static TFormatSettings Settings = TFormatSettings::FromLocale(QLocale::system());
    return Settings;
}

} // namespace Brix
