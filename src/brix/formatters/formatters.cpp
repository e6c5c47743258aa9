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

namespace {

TBrixCurrencyFormat CurrencyFormatOf(Byte Code)
{
    return Code >= cfUnknown ? cfUnknown : TBrixCurrencyFormat(Code);
}

TNegativeCurrencyFormat NegCurrencyFormatOf(Byte Code)
{
    return Code >= ncfUnknown ? ncfUnknown : TNegativeCurrencyFormat(Code);
}

} // namespace

// ---- TBrixFormatSettings ----

TBrixFormatSettings::TBrixFormatSettings() : FSettings(RegionalSettings()) {}

void TBrixFormatSettings::SetFormatSettings(const TFormatSettings &Value)
{
    if (FormatSettingsEqual(Value, FSettings))
        return;
    FSettings = Value;
    FUseRegional = false;
}

void TBrixFormatSettings::SetUseRegional(bool Value)
{
    if (Value == FUseRegional)
        return;
    FUseRegional = Value;
    if (Value)
        FSettings = RegionalSettings();
}

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
    FUseRegional = true;
    FSettings = RegionalSettings();
}

// clang-format off
QString TBrixFormatSettings::CurrencyString() const { return FSettings.CurrencyString; }
void TBrixFormatSettings::SetCurrencyString(const QString &Value) { SetField(FSettings.CurrencyString, Value); }
Byte TBrixFormatSettings::CurrencyDecimals() const { return FSettings.CurrencyDecimals; }
void TBrixFormatSettings::SetCurrencyDecimals(Byte Value) { SetField(FSettings.CurrencyDecimals, Value); }
QString TBrixFormatSettings::TimeAMString() const { return FSettings.TimeAMString; }
void TBrixFormatSettings::SetTimeAMString(const QString &Value) { SetField(FSettings.TimeAMString, Value); }
QString TBrixFormatSettings::TimePMString() const { return FSettings.TimePMString; }
void TBrixFormatSettings::SetTimePMString(const QString &Value) { SetField(FSettings.TimePMString, Value); }
QString TBrixFormatSettings::ShortDateFormat() const { return FSettings.ShortDateFormat; }
void TBrixFormatSettings::SetShortDateFormat(const QString &Value) { SetField(FSettings.ShortDateFormat, Value); }
QString TBrixFormatSettings::LongDateFormat() const { return FSettings.LongDateFormat; }
void TBrixFormatSettings::SetLongDateFormat(const QString &Value) { SetField(FSettings.LongDateFormat, Value); }
QString TBrixFormatSettings::ShortTimeFormat() const { return FSettings.ShortTimeFormat; }
void TBrixFormatSettings::SetShortTimeFormat(const QString &Value) { SetField(FSettings.ShortTimeFormat, Value); }
QString TBrixFormatSettings::LongTimeFormat() const { return FSettings.LongTimeFormat; }
void TBrixFormatSettings::SetLongTimeFormat(const QString &Value) { SetField(FSettings.LongTimeFormat, Value); }
QChar TBrixFormatSettings::ThousandSeparator() const { return FSettings.ThousandSeparator; }
void TBrixFormatSettings::SetThousandSeparator(QChar Value) { SetField(FSettings.ThousandSeparator, Value); }
QChar TBrixFormatSettings::DecimalSeparator() const { return FSettings.DecimalSeparator; }
void TBrixFormatSettings::SetDecimalSeparator(QChar Value) { SetField(FSettings.DecimalSeparator, Value); }
QChar TBrixFormatSettings::DateSeparator() const { return FSettings.DateSeparator; }
void TBrixFormatSettings::SetDateSeparator(QChar Value) { SetField(FSettings.DateSeparator, Value); }
QChar TBrixFormatSettings::TimeSeparator() const { return FSettings.TimeSeparator; }
void TBrixFormatSettings::SetTimeSeparator(QChar Value) { SetField(FSettings.TimeSeparator, Value); }
QChar TBrixFormatSettings::ListSeparator() const { return FSettings.ListSeparator; }
void TBrixFormatSettings::SetListSeparator(QChar Value) { SetField(FSettings.ListSeparator, Value); }
TBrixCurrencyFormat TBrixFormatSettings::CurrencyFormat() const { return CurrencyFormatOf(FSettings.CurrencyFormat); }
void TBrixFormatSettings::SetCurrencyFormat(TBrixCurrencyFormat Value) { SetField(FSettings.CurrencyFormat, Byte(Value)); }
TNegativeCurrencyFormat TBrixFormatSettings::NegCurrencyFormat() const { return NegCurrencyFormatOf(FSettings.NegCurrFormat); }
void TBrixFormatSettings::SetNegCurrencyFormat(TNegativeCurrencyFormat Value) { SetField(FSettings.NegCurrFormat, Byte(Value)); }
Word TBrixFormatSettings::TwoDigitYearCenturyWindow() const { return FSettings.TwoDigitYearCenturyWindow; }
void TBrixFormatSettings::SetTwoDigitYearCenturyWindow(Word Value) { SetField(FSettings.TwoDigitYearCenturyWindow, Value); }
// clang-format on

// ---- TBrixFormatSettingsSection ----

TBrixFormatSettingsSection::TBrixFormatSettingsSection()
{
    SetDefaults();
}

void TBrixFormatSettingsSection::SetDefaults()
{
    FUseRegional = true;
    FLocaleName.clear();
    FSettings = RegionalSettings();
}

void TBrixFormatSettingsSection::SetFormatSettings(const TFormatSettings &Value)
{
    if (FormatSettingsEqual(Value, FSettings))
        return;
    FSettings = Value;
    FUseRegional = false;
    Changed();
}

void TBrixFormatSettingsSection::SetUseRegional(bool Value)
{
    if (Value == FUseRegional)
        return;
    FUseRegional = Value;
    if (Value)
        FSettings = RegionalSettings();
    Changed();
}

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
    SetDefaults();
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

// clang-format off
QString TBrixFormatSettingsSection::CurrencyString() const { return FSettings.CurrencyString; }
void TBrixFormatSettingsSection::SetCurrencyString(const QString &Value) { SetField(FSettings.CurrencyString, Value); }
Byte TBrixFormatSettingsSection::CurrencyDecimals() const { return FSettings.CurrencyDecimals; }
void TBrixFormatSettingsSection::SetCurrencyDecimals(Byte Value) { SetField(FSettings.CurrencyDecimals, Value); }
QString TBrixFormatSettingsSection::TimeAMString() const { return FSettings.TimeAMString; }
void TBrixFormatSettingsSection::SetTimeAMString(const QString &Value) { SetField(FSettings.TimeAMString, Value); }
QString TBrixFormatSettingsSection::TimePMString() const { return FSettings.TimePMString; }
void TBrixFormatSettingsSection::SetTimePMString(const QString &Value) { SetField(FSettings.TimePMString, Value); }
QString TBrixFormatSettingsSection::ShortDateFormat() const { return FSettings.ShortDateFormat; }
void TBrixFormatSettingsSection::SetShortDateFormat(const QString &Value) { SetField(FSettings.ShortDateFormat, Value); }
QString TBrixFormatSettingsSection::LongDateFormat() const { return FSettings.LongDateFormat; }
void TBrixFormatSettingsSection::SetLongDateFormat(const QString &Value) { SetField(FSettings.LongDateFormat, Value); }
QString TBrixFormatSettingsSection::ShortTimeFormat() const { return FSettings.ShortTimeFormat; }
void TBrixFormatSettingsSection::SetShortTimeFormat(const QString &Value) { SetField(FSettings.ShortTimeFormat, Value); }
QString TBrixFormatSettingsSection::LongTimeFormat() const { return FSettings.LongTimeFormat; }
void TBrixFormatSettingsSection::SetLongTimeFormat(const QString &Value) { SetField(FSettings.LongTimeFormat, Value); }
QChar TBrixFormatSettingsSection::ThousandSeparator() const { return FSettings.ThousandSeparator; }
void TBrixFormatSettingsSection::SetThousandSeparator(QChar Value) { SetField(FSettings.ThousandSeparator, Value); }
QChar TBrixFormatSettingsSection::DecimalSeparator() const { return FSettings.DecimalSeparator; }
void TBrixFormatSettingsSection::SetDecimalSeparator(QChar Value) { SetField(FSettings.DecimalSeparator, Value); }
QChar TBrixFormatSettingsSection::DateSeparator() const { return FSettings.DateSeparator; }
void TBrixFormatSettingsSection::SetDateSeparator(QChar Value) { SetField(FSettings.DateSeparator, Value); }
QChar TBrixFormatSettingsSection::TimeSeparator() const { return FSettings.TimeSeparator; }
void TBrixFormatSettingsSection::SetTimeSeparator(QChar Value) { SetField(FSettings.TimeSeparator, Value); }
QChar TBrixFormatSettingsSection::ListSeparator() const { return FSettings.ListSeparator; }
void TBrixFormatSettingsSection::SetListSeparator(QChar Value) { SetField(FSettings.ListSeparator, Value); }
TBrixCurrencyFormat TBrixFormatSettingsSection::CurrencyFormat() const { return CurrencyFormatOf(FSettings.CurrencyFormat); }
void TBrixFormatSettingsSection::SetCurrencyFormat(TBrixCurrencyFormat Value) { SetField(FSettings.CurrencyFormat, Byte(Value)); }
TNegativeCurrencyFormat TBrixFormatSettingsSection::NegCurrencyFormat() const { return NegCurrencyFormatOf(FSettings.NegCurrFormat); }
void TBrixFormatSettingsSection::SetNegCurrencyFormat(TNegativeCurrencyFormat Value) { SetField(FSettings.NegCurrFormat, Byte(Value)); }
Word TBrixFormatSettingsSection::TwoDigitYearCenturyWindow() const { return FSettings.TwoDigitYearCenturyWindow; }
void TBrixFormatSettingsSection::SetTwoDigitYearCenturyWindow(Word Value) { SetField(FSettings.TwoDigitYearCenturyWindow, Value); }
// clang-format on

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

TBrixNullSection::TBrixNullSection() : FFormatter(CreateOwned<TBrixNullFormatter>()) {}

TBrixNullSection::~TBrixNullSection() = default;

void TBrixNullSection::SetNullStr(const QString &Value)
{
    if (FFormatter->NullStr() == Value)
        return;
    FFormatter->SetNullStr(Value);
    Changed();
}

void TBrixNullSection::SetBlankWhenNull(bool Value)
{
    if (FFormatter->BlankWhenNull() == Value)
        return;
    FFormatter->SetBlankWhenNull(Value);
    Changed();
}

bool TBrixNullSection::GetAllDefaults() const
{
    return FFormatter->UsingDefaults() && TBrixBaseSection::GetAllDefaults();
}

void TBrixNullSection::Reset()
{
    TBrixBaseSection::Reset();
    FFormatter->Reset();
    Changed();
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
