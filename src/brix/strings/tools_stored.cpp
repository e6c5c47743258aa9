// The number text a settings store keeps: written as the shortest text that
// reads back as the same 80-bit value, read whatever the region.
#include "brix/strings/tools.h"

#include "brix/classes/formatsettings.h"
#include "brix/strings/tools_internal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace Brix {

namespace {

// A caller's decimal count below this caps the stored decimals; the display
// routines never show more.
constexpr int MaxStoredDecimals = 18;

} // namespace

QString StoredFloatText(Extended Value, Byte Decimals, QChar DecimalSeparator)
{
    if (!std::isfinite(Value))
        return QString();
    const bool Negative = std::signbit(Value);
    if (Value == 0)
        return Negative ? QStringLiteral("-0") : QStringLiteral("0");
    const Extended Magnitude = std::fabs(Value);
    const bool Capped = Decimals < MaxStoredDecimals;

    // Digits and decimal exponent of "d.ddde+x" text from to_chars, which
    // is exact, locale-free, and by default the shortest round trip.
    struct TShortest
    {
        std::string Digits;
        int Exponent = 0;
    };
    auto Split = [](const char *Begin, const char *End) {
        TShortest R;
        const char *P = Begin;
        for (; P < End && *P != 'e'; ++P)
            if (*P != '.')
                R.Digits.push_back(*P);
        if (P < End)
            std::from_chars(P + (P[1] == '+' ? 2 : 1), End, R.Exponent);
        while (R.Digits.size() > 1 && R.Digits.back() == '0')
            R.Digits.pop_back();
        return R;
    };
    char Buf[96];
    auto Res = std::to_chars(Buf, Buf + sizeof Buf, Magnitude, std::chars_format::scientific);
    TShortest D = Split(Buf, Res.ptr);

    QString Text;
    if (Negative)
        Text += u'-';
    const bool Fixed = D.Exponent >= -5 && D.Exponent <= 18;
    const int Places = int(D.Digits.size()) - 1 - D.Exponent; // decimals of the fixed form
    // A caller's smaller count rounds as the display routines do (ties away
    // from zero): "0.13" for 0.125 at 2.
    TFormatSettings Settings;
    Settings.DecimalSeparator = DecimalSeparator;
    if (Fixed && Capped && Places > Decimals)
        return FixedText(Settings, Decimals, false, Value, true, false, false);
    if (!Fixed && Capped && int(D.Digits.size()) - 1 > Decimals)
        return ScientificText(Settings, Decimals, false, Value, true, false);
    if (Fixed) {
        const std::string &G = D.Digits;
        const int E = D.Exponent;
        if (E < 0) {
            Text += u'0';
            Text += DecimalSeparator;
            Text += QString(-E - 1, u'0');
            Text += QString::fromLatin1(G.data(), qsizetype(G.size()));
        } else {
            const size_t Whole = size_t(E) + 1;
            Text += QString::fromLatin1(G.data(), qsizetype(std::min(Whole, G.size())));
            if (G.size() < Whole)
                Text += QString(qsizetype(Whole - G.size()), u'0');
            else if (G.size() > Whole) {
                Text += DecimalSeparator;
                Text += QString::fromLatin1(G.data() + Whole, qsizetype(G.size() - Whole));
            }
        }
        return Text;
    }
    Text += QChar(u'0' + (D.Digits[0] - '0'));
    if (D.Digits.size() > 1) {
        Text += DecimalSeparator;
        Text += QString::fromLatin1(D.Digits.data() + 1, qsizetype(D.Digits.size() - 1));
    }
    Text += D.Exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    Text += QString::number(std::abs(D.Exponent));
    return Text;
}

bool StoredTextToFloat(const QString &S, Extended &Value)
{
    Value = 0;
    const QString T = TrimControls(S);
    Extended R = 0;
    if (!ReadDecimalGrammar(T, u".,", R))
        return false;
    if (!std::isfinite(R))
        return false;
    Value = R;
    return true;
}

QString ExactFloatText(Extended Value)
{
    return StoredFloatText(Value, MaxStoredDecimals, u'.');
}

bool ExactTextToFloat(QStringView Text, Extended &Value)
{
    Value = 0;
    Extended R = 0;
    if (!ReadDecimalGrammar(Text, u".", R) || !std::isfinite(R))
        return false;
    Value = R;
    return true;
}

} // namespace Brix
