// The key table: words find their key back in any case, unknown words find
// nothing, and only the window actions have no engine call.
#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QString>

using namespace Brix;

TEST(Keys, EveryWordFindsItsKeyInAnyCase)
{
    int Words = 0;
    for (const TBrixKeyInfo &Row : Keys()) {
        SCOPED_TRACE(Row.Name);
        const QString List = QString::fromLatin1(Row.Words);
        for (const QString &W : List.split(u' ', Qt::SkipEmptyParts)) {
            EXPECT_EQ(FindKeyWord(W), &Row) << W.toStdString();
            EXPECT_EQ(FindKeyWord(W.toUpper()), &Row) << W.toStdString();
            ++Words;
        }
        // Exactly the keys without an engine call (exit, copy, paste,
        // cancel) have no words.
        EXPECT_EQ(List.isEmpty(), Row.Press == nullptr);
    }
    EXPECT_GE(Words, BrixKeyCount - 4);
}

TEST(Keys, LookUpByWord)
{
    constexpr int None = -1;
    struct Row
    {
        const char *Word;
        int Key; // None: no key has the word
    } Rows[] = {
        {"M+", ckMemoryAdd},   {"SQRT", ckSqRoot}, {"Pi", ckPi},    {"7", ckSeven},
        {"+/-", ckChangeSign}, {"1/X", ckInvert},  {"E", ckE},      {"C", ckClear},
        {"frob", None},        {"", None},         {"sqrt ", None}, {"m", None},
        {"exit", None},        {"copy", None},     {"77", None},    {"\u0130nv", None},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Word);
        const TBrixKeyInfo *Found = FindKeyWord(QString::fromUtf8(R.Word));
        EXPECT_EQ(Found ? int(Found->Key) : None, R.Key);
    }
}

TEST(Keys, PressKeyMakesTheEngineCall)
{
    const BrixTest::RegionalGuard Regional; // the expected display uses "."
    // The digit codes are not in numeric order; each digit word must still
    // enter its own digit.
    for (char D = '0'; D <= '9'; ++D) {
        TOwned<TBrixCalcEngine> En(Create<TBrixCalcEngine>());
        const TBrixKeyInfo *Key = FindKeyWord(QString(QChar(D)));
        ASSERT_NE(Key, nullptr);
        EXPECT_TRUE(PressKey(*En, Key->Key));
        EXPECT_EQ(En->GetDisplayStr(), QString(QChar(D)));
    }

    TOwned<TBrixCalcEngine> En(Create<TBrixCalcEngine>());
    for (const char *W : {"1", "2", ".", "5", "+", "3", "*", "2", "=", "m+", "ac", "mr"})
        EXPECT_TRUE(PressKey(*En, FindKeyWord(QString::fromLatin1(W))->Key)) << W;
    EXPECT_EQ(En->GetDisplayStr(), "18.5000");
}

TEST(Keys, WindowActionsAreNotPressedOnTheEngine)
{
    TOwned<TBrixCalcEngine> En(Create<TBrixCalcEngine>());
    int Notified = 0;
    En->SetOnDisplayChange([&Notified](TObject *) { ++Notified; });
    En->SetOnHistoryChange([&Notified](TObject *) { ++Notified; });
    PressKey(*En, ckFour);
    Notified = 0;
    for (TBrixCalcKey K : {ckExit, ckCopy, ckPaste, ckCancel}) {
        EXPECT_FALSE(PressKey(*En, K)) << KeyInfo(K).Name;
        EXPECT_EQ(KeyInfo(K).Key, K);
    }
    EXPECT_EQ(En->GetDisplayStr(), "4");
    EXPECT_EQ(Notified, 0);
}
