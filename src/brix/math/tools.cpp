#include "brix/math/tools.h"

#include "brix/classes/exceptions.h"

#include <cfloat>
#include <cmath>

namespace Brix {

namespace {

// 2^63: the first magnitude an Int64 cannot hold.
constexpr Extended Int64Limit = 0x1p63L;

// The smallest magnitude that rounds to infinity as a Double: DBL_MAX plus
// half a unit in its last place (a tie rounds to the even neighbour, which
// is the infinity).
constexpr Extended DoubleOverflowLimit = static_cast<Extended>(DBL_MAX) + 0x1p970L;

} // namespace

void RaiseMathError(TBrixResMath Key)
{
    throw EMathError(MathText(Key));
}

Extended CheckedFloat(Extended X)
{
    if (std::isnan(X))
        throw EInvalidOp();
    if (std::isinf(X))
        throw EOverflow();
    return X;
}

Double CheckedDouble(Extended X)
{
    CheckedFloat(X);
    if (std::fabs(X) >= DoubleOverflowLimit)
        throw EOverflow();
    return static_cast<Double>(X);
}

Extended DivideChecked(Extended A, Extended B)
{
    if (std::isnan(A) || std::isnan(B))
        throw EInvalidOp();
    if (B == 0) {
        if (A == 0)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return CheckedFloat(A / B);
}

Extended LnChecked(Extended X)
{
    if (std::isnan(X) || X < 0)
        throw EInvalidOp();
    if (X == 0)
        throw EZeroDivide();
    return CheckedFloat(logl(X));
}

Extended ExpChecked(Extended X)
{
    if (std::isnan(X))
        throw EInvalidOp();
    return CheckedFloat(expl(X));
}

Extended SqrtChecked(Extended X)
{
    if (std::isnan(X) || X < 0)
        throw EInvalidOp();
    return CheckedFloat(sqrtl(X));
}

Int64 TruncToInt64(Extended X)
{
    // The negated comparison also catches NaN.
    if (!(std::fabs(X) < Int64Limit))
        throw EInvalidOp();
    return static_cast<Int64>(X);
}

bool IsNearZero(Extended Value, Extended Epsilon)
{
    if (Epsilon == 0)
        return std::fabs(Value) < TinyExtended;
    return std::fabs(Value) < std::fabs(Epsilon);
}

bool IsNearZeroDbl(Double Value, Double Epsilon)
{
    if (Epsilon == 0)
        return std::fabs(Value) < TinyDouble;
    return std::fabs(Value) < std::fabs(Epsilon);
}

bool IsPositiveBeyond(Extended Value, Extended Epsilon)
{
    return Value >= std::fabs(Epsilon);
}

Extended RelTolerance(Extended A, Extended B, Extended Epsilon)
{
    if (A == 0 && B == 0)
        return std::fabs(Epsilon);
    if (A == 0)
        return OneZeroFactor * std::fabs(B);
    if (B == 0)
        return OneZeroFactor * std::fabs(A);
    return std::fmin(std::fabs(A), std::fabs(B)) * std::fabs(Epsilon);
}

Double RelToleranceDbl(Double A, Double B, Double Epsilon)
{
    if (A == 0 && B == 0)
        return std::fabs(Epsilon);
    if (A == 0)
        return 0.1 * std::fabs(B);
    if (B == 0)
        return 0.1 * std::fabs(A);
    return std::fmin(std::fabs(A), std::fabs(B)) * std::fabs(Epsilon);
}

bool FloatsMatch(Extended A, Extended B, Extended Epsilon)
{
    if (A == 0 && B == 0)
        return true;
    if (A == 0 || B == 0) {
        // Beside an exact zero a relative tolerance means nothing; the other
        // value must itself be negligible. The decimal exponent is taken
        // through ln/ln 10, as everywhere in the library.
        const Extended M = std::fabs(A == 0 ? B : A);
        return logl(M) / Ln10Extended < ZeroMagnitudeExtended;
    }
    return std::fabs(A - B) <= RelTolerance(A, B, Epsilon);
}

bool DoublesMatch(Double A, Double B, Double Epsilon)
{
    if (A == 0 && B == 0)
        return true;
    if (A == 0 || B == 0) {
        // Only the difference below is rounded to Double; the decimal
        // exponent is taken as in FloatsMatch. (In Double arithmetic the
        // quotient rounds to exactly -13 for the 44 Doubles just below 1e-13,
        // which would then not count as below it.)
        const Double M = std::fabs(A == 0 ? B : A);
        return logl(M) / Ln10Extended < ZeroMagnitudeDouble;
    }
    const Double Diff = std::fabs(A - B);
    return Diff <= RelToleranceDbl(A, B, Epsilon);
}

bool DoublesDiffer(Double A, Double B, Double Epsilon)
{
    return !DoublesMatch(A, B, Epsilon);
}

bool FloatAbove(Extended A, Extended B, Extended Epsilon)
{
    return A - B > RelTolerance(A, B, Epsilon);
}

bool FloatBelow(Extended A, Extended B, Extended Epsilon)
{
    return A - B < -RelTolerance(A, B, Epsilon);
}

namespace {

// X nudged by 1e-17 of itself away from zero, truncated: a value lying just
// under an integer in magnitude lands on that integer. From 1e17 on the
// nudge exceeds 1 and would carry even an exact integer past itself
// (1e18 to 1e18 + 10), so the result never goes beyond the integer next to
// X in magnitude; below 1e17 that limit is never reached.
Int64 NudgedTrunc(Extended X)
{
    const Int64 T = TruncToInt64(X + X * RelEpsExtended);
    // Both limits lie between 0 and T, so they convert without loss.
    if (X > 0 && static_cast<Extended>(T) > ceill(X))
        return static_cast<Int64>(ceill(X));
    if (X < 0 && static_cast<Extended>(T) < floorl(X))
        return static_cast<Int64>(floorl(X));
    return T;
}

} // namespace

Int64 CeilTolerant(Extended X)
{
    Int64 T = NudgedTrunc(X);
    if (FloatBelow(static_cast<Extended>(T), X, RelEpsExtended)) {
        if (__builtin_add_overflow(T, 1, &T))
            throw EInvalidOp();
    }
    return T;
}

Int64 FloorTolerant(Extended X)
{
    Int64 T = NudgedTrunc(X);
    if (FloatAbove(static_cast<Extended>(T), X, RelEpsExtended)) {
        if (__builtin_sub_overflow(T, 1, &T))
            throw EInvalidOp();
    }
    return T;
}

namespace {

// The divisor's zero test comes first; infinite or NaN operands are faults.
void CheckOperands(Extended X, Extended Y, Extended Epsilon)
{
    if (IsNearZero(Y, Epsilon))
        RaiseMathError(emtDivideByZero);
    CheckedFloat(X);
    CheckedFloat(Y);
}

} // namespace

Extended FloorQuotient(Extended X, Extended Y, Extended Epsilon)
{
    CheckOperands(X, Y, Epsilon);
    return static_cast<Extended>(FloorTolerant(DivideChecked(X, Y)));
}

Extended FloorModulo(Extended X, Extended Y, Extended Epsilon)
{
    const Extended Q = FloorQuotient(X, Y, Epsilon);
    return CheckedFloat(X - Y * Q);
}

Extended TruncQuotient(Extended X, Extended Y, Extended Epsilon)
{
    CheckOperands(X, Y, Epsilon);
    // Adding +0 turns a truncated -0 (for instance -1/3) into 0.
    return truncl(DivideChecked(X, Y)) + 0.0L;
}

Extended TruncModulo(Extended X, Extended Y, Extended Epsilon)
{
    const Extended Q = TruncQuotient(X, Y, Epsilon);
    return CheckedFloat(X - Y * Q);
}

} // namespace Brix
