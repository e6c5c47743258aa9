// Cost of one key in a calculator window with its tape shown: the window,
// the tape document following the engine's record, and the tape's view
// following the document, laid out and painted (offscreen) as after each key
// typed. With 1,000 kept calculations (the document's limit) a key should cost
// about what it costs with an empty tape: the view changes only the rows that
// changed. Compare BM_KeyWithTape/1000 with BM_KeyWithTape/0.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/calcwindows/tapeview.h"
#include "brix/classes/formatsettings.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

using namespace Brix;

namespace {

QApplication &App()
{
    static QApplication *Application = [] {
        if (!std::getenv("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int Argc = 1;
        static char Name[] = "bench_tape";
        static char *Argv[] = {Name, nullptr};
        return new QApplication(Argc, Argv);
    }();
    return *Application;
}

// The keys of one calculation, typed over and over: the all clear ends it
// (the tape keeps it; at the limit its oldest calculation goes).
constexpr TBrixCalcKey Keys[] = {ckOne, ckTwo, ckAdd, ckFive, ckEquals, ckAllClear};

void BM_KeyWithTape(benchmark::State &State)
{
    App();
    RegionalSettings().DecimalSeparator = u'.';
    RegionalSettings().ThousandSeparator = u',';
    const int Kept = int(State.range(0));

    TBrixTapeDocument Tape;
    TBrixCalcForm Form;
    Form.CalcEngine->StartRecord();
    Form.SetTapeDocument(&Tape);
    // The tape as the keys below leave it, Kept times.
    for (int C = 0; C < Kept; ++C)
        for (const TBrixCalcKey Key : Keys)
            Form.ClickKey(Key);
    TBrixTapeView View;
    View.SetCalculator(&Form);
    View.resize(200, 203);
    Form.show();
    View.show();
    QApplication::processEvents();

    size_t Next = 0;
    for (auto _ : State) {
        Form.ClickKey(Keys[Next]);
        QApplication::processEvents(); // the layout and the painting
        if (++Next == std::size(Keys)) {
            // An empty tape stays empty (a full one stays full by itself);
            // untimed.
            State.PauseTiming();
            Next = 0;
            if (Kept == 0)
                Form.ClearTape();
            Form.UndoHistory().Clear();
            QApplication::processEvents();
            State.ResumeTiming();
        }
    }
    State.counters["rows"] = View.model()->rowCount();
}
BENCHMARK(BM_KeyWithTape)->Arg(0)->Arg(TBrixTapeDocument::Limit)->Unit(benchmark::kMicrosecond);

} // namespace
