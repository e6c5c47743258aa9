// The calculator engine (engine.h): the record of the calculation in
// progress (record.h) and its replay.
#include "brix/calculator/engine_internal.h"

namespace Brix {

bool TBrixCalcRecord::operator==(const TBrixCalcRecord &Other) const
{
    const bool SameStart = Start == Other.Start || (Start && Other.Start && *Start == *Other.Start);
    return SameStart && Serial == Other.Serial && Keys == Other.Keys && Lines == Other.Lines;
}

void TBrixCalcEngine::StartRecord()
{
    const int Serial = FState.Record.Serial;
    FState.Record = TBrixCalcRecord();
    FState.Record.Serial = Serial + 1;
}

bool TBrixCalcEngine::ReplayWithNumber(int Key, const QString &Number)
{
    // Not yet recorded: nothing to replay.
    (void)Key;
    (void)Number;
    return false;
}

} // namespace Brix
