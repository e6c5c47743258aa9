// Shared by the engine's source files (engine_*.cpp) and by nothing else:
// the value checks every computation passes through, the sign characters,
// the percent factor, the function codes that EvaluateTop applies, and the
// wrapper that turns a failure into the error state.
#pragma once

#include "brix/calculator/engine.h"
#include "brix/classes/exceptions.h"
#include "brix/math/tools.h"

#include <cmath>

namespace Brix {

namespace EngineInternal {

// The characters that a plus or minus key types as a sign rather than an
// operator: the sign test of DoOperator and the entry editing of InputChar
// both read this one set.
inline const QString SignCharacters = QStringLiteral("+-");
// The extended value nearest to 0.01.
constexpr Extended PercentFactor = 0.01L;

// Every computed value passes through CheckedFloat: an infinity is an
// overflow and a NaN an invalid operation, so neither ever reaches a stack or
// the display.
inline Extended Checked(Extended R)
{
    return CheckedFloat(R);
}

// False for infinities, NaNs and the invalid 80-bit encodings (unnormals),
// whose difference with themselves is not zero.
inline bool IsUsable(Extended V)
{
    return V - V == 0;
}

// An infinity or NaN entered from outside is refused with the error that
// computing it would have raised.
inline void CheckUsable(Extended V)
{
    if (IsUsable(V))
        return;
    if (std::isinf(V))
        throw EOverflow();
    throw EInvalidOp();
}

// True when Text holds a digit other than 0: a typed number that is not zero,
// even where it lies beyond the Extended range and reads as 0.
inline bool HasNonZeroDigit(const QString &Text)
{
    for (QChar Ch : Text)
        if (Ch.unicode() >= u'1' && Ch.unicode() <= u'9')
            return true;
    return false;
}

// The same value, every bit of it (== takes -0 for 0).
inline bool SameValue(Extended A, Extended B)
{
    return A == B && std::signbit(A) == std::signbit(B);
}

// The function codes that EvaluateTop applies to the top operand: the
// toggles each code sets before the call, and the function operation.
struct TFunctionCode
{
    char16_t Code;
    bool SetInv;
    bool SetHyp;
    Extended (TBrixCalcEngine::*Calc)(const Extended &);
};

// The row of a function code, or null for any other code.
const TFunctionCode *FindFunctionCode(QChar Code);

} // namespace EngineInternal

// Lives for one public key call and records it (see engine_record.cpp): the
// outermost call of a host's key press begins the step, and ends it when it
// returns or throws; calls made inside it only count the depth. With
// KeepTape False it does nothing.
class TBrixCalcEngine::TCall
{
public:
    // A key of the key table.
    TCall(TBrixCalcEngine &Engine, TBrixCalcKey Key) : FEngine(Engine)
    {
        if (Enter())
            Engine.BeginCall(kcKey, Key, QChar(), TBrixCalcRecordedKey::rkKey, nullptr);
    }
    // A key that types Typed into the entry.
    TCall(TBrixCalcEngine &Engine, QChar Typed) : FEngine(Engine)
    {
        if (Enter())
            Engine.BeginCall(kcTyping, ckResult, Typed, TBrixCalcRecordedKey::rkKey, nullptr);
        else if (FActive)
            Engine.FNestedTyping = true;
    }
    // A number brought in (Kind rkPasted or rkValue), or InputEntry (kcEntry).
    TCall(TBrixCalcEngine &Engine, TCallKind Kind, TBrixCalcRecordedKey::TKind NumberKind,
          const Extended *Number)
        : FEngine(Engine)
    {
        if (Enter())
            Engine.BeginCall(Kind, ckResult, QChar(), NumberKind, Number);
    }
    ~TCall()
    {
        if (FActive && --FEngine.FCallDepth == 0)
            FEngine.EndCall();
    }
    TCall(const TCall &) = delete;
    TCall &operator=(const TCall &) = delete;

private:
    // True in the outermost call of a recording engine.
    bool Enter()
    {
        if (!FEngine.FRecords)
            return false;
        FActive = true;
        return FEngine.FCallDepth++ == 0;
    }
    TBrixCalcEngine &FEngine;
    bool FActive = false;
};

template <class TStep> bool TBrixCalcEngine::Guarded(TStep &&Step, std::optional<TKeyLine> KeyLine)
{
    try {
        Step();
        return true;
    } catch (const Exception &E) {
        EnterErrorState(E.Message(), KeyLine);
        return false;
    }
}

} // namespace Brix
