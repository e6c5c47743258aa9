#include "brix/math/angles.h"

#include "brix/math/elementary.h"
#include "brix/math/tools.h"

#include <array>
#include <cmath>

namespace Brix {

namespace {

// An unevaluated sum Hi + Lo of two 80-bit values with |Lo| at most half a
// unit in the last place of Hi: about 128 significant bits. The sums and
// products below are the classic error-free transformations (the rounding
// error of an addition recovered by subtractions, that of a product by
// Dekker's product of split halves), so each operation on pairs loses only
// about 2^-126 relative. The operands stay far inside the range (at most a
// few hundred in magnitude), where the split cannot overflow.
struct TPair
{
    Extended Hi = 0;
    Extended Lo = 0;
};

TPair TwoSum(Extended A, Extended B)
{
    const Extended S = A + B;
    const Extended V = S - A;
    return {S, (A - (S - V)) + (B - V)};
}

// Veltkamp's split of a 64-bit mantissa into two halves of at most 32 bits,
// whose products are exact. (The C library's fmal would do the same job, but
// in software and about a hundred times slower.)
TPair Split(Extended A)
{
    constexpr Extended Splitter = 0x1p32L + 1;
    const Extended C = Splitter * A;
    const Extended Hi = C - (C - A);
    return {Hi, A - Hi};
}

TPair TwoProduct(Extended A, Extended B)
{
    const Extended P = A * B;
    const TPair SA = Split(A);
    const TPair SB = Split(B);
    return {P, ((SA.Hi * SB.Hi - P) + SA.Hi * SB.Lo + SA.Lo * SB.Hi) + SA.Lo * SB.Lo};
}

TPair operator-(TPair A)
{
    return {-A.Hi, -A.Lo};
}

TPair Add(TPair A, TPair B)
{
    const TPair S = TwoSum(A.Hi, B.Hi);
    return TwoSum(S.Hi, S.Lo + A.Lo + B.Lo);
}

TPair Mul(TPair A, TPair B)
{
    const TPair P = TwoProduct(A.Hi, B.Hi);
    return TwoSum(P.Hi, P.Lo + (A.Hi * B.Lo + A.Lo * B.Hi));
}

TPair Div(TPair A, TPair B)
{
    const Extended Q1 = A.Hi / B.Hi;
    const TPair R = Add(A, -Mul(B, {Q1, 0}));
    return TwoSum(Q1, (R.Hi + R.Lo) / B.Hi);
}

// The pair rounded to the nearest 80-bit value, a zero always positive (the
// sine of -180 degrees is shown as 0, not -0).
Extended Rounded(TPair A)
{
    const Extended R = A.Hi + A.Lo;
    return R == 0 ? 0 : R;
}

// π/2, π/180, 180/π, π/200 and 200/π, each split into the nearest 80-bit value
// and the nearest 80-bit value to the rest (computed with 200-bit arithmetic).
constexpr TPair PiHalf = {0xC90FDAA22168C235P-63L, -0xECE675D1FC8F8CBBP-129L};
constexpr TPair DegreesToRadians = {0x8EFA351294E9C8AEP-69L, 0xEC5F66E9485C4D90P-137L};
constexpr TPair RadiansToDegrees = {0xE52EE0D31E0FBDC3P-58L, 0xA97537F40D257D73P-126L};
constexpr TPair GradsToRadiansPair = {0x80ADFC90B938CE36P-69L, 0x80FDEEC70B572F20P-134L};
constexpr TPair RadiansToGradsPair = {0xFEA5DD5C5A4A6112P-58L, -0xCC050D8FE1BACB05P-123L};

// The degree and grad units: a full turn and the two conversion factors.
struct TUnitFactors
{
    Extended Turn;
    TPair ToRadians;
    TPair FromRadians;
};

TUnitFactors Factors(TBrixAngleUnit Unit)
{
    if (Unit == auGrads)
        return {400, GradsToRadiansPair, RadiansToGradsPair};
    return {360, DegreesToRadians, RadiansToDegrees};
}

Extended QuarterTurn(TBrixAngleUnit Unit)
{
    switch (Unit) {
    case auDegrees:
        return 90;
    case auGrads:
        return 100;
    default:
        return PiHalfExtended;
    }
}

// 1/n! for n = 0..34 as pairs, each from the one before by a division.
constexpr int FactorialCount = 35;
const std::array<TPair, FactorialCount> &InverseFactorials()
{
    static const std::array<TPair, FactorialCount> Table = [] {
        std::array<TPair, FactorialCount> T;
        T[0] = {1, 0};
        for (int N = 1; N < FactorialCount; ++N)
            T[N] = Div(T[N - 1], {static_cast<Extended>(N), 0});
        return T;
    }();
    return Table;
}

struct TSinCos
{
    TPair Sin;
    TPair Cos;
};

// Sine and cosine of |R| <= about π/4 by their Taylor series up to R^33 and
// R^34, whose next terms lie below 2^-130.
TSinCos SinCosKernel(TPair R)
{
    const std::array<TPair, FactorialCount> &F = InverseFactorials();
    const TPair MinusZ = -Mul(R, R);
    TPair S = F[33];
    for (int N = 31; N >= 1; N -= 2)
        S = Add(Mul(S, MinusZ), F[N]);
    TPair C = F[34];
    for (int N = 32; N >= 0; N -= 2)
        C = Add(Mul(C, MinusZ), F[N]);
    return {Mul(S, R), C};
}

// The sine and cosine of Quadrant quarter turns (0 to 3) plus the angle of K.
TSinCos InQuadrant(const TSinCos &K, int Quadrant)
{
    switch (Quadrant) {
    case 1:
        return {K.Cos, -K.Sin};
    case 2:
        return {-K.Sin, -K.Cos};
    case 3:
        return {-K.Cos, K.Sin};
    default:
        return K;
    }
}

int QuadrantOf(Extended Q)
{
    return (static_cast<int>(Q) % 4 + 4) % 4;
}

// An angle in degrees or grads as whole quarter turns plus a remainder in
// radians. fmod is exact, and so is the remainder after the nearest quarter
// turn: both operands are multiples of the last place of the angle within a
// full turn. Only the remainder (at most half a quarter turn) is multiplied
// by the conversion factor, in pair precision.
struct TReducedAngle
{
    int Quadrant;
    bool OnAxis; // a whole number of quarter turns
    TPair Radians;
};

TReducedAngle Reduce(Extended X, TBrixAngleUnit Unit)
{
    const TUnitFactors U = Factors(Unit);
    const Extended Quarter = U.Turn / 4;
    const Extended R = fmodl(CheckedFloat(X), U.Turn);
    const Extended Q = nearbyintl(R / Quarter);
    const Extended Rest = R - Q * Quarter;
    const TPair P = TwoProduct(Rest, U.ToRadians.Hi);
    return {QuadrantOf(Q), Rest == 0, TwoSum(P.Hi, P.Lo + Rest * U.ToRadians.Lo)};
}

TSinCos SinCosOfAngle(Extended X, TBrixAngleUnit Unit, bool *OnAxisOddQuadrant = nullptr)
{
    const TReducedAngle A = Reduce(X, Unit);
    if (OnAxisOddQuadrant)
        *OnAxisOddQuadrant = A.OnAxis && (A.Quadrant & 1) != 0;
    return InQuadrant(SinCosKernel(A.Radians), A.Quadrant);
}

// Sine and cosine of an exact angle of at most about π in magnitude (a start
// value of an inverse function), reduced by the nearest multiple of π/2 in
// pair precision. Q·PiHalf.Hi is exact for |Q| <= 2, and so is its
// difference from Y, which lies within a factor of two of it.
TSinCos SinCosOfRadians(Extended Y)
{
    const Extended Q = nearbyintl(Y / PiHalf.Hi);
    const TPair R = TwoSum(Y - Q * PiHalf.Hi, -Q * PiHalf.Lo);
    return InQuadrant(SinCosKernel(R), QuadrantOf(Q));
}

// An angle in radians, given as a pair, in degrees or grads, rounded once.
Extended FromRadians(TPair Y, TBrixAngleUnit Unit)
{
    return Rounded(Mul(Y, Factors(Unit).FromRadians));
}

// Y0 plus one Newton step Residual / Slope. Y0 is the extended result of the
// inverse function (within a unit or two in its last place); one step
// squares that relative error, leaving it far below 2^-100, so the pair
// carries the angle to about 128 bits before the unit conversion.
TPair NewtonStep(Extended Y0, TPair Residual, Extended Slope)
{
    return TwoSum(Y0, (Residual.Hi + Residual.Lo) / Slope);
}

} // namespace

Extended SinOfAngle(Extended X, TBrixAngleUnit Unit)
{
    if (Unit == auRadians)
        return sinl(CheckedFloat(X));
    return Rounded(SinCosOfAngle(X, Unit).Sin);
}

Extended CosOfAngle(Extended X, TBrixAngleUnit Unit)
{
    if (Unit == auRadians)
        return cosl(CheckedFloat(X));
    return Rounded(SinCosOfAngle(X, Unit).Cos);
}

Extended TanOfAngle(Extended X, TBrixAngleUnit Unit)
{
    if (Unit == auRadians)
        return TanChecked(X);
    bool Pole = false;
    const TSinCos SC = SinCosOfAngle(X, Unit, &Pole);
    // Only the exact quarter turn is the pole; a neighbour of 90 degrees has
    // a large but finite tangent (at most about 8e18).
    if (Pole)
        RaiseMathError(emtDivideByZero);
    return Rounded(Div(SC.Sin, SC.Cos));
}

Extended ArcSinToAngle(Extended X, TBrixAngleUnit Unit)
{
    const Extended Y0 = ArcSinChecked(X);
    if (Unit == auRadians)
        return Y0;
    // The exact results of ArcSinChecked, in the unit.
    const Extended Eps = X * RelEpsExtended;
    if (IsNearZero(X, Eps))
        return 0;
    if (FloatsMatch(X, 1, Eps))
        return QuarterTurn(Unit);
    if (FloatsMatch(X, -1, Eps))
        return -QuarterTurn(Unit);
    // sin Y = X; the cosine is at least 4e-9 outside the tolerance of ±1.
    const TSinCos SC = SinCosOfRadians(Y0);
    return FromRadians(NewtonStep(Y0, Add({X, 0}, -SC.Sin), SC.Cos.Hi), Unit);
}

Extended ArcCosToAngle(Extended X, TBrixAngleUnit Unit)
{
    const Extended Y0 = ArcCosChecked(X);
    if (Unit == auRadians)
        return Y0;
    const Extended Eps = X * RelEpsExtended;
    if (IsNearZero(X, Eps))
        return QuarterTurn(Unit);
    if (FloatsMatch(X, 1, Eps))
        return 0;
    if (FloatsMatch(X, -1, Eps))
        return 2 * QuarterTurn(Unit);
    // cos Y = X, so Y = Y0 + (cos Y0 - X) / sin Y0.
    const TSinCos SC = SinCosOfRadians(Y0);
    return FromRadians(NewtonStep(Y0, Add(SC.Cos, {-X, 0}), SC.Sin.Hi), Unit);
}

Extended ArcTanToAngle(Extended X, TBrixAngleUnit Unit)
{
    CheckedFloat(X);
    if (Unit == auRadians)
        return atanl(X);
    if (std::fabs(X) == 1)
        return std::copysign(QuarterTurn(Unit) / 2, X);
    // Beyond ±1, arctan X = ±π/2 - arctan(1/X), with 1/X carried as a pair,
    // so that the series below always works on |A| < 1.
    const bool Beyond = std::fabs(X) > 1;
    TPair A = {X, 0};
    if (Beyond) {
        // 1 - W·X exactly by a fused multiply-add: X may be too large to split.
        const Extended W = 1 / X;
        A = {W, fmal(-W, X, 1) / X};
    }
    const Extended Y0 = atanl(A.Hi);
    const TSinCos SC = SinCosKernel({Y0, 0});
    const TPair T = Div(SC.Sin, SC.Cos);
    // tan Y = A; the slope of the tangent is 1 + tan².
    TPair Y = NewtonStep(Y0, Add(A, -T), 1 + T.Hi * T.Hi);
    if (Beyond)
        Y = Add(X > 0 ? PiHalf : -PiHalf, -Y);
    return FromRadians(Y, Unit);
}

} // namespace Brix
