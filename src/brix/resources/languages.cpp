#include "brix/resources/languages.h"

#include <QRegularExpression>

namespace Brix {

namespace {

// The parts of a locale name that choose a language.
struct TLocaleParts
{
    QString Language;  // "de", lower case
    QString Script;    // "hans", lower case, or empty
    QString Territory; // "DE", upper case, or empty
};

TLocaleParts SplitLocale(QString Name)
{
    // POSIX names carry an encoding and a modifier: de_DE.UTF-8@euro.
    const qsizetype Cut = Name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (Cut >= 0)
        Name.truncate(Cut);
    const QStringList Parts = Name.split(QRegularExpression(QStringLiteral("[-_]")));
    TLocaleParts Result;
    Result.Language = Parts.value(0).trimmed().toLower();
    for (qsizetype I = 1; I < Parts.size(); ++I) {
        const QString &Part = Parts[I];
        if (Part.size() == 4 && Result.Script.isEmpty() && Result.Territory.isEmpty())
            Result.Script = Part.toLower();
        else if ((Part.size() == 2 || Part.size() == 3) && Result.Territory.isEmpty())
            Result.Territory = Part.toUpper();
    }
    return Result;
}

struct TPlainLanguage
{
    const char *Code;
    TBrixLanguage Language;
};

// Languages chosen by their code alone.
constexpr TPlainLanguage PlainLanguages[] = {
    {"cs", elCzech},  {"da", elDanish},    {"fi", elFinnish},   {"fr", elFrench},
    {"de", elGerman}, {"nb", elNorwegian}, {"nn", elNorwegian}, {"no", elNorwegian},
    {"pl", elPolish}, {"ru", elRussian},   {"es", elSpanish},   {"sv", elSwedish},
};

// Index = ordinal of the language; elUSER has no name.
const char *const LanguageNames[] = {
    "EnglishInt", "EnglishUS", "BrazPort", "ChineseSimplified", "Czech",  "Danish",
    "Finnish",    "French",    "German",   "Norwegian",         "Polish", "Russian",
    "Spanish",    "Swedish",
};
static_assert(std::size(LanguageNames) == elUSER);

} // namespace

std::optional<TBrixLanguage> LanguageForLocale(const QString &LocaleName)
{
    const TLocaleParts Parts = SplitLocale(LocaleName);
    if (Parts.Language == u"en")
        return Parts.Territory == u"US" ? elEnglishUS : elEnglishInt;
    if (Parts.Language == u"pt") {
        if (Parts.Territory == u"BR")
            return elBrazPort;
        return std::nullopt;
    }
    if (Parts.Language == u"zh") {
        // The table holds simplified characters: written so in mainland
        // China and Singapore, or wherever the script says so.
        if (Parts.Script == u"hans" ||
            (Parts.Script.isEmpty() && (Parts.Territory == u"CN" || Parts.Territory == u"SG")))
            return elChineseSimplified;
        return std::nullopt;
    }
    for (const TPlainLanguage &Plain : PlainLanguages)
        if (Parts.Language == QLatin1String(Plain.Code))
            return Plain.Language;
    return std::nullopt;
}

TBrixLanguage LanguageForLocales(const QStringList &LocaleNames)
{
    for (const QString &Name : LocaleNames)
        if (const auto Language = LanguageForLocale(Name))
            return *Language;
    return elEnglishInt;
}

QString LanguageName(TBrixLanguage Language)
{
    if (Language < elEnglishInt || Language >= elUSER)
        return QString();
    return QString::fromLatin1(LanguageNames[Language]);
}

std::optional<TBrixLanguage> LanguageFromName(const QString &Name)
{
    const QString Wanted = Name.trimmed();
    for (int I = 0; I < int(std::size(LanguageNames)); ++I)
        if (Wanted.compare(QLatin1String(LanguageNames[I]), Qt::CaseInsensitive) == 0)
            return TBrixLanguage(I);
    return std::nullopt;
}

TBrixLanguage ChooseLanguage(const QString &Chosen, const QStringList &LocaleNames)
{
    if (const auto Language = LanguageFromName(Chosen))
        return *Language;
    return LanguageForLocales(LocaleNames);
}

} // namespace Brix
