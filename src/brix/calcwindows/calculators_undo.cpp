#include "brix/calcwindows/calculators_undo.h"

#include <utility>

namespace Brix {

void TBrixCalcUndoHistory::Push(std::deque<TBrixCalcUndoStep> &Steps, TBrixCalcUndoStep Step)
{
    Steps.push_back(std::move(Step));
    while (int(Steps.size()) > MaxSteps)
        Steps.pop_front();
}

void TBrixCalcUndoHistory::Record(TBrixCalcUndoStep Before)
{
    Push(FUndo, std::move(Before));
    FRedo.clear();
}

std::optional<TBrixCalcUndoStep> TBrixCalcUndoHistory::Undo(TBrixCalcUndoStep Current)
{
    if (FUndo.empty())
        return std::nullopt;
    TBrixCalcUndoStep Back = std::move(FUndo.back());
    FUndo.pop_back();
    Push(FRedo, std::move(Current));
    return Back;
}

std::optional<TBrixCalcUndoStep> TBrixCalcUndoHistory::Redo(TBrixCalcUndoStep Current)
{
    if (FRedo.empty())
        return std::nullopt;
    TBrixCalcUndoStep Forward = std::move(FRedo.back());
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
