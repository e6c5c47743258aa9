#include "brix/math/hyperbolics.h"

#include "brix/classes/exceptions.h"
#include "brix/math/tools.h"

#include <cmath>

namespace Brix {

namespace {

// Beyond this magnitude X² leaves the Extended range (about 1.1e2466). Far
// earlier (above 2^33) X² ± 1 already rounds to X², so there the square
// root term equals X exactly and ln(X + X) = ln 2 + ln X is the same value.
constexpr Extended HugeArgument = 1e2400L;

// Below this magnitude the plain formulas subtract nearly equal numbers
// (e^X - e^-X, ln of a value near 1) and lose digits, all of them for tiny X
// (sinh 1e-20 would be 0); there the same functions are formed from
// e^X - 1 and ln(1 + t), which keep full precision. Above it the plain
// formulas are accurate and are used unchanged.
constexpr Extended SmallArgument = 1.0L;

} // namespace

Extended HypCos(Extended X)
{
    // cosh is even: working on |X| makes every out-of-range result an
    // overflow (e^X for X far below zero would underflow to 0 instead and
    // 1/E fail as a division by zero).
    const Extended E = ExpChecked(std::fabs(CheckedFloat(X)));
    return CheckedFloat((E + DivideChecked(1, E)) * 0.5L);
}

Extended HypSin(Extended X)
{
    CheckedFloat(X);
    if (X < 0)
        return -HypSin(-X);
    if (X < SmallArgument) {
        // E - 1/E = M + M/(M + 1) with M = e^X - 1.
        const Extended M = expm1l(X);
        return (M + M / (M + 1)) * 0.5L;
    }
    const Extended E = ExpChecked(X);
    return CheckedFloat((E - DivideChecked(1, E)) * 0.5L);
}

Extended HypTan(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) < SmallArgument) {
        // tanh X = M/(M + 2) with M = e^2X - 1 (M + 2 lies above 1.1).
        const Extended M = expm1l(2 * X);
        return M / (M + 2);
    }
    const Extended E = ExpChecked(X);
    const Extended R = DivideChecked(1, E);
    return DivideChecked(E - R, CheckedFloat(E + R));
}

Extended HypArcCos(Extended X)
{
    CheckedFloat(X);
    if (X < 1)
        RaiseMathError(emtNotDefinedForValue);
    if (X > HugeArgument)
        return LnChecked(X) + Ln2Extended;
    if (X < 1 + SmallArgument) {
        // Near 1, X² - 1 cancels; with T = X - 1 (exact here) the value is
        // ln(1 + T + √(T·(T + 2))).
        const Extended T = X - 1;
        return log1pl(T + SqrtChecked(T * (T + 2)));
    }
    return LnChecked(X + SqrtChecked(X * X - 1));
}

Extended HypArcSin(Extended X)
{
    CheckedFloat(X);
    // For negative X the sum X + √(X² + 1) cancels: it loses digits, and
    // below about -4e9 it becomes 0. arsinh is odd, so use the positive side.
    if (X < 0)
        return -HypArcSin(-X);
    if (X > HugeArgument)
        return LnChecked(X) + Ln2Extended;
    if (X < SmallArgument) {
        // X + √(X² + 1) = 1 + X + X²/(1 + √(X² + 1)).
        return log1pl(X + X * X / (1 + SqrtChecked(X * X + 1)));
    }
    return LnChecked(X + SqrtChecked(X * X + 1));
}

Extended HypArcTan(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) >= 1)
        RaiseMathError(emtNotDefinedForValue);
    if (std::fabs(X) < SmallArgument * 0.5L) {
        // (1 + X)/(1 - X) = 1 + 2X/(1 - X).
        return 0.5L * log1pl(2 * X / (1 - X));
    }
    return 0.5L * LnChecked(DivideChecked(1 + X, 1 - X));
}

} // namespace Brix
