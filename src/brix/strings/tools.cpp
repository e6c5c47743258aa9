#include "brix/strings/tools.h"

#include "brix/math/globals.h"
#include "brix/strings/tools_internal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <vector>

namespace Brix {

namespace {

// ---------------------------------------------------------------------------
// Digit generation: the value's decimal digits and exponent, independent of
// any layout or separator.

constexpr int DigitPrecision = 18;
constexpr int MaxFixedDecimals = 18;

// Magnitude = 0.d[0] d[1] ... d[Count-1] x 10^Exponent; no digits means zero.
struct TDecimalDigits
{
    char Digit[DigitPrecision] = {};
    int Count = 0;
    int Exponent = 0;
};

// The first 18 significant digits of the exact binary value, rounded to
// nearest with ties to even. False for an infinity or a NaN.
bool GenerateDigits(Extended Magnitude, TDecimalDigits &Out)
{
    Out = TDecimalDigits();
    if (!std::isfinite(Magnitude))
        return false;
    if (Magnitude == 0)
        return true;
    // "d.ddddddddddddddddde+x": to_chars is exact and ignores the C locale.
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, Magnitude, std::chars_format::scientific,
                                 DigitPrecision - 1);
    if (R.ec != std::errc() || R.ptr - Buf < DigitPrecision + 3)
        return false;
    Out.Digit[0] = Buf[0];
    std::copy(Buf + 2, Buf + 1 + DigitPrecision, Out.Digit + 1);
    const char *P = Buf + 1 + DigitPrecision;
    if (*P != 'e')
        return false;
    ++P;
    const bool NegExp = *P == '-';
    ++P;
    int Exp10 = 0;
    if (std::from_chars(P, R.ptr, Exp10).ec != std::errc())
        return false;
    Out.Count = DigitPrecision;
    Out.Exponent = (NegExp ? -Exp10 : Exp10) + 1;
    return true;
}

// Keeps the first Count digits, rounding the dropped rest half away from
// zero (on the 18 digits, so ties here are decimal ties of the shown text),
// then drops trailing zero digits. Count < 0 makes the value zero.
void RoundDigits(TDecimalDigits &D, int Count)
{
    if (D.Count == 0)
        return;
    if (Count < 0) {
        D = TDecimalDigits();
        return;
    }
    if (Count < D.Count) {
        const bool Up = D.Digit[Count] >= '5';
        D.Count = Count;
        if (Up) {
            int I = Count - 1;
            while (I >= 0 && D.Digit[I] == '9')
                --I;
            if (I < 0) {
                // Carry out of the first digit: 0.999.. becomes 1 x 10^1.
                D.Digit[0] = '1';
                D.Count = 1;
                ++D.Exponent;
            } else {
                ++D.Digit[I];
                D.Count = I + 1;
            }
        }
    }
    while (D.Count > 0 && D.Digit[D.Count - 1] == '0')
        --D.Count;
    if (D.Count == 0)
        D.Exponent = 0;
}

// ---------------------------------------------------------------------------
// Layout into a small fixed buffer: the longest text (sign, 18 integer
// digits, separator, 18 decimals, bracket) is far below its size, so the
// bound check in Put never drops a character in practice.

struct TTextBuffer
{
    static constexpr int Size = 96;
    char16_t Data[Size];
    int Len = 0;

    void Put(char16_t C)
    {
        if (Len < Size)
            Data[Len++] = C;
    }
    void Put(QChar C) { Put(C.unicode()); }
    QString Text(int From = 0) const
    {
        return QString(reinterpret_cast<const QChar *>(Data + From), Len - From);
    }
};

// Fixed form of a rounded magnitude with Decimals (<= 18) places.
void LayoutFixed(const TDecimalDigits &D, int Decimals, QChar DecimalSeparator, TTextBuffer &Out)
{
    const int E = D.Exponent;
    if (E <= 0)
        Out.Put(u'0');
    else
        for (int I = 0; I < E; ++I)
            Out.Put(I < D.Count ? char16_t(D.Digit[I]) : u'0');
    if (Decimals <= 0)
        return;
    Out.Put(DecimalSeparator);
    int Written = 0;
    for (; Written < Decimals && Written < -E; ++Written)
        Out.Put(u'0');
    for (int I = std::max(E, 0); Written < Decimals; ++Written, ++I)
        Out.Put(I < D.Count ? char16_t(D.Digit[I]) : u'0');
}

// Exponent form of a signed value; Precision significant digits (2 to 18).
// Returns the index of the exponent marker, or -1 for a value without
// digits (infinity, NaN).
int LayoutExponent(Extended Value, int Precision, QChar DecimalSeparator, TTextBuffer &Out)
{
    TDecimalDigits D;
    if (!GenerateDigits(std::fabs(Value), D))
        return -1;
    RoundDigits(D, Precision);
    if (Value < 0)
        Out.Put(u'-');
    Out.Put(D.Count > 0 ? char16_t(D.Digit[0]) : u'0');
    Out.Put(DecimalSeparator);
    for (int I = 1; I < Precision; ++I)
        Out.Put(I < D.Count ? char16_t(D.Digit[I]) : u'0');
    const int Marker = Out.Len;
    Out.Put(u'E');
    // Zero has no digits and shows E+0.
    const int Exp = D.Count > 0 ? D.Exponent - 1 : 0;
    Out.Put(Exp < 0 ? u'-' : u'+');
    char Buf[16];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, Exp < 0 ? -Exp : Exp);
    for (const char *P = Buf; P < R.ptr; ++P)
        Out.Put(char16_t(*P));
    return Marker;
}

// Drops trailing '0' characters of Out[From, To), then one trailing
// separator; returns the new end.
int TrimTrailingZeroes(const TTextBuffer &Out, int From, int To, QChar DecimalSeparator)
{
    while (To > From && Out.Data[To - 1] == u'0')
        --To;
    if (To > From && Out.Data[To - 1] == DecimalSeparator.unicode())
        --To;
    return To;
}

QString ScientificTextImpl(const TFormatSettings &Settings, Byte Decimals, bool BlankWhenZero,
                           Extended Value, bool TrimZeroes, bool ShowPlus)
{
    if (BlankWhenZero && std::fabs(Value) < TinyExtended)
        return QString();
    const int Precision = std::clamp(int(Decimals) + 1, 2, DigitPrecision);
    TTextBuffer Out;
    Out.Put(u'+'); // room for the plus sign
    const int Marker = LayoutExponent(Value, Precision, Settings.DecimalSeparator, Out);
    if (Marker < 0)
        return QString();
    if (TrimZeroes && Decimals > 0) {
        const int End = TrimTrailingZeroes(Out, 1, Marker, Settings.DecimalSeparator);
        std::copy(Out.Data + Marker, Out.Data + Out.Len, Out.Data + End);
        Out.Len -= Marker - End;
    }
    return Out.Text(ShowPlus && Value > 0 ? 0 : 1);
}

QString FixedTextImpl(const TFormatSettings &Settings, Byte Decimals, bool BlankWhenZero,
                      Extended Value, bool TrimZeroes, bool ShowPlus, bool Brackets, bool Group,
                      bool Lakh)
{
    const QChar Sep = Settings.DecimalSeparator;
    const Extended Magnitude = std::fabs(Value);
    if (Magnitude < TinyExtended) {
        if (BlankWhenZero)
            return QString();
        if (TrimZeroes || Decimals == 0)
            return QStringLiteral("0");
        return QStringLiteral("0") + Sep + QString(Decimals, u'0');
    }

    TDecimalDigits D;
    if (!GenerateDigits(Magnitude, D))
        return QString();
    const int Places = std::min<int>(Decimals, MaxFixedDecimals);
    RoundDigits(D, std::min(D.Exponent + Places, DigitPrecision));
    if (D.Exponent > DigitPrecision)
        return ScientificTextImpl(Settings, Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus);

    // Index 0 is kept free for the sign.
    TTextBuffer Out;
    Out.Put(u' ');
    LayoutFixed(D, Places, Sep, Out);
    if (TrimZeroes && Decimals > 0)
        Out.Len = TrimTrailingZeroes(Out, 1, Out.Len, Sep);

    const bool Negative = Value < 0;
    if (!Group) {
        int From = 1;
        if (Negative) {
            From = 0;
            Out.Data[0] = Brackets ? u'(' : u'-';
            if (Brackets)
                Out.Put(u')');
        } else if (ShowPlus) {
            From = 0;
            Out.Data[0] = u'+';
        }
        return Out.Text(From);
    }

    QString S = Out.Text(1);
    qsizetype Split = S.indexOf(Sep);
    if (Split < 0)
        Split = S.size();
    QString Digits = S.left(Split);
    InsertGroupSeparators(Digits, Settings, Lakh);
    Digits += QStringView(S).mid(Split);
    if (Negative)
        return Brackets ? u'(' + Digits + u')' : u'-' + Digits;
    if (ShowPlus)
        return u'+' + Digits;
    return Digits;
}

// Sign marks of a number text (see StripSignMarks). With KeepExponentSign a
// trailing '-' right after 'E' or 'e' stays: it is the unfinished exponent
// of an entry such as "1E-", not a negation.
QString StripSignMarksImpl(const QString &S, bool &Negative, bool KeepExponentSign)
{
    Negative = false;
    QString T = TrimControls(S);
    const qsizetype Before = T.size();
    T.remove(u'(');
    T.remove(u')');
    if (T.size() != Before)
        Negative = true;
    T = TrimControls(T);
    qsizetype First = 0;
    qsizetype Last = T.size();
    while (First < Last && T.at(First) == u'-') {
        ++First;
        Negative = true;
    }
    while (Last > First && T.at(Last - 1) == u'-') {
        if (KeepExponentSign && Last - 1 > First &&
            (T.at(Last - 2) == u'E' || T.at(Last - 2) == u'e'))
            break;
        --Last;
        Negative = true;
    }
    return TrimControls(T.mid(First, Last - First));
}

bool IsAsciiDigit(QChar C)
{
    return C.unicode() >= u'0' && C.unicode() <= u'9';
}

int HexDigitValue(QChar C)
{
    const char16_t U = C.unicode();
    if (U >= u'0' && U <= u'9')
        return U - u'0';
    if (U >= u'a' && U <= u'f')
        return U - u'a' + 10;
    if (U >= u'A' && U <= u'F')
        return U - u'A' + 10;
    return -1;
}

locale_t CLocale()
{
    static const locale_t Locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return Locale;
}

bool TextToFloatImpl(const QString &S, const TFormatSettings &Settings, Extended &Value)
{
    Value = 0;
    QString T = StripGroupSeparators(StripPercentSign(S), Settings);
    if (T.isEmpty())
        return false;
    bool Negative = false;
    T = StripSignMarksImpl(T, Negative, true);
    const QChar Sep = Settings.DecimalSeparator;
    // An entry being typed may end in an unfinished part: "12.", "3E", "3E-".
    qsizetype N = T.size();
    while (N > 0) {
        const QChar C = T.at(N - 1);
        if (C != u'e' && C != u'E' && C != Sep && C != u'-' && C != u'+')
            break;
        --N;
        while (N > 0 && T.at(N - 1).unicode() < 33)
            --N;
    }
    if (N == 0)
        return false;

    Extended R = 0;
    if (!ReadDecimalGrammar(QStringView(T).first(N), QStringView(&Sep, 1), R))
        return false;
    if (!std::isfinite(R))
        return false;
    Value = Negative ? -R : R;
    return true;
}

bool TextToIntImpl(const QString &S, const TFormatSettings &Settings, int &Value)
{
    Value = 0;
    const QString T = StripGroupSeparators(S, Settings);
    const qsizetype N = T.size();
    if (N == 0)
        return false;
    qsizetype I = 0;
    bool Negative = false;
    if (T.at(0) == u'+' || T.at(0) == u'-') {
        Negative = T.at(0) == u'-';
        ++I;
    }
    int Base = 10;
    if (I < N && (T.at(I) == u'$' || T.at(I) == u'x' || T.at(I) == u'X')) {
        Base = 16;
        ++I;
    } else if (I + 1 < N && T.at(I) == u'0' && (T.at(I + 1) == u'x' || T.at(I + 1) == u'X')) {
        Base = 16;
        I += 2;
    }
    // The magnitude saturates just above the 64-bit range; only whether it
    // leaves the int range matters for the result.
    constexpr std::uint64_t Ceiling = std::uint64_t(std::numeric_limits<Int64>::max()) + 1;
    std::uint64_t Magnitude = 0;
    qsizetype Count = 0;
    for (; I < N; ++I, ++Count) {
        const int D = Base == 16 ? HexDigitValue(T.at(I))
                                 : (IsAsciiDigit(T.at(I)) ? T.at(I).unicode() - u'0' : -1);
        if (D < 0)
            break;
        if (Magnitude <= (Ceiling - D) / Base)
            Magnitude = Magnitude * Base + D;
        else
            Magnitude = Ceiling;
    }
    constexpr std::uint64_t MaxInt = std::uint64_t(std::numeric_limits<int>::max());
    bool InRange = true;
    if (Negative) {
        if (Magnitude > MaxInt + 1) {
            Value = std::numeric_limits<int>::min();
            InRange = false;
        } else {
            Value = int(-Int64(Magnitude));
        }
    } else if (Magnitude > MaxInt) {
        Value = std::numeric_limits<int>::max();
        InRange = false;
    } else {
        Value = int(Magnitude);
    }
    return InRange && Count > 0 && I == N;
}

} // namespace

bool ReadDecimalGrammar(QStringView T, QStringView Separators, Extended &R)
{
    const qsizetype N = T.size();
    std::string Ascii;
    Ascii.reserve(size_t(N));
    qsizetype I = 0;
    auto Digits = [&] {
        qsizetype Count = 0;
        for (; I < N && IsAsciiDigit(T.at(I)); ++I, ++Count)
            Ascii.push_back(char(T.at(I).unicode()));
        return Count;
    };
    if (I < N && (T.at(I) == u'+' || T.at(I) == u'-'))
        Ascii.push_back(char(T.at(I++).unicode()));
    qsizetype Mantissa = Digits();
    if (I < N && Separators.contains(T.at(I))) {
        Ascii.push_back('.');
        ++I;
        Mantissa += Digits();
    }
    if (Mantissa == 0)
        return false;
    if (I < N && (T.at(I) == u'e' || T.at(I) == u'E')) {
        Ascii.push_back('e');
        ++I;
        if (I < N && (T.at(I) == u'+' || T.at(I) == u'-'))
            Ascii.push_back(char(T.at(I++).unicode()));
        if (Digits() == 0)
            return false;
    }
    if (I != N)
        return false;
    if (const locale_t C = CLocale()) {
        char *End = nullptr;
        R = strtold_l(Ascii.c_str(), &End, C);
        return End == Ascii.c_str() + Ascii.size();
    }
    // No "C" locale object: from_chars is locale-free too, but also refuses
    // values that underflow.
    const auto Res = std::from_chars(Ascii.data(), Ascii.data() + Ascii.size(), R);
    return Res.ec == std::errc() && Res.ptr == Ascii.data() + Ascii.size();
}

// ---------------------------------------------------------------------------
// String utilities

QString CharString(QChar Ch)
{
    static const std::array<QString, 128> Ascii = [] {
        std::array<QString, 128> A;
        for (char16_t C = 0; C < 128; ++C)
            A[C] = QString(QChar(C));
        return A;
    }();
    return Ch.unicode() < 128 ? Ascii[Ch.unicode()] : QString(Ch);
}

QString TrimControls(const QString &S)
{
    qsizetype First = 0;
    qsizetype Last = S.size();
    while (First < Last && S.at(First).unicode() < 33)
        ++First;
    while (Last > First && S.at(Last - 1).unicode() < 33)
        --Last;
    if (First == 0 && Last == S.size())
        return S;
    return S.mid(First, Last - First);
}

QString RemoveChar(const QString &S, QChar Ch)
{
    QString R = S;
    R.remove(Ch);
    return R;
}

QString StripGroupSeparators(const QString &S, const TFormatSettings &Settings)
{
    return TrimControls(RemoveChar(S, Settings.ThousandSeparator));
}

QString StripPercentSign(const QString &S)
{
    return RemoveChar(S, u'%');
}

QString StripSignMarks(const QString &S, bool &Negative)
{
    return StripSignMarksImpl(S, Negative, false);
}

bool CharInText(QChar Ch, const QString &S)
{
    return S.contains(Ch);
}

QString LeftChars(const QString &S, qsizetype N)
{
    return N <= 0 ? QString() : S.left(N);
}

QString RightChars(const QString &S, qsizetype N)
{
    return N <= 0 ? QString() : S.right(N);
}

QString CharsAfter(const QString &S, qsizetype N)
{
    if (N <= 0)
        return S;
    return N >= S.size() ? QString() : S.mid(N);
}

// ---------------------------------------------------------------------------
// Number to text

void InsertGroupSeparators(QString &Digits, const TFormatSettings &Settings, bool Lakh)
{
    const qsizetype L = Digits.size();
    if (L <= 3)
        return;
    const QChar G = Settings.ThousandSeparator;
    QString R;
    R.reserve(L + L / 2 + 1);
    if (!Lakh) {
        const qsizetype Lead = (L - 1) % 3 + 1;
        R += QStringView(Digits).left(Lead);
        for (qsizetype I = Lead; I < L; I += 3) {
            R += G;
            R += QStringView(Digits).mid(I, 3);
        }
    } else {
        // The last three digits, then pairs: 12,34,56,789.
        const qsizetype Pairs = L - 3;
        const qsizetype Lead = (Pairs - 1) % 2 + 1;
        R += QStringView(Digits).left(Lead);
        for (qsizetype I = Lead; I < Pairs; I += 2) {
            R += G;
            R += QStringView(Digits).mid(I, 2);
        }
        R += G;
        R += QStringView(Digits).mid(Pairs);
    }
    Digits = R;
}

QString GroupNumberText(const QString &S, const TFormatSettings &Settings, bool Lakh)
{
    try {
        const QString T = StripGroupSeparators(S, Settings);
        if (T.isEmpty())
            return QString();
        // Without a decimal separator the whole text is the integer part.
        qsizetype P = T.indexOf(Settings.DecimalSeparator);
        if (P < 0)
            P = T.size();
        // Walk leftwards; a run of digits longer than the group limit gets a
        // separator right of its current digit. Marks first, so long texts
        // are built in one pass.
        std::vector<bool> SeparatorAfter(size_t(P), false);
        qsizetype Insertions = 0;
        int Run = 0;
        int Limit = 3;
        for (qsizetype I = P - 1; I >= 0; --I) {
            if (!IsAsciiDigit(T.at(I))) {
                Run = 0;
                continue;
            }
            if (++Run > Limit) {
                SeparatorAfter[size_t(I)] = true;
                ++Insertions;
                Run = 1;
                if (Lakh)
                    Limit = 2;
            }
        }
        QString R;
        R.reserve(T.size() + Insertions);
        for (qsizetype I = 0; I < P; ++I) {
            R += T.at(I);
            if (SeparatorAfter[size_t(I)])
                R += Settings.ThousandSeparator;
        }
        R += QStringView(T).mid(P);
        return R;
    } catch (...) {
        return QString();
    }
}

QString GroupNumberText(const QString &S, bool Lakh)
{
    return GroupNumberText(S, RegionalSettings(), Lakh);
}

QString IntegerText(int Value, const TFormatSettings &, bool BlankWhenZero, bool ShowPlus)
{
    try {
        if (BlankWhenZero && Value == 0)
            return QString();
        char Buf[16];
        char *First = Buf + 1;
        const auto R = std::to_chars(First, Buf + sizeof Buf, Value);
        if (ShowPlus && Value > 0)
            *--First = '+';
        return QString::fromLatin1(First, R.ptr - First);
    } catch (...) {
        return QString();
    }
}

QString IntegerText(int Value, bool BlankWhenZero, bool ShowPlus)
{
    return IntegerText(Value, RegionalSettings(), BlankWhenZero, ShowPlus);
}

QString IntegerTextGrouped(int Value, const TFormatSettings &Settings, bool BlankWhenZero,
                           bool Lakh, bool ShowPlus)
{
    if (BlankWhenZero && Value == 0)
        return QString();
    // Int64 keeps the magnitude of the smallest int representable.
    QString Digits = QString::number(Value < 0 ? -Int64(Value) : Int64(Value));
    InsertGroupSeparators(Digits, Settings, Lakh);
    if (Value < 0)
        return u'-' + Digits;
    if (ShowPlus && Value > 0)
        return u'+' + Digits;
    return Digits;
}

QString IntegerTextGrouped(int Value, bool BlankWhenZero, bool Lakh, bool ShowPlus)
{
    return IntegerTextGrouped(Value, RegionalSettings(), BlankWhenZero, Lakh, ShowPlus);
}

QString FixedText(const TFormatSettings &Settings, Byte Decimals, bool BlankWhenZero,
                  Extended Value, bool TrimZeroes, bool ShowPlus, bool Brackets)
{
    try {
        return FixedTextImpl(Settings, Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus,
                             Brackets, false, false);
    } catch (...) {
        return QString();
    }
}

QString FixedText(Byte Decimals, bool BlankWhenZero, Extended Value, bool TrimZeroes, bool ShowPlus,
                  bool Brackets)
{
    return FixedText(RegionalSettings(), Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus,
                     Brackets);
}

Byte KnownFixedDecimals(Extended Value, Byte Decimals)
{
    // The digits as FixedText rounds them; a carry there (0.999.. to 1)
    // moves the exponent and with it the last known place.
    const Extended Magnitude = std::fabs(Value);
    TDecimalDigits D;
    if (Magnitude < TinyExtended || !GenerateDigits(Magnitude, D))
        return Decimals;
    const int Places = std::min<int>(Decimals, MaxFixedDecimals);
    RoundDigits(D, std::min(D.Exponent + Places, DigitPrecision));
    if (D.Count == 0 || D.Exponent > DigitPrecision)
        return Decimals;
    return Byte(std::clamp(DigitPrecision - D.Exponent, 0, int(Decimals)));
}

QString GroupedFixedText(const TFormatSettings &Settings, Byte Decimals, bool BlankWhenZero,
                         Extended Value, bool TrimZeroes, bool ShowPlus, bool Brackets, bool Lakh)
{
    try {
        return FixedTextImpl(Settings, Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus,
                             Brackets, true, Lakh);
    } catch (...) {
        return QString();
    }
}

QString GroupedFixedText(Byte Decimals, bool BlankWhenZero, Extended Value, bool TrimZeroes,
                         bool ShowPlus, bool Brackets, bool Lakh)
{
    return GroupedFixedText(RegionalSettings(), Decimals, BlankWhenZero, Value, TrimZeroes,
                            ShowPlus, Brackets, Lakh);
}

QString ScientificText(const TFormatSettings &Settings, Byte Decimals, bool BlankWhenZero,
                       Extended Value, bool TrimZeroes, bool ShowPlus)
{
    try {
        return ScientificTextImpl(Settings, Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus);
    } catch (...) {
        return QString();
    }
}

QString ScientificText(Byte Decimals, bool BlankWhenZero, Extended Value, bool TrimZeroes,
                       bool ShowPlus)
{
    return ScientificText(RegionalSettings(), Decimals, BlankWhenZero, Value, TrimZeroes, ShowPlus);
}

// ---------------------------------------------------------------------------
// Text to number

bool TextToIntChecked(const QString &S, const TFormatSettings &Settings, int &Value)
{
    try {
        return TextToIntImpl(S, Settings, Value);
    } catch (...) {
        Value = 0;
        return false;
    }
}

bool TextToIntChecked(const QString &S, int &Value)
{
    return TextToIntChecked(S, RegionalSettings(), Value);
}

int TextToIntChecked(const QString &S, const TFormatSettings &Settings)
{
    int Value = 0;
    TextToIntChecked(S, Settings, Value);
    return Value;
}

int TextToIntChecked(const QString &S)
{
    return TextToIntChecked(S, RegionalSettings());
}

bool TextToFloatChecked(const QString &S, const TFormatSettings &Settings, Extended &Value)
{
    try {
        return TextToFloatImpl(S, Settings, Value);
    } catch (...) {
        Value = 0;
        return false;
    }
}

bool TextToFloatChecked(const QString &S, Extended &Value)
{
    return TextToFloatChecked(S, RegionalSettings(), Value);
}

Extended TextToFloatOrZero(const QString &S)
{
    Extended Value = 0;
    return TextToFloatChecked(S, Value) ? Value : 0;
}

Extended TextToFloatOrDefault(const QString &S, Extended Default)
{
    Extended Value = 0;
    return TextToFloatChecked(S, Value) ? Value : Default;
}

} // namespace Brix
