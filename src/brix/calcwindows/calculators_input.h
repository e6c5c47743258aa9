// The keyboard of the calculator windows as data: the typed characters and
// the key-down rules of each window kind, keyed by the key codes of
// calculator/keys.h. The window looks a key event up here and clicks the keys
// it gets back, exactly as the mouse would.
#pragma once

#include "brix/calcwindows/calculators_keypad.h"

#include <QChar>
#include <Qt>

#include <array>
#include <optional>

namespace Brix {

// The keys one typed character presses, in order: none, one, or two (the
// at sign presses the inverse key, then the power key).
struct TBrixKeyPresses
{
    std::array<TBrixCalcKey, 2> Keys{};
    int Count = 0;

    const TBrixCalcKey *begin() const { return Keys.data(); }
    const TBrixCalcKey *end() const { return Keys.data() + Count; }
};

// The keys that Character presses in a window of Kind, where Decimal is the
// region's decimal separator. Letters are looked up without regard to case.
// Digits are returned also when the decimal places box has the focus; the
// window decides that case itself.
//   "7" -> ckSeven   "r" -> ckSqRoot   "@" -> ckInv, ckPower
//   "x" -> ckMultiply (compact and full), nothing (scientific)
//   "," with Decimal "," -> ckPoint   "?" -> nothing
TBrixKeyPresses KeysForCharacter(QChar Character, TBrixCalcWindowKind Kind, QChar Decimal);

// The key that a key-down of Key (a Qt::Key) with Modifiers presses in a
// window of Kind; std::nullopt when no rule matches (the key then goes on as
// a typed character). The rules are tried in a fixed order, the first match
// wins:
//   F10 alone -> ckExit (compact and full)   keypad "." or "," -> ckPoint
//   Delete -> ckClear   Ctrl+C, Ctrl+Insert -> ckCopy   Ctrl+V -> ckPaste
//   Ctrl+X -> ckExit    Shift+Insert (without Ctrl) -> ckPaste
std::optional<TBrixCalcKey> KeyForKeyDown(int Key, Qt::KeyboardModifiers Modifiers,
                                          TBrixCalcWindowKind Kind);

} // namespace Brix
