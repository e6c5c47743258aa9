/// @file
/// The calculator component: what a program holds to offer a calculator. It
/// keeps the calculator's state between runs in an engine of its own (value,
/// memory, decimal places, angle mode, language, options), shows a standard
/// or scientific window modally on Execute, and loads and saves its options
/// through a linked store control.
///
/// A run copies the component's state into the window's own engine; when the
/// window closes in any way but its cancel key, exactly four values come back:
/// angle mode, value, memory and decimal places. Nothing else ever does.
#pragma once

#include "brix/export.h"

#include "brix/calculator/globals.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/classes/classes.h"

#include <QString>

#include <functional>

namespace Brix {

class TBrixCalcEngine;
class TBrixFormatter;
class TBrixSciCalcForm;
class TBrixStoreCtrl;
class TBrixUICtrl;

/// A font's family name.
using TFontName = QString;

/// Raised after the window has been prepared, just before it is shown. The
/// handler may change anything on the window; the variable is passed by
/// reference and the window it holds afterwards is the one shown (a window
/// put there by the handler stays the handler's to free).
using TBrixCalcFormEvent = std::function<void(TObject *Sender, TBrixCalcForm *&CalcForm)>;
/// As TBrixCalcFormEvent, for the scientific window.
using TBrixSciCalcFormEvent = std::function<void(TObject *Sender, TBrixSciCalcForm *&CalcForm)>;
/// Does the work of a custom calculator; Result is false before the call.
using TBrixCalcExecuteEvent = std::function<void(TObject *Sender, bool &Result)>;
/// As TBrixCalcExecuteEvent, with the position the calculator is to appear at.
using TBrixCalcExecutePosEvent =
    std::function<void(TObject *Sender, int LeftPos, int TopPos, bool &Result)>;
/// A handler that may change the integer it is given.
using TBrixIntegerEvent = std::function<void(TObject *Sender, int &Value)>;

/// The calculator component; see the file's description.
class BRIX_CONTROLS_EXPORT TBrixCalculator : public TBrixBaseComponent
{
public:
    /// Use Create (or Brix::Create<TBrixCalculator>), which runs InitInternals.
    explicit TBrixCalculator(TComponent *AOwner);
    /// The own engine: precedence on, 4 decimals, prefix functions, radians,
    /// value and memory 0; title and exit hint from its text table.
    static TBrixCalculator *Create(TComponent *AOwner);

    /// Shows the calculator by CalculatorType: ctScientific the scientific
    /// window, ctCustom the OnExecutePos/OnExecute handler (false without
    /// one; no window), anything else the standard window. True when the
    /// window was not closed by its cancel key (the result was copied back).
    /// LastError receives the window engine's last error either way. The
    /// window is freed before Execute returns, also when a step raises. The
    /// window is modal, unless a start handler has made it a plain window
    /// (Qt::Window, as a program's own main window is): it is then shown as
    /// such, and Execute returns when it closes.
    bool Execute();

    ///@{
    /// Reads (LoadFromStore) or writes (SaveToStore) the eleven options, in
    /// this order, in StoreSection of the linked store: "Angle Mode",
    /// "Decimal Places", "Use Memory", "Memory", "Prefix Functions",
    /// "Precedence", "Position", "Stay On Top", "Operator Same Line",
    /// "Binary Percent", "Display Font". Nothing without a store control or
    /// with one of kind stNone. A missing key keeps the current value;
    /// "Memory" is read only when "Use Memory" is true (else the memory
    /// becomes 0) and is always written, with 18 decimals. The store's
    /// configured sections are restored and CloseStorage runs also when a
    /// read or write raises; the error then reaches the caller. An "Angle
    /// Mode" or "Position" outside its range is ignored (the value stays).
    virtual void LoadFromStore();
    virtual void SaveToStore();
    ///@}

    ///@{
    /// The engine's variables 0..9 (others read 0 and are not written).
    virtual Extended GetVariable(int Index);
    virtual void SetVariable(int Index, const Extended &Value);
    ///@}

    // ---- Properties ----

    /// The language of the own engine and its change handler (forwarded to the engine).
    ///@{
    virtual TBrixLanguage Language() const;
    virtual void SetLanguage(TBrixLanguage Value);
    virtual const TBrixLanguageChangeEvent &OnLanguageChange() const;
    virtual void SetOnLanguageChange(TBrixLanguageChangeEvent Value);
    ///@}
    /// The component's own engine; owned, never null after Create.
    virtual TBrixCalcEngine *CalcEngine() const { return FCalcEngine; }

    /// The linked providers (not owned); null when none or after the provider was freed.
    ///@{
    TBrixFormatter *Formatter() const { return FFormatter; }
    TBrixUICtrl *UICtrl() const { return FUICtrl; }
    TBrixStoreCtrl *StoreCtrl() const { return FStoreCtrl; }
    ///@}
    ///@{
    /// Linking: unregister from the old provider, store, free notification
    /// and register with the new one; the same value does nothing. Formatter
    /// also hands the formatter's float formatter (or none) to the engine.
    virtual void SetUICtrl(TBrixUICtrl *Value);
    virtual void SetFormatter(TBrixFormatter *Value);
    virtual void SetStoreCtrl(TBrixStoreCtrl *Value);
    ///@}

    ///@{
    /// Radians: the angle mode is amRadians; writing false sets amDegrees.
    virtual bool Radians() const;
    virtual void SetRadians(bool Value);
    ///@}
    ///@{
    /// The own engine's options (see TBrixCalcEngine): each reads the
    /// engine's value, and its Set... writes it through the engine's own
    /// write accessor.
    virtual TBrixAngleMode AngleMode() const;
    virtual void SetAngleMode(TBrixAngleMode Value);
    virtual bool EnableGrads() const;
    virtual void SetEnableGrads(bool Value);
    virtual Byte DecimalPlaces() const;
    virtual void SetDecimalPlaces(Byte Value);
    virtual bool Precedence() const;
    virtual void SetPrecedence(bool Value);
    virtual bool OperatorSameLine() const;
    virtual void SetOperatorSameLine(bool Value);
    virtual bool PrefixFunctions() const;
    virtual void SetPrefixFunctions(bool Value);
    virtual bool BinaryPercent() const;
    virtual void SetBinaryPercent(bool Value);
    virtual bool IgnoreError() const;
    virtual void SetIgnoreError(bool Value);
    virtual bool MemoryHistory() const;
    virtual void SetMemoryHistory(bool Value);
    ///@}

    ///@{
    /// The engine's notifications (raised by the component's own engine).
    virtual const TNotifyEvent &OnError() const;
    virtual void SetOnError(TNotifyEvent Value);
    virtual const TNotifyEvent &OnHistoryChange() const;
    virtual void SetOnHistoryChange(TNotifyEvent Value);
    virtual const TNotifyEvent &OnDisplayChange() const;
    virtual void SetOnDisplayChange(TNotifyEvent Value);
    virtual const TNotifyEvent &OnMemoryChange() const;
    virtual void SetOnMemoryChange(TNotifyEvent Value);
    virtual const TNotifyEvent &OnDecimalPlacesChange() const;
    virtual void SetOnDecimalPlacesChange(TNotifyEvent Value);
    virtual const TNotifyEvent &OnAngleModeChange() const;
    virtual void SetOnAngleModeChange(TNotifyEvent Value);
    virtual const TNotifyEvent &OnClearToggles() const;
    virtual void SetOnClearToggles(TNotifyEvent Value);
    virtual const TNotifyEvent &OnSetToggles() const;
    virtual void SetOnSetToggles(TNotifyEvent Value);
    ///@}

    ///@{
    /// Value and AsFloat: read the engine's AsFloat, write InputValue.
    Extended Value() const;
    void SetValue(const Extended &Value);
    Extended AsFloat() const { return Value(); }
    void SetAsFloat(const Extended &Value) { SetValue(Value); }
    ///@}
    ///@{
    /// The own engine's memory (TBrixCalcEngine::Memory, SetMemory).
    Extended Memory() const;
    void SetMemory(const Extended &Value);
    ///@}

    /// Plain properties, stored as given: writing one has no other effect until the next
    /// Execute, LoadFromStore or SaveToStore. StoreSection is the store section those two use;
    /// CalculatorType, Title, ExitHint, Position, DisplayFont and the decimal-places switches
    /// shape the window a run shows.
    ///@{
    const QString &StoreSection() const { return FStoreSection; }
    void SetStoreSection(const QString &Value) { FStoreSection = Value; }
    bool LoadMemoryAtStart() const { return FUseMemory; }
    void SetLoadMemoryAtStart(bool Value) { FUseMemory = Value; }
    bool StoreValue() const { return FStoreValue; }
    void SetStoreValue(bool Value) { FStoreValue = Value; }
    const QString &Expression() const { return FExpression; }
    void SetExpression(const QString &Value) { FExpression = Value; }
    bool OverrideDecimalPlaces() const { return FOverrideDecimalPlaces; }
    void SetOverrideDecimalPlaces(bool Value) { FOverrideDecimalPlaces = Value; }
    bool ReadOnlyDecimalPlaces() const { return FReadOnlyDecimalPlaces; }
    void SetReadOnlyDecimalPlaces(bool Value) { FReadOnlyDecimalPlaces = Value; }
    bool Pocketo() const { return FPocketo; }
    void SetPocketo(bool Value) { FPocketo = Value; }
    const TFontName &DisplayFont() const { return FDisplayFont; }
    void SetDisplayFont(const TFontName &Value) { FDisplayFont = Value; }
    TBrixPopupCalculatorType CalculatorType() const { return FCalculatorType; }
    void SetCalculatorType(TBrixPopupCalculatorType Value) { FCalculatorType = Value; }
    const QString &Title() const { return FTitle; }
    void SetTitle(const QString &Value) { FTitle = Value; }
    const QString &ExitHint() const { return FExitHint; }
    void SetExitHint(const QString &Value) { FExitHint = Value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    ///@}
    ///@{
    /// Loaded from and saved to the store ("Stay On Top").
    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool Value) { FStayOnTop = Value; }
    ///@}

    /// Read or replace one handler (see the event types above).
    ///@{
    const TBrixCalcFormEvent &OnStartCalculator() const { return FOnStartCalculator; }
    void SetOnStartCalculator(TBrixCalcFormEvent Value) { FOnStartCalculator = std::move(Value); }
    const TBrixSciCalcFormEvent &OnStartSciCalculator() const { return FOnStartSciCalculator; }
    void SetOnStartSciCalculator(TBrixSciCalcFormEvent Value)
    {
        FOnStartSciCalculator = std::move(Value);
    }
    const TBrixCalcExecuteEvent &OnExecute() const { return FOnExecute; }
    void SetOnExecute(TBrixCalcExecuteEvent Value) { FOnExecute = std::move(Value); }
    const TBrixCalcExecutePosEvent &OnExecutePos() const { return FOnExecutePos; }
    void SetOnExecutePos(TBrixCalcExecutePosEvent Value) { FOnExecutePos = std::move(Value); }
    ///@}
    ///@{
    /// Kept for descriptions; nothing raises them.
    const TBrixIntegerEvent &OnPopupHeight() const { return FOnPopUpHeight; }
    void SetOnPopupHeight(TBrixIntegerEvent Value) { FOnPopUpHeight = std::move(Value); }
    const TBrixIntegerEvent &OnPopupWidth() const { return FOnPopUpWidth; }
    void SetOnPopupWidth(TBrixIntegerEvent Value) { FOnPopUpWidth = std::move(Value); }
    ///@}

    ///@{
    /// The engine's display and memory texts, and the window engine's last
    /// error text after the last run ("" when there was none).
    QString ValueDisplayed() const;
    QString MemoryDisplayed() const;
    const QString &LastError() const { return FLastError; }
    ///@}

    ///@{
    /// Whether a property differs from its declared default and would be
    /// written to a component description.
    bool IsTitleStored() const;
    bool IsExitHintStored() const;
    ///@}

    /// A linked UI control, formatter or store control being freed sets the
    /// matching property to nullptr.
    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    void InitInternals() override;
    /// Frees the own engine, then unregisters from the three providers.
    void DoneInternals() override;

private:
    bool ExecuteStandard();
    bool ExecuteScientific();
    /// Steps shared by both windows, from the exit hint to the angle mode.
    void PrepareWindow(TBrixCalcFormBase &Form, bool Scientific);
    bool ShowAndCopyBack(TBrixCalcFormBase &Form);
    /// Runs Body between the section switch and CloseStorage/restore.
    template <class TBody> void WithStoreSection(TBody Body);

    struct TSettingKey;
    static const TSettingKey *SettingKeys(int &Count);

    TBrixUICtrl *FUICtrl = nullptr;
    TBrixFormatter *FFormatter = nullptr;
    TBrixStoreCtrl *FStoreCtrl = nullptr;
    QString FStoreSection = QStringLiteral("Defaults");
    TBrixCalcEngine *FCalcEngine = nullptr;
    QString FLastError;
    bool FUseMemory = true;
    QString FExpression;
    QString FTitle;
    TFontName FDisplayFont = QStringLiteral("Arial");
    bool FPocketo = false;
    int FLeftPos = 0;
    int FTopPos = 0;
    bool FUsePos = false;
    bool FOverrideDecimalPlaces = false;
    bool FReadOnlyDecimalPlaces = false;
    bool FStayOnTop = false;
    QString FExitHint;
    TPosition FPosition = poScreenCenter;
    bool FStoreValue = true;
    TBrixPopupCalculatorType FCalculatorType = ctStandard;
    TBrixCalcFormEvent FOnStartCalculator;
    TBrixSciCalcFormEvent FOnStartSciCalculator;
    TBrixCalcExecuteEvent FOnExecute;
    TBrixCalcExecutePosEvent FOnExecutePos;
    TBrixIntegerEvent FOnPopUpHeight;
    TBrixIntegerEvent FOnPopUpWidth;
};

} // namespace Brix
