/// @file
/// The formatter component: one shared set of formatters for the components
/// of a form or data module. It owns seven settings sections (format
/// settings, null, integer, float, currency, percent, date), makes every
/// formatter format with the format-settings section's record, raises one
/// change event per section plus OnChange, and sends LinkChanged to every
/// component registered with it whenever a section changes.
///
/// While the owner applies its description (csLoading), section changes
/// raise nothing and reach no linked component; Loaded() then sends one
/// LinkChanged. Values loaded into the format-settings section reach the
/// formatters through SupplySettings at once, but are copied into their
/// CustomSettings only when that section next changes.
#pragma once

#include "brix/export.h"

#include "brix/formatters/date.h"
#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"

#include <memory>

namespace Brix {

/// The formatter component; see the file's description.
class BRIX_CORE_EXPORT TBrixFormatter : public TBrixBaseComponent
{
public:
    /// Constructs only; Create also runs the construction hook.
    explicit TBrixFormatter(TComponent *AOwner);
    ~TBrixFormatter() override;

    /// Constructs the component and runs its construction hook; AOwner (may
    /// be nullptr) frees it, otherwise the caller frees it with Free().
    static TBrixFormatter *Create(TComponent *AOwner);

    ///@{
    /// The sections (nullptr once the component is being torn down).
    TBrixFormatSettingsSection *FormatSettings() const { return FFormatSettings.get(); }
    TBrixNullSection *NullSettings() const { return FNullSettings.get(); }
    TBrixIntegerSection *IntegerSettings() const { return FIntegerSettings.get(); }
    TBrixFloatSection *FloatSettings() const { return FFloatSettings.get(); }
    TBrixCurrencySection *CurrencySettings() const { return FCurrencySettings.get(); }
    TBrixPercentSection *PercentSettings() const { return FPercentSettings.get(); }
    TBrixDateSection *DateSettings() const { return FDateSettings.get(); }
    ///@}

    ///@{
    /// The formatters the sections own (nullptr once torn down).
    TBrixNullFormatter *NullFormatter() const;
    TBrixIntegerFormatter *IntegerFormatter() const;
    TBrixFloatFormatter *FloatFormatter() const;
    TBrixCurrencyFormatter *CurrencyFormatter() const;
    TBrixPercentFormatter *PercentFormatter() const;
    TBrixDateFormatter *DateFormatter() const;
    ///@}

    /// A copy of the format-settings section's record.
    TFormatSettings FormatSettingsRecord() const;

    ///@{
    /// The integer section's IntToStr / StrToInt (see TBrixIntegerFormatter).
    ///   IntToStr(1234567) -> "1,234,567" with IntegerSettings.ShowThousands
    QString IntToStr(int Value) const;
    int StrToInt(const QString &ValueStr) const;
    ///@}

    // clang-format off
    /// Read or replace the handler raised after a section changed (not while loading): the
    /// section's own event, then OnChange.
    ///@{
    const TNotifyEvent &OnFormatSettingsChange() const { return FOnFormatSettingsChange; }
    void SetOnFormatSettingsChange(TNotifyEvent Value) { FOnFormatSettingsChange = std::move(Value); }
    const TNotifyEvent &OnNullSettingsChange() const { return FOnNullSettingsChange; }
    void SetOnNullSettingsChange(TNotifyEvent Value) { FOnNullSettingsChange = std::move(Value); }
    const TNotifyEvent &OnIntegerSettingsChange() const { return FOnIntegerSettingsChange; }
    void SetOnIntegerSettingsChange(TNotifyEvent Value) { FOnIntegerSettingsChange = std::move(Value); }
    const TNotifyEvent &OnFloatSettingsChange() const { return FOnFloatSettingsChange; }
    void SetOnFloatSettingsChange(TNotifyEvent Value) { FOnFloatSettingsChange = std::move(Value); }
    const TNotifyEvent &OnCurrencySettingsChange() const { return FOnCurrencySettingsChange; }
    void SetOnCurrencySettingsChange(TNotifyEvent Value) { FOnCurrencySettingsChange = std::move(Value); }
    const TNotifyEvent &OnPercentSettingsChange() const { return FOnPercentSettingsChange; }
    void SetOnPercentSettingsChange(TNotifyEvent Value) { FOnPercentSettingsChange = std::move(Value); }
    const TNotifyEvent &OnDateSettingsChange() const { return FOnDateSettingsChange; }
    void SetOnDateSettingsChange(TNotifyEvent Value) { FOnDateSettingsChange = std::move(Value); }
    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    ///@}
    // clang-format on

    /// Calls the base class's same function, then NotifyChange once.
    void Loaded() override;

protected:
    /// The base class's same function, then the sections in the order format settings,
    /// null, integer, float, currency, percent, date; SupplySettings as the
    /// OnCustomFormatting handler of the five value sections; each section's
    /// OnChange to its handler below.
    void InitInternals() override;
    /// Unhooks and releases the sections (date, percent, currency, float,
    /// integer, then null and format settings), so no section event fires
    /// during teardown; then the base class's same function tells the linked components
    /// LinkFreed.
    void DoneInternals() override;

    ///@{
    /// Section handlers. Nothing while loading. FormatSettingsChanged
    /// notifies the linked components, writes the record into the
    /// CustomSettings of the integer, float, currency, percent and date
    /// sections (each that changes signals its own handler), then raises
    /// OnFormatSettingsChange and OnChange. The others notify, then raise
    /// the section's event and OnChange.
    virtual void FormatSettingsChanged(TObject *Sender);
    virtual void NullSettingsChanged(TObject *Sender);
    virtual void IntegerSettingsChanged(TObject *Sender);
    virtual void FloatSettingsChanged(TObject *Sender);
    virtual void CurrencySettingsChanged(TObject *Sender);
    virtual void PercentSettingsChanged(TObject *Sender);
    virtual void DateSettingsChanged(TObject *Sender);
    ///@}

private:
    /// Every formatter of the component formats with the format-settings
    /// section's record, whatever its own CustomSettings holds.
    void SupplySettings(TObject *Sender, TFormatSettings &CustomSettings);
    /// NotifyChange, then Event and OnChange when assigned; nothing while
    /// loading.
    void SectionChanged(const TNotifyEvent &Event);

    std::unique_ptr<TBrixFormatSettingsSection> FFormatSettings;
    std::unique_ptr<TBrixNullSection> FNullSettings;
    std::unique_ptr<TBrixIntegerSection> FIntegerSettings;
    std::unique_ptr<TBrixFloatSection> FFloatSettings;
    std::unique_ptr<TBrixCurrencySection> FCurrencySettings;
    std::unique_ptr<TBrixPercentSection> FPercentSettings;
    std::unique_ptr<TBrixDateSection> FDateSettings;
    TNotifyEvent FOnFormatSettingsChange;
    TNotifyEvent FOnNullSettingsChange;
    TNotifyEvent FOnIntegerSettingsChange;
    TNotifyEvent FOnFloatSettingsChange;
    TNotifyEvent FOnCurrencySettingsChange;
    TNotifyEvent FOnPercentSettingsChange;
    TNotifyEvent FOnDateSettingsChange;
    TNotifyEvent FOnChange;
};

/// Installs the error text of TBrixIntegerBounds: the language's "above the
/// upper limit" / "below the lower limit" text, a blank, and the limit,
/// formatted by the bounds' formatter when its integer settings are active,
/// else as regional IntegerText ("Your entered Value is above the upper limit
/// of 100"). Creating a TBrixFormatter installs it; so do the edits that own
/// bounds. Idempotent.
BRIX_CORE_EXPORT void InstallBoundsErrorText();

} // namespace Brix
