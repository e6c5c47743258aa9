#include "brix/calcwindows/calculators_display.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace Brix {

TBrixCalcDisplay::TBrixCalcDisplay(QWidget *Parent) : QLabel(Parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A lowered bevel two pixels wide, then a three-pixel border.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMargin(3);
    setAutoFillBackground(true); // its own background, not the panel's
    setBackgroundRole(QPalette::Base);
    setText(QStringLiteral("12345678901234567890"));
}

void TBrixCalcDisplay::SetValue(const QString &Text)
{
    if (Text == text())
        return;
    // The display's accessible name is its text, and QLabel reports the new
    // name to screen readers itself (once: a second event here would have
    // the value read out twice).
    setText(Text);
}

void TBrixCalcDisplay::SetDecimalSeparator(QChar Value)
{
    if (Value == FDecimalSeparator)
        return;
    FDecimalSeparator = Value;
    update();
}

QRect TBrixCalcDisplay::TextRect() const
{
    const int M = margin();
    return contentsRect().adjusted(M, M, -M, -M);
}

TBrixCalcDisplay::TFit TBrixCalcDisplay::Fitted() const
{
    constexpr int SmallestPixels = 8;
    // A pixel kept clear at either end: a glyph's ink may reach past its
    // advance.
    const int Room = TextRect().width() - 2;
    TFit Fit{text(), font()};
    const auto Fits = [&Room](const QFont &Font, const QString &Text) {
        return QFontMetrics(Font).horizontalAdvance(Text) <= Room;
    };
    if (Fits(Fit.Font, Fit.Text))
        return Fit;
    for (int Pixels = QFontInfo(Fit.Font).pixelSize() - 1; Pixels >= SmallestPixels; --Pixels) {
        Fit.Font.setPixelSize(Pixels);
        if (Fits(Fit.Font, Fit.Text))
            return Fit;
    }
    if (QFontInfo(Fit.Font).pixelSize() > SmallestPixels)
        Fit.Font.setPixelSize(SmallestPixels);
    // Trailing decimals go, one at a time, the separator last; an exponent
    // after them stays.
    const QString Whole = text();
    const QChar Ellipsis(0x2026);
    const int Separator = Whole.indexOf(FDecimalSeparator);
    if (Separator > 0) {
        int End = Separator + 1;
        while (End < Whole.size() && Whole.at(End).isDigit())
            ++End;
        const QString Suffix = Whole.mid(End);
        for (int Keep = End - 1; Keep >= Separator; --Keep) {
            Fit.Text = Whole.left(Keep) + Ellipsis + Suffix;
            if (Fits(Fit.Font, Fit.Text))
                return Fit;
        }
    }
    // An integer (or a message) wider than the panel: its beginning shows,
    // with the sign and the leading digits; the tooltip has the rest.
    Fit.Text = QFontMetrics(Fit.Font).elidedText(Whole, Qt::ElideRight, Room);
    return Fit;
}

bool TBrixCalcDisplay::event(QEvent *Event)
{
    if (Event->type() == QEvent::ToolTip) {
        const TFit Fit = Fitted();
        if (Fit.Text != text()) {
            const QString Hint = toolTip();
            QToolTip::showText(static_cast<QHelpEvent *>(Event)->globalPos(),
                               Hint.isEmpty() ? text() : Hint + u'\n' + text(), this);
            return true;
        }
    }
    return QLabel::event(Event);
}

void TBrixCalcDisplay::paintEvent(QPaintEvent *)
{
    QPainter Painter(this);
    drawFrame(&Painter);
    const TFit Fit = Fitted();
    Painter.setFont(Fit.Font);
    style()->drawItemText(&Painter, TextRect(),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), Fit.Text, foregroundRole());
}

void TBrixCalcDisplay::mousePressEvent(QMouseEvent *Event)
{
    Q_EMIT mousePressed();
    Event->accept(); // not a click on the panel behind it
}

void TBrixCalcDisplay::mouseReleaseEvent(QMouseEvent *Event)
{
    Event->accept();
}

} // namespace Brix
