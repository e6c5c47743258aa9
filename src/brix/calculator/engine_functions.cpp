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
    // The key (the record's line).
    TBrixCalcKey Key;
    // Codes and tape texts for: plain, Inv, Hyp, Inv and Hyp.
    char16_t Codes[4];
    TBrixResCalc Texts[4];
    // Hyp selects a variant (only the circular functions).
    bool UsesHyp;
    // With nothing typed and an empty stack the function is applied to 0;
    // otherwise the result is 0 without a call.
    bool AppliedToZero;
};

constexpr TFunctionKey FunctionKeys[] = {
    /* fkSin */
    {ckSin,
     {u'S', u's', u'R', u'r'},
     {ectSinPaper, ectArcsinPaper, ectSinhPaper, ectArsinhPaper},
     true,
     true},
    /* fkCos */
    {ckCos,
     {u'C', u'c', u'D', u'd'},
     {ectCosPaper, ectArccosPaper, ectCoshPaper, ectArcoshPaper},
     true,
     true},
    /* fkTan */
    {ckTan,
     {u'T', u't', u'U', u'u'},
     {ectTanPaper, ectArctanPaper, ectTanhPaper, ectArtanhPaper},
     true,
     true},
    /* fkLog */
    {ckLog,
     {u'L', u'l', u'L', u'l'},
     {ectLogPaper, ect10toXPaper, ectLogPaper, ect10toXPaper},
     false,
     false},
    /* fkLN */
    {ckLN,
     {u'N', u'n', u'N', u'n'},
     {ectLnPaper, ectEtoXPaper, ectLnPaper, ectEtoXPaper},
     false,
     false},
    /* fkLg2 */
    {ckLg2,
     {u'W', u'w', u'W', u'w'},
     {ectLog2Paper, ectInvLog2Paper, ectLog2Paper, ectInvLog2Paper},
     false,
     false},
};

// The variant of a function key the toggles select: 0 plain, 1 Inv, 2 Hyp,
// 3 Inv and Hyp (Hyp only for the circular functions).
int FunctionVariant(const TBrixCalcEngine &E, const TFunctionKey &Key)
{
    return (E.IsInv() ? 1 : 0) + (E.IsHyp() && Key.UsesHyp ? 2 : 0);
}

// The tape text of a function key as the toggles make it: "sin", "arcsin", "sinh" ...
QString FunctionText(const TBrixCalcEngine &E, int Kind)
{
    const TFunctionKey &Key = FunctionKeys[Kind];
    return E.GetName(Key.Texts[FunctionVariant(E, Key)]);
}

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

void TBrixCalcEngine::WriteFunctionLine(int Kind)
{
    // The line's facts for the record; the history writes it through the
    // key's own slot, which a descendant may override.
    if (FRecords)
        WriteOperator(FunctionKeys[Kind].Key, FunctionText(*this, Kind), hsNone);
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
}

void TBrixCalcEngine::DoFunctionKey(int Kind)
{
    const TFunctionKey &Key = FunctionKeys[Kind];
    if (FState.PrefixFunctions) {
        // Written style: the function waits on the operator stack for its
        // operand; the code records the toggles as they are now.
        FState.Entry.clear();
        PushOperator(QChar(Key.Codes[FunctionVariant(*this, Key)]));
        WriteFunctionLine(Kind);
        ShowTopOperand();
        FState.LastCh = u' ';
        return;
    }

    Guarded([&] {
        const TOperand Operand = TakeOperand();
        const Extended X = Operand.Value;
        WriteFunctionLine(Kind);
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
            WriteOperator(ckSquare, GetName(ectSquarePaper));
        } else {
            PushOperator(u'Q');
            WriteOperator(ckSqRoot, GetName(ectSqrtPaper));
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
            WriteOperator(ckSqRoot, GetName(ectSqrtPaper));
        },
        TKeyLine{ckSqRoot, ectSqrtPaper});
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
    WriteOperator(ckSquare, GetName(ectSquarePaper));
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
    WriteOperator(ckInvert, GetName(ectInvertPaper));
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
    Extended R = 0;
    if (!FState.Operands.empty()) {
        WriteArgument(FState.Operands.back());
        R = -1 * FState.Operands.back();
    }
    FState.Entry.clear();
    PushOperand(R);
    ShowValue(R);
    WriteOperator(ckChangeSign, QStringLiteral("+/-"));
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
        // The number as typed, then the percent; with OperatorSameLine the
        // history writes both as one line ("10%").
        const TBrixCalcRecordLine Number{lkNumber, ckResult, Y, FState.Entry, EntryStep(), false};
        if (FState.OperatorSameLine && FKeepTape) {
            WriteLine(Number, hsNone);
            WriteOperator(ckPercent, CharString(u'%'), hsNone);
            AddHistoryLine(FState.Entry + u'%', false);
        } else {
            WriteLine(Number, hsLine);
            WriteOperator(ckPercent, CharString(u'%'), hsChar);
        }
        if (!FState.Operands.empty())
            R = Checked((FState.Operands.back() * Y) * PercentFactor);
    } else {
        const std::vector<Extended> &Operands = FState.Operands;
        if (Operands.size() >= 2)
            R = Checked((Operands.back() * Operands[Operands.size() - 2]) * PercentFactor);
        WriteOperator(ckPercent, CharString(u'%'), hsChar);
    }
    FState.Entry.clear();
    PushOperand(R);
    ShowValue(R);
    // What the percent stands for ("50 %" of 60 is 30): no line of the
    // history shows it, and no edit changes it.
    WriteLine({lkNumber, ckPercent, R, QString(), -1, false}, hsNone);
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
    WriteLine({lkText, ckResult, 0, GetAngleModeStr(), -1, false}, hsLine);
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
    AddHistoryLine(FunctionText(*this, fkSin), false);
}

void TBrixCalcEngine::AddCosLine()
{
    AddHistoryLine(FunctionText(*this, fkCos), false);
}

void TBrixCalcEngine::AddTanLine()
{
    AddHistoryLine(FunctionText(*this, fkTan), false);
}

void TBrixCalcEngine::AddLogLine()
{
    AddHistoryLine(FunctionText(*this, fkLog), false);
}

void TBrixCalcEngine::AddLg2Line()
{
    AddHistoryLine(FunctionText(*this, fkLg2), false);
}

void TBrixCalcEngine::AddLNLine()
{
    AddHistoryLine(FunctionText(*this, fkLN), false);
}

} // namespace Brix
