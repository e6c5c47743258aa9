#include "brix/strings/paste.h"

#include "brix/strings/tools_internal.h"

#include <cmath>

namespace Brix {

namespace {

constexpr char16_t TypographicMinus = 0x2212;

bool IsDigit(QChar C)
{
    return C.unicode() >= u'0' && C.unicode() <= u'9';
}

// Blanks that group digits: space, no-break space, narrow no-break space and
// thin space.
bool IsGroupBlank(QChar C)
{
    const char16_t U = C.unicode();
    return U == u' ' || U == 0x00A0 || U == 0x202F || U == 0x2009;
}

bool IsApostrophe(QChar C)
{
    return C == u'\'' || C.unicode() == 0x2019;
}

bool IsAffix(QChar C)
{
    switch (C.unicode()) {
    case u'$':
    case u'%':
    case 0x20AC: // euro
    case 0x00A3: // pound
    case 0x00A5: // yen
    case 0x20B9: // rupee
        return true;
    default:
        return false;
    }
}

bool IsSign(QChar C)
{
    return C == u'+' || C == u'-' || C.unicode() == TypographicMinus;
}

bool IsExponentMark(QChar C)
{
    return C == u'E' || C == u'e';
}

bool IsBlank(QChar C)
{
    return C.isSpace() || C.unicode() < 33;
}

// The kinds of marks between the digits of a mantissa. Blanks and
// apostrophes only ever group; "." and "," may be either; a region's own
// separators other than these keep their role.
enum TMark : char16_t
{
    mkBlank = u's',
    mkApostrophe = u'q',
    mkPoint = u'.',
    mkComma = u',',
    mkRegionDecimal = u'd',
    mkRegionGroup = u'g'
};

std::optional<TMark> MarkOf(QChar C, const TFormatSettings &Settings)
{
    if (C == u'.')
        return mkPoint;
    if (C == u',')
        return mkComma;
    if (IsGroupBlank(C))
        return mkBlank;
    if (IsApostrophe(C))
        return mkApostrophe;
    if (C == Settings.DecimalSeparator)
        return mkRegionDecimal;
    if (C == Settings.ThousandSeparator)
        return mkRegionGroup;
    return std::nullopt;
}

QChar CodeOf(TMark M)
{
    return QChar(char16_t(M));
}

bool OnlyGroups(TMark M)
{
    return M == mkBlank || M == mkApostrophe || M == mkRegionGroup;
}

// Digits is the integer part with its marks mapped to TMark codes. True when
// every mark in it is Group and the marks split the digits into groups of
// three, or the Indian way (pairs, then three), after a first group of one to
// three digits that does not start with 0.
bool IsGrouped(const QString &Digits, QChar Group)
{
    const QStringList Groups = Digits.split(Group);
    if (Groups.size() < 2)
        return false;
    for (const QString &G : Groups)
        for (QChar C : G)
            if (!IsDigit(C))
                return false;
    const qsizetype First = Groups.first().size();
    if (First < 1 || First > 3 || Groups.first().at(0) == u'0')
        return false;
    bool Thousands = true, Indian = First <= 2;
    for (qsizetype I = 1; I < Groups.size(); ++I) {
        const qsizetype Size = Groups.at(I).size();
        Thousands = Thousands && Size == 3;
        Indian = Indian && Size == (I + 1 == Groups.size() ? 3 : 2);
    }
    return Thousands || Indian;
}

} // namespace

std::optional<QString> PastedNumberText(const QString &Text, const TFormatSettings &Settings)
{
    qsizetype First = 0, Last = Text.size();

    // Marks around the number: blanks, one sign, brackets, one currency or
    // percent sign at each end.
    bool Negative = false, Signed = false, Bracket = false;
    bool LeftAffix = false, RightAffix = false;
    for (;;) {
        if (First < Last && IsBlank(Text.at(First))) {
            ++First;
        } else if (First < Last && IsAffix(Text.at(First)) && !LeftAffix) {
            LeftAffix = true;
            ++First;
        } else if (First < Last && Text.at(First) == u'(' && !Bracket && !Signed) {
            Bracket = true;
            ++First;
        } else if (First < Last && IsSign(Text.at(First)) && !Signed && !Bracket) {
            Signed = true;
            Negative = Text.at(First) != u'+';
            ++First;
        } else {
            break;
        }
    }
    bool Closed = false;
    for (;;) {
        if (Last > First && IsBlank(Text.at(Last - 1))) {
            --Last;
        } else if (Last > First && IsAffix(Text.at(Last - 1)) && !RightAffix) {
            RightAffix = true;
            --Last;
        } else if (Last > First && Text.at(Last - 1) == u')' && Bracket && !Closed) {
            Closed = true;
            --Last;
        } else if (Last > First && Text.at(Last - 1) == u'-' && !Signed && !Bracket &&
                   !(Last - 2 > First && IsExponentMark(Text.at(Last - 2)))) {
            // A "-" right after "E" is the sign of an exponent being typed.
            Signed = Negative = true;
            --Last;
        } else {
            break;
        }
    }
    if (Bracket != Closed || (LeftAffix && RightAffix))
        return std::nullopt;
    Negative = Negative || Bracket;

    // The exponent: "E" or "e", an optional sign and digits. An "E" without
    // digits is the unfinished exponent of a typed entry and adds nothing.
    QString Exponent;
    qsizetype End = Last;
    for (qsizetype I = First; I < Last; ++I) {
        if (!IsExponentMark(Text.at(I)))
            continue;
        End = I;
        qsizetype J = I + 1;
        if (J < Last && IsSign(Text.at(J))) {
            if (Text.at(J) != u'+')
                Exponent = QStringLiteral("-");
            ++J;
        }
        const qsizetype Digits = J;
        for (; J < Last && IsDigit(Text.at(J)); ++J)
            Exponent.append(Text.at(J));
        if (J != Last)
            return std::nullopt;
        if (J == Digits)
            Exponent.clear();
        else
            Exponent.prepend(u'E');
        break;
    }

    // The mantissa with every mark replaced by its kind.
    QString Mantissa;
    Mantissa.reserve(End - First);
    QString Kinds; // the kinds of marks present, in order of first appearance
    qsizetype Points = 0, Commas = 0, RegionDecimals = 0;
    QChar LastOfTwo; // the later of "." and ","
    for (qsizetype I = First; I < End; ++I) {
        const QChar C = Text.at(I);
        if (IsDigit(C)) {
            Mantissa.append(C);
            continue;
        }
        const std::optional<TMark> Mark = MarkOf(C, Settings);
        if (!Mark)
            return std::nullopt;
        const QChar Code = CodeOf(*Mark);
        Mantissa.append(Code);
        if (!Kinds.contains(Code))
            Kinds.append(Code);
        if (*Mark == mkPoint || *Mark == mkComma)
            LastOfTwo = Code;
        Points += *Mark == mkPoint;
        Commas += *Mark == mkComma;
        RegionDecimals += *Mark == mkRegionDecimal;
    }

    // Which kind is the decimal point and which groups the digits.
    QChar Point, Group;
    bool GroupOnlyMarks = false;
    for (QChar K : Kinds)
        GroupOnlyMarks = GroupOnlyMarks || OnlyGroups(TMark(K.unicode()));
    if (RegionDecimals > 0) {
        Point = CodeOf(mkRegionDecimal);
    } else if (Points > 0 && Commas > 0) {
        Point = LastOfTwo;
    } else if (Points + Commas > 0) {
        const QChar Mark = CodeOf(Points > 0 ? mkPoint : mkComma);
        const qsizetype Count = Points + Commas;
        // Beside blank or apostrophe grouping the mark is the point; alone,
        // it groups when it occurs several times, and a single one follows
        // the region.
        if (GroupOnlyMarks)
            Point = Mark;
        else if (Count > 1)
            Group = Mark;
        else if (Mark == Settings.DecimalSeparator)
            Point = Mark;
        else if (IsGrouped(Mantissa, Mark))
            Group = Mark;
        else
            Point = Mark;
    }
    // Every other kind present groups; there may be one such kind only.
    for (QChar K : Kinds) {
        if (K == Point || K == Group)
            continue;
        if (!Group.isNull())
            return std::nullopt;
        Group = K;
    }

    const qsizetype At = Point.isNull() ? -1 : Mantissa.indexOf(Point);
    if (At >= 0 && Mantissa.indexOf(Point, At + 1) >= 0)
        return std::nullopt;
    QString Whole = At >= 0 ? Mantissa.left(At) : Mantissa;
    const QString Fraction = At >= 0 ? Mantissa.mid(At + 1) : QString();
    for (QChar C : Fraction)
        if (!IsDigit(C))
            return std::nullopt;
    if (!Group.isNull()) {
        if (!IsGrouped(Whole, Group))
            return std::nullopt;
        Whole.remove(Group);
    } else {
        for (QChar C : Whole)
            if (!IsDigit(C))
                return std::nullopt;
    }
    if (Whole.isEmpty() && Fraction.isEmpty())
        return std::nullopt;

    QString Result = Negative ? QStringLiteral("-") : QString();
    Result += Whole;
    if (At >= 0)
        Result += Settings.DecimalSeparator + Fraction;
    Result += Exponent;
    Extended Value = 0;
    if (!ReadDecimalGrammar(Result, QStringView(&Settings.DecimalSeparator, 1), Value) ||
        !std::isfinite(Value))
        return std::nullopt;
    // A zero, or a value too small for Extended, is written as 0 (no "-0").
    if (Value == 0)
        return QStringLiteral("0");
    return Result;
}

} // namespace Brix
