// The machinery the three text tables share: the composite key, the
// dictionary, filling it from static data and the two-probe lookup.
#pragma once

#include "brix/classes/globals.h"

#include <QHash>
#include <QString>

#include <span>
#include <string_view>

namespace Brix {

// The dictionary of a table: composite key -> text.
using TBrixTextDictionary = QHash<int, QString>;

// Composite key of a stored text: ordinal of the language x 1000 + ordinal of
// the key. TextKey(elGerman, ectCalculator) == 8002; English International
// texts sit at the bare key ordinals.
constexpr int TextKey(TBrixLanguage Language, int Key)
{
    return int(Language) * 1000 + Key;
}

// One stored text of a table's static data.
struct TBrixTextEntry
{
    int Key;
    std::u16string_view Text;
};

namespace Internal {

// Adds every entry (add-or-replace). The texts refer to the static data
// without copying it.
void FillTexts(TBrixTextDictionary &Dictionary, std::span<const TBrixTextEntry> Entries);

// Steps 1 and 2 of a lookup: the text of Key in Language; when that is absent
// or empty and Language is not English International, the English
// International text; otherwise "". A null dictionary yields "".
QString LookupText(const TBrixTextDictionary *Dictionary, TBrixLanguage Language, int Key);

// Number of texts stored for Language (keys Language*1000 .. +999).
int StoredTextCount(const TBrixTextDictionary *Dictionary, TBrixLanguage Language);

} // namespace Internal
} // namespace Brix
