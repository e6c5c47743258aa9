// The calculator engine (engine.h): saved states. The engine keeps its whole
// calculation in one TBrixCalcEngineState, so saving is a copy of it and
// restoring an assignment; what depends on the state (the function codes
// follow BinaryPercent) is read from it rather than kept beside it.
#include "brix/calculator/engine_internal.h"

#include <algorithm>

namespace Brix {

TBrixCalcEngineState TBrixCalcEngine::SaveState() const
{
    FormatPendingDisplay();
    FinishTypedNumber();
    return FState;
}

void TBrixCalcEngine::RestoreState(const TBrixCalcEngineState &State)
{
    FState = State;
    FDisplayIsEntry = false;
    FPendingDisplay.reset();
    FNumberStale = false;
    // The stack lengths only grow when the restored stacks are deeper, and
    // stay above their top index.
    FOperandLength = std::max(FOperandLength, int(FState.Operands.size()) + 1);
    FOperatorLength = std::max(FOperatorLength, int(FState.Operators.size()) + 1);
    Notify(FOnDisplayChange);
    Notify(FOnMemoryChange);
    Notify(FOnHistoryChange);
    Notify(FOnDecimalPlacesChange);
}

} // namespace Brix
