#include "brix/formatters/components.h"

#include "brix/classes/bounds.h"
#include "brix/resources/math.h"
#include "brix/strings/tools.h"

namespace Brix {

namespace {

QString FormattedBoundsErrorText(const TBrixFormatter *Formatter, bool AboveUpper, int Limit)
{
    const QString LimitText =
        Formatter && Formatter->IntegerSettings() && Formatter->IntegerSettings()->Active()
            ? Formatter->IntToStr(Limit)
            : IntegerText(Limit, false, false);
    return MathText(DefaultLanguage, AboveUpper ? emtUpperBound : emtLowerBound) + u' ' + LimitText;
}

} // namespace

void InstallBoundsErrorText()
{
    SetBoundsErrorText(&FormattedBoundsErrorText);
}

TBrixFormatter::TBrixFormatter(TComponent *AOwner) : TBrixBaseComponent(AOwner)
{
    InstallBoundsErrorText();
}

TBrixFormatter::~TBrixFormatter() = default;

TBrixFormatter *TBrixFormatter::Create(TComponent *AOwner)
{
    return Brix::Create<TBrixFormatter>(AOwner);
}

TBrixNullFormatter *TBrixFormatter::NullFormatter() const
{
    return FNullSettings ? FNullSettings->NullFormatter() : nullptr;
}

TBrixIntegerFormatter *TBrixFormatter::IntegerFormatter() const
{
    return FIntegerSettings ? FIntegerSettings->IntegerFormatter() : nullptr;
}

TBrixFloatFormatter *TBrixFormatter::FloatFormatter() const
{
    return FFloatSettings ? FFloatSettings->FloatFormatter() : nullptr;
}

TBrixCurrencyFormatter *TBrixFormatter::CurrencyFormatter() const
{
    return FCurrencySettings ? FCurrencySettings->CurrencyFormatter() : nullptr;
}

TBrixPercentFormatter *TBrixFormatter::PercentFormatter() const
{
    return FPercentSettings ? FPercentSettings->PercentFormatter() : nullptr;
}

TBrixDateFormatter *TBrixFormatter::DateFormatter() const
{
    return FDateSettings ? FDateSettings->DateFormatter() : nullptr;
}

TFormatSettings TBrixFormatter::FormatSettingsRecord() const
{
    return FFormatSettings ? FFormatSettings->FormatSettings() : RegionalSettings();
}

QString TBrixFormatter::IntToStr(int Value) const
{
    return FIntegerSettings ? FIntegerSettings->IntToStr(Value) : QString();
}

int TBrixFormatter::StrToInt(const QString &ValueStr) const
{
    return FIntegerSettings ? FIntegerSettings->StrToInt(ValueStr) : 0;
}

void TBrixFormatter::Loaded()
{
    TBrixBaseComponent::Loaded();
    NotifyChange();
}

void TBrixFormatter::InitInternals()
{
    TBrixBaseComponent::InitInternals();

    FFormatSettings = std::make_unique<TBrixFormatSettingsSection>();
    FNullSettings = std::make_unique<TBrixNullSection>();
    FIntegerSettings = std::make_unique<TBrixIntegerSection>();
    FFloatSettings = std::make_unique<TBrixFloatSection>();
    FCurrencySettings = std::make_unique<TBrixCurrencySection>();
    FPercentSettings = std::make_unique<TBrixPercentSection>();
    FDateSettings = std::make_unique<TBrixDateSection>();

    auto Supply = [this](TObject *Sender, TFormatSettings &S) { SupplySettings(Sender, S); };
    FIntegerSettings->SetOnCustomFormatting(Supply);
    FFloatSettings->SetOnCustomFormatting(Supply);
    FCurrencySettings->SetOnCustomFormatting(Supply);
    FPercentSettings->SetOnCustomFormatting(Supply);
    FDateSettings->SetOnCustomFormatting(Supply);

    FFormatSettings->SetOnChange([this](TObject *Sender) { FormatSettingsChanged(Sender); });
    FNullSettings->SetOnChange([this](TObject *Sender) { NullSettingsChanged(Sender); });
    FIntegerSettings->SetOnChange([this](TObject *Sender) { IntegerSettingsChanged(Sender); });
    FFloatSettings->SetOnChange([this](TObject *Sender) { FloatSettingsChanged(Sender); });
    FCurrencySettings->SetOnChange([this](TObject *Sender) { CurrencySettingsChanged(Sender); });
    FPercentSettings->SetOnChange([this](TObject *Sender) { PercentSettingsChanged(Sender); });
    FDateSettings->SetOnChange([this](TObject *Sender) { DateSettingsChanged(Sender); });
}

namespace {

// Unhooks a section so that nothing it does while it goes reaches the
// component, then releases it (with its formatter).
template <class Section> void ReleaseValueSection(std::unique_ptr<Section> &S)
{
    if (!S)
        return;
    S->SetOnChange(nullptr);
    S->SetOnCustomFormatting(nullptr);
    S.reset();
}

template <class Section> void ReleaseSection(std::unique_ptr<Section> &S)
{
    if (!S)
        return;
    S->SetOnChange(nullptr);
    S.reset();
}

} // namespace

void TBrixFormatter::DoneInternals()
{
    FOnChange = nullptr;
    ReleaseValueSection(FDateSettings);
    ReleaseValueSection(FPercentSettings);
    ReleaseValueSection(FCurrencySettings);
    ReleaseValueSection(FFloatSettings);
    ReleaseValueSection(FIntegerSettings);
    ReleaseSection(FNullSettings);
    ReleaseSection(FFormatSettings);
    TBrixBaseComponent::DoneInternals();
}

void TBrixFormatter::SupplySettings(TObject *, TFormatSettings &CustomSettings)
{
    CustomSettings = FormatSettingsRecord();
}

void TBrixFormatter::SectionChanged(const TNotifyEvent &Event)
{
    if (IsLoading())
        return;
    NotifyChange();
    if (Event)
        Event(this);
    if (FOnChange)
        FOnChange(this);
}

void TBrixFormatter::FormatSettingsChanged(TObject *)
{
    if (IsLoading())
        return;
    NotifyChange();
    const TFormatSettings Record = FFormatSettings->FormatSettings();
    FIntegerSettings->SetCustomSettings(Record);
    FFloatSettings->SetCustomSettings(Record);
    FCurrencySettings->SetCustomSettings(Record);
    FPercentSettings->SetCustomSettings(Record);
    FDateSettings->SetCustomSettings(Record);
    if (FOnFormatSettingsChange)
        FOnFormatSettingsChange(this);
    if (FOnChange)
        FOnChange(this);
}

void TBrixFormatter::NullSettingsChanged(TObject *)
{
    SectionChanged(FOnNullSettingsChange);
}

void TBrixFormatter::IntegerSettingsChanged(TObject *)
{
    SectionChanged(FOnIntegerSettingsChange);
}

void TBrixFormatter::FloatSettingsChanged(TObject *)
{
    SectionChanged(FOnFloatSettingsChange);
}

void TBrixFormatter::CurrencySettingsChanged(TObject *)
{
    SectionChanged(FOnCurrencySettingsChange);
}

void TBrixFormatter::PercentSettingsChanged(TObject *)
{
    SectionChanged(FOnPercentSettingsChange);
}

void TBrixFormatter::DateSettingsChanged(TObject *)
{
    SectionChanged(FOnDateSettingsChange);
}

} // namespace Brix
