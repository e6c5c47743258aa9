/// @file
/// The calculator windows' value and memory displays.
#pragma once

#include "brix/export.h"

#include <QLabel>

namespace Brix {

/// A text panel that exposes its caption to screen readers and reports mouse
/// presses (so a press on a display gives the keypad the focus).
///
/// The caption (text()) is always the whole value; what is drawn is fitted
/// into the panel: a text too wide for it is drawn in a smaller font, a pixel
/// at a time down to 8 pixels, and if it is still too wide, its trailing
/// decimals are dropped and it ends in "…". The sign and the integer digits
/// are never dropped. Over a shortened text the tooltip shows the whole value.
class BRIX_CONTROLS_EXPORT TBrixCalcDisplay : public QLabel
{
    Q_OBJECT
public:
    /// An empty display, right-aligned.
    explicit TBrixCalcDisplay(QWidget *Parent);

    /// Shows a new value; a change is reported to screen readers.
    void SetValue(const QString &Text);
    /// The separator before the decimals that may be dropped.
    void SetDecimalSeparator(QChar Value);

    /// The text as drawn and the font it is drawn in.
    struct TFit
    {
        /// The text as drawn, and its font.
        ///@{
        QString Text;
        QFont Font;
        ///@}
    };
    /// The text and font that fit the panel now (see the class description).
    TFit Fitted() const;
    /// Where the text is drawn: the contents rectangle less the margin.
    QRect TextRect() const;

Q_SIGNALS:
    /// Emitted on a mouse press on the display.
    void mousePressed();

protected:
    /// Qt's event handlers: the accessible name follows the caption, the fitted text is drawn,
    /// and a press emits mousePressed.
    ///@{
    bool event(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    ///@}

private:
    QChar FDecimalSeparator = u'.';
};

} // namespace Brix
