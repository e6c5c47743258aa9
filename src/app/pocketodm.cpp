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
#include "brix/resources/languages.h"

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

// The Boolean keys of the Settings dialog. The component reads the first
// five with its own keys and writes them on every kept close; the program
// reads the formatter's three at start. After Escape, and for the
// formatter's keys always, the program writes a key only when the user
// changed it.
struct TDialogKey
{
    const char *Name;
    bool TPocketoSettings::*Field;
    bool SavedByComponent;
};
const TDialogKey DialogKeys[] = {
    {"Precedence", &TPocketoSettings::Precedence, true},
    {"Prefix Functions", &TPocketoSettings::PrefixFunctions, true},
    {"Binary Percent", &TPocketoSettings::BinaryPercent, true},
    {"Operator Same Line", &TPocketoSettings::OperatorSameLine, true},
    {"Stay On Top", &TPocketoSettings::StayOnTop, true},
    {"Trim Trailing Zeroes", &TPocketoSettings::TrimTrailingZeroes, false},
    {"Show Thousands Separators", &TPocketoSettings::ShowThousands, false},
    {"Lakh Formatting", &TPocketoSettings::LakhFormatting, false},
};

// The program's own choices from the window's menu, written when changed.
struct TOptionKey
{
    const char *Name;
    bool TPocketoOptions::*Field;
};
const TOptionKey OptionKeys[] = {
    {"Show Tape", &TPocketoOptions::ShowTape},
    {"Scientific", &TPocketoOptions::Scientific},
};

const QString LanguageKey = QStringLiteral("Language");

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
    // The component hands the window every calculation option but this one;
    // without it the setting would never reach a calculation.
    Form.CalcEngine->SetOperatorSameLine(BrixCalculator1->OperatorSameLine());
    // The window this one replaces goes on here: its whole calculation (the
    // pending one, the tape, the toggles) and its undo steps.
    if (std::optional<TPocketoCarried> Carried = std::exchange(Options.Carried, std::nullopt)) {
        Form.CalcEngine->RestoreState(Carried->State);
        Form.RadBtn->setText(Form.CalcEngine->GetAngleModeStr());
        Form.UndoHistory() = std::move(Carried->UndoHistory);
    }
    new TPocketoWindowExtras(Form, *this); // a child of the window
}

// ---- Settings ----

void TDM::LoadFromStore()
{
    BrixCalculator1->LoadFromStore();
    // The formatter's keys (those the component does not read) are read
    // from the store's own section.
    TBrixStoreCtrl &Store = *BrixStoreCtrl1;
    TPocketoSettings Read = Settings();
    for (const TDialogKey &Key : DialogKeys)
        if (!Key.SavedByComponent)
            Read.*Key.Field = Store.ReadBoolean(QString::fromLatin1(Key.Name), Read.*Key.Field);
    TBrixFloatFormatter &Float = *BrixFormatter1->FloatFormatter();
    Float.SetTrimTrailingZeroes(Read.TrimTrailingZeroes);
    Float.SetShowThousands(Read.ShowThousands);
    Float.SetLakhFormatting(Read.LakhFormatting);
    for (const TOptionKey &Key : OptionKeys)
        Options.*Key.Field = Store.ReadBoolean(QString::fromLatin1(Key.Name), Options.*Key.Field);
    // A key that is there wins over the files before, also when empty: the
    // user's "follow the desktop" over a language that a shipped file names.
    const QString Missing = QStringLiteral("\n"); // no value of a line can hold it
    const QString Language = Store.ReadString(LanguageKey, Missing);
    if (Language != Missing)
        FChosenLanguage = Language;
}

void TDM::FinishLoading(const QStringList &LocaleNames)
{
    FLocaleNames = LocaleNames;
    ChooseLanguageByName(FChosenLanguage);
    FLoaded = Settings();
    FLoadedOptions = Options;
}

bool TDM::UseTranslations()
{
    const TBrixLanguage Language = BrixCalculator1->Language();
    if (FTranslators && FTranslatorsLanguage == Language)
        return false;
    FTranslators.reset(); // the old language's texts go first
    FTranslators.emplace(Language);
    FTranslatorsLanguage = Language;
    return true;
}

TPocketoSettings TDM::Settings() const
{
    const TBrixCalculator &Calc = *BrixCalculator1;
    const TBrixFloatFormatter &Float = *BrixFormatter1->FloatFormatter();
    TPocketoSettings S;
    S.AngleMode = Calc.AngleMode();
    S.DecimalPlaces = Calc.DecimalPlaces();
    S.Precedence = Calc.Precedence();
    S.PrefixFunctions = Calc.PrefixFunctions();
    S.BinaryPercent = Calc.BinaryPercent();
    S.OperatorSameLine = Calc.OperatorSameLine();
    S.ShowThousands = Float.ShowThousands();
    S.LakhFormatting = Float.LakhFormatting();
    S.TrimTrailingZeroes = Float.TrimTrailingZeroes();
    S.StayOnTop = Calc.StayOnTop();
    S.Language = FChosenLanguage;
    return S;
}

void TDM::ApplySettings(const TPocketoSettings &Value)
{
    TBrixCalculator &Calc = *BrixCalculator1;
    Calc.SetPrecedence(Value.Precedence);
    Calc.SetPrefixFunctions(Value.PrefixFunctions);
    Calc.SetBinaryPercent(Value.BinaryPercent);
    Calc.SetOperatorSameLine(Value.OperatorSameLine);
    Calc.SetStayOnTop(Value.StayOnTop);
    TBrixFloatFormatter &Float = *BrixFormatter1->FloatFormatter();
    Float.SetShowThousands(Value.ShowThousands);
    Float.SetLakhFormatting(Value.LakhFormatting);
    Float.SetTrimTrailingZeroes(Value.TrimTrailingZeroes);
    ChooseLanguageByName(Value.Language);
}

void TDM::ChooseLanguageByName(const QString &Name)
{
    // A name that names no language follows the desktop, as "" does.
    const std::optional<TBrixLanguage> Chosen = LanguageFromName(Name);
    FChosenLanguage = Chosen ? LanguageName(*Chosen) : QString();
    BrixCalculator1->SetLanguage(ChooseLanguage(FChosenLanguage, FLocaleNames));
}

bool TDM::HasChangesToSave(bool Kept) const
{
    if (Kept || !(Settings() == FLoaded))
        return true;
    for (const TOptionKey &Key : OptionKeys)
        if (Options.*Key.Field != FLoadedOptions.*Key.Field)
            return true;
    return false;
}

void TDM::SaveToStore(bool Kept)
{
    if (Kept)
        BrixCalculator1->SaveToStore();
    TBrixStoreCtrl &Store = *BrixStoreCtrl1;
    Store.SetIniSection(QStringLiteral("Defaults"));
    const TPocketoSettings Now = Settings();
    for (const TDialogKey &Key : DialogKeys)
        if (Now.*Key.Field != FLoaded.*Key.Field && !(Kept && Key.SavedByComponent))
            Store.WriteBoolean(QString::fromLatin1(Key.Name), Now.*Key.Field);
    // "" (follow the desktop) is written too when it replaces a chosen name.
    if (Now.Language != FLoaded.Language)
        Store.WriteString(LanguageKey, Now.Language);
    for (const TOptionKey &Key : OptionKeys)
        if (Options.*Key.Field != FLoadedOptions.*Key.Field)
            Store.WriteBoolean(QString::fromLatin1(Key.Name), Options.*Key.Field);
}
