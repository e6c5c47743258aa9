/// @file
/// The symbols of the calculator keys, drawn as vectors at whatever size and
/// device pixel ratio the key asks for, so they stay crisp at any scale factor.
/// Three looks, as on the classic keys: normal (the palette's button text
/// colour), disabled (its disabled button text, on light keys with a relief
/// in its light colour) and pressed (a red as light as the button text: dark
/// red on light keys). Every colour but the program icon's comes from the
/// palette, so that a dark palette gives light glyphs.
#pragma once

#include "brix/export.h"

#include <QIcon>
#include <QPainter>
#include <QPalette>

namespace Brix {

/// The pictures drawn on the keys that show one instead of a caption.
enum TBrixGlyph
{
    kgChangeSign, ///< plus-minus sign
    kgSubtract,   ///< minus sign
    kgAdd,        ///< plus sign
    kgDivide,     ///< division sign
    kgMultiply,   ///< multiplication cross
    kgPower,      ///< x with superscript y
    kgPi,         ///< pi
    kgSquare,     ///< x squared
    kgSqRoot,     ///< square root of x
    kgInvert,     ///< 1/x
    kgBackSpace,  ///< left arrow
    kgCopy,       ///< two pages
    kgPaste,      ///< clipboard
    kgCancel,     ///< red cross
    kgExit,       ///< door
    kgAppIcon     ///< the program's icon: a small pocket calculator
};

/// Paints Glyph centred in the largest square of Rect in the look of Mode
/// (QIcon::Active and QIcon::Selected give the pressed look), in the colours
/// of Palette. Vector drawing: sharp at the painter's device pixel ratio.
BRIX_CONTROLS_EXPORT void PaintBrixGlyph(QPainter &Painter, const QRect &Rect, TBrixGlyph Glyph,
                                         QIcon::Mode Mode, const QPalette &Palette);

/// An icon that paints Glyph for every size, mode and device pixel ratio, in
/// the colours of the application's palette when it is painted.
BRIX_CONTROLS_EXPORT QIcon BrixGlyphIcon(TBrixGlyph Glyph);

} // namespace Brix
