// Number -> text on arbitrary 80-bit patterns, and GroupNumberText on
// arbitrary text.
//
// Input: 10 bytes of an 80-bit value (any pattern, including NaNs,
// infinities, subnormals and the encodings the hardware calls invalid), one
// byte of decimals, one byte of flags, then UTF-16 text for GroupNumberText.
// Checks: no crash or undefined behaviour; no text contains "nan" or "inf";
// an infinity or NaN gives ""; a finite value gives text that reads back
// within the rounding of its decimals; grouping only adds separators.
#include "brix/strings/tools.h"

#include "brix/math/globals.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace Brix;

namespace {

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

bool LooksNonFinite(const QString &T)
{
    return T.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
           T.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, size_t Size)
{
    if (Size < 12)
        return 0;
    Extended Value = 0;
    std::memcpy(&Value, Data, 10);
    const Byte Decimals = Data[10];
    const std::uint8_t Flags = Data[11];
    const bool Blank = Flags & 1, Trim = Flags & 2, Plus = Flags & 4, Brackets = Flags & 8,
               Lakh = Flags & 16;

    TFormatSettings S = TFormatSettings::Invariant();
    S.DecimalSeparator = u'.';
    S.ThousandSeparator = u',';

    const QString Text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(Data + 12), (Size - 12) / 2);
    const QString G = GroupNumberText(Text, S, Lakh);
    Check(RemoveChar(G, u',') == StripGroupSeparators(Text, S));

    const QString Fixed = FixedText(S, Decimals, Blank, Value, Trim, Plus, Brackets);
    const QString Grouped = GroupedFixedText(S, Decimals, Blank, Value, Trim, Plus, Brackets, Lakh);
    const QString Sci = ScientificText(S, Decimals, Blank, Value, Trim, Plus);
    for (const QString *T : {&Fixed, &Grouped, &Sci})
        Check(!LooksNonFinite(*T));

    // The processor never produces pseudo-denormals or unnormals (integer
    // bit not matching the exponent field); their decimal value is not well
    // defined, so for them only the checks above apply.
    const std::uint16_t ExponentField = (Data[9] & 0x7F) << 8 | Data[8];
    const bool IntegerBit = Data[7] & 0x80;
    if (IntegerBit != (ExponentField != 0))
        return 0;
    const bool Finite = std::isfinite(Value);
    const bool Zero = Finite && std::fabs(Value) < TinyExtended;
    if (!Finite) {
        Check(Fixed.isEmpty() && Grouped.isEmpty() && Sci.isEmpty());
    } else {
        Check(Fixed.isEmpty() == (Blank && Zero));
        Check(RemoveChar(Grouped, u',') == Fixed);
        if (!Fixed.isEmpty() && !Fixed.contains(u'E')) {
            Extended Back = 0;
            Check(TextToFloatChecked(Fixed, S, Back));
            const int Places = Decimals > 18 ? 18 : Decimals;
            const Extended Step = std::pow(10.0L, -Places);
            Check(std::fabs(Back - Value) <= Step / 2 + std::fabs(Value) * 1e-17L);
        }
        if (!Sci.isEmpty()) {
            // Rounded up past the largest value, the text cannot be read back.
            Extended Back = 0;
            if (TextToFloatChecked(Sci, S, Back))
                Check(std::fabs(Back - Value) <= std::fabs(Value) * 0.051L);
            else
                Check(std::fabs(Value) > std::numeric_limits<Extended>::max() / 1.06L);
        }
    }

    return 0;
}
