/// @file
/// The calculator key: a push button that never takes the keyboard focus,
/// shows a caption or a glyph and clicks when the left mouse button is
/// released over it; optionally it repeats its click while held and hands
/// the keyboard focus to another control when pressed.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <functional>

class QEventLoop;

namespace Brix {

/// Mouse press: button, modifiers, position in the button.
using TMouseEvent = std::function<void(TObject *Sender, Qt::MouseButton Button,
                                       Qt::KeyboardModifiers Shift, int X, int Y)>;

///@{
/// Right/Bottom of a widget (the edge just past it), and moving it so that
/// edge lands on Value with the size kept. Nothing moves when the edge is
/// already there.
BRIX_CONTROLS_EXPORT int WidgetRight(const QWidget *Widget);
BRIX_CONTROLS_EXPORT int WidgetBottom(const QWidget *Widget);
BRIX_CONTROLS_EXPORT void SetWidgetRight(QWidget *Widget, int Value);
BRIX_CONTROLS_EXPORT void SetWidgetBottom(QWidget *Widget, int Value);
///@}

/// Gives Control the focus when it accepts focus by tab (its "tab stop"),
/// is visible and enabled, and does not have it already.
BRIX_CONTROLS_EXPORT void FocusIfPossible(QWidget *Control);

/// A flat or raised key with a glyph or caption that can repeat its click while held; the keys
/// of the calculator windows and the halves of the spin button.
class BRIX_CONTROLS_EXPORT TBrixSpeedButton : public QAbstractButton,
                                              public TComponent,
                                              public IBrixComponent,
                                              public IBrixVisualComponent
{
    Q_OBJECT

public:
    /// Parent is the Qt parent (the button is shown inside it); AOwner, when
    /// given, frees the button when it is freed.
    explicit TBrixSpeedButton(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);
    ~TBrixSpeedButton() override;

    ///@{
    /// Repeat interval in milliseconds (default 400).
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    ///@}
    ///@{
    /// Repeat the click while the left button is held (default false).
    bool Repeatable() const { return FRepeatable; }
    void SetRepeatable(bool Value) { FRepeatable = Value; }
    ///@}
    /// True while a repeat loop runs (from a left press until the release).
    bool Repeating() const { return FRepeating; }
    ///@{
    /// Control that receives the keyboard focus on a left press; not owned.
    /// Cleared when that control is freed.
    QWidget *FocusControl() const { return FFocusControl.data(); }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }
    ///@}

    ///@{
    /// Flat: the frame shows only while the pointer is over the key or it is
    /// pressed. Default false (a raised key).
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    ///@}

    ///@{
    /// The glyph: NumGlyphs images of equal width side by side: normal,
    /// disabled, pressed. A null pixmap removes the glyph (the caption shows).
    const QPixmap &Glyph() const { return FGlyph; }
    void SetGlyph(const QPixmap &Value);
    int NumGlyphs() const { return FNumGlyphs; }
    ///@}
    /// 1 to 4; other values are ignored.
    void SetNumGlyphs(int Value);

    ///@{
    /// Hint shown on hover (the tooltip).
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &Value) { setToolTip(Value); }
    ///@}

    ///@{
    /// Raised for every mouse press (before the focus moves or a repeat
    /// starts), and on every click (release over the key or a repeat).
    const TMouseEvent &OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
    ///@}
    ///@{
    /// Raised on every click: a release over the key, and each repeat.
    const TNotifyEvent &OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    ///@}

    /// The library's version text (BrixVersionText).
    QString Version() const { return BrixVersionText; }

    ///@{
    /// IBrixComponent: both link handlers do nothing here.
    void LinkFreed(TBrixBaseComponent *Sender) override;
    void LinkChanged(TBrixBaseComponent *Sender) override;
    ///@}
    QString GetVersion() const override { return Version(); }
    /// IBrixVisualComponent: Right and Bottom.
    void SetRight(int Value) override { SetWidgetRight(this, Value); }
    int GetRight() const override { return WidgetRight(this); }
    void SetBottom(int Value) override { SetWidgetBottom(this, Value); }
    int GetBottom() const override { return WidgetBottom(this); }
    /// The right and bottom edges in the parent's coordinates (GetRight,
    /// GetBottom).
    ///@{
    int Right() const { return GetRight(); }
    int Bottom() const { return GetBottom(); }
    ///@}

    /// The glyph's size (one image) or the caption's, plus the frame.
    QSize sizeHint() const override;

protected:
    /// Qt's event handlers: pressing starts the repeat and gives the focus to FocusControl; a
    /// release over the key clicks; the key is drawn flat or raised with the glyph of its
    /// state; hiding or disabling stops a repeat.
    ///@{
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void hideEvent(QHideEvent *Event) override;
    ///@}

    /// The click of a release over the key or of a repeat: OnClick, then the
    /// clicked() signal.
    void DoClick();

private:
    /// Waits on timers (not polling) and clicks each time more than
    /// Interval ms have passed since the previous click while the key is
    /// pressed and still holds the mouse; returns after the release.
    void RepeatClicks();
    void StopRepeating();
    QPixmap GlyphImage(int Index) const;

    Cardinal FInterval = 400;
    bool FRepeatable = false;
    bool FRepeating = false;
    QPointer<QWidget> FFocusControl;
    bool FFlat = false;
    bool FCaptured = false; ///< the left press holds the mouse
    QPixmap FGlyph;
    int FNumGlyphs = 1;
    QEventLoop *FRepeatLoop = nullptr; ///< the running repeat loop's wait
    TMouseEvent FOnMouseDown;
    TNotifyEvent FOnClick;
};

} // namespace Brix
