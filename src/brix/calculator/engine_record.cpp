// The calculator engine (engine.h): the record of the calculation in
// progress (record.h) and its replay.
//
// Each public key call holds a TCall (engine_internal.h). The outermost one
// records: a key of the key table pushes its rkKey step when it begins (so
// the lines it writes can name the steps before it), a key that types into
// the entry adds its character to the open rkTyped step when it ends, and a
// number brought in pushes its step with the number. The Number of a typed
// step is written when a key takes the entry (or the record is read), not on
// every digit, so typing a long number stays linear.
#include "brix/calculator/engine_internal.h"

#include "brix/strings/tools.h"

#include <cmath>
#include <limits>

namespace Brix {

using namespace EngineInternal;

namespace {

// Every digit of Value, by the exact number codec ("0.1", "1E+19"); the
// refused values InputValue may be given as words.
QString NumberText(const Extended &Value)
{
    if (std::isnan(Value))
        return QStringLiteral("nan");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    return ExactFloatText(Value);
}

// Reads what NumberText wrote.
bool ReadNumberText(const QString &Text, Extended &Value)
{
    if (Text == u"nan") {
        Value = std::numeric_limits<Extended>::quiet_NaN();
        return true;
    }
    if (Text == u"inf" || Text == u"-inf") {
        Value = Text.startsWith(u'-') ? -std::numeric_limits<Extended>::infinity()
                                      : std::numeric_limits<Extended>::infinity();
        return true;
    }
    return ExactTextToFloat(Text, Value);
}

// The keys (a Typed text) that type the number NumberText wrote: the
// mantissa's digits and point, change of sign for a negative one, then the
// exponent mark, change of sign for a negative exponent and its digits.
QString TypingOf(const QString &Text)
{
    const bool Negative = Text.startsWith(u'-');
    const QString Body = Negative ? Text.mid(1) : Text;
    const qsizetype EPos = Body.indexOf(u'E');
    const QString Mantissa = EPos < 0 ? Body : Body.left(EPos);
    QString Keys = Mantissa;
    // A zero has no sign to type ("-0" types as "0").
    if (Negative && HasNonZeroDigit(Mantissa))
        Keys += u'S';
    if (EPos >= 0) {
        QString Exponent = Body.mid(EPos + 1);
        Keys += u'E';
        if (Exponent.startsWith(u'-'))
            Keys += u'S';
        if (Exponent.startsWith(u'-') || Exponent.startsWith(u'+'))
            Exponent.remove(0, 1);
        Keys += Exponent;
    }
    return Keys;
}

} // namespace

bool TBrixCalcRecord::operator==(const TBrixCalcRecord &Other) const
{
    const bool SameStart = Start == Other.Start || (Start && Other.Start && *Start == *Other.Start);
    return SameStart && Serial == Other.Serial && Keys == Other.Keys && Lines == Other.Lines;
}

// ---- Recording ----

void TBrixCalcEngine::BeginCall(TCallKind Kind, TBrixCalcKey Key, QChar Typed,
                                TBrixCalcRecordedKey::TKind NumberKind, const Extended *Number)
{
    FCallKind = Kind;
    FCallTyped = Kind == kcTyping ? Typed : QChar();
    FCallKey = Key;
    FNestedTyping = false;
    FCallNumber = -1;
    // InputEntry with nothing typed does nothing.
    if (Kind == kcEntry && FState.Entry.isEmpty()) {
        FCallKind = kcNone;
        return;
    }
    TBrixCalcRecord &Record = FState.Record;
    if (!Record.Start) {
        // The state the first step begins from, with an empty record.
        FormatPendingDisplay();
        auto Start = std::make_shared<TBrixCalcEngineState>(FState);
        Start->Record = TBrixCalcRecord();
        Start->Record.Serial = Record.Serial;
        Record.Start = std::move(Start);
    }
    if (Kind == kcTyping)
        return;
    FinishTypedNumber();
    switch (Kind) {
    case kcKey:
        Record.Keys.push_back({TBrixCalcRecordedKey::rkKey, Key, QString(), false, QString()});
        break;
    case kcNumber:
        Record.Keys.push_back({NumberKind, ckResult, NumberText(*Number), false, QString()});
        FCallNumber = int(Record.Keys.size()) - 1;
        break;
    case kcEntry:
        // The typed number is entered: the end of its step.
        if (TBrixCalcRecordedKey *Open = OpenTypedStep())
            Open->Typed += u'N';
        else
            Record.Keys.push_back({TBrixCalcRecordedKey::rkTyped, ckResult, EntryNumberText(),
                                   false, QStringLiteral("N")});
        FCallNumber = int(Record.Keys.size()) - 1;
        break;
    default:
        break;
    }
}

void TBrixCalcEngine::EndCall()
{
    if (!FCallTyped.isNull()) {
        std::vector<TBrixCalcRecordedKey> &Keys = FState.Record.Keys;
        // A key of the key table that typed a sign instead.
        if (FCallKind == kcKey && !Keys.empty())
            Keys.pop_back();
        if (TBrixCalcRecordedKey *Open = OpenTypedStep())
            Open->Typed += FCallTyped;
        else
            Keys.push_back(
                {TBrixCalcRecordedKey::rkTyped, ckResult, QString(), false, QString(FCallTyped)});
        FNumberStale = true;
    }
    FCallKind = kcNone;
    FCallKey = ckResult;
    FCallTyped = QChar();
    FCallNumber = -1;
}

void TBrixCalcEngine::NoteTyping(QChar Ch)
{
    if (FCallDepth == 1)
        FCallTyped = Ch;
    else if (FCallDepth > 1)
        FNestedTyping = true;
}

TBrixCalcRecordedKey *TBrixCalcEngine::OpenTypedStep()
{
    std::vector<TBrixCalcRecordedKey> &Keys = FState.Record.Keys;
    if (Keys.empty() || Keys.back().Kind != TBrixCalcRecordedKey::rkTyped ||
        Keys.back().Typed.endsWith(u'N'))
        return nullptr;
    return &Keys.back();
}

void TBrixCalcEngine::FinishTypedNumber() const
{
    if (!FNumberStale)
        return;
    // As FormatPendingDisplay: the number is the entry's, written on first read.
    auto *Self = const_cast<TBrixCalcEngine *>(this);
    Self->FNumberStale = false;
    if (TBrixCalcRecordedKey *Open = Self->OpenTypedStep())
        Open->Number = EntryNumberText();
}

QString TBrixCalcEngine::EntryNumberText() const
{
    QString Text = FState.Entry;
    const QChar Sep = EntrySeparator();
    if (Sep != u'.')
        Text.replace(Sep, u'.');
    return Text;
}

int TBrixCalcEngine::EntryStep() const
{
    // The entry a key made inside its own call ("-" before "(" becomes
    // "-1") is no typed number.
    if (FCallDepth == 0 || FNestedTyping)
        return -1;
    // The latest typed step holds the entry: a pasted or given number
    // empties it, and so does every other key that takes it.
    const std::vector<TBrixCalcRecordedKey> &Keys = FState.Record.Keys;
    for (size_t I = Keys.size(); I-- > 0;) {
        if (Keys[I].Kind == TBrixCalcRecordedKey::rkTyped)
            return int(I);
        if (Keys[I].Kind != TBrixCalcRecordedKey::rkKey)
            return -1;
    }
    return -1;
}

void TBrixCalcEngine::WriteLine(TBrixCalcRecordLine Line, THistorySlot Slot, bool Hold)
{
    if (!FKeepTape)
        return;
    // The record first: a host told of the history's change finds the line there.
    if (FRecords) {
        if (Line.HasValue() && Line.Text.isEmpty())
            Line.Text = ValueToStr(Line.Value);
        FState.Record.Lines.append(Line);
    }
    switch (Slot) {
    case hsLine:
        AddHistoryLine(Line.Text, Hold);
        break;
    case hsChar:
        AddHistoryChar(Line.Text.at(0), Hold);
        break;
    case hsValue:
        AddHistoryValue(Line.Value);
        break;
    case hsNone:
        break;
    }
}

void TBrixCalcEngine::WriteOperator(TBrixCalcKey Key, const QString &Text, THistorySlot Slot,
                                    bool Hold)
{
    WriteLine({lkOperator, Key, 0, Text, -1, false}, Slot, Hold);
}

void TBrixCalcEngine::WriteArgument(const Extended &X)
{
    if (!FRecords)
        return;
    const QList<TBrixCalcRecordLine> &Lines = FState.Record.Lines;
    for (qsizetype I = Lines.size(); I-- > 0;) {
        if (!Lines[I].HasValue())
            continue;
        if (SameValue(Lines[I].Value, X))
            return;
        break;
    }
    WriteLine({lkNumber, ckResult, X, QString(), -1, false}, hsNone);
}

void TBrixCalcEngine::StartRecord()
{
    const int Serial = FState.Record.Serial;
    FState.Record = TBrixCalcRecord();
    FState.Record.Serial = Serial + 1;
    FNumberStale = false;
}

// ---- Replay ----

void TBrixCalcEngine::EmptyEntry()
{
    const TCall Call(*this, u'X');
    FState.Entry.clear();
}

void TBrixCalcEngine::PressTyped(const QString &Typed)
{
    for (const QChar Ch : Typed) {
        switch (Ch.unicode()) {
        case u'.':
            InputDecimalSeparator();
            break;
        case u'E':
            DoExp();
            break;
        case u'B':
            InputBackspace();
            break;
        case u'S':
            DoChangeSign();
            break;
        case u'+':
            DoAdd();
            break;
        case u'-':
            DoSubtract();
            break;
        case u'N':
            InputEntry();
            break;
        case u'X':
            EmptyEntry();
            break;
        default:
            if (Ch.unicode() >= u'0' && Ch.unicode() <= u'9')
                InputDigit(TBrixZeroToNine(Ch.unicode() - u'0'));
            break;
        }
    }
}

void TBrixCalcEngine::ReplayStep(const TBrixCalcRecordedKey &Step, const Extended *NewValue)
{
    Extended Value = 0;
    switch (Step.Kind) {
    case TBrixCalcRecordedKey::rkKey:
        PressKey(*this, Step.Key);
        return;
    case TBrixCalcRecordedKey::rkTyped:
        if (!NewValue) {
            PressTyped(Step.Typed);
            return;
        }
        // The changed number replaces the entry (which it may have continued),
        // typed as its digits; an entered one is entered again.
        PressTyped((FState.Entry.isEmpty() ? QString() : QStringLiteral("X")) +
                   TypingOf(NumberText(*NewValue)) +
                   (Step.Typed.endsWith(u'N') ? QStringLiteral("N") : QString()));
        return;
    case TBrixCalcRecordedKey::rkPasted:
    case TBrixCalcRecordedKey::rkValue:
        if (NewValue)
            Value = *NewValue;
        else if (!ReadNumberText(Step.Number, Value))
            return;
        if (Step.Kind == TBrixCalcRecordedKey::rkPasted)
            InputPasted(Value);
        else
            InputValue(Value);
        return;
    }
}

bool TBrixCalcEngine::ReplayWithNumber(int Key, const QString &Number)
{
    Extended Value = 0;
    return TextToFloatChecked(Number, Value) && ReplayWithValue(Key, Value);
}

bool TBrixCalcEngine::ReplayWithValue(int Key, const Extended &Value)
{
    FinishTypedNumber();
    const TBrixCalcRecord &Record = FState.Record;
    // Only between key calls, and only what was recorded.
    if (FCallDepth != 0 || !FRecords || Key < 0 || size_t(Key) >= Record.Keys.size() ||
        Record.Keys[size_t(Key)].Kind == TBrixCalcRecordedKey::rkKey || !Record.Start ||
        !IsUsable(Value))
        return false;

    const TBrixCalcRecord Old = Record;
    // The state the calculation began from, with the options as they are now.
    TBrixCalcEngineState From = *Old.Start;
    From.DecimalPlaces = FState.DecimalPlaces;
    From.BinaryPercent = FState.BinaryPercent;
    From.PrefixFunctions = FState.PrefixFunctions;
    From.Precedence = FState.Precedence;
    From.MemoryHistory = FState.MemoryHistory;
    From.OperatorSameLine = FState.OperatorSameLine;
    From.EnableGrads = FState.EnableGrads;
    From.IgnoreError = FState.IgnoreError;
    From.MaxDisplayLength = FState.MaxDisplayLength;
    From.Record = TBrixCalcRecord();
    From.Record.Serial = Old.Serial;
    const TBrixAngleMode AngleBefore = FState.AngleMode;

    struct TQuiet
    {
        bool &Flag;
        explicit TQuiet(bool &F) : Flag(F) { Flag = true; }
        ~TQuiet() { Flag = false; }
    };
    {
        const TQuiet Quiet(FQuiet);
        FState = std::move(From);
        FDisplayIsEntry = false;
        FPendingDisplay.reset();
        FNumberStale = false;
        FOperandLength = std::max(FOperandLength, int(FState.Operands.size()) + 1);
        FOperatorLength = std::max(FOperatorLength, int(FState.Operators.size()) + 1);

        // Each old step's step in the new record (the same unless a changed
        // number changed what a later key does).
        std::vector<int> Made(Old.Keys.size(), -1);
        for (size_t I = 0; I < Old.Keys.size(); ++I) {
            const int Errors = FErrorCount;
            try {
                ReplayStep(Old.Keys[I], int(I) == Key ? &Value : nullptr);
            } catch (const Exception &) {
                // As the host that pressed the key: the state stays as the
                // failing key left it, and the next key goes on from there.
            }
            Made[I] = int(FState.Record.Keys.size()) - 1;
            // A step the changed number made fail ends the replay in the
            // error state, as the key pressed by hand would: the keys after
            // it belonged to a calculation that no longer exists. A step
            // that failed before as well goes on as it went on then.
            if (FErrorCount != Errors && !Old.Keys[I].Failed) {
                // An operator or ")" carries on after a failure inside it and
                // shows 0; the replay ends in the error it entered.
                if (GetDisplayStr() != GetName(ectErrorMsg))
                    SetDisplayStr(GetName(ectErrorMsg));
                break;
            }
        }
        FinishTypedNumber();

        std::vector<TBrixCalcRecordedKey> &Keys = FState.Record.Keys;
        for (size_t I = 0; I < Old.Keys.size(); ++I) {
            if ((Old.Keys[I].Edited || int(I) == Key) && Made[I] >= 0 &&
                Keys[size_t(Made[I])].Kind != TBrixCalcRecordedKey::rkKey)
                Keys[size_t(Made[I])].Edited = true;
        }
        for (TBrixCalcRecordLine &Line : FState.Record.Lines)
            Line.Edited = Line.Number >= 0 && size_t(Line.Number) < Keys.size() &&
                          Keys[size_t(Line.Number)].Edited;
    }

    Notify(FOnDisplayChange);
    Notify(FOnMemoryChange);
    Notify(FOnHistoryChange);
    Notify(FOnDecimalPlacesChange);
    if (FState.AngleMode != AngleBefore)
        Notify(FOnAngleModeChange);
    if (GetDisplayStr() == GetName(ectErrorMsg))
        Notify(FOnError);
    return true;
}

} // namespace Brix
