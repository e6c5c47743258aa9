// Cost of the calculator engine: nanoseconds per key for a realistic mix of
// keys, and deep bracket nesting, which must grow linearly with the depth
// (the stacks grow in amortised constant time per push).
#include "brix/calculator/engine.h"
#include "brix/classes/formatsettings.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace Brix;

namespace {

using TKey = void (*)(TBrixCalcEngine &);

// A mix of what users press: digits, separators, operators, brackets,
// equals, function keys in both styles, memory and percent.
std::vector<TKey> KeyMix()
{
    std::vector<TKey> Keys;
    const auto Digit = [&Keys](int D) {
        static const TKey Digits[] = {
            [](TBrixCalcEngine &E) { E.InputDigit(0); },
            [](TBrixCalcEngine &E) { E.InputDigit(1); },
            [](TBrixCalcEngine &E) { E.InputDigit(2); },
            [](TBrixCalcEngine &E) { E.InputDigit(3); },
            [](TBrixCalcEngine &E) { E.InputDigit(4); },
            [](TBrixCalcEngine &E) { E.InputDigit(5); },
            [](TBrixCalcEngine &E) { E.InputDigit(6); },
            [](TBrixCalcEngine &E) { E.InputDigit(7); },
            [](TBrixCalcEngine &E) { E.InputDigit(8); },
            [](TBrixCalcEngine &E) { E.InputDigit(9); },
        };
        Keys.push_back(Digits[D]);
    };
    const auto Key = [&Keys](TKey K) { Keys.push_back(K); };
    // 12.5 + 3 * 4 = ; sin ; 7 / 2 - 1 = ; ( 8 + 2 ) * 3 = ; 50 * 10 % = ;
    // 9 sqrt M+ ; MR + 1 = ; AC
    Digit(1), Digit(2), Key([](TBrixCalcEngine &E) { E.InputDecimalSeparator(); }), Digit(5);
    Key([](TBrixCalcEngine &E) { E.DoAdd(); }), Digit(3);
    Key([](TBrixCalcEngine &E) { E.DoMultiply(); }), Digit(4);
    Key([](TBrixCalcEngine &E) { E.DoEquals(); });
    Key([](TBrixCalcEngine &E) { E.SetPrefixFunctions(false); });
    Key([](TBrixCalcEngine &E) { E.DoSin(); });
    Digit(7), Key([](TBrixCalcEngine &E) { E.DoDivide(); }), Digit(2);
    Key([](TBrixCalcEngine &E) { E.DoSubtract(); }), Digit(1);
    Key([](TBrixCalcEngine &E) { E.DoEquals(); });
    Key([](TBrixCalcEngine &E) { E.InputLeftBracket(); }), Digit(8);
    Key([](TBrixCalcEngine &E) { E.DoAdd(); }), Digit(2);
    Key([](TBrixCalcEngine &E) { E.InputRightBracket(); });
    Key([](TBrixCalcEngine &E) { E.DoMultiply(); }), Digit(3);
    Key([](TBrixCalcEngine &E) { E.DoEquals(); });
    Digit(5), Digit(0), Key([](TBrixCalcEngine &E) { E.DoMultiply(); }), Digit(1), Digit(0);
    Key([](TBrixCalcEngine &E) { E.DoPercent(); });
    Key([](TBrixCalcEngine &E) { E.DoEquals(); });
    Digit(9), Key([](TBrixCalcEngine &E) { E.DoSqRoot(); });
    Key([](TBrixCalcEngine &E) { E.MemoryAdd(); });
    Key([](TBrixCalcEngine &E) { E.SetPrefixFunctions(true); });
    Key([](TBrixCalcEngine &E) { E.DoCos(); }), Digit(1);
    Key([](TBrixCalcEngine &E) { E.DoAdd(); });
    Key([](TBrixCalcEngine &E) { E.MemoryRecall(); });
    Key([](TBrixCalcEngine &E) { E.DoEquals(); });
    Key([](TBrixCalcEngine &E) { E.AllClear(); });
    return Keys;
}

void SetRegional()
{
    RegionalSettings().DecimalSeparator = u'.';
    RegionalSettings().ThousandSeparator = u',';
}

void BM_EngineKeyMix(benchmark::State &State)
{
    SetRegional();
    const std::vector<TKey> Keys = KeyMix();
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    int Count = 0;
    E->SetOnDisplayChange([&Count](TObject *) { ++Count; });
    for (auto _ : State) {
        for (TKey K : Keys)
            K(*E);
        benchmark::DoNotOptimize(E->GetDisplayStr().size());
    }
    benchmark::DoNotOptimize(Count);
    State.SetItemsProcessed(State.iterations() * int64_t(Keys.size()));
    State.counters["ns_per_key"] = benchmark::Counter(
        double(Keys.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EngineKeyMix);

// N left brackets, a value, N right brackets, equals.
void BM_NestedBrackets(benchmark::State &State)
{
    SetRegional();
    const int64_t N = State.range(0);
    for (auto _ : State) {
        State.PauseTiming();
        TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
        State.ResumeTiming();
        for (int64_t I = 0; I < N; ++I)
            E->InputLeftBracket();
        E->InputDigit(7);
        for (int64_t I = 0; I < N; ++I)
            E->InputRightBracket();
        E->DoEquals();
        State.PauseTiming();
        if (E->GetDisplayStr() != QStringLiteral("7.0000") || E->OperandCount() != 1 ||
            E->OperatorCount() != 0)
            State.SkipWithError("nested brackets evaluated wrongly");
        E.reset();
        State.ResumeTiming();
    }
    State.SetComplexityN(N);
}
BENCHMARK(BM_NestedBrackets)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
