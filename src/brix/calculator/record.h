/// @file
/// The record of the calculation in progress: the keys pressed since the
/// calculation began (an all clear, or the record's start) with the number
/// each number key brought in, the engine state it began from, and the tape
/// lines written since, each with what it shows. An engine keeps its record
/// in its state (so saved states and undo steps carry it) and can replay it
/// with one number changed: the state it began from is restored and the keys
/// are pressed again, so every later result, the display and the memory
/// follow the new number.
///
/// Unlike the engine's own tape, which the error state empties, the record's
/// lines keep everything written since the calculation began, the error's
/// lines included.
#pragma once

#include "brix/calculator/keys.h"
#include "brix/classes/globals.h"
#include "brix/export.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace Brix {

struct TBrixCalcEngineState;

/// One step of the record: one key, or one number brought in.
///
/// What makes a step: each key the host presses (a public key call of the
/// engine, as keys.h lists them) is one step, however many calls it makes
/// inside. The keys that type a number (digits, the decimal separator, the
/// exponent mark, backspace, a sign typed into the number, change of sign
/// inside it) make no rkKey steps: the keys typed one after another are one
/// rkTyped step. InputString is an rkPasted step, InputValue (and a constant
/// a host enters with InputConstant) an rkValue step. The all clear is no
/// step: it begins a new record. Host settings (decimal places, options,
/// SetMemory, SetAngleMode, RestoreState, ...) are no steps either.
struct TBrixCalcRecordedKey
{
    /// What the step is.
    enum TKind
    {
        rkKey,    ///< a key of the key table (Key), pressed with no argument
        rkTyped,  ///< a number typed digit by digit, taken as a whole (Number)
        rkPasted, ///< a number given as text (InputString)
        rkValue   ///< a number given as a value (InputValue)
    };
    /// What the step is.
    TKind Kind = rkKey;
    /// The key of an rkKey step.
    TBrixCalcKey Key = ckResult;
    /// The number of rkTyped, rkPasted and rkValue, with every digit, in the C
    /// locale ("12", "-1.5E-7"); replaying it gives the same value. A number
    /// typed is the entry as typed; a pasted or given one the value read, as
    /// a settings store writes it ("0.1", "1E+19"; "inf" or "nan" for a value
    /// InputValue refused).
    QString Number;
    /// The number was changed by a replay (ReplayWithNumber).
    bool Edited = false;
    /// rkTyped: the keys that typed the number, one character each, pressed
    /// on the entry as it stood (which a number typed on after Inv, Hyp or a
    /// change of angle mode continues): "0"-"9" the digits, "." the decimal
    /// separator, "E" the exponent mark, "B" backspace, "S" change of sign,
    /// "+" and "-" the add and subtract keys typing a sign, "N" InputEntry
    /// (which ends the step), "X" the entry emptied by a replay before it
    /// types a changed number. The number itself is in Number, the entry as
    /// its keys left it (in the C locale, "12.", "3E-" as typed).
    QString Typed;
    /// The step entered the error state (the display showed "Error!" after
    /// it). A replay whose changed number makes a step fail that did not
    /// fail before ends with that step, as the key pressed by hand would.
    bool Failed = false;

    /// Every field equal.
    bool operator==(const TBrixCalcRecordedKey &) const = default;
};

/// What a tape line shows.
enum TBrixCalcLineKind
{
    lkText,    ///< a text of its own: the angle mode, a memory line
    lkNumber,  ///< a number taken into the calculation
    lkResult,  ///< the result written after "="
    lkError,   ///< the error state's line, and the "=" line that shows the error
    lkOperator ///< an operator, "=", a function, a bracket or a memory key (Key)
};

/// One tape line of the record, as facts: what it is, the key that wrote it
/// and the exact value it shows. What the tape shows of it (on screen, in a
/// file, in print, in words) is rendered from these facts.
///
/// Every key writes its lines in the order it acts; the engine's own history
/// is a rendering of the same lines, with two differences: with
/// OperatorSameLine the history holds an operator back and writes it before
/// the next line ("+ 5.0000"), where the record has the operator's line and
/// then the number's; and some lines are the record's only, which the
/// history never had: a pasted number, the number MR recalled, the argument
/// of a function key that is no number written just before it (a result, a
/// bracket's value), and the value a plain percent stands for.
///   "12 + 5 ="   -> 12 (lkNumber), + (lkOperator ckAdd), 5 (lkNumber),
///                   = (lkOperator ckEquals), 17 (lkResult)
///   "60 * 50 % =" -> 60, *, 50, % (ckPercent), 30 (lkNumber ckPercent), =, 1800
struct TBrixCalcRecordLine
{
    /// What the line shows.
    TBrixCalcLineKind Kind = lkText;
    /// lkOperator: the key whose operator, function or bracket the line
    /// shows (ckAdd, ckPower, ckEquals, ckLeftBracket, ckMemoryAdd,
    /// ckMemoryRecall, ckPercent ...). A function keeps its key whatever Inv
    /// and Hyp made of it (ckSin for "arcsin" and "sinh", ckLog for "10^x":
    /// Text tells them apart); the square root and the square, each the
    /// other's inverse, have the key of what the line shows (ckSqRoot for
    /// "sqrt", ckSquare for "x^2").
    /// lkNumber: the key that brought the number in when no number was typed
    /// (ckMemoryRecall, ckPi, ckE), ckPercent for the value a plain percent
    /// stands for, else ckResult. Otherwise ckResult.
    TBrixCalcKey Key = ckResult;
    /// lkNumber and lkResult: the number, every bit of it; 0 otherwise.
    Extended Value = 0;
    /// The engine's own text of the line, without an operator held before it
    /// on the same line: a number or result as the display showed it
    /// ("12.0000", "1.0000E+600"), an operator's or function's tape text in
    /// the engine's language ("+", "sqrt", "arcsin"), the text of a text line,
    /// the error's text.
    QString Text;
    /// The index in the record's Keys of the typed, pasted or given number
    /// this line shows; -1 for any other line (results, operators, numbers
    /// that are results of earlier keys). Only such lines can be edited.
    int Number = -1;
    /// The line shows a number changed by a replay.
    bool Edited = false;

    /// The line shows a number (lkNumber or lkResult).
    bool HasValue() const { return Kind == lkNumber || Kind == lkResult; }
    /// Every field equal.
    bool operator==(const TBrixCalcRecordLine &) const = default;
};

/// The calculation in progress.
struct BRIX_CORE_EXPORT TBrixCalcRecord
{
    /// The state the calculation began from (with an empty record); null
    /// until the first key of the calculation.
    std::shared_ptr<const TBrixCalcEngineState> Start;
    /// The steps since the calculation began, first first.
    std::vector<TBrixCalcRecordedKey> Keys;
    /// The tape lines written since the calculation began, the error state's
    /// included, first first.
    QList<TBrixCalcRecordLine> Lines;
    /// Counts the calculations an engine began: one more at each all clear
    /// (and each StartRecord). A host sees a new calculation by it.
    int Serial = 0;

    /// Every field equal, the start states compared as values.
    bool operator==(const TBrixCalcRecord &Other) const;
};

} // namespace Brix
