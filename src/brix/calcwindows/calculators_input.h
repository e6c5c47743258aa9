/// @file
/// What the keyboard and the clipboard give the calculator windows. The
/// keyboard as data: the typed characters and the key-down rules of each
/// window kind, keyed by the key codes of calculator/keys.h; the window looks
/// a key event up here and clicks the keys it gets back, exactly as the mouse
/// would. And the regional reading of pasted number text.
#pragma once

#include "brix/export.h"

#include "brix/calcwindows/calculators_keypad.h"

#include <QChar>
#include <QString>
#include <Qt>

#include <array>
#include <optional>

namespace Brix {

/// The keys one typed character presses, in order: none, one, or two (the
/// at sign presses the inverse key, then the power key).
struct BRIX_CONTROLS_EXPORT TBrixKeyPresses
{
    /// The keys, the first Count of them in use.
    std::array<TBrixCalcKey, 2> Keys{};
    /// Number of keys pressed, 0 to 2.
    int Count = 0;

    /// The keys in use, for a range-for loop.
    ///@{
    const TBrixCalcKey *begin() const { return Keys.data(); }
    const TBrixCalcKey *end() const { return Keys.data() + Count; }
    ///@}
};

/// The keys that Character presses in a window of Kind, where Decimal is the
/// region's decimal separator. Letters are looked up without regard to case.
/// The region's separator enters the decimal separator, and so does "." in a
/// region whose separator is another character (many keypads only have "."):
/// in a "." region a typed "," does nothing. Digits are returned also when the
/// decimal places box has the focus; the window decides that case itself.
///   "7" -> ckSeven   "r" -> ckSqRoot   "@" -> ckInv, ckPower
///   "x" -> ckMultiply (compact and full), nothing (scientific)
///   "," or "." with Decimal "," -> ckPoint   "," with Decimal "." -> nothing
BRIX_CONTROLS_EXPORT TBrixKeyPresses KeysForCharacter(QChar Character, TBrixCalcWindowKind Kind,
                                                      QChar Decimal);

/// The key that a key-down of Key (a Qt::Key) with Modifiers presses in a
/// window of Kind; std::nullopt when no rule matches (the key then goes on as
/// a typed character). The rules are tried in a fixed order, the first match
/// wins:
///   F10 alone -> ckExit (compact and full)   keypad "." or "," -> ckPoint
///   Delete -> ckClear   Ctrl+C, Ctrl+Insert -> ckCopy   Ctrl+V -> ckPaste
///   Ctrl+X -> ckExit    Shift+Insert (without Ctrl) -> ckPaste
BRIX_CONTROLS_EXPORT std::optional<TBrixCalcKey>
KeyForKeyDown(int Key, Qt::KeyboardModifiers Modifiers, TBrixCalcWindowKind Kind);

/// The undo and redo commands of the keyboard; they have no key on the keypad.
enum TBrixUndoCommand
{
    ucUndo,
    ucRedo
};

/// The command that a key-down of Key with Modifiers gives, in every window
/// kind: Ctrl+Z -> ucUndo, Ctrl+Shift+Z -> ucRedo (Alt held: none).
BRIX_CONTROLS_EXPORT std::optional<TBrixUndoCommand>
UndoCommandForKeyDown(int Key, Qt::KeyboardModifiers Modifiers);

} // namespace Brix
