#include "brix/classes/formatsettings.h"

namespace Brix {

namespace {

// QLocale wraps some texts in bidirectional marks (U+200E, U+200F, U+061C);
// they carry no layout and are dropped before a sample is analysed.
QString WithoutMarks(const QString &Text)
{
    QString Result;
    Result.reserve(Text.size());
    for (QChar C : Text)
        if (C.category() != QChar::Other_Format)
            Result.append(C);
    return Result;
}

// Where the parts of a currency sample sit: the symbol, the amount (first to
// last digit outside the symbol), the minus sign, brackets, and whether
// white space separates symbol and amount.
struct TCurrencySample
{
    bool Known = false; // a symbol and an amount were found
    bool SymbolFirst = true;
    bool Spaced = false;
    bool Brackets = false;
    // Minus position: 0 none, 1 before both, 2 between them, 3 after both.
    int MinusAt = 0;
    // Digits after the decimal point of the amount.
    int Decimals = 0;
};

TCurrencySample AnalyseCurrency(const QLocale &Locale, double Amount)
{
    TCurrencySample R;
    const QString Sample = WithoutMarks(Locale.toCurrencyString(Amount));
    const QString Symbol = WithoutMarks(Locale.currencySymbol(QLocale::CurrencySymbol)).trimmed();
    const qsizetype SymAt = Symbol.isEmpty() ? -1 : Sample.indexOf(Symbol);
    if (SymAt < 0)
        return R;
    const qsizetype SymEnd = SymAt + Symbol.size();
    auto InSymbol = [&](qsizetype I) { return I >= SymAt && I < SymEnd; };
    qsizetype First = -1, Last = -1;
    for (qsizetype I = 0; I < Sample.size(); ++I) {
        if (!InSymbol(I) && Sample.at(I).isDigit()) {
            if (First < 0)
                First = I;
            Last = I;
        }
    }
    if (First < 0)
        return R;
    R.Known = true;
    R.SymbolFirst = SymAt < First;
    const qsizetype GapFrom = R.SymbolFirst ? SymEnd : Last + 1;
    const qsizetype GapTo = R.SymbolFirst ? First : SymAt;
    for (qsizetype I = GapFrom; I < GapTo; ++I)
        if (Sample.at(I).isSpace())
            R.Spaced = true;
    R.Brackets = Sample.contains(u'(');
    const QString Minus = WithoutMarks(Locale.negativeSign());
    qsizetype MinusPos = Minus.isEmpty() ? -1 : Sample.indexOf(Minus);
    if (MinusPos < 0)
        MinusPos = Sample.indexOf(u'-');
    if (MinusPos < 0)
        MinusPos = Sample.indexOf(QChar(0x2212));
    if (MinusPos >= 0) {
        const qsizetype Begin = qMin(SymAt, First);
        const qsizetype End = qMax(SymEnd - 1, Last);
        R.MinusAt = MinusPos < Begin ? 1 : MinusPos > End ? 3 : 2;
    }
    const QString Point = WithoutMarks(Locale.decimalPoint());
    const qsizetype PointAt = Point.isEmpty() ? -1 : Sample.indexOf(Point, First);
    if (PointAt >= 0 && PointAt < Last)
        for (qsizetype I = PointAt + Point.size(); I <= Last; ++I)
            if (Sample.at(I).isDigit())
                ++R.Decimals;
    return R;
}

// Positive layout code: 0 SV, 1 VS, 2 S V, 3 V S.
Byte PositiveLayout(const TCurrencySample &P)
{
    if (!P.Known)
        return 0;
    if (P.SymbolFirst)
        return P.Spaced ? 2 : 0;
    return P.Spaced ? 3 : 1;
}

// Negative layout code (0 to 15) from the order of sign, symbol and amount.
// A minus between symbol and amount with a space on either side counts as
// the platform's "S -V" (12) or "V- S" (13).
Byte NegativeLayout(const TCurrencySample &N)
{
    if (!N.Known)
        return 1;
    if (N.Brackets || N.MinusAt == 0) {
        if (N.SymbolFirst)
            return N.Spaced ? 14 : 0;
        return N.Spaced ? 15 : 4;
    }
    static constexpr Byte SV[3] = {1, 2, 3};    // -SV, S-V, SV-
    static constexpr Byte VS[3] = {5, 6, 7};    // -VS, V-S, VS-
    static constexpr Byte SpV[3] = {9, 12, 11}; // -S V, S -V, S V-
    static constexpr Byte VpS[3] = {8, 13, 10}; // -V S, V- S, V S-
    const int I = N.MinusAt - 1;
    if (N.SymbolFirst)
        return N.Spaced ? SpV[I] : SV[I];
    return N.Spaced ? VpS[I] : VS[I];
}

// The first separator of a date or time pattern: the first character that
// is no letter, no white space and no bidirectional mark, outside quoted
// literals. "dd.MM.yy" -> '.', "d 'de' MMMM" -> Fallback, "H.mm" -> '.'.
QChar FirstSeparator(const QString &Pattern, QChar Fallback)
{
    bool Quoted = false;
    for (QChar C : Pattern) {
        if (C == u'\'') {
            Quoted = !Quoted;
            continue;
        }
        if (Quoted || C.isLetter() || C.isSpace() || C.category() == QChar::Other_Format)
            continue;
        return C;
    }
    return Fallback;
}

QChar FirstChar(const QString &Text, QChar Fallback)
{
    const QString Plain = WithoutMarks(Text);
    return Plain.isEmpty() ? Fallback : Plain.at(0);
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale &Locale)
{
    TFormatSettings S;
    S.LocaleName = Locale.name();
    S.DecimalSeparator = FirstChar(Locale.decimalPoint(), u'.');
    S.ThousandSeparator =
        FirstChar(Locale.groupSeparator(), S.DecimalSeparator == u',' ? QChar(u'.') : QChar(u','));

    S.CurrencyString = Locale.currencySymbol(QLocale::CurrencySymbol);
    const TCurrencySample Pos = AnalyseCurrency(Locale, 1.0);
    const TCurrencySample Neg = AnalyseCurrency(Locale, -1.0);
    S.CurrencyFormat = PositiveLayout(Pos);
    S.NegCurrFormat = NegativeLayout(Neg);
    // QLocale writes amounts with its currency's own number of decimals
    // (none for the yen); without a symbol the sample says nothing.
    S.CurrencyDecimals = Pos.Known ? Byte(Pos.Decimals) : 2;

    // The patterns stay in QLocale's own notation ("M/d/yy", "h:mm AP").
    S.ShortDateFormat = Locale.dateFormat(QLocale::ShortFormat);
    S.LongDateFormat = Locale.dateFormat(QLocale::LongFormat);
    S.ShortTimeFormat = Locale.timeFormat(QLocale::ShortFormat);
    S.LongTimeFormat = Locale.timeFormat(QLocale::LongFormat);
    S.TimeAMString = Locale.amText();
    S.TimePMString = Locale.pmText();
    S.DateSeparator = FirstSeparator(S.ShortDateFormat, u'/');
    S.TimeSeparator = FirstSeparator(S.ShortTimeFormat, u':');
    // QLocale has no list separator; where the comma is the decimal
    // separator lists are written with semicolons, as spreadsheets do.
    S.ListSeparator = S.DecimalSeparator == u',' ? QChar(u';') : QChar(u',');

    for (int M = 1; M <= 12; ++M) {
        S.ShortMonthNames[M - 1] = Locale.monthName(M, QLocale::ShortFormat);
        S.LongMonthNames[M - 1] = Locale.monthName(M, QLocale::LongFormat);
    }
    for (int D = 0; D < 7; ++D) {
        const int QtDay = D == 0 ? 7 : D; // the record keeps Sunday first
        S.ShortDayNames[D] = Locale.dayName(QtDay, QLocale::ShortFormat);
        S.LongDayNames[D] = Locale.dayName(QtDay, QLocale::LongFormat);
    }
    // QLocale has no century window for two-digit years; 50 is the
    // conventional one (00-49 in this century's half, 50-99 in the other).
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
