// Cost of number text: FixedText at 4 decimals against the C library's
// snprintf("%.4Lf") on the same random values. BM_FixedTextVsSnprintf times
// both on every iteration and reports the ratio as the counter "ratio"
// (FixedText time / snprintf time); the other two give the plain figures.
#include "brix/strings/tools.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <time.h>
#include <vector>

using namespace Brix;

namespace {

// Values of the size a calculator shows: magnitudes from 1e-3 to 1e12,
// either sign, full 64-bit mantissas.
const std::vector<Extended> &Values()
{
    static const std::vector<Extended> V = [] {
        std::mt19937_64 Gen(20261210);
        std::uniform_real_distribution<double> Mantissa(1.0, 10.0);
        std::uniform_int_distribution<int> Exponent(-3, 12);
        std::vector<Extended> R(4096);
        for (Extended &X : R) {
            X = Extended(Mantissa(Gen)) * std::pow(10.0L, Exponent(Gen)) *
                (1 + Extended(Gen() >> 11) * 0x1p-64L);
            if (Gen() & 1)
                X = -X;
        }
        return R;
    }();
    return V;
}

const TFormatSettings &Dot()
{
    static const TFormatSettings S = [] {
        TFormatSettings R = TFormatSettings::Invariant();
        R.DecimalSeparator = u'.';
        R.ThousandSeparator = u',';
        return R;
    }();
    return S;
}

void RunFixedText(const std::vector<Extended> &V)
{
    for (Extended X : V) {
        const QString S = FixedText(Dot(), 4, false, X, false, false, false);
        benchmark::DoNotOptimize(S.constData());
    }
}

void RunSnprintf(const std::vector<Extended> &V)
{
    char Buf[128];
    for (Extended X : V) {
        const int N = std::snprintf(Buf, sizeof Buf, "%.4Lf", X);
        benchmark::DoNotOptimize(N);
        benchmark::DoNotOptimize(Buf);
    }
}

void BM_FixedText4(benchmark::State &State)
{
    for (auto _ : State)
        RunFixedText(Values());
    State.SetItemsProcessed(State.iterations() * Values().size());
}
BENCHMARK(BM_FixedText4);

void BM_Snprintf4Lf(benchmark::State &State)
{
    for (auto _ : State)
        RunSnprintf(Values());
    State.SetItemsProcessed(State.iterations() * Values().size());
}
BENCHMARK(BM_Snprintf4Lf);

// Both in the same loop, so machine load affects them alike.
void BM_FixedTextVsSnprintf(benchmark::State &State)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration Fixed{}, Printf{};
    for (auto _ : State) {
        const auto T0 = Clock::now();
        RunFixedText(Values());
        const auto T1 = Clock::now();
        RunSnprintf(Values());
        const auto T2 = Clock::now();
        Fixed += T1 - T0;
        Printf += T2 - T1;
    }
    const double Count = double(State.iterations()) * double(Values().size());
    State.counters["FixedText_ns"] =
        std::chrono::duration<double, std::nano>(Fixed).count() / Count;
    State.counters["snprintf_ns"] =
        std::chrono::duration<double, std::nano>(Printf).count() / Count;
    State.counters["ratio"] = double(Fixed.count()) / double(Printf.count());
}
BENCHMARK(BM_FixedTextVsSnprintf);

} // namespace
