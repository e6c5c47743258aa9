/// @file
/// Hyperbolic functions and their inverses (Brix.Math.Hyperbolics), on the
/// exponential and the logarithm of the 80-bit type. Domain errors raise
/// EMathError "Not Defined for that Value"; results beyond the range raise
/// EOverflow. No routine returns an infinity or a NaN; an infinite argument
/// raises EOverflow (or the domain error), a NaN EInvalidOp.
///
/// Where the textbook formula cancels (small arguments of sinh, tanh, arsinh
/// and artanh, arguments near 1 of arcosh, negative ones of arsinh) the same
/// function is formed from e^X - 1 and ln(1 + t), so every result keeps the
/// full 64-bit precision: HypSin(1e-20) is 1e-20, not 0.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

namespace Brix {

/// cosh X = (e^X + e^-X)/2, computed on |X| (cosh is even), so that every
/// argument whose result lies beyond the range (|X| above about 11357) fails
/// with EOverflow.
/// Examples: HypCos(0) == 1; HypCos(-1) == HypCos(1) == 1.5430806348152437785.
BRIX_CORE_EXPORT Extended HypCos(Extended X);

/// sinh X = (e^X - e^-X)/2, computed on |X| with the sign restored (sinh is
/// odd); |X| above about 11357: EOverflow.
/// Examples: HypSin(0) == 0; HypSin(1) == 1.1752011936438014569.
BRIX_CORE_EXPORT Extended HypSin(Extended X);

/// tanh X = (E - 1/E)/(E + 1/E) with E = e^X. Although tanh is bounded, the
/// exponential limits the argument: X above about 11356 raises EOverflow, X
/// below about -11356 raises EZeroDivide (E becomes 0).
/// Examples: HypTan(0) == 0; HypTan(1) == 0.76159415595576488812.
BRIX_CORE_EXPORT Extended HypTan(Extended X);

/// arcosh X = ln(X + √(X² - 1)). X < 1: "Not Defined for that Value". For X
/// so large that X² leaves the range the equal value ln 2 + ln X is used.
/// Examples: HypArcCos(1) == 0; HypArcCos(0.5) raises.
BRIX_CORE_EXPORT Extended HypArcCos(Extended X);

/// arsinh X = ln(X + √(X² + 1)) for X >= 0 and -HypArcSin(-X) for X < 0,
/// which keeps the full precision and a finite result for large negative X
/// (where the sum X + √(X² + 1) would cancel to 0). Defined for every X.
/// Examples: HypArcSin(0) == 0; HypArcSin(-1e10) == -23.719413345...
BRIX_CORE_EXPORT Extended HypArcSin(Extended X);

/// artanh X = 0.5·ln((1 + X)/(1 - X)). |X| >= 1: "Not Defined for that Value".
/// Examples: HypArcTan(0.5) == 0.5493061443340548457; HypArcTan(1) raises.
BRIX_CORE_EXPORT Extended HypArcTan(Extended X);

} // namespace Brix
