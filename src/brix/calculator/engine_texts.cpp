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

void TBrixCalcEngine::EnterErrorState(const QString &Message, std::optional<TBrixResCalc> KeyLine)
{
    // The calculation goes on: the record keeps its keys and lines.
    ClearAll();
    SetDisplayStr(GetName(ectErrorMsg));
    FState.LastError = Message;
    if (KeyLine)
        AddHistoryLine(GetName(*KeyLine), false);
    NoteLine(lkError);
    AddHistoryLine(GetName(ectPaperErrLine), false);
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
