// Cost of one key in a calculator window with its tape shown: the window,
// the tape document following the engine's record, and the tape's view
// following the document, laid out and painted (offscreen) as after each key
// typed. With 1,000 kept calculations (the document's limit) a key should cost
// about what it costs with an empty tape: the view repaints only the rows
// that changed (and the row scrolled in). Compare BM_KeyWithTape/1000 with
// BM_KeyWithTape/0; painted_rows is the area painted per key.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/calcwindows/tapeview.h"
#include "brix/classes/formatsettings.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <QPaintEvent>
#include <QStyleOptionViewItem>

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

// Counts the pixels of the view's rows painted.
class TPaintCount : public QObject
{
public:
    double Pixels = 0;
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint)
            for (const QRect &Area : static_cast<QPaintEvent *>(Event)->region())
                Pixels += double(Area.width()) * Area.height();
        return false;
    }
};

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
    // The tape shows its latest rows, as after a key typed: each row a key
    // adds scrolls the view by a row.
    View.scrollToBottom();
    QApplication::processEvents();

    TPaintCount Count;
    View.viewport()->installEventFilter(&Count);
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
    // The area of the view painted per key, in rows.
    State.counters["painted_rows"] = benchmark::Counter(
        Count.Pixels / (double(View.viewport()->width()) *
                        View.itemDelegate()->sizeHint(QStyleOptionViewItem(), {}).height()),
        benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeyWithTape)->Arg(0)->Arg(TBrixTapeDocument::Limit)->Unit(benchmark::kMicrosecond);

} // namespace
