// Tolerant tests, tolerant rounding, the modulo routines and the checked
// primitives.
#include "brix/math/tools.h"

#include "math_test_util.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

using namespace Brix;
using BrixTest::NearRel;
using BrixTest::Raised;
using BrixTest::RaisesWith;

namespace {

// The Extended values nearest to 3 - 1e-18 and 3 + 1e-18 (five units of
// 2^-62 away from 3).
const Extended JustBelowThree = 3.0L - 1e-18L;
const Extended JustAboveThree = 3.0L + 1e-18L;

TEST(MathTools, ConstantsHoldTheIntendedValues)
{
    // 5e-3240 is a normal Extended number but far outside the Double range.
    EXPECT_GT(TinyExtended, 4.9999999e-3240L);
    EXPECT_LT(TinyExtended, 5.0000001e-3240L);
    EXPECT_GE(TinyExtended, std::numeric_limits<Extended>::min());
    EXPECT_EQ(TinyDouble, 5e-250);
    EXPECT_EQ(RelEpsDouble, 1e-13);
    EXPECT_TRUE(NearRel(RelEpsExtended, 1e-17L, 1e-19L));
    // π with the 80-bit mantissa C90FDAA22168C235.
    EXPECT_EQ(PiExtended, 0xC.90FDAA22168C235p-2L);
    // π/2 is its own 20-digit decimal, one unit below half of π.
    EXPECT_EQ(PiHalfExtended, 1.5707963267948966192L);
    EXPECT_EQ(PiHalfExtended, 0xC.90FDAA22168C234p-3L);
    EXPECT_TRUE(JustBelowThree < 3 && JustAboveThree > 3);
}

TEST(MathTools, NearZeroAndPositiveBeyond)
{
    struct Row
    {
        const char *Name;
        Extended Value, Epsilon;
        bool NearZero;
    };
    const Row Rows[] = {
        {"tiny below the default threshold", 1e-3300L, 0, true},
        {"small but above the threshold", 1e-3000L, 0, false},
        {"negative tiny", -1e-3300L, 0, true},
        {"exact zero", 0, 0, true},
        {"equal to epsilon is not below it", 1e-20L, 1e-20L, false},
        {"below epsilon", 0.9e-20L, 1e-20L, true},
        {"negative epsilon counts by magnitude", -0.5L, -1, true},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(IsNearZero(R.Value, R.Epsilon), R.NearZero);
    }
    EXPECT_TRUE(IsNearZeroDbl(1e-300, 0));
    EXPECT_FALSE(IsNearZeroDbl(1e-200, 0));
    EXPECT_FALSE(IsNearZeroDbl(1e-20, 1e-20));

    EXPECT_TRUE(IsPositiveBeyond(1, 0.5L));
    EXPECT_TRUE(IsPositiveBeyond(0.5L, -0.5L)); // the boundary, |Epsilon|
    EXPECT_FALSE(IsPositiveBeyond(-1, 0.5L));   // signed: negatives never
    EXPECT_FALSE(IsPositiveBeyond(0, TinyExtended));
}

TEST(MathTools, RelativeTolerance)
{
    EXPECT_EQ(RelTolerance(0, 0, -1e-17L), 1e-17L);
    EXPECT_EQ(RelTolerance(0, -5, 1e-17L), 0.1L * 5);
    EXPECT_EQ(RelTolerance(4, 0, 1e-17L), 0.1L * 4);
    EXPECT_EQ(RelTolerance(2, -4, 0.1L), 0.2L);
    EXPECT_EQ(RelToleranceDbl(-3, 6, 0.5), 1.5);
    EXPECT_EQ(RelToleranceDbl(0, 0, -2), 2);
}

TEST(MathTools, TolerantComparisonsBothFamilies)
{
    struct Row
    {
        const char *Name;
        Extended A, B, Epsilon;
        bool Match;
    };
    const Row Extendeds[] = {
        {"both zero, any epsilon", 0, 0, 5, true},
        {"zero beside a negligible value", 0, 1e-18L, 1e-17L, true},
        {"zero beside a small value", 0, 1e-16L, 1e-17L, false},
        {"one zero ignores epsilon", 1e-16L, 0, 1, false},
        {"inside the relative tolerance", 1, 1 + 5e-18L, 1e-17L, true},
        {"outside the relative tolerance", 1, 1 + 2e-17L, 1e-17L, false},
        {"boundary counts as a match", 4, 5, 0.25L, true},
        {"just past the boundary", 4, 5.0000001L, 0.25L, false},
        {"relative to the smaller magnitude", 1e300L, 1.04e300L, 0.05L, true},
        {"not relative to the larger magnitude", 1e300L, 1.052e300L, 0.05L, false},
        {"opposite signs", -1, 1, 1e-17L, false},
    };
    for (const Row &R : Extendeds) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(FloatsMatch(R.A, R.B, R.Epsilon), R.Match);
        EXPECT_EQ(FloatsMatch(R.B, R.A, R.Epsilon), R.Match);
    }

    struct DblRow
    {
        const char *Name;
        Double A, B, Epsilon;
        bool Match;
    };
    const DblRow Doubles[] = {
        {"both zero", 0, 0, 1e-13, true},
        {"large values differing in the 14th digit", 1e9, 1e9 + 1e-5, 1e-13, true},
        {"small values differing in the 6th digit", 1e-7, 1.00001e-7, 1e-13, false},
        {"zero beside 1e-14", 0, 1e-14, 1e-13, true},
        {"zero beside 1e-12", 0, 1e-12, 1e-13, false},
        {"extended-tolerance difference is a match here", 1, 1 + 1e-15, 1e-13, true},
        {"zero beside the Double nearest 1e-13", 0, 1e-13, 1e-13, false},
        // ln(M)/ln 10 of these is below -13 but rounds to -13 as a Double.
        {"zero beside 1e-13 less one unit", 0, std::nextafter(1e-13, 0.0), 1e-13, true},
        {"zero beside 1e-13 less 35 units", 0, 9.9999999999999561e-14, 1e-13, true},
        {"negative beside zero", -9.99999999999999e-14, 0, 1e-13, true},
    };
    for (const DblRow &R : Doubles) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(DoublesMatch(R.A, R.B, R.Epsilon), R.Match);
        EXPECT_EQ(DoublesDiffer(R.A, R.B, R.Epsilon), !R.Match);
    }
}

TEST(MathTools, AboveAndBelowUseTheToleranceWithoutTheZeroRule)
{
    // Beside a zero the margin is a tenth of the other magnitude.
    EXPECT_TRUE(FloatAbove(0.5L, 0, 1e-17L));
    EXPECT_FALSE(FloatAbove(0, 0, 1e-17L));
    EXPECT_FALSE(FloatAbove(0.05L, 0.5L, 1e-17L));
    EXPECT_TRUE(FloatBelow(0, 0.5L, 1e-17L));
    EXPECT_TRUE(FloatBelow(-1e-30L, 0, 1e-17L));         // 1e-30 beyond a margin of 1e-31
    EXPECT_FALSE(FloatBelow(-1.05e-30L, -1e-30L, 0.1L)); // within 10 %
    // Within the relative tolerance neither is above nor below the other.
    EXPECT_FALSE(FloatAbove(1 + 5e-18L, 1, 1e-17L));
    EXPECT_FALSE(FloatBelow(1, 1 + 5e-18L, 1e-17L));
    EXPECT_TRUE(FloatAbove(1 + 1e-16L, 1, 1e-17L));
    EXPECT_TRUE(FloatBelow(1, 1 + 1e-16L, 1e-17L));
}

TEST(MathTools, TolerantCeilingAndFloor)
{
    struct Row
    {
        const char *Name;
        Extended X;
        Int64 Ceil, Floor;
    };
    const Row Rows[] = {
        {"positive half", 2.5L, 3, 2},
        {"negative half", -2.5L, -2, -3},
        {"below zero", -0.5L, 0, -1},
        {"above zero", 0.5L, 1, 0},
        {"integer", 7, 7, 7},
        {"negative integer", -7, -7, -7},
        {"zero", 0, 0, 0},
        {"just below 3 counts as 3", JustBelowThree, 3, 3},
        {"just above 3 counts as 3", JustAboveThree, 3, 3},
        {"just above -3 counts as -3", -JustBelowThree, -3, -3},
        {"the relative margin vanishes at zero", -1e-30L, 0, -1},
        {"tiny positive", 1e-30L, 1, 0},
        {"large exact integer", 0x1p62L, Int64(1) << 62, Int64(1) << 62},
        {"large with a fraction", 1e15L + 0.5L, 1000000000000001, 1000000000000000},
        // The relative nudge exceeds 1 here; it must not move an integer.
        {"1e18 stays 1e18", 1e18L, 1000000000000000000, 1000000000000000000},
        {"-1e18 stays -1e18", -1e18L, -1000000000000000000, -1000000000000000000},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(CeilTolerant(R.X), R.Ceil);
        EXPECT_EQ(FloorTolerant(R.X), R.Floor);
    }
}

TEST(MathTools, RoundingOutsideTheInt64RangeFailsCleanly)
{
    // Checked before any conversion, so no undefined behaviour either.
    const Extended Values[] = {0x1p63L,
                               -0x1p63L,
                               1e19L,
                               -1e30L,
                               9.2233720368547758e18L, // nudged past 2^63
                               std::numeric_limits<Extended>::max()};
    for (const Extended X : Values) {
        SCOPED_TRACE(static_cast<double>(X));
        EXPECT_TRUE(
            RaisesWith([X] { CeilTolerant(X); }, Raised::InvalidOp, BrixTest::InvalidOpText));
        EXPECT_TRUE(
            RaisesWith([X] { FloorTolerant(X); }, Raised::InvalidOp, BrixTest::InvalidOpText));
    }
    EXPECT_TRUE(RaisesWith([] { FloorQuotient(1e30L, 7, TinyExtended); }, Raised::InvalidOp,
                           BrixTest::InvalidOpText));
    EXPECT_TRUE(RaisesWith([] { TruncToInt64(std::numeric_limits<Extended>::quiet_NaN()); },
                           Raised::InvalidOp, BrixTest::InvalidOpText));
    EXPECT_EQ(TruncToInt64(-0x1p63L + 1), LLONG_MIN + 1);
    EXPECT_EQ(TruncToInt64(0x1p63L - 1), LLONG_MAX);
    EXPECT_EQ(TruncToInt64(-2.7L), -2);
}

TEST(MathTools, ModuloAndQuotients)
{
    struct Row
    {
        const char *Name;
        Extended X, Y;
        Extended FloorMod, FloorQuot, TruncMod, TruncQuot;
    };
    const Row Rows[] = {
        {"negative dividend", -7, 3, 2, -3, -1, -2},
        {"negative divisor", 7, -3, -2, -3, 1, -2},
        {"both negative", -7, -3, -1, 2, -1, 2},
        {"both positive", 7, 3, 1, 2, 1, 2},
        {"exact division", -6, 3, 0, -2, 0, -2},
        {"fractional operands", 5.5L, 2, 1.5L, 2, 1.5L, 2},
        {"small negative quotient", -1, 3, 2, -1, -1, 0},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(FloorModulo(R.X, R.Y, TinyExtended), R.FloorMod);
        EXPECT_EQ(FloorQuotient(R.X, R.Y, TinyExtended), R.FloorQuot);
        EXPECT_EQ(TruncModulo(R.X, R.Y, TinyExtended), R.TruncMod);
        EXPECT_EQ(TruncQuotient(R.X, R.Y, TinyExtended), R.TruncQuot);
    }
    // No negative zero from truncating a small negative quotient.
    EXPECT_FALSE(std::signbit(TruncQuotient(-1, 3, TinyExtended)));
    // The truncating pair has no Int64 limit.
    EXPECT_EQ(TruncQuotient(1e30L, 1e10L, TinyExtended), 1e20L);
}

TEST(MathTools, QuotientJustBelowAnIntegerIsThatInteger)
{
    // In extended precision 0.9/0.3 and 1.3/0.1 are a hair below 3 and 13:
    // the quotient is the integer and the remainder a rounding residue, not
    // a value close to the divisor.
    struct Row
    {
        const char *Name;
        Extended X, Y, Quotient;
    };
    const Row Rows[] = {
        {"0.9 / 0.3", 0.9L, 0.3L, 3},
        {"1.3 / 0.1", 1.3L, 0.1L, 13},
        {"-0.9 / 0.3", -0.9L, 0.3L, -3},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        ASSERT_LT(std::fabs(R.X / R.Y), std::fabs(R.Quotient)); // the premise
        EXPECT_EQ(FloorQuotient(R.X, R.Y, TinyExtended), R.Quotient);
        EXPECT_LT(std::fabs(FloorModulo(R.X, R.Y, TinyExtended)), 1e-18L);
    }
}

TEST(MathTools, ModuloByZeroRaisesDivisionByZero)
{
    struct Row
    {
        const char *Name;
        Extended Y, Epsilon;
    };
    const Row Rows[] = {
        {"zero divisor", 0, TinyExtended},
        {"divisor below the threshold", 1e-3300L, TinyExtended},
        {"epsilon 0 means the default threshold", -1e-3300L, 0},
        {"divisor below a caller's epsilon", 0.001L, 0.01L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const Extended Y = R.Y, Eps = R.Epsilon;
        EXPECT_TRUE(
            RaisesWith([=] { FloorModulo(5, Y, Eps); }, Raised::MathError, "Division by Zero"));
        EXPECT_TRUE(
            RaisesWith([=] { FloorQuotient(5, Y, Eps); }, Raised::MathError, "Division by Zero"));
        EXPECT_TRUE(
            RaisesWith([=] { TruncModulo(5, Y, Eps); }, Raised::MathError, "Division by Zero"));
        EXPECT_TRUE(
            RaisesWith([=] { TruncQuotient(5, Y, Eps); }, Raised::MathError, "Division by Zero"));
    }
    // A tiny divisor above the threshold is a real division; its quotient
    // leaves the range.
    EXPECT_TRUE(RaisesWith([] { TruncQuotient(1e4000L, 1e-3000L, TinyExtended); }, Raised::Overflow,
                           BrixTest::OverflowText));
}

TEST(MathTools, CheckedPrimitivesRaiseTheFloatingPointFaults)
{
    const Extended Inf = std::numeric_limits<Extended>::infinity();
    const Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
    struct Row
    {
        const char *Name;
        std::function<void()> Call;
        Raised Kind;
        const char *Text;
    };
    const Row Rows[] = {
        {"infinity", [=] { CheckedFloat(Inf); }, Raised::Overflow, BrixTest::OverflowText},
        {"NaN", [=] { CheckedFloat(NaN); }, Raised::InvalidOp, BrixTest::InvalidOpText},
        {"1/0", [] { DivideChecked(1, 0); }, Raised::ZeroDivide, BrixTest::ZeroDivideText},
        {"-1/-0", [] { DivideChecked(-1, -0.0L); }, Raised::ZeroDivide, BrixTest::ZeroDivideText},
        {"0/0", [] { DivideChecked(0, 0); }, Raised::InvalidOp, BrixTest::InvalidOpText},
        {"overflowing quotient", [] { DivideChecked(1e4000L, 1e-4000L); }, Raised::Overflow,
         BrixTest::OverflowText},
        {"ln 0", [] { LnChecked(0); }, Raised::ZeroDivide, BrixTest::ZeroDivideText},
        {"ln -1", [] { LnChecked(-1); }, Raised::InvalidOp, BrixTest::InvalidOpText},
        {"exp 12000", [] { ExpChecked(12000); }, Raised::Overflow, BrixTest::OverflowText},
        {"sqrt -1", [] { SqrtChecked(-1); }, Raised::InvalidOp, BrixTest::InvalidOpText},
        {"Double beyond its range", [] { CheckedDouble(1e400L); }, Raised::Overflow,
         BrixTest::OverflowText},
        {"Double rounding up to infinity",
         [] { CheckedDouble(static_cast<Extended>(DBL_MAX) + 0x1p970L); }, Raised::Overflow,
         BrixTest::OverflowText},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_TRUE(RaisesWith(R.Call, R.Kind, R.Text));
    }
    EXPECT_EQ(ExpChecked(-100000), 0); // underflow is no fault
    EXPECT_EQ(CheckedDouble(static_cast<Extended>(DBL_MAX) + 0x1p969L), DBL_MAX);
    EXPECT_EQ(CheckedDouble(-0.1L), -0.1);
    EXPECT_EQ(DivideChecked(1, 4), 0.25L);
}

} // namespace
