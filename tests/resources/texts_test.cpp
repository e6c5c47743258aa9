// The three text tables: coverage per language, exact texts, fallback to
// English International, the OnGetName handler and the shared tables.
#include "brix/resources/calculator.h"
#include "brix/resources/globals.h"
#include "brix/resources/math.h"

#include <gtest/gtest.h>

using namespace Brix;

namespace {

struct TCoverageRow
{
    TBrixLanguage Language;
    int Global, Math, Calc;
};

// How many texts each language holds per table.
constexpr TCoverageRow Coverage[] = {
    {elEnglishInt, 79, 93, 179}, {elEnglishUS, 2, 0, 0},
    {elBrazPort, 72, 87, 86},    {elChineseSimplified, 73, 85, 89},
    {elCzech, 20, 68, 54},       {elDanish, 45, 81, 66},
    {elFinnish, 26, 7, 19},      {elFrench, 37, 77, 57},
    {elGerman, 54, 86, 53},      {elNorwegian, 32, 77, 60},
    {elPolish, 49, 77, 55},      {elRussian, 54, 81, 60},
    {elSpanish, 52, 85, 75},     {elSwedish, 1, 7, 19},
    {elUSER, 0, 0, 0},
};

// Every stored key names a real language (not elUSER) and a real key, and
// English International has a non-empty text for every key.
void CheckKeys(const TBrixTextDictionary *Strings, int KeyCount)
{
    ASSERT_NE(Strings, nullptr);
    for (auto It = Strings->cbegin(); It != Strings->cend(); ++It) {
        SCOPED_TRACE(It.key());
        EXPECT_GE(It.key(), 0);
        EXPECT_LT(It.key() / 1000, int(elUSER));
        EXPECT_LT(It.key() % 1000, KeyCount);
        EXPECT_FALSE(It.value().isEmpty());
    }
    for (int Key = 0; Key < KeyCount; ++Key)
        EXPECT_TRUE(Strings->contains(Key)) << Key;
}

} // namespace

TEST(TextTables, StoredTextsPerLanguageMatchCoverage)
{
    auto Global = CreateOwned<TBrixGlobalStrings>();
    auto Math = CreateOwned<TBrixMathStrings>();
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    int Totals[3] = {};
    for (const TCoverageRow &Row : Coverage) {
        SCOPED_TRACE(int(Row.Language));
        EXPECT_EQ(Global->StoredCount(Row.Language), Row.Global);
        EXPECT_EQ(Math->StoredCount(Row.Language), Row.Math);
        EXPECT_EQ(Calc->StoredCount(Row.Language), Row.Calc);
        Totals[0] += Row.Global;
        Totals[1] += Row.Math;
        Totals[2] += Row.Calc;
    }
    EXPECT_EQ(Global->Strings()->size(), Totals[0]);
    EXPECT_EQ(Math->Strings()->size(), Totals[1]);
    EXPECT_EQ(Calc->Strings()->size(), Totals[2]);
    CheckKeys(Global->Strings(), BrixResGlobalCount);
    CheckKeys(Math->Strings(), BrixResMathCount);
    CheckKeys(Calc->Strings(), BrixResCalcCount);
}

TEST(TextTables, CompositeKeyIsLanguageTimesThousandPlusKey)
{
    EXPECT_EQ(TextKey(elGerman, ectCalculator), 8002);
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    EXPECT_EQ(Calc->Strings()->value(8002), u"Rechner");
    EXPECT_EQ(Calc->Strings()->value(ectCalculator), u"Calculator");
    EXPECT_FALSE(Calc->Strings()->contains(TextKey(elGerman, ectACKey)));
}

TEST(TextTables, ExactTexts)
{
    auto Global = CreateOwned<TBrixGlobalStrings>();
    auto Math = CreateOwned<TBrixMathStrings>();
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    struct TRow
    {
        const char *Name;
        QString Actual;
        const char16_t *Expected;
    };
    const TRow Rows[] = {
        {"separator", Calc->GetName(elEnglishInt, ectErrorSeparator), u" - "},
        {"paper line", Calc->GetName(elEnglishInt, ectPaperLine), u"- - - - - - - - - - -"},
        {"paper error line", Calc->GetName(elEnglishInt, ectPaperErrLine),
         u"- - - - ERROR - - - -"},
        {"x^1/y", Calc->GetName(elEnglishInt, ectXpwrInvYPaper), u"x ^ 1/y"},
        {"last key", Calc->GetName(elEnglishInt, ectChangeTruncate), u"Truncate"},
        {"German title", Calc->GetName(elGerman, ectCalculator), u"Rechner"},
        {"German AC falls back", Calc->GetName(elGerman, ectACKey), u"AC"},
        {"Portuguese error line", Calc->GetName(elBrazPort, ectPaperErrLine),
         u"- - - - ERRO  - - - -"},
        {"Chinese title", Calc->GetName(elChineseSimplified, ectCalculator), u"计算器"},
        {"Czech title", Calc->GetName(elCzech, ectCalculator), u"Kalkulačka"},
        {"Russian exp key", Calc->GetName(elRussian, ectExpKey), u"эксп"},
        {"Russian hyp key", Calc->GetName(elRussian, ectHypKey), u"гип"},
        {"Norwegian exit", Calc->GetName(elNorwegian, ectExitHint), u"Avslutt og overfør verdien"},
        {"French exit", Calc->GetName(elFrench, ectExitHint), u"Quitter et transférer le résultat"},
        {"Spanish exit", Calc->GetName(elSpanish, ectExitHint), u"Salir y transferir el resultado"},
        {"Portuguese unknown function", Calc->GetName(elBrazPort, ectUnknownFunction),
         u"Função desconhecida"},
        {"Chinese percent", Calc->GetName(elChineseSimplified, ectPercentHint), u"y 的百分之 x"},
        {"Danish backspace", Calc->GetName(elDanish, ectBackspaceHint), u"Slet sidste ciffer"},
        {"Norwegian invert", Calc->GetName(elNorwegian, ectInvertHint), u"Den resiproke verdien"},
        {"German add", Calc->GetName(elGerman, ectAddHint), u"Addieren"},
        {"Spanish error", Calc->GetName(elSpanish, ectErrorMsg), u"¡Error!"},
        {"Polish exit", Calc->GetName(elPolish, ectExitHint), u"Zamknij i przenieś wynik"},
        {"Polish title falls back", Calc->GetName(elPolish, ectCalculator), u"Calculator"},
        {"paste message", Calc->GetName(elEnglishInt, ectPasteNotANumber),
         u"The clipboard does not hold a number"},
        {"US paste message", Calc->GetName(elEnglishUS, ectPasteNotANumber),
         u"The clipboard does not hold a number"},
        {"German paste message", Calc->GetName(elGerman, ectPasteNotANumber),
         u"Die Zwischenablage enthält keine Zahl"},
        {"Finnish paste message", Calc->GetName(elFinnish, ectPasteNotANumber),
         u"Leikepöydällä ei ole lukua"},
        {"Swedish paste message", Calc->GetName(elSwedish, ectPasteNotANumber),
         u"Urklippet innehåller inget tal"},
        {"cannot", Math->GetName(elEnglishInt, emtCannot), u"Cannot have more than "},
        {"decimal places", Math->GetName(elEnglishInt, emtDecimalPlaces), u" Decimal Places"},
        {"value2", Math->GetName(elEnglishInt, emtValue2),
         u"Value must be strictly between 0.000002 and 0.999998"},
        {"vector too small", Math->GetName(elEnglishInt, emtVectorTooSmall), u"Vector Too Small"},
        {"Finnish math", Math->GetName(elFinnish, emtZeroToNegPower),
         u"Cannot Raise 0 to a negative power"},
        {"Swedish math", Math->GetName(elSwedish, emtShapeTooSmall), u"Shape too small"},
        {"Russian division", Math->GetName(elRussian, emtDivideByZero), u"Деление на ноль"},
        {"Spanish division", Math->GetName(elSpanish, emtDivideByZero), u"División por cero"},
        {"Danish more than", Math->GetName(elDanish, emtCannot), u"Der kan ikke være flere end "},
        {"Norwegian lower bound", Math->GetName(elNorwegian, emtLowerBound),
         u"Den angitte verdien er under den nedre grensen på"},
        {"French colour", Global->GetName(elFrench, egtColor), u"couleur"},
        {"French error", Global->GetName(elFrench, egtError), u"Erreur\u00A0!"},
        {"French years", Global->GetName(elFrench, egtYears), u"ans"},
        {"Spanish yes", Global->GetName(elSpanish, egtYes), u"Sí"},
        {"Chinese months", Global->GetName(elChineseSimplified, egtMonths), u"个月"},
        {"Chinese warning", Global->GetName(elChineseSimplified, egtWarning), u"警告！"},
        {"German date/time", Global->GetName(elGerman, egtInvalidDateTime),
         u"Ungültige Datums-/Uhrzeitangabe"},
        {"Polish date/time", Global->GetName(elPolish, egtInvalidDateTime),
         u"Nieprawidłowa data/godzina"},
        {"colour", Global->GetName(elEnglishInt, egtColor), u"colour"},
        {"US color", Global->GetName(elEnglishUS, egtColor), u"color"},
        {"US colors", Global->GetName(elEnglishUS, egtColors), u"colors"},
        {"US falls back", Global->GetName(elEnglishUS, egtEmpty), u"<empty>"},
        {"Swedish cancel", Global->GetName(elSwedish, egtCancel), u"Avbryt"},
        {"Czech empty", Global->GetName(elCzech, egtEmpty), u"prázdné"},
        {"custom format", Global->GetName(elEnglishInt, egtCustomFormat),
         u"Format can only be changed for FormatType = edfCustom"},
    };
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        EXPECT_EQ(Row.Actual, QString::fromUtf16(Row.Expected));
    }
}

// A key's caption is all that tells it from its neighbours, so no two key
// captions of a language may read the same.
TEST(TextTables, KeyCaptionsDifferWithinEachLanguage)
{
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    const TBrixResCalc Keys[] = {
        ectACKey,        ectANDKey,    ectCKey,      ectClKey,     ectCosKey, ectExpKey,  ectHypKey,
        ectLg2Key,       ectLnKey,     ectLogKey,    ectMAddKey,   ectMCKey,  ectMODKey,  ectMRKey,
        ectMSubtractKey, ectNANDKey,   ectNEGKey,    ectNORKey,    ectNOTKey, ectORKey,   ectROLKey,
        ectRORKey,       ectSHLKey,    ectSHRKey,    ectSinKey,    ectTanKey, ectXNORKey, ectXORKey,
        ectInvAbbrev,    ectDegAbbrev, ectRadAbbrev, ectGraAbbrev,
    };
    for (int L = elEnglishInt; L <= elUSER; ++L) {
        QHash<QString, TBrixResCalc> Seen;
        for (TBrixResCalc Key : Keys) {
            const QString Caption = Calc->GetName(TBrixLanguage(L), Key);
            EXPECT_FALSE(Seen.contains(Caption))
                << "language " << L << ": keys " << Seen.value(Caption) << " and " << Key
                << " both read " << Caption.toStdString();
            Seen.insert(Caption, Key);
        }
    }
}

// The windows' own messages are read in every language, including those
// whose calculator texts otherwise fall back to English.
TEST(TextTables, WindowMessagesAreTranslatedInEveryLanguage)
{
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    const QString English = Calc->GetName(elEnglishInt, ectPasteNotANumber);
    for (int L = elEnglishInt; L < elUSER; ++L) {
        if (L == elEnglishInt || L == elEnglishUS)
            continue;
        SCOPED_TRACE(L);
        const QString Text = Calc->GetName(TBrixLanguage(L), ectPasteNotANumber);
        EXPECT_FALSE(Text.isEmpty());
        EXPECT_NE(Text, English);
    }
}

TEST(TextTables, UserLanguageFallsBackToEnglish)
{
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    for (int Key = 0; Key < BrixResCalcCount; ++Key)
        EXPECT_EQ(Calc->GetName(elUSER, TBrixResCalc(Key)),
                  Calc->GetName(elEnglishInt, TBrixResCalc(Key)));
}

TEST(TextTables, StoredEmptyTextCountsAsAbsent)
{
    TBrixTextDictionary Strings{{5, QStringLiteral("five")},
                                {TextKey(elGerman, 5), QString()},
                                {TextKey(elGerman, 6), QStringLiteral("sechs")}};
    EXPECT_EQ(Internal::LookupText(&Strings, elGerman, 5), u"five");
    EXPECT_EQ(Internal::LookupText(&Strings, elGerman, 6), u"sechs");
    EXPECT_EQ(Internal::LookupText(&Strings, elGerman, 7), u"");
    EXPECT_EQ(Internal::LookupText(&Strings, elEnglishInt, 6), u"");
    EXPECT_EQ(Internal::LookupText(nullptr, elGerman, 5), u"");
}

TEST(TextTables, OnGetNameSeesFallbackAndMayReplaceOrEmpty)
{
    auto Global = CreateOwned<TBrixGlobalStrings>();
    TObject *SeenSender = nullptr;
    TBrixLanguage SeenLanguage = elEnglishInt;
    QString SeenValue;
    Global->SetOnGetName(
        [&](TObject *Sender, TBrixLanguage Language, TBrixResGlobal Key, QString &Value) {
            SeenSender = Sender;
            SeenLanguage = Language;
            SeenValue = Value;
            if (Key == egtYes)
                Value = QStringLiteral("Yep");
            else if (Key == egtNo)
                Value.clear();
        });
    EXPECT_EQ(Global->GetName(elUSER, egtOK), u"OK");
    EXPECT_EQ(SeenSender, Global.get());
    EXPECT_EQ(SeenLanguage, elUSER);
    EXPECT_EQ(SeenValue, u"OK");
    EXPECT_EQ(Global->GetName(elGerman, egtYes), u"Yep");
    EXPECT_EQ(SeenValue, u"Ja");
    EXPECT_EQ(Global->GetName(elEnglishInt, egtNo), u"");
    EXPECT_EQ(Global->GetName(elGerman, egtNo), u"");

    Global->SetOnGetName(nullptr);
    EXPECT_EQ(Global->GetName(elEnglishInt, egtNo), u"No");
}

TEST(TextTables, MathAndCalculatorHandlersRun)
{
    auto Math = CreateOwned<TBrixMathStrings>();
    auto Calc = CreateOwned<TBrixCalculatorStrings>();
    Math->SetOnGetName(
        [](TObject *, TBrixLanguage, TBrixResMath, QString &Value) { Value.prepend(u'!'); });
    Calc->SetOnGetName(
        [](TObject *, TBrixLanguage, TBrixResCalc, QString &Value) { Value.clear(); });
    EXPECT_EQ(Math->GetName(elFrench, emtDivideByZero), u"!Division par 0");
    EXPECT_EQ(Calc->GetName(elEnglishInt, ectACKey), u"");
}

TEST(TextTables, SharedTablesAnswerInDefaultLanguage)
{
    EXPECT_EQ(GlobalStrings(), GlobalStrings());
    EXPECT_EQ(MathStrings(), MathStrings());
    EXPECT_EQ(GlobalText(egtYes), u"Yes");
    EXPECT_EQ(GlobalText(elGerman, egtYes), u"Ja");
    EXPECT_EQ(MathText(emtDivideByZero), u"Division by Zero");
    EXPECT_EQ(MathText(elGerman, emtDivideByZero), u"Division durch Null");
}
