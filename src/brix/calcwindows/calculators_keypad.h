/// @file
/// The keypads of the calculator windows as data: for each layout (compact,
/// full, scientific) a grid of {key, row, column, span}, the rows' column
/// positions and widths, and the rules that give each row's top edge from the
/// two sizes the layout follows. One routine of the window
/// (TBrixCalcFormBase::PlaceKeypad) places every key from it.
#pragma once

#include "brix/export.h"

#include "brix/calculator/keys.h"

#include <span>

namespace Brix {

/// The window kinds. The compact and the full layout are the standard window
/// with and without its thirteen function keys; they share one keyboard.
enum TBrixCalcWindowKind
{
    wkCompact,
    wkFull,
    wkScientific
};

/// A distance down the panel: V times v plus H times h plus Pixels, where v is
/// the value display's height + 10 and h a key's height. At the design sizes
/// (v 34, h 22) {1, 3, 5} is 105.
struct BRIX_CONTROLS_EXPORT TBrixRowRule
{
    /// The multiples of v and h and the fixed pixels.
    ///@{
    int V;
    int H;
    int Pixels;
    ///@}

    /// The distance at a value-display step VSize and a key height HSize.
    constexpr int At(int VSize, int HSize) const { return V * VSize + H * HSize + Pixels; }
};

/// One column of a row: its left edge and width in pixels.
struct BRIX_CONTROLS_EXPORT TBrixKeypadColumn
{
    /// Pixels.
    ///@{
    int Left;
    int Width;
    ///@}
};

/// One row of a layout: where its top edge is and which columns it has (rows
/// of one layout may have different columns, as the scientific keypad's
/// 40-wide digit columns).
struct BRIX_CONTROLS_EXPORT TBrixKeypadRow
{
    /// The top edge, and the columns from left to right.
    ///@{
    TBrixRowRule Top;
    std::span<const TBrixKeypadColumn> Columns;
    ///@}
};

/// One key on the grid. A key spanning several columns is as wide as they are
/// together (the equals key: three).
struct BRIX_CONTROLS_EXPORT TBrixKeyCell
{
    /// The key, its row and first column, and how many columns it spans.
    ///@{
    TBrixCalcKey Key;
    int Row;
    int Column;
    int Span = 1;
    ///@}
};

/// A whole window layout: the rows with their columns, the keys on them, the client width, the
/// memory display's top and the client height.
struct BRIX_CONTROLS_EXPORT TBrixKeypadLayout
{
    /// Row 0 is the tool row (copy, paste, the decimal places box, cancel,
    /// exit); the box takes the room from its top down to row 1.
    std::span<const TBrixKeypadRow> Rows;
    /// Every key the layout shows; the window's other keys are hidden.
    std::span<const TBrixKeyCell> Cells;
    /// The client width in pixels; the memory display's top and the client height as distances
    /// down the panel.
    ///@{
    int ClientWidth;
    TBrixRowRule MemoryTop;
    TBrixRowRule ClientHeight;
    ///@}
};

/// The layout of a window kind. Design sizes: compact 190 x 203, full
/// 190 x 249, scientific 220 x 248.
BRIX_CONTROLS_EXPORT const TBrixKeypadLayout &KeypadLayout(TBrixCalcWindowKind Kind);

} // namespace Brix
