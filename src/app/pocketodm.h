// The program's data module: a plain container that owns the four library
// components of the calculator and links them, built in code between
// BeginLoading() and EndLoading() so each component's Loaded() runs as after
// reading a stored description.
#pragma once

#include "brix/classes/component.h"
#include "pocketowindow.h"

namespace Brix {
class TBrixCalcForm;
class TBrixCalcFormBase;
class TBrixSciCalcForm;
class TBrixCalculator;
class TBrixFormatter;
class TBrixStoreCtrl;
class TBrixUICtrl;
} // namespace Brix

class TDM : public Brix::TComponent
{
public:
    // The module with its four components: the calculator (compact standard
    // window, title "LumoPocketo v" and the version, displays in "Segoe UI"), the
    // formatter (percent places 2), the UI control (header, calculator and
    // calendar fonts) and the store control (buffered INI file
    // "%AppDir%\lumopocketo.ini", section "Defaults"). Freed with Free(),
    // which frees the components; the buffered settings file is written when
    // the store control goes (call its ForceCloseStorage first to see a
    // write failure).
    static TDM *Create(Brix::TComponent *AOwner = nullptr);

    Brix::TBrixCalculator *BrixCalculator1 = nullptr;
    Brix::TBrixFormatter *BrixFormatter1 = nullptr;
    Brix::TBrixUICtrl *BrixUICtrl1 = nullptr;
    Brix::TBrixStoreCtrl *BrixStoreCtrl1 = nullptr;

    // The program's own options (tape, settings file), read and written by
    // the program beside the component's.
    TPocketoOptions Options;

    // Trims the calculator window just before it is shown: the title is the
    // program's again (the window's language gave it the table's), the
    // cancel key is hidden (Escape still cancels, through the hidden key),
    // and the window gets the program's menu and tape.
    void BrixCalculator1StartCalculator(Brix::TObject *Sender, Brix::TBrixCalcForm *&CalcForm);
    // The same for the scientific window.
    void BrixCalculator1StartSciCalculator(Brix::TObject *Sender,
                                           Brix::TBrixSciCalcForm *&CalcForm);

protected:
    explicit TDM(Brix::TComponent *AOwner) : Brix::TComponent(AOwner) {}

private:
    void TrimWindow(Brix::TBrixCalcFormBase &Form);
};
