// The key-script reader at the library's level: words into keys (or a
// message naming the culprit), numbers read exactly, and language names
// taken from the language table. The command line's own use of it is tested
// in tests/cli; the engine tests' rows are read by it throughout.
#include "brix/calculator/engine.h"
#include "brix/calculator/keyscript.h"
#include "brix/resources/languages.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <limits>

#include <QString>
#include <QStringList>

using namespace Brix;

namespace {

// The keys' texts joined by "|", or "error: " and the message.
QString Read(const QString &Line, bool PrefixFunctions = true)
{
    TBrixScriptRules Rules;
    Rules.PrefixFunctions = PrefixFunctions;
    TBrixKeyScript Keys;
    QString Error;
    if (!ReadScriptLine(Line, Rules, Keys, Error))
        return QStringLiteral("error: ") + Error;
    QStringList Texts;
    for (const TBrixScriptKey &K : Keys)
        Texts << K.Token;
    return Texts.join(u'|');
}

} // namespace

TEST(KeyScript, WordsReadIntoKeysOrNameTheCulprit)
{
    BrixTest::RegionalGuard Regional;
    struct Row
    {
        const char *Line;
        const char *Keys;
        bool PrefixFunctions = true;
    };
    const Row Rows[] = {
        {"2+3*4=", "2|+|3|*|4|="},
        {"  12.5   SIN ", "12.5|SIN"},
        {"sqrt9m+ 1/x", "sqrt|9|m+|1/x"},
        {"2e-3 exp", "2e-3|exp"},
        {"value:-1e300 Dp:2 lang:user prefix:OFF", "value:-1e300|Dp:2|lang:user|prefix:OFF"},
        {"9sqrt", "9|sqrt", false},
        {"2+x", "error: unknown key in '2+x' at column 3"},
        {"1.2.3=", "error: a second decimal separator in '1.2.3=' at column 4"},
        {"1 2pi", "error: 'pi' would replace the value before it in '2pi' at column 4 (write an "
                  "operator between them)"},
        {"9sqrt", "error: 'sqrt' would replace the value before it in '9sqrt' at column 2 (with "
                  "prefix functions on, write the function before its number)"},
        // A prefix: token sets the rules for the words after it.
        {"prefix:off 9sqrt", "prefix:off|9|sqrt"},
        {"dp:256", "error: decimal places must be 0 to 255 in key token 'dp:256'"},
        {"value:1,5", "error: bad number in key token 'value:1,5'"},
        {"paste:hello", "error: not a number in key token 'paste:hello'"},
        {"lang:Klingon", "error: unknown language in key token 'lang:Klingon'"},
        {"bpct:yes", "error: expected on or off in key token 'bpct:yes'"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Line);
        EXPECT_EQ(Read(QString::fromUtf8(R.Line), R.PrefixFunctions), QString::fromUtf8(R.Keys));
    }
}

// value: and --memory read the decimal text into the nearest Extended, not
// through a double: 0.1 is 0.1L, whose last bits a double does not hold.
TEST(KeyScript, NumbersAreReadExactly)
{
    BrixTest::RegionalGuard Regional;
    EXPECT_EQ(ReadScriptNumber("0.1"), 0.1L);
    EXPECT_NE(ReadScriptNumber("0.1"), Extended(0.1));
    EXPECT_EQ(ReadScriptNumber("+2.5"), 2.5L);
    EXPECT_EQ(ReadScriptNumber("-1e4900"), -1e4900L);
    // Subnormals too: what the tool writes reads back.
    EXPECT_EQ(ReadScriptNumber("3.6e-4951"), std::numeric_limits<Extended>::denorm_min());
    for (const char *Bad : {"", "1,5", " 1", "1e5000", "inf", "nan", "0x10", "++1"})
        EXPECT_EQ(ReadScriptNumber(QString::fromLatin1(Bad)), std::nullopt) << Bad;

    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    QString Error;
    ASSERT_TRUE(RunScriptLine(*E, u"value:0.1", Error)) << Error.toStdString();
    EXPECT_EQ(E->AsFloat(), 0.1L);
    bool Ok = false;
    const QString Memory = QStringLiteral("1e-4900");
    ASSERT_TRUE(ReadOption(ScriptEngineOptions(), QStringLiteral("--memory"), &Memory, nullptr,
                           E.get(), Ok));
    EXPECT_TRUE(Ok);
    EXPECT_EQ(E->Memory(), 1e-4900L);
}

// Every language goes by the name the language table gives it, and elUSER,
// which has none there, by "USER".
TEST(KeyScript, LanguageNamesComeFromTheLanguageTable)
{
    for (int I = 0; I < BrixLanguageCount; ++I) {
        const auto Language = TBrixLanguage(I);
        const QString Name = Language == elUSER ? QStringLiteral("USER") : LanguageName(Language);
        SCOPED_TRACE(Name.toStdString());
        EXPECT_EQ(ReadLanguageName(Name), Language);
        EXPECT_EQ(ReadLanguageName(Name.toLower()), Language);
    }
    for (const char *Bad : {"", "Klingon", " German", "German "})
        EXPECT_EQ(ReadLanguageName(QString::fromLatin1(Bad)), std::nullopt) << Bad;
}
