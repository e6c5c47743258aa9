/// @file
/// The tape as an adding machine prints it: one row per number, with the
/// operator that follows the number beside it, and the result of "=" as a
/// total of its own. The tape's view, its text and CSV files and its
/// printout all read the tape through these rows.
///
///   lines  "12.0000" "+" "5.0000" "=" "17.0000"
///   rows   {"+", "12.0000"} {"=", "5.0000"} {total "17.0000"}
///
/// With the operators written on the numbers' lines the rows are the same:
/// the operator before a number ("+ 5.0000", "x ^ y 3.0000", "= 17.0000")
/// goes to the number before it while that one has none, else it is a row
/// of its own. A text line no number takes (a function written before its
/// number, a memory line) is a row of its own; so is each error line, its
/// text as the row's Number ("= Error!" gives {"="} and {error "Error!"}).
#pragma once

#include "brix/calculator/record.h"
#include "brix/export.h"

#include <QList>
#include <QString>

namespace Brix {

/// One calculation's tape lines, from an all clear to the next, with the
/// identity the tape document gave it when it ended ("" while it is the
/// calculation in progress).
struct TBrixTapeCalculation : QList<TBrixCalcRecordLine>
{
    using QList<TBrixCalcRecordLine>::QList;
    TBrixTapeCalculation(const QList<TBrixCalcRecordLine> &Lines) : QList(Lines) {}
    /// Names the calculation among every calculation of every window and
    /// session that keeps the same file.
    QString Id;
    /// The same lines and the same identity.
    bool operator==(const TBrixTapeCalculation &) const = default;
};

/// One row of the tape: a number with the operator beside it, a total, an
/// error or a text alone.
struct BRIX_CONTROLS_EXPORT TBrixTapeRow
{
    /// The operator, function or other text beside the number ("+", "=",
    /// "sqrt", "M+"), or a text line that stands alone; may be empty.
    QString Operator;
    /// The number as shown, or empty for a row of text alone.
    QString Number;
    /// The number, every bit of it (TBrixCalcRecordLine's Value); 0 for a
    /// row without one.
    Extended Value = 0;
    /// lkNumber, lkResult (a total), lkError or lkText (no number).
    TBrixCalcLineKind Kind = lkText;
    /// The number was changed by an edit.
    bool Edited = false;
    /// The index of the number's line in the calculation's lines (the one
    /// to edit or reuse), or of the text line for a row without a number.
    int Line = -1;

    /// The row shows a number (lkNumber or lkResult).
    bool HasValue() const { return Kind == lkNumber || Kind == lkResult; }
    /// Rows are equal when every member is.
    bool operator==(const TBrixTapeRow &) const = default;
};

/// The rows of one calculation's lines, in order.
BRIX_CONTROLS_EXPORT QList<TBrixTapeRow> TapeRows(const TBrixTapeCalculation &Lines);

} // namespace Brix
