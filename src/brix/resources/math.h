/// @file
/// The math text table: math error messages and compass words.
/// Every key has an English International text; other languages hold subsets
/// and fall back to English International.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/resources/texttable.h"

#include <QString>

namespace Brix {

/// The keys of the math text table (error messages and compass words),
/// with their fixed ordinals.
enum TBrixResMath
{
    emtAngleTooLarge,         ///< 0
    emtAtLeastFour,           ///< 1
    emtAtLeastOne,            ///< 2
    emtAtLeastThree,          ///< 3
    emtAtLeastTwo,            ///< 4
    emtBaseInvalid,           ///< 5
    emtBaseRange,             ///< 6
    emtBinomDistInvalid,      ///< 7
    emtBinomInvalid,          ///< 8
    emtBinomOverflowed,       ///< 9
    emtCannot,                ///< 10
    emtCDivideByZero,         ///< 11
    emtDecimalPlaces,         ///< 12
    emtDF,                    ///< 13
    emtDivideByZero,          ///< 14
    emtDoesNotConverge,       ///< 15
    emtExpDistInvalid,        ///< 16
    emtFactOverflow,          ///< 17
    emtHyperGeometricInvalid, ///< 18
    emtInt64Overflow,         ///< 19
    emtIntegerOverflow,       ///< 20
    emtInvalidAngle,          ///< 21
    emtInvalidEquation,       ///< 22
    emtInvalidShift,          ///< 23
    emtInvalidValue,          ///< 24
    emtInvalidXtoY,           ///< 25
    emtIPAddrComp,            ///< 26
    emtLowerBound,            ///< 27
    emtMedianNotFound,        ///< 28
    emtNotDefinedForOne,      ///< 29
    emtNotDefinedForValue,    ///< 30
    emtPermInvalid,           ///< 31
    emtPermOverflowed,        ///< 32
    emtPoissonInvalid,        ///< 33
    emtPowerInt64,            ///< 34
    emtQuartilesNotFound,     ///< 35
    emtSameValue,             ///< 36
    emtSqRootNeg,             ///< 37
    emtSSError,               ///< 38
    emtStdDev,                ///< 39
    emtUInt64Overflow,        ///< 40
    emtUpperBound,            ///< 41
    emtValue01,               ///< 42
    emtValue01Inc,            ///< 43
    emtValue2,                ///< 44
    emtValueGEZero,           ///< 45
    emtValueGZero,            ///< 46
    emtValueLEOne,            ///< 47
    emtValueLEZero,           ///< 48
    emtValueLZero,            ///< 49
    emtValueNotZero,          ///< 50
    emtZeroToNegPower,        ///< 51
    emtDenomNotZero,          ///< 52
    emtAngleNotLEPi,          ///< 53
    emtInvalidSides,          ///< 54
    emtLengthNotNeg,          ///< 55
    emtInvalidCol,            ///< 56
    emtInvalidRow,            ///< 57
    emtMagZero,               ///< 58
    emtMatrixIsEmpty,         ///< 59
    emtMatrixMult,            ///< 60
    emtMatrixNeg,             ///< 61
    emtMatrixNotPos,          ///< 62
    emtMatrixRect,            ///< 63
    emtMatrixSqr,             ///< 64
    emtMatrixZero,            ///< 65
    emtNoInvert,              ///< 66
    emtSameDimensions,        ///< 67
    emtVectorG1,              ///< 68
    emtVectorG2,              ///< 69
    emtVectorG3,              ///< 70
    emtVectorIsEmpty,         ///< 71
    emtVectorNeg,             ///< 72
    emtVectorNotPos,          ///< 73
    emtVectorZero,            ///< 74
    emtEast,                  ///< 75
    emtEastAbbr,              ///< 76
    emtInvalidLatitude,       ///< 77
    emtInvalidLongitude,      ///< 78
    emtLatitude,              ///< 79
    emtLongitude,             ///< 80
    emtNorth,                 ///< 81
    emtNorthAbbr,             ///< 82
    emtSouth,                 ///< 83
    emtSouthAbbr,             ///< 84
    emtWest,                  ///< 85
    emtWestAbbr,              ///< 86
    emtInvalidMean,           ///< 87
    emtInvalidShape,          ///< 88
    emtInvalidStdDev,         ///< 89
    emtShapeTooSmall,         ///< 90
    emtVectorEmpty,           ///< 91
    emtVectorTooSmall,        ///< 92
};
/// Number of keys of the mathematical table.
constexpr int BrixResMathCount = 93;

namespace Internal {
/// Every stored text of the table (defined with the table's data).
BRIX_CORE_EXPORT std::span<const TBrixTextEntry> MathStringsEntries();
} // namespace Internal

/// The lookup handler of the mathematical table.
using TBrixMathEvent = TBrixTextEvent<TBrixResMath>;

/// The mathematical table. Examples: GetName(elGerman, emtDivideByZero) == "Division durch Null",
/// GetName(elSwedish, emtEast) == "East" (no Swedish text).
class BRIX_CORE_EXPORT TBrixMathStrings
    : public TBrixTextTable<TBrixResMath, Internal::MathStringsEntries>
{
public:
    TBrixMathStrings() = default;

protected:
    ~TBrixMathStrings() override = default;
};

/// The shared table, created on first use and freed at program end.
BRIX_CORE_EXPORT TBrixMathStrings *MathStrings();

/// MathStrings()->GetName(Language, Key).
BRIX_CORE_EXPORT QString MathText(TBrixLanguage Language, TBrixResMath Key);
/// MathText(DefaultLanguage, Key): the English International text.
BRIX_CORE_EXPORT QString MathText(TBrixResMath Key);

} // namespace Brix
