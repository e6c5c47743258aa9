// The function keys' routines against the 40-digit reference table of the
// tests (tests/math/data/accuracy.txt): one benchmark per key, timing a pass
// over its rows; the label shows the worst error found, in units in the last
// place of the 80-bit format, and the argument where it occurs.
#include "accuracy_table.h"

#include "brix/classes/exceptions.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using BrixTest::AccuracyKey;

void MeasureKey(benchmark::State &State, const AccuracyKey &Key)
{
    double Worst = 0;
    const BrixTest::AccuracyRow *WorstRow = &Key.Rows.front();
    for (auto _ : State) {
        for (const BrixTest::AccuracyRow &Row : Key.Rows) {
            const Brix::Extended Got = BrixTest::EvaluateKey(Key.Name, Row.X, Row.Y);
            benchmark::DoNotOptimize(Got);
            const double E = BrixTest::UlpError(Got, Row);
            if (!(E <= Worst)) {
                Worst = E;
                WorstRow = &Row;
            }
        }
    }
    State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(Key.Rows.size()));
    char Label[160];
    std::snprintf(Label, sizeof Label, "worst %.3f ulp over %zu rows (x = %.21Lg, y = %.21Lg)",
                  Worst, Key.Rows.size(), WorstRow->X, WorstRow->Y);
    State.SetLabel(Label);
}

// The table is read once, when the program starts, and each key registered.
const bool Registered = [] {
    static const std::vector<AccuracyKey> Keys = BrixTest::ReadAccuracyTable(BRIX_ACCURACY_TABLE);
    if (Keys.empty())
        std::fprintf(stderr, "bench_accuracy: cannot read %s\n", BRIX_ACCURACY_TABLE);
    for (const AccuracyKey &Key : Keys)
        if (!Key.Rows.empty())
            benchmark::RegisterBenchmark(("Accuracy/" + Key.Name).c_str(), MeasureKey, Key);
    return true;
}();

} // namespace
