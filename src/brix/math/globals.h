/// @file
/// Shared constants and enumerations of the numeric core: the zero thresholds
/// and relative tolerances of the tolerant float tests, and the fixed
/// constants of the elementary functions.
#pragma once

#include "brix/classes/globals.h"

#include <cstdint>

namespace Brix {

/// Zero threshold of every floating-point routine: the Extended value nearest
/// to 5e-3240 (a normal 80-bit number; far below the Double range). Values
/// whose magnitude is below it count as zero; it is also the tolerance the
/// engine passes for exact-zero tests.
inline constexpr Extended TinyExtended = 5e-3240L;

/// Zero threshold of the Double family: the Double value nearest to 5e-250.
inline constexpr Double TinyDouble = 5e-250;

/// Relative tolerance of the Extended family (nearest Extended to 1e-17).
inline constexpr Extended RelEpsExtended = 1e-17L;

/// Relative tolerance of the Double family (nearest Double to 1e-13).
inline constexpr Double RelEpsDouble = 1e-13;

/// A non-zero value counts as zero beside an exact zero when the decimal
/// logarithm of its magnitude lies below these exponents.
///@{
inline constexpr Extended ZeroMagnitudeExtended = -17.0L;
inline constexpr Double ZeroMagnitudeDouble = -13.0;
///@}

/// Tolerance factor used when exactly one operand of a comparison is zero.
inline constexpr Extended OneZeroFactor = 0.1L;

/// ln 10 as the elementary functions use it.
inline constexpr Extended Ln10Extended = 2.302585092994045684L;

/// ln 2 (the x87 built-in constant: 80-bit nearest value of ln 2).
inline constexpr Extended Ln2Extended = 0.693147180559945309417232121458176568L;

/// π, nearest 80-bit value (mantissa C90FDAA22168C235).
inline constexpr Extended PiExtended = 3.1415926535897932385L;

/// π/2 as returned by the arcsine and arccosine at 1, -1 and 0: the 80-bit
/// value of the decimal 1.5707963267948966192 (mantissa C90FDAA22168C234).
/// That is one unit below PiExtended / 2, so 2·ArcSinChecked(1) is not
/// PiExtended; both show as 1.57079632679489662 at 18 digits.
inline constexpr Extended PiHalfExtended = 1.5707963267948966192L;

///@{
/// π/2 and π in double precision (used in AngleOfPoint).
inline constexpr Double PiHalfDouble = 1.5707963267948966;
inline constexpr Double PiDouble = 3.141592653589793;
///@}

///@{
/// Grads <-> radians factors (π/200 and 200/π).
inline constexpr Extended GradsToRadiansFactor = 0.015707963267948966192L;
inline constexpr Extended RadiansToGradsFactor = 63.661977236758134309L;
///@}

///@{
/// Bounds of exponents that are raised by the exact integer-power path.
inline constexpr Extended MinInt32Extended = -2147483648.0L;
inline constexpr Extended MaxInt32Extended = 2147483647.0L;
///@}

/// Kinds of integer grouping kept by the integer formatter.
enum TBrixGrouping
{
    egNone,
    egByte,
    egWord,
    egDWord
};

} // namespace Brix
