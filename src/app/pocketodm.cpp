#include "pocketodm.h"

#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calculator/engine.h"
#include "brix/store/storectrls.h"
#include "brix/widgets/uictrls.h"
#include "brix/formatters/components.h"
#include "brix/formatters/numeric.h"

#include <utility>

using namespace Brix;

namespace {

// A font given by its character height in pixels (a negative height), so
// that its size does not depend on the screen's dots per inch.
TFont FontOfHeight(const QString &Name, int PixelHeight, TFontStyles Style)
{
    TFont Font(Name, 9, Style, clWindowText, DEFAULT_CHARSET);
    Font.SetHeight(-PixelHeight);
    return Font;
}

} // namespace

TDM *TDM::Create(TComponent *AOwner)
{
    auto *DM = new TDM(AOwner);
    DM->SetName(QStringLiteral("DM"));
    DM->BrixCalculator1 = TBrixCalculator::Create(DM);
    DM->BrixFormatter1 = TBrixFormatter::Create(DM);
    DM->BrixUICtrl1 = TBrixUICtrl::Create(DM);
    DM->BrixStoreCtrl1 = TBrixStoreCtrl::Create(DM);
    DM->BrixCalculator1->SetName(QStringLiteral("BrixCalculator1"));
    DM->BrixFormatter1->SetName(QStringLiteral("BrixFormatter1"));
    DM->BrixUICtrl1->SetName(QStringLiteral("BrixUICtrl1"));
    DM->BrixStoreCtrl1->SetName(QStringLiteral("BrixStoreCtrl1"));

    DM->BeginLoading();

    TBrixCalculator &Calc = *DM->BrixCalculator1;
    Calc.SetFormatter(DM->BrixFormatter1);
    Calc.SetUICtrl(DM->BrixUICtrl1);
    Calc.SetStoreCtrl(DM->BrixStoreCtrl1);
    Calc.SetPocketo(true);
    Calc.SetDisplayFont(QStringLiteral("Segoe UI"));
    Calc.SetTitle(QStringLiteral("LumoPocketo v" BRIX_VERSION_STRING));
    Calc.SetOnStartCalculator([DM](TObject *Sender, TBrixCalcForm *&CalcForm) {
        DM->BrixCalculator1StartCalculator(Sender, CalcForm);
    });
    Calc.SetOnStartSciCalculator([DM](TObject *Sender, TBrixSciCalcForm *&CalcForm) {
        DM->BrixCalculator1StartSciCalculator(Sender, CalcForm);
    });

    DM->BrixFormatter1->PercentSettings()->SetDecimalPlaces(2);

    TBrixUICtrl &UI = *DM->BrixUICtrl1;
    UI.DrawSettings()->SetHeaderFont(
        FontOfHeight(QStringLiteral("Arial"), 12, FontStyleBit(fsBold)));
    UI.CalculatorSettings()->SetDisplayFont(FontOfHeight(QStringLiteral("Segoe UI"), 12, 0));
    UI.CalendarSettings()->SetDisplayFont(FontOfHeight(QStringLiteral("Tahoma"), 11, 0));

    TBrixStoreCtrl &Store = *DM->BrixStoreCtrl1;
    Store.SetStorageType(stBufferedIniFile);
    Store.SetIniFile(QStringLiteral("%AppDir%\\lumopocketo.ini"));
    Store.SetIniSection(QStringLiteral("Defaults"));
    Store.SetRegPath(QStringLiteral("\\Software\\Vintra"));
    Store.SetRegSection(QStringLiteral("Defaults"));

    DM->EndLoading();
    return DM;
}

void TDM::BrixCalculator1StartCalculator(TObject *, TBrixCalcForm *&CalcForm)
{
    TrimWindow(*CalcForm);
}

void TDM::BrixCalculator1StartSciCalculator(TObject *, TBrixSciCalcForm *&CalcForm)
{
    TrimWindow(*CalcForm);
}

void TDM::TrimWindow(TBrixCalcFormBase &Form)
{
    // The window took the table's title when it got its language.
    Form.setWindowTitle(BrixCalculator1->Title());
    Form.CancelBtn->hide();
    // The tape of the window this one replaces, in place of the line its
    // start wrote.
    if (const std::optional<QStringList> Tape = std::exchange(Options.CarriedTape, std::nullopt)) {
        Form.CalcEngine->ClearHistory();
        for (const QString &Line : *Tape)
            Form.CalcEngine->AddHistoryLine(Line, false);
    }
    new TPocketoWindowExtras(Form, Options); // a child of the window
}
