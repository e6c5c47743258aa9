#include "brix/classes/bounds.h"

#include "brix/classes/exceptions.h"

namespace Brix {

namespace {

QString PlainBoundsErrorText(const TBrixFormatter *, bool, int Limit)
{
    return QString::number(Limit) + QStringLiteral(" is out of range");
}

TBrixBoundsErrorText BoundsErrorText = &PlainBoundsErrorText;

} // namespace

void SetBoundsErrorText(TBrixBoundsErrorText Func)
{
    BoundsErrorText = Func ? Func : &PlainBoundsErrorText;
}

void TBrixBaseBounds::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (FOnChange)
        FOnChange(this);
}

QString TBrixBaseBounds::ErrorText(bool AboveUpper, int Limit) const
{
    return BoundsErrorText(FFormatter, AboveUpper, Limit);
}

namespace {

// The variant types a validation handler may leave as its integer answer.
bool IsIntegerVariant(const QVariant &Value)
{
    switch (Value.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TBrixIntegerBounds::InBounds(int &Value)
{
    const auto InRange = [this](int V) { return FLower <= V && V <= FUpper; };
    bool Ok = InRange(Value);
    if (!Ok && OnBoundsError()) {
        QVariant Answer(Value);
        OnBoundsError()(this, Answer);
        if (IsIntegerVariant(Answer)) {
            // A long word beyond the Integer range wraps as it would in a
            // 32-bit integer.
            Value = Answer.typeId() == QMetaType::UInt ? int(Answer.toUInt()) : Answer.toInt();
            Ok = InRange(Value);
        }
    }
    if (!Ok) {
        if (ForceBounds()) {
            Value = Value > FUpper ? FUpper : FLower;
        } else if (UseException()) {
            if (Value > FUpper)
                throw EMathError(ErrorText(true, FUpper));
            throw EMathError(ErrorText(false, FLower));
        }
    }
    return Ok;
}

} // namespace Brix
