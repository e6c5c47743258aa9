// A tiny key-script language for the engine tests, so that a table row reads
// like the keys a user presses: "2 + 3 * 4 =".
//
// Tokens (separated by spaces):
//   runs of 0-9, "." and "E"     one key per character (digit, decimal
//                                separator, exponent mark)
//   + - * / ^ ( ) = % sqrt m+ .. a key by its word in the engine library's
//                                key table (brix/calculator/keys.h)
//   v:TEXT                       InputValue of TEXT read in the C locale
//   s:TEXT                       InputString(TEXT)
//   deg rad gra                  SetAngleMode
//   prefix:off prec:off bpct:on sameline:on memhist:on ignore:on grads:on
//   dp:N                         option writes between keys
#pragma once

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/classes/formatsettings.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <QStringList>

namespace BrixTest {

using namespace Brix;

inline bool IsNumberToken(const QString &Token)
{
    for (QChar Ch : Token)
        if (!(Ch.isDigit() || Ch == u'.' || Ch == u'E'))
            return false;
    return !Token.isEmpty();
}

inline void PressKey(TBrixCalcEngine &E, const QString &Token)
{
    // Number tokens come first: "E" in them is the exponent key, while the
    // word "e" alone is the constant.
    if (IsNumberToken(Token)) {
        for (QChar Ch : Token) {
            if (Ch == u'.')
                E.InputDecimalSeparator();
            else if (Ch == u'E')
                E.DoExp();
            else
                E.InputDigit(TBrixZeroToNine(Ch.digitValue()));
        }
    } else if (const TBrixKeyInfo *Key = FindKeyWord(Token)) {
        EXPECT_TRUE(Brix::PressKey(E, Key->Key)) << "not an engine key: " << Token.toStdString();
    } else if (Token.startsWith("v:")) {
        bool Ok = false;
        const double V = QLocale::c().toDouble(Token.mid(2), &Ok);
        ASSERT_TRUE(Ok) << Token.toStdString();
        E.InputValue(Extended(V));
    } else if (Token.startsWith("s:")) {
        E.InputString(Token.mid(2));
    } else if (Token == "deg") {
        E.SetAngleMode(amDegrees);
    } else if (Token == "rad") {
        E.SetAngleMode(amRadians);
    } else if (Token == "gra") {
        E.SetAngleMode(amGradiants);
    } else if (Token == "prefix:off") {
        E.SetPrefixFunctions(false);
    } else if (Token == "prec:off") {
        E.SetPrecedence(false);
    } else if (Token == "bpct:on") {
        E.SetBinaryPercent(true);
    } else if (Token == "bpct:off") {
        E.SetBinaryPercent(false);
    } else if (Token == "sameline:on") {
        E.SetOperatorSameLine(true);
    } else if (Token == "memhist:on") {
        E.SetMemoryHistory(true);
    } else if (Token == "ignore:on") {
        E.SetIgnoreError(true);
    } else if (Token == "grads:on") {
        E.SetEnableGrads(true);
    } else if (Token.startsWith("dp:")) {
        E.SetDecimalPlaces(Byte(Token.mid(3).toInt()));
    } else {
        ADD_FAILURE() << "unknown key token " << Token.toStdString();
    }
}

inline void Press(TBrixCalcEngine &E, const QString &Script)
{
    for (const QString &Token : Script.split(u' ', Qt::SkipEmptyParts))
        PressKey(E, Token);
}

// The tape as one string, lines joined by "|"; the error line shows as "ERR"
// so that rows stay short.
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
