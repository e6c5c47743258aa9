// What the command-line calculator reports about an engine: the counts of
// its notifications and the JSON object of --json.
#pragma once

#include <QString>
#include <QStringList>

namespace Brix {
class TBrixCalcEngine;
}

namespace LumoCli {

// Counts of each notification while the keys run.
struct EventCounts
{
    int Display = 0, History = 0, Memory = 0, Error = 0, SetToggles = 0, ClearToggles = 0,
        AngleMode = 0, DecimalPlaces = 0, Language = 0;
};

// Assigns every notification handler of Engine to count into Counts, which
// must outlive the handlers.
void CountEvents(Brix::TBrixCalcEngine &Engine, EventCounts &Counts);

// The engine's state as one JSON object on one line: display, memory,
// lastError (LastError), tape (Tape), value, angleMode, inv, hyp, lastCh,
// operands, operators, events (Counts) and uncaught (Uncaught). The value
// and the operands are strings of the exact number codec (ExactFloatText),
// which read back to the same bits; the value is null while the display
// shows an error.
QString JsonReport(Brix::TBrixCalcEngine &Engine, const QStringList &Tape, const QString &LastError,
                   const EventCounts &Counts, const QStringList &Uncaught);

} // namespace LumoCli
