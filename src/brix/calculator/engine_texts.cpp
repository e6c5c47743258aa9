// The calculator engine (engine.h): texts, language and the error state.
#include "brix/calculator/engine_internal.h"

#include "brix/resources/math.h"

namespace Brix {

using namespace EngineInternal;

// ---- Texts, language and errors ----

QString TBrixCalcEngine::MathMessage(TBrixResMath Key) const
{
    return MathText(GetLanguage(), Key);
}

void TBrixCalcEngine::EnterErrorState(const QString &Message, std::optional<TKeyLine> KeyLine)
{
    // The calculation goes on: the record keeps its keys and lines.
    ClearAll();
    SetDisplayStr(GetName(ectErrorMsg));
    FState.LastError = Message;
    ++FErrorCount;
    // The step of the key that failed (a typed number's when InputEntry
    // failed on it).
    std::vector<TBrixCalcRecordedKey> &Keys = FState.Record.Keys;
    if (FCallDepth > 0 && FCallKind != kcNone && FCallKind != kcTyping && !Keys.empty())
        Keys.back().Failed = true;
    if (KeyLine)
        WriteOperator(KeyLine->Key, GetName(KeyLine->Text));
    WriteLine({lkError, ckResult, 0, GetName(ectPaperErrLine), -1, false}, hsLine);
    Notify(FOnError);
}

QString TBrixCalcEngine::GetName(TBrixResCalc ResCalc) const
{
    if (!FStrings)
        return QString();
    return FStrings->GetName(FLanguage, ResCalc);
}

TBrixLanguage TBrixCalcEngine::GetLanguage() const
{
    return FLanguage;
}

void TBrixCalcEngine::SetLanguage(TBrixLanguage Value)
{
    if (Value == FLanguage)
        return;
    FLanguage = Value;
    if (FOnLanguageChange)
        FOnLanguageChange(this, FLanguage);
}

} // namespace Brix
