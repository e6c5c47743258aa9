// Checks the engine fuzz targets make after every operation: the engine
// stays consistent, with stack indexes inside their storage and no infinity
// or NaN on a stack, in the memory, on the display, on the tape or in the
// memory text. A failed check prints what failed and aborts.
#pragma once

#include "brix/calculator/engine.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace EngineFuzz {

using namespace Brix;

[[noreturn]] inline void Fail(const char *What, const QString &Text)
{
    std::fprintf(stderr, "engine fuzz: %s: \"%s\"\n", What, Text.toUtf8().constData());
    std::abort();
}

// Number text produced from an infinity or a NaN.
inline bool LooksNonFinite(const QString &Text)
{
    return Text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
           Text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

inline void CheckValue(Extended V, const char *Where)
{
    if (!std::isfinite(V))
        Fail(Where, QStringLiteral("non-finite value"));
}

inline void CheckConsistent(TBrixCalcEngine &E)
{
    if (E.OperandCount() < 0 || E.OperandCount() - 1 >= E.OperandCapacity())
        Fail("operand index outside the stack", QString::number(E.OperandCount()));
    if (E.OperatorCount() < 0 || E.OperatorCount() - 1 >= E.OperatorCapacity())
        Fail("operator index outside the stack", QString::number(E.OperatorCount()));
    for (Extended V : E.OperandStackContents())
        CheckValue(V, "operand");
    CheckValue(E.Memory(), "memory");
    if (LooksNonFinite(E.GetDisplayStr()))
        Fail("display", E.GetDisplayStr());
    if (LooksNonFinite(E.GetMemoryContents()))
        Fail("memory text", E.GetMemoryContents());
    for (const QString &Line : E.HistoryLines())
        if (LooksNonFinite(Line))
            Fail("tape line", Line);
    if (E.GetHistoryLength() != E.HistoryLines().size())
        Fail("history length", QString::number(E.GetHistoryLength()));
    // The record's lines are facts: a finite value on the lines that have
    // one, none on the others, a key on every operator, and an editable line
    // only for a number step of the record.
    const TBrixCalcRecord &Record = E.Record();
    for (const TBrixCalcRecordLine &Line : Record.Lines) {
        CheckValue(Line.Value, "record line");
        if (!Line.HasValue() && Line.Value != 0)
            Fail("value on a line without one", Line.Text);
        if (Line.Kind == lkOperator && Line.Key == ckResult)
            Fail("operator line without its key", Line.Text);
        if (Line.Number >= 0 &&
            (Line.Kind != lkNumber || size_t(Line.Number) >= Record.Keys.size() ||
             Record.Keys[size_t(Line.Number)].Kind == TBrixCalcRecordedKey::rkKey))
            Fail("editable line of no number step", Line.Text);
    }
}

} // namespace EngineFuzz
