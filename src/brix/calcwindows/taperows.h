/// @file
/// The tape as an adding machine prints it: one row per number, with the
/// operator that follows the number beside it, and the result of "=" as a
/// total of its own. The tape's view, its text and CSV files and its
/// printout all read the tape through these rows, and render a row through
/// the functions here: what a row shows on screen and on paper, what it
/// writes to a CSV file and what a screen reader says of it.
///
///   lines  12 (number)  + (operator)  5 (number)  = (operator)  17 (result)
///   rows   {12, +} {5, =} {total 17}
///   shown  "12.0000 +"  "5.0000 ="  "17.0000"      spoken "12.0000 plus" ...
///
/// A number takes the operator line that follows it; an operator line that
/// follows no number (a function before its number, "(", a second operator)
/// is a row of its own; each result is a total, each error and each text line
/// a row of its own.
///
/// Tapes written by earlier versions bring operators as text lines, and
/// number lines with the operator held before the number on the same line
/// ("+ 5.0000", "x ^ y 3.0000", "= 17.0000", "= Error!"). Such a line gives
/// the rows it gave then: the held operator goes to the number before it
/// while that one has none, else it is a row of its own.
#pragma once

#include "brix/calculator/record.h"
#include "brix/export.h"
#include "brix/resources/calculator.h"

#include <QList>
#include <QString>

#include <functional>

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
    /// The engine's text of the operator, function or other text beside the
    /// number ("+", "sqrt", "arcsin", "M+"), or of a line that stands alone
    /// (an operator, "[M: 5.0000 ]"); may be empty. Rendered by
    /// TapeShownOperator, TapeAsciiOperator and TapeSpokenRow.
    QString Operator;
    /// The key whose symbol Operator is shown as (ckAdd, ckMultiply,
    /// ckSqRoot ...): the operator line's key, or for a line of an earlier
    /// version the key whose tape text Operator is. ckResult when the
    /// operator is shown as its text: none, a function whose text depends on
    /// Inv or Hyp ("arcsin", "x ^ 1/y"), a text line.
    TBrixCalcKey OperatorKey = ckResult;
    /// The number as the display showed it, or the error's text; empty for
    /// a row of text alone.
    QString Number;
    /// The number, every bit of it (TBrixCalcRecordLine's Value); 0 for a
    /// row without one.
    Extended Value = 0;
    /// lkNumber, lkResult (a total), lkError, or lkOperator or lkText for an
    /// operator or a text standing alone (no number).
    TBrixCalcLineKind Kind = lkText;
    /// The number was changed by an edit.
    bool Edited = false;
    /// The index of the number's line in the calculation's lines (the one
    /// to edit or reuse), or of the line of a row without a number.
    int Line = -1;

    /// The row shows a number (lkNumber or lkResult).
    bool HasValue() const { return Kind == lkNumber || Kind == lkResult; }
    /// Rows are equal when every member is.
    bool operator==(const TBrixTapeRow &) const = default;
};

/// The rows of one calculation's lines, in order.
BRIX_CONTROLS_EXPORT QList<TBrixTapeRow> TapeRows(const TBrixTapeCalculation &Lines);

/// The key whose tape text Text is, in any language of the calculator text
/// table ("+" ckAdd, "*" ckMultiply, "x ^ y" ckPower, "sqrt" ckSqRoot,
/// "M+" ckMemoryAdd, "=" ckEquals, "+/-" ckChangeSign); ckResult for any
/// other text ("arcsin", "x ^ 1/y", "[M: 5.0000 ]").
BRIX_CONTROLS_EXPORT TBrixCalcKey TapeTextKey(const QString &Text);

/// The rule between calculations in the tape's text: 16 U+2500.
BRIX_CONTROLS_EXPORT extern const QString TapeRule;

/// The edited number's mark, before the number: U+270E.
BRIX_CONTROLS_EXPORT extern const QString TapeEditedMark;

/// A row's operator as the keys show it, for the screen and the printer:
/// "+" "−" "×" "÷" "=" "%" "(" ")" "±", the symbols of the keys that show one
/// ("xʸ" for the power, "√", "x²", "1/x"), else the engine's text ("sin",
/// "arcsin", "M+").
BRIX_CONTROLS_EXPORT QString TapeShownOperator(const TBrixTapeRow &Row);

/// A row's operator in ASCII for a CSV file: "+" "-" "*" "/" "^" "=" "%"
/// "(" ")", else the engine's text ("sqrt", "x ^ 1/y", "M+").
BRIX_CONTROLS_EXPORT QString TapeAsciiOperator(const TBrixTapeRow &Row);

/// A row on one line as the tape shows it: the number (after the edited mark
/// when edited) and the shown operator ("12.0000 ×", "✎ 4.0000 =",
/// "17.0000"), an error's text, or the operator or text alone ("√").
BRIX_CONTROLS_EXPORT QString TapeRowText(const TBrixTapeRow &Row);

/// Rows as text, as the tape shows them: each row's number right-aligned in
/// one column with the shown operator after it, a row without a number
/// right-aligned in the number column, a total under a rule of "-" as wide
/// as the total, an edited number after the edited mark; "\n" after every
/// line, a TapeRule line between two groups (calculations). What the tape's
/// text file holds and what copying rows gives.
BRIX_CONTROLS_EXPORT QString TapeRowsText(const QList<QList<TBrixTapeRow>> &Groups);

/// What a screen reader says of a row, in the order it happened, in the
/// words Word gives (a text of the calculator table in the reader's
/// language): "12.0000 plus", "5.0000 equals", "total 17.0000",
/// "4.0000 times, edited", "9.0000 sqrt", an operator alone as its word
/// ("minus"), an error as the word for one ("error": the error line and
/// the error message of any language) with the reason written after the
/// message, if any ("error, Division by zero"), a text as it is.
BRIX_CONTROLS_EXPORT QString TapeSpokenRow(const TBrixTapeRow &Row,
                                           const std::function<QString(TBrixResCalc)> &Word);
/// The same in Language, in the words of the library's calculator table.
BRIX_CONTROLS_EXPORT QString TapeSpokenRow(const TBrixTapeRow &Row, TBrixLanguage Language);

} // namespace Brix
