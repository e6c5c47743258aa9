// What the number-text sources share inside the library; not installed.
#pragma once

#include "brix/math/globals.h"

#include <QStringView>

namespace Brix {

// Reads T whole as [sign] digits [separator digits] [E [sign] digits], with
// at least one mantissa digit, where any character of Separators is the
// decimal separator. Only this plain decimal grammar is let through to the C
// library, so "inf", "nan" and hexadecimal floats are refused. R may be
// infinite on overflow.
//   "12.5" with "." -> 12.5;  "1,5e3" with ".," -> 1500;  "inf", "1e" -> false
bool ReadDecimalGrammar(QStringView T, QStringView Separators, Extended &R);

} // namespace Brix
