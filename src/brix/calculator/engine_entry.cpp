// The calculator engine (engine.h): construction, the private primitives
// (display string, stacks, entry value, toggles), clearing and number entry,
// the formatter link and the read-only views.
#include "brix/calculator/engine_internal.h"

#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/strings/tools.h"

#include <algorithm>
#include <charconv>

namespace Brix {

using namespace EngineInternal;

namespace {

// The codes of the operator stack: the binary operators, the exponent mark
// and "(", then the function codes, with "%" among them exactly while
// BinaryPercent is False.
const QString OperatorCodeText = QStringLiteral("+-*/^@&#\\|E(");
const QString FunctionCodeText = QStringLiteral("LNWSCTDRUQlnwsctdruqafigGA%");
const QString FunctionCodeTextWithoutPercent = FunctionCodeText.chopped(1);

constexpr int InitialStackLength = 20;
// The stack length rule: the length becomes top index + 5 whenever the top
// reaches the last slot.
constexpr int StackGrowth = 5;

// Builds an 80-bit extended value from its sign-and-exponent word and its
// 64-bit mantissa, so the constants are exact bit patterns.
Extended ExtendedFromBits(quint16 SignExponent, quint64 Mantissa)
{
    const int Exponent = int(SignExponent & 0x7FFF) - 16383 - 63;
    const Extended Magnitude = std::ldexp(Extended(Mantissa), Exponent);
    return (SignExponent & 0x8000) ? -Magnitude : Magnitude;
}

// The most digits the exponent of a typed number takes. Nine digits reach
// far beyond the Extended range (whose decimal exponents end near 4951) even
// for a mantissa of many thousand digits, and keep the exponent within the
// int range, so the change-sign key negates any exponent exactly.
constexpr int MaxExponentDigits = 9;

bool IsDigit(QChar Ch)
{
    return Ch.unicode() >= u'0' && Ch.unicode() <= u'9';
}

// True when Text ends in an exponent of MaxExponentDigits digits (with or
// without its sign). Reads only the tail, so the check costs the same however
// long the mantissa is.
bool ExponentIsFull(const QString &Text)
{
    const qsizetype N = Text.size();
    qsizetype I = N;
    while (I > 0 && N - I < MaxExponentDigits && IsDigit(Text.at(I - 1)))
        --I;
    if (N - I < MaxExponentDigits)
        return false;
    if (I > 0 && (Text.at(I - 1) == u'-' || Text.at(I - 1) == u'+'))
        --I;
    return I > 0 && Text.at(I - 1) == u'E';
}

// True when Text, typed with the decimal separator Sep, is a whole number
// whose digits are all 0 ("0", "-00"). A decimal separator or an exponent
// makes it more than a typed zero: "0E5" keeps its exponent digits, and
// "1E-99999" is a number too small for the range, not a zero. The scan stops
// at the first such character or digit other than 0, so a long number is not
// read again on every key.
bool IsWholeZero(const QString &Text, QChar Sep)
{
    for (QChar Ch : Text)
        if (Ch == Sep || Ch == u'E' || (IsDigit(Ch) && Ch != u'0'))
            return false;
    return true;
}

// True when Text, typed with the decimal separator Sep, is a number whose
// magnitude lies beyond the Extended range ("9E5000"). Text typed too small
// for the range ("1E-5000") is not: it reads as 0, as a computed underflow.
bool EntryOverflows(const QString &Text, QChar Sep)
{
    QByteArray C;
    C.reserve(Text.size());
    for (QChar Ch : Text) {
        if (Ch == Sep)
            C += '.';
        else if (Ch.unicode() < 128)
            C += char(Ch.unicode());
        else
            return false;
    }
    // An unfinished exponent ("3E", "3E-") reads as the mantissa alone.
    while (!C.isEmpty() && (C.endsWith('E') || C.endsWith('-') || C.endsWith('+')))
        C.chop(1);
    const char *Begin = C.constData();
    const char *End = Begin + C.size();
    while (Begin < End && (*Begin == '-' || *Begin == '+'))
        ++Begin;
    Extended V = 0;
    const auto R = std::from_chars(Begin, End, V);
    if (R.ec != std::errc::result_out_of_range)
        return false;
    // Beyond the range one way or the other: the decimal order of magnitude
    // tells which (it lies near 4932 or below -4951, far from 0). The order is
    // the place of the first digit other than 0, counted from the decimal
    // point, plus the exponent.
    const qsizetype EPos = C.indexOf('E');
    const QByteArrayView Mantissa(Begin, (EPos < 0 ? End : C.constData() + EPos) - Begin);
    qsizetype Point = Mantissa.indexOf('.');
    if (Point < 0)
        Point = Mantissa.size();
    qint64 Order = 0;
    for (qsizetype I = 0; I < Mantissa.size(); ++I) {
        if (Mantissa[I] >= '1' && Mantissa[I] <= '9') {
            Order = I < Point ? Point - I - 1 : Point - I;
            break;
        }
    }
    if (EPos >= 0) {
        // The exponent's digits, saturated far beyond any order that matters.
        qint64 Exponent = 0;
        qsizetype I = EPos + 1;
        const bool Negative = I < C.size() && C.at(I) == '-';
        if (I < C.size() && (C.at(I) == '-' || C.at(I) == '+'))
            ++I;
        for (; I < C.size() && Exponent < (qint64(1) << 40); ++I)
            Exponent = Exponent * 10 + (C.at(I) - '0');
        Order += Negative ? -Exponent : Exponent;
    }
    return Order > 0;
}

} // namespace

// ---- Life ----

TBrixCalcEngine::~TBrixCalcEngine() = default;

void TBrixCalcEngine::InitInternals()
{
    TBrixBaseClass::InitInternals();
    FStrings.reset(Create<TBrixCalculatorStrings>());
    // Every option at its default, then cleared (which shows "0").
    FState = TBrixCalcEngineState();
    FLanguage = DefaultLanguage;
    FFormatter = nullptr;
    FOperandLength = InitialStackLength;
    FOperatorLength = InitialStackLength;
    ClearAll();
}

void TBrixCalcEngine::DoneInternals()
{
    SetFormatter(nullptr);
    FStrings.reset();
    TBrixBaseClass::DoneInternals();
}

void TBrixCalcEngine::LinkFreed(TBrixBaseClass *GivenClass)
{
    // A formatter freed before the engine must not be used (or unregistered
    // from) afterwards.
    if (GivenClass && GivenClass == static_cast<TBrixBaseClass *>(FFormatter))
        FFormatter = nullptr;
}

// ---- Private primitives ----

void TBrixCalcEngine::Notify(const TNotifyEvent &Event)
{
    // A replay tells its host once, when it ends.
    if (Event && !FQuiet)
        Event(this);
}

// The regional record with Sep as its decimal separator: the entry keys type
// a linked formatter's custom separator, and the entry is read and grouped
// with the separator it was typed with. Where Sep is the regional thousands
// separator, the regional decimal separator takes that role instead, so that
// "1234,5" typed with a custom "," reads 1234.5 and groups as 1.234,5 rather
// than losing its decimal separator (12,345).
static TFormatSettings SettingsForSeparator(QChar Sep)
{
    const TFormatSettings &Regional = RegionalSettings();
    TFormatSettings Settings = Regional;
    if (Settings.ThousandSeparator == Sep)
        Settings.ThousandSeparator = Regional.DecimalSeparator;
    Settings.DecimalSeparator = Sep;
    return Settings;
}

bool TBrixCalcEngine::GroupsDisplay() const
{
    return FFormatter && FFormatter->ShowThousands();
}

QString TBrixCalcEngine::DisplayText(const QString &S) const
{
    if (!GroupsDisplay())
        return S;
    // Only the mantissa is grouped: an exponent is one whole number
    // ("1E-12345", not "1E-12,345").
    const qsizetype EPos = S.indexOf(u'E');
    const QString Mantissa = EPos < 0 ? S : S.first(EPos);
    const bool Lakh = FFormatter->LakhFormatting();
    const QChar Sep = EntrySeparator();
    QString Text = Sep == RegionalSettings().DecimalSeparator
                       ? GroupNumberText(Mantissa, Lakh)
                       : GroupNumberText(Mantissa, SettingsForSeparator(Sep), Lakh);
    if (EPos >= 0)
        Text += QStringView(S).sliced(EPos);
    return Text;
}

void TBrixCalcEngine::SetDisplayStr(const QString &S, bool IsEntry)
{
    FPendingDisplay.reset();
    FDisplayIsEntry = IsEntry && !GroupsDisplay();
    FState.Display = DisplayText(S);
    Notify(FOnDisplayChange);
}

void TBrixCalcEngine::ShowValue(const Extended &Value)
{
    if (!FLazyDisplay) {
        SetDisplayStr(ValueToStr(Value));
        return;
    }
    FPendingDisplay = Value;
    FDisplayIsEntry = false;
    Notify(FOnDisplayChange);
}

void TBrixCalcEngine::FormatPendingDisplay() const
{
    if (!FPendingDisplay)
        return;
    // Engines live on the heap only (the destructor is protected), so none
    // is a const object, and writing the text of the value shown changes
    // nothing a reader could tell apart.
    auto *Self = const_cast<TBrixCalcEngine *>(this);
    Self->FState.Display = DisplayText(ValueToStr(*FPendingDisplay));
    Self->FPendingDisplay.reset();
}

void TBrixCalcEngine::SetLazyDisplay(bool Value)
{
    FLazyDisplay = Value;
    if (!Value)
        FormatPendingDisplay();
}

// The entry after one character was appended to it. When the display showed
// the entry as typed until then, it grows by that character, so typing a long
// number costs the same per key however long it is; otherwise (grouping, or
// the display showed something else) it is written anew.
void TBrixCalcEngine::ShowAppendedEntry()
{
    if (FDisplayIsEntry && !GroupsDisplay() && FState.Display.size() + 1 == FState.Entry.size()) {
        Q_ASSERT(QStringView(FState.Entry).chopped(1) == FState.Display);
        FState.Display.append(FState.Entry.back());
        Notify(FOnDisplayChange);
    } else {
        SetDisplayStr(FState.Entry, true);
    }
}

// The text of every value the engine shows (display, memory, tape). The
// fixed form stops at the value's 18 significant digits rather than pad the
// decimals with zeroes it does not know, so it may show fewer decimals than
// DecimalPlaces asks; the exponent form keeps DecimalPlaces (it never shows
// more than 18 digits).
QString TBrixCalcEngine::ValueToStr(const Extended &Value) const
{
    if (FFormatter) {
        const Byte Places = FFormatter->InExponentRange(Value)
                                ? FState.DecimalPlaces
                                : KnownFixedDecimals(Value, FState.DecimalPlaces);
        return FFormatter->ExtendedToStr(Value, Places);
    }
    return FixedText(KnownFixedDecimals(Value, FState.DecimalPlaces), false, Value, false, false,
                     false);
}

QChar TBrixCalcEngine::EntrySeparator() const
{
    if (FFormatter)
        return FFormatter->CustomSettings()->DecimalSeparator();
    return RegionalSettings().DecimalSeparator;
}

void TBrixCalcEngine::ShowTopOperand()
{
    if (!FState.Operands.empty())
        ShowValue(FState.Operands.back());
    else
        SetDisplayStr(QStringLiteral("0"));
}

// The length rule of the stacks: a push that finds the top in the last slot
// (Count entries filling the Length) makes the length top index + 5. The
// storage itself grows geometrically, so a push costs amortised constant
// time however deep the nesting.
static void GrowLength(int &Length, qsizetype Count)
{
    if (Count >= Length)
        Length = int(Count) - 1 + StackGrowth;
}

void TBrixCalcEngine::PushOperand(const Extended &Value)
{
    GrowLength(FOperandLength, qsizetype(FState.Operands.size()));
    FState.Operands.push_back(Value);
}

void TBrixCalcEngine::PushOperator(QChar Code)
{
    GrowLength(FOperatorLength, FState.Operators.size());
    FState.Operators.append(Code);
}

// The value of the typed text, read with the separator its keys typed; text
// that is not a number (or lies beyond the Extended range) reads as 0.
Extended TBrixCalcEngine::EntryValue(const QString &Text) const
{
    const QChar Sep = EntrySeparator();
    Extended V = 0;
    if (Sep == RegionalSettings().DecimalSeparator)
        V = TextToFloatOrZero(Text);
    else if (!TextToFloatChecked(Text, SettingsForSeparator(Sep), V))
        V = 0;
    return IsUsable(V) ? V : 0;
}

Extended TBrixCalcEngine::TakeEntryValue() const
{
    // Only an entry that reads 0 can lie beyond the range (which reads 0
    // too), so the range is checked for that one alone.
    const Extended Value = EntryValue(FState.Entry);
    if (Value == 0 && EntryOverflows(FState.Entry, EntrySeparator()))
        throw EOverflow();
    return Value;
}

void TBrixCalcEngine::PushEntry()
{
    if (FState.Entry.isEmpty())
        return;
    const Extended V = TakeEntryValue();
    PushOperand(V);
    WriteEntryLine(V);
    FState.Entry.clear();
}

// The line of a typed number a key takes: a number line of the step that
// typed it, which the history writes through AddHistoryValue.
void TBrixCalcEngine::WriteEntryLine(const Extended &Value)
{
    if (FKeepTape)
        WriteLine({lkNumber, ckResult, Value, QString(), EntryStep(), false}, hsValue);
}

void TBrixCalcEngine::InputChar(QChar Ch)
{
    if (FState.LastCh == u'=') {
        ClearToggles();
        FState.Operands.clear();
        FState.Operators.clear();
        FState.Entry.clear();
        FState.LastCh = u' ';
    }
    if (SignCharacters.contains(Ch) && FState.LastCh != u'E') {
        FState.Entry.prepend(Ch);
        if (FState.Entry == u"--" || FState.Entry == u"-+")
            FState.Entry.clear();
        else if (FState.Entry == u"+-")
            FState.Entry = QStringLiteral("-");
        SetDisplayStr(FState.Entry, true);
    } else {
        FState.Entry.append(Ch);
        ShowAppendedEntry();
    }
    ClearToggles();
    FState.LastCh = Ch;
}

void TBrixCalcEngine::ClearToggles()
{
    if (!FState.Inv && !FState.Hyp)
        return;
    FState.Inv = false;
    FState.Hyp = false;
    Notify(FOnClearToggles);
}

TBrixCalcEngine::TOperand TBrixCalcEngine::TakeOperand()
{
    if (!FState.Entry.isEmpty()) {
        const Extended X = TakeEntryValue();
        WriteEntryLine(X);
        return {X, osEntry};
    }
    if (!FState.Operands.empty()) {
        WriteArgument(FState.Operands.back());
        return {FState.Operands.back(), osTop};
    }
    return {0, osNone};
}

// ---- Clearing and number entry ----

void TBrixCalcEngine::AllClear()
{
    ClearAll();
    // The error state clears from inside a key; only the key begins anew.
    if (FCallDepth == 0)
        StartRecord();
}

void TBrixCalcEngine::ClearAll()
{
    FState.Operands.clear();
    FState.Operators.clear();
    FState.LastError.clear();
    ClearHistory();
    ClearShown();
}

void TBrixCalcEngine::ClearDisplay()
{
    // Nothing to clear: no step of the record, as it changes nothing.
    if (!FState.Inv && !FState.Hyp && FState.LastCh == u' ' && FState.Entry.isEmpty() &&
        !FPendingDisplay && FState.Display == u"0") {
        ClearShown();
        return;
    }
    const TCall Call(*this, ckClear);
    ClearShown();
}

void TBrixCalcEngine::ClearShown()
{
    ClearToggles();
    FState.LastCh = u' ';
    FState.Entry.clear();
    SetDisplayStr(QStringLiteral("0"));
}

void TBrixCalcEngine::InputDigit(TBrixZeroToNine Digit)
{
    if (Digit > BrixMaxDigit)
        return;
    // A full exponent takes no further digit (after "=" the digit starts a
    // new number).
    if (FState.LastCh != u'=' && ExponentIsFull(FState.Entry))
        return;
    const TCall Call(*this, QChar(u'0' + Digit));
    if (FState.Entry == u"0")
        FState.Entry.clear();
    InputChar(QChar(u'0' + Digit));
    // The value is read through GetAsFloat, which a descendant may define,
    // but only for a typed zero: reading the whole entry on every digit would
    // make typing a long number take quadratic time.
    if (!IsWholeZero(FState.Entry, EntrySeparator()) || GetAsFloat() != 0)
        return;
    // A zero without a decimal part or exponent is kept as one zero (with its
    // sign), but the display keeps what was typed until the next change.
    FState.Entry = FState.Entry.startsWith(u'-') ? QStringLiteral("-0") : QStringLiteral("0");
    FDisplayIsEntry = false;
}

void TBrixCalcEngine::InputDecimalSeparator()
{
    const TCall Call(*this, QChar(u'.'));
    const QChar Sep = EntrySeparator();
    FState.LastCh = u'.';
    // Once only, and not in the exponent, which is a whole number.
    if (!FState.Entry.contains(Sep) && !FState.Entry.contains(u'E')) {
        if (FState.Entry.isEmpty())
            FState.Entry = QStringLiteral("0");
        FState.Entry.append(Sep);
    }
    ClearToggles();
    SetDisplayStr(FState.Entry, true);
}

void TBrixCalcEngine::InputBackspace()
{
    // Keys that change nothing are no steps of the record (a host's undo
    // sees no change).
    if (FState.Entry.isEmpty() && !FState.Inv && !FState.Hyp)
        return;
    const TCall Call(*this, QChar(u'B'));
    if (!FState.Entry.isEmpty()) {
        FState.Entry.chop(1);
        SetDisplayStr(FState.Entry, true);
    }
    ClearToggles();
}

void TBrixCalcEngine::DoExp()
{
    if (FState.Entry.contains(u'E'))
        return;
    const TCall Call(*this, QChar(u'E'));
    FState.Entry.append(u'E');
    ShowAppendedEntry();
    ClearToggles();
    FState.LastCh = u'E';
}

void TBrixCalcEngine::InputValue(const Extended &Value)
{
    const TCall Call(*this, kcNumber, TBrixCalcRecordedKey::rkValue, &Value);
    Guarded([&] {
        CheckUsable(Value);
        PushOperand(Value);
        ShowValue(Value);
        FState.Entry.clear();
        FState.LastCh = u' ';
        // The number given, or the typed one InputEntry enters.
        if (FKeepTape)
            WriteLine({lkNumber, ckResult, Value, GetDisplayStr(), FCallNumber, false}, hsLine);
    });
}

void TBrixCalcEngine::InputString(const QString &Value)
{
    InputPasted(TextToFloatOrZero(Value));
}

void TBrixCalcEngine::InputPastedValue(const Extended &Value)
{
    InputPasted(Value);
}

void TBrixCalcEngine::InputPasted(const Extended &Value)
{
    const TCall Call(*this, kcNumber, TBrixCalcRecordedKey::rkPasted, &Value);
    Guarded([&] {
        CheckUsable(Value);
        FState.Entry.clear();
        PushOperand(Value);
        ShowValue(Value);
        FState.LastCh = u' ';
        // No tape line; the record has one, so the number can be seen and
        // changed.
        if (FRecords && FCallNumber >= 0)
            WriteLine({lkNumber, ckResult, Value, GetDisplayStr(), FCallNumber, false}, hsNone);
    });
}

void TBrixCalcEngine::InputEntry()
{
    if (FState.Entry.isEmpty())
        return;
    const TCall Call(*this, kcEntry, TBrixCalcRecordedKey::rkTyped, nullptr);
    Extended Value = 0;
    if (Guarded([&] { Value = TakeEntryValue(); }))
        InputValue(Value);
}

void TBrixCalcEngine::InputConstant(const Extended &Value)
{
    // Entered by the host rather than by pi or e, it is a value given.
    const TCall Call(*this, kcNumber, TBrixCalcRecordedKey::rkValue, &Value);
    if (!IsUsable(Value)) {
        // Only a descendant can get here; it is refused like InputValue.
        Guarded([&] { CheckUsable(Value); });
        return;
    }
    PushOperand(Value);
    ShowValue(Value);
    // Pi and e name their key; a host's constant is a number given.
    const TBrixCalcKey Key =
        FCallKind == kcKey && (FCallKey == ckPi || FCallKey == ckE) ? FCallKey : ckResult;
    if (FKeepTape)
        WriteLine({lkNumber, Key, Value, GetDisplayStr(), FCallNumber, false}, hsLine);
    FState.Entry.clear();
    FState.LastCh = u' ';
}

void TBrixCalcEngine::InputPi()
{
    const TCall Call(*this, ckPi);
    // Mantissa C90FDAA22168C235: the nearest 80-bit value to pi.
    InputConstant(ExtendedFromBits(0x4000, 0xC90FDAA22168C235ULL));
}

void TBrixCalcEngine::InputNaturalConstant()
{
    const TCall Call(*this, ckE);
    // Mantissa ADF85458A2BB4A9B: the nearest 80-bit value to e.
    InputConstant(ExtendedFromBits(0x4000, 0xADF85458A2BB4A9BULL));
}

Extended TBrixCalcEngine::GetAsFloat()
{
    if (!FState.Entry.isEmpty()) {
        try {
            return EntryValue(FState.Entry);
        } catch (const Exception &) {
            FState.Entry.clear();
            return 0;
        }
    }
    if (!FState.Operands.empty())
        return FState.Operands.back();
    return 0;
}

void TBrixCalcEngine::SetDecimalPlaces(Byte Value)
{
    if (Value == FState.DecimalPlaces)
        return;
    FState.DecimalPlaces = Value;
    ShowValue(GetAsFloat());
    Notify(FOnDecimalPlacesChange);
}

void TBrixCalcEngine::RedrawDisplay()
{
    if (GetDisplayStr().contains(GetName(ectErrorMsg)))
        return;
    if (!FState.Entry.isEmpty())
        SetDisplayStr(FState.Entry, true);
    else
        ShowValue(GetAsFloat());
}

void TBrixCalcEngine::SetMaxDisplayLength(Byte Value)
{
    FState.MaxDisplayLength = Value;
}

Extended TBrixCalcEngine::GetVariable(int Index) const
{
    if (unsigned(Index) < FState.Variables.size())
        return FState.Variables[size_t(Index)];
    return 0;
}

void TBrixCalcEngine::SetVariable(int Index, const Extended &Value)
{
    if (unsigned(Index) < FState.Variables.size())
        FState.Variables[size_t(Index)] = Value;
}

// ---- Formatter link ----

void TBrixCalcEngine::SetFormatter(TBrixFloatFormatter *Value)
{
    // A value waiting to be shown takes the text the old link gives it.
    FormatPendingDisplay();
    if (FFormatter) {
        FFormatter->UnregisterForNotification(this);
        FFormatter = nullptr;
    }
    if (Value) {
        FFormatter = Value;
        FFormatter->RegisterForNotification(this);
    }
}

// ---- Read-only views ----

QList<Extended> TBrixCalcEngine::OperandStackContents() const
{
    return QList<Extended>(FState.Operands.begin(), FState.Operands.end());
}

QString TBrixCalcEngine::OperatorStackText() const
{
    return FState.Operators;
}

const QString &TBrixCalcEngine::OperatorCodes() const
{
    return OperatorCodeText;
}

const QString &TBrixCalcEngine::FunctionCodes() const
{
    return FState.BinaryPercent ? FunctionCodeTextWithoutPercent : FunctionCodeText;
}

QStringList TBrixCalcEngine::HistoryLines() const
{
    return FState.Tape;
}

QString TBrixCalcEngine::HistoryLine(int Index) const
{
    if (Index < 0 || Index >= FState.Tape.size())
        return QString();
    return FState.Tape.at(Index);
}

} // namespace Brix
