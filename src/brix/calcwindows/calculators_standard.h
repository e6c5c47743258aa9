/// @file
/// The calculator windows: a keypad of 44 keys (47 in the scientific window),
/// a value display, a memory display and a decimal places box, around an
/// engine that the window owns. Every key calls one engine operation; the
/// displays are redrawn from the engine's notifications. The window holds no
/// calculation logic: it lays the keys out, maps mouse and keyboard to keys,
/// and closes in one of the ways that set Cancelled.
///
/// TBrixCalcFormBase holds what both windows share; TBrixCalcForm is the
/// standard window with its full and compact ("pocket") layouts;
/// TBrixSciCalcForm (calculators_scientific.h) adds three keys and a column.
#pragma once

#include "brix/export.h"

#include "brix/calculator/keys.h"
#include "brix/calcwindows/calculators_display.h"
#include "brix/calcwindows/calculators_keypad.h"
#include "brix/calcwindows/calculators_undo.h"
#include "brix/classes/component.h"
#include "brix/resources/calculator.h"

#include <QDialog>
#include <QLabel>

#include <array>
#include <functional>

class QFrame;

namespace Brix {

class TBrixCalcEngine;
class TBrixSpeedButton;
class TBrixTapeDocument;
class TBrixSpinEdit;

/// The window placement policies, stored as their ordinals.
enum TPosition
{
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

/// What the standard and the scientific window share: the keys, the displays, the decimal
/// places box, the own engine, undo, the keyboard and the placement.
class BRIX_CONTROLS_EXPORT TBrixCalcFormBase : public QDialog, public TObject
{
    Q_OBJECT
public:
    ~TBrixCalcFormBase() override;

    // ---- Controls (owned by the window through Qt's parent tree) ----
    /// The window's controls, owned by the window through Qt's parent tree: the keypad panel,
    /// one button per key (nullptr for a key the window does not have), the value and memory
    /// displays and the decimal places box.
    ///@{
    QFrame *CalcPanel = nullptr;
    TBrixSpeedButton *ZeroBtn = nullptr, *PointBtn = nullptr, *ChangeSignBtn = nullptr,
                     *OneBtn = nullptr, *TwoBtn = nullptr, *ThreeBtn = nullptr, *FourBtn = nullptr,
                     *FiveBtn = nullptr, *SixBtn = nullptr, *SevenBtn = nullptr,
                     *EightBtn = nullptr, *NineBtn = nullptr, *EqualsBtn = nullptr,
                     *SubtractBtn = nullptr, *AddBtn = nullptr, *DivideBtn = nullptr,
                     *MultiplyBtn = nullptr, *LeftBracketBtn = nullptr, *RightBracketBtn = nullptr,
                     *AllClearBtn = nullptr, *ClearBtn = nullptr, *MemoryClearBtn = nullptr,
                     *MemoryAddBtn = nullptr, *MemorySubtractBtn = nullptr,
                     *MemoryRecallBtn = nullptr, *PowerBtn = nullptr, *PiBtn = nullptr,
                     *EBtn = nullptr, *SquareBtn = nullptr, *SqRootBtn = nullptr,
                     *InvertBtn = nullptr, *LogBtn = nullptr, *LNBtn = nullptr, *ExitBtn = nullptr,
                     *CopyBtn = nullptr, *PasteBtn = nullptr, *SinBtn = nullptr, *CosBtn = nullptr,
                     *TanBtn = nullptr, *InvBtn = nullptr, *CancelBtn = nullptr,
                     *BackSpaceBtn = nullptr, *RadBtn = nullptr, *PercentBtn = nullptr;
    TBrixCalcDisplay *ValueDisplay = nullptr;
    TBrixCalcDisplay *MemoryDisplay = nullptr;
    TBrixSpinEdit *DPSpin = nullptr;
    ///@}

    /// The window's own engine; nullptr once the window is being destroyed.
    TBrixCalcEngine *CalcEngine = nullptr;
    /// False when the window is created; the exit key (and a click on the
    /// standard window's free panel area) sets it false, the cancel key true.
    /// The close box leaves it as it is.
    bool Cancelled = false;

    /// The key with code Key, or nullptr when this window has no such key.
    TBrixSpeedButton *Key(TBrixCalcKey Key) const { return FKeys[Key]; }

    /// Runs the click of Key exactly as a mouse click would, also when the key
    /// is hidden (so the compact window still answers "P", "R", "@"). An error
    /// that the engine passes on (an overflow of M+, M- or the plain percent
    /// key) is shown in a message box (see SetErrorReporter) and the window
    /// stays open; nothing propagates to the caller.
    void ClickKey(TBrixCalcKey Key);
    /// Puts the number Text holds into the calculator as a paste of Text
    /// would, as one undo step (the same reader: grouping, the region's
    /// decimal mark, a sign, an exponent). Returns false, changing nothing
    /// and without a beep, when Text holds no number.
    bool PasteText(const QString &Text);
    /// Puts Value into the calculator, every bit of it, as a paste of it
    /// would (the engine's InputPastedValue: the history a paste writes, and
    /// the exact value in the record), as one undo step. Returns false,
    /// changing nothing and without a beep, for an infinity or a NaN.
    bool PasteExactValue(const Extended &Value);

    ///@{
    /// Undo takes the engine back to its state before the last command that
    /// changed it (a key, paste, the angle key, the decimal places box), up to
    /// TBrixCalcUndoHistory::MaxSteps commands; Redo goes forward again. The
    /// keyboard gives them as Ctrl+Z and Ctrl+Shift+Z. Nothing to undo or
    /// redo does nothing.
    void Undo();
    void Redo();
    ///@}
    /// The undo and redo steps of this window.
    TBrixCalcUndoHistory &UndoHistory() { return FUndoHistory; }
    /// Records a change made to the engine outside the window's commands (a
    /// settings dialog) as one undo step back to Before, with the tape as it
    /// stands.
    void RecordUndoStep(TBrixCalcEngineState Before);

    ///@{
    /// The tape: a document that collects the calculations of the engine's
    /// record (not owned; nullptr for none). After every command the
    /// document follows the record (and tells its observers, such as a tape
    /// view, what changed), and the undo steps carry the document's ended
    /// calculations with the engine state, so that undo and redo bring the
    /// tape back as it was. Setting a document lets it follow the engine's
    /// record at once.
    void SetTapeDocument(TBrixTapeDocument *Document);
    TBrixTapeDocument *TapeDocument() const { return FTape; }
    /// Replays the current calculation with the number of its tape line
    /// Line (an index into the document's Current()) replaced by the number
    /// Text holds, read as a paste is (grouping, the region's decimal mark)
    /// to its exact value: every later result, the display and the memory
    /// follow, and a replay that fails on the way ends in the error state,
    /// as the failing key would. One undo step. Text that names the line's
    /// own value, bit for bit, is no edit: nothing changes and no step is
    /// recorded (true is returned). Returns false, changing nothing and
    /// without a beep, when there is no document, the line holds no number
    /// that can be edited, or Text holds no number.
    bool EditTapeNumber(int Line, const QString &Text);
    /// Empties the tape: the document's ended calculations and the current
    /// calculation's lines (the engine's record starts anew; the value and
    /// the pending calculation stay). One undo step; nothing to clear does
    /// nothing.
    void ClearTape();
    ///@}

    /// Re-reads the window caption and every caption and hint named by a text
    /// key, in the engine's language. The angle-mode key keeps its caption.
    void UpdateLanguage();
    /// Puts the window into (or out of) the always-on-top band without moving,
    /// resizing or activating it; a hidden window gets it when it is shown.
    void StayOnTop(bool Value);
    /// Whether the window is in the always-on-top band (StayOnTop).
    bool IsStayOnTop() const { return FStayOnTop; }
    /// Lays the window out in the layout of its kind (PlaceKeypad).
    virtual void RedrawCalc();
    /// Compact, full or scientific: picks the layout and the keyboard.
    virtual TBrixCalcWindowKind WindowKind() const = 0;

    /// The help context number given at construction; kept and reported.
    int HelpContext() const { return FHelpContext; }
    ///@{
    TPosition Position() const { return FPosition; }
    /// The placement used when the window is shown: poDesigned keeps the
    /// position given by move(); every other policy centres the window on the
    /// screen (there is no owner window to centre on).
    void SetPosition(TPosition Value) { FPosition = Value; }
    ///@}

    ///@{
    /// The keyboard, as the window sees it before the focused control.
    /// FormKeyDown: Key is a Qt::Key; a rule that matches sets it to 0
    /// (handled). FormKeyPress: Character is the typed character; it is never
    /// marked handled.
    void FormKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    void FormKeyPress(QChar &Character);
    ///@}

    /// Mouse press on a key, a display or the free panel area: the panel takes
    /// the focus, so typing goes to the calculator, not the decimal places box.
    void EqualsBtnMouseDown();
    /// Decimal places box changed: the engine follows and both displays are
    /// redrawn at once.
    void DPSpinChange();
    /// Both displays from the engine, with the separator its values use.
    void ShowValues();

    ///@{
    /// How an engine error that reaches a key handler is shown. The default is
    /// a message box over the window; tests install their own. An empty
    /// function restores the default.
    using TErrorReporter = std::function<void(QWidget *Window, const QString &Message)>;
    static void SetErrorReporter(TErrorReporter Reporter);
    ///@}

protected:
    /// Creates the controls; the most derived constructor finishes with FormCreate.
    explicit TBrixCalcFormBase(QWidget *Parent, const QString &ObjectName, int HelpContext,
                               int SpinWidth, bool WithSciKeys);
    /// The second half of construction, run by the most derived constructor:
    /// engine, handlers, captions, layout, texts.
    void FormCreate();

    /// A click on the free area of CalcPanel.
    virtual void CalcPanelClick() {}

    /// Stores the help context number.
    void SetHelpContext(int Value) { FHelpContext = Value; }
    /// Places every key of Layout on its grid cell at the sizes the value
    /// display and the keys have now, hides the window's keys that Layout
    /// does not show (and shows again those it hid before), and sets the
    /// displays, the decimal places box and the client size.
    void PlaceKeypad(const TBrixKeypadLayout &Layout);
    /// Puts the decimal places box at Top of the tool row, as high as the
    /// Room down to the next row allows (at most its own 29 pixels).
    void PlaceDecimalBox(int Top, int Room);

    /// Qt's event handlers: keys typed anywhere in the window go to
    /// FormKeyDown and FormKeyPress, a mouse press on a key, a display or the
    /// free panel area gives the focus back to the calculator, and a window
    /// being shown takes its always-on-top setting.
    ///@{
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void showEvent(QShowEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    ///@}

    /// Whether the window asked for the always-on-top band.
    bool FStayOnTop = false;

Q_SIGNALS:
    /// The window re-read its texts in the engine's language (UpdateLanguage).
    void LanguageChanged();

private:
    void BuildControls(int SpinWidth, bool WithSciKeys);
    void AttachEngine();
    void ApplyStayOnTop();
    void CopyValue();
    void PasteValue();
    /// Gives the engine the number Text holds; false when it holds none.
    bool InputPastedText(const QString &Text);
    /// The value display's description for screen readers: its hint, or
    /// after a paste that was no number, until the next key, a message.
    void DescribeValueDisplay();
    void ForgetRejectedPaste();
    void ToggleAngleMode();
    /// Runs Command as one undo step: recorded when it changed the engine.
    template <class TCommand> void UndoStep(TCommand &&Command);
    /// Runs Command as one undo step; an error the engine passes on is
    /// shown (see SetErrorReporter) after the step is recorded.
    template <class TCommand> void ReportingStep(TCommand &&Command);
    void RestoreStep(const TBrixCalcUndoStep &Step);
    /// The window as an undo step: the engine's state and the tape's ended
    /// calculations.
    TBrixCalcUndoStep CurrentStep() const;
    /// The tape document takes the engine's record (after a command).
    void FollowRecord();
    void CloseWith(bool Cancel);
    void SetKeyHint(TBrixCalcKey Key, const QString &Hint);
    void EngineDisplayChange();
    void EngineMemoryChange();
    void EngineDecimalPlacesChange();
    bool IsKeyEventForThisWindow(QObject *Watched, QEvent *Event) const;
    void RefreshAccessibleName(TBrixSpeedButton *Button);

    /// One row of the key table that builds the keys and names their texts.
    struct TKeyRow;
    static const TKeyRow *KeyTable(int &Count);
    static const TKeyRow &KeyRow(TBrixCalcKey Key);

    std::array<TBrixSpeedButton *, BrixCalcKeyCount> FKeys{};
    /// Keys hidden by PlaceKeypad because the layout does not show them.
    std::array<bool, BrixCalcKeyCount> FHiddenByLayout{};
    /// The room of the decimal places box down to the row below the tool row.
    int FToolRowRoom = 0;
    int FHelpContext = 0;
    TPosition FPosition = poScreenCenter;
    bool FPanelPressed = false;
    const QEvent *FLastKeyEvent = nullptr;
    TBrixCalcUndoHistory FUndoHistory;
    /// Set while a state is restored: the box's own change is no new step.
    bool FRestoring = false;
    TBrixTapeDocument *FTape = nullptr;
    /// The last paste was no number, and no key has come since.
    bool FPasteRejected = false;
};

/// The standard window, with its full and compact layouts.
class BRIX_CONTROLS_EXPORT TBrixCalcForm : public TBrixCalcFormBase
{
    Q_OBJECT
public:
    /// A hidden window with the full layout and a fresh, cleared engine.
    explicit TBrixCalcForm(QWidget *Parent = nullptr);

    /// Switches between the compact layout (true: the thirteen function keys
    /// hidden) and the full one; RedrawCalc runs only on a change.
    void SetHideFnBtns(bool Value);
    /// True in the compact layout.
    bool HideFnBtns() const { return FHideFnBtns; }

    /// Full layout: 190 x 249 at the design sizes (keys 30 x 22, display
    /// height 24), keypad rows at 105..193, memory display at 220. Compact:
    /// 190 x 203, keypad rows at 59..147, memory display at 174.
    void RedrawCalc() override;
    TBrixCalcWindowKind WindowKind() const override { return FHideFnBtns ? wkCompact : wkFull; }

protected:
    /// The same as the exit key.
    void CalcPanelClick() override;

    /// True for the compact layout.
    bool FHideFnBtns = false;
};

} // namespace Brix
