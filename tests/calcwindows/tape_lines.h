// Tape lines for the tape's tests: each built from the text it shows and its
// number written out in full.
#pragma once

#include "brix/calculator/record.h"
#include "brix/strings/tools.h"

namespace BrixTest {

inline Brix::Extended ValueOf(const QString &Text)
{
    Brix::Extended V = 0;
    Brix::StoredTextToFloat(Text, V);
    return V;
}
inline Brix::TBrixCalcRecordLine Text(const QString &Shown)
{
    return {Brix::lkText, Brix::ckResult, 0, Shown, -1, false};
}
inline Brix::TBrixCalcRecordLine Number(const QString &Shown, const QString &Value, int Step = -1,
                                        bool Edited = false)
{
    return {Brix::lkNumber, Brix::ckResult, ValueOf(Value), Shown, Step, Edited};
}
inline Brix::TBrixCalcRecordLine Result(const QString &Shown, const QString &Value)
{
    return {Brix::lkResult, Brix::ckResult, ValueOf(Value), Shown, -1, false};
}
inline Brix::TBrixCalcRecordLine Error(const QString &Shown)
{
    return {Brix::lkError, Brix::ckResult, 0, Shown, -1, false};
}

} // namespace BrixTest
