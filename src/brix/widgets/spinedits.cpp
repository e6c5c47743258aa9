#include "brix/widgets/spinedits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace Brix {

namespace {

// A small filled arrow, 9 by 5 pixels, pointing up or down.
QPixmap DrawArrow(bool Up)
{
    QImage Image(9, 5, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    QPainter Painter(&Image);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Qt::black);
    Painter.setRenderHint(QPainter::Antialiasing, false);
    for (int Row = 0; Row < 5; ++Row) {
        const int Half = Up ? Row : 4 - Row;
        Painter.drawRect(4 - Half, Row, 2 * Half + 1, 1);
    }
    Painter.end();
    return QPixmap::fromImage(Image);
}

} // namespace

QPixmap BrixBitmapResource(const QString &Name)
{
    static QHash<QString, QPixmap> Cache;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QPixmap();
    if (Name != QLatin1String("SPINUP") && Name != QLatin1String("SPINDOWN"))
        return QPixmap();
    auto It = Cache.find(Name);
    if (It == Cache.end())
        It = Cache.insert(Name, DrawArrow(Name == QLatin1String("SPINUP")));
    return *It;
}

// ---- TBrixSpinButton ----

TBrixSpinButton::TBrixSpinButton(QWidget *Parent, TComponent *AOwner)
    : QWidget(Parent), TComponent(AOwner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    FUpButton = MakeHalf();
    FUpButton->setObjectName(QStringLiteral("UpButton"));
    FDownButton = MakeHalf();
    FDownButton->setObjectName(QStringLiteral("DownButton"));
    SetUpGlyph(QPixmap());
    SetDownGlyph(QPixmap());
    FFocusedButton = FUpButton;
    resize(20, 25);
    // A hidden widget gets its resize event only when shown; lay out now.
    int W = width();
    int H = height();
    ArrangeHalves(W, H);
}

void TBrixSpinButton::LinkFreed(TBrixBaseComponent *) {}
void TBrixSpinButton::LinkChanged(TBrixBaseComponent *) {}

TBrixSpeedButton *TBrixSpinButton::MakeHalf()
{
    auto *Half = new TBrixSpeedButton(this, this);
    Half->setVisible(true);
    Half->setEnabled(true);
    Half->SetRepeatable(true);
    Half->SetOnClick([this, Half](TObject *) { HalfClick(Half); });
    Half->SetOnMouseDown([this, Half](TObject *, Qt::MouseButton Button, Qt::KeyboardModifiers, int,
                                      int) { HalfMouseDown(Half, Button); });
    return Half;
}

QPixmap TBrixSpinButton::ArrowInButtonText(const QString &Name) const
{
    // The resource is the arrow's shape; its pixels take the colour.
    QImage Image =
        BrixBitmapResource(Name).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter Painter(&Image);
    Painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    Painter.fillRect(Image.rect(), palette().color(QPalette::ButtonText));
    Painter.end();
    return QPixmap::fromImage(Image);
}

void TBrixSpinButton::SetUpGlyph(const QPixmap &Value)
{
    FDefaultUpGlyph = Value.isNull();
    if (!FDefaultUpGlyph) {
        FUpButton->SetGlyph(Value);
        return;
    }
    FUpButton->SetGlyph(ArrowInButtonText(QStringLiteral("SPINUP")));
    FUpButton->SetNumGlyphs(1);
    FUpButton->update();
}

void TBrixSpinButton::SetDownGlyph(const QPixmap &Value)
{
    FDefaultDownGlyph = Value.isNull();
    if (!FDefaultDownGlyph) {
        FDownButton->SetGlyph(Value);
        return;
    }
    FDownButton->SetGlyph(ArrowInButtonText(QStringLiteral("SPINDOWN")));
    FDownButton->SetNumGlyphs(1);
    FDownButton->update();
}

void TBrixSpinButton::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() != QEvent::PaletteChange)
        return;
    if (FDefaultUpGlyph)
        SetUpGlyph(QPixmap());
    if (FDefaultDownGlyph)
        SetDownGlyph(QPixmap());
}

void TBrixSpinButton::SetInterval(Cardinal Value)
{
    if (Value == FUpButton->Interval())
        return;
    FUpButton->SetInterval(Value);
    FDownButton->SetInterval(Value);
}

void TBrixSpinButton::ArrangeHalves(int &W, int &H)
{
    if (!FUpButton || !FDownButton || IsLoading())
        return;
    if (W < 15)
        W = 15;
    const int UpHeight = H / 2;
    FUpButton->setGeometry(0, 0, W, UpHeight);
    FDownButton->setGeometry(0, UpHeight - 1, W, H - UpHeight + 1);
}

void TBrixSpinButton::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    int W = width();
    int H = height();
    ArrangeHalves(W, H);
    if (W != width() || H != height())
        resize(W, H);
}

void TBrixSpinButton::HalfClick(TBrixSpeedButton *Sender)
{
    if (Sender == FUpButton) {
        if (FOnUpClick)
            FOnUpClick(this);
    } else if (FOnDownClick) {
        FOnDownClick(this);
    }
}

void TBrixSpinButton::HalfMouseDown(TBrixSpeedButton *Sender, Qt::MouseButton Button)
{
    if (Button != Qt::LeftButton)
        return;
    FocusHalf(Sender);
    QWidget *Target = FFocusControl.data();
    if (Target && (Target->focusPolicy() & Qt::TabFocus) && Target->isEnabled() &&
        Target->isVisible()) {
        if (!Target->hasFocus())
            Target->setFocus(Qt::MouseFocusReason);
    } else if ((focusPolicy() & Qt::TabFocus) && isEnabled() && isVisible() && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TBrixSpinButton::FocusHalf(TBrixSpeedButton *B)
{
    if (!(focusPolicy() & Qt::TabFocus) || !isEnabled() || B == FFocusedButton)
        return;
    FFocusedButton = B;
    if (hasFocus())
        update();
}

void TBrixSpinButton::keyPressEvent(QKeyEvent *Event)
{
    switch (Event->key()) {
    case Qt::Key_Space:
        HalfClick(FFocusedButton);
        break;
    case Qt::Key_Up:
        FocusHalf(FUpButton);
        HalfClick(FUpButton);
        break;
    case Qt::Key_Down:
        FocusHalf(FDownButton);
        HalfClick(FDownButton);
        break;
    default:
        QWidget::keyPressEvent(Event);
        return;
    }
    Event->accept();
}

void TBrixSpinButton::focusInEvent(QFocusEvent *Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TBrixSpinButton::focusOutEvent(QFocusEvent *Event)
{
    QWidget::focusOutEvent(Event);
    update();
}

void TBrixSpinButton::paintEvent(QPaintEvent *)
{
    QPainter Painter(this);
    Painter.fillRect(rect(), palette().color(QPalette::Button));
    if (hasFocus() && FFocusedButton) {
        // The focused half carries a dotted frame while the control has the
        // focus.
        QPen Pen(palette().color(QPalette::ButtonText));
        Pen.setStyle(Qt::DotLine);
        Painter.setPen(Pen);
        Painter.drawRect(FFocusedButton->geometry().adjusted(2, 2, -3, -3));
    }
}

// ---- TBrixSpinEdit ----

TBrixSpinEdit::TBrixSpinEdit(QWidget *Parent, TComponent *AOwner) : TBrixIntEdit(Parent, AOwner)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FButton = new TBrixSpinButton(this, this);
    FButton->setObjectName(QStringLiteral("SpinButton"));
    FButton->resize(16, 17);
    FButton->setVisible(true);
    FButton->SetFocusControl(this);
    FButton->SetOnUpClick([this](TObject *) { StepUp(); });
    FButton->SetOnDownClick([this](TObject *) { StepDown(); });
    // Children are clipped to the edit; the text area is narrowed so the
    // text never runs under the button.
    setAutoFillBackground(true);
    SetAsInteger(0);
    NarrowTextArea();
    setMinimumHeight(MinimumHeight());
    PlaceButton();
}

int TBrixSpinEdit::FitToRange(int Value) const
{
    if (FWrap) {
        if (Value < FMinValue)
            return FMaxValue;
        if (Value > FMaxValue)
            return FMinValue;
        return Value;
    }
    if (Value < FMinValue)
        return FMinValue;
    if (Value > FMaxValue)
        return FMaxValue;
    return Value;
}

void TBrixSpinEdit::SetAsInteger(int Value)
{
    TBrixIntEdit::SetAsInteger(FitToRange(Value));
}

namespace {

// A + B without overflow (the sum saturates at the Integer range), so a
// step near the range's end still lands on the nearer limit.
int SaturatingAdd(int A, int B)
{
    const qint64 Sum = qint64(A) + qint64(B);
    return int(
        std::clamp<qint64>(Sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

void TBrixSpinEdit::StepUp()
{
    if (ReadOnly()) {
        QApplication::beep();
        return;
    }
    UpdateValue();
    SetValue(SaturatingAdd(Value(), FStep));
    if (FOnUpClick)
        FOnUpClick(this);
    if (FOnClick)
        FOnClick(this);
}

void TBrixSpinEdit::StepDown()
{
    if (ReadOnly()) {
        QApplication::beep();
        return;
    }
    UpdateValue();
    SetValue(SaturatingAdd(Value(), -FStep));
    if (FOnDownClick)
        FOnDownClick(this);
    if (FOnClick)
        FOnClick(this);
}

void TBrixSpinEdit::KeyDown(int &Key, Qt::KeyboardModifiers Shift, QChar &PendingChar)
{
    // A read-only box ignores the key here, the edit's own rules included.
    if (ReadOnly())
        return;
    const bool Ctrl = Shift & Qt::ControlModifier;
    // Paging starts from what the box shows, as a step does: typed digits
    // count even when no change handler has read them yet.
    if (Key == Qt::Key_PageUp || Key == Qt::Key_PageDown)
        UpdateValue();
    switch (Key) {
    case Qt::Key_PageUp:
        if (Ctrl)
            SetValue(FMaxValue);
        else if (qint64(Value()) + FPageStep <= FMaxValue)
            SetValue(Value() + FPageStep);
        else if (FWrap && Value() == FMaxValue)
            SetValue(FMinValue);
        else
            SetValue(FMaxValue);
        break;
    case Qt::Key_PageDown:
        if (Ctrl)
            SetValue(FMinValue);
        else if (qint64(Value()) - FPageStep >= FMinValue)
            SetValue(Value() - FPageStep);
        else if (FWrap && Value() == FMinValue)
            SetValue(FMaxValue);
        else
            SetValue(FMinValue);
        break;
    case Qt::Key_Up:
        if (!Ctrl)
            StepUp();
        break;
    case Qt::Key_Down:
        if (!Ctrl)
            StepDown();
        break;
    default:
        break;
    }
    TBrixIntEdit::KeyDown(Key, Shift, PendingChar);
    // Handled here; the edit itself has no use for them.
    if (Key == Qt::Key_PageUp || Key == Qt::Key_PageDown || Key == Qt::Key_Up ||
        Key == Qt::Key_Down)
        Key = 0;
}

void TBrixSpinEdit::DoEnter(Qt::FocusReason Reason)
{
    TBrixIntEdit::DoEnter(Reason);
    // Entering with the keyboard selects the text; a click places the caret.
    const bool LeftDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    if (Reason != Qt::MouseFocusReason && !LeftDown)
        selectAll();
}

void TBrixSpinEdit::DoExit()
{
    TBrixIntEdit::DoExit();
    if (FitToRange(Value()) != Value())
        SetValue(Value());
}

bool TBrixSpinEdit::CanPaste() const
{
    return FEditorEnabled && TBrixIntEdit::CanPaste();
}

bool TBrixSpinEdit::CanCut() const
{
    return FEditorEnabled && TBrixIntEdit::CanCut();
}

int TBrixSpinEdit::MinimumHeight() const
{
    return MinimumHeightFor(QFontMetrics(font()).height());
}

int TBrixSpinEdit::MinimumHeightFor(int FontHeight)
{
    const int Border = 1;
    const int SystemHeight = QFontMetrics(QApplication::font()).height();
    return 4 * Border + FontHeight + qMin(FontHeight, SystemHeight) / 4 + 1;
}

void TBrixSpinEdit::NarrowTextArea()
{
    setTextMargins(0, 0, FButton->width() + 2, 0);
}

void TBrixSpinEdit::PlaceButton()
{
    // Inside the edit's frame at its right edge, one pixel clear of the
    // frame's right and bottom sides.
    const int Frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int H = qMax(1, height() - 2 * Frame - 1);
    FButton->setGeometry(width() - Frame - FButton->width() - 1, Frame, FButton->width(), H);
}

void TBrixSpinEdit::resizeEvent(QResizeEvent *Event)
{
    TBrixIntEdit::resizeEvent(Event);
    if (height() < MinimumHeight())
        return; // the minimum height raises it; the next resize places the button
    PlaceButton();
    NarrowTextArea();
}

void TBrixSpinEdit::changeEvent(QEvent *Event)
{
    TBrixIntEdit::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        setMinimumHeight(MinimumHeight());
}

} // namespace Brix
