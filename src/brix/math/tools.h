/// @file
/// Tolerant floating-point tests and integer rounding (Brix.Math.Tools), and
/// the checked primitives through which the numeric code turns floating-point
/// faults into exceptions instead of infinities and NaNs.
///
/// Two families of tolerant tests: the Extended family (relative tolerance
/// typically 1e-17) and the Double family (1e-13) for settings kept as Double.
/// Comparisons are relative; only the test against zero is absolute, because
/// no relative tolerance exists around zero.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"
#include "brix/math/globals.h"
#include "brix/resources/math.h"

namespace Brix {

// ---------------------------------------------------------------------------
// Floating-point fault checks
//
// Every numeric routine of the library goes through these where a fault can
// arise, so that no infinity or NaN ever leaves it: overflow raises EOverflow
// ("Floating point overflow"), a finite non-zero value divided by zero raises
// EZeroDivide ("Floating point division by zero"), and an invalid operation
// (0/0, logarithm or square root of a negative number, NaN operands, an
// integer conversion out of range) raises EInvalidOp ("Invalid floating point
// operation"). Underflow is not a fault: results simply become zero.
// ---------------------------------------------------------------------------

/// Raises EMathError with the text of Key in the library's default language.
[[noreturn]] BRIX_CORE_EXPORT void RaiseMathError(TBrixResMath Key);

/// Returns X unchanged when it is finite. Infinite: EOverflow; NaN: EInvalidOp.
/// Example: CheckedFloat(2.5) == 2.5; CheckedFloat(1e4000L * 1e4000L) raises.
BRIX_CORE_EXPORT Extended CheckedFloat(Extended X);

/// X rounded to Double. Beyond the Double range: EOverflow; NaN: EInvalidOp.
/// Example: CheckedDouble(0.1L) == 0.1; CheckedDouble(1e400L) raises EOverflow.
BRIX_CORE_EXPORT Double CheckedDouble(Extended X);

/// A / B. B = 0: EInvalidOp when A is 0 (0/0), EZeroDivide otherwise; a
/// quotient beyond the range: EOverflow.
/// Example: DivideChecked(1, 4) == 0.25; DivideChecked(1, 0) raises EZeroDivide.
BRIX_CORE_EXPORT Extended DivideChecked(Extended A, Extended B);

/// Natural logarithm. X = 0: EZeroDivide; X < 0: EInvalidOp.
/// Example: LnChecked(1) == 0; LnChecked(-1) raises EInvalidOp.
BRIX_CORE_EXPORT Extended LnChecked(Extended X);

/// e^X. Beyond the range: EOverflow; far below it the result is 0.
/// Example: ExpChecked(0) == 1; ExpChecked(12000) raises EOverflow.
BRIX_CORE_EXPORT Extended ExpChecked(Extended X);

/// Square root. X < 0: EInvalidOp.
/// Example: SqrtChecked(4) == 2; SqrtChecked(-1) raises EInvalidOp.
BRIX_CORE_EXPORT Extended SqrtChecked(Extended X);

/// X truncated toward zero to an Int64. |X| >= 2^63 or NaN: EInvalidOp (the
/// conversion is range-checked before casting, never undefined).
/// Example: TruncToInt64(-2.7) == -2; TruncToInt64(1e19) raises EInvalidOp.
BRIX_CORE_EXPORT Int64 TruncToInt64(Extended X);

// ---------------------------------------------------------------------------
// Tolerant tests
// ---------------------------------------------------------------------------

/// Epsilon = 0: |Value| < TinyExtended; otherwise |Value| < |Epsilon|
/// (strictly). Examples: IsNearZero(1e-3300L, 0) is true;
/// IsNearZero(1e-3000L, 0) is false; IsNearZero(1e-20L, 1e-20L) is false.
BRIX_CORE_EXPORT bool IsNearZero(Extended Value, Extended Epsilon);

/// IsNearZero in double precision, with TinyDouble when Epsilon = 0.
BRIX_CORE_EXPORT bool IsNearZeroDbl(Double Value, Double Epsilon);

/// Value >= |Epsilon|; a signed test, so negative values never qualify.
/// Examples: IsPositiveBeyond(1, 0.5) is true; IsPositiveBeyond(-1, 0.5) false.
BRIX_CORE_EXPORT bool IsPositiveBeyond(Extended Value, Extended Epsilon);

/// The tolerance for comparing A with B (exact zero tests): both zero:
/// |Epsilon|; one zero: a tenth of the other's magnitude; otherwise
/// min(|A|, |B|)·|Epsilon|.
/// Examples: RelTolerance(0, 0, 1e-17) == 1e-17; RelTolerance(0, 5, x) == 0.5;
/// RelTolerance(2, -4, 0.1) == 0.2.
BRIX_CORE_EXPORT Extended RelTolerance(Extended A, Extended B, Extended Epsilon);

/// RelTolerance with every intermediate held as a Double.
BRIX_CORE_EXPORT Double RelToleranceDbl(Double A, Double B, Double Epsilon);

/// A and B are the same within tolerance. Both exactly zero: true. Exactly
/// one zero: the other's magnitude lies below 1e-17 (tested as
/// ln(M)/ln(10) < -17; Epsilon plays no part). Otherwise
/// |A - B| <= min(|A|, |B|)·|Epsilon| (the boundary counts as a match).
/// Examples: FloatsMatch(0, 1e-18, 1e-17) is true; FloatsMatch(0, 1e-16, 1e-17)
/// is false; FloatsMatch(1, 1 + 5e-18, 1e-17) is true; FloatsMatch(1, 1 +
/// 2e-17, 1e-17) is false.
BRIX_CORE_EXPORT bool FloatsMatch(Extended A, Extended B, Extended Epsilon);

/// FloatsMatch for Doubles: the difference |A - B| is rounded to Double and
/// compared with RelToleranceDbl; beside an exact zero the other magnitude
/// must lie below 1e-13 (ln(M)/ln 10 < -13, taken as in FloatsMatch).
/// Examples: DoublesMatch(1e9, 1e9 + 1e-5, 1e-13) is true;
/// DoublesMatch(1e-7, 1.00001e-7, 1e-13) is false.
BRIX_CORE_EXPORT bool DoublesMatch(Double A, Double B, Double Epsilon);

/// Exactly !DoublesMatch(A, B, Epsilon).
BRIX_CORE_EXPORT bool DoublesDiffer(Double A, Double B, Double Epsilon);

/// A - B > RelTolerance(A, B, Epsilon). No special zero rule: beside a zero the
/// margin is a tenth of the other magnitude.
/// Examples: FloatAbove(0.5, 0, 1e-17) is true; FloatAbove(0, 0, 1e-17) false.
BRIX_CORE_EXPORT bool FloatAbove(Extended A, Extended B, Extended Epsilon);

/// A - B < -RelTolerance(A, B, Epsilon).
/// Examples: FloatBelow(0, 0.5, 1e-17) is true; FloatBelow(1, 1, 1e-17) false.
BRIX_CORE_EXPORT bool FloatBelow(Extended A, Extended B, Extended Epsilon);

// ---------------------------------------------------------------------------
// Tolerant rounding and modulo
// ---------------------------------------------------------------------------

/// Smallest integer not below X; a value within about 1e-17 (relative) above
/// an integer is taken as that integer. Exact integers stay themselves at
/// every magnitude (the relative nudge never carries X beyond the integer
/// next to it). |X| (after a 1e-17 relative nudge) of 2^63 or more, or an
/// infinite or NaN X: EInvalidOp.
/// Examples: CeilTolerant(2.5) == 3; CeilTolerant(-2.5) == -2;
/// CeilTolerant(nearest Extended to 3 + 1e-18) == 3; CeilTolerant(1e18) == 1e18.
BRIX_CORE_EXPORT Int64 CeilTolerant(Extended X);

/// Largest integer not above X; a value within about 1e-17 (relative) below
/// an integer is taken as that integer. Range failure as CeilTolerant.
/// Examples: FloorTolerant(2.5) == 2; FloorTolerant(-0.5) == -1;
/// FloorTolerant(nearest Extended to 3 - 1e-18) == 3; FloorTolerant(-1e-30) == -1.
BRIX_CORE_EXPORT Int64 FloorTolerant(Extended X);

/// X - Y·FloorTolerant(X / Y): the remainder takes the sign of Y.
/// IsNearZero(Y, Epsilon): EMathError "Division by Zero" (tested first); an
/// infinite operand: EOverflow, a NaN: EInvalidOp; a quotient beyond the
/// Int64 range: EInvalidOp.
/// Examples: FloorModulo(-7, 3, TinyExtended) == 2; FloorModulo(7, -3, ...) == -2.
BRIX_CORE_EXPORT Extended FloorModulo(Extended X, Extended Y, Extended Epsilon);

/// FloorTolerant(X / Y) as an Extended value; failures as FloorModulo.
/// Example: FloorQuotient(-7, 3, TinyExtended) == -3.
BRIX_CORE_EXPORT Extended FloorQuotient(Extended X, Extended Y, Extended Epsilon);

/// X - Y·trunc(X / Y), truncation in extended precision (no Int64 limit): the
/// remainder takes the sign of X. IsNearZero(Y, Epsilon): "Division by Zero".
/// Example: TruncModulo(-7, 3, TinyExtended) == -1.
BRIX_CORE_EXPORT Extended TruncModulo(Extended X, Extended Y, Extended Epsilon);

/// trunc(X / Y) in extended precision; failures as TruncModulo.
/// Example: TruncQuotient(-7, 3, TinyExtended) == -2.
BRIX_CORE_EXPORT Extended TruncQuotient(Extended X, Extended Y, Extended Epsilon);

} // namespace Brix
