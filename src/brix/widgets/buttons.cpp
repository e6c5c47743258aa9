#include "brix/widgets/buttons.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>

namespace Brix {

int WidgetRight(const QWidget *Widget)
{
    return Widget->x() + Widget->width();
}

int WidgetBottom(const QWidget *Widget)
{
    return Widget->y() + Widget->height();
}

void SetWidgetRight(QWidget *Widget, int Value)
{
    if (Value != WidgetRight(Widget))
        Widget->move(Value - Widget->width(), Widget->y());
}

void SetWidgetBottom(QWidget *Widget, int Value)
{
    if (Value != WidgetBottom(Widget))
        Widget->move(Widget->x(), Value - Widget->height());
}

void FocusIfPossible(QWidget *Control)
{
    if (!Control || !(Control->focusPolicy() & Qt::TabFocus) || !Control->isEnabled() ||
        !Control->isVisible() || Control->hasFocus())
        return;
    Control->setFocus(Qt::MouseFocusReason);
}

namespace {

// What a screen reader learns of a speed button: a button named by its
// accessible name (else its caption) that can be pressed. Its description is
// only the accessible description set for it, and none when that repeats the
// name: the hint is mostly the name already, and a reader would say it twice.
class TSpeedButtonAccessible : public QAccessibleWidget
{
public:
    explicit TSpeedButtonAccessible(QWidget *Button)
        : QAccessibleWidget(Button, QAccessible::Button)
    {
    }

    QAbstractButton *Button() const { return static_cast<QAbstractButton *>(widget()); }

    QString text(QAccessible::Text Kind) const override
    {
        switch (Kind) {
        case QAccessible::Name: {
            const QString Name = widget()->accessibleName();
            return Name.isEmpty() ? Button()->text() : Name;
        }
        case QAccessible::Description: {
            const QString Description = widget()->accessibleDescription();
            return Description == text(QAccessible::Name) ? QString() : Description;
        }
        default:
            return QAccessibleWidget::text(Kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State State = QAccessibleWidget::state();
        State.pressed = Button()->isDown();
        State.checkable = Button()->isCheckable();
        State.checked = Button()->isChecked();
        return State;
    }

    QStringList actionNames() const override
    {
        QStringList Names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            Names.prepend(pressAction());
        return Names;
    }

    void doAction(const QString &ActionName) override
    {
        if (!widget()->isEnabled())
            return;
        if (ActionName == pressAction())
            Button()->click();
        else
            QAccessibleWidget::doAction(ActionName);
    }
};

QAccessibleInterface *SpeedButtonAccessibleFactory(const QString &, QObject *Object)
{
    if (auto *Button = qobject_cast<TBrixSpeedButton *>(Object))
        return new TSpeedButtonAccessible(Button);
    return nullptr;
}

} // namespace

TBrixSpeedButton::TBrixSpeedButton(QWidget *Parent, TComponent *AOwner)
    : QAbstractButton(Parent), TComponent(AOwner)
{
    static const bool FactoryInstalled = [] {
        QAccessible::installFactory(SpeedButtonAccessibleFactory);
        return true;
    }();
    Q_UNUSED(FactoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (FOnClick)
            FOnClick(this);
    });
}

TBrixSpeedButton::~TBrixSpeedButton()
{
    StopRepeating();
}

void TBrixSpeedButton::LinkFreed(TBrixBaseComponent *) {}
void TBrixSpeedButton::LinkChanged(TBrixBaseComponent *) {}

void TBrixSpeedButton::SetInterval(Cardinal Value)
{
    FInterval = Value;
    // A running wait recomputes its deadline (or ends for 0).
    if (FRepeatLoop)
        FRepeatLoop->quit();
}

void TBrixSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value)
        return;
    FFlat = Value;
    update();
}

void TBrixSpeedButton::SetGlyph(const QPixmap &Value)
{
    FGlyph = Value;
    updateGeometry();
    update();
}

void TBrixSpeedButton::SetNumGlyphs(int Value)
{
    if (Value < 1 || Value > 4 || Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    updateGeometry();
    update();
}

QPixmap TBrixSpeedButton::GlyphImage(int Index) const
{
    if (FGlyph.isNull())
        return QPixmap();
    const int W = FGlyph.width() / FNumGlyphs;
    if (Index >= FNumGlyphs)
        Index = 0;
    return FGlyph.copy(Index * W, 0, W, FGlyph.height());
}

QSize TBrixSpeedButton::sizeHint() const
{
    const QSize Content = FGlyph.isNull() ? fontMetrics().size(Qt::TextShowMnemonic, text())
                                          : QSize(FGlyph.width() / FNumGlyphs, FGlyph.height());
    return Content + QSize(12, 10);
}

void TBrixSpeedButton::DoClick()
{
    Q_EMIT clicked(isChecked());
}

void TBrixSpeedButton::mousePressEvent(QMouseEvent *Event)
{
    const QPointer<TBrixSpeedButton> Guard(this);
    // The button's own handling: shows the key pressed for a left press.
    QAbstractButton::mousePressEvent(Event);
    if (Event->button() == Qt::LeftButton && isDown())
        FCaptured = true;
    if (FOnMouseDown) {
        const QPoint P = Event->position().toPoint();
        FOnMouseDown(this, Event->button(), Event->modifiers(), P.x(), P.y());
        if (!Guard)
            return;
    }
    Event->accept();
    if (Event->button() != Qt::LeftButton)
        return;
    FocusIfPossible(FFocusControl.data());
    if (!Guard)
        return;
    if (FRepeatable && FInterval > 0 && FCaptured) {
        FRepeating = true;
        RepeatClicks();
    }
}

void TBrixSpeedButton::RepeatClicks()
{
    // Waiting on a timer inside a local event loop processes every event
    // (the release among them) without keeping a processor busy; the clicks
    // come at the same moments as with continuous polling: each time more
    // than Interval ms have passed since the previous one.
    const QPointer<TBrixSpeedButton> Guard(this);
    QElapsedTimer Ticks;
    Ticks.start();
    qint64 Start = 0;
    QEventLoop Loop;
    QTimer Wake;
    Wake.setSingleShot(true);
    Wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Wake, &QTimer::timeout, &Loop, &QEventLoop::quit);
    while (Guard && FRepeating && FInterval > 0) {
        const qint64 Now = Ticks.elapsed();
        if (Now - Start > qint64(FInterval)) {
            if (isDown() && FCaptured) {
                DoClick();
                if (!Guard)
                    return;
            }
            Start = Ticks.elapsed();
            continue;
        }
        if (!FRepeating)
            break;
        Wake.start(int(qMin<qint64>(qint64(FInterval) - (Now - Start) + 1, 1 << 30)));
        FRepeatLoop = &Loop;
        Loop.exec();
        if (!Guard)
            return;
        FRepeatLoop = nullptr;
    }
    if (Guard) {
        FRepeatLoop = nullptr;
        FRepeating = false;
    }
}

void TBrixSpeedButton::StopRepeating()
{
    FRepeating = false;
    FCaptured = false;
    if (FRepeatLoop)
        FRepeatLoop->quit();
}

void TBrixSpeedButton::mouseReleaseEvent(QMouseEvent *Event)
{
    const QPointer<TBrixSpeedButton> Guard(this);
    const bool WasLeft = Event->button() == Qt::LeftButton;
    // Clicks when released over the key; the repeat loop must not click
    // again once the button has let go of the mouse.
    if (WasLeft)
        FCaptured = false;
    QAbstractButton::mouseReleaseEvent(Event);
    if (Guard && WasLeft)
        StopRepeating();
}

void TBrixSpeedButton::changeEvent(QEvent *Event)
{
    // A disabled key loses the mouse: the loop ends as after a release.
    if (Event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeating();
    QAbstractButton::changeEvent(Event);
}

void TBrixSpeedButton::hideEvent(QHideEvent *Event)
{
    StopRepeating();
    QAbstractButton::hideEvent(Event);
}

void TBrixSpeedButton::paintEvent(QPaintEvent *)
{
    QStylePainter Painter(this);
    QStyleOptionToolButton Option;
    Option.initFrom(this);
    Option.subControls = QStyle::SC_ToolButton;
    Option.activeSubControls = QStyle::SC_None;
    Option.features = QStyleOptionToolButton::None;
    Option.arrowType = Qt::NoArrow;
    Option.text = text();
    Option.font = font();
    if (isDown()) {
        Option.state |= QStyle::State_Sunken;
        Option.activeSubControls = QStyle::SC_ToolButton;
    } else {
        Option.state |= QStyle::State_Raised;
    }
    if (FFlat)
        Option.state |= QStyle::State_AutoRaise;
    // A key never shows a focus frame.
    Option.state &= ~QStyle::State_HasFocus;
    if (!FGlyph.isNull()) {
        // Disabled and pressed images when the glyph carries them; Qt derives
        // a disabled look from the normal image otherwise.
        QPixmap Image;
        if (!isEnabled() && FNumGlyphs >= 2)
            Image = GlyphImage(1);
        else if (isDown() && FNumGlyphs >= 3)
            Image = GlyphImage(2);
        else
            Image = GlyphImage(0);
        Option.icon = QIcon(Image);
        Option.iconSize = Image.size();
        Option.toolButtonStyle = Qt::ToolButtonIconOnly;
    } else {
        Option.toolButtonStyle = Qt::ToolButtonTextOnly;
    }
    Painter.drawComplexControl(QStyle::CC_ToolButton, Option);
}

} // namespace Brix
