/// @file
/// Circular functions of an angle in degrees, grads or radians, and their
/// inverses with the result in the same unit.
///
/// In degrees and grads the angle is reduced in its own unit, where the
/// reduction is exact (the remainder of a division by 360 or 400, then the
/// nearest quarter turn), and only the remainder of at most 45 degrees or 50
/// grads is turned into radians. The remainder's sine and cosine and the
/// inverse functions' results are carried in about 128 bits (a pair of 80-bit
/// values) and rounded once, so each result is the 80-bit value nearest to the
/// true one, unless that lies all but exactly halfway between two of them (the
/// error stays within half a unit in the last place and a tiny fraction more).
/// Whole multiples of a quarter turn give exact results.
///
/// In radians the platform's extended sine, cosine and arctangent and the
/// checked routines of elementary.h are used unchanged.
///
/// Domain errors raise EMathError with the texts of the math table; an
/// infinite argument raises EOverflow, a NaN EInvalidOp.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

namespace Brix {

/// The unit of an angle (in the order of the calculator's angle modes).
enum TBrixAngleUnit
{
    auDegrees,
    auRadians,
    auGrads
};

/// sin X. Examples: SinOfAngle(30, auDegrees) == 0.5;
/// SinOfAngle(180, auDegrees) == 0 exactly; SinOfAngle(-100, auGrads) == -1.
BRIX_CORE_EXPORT Extended SinOfAngle(Extended X, TBrixAngleUnit Unit);

/// cos X. Examples: CosOfAngle(90, auDegrees) == 0 exactly;
/// CosOfAngle(200, auGrads) == -1; CosOfAngle(0, auRadians) == 1.
BRIX_CORE_EXPORT Extended CosOfAngle(Extended X, TBrixAngleUnit Unit);

/// tan X. In degrees and grads an odd number of quarter turns, and only that,
/// is the pole: "Division by Zero". In radians TanChecked (its tolerant pole
/// test). Examples: TanOfAngle(45, auDegrees) == 1; TanOfAngle(90, auDegrees)
/// and TanOfAngle(100, auGrads) raise; TanOfAngle(180, auDegrees) == 0.
BRIX_CORE_EXPORT Extended TanOfAngle(Extended X, TBrixAngleUnit Unit);

/// arcsin X in the unit. |X| > 1: "Invalid Value". X = 0 and X within the
/// relative tolerance of ±1 give 0 and ± a quarter turn exactly (±90 degrees,
/// ±100 grads, ±PiHalfExtended, as ArcSinChecked does).
/// Examples: ArcSinToAngle(0.5, auDegrees) == 30; ArcSinToAngle(-1, auGrads) == -100.
BRIX_CORE_EXPORT Extended ArcSinToAngle(Extended X, TBrixAngleUnit Unit);

/// arccos X in the unit. |X| > 1: "Invalid Value". X = 0, within tolerance of
/// 1 and of -1: a quarter turn, 0 and a half turn exactly.
/// Examples: ArcCosToAngle(0.5, auDegrees) == 60; ArcCosToAngle(-1, auDegrees) == 180.
BRIX_CORE_EXPORT Extended ArcCosToAngle(Extended X, TBrixAngleUnit Unit);

/// arctan X in the unit; ±1 give ±45 degrees or ±50 grads exactly.
/// Examples: ArcTanToAngle(1, auDegrees) == 45; ArcTanToAngle(1e30, auDegrees) == 90.
BRIX_CORE_EXPORT Extended ArcTanToAngle(Extended X, TBrixAngleUnit Unit);

} // namespace Brix
