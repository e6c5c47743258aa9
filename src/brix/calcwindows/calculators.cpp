#include "brix/calcwindows/calculators.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/formatters/components.h"
#include "brix/store/storectrls.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"
#include "brix/widgets/uictrls.h"

#include <QEvent>
#include <QEventLoop>
#include <QFrame>

#include <memory>

namespace Brix {

// ---- The settings keys: one table that loading and saving both walk ----

struct TBrixCalculator::TSettingKey
{
    const char *Name;
    void (*Load)(TBrixCalculator &C, TBrixStoreCtrl &S, const QString &Name);
    void (*Save)(TBrixCalculator &C, TBrixStoreCtrl &S, const QString &Name);
};

const TBrixCalculator::TSettingKey *TBrixCalculator::SettingKeys(int &Count)
{
    using C = TBrixCalculator;
    using S = TBrixStoreCtrl;
    using N = const QString &;
    static const TSettingKey Keys[] = {
        {"Angle Mode",
         [](C &Calc, S &Store, N Name) {
             const int Mode = Store.ReadInteger(Name, Calc.AngleMode());
             if (Mode >= 0 && Mode < BrixAngleModeCount)
                 Calc.SetAngleMode(TBrixAngleMode(Mode));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteInteger(Name, Calc.AngleMode()); }},
        {"Decimal Places",
         [](C &Calc, S &Store, N Name) {
             // The option is one byte wide: only the low byte of the stored
             // number counts (260 reads as 4).
             Calc.SetDecimalPlaces(Byte(Store.ReadInteger(Name, Calc.DecimalPlaces())));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteInteger(Name, Calc.DecimalPlaces()); }},
        {"Use Memory",
         [](C &Calc, S &Store, N Name) {
             Calc.SetLoadMemoryAtStart(Store.ReadBoolean(Name, Calc.LoadMemoryAtStart()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.LoadMemoryAtStart()); }},
        {"Memory",
         [](C &Calc, S &Store, N Name) {
             if (Calc.LoadMemoryAtStart())
                 Calc.SetMemory(Store.ReadExtended(Name, Calc.Memory()));
             else
                 Calc.SetMemory(0);
         },
         [](C &Calc, S &Store, N Name) { Store.WriteExtended(Name, Calc.Memory(), 18); }},
        {"Prefix Functions",
         [](C &Calc, S &Store, N Name) {
             Calc.SetPrefixFunctions(Store.ReadBoolean(Name, Calc.PrefixFunctions()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.PrefixFunctions()); }},
        {"Precedence",
         [](C &Calc, S &Store, N Name) {
             Calc.SetPrecedence(Store.ReadBoolean(Name, Calc.Precedence()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.Precedence()); }},
        {"Position",
         [](C &Calc, S &Store, N Name) {
             const int Position = Store.ReadInteger(Name, Calc.Position()) & 0xFF;
             if (Position <= poOwnerFormCenter)
                 Calc.SetPosition(TPosition(Position));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteInteger(Name, Calc.Position()); }},
        {"Stay On Top",
         [](C &Calc, S &Store, N Name) {
             Calc.SetStayOnTop(Store.ReadBoolean(Name, Calc.StayOnTop()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.StayOnTop()); }},
        {"Operator Same Line",
         [](C &Calc, S &Store, N Name) {
             Calc.SetOperatorSameLine(Store.ReadBoolean(Name, Calc.OperatorSameLine()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.OperatorSameLine()); }},
        {"Binary Percent",
         [](C &Calc, S &Store, N Name) {
             Calc.SetBinaryPercent(Store.ReadBoolean(Name, Calc.BinaryPercent()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteBoolean(Name, Calc.BinaryPercent()); }},
        {"Display Font",
         [](C &Calc, S &Store, N Name) {
             Calc.SetDisplayFont(Store.ReadString(Name, Calc.DisplayFont()));
         },
         [](C &Calc, S &Store, N Name) { Store.WriteString(Name, Calc.DisplayFont()); }},
    };
    Count = int(std::size(Keys));
    return Keys;
}

// ---- Life ----

TBrixCalculator::TBrixCalculator(TComponent *AOwner) : TBrixBaseComponent(AOwner) {}

TBrixCalculator *TBrixCalculator::Create(TComponent *AOwner)
{
    return Brix::Create<TBrixCalculator>(AOwner);
}

void TBrixCalculator::InitInternals()
{
    TBrixBaseComponent::InitInternals();
    FCalcEngine = Brix::Create<TBrixCalcEngine>();
    FCalcEngine->SetPrecedence(true);
    FCalcEngine->SetDecimalPlaces(4);
    FCalcEngine->SetOperatorSameLine(false);
    FCalcEngine->SetPrefixFunctions(true);
    FCalcEngine->SetBinaryPercent(false);
    FCalcEngine->SetAngleMode(amRadians);
    FCalcEngine->SetEnableGrads(false);
    FCalcEngine->InputValue(0);
    FCalcEngine->SetMemory(0);
    FTitle = FCalcEngine->GetName(ectCalculator);
    FExitHint = FCalcEngine->GetName(ectExitHint);
}

void TBrixCalculator::DoneInternals()
{
    if (FCalcEngine) {
        FCalcEngine->Free();
        FCalcEngine = nullptr;
    }
    if (FUICtrl)
        FUICtrl->UnregisterForNotification(this);
    if (FFormatter)
        FFormatter->UnregisterForNotification(this);
    if (FStoreCtrl)
        FStoreCtrl->UnregisterForNotification(this);
    TBrixBaseComponent::DoneInternals();
}

void TBrixCalculator::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) {
        if (AComponent == FUICtrl)
            SetUICtrl(nullptr);
        else if (AComponent == FFormatter)
            SetFormatter(nullptr);
        else if (AComponent == FStoreCtrl)
            SetStoreCtrl(nullptr);
    }
    TBrixBaseComponent::Notification(AComponent, Operation);
}

// ---- Links ----

namespace {

template <class T> bool Relink(TBrixBaseComponent *Client, T *&Field, T *Value)
{
    if (Field == Value)
        return false;
    if (Field)
        Field->UnregisterForNotification(Client);
    Field = Value;
    if (Value) {
        Client->FreeNotification(Value);
        Value->RegisterForNotification(Client);
    }
    return true;
}

} // namespace

void TBrixCalculator::SetUICtrl(TBrixUICtrl *Value)
{
    Relink(this, FUICtrl, Value);
}

void TBrixCalculator::SetFormatter(TBrixFormatter *Value)
{
    if (!Relink(this, FFormatter, Value))
        return;
    if (FCalcEngine)
        FCalcEngine->SetFormatter(Value ? Value->FloatFormatter() : nullptr);
}

void TBrixCalculator::SetStoreCtrl(TBrixStoreCtrl *Value)
{
    Relink(this, FStoreCtrl, Value);
}

// ---- Engine properties ----

TBrixLanguage TBrixCalculator::Language() const
{
    return FCalcEngine->GetLanguage();
}
void TBrixCalculator::SetLanguage(TBrixLanguage Value)
{
    FCalcEngine->SetLanguage(Value);
}
const TBrixLanguageChangeEvent &TBrixCalculator::OnLanguageChange() const
{
    return FCalcEngine->OnLanguageChange();
}
void TBrixCalculator::SetOnLanguageChange(TBrixLanguageChangeEvent Value)
{
    FCalcEngine->SetOnLanguageChange(std::move(Value));
}

bool TBrixCalculator::Radians() const
{
    return FCalcEngine->AngleMode() == amRadians;
}
void TBrixCalculator::SetRadians(bool Value)
{
    SetAngleMode(Value ? amRadians : amDegrees);
}
TBrixAngleMode TBrixCalculator::AngleMode() const
{
    return FCalcEngine->AngleMode();
}
void TBrixCalculator::SetAngleMode(TBrixAngleMode Value)
{
    FCalcEngine->SetAngleMode(Value);
}
bool TBrixCalculator::EnableGrads() const
{
    return FCalcEngine->EnableGrads();
}
void TBrixCalculator::SetEnableGrads(bool Value)
{
    FCalcEngine->SetEnableGrads(Value);
}
Byte TBrixCalculator::DecimalPlaces() const
{
    return FCalcEngine->DecimalPlaces();
}
void TBrixCalculator::SetDecimalPlaces(Byte Value)
{
    FCalcEngine->SetDecimalPlaces(Value);
}
bool TBrixCalculator::Precedence() const
{
    return FCalcEngine->Precedence();
}
void TBrixCalculator::SetPrecedence(bool Value)
{
    FCalcEngine->SetPrecedence(Value);
}
bool TBrixCalculator::OperatorSameLine() const
{
    return FCalcEngine->OperatorSameLine();
}
void TBrixCalculator::SetOperatorSameLine(bool Value)
{
    FCalcEngine->SetOperatorSameLine(Value);
}
bool TBrixCalculator::PrefixFunctions() const
{
    return FCalcEngine->PrefixFunctions();
}
void TBrixCalculator::SetPrefixFunctions(bool Value)
{
    FCalcEngine->SetPrefixFunctions(Value);
}
bool TBrixCalculator::BinaryPercent() const
{
    return FCalcEngine->BinaryPercent();
}
void TBrixCalculator::SetBinaryPercent(bool Value)
{
    FCalcEngine->SetBinaryPercent(Value);
}
bool TBrixCalculator::IgnoreError() const
{
    return FCalcEngine->IgnoreError();
}
void TBrixCalculator::SetIgnoreError(bool Value)
{
    FCalcEngine->SetIgnoreError(Value);
}
bool TBrixCalculator::MemoryHistory() const
{
    return FCalcEngine->MemoryHistory();
}
void TBrixCalculator::SetMemoryHistory(bool Value)
{
    FCalcEngine->SetMemoryHistory(Value);
}

#define BRIX_ENGINE_EVENT(Name)                                                                    \
    const TNotifyEvent &TBrixCalculator::Name() const                                              \
    {                                                                                              \
        return FCalcEngine->Name();                                                                \
    }                                                                                              \
    void TBrixCalculator::Set##Name(TNotifyEvent Value)                                            \
    {                                                                                              \
        FCalcEngine->Set##Name(std::move(Value));                                                  \
    }
BRIX_ENGINE_EVENT(OnError)
BRIX_ENGINE_EVENT(OnHistoryChange)
BRIX_ENGINE_EVENT(OnDisplayChange)
BRIX_ENGINE_EVENT(OnMemoryChange)
BRIX_ENGINE_EVENT(OnDecimalPlacesChange)
BRIX_ENGINE_EVENT(OnAngleModeChange)
BRIX_ENGINE_EVENT(OnClearToggles)
BRIX_ENGINE_EVENT(OnSetToggles)
#undef BRIX_ENGINE_EVENT

Extended TBrixCalculator::Value() const
{
    return FCalcEngine->GetAsFloat();
}
void TBrixCalculator::SetValue(const Extended &Value)
{
    FCalcEngine->InputValue(Value);
}
Extended TBrixCalculator::Memory() const
{
    return FCalcEngine->Memory();
}
void TBrixCalculator::SetMemory(const Extended &Value)
{
    FCalcEngine->SetMemory(Value);
}
Extended TBrixCalculator::GetVariable(int Index)
{
    return FCalcEngine->GetVariable(Index);
}
void TBrixCalculator::SetVariable(int Index, const Extended &Value)
{
    FCalcEngine->SetVariable(Index, Value);
}
QString TBrixCalculator::ValueDisplayed() const
{
    return FCalcEngine->GetDisplayStr();
}
QString TBrixCalculator::MemoryDisplayed() const
{
    return FCalcEngine->GetMemoryContents();
}

bool TBrixCalculator::IsTitleStored() const
{
    return FTitle != FCalcEngine->GetName(ectCalculator);
}

bool TBrixCalculator::IsExitHintStored() const
{
    return FExitHint != FCalcEngine->GetName(ectExitHint);
}

// ---- Execute ----

namespace {

// Ends a loop when the watched window is hidden for good.
class THideWatch : public QObject
{
public:
    THideWatch(QWidget &Window, QEventLoop &Loop) : FWindow(Window), FLoop(Loop)
    {
        Window.installEventFilter(this);
    }
    ~THideWatch() override { FWindow.removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Hide && !FWindow.isVisible())
            FLoop.quit();
        return false;
    }

private:
    QWidget &FWindow;
    QEventLoop &FLoop;
};

} // namespace

bool TBrixCalculator::Execute()
{
    switch (FCalculatorType) {
    case ctScientific:
        return ExecuteScientific();
    case ctCustom: {
        bool Result = false;
        if (FUsePos) {
            if (!FOnExecutePos)
                return false;
            FOnExecutePos(this, FLeftPos, FTopPos, Result);
        } else {
            if (!FOnExecute)
                return false;
            FOnExecute(this, Result);
        }
        return Result;
    }
    default:
        return ExecuteStandard();
    }
}

bool TBrixCalculator::ExecuteStandard()
{
    // The window is freed on every way out, exceptions included.
    auto Owned = std::make_unique<TBrixCalcForm>();
    TBrixCalcForm *Form = Owned.get();
    PrepareWindow(*Form, false);
    Form->SetHideFnBtns(FPocketo);
    if (FOnStartCalculator)
        FOnStartCalculator(this, Form);
    return ShowAndCopyBack(*Form);
}

bool TBrixCalculator::ExecuteScientific()
{
    auto Owned = std::make_unique<TBrixSciCalcForm>();
    TBrixSciCalcForm *Form = Owned.get();
    PrepareWindow(*Form, true);
    if (FOnStartSciCalculator)
        FOnStartSciCalculator(this, Form);
    return ShowAndCopyBack(*Form);
}

void TBrixCalculator::PrepareWindow(TBrixCalcFormBase &Form, bool Scientific)
{
    TBrixCalcEngine &Engine = *Form.CalcEngine;
    Form.ExitBtn->setToolTip(FExitHint);
    if (FUsePos) {
        Form.SetPosition(poDesigned);
        Form.move(FLeftPos, FTopPos);
    } else {
        Form.SetPosition(FPosition);
    }
    if (FStayOnTop)
        Form.StayOnTop(true);
    Form.setWindowTitle(FTitle);
    if (FFormatter)
        Engine.SetFormatter(FFormatter->FloatFormatter());
    Engine.SetPrecedence(FCalcEngine->Precedence());
    Engine.SetDecimalPlaces(FCalcEngine->DecimalPlaces());
    Engine.SetPrefixFunctions(FCalcEngine->PrefixFunctions());
    Engine.SetBinaryPercent(FCalcEngine->BinaryPercent());
    Engine.InputValue(FCalcEngine->GetAsFloat());
    Engine.SetMemory(FCalcEngine->Memory());
    // A new language makes the window re-read its captions and hints, which
    // replaces the title and exit hint set above by the table's texts.
    Engine.SetLanguage(FCalcEngine->GetLanguage());
    for (QWidget *Display :
         {static_cast<QWidget *>(Form.ValueDisplay), static_cast<QWidget *>(Form.MemoryDisplay)}) {
        QFont Font = Display->font();
        Font.setFamily(FDisplayFont);
        Display->setFont(Font);
    }
    if (FUICtrl) {
        Form.DPSpin->SetUICtrl(FUICtrl);
        const TBrixCalculatorSection &Section = *FUICtrl->CalculatorSettings();
        if (Section.Active()) {
            Form.CalcPanel->setFont(Section.DisplayFont().ToQFont());
            // The displays take the panel's font: the section's font wins
            // over the DisplayFont name.
            Form.ValueDisplay->setFont(QFont());
            Form.MemoryDisplay->setFont(QFont());
            // A system colour becomes the widget's background role, so that
            // it follows a later change of the palette (a desktop turning
            // dark); the text takes that role's text colour (Button ->
            // ButtonText). A plain colour is set as it is.
            const auto Paint = [](QWidget *Widget, TColor Color, QPalette::ColorRole OwnRole) {
                QPalette::ColorRole Role;
                if (ColorToRole(Color, &Role)) {
                    Widget->setBackgroundRole(Role);
                    return true;
                }
                QPalette P = Widget->palette();
                const QColor Fixed = ColorToQColor(Color, P);
                if (!Fixed.isValid())
                    return false;
                P.setColor(OwnRole, Fixed);
                Widget->setPalette(P);
                return true;
            };
            if (Paint(Form.CalcPanel, Section.BackgroundColor(), QPalette::Window))
                Form.CalcPanel->setAutoFillBackground(true);
            for (QWidget *Display : {static_cast<QWidget *>(Form.ValueDisplay),
                                     static_cast<QWidget *>(Form.MemoryDisplay)})
                Paint(Display, Section.ValueColor(), Display->backgroundRole());
        }
    }
    if (Scientific)
        Engine.SetEnableGrads(FCalcEngine->EnableGrads());
    Engine.SetAngleMode(FCalcEngine->AngleMode());
    Form.DPSpin->SetValue(Engine.DecimalPlaces());
    Form.DPSpin->SetReadOnly(FReadOnlyDecimalPlaces);
    Form.ShowValues();
    Form.RadBtn->setText(Engine.GetAngleModeStr());
    // The value the window opens with is where the user's calculation
    // starts, not a step of it: the record (and so the tape) begins here.
    Engine.StartRecord();
}

bool TBrixCalculator::ShowAndCopyBack(TBrixCalcFormBase &Form)
{
    if (Form.windowType() == Qt::Window) {
        // A start handler made it a plain window: shown as such, not
        // modally, with a loop of its own that ends when it is hidden
        // (closed or ended by a key); a minimised window stays visible.
        QEventLoop Loop;
        THideWatch Watch(Form, Loop);
        Form.show();
        if (Form.isVisible())
            Loop.exec(QEventLoop::DialogExec);
    } else {
        Form.exec();
    }
    const bool Result = !Form.Cancelled;
    TBrixCalcEngine &Engine = *Form.CalcEngine;
    FLastError = Engine.GetLastError();
    if (Result) {
        FCalcEngine->SetAngleMode(Engine.AngleMode());
        FCalcEngine->InputValue(Engine.GetAsFloat());
        FCalcEngine->SetMemory(Engine.Memory());
        FCalcEngine->SetDecimalPlaces(Engine.DecimalPlaces());
    }
    return Result;
}

// ---- Settings ----

template <class TBody> void TBrixCalculator::WithStoreSection(TBody Body)
{
    if (!FStoreCtrl || FStoreCtrl->StorageType() == stNone)
        return;
    TBrixStoreCtrl &Store = *FStoreCtrl;
    const QString IniSection = Store.IniSection();
    const QString RegSection = Store.RegSection();
    auto Restore = [&] {
        Store.CloseStorage();
        Store.SetIniSection(IniSection);
        Store.SetRegSection(RegSection);
    };
    Store.SetIniSection(FStoreSection);
    Store.SetRegSection(FStoreSection);
    try {
        Store.OpenStorage();
        Body(Store);
    } catch (...) {
        Restore();
        throw;
    }
    Restore();
}

void TBrixCalculator::LoadFromStore()
{
    WithStoreSection([this](TBrixStoreCtrl &Store) {
        int Count = 0;
        const TSettingKey *Keys = SettingKeys(Count);
        for (int I = 0; I < Count; ++I)
            Keys[I].Load(*this, Store, QString::fromLatin1(Keys[I].Name));
    });
}

void TBrixCalculator::SaveToStore()
{
    WithStoreSection([this](TBrixStoreCtrl &Store) {
        int Count = 0;
        const TSettingKey *Keys = SettingKeys(Count);
        for (int I = 0; I < Count; ++I)
            Keys[I].Save(*this, Store, QString::fromLatin1(Keys[I].Name));
    });
}

} // namespace Brix
