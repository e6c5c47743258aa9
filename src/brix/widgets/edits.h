/// @file
/// The base edit: a single-line edit box with a null state (shown as a text
/// of its own), a cached text value with hooks through which descendants
/// turn text into a typed value and back, colours taken from a UI control's
/// colour settings by state, keyboard behaviour taken from its input
/// settings, and links to a formatter component and a UI control.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"

#include <QLineEdit>
#include <QVariant>

namespace Brix {

class TBrixFormatter;
class TBrixUICtrl;
class TBrixInputSection;
class Exception;

/// Shows Error's message in a box over Control's window without waiting for
/// it to close (an error raised while a control handles an event).
BRIX_CONTROLS_EXPORT void ReportControlError(QWidget *Control, const Exception &Error);

/// The keyboard settings an edit works with: those of its UI control's
/// active input section, else these defaults.
struct BRIX_CONTROLS_EXPORT TBrixInputRules
{
    /// One keyboard setting; see TBrixInputSection for its meaning.
    ///@{
    bool EscAsUndo = false;
    bool EnterAsTab = false;
    bool EnterDoesExit = false;
    bool AllowKbdNull = true;
    bool ArrowsAsTab = false;
    bool NumPadDecimal = true;
    ///@}
};

/// The base edit; see the file's description.
class BRIX_CONTROLS_EXPORT TBrixBaseEdit : public QLineEdit,
                                           public TComponent,
                                           public IBrixComponent,
                                           public IBrixVisualComponent
{
    Q_OBJECT

public:
    /// Parent is the Qt parent; AOwner, when given, frees the edit when it is
    /// freed.
    explicit TBrixBaseEdit(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);
    /// Unregisters from the formatter and the UI control when linked.
    ~TBrixBaseEdit() override;

    // ---- Virtual operations, in declaration order ----

    /// Clears the formatter link when Sender is the linked formatter
    /// component, else the UI-control link when it is the UI control.
    void LinkFreed(TBrixBaseComponent *Sender) override;
    /// Formatter changed: redisplay. UI control changed: re-colour.
    void LinkChanged(TBrixBaseComponent *Sender) override;
    /// Background (and, for numbers with ShowSignDifference, text) colour
    /// from the UI control's active colour section by focus, hover,
    /// read-only and enabled state; else the edit's own Color.
    virtual void ApplyColors();
    /// Stores the sign; when it differs from the last coloured one:
    /// ApplyColors, then OnSignChange (not while loading).
    virtual void SignChanged(int Sign);
    /// Filters one typed character; a null QChar on return drops it (see the
    /// .cpp for the order of the rules).
    virtual void FilterKey(QChar &Key);
    /// Whether a printable character may be typed: here every character of
    /// code 32 or above, or any with AllowAllChars.
    virtual bool AcceptsChar(QChar Key) const;
    /// Descendants: FStrValue from the typed value (empty here).
    virtual void ValueToText();
    /// Descendants: the typed value from FStrValue (empty here).
    virtual void TextToValue();
    /// Links (or unlinks with nullptr) the formatter component, then
    /// redisplays.
    virtual void SetFormatter(TBrixFormatter *Value);
    /// Links (or unlinks) the UI control, then re-colours.
    virtual void SetUICtrl(TBrixUICtrl *Value);
    /// Equal text while not null does nothing; otherwise shows it, leaves the
    /// null state, UpdateValue, DisplayText.
    virtual void SetText(const QString &Value);
    /// The shown text ("" while null); refreshes FStrValue.
    virtual QString Text();
    /// The background used when no UI colour settings apply.
    virtual void SetColor(TColor Value);
    /// The background colour on screen.
    virtual TColor ColorShowing() const { return FColorShowing; }
    /// A change stores the value, re-colours and raises OnReadOnlyChange (not while loading).
    virtual void SetReadOnly(bool Value);
    /// A change sets the null state and redisplays.
    virtual void SetNull(bool Value);
    /// Null variant while null, else the text value.
    virtual QVariant AsVariant() const;
    /// A null variant makes the edit null; any other is written as text.
    virtual void SetAsVariant(const QVariant &Value);
    /// Stores the value; AcceptsChar reads it.
    virtual void SetAllowAllChars(bool Value);
    /// Whether a descendant's typed value is stored (StoreValue).
    virtual bool IsValueStored() const { return FStoreValue; }
    /// Shows the value: the null text while null, else ValueToText and
    /// FStrValue.
    virtual void DisplayText();
    /// While not null: FStrValue from the shown text, then TextToValue.
    virtual void UpdateValue();

    // ---- Properties ----

    /// The linked formatter component and UI control (null when none), and whether the edit is
    /// in its null state.
    ///@{
    TBrixFormatter *Formatter() const { return FFormatter; }
    TBrixUICtrl *UICtrl() const { return FUICtrl; }
    bool Null() const { return FNull; }
    ///@}
    /// Sets Null to true, then the text is cleared.
    void Clear();
    /// The edit's own properties (the Set... functions above change ReadOnly, Color and
    /// AllowAllChars); AsString reads and writes the text (Text, SetText).
    ///@{
    bool ReadOnly() const { return FReadOnly; }
    TColor Color() const { return FColor; }
    bool AllowAllChars() const { return FAllowAllChars; }
    bool StoreValue() const { return FStoreValue; }
    void SetStoreValue(bool Value) { FStoreValue = Value; }
    bool WantEnter() const { return FWantEnter; }
    void SetWantEnter(bool Value) { FWantEnter = Value; }
    bool WantEsc() const { return FWantEsc; }
    void SetWantEsc(bool Value) { FWantEsc = Value; }
    QString AsString() { return Text(); }
    void SetAsString(const QString &Value) { SetText(Value); }
    ///@}
    /// The sign of the value as last reported (-1, 0, 1).
    int Sign() const { return FSign; }
    /// The text colour on screen: the sign colour while a linked UI
    /// control's active colour section shows sign differences, else the
    /// normal text colour (clWindowText).
    TColor FontColor() const { return FFontColor; }
    /// Whether the mouse is over the edit.
    bool MouseOver() const { return FMouseOver; }
    /// The library's version text (BrixVersionText).
    QString Version() const { return BrixVersionText; }

    /// Version().
    QString GetVersion() const override { return Version(); }
    /// The right and bottom edges in the parent's coordinates; setting one moves the edit,
    /// keeping its size.
    ///@{
    void SetRight(int Value) override;
    int GetRight() const override;
    void SetBottom(int Value) override;
    int GetBottom() const override;
    int Right() const { return GetRight(); }
    int Bottom() const { return GetBottom(); }
    ///@}

    /// Read or replace a handler, raised after the null state, the read-only state, the enabled
    /// state or the sign changed (not while loading).
    ///@{
    const TNotifyEvent &OnNullChange() const { return FOnNullChange; }
    void SetOnNullChange(TNotifyEvent Value) { FOnNullChange = std::move(Value); }
    const TNotifyEvent &OnReadOnlyChange() const { return FOnReadOnlyChange; }
    void SetOnReadOnlyChange(TNotifyEvent Value) { FOnReadOnlyChange = std::move(Value); }
    const TNotifyEvent &OnEnabledChange() const { return FOnEnabledChange; }
    void SetOnEnabledChange(TNotifyEvent Value) { FOnEnabledChange = std::move(Value); }
    const TNotifyEvent &OnSignChange() const { return FOnSignChange; }
    void SetOnSignChange(TNotifyEvent Value) { FOnSignChange = std::move(Value); }
    ///@}
    ///@{
    /// Raised when the shown text changes; UpdateValue runs first so the
    /// handler sees the typed value of the new text.
    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    ///@}

    /// The keyboard settings in effect (the UI control's or the defaults).
    TBrixInputRules InputRules() const;
    /// The UI control's input section when linked and active, else nullptr.
    TBrixInputSection *ActiveInputSettings() const;

    /// Unlinks the formatter or the UI control when it is freed.
    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    /// The key-down rules, before the edit's own handling. Key may be set to
    /// 0 to drop the key; PendingChar is the character the key types (a null
    /// QChar for none) and may be replaced.
    virtual void KeyDown(int &Key, Qt::KeyboardModifiers Shift, QChar &PendingChar);
    ///@{
    /// Gaining and losing the focus (also run for Enter with EnterDoesExit).
    virtual void DoEnter(Qt::FocusReason Reason);
    virtual void DoExit();
    ///@}
    ///@{
    /// Paste and cut as the user asks for them; false refuses.
    virtual bool CanPaste() const { return !FReadOnly; }
    virtual bool CanCut() const { return !FReadOnly; }
    ///@}
    /// Pastes the clipboard's text (leaving a null state first).
    void PasteText();
    /// Readies the edit for text arriving from outside (paste, drop, the
    /// selection paste): false when it is refused; a null edit is emptied
    /// and leaves its null state first.
    bool BeginInsertFromOutside();

    /// Sets the null state; Redisplay shows the value; OnNullChange unless
    /// loading.
    void SetNullState(bool Value, bool Redisplay);
    /// Whether a UI control's active colour section decides the colours.
    bool UIColorsApply() const;

    /// Qt's event handlers, through which the edit applies its keyboard rules, its colours by
    /// focus and hover, its null state and its paste and drop rules.
    ///@{
    void keyPressEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void contextMenuEvent(QContextMenuEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void inputMethodEvent(QInputMethodEvent *Event) override;
    void dragEnterEvent(QDragEnterEvent *Event) override;
    void dragMoveEvent(QDragMoveEvent *Event) override;
    void dropEvent(QDropEvent *Event) override;
    ///@}

    /// The cached text value, whether a descendant holds a number, the sign last reported and
    /// last coloured, and the sign handler, for descendants.
    ///@{
    QString FStrValue;
    bool FNumeric = false;
    int FSign = 0;
    int FPrevSign = 0;
    TNotifyEvent FOnSignChange;
    ///@}

private:
    /// The typed character of a key event (control characters for Enter,
    /// Escape, Backspace, Tab and Ctrl+letter), or a null QChar.
    static QChar KeyChar(const QKeyEvent *Event);
    void SetShownColors(TColor Background, TColor Text);

    TBrixFormatter *FFormatter = nullptr;
    TBrixUICtrl *FUICtrl = nullptr;
    bool FNull = false;
    QString FEnterText;
    bool FMouseOver = false;
    bool FReadOnly = false;
    TColor FColor;
    bool FAllowAllChars = true;
    bool FStoreValue = true;
    bool FWantEnter = false;
    bool FWantEsc = false;
    TNotifyEvent FOnNullChange;
    TNotifyEvent FOnReadOnlyChange;
    TNotifyEvent FOnEnabledChange;
    TNotifyEvent FOnChange;
    TColor FColorShowing;
    TColor FFontColor;
    QColor FBaseShowing; // what FColorShowing and FFontColor gave
    QColor FTextShowing;
    bool FApplyingColors = false;
};

} // namespace Brix
