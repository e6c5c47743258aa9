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

/// The tape as text, as shown: TapeRowsText of every calculation's rows (each
/// row's number right-aligned in one column with the operator after it as
/// the keys show it, "12.0000 ×"; a total under a rule of "-"; an edited
/// number after U+270E), plain text, "\n" after every line, a TapeRule line
/// between calculations.
BRIX_CONTROLS_EXPORT QString TapeText(const QList<TBrixTapeCalculation> &Calculations);

/// RFC 4180 CSV, CRLF line ends, one line per row (TapeRows) under the header
/// "operator,number,result,calculation,error,edited":
/// - operator: the operator in ASCII (TapeAsciiOperator: "+ - * / ^ =",
///   a function by its text), or the text of a row of text alone;
/// - number: a number row's value, result: a total's value; values with
///   every digit in the C locale whatever the region ("1234.5", "-1.5E-7",
///   "1E+600"), as StoredFloatText writes them; nothing else is written in
///   these two columns;
/// - calculation: the calculation's number in the file, from 1 (calculations
///   without lines are not counted);
/// - error: an error row's text ("Error!");
/// - edited: 1 for a number changed by an edit, else 0.
/// The first three columns and their names are the file's since it had
/// three; columns are only ever added after them.
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

/// Paints the tape on Printer's pages, every row as the tape's view paints it
/// (TBrixTapeRowPainter) in Font's family at a size for paper (8 to 10
/// points, digits of one width). The page is filled with columns of rows,
/// as many as fit side by side, inside the printable area and a margin of at
/// least 10 mm from the paper's edge; a calculation starts a new column
/// rather than break when it fits in one; a rule separates calculations. A
/// header line (the program's name, the date, and "page/pages") tops every
/// page. Returns the number of pages printed (0 when the printer could not
/// be opened).
BRIX_CONTROLS_EXPORT int
PrintTape(QPrinter &Printer, const QList<TBrixTapeCalculation> &Calculations, const QFont &Font);

} // namespace Brix
