/// @file
/// The date formatter: the settings by which dates, times and durations are
/// written (the words for today, noon, days and the like, era markers, month
/// names of the Hebrew and Muslim calendars, time layout, order of day, month
/// and year), and its section of the formatter component. Here it holds,
/// resets, compares and reports these settings; nothing formats a date with
/// it.
#pragma once

#include "brix/export.h"

#include "brix/formatters/formatters.h"
#include "brix/resources/calendar.h"

#include <QString>
#include <QStringList>

namespace Brix {

/// Holds the settings by which dates, times and durations are written. Create it with
/// Brix::Create<TBrixDateFormatter>(); it starts with its defaults.
class BRIX_CORE_EXPORT TBrixDateFormatter : public TBrixBaseDataFormatter
{
public:
    TBrixDateFormatter() = default;

    ///@{
    /// Writes that change a value notify the registered clients once, except
    /// the twelve word properties (StrToday ... StrMilliseconds), which are
    /// stored silently.
    virtual void SetEraAbbrev(TBrixEraAbbrev Value);
    virtual TBrixEraAbbrev EraAbbrev() const;
    virtual void SetEraLayout(TBrixEraLayout Value);
    virtual TBrixEraLayout EraLayout() const;
    virtual void SetCustomBCE(const QString &Value);
    virtual QString CustomBCE() const;
    virtual void SetCustomCE(const QString &Value);
    virtual QString CustomCE() const;
    virtual bool LongMonthName() const;
    virtual void SetLongMonthName(bool Value);
    virtual bool LongDayName() const;
    virtual void SetLongDayName(bool Value);
    virtual bool InclDOW() const;
    virtual void SetInclDOW(bool Value);
    virtual bool AMPMAllowFirst() const;
    virtual void SetAMPMAllowFirst(bool Value);
    virtual bool UseRuntimeConvert() const;
    virtual void SetUseRuntimeConvert(bool Value);
    virtual bool UseCommonNames() const;
    virtual void SetUseCommonNames(bool Value);
    virtual TBrixTimeDisplay TimeDisplayType() const;
    virtual void SetTimeDisplayType(TBrixTimeDisplay Value);
    virtual TBrixTimeLayout TimeLayoutType() const;
    virtual void SetTimeLayoutType(TBrixTimeLayout Value);
    virtual TBrixCalendarType CalendarType() const;
    virtual void SetCalendarType(TBrixCalendarType Value);
    virtual TBrixMuslimMonthType MuslimMonthType() const;
    /// A change refills the Muslim month names with the chosen variant
    /// before the clients are told.
    virtual void SetMuslimMonthType(TBrixMuslimMonthType Value);
    virtual TBrixHebrewMonthType HebrewMonthType() const;
    /// A change refills the Hebrew month names with the chosen variant
    /// before the clients are told.
    virtual void SetHebrewMonthType(TBrixHebrewMonthType Value);
    virtual void SetDurationSeparator(QChar Value);
    virtual QChar DurationSeparator() const;
    virtual void SetYearImplied(TBrixYearImplied Value);
    virtual TBrixYearImplied YearImplied() const;
    virtual QString StrNoon() const;
    virtual QString StrNow() const;
    virtual QString StrMidnight() const;
    virtual QString StrToday() const;
    virtual QString StrYesterday() const;
    virtual QString StrTomorrow() const;
    virtual QString StrDays() const;
    virtual QString StrWeeks() const;
    virtual QString StrHours() const;
    virtual QString StrMinutes() const;
    virtual QString StrSeconds() const;
    virtual QString StrMilliseconds() const;
    virtual bool TrimTrailingZeroes() const;
    virtual void SetTrimTrailingZeroes(bool Value);
    ///@}

    /// Store one word (for noon, now, today, days and the like) as given; no client is
    /// notified.
    ///@{
    void SetStrNoon(const QString &Value) { FTimeStrings.StrNoon = Value; }
    void SetStrNow(const QString &Value) { FTimeStrings.StrNow = Value; }
    void SetStrMidnight(const QString &Value) { FTimeStrings.StrMidnight = Value; }
    void SetStrToday(const QString &Value) { FDateStrings.StrToday = Value; }
    void SetStrYesterday(const QString &Value) { FDateStrings.StrYesterday = Value; }
    void SetStrTomorrow(const QString &Value) { FDateStrings.StrTomorrow = Value; }
    void SetStrDays(const QString &Value) { FDurationStrings.StrDays = Value; }
    void SetStrWeeks(const QString &Value) { FDurationStrings.StrWeeks = Value; }
    void SetStrHours(const QString &Value) { FDurationStrings.StrHours = Value; }
    void SetStrMinutes(const QString &Value) { FDurationStrings.StrMinutes = Value; }
    void SetStrSeconds(const QString &Value) { FDurationStrings.StrSeconds = Value; }
    void SetStrMilliseconds(const QString &Value) { FDurationStrings.StrMilliseconds = Value; }
    ///@}

    ///@{
    /// The order of day, month and year; a change notifies the registered clients.
    TBrixDateOrder DateOrder() const { return FDateOrder; }
    void SetDateOrder(TBrixDateOrder Value) { SetField(FDateOrder, Value); }
    ///@}

    /// The twelve month names of the Hebrew and Muslim calendars, as the month types fill them.
    ///@{
    const TBrixMonthNames &HebrewMonths() const { return FHebrewMonths; }
    const TBrixMonthNames &MuslimMonths() const { return FMuslimMonths; }
    ///@}
    ///@{
    /// Each of the twelve names equals, exactly and in order, the shared
    /// default list HebrewMonthNames / MuslimMonthNames.
    bool AreDefaultHebrewMonthsSet() const;
    bool AreDefaultMuslimMonthsSet() const;
    ///@}

    /// The inherited defaults, then every setting to its default without
    /// notification: the word records' SetDefaults, eaSpaceBCOnly,
    /// elMonthNames, edoSystem, td24Hour, tlHourMinSec, brixGregorian,
    /// mmDefault/hmDefault with their month names, ':', yiCutOff, flags off.
    void Reset() override;
    /// The inherited test and every setting at its default.
    bool UsingDefaults() const override;

protected:
    ~TBrixDateFormatter() override = default;
    /// The base class's same function (which creates the custom settings and resets),
    /// then Reset once more.
    void InitInternals() override;

private:
    TBrixTimeStrings FTimeStrings;
    TBrixDateStrings FDateStrings;
    TBrixDurationStrings FDurationStrings;
    TBrixEraAbbrev FEraAbbrev = eaSpaceBCOnly;
    TBrixEraLayout FEraLayout = elMonthNames;
    bool FLongMonthName = false;
    bool FLongDayName = false;
    bool FInclDOW = false;
    TBrixDateOrder FDateOrder = edoSystem;
    TBrixMonthNames FHebrewMonths;
    TBrixMonthNames FMuslimMonths;
    bool FAMPMAllowFirst = false;
    bool FUseRuntimeConvert = false;
    bool FUseCommonNames = false;
    TBrixTimeDisplay FTimeDisplayType = td24Hour;
    TBrixTimeLayout FTimeLayoutType = tlHourMinSec;
    TBrixCalendarType FCalendarType = brixGregorian;
    TBrixMuslimMonthType FMuslimMonthType = mmDefault;
    TBrixHebrewMonthType FHebrewMonthType = hmDefault;
    QChar FDurationSeparator = u':';
    bool FTrimTrailingZeroes = false;
    TBrixYearImplied FYearImplied = yiCutOff;
};

/// The date formatter's section: owns the formatter; reads forward to it; a
/// write that changes the formatter's value goes through the formatter and
/// then signals OnChange (while Active); Reset resets the formatter and
/// signals once; AllDefaults reads the formatter's UsingDefaults.
class BRIX_CORE_EXPORT TBrixDateSection : public TBrixFormatterSection<TBrixDateFormatter>
{
public:
    TBrixDateSection();

    /// The owned formatter; never null.
    TBrixDateFormatter *DateFormatter() const { return FFormatter.get(); }

    ///@{
    /// As on the integer section: a differing record is written into the
    /// formatter's custom settings and signals; the handler goes straight to
    /// the formatter.
    TFormatSettings CustomSettings() const;
    void SetCustomSettings(const TFormatSettings &Value);
    TBrixFormatSettingsEvent OnCustomFormatting() const;
    void SetOnCustomFormatting(TBrixFormatSettingsEvent Value);
    ///@}

    /// Each reads the formatter's setting; its Set... writes through the formatter's own write
    /// accessor and, when the value changed, signals OnChange (while Active).
    ///@{
    QChar DurationSeparator() const { return FFormatter->DurationSeparator(); }
    void SetDurationSeparator(QChar Value);
    TBrixYearImplied YearImplied() const { return FFormatter->YearImplied(); }
    void SetYearImplied(TBrixYearImplied Value);
    bool BlankWhenZero() const { return FFormatter->BlankWhenZero(); }
    void SetBlankWhenZero(bool Value);
    bool TrimTrailingZeroes() const { return FFormatter->TrimTrailingZeroes(); }
    void SetTrimTrailingZeroes(bool Value);
    bool ShowThousands() const { return FFormatter->ShowThousands(); }
    void SetShowThousands(bool Value);
    bool LakhFormatting() const { return FFormatter->LakhFormatting(); }
    void SetLakhFormatting(bool Value);
    QString StrToday() const { return FFormatter->StrToday(); }
    void SetStrToday(const QString &Value);
    QString StrYesterday() const { return FFormatter->StrYesterday(); }
    void SetStrYesterday(const QString &Value);
    QString StrTomorrow() const { return FFormatter->StrTomorrow(); }
    void SetStrTomorrow(const QString &Value);
    QString StrNoon() const { return FFormatter->StrNoon(); }
    void SetStrNoon(const QString &Value);
    QString StrNow() const { return FFormatter->StrNow(); }
    void SetStrNow(const QString &Value);
    QString StrMidnight() const { return FFormatter->StrMidnight(); }
    void SetStrMidnight(const QString &Value);
    QString StrDays() const { return FFormatter->StrDays(); }
    void SetStrDays(const QString &Value);
    QString StrWeeks() const { return FFormatter->StrWeeks(); }
    void SetStrWeeks(const QString &Value);
    QString StrHours() const { return FFormatter->StrHours(); }
    void SetStrHours(const QString &Value);
    QString StrMinutes() const { return FFormatter->StrMinutes(); }
    void SetStrMinutes(const QString &Value);
    QString StrSeconds() const { return FFormatter->StrSeconds(); }
    void SetStrSeconds(const QString &Value);
    QString StrMilliseconds() const { return FFormatter->StrMilliseconds(); }
    void SetStrMilliseconds(const QString &Value);
    TBrixEraAbbrev EraAbbrev() const { return FFormatter->EraAbbrev(); }
    void SetEraAbbrev(TBrixEraAbbrev Value);
    TBrixEraLayout EraLayout() const { return FFormatter->EraLayout(); }
    void SetEraLayout(TBrixEraLayout Value);
    QString CustomBCE() const { return FFormatter->CustomBCE(); }
    void SetCustomBCE(const QString &Value);
    QString CustomCE() const { return FFormatter->CustomCE(); }
    void SetCustomCE(const QString &Value);
    TBrixDateOrder DateOrder() const { return FFormatter->DateOrder(); }
    void SetDateOrder(TBrixDateOrder Value);
    bool LongMonthName() const { return FFormatter->LongMonthName(); }
    void SetLongMonthName(bool Value);
    bool LongDayName() const { return FFormatter->LongDayName(); }
    void SetLongDayName(bool Value);
    bool InclDOW() const { return FFormatter->InclDOW(); }
    void SetInclDOW(bool Value);
    bool AMPMAllowFirst() const { return FFormatter->AMPMAllowFirst(); }
    void SetAMPMAllowFirst(bool Value);
    bool UseRuntimeConvert() const { return FFormatter->UseRuntimeConvert(); }
    void SetUseRuntimeConvert(bool Value);
    bool UseCommonNames() const { return FFormatter->UseCommonNames(); }
    void SetUseCommonNames(bool Value);
    TBrixTimeDisplay TimeDisplayType() const { return FFormatter->TimeDisplayType(); }
    void SetTimeDisplayType(TBrixTimeDisplay Value);
    TBrixTimeLayout TimeLayoutType() const { return FFormatter->TimeLayoutType(); }
    void SetTimeLayoutType(TBrixTimeLayout Value);
    TBrixCalendarType CalendarType() const { return FFormatter->CalendarType(); }
    void SetCalendarType(TBrixCalendarType Value);
    TBrixMuslimMonthType MuslimMonthType() const { return FFormatter->MuslimMonthType(); }
    void SetMuslimMonthType(TBrixMuslimMonthType Value);
    TBrixHebrewMonthType HebrewMonthType() const { return FFormatter->HebrewMonthType(); }
    void SetHebrewMonthType(TBrixHebrewMonthType Value);
    ///@}

    /// The published values a form description would hold, in published
    /// order: each one that differs from its declared default (the words
    /// from their English general texts, CustomBCE/CustomCE from "BC"/"AD").
    QStringList StoredProperties() const;
};

} // namespace Brix
