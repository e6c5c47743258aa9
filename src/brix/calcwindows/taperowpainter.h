/// @file
/// Lays out and paints one tape row, the same on screen and on paper: the
/// number right-aligned in a column with the operator beside it (as the keys
/// show it), a total bold under a short rule as wide as it, an edited number
/// italic after the edited mark, a row without a number (an error, an
/// operator or a text alone) right-aligned in the number column when it fits
/// there. The tape's view paints its rows with it, and so does PrintTape.
#pragma once

#include "brix/calcwindows/taperows.h"
#include "brix/export.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>

class QPainter;
class QPaintDevice;

namespace Brix {

/// Lays out and paints tape rows in one font on one device.
class BRIX_CONTROLS_EXPORT TBrixTapeRowPainter
{
public:
    /// Rows in Font (best one whose digits are of one width: TapeFigureFont
    /// of tapeexport.h), measured for Device (null: the screen).
    explicit TBrixTapeRowPainter(const QFont &Font, QPaintDevice *Device = nullptr);

    /// The font of operators, texts and plain numbers.
    const QFont &Font() const { return FFont; }
    /// The font of Row's number: bold for a total, italic when edited.
    QFont NumberFont(const TBrixTapeRow &Row) const;

    /// The room left and right of a row's text, in the device's pixels (0).
    ///@{
    void SetMargin(qreal Value) { FMargin = Value; }
    qreal Margin() const { return FMargin; }
    ///@}
    /// The room above and below a row's text, together, in the device's
    /// pixels; a total's rule is drawn in the room above (0).
    ///@{
    void SetLeading(qreal Value) { FLeading = Value; }
    qreal Leading() const { return FLeading; }
    ///@}
    /// The width of the total's rule, in the device's pixels (1).
    ///@{
    void SetRuleWidth(qreal Value) { FRuleWidth = Value; }
    qreal RuleWidth() const { return FRuleWidth; }
    ///@}

    /// The height of a row: the bold font's height and the leading.
    qreal RowHeight() const;
    /// The room between a number and its operator: a blank's width.
    qreal Gap() const;
    /// The width of the edited mark and the blank after it.
    qreal MarkWidth() const;
    /// The width of Row's number in its font, without the mark; 0 for a row
    /// without a number.
    qreal NumberWidth(const TBrixTapeRow &Row) const;
    /// The width of the operator beside Row's number (TapeShownOperator); 0
    /// for a row without a number.
    qreal OperatorWidth(const TBrixTapeRow &Row) const;
    /// The width of a row without a number (its shown operator, text or
    /// error); 0 for a row with one.
    qreal TextWidth(const TBrixTapeRow &Row) const;

    /// The right edge of the number column in a row's Area when the widest
    /// operator beside a number is OperatorWidth wide: the operator column
    /// (operator and gap) is at the right, inside the margin, and takes at
    /// most a third of the row.
    qreal NumberRight(const QRectF &Area, qreal OperatorWidth) const;

    /// Paints Row in Area (the whole row: margins and leading included) in
    /// Ink, its number ending at NumberRight. The painter's state is kept.
    void Paint(QPainter &Painter, const QRectF &Area, qreal NumberRight, const TBrixTapeRow &Row,
               const QColor &Ink) const;

private:
    QFontMetricsF Metrics(const QFont &Font) const;

    QFont FFont;
    QFont FBold;
    QPaintDevice *FDevice;
    QFontMetricsF FPlain;
    QFontMetricsF FBoldMetrics;
    qreal FMargin = 0;
    qreal FLeading = 0;
    qreal FRuleWidth = 1;
};

} // namespace Brix
