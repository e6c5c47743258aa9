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

const QString InitialOperatorStr = QStringLiteral("+-*/^@&#\\|E(");
const QString InitialFunctionStr = QStringLiteral("LNWSCTDRUQlnwsctdruqafigGA%");

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
    FOperatorStr = InitialOperatorStr;
    FFunctionStr = InitialFunctionStr;
    AllClear();
    FLanguage = DefaultLanguage;
    FOperandStack.assign(InitialStackLength, 0);
    FOperatorStack.assign(InitialStackLength, QChar(u' '));
    FMaxDisplayLength = 26;
    FEnableGrads = false;
    FBinaryPercent = false;
    FPrefixFunctions = true;
    FPrecedence = true;
    FMemoryHistory = false;
    FAngleMode = amRadians;
    FDecimalPlaces = 4;
    FIgnoreError = false;
    FFormatter = nullptr;
    FVariables.fill(0);
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
    if (Event)
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

void TBrixCalcEngine::SetDisplayStr(const QString &S, bool IsEntry)
{
    FDisplayIsEntry = IsEntry && !GroupsDisplay();
    if (GroupsDisplay()) {
        // Only the mantissa is grouped: an exponent is one whole number
        // ("1E-12345", not "1E-12,345").
        const qsizetype EPos = S.indexOf(u'E');
        const QString Mantissa = EPos < 0 ? S : S.first(EPos);
        const bool Lakh = FFormatter->LakhFormatting();
        const QChar Sep = EntrySeparator();
        if (Sep == RegionalSettings().DecimalSeparator)
            FDisplayValue = GroupNumberText(Mantissa, Lakh);
        else
            FDisplayValue = GroupNumberText(Mantissa, SettingsForSeparator(Sep), Lakh);
        if (EPos >= 0)
            FDisplayValue += QStringView(S).sliced(EPos);
    } else {
        FDisplayValue = S;
    }
    Notify(FOnDisplayChange);
}

// The entry after one character was appended to it. When the display showed
// the entry as typed until then, it grows by that character, so typing a long
// number costs the same per key however long it is; otherwise (grouping, or
// the display showed something else) it is written anew.
void TBrixCalcEngine::ShowAppendedEntry()
{
    if (FDisplayIsEntry && !GroupsDisplay() && FDisplayValue.size() + 1 == FValue.size()) {
        Q_ASSERT(QStringView(FValue).chopped(1) == FDisplayValue);
        FDisplayValue.append(FValue.back());
        Notify(FOnDisplayChange);
    } else {
        SetDisplayStr(FValue, true);
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
                                ? FDecimalPlaces
                                : KnownFixedDecimals(Value, FDecimalPlaces);
        return FFormatter->ExtendedToStr(Value, Places);
    }
    return FixedText(KnownFixedDecimals(Value, FDecimalPlaces), false, Value, false, false, false);
}

QChar TBrixCalcEngine::EntrySeparator() const
{
    if (FFormatter)
        return FFormatter->CustomSettings()->DecimalSeparator();
    return RegionalSettings().DecimalSeparator;
}

void TBrixCalcEngine::ShowTopOperand()
{
    if (FOperandN >= 0)
        SetDisplayStr(ValueToStr(FOperandStack[FOperandN]));
    else
        SetDisplayStr(QStringLiteral("0"));
}

// The stacks keep the length rule (top index + 5), while the storage behind
// them grows geometrically, so a push costs amortised constant time however
// deep the nesting.
template <class T> static void GrowFor(std::vector<T> &Stack, int TopIndex, const T &Filler)
{
    if (TopIndex < int(Stack.size()) - 1)
        return;
    const size_t Needed = size_t(TopIndex) + StackGrowth;
    if (Stack.capacity() < Needed)
        Stack.reserve(std::max(Needed, Stack.capacity() * 2));
    Stack.resize(Needed, Filler);
}

void TBrixCalcEngine::PushOperand(const Extended &Value)
{
    GrowFor(FOperandStack, FOperandN, Extended(0));
    ++FOperandN;
    FOperandStack[FOperandN] = Value;
}

void TBrixCalcEngine::PushOperator(QChar Code)
{
    GrowFor(FOperatorStack, FOperatorN, QChar(u' '));
    ++FOperatorN;
    FOperatorStack[FOperatorN] = Code;
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
    if (EntryOverflows(FValue, EntrySeparator()))
        throw EOverflow();
    return EntryValue(FValue);
}

void TBrixCalcEngine::PushEntry()
{
    if (FValue.isEmpty())
        return;
    const Extended V = TakeEntryValue();
    PushOperand(V);
    AddHistoryValue(V);
    FValue.clear();
}

void TBrixCalcEngine::InputChar(QChar Ch)
{
    if (FLastCh == u'=') {
        ClearToggles();
        FOperandN = -1;
        FOperatorN = -1;
        FValue.clear();
        FLastCh = u' ';
    }
    if (SignCharacters.contains(Ch) && FLastCh != u'E') {
        FValue.prepend(Ch);
        if (FValue == u"--" || FValue == u"-+")
            FValue.clear();
        else if (FValue == u"+-")
            FValue = QStringLiteral("-");
        SetDisplayStr(FValue, true);
    } else {
        FValue.append(Ch);
        ShowAppendedEntry();
    }
    ClearToggles();
    FLastCh = Ch;
}

void TBrixCalcEngine::ClearToggles()
{
    if (!FInv && !FHyp)
        return;
    FInv = false;
    FHyp = false;
    Notify(FOnClearToggles);
}

TBrixCalcEngine::TOperand TBrixCalcEngine::TakeOperand()
{
    if (!FValue.isEmpty()) {
        const Extended X = TakeEntryValue();
        AddHistoryValue(X);
        return {X, osEntry};
    }
    if (FOperandN >= 0)
        return {FOperandStack[FOperandN], osTop};
    return {0, osNone};
}

// ---- Clearing and number entry ----

void TBrixCalcEngine::AllClear()
{
    FOperandN = -1;
    FOperatorN = -1;
    FLastError.clear();
    ClearHistory();
    ClearDisplay();
}

void TBrixCalcEngine::ClearDisplay()
{
    ClearToggles();
    FLastCh = u' ';
    FValue.clear();
    SetDisplayStr(QStringLiteral("0"));
}

void TBrixCalcEngine::InputDigit(TBrixZeroToNine Digit)
{
    if (Digit > BrixMaxDigit)
        return;
    // A full exponent takes no further digit (after "=" the digit starts a
    // new number).
    if (FLastCh != u'=' && ExponentIsFull(FValue))
        return;
    if (FValue == u"0")
        FValue.clear();
    InputChar(QChar(u'0' + Digit));
    // The value is read through GetAsFloat, which a descendant may define,
    // but only for a typed zero: reading the whole entry on every digit would
    // make typing a long number take quadratic time.
    if (!IsWholeZero(FValue, EntrySeparator()) || GetAsFloat() != 0)
        return;
    // A zero without a decimal part or exponent is kept as one zero (with its
    // sign), but the display keeps what was typed until the next change.
    FValue = FValue.startsWith(u'-') ? QStringLiteral("-0") : QStringLiteral("0");
    FDisplayIsEntry = false;
}

void TBrixCalcEngine::InputDecimalSeparator()
{
    const QChar Sep = EntrySeparator();
    FLastCh = u'.';
    // Once only, and not in the exponent, which is a whole number.
    if (!FValue.contains(Sep) && !FValue.contains(u'E')) {
        if (FValue.isEmpty())
            FValue = QStringLiteral("0");
        FValue.append(Sep);
    }
    ClearToggles();
    SetDisplayStr(FValue, true);
}

void TBrixCalcEngine::InputBackspace()
{
    if (!FValue.isEmpty()) {
        FValue.chop(1);
        SetDisplayStr(FValue, true);
    }
    ClearToggles();
}

void TBrixCalcEngine::DoExp()
{
    if (FValue.contains(u'E'))
        return;
    FValue.append(u'E');
    ShowAppendedEntry();
    ClearToggles();
    FLastCh = u'E';
}

void TBrixCalcEngine::InputValue(const Extended &Value)
{
    Guarded([&] {
        CheckUsable(Value);
        PushOperand(Value);
        SetDisplayStr(ValueToStr(Value));
        FValue.clear();
        FLastCh = u' ';
        AddHistoryLine(FDisplayValue, false);
    });
}

void TBrixCalcEngine::InputString(const QString &Value)
{
    Guarded([&] {
        const Extended V = TextToFloatOrZero(Value);
        CheckUsable(V);
        FValue.clear();
        PushOperand(V);
        SetDisplayStr(ValueToStr(V));
        FLastCh = u' ';
    });
}

void TBrixCalcEngine::InputConstant(const Extended &Value)
{
    if (!IsUsable(Value)) {
        // Only a descendant can get here; it is refused like InputValue.
        Guarded([&] { CheckUsable(Value); });
        return;
    }
    PushOperand(Value);
    SetDisplayStr(ValueToStr(Value));
    AddHistoryLine(FDisplayValue, false);
    FValue.clear();
    FLastCh = u' ';
}

void TBrixCalcEngine::InputPi()
{
    // Mantissa C90FDAA22168C235: the nearest 80-bit value to pi.
    InputConstant(ExtendedFromBits(0x4000, 0xC90FDAA22168C235ULL));
}

void TBrixCalcEngine::InputNaturalConstant()
{
    // Mantissa ADF85458A2BB4A9B: the nearest 80-bit value to e.
    InputConstant(ExtendedFromBits(0x4000, 0xADF85458A2BB4A9BULL));
}

Extended TBrixCalcEngine::GetAsFloat()
{
    if (!FValue.isEmpty()) {
        try {
            return EntryValue(FValue);
        } catch (const Exception &) {
            FValue.clear();
            return 0;
        }
    }
    if (FOperandN >= 0)
        return FOperandStack[FOperandN];
    return 0;
}

void TBrixCalcEngine::SetDecimalPlaces(Byte Value)
{
    if (Value == FDecimalPlaces)
        return;
    FDecimalPlaces = Value;
    SetDisplayStr(ValueToStr(GetAsFloat()));
    Notify(FOnDecimalPlacesChange);
}

void TBrixCalcEngine::RedrawDisplay()
{
    if (FDisplayValue.contains(GetName(ectErrorMsg)))
        return;
    if (!FValue.isEmpty())
        SetDisplayStr(FValue, true);
    else
        SetDisplayStr(ValueToStr(GetAsFloat()));
}

void TBrixCalcEngine::SetMaxDisplayLength(Byte Value)
{
    FMaxDisplayLength = Value;
}

Extended TBrixCalcEngine::GetVariable(int Index) const
{
    if (unsigned(Index) < FVariables.size())
        return FVariables[size_t(Index)];
    return 0;
}

void TBrixCalcEngine::SetVariable(int Index, const Extended &Value)
{
    if (unsigned(Index) < FVariables.size())
        FVariables[size_t(Index)] = Value;
}

// ---- Formatter link ----

void TBrixCalcEngine::SetFormatter(TBrixFloatFormatter *Value)
{
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
    QList<Extended> Result;
    Result.reserve(FOperandN + 1);
    for (int I = 0; I <= FOperandN; ++I)
        Result.append(FOperandStack[size_t(I)]);
    return Result;
}

QString TBrixCalcEngine::OperatorStackText() const
{
    QString Result;
    Result.reserve(FOperatorN + 1);
    for (int I = 0; I <= FOperatorN; ++I)
        Result.append(FOperatorStack[size_t(I)]);
    return Result;
}

QStringList TBrixCalcEngine::HistoryLines() const
{
    return FHistoryStack;
}

QString TBrixCalcEngine::HistoryLine(int Index) const
{
    if (Index < 0 || Index >= FHistoryStack.size())
        return QString();
    return FHistoryStack.at(Index);
}

} // namespace Brix
