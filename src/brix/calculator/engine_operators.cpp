// The calculator engine (engine.h): the binary operators, precedence,
// brackets and results. One table describes every binary operator.
#include "brix/calculator/engine_internal.h"

#include "brix/math/elementary.h"
#include "brix/math/globals.h"

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
    {u'+', 1, std::nullopt, true, false, [](Extended X, Extended Y) { return Checked(X + Y); }},
    {u'-', 1, std::nullopt, true, false, [](Extended X, Extended Y) { return Checked(X - Y); }},
    {u'*', 2, std::nullopt, true, false, [](Extended X, Extended Y) { return Checked(X * Y); }},
    {u'/', 2, std::nullopt, true, true, [](Extended X, Extended Y) { return Checked(X / Y); }},
    {u'^', 3, ectXpwrYPaper, true, false,
     [](Extended X, Extended Y) { return Checked(PowerReal(X, Y)); }},
    // With one operand the inverse power is dropped whatever IgnoreError
    // says; a zero exponent fails as a floating-point division by zero.
    {u'@', 3, ectXpwrInvYPaper, false, false,
     [](Extended X, Extended Y) {
         if (Y == 0)
             throw EZeroDivide();
         return Checked(PowerRoot(X, Y));
     }},
    {u'%', 3, std::nullopt, true, false,
     [](Extended X, Extended Y) { return Checked((X * PercentFactor) * Y); }},
    // No key of this engine pushes the four integer divisions.
    {u'&', 2, ectFPRemPaper, true, true,
     [](Extended X, Extended Y) { return Checked(TruncModulo(X, Y, TinyExtended)); }},
    {u'#', 2, ectFPModPaper, true, true,
     [](Extended X, Extended Y) { return Checked(FloorModulo(X, Y, TinyExtended)); }},
    {u'\\', 2, ectFPDivPaper, true, true,
     [](Extended X, Extended Y) { return Checked(FloorQuotient(X, Y, TinyExtended)); }},
    {u'|', 2, ectFPIntDivPaper, true, true,
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
    // After a failure the key still writes its line and stays pending, on
    // the stacks the error state has emptied.
    Guarded([&] {
        PushEntry();
        while (FOperatorN >= 0 && !HasPrecedence(Op, FOperatorStack[FOperatorN]))
            EvaluateTop();
        PushOperator(Op);
        ShowTopOperand();
    });
    const TBinaryOperator *Row = FindBinaryOperator(Op);
    if (Row && Row->TapeText)
        AddHistoryLine(GetName(*Row->TapeText), true);
    else
        AddHistoryChar(Op, true);
    ClearToggles();
    FLastCh = Op;
}

bool TBrixCalcEngine::HasPrecedence(QChar NewOp, QChar TopOp) const
{
    if (FPrecedence) {
        // A binary operator stacks above one of a lower level.
        const int TopLevel = OperatorLevel(TopOp);
        if (TopLevel > 0 && OperatorLevel(NewOp) > TopLevel)
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
    const bool Done = Guarded([&] {
        if (const TBinaryOperator *Op = FindBinaryOperator(Code)) {
            if (FOperandN < 1) {
                if (Op->FewOperandsFail && !FIgnoreError)
                    throw EMathError(MathMessage(emtInvalidEquation));
                return;
            }
            const Extended X = FOperandStack[FOperandN - 1];
            const Extended Y = FOperandStack[FOperandN];
            if (Op->ZeroDivisorFails && Y == 0)
                throw EMathError(MathMessage(emtDivideByZero));
            const Extended R = Op->Evaluate(X, Y);
            if (Code == u'%' && !FBinaryPercent) {
                // A percent left pending when binary percent was switched
                // off replaces the top instead of reducing.
                FOperandStack[FOperandN] = R;
                SetDisplayStr(ValueToStr(R));
            } else {
                FOperandStack[FOperandN - 1] = R;
                --FOperandN;
            }
            return;
        }
        const TFunctionCode *Function = FindFunctionCode(Code);
        if (!Function || !FFunctionStr.contains(Code))
            return;
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
    });
    // The error state has emptied both stacks already.
    if (!Done)
        return;
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
    Guarded([this] { PushEntry(); });
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
    Guarded([this] {
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
    });
}

void TBrixCalcEngine::DoEquals()
{
    DoResult();
    AddHistoryChar(u'=', true);
    AddHistoryLine(FDisplayValue, false);
    FLastCh = u'=';
}

void TBrixCalcEngine::SetPrecedence(bool Value)
{
    FPrecedence = Value;
}

} // namespace Brix
