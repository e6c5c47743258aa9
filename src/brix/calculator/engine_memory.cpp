// The calculator engine (engine.h): the history tape and the memory keys.
#include "brix/calculator/engine_internal.h"
#include "brix/strings/tools.h"

#include <array>

namespace Brix {

using namespace EngineInternal;

namespace {

// Prefix of the memory line on the tape: "[M: 12.0000 ]".
const QString MemoryLinePrefix = QStringLiteral("M: ");

} // namespace

// ---- History ----

// Appends one tape line, after the held text and a space if one is held
// (the held text is then used up), and fires OnHistoryChange.
void TBrixCalcEngine::AppendHistory(const QString &Text)
{
    if (!FHistoryHold.isEmpty()) {
        FHistoryStack.append(FHistoryHold + u' ' + Text);
        FHistoryHold.clear();
    } else {
        FHistoryStack.append(Text);
    }
    Notify(FOnHistoryChange);
}

void TBrixCalcEngine::AddHistoryLine(const QString &Text, bool Hold)
{
    if (Hold && FOperatorSameLine)
        FHistoryHold = Text;
    else
        AppendHistory(Text);
}

// A slot of its own: a descendant overriding AddHistoryLine does not change
// the operator, bracket, percent and equals characters written here.
void TBrixCalcEngine::AddHistoryChar(QChar Ch, bool Hold)
{
    if (Hold && FOperatorSameLine)
        FHistoryHold = CharString(Ch);
    else
        AppendHistory(CharString(Ch));
}

void TBrixCalcEngine::AddHistoryValue(const Extended &Value)
{
    AppendHistory(ValueToStr(Value));
}

void TBrixCalcEngine::ClearHistory()
{
    FHistoryStack.clear();
    FLastHistoryAccess = -1;
}

void TBrixCalcEngine::SetMemoryHistory(bool Value)
{
    FMemoryHistory = Value;
}

void TBrixCalcEngine::SetOperatorSameLine(bool Value)
{
    FOperatorSameLine = Value;
}

// ---- Memory ----

void TBrixCalcEngine::MemoryAdd()
{
    MemoryAddSub(false);
}

void TBrixCalcEngine::MemorySubtract()
{
    MemoryAddSub(true);
}

void TBrixCalcEngine::MemoryAddSub(bool Subtract)
{
    // Right after an operator key, "(" or the exponent mark the pending
    // expression is left alone.
    if (!FOperatorStr.contains(FLastCh))
        DoResult();
    // Not guarded: an overflow of the sum reaches the caller with the memory
    // unchanged.
    const TOperand X = TakeOperand();
    if (X.Source != osNone)
        FMemory = Checked(Subtract ? FMemory - X.Value : FMemory + X.Value);
    ClearToggles();
    AddHistoryLine(GetName(Subtract ? ectMemSubPaper : ectMemAddPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::AddMemoryLine()
{
    AddHistoryLine(u'[' + MemoryLinePrefix + ValueToStr(FMemory) + QStringLiteral(" ]"), false);
}

void TBrixCalcEngine::MemoryRecall()
{
    PushOperand(FMemory);
    SetDisplayStr(ValueToStr(FMemory));
    FValue.clear();
    ClearToggles();
    AddHistoryLine(GetName(ectMemRecPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    FLastCh = u' ';
}

void TBrixCalcEngine::MemoryClear()
{
    FMemory = 0;
    ClearToggles();
    AddHistoryLine(GetName(ectMemClrPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::SetMemory(const Extended &Value)
{
    CheckUsable(Value);
    FMemory = Value;
    Notify(FOnMemoryChange);
}

QString TBrixCalcEngine::GetMemoryContents() const
{
    return ValueToStr(FMemory);
}

} // namespace Brix
