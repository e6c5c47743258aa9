/// @file
/// Checked elementary functions of unit Brix.Math.Special: logarithms,
/// powers, trigonometric helpers and the gamma function.
///
/// Each routine rejects arguments outside its domain with EMathError and a
/// text of the math table (default language), recognises exact special cases
/// with the tolerant tests (0^0, 1^y, (-1)^n, tan at a pole) and uses an exact
/// integer algorithm where one exists. Floating-point faults raise EOverflow,
/// EZeroDivide or EInvalidOp; no routine returns an infinity or a NaN. An
/// infinite argument raises EOverflow and a NaN EInvalidOp.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"
#include "brix/math/globals.h"

namespace Brix {

/// log2 X. X < |Epsilon| (not IsPositiveBeyond): "Value must be > 0". The
/// engine passes TinyExtended, so the check amounts to X > 0.
/// Examples: LogBase2(8, TinyExtended) == 3 (within rounding);
/// LogBase2(-1, TinyExtended) raises.
BRIX_CORE_EXPORT Extended LogBase2(Extended X, Extended Epsilon);

/// log10 X (ln X / 2.302585092994045684); same check and text as LogBase2.
/// Examples: LogBase10(1000, TinyExtended) == 3 within the last bits;
/// LogBase10(0, TinyExtended) raises "Value must be > 0".
BRIX_CORE_EXPORT Extended LogBase10(Extended X, Extended Epsilon);

/// X^N by repeated squaring. N = 0 gives 1 (also for X = 0); X near zero with
/// N < 0: "Cannot Raise 0 to a Negative Power"; X within tolerance of 1 or -1
/// gives ±1 without multiplying. N = INT_MIN is handled like any exponent.
/// Results beyond the Extended range: EOverflow; results too small for it
/// become 0 (PowerInt(10, -5000) == 0).
/// Examples: PowerInt(2, -3) == 0.125; PowerInt(-1, 7) == -1; PowerInt(0, 0) == 1.
BRIX_CORE_EXPORT Extended PowerInt(Extended X, int N);

/// PowerInt with every intermediate and the result held as Double (tests with
/// TinyDouble and 1e-13); overflows at the Double range.
/// Example: PowerIntDbl(2, 10) == 1024; PowerIntDbl(2, 1024) raises EOverflow.
BRIX_CORE_EXPORT Double PowerIntDbl(Double X, int N);

/// X^Y, in this order: Y near zero: 1 (so 0^0 = 1); X near zero: 0, or "Cannot
/// Raise 0 to a Negative Power" when Y < 0; X within 1e-17 of 1: 1; Y integral
/// (within 1e-17) in the Int32 range: X^N with N the nearest integer, negative
/// X allowed: PowerInt's exact product where the squaring keeps every digit
/// (and for X within tolerance of -1), the C library's powl otherwise; X > 0:
/// powl(X, Y); otherwise "Invalid XtoY". Results are within a unit or so in
/// the last place; beyond the range: EOverflow.
/// Examples: PowerReal(-2, 3) == -8 exactly; PowerReal(10, -3) == 1/1000.0L;
/// PowerReal(2, 0.5) == √2; PowerReal(-8, 1.0L/3) raises "Invalid XtoY".
BRIX_CORE_EXPORT Extended PowerReal(Extended X, Extended Y);

/// X^(1/Y), the Y-th root: PowerReal(X, 1/Y) with the rounding of 1/Y taken
/// into account where powl is used, so the root keeps its last digit where
/// the rounded exponent alone would be off by |ln result| units in the last
/// place. Y = 0: EZeroDivide; 1/Y beyond the range: EOverflow.
/// Examples: PowerRoot(1000, 3) == 10; PowerRoot(-8, 3) raises "Invalid XtoY";
/// PowerRoot(9, 0.5) == 81 (an integral exponent, exact).
BRIX_CORE_EXPORT Extended PowerRoot(Extended X, Extended Y);

/// 10^X: the special cases and the integer path of PowerReal(10, X) (exact
/// for 10^-27 .. 10^27), otherwise the C library's exp10l.
/// Examples: PowerOfTen(22) == 1e22L; PowerOfTen(-2) == 0.01L (rounded once);
/// PowerOfTen(0.5) == √10; PowerOfTen(5000) raises EOverflow.
BRIX_CORE_EXPORT Extended PowerOfTen(Extended X);

/// 2^X. X near zero: 1; X integral (within 1e-17) with |N| <= 1023:
/// PowerIntDbl(2, N), exact; other integral X in the Int32 range and every
/// other X: the C library's exp2l, exact for integers, so the whole Extended
/// range is reached and only results beyond it overflow.
/// Examples: PowerOfTwo(10) == 1024; PowerOfTwo(0.5) == √2;
/// PowerOfTwo(1024) == 0x1p1024L; PowerOfTwo(16384) raises EOverflow.
BRIX_CORE_EXPORT Extended PowerOfTwo(Extended X);

/// X·π/200, rounded to Double. Example: GradsToRadians(200) == π (Double).
BRIX_CORE_EXPORT Double GradsToRadians(Double X);

/// X·200/π, rounded to Double. Example: RadiansToGrads(π) == 200 (within rounding).
BRIX_CORE_EXPORT Double RadiansToGrads(Double X);

/// Tangent with a pole check: when the cosine vanishes relative to the angle
/// (IsNearZero(cos A, A·1e-17)): "Division by Zero".
/// Examples: TanChecked(0) == 0; TanChecked(PiHalfExtended) raises;
/// TanChecked(PiExtended / 4) == 1 within rounding.
BRIX_CORE_EXPORT Extended TanChecked(Extended A);

/// The angle of the point (X, Y) in (-π, π], in double precision; a
/// coordinate that is exactly zero (relative to the other) gives the axis
/// angles exactly.
/// Examples: AngleOfPoint(0, -1) == π; AngleOfPoint(0, 0) == 0;
/// AngleOfPoint(-1, 0) == -π/2; AngleOfPoint(1, 1) == π/4.
BRIX_CORE_EXPORT Double AngleOfPoint(Double Y, Double X);

/// Arcsine. |X| > 1: "Invalid Value". 0, 1 and -1 (within the relative
/// tolerance 1e-17) give 0 and ±PiHalfExtended exactly; other values are the
/// extended arctangent of X / √((1 - X)(1 + X)), within about a unit in the
/// last place also near ±1.
/// Examples: ArcSinChecked(1) == PiHalfExtended; ArcSinChecked(0.5) == π/6.
BRIX_CORE_EXPORT Extended ArcSinChecked(Extended X);

/// Arccosine. |X| > 1: "Invalid Value". 0, 1 and -1 (within tolerance) give
/// PiHalfExtended, 0 and PiExtended exactly; other values are the extended
/// arctangent of √((1 - X)(1 + X)) / X, within about a unit in the last place.
/// Examples: ArcCosChecked(-1) == PiExtended; ArcCosChecked(0.5) == π/3.
BRIX_CORE_EXPORT Extended ArcCosChecked(Extended X);

/// ln Γ(X) in double precision (Stirling series after shifting X above 10;
/// reflection for negative X). X = 0 or a negative integer: "Not Defined for
/// that Value". Negative X where Γ(X) < 0 (for instance -0.5): the logarithm
/// is undefined and the call raises EInvalidOp.
/// Examples: LnGammaFn(1) == 0 (within 1e-15); LnGammaFn(-2) raises.
BRIX_CORE_EXPORT Double LnGammaFn(Double X);

/// 1/Γ(X) for X <= 0 by the power series of 1/Γ (26 coefficients), carried
/// down to X by the recurrence; for X > 0 exp(-LnGammaFn(X)); |X| < TinyDouble
/// gives 0. Non-positive integers give 0 (up to the series' rounding).
/// Example: ReciprocalGamma(-0.5) == -1/(2√π).
BRIX_CORE_EXPORT Double ReciprocalGamma(Double X);

/// Γ(X): exp(LnGammaFn(X)) for X > 0 (so double precision even for integral
/// X), 1/ReciprocalGamma(X) otherwise. X = 0 or a negative integer: "Not
/// Defined for that Value"; above about 1755: EOverflow.
/// Examples: GammaFn(0.5) == √π; GammaFn(-0.5) == -2√π; GammaFn(-3) raises.
BRIX_CORE_EXPORT Extended GammaFn(Double X);

} // namespace Brix
