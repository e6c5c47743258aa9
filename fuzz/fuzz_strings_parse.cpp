// Text -> number parsers on arbitrary text.
//
// Input: byte 0 picks the separators (low 3 bits) and the text encoding
// (bit 7: UTF-16 with NULs and lone surrogates, else UTF-8); the rest is the
// text. Checks: no crash or undefined behaviour; a failed float parse leaves
// 0; a parsed float is finite and survives its own 18-digit exponent text;
// an accepted integer survives its own text; the regional wrappers agree.
#include "brix/strings/tools.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

using namespace Brix;

namespace {

TFormatSettings Separators(std::uint8_t Pick)
{
    static const char16_t Pairs[8][2] = {
        {u'.', u','}, {u',', u'.'}, {u',', 0x202F}, {u'.', u'.'},
        {u'E', u'-'}, {u'0', u'1'}, {u'-', u'+'},   {0, u' '},
    };
    TFormatSettings S = TFormatSettings::Invariant();
    S.DecimalSeparator = QChar(Pairs[Pick & 7][0]);
    S.ThousandSeparator = QChar(Pairs[Pick & 7][1]);
    return S;
}

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, size_t Size)
{
    if (Size == 0)
        return 0;
    const TFormatSettings S = Separators(Data[0]);
    const QString Text =
        Data[0] & 0x80
            ? QString::fromUtf16(reinterpret_cast<const char16_t *>(Data + 1), (Size - 1) / 2)
            : QString::fromUtf8(reinterpret_cast<const char *>(Data + 1), qsizetype(Size - 1));

    Extended V = 99;
    const bool Ok = TextToFloatChecked(Text, S, V);
    if (!Ok) {
        Check(V == 0);
    } else {
        Check(std::isfinite(V));
        // The 18 significant digits of V read back to within their rounding.
        const TFormatSettings Plain = Separators(0);
        const QString Back = ScientificText(Plain, 17, false, V, false, false);
        Extended W = 0;
        // Only a value rounded up past the largest one cannot be read back.
        if (TextToFloatChecked(Back, Plain, W))
            Check(std::fabs(W - V) <=
                  std::fabs(V) * 1e-17L + std::numeric_limits<Extended>::denorm_min());
        else
            Check(std::fabs(V) > std::numeric_limits<Extended>::max() * (1 - 1e-17L));
    }

    int I = 99;
    if (TextToIntChecked(Text, S, I)) {
        const TFormatSettings Plain = Separators(0);
        int J = 0;
        Check(TextToIntChecked(IntegerText(I, Plain, false, false), Plain, J) && J == I);
    }
    Check(TextToIntChecked(Text, S) == I);

    bool Negative = false;
    const QString Rest = StripSignMarks(Text, Negative);
    Check(!Rest.contains(u'(') && !Rest.contains(u')'));

    // The regional wrappers read the same record.
    RegionalSettings() = S;
    Check(TextToFloatOrDefault(Text, 7) == (Ok ? V : 7));
    Check(TextToFloatOrZero(Text) == (Ok ? V : 0));
    return 0;
}
