/// @file
/// Format settings and the roots of the data formatters: the comparison of
/// two TFormatSettings records, the two holders of a record (a plain object
/// owned by each data formatter, and the persistent section of the formatter
/// component), the null formatter with its section, and the base class of the
/// value formatters.
///
/// Both holders have two states. Regional (the default): the record is a copy
/// of RegionalSettings() and the sixteen field properties ignore writes.
/// Custom: every field property is writable. Switching UseRegional off keeps
/// the current copy; assigning a differing record or a locale name switches
/// it off by itself; switching it on (or Reset) copies RegionalSettings()
/// again. A holder never re-reads the regional settings by itself.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/classes/formatsettings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <type_traits>

namespace Brix {

/// True when A and B agree, exactly and case-sensitively, in every field the
/// formatters read: currency symbol, layouts and decimals, the five
/// separators, the date and time patterns, AM/PM texts, the century window,
/// and all month and day names. LocaleName is not compared.
BRIX_CORE_EXPORT bool FormatSettingsEqual(const TFormatSettings &A, const TFormatSettings &B);

/// The conventions of a named locale ("de_DE", "fr_FR", ...) as QLocale gives
/// them; an empty name means the user's own conventions (RegionalSettings()).
/// An unknown name gives what QLocale gives for it (the "C" conventions).
BRIX_CORE_EXPORT TFormatSettings LocaleFormatSettings(const QString &LocaleName);

/// A handler that supplies the record a formatter formats with. It receives
/// a default-constructed record and fills it in place.
using TBrixFormatSettingsEvent =
    std::function<void(TObject *Sender, TFormatSettings &CustomSettings)>;

namespace Internal {
/// The enumerator of a stored currency-format code; cfUnknown from 4 on.
inline TBrixCurrencyFormat CurrencyFormatOf(Byte Code)
{
    return Code >= cfUnknown ? cfUnknown : TBrixCurrencyFormat(Code);
}
/// The enumerator of a stored negative-currency-format code; ncfUnknown from 16 on.
inline TNegativeCurrencyFormat NegCurrencyFormatOf(Byte Code)
{
    return Code >= ncfUnknown ? ncfUnknown : TNegativeCurrencyFormat(Code);
}
} // namespace Internal

/// What both holders of a record share: the record, the UseRegional switch
/// and the sixteen field properties. TBase is the holder's root:
/// TBrixBaseClass for a data formatter's own holder, whose writes never
/// notify anyone (the formatter reads it afresh on every call), or
/// TBrixBaseSection for the formatter component's section, where every
/// change signals OnChange (while Active).
template <class TBase> class TBrixFormatSettingsHolder : public TBase
{
public:
    /// The held record.
    const TFormatSettings &FormatSettings() const { return FSettings; }
    /// A record equal to the held one (FormatSettingsEqual) changes nothing,
    /// not even UseRegional; a differing one is copied, makes the holder
    /// custom and signals. A record whose DecimalSeparator equals its
    /// ThousandSeparator is refused and changes nothing: numbers laid out
    /// with it would not read back (1234.5 as "1,234,50" reads as 123450).
    void SetFormatSettings(const TFormatSettings &Value)
    {
        if (Value.DecimalSeparator == Value.ThousandSeparator ||
            FormatSettingsEqual(Value, FSettings))
            return;
        FSettings = Value;
        FUseRegional = false;
        Signal();
    }

    /// Whether the holder follows the regional settings (RegionalSettings()).
    bool UseRegional() const { return FUseRegional; }
    /// A change stores the value, copies RegionalSettings() when True (False
    /// keeps the current values), and signals.
    void SetUseRegional(bool Value)
    {
        if (Value == FUseRegional)
            return;
        FUseRegional = Value;
        if (Value)
            FSettings = RegionalSettings();
        Signal();
    }

    /// Both number separators in one write, so that "." and "," can swap
    /// places. Ignored while UseRegional is True, when both are unchanged,
    /// and when Decimal equals Thousands (refused: the old pair stays);
    /// otherwise both are stored and the holder signals once.
    ///   (",", ".") on "." / "," -> "," / ".";  (";", ";") -> nothing
    void SetSeparators(QChar Decimal, QChar Thousands)
    {
        if (FUseRegional || Decimal == Thousands ||
            (Decimal == FSettings.DecimalSeparator && Thousands == FSettings.ThousandSeparator))
            return;
        FSettings.DecimalSeparator = Decimal;
        FSettings.ThousandSeparator = Thousands;
        Signal();
    }

    // clang-format off
    /// @name Field properties
    /// The sixteen field properties. A write is ignored while UseRegional is
    /// True or when the value is unchanged; otherwise it is stored and
    /// signals. A ThousandSeparator or DecimalSeparator write that would make
    /// the two separators equal is refused and changes nothing (use
    /// SetSeparators to swap them). CurrencyFormat reads cfUnknown for codes of 4 or more and
    /// NegCurrencyFormat ncfUnknown for codes of 16 or more; writes store the
    /// enumerator's ordinal as the code.
    ///@{

    /// CurrencyString of the held record.
    virtual QString CurrencyString() const { return FSettings.CurrencyString; }
    /// Writes CurrencyString, by the rules above.
    virtual void SetCurrencyString(const QString &Value) { SetField(FSettings.CurrencyString, Value); }
    /// CurrencyDecimals of the held record.
    virtual Byte CurrencyDecimals() const { return FSettings.CurrencyDecimals; }
    /// Writes CurrencyDecimals, by the rules above.
    virtual void SetCurrencyDecimals(Byte Value) { SetField(FSettings.CurrencyDecimals, Value); }
    /// TimeAMString of the held record.
    virtual QString TimeAMString() const { return FSettings.TimeAMString; }
    /// Writes TimeAMString, by the rules above.
    virtual void SetTimeAMString(const QString &Value) { SetField(FSettings.TimeAMString, Value); }
    /// TimePMString of the held record.
    virtual QString TimePMString() const { return FSettings.TimePMString; }
    /// Writes TimePMString, by the rules above.
    virtual void SetTimePMString(const QString &Value) { SetField(FSettings.TimePMString, Value); }
    /// ShortDateFormat of the held record.
    virtual QString ShortDateFormat() const { return FSettings.ShortDateFormat; }
    /// Writes ShortDateFormat, by the rules above.
    virtual void SetShortDateFormat(const QString &Value) { SetField(FSettings.ShortDateFormat, Value); }
    /// LongDateFormat of the held record.
    virtual QString LongDateFormat() const { return FSettings.LongDateFormat; }
    /// Writes LongDateFormat, by the rules above.
    virtual void SetLongDateFormat(const QString &Value) { SetField(FSettings.LongDateFormat, Value); }
    /// ShortTimeFormat of the held record.
    virtual QString ShortTimeFormat() const { return FSettings.ShortTimeFormat; }
    /// Writes ShortTimeFormat, by the rules above.
    virtual void SetShortTimeFormat(const QString &Value) { SetField(FSettings.ShortTimeFormat, Value); }
    /// LongTimeFormat of the held record.
    virtual QString LongTimeFormat() const { return FSettings.LongTimeFormat; }
    /// Writes LongTimeFormat, by the rules above.
    virtual void SetLongTimeFormat(const QString &Value) { SetField(FSettings.LongTimeFormat, Value); }
    /// ThousandSeparator of the held record.
    virtual QChar ThousandSeparator() const { return FSettings.ThousandSeparator; }
    /// Writes ThousandSeparator, by the rules above.
    virtual void SetThousandSeparator(QChar Value) { if (Value != FSettings.DecimalSeparator) SetField(FSettings.ThousandSeparator, Value); }
    /// DecimalSeparator of the held record.
    virtual QChar DecimalSeparator() const { return FSettings.DecimalSeparator; }
    /// Writes DecimalSeparator, by the rules above.
    virtual void SetDecimalSeparator(QChar Value) { if (Value != FSettings.ThousandSeparator) SetField(FSettings.DecimalSeparator, Value); }
    /// DateSeparator of the held record.
    virtual QChar DateSeparator() const { return FSettings.DateSeparator; }
    /// Writes DateSeparator, by the rules above.
    virtual void SetDateSeparator(QChar Value) { SetField(FSettings.DateSeparator, Value); }
    /// TimeSeparator of the held record.
    virtual QChar TimeSeparator() const { return FSettings.TimeSeparator; }
    /// Writes TimeSeparator, by the rules above.
    virtual void SetTimeSeparator(QChar Value) { SetField(FSettings.TimeSeparator, Value); }
    /// ListSeparator of the held record.
    virtual QChar ListSeparator() const { return FSettings.ListSeparator; }
    /// Writes ListSeparator, by the rules above.
    virtual void SetListSeparator(QChar Value) { SetField(FSettings.ListSeparator, Value); }
    /// CurrencyFormat of the held record.
    virtual TBrixCurrencyFormat CurrencyFormat() const { return Internal::CurrencyFormatOf(FSettings.CurrencyFormat); }
    /// Writes CurrencyFormat, by the rules above.
    virtual void SetCurrencyFormat(TBrixCurrencyFormat Value) { SetField(FSettings.CurrencyFormat, Byte(Value)); }
    /// NegCurrFormat of the held record.
    virtual TNegativeCurrencyFormat NegCurrencyFormat() const { return Internal::NegCurrencyFormatOf(FSettings.NegCurrFormat); }
    /// Writes NegCurrencyFormat, by the rules above.
    virtual void SetNegCurrencyFormat(TNegativeCurrencyFormat Value) { SetField(FSettings.NegCurrFormat, Byte(Value)); }
    /// TwoDigitYearCenturyWindow of the held record.
    virtual Word TwoDigitYearCenturyWindow() const { return FSettings.TwoDigitYearCenturyWindow; }
    /// Writes TwoDigitYearCenturyWindow, by the rules above.
    virtual void SetTwoDigitYearCenturyWindow(Word Value) { SetField(FSettings.TwoDigitYearCenturyWindow, Value); }
    ///@}
    // clang-format on

protected:
    /// Regional, with a copy of RegionalSettings(); no signal.
    TBrixFormatSettingsHolder() : FSettings(RegionalSettings()) {}
    ~TBrixFormatSettingsHolder() override = default;

    /// OnChange on a section; nothing on a formatter's own holder.
    void Signal()
    {
        if constexpr (std::is_base_of_v<TBrixBaseSection, TBase>)
            this->Changed();
    }

    /// Back to the regional state with a fresh copy of RegionalSettings();
    /// no signal.
    void SetRegionalDefaults()
    {
        FUseRegional = true;
        FSettings = RegionalSettings();
    }

    /// The held record.
    TFormatSettings FSettings;
    /// The UseRegional switch.
    bool FUseRegional = true;

private:
    template <class T, class U> void SetField(T &Field, const U &Value)
    {
        if (FUseRegional || Field == Value)
            return;
        Field = Value;
        Signal();
    }
};

/// The format-settings record of one data formatter. Writes never notify
/// anyone: the formatter that owns the holder reads it afresh on every call.
class BRIX_CORE_EXPORT TBrixFormatSettings : public TBrixFormatSettingsHolder<TBrixBaseClass>
{
public:
    TBrixFormatSettings() = default;

    /// The last non-empty locale name written; it survives a switch back to
    /// the regional state.
    const QString &LocaleName() const { return FLocaleName; }
    /// A new non-empty name makes the holder custom and assigns that locale's
    /// record (through SetFormatSettings). An empty name switches back to the
    /// regional state and keeps the old name. The current name does nothing.
    void SetLocaleName(const QString &Value);

    /// Back to the regional state with a fresh copy of RegionalSettings();
    /// LocaleName is left as it is.
    void Reset() override;

protected:
    ~TBrixFormatSettings() override = default;

private:
    QString FLocaleName;
};

/// The format-settings section of the formatter component: the same record
/// and field properties, edited at design time. Every change signals OnChange
/// (while Active); the component then hands the record to its formatters.
class BRIX_CORE_EXPORT TBrixFormatSettingsSection
    : public TBrixFormatSettingsHolder<TBrixBaseSection>
{
public:
    /// Regional, with a copy of RegionalSettings(); no change event.
    TBrixFormatSettingsSection() = default;

    /// Always empty: the section keeps only the values a name produced.
    QString LocaleName() const { return QString(); }
    /// Assigns LocaleFormatSettings(Value) through SetFormatSettings.
    void SetLocaleName(const QString &Value);

    bool GetAllDefaults() const override;
    /// Regional again with a fresh copy of RegionalSettings(), then one signal.
    void Reset() override;

    /// The names of the properties a settings writer stores, in declaration
    /// order: nothing while regional; otherwise "UseRegional" and the sixteen
    /// field properties (a locale name is never stored, only its values).
    QStringList StoredProperties() const;
};

/// The text shown for a missing value.
class BRIX_CORE_EXPORT TBrixNullFormatter : public TBrixBaseClass
{
public:
    TBrixNullFormatter();

    /// The general text egtEmpty in the default language ("<empty>").
    static QString DefaultNullStr();

    ///@{
    /// Writes that change the value (NullStr compared exactly) notify the
    /// registered clients.
    virtual QString NullStr() const;
    virtual void SetNullStr(const QString &Value);
    virtual bool BlankWhenNull() const;
    virtual void SetBlankWhenNull(bool Value);
    ///@}

    /// Sets NullStr to DefaultNullStr() and BlankWhenNull to false (no notification).
    void Reset() override;
    /// NullStr is exactly the default text and BlankWhenNull is False.
    bool UsingDefaults() const;

protected:
    ~TBrixNullFormatter() override = default;

private:
    QString FNullStr;
    bool FBlankWhenNull = false;
};

/// Root of the formatter component's sections. Each owns its formatter from
/// its construction to its destruction and reads forward to it; a write that
/// changes the formatter's value goes through the formatter's own write
/// accessor (which notifies the formatter's clients) and then signals
/// OnChange (while Active). Reset resets the formatter and signals once;
/// AllDefaults reads the formatter's UsingDefaults.
template <class TFormatter> class TBrixFormatterSection : public TBrixBaseSection
{
public:
    /// The formatter's UsingDefaults and the inherited test.
    bool GetAllDefaults() const override
    {
        return FFormatter->UsingDefaults() && TBrixBaseSection::GetAllDefaults();
    }
    /// Resets the formatter, then signals OnChange once.
    void Reset() override
    {
        TBrixBaseSection::Reset();
        FFormatter->Reset();
        Changed();
    }

protected:
    /// Takes ownership of the formatter the section reads and writes.
    explicit TBrixFormatterSection(TOwned<TFormatter> Formatter) : FFormatter(std::move(Formatter))
    {
    }
    ~TBrixFormatterSection() override = default;

    /// Unchanged does nothing; otherwise Write() and signal.
    template <class T, class W> void Forward(const T &Current, const T &Value, W Write)
    {
        if (Current == Value)
            return;
        Write();
        Changed();
    }

    ///@{
    /// For sections of value formatters: a copy of the formatter's custom
    /// record, and its write (a differing record is written into the
    /// formatter's holder, which turns custom, and signals; one the holder
    /// refuses, with equal separators, changes nothing and signals nothing).
    TFormatSettings FormatterSettings() const
    {
        return FFormatter->CustomSettings()->FormatSettings();
    }
    /// Writes Value into the formatter's holder, by the rule above.
    void SetFormatterSettings(const TFormatSettings &Value)
    {
        if (Value.DecimalSeparator == Value.ThousandSeparator ||
            FormatSettingsEqual(FFormatter->CustomSettings()->FormatSettings(), Value))
            return;
        FFormatter->CustomSettings()->SetFormatSettings(Value);
        Changed();
    }
    ///@}

    /// The owned formatter; never null.
    TOwned<TFormatter> FFormatter;
};

/// The null formatter's section; owns its formatter.
class BRIX_CORE_EXPORT TBrixNullSection : public TBrixFormatterSection<TBrixNullFormatter>
{
public:
    TBrixNullSection();

    /// The owned null formatter; never null.
    TBrixNullFormatter *NullFormatter() const { return FFormatter.get(); }

    ///@{
    /// Reads forward to the formatter; a write that changes the formatter's
    /// value goes through its write accessor and then signals.
    QString NullStr() const { return FFormatter->NullStr(); }
    void SetNullStr(const QString &Value);
    bool BlankWhenNull() const { return FFormatter->BlankWhenNull(); }
    void SetBlankWhenNull(bool Value);
    ///@}

    /// "NullStr" when it differs from the default text, "BlankWhenNull" when
    /// True.
    QStringList StoredProperties() const;
};

/// Root of the value formatters: the flags every one of them has, the owned
/// custom settings, and the fetching of the record each formatting call uses.
class BRIX_CORE_EXPORT TBrixBaseDataFormatter : public TBrixBaseClass
{
public:
    TBrixBaseDataFormatter() = default;

    /// The owned holder of the formatter's own record (never nullptr while
    /// the formatter lives).
    TBrixFormatSettings *CustomSettings() const { return FSettings.get(); }
    /// Copies Value's record and then its UseRegional into the owned holder
    /// (a regional Value leaves the holder regional, with a fresh copy); the
    /// formatter keeps owning its own holder. nullptr is ignored.
    void SetCustomSettings(const TBrixFormatSettings *Value);

    /// The handler that fills the record of each formatting call (see FetchSettings); called
    /// only when assigned.
    ///@{
    const TBrixFormatSettingsEvent &OnCustomFormatting() const { return FOnCustomFormatting; }
    void SetOnCustomFormatting(TBrixFormatSettingsEvent Value)
    {
        FOnCustomFormatting = std::move(Value);
    }
    ///@}

    ///@{
    /// Flag writes that change the value notify the registered clients once.
    /// SetShowThousands(false) also clears LakhFormatting; SetLakhFormatting(true)
    /// also sets ShowThousands.
    virtual bool BlankWhenZero() const;
    virtual void SetBlankWhenZero(bool Value);
    virtual bool LakhFormatting() const;
    virtual void SetLakhFormatting(bool Value);
    virtual bool ShowThousands() const;
    virtual void SetShowThousands(bool Value);
    ///@}

    /// The record the formatter formats with: what OnCustomFormatting leaves
    /// in a default-constructed record when it is assigned (its exceptions
    /// pass through), else a copy of CustomSettings()->FormatSettings().
    virtual void FetchSettings(TFormatSettings &S) const;
    /// No flag set and the custom record equal to RegionalSettings().
    virtual bool UsingDefaults() const;

    /// Flags off (no notification); the custom record is set to RegionalSettings()
    /// through SetFormatSettings (a differing record leaves the holder
    /// custom, with the regional values).
    void Reset() override;

protected:
    ~TBrixBaseDataFormatter() override = default;
    /// Creates the custom settings before the base class's same function calls Reset.
    void InitInternals() override;
    /// Tells the clients LinkFreed, then releases the custom settings.
    void DoneInternals() override;

    /// FetchSettings by value, for the formatting routines.
    TFormatSettings Fetched() const;

    /// The write shape of every scalar property: unchanged does nothing;
    /// otherwise store and notify the clients.
    template <class T, class U> void SetField(T &Field, const U &Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        NotifyChange();
    }

    /// The flags every value formatter has, read by the descendants.
    ///@{
    bool FBlankWhenZero = false;
    bool FLakhFormatting = false;
    bool FShowThousands = false;
    ///@}

private:
    TOwned<TBrixFormatSettings> FSettings;
    TBrixFormatSettingsEvent FOnCustomFormatting;
};

} // namespace Brix
