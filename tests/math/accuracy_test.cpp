// Accuracy of the function keys' routines against a 40-digit reference
// (data/accuracy.txt, written once by accuracy_reference.py with mpmath), and
// the exact results at the quarter turns and the other special points.
#include "brix/math/angles.h"
#include "brix/math/elementary.h"
#include "brix/math/globals.h"

#include "accuracy_table.h"
#include "math_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iomanip>
#include <limits>

using namespace Brix;
using BrixTest::Raised;
using BrixTest::RaisesWith;

namespace {

TEST(MathAccuracy, EveryKeyWithinTwoUlpOfTheReference)
{
    const std::vector<BrixTest::AccuracyKey> Keys =
        BrixTest::ReadAccuracyTable(BRIX_TEST_DATA_DIR "/accuracy.txt");
    ASSERT_EQ(Keys.size(), 22u) << "six circular keys in three units, three powers and the root";
    for (const BrixTest::AccuracyKey &Key : Keys) {
        SCOPED_TRACE(Key.Name);
        EXPECT_GE(Key.Rows.size(), 200u);
        double Worst = 0;
        const BrixTest::AccuracyRow *WorstRow = nullptr;
        for (const BrixTest::AccuracyRow &Row : Key.Rows) {
            const double E = BrixTest::UlpError(BrixTest::EvaluateKey(Key.Name, Row.X, Row.Y), Row);
            if (!(E <= Worst)) {
                Worst = E;
                WorstRow = &Row;
            }
        }
        ASSERT_NE(WorstRow, nullptr);
        EXPECT_LE(Worst, 2.0) << Worst << " ulp at x = " << std::setprecision(21) << WorstRow->X
                              << ", y = " << WorstRow->Y;
    }
}

TEST(MathAccuracy, QuarterTurnsAreExact)
{
    struct Row
    {
        const char *Name;
        std::function<Extended()> Call;
        Extended Want;
    };
    const Row Rows[] = {
        {"sin 180°", [] { return SinOfAngle(180, auDegrees); }, 0},
        {"sin -180°", [] { return SinOfAngle(-180, auDegrees); }, 0},
        {"sin 90°", [] { return SinOfAngle(90, auDegrees); }, 1},
        {"sin 270°", [] { return SinOfAngle(270, auDegrees); }, -1},
        {"sin -90°", [] { return SinOfAngle(-90, auDegrees); }, -1},
        {"sin 1e20·360°", [] { return SinOfAngle(1e20L * 360, auDegrees); }, 0},
        {"cos 90°", [] { return CosOfAngle(90, auDegrees); }, 0},
        {"cos 180°", [] { return CosOfAngle(180, auDegrees); }, -1},
        {"cos -720°", [] { return CosOfAngle(-720, auDegrees); }, 1},
        {"tan 180°", [] { return TanOfAngle(180, auDegrees); }, 0},
        {"tan 45°", [] { return TanOfAngle(45, auDegrees); }, 1},
        {"tan -135°", [] { return TanOfAngle(-135, auDegrees); }, 1},
        {"sin 200 grads", [] { return SinOfAngle(200, auGrads); }, 0},
        {"sin 100 grads", [] { return SinOfAngle(100, auGrads); }, 1},
        {"cos 100 grads", [] { return CosOfAngle(100, auGrads); }, 0},
        {"cos 300 grads", [] { return CosOfAngle(300, auGrads); }, 0},
        {"cos 400 grads", [] { return CosOfAngle(400, auGrads); }, 1},
        {"tan 50 grads", [] { return TanOfAngle(50, auGrads); }, 1},
        {"sin 30°", [] { return SinOfAngle(30, auDegrees); }, 0.5L},
        {"cos 60°", [] { return CosOfAngle(60, auDegrees); }, 0.5L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const Extended Got = R.Call();
        EXPECT_EQ(Got, R.Want);
        EXPECT_FALSE(std::signbit(Got) && R.Want == 0) << "a zero result is +0";
    }
}

TEST(MathAccuracy, InverseFunctionsGiveExactSpecialAngles)
{
    struct Row
    {
        const char *Name;
        std::function<Extended()> Call;
        Extended Want;
    };
    // 1 - 2^-64 lies within the relative tolerance 1e-17 of 1.
    const Extended NearOne = 1 - 0x1p-64L;
    const Row Rows[] = {
        {"arcsin 1 in degrees", [] { return ArcSinToAngle(1, auDegrees); }, 90},
        {"arcsin -1 in degrees", [] { return ArcSinToAngle(-1, auDegrees); }, -90},
        {"arcsin 1 in grads", [] { return ArcSinToAngle(1, auGrads); }, 100},
        {"arcsin -1 in grads", [] { return ArcSinToAngle(-1, auGrads); }, -100},
        {"arcsin 1 in radians", [] { return ArcSinToAngle(1, auRadians); }, PiHalfExtended},
        {"arcsin within tolerance of 1", [=] { return ArcSinToAngle(NearOne, auDegrees); }, 90},
        {"arcsin 0", [] { return ArcSinToAngle(0, auDegrees); }, 0},
        {"arcsin 0.5", [] { return ArcSinToAngle(0.5L, auDegrees); }, 30},
        {"arccos 0 in degrees", [] { return ArcCosToAngle(0, auDegrees); }, 90},
        {"arccos 0 in grads", [] { return ArcCosToAngle(0, auGrads); }, 100},
        {"arccos 1", [] { return ArcCosToAngle(1, auDegrees); }, 0},
        {"arccos within tolerance of 1", [=] { return ArcCosToAngle(NearOne, auGrads); }, 0},
        {"arccos -1 in degrees", [] { return ArcCosToAngle(-1, auDegrees); }, 180},
        {"arccos -1 in grads", [] { return ArcCosToAngle(-1, auGrads); }, 200},
        {"arccos -1 in radians", [] { return ArcCosToAngle(-1, auRadians); }, PiExtended},
        {"arccos 0.5", [] { return ArcCosToAngle(0.5L, auDegrees); }, 60},
        {"arctan 1 in degrees", [] { return ArcTanToAngle(1, auDegrees); }, 45},
        {"arctan -1 in degrees", [] { return ArcTanToAngle(-1, auDegrees); }, -45},
        {"arctan 1 in grads", [] { return ArcTanToAngle(1, auGrads); }, 50},
        {"arctan -1 in grads", [] { return ArcTanToAngle(-1, auGrads); }, -50},
        {"arctan 0", [] { return ArcTanToAngle(0, auGrads); }, 0},
        {"arctan 1e30", [] { return ArcTanToAngle(1e30L, auDegrees); }, 90},
        {"arctan of the largest value",
         [] { return ArcTanToAngle(-std::numeric_limits<Extended>::max(), auGrads); }, -100},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(R.Call(), R.Want);
    }
}

TEST(MathAccuracy, TangentPolesAndDomains)
{
    const char *DivByZero = "Division by Zero";
    const char *InvalidValue = "Invalid Value";
    const Raised M = Raised::MathError;
    struct Row
    {
        const char *Name;
        std::function<void()> Call;
        Raised Kind;
        const char *Text;
    };
    const Row Rows[] = {
        {"tan 90°", [] { TanOfAngle(90, auDegrees); }, M, DivByZero},
        {"tan -270°", [] { TanOfAngle(-270, auDegrees); }, M, DivByZero},
        {"tan 90° + 3600°", [] { TanOfAngle(3690, auDegrees); }, M, DivByZero},
        {"tan 100 grads", [] { TanOfAngle(100, auGrads); }, M, DivByZero},
        {"tan 300 grads", [] { TanOfAngle(300, auGrads); }, M, DivByZero},
        {"tan -100 grads", [] { TanOfAngle(-100, auGrads); }, M, DivByZero},
        {"tan π/2 in radians", [] { TanOfAngle(PiHalfExtended, auRadians); }, M, DivByZero},
        {"arcsin above 1 in degrees", [] { ArcSinToAngle(1.0000001L, auDegrees); }, M,
         InvalidValue},
        {"arccos below -1 in grads", [] { ArcCosToAngle(-1.5L, auGrads); }, M, InvalidValue},
        {"sin of an infinite angle",
         [] { SinOfAngle(std::numeric_limits<Extended>::infinity(), auDegrees); }, Raised::Overflow,
         BrixTest::OverflowText},
        {"arctan of a NaN",
         [] { ArcTanToAngle(std::numeric_limits<Extended>::quiet_NaN(), auGrads); },
         Raised::InvalidOp, BrixTest::InvalidOpText},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_TRUE(RaisesWith(R.Call, R.Kind, R.Text));
    }
    // Only the exact quarter turn is the pole: its neighbours have large
    // finite tangents (about ±1/(the distance in radians)).
    const Extended Above = std::nextafter(90.0L, 100.0L);
    EXPECT_NEAR(static_cast<double>(TanOfAngle(Above, auDegrees)),
                -1 / static_cast<double>((Above - 90) * PiExtended / 180), 1e3);
    EXPECT_GT(TanOfAngle(std::nextafter(100.0L, 0.0L), auGrads), 1e18L);
}

TEST(MathAccuracy, IntegralPowersStayExactWhereTheProductIs)
{
    struct Row
    {
        const char *Name;
        Extended X, Y, Want;
    };
    const Row Rows[] = {
        {"10^27, the largest exact power of ten", 10, 27, 1e27L},
        {"10^-27 rounded once", 10, -27, 1 / 1e27L},
        {"3^40 needs all 64 bits", 3, 40, 12157665459056928801.0L},
        {"(-3)^-3", -3, -3, 1 / -27.0L},
        {"2^-16000 as a product of reciprocals", 2, -16000, 0x1p-16000L},
        {"(-0.5)^16001", -0.5L, 16001, -0x1p-16001L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(PowerReal(R.X, R.Y), R.Want);
    }
    EXPECT_EQ(PowerOfTen(22), 1e22L);
    EXPECT_EQ(PowerOfTen(-3), 1 / 1000.0L);
    // Beyond 10^27 the product is no longer exact; powl keeps the nearest
    // value where 30 squarings and products would drift by several units.
    EXPECT_EQ(PowerOfTen(300), 1e300L);
    EXPECT_EQ(PowerOfTen(-4000), 1e-4000L);
    EXPECT_EQ(PowerReal(10, 4932), 1e4932L);
}

} // namespace
