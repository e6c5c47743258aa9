/// @file
/// The symbols of the calculator keys, drawn as vectors at whatever size and
/// device pixel ratio the key asks for, so they stay crisp at any scale factor.
/// Three looks, as on the classic keys: normal (black), disabled (grey with a
/// white relief) and pressed (dark red).
#pragma once

#include "brix/export.h"

#include <QIcon>

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

/// An icon that paints Glyph for every size, mode and device pixel ratio.
/// QIcon::Active and QIcon::Selected give the pressed look.
BRIX_CONTROLS_EXPORT QIcon BrixGlyphIcon(TBrixGlyph Glyph);

} // namespace Brix
