#include "brix/calcwindows/calculators_keypad.h"

#include <array>

namespace Brix {

namespace {

constexpr int KeyWidth = 30;
constexpr int DigitWidth = 40;

// Columns at 5 + 30c: the standard window's six, the scientific function
// rows' seven.
constexpr std::array<TBrixKeypadColumn, 7> EvenColumns{{
    {5, KeyWidth},
    {35, KeyWidth},
    {65, KeyWidth},
    {95, KeyWidth},
    {125, KeyWidth},
    {155, KeyWidth},
    {185, KeyWidth},
}};
// The scientific keypad: three 40-wide digit columns, then three 30-wide
// operator columns.
constexpr std::array<TBrixKeypadColumn, 6> DigitColumns{{
    {5, DigitWidth},
    {45, DigitWidth},
    {85, DigitWidth},
    {126, KeyWidth},
    {156, KeyWidth},
    {186, KeyWidth},
}};
// Its last row: four 30-wide keys under the digits, then the operator
// columns.
constexpr std::array<TBrixKeypadColumn, 7> BottomColumns{{
    {5, KeyWidth},
    {35, KeyWidth},
    {65, KeyWidth},
    {95, KeyWidth},
    {126, KeyWidth},
    {156, KeyWidth},
    {186, KeyWidth},
}};

constexpr std::span<const TBrixKeypadColumn> Standard(EvenColumns.data(), 6);
constexpr std::span<const TBrixKeypadColumn> Seven(EvenColumns);
constexpr std::span<const TBrixKeypadColumn> Digits(DigitColumns);
constexpr std::span<const TBrixKeypadColumn> Bottom(BottomColumns);

// Tool row at v; two function rows at v + h + 3 and v + 2h + 3; five keypad
// rows from v + 3h + 5, h apart.
constexpr std::array<TBrixKeypadRow, 8> FullRows{{
    {{1, 0, 0}, Standard},
    {{1, 1, 3}, Standard},
    {{1, 2, 3}, Standard},
    {{1, 3, 5}, Standard},
    {{1, 4, 5}, Standard},
    {{1, 5, 5}, Standard},
    {{1, 6, 5}, Standard},
    {{1, 7, 5}, Standard},
}};
// Tool row at v; the keypad rows from v + h + 3.
constexpr std::array<TBrixKeypadRow, 6> CompactRows{{
    {{1, 0, 0}, Standard},
    {{1, 1, 3}, Standard},
    {{1, 2, 3}, Standard},
    {{1, 3, 3}, Standard},
    {{1, 4, 3}, Standard},
    {{1, 5, 3}, Standard},
}};
// The full layout's rule, one column wider.
constexpr std::array<TBrixKeypadRow, 8> ScientificRows{{
    {{1, 0, 0}, Seven},
    {{1, 1, 3}, Seven},
    {{1, 2, 3}, Seven},
    {{1, 3, 5}, Digits},
    {{1, 4, 5}, Digits},
    {{1, 5, 5}, Digits},
    {{1, 6, 5}, Digits},
    {{1, 7, 5}, Bottom},
}};

// {key, row, column, span}
// clang-format off
constexpr TBrixKeyCell FullCells[] = {
    {ckCopy, 0, 0},        {ckPaste, 0, 1},          {ckCancel, 0, 4},
    {ckExit, 0, 5},

    {ckSin, 1, 0},         {ckCos, 1, 1},            {ckTan, 1, 2},
    {ckPercent, 1, 3},     {ckRad, 1, 4},            {ckInv, 1, 5},

    {ckPower, 2, 0},       {ckSquare, 2, 1},         {ckSqRoot, 2, 2},
    {ckInvert, 2, 3},      {ckLog, 2, 4},            {ckLN, 2, 5},

    {ckSeven, 3, 0},       {ckEight, 3, 1},          {ckNine, 3, 2},
    {ckMultiply, 3, 3},    {ckAllClear, 3, 4},       {ckMemoryClear, 3, 5},

    {ckFour, 4, 0},        {ckFive, 4, 1},           {ckSix, 4, 2},
    {ckDivide, 4, 3},      {ckClear, 4, 4},          {ckMemoryAdd, 4, 5},

    {ckOne, 5, 0},         {ckTwo, 5, 1},            {ckThree, 5, 2},
    {ckAdd, 5, 3},         {ckPi, 5, 4},             {ckMemorySubtract, 5, 5},

    {ckZero, 6, 0},        {ckPoint, 6, 1},          {ckChangeSign, 6, 2},
    {ckSubtract, 6, 3},    {ckE, 6, 4},              {ckMemoryRecall, 6, 5},

    {ckLeftBracket, 7, 0}, {ckRightBracket, 7, 1},   {ckBackSpace, 7, 2},
    {ckEquals, 7, 3, 3},
};

// The full keypad without the function rows, pi and e; percent moves beside
// the add key.
constexpr TBrixKeyCell CompactCells[] = {
    {ckCopy, 0, 0},        {ckPaste, 0, 1},          {ckCancel, 0, 4},
    {ckExit, 0, 5},

    {ckSeven, 1, 0},       {ckEight, 1, 1},          {ckNine, 1, 2},
    {ckMultiply, 1, 3},    {ckAllClear, 1, 4},       {ckMemoryClear, 1, 5},

    {ckFour, 2, 0},        {ckFive, 2, 1},           {ckSix, 2, 2},
    {ckDivide, 2, 3},      {ckClear, 2, 4},          {ckMemoryAdd, 2, 5},

    {ckOne, 3, 0},         {ckTwo, 3, 1},            {ckThree, 3, 2},
    {ckAdd, 3, 3},         {ckPercent, 3, 4},        {ckMemorySubtract, 3, 5},

    {ckZero, 4, 0},        {ckPoint, 4, 1},          {ckChangeSign, 4, 2},
    {ckSubtract, 4, 3},    {ckMemoryRecall, 4, 5},

    {ckLeftBracket, 5, 0}, {ckRightBracket, 5, 1},   {ckBackSpace, 5, 2},
    {ckEquals, 5, 3, 3},
};

constexpr TBrixKeyCell ScientificCells[] = {
    {ckCopy, 0, 0},        {ckPaste, 0, 1},          {ckCancel, 0, 5},
    {ckExit, 0, 6},

    {ckSin, 1, 0},         {ckCos, 1, 1},            {ckTan, 1, 2},
    {ckPercent, 1, 3},     {ckRad, 1, 4},            {ckInv, 1, 5},
    {ckHyp, 1, 6},

    {ckPower, 2, 0},       {ckSquare, 2, 1},         {ckSqRoot, 2, 2},
    {ckInvert, 2, 3},      {ckLog, 2, 4},            {ckLN, 2, 5},
    {ckLg2, 2, 6},

    {ckSeven, 3, 0},       {ckEight, 3, 1},          {ckNine, 3, 2},
    {ckMultiply, 3, 3},    {ckAllClear, 3, 4},       {ckMemoryClear, 3, 5},

    {ckFour, 4, 0},        {ckFive, 4, 1},           {ckSix, 4, 2},
    {ckDivide, 4, 3},      {ckClear, 4, 4},          {ckMemoryAdd, 4, 5},

    {ckOne, 5, 0},         {ckTwo, 5, 1},            {ckThree, 5, 2},
    {ckAdd, 5, 3},         {ckPi, 5, 4},             {ckMemorySubtract, 5, 5},

    {ckZero, 6, 0},        {ckPoint, 6, 1},          {ckChangeSign, 6, 2},
    {ckSubtract, 6, 3},    {ckE, 6, 4},              {ckMemoryRecall, 6, 5},

    {ckLeftBracket, 7, 0}, {ckRightBracket, 7, 1},   {ckBackSpace, 7, 2},
    {ckExp, 7, 3},         {ckEquals, 7, 4, 3},
};
// clang-format on

// The memory display sits 5 pixels below the last keypad row (4 in the
// scientific window); the client area ends v - 5 below its top.
constexpr TBrixKeypadLayout Layouts[] = {
    {CompactRows, CompactCells, 6 * KeyWidth + 10, {1, 6, 8}, {2, 6, 3}},
    {FullRows, FullCells, 6 * KeyWidth + 10, {1, 8, 10}, {2, 8, 5}},
    {ScientificRows, ScientificCells, 7 * KeyWidth + 10, {1, 8, 9}, {2, 8, 4}},
};

// Every cell names an existing row and columns within it, and no key is
// placed twice.
constexpr bool CellsFit(const TBrixKeypadLayout &Layout)
{
    bool Seen[BrixCalcKeyCount] = {};
    for (const TBrixKeyCell &Cell : Layout.Cells) {
        if (Cell.Row < 0 || Cell.Row >= int(Layout.Rows.size()) || Cell.Column < 0 ||
            Cell.Span < 1 || Cell.Column + Cell.Span > int(Layout.Rows[Cell.Row].Columns.size()))
            return false;
        if (Cell.Key >= BrixCalcKeyCount || Seen[Cell.Key])
            return false;
        Seen[Cell.Key] = true;
    }
    return Layout.Rows.size() >= 2;
}
static_assert(CellsFit(Layouts[wkCompact]) && CellsFit(Layouts[wkFull]) &&
              CellsFit(Layouts[wkScientific]));
static_assert(std::size(FullCells) == BrixStandardKeyCount);
static_assert(std::size(ScientificCells) == BrixCalcKeyCount);

} // namespace

const TBrixKeypadLayout &KeypadLayout(TBrixCalcWindowKind Kind)
{
    return Layouts[Kind];
}

} // namespace Brix
