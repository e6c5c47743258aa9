#include "brix/math/elementary.h"

#include "brix/classes/exceptions.h"
#include "brix/math/tools.h"

#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace Brix {

namespace {

// Stirling series of ln Γ beyond 10: c1..c4 and ln √(2π).
constexpr Extended LnGammaC1 = 0.00056604784260143860L;
constexpr Extended LnGammaC2 = -0.00076859280440643470L;
constexpr Extended LnGammaC3 = 0.0024305545113769540L;
constexpr Extended LnGammaC4 = -0.041666666665544240L;
constexpr Extended LnSqrtTwoPi = 0.9189385332046727L;

// Power series of 1/Γ(z) = Σ c(k)·z^k, k = 1..26 (Abramowitz and Stegun,
// formula 6.1.34). Coefficients derived independently from ζ values
// (tests/math/reference_values.py) agree within one unit of the 16th
// decimal, except c(25) and c(26), where the published table differs by 2
// units (harmless at that order).
constexpr std::array<Double, 26> RecGammaCoeffs = {
    1.0,
    0.5772156649015329,
    -0.6558780715202538,
    -0.0420026350340952,
    0.1665386113822915,
    -0.0421977345555443,
    -0.0096219715278770,
    0.0072189432466630,
    -0.0011651675918591,
    -0.0002152416741149,
    0.0001280502823882,
    -0.0000201348547807,
    -0.0000012504934821,
    0.0000011330272320,
    -0.0000002056338417,
    0.0000000061160950,
    0.0000000050020075,
    -0.0000000011812746,
    0.0000000001043427,
    0.0000000000077823,
    -0.0000000000036968,
    0.0000000000005100,
    -0.0000000000000206,
    -0.0000000000000054,
    0.0000000000000014,
    0.0000000000000001,
};

// |N| without overflow (N = INT_MIN has no positive int counterpart).
unsigned int Magnitude(int N)
{
    return N < 0 ? 0u - static_cast<unsigned int>(N) : static_cast<unsigned int>(N);
}

// Repeated squaring shared by both precisions: while E is even, halve it and
// square B; then take one factor of B into R.
template <typename T> T SquareAndMultiply(T X, unsigned int E)
{
    T B = X;
    T R = 1;
    while (E > 0) {
        while ((E & 1u) == 0) {
            E >>= 1;
            B = B * B;
        }
        --E;
        R = R * B;
    }
    return R;
}

// Y rounded to the nearest integer (ties to even); Y lies in the Int32 range.
int RoundToInt32(Extended Y)
{
    return static_cast<int>(nearbyintl(Y));
}

bool IsIntegralInInt32Range(Extended Y)
{
    return FloatsMatch(Y, truncl(Y), RelEpsExtended) && Y >= MinInt32Extended &&
           Y <= MaxInt32Extended;
}

// Whether the repeated squaring of PowerInt forms X^N without rounding. Every
// partial product is a power of X, so it is exact exactly when the odd part
// of X's 64-bit mantissa raised to |N| still fits in 64 bits and the result
// stays well inside the exponent range (no overflow, no subnormal). Powers of
// two always qualify: PowerInt handles their range itself, exactly.
bool RepeatedSquaringIsExact(Extended X, int N)
{
    int Exponent = 0;
    const Extended Mantissa = frexpl(std::fabs(X), &Exponent);
    std::uint64_t Odd = static_cast<std::uint64_t>(ldexpl(Mantissa, 64));
    Odd >>= std::countr_zero(Odd);
    if (Odd == 1)
        return true;
    const unsigned int E = Magnitude(N);
    // An odd factor of at least 3 overflows 64 bits beyond the 40th power.
    if (E > 40 || static_cast<long>(E) * (std::abs(Exponent) + 1) > 16000)
        return false;
    std::uint64_t P = 1;
    for (unsigned int I = 0; I < E; ++I)
        if (__builtin_mul_overflow(P, Odd, &P))
            return false;
    return true;
}

// X^N for an integral exponent: the exact product of PowerInt where the
// squaring keeps every digit (so 10^22, 2^-3 and (-3)^5 are exact, and 10^-5
// is 1/100000 rounded once), and X within tolerance of ±1 as PowerInt has it;
// otherwise the C library's powl, which stays within a unit in the last place
// where a long chain of squarings would add up the roundings of every step.
Extended IntegralPower(Extended X, int N)
{
    if (FloatsMatch(X, -1, RelEpsExtended) || RepeatedSquaringIsExact(X, N))
        return PowerInt(X, N);
    return CheckedFloat(powl(X, static_cast<Extended>(N)));
}

// 0 and the negative integers, where Γ has its poles.
bool IsGammaPole(Double X)
{
    return std::fabs(X) < TinyDouble ||
           (X <= -TinyDouble && DoublesMatch(X, std::trunc(X), RelEpsDouble));
}

} // namespace

Extended LogBase2(Extended X, Extended Epsilon)
{
    CheckedFloat(X);
    if (!IsPositiveBeyond(X, Epsilon))
        RaiseMathError(emtValueGZero);
    return DivideChecked(LnChecked(X), Ln2Extended);
}

Extended LogBase10(Extended X, Extended Epsilon)
{
    CheckedFloat(X);
    if (!IsPositiveBeyond(X, Epsilon))
        RaiseMathError(emtValueGZero);
    return DivideChecked(LnChecked(X), Ln10Extended);
}

Extended PowerInt(Extended X, int N)
{
    CheckedFloat(X);
    if (N == 0)
        return 1;
    if (IsNearZero(X, TinyExtended)) {
        if (N < 0)
            RaiseMathError(emtZeroToNegPower);
        return 0;
    }
    if (FloatsMatch(X, 1, RelEpsExtended))
        return 1;
    if (FloatsMatch(X, -1, RelEpsExtended))
        return (N & 1) != 0 ? -1 : 1;
    const Extended R = SquareAndMultiply<Extended>(X, Magnitude(N));
    if (N > 0)
        return CheckedFloat(R);
    // A negative exponent takes the reciprocal of the product. When the
    // product leaves the range the true result is not a fault but a value
    // too small for it (10^-5000 is 0), so the product of reciprocals gives
    // it. When the product underflows to 0, the result lies beyond the range.
    if (std::isinf(R))
        return SquareAndMultiply<Extended>(DivideChecked(1, X), Magnitude(N));
    if (R == 0)
        throw EOverflow();
    return DivideChecked(1, R);
}

Double PowerIntDbl(Double X, int N)
{
    CheckedFloat(X);
    if (N == 0)
        return 1;
    if (IsNearZeroDbl(X, TinyDouble)) {
        if (N < 0)
            RaiseMathError(emtZeroToNegPower);
        return 0;
    }
    if (DoublesMatch(X, 1, RelEpsDouble))
        return 1;
    if (DoublesMatch(X, -1, RelEpsDouble))
        return (N & 1) != 0 ? -1 : 1;
    // Here the Double range is the limit both ways: a product beyond it, or
    // a product that underflows to 0 when its reciprocal is wanted, fails
    // with EOverflow.
    const Double R = SquareAndMultiply<Double>(X, Magnitude(N));
    CheckedFloat(R);
    if (N > 0)
        return R;
    if (R == 0)
        throw EOverflow();
    return CheckedDouble(DivideChecked(1, R));
}

namespace {

// X^(Y + YRest), where YRest is a tail far below the last place of Y (the
// rounding of an exponent formed as a quotient); the steps of PowerReal.
Extended PowerWithTail(Extended X, Extended Y, Extended YRest)
{
    CheckedFloat(X);
    CheckedFloat(Y);
    if (IsNearZero(Y, TinyExtended))
        return 1;
    if (IsNearZero(X, TinyExtended)) {
        if (Y < 0)
            RaiseMathError(emtZeroToNegPower);
        return 0;
    }
    if (FloatsMatch(X, 1, RelEpsExtended))
        return 1;
    // Integral exponents take the integer path; this is also what allows a
    // negative base.
    if (IsIntegralInInt32Range(Y))
        return IntegralPower(X, RoundToInt32(Y));
    // powl keeps the result within a unit in the last place; exp(Y·ln X)
    // would multiply the rounding of ln X by |Y·ln X|. The tail adds
    // X^Y·YRest·ln X (its square is far below the last place).
    if (X > 0) {
        const Extended R = CheckedFloat(powl(X, Y));
        return YRest == 0 ? R : CheckedFloat(R + R * (YRest * logl(X)));
    }
    RaiseMathError(emtInvalidXtoY);
}

} // namespace

Extended PowerReal(Extended X, Extended Y)
{
    return PowerWithTail(X, Y, 0);
}

Extended PowerRoot(Extended X, Extended Y)
{
    const Extended Q = DivideChecked(1, CheckedFloat(Y));
    // 1/Y = Q + (1 - Q·Y)/Y; the fused multiply-add gives 1 - Q·Y exactly.
    return PowerWithTail(X, Q, fmal(-Q, Y, 1) / Y);
}

Extended PowerOfTen(Extended X)
{
    CheckedFloat(X);
    if (IsNearZero(X, TinyExtended))
        return 1;
    if (IsIntegralInInt32Range(X))
        return IntegralPower(10, RoundToInt32(X));
    return CheckedFloat(exp10l(X));
}

Extended PowerOfTwo(Extended X)
{
    CheckedFloat(X);
    if (IsNearZero(X, TinyExtended))
        return 1;
    // Integral exponents up to 1023 in magnitude are exact products in
    // double precision; beyond, exp2l gives the exact power of two across the
    // whole Extended range (and overflows only beyond it).
    if (IsIntegralInInt32Range(X)) {
        const int N = RoundToInt32(X);
        if (N >= -1023 && N <= 1023)
            return PowerIntDbl(2.0, N);
        return CheckedFloat(exp2l(N));
    }
    return CheckedFloat(exp2l(X));
}

Double GradsToRadians(Double X)
{
    return CheckedDouble(X * GradsToRadiansFactor);
}

Double RadiansToGrads(Double X)
{
    return CheckedDouble(X * RadiansToGradsFactor);
}

Extended TanChecked(Extended A)
{
    Extended S = 0;
    Extended C = 0;
    sincosl(CheckedFloat(A), &S, &C);
    // The tolerance scales with the angle: at odd multiples of π/2 the
    // cosine is only the rounding residue of the angle.
    if (IsNearZero(C, A * RelEpsExtended))
        RaiseMathError(emtDivideByZero);
    return DivideChecked(S, C);
}

Double AngleOfPoint(Double Y, Double X)
{
    CheckedFloat(Y);
    CheckedFloat(X);
    const Double T = RelToleranceDbl(X, Y, RelEpsDouble);
    if (IsNearZeroDbl(X, T)) {
        if (IsNearZeroDbl(Y, T))
            return 0;
        return Y > 0 ? PiHalfDouble : -PiHalfDouble;
    }
    if (IsNearZeroDbl(Y, T))
        return X > 0 ? 0 : PiDouble;
    // The quotient is formed in extended precision, where it cannot overflow
    // for any pair of Doubles.
    const Extended A = atanl(std::fabs(static_cast<Extended>(Y) / X));
    if (X > 0)
        return static_cast<Double>(Y > 0 ? A : -A);
    return static_cast<Double>(Y > 0 ? PiExtended - A : -PiExtended + A);
}

Extended ArcSinChecked(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) > 1)
        RaiseMathError(emtInvalidValue);
    const Extended Eps = X * RelEpsExtended;
    if (IsNearZero(X, Eps))
        return 0;
    if (FloatsMatch(X, 1, Eps))
        return PiHalfExtended;
    if (FloatsMatch(X, -1, Eps))
        return -PiHalfExtended;
    // (1 - X)(1 + X) keeps the digits that 1 - X² loses near ±1.
    return atan2l(X, SqrtChecked((1 - X) * (1 + X)));
}

Extended ArcCosChecked(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) > 1)
        RaiseMathError(emtInvalidValue);
    const Extended Eps = X * RelEpsExtended;
    if (IsNearZero(X, Eps))
        return PiHalfExtended;
    if (FloatsMatch(X, 1, Eps))
        return 0;
    if (FloatsMatch(X, -1, Eps))
        return PiExtended;
    return atan2l(SqrtChecked((1 - X) * (1 + X)), X);
}

Double LnGammaFn(Double X)
{
    if (std::isnan(X))
        throw EInvalidOp();
    if (IsGammaPole(X))
        RaiseMathError(emtNotDefinedForValue);
    CheckedFloat(X);
    Extended Z = X < 0 ? 1 - static_cast<Extended>(X) : static_cast<Extended>(X);
    // Shift the argument above 10, where the Stirling series is accurate;
    // P collects the factors to divide out again.
    Extended P = 1;
    while (Z <= 10) {
        P = P * Z;
        Z = Z + 1;
    }
    const Extended W = Z - 0.5L;
    const Extended G = DivideChecked(1, W * W);
    const Extended Series = G * (LnGammaC4 + G * (LnGammaC3 + G * (LnGammaC2 + G * LnGammaC1)));
    const Extended S = CheckedFloat(W * (LnChecked(W) - 1 + Series) + LnSqrtTwoPi);
    Double R = CheckedDouble(S - LnChecked(P));
    if (X < 0) {
        // Reflection: Γ(X)·Γ(1 - X) = π / sin(πX). Where Γ(X) < 0 the sine is
        // negative and the logarithm fails with EInvalidOp.
        const Extended Sine = sinl(PiExtended * X);
        R = CheckedDouble(LnChecked(DivideChecked(PiExtended, Sine)) - R);
    }
    return R;
}

Double ReciprocalGamma(Double X)
{
    if (std::isnan(X))
        throw EInvalidOp();
    if (std::fabs(X) < TinyDouble)
        return 0;
    if (X > 0)
        return CheckedDouble(ExpChecked(-static_cast<Extended>(LnGammaFn(X))));
    CheckedFloat(X);
    Double F = X - std::trunc(X);
    if (std::fabs(F) < TinyDouble)
        F = -1;
    Double S = 0;
    Extended Power = 1;
    for (const Double C : RecGammaCoeffs) {
        Power = Power * F;
        S = static_cast<Double>(S + C * Power);
    }
    // Carry 1/Γ down from F to X with 1/Γ(z - 1) = (z - 1)/Γ(z). The
    // magnitude grows like a factorial, so the loop ends in EOverflow within
    // a few hundred steps; a zero sum stays zero and needs no steps.
    while (F > X && S != 0) {
        F = F - 1;
        S = S * F;
        CheckedFloat(S);
    }
    return S;
}

Extended GammaFn(Double X)
{
    if (std::isnan(X))
        throw EInvalidOp();
    if (IsGammaPole(X))
        RaiseMathError(emtNotDefinedForValue);
    if (X > 0)
        return ExpChecked(LnGammaFn(X));
    const Double R = ReciprocalGamma(X);
    if (std::fabs(R) < TinyDouble)
        RaiseMathError(emtNotDefinedForValue);
    return DivideChecked(1, R);
}

} // namespace Brix
