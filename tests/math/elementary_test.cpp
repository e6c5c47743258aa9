// Elementary functions: reference values, special cases, domains and the
// exact messages of every failure.
//
// The reference rows come from tests/math/reference_values.py (Python's
// decimal module at 60 digits, evaluated at the exact binary value of each
// argument); rerun it and paste its rows to extend a table.
#include "brix/math/angles.h"
#include "brix/math/elementary.h"
#include "brix/math/hyperbolics.h"
#include "brix/math/tools.h"

#include "math_test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>

using namespace Brix;
using BrixTest::NearRel;
using BrixTest::Raised;
using BrixTest::RaisesWith;

namespace {

struct Ref1
{
    const char *Name;
    Extended X;
    Extended Want;
};

struct Ref2
{
    const char *Name;
    Extended X, Y;
    Extended Want;
};

// Compares F over a table with the relative tolerance RelTol.
template <typename Fn>
void CheckTable(const char *Table, const Ref1 *Begin, const Ref1 *End, Fn F, Extended RelTol)
{
    for (const Ref1 *R = Begin; R != End; ++R) {
        SCOPED_TRACE(std::string(Table) + ": " + R->Name);
        EXPECT_TRUE(NearRel(F(R->X), R->Want, RelTol));
    }
}

#define CHECK_TABLE(Rows, F, Tol) CheckTable(#Rows, std::begin(Rows), std::end(Rows), F, Tol)

const Ref1 Log10Rows[] = {
    {"log10 2", 2L, 3.0102999566398119521373889e-1L},
    {"log10 1000", 1000L, 3.0000000000000000000000000e+0L},
    {"log10 7.3", 7.3L, 8.6332286012045590108470719e-1L},
    {"log10 1e-100", 1e-100L, -1.0000000000000000000000940e+2L},
    {"log10 123456789.125", 123456789.125L, 8.0915149776089936142242471e+0L},
    {"log10 1e4000", 1e4000L, 3.9999999999999999999999985e+3L},
};
const Ref1 Log2Rows[] = {
    {"log2 2", 2L, 1.0000000000000000000000000e+0L},
    {"log2 7.3", 7.3L, 2.8678964639926548820279810e+0L},
    {"log2 1e-100", 1e-100L, -3.3219280948873623478706318e+2L},
    {"log2 123456789.125", 123456789.125L, 2.6879430934321202562517096e+1L},
    {"log2 1e4000", 1e4000L, 1.3287712379549449391481273e+4L},
};
const Ref2 PowerRealRows[] = {
    {"2^0.5", 2L, 0.5L, 1.4142135623730950488016887e+0L},
    {"10^2.5", 10L, 2.5L, 3.1622776601683793319988935e+2L},
    {"1.5^-3.7", 1.5L, -3.7L, 2.2308087613962576818299992e-1L},
    {"7^123.4567", 7L, 123.4567L, 2.1528570651675400932301048e+104L},
    {"0.25^0.125", 0.25L, 0.125L, 8.4089641525371454303112548e-1L},
};
const Ref1 PowerOfTwoRows[] = {
    {"2^0.5", 0.5L, 1.4142135623730950488016887e+0L},
    {"2^-3.25", -3.25L, 1.0511205190671431787889068e-1L},
    {"2^100.75", 100.75L, 2.1319256910522753565524210e+30L},
    {"2^-0.001", -0.001L, 9.9930709299045252192240810e-1L},
};
const Ref1 TanRows[] = {
    {"tan 0.5", 0.5L, 5.4630248984379051325517947e-1L},
    {"tan -1.2", -1.2L, -2.5721516221263189357402840e+0L},
    {"tan 1.5707963", 1.5707963L, 3.7320539586786623554124912e+7L},
    {"tan 100", 100L, -5.8721391515692907667780964e-1L},
    {"tan -3", -3L, 1.4254654307427780529563541e-1L},
};
const Ref1 ArcSinRows[] = {
    {"asin 0.5", 0.5L, 5.2359877559829887307710723e-1L},
    {"asin -0.3", -0.3L, -3.0469265401539750798336849e-1L},
    {"asin 0.999", 0.999L, 1.5260712396261631875160339e+0L},
    {"asin 1e-10", 1e-10L, 1.0000000000000000000200446e-10L},
};
const Ref1 ArcCosRows[] = {
    {"acos 0.5", 0.5L, 1.0471975511965977461542145e+0L},
    {"acos -0.3", -0.3L, 1.8754889808102941272146902e+0L},
    {"acos 0.999", 0.999L, 4.4725087168733431715287799e-2L},
    {"acos 1e-10", 1e-10L, 1.5707963266948966192313217e+0L},
};
const Ref1 CoshRows[] = {
    {"cosh 1e-20", 1e-20L, 1.0000000000000000000000000e+0L},
    {"cosh -1e-5", -1e-5L, 1.0000000000500000000004167e+0L},
    {"cosh 0.5", 0.5L, 1.1276259652063807852262252e+0L},
    {"cosh -2.25", -2.25L, 4.7965675304601950286667934e+0L},
    {"cosh 30", 30L, 5.3432372907622310734952344e+12L},
    {"cosh -700", -700L, 5.0711602736750225472766480e+303L},
};
const Ref1 SinhRows[] = {
    {"sinh 1e-20", 1e-20L, 1.0000000000000000000341640e-20L},
    {"sinh -1e-5", -1e-5L, -1.0000000000166666666616413e-5L},
    {"sinh 0.5", 0.5L, 5.2109530549374736162242563e-1L},
    {"sinh -2.25", -2.25L, -4.6911683058983306918835757e+0L},
    {"sinh 30", 30L, 5.3432372907622310734952343e+12L},
    {"sinh -700", -700L, -5.0711602736750225472766480e+303L},
};
const Ref1 TanhRows[] = {
    {"tanh 1e-20", 1e-20L, 1.0000000000000000000341640e-20L},
    {"tanh -1e-5", -1e-5L, -9.9999999996666666666289133e-6L},
    {"tanh 0.5", 0.5L, 4.6211715726000975850231848e-1L},
    {"tanh -2.25", -2.25L, -9.7802611473881363992272924e-1L},
    {"tanh 30", 30L, 9.9999999999999999999999998e-1L},
    {"tanh -700", -700L, -1.0000000000000000000000000e+0L},
};
const Ref1 ArcCoshRows[] = {
    {"acosh 1.0000000001", 1.0000000001L, 1.4142135626024375131349377e-5L},
    {"acosh 1.5", 1.5L, 9.6242365011920689499551783e-1L},
    {"acosh 10", 10L, 2.9932228461263808979126677e+0L},
    {"acosh 1e300", 1e300L, 6.9146867507877365051482367e+2L},
    {"acosh 1e3000", 1e3000L, 6.9084484261626969973633779e+3L},
};
const Ref1 ArcSinhRows[] = {
    {"asinh 1e-20", 1e-20L, 1.0000000000000000000341640e-20L},
    {"asinh -1e-5", -1e-5L, -9.9999999998333333332897467e-6L},
    {"asinh 0.75", 0.75L, 6.9314718055994530941723212e-1L},
    {"asinh -0.75", -0.75L, -6.9314718055994530941723212e-1L},
    {"asinh -123.5", -123.5L, -5.5094047272492684662204412e+0L},
    {"asinh -5e9", -5e9L, -2.3025850929940456840189915e+1L},
    {"asinh -1e20", -1e20L, -4.6744849040440858989777061e+1L},
    {"asinh -1e3000", -1e3000L, -6.9084484261626969973633779e+3L},
    {"asinh 1e4000", 1e4000L, 9.2110335191567426813813796e+3L},
};
const Ref1 ArcTanhRows[] = {
    {"atanh 1e-20", 1e-20L, 1.0000000000000000000341640e-20L},
    {"atanh 1e-5", 1e-5L, 1.0000000000333333333302247e-5L},
    {"atanh 0.4", 0.4L, 4.2364893019360180686150734e-1L},
    {"atanh 0.5", 0.5L, 5.4930614433405484569762262e-1L},
    {"atanh -0.9", -0.9L, -1.4722194895832202298903872e+0L},
};
const Ref1 GammaRows[] = {
    {"gamma 0.5", 0.5, 1.7724538509055160272981675e+0L},
    {"gamma 5", 5, 2.4000000000000000000000000e+1L},
    {"gamma 1.5", 1.5, 8.8622692545275801364908374e-1L},
    {"gamma 10.3", 10.3, 7.1643068906237640662538336e+5L},
    {"gamma 171.5", 171.5, 9.4833675668247993362534055e+307L},
    {"gamma -0.5", -0.5, -3.5449077018110320545963350e+0L},
    {"gamma -0.1", -0.1, -1.0686287021193193000547836e+1L},
    {"gamma -1.5", -1.5, 2.3632718012073547030642233e+0L},
    {"gamma -3.7", -3.7, 2.5164399590242268128584936e-1L},
    {"gamma -10.25", -10.25, -6.7808180432946731304891004e-7L},
};
const Ref1 LnGammaRows[] = {
    {"lngamma 0.5", 0.5, 5.7236494292470008707171368e-1L},
    {"lngamma 3", 3, 6.9314718055994530941723212e-1L},
    {"lngamma 0.001", 0.001, 6.9071788853838536616836815e+0L},
    {"lngamma 25.75", 25.75, 5.7195148951058604784821354e+1L},
    {"lngamma 1000.5", 1000.5, 5.9086741758486774886838747e+3L},
    {"lngamma -1.5", -1.5, 8.6004701537648101451093268e-1L},
    {"lngamma -3.25", -3.25, -6.2315345132099864662544731e-1L},
};

} // namespace

namespace {

// Tolerances: routines computed in extended precision are held to a few
// units of 2^-64; those computed through exp(Y·ln X) lose the relative
// accuracy of ln X times |Y·ln X|; the Double routines (inverse sine and
// cosine, gamma) carry double precision, and Γ through exp(ln Γ) loses
// ln Γ's rounding times its size.
constexpr Extended ExtendedTol = 2e-18L;
constexpr Extended PowerTol = 1e-16L;
constexpr Extended DoubleTol = 4e-16L;
constexpr Extended GammaTol = 2e-13L;
// The Stirling constants are given to 16 digits: ln Γ is good to about 1e-15.
constexpr Extended LnGammaTol = 4e-15L;

TEST(MathElementary, ReferenceValues)
{
    CHECK_TABLE(
        Log10Rows, [](Extended X) { return LogBase10(X, TinyExtended); }, ExtendedTol);
    CHECK_TABLE(
        Log2Rows, [](Extended X) { return LogBase2(X, TinyExtended); }, ExtendedTol);
    for (const Ref2 &R : PowerRealRows) {
        SCOPED_TRACE(R.Name);
        EXPECT_TRUE(NearRel(PowerReal(R.X, R.Y), R.Want, PowerTol));
    }
    CHECK_TABLE(PowerOfTwoRows, PowerOfTwo, PowerTol);
    CHECK_TABLE(TanRows, TanChecked, ExtendedTol);
    CHECK_TABLE(ArcSinRows, ArcSinChecked, DoubleTol);
    CHECK_TABLE(ArcCosRows, ArcCosChecked, DoubleTol);
    CHECK_TABLE(
        GammaRows, [](Extended X) { return GammaFn(static_cast<Double>(X)); }, GammaTol);
    CHECK_TABLE(
        LnGammaRows, [](Extended X) { return LnGammaFn(static_cast<Double>(X)); }, LnGammaTol);
}

TEST(MathHyperbolics, ReferenceValues)
{
    CHECK_TABLE(CoshRows, HypCos, ExtendedTol);
    CHECK_TABLE(SinhRows, HypSin, ExtendedTol);
    CHECK_TABLE(TanhRows, HypTan, ExtendedTol);
    CHECK_TABLE(ArcCoshRows, HypArcCos, ExtendedTol);
    CHECK_TABLE(ArcSinhRows, HypArcSin, ExtendedTol);
    CHECK_TABLE(ArcTanhRows, HypArcTan, ExtendedTol);
}

TEST(MathHyperbolics, ArcSinIsOddAndExactForLargeNegativeArguments)
{
    // The plain formula ln(X + √(X² + 1)) cancels to ln 0 below about -4e9.
    for (const Extended X : {1e-5L, 0.75L, 3.5L, 4.1e9L, 1e15L, 1e300L, 1e4000L}) {
        SCOPED_TRACE(static_cast<double>(X));
        EXPECT_EQ(HypArcSin(-X), -HypArcSin(X));
    }
    EXPECT_EQ(HypArcSin(0), 0);
    EXPECT_FALSE(std::signbit(HypArcSin(-0.0L)));
}

TEST(MathElementary, IntegerPowers)
{
    struct Row
    {
        const char *Name;
        Extended X;
        int N;
        Extended Want;
    };
    const Row Rows[] = {
        {"0^0", 0, 0, 1},
        {"0^5", 0, 5, 0},
        {"tiny base counts as zero", 1e-3300L, 3, 0},
        {"(-1)^7", -1, 7, -1},
        {"(-1)^8", -1, 8, 1},
        {"(-1)^INT_MIN", -1, INT_MIN, 1},
        {"near 1 to a huge power", 1 + 5e-18L, INT_MAX, 1},
        {"2^-3", 2, -3, 0.125L},
        {"3^40 needs all 64 bits", 3, 40, 12157665459056928801.0L},
        {"(-2)^63", -2, 63, -0x1p63L},
        {"(-3)^-3", -3, -3, 1 / -27.0L},
        {"10^-5000 is below the range", 10, -5000, 0},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(PowerInt(R.X, R.N), R.Want);
    }
    EXPECT_TRUE(NearRel(PowerInt(10, 4932), 1e4932L, 1e-17L));
    // Seventeen squarings: each doubles the relative error of the last.
    EXPECT_TRUE(NearRel(PowerInt(1.0001L, 100000), 2.2015456048552298695405004e+4L, 1e-14L));
    EXPECT_EQ(PowerIntDbl(2, 10), 1024);
    EXPECT_EQ(PowerIntDbl(-1, 7), -1);
    EXPECT_EQ(PowerIntDbl(1 + 1e-15, 1000000), 1); // within the Double tolerance
    EXPECT_EQ(PowerIntDbl(2, -1023), 0x1p-1023);
    EXPECT_EQ(PowerIntDbl(0, 0), 1);
}

TEST(MathElementary, RealPowersSpecialCasesInOrder)
{
    struct Row
    {
        const char *Name;
        Extended X, Y;
        Extended Want;
    };
    const Row Rows[] = {
        {"0^0", 0, 0, 1},
        {"any base to a tiny exponent", -8, 1e-3300L, 1},
        {"0 to a positive power", 0, 2.5L, 0},
        {"1 to a huge power", 1, 1e4000L, 1},
        {"negative base, odd integer", -2, 3, -8},
        {"negative base, negative even integer", -2, -2, 0.25L},
        {"integral exponent is an exact product", 10, 22, 1e22L},
        {"ten to a negative integer", 10, -3, 1 / 1000.0L},
        {"integral within 1e-17", -2, 3 + 1e-18L, -8},
        {"2^0.5 by exp and ln", 2, 0.5L, 1.4142135623730950488L},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_TRUE(NearRel(PowerReal(R.X, R.Y), R.Want, 1e-18L));
    }
    EXPECT_EQ(PowerReal(-2, 3), -8); // exactly
    EXPECT_EQ(PowerOfTwo(10), 1024);
    EXPECT_EQ(PowerOfTwo(-1023), 0x1p-1023L);
    // Beyond the Double range the integral powers of two are still exact.
    EXPECT_EQ(PowerOfTwo(1024), 0x1p1024L);
    EXPECT_EQ(PowerOfTwo(-1100), 0x1p-1100L);
    EXPECT_EQ(PowerOfTwo(16383), 0x1p16383L);
    EXPECT_EQ(PowerOfTwo(-16382), 0x1p-16382L);
    EXPECT_EQ(PowerOfTwo(1e-4000L), 1); // integral (0) within tolerance
    EXPECT_TRUE(NearRel(PowerOfTwo(0.5L), 1.4142135623730950488L, 1e-18L));
}

TEST(MathElementary, AngleOfPointRecognisesExactAxes)
{
    struct Row
    {
        const char *Name;
        Double Y, X, Want;
    };
    const Row Rows[] = {
        {"negative x axis", 0, -1, PiDouble},
        {"origin", 0, 0, 0},
        {"negative y axis", -1, 0, -PiHalfDouble},
        {"positive y axis", 2, 0, PiHalfDouble},
        {"positive x axis", 0, 3, 0},
        {"first diagonal", 1, 1, static_cast<Double>(PiExtended / 4)},
        {"third quadrant", -1, -1, static_cast<Double>(-PiExtended * 3 / 4)},
        {"second quadrant", 1, -1, static_cast<Double>(PiExtended * 3 / 4)},
        {"small coordinate is no axis", 1e-20, 1, 1e-20},
        {"quotient beyond the Double range", 1e300, 1e-300, PiHalfDouble},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(AngleOfPoint(R.Y, R.X), R.Want);
    }
}

TEST(MathElementary, TrigonometricSpecialValues)
{
    EXPECT_EQ(TanChecked(0), 0);
    EXPECT_TRUE(NearRel(TanChecked(PiExtended / 4), 1, 1e-18L));
    EXPECT_EQ(ArcSinChecked(1), PiHalfExtended);
    EXPECT_EQ(ArcSinChecked(1), 1.5707963267948966192L); // the stored decimal
    EXPECT_EQ(ArcCosChecked(0), 1.5707963267948966192L);
    EXPECT_EQ(ArcCosChecked(-1), 3.1415926535897932385L);
    EXPECT_EQ(ArcSinChecked(-1), -PiHalfExtended);
    EXPECT_EQ(ArcSinChecked(0), 0);
    EXPECT_EQ(ArcCosChecked(-1), PiExtended);
    EXPECT_EQ(ArcCosChecked(1), 0);
    EXPECT_EQ(ArcCosChecked(0), PiHalfExtended);
    EXPECT_EQ(GradsToRadians(200), PiDouble);
    EXPECT_EQ(RadiansToGrads(PiDouble), 200);
    EXPECT_TRUE(NearRel(ReciprocalGamma(-3), 0, 1e-14L));
    EXPECT_TRUE(NearRel(ReciprocalGamma(-0.5), -0.28209479177387814347L, DoubleTol));
    EXPECT_TRUE(NearRel(GammaFn(5), 24, 1e-14L)); // double precision only
}

TEST(MathElementary, LargeNegativeGammaArgumentsEndQuickly)
{
    // The recurrence from the series down to X would need 4.5e15 steps; the
    // factorial growth ends it in an overflow within a few hundred.
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RaisesWith([] { ReciprocalGamma(-4.5e15 + 0.5); }, Raised::Overflow,
                           BrixTest::OverflowText));
    EXPECT_TRUE(
        RaisesWith([] { ReciprocalGamma(-1e15); }, Raised::Overflow, BrixTest::OverflowText));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(1));
}

TEST(MathElementary, EveryFailureRaisesItsErrorAndText)
{
    const char *ValueGZero = "Value must be > 0";
    const char *ZeroToNeg = "Cannot Raise 0 to a Negative Power";
    const char *XtoY = "Invalid XtoY";
    const char *DivByZero = "Division by Zero";
    const char *InvalidValue = "Invalid Value";
    const char *NotDefined = "Not Defined for that Value";
    using BrixTest::InvalidOpText;
    using BrixTest::OverflowText;
    using BrixTest::ZeroDivideText;
    const Raised M = Raised::MathError;
    struct Row
    {
        const char *Name;
        std::function<void()> Call;
        Raised Kind;
        const char *Text;
    };
    const Row Rows[] = {
        {"log10 0", [] { LogBase10(0, TinyExtended); }, M, ValueGZero},
        {"log10 below the threshold", [] { LogBase10(1e-3300L, TinyExtended); }, M, ValueGZero},
        {"log2 -1", [] { LogBase2(-1, TinyExtended); }, M, ValueGZero},
        {"log2 below epsilon", [] { LogBase2(0.5L, 1); }, M, ValueGZero},
        {"0^-1 integer", [] { PowerInt(0, -1); }, M, ZeroToNeg},
        {"0^-1 double", [] { PowerIntDbl(0, -1); }, M, ZeroToNeg},
        {"0^-0.5 real", [] { PowerReal(0, -0.5L); }, M, ZeroToNeg},
        {"0^-1 real", [] { PowerReal(0, -1); }, M, ZeroToNeg},
        {"cube root of -8", [] { PowerReal(-8, 1.0L / 3); }, M, XtoY},
        {"negative base, integer beyond Int32", [] { PowerReal(-2, 1e10L); }, M, XtoY},
        {"tan at π/2", [] { TanChecked(PiHalfExtended); }, M, DivByZero},
        {"tan at -π/2", [] { TanChecked(-PiHalfExtended); }, M, DivByZero},
        {"tan at half of the stored π", [] { TanChecked(PiExtended / 2); }, M, DivByZero},
        {"tan at 3π/2", [] { TanChecked(PiExtended * 3 / 2); }, M, DivByZero},
        {"arcsin above 1", [] { ArcSinChecked(1.0000001L); }, M, InvalidValue},
        {"arccos below -1", [] { ArcCosChecked(-1.5L); }, M, InvalidValue},
        {"arcosh below 1", [] { HypArcCos(0.5L); }, M, NotDefined},
        {"artanh 1", [] { HypArcTan(1); }, M, NotDefined},
        {"artanh -1", [] { HypArcTan(-1); }, M, NotDefined},
        {"gamma 0", [] { GammaFn(0); }, M, NotDefined},
        {"gamma -3", [] { GammaFn(-3); }, M, NotDefined},
        {"gamma of a huge negative integer", [] { GammaFn(-1e300); }, M, NotDefined},
        {"ln gamma -2", [] { LnGammaFn(-2); }, M, NotDefined},
        {"ln gamma 0", [] { LnGammaFn(0); }, M, NotDefined},
        {"ln gamma where gamma < 0", [] { LnGammaFn(-0.5); }, Raised::InvalidOp, InvalidOpText},
        {"10^5000", [] { PowerReal(10, 5000); }, Raised::Overflow, OverflowText},
        {"2.5^1e4000", [] { PowerReal(2.5L, 1e4000L); }, Raised::Overflow, OverflowText},
        {"reciprocal beyond the range", [] { PowerInt(1e-3000L, -2); }, Raised::Overflow,
         OverflowText},
        {"2^16384 beyond the range", [] { PowerOfTwo(16384); }, Raised::Overflow, OverflowText},
        {"10^4933 beyond the range", [] { PowerOfTen(4933); }, Raised::Overflow, OverflowText},
        {"10^5000.5 beyond the range", [] { PowerOfTen(5000.5L); }, Raised::Overflow, OverflowText},
        {"2^20000.5", [] { PowerOfTwo(20000.5L); }, Raised::Overflow, OverflowText},
        {"Double reciprocal beyond the range", [] { PowerIntDbl(1e-200, -2); }, Raised::Overflow,
         OverflowText},
        {"grads beyond Double", [] { RadiansToGrads(1e308); }, Raised::Overflow, OverflowText},
        {"gamma 1756", [] { GammaFn(1756); }, Raised::Overflow, OverflowText},
        {"ln gamma 1e308", [] { LnGammaFn(1e308); }, Raised::Overflow, OverflowText},
        {"cosh 12000", [] { HypCos(12000); }, Raised::Overflow, OverflowText},
        {"cosh -12000", [] { HypCos(-12000); }, Raised::Overflow, OverflowText},
        {"sinh -12000", [] { HypSin(-12000); }, Raised::Overflow, OverflowText},
        {"tanh 12000", [] { HypTan(12000); }, Raised::Overflow, OverflowText},
        {"tanh -12000", [] { HypTan(-12000); }, Raised::ZeroDivide, ZeroDivideText},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_TRUE(RaisesWith(R.Call, R.Kind, R.Text));
    }
}

// A as a Double, infinite beyond the Double range (a plain conversion of
// such a value is undefined).
Double ToDouble(Extended A)
{
    if (std::fabs(A) > std::numeric_limits<Double>::max())
        return std::copysign(std::numeric_limits<Double>::infinity(),
                             static_cast<Double>(A > 0 ? 1 : -1));
    return static_cast<Double>(A);
}

TEST(MathElementary, NoInfinityOrNaNLeavesAnyRoutine)
{
    // Arguments spread over the whole range, including the extremes: every
    // call either raises one of the library's errors or returns a finite value.
    const Extended Args[] = {0,
                             -0.0L,
                             1e-4940L,
                             TinyExtended,
                             0.5L,
                             -0.5L,
                             1,
                             -1,
                             2.5L,
                             -7.25L,
                             1e17L,
                             -1e300L,
                             1e4000L,
                             -1e4000L,
                             std::numeric_limits<Extended>::max(),
                             std::numeric_limits<Extended>::lowest(),
                             std::numeric_limits<Extended>::infinity(),
                             std::numeric_limits<Extended>::quiet_NaN()};
    // A call with an infinite or NaN operand must raise; any other call
    // either raises or returns a finite value.
    bool NonFinite = false;
    auto Probe = [&NonFinite](auto F) {
        try {
            const Extended R = F();
            EXPECT_TRUE(std::isfinite(R));
            EXPECT_FALSE(NonFinite) << "returned " << static_cast<double>(R);
        } catch (const EMathError &) {
        }
    };
    for (const Extended A : Args) {
        for (const Extended B : Args) {
            NonFinite = !std::isfinite(A) || !std::isfinite(B);
            SCOPED_TRACE(testing::Message()
                         << static_cast<double>(A) << ", " << static_cast<double>(B));
            Probe([=] { return PowerReal(A, B); });
            Probe([=] { return FloorModulo(A, B, TinyExtended); });
            Probe([=] { return TruncModulo(A, B, TinyExtended); });
            Probe([=] { return TruncQuotient(A, B, TinyExtended); });
            Probe([=] { return static_cast<Extended>(AngleOfPoint(ToDouble(A), ToDouble(B))); });
        }
        NonFinite = !std::isfinite(A);
        SCOPED_TRACE(static_cast<double>(ToDouble(A)));
        const Double D = ToDouble(A);
        Probe([=] { return LogBase10(A, TinyExtended); });
        Probe([=] { return LogBase2(A, TinyExtended); });
        Probe([=] { return PowerOfTwo(A); });
        Probe([=] { return PowerOfTen(A); });
        for (const TBrixAngleUnit Unit : {auDegrees, auRadians, auGrads}) {
            Probe([=] { return SinOfAngle(A, Unit); });
            Probe([=] { return CosOfAngle(A, Unit); });
            Probe([=] { return TanOfAngle(A, Unit); });
            Probe([=] { return ArcSinToAngle(A, Unit); });
            Probe([=] { return ArcCosToAngle(A, Unit); });
            Probe([=] { return ArcTanToAngle(A, Unit); });
        }
        Probe([=] { return TanChecked(A); });
        Probe([=] { return ArcSinChecked(A); });
        Probe([=] { return ArcCosChecked(A); });
        Probe([=] { return HypCos(A); });
        Probe([=] { return HypSin(A); });
        Probe([=] { return HypTan(A); });
        Probe([=] { return HypArcCos(A); });
        Probe([=] { return HypArcSin(A); });
        Probe([=] { return HypArcTan(A); });
        Probe([=] { return static_cast<Extended>(LnGammaFn(D)); });
        Probe([=] { return static_cast<Extended>(ReciprocalGamma(D)); });
        Probe([=] { return GammaFn(D); });
        Probe([=] { return static_cast<Extended>(CeilTolerant(A)); });
        Probe([=] { return static_cast<Extended>(FloorTolerant(A)); });
        Probe([=] { return static_cast<Extended>(GradsToRadians(D)); });
        Probe([=] { return static_cast<Extended>(RadiansToGrads(D)); });
    }
}

} // namespace
