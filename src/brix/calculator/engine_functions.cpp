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
    const TCall Call(*this, ckInv);
    FState.Inv = !FState.Inv;
    Notify(FState.Inv ? FOnSetToggles : FOnClearToggles);
}

void TBrixCalcEngine::DoHyp()
{
    const TCall Call(*this, ckHyp);
    FState.Hyp = !FState.Hyp;
    Notify(FState.Hyp ? FOnSetToggles : FOnClearToggles);
}

void TBrixCalcEngine::DoSin()
{
    const TCall Call(*this, ckSin);
    DoFunctionKey(fkSin);
}

void TBrixCalcEngine::DoCos()
{
    const TCall Call(*this, ckCos);
    DoFunctionKey(fkCos);
}

void TBrixCalcEngine::DoTan()
{
    const TCall Call(*this, ckTan);
    DoFunctionKey(fkTan);
}

void TBrixCalcEngine::DoLog()
{
    const TCall Call(*this, ckLog);
    DoFunctionKey(fkLog);
}

void TBrixCalcEngine::DoLN()
{
    const TCall Call(*this, ckLN);
    DoFunctionKey(fkLN);
}

void TBrixCalcEngine::DoLg2()
{
    const TCall Call(*this, ckLg2);
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

    if (FState.PrefixFunctions) {
        // Written style: the function waits on the operator stack for its
        // operand; the code records the toggles as they are now.
        FState.Entry.clear();
        const int Variant = (FState.Inv ? 1 : 0) + (FState.Hyp && Key.UsesHyp ? 2 : 0);
        PushOperator(QChar(Key.Codes[Variant]));
        AddLine();
        ShowTopOperand();
        FState.LastCh = u' ';
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
        FState.Entry.clear();
        PushOperand(R);
        ShowValue(R);
    });
    FState.LastCh = u' ';
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
    const TCall Call(*this, ckSqRoot);
    if (FState.PrefixFunctions) {
        FState.Entry.clear();
        if (FState.Inv) {
            PushOperator(u'q');
            AddHistoryLine(GetName(ectSquarePaper), false);
        } else {
            PushOperator(u'Q');
            AddHistoryLine(GetName(ectSqrtPaper), false);
        }
        ClearToggles();
        ShowTopOperand();
        FState.LastCh = u' ';
        return;
    }
    if (FState.Inv) {
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
            FState.Entry.clear();
            PushOperand(R);
            ShowValue(R);
            AddHistoryLine(GetName(ectSqrtPaper), false);
        },
        ectSqrtPaper);
    FState.LastCh = u' ';
}

void TBrixCalcEngine::DoSquare()
{
    const TCall Call(*this, ckSquare);
    if (FState.Inv) {
        ClearToggles();
        DoSqRoot();
        FState.LastCh = u' ';
        return;
    }
    Guarded([this] {
        const TOperand X = TakeOperand();
        Extended R = 0;
        if (X.Source != osNone)
            R = Checked(X.Value * X.Value);
        // The square replaces a top operand, unlike the function keys.
        if (X.Source == osTop)
            FState.Operands.pop_back();
        PushOperand(R);
        FState.Entry.clear();
        ShowValue(R);
    });
    AddHistoryLine(GetName(ectSquarePaper), false);
    FState.LastCh = u' ';
}

void TBrixCalcEngine::DoInvert()
{
    const TCall Call(*this, ckInvert);
    ClearToggles();
    Guarded([this] {
        const TOperand X = TakeOperand();
        // 1/0 has no value: it fails whatever IgnoreError says (with no
        // operand the value is the 0 on the display).
        if (X.Value == 0 || X.Source == osNone)
            throw EMathError(MathMessage(emtDivideByZero));
        const Extended R = Checked(1 / X.Value);
        FState.Entry.clear();
        PushOperand(R);
        ShowValue(R);
    });
    AddHistoryLine(GetName(ectInvertPaper), false);
    FState.LastCh = u' ';
}

void TBrixCalcEngine::DoChangeSign()
{
    const TCall Call(*this, ckChangeSign);
    if (!FState.Entry.isEmpty()) {
        // The entry text itself is edited; nothing is computed.
        NoteTyping(u'S');
        const qsizetype EPos = FState.Entry.indexOf(u'E');
        if (EPos >= 0) {
            const QString Mantissa = FState.Entry.left(EPos + 1);
            const QString ExponentText = FState.Entry.mid(EPos + 1);
            const qint64 N = (ExponentText.isEmpty() || ExponentText == u"-")
                                 ? 0
                                 : qint64(TextToIntChecked(ExponentText));
            if (N == 0)
                FState.Entry = Mantissa + u'-';
            else
                FState.Entry = Mantissa + QString::number(-N);
        } else if (!HasNonZeroDigit(FState.Entry)) {
            FState.Entry = QStringLiteral("-");
        } else if (FState.Entry.startsWith(u'-')) {
            FState.Entry.remove(0, 1);
        } else {
            FState.Entry.prepend(u'-');
        }
        SetDisplayStr(FState.Entry, true);
        FState.LastCh = u' ';
        return;
    }
    const Extended R = !FState.Operands.empty() ? -1 * FState.Operands.back() : 0;
    FState.Entry.clear();
    PushOperand(R);
    ShowValue(R);
    AddHistoryLine(QStringLiteral("+/-"), false);
    FState.LastCh = u' ';
}

void TBrixCalcEngine::DoPercent()
{
    const TCall Call(*this, ckPercent);
    if (FState.BinaryPercent) {
        DoOperator(u'%');
        ClearToggles();
        FState.LastCh = u' ';
        return;
    }
    // Not guarded: an overflow reaches the caller with the state as it stood
    // (tape lines already written stay).
    Extended R = 0;
    if (!FState.Entry.isEmpty()) {
        const Extended Y = TakeEntryValue();
        NoteNumberLine(lkNumber, Y, EntryStep());
        if (FState.OperatorSameLine) {
            AddHistoryLine(FState.Entry + u'%', false);
        } else {
            AddHistoryLine(FState.Entry, false);
            AddHistoryChar(u'%', false);
        }
        if (!FState.Operands.empty())
            R = Checked((FState.Operands.back() * Y) * PercentFactor);
    } else {
        const std::vector<Extended> &Operands = FState.Operands;
        if (Operands.size() >= 2)
            R = Checked((Operands.back() * Operands[Operands.size() - 2]) * PercentFactor);
        AddHistoryChar(u'%', false);
    }
    FState.Entry.clear();
    PushOperand(R);
    ShowValue(R);
}

void TBrixCalcEngine::SetBinaryPercent(bool Value)
{
    // FunctionCodes follows it.
    FState.BinaryPercent = Value;
}

void TBrixCalcEngine::SetPrefixFunctions(bool Value)
{
    FState.PrefixFunctions = Value;
}

void TBrixCalcEngine::SetEnableGrads(bool Value)
{
    FState.EnableGrads = Value;
}

void TBrixCalcEngine::SetAngleMode(TBrixAngleMode Value)
{
    if (Value == FState.AngleMode)
        return;
    FState.AngleMode = Value;
    Notify(FOnAngleModeChange);
}

void TBrixCalcEngine::ToggleAngleMode()
{
    const TCall Call(*this, ckRad);
    switch (FState.AngleMode) {
    case amDegrees:
        FState.AngleMode = amRadians;
        break;
    case amRadians:
        FState.AngleMode = FState.EnableGrads ? amGradiants : amDegrees;
        break;
    default:
        FState.AngleMode = amDegrees;
        break;
    }
    AddHistoryLine(GetAngleModeStr(), false);
    Notify(FOnAngleModeChange);
}

QString TBrixCalcEngine::GetAngleModeStr() const
{
    switch (FState.AngleMode) {
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
    return Computed(Checked(FState.Inv && FState.Hyp ? HypArcSin(X)
                            : FState.Inv             ? ArcSinToAngle(X, AngleUnit(FState.AngleMode))
                            : FState.Hyp             ? HypSin(X)
                                                     : SinOfAngle(X, AngleUnit(FState.AngleMode))));
}

Extended TBrixCalcEngine::CalcCos(const Extended &X)
{
    return Computed(Checked(FState.Inv && FState.Hyp ? HypArcCos(X)
                            : FState.Inv             ? ArcCosToAngle(X, AngleUnit(FState.AngleMode))
                            : FState.Hyp             ? HypCos(X)
                                                     : CosOfAngle(X, AngleUnit(FState.AngleMode))));
}

Extended TBrixCalcEngine::CalcTan(const Extended &X)
{
    return Computed(Checked(FState.Inv && FState.Hyp ? HypArcTan(X)
                            : FState.Inv             ? ArcTanToAngle(X, AngleUnit(FState.AngleMode))
                            : FState.Hyp             ? HypTan(X)
                                                     : TanOfAngle(X, AngleUnit(FState.AngleMode))));
}

Extended TBrixCalcEngine::CalcLog(const Extended &X)
{
    return Computed(Checked(FState.Inv ? PowerOfTen(X) : LogBase10(X, TinyExtended)));
}

Extended TBrixCalcEngine::CalcLg2(const Extended &X)
{
    return Computed(Checked(FState.Inv ? PowerOfTwo(X) : LogBase2(X, TinyExtended)));
}

Extended TBrixCalcEngine::CalcLN(const Extended &X)
{
    return Computed(FState.Inv ? ExpChecked(X) : LnChecked(X));
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
    AddHistoryLine(GetName(FState.Inv ? (FState.Hyp ? ectArsinhPaper : ectArcsinPaper)
                                      : (FState.Hyp ? ectSinhPaper : ectSinPaper)),
                   false);
}

void TBrixCalcEngine::AddCosLine()
{
    AddHistoryLine(GetName(FState.Inv ? (FState.Hyp ? ectArcoshPaper : ectArccosPaper)
                                      : (FState.Hyp ? ectCoshPaper : ectCosPaper)),
                   false);
}

void TBrixCalcEngine::AddTanLine()
{
    AddHistoryLine(GetName(FState.Inv ? (FState.Hyp ? ectArtanhPaper : ectArctanPaper)
                                      : (FState.Hyp ? ectTanhPaper : ectTanPaper)),
                   false);
}

void TBrixCalcEngine::AddLogLine()
{
    AddHistoryLine(GetName(FState.Inv ? ect10toXPaper : ectLogPaper), false);
}

void TBrixCalcEngine::AddLg2Line()
{
    AddHistoryLine(GetName(FState.Inv ? ectInvLog2Paper : ectLog2Paper), false);
}

void TBrixCalcEngine::AddLNLine()
{
    AddHistoryLine(GetName(FState.Inv ? ectEtoXPaper : ectLnPaper), false);
}

} // namespace Brix
