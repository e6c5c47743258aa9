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
    const Extended E = ExpChecked(X);
    return CheckedFloat((E - DivideChecked(1, E)) * 0.5L);
}

Extended HypTan(Extended X)
{
    CheckedFloat(X);
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
    return LnChecked(X + SqrtChecked(X * X + 1));
}

Extended HypArcTan(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) >= 1)
        RaiseMathError(emtNotDefinedForValue);
    return 0.5L * LnChecked(DivideChecked(1 + X, 1 - X));
}

} // namespace Brix
