/// @file
/// The integer edit: the base edit holding an Integer, with digit-only
/// typing, optional group separators, a sign colour and bounds checking on
/// leaving.
#pragma once

#include "brix/export.h"

#include "brix/classes/bounds.h"
#include "brix/widgets/edits.h"

#include <memory>
#include <optional>

namespace Brix {

/// An edit for a whole number: typing is limited to what can make one, the value is shown
/// through the linked formatter's integer settings, and optional bounds are checked when the
/// edit is left.
class BRIX_CONTROLS_EXPORT TBrixIntEdit : public TBrixBaseEdit
{
    Q_OBJECT

public:
    /// An edit holding 0; negatives allowed, bounds checking off.
    explicit TBrixIntEdit(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);
    /// Detaches the bounds' error handler and formatter before they go.
    ~TBrixIntEdit() override;

    // ---- Virtual operations added, in declaration order ----

    /// With a formatter whose integer settings show group separators and a
    /// text that holds a number: re-shows the value with its separators and
    /// keeps the caret where it was relative to the text's end.
    virtual void ReformatThousands();
    /// Value (made positive without AllowNegatives) equal to the held value
    /// and already shown as its text, while not null, does nothing;
    /// otherwise stores it, leaves the null state, SignChanged, DisplayText.
    /// So SetAsInteger(0) after "150" was typed shows 0 even when no OnChange
    /// handler made the typed text the held value.
    virtual void SetAsInteger(int Value);
    /// 0 while null.
    virtual int AsInteger() const;
    /// Switching it off turns a negative value positive.
    virtual void SetAllowNegatives(bool Value);
    /// Shows an empty box for 0 while on.
    virtual void SetBlankOverride(bool Value);
    /// The value, or no value while null; writing none makes the edit null.
    ///@{
    virtual std::optional<int> AsNullable() const;
    virtual void SetAsNullable(std::optional<int> Value);
    ///@}

    // ---- Overrides ----

    /// The base edit's hooks: only digits, "+", "-" (with AllowNegatives)
    /// and, where the input settings allow them, group separators are typed;
    /// with NegativeToggle the minus key turns the sign; the value is shown
    /// by TextOfValue.
    ///@{
    void FilterKey(QChar &Key) override;
    bool AcceptsChar(QChar Key) const override;
    void ValueToText() override;
    ///@}
    /// The text ValueToText shows for Value: "" for 0 with BlankOverride, the
    /// linked formatter's IntToStr while its integer settings are active,
    /// else plain regional digits.
    QString TextOfValue(int Value) const;
    /// The base edit's hooks: the value is read with TextToInteger; a formatter link
    /// redisplays; the variant is the integer, or a null variant while null.
    ///@{
    void TextToValue() override;
    void SetFormatter(TBrixFormatter *Value) override;
    QVariant AsVariant() const override;
    void SetAsVariant(const QVariant &Value) override;
    ///@}

    /// The switches set by SetAllowNegatives and SetBlankOverride.
    ///@{
    bool AllowNegatives() const { return FAllowNegatives; }
    bool BlankOverride() const { return FBlankOverride; }
    ///@}
    /// The owned bounds checked when the edit is left; never null.
    TBrixIntegerBounds *BoundsChecking() const { return FBoundsChecking.get(); }
    /// The bounds' handler that may replace an out-of-range value
    /// (BoundsChecking()->OnBoundsError).
    ///@{
    const TBrixBoundsValidationEvent &OnBoundsError() const
    {
        return FBoundsChecking->OnBoundsError();
    }
    void SetOnBoundsError(TBrixBoundsValidationEvent Value)
    {
        FBoundsChecking->SetOnBoundsError(std::move(Value));
    }
    ///@}

    /// The number a text stands for: the formatter's StrToInt with active
    /// integer settings, else the regional TextToIntChecked's value.
    int TextToInteger(const QString &Value) const;

protected:
    /// Bounds check (when active), then the base's leaving.
    void DoExit() override;
    /// With the input settings' AutoThousands, a digit key reformats the
    /// group separators (ReformatThousands).
    void keyReleaseEvent(QKeyEvent *Event) override;

    /// The held value.
    int FValue = 0;

private:
    bool FAllowNegatives = true;
    bool FBlankOverride = false;
    std::unique_ptr<TBrixIntegerBounds> FBoundsChecking;
};

} // namespace Brix
