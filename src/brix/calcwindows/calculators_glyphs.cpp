#include "brix/calcwindows/calculators_glyphs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Brix {

namespace {

// The colours a glyph is drawn with, all taken from a palette.
struct TInks
{
    QColor Ink;    // lines, text and dots
    QColor Cross;  // the cancel key's cross
    QColor Paper;  // the pages of copy and paste
    QColor Board;  // the clipboard of paste
    QColor Clip;   // its clip
    QColor Leaf;   // the door leaf of exit
    bool Disabled; // outlines only: no fills, the cross in Ink
};

// Red of the lightness of From, kept between Low and High so that it stays
// red: a dark red for dark button text, a light red for light text.
QColor RedLike(const QColor &From, int Saturation, int Low, int High)
{
    return QColor::fromHsl(0, Saturation, qBound(Low, From.lightness(), High));
}

// Hue at the lightness of From: the warm fills of the paste and exit keys
// are as light as the palette's grey they stand for.
QColor Tinted(int Hue, int Saturation, const QColor &From)
{
    return QColor::fromHsl(Hue, Saturation, From.lightness());
}

// Normal glyphs in the button text colour; pressed ones in a red of the
// same lightness (dark red on light keys); disabled ones in the disabled
// button text colour, outlines only.
TInks InksFor(const QPalette &Palette, QIcon::Mode Mode)
{
    const QColor Text = Palette.color(QPalette::Active, QPalette::ButtonText);
    TInks Inks;
    Inks.Disabled = Mode == QIcon::Disabled;
    if (Inks.Disabled)
        Inks.Ink = Palette.color(QPalette::Disabled, QPalette::ButtonText);
    else if (Mode == QIcon::Active || Mode == QIcon::Selected)
        Inks.Ink = RedLike(Text, 255, 64, 200);
    else
        Inks.Ink = Text;
    Inks.Cross = Inks.Disabled || Mode == QIcon::Active || Mode == QIcon::Selected
                     ? Inks.Ink
                     : RedLike(Text, 220, 100, 190);
    Inks.Paper = Palette.color(QPalette::Base);
    Inks.Board = Tinted(35, 110, Palette.color(QPalette::Mid));
    Inks.Clip = Palette.color(QPalette::Shadow);
    Inks.Leaf = Tinted(30, 90, Palette.color(QPalette::Dark));
    return Inks;
}

// Draws the glyph in a 16 x 16 design box; the painter is already scaled.
void DrawGlyph(QPainter &P, TBrixGlyph Glyph, const TInks &Inks)
{
    const QColor &Ink = Inks.Ink;
    const bool Disabled = Inks.Disabled;
    QPen Pen(Ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    P.setPen(Pen);
    P.setBrush(Qt::NoBrush);
    // Text as an outline scaled into Box: independent of the screen's DPI and
    // sharp at any size. Size is the height of a lower-case x in design pixels.
    auto Text = [&](const QRectF &Box, const QString &S, qreal Size, bool Italic = false) {
        QFont F(QStringLiteral("DejaVu Sans"));
        F.setPixelSize(100);
        F.setItalic(Italic);
        QPainterPath Path;
        Path.addText(0, 0, F, S);
        const qreal XHeight = QFontMetricsF(F).xHeight();
        const qreal Factor = Size / (XHeight > 0 ? XHeight : 55.0);
        const QRectF Bounds = Path.boundingRect();
        P.save();
        P.translate(Box.center());
        P.scale(Factor, Factor);
        P.translate(-Bounds.center());
        P.setPen(Qt::NoPen);
        P.setBrush(Ink);
        P.drawPath(Path);
        P.restore();
    };
    switch (Glyph) {
    case kgChangeSign:
        P.drawLine(QPointF(8, 2.5), QPointF(8, 9.5));
        P.drawLine(QPointF(4.5, 6), QPointF(11.5, 6));
        P.drawLine(QPointF(4.5, 13), QPointF(11.5, 13));
        break;
    case kgSubtract:
        P.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        break;
    case kgAdd:
        P.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        P.drawLine(QPointF(8, 3.5), QPointF(8, 12.5));
        break;
    case kgDivide:
        P.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        P.setBrush(Ink);
        P.setPen(Qt::NoPen);
        P.drawEllipse(QPointF(8, 4.2), 1.3, 1.3);
        P.drawEllipse(QPointF(8, 11.8), 1.3, 1.3);
        break;
    case kgMultiply:
        P.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
        P.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
        break;
    case kgPower:
        Text(QRectF(0, 3, 11, 13), QStringLiteral("x"), 6.5, true);
        Text(QRectF(8, 0, 8, 9), QStringLiteral("y"), 4.2, true);
        break;
    case kgPi: {
        P.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
        P.drawLine(QPointF(6, 4.5), QPointF(5.2, 13));
        QPainterPath Leg;
        Leg.moveTo(10.3, 4.5);
        Leg.cubicTo(10, 8, 10, 12.5, 12.6, 12.6);
        P.drawPath(Leg);
        break;
    }
    case kgSquare:
        Text(QRectF(0, 3, 11, 13), QStringLiteral("x"), 6.5, true);
        Text(QRectF(8, 0, 8, 9), QStringLiteral("2"), 3.4);
        break;
    case kgSqRoot: {
        QPainterPath Root;
        Root.moveTo(1.5, 9);
        Root.lineTo(3.5, 8);
        Root.lineTo(5.5, 14);
        Root.lineTo(8, 2.5);
        Root.lineTo(15, 2.5);
        Pen.setWidthF(1.2);
        P.setPen(Pen);
        P.drawPath(Root);
        Text(QRectF(7, 3.5, 8, 12), QStringLiteral("x"), 5.5, true);
        break;
    }
    case kgInvert:
        Text(QRectF(0, 0, 7, 10), QStringLiteral("1"), 4);
        P.drawLine(QPointF(10.5, 2.5), QPointF(5.5, 13.5));
        Text(QRectF(8, 5, 8, 11), QStringLiteral("x"), 5.5, true);
        break;
    case kgBackSpace: {
        QPainterPath Arrow;
        Arrow.moveTo(13.5, 8);
        Arrow.lineTo(3, 8);
        Arrow.moveTo(7, 4);
        Arrow.lineTo(3, 8);
        Arrow.lineTo(7, 12);
        P.drawPath(Arrow);
        break;
    }
    case kgCopy:
        Pen.setWidthF(1.1);
        P.setPen(Pen);
        P.setBrush(Disabled ? Qt::NoBrush : QBrush(Inks.Paper));
        P.drawRect(QRectF(2.5, 1.5, 7.5, 9.5));
        P.drawRect(QRectF(6, 5, 7.5, 9.5));
        P.drawLine(QPointF(7.8, 8), QPointF(11.8, 8));
        P.drawLine(QPointF(7.8, 10.2), QPointF(11.8, 10.2));
        P.drawLine(QPointF(7.8, 12.4), QPointF(10.5, 12.4));
        break;
    case kgPaste:
        Pen.setWidthF(1.1);
        P.setPen(Pen);
        P.setBrush(Disabled ? Qt::NoBrush : QBrush(Inks.Board));
        P.drawRoundedRect(QRectF(2.5, 2.5, 11, 12), 1, 1);
        P.setBrush(Disabled ? Qt::NoBrush : QBrush(Inks.Paper));
        P.drawRect(QRectF(4.5, 5.5, 7, 7.5));
        P.setBrush(Disabled ? Qt::NoBrush : QBrush(Inks.Clip));
        P.drawRoundedRect(QRectF(5.5, 1.2, 5, 2.6), 0.8, 0.8);
        break;
    case kgCancel:
        Pen.setColor(Inks.Cross);
        Pen.setWidthF(2.4);
        P.setPen(Pen);
        P.drawLine(QPointF(4, 4), QPointF(12, 12));
        P.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case kgExit: {
        Pen.setWidthF(1.1);
        P.setPen(Pen);
        P.drawRect(QRectF(3.5, 1.5, 9, 13)); // frame
        const QPolygonF Leaf{QPointF(3.5, 1.5), QPointF(9, 3.2), QPointF(9, 15.8),
                             QPointF(3.5, 14.5)};
        P.setBrush(Disabled ? Qt::NoBrush : QBrush(Inks.Leaf));
        P.drawPolygon(Leaf);
        P.setBrush(Ink);
        P.setPen(Qt::NoPen);
        P.drawEllipse(QPointF(7.6, 8.8), 0.8, 0.8);
        break;
    }
    case kgAppIcon: {
        // The program's own picture, the same on every palette (as its
        // installed icon, lumopocketo.svg).
        P.setPen(QPen(QColor(0x2C, 0x4A, 0x68), 0.8));
        P.setBrush(QColor(0xE8, 0xEF, 0xF5));
        P.drawRoundedRect(QRectF(2, 0.5, 12, 15), 1.6, 1.6);
        P.setBrush(QColor(0xC8, 0xE0, 0xC8));
        P.drawRect(QRectF(3.5, 2, 9, 3.2));
        P.setPen(Qt::NoPen);
        for (int Row = 0; Row < 3; ++Row)
            for (int Col = 0; Col < 3; ++Col) {
                P.setBrush(Row == 2 && Col == 2 ? QColor(0x3A, 0x74, 0xA8)
                                                : QColor(0x5A, 0x69, 0x78));
                P.drawRoundedRect(QRectF(3.6 + Col * 3.1, 6.6 + Row * 2.9, 2.4, 2.1), 0.4, 0.4);
            }
        break;
    }
    }
}

class TBrixGlyphEngine : public QIconEngine
{
public:
    explicit TBrixGlyphEngine(TBrixGlyph Glyph) : FGlyph(Glyph) {}

    // Painted in the colours of the application's palette at the time.
    void paint(QPainter *Painter, const QRect &Rect, QIcon::Mode Mode, QIcon::State) override
    {
        PaintBrixGlyph(*Painter, Rect, FGlyph, Mode, QGuiApplication::palette());
    }

    QPixmap pixmap(const QSize &Size, QIcon::Mode Mode, QIcon::State State) override
    {
        return scaledPixmap(Size, Mode, State, 1.0);
    }

    // Renders at Size x Scale device pixels, so a 2x screen gets a sharp glyph
    // instead of an enlarged 1x one.
    QPixmap scaledPixmap(const QSize &Size, QIcon::Mode Mode, QIcon::State State,
                         qreal Scale) override
    {
        QPixmap Pixmap(Size * Scale);
        Pixmap.setDevicePixelRatio(Scale);
        Pixmap.fill(Qt::transparent);
        QPainter Painter(&Pixmap);
        paint(&Painter, QRect(QPoint(0, 0), Size), Mode, State);
        return Pixmap;
    }

    QSize actualSize(const QSize &Size, QIcon::Mode, QIcon::State) override { return Size; }
    // The window system asks for the sizes it may show (the program's icon in
    // a task bar); key symbols are only painted, never listed.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        if (FGlyph != kgAppIcon)
            return {};
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48)};
    }
    QIconEngine *clone() const override { return new TBrixGlyphEngine(FGlyph); }
    QString key() const override { return QStringLiteral("BrixGlyph"); }

private:
    TBrixGlyph FGlyph;
};

} // namespace

void PaintBrixGlyph(QPainter &Painter, const QRect &Rect, TBrixGlyph Glyph, QIcon::Mode Mode,
                    const QPalette &Palette)
{
    const qreal Side = qMin(Rect.width(), Rect.height());
    if (Side <= 0)
        return;
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setRenderHint(QPainter::TextAntialiasing);
    Painter.translate(Rect.x() + (Rect.width() - Side) / 2.0,
                      Rect.y() + (Rect.height() - Side) / 2.0);
    Painter.scale(Side / 16.0, Side / 16.0);
    const TInks Inks = InksFor(Palette, Mode);
    // On light keys a disabled glyph stands on a relief in the palette's
    // light colour, one design pixel down-right, as engraved; on dark keys
    // such a relief would read as a second glyph.
    const bool LightKeys = Palette.color(QPalette::ButtonText).lightness() <
                           Palette.color(QPalette::Button).lightness();
    if (Inks.Disabled && LightKeys) {
        TInks Relief = Inks;
        Relief.Ink = Relief.Cross = Palette.color(QPalette::Light);
        Painter.save();
        Painter.translate(0.6, 0.6);
        DrawGlyph(Painter, Glyph, Relief);
        Painter.restore();
    }
    DrawGlyph(Painter, Glyph, Inks);
    Painter.restore();
}

QIcon BrixGlyphIcon(TBrixGlyph Glyph)
{
    return QIcon(new TBrixGlyphEngine(Glyph));
}

} // namespace Brix
