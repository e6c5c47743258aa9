#include "brix/widgets/uictrls.h"

namespace Brix {

// ---- Colours ----

bool ColorToRole(TColor Color, QPalette::ColorRole *Role)
{
    const quint32 Value = quint32(Color);
    if (Color == clNone || Color == clDefault || (Value & 0xFF000000u) != 0xFF000000u)
        return false;
    QPalette::ColorRole Found = QPalette::NoRole;
    switch (Value & 0x00FFFFFFu) {
    case 0:  // scroll bar
    case 12: // application work space
        Found = QPalette::Mid;
        break;
    case 1:  // desktop background
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
    case 30: // menu bar
        Found = QPalette::Window;
        break;
    case 2:  // active caption
    case 13: // highlight
    case 27: // gradient active caption
    case 29: // menu highlight
        Found = QPalette::Highlight;
        break;
    case 5: // window
        Found = QPalette::Base;
        break;
    case 6:  // window frame
    case 21: // 3D dark shadow
        Found = QPalette::Shadow;
        break;
    case 7:  // menu text
    case 19: // inactive caption text
        Found = QPalette::WindowText;
        break;
    case 8: // window text
        Found = QPalette::Text;
        break;
    case 9:  // caption text
    case 14: // highlight text
        Found = QPalette::HighlightedText;
        break;
    case 15: // button face
        Found = QPalette::Button;
        break;
    case 16: // button shadow
        Found = QPalette::Dark;
        break;
    case 18: // button text
        Found = QPalette::ButtonText;
        break;
    case 20: // button highlight
        Found = QPalette::Light;
        break;
    case 22: // 3D light
        Found = QPalette::Midlight;
        break;
    case 23: // info text
        Found = QPalette::ToolTipText;
        break;
    case 24: // info background
        Found = QPalette::ToolTipBase;
        break;
    case 26: // hot light
        Found = QPalette::Link;
        break;
    default: // the inactive caption and grey text need a colour group
        return false;
    }
    if (Role)
        *Role = Found;
    return true;
}

QColor ColorToQColor(TColor Color, const QPalette &Palette)
{
    if (Color == clNone || Color == clDefault)
        return QColor();
    QPalette::ColorRole Role;
    if (ColorToRole(Color, &Role))
        return Palette.color(Role);
    const quint32 Value = quint32(Color);
    if ((Value & 0xFF000000u) == 0xFF000000u) {
        switch (Value & 0x00FFFFFFu) {
        case 3:  // inactive caption
        case 28: // gradient inactive caption
            return Palette.color(QPalette::Inactive, QPalette::Highlight);
        case 17: // grey text
            return Palette.color(QPalette::Disabled, QPalette::Text);
        default:
            return QColor();
        }
    }
    if (Value & 0xFF000000u)
        return QColor();
    return QColor(int(Value & 0xFF), int((Value >> 8) & 0xFF), int((Value >> 16) & 0xFF));
}

// ---- Sections ----

bool TBrixInputSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && F == TFields();
}

void TBrixInputSection::Reset()
{
    F = TFields();
    Changed();
}

TColor TBrixColorSection::GetColor(bool Focus, bool Hot, bool ReadOnly, bool Enabled) const
{
    // A state colour of clDefault stands for that state's built-in colour.
    const auto Pick = [](TColor Color, TColor Builtin) {
        return Color == clDefault ? Builtin : Color;
    };
    if (!Enabled && F.FDisabledColor != clNone)
        return Pick(F.FDisabledColor, clBtnFace);
    if (ReadOnly && F.FReadOnlyColor != clNone)
        return Pick(F.FReadOnlyColor, 0x00FFFFF0);
    if (Focus && F.FFocusColor != clNone)
        return Pick(F.FFocusColor, 0x00E0FFFF);
    if (Hot && F.FShowHotTracking && F.FHotColor != clNone)
        return Pick(F.FHotColor, 0x00D4FF7F);
    if (F.FNormalColor == clNone || F.FNormalColor == clDefault)
        return clWindow;
    return F.FNormalColor;
}

TColor TBrixColorSection::GetFontColor(int Sign) const
{
    if (F.FShowSignDifference && Sign < 0 && F.FNegFontColor != clNone)
        return F.FNegFontColor == clDefault ? clRed : F.FNegFontColor;
    if (F.FShowSignDifference && Sign > 0 && F.FPosFontColor != clNone)
        return F.FPosFontColor == clDefault ? clNavy : F.FPosFontColor;
    if (F.FNormalFontColor == clNone || F.FNormalFontColor == clDefault)
        return clWindowText;
    return F.FNormalFontColor;
}

bool TBrixColorSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && F == TFields();
}

void TBrixColorSection::Reset()
{
    F = TFields();
    Changed();
}

bool TBrixColorListSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && F == TFields();
}

void TBrixColorListSection::Reset()
{
    F = TFields();
    Changed();
}

bool TBrixFontListSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && F == TFields();
}

void TBrixFontListSection::Reset()
{
    F = TFields();
    Changed();
}

TBrixDrawSection::TBrixDrawSection() : FHeaderFont(DefaultHeaderFont())
{
    HookHeaderFont();
}

void TBrixDrawSection::HookHeaderFont()
{
    FHeaderFont.SetOnChange([this] { HeaderFontChanged(); });
}

void TBrixDrawSection::HeaderFontChanged()
{
    Changed();
}

void TBrixDrawSection::SetHeaderFont(const TFont &Value)
{
    if (FontsEqual(FHeaderFont, Value))
        return;
    FHeaderFont.Assign(Value); // the font reports this change itself
    Changed();
}

bool TBrixDrawSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && FontsEqual(FHeaderFont, DefaultHeaderFont()) &&
           FFrameSize == 1 && FFrameGap == 1 && FItemGap == 5 && FBoxWidth == 18 &&
           FBoxMargin == 0 && FCheckStyle == csTick && FCheckFrameStyle == fsNone &&
           FFocusPenStyle == psDot && FGroupFrameStyle == gfsRound && FGroupItemMargin == 6 &&
           FGroupTopMargin == 1;
}

void TBrixDrawSection::Reset()
{
    // A fresh copy, hooked afterwards, so the replacement itself is silent.
    FHeaderFont.SetOnChange(nullptr);
    FHeaderFont = DefaultHeaderFont();
    HookHeaderFont();
    FFrameSize = 1;
    FFrameGap = 1;
    FItemGap = 5;
    FBoxWidth = 18;
    FBoxMargin = 0;
    FCheckStyle = csTick;
    FCheckFrameStyle = fsNone;
    FFocusPenStyle = psDot;
    FGroupFrameStyle = gfsRound;
    FGroupItemMargin = 6;
    FGroupTopMargin = 1;
    Changed();
}

TBrixCalculatorSection::TBrixCalculatorSection() : FDisplayFont(ApplicationDefaultFont()) {}

void TBrixCalculatorSection::SetDisplayFont(const TFont &Value)
{
    FDisplayFont = Value;
    Changed();
}

bool TBrixCalculatorSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && FBackgroundColor == clBtnFace &&
           FValueColor == clBtnFace && FontsEqual(FDisplayFont, ApplicationDefaultFont());
}

void TBrixCalculatorSection::Reset()
{
    FBackgroundColor = clBtnFace;
    FValueColor = clBtnFace;
    FDisplayFont = ApplicationDefaultFont();
    Changed();
}

TBrixCalendarSection::TBrixCalendarSection() : FDisplayFont(ApplicationDefaultFont()) {}

void TBrixCalendarSection::SetDisplayFont(const TFont &Value)
{
    FDisplayFont = Value;
    Changed();
}

bool TBrixCalendarSection::GetAllDefaults() const
{
    return TBrixBaseSection::GetAllDefaults() && FBackgroundColor == clBtnFace &&
           FWeekEndColor == clInfoBk && FWeekNoColor == 0x00FFFFF0 && FDayColor == clWindow &&
           FLineColor == clWindowFrame && FHighlightLineColor == clHighlight &&
           FOtherMonthFontColor == clInactiveCaption && FFontColor == clWindowText &&
           FSelectedCellColor == clHighlight && FSelectedFontColor == clHighlightText &&
           FontsEqual(FDisplayFont, ApplicationDefaultFont()) && FDblClickSelect && !FISOMode &&
           FWeekEndDays == DefaultWeekEndDays && !FHideFastDatesBtn && !FHideWeekNos;
}

void TBrixCalendarSection::Reset()
{
    FBackgroundColor = clBtnFace;
    FWeekEndColor = clInfoBk;
    FWeekNoColor = 0x00FFFFF0;
    FDayColor = clWindow;
    FLineColor = clWindowFrame;
    FHighlightLineColor = clHighlight;
    FOtherMonthFontColor = clInactiveCaption;
    FFontColor = clWindowText;
    FSelectedCellColor = clHighlight;
    FSelectedFontColor = clHighlightText;
    FDisplayFont = ApplicationDefaultFont();
    FDblClickSelect = true;
    FISOMode = false;
    FWeekEndDays = DefaultWeekEndDays;
    FHideFastDatesBtn = false;
    FHideWeekNos = false;
    Changed();
}

const TFont &DefaultHeaderFont()
{
    static const TFont Font(QStringLiteral("Arial"), 9, FontStyleBit(fsBold));
    return Font;
}

// ---- TBrixUICtrl ----

void TBrixUICtrl::InitInternals()
{
    TBrixBaseComponent::InitInternals();
    FInUpdate = false;
    FLanguage = DefaultLanguage;
    // Sections start with their defaults; the handlers are hooked afterwards,
    // so creating them raises nothing.
    FInputSettings = std::make_unique<TBrixInputSection>();
    FInputSettings->SetOnChange([this](TObject *Sender) { InputSettingsChanged(Sender); });
    FColorSettings = std::make_unique<TBrixColorSection>();
    FColorSettings->SetOnChange([this](TObject *Sender) { ColorSettingsChanged(Sender); });
    FColorListSettings = std::make_unique<TBrixColorListSection>();
    FColorListSettings->SetOnChange([this](TObject *Sender) { ColorListSettingsChanged(Sender); });
    FFontListSettings = std::make_unique<TBrixFontListSection>();
    FFontListSettings->SetOnChange([this](TObject *Sender) { FontListSettingsChanged(Sender); });
    FDrawSettings = std::make_unique<TBrixDrawSection>();
    FDrawSettings->SetOnChange([this](TObject *Sender) { DrawSettingsChanged(Sender); });
    FCalculatorSettings = std::make_unique<TBrixCalculatorSection>();
    FCalculatorSettings->SetOnChange(
        [this](TObject *Sender) { CalculatorSettingsChanged(Sender); });
    FCalendarSettings = std::make_unique<TBrixCalendarSection>();
    FCalendarSettings->SetOnChange([this](TObject *Sender) { CalendarSettingsChanged(Sender); });
}

void TBrixUICtrl::DoneInternals()
{
    FOnChange = nullptr;
    const auto Drop = [](auto &Section) {
        if (!Section)
            return;
        Section->SetOnChange(nullptr);
        Section.reset();
    };
    Drop(FCalendarSettings);
    Drop(FCalculatorSettings);
    Drop(FColorSettings);
    Drop(FColorListSettings);
    Drop(FFontListSettings);
    Drop(FDrawSettings);
    Drop(FInputSettings);
    TBrixBaseComponent::DoneInternals();
}

void TBrixUICtrl::SetLanguage(TBrixLanguage Value)
{
    if (Value == FLanguage)
        return;
    FLanguage = Value;
    if (IsLoading() || FInUpdate)
        return;
    NotifyChange();
    if (FOnLanguageChange)
        FOnLanguageChange(this, FLanguage);
}

void TBrixUICtrl::InputSettingsChanged(TObject *)
{
    if (IsLoading())
        return;
    if (FOnInputSettingsChange)
        FOnInputSettingsChange(this);
    if (FOnChange)
        FOnChange(this);
}

void TBrixUICtrl::SectionChanged(const TNotifyEvent &SectionEvent)
{
    if (IsLoading() || FInUpdate)
        return;
    NotifyChange();
    if (SectionEvent)
        SectionEvent(this);
    if (FOnChange)
        FOnChange(this);
}

void TBrixUICtrl::ColorSettingsChanged(TObject *)
{
    SectionChanged(FOnColorSettingsChange);
}

void TBrixUICtrl::ColorListSettingsChanged(TObject *)
{
    SectionChanged(FOnColorListSettingsChange);
}

void TBrixUICtrl::FontListSettingsChanged(TObject *)
{
    SectionChanged(FOnFontListSettingsChange);
}

void TBrixUICtrl::DrawSettingsChanged(TObject *)
{
    SectionChanged(FOnDrawSettingsChange);
}

void TBrixUICtrl::CalculatorSettingsChanged(TObject *)
{
    SectionChanged(FOnCalculatorSettingsChange);
}

void TBrixUICtrl::CalendarSettingsChanged(TObject *)
{
    SectionChanged(FOnCalendarSettingsChange);
}

void TBrixUICtrl::Loaded()
{
    TBrixBaseComponent::Loaded();
    NotifyChange();
}

} // namespace Brix
