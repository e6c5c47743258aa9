// Tolerant tools and checked elementary functions on arbitrary 80-bit values.
//
// Input: consecutive 10-byte groups are the bit patterns of Extended values
// (every exponent, sign, denormals, infinities, NaNs and the invalid x87
// encodings); a trailing 4-byte group, when present, is an int exponent.
// Checks: no crash or undefined behaviour; every routine either raises an
// EMathError (or one of its floating-point faults) or returns a finite
// value; the tolerant tests agree with their own symmetries; the tolerant
// floor never lies above the tolerant ceiling, by at most one.
#include "brix/math/angles.h"
#include "brix/math/elementary.h"
#include "brix/math/hyperbolics.h"
#include "brix/math/tools.h"

#include "brix/classes/exceptions.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Brix;

namespace {

Extended ExtendedAt(const std::uint8_t *Data)
{
    Extended X = 0;
    std::memcpy(&X, Data, 10);
    return X;
}

// A as a Double without the undefined out-of-range conversion.
Double AsDouble(Extended A)
{
    if (std::isnan(A))
        return std::nan("");
    if (std::fabs(A) > DBL_MAX)
        return A > 0 ? HUGE_VAL : -HUGE_VAL;
    return static_cast<Double>(A);
}

template <typename F> void Probe(F Call)
{
    try {
        const Extended R = static_cast<Extended>(Call());
        if (!std::isfinite(R))
            std::abort();
    } catch (const EMathError &) {
    }
}

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size)
{
    if (Size < 20)
        return 0;
    const Extended A = ExtendedAt(Data);
    const Extended B = ExtendedAt(Data + 10);
    int N = 0;
    if (Size >= 24)
        std::memcpy(&N, Data + 20, sizeof N);
    const Double DA = AsDouble(A);
    const Double DB = AsDouble(B);

    // Tolerant tests: pure functions of their arguments, never raising.
    Check(FloatsMatch(A, B, RelEpsExtended) == FloatsMatch(B, A, RelEpsExtended));
    Check(DoublesDiffer(DA, DB, RelEpsDouble) == !DoublesMatch(DA, DB, RelEpsDouble));
    if (std::isfinite(A) && std::isfinite(B))
        Check(!(FloatAbove(A, B, RelEpsExtended) && FloatBelow(A, B, RelEpsExtended)));
    (void)IsNearZero(A, B);
    (void)IsNearZeroDbl(DA, DB);
    (void)IsPositiveBeyond(A, B);
    (void)RelTolerance(A, B, RelEpsExtended);

    try {
        const Int64 Floor = FloorTolerant(A);
        const Int64 Ceil = CeilTolerant(A);
        Check(Floor <= Ceil && static_cast<Extended>(Ceil) - Floor <= 1);
    } catch (const EMathError &) {
    }

    Probe([&] { return FloorModulo(A, B, TinyExtended); });
    Probe([&] { return FloorQuotient(A, B, TinyExtended); });
    Probe([&] { return TruncModulo(A, B, TinyExtended); });
    Probe([&] { return TruncQuotient(A, B, TinyExtended); });
    Probe([&] { return LogBase10(A, TinyExtended); });
    Probe([&] { return LogBase2(A, B); });
    Probe([&] { return PowerInt(A, N); });
    Probe([&] { return PowerIntDbl(DA, N); });
    Probe([&] { return PowerReal(A, B); });
    Probe([&] { return PowerOfTwo(A); });
    Probe([&] { return PowerOfTen(A); });
    Probe([&] { return PowerRoot(A, B); });
    for (const TBrixAngleUnit Unit : {auDegrees, auRadians, auGrads}) {
        Probe([&] { return SinOfAngle(A, Unit); });
        Probe([&] { return CosOfAngle(A, Unit); });
        Probe([&] { return TanOfAngle(A, Unit); });
        Probe([&] { return ArcSinToAngle(A, Unit); });
        Probe([&] { return ArcCosToAngle(A, Unit); });
        Probe([&] { return ArcTanToAngle(A, Unit); });
    }
    Probe([&] { return GradsToRadians(DA); });
    Probe([&] { return RadiansToGrads(DA); });
    Probe([&] { return TanChecked(A); });
    Probe([&] { return AngleOfPoint(DA, DB); });
    Probe([&] { return ArcSinChecked(A); });
    Probe([&] { return ArcCosChecked(A); });
    Probe([&] { return HypCos(A); });
    Probe([&] { return HypSin(A); });
    Probe([&] { return HypTan(A); });
    Probe([&] { return HypArcCos(A); });
    Probe([&] { return HypArcSin(A); });
    Probe([&] { return HypArcTan(A); });
    Probe([&] { return LnGammaFn(DA); });
    Probe([&] { return ReciprocalGamma(DA); });
    Probe([&] { return GammaFn(DA); });
    return 0;
}
