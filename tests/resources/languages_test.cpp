// Choosing the text language from a desktop's locale names, and the
// languages' names in the settings file.
#include "brix/resources/languages.h"

#include <gtest/gtest.h>

using namespace Brix;

namespace {

constexpr int NoLanguage = -1;

struct TLocaleRow
{
    const char *Locale;
    int Expected; // a TBrixLanguage, or NoLanguage
};

} // namespace

TEST(Languages, LocaleNameChoosesLanguage)
{
    const TLocaleRow Rows[] = {
        {"pt_BR", elBrazPort},
        {"pt-BR", elBrazPort},
        {"pt_PT", NoLanguage},
        {"pt", NoLanguage},
        {"zh_CN", elChineseSimplified},
        {"zh_CN.UTF-8", elChineseSimplified},
        {"zh-Hans", elChineseSimplified},
        {"zh-Hans-CN", elChineseSimplified},
        {"zh-Hans-HK", elChineseSimplified},
        {"zh_SG", elChineseSimplified},
        {"zh_TW", NoLanguage},
        {"zh-Hant-CN", NoLanguage},
        {"zh", NoLanguage},
        {"cs_CZ", elCzech},
        {"da", elDanish},
        {"fi_FI", elFinnish},
        {"fr_CA", elFrench},
        {"de_DE.UTF-8", elGerman},
        {"de_AT@euro", elGerman},
        {"de-Latn-CH", elGerman},
        {"DE-de", elGerman},
        {"nb_NO", elNorwegian},
        {"nn", elNorwegian},
        {"no", elNorwegian},
        {"pl_PL", elPolish},
        {"ru-RU", elRussian},
        {"es_MX", elSpanish},
        {"es-419", elSpanish},
        {"sv_FI", elSwedish},
        {"en_US", elEnglishUS},
        {"en-Latn-US", elEnglishUS},
        {"en_US.UTF-8", elEnglishUS},
        {"en_GB", elEnglishInt},
        {"en", elEnglishInt},
        {"en_IN", elEnglishInt},
        {"it_IT", NoLanguage},
        {"C", NoLanguage},
        {"POSIX", NoLanguage},
        {"", NoLanguage},
    };
    for (const TLocaleRow &Row : Rows) {
        SCOPED_TRACE(Row.Locale);
        const auto Language = LanguageForLocale(QString::fromLatin1(Row.Locale));
        EXPECT_EQ(Language ? int(*Language) : NoLanguage, Row.Expected);
    }
}

TEST(Languages, FirstLocaleWithALanguageWins)
{
    EXPECT_EQ(LanguageForLocales({"de-DE", "de", "en-US"}), elGerman);
    EXPECT_EQ(LanguageForLocales({"it-IT", "pt-PT", "fr-FR"}), elFrench);
    EXPECT_EQ(LanguageForLocales({"en-US", "de-DE"}), elEnglishUS);
    EXPECT_EQ(LanguageForLocales({"it-IT", "ja"}), elEnglishInt);
    EXPECT_EQ(LanguageForLocales({"C"}), elEnglishInt);
    EXPECT_EQ(LanguageForLocales({}), elEnglishInt);
}

TEST(Languages, NamesRoundTripAndUnknownNamesChooseNothing)
{
    for (int I = elEnglishInt; I < elUSER; ++I) {
        const auto Language = TBrixLanguage(I);
        const QString Name = LanguageName(Language);
        SCOPED_TRACE(Name.toStdString());
        EXPECT_FALSE(Name.isEmpty());
        EXPECT_EQ(LanguageFromName(Name), Language);
        EXPECT_EQ(LanguageFromName(Name.toUpper()), Language);
    }
    EXPECT_EQ(LanguageName(elGerman), u"German");
    EXPECT_EQ(LanguageName(elBrazPort), u"BrazPort");
    EXPECT_EQ(LanguageName(elEnglishUS), u"EnglishUS");
    EXPECT_EQ(LanguageName(elUSER), u"");
    EXPECT_EQ(LanguageFromName(QStringLiteral(" norwegian ")), elNorwegian);
    for (const char *Unknown : {"", "  ", "USER", "elGerman", "Deutsch", "Klingon"}) {
        SCOPED_TRACE(Unknown);
        EXPECT_EQ(LanguageFromName(QString::fromLatin1(Unknown)), std::nullopt);
    }
}

TEST(Languages, ChosenLanguageWinsOverTheDesktop)
{
    const QStringList French = {"fr-FR", "fr"};
    EXPECT_EQ(ChooseLanguage(QStringLiteral("German"), French), elGerman);
    EXPECT_EQ(ChooseLanguage(QStringLiteral("EnglishInt"), French), elEnglishInt);
    EXPECT_EQ(ChooseLanguage(QString(), French), elFrench);
    EXPECT_EQ(ChooseLanguage(QStringLiteral("Klingon"), French), elFrench);
    EXPECT_EQ(ChooseLanguage(QStringLiteral("Klingon"), {"it-IT"}), elEnglishInt);
}
