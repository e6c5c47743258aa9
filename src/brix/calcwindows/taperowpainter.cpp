#include "brix/calcwindows/taperowpainter.h"

#include <QPainter>

#include <algorithm>

namespace Brix {

namespace {

QFont Bold(QFont Font)
{
    Font.setBold(true);
    return Font;
}

} // namespace

TBrixTapeRowPainter::TBrixTapeRowPainter(const QFont &Font, QPaintDevice *Device)
    : FFont(Font), FBold(Bold(Font)), FDevice(Device), FPlain(Font, Device),
      FBoldMetrics(FBold, Device)
{
}

QFontMetricsF TBrixTapeRowPainter::Metrics(const QFont &Font) const
{
    return QFontMetricsF(Font, FDevice);
}

QFont TBrixTapeRowPainter::NumberFont(const TBrixTapeRow &Row) const
{
    QFont Font = Row.Kind == lkResult ? FBold : FFont;
    Font.setItalic(Row.Edited);
    return Font;
}

qreal TBrixTapeRowPainter::RowHeight() const
{
    return FBoldMetrics.height() + FLeading;
}

qreal TBrixTapeRowPainter::Gap() const
{
    return FPlain.horizontalAdvance(u' ');
}

qreal TBrixTapeRowPainter::MarkWidth() const
{
    return FPlain.horizontalAdvance(TapeEditedMark + u' ');
}

qreal TBrixTapeRowPainter::NumberWidth(const TBrixTapeRow &Row) const
{
    if (Row.Kind == lkResult && !Row.Edited)
        return FBoldMetrics.horizontalAdvance(Row.Number);
    if (!Row.HasValue() || Row.Number.isEmpty())
        return 0;
    return Row.Edited ? Metrics(NumberFont(Row)).horizontalAdvance(Row.Number)
                      : FPlain.horizontalAdvance(Row.Number);
}

qreal TBrixTapeRowPainter::OperatorWidth(const TBrixTapeRow &Row) const
{
    if (!Row.HasValue() || Row.Number.isEmpty())
        return 0;
    return FPlain.horizontalAdvance(TapeShownOperator(Row));
}

qreal TBrixTapeRowPainter::TextWidth(const TBrixTapeRow &Row) const
{
    if (Row.HasValue() && !Row.Number.isEmpty())
        return 0;
    return FPlain.horizontalAdvance(Row.Number.isEmpty() ? TapeShownOperator(Row) : Row.Number);
}

qreal TBrixTapeRowPainter::NumberRight(const QRectF &Area, qreal OperatorWidth) const
{
    const qreal Operators = OperatorWidth > 0 ? OperatorWidth + Gap() : 0;
    return Area.right() - FMargin - std::min(Operators, Area.width() / 3.0);
}

void TBrixTapeRowPainter::Paint(QPainter &Painter, const QRectF &Area, qreal NumberRight,
                                const TBrixTapeRow &Row, const QColor &Ink) const
{
    Painter.save();
    Painter.setPen(Ink);
    const QRectF Line = Area.adjusted(FMargin, FLeading / 2, -FMargin, -FLeading / 2);

    if (!Row.HasValue() || Row.Number.isEmpty()) {
        // A text, an operator or an error alone: in the number column when
        // it fits, else across the row.
        const QString Shown = Row.Number.isEmpty() ? TapeShownOperator(Row) : Row.Number;
        QRectF Room = Line;
        if (FPlain.horizontalAdvance(Shown) <= NumberRight - Line.left())
            Room.setRight(NumberRight);
        Painter.setFont(FFont);
        Painter.drawText(Room, Qt::AlignRight | Qt::AlignVCenter,
                         FPlain.elidedText(Shown, Qt::ElideRight, Room.width()));
        Painter.restore();
        return;
    }

    // The number, right-aligned; cut at the left when the column is too
    // narrow, leaving room for the edited mark.
    const QFont NumberFont = this->NumberFont(Row);
    const QFontMetricsF NumberMetrics = Metrics(NumberFont);
    const qreal MarkRoom = Row.Edited ? MarkWidth() : 0;
    const QRectF Room(Line.left() + MarkRoom, Line.top(),
                      std::max<qreal>(0, NumberRight - Line.left() - MarkRoom), Line.height());
    // (A number as wide as the column, measured apart from where it is, is
    // not cut for a rounding of the column's edges.)
    const QString Shown = NumberMetrics.horizontalAdvance(Row.Number) <= Room.width() + 0.5
                              ? Row.Number
                              : NumberMetrics.elidedText(Row.Number, Qt::ElideLeft, Room.width());
    Painter.setFont(NumberFont);
    Painter.drawText(Room, Qt::AlignRight | Qt::AlignVCenter, Shown);
    const qreal NumberLeft =
        std::max(Room.left(), NumberRight - NumberMetrics.horizontalAdvance(Shown));

    if (Row.Kind == lkResult) {
        // The total's rule, over the number, in the room above it.
        const qreal Y = Area.top() + std::max(FRuleWidth / 2, FLeading / 2 - FRuleWidth / 2);
        Painter.setPen(QPen(Ink, FRuleWidth));
        Painter.drawLine(QPointF(NumberLeft, Y), QPointF(NumberRight, Y));
        Painter.setPen(Ink);
    }
    QFont Upright = Row.Kind == lkResult ? FBold : FFont;
    Upright.setItalic(false);
    if (Row.Edited) {
        Painter.setFont(Upright);
        Painter.drawText(QRectF(NumberLeft - MarkRoom, Line.top(), MarkRoom, Line.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, TapeEditedMark);
    }
    const QString Operator = TapeShownOperator(Row);
    if (!Operator.isEmpty()) {
        const QRectF OperatorRoom(NumberRight + Gap(), Line.top(),
                                  std::max<qreal>(0, Line.right() - NumberRight - Gap()),
                                  Line.height());
        Painter.setFont(FFont);
        Painter.drawText(OperatorRoom, Qt::AlignLeft | Qt::AlignVCenter,
                         FPlain.elidedText(Operator, Qt::ElideRight, OperatorRoom.width()));
    }
    Painter.restore();
}

} // namespace Brix
