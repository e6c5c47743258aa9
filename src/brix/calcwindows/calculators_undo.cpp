#include "brix/calcwindows/calculators_undo.h"

#include <utility>

namespace Brix {

void TBrixCalcUndoHistory::Push(std::deque<TBrixCalcEngineState> &Steps, TBrixCalcEngineState State)
{
    Steps.push_back(std::move(State));
    while (int(Steps.size()) > MaxSteps)
        Steps.pop_front();
}

void TBrixCalcUndoHistory::Record(TBrixCalcEngineState Before)
{
    Push(FUndo, std::move(Before));
    FRedo.clear();
}

std::optional<TBrixCalcEngineState> TBrixCalcUndoHistory::Undo(TBrixCalcEngineState Current)
{
    if (FUndo.empty())
        return std::nullopt;
    TBrixCalcEngineState Back = std::move(FUndo.back());
    FUndo.pop_back();
    Push(FRedo, std::move(Current));
    return Back;
}

std::optional<TBrixCalcEngineState> TBrixCalcUndoHistory::Redo(TBrixCalcEngineState Current)
{
    if (FRedo.empty())
        return std::nullopt;
    TBrixCalcEngineState Forward = std::move(FRedo.back());
    FRedo.pop_back();
    Push(FUndo, std::move(Current));
    return Forward;
}

void TBrixCalcUndoHistory::Clear()
{
    FUndo.clear();
    FRedo.clear();
}

} // namespace Brix
