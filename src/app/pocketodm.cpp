#include "pocketodm.h"
#include "placement.h"
#include "pocketowindow.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/formatters/components.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/languages.h"
#include "brix/store/storectrls.h"
#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/uictrls.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
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

const QString LanguageKey = QStringLiteral("Language");
const QString TapeWidthKey = QStringLiteral("Tape Width");
const QString TapeHeightKey = QStringLiteral("Tape Height");

} // namespace

TDM *TDM::Create(TComponent *AOwner, TPocketoOptionTable Table)
{
    auto *DM = new TDM(AOwner);
    DM->FOptionTable = Table;
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

    DM->FTarget = {DM->BrixCalculator1, DM->BrixFormatter1->FloatFormatter(), &DM->Choices};
    for (const TPocketoOption &Option : Table)
        Option.Apply(DM->FTarget, Option.Default);
    DM->FLoaded = DM->Settings();
    DM->FLoadedFlags = DM->Flags();

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
    // The program's own window: a normal application window (docks and
    // window lists show it, with the program's icon and name) rather than
    // the component's modal dialog; the component then runs it non-modally.
    Form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint |
                        (Form.windowFlags() & Qt::WindowStaysOnTopHint));
    // The window took the table's title when it got its language.
    Form.setWindowTitle(BrixCalculator1->Title());
    Form.CancelBtn->hide();
    // The component hands the window only some of the options that the
    // window holds too; it takes each one here, so that every option reaches
    // a calculation.
    for (const TPocketoOption &Option : FOptionTable)
        if (Option.ApplyToWindow)
            Option.ApplyToWindow(Form, Option.Read(FTarget));
    // The window this one replaces goes on here: its whole calculation (the
    // pending one, the tape, the toggles) and its undo steps.
    std::optional<QPoint> ChosenCorner;
    if (std::optional<TPocketoCarried> Carried = std::exchange(FCarried, std::nullopt)) {
        Form.CalcEngine->RestoreState(Carried->State);
        Form.RadBtn->setText(Form.CalcEngine->GetAngleModeStr());
        Form.UndoHistory() = std::move(Carried->UndoHistory);
        // It takes the place of the window it replaces, whose top-left
        // corner stays where the user put it (within the screen: the new
        // window may be wider).
        if (Carried->TopLeft) {
            const QRect Frame = QRect(*Carried->TopLeft, Form.size()).marginsAdded(Carried->Frame);
            const QScreen *Screen = QGuiApplication::screenAt(Frame.topLeft());
            if (!Screen)
                Screen = QGuiApplication::primaryScreen();
            const QRect Kept = Screen ? KeptWithin(Frame, Screen->availableGeometry()) : Frame;
            Form.SetPosition(poDesigned);
            Form.setGeometry(Kept.marginsRemoved(Carried->Frame));
            ChosenCorner = Carried->TopLeft;
        }
    }
    auto *Extras = new TPocketoWindowExtras(Form, *this); // a child of the window
    if (ChosenCorner)
        Extras->SetChosenCorner(*ChosenCorner);
}

// ---- Settings ----

void TDM::LoadFromStore()
{
    BrixCalculator1->LoadFromStore();
    // The keys the component does not read are read from the store's own
    // section.
    TBrixStoreCtrl &Store = *BrixStoreCtrl1;
    for (const TPocketoOption &Option : FOptionTable)
        if (!Option.SavedByComponent)
            Option.Apply(FTarget,
                         Store.ReadBoolean(QString::fromLatin1(Option.Key), Option.Read(FTarget)));
    // A key that is there wins over the files before, also when empty: the
    // user's "follow the desktop" over a language that a shipped file names.
    const QString Missing = QStringLiteral("\n"); // no value of a line can hold it
    const QString Language = Store.ReadString(LanguageKey, Missing);
    if (Language != Missing)
        FChosenLanguage = Language;
    // A size the user gave the tape; one that no window could have is none.
    const int Width = Store.ReadInteger(TapeWidthKey, 0);
    const int Height = Store.ReadInteger(TapeHeightKey, 0);
    if (Width > 0 && Height > 0 && Width <= 100000 && Height <= 100000)
        Choices.TapeSize = QSize(Width, Height);
}

void TDM::FinishLoading(const QStringList &LocaleNames)
{
    FLocaleNames = LocaleNames;
    ChooseLanguageByName(FChosenLanguage);
    FLoaded = Settings();
    FLoadedFlags = Flags();
    FLoadedTapeSize = Choices.TapeSize;
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
    TPocketoSettings S;
    S.AngleMode = Calc.AngleMode();
    S.DecimalPlaces = Calc.DecimalPlaces();
    S.Language = FChosenLanguage;
    for (const TPocketoOption &Option : FOptionTable)
        if (Option.InDialog())
            S.Flags.push_back({&Option, Option.Read(FTarget)});
    return S;
}

std::vector<bool> TDM::Flags() const
{
    std::vector<bool> Values;
    for (const TPocketoOption &Option : FOptionTable)
        Values.push_back(Option.Read(FTarget));
    return Values;
}

void TDM::ApplySettings(const TPocketoSettings &Value)
{
    for (const TPocketoFlag &Flag : Value.Flags)
        Flag.Option->Apply(FTarget, Flag.Value);
    ChooseLanguageByName(Value.Language);
}

TBrixLanguage TDM::Language() const
{
    return BrixCalculator1->Language();
}

void TDM::SaveTape()
{
    const QString Error = FTape.Save();
    if (Error.isEmpty() || FTapeSaveFailed)
        return;
    // Told once: the tape is written again after every calculation.
    FTapeSaveFailed = true;
    std::fprintf(stderr, "lumopocketo: the tape could not be saved to %s (%s)\n",
                 qUtf8Printable(FTape.File()), qUtf8Printable(Error));
}

void TDM::ReplaceWindow(TPocketoCarried Carried)
{
    FReplaceWindow = true;
    FCarried = std::move(Carried);
}

bool TDM::ShowCalculator(bool Scientific)
{
    bool Kept = false;
    do {
        FReplaceWindow = false;
        BrixCalculator1->SetCalculatorType(Scientific ? ctScientific : ctStandard);
        Kept = BrixCalculator1->Execute();
        Scientific = Choices.Scientific;
    } while (FReplaceWindow);
    return Kept;
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
    return Kept || !(Settings() == FLoaded) || Flags() != FLoadedFlags ||
           Choices.TapeSize != FLoadedTapeSize;
}

void TDM::SaveToStore(bool Kept)
{
    if (Kept)
        BrixCalculator1->SaveToStore();
    TBrixStoreCtrl &Store = *BrixStoreCtrl1;
    Store.SetIniSection(QStringLiteral("Defaults"));
    const std::vector<bool> Now = Flags();
    // The dialog's keys, then the language, then the menu's.
    const auto WriteChanged = [&](bool InDialog) {
        for (size_t I = 0; I < FOptionTable.size(); ++I) {
            const TPocketoOption &Option = FOptionTable[I];
            if (Option.InDialog() == InDialog && Now[I] != FLoadedFlags[I] &&
                !(Kept && Option.SavedByComponent))
                Store.WriteBoolean(QString::fromLatin1(Option.Key), Now[I]);
        }
    };
    WriteChanged(true);
    // "" (follow the desktop) is written too when it replaces a chosen name.
    if (FChosenLanguage != FLoaded.Language)
        Store.WriteString(LanguageKey, FChosenLanguage);
    WriteChanged(false);
    if (Choices.TapeSize != FLoadedTapeSize && Choices.TapeSize.isValid()) {
        Store.WriteInteger(TapeWidthKey, Choices.TapeSize.width());
        Store.WriteInteger(TapeHeightKey, Choices.TapeSize.height());
    }
}
