// Helpers of the math tests: relative comparison of Extended values and the
// check of a raised error's class and exact message.
#pragma once

#include "brix/classes/exceptions.h"
#include "brix/classes/globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <typeinfo>

namespace BrixTest {

using Brix::Extended;

// |Got - Want| <= RelTol·|Want| (an absolute RelTol when Want is 0).
inline ::testing::AssertionResult NearRel(Extended Got, Extended Want, Extended RelTol)
{
    const Extended Limit = Want == 0 ? RelTol : RelTol * std::fabs(Want);
    if (std::isfinite(Got) && std::fabs(Got - Want) <= Limit)
        return ::testing::AssertionSuccess();
    char Text[160];
    snprintf(Text, sizeof Text, "got %.21Lg, want %.21Lg (relative error %.3Lg)", Got, Want,
             Want == 0 ? Got : (Got - Want) / Want);
    return ::testing::AssertionFailure() << Text;
}

// The kind of error a call must raise: a domain error of the numeric
// routines (EMathError itself) or one of the floating-point faults.
enum class Raised
{
    MathError,
    Overflow,
    ZeroDivide,
    InvalidOp
};

inline const char *KindName(const Brix::EMathError &E)
{
    if (typeid(E) == typeid(Brix::EOverflow))
        return "EOverflow";
    if (typeid(E) == typeid(Brix::EZeroDivide))
        return "EZeroDivide";
    if (typeid(E) == typeid(Brix::EInvalidOp))
        return "EInvalidOp";
    return "EMathError";
}

inline const char *KindName(Raised Kind)
{
    switch (Kind) {
    case Raised::Overflow:
        return "EOverflow";
    case Raised::ZeroDivide:
        return "EZeroDivide";
    case Raised::InvalidOp:
        return "EInvalidOp";
    case Raised::MathError:
        break;
    }
    return "EMathError";
}

// Call raises exactly the error class Kind with the message Text.
inline ::testing::AssertionResult RaisesWith(const std::function<void()> &Call, Raised Kind,
                                             const char *Text)
{
    try {
        Call();
    } catch (const Brix::EMathError &E) {
        if (std::string(KindName(E)) != KindName(Kind))
            return ::testing::AssertionFailure() << "raised " << KindName(E) << " \"" << E.what()
                                                 << "\", want " << KindName(Kind);
        if (E.Message() != QString::fromUtf8(Text))
            return ::testing::AssertionFailure()
                   << "message \"" << E.what() << "\", want \"" << Text << "\"";
        return ::testing::AssertionSuccess();
    } catch (const std::exception &E) {
        return ::testing::AssertionFailure() << "raised a foreign error: " << E.what();
    }
    return ::testing::AssertionFailure() << "nothing was raised";
}

inline constexpr const char *OverflowText = "Floating point overflow";
inline constexpr const char *ZeroDivideText = "Floating point division by zero";
inline constexpr const char *InvalidOpText = "Invalid floating point operation";

} // namespace BrixTest
