// The calculator windows' keyboard as the README's keyboard table gives it,
// written out independently of the windows' own keyboard rows: each typed
// character and the keys it presses in the standard window (compact and full
// layout) and in the scientific window. The decimal separator depends on the
// region: TypedKeysFor adds it.
#pragma once

#include "brix/calculator/keys.h"

#include <vector>

namespace BrixTest {

using namespace Brix;

struct TTypedKey
{
    char16_t Character;
    std::vector<TBrixCalcKey> Keys;
    bool Standard = true; // compact and full layout
    bool Scientific = true;
};

inline const std::vector<TTypedKey> &TypedKeys()
{
    static const std::vector<TTypedKey> Table = {
        {u'0', {ckZero}},
        {u'1', {ckOne}},
        {u'2', {ckTwo}},
        {u'3', {ckThree}},
        {u'4', {ckFour}},
        {u'5', {ckFive}},
        {u'6', {ckSix}},
        {u'7', {ckSeven}},
        {u'8', {ckEight}},
        {u'9', {ckNine}},
        {u'\b', {ckBackSpace}},
        {u'\r', {ckEquals}},
        {u'=', {ckEquals}},
        {u'\x1b', {ckCancel}},
        {u'(', {ckLeftBracket}},
        {u')', {ckRightBracket}},
        {u'*', {ckMultiply}},
        {u'x', {ckMultiply}, true, false},
        {u'X', {ckMultiply}, true, false},
        {u'+', {ckAdd}},
        {u'-', {ckSubtract}},
        {u'/', {ckDivide}},
        {u'%', {ckPercent}},
        {u'@', {ckInv, ckPower}},
        {u'^', {ckPower}},
        {u'a', {ckAllClear}},
        {u'A', {ckAllClear}},
        {u'c', {ckClear}},
        {u'C', {ckClear}},
        {u'i', {ckInvert}},
        {u'I', {ckInvert}},
        {u'p', {ckPi}},
        {u'P', {ckPi}},
        {u'r', {ckSqRoot}},
        {u'R', {ckSqRoot}},
        {u'_', {ckChangeSign}},
        {u'e', {ckExp}, false, true},
        {u'E', {ckExp}, false, true},
    };
    return Table;
}

// The keys Character presses in a region whose decimal separator is Decimal;
// empty when it presses none.
inline std::vector<TBrixCalcKey> TypedKeysFor(char16_t Character, bool Scientific, char16_t Decimal)
{
    std::vector<TBrixCalcKey> Keys;
    for (const TTypedKey &Row : TypedKeys())
        if (Row.Character == Character && (Scientific ? Row.Scientific : Row.Standard))
            Keys = Row.Keys;
    // The region's separator, and "." wherever the separator is another one.
    if (Character == Decimal || (Character == u'.' && Decimal != u'.'))
        Keys.push_back(ckPoint);
    return Keys;
}

} // namespace BrixTest
