#include "brix/resources/texttable.h"

namespace Brix::Internal {

void FillTexts(TBrixTextDictionary &Dictionary, std::span<const TBrixTextEntry> Entries)
{
    Dictionary.reserve(Dictionary.size() + qsizetype(Entries.size()));
    for (const TBrixTextEntry &Entry : Entries)
        Dictionary.insert(Entry.Key,
                          QString::fromRawData(reinterpret_cast<const QChar *>(Entry.Text.data()),
                                               qsizetype(Entry.Text.size())));
}

QString LookupText(const TBrixTextDictionary *Dictionary, TBrixLanguage Language, int Key)
{
    if (!Dictionary)
        return QString();
    QString Result = Dictionary->value(TextKey(Language, Key));
    if (Language != elEnglishInt && Result.isEmpty())
        Result = Dictionary->value(Key);
    return Result;
}

int StoredTextCount(const TBrixTextDictionary *Dictionary, TBrixLanguage Language)
{
    if (!Dictionary)
        return 0;
    const int Low = TextKey(Language, 0);
    int Count = 0;
    for (auto It = Dictionary->keyBegin(); It != Dictionary->keyEnd(); ++It)
        if (*It >= Low && *It < Low + 1000)
            ++Count;
    return Count;
}

} // namespace Brix::Internal
