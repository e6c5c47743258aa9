/// @file
/// The scientific calculator window: the standard keypad widened by one column
/// for the hyperbolic toggle, the binary logarithm and the exponent key, in
/// one layout only (220 x 248 at the design sizes). Typing "E" enters the
/// exponent mark, "X" is not a key here, F10 does nothing, and a click on the
/// free panel area only moves the focus.
#pragma once

#include "brix/export.h"

#include "brix/calcwindows/calculators_standard.h"

namespace Brix {

/// The scientific window: the keys of the full standard layout plus Hyp,
/// the exponent key and lg2, in a column of their own.
class BRIX_CONTROLS_EXPORT TBrixSciCalcForm : public TBrixCalcFormBase
{
    Q_OBJECT
public:
    /// A hidden window with a fresh, cleared engine.
    explicit TBrixSciCalcForm(QWidget *Parent = nullptr);

    /// The window's own keys: Hyp, the exponent key and lg2.
    ///@{
    TBrixSpeedButton *HypBtn = nullptr;
    TBrixSpeedButton *ExpBtn = nullptr;
    TBrixSpeedButton *Lg2btn = nullptr;
    ///@}

    /// Laid out 220 x 248 at the design sizes (keys 30 x 22, the digits 40
    /// wide, display height 24): keypad rows at 105..193, the memory display
    /// at 219.
    TBrixCalcWindowKind WindowKind() const override { return wkScientific; }
};

} // namespace Brix
