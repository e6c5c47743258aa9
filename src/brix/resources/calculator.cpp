#include "brix/resources/calculator.h"

namespace Brix {

QString TBrixCalculatorStrings::GetName(TBrixLanguage Language, TBrixResCalc ResCalc) const
{
    QString Value = Internal::LookupText(FStrings.get(), Language, int(ResCalc));
    if (FOnGetName)
        FOnGetName(const_cast<TBrixCalculatorStrings *>(this), Language, ResCalc, Value);
    return Value;
}

void TBrixCalculatorStrings::InitInternals()
{
    TBrixBaseClass::InitInternals();
    if (!FStrings)
        FStrings = std::make_unique<TBrixTextDictionary>();
    Internal::FillTexts(*FStrings, Internal::CalculatorStringsEntries());
}

void TBrixCalculatorStrings::DoneInternals()
{
    FStrings.reset();
    TBrixBaseClass::DoneInternals();
}

} // namespace Brix
