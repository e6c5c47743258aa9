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
    if (!FState.TapeHold.isEmpty()) {
        FState.Tape.append(FState.TapeHold + u' ' + Text);
        FState.TapeHold.clear();
    } else {
        FState.Tape.append(Text);
    }
    // A line a host writes itself, between keys, is a text line of the
    // record; the keys write theirs as facts (WriteLine).
    if (FRecords && FCallDepth == 0)
        FState.Record.Lines.append({lkText, ckResult, 0, FState.Tape.back(), -1, false});
    Notify(FOnHistoryChange);
}

void TBrixCalcEngine::AddHistoryLine(const QString &Text, bool Hold)
{
    if (!FKeepTape)
        return;
    if (Hold && FState.OperatorSameLine)
        FState.TapeHold = Text;
    else
        AppendHistory(Text);
}

// A slot of its own: a descendant overriding AddHistoryLine does not change
// the operator, bracket, percent and equals characters written here.
void TBrixCalcEngine::AddHistoryChar(QChar Ch, bool Hold)
{
    if (!FKeepTape)
        return;
    if (Hold && FState.OperatorSameLine)
        FState.TapeHold = CharString(Ch);
    else
        AppendHistory(CharString(Ch));
}

void TBrixCalcEngine::AddHistoryValue(const Extended &Value)
{
    if (!FKeepTape)
        return;
    AppendHistory(ValueToStr(Value));
}

void TBrixCalcEngine::ClearHistory()
{
    FState.Tape.clear();
    FState.TapePosition = -1;
}

void TBrixCalcEngine::SetMemoryHistory(bool Value)
{
    FState.MemoryHistory = Value;
}

void TBrixCalcEngine::SetOperatorSameLine(bool Value)
{
    FState.OperatorSameLine = Value;
}

// ---- Memory ----

void TBrixCalcEngine::MemoryAdd()
{
    const TCall Call(*this, ckMemoryAdd);
    MemoryAddSub(false);
}

void TBrixCalcEngine::MemorySubtract()
{
    const TCall Call(*this, ckMemorySubtract);
    MemoryAddSub(true);
}

void TBrixCalcEngine::MemoryAddSub(bool Subtract)
{
    // Right after an operator key, "(" or the exponent mark the pending
    // expression is left alone.
    if (!OperatorCodes().contains(FState.LastCh))
        DoResult();
    // Not guarded: an overflow of the sum reaches the caller with the memory
    // unchanged.
    const TOperand X = TakeOperand();
    if (X.Source != osNone)
        FState.Memory = Checked(Subtract ? FState.Memory - X.Value : FState.Memory + X.Value);
    ClearToggles();
    WriteOperator(Subtract ? ckMemorySubtract : ckMemoryAdd,
                  GetName(Subtract ? ectMemSubPaper : ectMemAddPaper));
    if (FState.MemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::AddMemoryLine()
{
    if (!FKeepTape)
        return;
    WriteLine({lkText, ckResult, 0,
               u'[' + MemoryLinePrefix + ValueToStr(FState.Memory) + QStringLiteral(" ]"), -1,
               false},
              hsLine);
}

void TBrixCalcEngine::MemoryRecall()
{
    const TCall Call(*this, ckMemoryRecall);
    PushOperand(FState.Memory);
    ShowValue(FState.Memory);
    FState.Entry.clear();
    ClearToggles();
    WriteOperator(ckMemoryRecall, GetName(ectMemRecPaper));
    // The number recalled, which the history does not show.
    WriteLine({lkNumber, ckMemoryRecall, FState.Memory, QString(), -1, false}, hsNone);
    if (FState.MemoryHistory)
        AddMemoryLine();
    FState.LastCh = u' ';
}

void TBrixCalcEngine::MemoryClear()
{
    const TCall Call(*this, ckMemoryClear);
    FState.Memory = 0;
    ClearToggles();
    WriteOperator(ckMemoryClear, GetName(ectMemClrPaper));
    if (FState.MemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::SetMemory(const Extended &Value)
{
    CheckUsable(Value);
    FState.Memory = Value;
    Notify(FOnMemoryChange);
}

QString TBrixCalcEngine::GetMemoryContents() const
{
    return ValueToStr(FState.Memory);
}

} // namespace Brix
