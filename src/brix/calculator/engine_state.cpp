#include "brix/calculator/engine_internal.h"

#include <algorithm>

namespace Brix {

TBrixCalcEngineState TBrixCalcEngine::SaveState() const
{
    TBrixCalcEngineState S;
    S.Entry = FValue;
    S.Display = FDisplayValue;
    S.LastError = FLastError;
    S.LastCh = FLastCh;
    S.Operands.assign(FOperandStack.begin(), FOperandStack.begin() + (FOperandN + 1));
    for (int I = 0; I <= FOperatorN; ++I)
        S.Operators.append(FOperatorStack[size_t(I)]);
    S.Memory = FMemory;
    S.Variables = FVariables;
    S.Inv = FInv;
    S.Hyp = FHyp;
    S.AngleMode = FAngleMode;
    S.DecimalPlaces = FDecimalPlaces;
    S.Tape = FHistoryStack;
    S.TapeHold = FHistoryHold;
    S.TapePosition = FLastHistoryAccess;
    S.BinaryPercent = FBinaryPercent;
    S.PrefixFunctions = FPrefixFunctions;
    S.Precedence = FPrecedence;
    S.MemoryHistory = FMemoryHistory;
    S.OperatorSameLine = FOperatorSameLine;
    S.EnableGrads = FEnableGrads;
    S.IgnoreError = FIgnoreError;
    S.MaxDisplayLength = FMaxDisplayLength;
    return S;
}

void TBrixCalcEngine::RestoreState(const TBrixCalcEngineState &State)
{
    FValue = State.Entry;
    FDisplayValue = State.Display;
    FDisplayIsEntry = false;
    FLastError = State.LastError;
    FLastCh = State.LastCh;
    // The stacks keep their allocation; they only grow when the saved state
    // is deeper, and stay longer than their top index.
    FOperandN = int(State.Operands.size()) - 1;
    if (FOperandStack.size() <= State.Operands.size())
        FOperandStack.resize(State.Operands.size() + 1, Extended(0));
    std::copy(State.Operands.begin(), State.Operands.end(), FOperandStack.begin());
    FOperatorN = int(State.Operators.size()) - 1;
    if (FOperatorStack.size() <= size_t(State.Operators.size()))
        FOperatorStack.resize(size_t(State.Operators.size()) + 1, QChar(u' '));
    std::copy(State.Operators.begin(), State.Operators.end(), FOperatorStack.begin());
    FMemory = State.Memory;
    FVariables = State.Variables;
    FInv = State.Inv;
    FHyp = State.Hyp;
    FAngleMode = State.AngleMode;
    FDecimalPlaces = State.DecimalPlaces;
    FHistoryStack = State.Tape;
    FHistoryHold = State.TapeHold;
    FLastHistoryAccess = State.TapePosition;
    SetBinaryPercent(State.BinaryPercent); // keeps the function codes in step
    FPrefixFunctions = State.PrefixFunctions;
    FPrecedence = State.Precedence;
    FMemoryHistory = State.MemoryHistory;
    FOperatorSameLine = State.OperatorSameLine;
    FEnableGrads = State.EnableGrads;
    FIgnoreError = State.IgnoreError;
    FMaxDisplayLength = State.MaxDisplayLength;
    Notify(FOnDisplayChange);
    Notify(FOnMemoryChange);
    Notify(FOnHistoryChange);
    Notify(FOnDecimalPlacesChange);
}

} // namespace Brix
