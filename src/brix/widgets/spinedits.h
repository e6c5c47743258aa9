/// @file
/// The spin button (two repeating keys stacked up over down) and the spin
/// edit: an integer edit with a spin button inside its right edge, a value
/// range, steps, optional wrap-around and keyboard stepping.
#pragma once

#include "brix/export.h"

#include "brix/widgets/buttons.h"
#include "brix/widgets/edits_numeric.h"

#include <QWidget>

namespace Brix {

/// The arrow bitmaps "SPINUP" and "SPINDOWN" (drawn once, then shared); a
/// null pixmap for any other name.
BRIX_CONTROLS_EXPORT QPixmap BrixBitmapResource(const QString &Name);

/// Two repeating keys stacked up over down, for stepping a value.
class BRIX_CONTROLS_EXPORT TBrixSpinButton : public QWidget,
                                             public TComponent,
                                             public IBrixComponent,
                                             public IBrixVisualComponent
{
    Q_OBJECT

public:
    /// 20 by 25, the up half focused, both halves repeating every 400 ms.
    explicit TBrixSpinButton(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);

    ///@{
    /// Both link handlers do nothing here.
    void LinkFreed(TBrixBaseComponent *Sender) override;
    void LinkChanged(TBrixBaseComponent *Sender) override;
    ///@}
    QString GetVersion() const override { return Version(); }
    void SetRight(int Value) override { SetWidgetRight(this, Value); }
    int GetRight() const override { return WidgetRight(this); }
    void SetBottom(int Value) override { SetWidgetBottom(this, Value); }
    int GetBottom() const override { return WidgetBottom(this); }
    /// The right and bottom edges in the parent's coordinates (GetRight, GetBottom).
    ///@{
    int Right() const { return GetRight(); }
    int Bottom() const { return GetBottom(); }
    ///@}
    /// The library's version text (BrixVersionText).
    QString Version() const { return BrixVersionText; }

    /// The two halves, owned by the button.
    ///@{
    TBrixSpeedButton *UpButton() const { return FUpButton; }
    TBrixSpeedButton *DownButton() const { return FDownButton; }
    ///@}
    /// The half that Space clicks.
    TBrixSpeedButton *FocusedButton() const { return FFocusedButton; }

    ///@{
    /// A null pixmap loads the "SPINUP" (resp. "SPINDOWN") arrow with one image,
    /// drawn in the button text colour of the control's palette (again
    /// whenever the palette changes).
    QPixmap UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(const QPixmap &Value);
    QPixmap DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const QPixmap &Value);
    ///@}
    ///@{
    /// The number of images in each half's glyph (see
    /// TBrixSpeedButton::NumGlyphs).
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
    ///@}
    ///@{
    /// The halves' repeat interval (the up half's; writing sets both).
    Cardinal Interval() const { return FUpButton->Interval(); }
    void SetInterval(Cardinal Value);
    ///@}

    ///@{
    /// Control that takes the focus when a half is pressed; not owned.
    QWidget *FocusControl() const { return FFocusControl.data(); }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }
    ///@}

    /// Read or replace the handler raised when the up or down half is clicked (also while it
    /// repeats).
    ///@{
    const TNotifyEvent &OnUpClick() const { return FOnUpClick; }
    void SetOnUpClick(TNotifyEvent Value) { FOnUpClick = std::move(Value); }
    const TNotifyEvent &OnDownClick() const { return FOnDownClick; }
    void SetOnDownClick(TNotifyEvent Value) { FOnDownClick = std::move(Value); }
    ///@}

    /// Makes B the focused half (when the control can take the focus).
    void FocusHalf(TBrixSpeedButton *B);

protected:
    /// Qt's event handlers: the halves follow the size; Space clicks the
    /// focused half, Up and Down their own; the focused half carries a dotted
    /// frame while the control has the focus.
    ///@{
    void resizeEvent(QResizeEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    ///@}

private:
    TBrixSpeedButton *MakeHalf();
    /// The arrow resource Name in the palette's button text colour.
    QPixmap ArrowInButtonText(const QString &Name) const;
    /// Lays the halves out in W x H (W at least 15): up on top, H div 2
    /// high; the down half overlaps it by one pixel.
    void ArrangeHalves(int &W, int &H);
    void HalfClick(TBrixSpeedButton *Sender);
    void HalfMouseDown(TBrixSpeedButton *Sender, Qt::MouseButton Button);

    TBrixSpeedButton *FUpButton = nullptr;
    TBrixSpeedButton *FDownButton = nullptr;
    TBrixSpeedButton *FFocusedButton = nullptr;
    bool FDefaultUpGlyph = false; // the halves show the arrow resources
    bool FDefaultDownGlyph = false;
    QPointer<QWidget> FFocusControl;
    TNotifyEvent FOnUpClick;
    TNotifyEvent FOnDownClick;
};

/// An integer edit with a spin button inside its right edge, a value range, steps, optional
/// wrap-around and keyboard stepping.
class BRIX_CONTROLS_EXPORT TBrixSpinEdit : public TBrixIntEdit
{
    Q_OBJECT

public:
    /// Creates the spin button inside the edit; the value starts at 0.
    explicit TBrixSpinEdit(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);

    /// With Wrap, a value below MinValue gives MaxValue and one above gives
    /// MinValue; without, the value is clamped. Range 0..100: 150 -> 100
    /// (wrap: 0), -3 -> 0 (wrap: 100).
    virtual int FitToRange(int Value) const;
    /// Value - Step (read-only: a beep, nothing else), then OnDownClick, OnClick.
    virtual void StepDown();
    /// Value + Step, then OnUpClick, OnClick.
    virtual void StepUp();
    /// Runs FitToRange first.
    void SetAsInteger(int Value) override;

    /// The value (AsInteger) and the range, steps and wrap-around that stepping and
    /// SetAsInteger use; writing a bound does not refit the current value.
    ///@{
    int Value() const { return AsInteger(); }
    void SetValue(int Value) { SetAsInteger(Value); }
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value) { FMinValue = Value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { FMaxValue = Value; }
    int Step() const { return FStep; }
    void SetStep(int Value) { FStep = Value; }
    int PageStep() const { return FPageStep; }
    void SetPageStep(int Value) { FPageStep = Value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }
    ///@}
    ///@{
    /// False refuses pasting and cutting (typing is still filtered only by
    /// the integer edit).
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    ///@}
    /// The spin button inside the edit; owned by it.
    TBrixSpinButton *Button() const { return FButton; }

    /// Read or replace the handler raised after a step down or up.
    ///@{
    const TNotifyEvent &OnUpClick() const { return FOnUpClick; }
    void SetOnUpClick(TNotifyEvent Value) { FOnUpClick = std::move(Value); }
    const TNotifyEvent &OnDownClick() const { return FOnDownClick; }
    void SetOnDownClick(TNotifyEvent Value) { FOnDownClick = std::move(Value); }
    ///@}
    ///@{
    /// Raised after every step.
    const TNotifyEvent &OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    ///@}

    /// 4 x border + the font's character height + the smaller of it and the
    /// system font's / 4 + 1.
    int MinimumHeight() const;
    /// The same for a font FontHeight pixels high (QFontMetrics::height), so a
    /// size can be checked without setting the font.
    static int MinimumHeightFor(int FontHeight);

protected:
    /// The edit's hooks: Up, Down, Page Up and Page Down step; entering with
    /// the keyboard selects the text; leaving refits the value into the
    /// range; pasting and cutting follow EditorEnabled; the button follows the
    /// size and the minimum height the font.
    ///@{
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift, QChar &PendingChar) override;
    void DoEnter(Qt::FocusReason Reason) override;
    void DoExit() override;
    bool CanPaste() const override;
    bool CanCut() const override;
    void resizeEvent(QResizeEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    ///@}

private:
    /// Narrows the text area to leave room for the button.
    void NarrowTextArea();
    void PlaceButton();

    int FMinValue = 0;
    int FMaxValue = 100;
    int FStep = 1;
    int FPageStep = 10;
    TBrixSpinButton *FButton = nullptr;
    bool FEditorEnabled = true;
    bool FWrap = false;
    TNotifyEvent FOnDownClick;
    TNotifyEvent FOnUpClick;
    TNotifyEvent FOnClick;
};

} // namespace Brix
