#include "brix/calcwindows/calculators_input.h"

#include <string_view>

namespace Brix {

namespace {

// Window kinds as a set.
enum TKinds : unsigned
{
    kStandard = (1u << wkCompact) | (1u << wkFull),
    kScientific = 1u << wkScientific,
    kAll = kStandard | kScientific
};

constexpr bool HasKind(unsigned Kinds, TBrixCalcWindowKind Kind)
{
    return (Kinds & (1u << Kind)) != 0;
}

// Each of Characters presses Key (after the inverse key when InverseFirst).
// Letters are listed in upper case; typed letters are folded before the
// lookup.
struct TCharacterRow
{
    TBrixCalcKey Key;
    std::u16string_view Characters;
    unsigned Kinds = kAll;
    bool InverseFirst = false;
};

constexpr TCharacterRow CharacterRows[] = {
    {ckZero, u"0"},
    {ckOne, u"1"},
    {ckTwo, u"2"},
    {ckThree, u"3"},
    {ckFour, u"4"},
    {ckFive, u"5"},
    {ckSix, u"6"},
    {ckSeven, u"7"},
    {ckEight, u"8"},
    {ckNine, u"9"},
    {ckBackSpace, u"\b"},
    {ckEquals, u"\r="},
    {ckCancel, u"\x1b"},
    {ckLeftBracket, u"("},
    {ckRightBracket, u")"},
    {ckMultiply, u"*"},
    {ckMultiply, u"X", kStandard},
    {ckAdd, u"+"},
    {ckSubtract, u"-"},
    {ckDivide, u"/"},
    {ckPercent, u"%"},
    {ckPower, u"@", kAll, true}, // x to the power 1/y
    {ckPower, u"^"},
    {ckAllClear, u"A"},
    {ckClear, u"C"},
    {ckInvert, u"I"},
    {ckPi, u"P"},
    {ckSqRoot, u"R"},
    {ckChangeSign, u"_"},
    {ckExp, u"E", kScientific},
};

// Which modifiers a key-down rule asks for. The keypad flag counts only
// where a rule names it.
enum TModifierRule
{
    mrNone,        // no modifier at all
    mrKeypad,      // on the numeric keypad, whatever else is held
    mrAny,         // whatever is held
    mrCtrl,        // Ctrl held, whatever else
    mrShiftNotCtrl // Shift held, Ctrl not
};

struct TKeyDownRow
{
    TBrixCalcKey Key;
    int VirtualKey;
    TModifierRule Modifiers;
    unsigned Kinds = kAll;
};

// In the order the rules are tried.
constexpr TKeyDownRow KeyDownRows[] = {
    {ckExit, Qt::Key_F10, mrNone, kStandard},
    {ckPoint, Qt::Key_Period, mrKeypad},
    {ckPoint, Qt::Key_Comma, mrKeypad},
    {ckClear, Qt::Key_Delete, mrAny},
    {ckCopy, Qt::Key_Insert, mrCtrl},
    {ckCopy, Qt::Key_C, mrCtrl},
    {ckPaste, Qt::Key_V, mrCtrl},
    {ckExit, Qt::Key_X, mrCtrl},
    {ckPaste, Qt::Key_Insert, mrShiftNotCtrl},
};

bool ModifiersMatch(TModifierRule Rule, Qt::KeyboardModifiers Modifiers)
{
    const Qt::KeyboardModifiers Held = Modifiers & ~Qt::KeypadModifier;
    switch (Rule) {
    case mrNone:
        return Held == Qt::NoModifier;
    case mrKeypad:
        return Modifiers.testFlag(Qt::KeypadModifier);
    case mrAny:
        return true;
    case mrCtrl:
        return Held.testFlag(Qt::ControlModifier);
    case mrShiftNotCtrl:
        return Held.testFlag(Qt::ShiftModifier) && !Held.testFlag(Qt::ControlModifier);
    }
    return false;
}

} // namespace

TBrixKeyPresses KeysForCharacter(QChar Character, TBrixCalcWindowKind Kind, QChar Decimal)
{
    TBrixKeyPresses Presses;
    char16_t C = Character.unicode();
    // ASCII letters only: a locale's case rules must not change which key a
    // letter is.
    if (C >= u'a' && C <= u'z')
        C = char16_t(C - u'a' + u'A');
    for (const TCharacterRow &Row : CharacterRows) {
        if (!HasKind(Row.Kinds, Kind) || Row.Characters.find(C) == std::u16string_view::npos)
            continue;
        if (Row.InverseFirst)
            Presses.Keys[Presses.Count++] = ckInv;
        Presses.Keys[Presses.Count++] = Row.Key;
        break;
    }
    const bool Point = Character == Decimal || (Character == u'.' && Decimal != u'.');
    if (Point && Presses.Count < int(Presses.Keys.size()))
        Presses.Keys[Presses.Count++] = ckPoint;
    return Presses;
}

std::optional<TBrixCalcKey> KeyForKeyDown(int Key, Qt::KeyboardModifiers Modifiers,
                                          TBrixCalcWindowKind Kind)
{
    for (const TKeyDownRow &Row : KeyDownRows)
        if (Row.VirtualKey == Key && HasKind(Row.Kinds, Kind) &&
            ModifiersMatch(Row.Modifiers, Modifiers))
            return Row.Key;
    return std::nullopt;
}

std::optional<TBrixUndoCommand> UndoCommandForKeyDown(int Key, Qt::KeyboardModifiers Modifiers)
{
    const Qt::KeyboardModifiers Held =
        Modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (Key != Qt::Key_Z)
        return std::nullopt;
    if (Held == Qt::ControlModifier)
        return ucUndo;
    if (Held == (Qt::ControlModifier | Qt::ShiftModifier))
        return ucRedo;
    return std::nullopt;
}

} // namespace Brix
