#include "brix/calculator/engine.h"

#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/math/angles.h"
#include "brix/math/elementary.h"
#include "brix/math/globals.h"
#include "brix/math/hyperbolics.h"
#include "brix/math/tools.h"
#include "brix/strings/tools.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Brix {

namespace {

// The characters that a plus or minus key types as a sign rather than an
// operator (a translatable text in the original resource set).
const QString SignCharacters = QStringLiteral("+-");
// Prefix of the memory line on the tape: "[M: 12.0000 ]".
const QString MemoryLinePrefix = QStringLiteral("M: ");

const QString InitialOperatorStr = QStringLiteral("+-*/^@&#\\|E(");
const QString InitialFunctionStr = QStringLiteral("LNWSCTDRUQlnwsctdruqafigGA%");

// The operator codes a bracket reduction treats as binary, by level.
const QString Level1Ops = QStringLiteral("+-");
const QString Level2Ops = QStringLiteral("*/&#\\|");
const QString Level3Ops = QStringLiteral("^@%");
const QString Level12Ops = QStringLiteral("*/&#\\|+-");

// The extended value nearest to 0.01.
constexpr Extended PercentFactor = 0.01L;

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

// Every computed value passes through CheckedFloat: an infinity is an
// overflow and a NaN an invalid operation, so neither ever reaches a stack or
// the display.
Extended Checked(Extended R)
{
    return CheckedFloat(R);
}

// False for infinities, NaNs and the invalid 80-bit encodings (unnormals),
// whose difference with themselves is not zero.
bool IsUsable(Extended V)
{
    return V - V == 0;
}

// An infinity or NaN entered from outside is refused with the error that
// computing it would have raised.
void CheckUsable(Extended V)
{
    if (IsUsable(V))
        return;
    if (std::isinf(V))
        throw EOverflow();
    throw EInvalidOp();
}

// True when Text, typed with the decimal separator Sep, is a number whose
// magnitude lies beyond the Extended range ("9E5000"). Text typed too small
// for the range ("1E-5000") is not: it reads as 0, as a computed underflow.
bool EntryOverflows(const QString &Text, QChar Sep)
{
    QByteArray C;
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
    const qsizetype E = C.indexOf('E');
    return E < 0 || C.at(E + 1) != '-';
}

// The function keys of one kind share one procedure; this table holds what
// differs between them.
enum TFunctionKind
{
    fkSin,
    fkCos,
    fkTan,
    fkLog,
    fkLN,
    fkLg2
};

struct TFunctionKey
{
    // Codes for: plain, Inv, Hyp, Inv and Hyp.
    char16_t Codes[4];
    // Hyp selects a variant (only the circular functions).
    bool UsesHyp;
    // With nothing typed and an empty stack the function is applied to 0;
    // otherwise the result is 0 without a call.
    bool AppliedToZero;
};

constexpr TFunctionKey FunctionKeys[] = {
    /* fkSin */ {{u'S', u's', u'R', u'r'}, true, true},
    /* fkCos */ {{u'C', u'c', u'D', u'd'}, true, true},
    /* fkTan */ {{u'T', u't', u'U', u'u'}, true, true},
    /* fkLog */ {{u'L', u'l', u'L', u'l'}, false, false},
    /* fkLN */ {{u'N', u'n', u'N', u'n'}, false, false},
    /* fkLg2 */ {{u'W', u'w', u'W', u'w'}, false, false},
};

// The function codes that EvaluateTop applies to the top operand: the
// toggles each code sets before the call, and the function operation.
struct TFunctionCode
{
    char16_t Code;
    bool SetInv;
    bool SetHyp;
    Extended (TBrixCalcEngine::*Calc)(const Extended &);
};

constexpr TFunctionCode FunctionCodes[] = {
    {u'S', false, false, &TBrixCalcEngine::CalcSin},
    {u's', true, false, &TBrixCalcEngine::CalcSin},
    {u'R', false, true, &TBrixCalcEngine::CalcSin},
    {u'r', true, true, &TBrixCalcEngine::CalcSin},
    {u'C', false, false, &TBrixCalcEngine::CalcCos},
    {u'c', true, false, &TBrixCalcEngine::CalcCos},
    {u'D', false, true, &TBrixCalcEngine::CalcCos},
    {u'd', true, true, &TBrixCalcEngine::CalcCos},
    {u'T', false, false, &TBrixCalcEngine::CalcTan},
    {u't', true, false, &TBrixCalcEngine::CalcTan},
    {u'U', false, true, &TBrixCalcEngine::CalcTan},
    {u'u', true, true, &TBrixCalcEngine::CalcTan},
    {u'L', false, false, &TBrixCalcEngine::CalcLog},
    {u'l', true, false, &TBrixCalcEngine::CalcLog},
    {u'W', false, false, &TBrixCalcEngine::CalcLg2},
    {u'w', true, false, &TBrixCalcEngine::CalcLg2},
    {u'N', false, false, &TBrixCalcEngine::CalcLN},
    {u'n', true, false, &TBrixCalcEngine::CalcLN},
    {u'Q', false, false, &TBrixCalcEngine::CalcSqRoot},
    {u'q', false, false, &TBrixCalcEngine::CalcSquare},
    {u'a', false, false, &TBrixCalcEngine::CalcAbs},
    {u'f', false, false, &TBrixCalcEngine::CalcFloor},
    {u'i', false, false, &TBrixCalcEngine::CalcCeiling},
    {u'g', false, false, &TBrixCalcEngine::CalcSign},
    {u'G', false, false, &TBrixCalcEngine::CalcGamma},
    {u'A', false, false, &TBrixCalcEngine::CalcLnGamma},
};

const TFunctionCode *FindFunctionCode(QChar Code)
{
    for (const TFunctionCode &Entry : FunctionCodes)
        if (Entry.Code == Code.unicode())
            return &Entry;
    return nullptr;
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

QString TBrixCalcEngine::MathMessage(TBrixResMath Key) const
{
    return MathText(GetLanguage(), Key);
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

void TBrixCalcEngine::SetDisplayStr(const QString &S)
{
    if (FFormatter && FFormatter->ShowThousands()) {
        const bool Lakh = FFormatter->LakhFormatting();
        const QChar Sep = EntrySeparator();
        if (Sep == RegionalSettings().DecimalSeparator)
            FDisplayValue = GroupNumberText(S, Lakh);
        else
            FDisplayValue = GroupNumberText(S, SettingsForSeparator(Sep), Lakh);
    } else {
        FDisplayValue = S;
    }
    Notify(FOnDisplayChange);
}

QString TBrixCalcEngine::ValueToStr(const Extended &Value) const
{
    if (FFormatter)
        return FFormatter->ExtendedToStr(Value, FDecimalPlaces);
    return FixedText(FDecimalPlaces, false, Value, false, false, false);
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
    if (SignCharacters.contains(Ch) && FLastCh != u'E')
        FValue.prepend(Ch);
    else
        FValue.append(Ch);
    if (FValue == u"--" || FValue == u"-+")
        FValue.clear();
    else if (FValue == u"+-")
        FValue = QStringLiteral("-");
    SetDisplayStr(FValue);
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

void TBrixCalcEngine::EnterErrorState(const QString &Message)
{
    AllClear();
    SetDisplayStr(GetName(ectErrorMsg));
    FLastError = Message;
    AddHistoryLine(GetName(ectPaperErrLine), false);
    Notify(FOnError);
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
    const QChar Sep = EntrySeparator();
    if (FValue == u"0")
        FValue.clear();
    InputChar(QChar(u'0' + Digit));
    if (FValue.contains(Sep))
        return;
    // A number beyond the range reads as 0 but is not a zero.
    if (GetAsFloat() != 0 || EntryOverflows(FValue, Sep))
        return;
    // A zero without a decimal part is kept as one zero (with its sign), but
    // the display keeps what was typed until the next change.
    FValue = FValue.startsWith(u'-') ? QStringLiteral("-0") : QStringLiteral("0");
}

void TBrixCalcEngine::InputDecimalSeparator()
{
    const QChar Sep = EntrySeparator();
    FLastCh = u'.';
    if (!FValue.contains(Sep)) {
        if (FValue.isEmpty())
            FValue = QStringLiteral("0");
        FValue.append(Sep);
    }
    ClearToggles();
    SetDisplayStr(FValue);
}

void TBrixCalcEngine::InputBackspace()
{
    if (!FValue.isEmpty()) {
        FValue.chop(1);
        SetDisplayStr(FValue);
    }
    ClearToggles();
}

void TBrixCalcEngine::DoExp()
{
    if (FValue.contains(u'E'))
        return;
    FValue.append(u'E');
    SetDisplayStr(FValue);
    ClearToggles();
    FLastCh = u'E';
}

void TBrixCalcEngine::InputValue(const Extended &Value)
{
    try {
        CheckUsable(Value);
        PushOperand(Value);
        SetDisplayStr(ValueToStr(Value));
        FValue.clear();
        FLastCh = u' ';
        AddHistoryLine(FDisplayValue, false);
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
}

void TBrixCalcEngine::InputString(const QString &Value)
{
    try {
        const Extended V = TextToFloatOrZero(Value);
        CheckUsable(V);
        FValue.clear();
        PushOperand(V);
        SetDisplayStr(ValueToStr(V));
        FLastCh = u' ';
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
}

void TBrixCalcEngine::InputConstant(const Extended &Value)
{
    if (!IsUsable(Value)) {
        // Only a descendant can get here; it is refused like InputValue.
        try {
            CheckUsable(Value);
        } catch (const Exception &E) {
            EnterErrorState(E.Message());
        }
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

// ---- History ----

// Appends one tape line, after the held text and a space if one is held
// (the held text is then used up), and fires OnHistoryChange.
void TBrixCalcEngine::AppendHistory(const QString &Text)
{
    if (!FHistoryHold.isEmpty()) {
        FHistoryStack.append(FHistoryHold + u' ' + Text);
        FHistoryHold.clear();
    } else {
        FHistoryStack.append(Text);
    }
    Notify(FOnHistoryChange);
}

void TBrixCalcEngine::AddHistoryLine(const QString &Text, bool Hold)
{
    if (Hold && FOperatorSameLine)
        FHistoryHold = Text;
    else
        AppendHistory(Text);
}

// A slot of its own: a descendant overriding AddHistoryLine does not change
// the operator, bracket, percent and equals characters written here.
void TBrixCalcEngine::AddHistoryChar(QChar Ch, bool Hold)
{
    if (Hold && FOperatorSameLine)
        FHistoryHold = QString(Ch);
    else
        AppendHistory(QString(Ch));
}

void TBrixCalcEngine::AddHistoryValue(const Extended &Value)
{
    AppendHistory(ValueToStr(Value));
}

void TBrixCalcEngine::ClearHistory()
{
    FHistoryStack.clear();
    FLastHistoryAccess = -1;
}

// ---- Operators, precedence and brackets ----

void TBrixCalcEngine::DoAdd()
{
    DoOperator(u'+');
}

void TBrixCalcEngine::DoSubtract()
{
    DoOperator(u'-');
}

void TBrixCalcEngine::DoMultiply()
{
    DoOperator(u'*');
}

void TBrixCalcEngine::DoDivide()
{
    DoOperator(u'/');
}

void TBrixCalcEngine::DoPower()
{
    DoOperator(FInv ? u'@' : u'^');
    ClearToggles();
}

void TBrixCalcEngine::DoOperator(QChar Op)
{
    // A plus or minus at the start, after another operator, "(", the
    // exponent mark or a function is the sign of the next number.
    if (SignCharacters.contains(Op) &&
        ((FValue.isEmpty() && FOperandN < 0) || FOperatorStr.contains(FLastCh) ||
         FFunctionStr.contains(FLastCh))) {
        InputChar(Op);
        return;
    }
    try {
        PushEntry();
        while (FOperatorN >= 0 && !HasPrecedence(Op, FOperatorStack[FOperatorN]))
            EvaluateTop();
        PushOperator(Op);
        ShowTopOperand();
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
    switch (Op.unicode()) {
    case u'^':
        AddHistoryLine(GetName(ectXpwrYPaper), true);
        break;
    case u'@':
        AddHistoryLine(GetName(ectXpwrInvYPaper), true);
        break;
    case u'&':
        AddHistoryLine(GetName(ectFPRemPaper), true);
        break;
    case u'#':
        AddHistoryLine(GetName(ectFPModPaper), true);
        break;
    case u'\\':
        AddHistoryLine(GetName(ectFPDivPaper), true);
        break;
    case u'|':
        AddHistoryLine(GetName(ectFPIntDivPaper), true);
        break;
    default:
        AddHistoryChar(Op, true);
        break;
    }
    ClearToggles();
    FLastCh = Op;
}

bool TBrixCalcEngine::HasPrecedence(QChar NewOp, QChar TopOp) const
{
    if (FPrecedence) {
        if (Level2Ops.contains(NewOp) && Level1Ops.contains(TopOp))
            return true;
        if (Level3Ops.contains(NewOp) && Level12Ops.contains(TopOp))
            return true;
    }
    if (TopOp == u'(')
        return true;
    return FFunctionStr.contains(NewOp);
}

void TBrixCalcEngine::EvaluateTop()
{
    if (FOperatorN < 0)
        return;
    const QChar Code = FOperatorStack[FOperatorN];
    try {
        switch (Code.unicode()) {
        case u'+':
        case u'-':
        case u'*':
        case u'/':
        case u'^':
        case u'&':
        case u'#':
        case u'\\':
        case u'|':
        case u'%': {
            if (FOperandN < 1) {
                if (!FIgnoreError)
                    throw EMathError(MathMessage(emtInvalidEquation));
                break;
            }
            const Extended X = FOperandStack[FOperandN - 1];
            const Extended Y = FOperandStack[FOperandN];
            Extended R = 0;
            switch (Code.unicode()) {
            case u'+':
                R = Checked(X + Y);
                break;
            case u'-':
                R = Checked(X - Y);
                break;
            case u'*':
                R = Checked(X * Y);
                break;
            case u'/':
                if (Y == 0)
                    throw EMathError(MathMessage(emtDivideByZero));
                R = Checked(X / Y);
                break;
            case u'^':
                R = Checked(PowerReal(X, Y));
                break;
            case u'%':
                R = Checked((X * PercentFactor) * Y);
                break;
            default: // the four integer-division codes
                if (Y == 0)
                    throw EMathError(MathMessage(emtDivideByZero));
                if (Code == u'&')
                    R = Checked(TruncModulo(X, Y, TinyExtended));
                else if (Code == u'#')
                    R = Checked(FloorModulo(X, Y, TinyExtended));
                else if (Code == u'\\')
                    R = Checked(FloorQuotient(X, Y, TinyExtended));
                else
                    R = Checked(TruncQuotient(X, Y, TinyExtended));
                break;
            }
            if (Code == u'%' && !FBinaryPercent) {
                // A percent left pending when binary percent was switched
                // off replaces the top instead of reducing.
                FOperandStack[FOperandN] = R;
                SetDisplayStr(ValueToStr(R));
            } else {
                FOperandStack[FOperandN - 1] = R;
                --FOperandN;
            }
            break;
        }
        case u'@': {
            if (FOperandN < 1)
                break;
            const Extended X = FOperandStack[FOperandN - 1];
            const Extended Y = FOperandStack[FOperandN];
            if (Y == 0)
                throw EZeroDivide();
            const Extended R = Checked(PowerRoot(X, Y));
            FOperandStack[FOperandN - 1] = R;
            --FOperandN;
            break;
        }
        default: {
            const TFunctionCode *Function = FindFunctionCode(Code);
            if (!Function || !FFunctionStr.contains(Code))
                break;
            // The code's own toggles are set silently; the function operation
            // reads and then clears them. A pending function with no operand
            // works on 0.
            if (Function->SetInv)
                FInv = true;
            if (Function->SetHyp)
                FHyp = true;
            const Extended X = FOperandN >= 0 ? FOperandStack[FOperandN] : 0;
            const Extended R = Checked((this->*Function->Calc)(X));
            if (FOperandN >= 0)
                FOperandStack[FOperandN] = R;
            else
                PushOperand(R);
            break;
        }
        }
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
        return;
    }
    if (FOperatorN >= 0)
        --FOperatorN;
}

void TBrixCalcEngine::InputLeftBracket()
{
    if (FValue == u"-") {
        // A minus sign before a bracket means -1 x (.
        InputDigit(1);
        DoMultiply();
    }
    FValue.clear();
    PushOperator(u'(');
    ShowTopOperand();
    AddHistoryChar(u'(', true);
    FLastCh = u'(';
}

void TBrixCalcEngine::InputRightBracket()
{
    try {
        PushEntry();
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
    while (FOperatorN >= 0 && FOperatorStack[FOperatorN] != u'(')
        EvaluateTop();
    if (FOperatorN >= 0)
        --FOperatorN;
    ShowTopOperand();
    AddHistoryChar(u')', false);
    FLastCh = u')';
}

void TBrixCalcEngine::DoResult()
{
    try {
        PushEntry();
        while (FOperatorN >= 0)
            EvaluateTop();
        if (FOperandN > 0) {
            // Values entered one after another: the last one wins.
            FOperandStack[0] = FOperandStack[FOperandN];
            FOperandN = 0;
        }
        if (FOperandN >= 0)
            SetDisplayStr(ValueToStr(FOperandStack[FOperandN]));
        else if (!FDisplayValue.contains(GetName(ectErrorMsg)))
            SetDisplayStr(QStringLiteral("0"));
        ClearToggles();
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
}

void TBrixCalcEngine::DoEquals()
{
    DoResult();
    AddHistoryChar(u'=', true);
    AddHistoryLine(FDisplayValue, false);
    FLastCh = u'=';
}

// ---- Functions, modifiers and angle modes ----

void TBrixCalcEngine::DoInv()
{
    FInv = !FInv;
    Notify(FInv ? FOnSetToggles : FOnClearToggles);
}

void TBrixCalcEngine::DoHyp()
{
    FHyp = !FHyp;
    Notify(FHyp ? FOnSetToggles : FOnClearToggles);
}

void TBrixCalcEngine::DoSin()
{
    DoFunctionKey(fkSin);
}

void TBrixCalcEngine::DoCos()
{
    DoFunctionKey(fkCos);
}

void TBrixCalcEngine::DoTan()
{
    DoFunctionKey(fkTan);
}

void TBrixCalcEngine::DoLog()
{
    DoFunctionKey(fkLog);
}

void TBrixCalcEngine::DoLN()
{
    DoFunctionKey(fkLN);
}

void TBrixCalcEngine::DoLg2()
{
    DoFunctionKey(fkLg2);
}

void TBrixCalcEngine::DoFunctionKey(int Kind)
{
    const TFunctionKey &Key = FunctionKeys[Kind];
    const auto AddLine = [this, Kind] {
        switch (Kind) {
        case fkSin:
            AddSinLine();
            break;
        case fkCos:
            AddCosLine();
            break;
        case fkTan:
            AddTanLine();
            break;
        case fkLog:
            AddLogLine();
            break;
        case fkLN:
            AddLNLine();
            break;
        default:
            AddLg2Line();
            break;
        }
    };

    if (FPrefixFunctions) {
        // Written style: the function waits on the operator stack for its
        // operand; the code records the toggles as they are now.
        FValue.clear();
        const int Variant = (FInv ? 1 : 0) + (FHyp && Key.UsesHyp ? 2 : 0);
        PushOperator(QChar(Key.Codes[Variant]));
        AddLine();
        ShowTopOperand();
        FLastCh = u' ';
        return;
    }

    try {
        Extended X = 0;
        bool HasArgument = true;
        if (!FValue.isEmpty()) {
            X = TakeEntryValue();
            AddHistoryValue(X);
        } else if (FOperandN >= 0) {
            X = FOperandStack[FOperandN];
        } else {
            HasArgument = false;
        }
        AddLine();
        Extended R = 0;
        if (HasArgument || Key.AppliedToZero) {
            switch (Kind) {
            case fkSin:
                R = CalcSin(X);
                break;
            case fkCos:
                R = CalcCos(X);
                break;
            case fkTan:
                R = CalcTan(X);
                break;
            case fkLog:
                R = CalcLog(X);
                break;
            case fkLN:
                R = CalcLN(X);
                break;
            default:
                R = CalcLg2(X);
                break;
            }
            R = Checked(R);
        }
        FValue.clear();
        PushOperand(R);
        SetDisplayStr(ValueToStr(R));
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
    FLastCh = u' ';
}

// Square root with the negative rule of CalcSqRoot, without touching the
// toggles.
static Extended SquareRootRule(const Extended &X, bool IgnoreError, TBrixLanguage Language)
{
    if (X < 0) {
        if (IgnoreError)
            throw EMathError(MathText(Language, emtSqRootNeg));
        return 0;
    }
    return std::sqrt(X);
}

void TBrixCalcEngine::DoSqRoot()
{
    if (FPrefixFunctions) {
        FValue.clear();
        if (FInv) {
            PushOperator(u'q');
            AddHistoryLine(GetName(ectSquarePaper), false);
        } else {
            PushOperator(u'Q');
            AddHistoryLine(GetName(ectSqrtPaper), false);
        }
        ClearToggles();
        ShowTopOperand();
        FLastCh = u' ';
        return;
    }
    if (FInv) {
        ClearToggles();
        DoSquare();
        return;
    }
    try {
        Extended R = 0;
        if (!FValue.isEmpty()) {
            const Extended X = TakeEntryValue();
            AddHistoryValue(X);
            R = SquareRootRule(X, FIgnoreError, GetLanguage());
        } else if (FOperandN >= 0) {
            R = SquareRootRule(FOperandStack[FOperandN], FIgnoreError, GetLanguage());
        }
        FValue.clear();
        PushOperand(R);
        SetDisplayStr(ValueToStr(R));
        AddHistoryLine(GetName(ectSqrtPaper), false);
    } catch (const Exception &E) {
        // The square root's own error form: the key's line comes before the
        // error line.
        AllClear();
        SetDisplayStr(GetName(ectErrorMsg));
        FLastError = E.Message();
        AddHistoryLine(GetName(ectSqrtPaper), false);
        AddHistoryLine(GetName(ectPaperErrLine), false);
        Notify(FOnError);
    }
    FLastCh = u' ';
}

void TBrixCalcEngine::DoSquare()
{
    if (FInv) {
        ClearToggles();
        DoSqRoot();
        FLastCh = u' ';
        return;
    }
    try {
        Extended R = 0;
        if (!FValue.isEmpty()) {
            const Extended X = TakeEntryValue();
            AddHistoryValue(X);
            R = Checked(X * X);
        } else if (FOperandN >= 0) {
            const Extended X = FOperandStack[FOperandN];
            R = Checked(X * X);
            --FOperandN;
        }
        PushOperand(R);
        FValue.clear();
        SetDisplayStr(ValueToStr(R));
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
    AddHistoryLine(GetName(ectSquarePaper), false);
    FLastCh = u' ';
}

void TBrixCalcEngine::DoInvert()
{
    ClearToggles();
    try {
        Extended X = 0;
        bool HasArgument = true;
        if (!FValue.isEmpty()) {
            X = TakeEntryValue();
            AddHistoryValue(X);
        } else if (FOperandN >= 0) {
            X = FOperandStack[FOperandN];
        } else {
            HasArgument = false;
        }
        Extended R = 0;
        if (X == 0 || !HasArgument) {
            if (FIgnoreError)
                throw EMathError(MathMessage(emtDivideByZero));
        } else {
            R = Checked(1 / X);
        }
        FValue.clear();
        PushOperand(R);
        SetDisplayStr(ValueToStr(R));
    } catch (const Exception &E) {
        EnterErrorState(E.Message());
    }
    AddHistoryLine(GetName(ectInvertPaper), false);
    FLastCh = u' ';
}

void TBrixCalcEngine::DoChangeSign()
{
    if (!FValue.isEmpty()) {
        // The entry text itself is edited; nothing is computed.
        const qsizetype EPos = FValue.indexOf(u'E');
        if (EPos >= 0) {
            const QString Mantissa = FValue.left(EPos + 1);
            const QString ExponentText = FValue.mid(EPos + 1);
            const qint64 N = (ExponentText.isEmpty() || ExponentText == u"-")
                                 ? 0
                                 : qint64(TextToIntChecked(ExponentText));
            if (N == 0)
                FValue = Mantissa + u'-';
            else
                FValue = Mantissa + QString::number(-N);
        } else if (EntryValue(FValue) == 0) {
            FValue = QStringLiteral("-");
        } else if (FValue.startsWith(u'-')) {
            FValue.remove(0, 1);
        } else {
            FValue.prepend(u'-');
        }
        SetDisplayStr(FValue);
        FLastCh = u' ';
        return;
    }
    const Extended R = FOperandN >= 0 ? -1 * FOperandStack[FOperandN] : 0;
    FValue.clear();
    PushOperand(R);
    SetDisplayStr(ValueToStr(R));
    AddHistoryLine(QStringLiteral("+/-"), false);
    FLastCh = u' ';
}

void TBrixCalcEngine::DoPercent()
{
    if (FBinaryPercent) {
        DoOperator(u'%');
        ClearToggles();
        FLastCh = u' ';
        return;
    }
    // Not guarded: an overflow reaches the caller with the state as it stood
    // (tape lines already written stay).
    Extended R = 0;
    if (!FValue.isEmpty()) {
        const Extended Y = TakeEntryValue();
        if (FOperatorSameLine) {
            AddHistoryLine(FValue + u'%', false);
        } else {
            AddHistoryLine(FValue, false);
            AddHistoryChar(u'%', false);
        }
        if (FOperandN >= 0)
            R = Checked((FOperandStack[FOperandN] * Y) * PercentFactor);
    } else {
        if (FOperandN >= 1)
            R = Checked((FOperandStack[FOperandN] * FOperandStack[FOperandN - 1]) * PercentFactor);
        AddHistoryChar(u'%', false);
    }
    FValue.clear();
    PushOperand(R);
    SetDisplayStr(ValueToStr(R));
}

void TBrixCalcEngine::SetBinaryPercent(bool Value)
{
    if (Value == FBinaryPercent)
        return;
    FBinaryPercent = Value;
    if (FFunctionStr.endsWith(u'%'))
        FFunctionStr.chop(1);
    else
        FFunctionStr.append(u'%');
}

void TBrixCalcEngine::SetPrefixFunctions(bool Value)
{
    FPrefixFunctions = Value;
}

void TBrixCalcEngine::SetEnableGrads(bool Value)
{
    FEnableGrads = Value;
}

void TBrixCalcEngine::SetPrecedence(bool Value)
{
    FPrecedence = Value;
}

void TBrixCalcEngine::SetMemoryHistory(bool Value)
{
    FMemoryHistory = Value;
}

void TBrixCalcEngine::SetOperatorSameLine(bool Value)
{
    FOperatorSameLine = Value;
}

void TBrixCalcEngine::SetAngleMode(TBrixAngleMode Value)
{
    if (Value == FAngleMode)
        return;
    FAngleMode = Value;
    Notify(FOnAngleModeChange);
}

void TBrixCalcEngine::ToggleAngleMode()
{
    switch (FAngleMode) {
    case amDegrees:
        FAngleMode = amRadians;
        break;
    case amRadians:
        FAngleMode = FEnableGrads ? amGradiants : amDegrees;
        break;
    default:
        FAngleMode = amDegrees;
        break;
    }
    AddHistoryLine(GetAngleModeStr(), false);
    Notify(FOnAngleModeChange);
}

QString TBrixCalcEngine::GetAngleModeStr() const
{
    switch (FAngleMode) {
    case amDegrees:
        return GetName(ectDegAbbrev);
    case amRadians:
        return GetName(ectRadAbbrev);
    default:
        return GetName(ectGraAbbrev);
    }
}

// ---- Function operations ----

namespace {

// The math library's unit of an angle mode: the circular functions reduce
// and convert the angle in that unit themselves.
TBrixAngleUnit AngleUnit(TBrixAngleMode Mode)
{
    switch (Mode) {
    case amDegrees:
        return auDegrees;
    case amGradiants:
        return auGrads;
    default:
        return auRadians;
    }
}

} // namespace

// Every function operation clears the toggles once it has computed (a fault
// leaves them as they were).
Extended TBrixCalcEngine::Computed(Extended R)
{
    ClearToggles();
    return R;
}

Extended TBrixCalcEngine::CalcSin(const Extended &X)
{
    return Computed(Checked(FInv && FHyp ? HypArcSin(X)
                            : FInv       ? ArcSinToAngle(X, AngleUnit(FAngleMode))
                            : FHyp       ? HypSin(X)
                                         : SinOfAngle(X, AngleUnit(FAngleMode))));
}

Extended TBrixCalcEngine::CalcCos(const Extended &X)
{
    return Computed(Checked(FInv && FHyp ? HypArcCos(X)
                            : FInv       ? ArcCosToAngle(X, AngleUnit(FAngleMode))
                            : FHyp       ? HypCos(X)
                                         : CosOfAngle(X, AngleUnit(FAngleMode))));
}

Extended TBrixCalcEngine::CalcTan(const Extended &X)
{
    return Computed(Checked(FInv && FHyp ? HypArcTan(X)
                            : FInv       ? ArcTanToAngle(X, AngleUnit(FAngleMode))
                            : FHyp       ? HypTan(X)
                                         : TanOfAngle(X, AngleUnit(FAngleMode))));
}

Extended TBrixCalcEngine::CalcLog(const Extended &X)
{
    return Computed(Checked(FInv ? PowerOfTen(X) : LogBase10(X, TinyExtended)));
}

Extended TBrixCalcEngine::CalcLg2(const Extended &X)
{
    return Computed(Checked(FInv ? PowerOfTwo(X) : LogBase2(X, TinyExtended)));
}

Extended TBrixCalcEngine::CalcLN(const Extended &X)
{
    return Computed(FInv ? ExpChecked(X) : LnChecked(X));
}

Extended TBrixCalcEngine::CalcSqRoot(const Extended &X)
{
    return Computed(SquareRootRule(X, FIgnoreError, GetLanguage()));
}

Extended TBrixCalcEngine::CalcSquare(const Extended &X)
{
    return Computed(Checked(X * X));
}

Extended TBrixCalcEngine::CalcAbs(const Extended &X)
{
    return Computed(std::fabs(X));
}

Extended TBrixCalcEngine::CalcFloor(const Extended &X)
{
    return Computed(Extended(FloorTolerant(X)));
}

Extended TBrixCalcEngine::CalcCeiling(const Extended &X)
{
    return Computed(Extended(CeilTolerant(X)));
}

Extended TBrixCalcEngine::CalcSign(const Extended &X)
{
    return Computed(X > 0 ? 1 : (X < 0 ? -1 : 0));
}

Extended TBrixCalcEngine::CalcGamma(const Extended &X)
{
    return Computed(Checked(GammaFn(CheckedDouble(X))));
}

Extended TBrixCalcEngine::CalcLnGamma(const Extended &X)
{
    return Computed(Checked(LnGammaFn(CheckedDouble(X))));
}

// ---- History lines of the function keys ----

void TBrixCalcEngine::AddSinLine()
{
    AddHistoryLine(GetName(FInv ? (FHyp ? ectArsinhPaper : ectArcsinPaper)
                                : (FHyp ? ectSinhPaper : ectSinPaper)),
                   false);
}

void TBrixCalcEngine::AddCosLine()
{
    AddHistoryLine(GetName(FInv ? (FHyp ? ectArcoshPaper : ectArccosPaper)
                                : (FHyp ? ectCoshPaper : ectCosPaper)),
                   false);
}

void TBrixCalcEngine::AddTanLine()
{
    AddHistoryLine(GetName(FInv ? (FHyp ? ectArtanhPaper : ectArctanPaper)
                                : (FHyp ? ectTanhPaper : ectTanPaper)),
                   false);
}

void TBrixCalcEngine::AddLogLine()
{
    AddHistoryLine(GetName(FInv ? ect10toXPaper : ectLogPaper), false);
}

void TBrixCalcEngine::AddLg2Line()
{
    AddHistoryLine(GetName(FInv ? ectInvLog2Paper : ectLog2Paper), false);
}

void TBrixCalcEngine::AddLNLine()
{
    AddHistoryLine(GetName(FInv ? ectEtoXPaper : ectLnPaper), false);
}

// ---- Memory ----

void TBrixCalcEngine::MemoryAdd()
{
    MemoryAddSub(false);
}

void TBrixCalcEngine::MemorySubtract()
{
    MemoryAddSub(true);
}

void TBrixCalcEngine::MemoryAddSub(bool Subtract)
{
    // Right after an operator key, "(" or the exponent mark the pending
    // expression is left alone.
    if (!FOperatorStr.contains(FLastCh))
        DoResult();
    // Not guarded: an overflow of the sum reaches the caller with the memory
    // unchanged.
    if (!FValue.isEmpty()) {
        const Extended X = TakeEntryValue();
        AddHistoryValue(X);
        FMemory = Checked(Subtract ? FMemory - X : FMemory + X);
    } else if (FOperandN >= 0) {
        const Extended X = FOperandStack[FOperandN];
        FMemory = Checked(Subtract ? FMemory - X : FMemory + X);
    }
    ClearToggles();
    AddHistoryLine(GetName(Subtract ? ectMemSubPaper : ectMemAddPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::AddMemoryLine()
{
    AddHistoryLine(u'[' + MemoryLinePrefix + ValueToStr(FMemory) + QStringLiteral(" ]"), false);
}

void TBrixCalcEngine::MemoryRecall()
{
    PushOperand(FMemory);
    SetDisplayStr(ValueToStr(FMemory));
    FValue.clear();
    ClearToggles();
    AddHistoryLine(GetName(ectMemRecPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    FLastCh = u' ';
}

void TBrixCalcEngine::MemoryClear()
{
    FMemory = 0;
    ClearToggles();
    AddHistoryLine(GetName(ectMemClrPaper), false);
    if (FMemoryHistory)
        AddMemoryLine();
    Notify(FOnMemoryChange);
}

void TBrixCalcEngine::SetMemory(const Extended &Value)
{
    CheckUsable(Value);
    FMemory = Value;
    Notify(FOnMemoryChange);
}

QString TBrixCalcEngine::GetMemoryContents() const
{
    return ValueToStr(FMemory);
}

// ---- Texts and language ----

QString TBrixCalcEngine::GetName(TBrixResCalc ResCalc) const
{
    if (!FStrings)
        return QString();
    return FStrings->GetName(FLanguage, ResCalc);
}

TBrixLanguage TBrixCalcEngine::GetLanguage() const
{
    return FLanguage;
}

void TBrixCalcEngine::SetLanguage(TBrixLanguage Value)
{
    if (Value == FLanguage)
        return;
    FLanguage = Value;
    if (FOnLanguageChange)
        FOnLanguageChange(this, FLanguage);
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
