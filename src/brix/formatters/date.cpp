#include "brix/formatters/date.h"

#include "brix/resources/globals.h"

namespace Brix {

// ---- TBrixDateFormatter ----

// clang-format off
TBrixEraAbbrev TBrixDateFormatter::EraAbbrev() const { return FEraAbbrev; }
void TBrixDateFormatter::SetEraAbbrev(TBrixEraAbbrev Value) { SetField(FEraAbbrev, Value); }
TBrixEraLayout TBrixDateFormatter::EraLayout() const { return FEraLayout; }
void TBrixDateFormatter::SetEraLayout(TBrixEraLayout Value) { SetField(FEraLayout, Value); }
QString TBrixDateFormatter::CustomBCE() const { return FDateStrings.StrBCE; }
void TBrixDateFormatter::SetCustomBCE(const QString &Value) { SetField(FDateStrings.StrBCE, Value); }
QString TBrixDateFormatter::CustomCE() const { return FDateStrings.StrCE; }
void TBrixDateFormatter::SetCustomCE(const QString &Value) { SetField(FDateStrings.StrCE, Value); }
bool TBrixDateFormatter::LongMonthName() const { return FLongMonthName; }
void TBrixDateFormatter::SetLongMonthName(bool Value) { SetField(FLongMonthName, Value); }
bool TBrixDateFormatter::LongDayName() const { return FLongDayName; }
void TBrixDateFormatter::SetLongDayName(bool Value) { SetField(FLongDayName, Value); }
bool TBrixDateFormatter::InclDOW() const { return FInclDOW; }
void TBrixDateFormatter::SetInclDOW(bool Value) { SetField(FInclDOW, Value); }
bool TBrixDateFormatter::AMPMAllowFirst() const { return FAMPMAllowFirst; }
void TBrixDateFormatter::SetAMPMAllowFirst(bool Value) { SetField(FAMPMAllowFirst, Value); }
bool TBrixDateFormatter::UseRuntimeConvert() const { return FUseRuntimeConvert; }
void TBrixDateFormatter::SetUseRuntimeConvert(bool Value) { SetField(FUseRuntimeConvert, Value); }
bool TBrixDateFormatter::UseCommonNames() const { return FUseCommonNames; }
void TBrixDateFormatter::SetUseCommonNames(bool Value) { SetField(FUseCommonNames, Value); }
TBrixTimeDisplay TBrixDateFormatter::TimeDisplayType() const { return FTimeDisplayType; }
void TBrixDateFormatter::SetTimeDisplayType(TBrixTimeDisplay Value) { SetField(FTimeDisplayType, Value); }
TBrixTimeLayout TBrixDateFormatter::TimeLayoutType() const { return FTimeLayoutType; }
void TBrixDateFormatter::SetTimeLayoutType(TBrixTimeLayout Value) { SetField(FTimeLayoutType, Value); }
TBrixCalendarType TBrixDateFormatter::CalendarType() const { return FCalendarType; }
void TBrixDateFormatter::SetCalendarType(TBrixCalendarType Value) { SetField(FCalendarType, Value); }
QChar TBrixDateFormatter::DurationSeparator() const { return FDurationSeparator; }
void TBrixDateFormatter::SetDurationSeparator(QChar Value) { SetField(FDurationSeparator, Value); }
TBrixYearImplied TBrixDateFormatter::YearImplied() const { return FYearImplied; }
void TBrixDateFormatter::SetYearImplied(TBrixYearImplied Value) { SetField(FYearImplied, Value); }
bool TBrixDateFormatter::TrimTrailingZeroes() const { return FTrimTrailingZeroes; }
void TBrixDateFormatter::SetTrimTrailingZeroes(bool Value) { SetField(FTrimTrailingZeroes, Value); }
QString TBrixDateFormatter::StrNoon() const { return FTimeStrings.StrNoon; }
QString TBrixDateFormatter::StrNow() const { return FTimeStrings.StrNow; }
QString TBrixDateFormatter::StrMidnight() const { return FTimeStrings.StrMidnight; }
QString TBrixDateFormatter::StrToday() const { return FDateStrings.StrToday; }
QString TBrixDateFormatter::StrYesterday() const { return FDateStrings.StrYesterday; }
QString TBrixDateFormatter::StrTomorrow() const { return FDateStrings.StrTomorrow; }
QString TBrixDateFormatter::StrDays() const { return FDurationStrings.StrDays; }
QString TBrixDateFormatter::StrWeeks() const { return FDurationStrings.StrWeeks; }
QString TBrixDateFormatter::StrHours() const { return FDurationStrings.StrHours; }
QString TBrixDateFormatter::StrMinutes() const { return FDurationStrings.StrMinutes; }
QString TBrixDateFormatter::StrSeconds() const { return FDurationStrings.StrSeconds; }
QString TBrixDateFormatter::StrMilliseconds() const { return FDurationStrings.StrMilliseconds; }
// clang-format on

TBrixMuslimMonthType TBrixDateFormatter::MuslimMonthType() const
{
    return FMuslimMonthType;
}

void TBrixDateFormatter::SetMuslimMonthType(TBrixMuslimMonthType Value)
{
    if (Value == FMuslimMonthType)
        return;
    FMuslimMonthType = Value;
    FillMuslimMonths(FMuslimMonths, Value);
    NotifyChange();
}

TBrixHebrewMonthType TBrixDateFormatter::HebrewMonthType() const
{
    return FHebrewMonthType;
}

void TBrixDateFormatter::SetHebrewMonthType(TBrixHebrewMonthType Value)
{
    if (Value == FHebrewMonthType)
        return;
    FHebrewMonthType = Value;
    FillHebrewMonths(FHebrewMonths, Value);
    NotifyChange();
}

bool TBrixDateFormatter::AreDefaultHebrewMonthsSet() const
{
    return FHebrewMonths == HebrewMonthNames;
}

bool TBrixDateFormatter::AreDefaultMuslimMonthsSet() const
{
    return FMuslimMonths == MuslimMonthNames;
}

void TBrixDateFormatter::InitInternals()
{
    TBrixBaseDataFormatter::InitInternals();
    Reset();
}

void TBrixDateFormatter::Reset()
{
    TBrixBaseDataFormatter::Reset();
    FTimeStrings.SetDefaults();
    FDateStrings.SetDefaults();
    FDurationStrings.SetDefaults();
    FEraAbbrev = eaSpaceBCOnly;
    FEraLayout = elMonthNames;
    FLongMonthName = false;
    FLongDayName = false;
    FInclDOW = false;
    // The library-wide default date order.
    FDateOrder = edoSystem;
    FAMPMAllowFirst = false;
    FUseRuntimeConvert = false;
    FUseCommonNames = false;
    FTimeDisplayType = td24Hour;
    FTimeLayoutType = tlHourMinSec;
    FCalendarType = brixGregorian;
    FMuslimMonthType = mmDefault;
    FHebrewMonthType = hmDefault;
    FillHebrewMonths(FHebrewMonths, hmDefault);
    FillMuslimMonths(FMuslimMonths, FMuslimMonthType);
    FDurationSeparator = u':';
    FTrimTrailingZeroes = false;
    FYearImplied = yiCutOff;
}

bool TBrixDateFormatter::UsingDefaults() const
{
    return TBrixBaseDataFormatter::UsingDefaults() && FEraAbbrev == eaSpaceBCOnly &&
           FEraLayout == elMonthNames && !FLongMonthName && !FLongDayName && !FInclDOW &&
           FDateOrder == edoSystem && !FAMPMAllowFirst && !FUseRuntimeConvert && !FUseCommonNames &&
           FTimeDisplayType == td24Hour && FTimeLayoutType == tlHourMinSec &&
           FCalendarType == brixGregorian && FMuslimMonthType == mmDefault &&
           FHebrewMonthType == hmDefault && FDurationSeparator == u':' && !FTrimTrailingZeroes &&
           FYearImplied == yiCutOff && FTimeStrings.UsingDefaults() &&
           FDateStrings.UsingDefaults() && FDurationStrings.UsingDefaults() &&
           AreDefaultHebrewMonthsSet() && AreDefaultMuslimMonthsSet();
}

// ---- TBrixDateSection ----

TBrixDateSection::TBrixDateSection() : TBrixFormatterSection(CreateOwned<TBrixDateFormatter>()) {}

TFormatSettings TBrixDateSection::CustomSettings() const
{
    return FormatterSettings();
}

void TBrixDateSection::SetCustomSettings(const TFormatSettings &Value)
{
    SetFormatterSettings(Value);
}

TBrixFormatSettingsEvent TBrixDateSection::OnCustomFormatting() const
{
    return FFormatter->OnCustomFormatting();
}

void TBrixDateSection::SetOnCustomFormatting(TBrixFormatSettingsEvent Value)
{
    FFormatter->SetOnCustomFormatting(std::move(Value));
}

void TBrixDateSection::SetDurationSeparator(QChar Value)
{
    Forward(DurationSeparator(), Value, [&] { FFormatter->SetDurationSeparator(Value); });
}

void TBrixDateSection::SetYearImplied(TBrixYearImplied Value)
{
    Forward(YearImplied(), Value, [&] { FFormatter->SetYearImplied(Value); });
}

void TBrixDateSection::SetBlankWhenZero(bool Value)
{
    Forward(BlankWhenZero(), Value, [&] { FFormatter->SetBlankWhenZero(Value); });
}

void TBrixDateSection::SetTrimTrailingZeroes(bool Value)
{
    Forward(TrimTrailingZeroes(), Value, [&] { FFormatter->SetTrimTrailingZeroes(Value); });
}

void TBrixDateSection::SetShowThousands(bool Value)
{
    Forward(ShowThousands(), Value, [&] { FFormatter->SetShowThousands(Value); });
}

void TBrixDateSection::SetLakhFormatting(bool Value)
{
    Forward(LakhFormatting(), Value, [&] { FFormatter->SetLakhFormatting(Value); });
}

void TBrixDateSection::SetStrNoon(const QString &Value)
{
    Forward(StrNoon(), Value, [&] { FFormatter->SetStrNoon(Value); });
}

void TBrixDateSection::SetStrNow(const QString &Value)
{
    Forward(StrNow(), Value, [&] { FFormatter->SetStrNow(Value); });
}

void TBrixDateSection::SetStrMidnight(const QString &Value)
{
    Forward(StrMidnight(), Value, [&] { FFormatter->SetStrMidnight(Value); });
}

void TBrixDateSection::SetStrToday(const QString &Value)
{
    Forward(StrToday(), Value, [&] { FFormatter->SetStrToday(Value); });
}

void TBrixDateSection::SetStrYesterday(const QString &Value)
{
    Forward(StrYesterday(), Value, [&] { FFormatter->SetStrYesterday(Value); });
}

void TBrixDateSection::SetStrTomorrow(const QString &Value)
{
    Forward(StrTomorrow(), Value, [&] { FFormatter->SetStrTomorrow(Value); });
}

void TBrixDateSection::SetStrDays(const QString &Value)
{
    Forward(StrDays(), Value, [&] { FFormatter->SetStrDays(Value); });
}

void TBrixDateSection::SetStrWeeks(const QString &Value)
{
    Forward(StrWeeks(), Value, [&] { FFormatter->SetStrWeeks(Value); });
}

void TBrixDateSection::SetStrHours(const QString &Value)
{
    Forward(StrHours(), Value, [&] { FFormatter->SetStrHours(Value); });
}

void TBrixDateSection::SetStrMinutes(const QString &Value)
{
    Forward(StrMinutes(), Value, [&] { FFormatter->SetStrMinutes(Value); });
}

void TBrixDateSection::SetStrSeconds(const QString &Value)
{
    Forward(StrSeconds(), Value, [&] { FFormatter->SetStrSeconds(Value); });
}

void TBrixDateSection::SetStrMilliseconds(const QString &Value)
{
    Forward(StrMilliseconds(), Value, [&] { FFormatter->SetStrMilliseconds(Value); });
}

void TBrixDateSection::SetEraAbbrev(TBrixEraAbbrev Value)
{
    Forward(EraAbbrev(), Value, [&] { FFormatter->SetEraAbbrev(Value); });
}

void TBrixDateSection::SetEraLayout(TBrixEraLayout Value)
{
    Forward(EraLayout(), Value, [&] { FFormatter->SetEraLayout(Value); });
}

void TBrixDateSection::SetCustomBCE(const QString &Value)
{
    Forward(CustomBCE(), Value, [&] { FFormatter->SetCustomBCE(Value); });
}

void TBrixDateSection::SetCustomCE(const QString &Value)
{
    Forward(CustomCE(), Value, [&] { FFormatter->SetCustomCE(Value); });
}

void TBrixDateSection::SetDateOrder(TBrixDateOrder Value)
{
    Forward(DateOrder(), Value, [&] { FFormatter->SetDateOrder(Value); });
}

void TBrixDateSection::SetLongMonthName(bool Value)
{
    Forward(LongMonthName(), Value, [&] { FFormatter->SetLongMonthName(Value); });
}

void TBrixDateSection::SetLongDayName(bool Value)
{
    Forward(LongDayName(), Value, [&] { FFormatter->SetLongDayName(Value); });
}

void TBrixDateSection::SetInclDOW(bool Value)
{
    Forward(InclDOW(), Value, [&] { FFormatter->SetInclDOW(Value); });
}

void TBrixDateSection::SetAMPMAllowFirst(bool Value)
{
    Forward(AMPMAllowFirst(), Value, [&] { FFormatter->SetAMPMAllowFirst(Value); });
}

void TBrixDateSection::SetUseRuntimeConvert(bool Value)
{
    Forward(UseRuntimeConvert(), Value, [&] { FFormatter->SetUseRuntimeConvert(Value); });
}

void TBrixDateSection::SetUseCommonNames(bool Value)
{
    Forward(UseCommonNames(), Value, [&] { FFormatter->SetUseCommonNames(Value); });
}

void TBrixDateSection::SetTimeDisplayType(TBrixTimeDisplay Value)
{
    Forward(TimeDisplayType(), Value, [&] { FFormatter->SetTimeDisplayType(Value); });
}

void TBrixDateSection::SetTimeLayoutType(TBrixTimeLayout Value)
{
    Forward(TimeLayoutType(), Value, [&] { FFormatter->SetTimeLayoutType(Value); });
}

void TBrixDateSection::SetCalendarType(TBrixCalendarType Value)
{
    Forward(CalendarType(), Value, [&] { FFormatter->SetCalendarType(Value); });
}

void TBrixDateSection::SetMuslimMonthType(TBrixMuslimMonthType Value)
{
    Forward(MuslimMonthType(), Value, [&] { FFormatter->SetMuslimMonthType(Value); });
}

void TBrixDateSection::SetHebrewMonthType(TBrixHebrewMonthType Value)
{
    Forward(HebrewMonthType(), Value, [&] { FFormatter->SetHebrewMonthType(Value); });
}
QStringList TBrixDateSection::StoredProperties() const
{
    QStringList Names;
    auto Add = [&Names](bool Stored, const char *Name) {
        if (Stored)
            Names << QString::fromLatin1(Name);
    };
    Add(DurationSeparator() != u':', "DurationSeparator");
    Add(YearImplied() != yiCutOff, "YearImplied");
    Add(BlankWhenZero(), "BlankWhenZero");
    Add(TrimTrailingZeroes(), "TrimTrailingZeroes");
    Add(ShowThousands(), "ShowThousands");
    Add(LakhFormatting(), "LakhFormatting");
    Add(StrToday() != GlobalText(egtToday), "StrToday");
    Add(StrYesterday() != GlobalText(egtYesterday), "StrYesterday");
    Add(StrTomorrow() != GlobalText(egtTomorrow), "StrTomorrow");
    Add(StrNoon() != GlobalText(egtNoon), "StrNoon");
    Add(StrNow() != GlobalText(egtNow), "StrNow");
    Add(StrMidnight() != GlobalText(egtMidnight), "StrMidnight");
    Add(StrDays() != GlobalText(egtDays), "StrDays");
    Add(StrWeeks() != GlobalText(egtWeeks), "StrWeeks");
    Add(StrHours() != GlobalText(egtHours), "StrHours");
    Add(StrMinutes() != GlobalText(egtMins), "StrMinutes");
    Add(StrSeconds() != GlobalText(egtSecs), "StrSeconds");
    Add(StrMilliseconds() != GlobalText(egtMSecs), "StrMilliseconds");
    Add(EraAbbrev() != eaSpaceBCOnly, "EraAbbrev");
    Add(EraLayout() != elMonthNames, "EraLayout");
    Add(CustomBCE() != QStringLiteral("BC"), "CustomBCE");
    Add(CustomCE() != QStringLiteral("AD"), "CustomCE");
    Add(DateOrder() != edoSystem, "DateOrder");
    Add(LongMonthName(), "LongMonthName");
    Add(LongDayName(), "LongDayName");
    Add(InclDOW(), "InclDOW");
    Add(AMPMAllowFirst(), "AMPMAllowFirst");
    Add(UseRuntimeConvert(), "UseRuntimeConvert");
    Add(UseCommonNames(), "UseCommonNames");
    Add(TimeDisplayType() != td24Hour, "TimeDisplayType");
    Add(TimeLayoutType() != tlHourMinSec, "TimeLayoutType");
    Add(CalendarType() != brixGregorian, "CalendarType");
    Add(MuslimMonthType() != mmDefault, "MuslimMonthType");
    Add(HebrewMonthType() != hmDefault, "HebrewMonthType");
    return Names;
}

} // namespace Brix
