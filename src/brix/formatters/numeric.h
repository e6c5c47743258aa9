/// @file
/// The numeric data formatters (integer, float, currency, percent) and the
/// sections of the formatter component that own and publish them.
///
/// A formatter is created with Brix::Create<T>() (or CreateOwned) and starts
/// with its defaults. Every property write that changes a value calls
/// NotifyChange: each object registered with RegisterForNotification (the
/// calculator engine, edit boxes) receives LinkChanged(formatter) once.
/// Every formatting call fetches its record afresh (FetchSettings), so a
/// change of the custom settings or of the OnCustomFormatting handler takes
/// effect on the next call.
#pragma once

#include "brix/export.h"

#include "brix/formatters/formatters.h"
#include "brix/math/globals.h"

#include <QString>
#include <QStringList>

namespace Brix {

/// Writes whole numbers as text and reads them back, with the separators of the fetched format
/// settings.
class BRIX_CORE_EXPORT TBrixIntegerFormatter : public TBrixBaseDataFormatter
{
public:
    TBrixIntegerFormatter() = default;

    /// Whether positive values get a "+" in front; a change notifies the registered clients
    /// once.
    ///@{
    virtual bool ShowPlusSign() const;
    virtual void SetShowPlusSign(bool Value);
    ///@}
    ///@{
    /// Kept and reported; no formatting routine reads it.
    virtual TBrixGrouping Grouping() const;
    virtual void SetGrouping(TBrixGrouping Value);
    ///@}

    /// Value as text with the fetched separators: grouped (thousands, or
    /// lakh with LakhFormatting) when ShowThousands; "" for 0 when
    /// BlankWhenZero; "+" in front of positive values when ShowPlusSign.
    ///   1234567 -> "1234567"; with ShowThousands "1,234,567"; with
    ///   LakhFormatting "12,34,567"
    QString IntToStr(int Value) const;
    /// The integer in ValueStr (group separators of the fetched record
    /// allowed, "$"/"0x" hexadecimal accepted), whatever the verdict: an
    /// empty or invalid text gives 0 or the part read so far, a number
    /// outside the int range the nearer bound. Never fails.
    ///   "1,234" -> 1234; "abc" -> 0; "12a" -> 12; "3000000000" -> 2147483647
    int StrToInt(const QString &ValueStr) const;

    /// The inherited defaults, ShowPlusSign False, Grouping egNone.
    void Reset() override;
    bool UsingDefaults() const override;

protected:
    ~TBrixIntegerFormatter() override = default;

    /// The integer formatter's own settings, read by the descendants.
    ///@{
    bool FShowPlusSign = false;
    TBrixGrouping FGrouping = egNone;
    ///@}
};

/// The formatter through which the calculator engine renders every value.
class BRIX_CORE_EXPORT TBrixFloatFormatter : public TBrixIntegerFormatter
{
public:
    TBrixFloatFormatter() = default;

    ///@{
    /// Kept and reported; ExtendedToStr takes its decimals from its caller.
    virtual Byte DecimalPlaces() const;
    virtual void SetDecimalPlaces(Byte Value);
    ///@}
    /// Whether trailing zeroes of the decimals are dropped; a change notifies the registered
    /// clients once.
    ///@{
    virtual bool TrimTrailingZeroes() const;
    virtual void SetTrimTrailingZeroes(bool Value);
    ///@}
    ///@{
    /// Kept and reported; nothing reads it.
    virtual bool LeadingZeroes() const;
    virtual void SetLeadingZeroes(bool Value);
    ///@}
    /// Whether magnitudes beyond SciMin and SciMax take the exponent form; a change notifies
    /// the registered clients once.
    ///@{
    virtual bool SciRange() const;
    virtual void SetSciRange(bool Value);
    ///@}
    ///@{
    /// The magnitudes beyond which SciRange switches to the exponent form.
    /// A write stores |Value| (so -5e8 stores 5e8) and notifies, unless it
    /// lies within the relative tolerance 1e-13 of the stored value, when it
    /// is ignored. A NaN is ignored as well; an infinity is kept (SciMax
    /// infinite: large values never switch).
    virtual Double SciMax() const;
    virtual void SetSciMax(Double Value);
    virtual Double SciMin() const;
    virtual void SetSciMin(Double Value);
    ///@}
    /// Whether negative values in the fixed form are written in brackets instead of with a
    /// minus sign; a change notifies the registered clients once.
    ///@{
    virtual bool BracketsForNegative() const;
    virtual void SetBracketsForNegative(bool Value);
    ///@}

    /// Value as display text with vDecimalPlaces decimals and the fetched
    /// separators. With SciRange, a non-zero magnitude above SciMax or below
    /// SciMin (each beyond the relative tolerance 1e-17) gives the exponent
    /// form; otherwise the fixed form, grouped when ShowThousands (lakh with
    /// LakhFormatting). Values with more than 18 integer digits always take
    /// the exponent form. TrimTrailingZeroes, BlankWhenZero, ShowPlusSign and
    /// (fixed form only) BracketsForNegative apply. Never fails: "" when the
    /// value cannot be shown.
    ///   1/3 at 4 -> "0.3333";  -1234567.5 at 2 -> "-1234567.50",
    ///   ShowThousands "-1,234,567.50", LakhFormatting "-12,34,567.50",
    ///   with BracketsForNegative "(1,234,567.50)";  SciRange: 1e10 at 4 ->
    ///   "1.0000E+10", 1e9 at 4 -> "1000000000.0000", 0 -> "0.0000"
    QString ExtendedToStr(Extended Value, Byte vDecimalPlaces) const;
    /// True when SciRange is on and the magnitude of Value, not zero, lies
    /// above SciMax or below SciMin (each beyond the relative tolerance
    /// 1e-17): ExtendedToStr then writes Value in the exponent form.
    ///   SciRange with the defaults: 1e10 -> true;  1e9, 0 -> false
    bool InExponentRange(Extended Value) const;

    /// The inherited defaults, then DecimalPlaces 4, SciMin 1e-7, SciMax 1e9
    /// and every flag off.
    void Reset() override;
    bool UsingDefaults() const override;

protected:
    ~TBrixFloatFormatter() override = default;

private:
    Byte FDecimalPlaces = 4;
    bool FTrimTrailingZeroes = false;
    bool FLeadingZeroes = false;
    bool FSciRange = false;
    Double FSciMin = 1e-7;
    Double FSciMax = 1e9;
    bool FBracketsForNegative = false;
};

/// Holds and reports currency settings; nothing formats an amount with it.
class BRIX_CORE_EXPORT TBrixCurrencyFormatter : public TBrixIntegerFormatter
{
public:
    TBrixCurrencyFormatter() = default;

    /// Whether the currency symbol is shown; a change notifies the registered clients once.
    ///@{
    virtual bool ShowCurrencySymbol() const;
    virtual void SetShowCurrencySymbol(bool Value);
    ///@}

    /// The inherited defaults, then SetShowCurrencySymbol(true) through its
    /// write accessor (a change notifies).
    void Reset() override;
    bool UsingDefaults() const override;

protected:
    ~TBrixCurrencyFormatter() override = default;

private:
    bool FShowCurrencySymbol = true;
};

/// Holds and reports percent settings; nothing formats a percentage with it.
class BRIX_CORE_EXPORT TBrixPercentFormatter : public TBrixIntegerFormatter
{
public:
    TBrixPercentFormatter() = default;

    /// Whether the percent symbol is shown; a change notifies the registered clients once.
    ///@{
    virtual bool ShowPercentSymbol() const;
    virtual void SetShowPercentSymbol(bool Value);
    ///@}
    /// Decimal places of a percentage (2 after Reset); a change notifies the registered clients
    /// once.
    ///@{
    virtual Byte DecimalPlaces() const;
    virtual void SetDecimalPlaces(Byte Value);
    ///@}

    /// The inherited defaults, SetShowPercentSymbol(true) through its write
    /// accessor, DecimalPlaces 2.
    void Reset() override;
    bool UsingDefaults() const override;

protected:
    ~TBrixPercentFormatter() override = default;

private:
    bool FShowPercentSymbol = true;
    Byte FDecimalPlaces = 2;
};

/// Sections of the formatter component for the number formatters (the life,
/// forwarding, signalling and Reset of TBrixFormatterSection). A write goes
/// through the formatter's own write accessor, so the ShowThousands/
/// LakhFormatting coupling applies.
class BRIX_CORE_EXPORT TBrixIntegerSection : public TBrixFormatterSection<TBrixIntegerFormatter>
{
public:
    TBrixIntegerSection();

    /// The owned formatter; never null.
    TBrixIntegerFormatter *IntegerFormatter() const { return FFormatter.get(); }

    /// Each reads the formatter's setting; its Set... writes through the formatter's own write
    /// accessor and, when the value changed, signals OnChange (while Active).
    ///@{
    virtual bool BlankWhenZero() const;
    virtual void SetBlankWhenZero(bool Value);
    virtual bool ShowPlusSign() const;
    virtual void SetShowPlusSign(bool Value);
    virtual bool ShowThousands() const;
    virtual void SetShowThousands(bool Value);
    virtual bool LakhFormatting() const;
    virtual void SetLakhFormatting(bool Value);
    virtual TBrixGrouping Grouping() const;
    virtual void SetGrouping(TBrixGrouping Value);
    ///@}
    ///@{
    /// A copy of the formatter's custom record; a differing record is
    /// written into the formatter's holder (which turns custom) and signals.
    virtual TFormatSettings CustomSettings() const;
    virtual void SetCustomSettings(const TFormatSettings &Value);
    ///@}
    ///@{
    /// Straight to the formatter; no signal.
    virtual void SetOnCustomFormatting(TBrixFormatSettingsEvent Value);
    virtual TBrixFormatSettingsEvent OnCustomFormatting() const;
    ///@}

    ///@{
    /// The formatter's IntToStr and StrToInt.
    QString IntToStr(int Value) const { return FFormatter->IntToStr(Value); }
    int StrToInt(const QString &ValueStr) const { return FFormatter->StrToInt(ValueStr); }
    ///@}

    /// The published values a form description would hold, in published
    /// order: each one that differs from its declared default (events are
    /// wiring, not values, and are not listed).
    virtual QStringList StoredProperties() const;

protected:
    /// For descendants that own a derived formatter (float, currency, percent).
    explicit TBrixIntegerSection(TOwned<TBrixIntegerFormatter> Formatter);
};

/// The float formatter's section: the integer section's settings and the float formatter's own.
class BRIX_CORE_EXPORT TBrixFloatSection : public TBrixIntegerSection
{
public:
    TBrixFloatSection();

    /// The owned float formatter; never null.
    TBrixFloatFormatter *FloatFormatter() const;

    /// Each reads the formatter's setting; its Set... writes through the formatter's own write
    /// accessor and, when the value changed, signals OnChange (while Active).
    ///@{
    virtual Byte DecimalPlaces() const;
    virtual void SetDecimalPlaces(Byte Value);
    virtual bool TrimTrailingZeroes() const;
    virtual void SetTrimTrailingZeroes(bool Value);
    virtual bool LeadingZeroes() const;
    virtual void SetLeadingZeroes(bool Value);
    virtual bool BracketsForNegative() const;
    virtual void SetBracketsForNegative(bool Value);
    virtual bool SciRange() const;
    virtual void SetSciRange(bool Value);
    ///@}
    ///@{
    /// A value whose magnitude lies within the relative tolerance 1e-13 of
    /// the formatter's counts as unchanged (the formatter stores magnitudes,
    /// so -1e9 against 1e9 raises nothing), and so does a NaN (which the
    /// formatter ignores).
    virtual Double SciMax() const;
    virtual void SetSciMax(Double Value);
    virtual Double SciMin() const;
    virtual void SetSciMin(Double Value);
    ///@}

    /// Declared defaults: DecimalPlaces 4, flags False, SciMax 1e9 and SciMin
    /// 1e-7 (each compared with the tolerance 1e-13).
    QStringList StoredProperties() const override;
};

/// The currency formatter's section.
class BRIX_CORE_EXPORT TBrixCurrencySection : public TBrixIntegerSection
{
public:
    TBrixCurrencySection();

    /// The owned currency formatter; never null.
    TBrixCurrencyFormatter *CurrencyFormatter() const;

    /// Reads the formatter's setting; the write goes through the formatter and, when the value
    /// changed, signals OnChange (while Active).
    ///@{
    virtual bool ShowCurrencySymbol() const;
    virtual void SetShowCurrencySymbol(bool Value);
    ///@}

    QStringList StoredProperties() const override;
};

/// The percent formatter's section.
class BRIX_CORE_EXPORT TBrixPercentSection : public TBrixIntegerSection
{
public:
    TBrixPercentSection();

    /// The owned percent formatter; never null.
    TBrixPercentFormatter *PercentFormatter() const;

    /// Each reads the formatter's setting; its Set... writes through the formatter's own write
    /// accessor and, when the value changed, signals OnChange (while Active).
    ///@{
    virtual bool ShowPercentSymbol() const;
    virtual void SetShowPercentSymbol(bool Value);
    virtual Byte DecimalPlaces() const;
    virtual void SetDecimalPlaces(Byte Value);
    ///@}

    /// The declared default of DecimalPlaces is 4 while the formatter resets
    /// to 2, so a reset section stores "DecimalPlaces".
    QStringList StoredProperties() const override;
};

} // namespace Brix
