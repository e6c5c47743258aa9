// The calculator engine (engine.h): the function keys with Inv and Hyp, the
// one-operand keys (square root, square, reciprocal, change of sign,
// percent), the angle modes and the function operations.
#include "brix/calculator/engine_internal.h"

#include "brix/math/angles.h"
#include "brix/math/elementary.h"
#include "brix/math/globals.h"
#include "brix/math/hyperbolics.h"
#include "brix/strings/tools.h"

namespace Brix {

using namespace EngineInternal;

namespace {


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

} // namespace

const TFunctionCode *EngineInternal::FindFunctionCode(QChar Code)
{
    for (const TFunctionCode &Entry : FunctionCodes)
        if (Entry.Code == Code.unicode())
            return &Entry;
    return nullptr;
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

    Guarded([&] {
        const TOperand Operand = TakeOperand();
        const Extended X = Operand.Value;
        AddLine();
        Extended R = 0;
        if (Operand.Source != osNone || Key.AppliedToZero) {
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
    });
    FLastCh = u' ';
}

// Square root without touching the toggles. A negative X has no real root:
// it fails, whatever IgnoreError says, rather than showing a number.
static Extended SquareRootChecked(const Extended &X, TBrixLanguage Language)
{
    if (X < 0)
        throw EMathError(MathText(Language, emtSqRootNeg));
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
    // The square root's own error form: the key's line comes before the
    // error line.
    Guarded(
        [&] {
            const TOperand X = TakeOperand();
            Extended R = 0;
            if (X.Source != osNone)
                R = SquareRootChecked(X.Value, GetLanguage());
            FValue.clear();
            PushOperand(R);
            SetDisplayStr(ValueToStr(R));
            AddHistoryLine(GetName(ectSqrtPaper), false);
        },
        ectSqrtPaper);
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
    Guarded([this] {
        const TOperand X = TakeOperand();
        Extended R = 0;
        if (X.Source != osNone)
            R = Checked(X.Value * X.Value);
        // The square replaces a top operand, unlike the function keys.
        if (X.Source == osTop)
            --FOperandN;
        PushOperand(R);
        FValue.clear();
        SetDisplayStr(ValueToStr(R));
    });
    AddHistoryLine(GetName(ectSquarePaper), false);
    FLastCh = u' ';
}

void TBrixCalcEngine::DoInvert()
{
    ClearToggles();
    Guarded([this] {
        const TOperand X = TakeOperand();
        // 1/0 has no value: it fails whatever IgnoreError says (with no
        // operand the value is the 0 on the display).
        if (X.Value == 0 || X.Source == osNone)
            throw EMathError(MathMessage(emtDivideByZero));
        const Extended R = Checked(1 / X.Value);
        FValue.clear();
        PushOperand(R);
        SetDisplayStr(ValueToStr(R));
    });
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
        } else if (!HasNonZeroDigit(FValue)) {
            FValue = QStringLiteral("-");
        } else if (FValue.startsWith(u'-')) {
            FValue.remove(0, 1);
        } else {
            FValue.prepend(u'-');
        }
        SetDisplayStr(FValue, true);
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
    return Computed(SquareRootChecked(X, GetLanguage()));
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

} // namespace Brix
