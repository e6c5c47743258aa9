#include "brix/formatters/numeric.h"

#include "brix/math/tools.h"
#include "brix/strings/tools.h"

#include <cmath>

namespace Brix {

namespace {

constexpr Byte DefaultFloatDecimals = 4;
constexpr Byte DefaultPercentDecimals = 2;
// Declared default of the percent section's DecimalPlaces (differs from the
// formatter's own default on purpose: a reset section stores its value).
constexpr Byte PercentSectionDeclaredDecimals = 4;
constexpr Double DefaultSciMax = 1e9;
constexpr Double DefaultSciMin = 1e-7;
constexpr Double SettingTolerance = 1e-13;
constexpr Extended SciRangeTolerance = 1e-17L;

} // namespace

// ---- TBrixIntegerFormatter ----

bool TBrixIntegerFormatter::ShowPlusSign() const
{
    return FShowPlusSign;
}

void TBrixIntegerFormatter::SetShowPlusSign(bool Value)
{
    SetField(FShowPlusSign, Value);
}

TBrixGrouping TBrixIntegerFormatter::Grouping() const
{
    return FGrouping;
}

void TBrixIntegerFormatter::SetGrouping(TBrixGrouping Value)
{
    SetField(FGrouping, Value);
}

QString TBrixIntegerFormatter::IntToStr(int Value) const
{
    const TFormatSettings S = Fetched();
    if (FShowThousands)
        return IntegerTextGrouped(Value, S, FBlankWhenZero, FLakhFormatting, FShowPlusSign);
    return IntegerText(Value, S, FBlankWhenZero, FShowPlusSign);
}

int TBrixIntegerFormatter::StrToInt(const QString &ValueStr) const
{
    int Value = 0;
    TextToIntChecked(ValueStr, Fetched(), Value);
    return Value;
}

void TBrixIntegerFormatter::Reset()
{
    TBrixBaseDataFormatter::Reset();
    FShowPlusSign = false;
    FGrouping = egNone;
}

bool TBrixIntegerFormatter::UsingDefaults() const
{
    return TBrixBaseDataFormatter::UsingDefaults() && !FShowPlusSign && FGrouping == egNone;
}

// ---- TBrixFloatFormatter ----

// clang-format off
Byte TBrixFloatFormatter::DecimalPlaces() const { return FDecimalPlaces; }
void TBrixFloatFormatter::SetDecimalPlaces(Byte Value) { SetField(FDecimalPlaces, Value); }
bool TBrixFloatFormatter::TrimTrailingZeroes() const { return FTrimTrailingZeroes; }
void TBrixFloatFormatter::SetTrimTrailingZeroes(bool Value) { SetField(FTrimTrailingZeroes, Value); }
bool TBrixFloatFormatter::LeadingZeroes() const { return FLeadingZeroes; }
void TBrixFloatFormatter::SetLeadingZeroes(bool Value) { SetField(FLeadingZeroes, Value); }
bool TBrixFloatFormatter::SciRange() const { return FSciRange; }
void TBrixFloatFormatter::SetSciRange(bool Value) { SetField(FSciRange, Value); }
Double TBrixFloatFormatter::SciMax() const { return FSciMax; }
Double TBrixFloatFormatter::SciMin() const { return FSciMin; }
bool TBrixFloatFormatter::BracketsForNegative() const { return FBracketsForNegative; }
void TBrixFloatFormatter::SetBracketsForNegative(bool Value) { SetField(FBracketsForNegative, Value); }
// clang-format on

void TBrixFloatFormatter::SetSciMax(Double Value)
{
    // A NaN is no magnitude: stored, it would silently disable the range.
    if (std::isnan(Value))
        return;
    const Double Magnitude = std::fabs(Value);
    if (!DoublesDiffer(FSciMax, Magnitude, SettingTolerance))
        return;
    FSciMax = Magnitude;
    NotifyChange();
}

void TBrixFloatFormatter::SetSciMin(Double Value)
{
    // A NaN is no magnitude: stored, it would silently disable the range.
    if (std::isnan(Value))
        return;
    const Double Magnitude = std::fabs(Value);
    if (!DoublesDiffer(FSciMin, Magnitude, SettingTolerance))
        return;
    FSciMin = Magnitude;
    NotifyChange();
}

bool TBrixFloatFormatter::InExponentRange(Extended Value) const
{
    const Extended A = std::fabs(Value);
    return FSciRange && A >= TinyExtended &&
           (FloatAbove(A, FSciMax, SciRangeTolerance) || FloatBelow(A, FSciMin, SciRangeTolerance));
}

QString TBrixFloatFormatter::ExtendedToStr(Extended Value, Byte vDecimalPlaces) const
{
    if (InExponentRange(Value))
        return ScientificText(Fetched(), vDecimalPlaces, FBlankWhenZero, Value, FTrimTrailingZeroes,
                              FShowPlusSign);
    if (FShowThousands)
        return GroupedFixedText(Fetched(), vDecimalPlaces, FBlankWhenZero, Value,
                                FTrimTrailingZeroes, FShowPlusSign, FBracketsForNegative,
                                FLakhFormatting);
    return FixedText(Fetched(), vDecimalPlaces, FBlankWhenZero, Value, FTrimTrailingZeroes,
                     FShowPlusSign, FBracketsForNegative);
}

void TBrixFloatFormatter::Reset()
{
    TBrixIntegerFormatter::Reset();
    FDecimalPlaces = DefaultFloatDecimals;
    FTrimTrailingZeroes = false;
    FLeadingZeroes = false;
    FSciRange = false;
    FSciMax = DefaultSciMax;
    FSciMin = DefaultSciMin;
    FBracketsForNegative = false;
}

bool TBrixFloatFormatter::UsingDefaults() const
{
    return TBrixIntegerFormatter::UsingDefaults() && FDecimalPlaces == DefaultFloatDecimals &&
           !FTrimTrailingZeroes && !FLeadingZeroes && !FSciRange && !FBracketsForNegative &&
           DoublesMatch(FSciMax, DefaultSciMax, SettingTolerance) &&
           DoublesMatch(FSciMin, DefaultSciMin, SettingTolerance);
}

// ---- TBrixCurrencyFormatter ----

bool TBrixCurrencyFormatter::ShowCurrencySymbol() const
{
    return FShowCurrencySymbol;
}

void TBrixCurrencyFormatter::SetShowCurrencySymbol(bool Value)
{
    SetField(FShowCurrencySymbol, Value);
}

void TBrixCurrencyFormatter::Reset()
{
    TBrixIntegerFormatter::Reset();
    SetShowCurrencySymbol(true);
}

bool TBrixCurrencyFormatter::UsingDefaults() const
{
    return TBrixIntegerFormatter::UsingDefaults() && FShowCurrencySymbol;
}

// ---- TBrixPercentFormatter ----

bool TBrixPercentFormatter::ShowPercentSymbol() const
{
    return FShowPercentSymbol;
}

void TBrixPercentFormatter::SetShowPercentSymbol(bool Value)
{
    SetField(FShowPercentSymbol, Value);
}

Byte TBrixPercentFormatter::DecimalPlaces() const
{
    return FDecimalPlaces;
}

void TBrixPercentFormatter::SetDecimalPlaces(Byte Value)
{
    SetField(FDecimalPlaces, Value);
}

void TBrixPercentFormatter::Reset()
{
    TBrixIntegerFormatter::Reset();
    SetShowPercentSymbol(true);
    FDecimalPlaces = DefaultPercentDecimals;
}

bool TBrixPercentFormatter::UsingDefaults() const
{
    return TBrixIntegerFormatter::UsingDefaults() && FShowPercentSymbol &&
           FDecimalPlaces == DefaultPercentDecimals;
}

// ---- TBrixIntegerSection ----

TBrixIntegerSection::TBrixIntegerSection()
    : TBrixFormatterSection(CreateOwned<TBrixIntegerFormatter>())
{
}

TBrixIntegerSection::TBrixIntegerSection(TOwned<TBrixIntegerFormatter> Formatter)
    : TBrixFormatterSection(std::move(Formatter))
{
}

bool TBrixIntegerSection::BlankWhenZero() const
{
    return FFormatter->BlankWhenZero();
}

void TBrixIntegerSection::SetBlankWhenZero(bool Value)
{
    Forward(BlankWhenZero(), Value, [&] { FFormatter->SetBlankWhenZero(Value); });
}

bool TBrixIntegerSection::ShowPlusSign() const
{
    return FFormatter->ShowPlusSign();
}

void TBrixIntegerSection::SetShowPlusSign(bool Value)
{
    Forward(ShowPlusSign(), Value, [&] { FFormatter->SetShowPlusSign(Value); });
}

bool TBrixIntegerSection::ShowThousands() const
{
    return FFormatter->ShowThousands();
}

void TBrixIntegerSection::SetShowThousands(bool Value)
{
    Forward(ShowThousands(), Value, [&] { FFormatter->SetShowThousands(Value); });
}

bool TBrixIntegerSection::LakhFormatting() const
{
    return FFormatter->LakhFormatting();
}

void TBrixIntegerSection::SetLakhFormatting(bool Value)
{
    Forward(LakhFormatting(), Value, [&] { FFormatter->SetLakhFormatting(Value); });
}

TBrixGrouping TBrixIntegerSection::Grouping() const
{
    return FFormatter->Grouping();
}

void TBrixIntegerSection::SetGrouping(TBrixGrouping Value)
{
    Forward(Grouping(), Value, [&] { FFormatter->SetGrouping(Value); });
}

TFormatSettings TBrixIntegerSection::CustomSettings() const
{
    return FormatterSettings();
}

void TBrixIntegerSection::SetCustomSettings(const TFormatSettings &Value)
{
    SetFormatterSettings(Value);
}

void TBrixIntegerSection::SetOnCustomFormatting(TBrixFormatSettingsEvent Value)
{
    FFormatter->SetOnCustomFormatting(std::move(Value));
}

TBrixFormatSettingsEvent TBrixIntegerSection::OnCustomFormatting() const
{
    return FFormatter->OnCustomFormatting();
}

QStringList TBrixIntegerSection::StoredProperties() const
{
    QStringList Names;
    if (BlankWhenZero())
        Names << QStringLiteral("BlankWhenZero");
    if (ShowPlusSign())
        Names << QStringLiteral("ShowPlusSign");
    if (ShowThousands())
        Names << QStringLiteral("ShowThousands");
    if (LakhFormatting())
        Names << QStringLiteral("LakhFormatting");
    if (Grouping() != egNone)
        Names << QStringLiteral("Grouping");
    return Names;
}

// ---- TBrixFloatSection ----

TBrixFloatSection::TBrixFloatSection() : TBrixIntegerSection(CreateOwned<TBrixFloatFormatter>()) {}

TBrixFloatFormatter *TBrixFloatSection::FloatFormatter() const
{
    return static_cast<TBrixFloatFormatter *>(IntegerFormatter());
}

Byte TBrixFloatSection::DecimalPlaces() const
{
    return FloatFormatter()->DecimalPlaces();
}

void TBrixFloatSection::SetDecimalPlaces(Byte Value)
{
    Forward(DecimalPlaces(), Value, [&] { FloatFormatter()->SetDecimalPlaces(Value); });
}

bool TBrixFloatSection::TrimTrailingZeroes() const
{
    return FloatFormatter()->TrimTrailingZeroes();
}

void TBrixFloatSection::SetTrimTrailingZeroes(bool Value)
{
    Forward(TrimTrailingZeroes(), Value, [&] { FloatFormatter()->SetTrimTrailingZeroes(Value); });
}

bool TBrixFloatSection::LeadingZeroes() const
{
    return FloatFormatter()->LeadingZeroes();
}

void TBrixFloatSection::SetLeadingZeroes(bool Value)
{
    Forward(LeadingZeroes(), Value, [&] { FloatFormatter()->SetLeadingZeroes(Value); });
}

bool TBrixFloatSection::BracketsForNegative() const
{
    return FloatFormatter()->BracketsForNegative();
}

void TBrixFloatSection::SetBracketsForNegative(bool Value)
{
    Forward(BracketsForNegative(), Value, [&] { FloatFormatter()->SetBracketsForNegative(Value); });
}

bool TBrixFloatSection::SciRange() const
{
    return FloatFormatter()->SciRange();
}

void TBrixFloatSection::SetSciRange(bool Value)
{
    Forward(SciRange(), Value, [&] { FloatFormatter()->SetSciRange(Value); });
}

Double TBrixFloatSection::SciMax() const
{
    return FloatFormatter()->SciMax();
}

void TBrixFloatSection::SetSciMax(Double Value)
{
    // The formatter ignores a NaN and keeps magnitudes (-1e9 is 1e9), so a
    // value it would not change announces nothing.
    if (std::isnan(Value) || !DoublesDiffer(SciMax(), std::fabs(Value), SettingTolerance))
        return;
    FloatFormatter()->SetSciMax(Value);
    Changed();
}

Double TBrixFloatSection::SciMin() const
{
    return FloatFormatter()->SciMin();
}

void TBrixFloatSection::SetSciMin(Double Value)
{
    // The formatter ignores a NaN and keeps magnitudes (-1e9 is 1e9), so a
    // value it would not change announces nothing.
    if (std::isnan(Value) || !DoublesDiffer(SciMin(), std::fabs(Value), SettingTolerance))
        return;
    FloatFormatter()->SetSciMin(Value);
    Changed();
}

QStringList TBrixFloatSection::StoredProperties() const
{
    QStringList Names = TBrixIntegerSection::StoredProperties();
    if (DecimalPlaces() != DefaultFloatDecimals)
        Names << QStringLiteral("DecimalPlaces");
    if (TrimTrailingZeroes())
        Names << QStringLiteral("TrimTrailingZeroes");
    if (LeadingZeroes())
        Names << QStringLiteral("LeadingZeroes");
    if (BracketsForNegative())
        Names << QStringLiteral("BracketsForNegative");
    if (SciRange())
        Names << QStringLiteral("SciRange");
    if (DoublesDiffer(SciMax(), DefaultSciMax, SettingTolerance))
        Names << QStringLiteral("SciMax");
    if (DoublesDiffer(SciMin(), DefaultSciMin, SettingTolerance))
        Names << QStringLiteral("SciMin");
    return Names;
}

// ---- TBrixCurrencySection ----

TBrixCurrencySection::TBrixCurrencySection()
    : TBrixIntegerSection(CreateOwned<TBrixCurrencyFormatter>())
{
}

TBrixCurrencyFormatter *TBrixCurrencySection::CurrencyFormatter() const
{
    return static_cast<TBrixCurrencyFormatter *>(IntegerFormatter());
}

bool TBrixCurrencySection::ShowCurrencySymbol() const
{
    return CurrencyFormatter()->ShowCurrencySymbol();
}

void TBrixCurrencySection::SetShowCurrencySymbol(bool Value)
{
    Forward(ShowCurrencySymbol(), Value,
            [&] { CurrencyFormatter()->SetShowCurrencySymbol(Value); });
}

QStringList TBrixCurrencySection::StoredProperties() const
{
    QStringList Names = TBrixIntegerSection::StoredProperties();
    if (!ShowCurrencySymbol())
        Names << QStringLiteral("ShowCurrencySymbol");
    return Names;
}

// ---- TBrixPercentSection ----

TBrixPercentSection::TBrixPercentSection()
    : TBrixIntegerSection(CreateOwned<TBrixPercentFormatter>())
{
}

TBrixPercentFormatter *TBrixPercentSection::PercentFormatter() const
{
    return static_cast<TBrixPercentFormatter *>(IntegerFormatter());
}

bool TBrixPercentSection::ShowPercentSymbol() const
{
    return PercentFormatter()->ShowPercentSymbol();
}

void TBrixPercentSection::SetShowPercentSymbol(bool Value)
{
    Forward(ShowPercentSymbol(), Value, [&] { PercentFormatter()->SetShowPercentSymbol(Value); });
}

Byte TBrixPercentSection::DecimalPlaces() const
{
    return PercentFormatter()->DecimalPlaces();
}

void TBrixPercentSection::SetDecimalPlaces(Byte Value)
{
    Forward(DecimalPlaces(), Value, [&] { PercentFormatter()->SetDecimalPlaces(Value); });
}

QStringList TBrixPercentSection::StoredProperties() const
{
    QStringList Names = TBrixIntegerSection::StoredProperties();
    if (!ShowPercentSymbol())
        Names << QStringLiteral("ShowPercentSymbol");
    if (DecimalPlaces() != PercentSectionDeclaredDecimals)
        Names << QStringLiteral("DecimalPlaces");
    return Names;
}

} // namespace Brix
