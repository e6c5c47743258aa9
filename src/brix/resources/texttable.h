/// @file
/// The machinery the three text tables share: the composite key, the
/// dictionary, filling it from static data, the two-probe lookup, the table
/// class itself and its shared instance.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/classes/globals.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace Brix {

/// The dictionary of a table: composite key -> text.
using TBrixTextDictionary = QHash<int, QString>;

/// Composite key of a stored text: ordinal of the language x 1000 + ordinal of
/// the key. TextKey(elGerman, ectCalculator) == 8002; English International
/// texts sit at the bare key ordinals.
constexpr int TextKey(TBrixLanguage Language, int Key)
{
    return int(Language) * 1000 + Key;
}

/// One stored text of a table's static data.
struct BRIX_CORE_EXPORT TBrixTextEntry
{
    /// The composite key (TextKey).
    int Key;
    /// The text, in static storage.
    std::u16string_view Text;
};

namespace Internal {

/// Adds every entry (add-or-replace). The texts refer to the static data
/// without copying it.
BRIX_CORE_EXPORT void FillTexts(TBrixTextDictionary &Dictionary,
                                std::span<const TBrixTextEntry> Entries);

/// Steps 1 and 2 of a lookup: the text of Key in Language; when that is absent
/// or empty and Language is not English International, the English
/// International text; otherwise "". A null dictionary yields "".
BRIX_CORE_EXPORT QString LookupText(const TBrixTextDictionary *Dictionary, TBrixLanguage Language,
                                    int Key);

/// Number of texts stored for Language (keys Language*1000 .. +999).
BRIX_CORE_EXPORT int StoredTextCount(const TBrixTextDictionary *Dictionary, TBrixLanguage Language);

/// Shared instance of TTable: created on first use, freed at program end.
template <class TTable> TTable *SharedTextTable()
{
    struct THolder
    {
        TTable *Table = nullptr;
        ~THolder()
        {
            if (Table)
                Table->Free();
            Table = nullptr;
        }
    };
    static THolder Holder;
    if (!Holder.Table)
        Holder.Table = Create<TTable>();
    return Holder.Table;
}

} // namespace Internal

/// A handler may replace (or empty) the text that a lookup returns.
template <class TKey>
using TBrixTextEvent =
    std::function<void(TObject *Sender, TBrixLanguage Language, TKey Key, QString &Value)>;

/// Where a table's static data comes from.
using TBrixTextEntries = std::span<const TBrixTextEntry> (*)();

/// A text table over the keys TKey, filled from Entries() when the object is
/// created. Every key has an English International text; other languages hold
/// subsets and fall back to English International.
template <class TKey, TBrixTextEntries Entries> class TBrixTextTable : public TBrixBaseClass
{
public:
    /// The lookup handler type.
    using TEvent = TBrixTextEvent<TKey>;

    TBrixTextTable() = default;

    /// The text of Key in Language: the stored text, or the English
    /// International one when Language has none (or an empty one); "" when
    /// neither exists. OnGetName, when assigned, sees that result on every
    /// lookup and whatever it leaves in Value is returned. Never fails.
    QString GetName(TBrixLanguage Language, TKey Key) const
    {
        QString Value = Internal::LookupText(FStrings.get(), Language, int(Key));
        // The handler's Sender is the table; a lookup does not change it.
        if (FOnGetName)
            FOnGetName(const_cast<TBrixTextTable *>(this), Language, Key, Value);
        return Value;
    }

    /// The handler that sees, and may change, the result of every lookup.
    const TEvent &OnGetName() const { return FOnGetName; }
    /// Replaces the lookup handler.
    void SetOnGetName(TEvent Value) { FOnGetName = std::move(Value); }

    /// The dictionary (composite key -> text); nullptr outside the object's life.
    const TBrixTextDictionary *Strings() const { return FStrings.get(); }
    /// Number of texts stored for Language.
    int StoredCount(TBrixLanguage Language) const
    {
        return Internal::StoredTextCount(FStrings.get(), Language);
    }

protected:
    /// Inherited hook first, then fills the dictionary with every text.
    void InitInternals() override
    {
        TBrixBaseClass::InitInternals();
        if (!FStrings)
            FStrings = std::make_unique<TBrixTextDictionary>();
        Internal::FillTexts(*FStrings, Entries());
    }
    /// Frees the dictionary, then the base class's same function.
    void DoneInternals() override
    {
        FStrings.reset();
        TBrixBaseClass::DoneInternals();
    }
    ~TBrixTextTable() override = default;

private:
    std::unique_ptr<TBrixTextDictionary> FStrings;
    TEvent FOnGetName;
};

} // namespace Brix
