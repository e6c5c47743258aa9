/// @file
/// The calculator's shared enumerations: the angle unit of the trigonometric
/// keys, the kind of window the calculator component shows, and the type of a
/// digit key.
#pragma once

#include "brix/classes/globals.h"

namespace Brix {

/// Angle unit of the circular functions and their inverses (ordinals 0, 1, 2;
/// the settings file stores the ordinal).
enum TBrixAngleMode
{
    amDegrees,
    amRadians,
    amGradiants
};
/// Number of angle modes.
constexpr int BrixAngleModeCount = amGradiants + 1;

/// Which window the calculator component shows (ordinals 0, 1, 2).
enum TBrixPopupCalculatorType
{
    ctCustom,
    ctStandard,
    ctScientific
};
/// Number of calculator types.
constexpr int BrixPopupCalculatorTypeCount = ctScientific + 1;

/// The argument of the digit key, 0 to 9. The engine ignores larger values.
using TBrixZeroToNine = Byte;
/// The largest digit.
inline constexpr TBrixZeroToNine BrixMaxDigit = 9;

} // namespace Brix
