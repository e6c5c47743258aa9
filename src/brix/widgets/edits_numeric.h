// The integer edit: the base edit holding an Integer, with digit-only
// typing, optional group separators, a sign colour and bounds checking on
// leaving.
#pragma once

#include "brix/classes/bounds.h"
#include "brix/widgets/edits.h"

#include <memory>
#include <optional>

namespace Brix {

class TBrixIntEdit : public TBrixBaseEdit
{
    Q_OBJECT

public:
    explicit TBrixIntEdit(QWidget *Parent = nullptr, TComponent *AOwner = nullptr);
    // Detaches the bounds' error handler and formatter before they go.
    ~TBrixIntEdit() override;

    // ---- Virtual operations added, in slot order ----

    // With a formatter whose integer settings show group separators and a
    // text that holds a number: re-shows the value with its separators and
    // keeps the caret where it was relative to the text's end.
    virtual void ReformatThousands();
    // An equal value while not null does nothing; otherwise stores it (made
    // positive without AllowNegatives), leaves the null state, SignChanged,
    // DisplayText.
    virtual void SetAsInteger(int Value);
    // 0 while null.
    virtual int AsInteger() const;
    // Switching it off turns a negative value positive.
    virtual void SetAllowNegatives(bool Value);
    // Shows an empty box for 0 while on.
    virtual void SetBlankOverride(bool Value);
    virtual std::optional<int> AsNullable() const;
    virtual void SetAsNullable(std::optional<int> Value);

    // ---- Overrides ----

    void FilterKey(QChar &Key) override;
    bool AcceptsChar(QChar Key) const override;
    void ValueToText() override;
    void TextToValue() override;
    void SetFormatter(TBrixFormatter *Value) override;
    QVariant AsVariant() const override;
    void SetAsVariant(const QVariant &Value) override;

    bool AllowNegatives() const { return FAllowNegatives; }
    bool BlankOverride() const { return FBlankOverride; }
    TBrixIntegerBounds *BoundsChecking() const { return FBoundsChecking.get(); }
    const TBrixBoundsValidationEvent &OnBoundsError() const
    {
        return FBoundsChecking->OnBoundsError();
    }
    void SetOnBoundsError(TBrixBoundsValidationEvent Value)
    {
        FBoundsChecking->SetOnBoundsError(std::move(Value));
    }

    // The number a text stands for: the formatter's StrToInt with active
    // integer settings, else the regional TextToIntChecked's value.
    int TextToInteger(const QString &Value) const;

protected:
    // Bounds check (when active), then the base's leaving.
    void DoExit() override;
    void keyReleaseEvent(QKeyEvent *Event) override;

    int FValue = 0;

private:
    bool FAllowNegatives = true;
    bool FBlankOverride = false;
    std::unique_ptr<TBrixIntegerBounds> FBoundsChecking;
};

} // namespace Brix
