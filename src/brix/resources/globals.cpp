#include "brix/resources/globals.h"

namespace Brix {

QString TBrixGlobalStrings::GetName(TBrixLanguage Language, TBrixResGlobal ResGlobal) const
{
    QString Value = Internal::LookupText(FStrings.get(), Language, int(ResGlobal));
    if (FOnGetName)
        FOnGetName(const_cast<TBrixGlobalStrings *>(this), Language, ResGlobal, Value);
    return Value;
}

void TBrixGlobalStrings::InitInternals()
{
    TBrixBaseClass::InitInternals();
    if (!FStrings)
        FStrings = std::make_unique<TBrixTextDictionary>();
    Internal::FillTexts(*FStrings, Internal::GlobalStringsEntries());
}

void TBrixGlobalStrings::DoneInternals()
{
    FStrings.reset();
    TBrixBaseClass::DoneInternals();
}

namespace {
// Frees the shared table at program end, if it was created.
struct TSharedHolder
{
    TBrixGlobalStrings *Table = nullptr;
    ~TSharedHolder()
    {
        if (Table)
            Table->Free();
        Table = nullptr;
    }
};
} // namespace

TBrixGlobalStrings *GlobalStrings()
{
    static TSharedHolder Holder;
    if (!Holder.Table)
        Holder.Table = Create<TBrixGlobalStrings>();
    return Holder.Table;
}

QString GlobalText(TBrixLanguage Language, TBrixResGlobal Key)
{
    return GlobalStrings()->GetName(Language, Key);
}

QString GlobalText(TBrixResGlobal Key)
{
    return GlobalText(DefaultLanguage, Key);
}

} // namespace Brix
