// Key scripts for the engine tests, so that a table row reads like the keys a
// user presses: "2 + 3 * 4 =". A row is a lumopocketo-cli command line: engine
// options ("--angle=deg", "--same-line", ...) and then key words, read by the
// engine library's key-script reader (brix/calculator/keyscript.h, where the
// language is described) exactly as the command line reads them.
#pragma once

#include "brix/calculator/engine.h"
#include "brix/calculator/keyscript.h"
#include "brix/classes/formatsettings.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace BrixTest {

using namespace Brix;

// Runs Script on E as lumopocketo-cli runs its arguments: the engine options
// among them first, in the options table's order, then the keys. A script
// that does not read fails the test and runs nothing.
inline void Press(TBrixCalcEngine &E, const QString &Script)
{
    const std::span<const TBrixOptionRow<TBrixCalcEngine>> Rows = ScriptEngineOptions();
    std::vector<TBrixEngineSetting> Options(Rows.size());
    QStringList Words;
    for (const QString &Word : Script.split(u' ', Qt::SkipEmptyParts)) {
        if (!Word.startsWith(QLatin1String("--"))) {
            Words << Word;
            continue;
        }
        const qsizetype Eq = Word.indexOf(u'=');
        const QString Value = Eq < 0 ? QString() : Word.mid(Eq + 1);
        bool Ok = false;
        ASSERT_TRUE(ReadOption(Rows, Word.left(Eq < 0 ? Word.size() : Eq),
                               Eq < 0 ? nullptr : &Value, Options.data(), nullptr, Ok) &&
                    Ok)
            << "not an engine option: " << Word.toStdString();
    }
    for (const TBrixEngineSetting &Option : Options)
        if (Option)
            Option(E);
    TBrixScriptRules Rules = ScriptRulesOf(E);
    TBrixKeyScript Keys;
    QString Error;
    for (const QString &Word : Words)
        ASSERT_TRUE(ReadScriptWord(Word, Rules, Keys, Error)) << Error.toStdString();
    Keys.RunAll(E);
}

// Appends the name of each notification E raises ("display", "history",
// "error", "memory", "set", "clear", "angle", "decimals", "language") to
// Events, checking that E is the sender. Events must outlive E's handlers.
inline void RecordEvents(TBrixCalcEngine &E, QStringList &Events)
{
    const auto Add = [&E, &Events](const char *Name) {
        return [&E, &Events, Name](TObject *Sender) {
            EXPECT_EQ(Sender, &E);
            Events << QString::fromLatin1(Name);
        };
    };
    E.SetOnDisplayChange(Add("display"));
    E.SetOnHistoryChange(Add("history"));
    E.SetOnError(Add("error"));
    E.SetOnMemoryChange(Add("memory"));
    E.SetOnSetToggles(Add("set"));
    E.SetOnClearToggles(Add("clear"));
    E.SetOnAngleModeChange(Add("angle"));
    E.SetOnDecimalPlacesChange(Add("decimals"));
    E.SetOnLanguageChange([&Events](TObject *, TBrixLanguage &) { Events << "language"; });
}

// The tape as one string, lines joined by "|"; the error line shows as "ERR"
// so that rows stay short.
inline QString Tape(const TBrixCalcEngine &E)
{
    QStringList Lines = E.HistoryLines();
    const QString ErrorLine = E.GetName(ectPaperErrLine);
    for (QString &Line : Lines)
        if (Line == ErrorLine)
            Line = QStringLiteral("ERR");
    return Lines.join(u'|');
}

using BrixTest::RegionalGuard; // common/regional_guard.h

} // namespace BrixTest
