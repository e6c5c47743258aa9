// The reference table of the function keys (data/accuracy.txt, written by
// accuracy_reference.py): reading it, computing each key with the library
// and measuring the error in units in the last place (ulp) of the 80-bit
// format. Shared by the accuracy test and bench/bench_accuracy.cpp.
#pragma once

#include "brix/classes/globals.h"
#include "brix/math/angles.h"
#include "brix/math/elementary.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace BrixTest {

using Brix::Extended;

struct AccuracyRow
{
    Extended X = 0;
    Extended Y = 0;
    Extended Nearest = 0; // the 80-bit value nearest to the true result
    double Rest = 0;      // true result minus Nearest, in ulp of Nearest
};

// One key of the table: "sin deg", "arccos gra", "pow10", "powxy", "root"
// (x^(1/y)), ...
struct AccuracyKey
{
    std::string Name;
    std::vector<AccuracyRow> Rows;
};

// "[-]HEXpEXP": the hexadecimal integer mantissa times 2^EXP, exactly.
inline Extended ParseBinary(const std::string &Text)
{
    const bool Negative = !Text.empty() && Text[0] == '-';
    const std::size_t Start = Negative ? 1 : 0;
    const std::size_t P = Text.find('p', Start);
    const std::uint64_t Mantissa = std::stoull(Text.substr(Start, P - Start), nullptr, 16);
    const Extended V = ldexpl(static_cast<Extended>(Mantissa), std::stoi(Text.substr(P + 1)));
    return Negative ? -V : V;
}

// The keys of the table in file order; empty when the file cannot be read.
inline std::vector<AccuracyKey> ReadAccuracyTable(const std::string &Path)
{
    std::vector<AccuracyKey> Keys;
    std::ifstream In(Path);
    std::string Line;
    while (std::getline(In, Line)) {
        if (Line.empty() || Line[0] == '#')
            continue;
        if (Line[0] == '[') {
            Keys.push_back({Line.substr(1, Line.find(']') - 1), {}});
            continue;
        }
        std::istringstream Fields(Line);
        std::vector<std::string> F;
        for (std::string Field; Fields >> Field;)
            F.push_back(Field);
        AccuracyRow Row;
        const bool TwoArguments = F.size() == 4;
        Row.X = ParseBinary(F[0]);
        if (TwoArguments)
            Row.Y = ParseBinary(F[1]);
        Row.Nearest = ParseBinary(F[F.size() - 2]);
        const std::string &Rest = F.back();
        std::from_chars(Rest.data(), Rest.data() + Rest.size(), Row.Rest);
        Keys.back().Rows.push_back(Row);
    }
    return Keys;
}

// The library's result for a key of the table.
inline Extended EvaluateKey(const std::string &Key, Extended X, Extended Y)
{
    using namespace Brix;
    const std::size_t Space = Key.find(' ');
    const std::string Name = Key.substr(0, Space);
    const std::string UnitName = Space == std::string::npos ? "" : Key.substr(Space + 1);
    const TBrixAngleUnit Unit = UnitName == "deg"   ? auDegrees
                                : UnitName == "gra" ? auGrads
                                                    : auRadians;
    if (Name == "sin")
        return SinOfAngle(X, Unit);
    if (Name == "cos")
        return CosOfAngle(X, Unit);
    if (Name == "tan")
        return TanOfAngle(X, Unit);
    if (Name == "arcsin")
        return ArcSinToAngle(X, Unit);
    if (Name == "arccos")
        return ArcCosToAngle(X, Unit);
    if (Name == "arctan")
        return ArcTanToAngle(X, Unit);
    if (Name == "pow10")
        return PowerOfTen(X);
    if (Name == "pow2")
        return PowerOfTwo(X);
    if (Name == "root")
        return PowerRoot(X, Y);
    return PowerReal(X, Y);
}

// |Got - true value| in ulp of the nearest 80-bit value. Got - Nearest is
// exact for results within a few ulp, so the error is measured to about a
// thousandth of an ulp (the precision of Rest).
inline double UlpError(Extended Got, const AccuracyRow &Row)
{
    const Extended Ulp = ldexpl(1, std::ilogb(Row.Nearest) - 63);
    return std::fabs(static_cast<double>((Got - Row.Nearest) / Ulp) - Row.Rest);
}

} // namespace BrixTest
