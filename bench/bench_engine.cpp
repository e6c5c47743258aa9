// Cost of the calculator engine: nanoseconds per key for a realistic mix of
// keys, and deep bracket nesting, which must grow linearly with the depth
// (the stacks grow in amortised constant time per push).
#include "brix/calculator/engine.h"
#include "brix/calculator/keyscript.h"
#include "brix/classes/formatsettings.h"

#include <benchmark/benchmark.h>

using namespace Brix;

namespace {

// A mix of what users press: digits, separators, operators, brackets,
// equals, function keys in both styles, memory and percent, as a key script
// (brix/calculator/keyscript.h), read once before the timing starts.
TBrixKeyScript KeyMix(const TBrixCalcEngine &E)
{
    const QString Script = QStringLiteral("1 2 . 5 + 3 * 4 = prefix:off sin 7 / 2 - 1 = "
                                          "( 8 + 2 ) * 3 = 5 0 * 1 0 % = 9 sqrt m+ "
                                          "prefix:on cos 1 + mr = ac");
    TBrixScriptRules Rules = ScriptRulesOf(E);
    TBrixKeyScript Keys;
    QString Error;
    if (!ReadScriptLine(Script, Rules, Keys, Error))
        qFatal("%s", qPrintable(Error));
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
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    const TBrixKeyScript Keys = KeyMix(*E);
    int Count = 0;
    E->SetOnDisplayChange([&Count](TObject *) { ++Count; });
    for (auto _ : State) {
        Keys.RunAll(*E);
        benchmark::DoNotOptimize(E->GetDisplayStr().size());
    }
    benchmark::DoNotOptimize(Count);
    State.SetItemsProcessed(State.iterations() * int64_t(Keys.size()));
    State.counters["ns_per_key"] =
        benchmark::Counter(double(Keys.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
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
