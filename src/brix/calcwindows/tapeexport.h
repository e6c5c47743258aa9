/// @file
/// The tape out of the program: as text (the way it is shown, for a file or
/// the clipboard), as CSV for a spreadsheet, saved to a file, and printed.
/// All of them read the tape through its rows (taperows.h).
#pragma once

#include "brix/calcwindows/taperows.h"
#include "brix/export.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

class QPaintDevice;
class QPrinter;

namespace Brix {

/// The rule between calculations in the tape's text: 16 U+2500.
BRIX_CONTROLS_EXPORT extern const QString TapeRule;

/// The tape as text, as shown: each row's number right-aligned in one column
/// with the operator after it ("12.0000 +"), a text row right-aligned in the
/// number column, a total under a rule of "-" as wide as the total, an
/// edited number marked with U+270E before it; plain text, "\n" after every
/// line, a TapeRule line between calculations.
BRIX_CONTROLS_EXPORT QString TapeText(const QList<TBrixTapeCalculation> &Calculations);

/// RFC 4180 CSV: header row "operator,number,result", one row per TapeRows
/// row, numbers (Value) in the C locale with every digit, CRLF line ends;
/// an empty row-less line between calculations is NOT written (calculations
/// follow each other; a row whose Operator is the rule is not written either).
/// A number row fills operator and number, a total the result, a text row
/// the operator, an error row the result with its text ("Error!").
BRIX_CONTROLS_EXPORT QByteArray TapeCsv(const QList<TBrixTapeCalculation> &Calculations);

/// Writes the tape to Path atomically: CSV when Path ends in ".csv" (any
/// case), else TapeText as UTF-8. A new file gets the permissions files
/// usually get (0666 less the umask). Returns "" or the reason it failed.
BRIX_CONTROLS_EXPORT QString SaveTape(const QString &Path,
                                      const QList<TBrixTapeCalculation> &Calculations);

/// Font with its digits all of one width, so that numbers right-aligned in a
/// column line up digit under digit: Font itself when its digits are (as
/// measured on Device, or the screen when null; from Qt 6.7 after asking for
/// the font's tabular figures), else the system's fixed-pitch font at Font's
/// size, weight and style.
BRIX_CONTROLS_EXPORT QFont TapeFigureFont(const QFont &Font, QPaintDevice *Device = nullptr);

/// Paints the tape on Printer's pages (page breaks between rows), numbers
/// right-aligned in Font with tabular figures, totals bold under a rule.
/// Font's family and style are used at a size for paper (8 to 12 points). A
/// header line (the program's name, the date and the page) tops every page;
/// a rule separates calculations.
BRIX_CONTROLS_EXPORT void
PrintTape(QPrinter &Printer, const QList<TBrixTapeCalculation> &Calculations, const QFont &Font);

} // namespace Brix
