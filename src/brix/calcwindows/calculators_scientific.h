// The scientific calculator window: the standard keypad widened by one column
// for the hyperbolic toggle, the binary logarithm and the exponent key, in
// one layout only (220 x 248 at the design sizes). Typing "E" enters the
// exponent mark, "X" is not a key here, F10 does nothing, and a click on the
// free panel area only moves the focus.
#pragma once

#include "brix/calcwindows/calculators_standard.h"

namespace Brix {

class TBrixSciCalcForm : public TBrixCalcFormBase
{
    Q_OBJECT
public:
    // A hidden window with a fresh, cleared engine.
    explicit TBrixSciCalcForm(QWidget *Parent = nullptr);

    TBrixSpeedButton *HypBtn = nullptr;
    TBrixSpeedButton *ExpBtn = nullptr;
    TBrixSpeedButton *Lg2btn = nullptr;

    // Width 7w + 10, height 2v + 8h + 4 (w the width of SinBtn, h the key
    // height, v the value display's height + 10); keypad rows at 105..193
    // and the memory display at 219 at the design sizes.
    void RedrawCalc() override;

protected:
    bool MapWindowCharacter(QChar Upper, TBrixCalcKey &Key) const override;
    bool ExitsOnF10() const override { return false; }
};

} // namespace Brix
