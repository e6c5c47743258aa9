/// @file
/// The calculator engine: the whole behaviour of a pocket calculator without a
/// window. Each key press is one method call; after every call the engine
/// offers one display string (GetDisplayStr) and tells its host what changed
/// through the On... notifications.
///
/// State: the entry (the number being typed, as text), a stack of operands, a
/// stack of pending operator and function codes (shunting-yard evaluation with
/// three precedence levels and brackets), the memory register, ten variables,
/// the Inv and Hyp toggles, the angle mode, the history tape and the record of
/// the calculation in progress (record.h), which a number changed on it replays.
///
/// Life: Brix::Create<TBrixCalcEngine>() (constructs, then InitInternals);
/// Free() (DoneInternals, then delete). The engine owns its calculator text
/// table; a linked float formatter is not owned.
///
/// Errors: computing keys catch every failure of their computation and enter
/// the error state (display "Error!", LastError, the tape reduced to the error
/// line, OnError). Only the plain percent key, M+ and M- pass an arithmetic
/// overflow on to the caller, with the engine's state as it stood. No infinity
/// or NaN ever reaches the display, the tape, the memory or a stack.
///
/// Single-threaded; notifications are called synchronously from inside the
/// operation that causes them and may call back into the engine only to read.
///
/// The implementation is split by section: engine_entry.cpp (construction,
/// entry and display), engine_operators.cpp (operators, brackets, results),
/// engine_functions.cpp (function keys, angle modes), engine_memory.cpp
/// (memory and tape), engine_texts.cpp (texts and the error state),
/// engine_state.cpp (saved states), engine_record.cpp (the record of the
/// calculation in progress and its replay), with engine_internal.h shared
/// between them.
#pragma once

#include "brix/export.h"

#include "brix/calculator/globals.h"
#include "brix/calculator/record.h"
#include "brix/classes/classes.h"
#include "brix/resources/calculator.h"
#include "brix/resources/math.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace Brix {

class TBrixFloatFormatter;

/// Everything a key press can change in an engine, as a value: the engine
/// keeps its calculation in one of these, SaveState hands out a copy and
/// RestoreState assigns one back (the undo steps of the windows, and the state
/// a window hands on to another). The stacks hold their valid entries only,
/// bottom first. Not held: the language, the formatter link, the text table
/// and the notification handlers, which belong to the host rather than to the
/// calculation.
struct TBrixCalcEngineState
{
    /// One field of the engine's state, as the engine's accessor of the same name reads it:
    /// Entry is the typed text (EntryText), Display the display string, LastCh the last key's
    /// code, Operands and Operators the stacks bottom first, Tape, TapeHold and TapePosition
    /// the history tape, its held text and its cursor; the rest are the options and registers
    /// of the same names.
    ///@{
    QString Entry;
    QString Display;
    QString LastError;
    QChar LastCh = u' ';
    std::vector<Extended> Operands;
    QString Operators;
    Extended Memory = 0;
    std::array<Extended, 10> Variables{};
    bool Inv = false;
    bool Hyp = false;
    TBrixAngleMode AngleMode = amRadians;
    Byte DecimalPlaces = 4;
    QStringList Tape;
    QString TapeHold;
    int TapePosition = -1;
    bool BinaryPercent = false;
    bool PrefixFunctions = true;
    bool Precedence = true;
    bool MemoryHistory = false;
    bool OperatorSameLine = false;
    bool EnableGrads = false;
    bool IgnoreError = false;
    Byte MaxDisplayLength = 26;
    ///@}
    /// The calculation in progress (record.h).
    TBrixCalcRecord Record;

    /// Every field equal (the operands compared as values).
    bool operator==(const TBrixCalcEngineState &) const = default;
};

/// The calculator engine; see the file's description for its state, life and errors.
class BRIX_CORE_EXPORT TBrixCalcEngine : public TBrixBaseClass
{
public:
    TBrixCalcEngine() = default;

    // ---- Virtual operations, in declaration order ----
    // (LinkFreed, LinkChanged, InitInternals, DoneInternals and Reset come
    // first, from TBrixBaseClass.)

    /// Drops the formatter link when the linked formatter is freed first, so
    /// the engine never uses a freed formatter.
    void LinkFreed(TBrixBaseClass *GivenClass) override;

protected:
    /// Creates the text table, sets the operator and function codes, clears
    /// the engine and sets every option to its default. No handler is
    /// assigned yet, so nothing is notified.
    void InitInternals() override;
    /// Drops the formatter link, frees the text table, then the base class's same function.
    void DoneInternals() override;

public:
    ///@{
    /// History lines of the function keys: each writes one line (Hold False)
    /// whose text depends on the Inv and Hyp toggles, for example "sin",
    /// "arcsin", "sinh", "arsinh"; "log" or with Inv "10^x".
    virtual void AddLogLine();
    virtual void AddLg2Line();
    virtual void AddLNLine();
    virtual void AddSinLine();
    virtual void AddCosLine();
    virtual void AddTanLine();
    ///@}

    /// Appends one tape line and fires OnHistoryChange. With Hold True and
    /// OperatorSameLine True the text is only held (replacing any held text)
    /// and starts the next line written: "+" held, then "3.0000" gives the
    /// single line "+ 3.0000".
    virtual void AddHistoryLine(const QString &Text, bool Hold);
    /// The same as AddHistoryLine with the one-character text Ch, in a slot
    /// of its own (it does not call AddHistoryLine).
    virtual void AddHistoryChar(QChar Ch, bool Hold);
    /// Appends ValueToStr(Value) (never grouped), after the held text if any.
    virtual void AddHistoryValue(const Extended &Value);

    ///@{
    /// The function operations. Each reads the toggles (and for the circular
    /// functions the angle mode), computes, then clears the toggles. Domain
    /// faults raise EMathError; floating-point faults raise EOverflow,
    /// EZeroDivide or EInvalidOp. Example: in degrees, CalcSin(30) = 0.5;
    /// with Inv set, CalcSin(0.5) = 30.
    virtual Extended CalcSin(const Extended &X);
    virtual Extended CalcCos(const Extended &X);
    virtual Extended CalcTan(const Extended &X);
    virtual Extended CalcLog(const Extended &X);
    virtual Extended CalcLg2(const Extended &X);
    virtual Extended CalcLN(const Extended &X);
    /// Square root; a negative X fails with "Square Root of Negative"
    /// (EMathError), whatever IgnoreError says.
    virtual Extended CalcSqRoot(const Extended &X);
    virtual Extended CalcSquare(const Extended &X);
    virtual Extended CalcAbs(const Extended &X);
    virtual Extended CalcFloor(const Extended &X);
    virtual Extended CalcCeiling(const Extended &X);
    virtual Extended CalcSign(const Extended &X);
    virtual Extended CalcGamma(const Extended &X);
    virtual Extended CalcLnGamma(const Extended &X);
    ///@}

    /// Enters a constant as the current operand (a number being typed is
    /// discarded) and writes the display string to the tape.
    virtual void InputConstant(const Extended &Value);

    /// The language of the engine's texts.
    virtual TBrixLanguage GetLanguage() const;
    /// A new value is stored and OnLanguageChange is called with the stored
    /// field by reference (the handler may change it). The display is not
    /// redrawn. The same value does nothing.
    virtual void SetLanguage(TBrixLanguage Value);
    /// Unregisters from the old formatter, registers with the new one (or
    /// none). The display is not redrawn.
    virtual void SetFormatter(TBrixFloatFormatter *Value);
    /// A new value redraws the display with ValueToStr(GetAsFloat()) and fires
    /// OnDecimalPlacesChange; the entry text itself is kept.
    virtual void SetDecimalPlaces(Byte Value);
    /// Store the option; the display is not redrawn and nothing is notified.
    ///@{
    virtual void SetEnableGrads(bool Value);
    /// "%" is a function code exactly while BinaryPercent is False.
    virtual void SetBinaryPercent(bool Value);
    virtual void SetPrefixFunctions(bool Value);
    virtual void SetPrecedence(bool Value);
    virtual void SetMemoryHistory(bool Value);
    virtual void SetOperatorSameLine(bool Value);
    /// A new value fires OnAngleModeChange; no tape line.
    virtual void SetAngleMode(TBrixAngleMode Value);
    virtual void SetMaxDisplayLength(Byte Value);
    ///@}
    /// Stores and fires OnMemoryChange, even for an unchanged value. A value
    /// that is not a finite number raises EOverflow (infinity) or EInvalidOp
    /// (NaN) and changes nothing.
    virtual void SetMemory(const Extended &Value);
    /// The value of the entry if a number is being typed ("12." reads 12,
    /// "-" and "3E" read 0 and 3), else the top operand, else 0. Pops nothing.
    virtual Extended GetAsFloat();
    /// The variable Index (0 to 9); any other index reads 0.
    virtual Extended GetVariable(int Index) const;
    /// Stores the variable Index (0 to 9); any other index does nothing.
    virtual void SetVariable(int Index, const Extended &Value);

    // ---- Clearing and number entry ----

    /// Empties both stacks, the error text and the tape (no notification),
    /// then ClearDisplay. Memory, variables, options and a held tape text stay.
    /// Begins a new record (StartRecord).
    void AllClear();
    /// Clears the entry and the toggles and shows "0"; stacks, memory and tape
    /// stay (2 + 3, clear, 4 = gives 6).
    void ClearDisplay();
    /// Types one digit; after "=" it starts a new calculation. A leading zero
    /// is replaced: 0 0 7 shows "7". The mantissa takes any number of digits,
    /// the exponent up to nine (a further digit is ignored); the value is read
    /// when a key takes it, so "1E-99999" stays as typed and reads as 0.
    void InputDigit(TBrixZeroToNine Digit);
    /// Types the decimal separator ("0." on an empty entry; once only; not in
    /// the exponent).
    void InputDecimalSeparator();
    /// Removes the last typed character; a result cannot be edited.
    void InputBackspace();
    /// Starts the exponent part of the entry ("1" gives "1E"; once only).
    void DoExp();
    /// Enters Value as the current operand and writes it to the tape; also the
    /// write accessor of AsFloat. Infinity or NaN enters the error state.
    void InputValue(const Extended &Value);
    /// Enters a number given as text (the paste key); text that is not a
    /// number enters 0: "(1,234.5)" enters -1234.5 with "," and "." as the
    /// regional separators. No tape line.
    void InputString(const QString &Value);
    /// Enters Value exactly as a pasted number: what InputString does once it
    /// has read its text (no tape line; the record has a line for it and
    /// keeps Value, every bit, for a later replay). Infinity or NaN enters
    /// the error state.
    void InputPastedValue(const Extended &Value);
    /// Ends the number being typed: enters it as an operator key takes it, as InputValue
    /// does with its value (the display shows it formatted, the tape gets the display
    /// line), so that the next digit starts a new number. A number beyond the Extended
    /// range enters the error state, as an operator key taking it would; one too small for
    /// the range enters 0. Nothing typed: does nothing.
    ///   typed "12.5"  -> display "12.5000", one operand 12.5, entry ""
    ///   typed "1E5000" -> display "Error!", LastError "Floating point overflow"
    void InputEntry();
    ///@{
    /// The constants pi and e as the nearest 80-bit extended values.
    void InputPi();
    void InputNaturalConstant();
    ///@}
    /// The display string: what a calculator window shows.
    const QString &GetDisplayStr() const
    {
        if (FPendingDisplay)
            FormatPendingDisplay();
        return FState.Display;
    }
    /// Writes the display again after the linked formatter's options changed
    /// (grouping, trimmed zeroes): a number being typed as typed, any other
    /// value as ValueToStr gives it now; an error display stays. Fires
    /// OnDisplayChange unless the display is an error; changes nothing else.
    ///   typed "1234567", grouping switched on -> "1,234,567"
    void RedrawDisplay();

    // ---- Operators, brackets and results ----

    /// The binary operators + - * /: reduce what the precedence allows, then push the operator.
    ///@{
    void DoAdd();
    void DoSubtract();
    void DoMultiply();
    void DoDivide();
    ///@}
    /// x ^ y, or with Inv x ^ (1/y).
    void DoPower();
    /// "(": a number being typed is discarded; a lone minus sign becomes -1 x.
    void InputLeftBracket();
    /// ")": reduces back to the matching "(" (or everything without one).
    void InputRightBracket();
    /// Evaluates everything pending and shows the result; no tape line. When
    /// several values remain, the last one entered wins.
    void DoResult();
    /// DoResult, then the tape lines "=" and the display string.
    void DoEquals();

    // ---- Functions, modifiers and angle modes ----

    /// Switch the Inv or Hyp toggle that the next function key reads.
    ///@{
    void DoInv();
    void DoHyp();
    ///@}
    /// The function keys (sin, cos, tan, log, ln, lg2, square root, square,
    /// 1/x, change sign). Each acts on the current value; with
    /// PrefixFunctions a transcendental key or the square root instead waits
    /// on the operator stack for the operand typed next. A failure enters the
    /// error state: the square root of a negative value ("Square Root of
    /// Negative", tape "sqrt" then the error line) and 1/x of 0 or of nothing
    /// typed ("Division by Zero", tape the error line then "1/x") always fail.
    ///@{
    void DoSin();
    void DoCos();
    void DoTan();
    void DoLog();
    void DoLN();
    void DoLg2();
    void DoSqRoot();
    void DoSquare();
    void DoInvert();
    void DoChangeSign();
    ///@}
    /// Plain percent (BinaryPercent False): 200 + 10 % = gives 220. An
    /// overflow raises EOverflow to the caller with the state as it stood.
    /// With BinaryPercent True, "%" is a level-3 operator: 200 % 10 = gives 20.
    void DoPercent();
    /// Degrees -> radians -> (grads when EnableGrads) -> degrees; writes the
    /// new mode's abbreviation to the tape and fires OnAngleModeChange.
    void ToggleAngleMode();
    /// "deg", "rad" or "gra" in the engine's language.
    QString GetAngleModeStr() const;

    // ---- Memory ----

    ///@{
    /// M+ / M-: evaluates the pending expression first unless an operator key,
    /// "(" or the exponent mark was the last key, then adds (subtracts) the
    /// current value. An overflow of the sum raises EOverflow to the caller
    /// with the memory unchanged and the tape as far as written.
    void MemoryAdd();
    void MemorySubtract();
    ///@}
    /// Enters the memory as the current operand; does not fire OnMemoryChange.
    void MemoryRecall();
    /// Sets the memory to 0 and fires OnMemoryChange.
    void MemoryClear();
    /// ValueToStr(Memory): the engine's decimals, never grouped.
    QString GetMemoryContents() const;

    // ---- History ----

    /// Empties the tape and sets HistoryPosition to -1; no notification. A held
    /// text stays.
    void ClearHistory();
    /// Number of tape lines.
    int GetHistoryLength() const { return int(FState.Tape.size()); }
    ///@{
    /// A cursor kept for the host; the engine never reads it.
    int GetHistoryPosition() const { return FState.TapePosition; }
    void SetHistoryPosition(int Value) { FState.TapePosition = Value; }
    ///@}

    // ---- Host settings ----
    // Not part of a saved state: they tell the engine what its host looks at.

    ///@{
    /// Whether the engine writes its tape (True, the default). A host that shows no tape sets
    /// False, and the engine then spends nothing on it: AddHistoryLine, AddHistoryChar and
    /// AddHistoryValue write and hold nothing, format no value and fire no OnHistoryChange,
    /// and nothing is recorded (KeepRecord). The tape keeps the lines it had (ClearHistory
    /// empties it).
    bool KeepTape() const { return FKeepTape; }
    void SetKeepTape(bool Value)
    {
        FKeepTape = Value;
        FRecords = FKeepTape && FKeepRecord;
    }
    ///@}
    ///@{
    /// Whether the engine keeps the record of the calculation in progress (True, the
    /// default); it records only while KeepTape is True as well. A host that keeps the
    /// tape but never reads the record or replays sets False, and the engine then records
    /// nothing and spends nothing on it (a record already made stays until an all clear).
    bool KeepRecord() const { return FKeepRecord; }
    void SetKeepRecord(bool Value)
    {
        FKeepRecord = Value;
        FRecords = FKeepTape && FKeepRecord;
    }
    ///@}
    ///@{
    /// Whether a value shown is written into the display string only when the display is read
    /// (GetDisplayStr, SaveState, a tape line that copies the display) rather than at once;
    /// False, the default. OnDisplayChange still fires when the value is shown. For a host
    /// that reads the display now and then, not after every key: a value shown and replaced
    /// before anyone reads it is never formatted. The text is the one the value would have
    /// had when shown as long as the linked formatter's options and the regional settings
    /// stay as they were until it is read (a host that changes them calls RedrawDisplay, as
    /// it does anyway); SetFormatter and switching this off write a waiting value first.
    bool LazyDisplay() const { return FLazyDisplay; }
    void SetLazyDisplay(bool Value);
    ///@}

    // ---- The record of the calculation in progress (record.h) ----
    // While KeepTape is True the engine records each key the host presses (the
    // outermost public key call; the calls a key makes inside are part of it),
    // and every tape line it writes, into the record of its state; with
    // KeepTape False it records nothing and spends nothing on it. The all
    // clear key empties the record (Start null, no keys, no lines) and adds
    // one to Serial; the error state's own clearing does not. Start is the
    // state just before the first step, taken when that step is recorded.
    //
    // Lines: each line a key writes is a record line, written as its facts
    // (record.h) by the one path that also writes the history's text: a
    // number taken into the calculation is lkNumber (with Number the step
    // that typed, pasted or gave it, else -1), the line after "=" lkResult,
    // the error line and an "=" line showing the error lkError, an operator,
    // function, bracket, "=" or memory key lkOperator with its key, the angle
    // mode and the memory line lkText. With OperatorSameLine the history
    // holds an operator for the next line; the record has both lines, each
    // with its own text. Lines of the record only: a pasted number, the
    // number MR recalls, a function's argument that no line before shows,
    // the value a plain percent stands for. A line a host writes itself
    // through AddHistoryLine, AddHistoryChar or AddHistoryValue between keys
    // is an lkText line with the tape's text; the slots a descendant
    // overrides change the history's texts, not the record's. The error
    // state empties the tape but not the record's lines.

    /// The keys and tape lines since the calculation began.
    const TBrixCalcRecord &Record() const
    {
        FinishTypedNumber();
        return FState.Record;
    }
    /// Begins a new calculation at the present state, as an all clear does,
    /// without clearing anything else: no keys, no lines, Serial one more.
    void StartRecord();
    /// Replays the calculation with the number of the record's step Key
    /// (rkTyped, rkPasted or rkValue) replaced by Number, a number text as
    /// InputString reads it (in the regional settings): the record's Start is
    /// restored, with the options as they are now (all but the angle mode,
    /// which the recorded angle key changes), and its steps are pressed again
    /// with the new number, so results, the display, the memory and the
    /// variables follow; what was before Start stays as Start holds it. A
    /// typed number is typed again (the new one as its digits, so the same
    /// lines are written), a pasted one pasted, a given one given. The record
    /// afterwards is what pressing those keys afresh records, Serial kept;
    /// the step and its lines are marked Edited, as earlier edits stay.
    /// A step that the changed number makes enter the error state, where it
    /// did not before, ends the replay: the keys after it are not pressed
    /// (the record ends with it) and the display shows "Error!" with
    /// LastError the reason, as after the key pressed by hand.
    /// Nothing is notified during the replay; then OnDisplayChange,
    /// OnMemoryChange, OnHistoryChange and OnDecimalPlacesChange fire once
    /// each, OnAngleModeChange when the angle mode differs from before, and
    /// OnError when the replay ends in the error state. Returns false, and
    /// changes nothing, when Key is no such step or Number is no number.
    ///   "12 + 5 =", the step of 12 with "13" -> display 18.0000, tape
    ///   "13.0000", "+", "5.0000", "=", "18.0000" (the first line Edited)
    bool ReplayWithNumber(int Key, const QString &Number);
    /// ReplayWithNumber with the number given as a value, every bit of it.
    /// Returns false, and changes nothing, when Key is no such step or Value
    /// is no finite number.
    bool ReplayWithValue(int Key, const Extended &Value);

    // ---- Saved states ----

    /// The whole calculation state as a value; changes nothing.
    TBrixCalcEngineState SaveState() const;
    /// Puts State back, options included. Then fires OnDisplayChange,
    /// OnMemoryChange, OnHistoryChange and OnDecimalPlacesChange once each
    /// (whether or not each changed) and nothing else; writes no tape line.
    /// A binary percent switch restores the function codes with it.
    void RestoreState(const TBrixCalcEngineState &State);

    // ---- Texts, language and errors ----

    /// The engine's text for ResCalc in its Language.
    QString GetName(TBrixResCalc ResCalc) const;
    /// Message of the last error; "" when none since AllClear.
    const QString &GetLastError() const { return FState.LastError; }

    // ---- Properties read from fields ----

    /// Read the engine's options and registers as they stand; the setters above change them.
    ///@{
    TBrixLanguage Language() const { return FLanguage; }
    TBrixFloatFormatter *Formatter() const { return FFormatter; }
    Extended AsFloat() { return GetAsFloat(); }
    Extended Memory() const { return FState.Memory; }
    bool BinaryPercent() const { return FState.BinaryPercent; }
    bool PrefixFunctions() const { return FState.PrefixFunctions; }
    bool EnableGrads() const { return FState.EnableGrads; }
    bool Precedence() const { return FState.Precedence; }
    bool MemoryHistory() const { return FState.MemoryHistory; }
    bool OperatorSameLine() const { return FState.OperatorSameLine; }
    TBrixAngleMode AngleMode() const { return FState.AngleMode; }
    Byte MaxDisplayLength() const { return FState.MaxDisplayLength; }
    bool IsHyp() const { return FState.Hyp; }
    bool IsInv() const { return FState.Inv; }
    QChar LastCh() const { return FState.LastCh; }
    Byte DecimalPlaces() const { return FState.DecimalPlaces; }
    bool IgnoreError() const { return FState.IgnoreError; }
    ///@}
    /// A plain field: writing it has no other effect. It affects only a
    /// binary operator with too few operands: False (the default) fails with
    /// "Invalid Equation", True drops the operator. A square root of a
    /// negative value and 1/x of 0 fail whatever it says.
    void SetIgnoreError(bool Value) { FState.IgnoreError = Value; }

    // ---- Notifications (called only when assigned) ----

    /// Read or replace one handler; each is called only when assigned, synchronously, from
    /// inside the operation that causes it.
    ///@{
    const TBrixLanguageChangeEvent &OnLanguageChange() const { return FOnLanguageChange; }
    void SetOnLanguageChange(TBrixLanguageChangeEvent Value)
    {
        FOnLanguageChange = std::move(Value);
    }
    const TNotifyEvent &OnClearToggles() const { return FOnClearToggles; }
    void SetOnClearToggles(TNotifyEvent Value) { FOnClearToggles = std::move(Value); }
    const TNotifyEvent &OnSetToggles() const { return FOnSetToggles; }
    void SetOnSetToggles(TNotifyEvent Value) { FOnSetToggles = std::move(Value); }
    const TNotifyEvent &OnHistoryChange() const { return FOnHistoryChange; }
    void SetOnHistoryChange(TNotifyEvent Value) { FOnHistoryChange = std::move(Value); }
    const TNotifyEvent &OnDisplayChange() const { return FOnDisplayChange; }
    void SetOnDisplayChange(TNotifyEvent Value) { FOnDisplayChange = std::move(Value); }
    const TNotifyEvent &OnError() const { return FOnError; }
    void SetOnError(TNotifyEvent Value) { FOnError = std::move(Value); }
    const TNotifyEvent &OnMemoryChange() const { return FOnMemoryChange; }
    void SetOnMemoryChange(TNotifyEvent Value) { FOnMemoryChange = std::move(Value); }
    const TNotifyEvent &OnDecimalPlacesChange() const { return FOnDecimalPlacesChange; }
    void SetOnDecimalPlacesChange(TNotifyEvent Value) { FOnDecimalPlacesChange = std::move(Value); }
    const TNotifyEvent &OnAngleModeChange() const { return FOnAngleModeChange; }
    void SetOnAngleModeChange(TNotifyEvent Value) { FOnAngleModeChange = std::move(Value); }
    ///@}

    // ---- Read-only views of the state, for drivers, tests and diagnostics ----
    // None of these changes the engine or fires anything.

    /// The valid operands, bottom first (index 0 is the oldest). Compare the
    /// elements one by one: QList<long double>::operator== compares the
    /// padding bytes of the 80-bit values as well.
    QList<Extended> OperandStackContents() const;
    /// Number of valid operands.
    int OperandCount() const { return int(FState.Operands.size()); }
    /// Number of pending operator and function codes.
    int OperatorCount() const { return int(FState.Operators.size()); }
    ///@{
    /// Length of each stack by the stack length rule; always above the top index.
    int OperandCapacity() const { return FOperandLength; }
    int OperatorCapacity() const { return FOperatorLength; }
    ///@}
    /// The pending codes, bottom first, as one string: after 2 + 3 * it is "+*".
    QString OperatorStackText() const;
    /// The tape, oldest line first.
    QStringList HistoryLines() const;
    /// Line Index of the tape (0 is the oldest); "" outside the tape.
    QString HistoryLine(int Index) const;
    /// The text held back for the next tape line ("" when none).
    const QString &HistoryHold() const { return FState.TapeHold; }
    /// The entry: what has been typed of the current number ("" when idle).
    const QString &EntryText() const { return FState.Entry; }
    ///@{
    /// The binary operator characters and the function codes (the latter ends
    /// with "%" exactly while BinaryPercent is False).
    const QString &OperatorCodes() const;
    const QString &FunctionCodes() const;
    ///@}

protected:
    ~TBrixCalcEngine() override;

private:
    /// Shows S (grouped when the linked formatter asks for it). IsEntry: S
    /// is the entry as typed, which lets the next typed character grow the
    /// display instead of writing it anew.
    void SetDisplayStr(const QString &S, bool IsEntry = false);
    /// S as the display shows it: its mantissa grouped when the linked formatter asks for it.
    QString DisplayText(const QString &S) const;
    /// Shows Value: SetDisplayStr(ValueToStr(Value)), or with LazyDisplay the value kept in
    /// FPendingDisplay until the display is read.
    void ShowValue(const Extended &Value);
    /// Writes FPendingDisplay into the display string. Const because reading the display
    /// does it: the display string is the text of the value shown, formatted on first read.
    void FormatPendingDisplay() const;
    void ShowAppendedEntry();
    bool GroupsDisplay() const;
    void AppendHistory(const QString &Text);
    QString ValueToStr(const Extended &Value) const;
    void PushOperand(const Extended &Value);
    void PushOperator(QChar Code);
    void PushEntry();
    void InputChar(QChar Ch);
    void ClearToggles();
    /// A key's operator line written before the error line: the key and its text.
    struct TKeyLine
    {
        TBrixCalcKey Key;
        TBrixResCalc Text;
    };
    /// The error state: AllClear, "Error!" on the display, LastError, the
    /// tape line KeyLine when given, the error line, then OnError. The step
    /// being recorded is marked Failed.
    void EnterErrorState(const QString &Message, std::optional<TKeyLine> KeyLine = std::nullopt);
    /// Runs Step; an Exception it raises enters the error state (with KeyLine)
    /// instead of reaching the caller. True when Step ran to its end.
    template <class TStep>
    bool Guarded(TStep &&Step, std::optional<TKeyLine> KeyLine = std::nullopt);
    void DoOperator(QChar Op);
    bool HasPrecedence(QChar NewOp, QChar TopOp) const;
    void EvaluateTop();

    /// Helpers shared by the keys.
    QChar EntrySeparator() const;
    Extended EntryValue(const QString &Text) const;
    /// EntryValue of the entry where a key takes it as its operand: a typed
    /// number beyond the Extended range raises EOverflow instead of reading 0.
    Extended TakeEntryValue() const;
    /// The operand of a one-operand key: the typed entry (its value line is
    /// written to the tape; the entry text stays), else the top operand (left
    /// in place), else none with the value 0.
    enum TOperandSource
    {
        osNone,
        osEntry,
        osTop
    };
    struct TOperand
    {
        Extended Value;
        TOperandSource Source;
    };
    TOperand TakeOperand();
    void ShowTopOperand();
    void DoFunctionKey(int Kind);
    void MemoryAddSub(bool Subtract);
    void AddMemoryLine();
    void Notify(const TNotifyEvent &Event);
    Extended Computed(Extended R);
    QString MathMessage(TBrixResMath Key) const;
    /// AllClear without beginning a new record (the error state's clearing).
    void ClearAll();
    /// ClearDisplay, which is no key here.
    void ClearShown();

    /// Recording (engine_record.cpp). A TCall lives for each public key call;
    /// the outermost one records its step.
    ///@{
    class TCall;
    enum TCallKind
    {
        kcKey,    ///< a key of the key table: an rkKey step, unless it typed into the entry
        kcTyping, ///< a key that types into the entry (Typed)
        kcNumber, ///< InputValue, InputString, InputConstant: an rkValue or rkPasted step
        kcEntry,  ///< InputEntry: "N" on the typed step
        kcNone    ///< records nothing
    };
    void BeginCall(TCallKind Kind, TBrixCalcKey Key, QChar Typed,
                   TBrixCalcRecordedKey::TKind NumberKind, const Extended *Number);
    void EndCall();
    /// A key call typed Ch into the entry after all (a sign, a change of sign).
    void NoteTyping(QChar Ch);
    /// The last step, when it is an rkTyped step that further typing continues.
    TBrixCalcRecordedKey *OpenTypedStep();
    /// Writes the entry into the Number of the open typed step, when typing
    /// changed it since (kept back while typing, so a key costs the same
    /// however long the number).
    void FinishTypedNumber() const;
    /// The entry as a typed step's Number: in the C locale.
    QString EntryNumberText() const;
    /// The step that typed the entry being taken, or -1.
    int EntryStep() const;
    /// How the history writes a line: through AddHistoryLine (its text),
    /// AddHistoryChar (its text's one character), AddHistoryValue (its value),
    /// or not at all (a line of the record only).
    enum THistorySlot
    {
        hsLine,
        hsChar,
        hsValue,
        hsNone
    };
    /// The one path of the lines a key writes: Line (the facts, with the
    /// engine's own text) goes to the record while the engine records, then
    /// the history writes it through Slot, Hold as AddHistoryLine takes it.
    /// A number line without a text gets ValueToStr of its value, formatted
    /// only for the record. Nothing at all without KeepTape.
    void WriteLine(TBrixCalcRecordLine Line, THistorySlot Slot, bool Hold = false);
    /// The operator line of Key (lkOperator), written through Slot.
    void WriteOperator(TBrixCalcKey Key, const QString &Text, THistorySlot Slot = hsLine,
                       bool Hold = false);
    /// The number line of a typed number a key takes (PushEntry, TakeOperand).
    void WriteEntryLine(const Extended &Value);
    /// A record-only number line for X, the argument of a function key,
    /// unless the latest line with a value shows X already.
    void WriteArgument(const Extended &X);
    /// The line of a function key of the kind Kind (engine_functions.cpp):
    /// the record's line, then the key's own history slot (AddSinLine ...).
    void WriteFunctionLine(int Kind);
    /// InputString after reading: enters Value, recorded as a pasted number.
    void InputPasted(const Extended &Value);
    /// Empties the entry for a changed number a replay types ("X").
    void EmptyEntry();
    /// Presses the keys of a Typed text.
    void PressTyped(const QString &Typed);
    void ReplayStep(const TBrixCalcRecordedKey &Step, const Extended *NewValue);
    ///@}

    /// The calculation: everything SaveState hands out and RestoreState puts back.
    TBrixCalcEngineState FState;
    /// The host links, which a saved state does not carry.
    ///@{
    TOwned<TBrixCalculatorStrings> FStrings;
    TBrixFloatFormatter *FFormatter = nullptr;
    TBrixLanguage FLanguage = DefaultLanguage;
    ///@}
    /// FState.Display is FState.Entry as typed, ungrouped (see ShowAppendedEntry).
    bool FDisplayIsEntry = false;
    /// The host settings KeepTape, KeepRecord and LazyDisplay.
    ///@{
    bool FKeepTape = true;
    bool FKeepRecord = true;
    /// KeepTape and KeepRecord: the engine records.
    bool FRecords = true;
    bool FLazyDisplay = false;
    ///@}
    /// With LazyDisplay, a value shown whose text FState.Display does not hold yet.
    std::optional<Extended> FPendingDisplay;
    /// Recording: the depth of public key calls (1 in the outermost), what the
    /// outermost one is and its key, the character it typed into the entry,
    /// whether a call inside it typed (the entry then is no typed step's), the
    /// step of the number it brings in, and the typed step's Number kept back.
    ///@{
    int FCallDepth = 0;
    TCallKind FCallKind = kcNone;
    TBrixCalcKey FCallKey = ckResult;
    QChar FCallTyped;
    bool FNestedTyping = false;
    int FCallNumber = -1;
    mutable bool FNumberStale = false;
    ///@}
    /// Counts the error states entered, so that a replay sees which step
    /// entered one.
    int FErrorCount = 0;
    /// A replay is running: notifications are held back until it ends.
    bool FQuiet = false;
    /// The lengths OperandCapacity and OperatorCapacity report: they start at
    /// 20 and become top index + 5 whenever a push finds the top in the last
    /// slot; a restored deeper stack lengthens them to its depth + 1.
    ///@{
    int FOperandLength = 0;
    int FOperatorLength = 0;
    ///@}
    TNotifyEvent FOnClearToggles;
    TNotifyEvent FOnSetToggles;
    TNotifyEvent FOnHistoryChange;
    TNotifyEvent FOnDisplayChange;
    TNotifyEvent FOnError;
    TNotifyEvent FOnMemoryChange;
    TNotifyEvent FOnDecimalPlacesChange;
    TNotifyEvent FOnAngleModeChange;
    TBrixLanguageChangeEvent FOnLanguageChange;
};

} // namespace Brix
