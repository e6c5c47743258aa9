#include "brix/formatters/formatters.h"

#include "brix/resources/globals.h"

namespace Brix {

bool FormatSettingsEqual(const TFormatSettings &A, const TFormatSettings &B)
{
    return A.CurrencyString == B.CurrencyString && A.CurrencyFormat == B.CurrencyFormat &&
           A.CurrencyDecimals == B.CurrencyDecimals && A.DateSeparator == B.DateSeparator &&
           A.TimeSeparator == B.TimeSeparator && A.ListSeparator == B.ListSeparator &&
           A.ShortDateFormat == B.ShortDateFormat && A.LongDateFormat == B.LongDateFormat &&
           A.TimeAMString == B.TimeAMString && A.TimePMString == B.TimePMString &&
           A.ShortTimeFormat == B.ShortTimeFormat && A.LongTimeFormat == B.LongTimeFormat &&
           A.ThousandSeparator == B.ThousandSeparator && A.DecimalSeparator == B.DecimalSeparator &&
           A.TwoDigitYearCenturyWindow == B.TwoDigitYearCenturyWindow &&
           A.NegCurrFormat == B.NegCurrFormat && A.ShortMonthNames == B.ShortMonthNames &&
           A.LongMonthNames == B.LongMonthNames && A.ShortDayNames == B.ShortDayNames &&
           A.LongDayNames == B.LongDayNames;
}

TFormatSettings LocaleFormatSettings(const QString &LocaleName)
{
    if (LocaleName.isEmpty())
        return RegionalSettings();
    return TFormatSettings::FromLocale(QLocale(LocaleName));
}

// ---- TBrixFormatSettings ----

void TBrixFormatSettings::SetLocaleName(const QString &Value)
{
    if (Value == FLocaleName)
        return;
    if (Value.isEmpty()) {
        SetUseRegional(true);
        return;
    }
    FUseRegional = false;
    FLocaleName = Value;
    SetFormatSettings(LocaleFormatSettings(Value));
}

void TBrixFormatSettings::Reset()
{
    TBrixBaseClass::Reset();
    SetRegionalDefaults();
}

// ---- TBrixFormatSettingsSection ----

void TBrixFormatSettingsSection::SetLocaleName(const QString &Value)
{
    SetFormatSettings(LocaleFormatSettings(Value));
}

bool TBrixFormatSettingsSection::GetAllDefaults() const
{
    return FUseRegional && TBrixBaseSection::GetAllDefaults();
}

void TBrixFormatSettingsSection::Reset()
{
    TBrixBaseSection::Reset();
    SetRegionalDefaults();
    Changed();
}

QStringList TBrixFormatSettingsSection::StoredProperties() const
{
    if (FUseRegional)
        return {};
    return {QStringLiteral("UseRegional"),
            QStringLiteral("CurrencyString"),
            QStringLiteral("CurrencyDecimals"),
            QStringLiteral("TimeAMString"),
            QStringLiteral("TimePMString"),
            QStringLiteral("ShortDateFormat"),
            QStringLiteral("LongDateFormat"),
            QStringLiteral("ShortTimeFormat"),
            QStringLiteral("LongTimeFormat"),
            QStringLiteral("ThousandSeparator"),
            QStringLiteral("DecimalSeparator"),
            QStringLiteral("DateSeparator"),
            QStringLiteral("TimeSeparator"),
            QStringLiteral("ListSeparator"),
            QStringLiteral("CurrencyFormat"),
            QStringLiteral("NegCurrencyFormat"),
            QStringLiteral("TwoDigitYearCenturyWindow")};
}

// ---- TBrixNullFormatter ----

TBrixNullFormatter::TBrixNullFormatter() = default;

QString TBrixNullFormatter::DefaultNullStr()
{
    return GlobalText(egtEmpty);
}

QString TBrixNullFormatter::NullStr() const
{
    return FNullStr;
}

void TBrixNullFormatter::SetNullStr(const QString &Value)
{
    if (Value == FNullStr)
        return;
    FNullStr = Value;
    NotifyChange();
}

bool TBrixNullFormatter::BlankWhenNull() const
{
    return FBlankWhenNull;
}

void TBrixNullFormatter::SetBlankWhenNull(bool Value)
{
    if (Value == FBlankWhenNull)
        return;
    FBlankWhenNull = Value;
    NotifyChange();
}

void TBrixNullFormatter::Reset()
{
    TBrixBaseClass::Reset();
    FNullStr = DefaultNullStr();
    FBlankWhenNull = false;
}

bool TBrixNullFormatter::UsingDefaults() const
{
    return FNullStr == DefaultNullStr() && !FBlankWhenNull;
}

// ---- TBrixNullSection ----

TBrixNullSection::TBrixNullSection() : TBrixFormatterSection(CreateOwned<TBrixNullFormatter>()) {}

void TBrixNullSection::SetNullStr(const QString &Value)
{
    Forward(NullStr(), Value, [&] { FFormatter->SetNullStr(Value); });
}

void TBrixNullSection::SetBlankWhenNull(bool Value)
{
    Forward(BlankWhenNull(), Value, [&] { FFormatter->SetBlankWhenNull(Value); });
}

QStringList TBrixNullSection::StoredProperties() const
{
    QStringList Names;
    if (FFormatter->NullStr() != TBrixNullFormatter::DefaultNullStr())
        Names << QStringLiteral("NullStr");
    if (FFormatter->BlankWhenNull())
        Names << QStringLiteral("BlankWhenNull");
    return Names;
}

// ---- TBrixBaseDataFormatter ----

void TBrixBaseDataFormatter::SetCustomSettings(const TBrixFormatSettings *Value)
{
    if (!Value || Value == FSettings.get())
        return;
    FSettings->SetFormatSettings(Value->FormatSettings());
    FSettings->SetUseRegional(Value->UseRegional());
}

bool TBrixBaseDataFormatter::BlankWhenZero() const
{
    return FBlankWhenZero;
}

void TBrixBaseDataFormatter::SetBlankWhenZero(bool Value)
{
    SetField(FBlankWhenZero, Value);
}

bool TBrixBaseDataFormatter::LakhFormatting() const
{
    return FLakhFormatting;
}

void TBrixBaseDataFormatter::SetLakhFormatting(bool Value)
{
    if (Value == FLakhFormatting)
        return;
    FLakhFormatting = Value;
    // Lakh grouping is a kind of grouping: it needs grouping switched on.
    if (Value)
        FShowThousands = true;
    NotifyChange();
}

bool TBrixBaseDataFormatter::ShowThousands() const
{
    return FShowThousands;
}

void TBrixBaseDataFormatter::SetShowThousands(bool Value)
{
    if (Value == FShowThousands)
        return;
    FShowThousands = Value;
    if (!Value)
        FLakhFormatting = false;
    NotifyChange();
}

void TBrixBaseDataFormatter::FetchSettings(TFormatSettings &S) const
{
    if (FOnCustomFormatting) {
        S = TFormatSettings();
        // The handler's Sender is the formatter itself; fetching does not
        // change the formatter, hence the const member.
        FOnCustomFormatting(const_cast<TBrixBaseDataFormatter *>(this), S);
        return;
    }
    S = FSettings->FormatSettings();
}

TFormatSettings TBrixBaseDataFormatter::Fetched() const
{
    TFormatSettings S;
    FetchSettings(S);
    return S;
}

bool TBrixBaseDataFormatter::UsingDefaults() const
{
    return !FBlankWhenZero && !FLakhFormatting && !FShowThousands &&
           FormatSettingsEqual(FSettings->FormatSettings(), RegionalSettings());
}

void TBrixBaseDataFormatter::Reset()
{
    TBrixBaseClass::Reset();
    FBlankWhenZero = false;
    FLakhFormatting = false;
    FShowThousands = false;
    FSettings->SetFormatSettings(RegionalSettings());
}

void TBrixBaseDataFormatter::InitInternals()
{
    FSettings = CreateOwned<TBrixFormatSettings>();
    TBrixBaseClass::InitInternals();
}

void TBrixBaseDataFormatter::DoneInternals()
{
    // The clients hear LinkFreed while the formatter is still whole: one
    // that renders a last value from its handler still finds its settings.
    TBrixBaseClass::DoneInternals();
    FSettings.reset();
}

} // namespace Brix
