// The calculator engine (engine.h): the binary operators, precedence,
// brackets and results. One table describes every binary operator.
#include "brix/calculator/engine_internal.h"

#include "brix/math/elementary.h"
#include "brix/math/globals.h"
#include "brix/strings/tools.h"

#include <optional>

namespace Brix {

using namespace EngineInternal;

namespace {

// The binary operators: what each code does on the operand below the top (X)
// and the top (Y), how tightly it binds, and what its key writes to the tape.
struct TBinaryOperator
{
    char16_t Code;
    // Precedence level: 1 binds loosest, 3 tightest.
    int Level;
    // The key whose operator it is (the record's line).
    TBrixCalcKey Key;
    // The tape text of the key; none means the code character itself.
    std::optional<TBrixResCalc> TapeText;
    // Fewer than two operands fail with "Invalid Equation" (unless
    // IgnoreError); otherwise the operator is dropped without a fault.
    bool FewOperandsFail;
    // A divisor of exactly 0 fails with "Division by Zero" in the engine's
    // language before the operation is tried.
    bool ZeroDivisorFails;
    Extended (*Evaluate)(Extended X, Extended Y);
};

const TBinaryOperator BinaryOperators[] = {
    {u'+', 1, ckAdd, std::nullopt, true, false,
     [](Extended X, Extended Y) { return Checked(X + Y); }},
    {u'-', 1, ckSubtract, std::nullopt, true, false,
     [](Extended X, Extended Y) { return Checked(X - Y); }},
    {u'*', 2, ckMultiply, std::nullopt, true, false,
     [](Extended X, Extended Y) { return Checked(X * Y); }},
    {u'/', 2, ckDivide, std::nullopt, true, true,
     [](Extended X, Extended Y) { return Checked(X / Y); }},
    {u'^', 3, ckPower, ectXpwrYPaper, true, false,
     [](Extended X, Extended Y) { return Checked(PowerReal(X, Y)); }},
    // With one operand the inverse power is dropped whatever IgnoreError
    // says; a zero exponent fails as a floating-point division by zero.
    {u'@', 3, ckPower, ectXpwrInvYPaper, false, false,
     [](Extended X, Extended Y) {
         if (Y == 0)
             throw EZeroDivide();
         return Checked(PowerRoot(X, Y));
     }},
    {u'%', 3, ckPercent, std::nullopt, true, false,
     [](Extended X, Extended Y) { return Checked((X * PercentFactor) * Y); }},
    // No key of this engine pushes the four integer divisions (the nearest
    // key names their lines).
    {u'&', 2, ckDivide, ectFPRemPaper, true, true,
     [](Extended X, Extended Y) { return Checked(TruncModulo(X, Y, TinyExtended)); }},
    {u'#', 2, ckDivide, ectFPModPaper, true, true,
     [](Extended X, Extended Y) { return Checked(FloorModulo(X, Y, TinyExtended)); }},
    {u'\\', 2, ckDivide, ectFPDivPaper, true, true,
     [](Extended X, Extended Y) { return Checked(FloorQuotient(X, Y, TinyExtended)); }},
    {u'|', 2, ckDivide, ectFPIntDivPaper, true, true,
     [](Extended X, Extended Y) { return Checked(TruncQuotient(X, Y, TinyExtended)); }},
};

const TBinaryOperator *FindBinaryOperator(QChar Code)
{
    for (const TBinaryOperator &Row : BinaryOperators)
        if (Row.Code == Code.unicode())
            return &Row;
    return nullptr;
}

// The precedence level of Code; 0 for "(", the function codes and anything
// else that is not a binary operator.
int OperatorLevel(QChar Code)
{
    const TBinaryOperator *Row = FindBinaryOperator(Code);
    return Row ? Row->Level : 0;
}

} // namespace

// ---- Operators, precedence and brackets ----

void TBrixCalcEngine::DoAdd()
{
    const TCall Call(*this, ckAdd);
    DoOperator(u'+');
}

void TBrixCalcEngine::DoSubtract()
{
    const TCall Call(*this, ckSubtract);
    DoOperator(u'-');
}

void TBrixCalcEngine::DoMultiply()
{
    const TCall Call(*this, ckMultiply);
    DoOperator(u'*');
}

void TBrixCalcEngine::DoDivide()
{
    const TCall Call(*this, ckDivide);
    DoOperator(u'/');
}

void TBrixCalcEngine::DoPower()
{
    const TCall Call(*this, ckPower);
    DoOperator(FState.Inv ? u'@' : u'^');
    ClearToggles();
}

void TBrixCalcEngine::DoOperator(QChar Op)
{
    // A plus or minus at the start, after another operator, "(", the
    // exponent mark or a function is the sign of the next number.
    if (SignCharacters.contains(Op) &&
        ((FState.Entry.isEmpty() && FState.Operands.empty()) ||
         OperatorCodes().contains(FState.LastCh) || FunctionCodes().contains(FState.LastCh))) {
        NoteTyping(Op);
        InputChar(Op);
        return;
    }
    // After a failure the key still writes its line and stays pending, on
    // the stacks the error state has emptied.
    Guarded([&] {
        PushEntry();
        while (!FState.Operators.isEmpty() && !HasPrecedence(Op, FState.Operators.back()))
            EvaluateTop();
        PushOperator(Op);
        ShowTopOperand();
    });
    const TBinaryOperator *Row = FindBinaryOperator(Op);
    if (Row && Row->TapeText)
        WriteOperator(Row->Key, GetName(*Row->TapeText), hsLine, true);
    else
        WriteOperator(Row ? Row->Key : ckResult, CharString(Op), hsChar, true);
    ClearToggles();
    FState.LastCh = Op;
}

bool TBrixCalcEngine::HasPrecedence(QChar NewOp, QChar TopOp) const
{
    if (FState.Precedence) {
        // A binary operator stacks above one of a lower level.
        const int TopLevel = OperatorLevel(TopOp);
        if (TopLevel > 0 && OperatorLevel(NewOp) > TopLevel)
            return true;
    }
    if (TopOp == u'(')
        return true;
    return FunctionCodes().contains(NewOp);
}

void TBrixCalcEngine::EvaluateTop()
{
    if (FState.Operators.isEmpty())
        return;
    const QChar Code = FState.Operators.back();
    const bool Done = Guarded([&] {
        if (const TBinaryOperator *Op = FindBinaryOperator(Code)) {
            std::vector<Extended> &Operands = FState.Operands;
            if (Operands.size() < 2) {
                if (Op->FewOperandsFail && !FState.IgnoreError)
                    throw EMathError(MathMessage(emtInvalidEquation));
                return;
            }
            const Extended X = Operands[Operands.size() - 2];
            const Extended Y = Operands.back();
            if (Op->ZeroDivisorFails && Y == 0)
                throw EMathError(MathMessage(emtDivideByZero));
            const Extended R = Op->Evaluate(X, Y);
            if (Code == u'%' && !FState.BinaryPercent) {
                // A percent left pending when binary percent was switched
                // off replaces the top instead of reducing.
                Operands.back() = R;
                ShowValue(R);
            } else {
                Operands.pop_back();
                Operands.back() = R;
            }
            return;
        }
        const TFunctionCode *Function = FindFunctionCode(Code);
        if (!Function || !FunctionCodes().contains(Code))
            return;
        // The code's own toggles are set silently; the function operation
        // reads and then clears them. A pending function with no operand
        // works on 0.
        if (Function->SetInv)
            FState.Inv = true;
        if (Function->SetHyp)
            FState.Hyp = true;
        const Extended X = !FState.Operands.empty() ? FState.Operands.back() : 0;
        // The function waited for this value (a bracket's, an earlier
        // function's), which no line may have shown yet.
        WriteArgument(X);
        const Extended R = Checked((this->*Function->Calc)(X));
        if (!FState.Operands.empty())
            FState.Operands.back() = R;
        else
            PushOperand(R);
    });
    // The error state has emptied both stacks already.
    if (!Done)
        return;
    if (!FState.Operators.isEmpty())
        FState.Operators.chop(1);
}

void TBrixCalcEngine::InputLeftBracket()
{
    const TCall Call(*this, ckLeftBracket);
    if (FState.Entry == u"-") {
        // A minus sign before a bracket means -1 x (.
        InputDigit(1);
        DoMultiply();
    }
    FState.Entry.clear();
    PushOperator(u'(');
    ShowTopOperand();
    WriteOperator(ckLeftBracket, CharString(u'('), hsChar, true);
    FState.LastCh = u'(';
}

void TBrixCalcEngine::InputRightBracket()
{
    const TCall Call(*this, ckRightBracket);
    Guarded([this] { PushEntry(); });
    while (!FState.Operators.isEmpty() && FState.Operators.back() != u'(')
        EvaluateTop();
    if (!FState.Operators.isEmpty())
        FState.Operators.chop(1);
    ShowTopOperand();
    WriteOperator(ckRightBracket, CharString(u')'), hsChar);
    FState.LastCh = u')';
}

void TBrixCalcEngine::DoResult()
{
    const TCall Call(*this, ckResult);
    Guarded([this] {
        PushEntry();
        while (!FState.Operators.isEmpty())
            EvaluateTop();
        std::vector<Extended> &Operands = FState.Operands;
        if (Operands.size() > 1) {
            // Values entered one after another: the last one wins.
            Operands.front() = Operands.back();
            Operands.erase(Operands.begin() + 1, Operands.end());
        }
        if (!Operands.empty())
            ShowValue(Operands.back());
        else if (!GetDisplayStr().contains(GetName(ectErrorMsg)))
            SetDisplayStr(QStringLiteral("0"));
        ClearToggles();
    });
}

void TBrixCalcEngine::DoEquals()
{
    const TCall Call(*this, ckEquals);
    DoResult();
    WriteOperator(ckEquals, CharString(u'='), hsChar, true);
    if (FKeepTape) {
        const QString Shown = GetDisplayStr();
        if (Shown == GetName(ectErrorMsg))
            WriteLine({lkError, ckResult, 0, Shown, -1, false}, hsLine);
        else
            WriteLine({lkResult, ckResult, FState.Operands.empty() ? 0 : FState.Operands.back(),
                       Shown, -1, false},
                      hsLine);
    }
    FState.LastCh = u'=';
}

void TBrixCalcEngine::SetPrecedence(bool Value)
{
    FState.Precedence = Value;
}

} // namespace Brix
