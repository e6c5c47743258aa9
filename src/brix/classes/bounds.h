/// @file
/// Optional lower and upper limits for a typed value, with a choice between
/// forcing a value into range and raising an error.
#pragma once

#include "brix/export.h"

#include "brix/classes/component.h"

#include <QVariant>

#include <functional>

namespace Brix {

class TBrixFormatter;

/// A handler may replace the out-of-range value; an integer-typed variant
/// left in Value is tested again.
using TBrixBoundsValidationEvent = std::function<void(TObject *Sender, QVariant &Value)>;

///@{
/// Builds the message of an out-of-range error: AboveUpper tells which limit
/// was violated, Limit is that limit and Formatter the bounds' formatter (may
/// be null). The formatter layer, which owns the text tables and the number
/// formatting, installs the function (InstallBoundsErrorText); without one
/// the message is "<Limit> is out of range".
using TBrixBoundsErrorText = QString (*)(const TBrixFormatter *Formatter, bool AboveUpper,
                                         int Limit);
BRIX_CORE_EXPORT void SetBoundsErrorText(TBrixBoundsErrorText Func);
///@}

/// Limits that a value is checked against, with the reaction to a value outside them.
class BRIX_CORE_EXPORT TBrixBaseBounds : public TPersistent
{
public:
    TBrixBaseBounds() = default;

    /// Whether the bounds are checked; false when created.
    bool Active() const { return FActive; }
    /// Stores a changed value and raises OnChange.
    virtual void SetActive(bool Value);
    ///@{
    /// Raise an error for an out-of-range value (when not forcing).
    bool UseException() const { return FUseException; }
    void SetUseException(bool Value) { FUseException = Value; }
    ///@}
    ///@{
    /// Force an out-of-range value to the violated limit (default true).
    bool ForceBounds() const { return FForceBounds; }
    void SetForceBounds(bool Value) { FForceBounds = Value; }
    ///@}
    ///@{
    /// Formats the limits in error messages; not owned.
    TBrixFormatter *Formatter() const { return FFormatter; }
    void SetFormatter(TBrixFormatter *Value) { FFormatter = Value; }
    ///@}
    /// The handler raised after Active changed.
    const TNotifyEvent &OnChange() const { return FOnChange; }
    /// Replaces the OnChange handler.
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    /// The handler that may replace an out-of-range value (see TBrixIntegerBounds::InBounds).
    ///@{
    const TBrixBoundsValidationEvent &OnBoundsError() const { return FOnBoundsError; }
    void SetOnBoundsError(TBrixBoundsValidationEvent Value) { FOnBoundsError = std::move(Value); }
    ///@}

protected:
    /// The message of an out-of-range error, from the installed
    /// TBrixBoundsErrorText.
    QString ErrorText(bool AboveUpper, int Limit) const;

private:
    bool FActive = false;
    bool FUseException = false;
    bool FForceBounds = true;
    TBrixFormatter *FFormatter = nullptr;
    TNotifyEvent FOnChange;
    TBrixBoundsValidationEvent FOnBoundsError;
};

/// Integer limits, 0 to 100 when created.
class BRIX_CORE_EXPORT TBrixIntegerBounds : public TBrixBaseBounds
{
public:
    /// The lower and upper limit; stored as given.
    ///@{
    int Lower() const { return FLower; }
    void SetLower(int Value) { FLower = Value; }
    int Upper() const { return FUpper; }
    void SetUpper(int Value) { FUpper = Value; }
    ///@}

    /// Whether Lower <= Value <= Upper. When not, OnBoundsError may supply a
    /// replacement (an integer variant, tested again); if still out of range,
    /// ForceBounds sets Value to the violated limit, else UseException raises
    /// EMathError ("Your entered Value is above the upper limit of 100"),
    /// else Value stays. Returns the verdict before any forcing:
    /// with 0..100 and ForceBounds, InBounds(150) is false and leaves 100.
    bool InBounds(int &Value);

private:
    int FLower = 0;
    int FUpper = 100;
};

} // namespace Brix
