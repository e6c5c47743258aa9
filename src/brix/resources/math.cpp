#include "brix/resources/math.h"

namespace Brix {

QString TBrixMathStrings::GetName(TBrixLanguage Language, TBrixResMath ResMath) const
{
    QString Value = Internal::LookupText(FStrings.get(), Language, int(ResMath));
    if (FOnGetName)
        FOnGetName(const_cast<TBrixMathStrings *>(this), Language, ResMath, Value);
    return Value;
}

void TBrixMathStrings::InitInternals()
{
    TBrixBaseClass::InitInternals();
    if (!FStrings)
        FStrings = std::make_unique<TBrixTextDictionary>();
    Internal::FillTexts(*FStrings, Internal::MathStringsEntries());
}

void TBrixMathStrings::DoneInternals()
{
    FStrings.reset();
    TBrixBaseClass::DoneInternals();
}

namespace {
// Frees the shared table at program end, if it was created.
struct TSharedHolder
{
    TBrixMathStrings *Table = nullptr;
    ~TSharedHolder()
    {
        if (Table)
            Table->Free();
        Table = nullptr;
    }
};
} // namespace

TBrixMathStrings *MathStrings()
{
    static TSharedHolder Holder;
    if (!Holder.Table)
        Holder.Table = Create<TBrixMathStrings>();
    return Holder.Table;
}

QString MathText(TBrixLanguage Language, TBrixResMath Key)
{
    return MathStrings()->GetName(Language, Key);
}

QString MathText(TBrixResMath Key)
{
    return MathText(DefaultLanguage, Key);
}

} // namespace Brix
