/// @file
/// The calculator's keys: one row per key with its code, the engine call it
/// makes and the words the command-line calculator knows it by. The windows
/// add only presentation (caption, hint, glyph, place on the keypad) and the
/// keyboard characters, keyed by the same code; every program that presses
/// keys by name reads this one table.
#pragma once

#include "brix/export.h"

#include <QStringView>

#include <span>

namespace Brix {

class TBrixCalcEngine;

/// The keys, by identity. Captions are looked up from these codes and never
/// compared: a key is the same key in every language. The order is the order
/// of the windows' key table; keys after ckExp exist only by name.
enum TBrixCalcKey
{
    ckZero,
    ckPoint,
    ckChangeSign,
    ckOne,
    ckTwo,
    ckThree,
    ckFour,
    ckFive,
    ckSix,
    ckSeven,
    ckEight,
    ckNine,
    ckEquals,
    ckSubtract,
    ckAdd,
    ckDivide,
    ckMultiply,
    ckLeftBracket,
    ckRightBracket,
    ckAllClear,
    ckClear,
    ckMemoryClear,
    ckMemoryAdd,
    ckMemorySubtract,
    ckMemoryRecall,
    ckPower,
    ckPi,
    ckE,
    ckSquare,
    ckSqRoot,
    ckInvert,
    ckLog,
    ckLN,
    ckExit,
    ckCopy,
    ckPaste,
    ckSin,
    ckCos,
    ckTan,
    ckInv,
    ckCancel,
    ckBackSpace,
    ckRad,
    ckPercent,
    /// The scientific window's three extra keys.
    ckHyp,
    ckLg2,
    ckExp,
    /// Keys that no window shows.
    ckResult
};
inline constexpr int BrixStandardKeyCount = ckPercent + 1; ///< 44 keys on the standard window
inline constexpr int BrixCalcKeyCount = ckExp + 1;         ///< 47 on the scientific window
inline constexpr int BrixKeyCount = ckResult + 1;          ///< every key

/// One key of the table.
struct BRIX_CORE_EXPORT TBrixKeyInfo
{
    /// The key's code.
    TBrixCalcKey Key;
    /// The key's name: "Add", "SqRoot". Windows name their buttons after it
    /// ("AddBtn").
    const char *Name;
    /// The command-line words, separated by blanks, lower case; the first is
    /// the one to print ("sqrt"). Empty for the window actions.
    const char *Words;
    /// The engine call; nullptr for the window actions (exit, copy, paste,
    /// cancel), which act on the window, not the engine.
    void (*Press)(TBrixCalcEngine &Engine);
};

/// Every key, in the order of the codes: Keys()[K].Key == K.
BRIX_CORE_EXPORT std::span<const TBrixKeyInfo> Keys();

/// The row of Key.
BRIX_CORE_EXPORT const TBrixKeyInfo &KeyInfo(TBrixCalcKey Key);

/// The key whose command-line word is Word, compared without regard to case
/// of ASCII letters; nullptr when no key has that word.
///   "sqrt" -> ckSqRoot    "M+" -> ckMemoryAdd    "7" -> ckSeven    "frob" -> nullptr
BRIX_CORE_EXPORT const TBrixKeyInfo *FindKeyWord(QStringView Word);

/// Makes Key's engine call on Engine. Returns false, and does nothing, for a
/// window action.
BRIX_CORE_EXPORT bool PressKey(TBrixCalcEngine &Engine, TBrixCalcKey Key);

} // namespace Brix
