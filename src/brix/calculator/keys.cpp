#include "brix/calculator/keys.h"

#include "brix/calculator/engine.h"

#include <QHash>
#include <QString>

#include <array>

namespace Brix {

namespace {

using E = TBrixCalcEngine;

#define BRIX_CALL(Op) [](E &Engine) { Engine.Op(); }
#define BRIX_DIGIT(D) [](E &Engine) { Engine.InputDigit(D); }

constexpr std::array<TBrixKeyInfo, BrixKeyCount> KeyRows{{
    {ckZero, "Zero", "0", BRIX_DIGIT(0)},
    {ckPoint, "Point", ".", BRIX_CALL(InputDecimalSeparator)},
    {ckChangeSign, "ChangeSign", "+/-", BRIX_CALL(DoChangeSign)},
    {ckOne, "One", "1", BRIX_DIGIT(1)},
    {ckTwo, "Two", "2", BRIX_DIGIT(2)},
    {ckThree, "Three", "3", BRIX_DIGIT(3)},
    {ckFour, "Four", "4", BRIX_DIGIT(4)},
    {ckFive, "Five", "5", BRIX_DIGIT(5)},
    {ckSix, "Six", "6", BRIX_DIGIT(6)},
    {ckSeven, "Seven", "7", BRIX_DIGIT(7)},
    {ckEight, "Eight", "8", BRIX_DIGIT(8)},
    {ckNine, "Nine", "9", BRIX_DIGIT(9)},
    {ckEquals, "Equals", "=", BRIX_CALL(DoEquals)},
    {ckSubtract, "Subtract", "-", BRIX_CALL(DoSubtract)},
    {ckAdd, "Add", "+", BRIX_CALL(DoAdd)},
    {ckDivide, "Divide", "/", BRIX_CALL(DoDivide)},
    {ckMultiply, "Multiply", "*", BRIX_CALL(DoMultiply)},
    {ckLeftBracket, "LeftBracket", "(", BRIX_CALL(InputLeftBracket)},
    {ckRightBracket, "RightBracket", ")", BRIX_CALL(InputRightBracket)},
    {ckAllClear, "AllClear", "ac", BRIX_CALL(AllClear)},
    {ckClear, "Clear", "c", BRIX_CALL(ClearDisplay)},
    {ckMemoryClear, "MemoryClear", "mc", BRIX_CALL(MemoryClear)},
    {ckMemoryAdd, "MemoryAdd", "m+", BRIX_CALL(MemoryAdd)},
    {ckMemorySubtract, "MemorySubtract", "m-", BRIX_CALL(MemorySubtract)},
    {ckMemoryRecall, "MemoryRecall", "mr", BRIX_CALL(MemoryRecall)},
    {ckPower, "Power", "^", BRIX_CALL(DoPower)},
    {ckPi, "Pi", "pi", BRIX_CALL(InputPi)},
    {ckE, "E", "e", BRIX_CALL(InputNaturalConstant)},
    {ckSquare, "Square", "x^2", BRIX_CALL(DoSquare)},
    {ckSqRoot, "SqRoot", "sqrt", BRIX_CALL(DoSqRoot)},
    {ckInvert, "Invert", "1/x", BRIX_CALL(DoInvert)},
    {ckLog, "Log", "log", BRIX_CALL(DoLog)},
    {ckLN, "LN", "ln", BRIX_CALL(DoLN)},
    {ckExit, "Exit", "", nullptr},
    {ckCopy, "Copy", "", nullptr},
    {ckPaste, "Paste", "", nullptr},
    {ckSin, "Sin", "sin", BRIX_CALL(DoSin)},
    {ckCos, "Cos", "cos", BRIX_CALL(DoCos)},
    {ckTan, "Tan", "tan", BRIX_CALL(DoTan)},
    {ckInv, "Inv", "inv", BRIX_CALL(DoInv)},
    {ckCancel, "Cancel", "", nullptr},
    {ckBackSpace, "BackSpace", "bs", BRIX_CALL(InputBackspace)},
    {ckRad, "Rad", "angle", BRIX_CALL(ToggleAngleMode)},
    {ckPercent, "Percent", "%", BRIX_CALL(DoPercent)},
    {ckHyp, "Hyp", "hyp", BRIX_CALL(DoHyp)},
    {ckLg2, "Lg2", "lg2", BRIX_CALL(DoLg2)},
    {ckExp, "Exp", "exp", BRIX_CALL(DoExp)},
    {ckResult, "Result", "result", BRIX_CALL(DoResult)},
}};

#undef BRIX_CALL
#undef BRIX_DIGIT

constexpr bool InCodeOrder()
{
    for (int I = 0; I < BrixKeyCount; ++I)
        if (KeyRows[I].Key != I)
            return false;
    return true;
}
static_assert(InCodeOrder(), "the key table is in the order of the codes");

// Every command-line word, lower case, to its key.
const QHash<QString, TBrixCalcKey> &WordIndex()
{
    static const QHash<QString, TBrixCalcKey> Index = [] {
        QHash<QString, TBrixCalcKey> H;
        for (const TBrixKeyInfo &Row : KeyRows) {
            const QString Words = QString::fromLatin1(Row.Words);
            for (const QStringView W : QStringView(Words).tokenize(u' ', Qt::SkipEmptyParts))
                H.insert(W.toString(), Row.Key);
        }
        return H;
    }();
    return Index;
}

} // namespace

std::span<const TBrixKeyInfo> Keys()
{
    return KeyRows;
}

const TBrixKeyInfo &KeyInfo(TBrixCalcKey Key)
{
    return KeyRows[Key];
}

const TBrixKeyInfo *FindKeyWord(QStringView Word)
{
    // Lower-cased by ASCII rules only: key words are ASCII, and a locale's
    // case rules (a Turkish dotless i) must not change which key a word is.
    QString Lower = Word.toString();
    for (QChar &C : Lower)
        if (C >= u'A' && C <= u'Z')
            C = QChar(C.unicode() + (u'a' - u'A'));
    const auto It = WordIndex().constFind(Lower);
    return It == WordIndex().constEnd() ? nullptr : &KeyRows[*It];
}

bool PressKey(TBrixCalcEngine &Engine, TBrixCalcKey Key)
{
    const TBrixKeyInfo &Row = KeyRows[Key];
    if (!Row.Press)
        return false;
    Row.Press(Engine);
    return true;
}

} // namespace Brix
