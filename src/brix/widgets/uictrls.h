/// @file
/// The UI control: a non-visual component holding the look-and-feel settings
/// that the library's controls share (a text language and seven settings
/// sections). Controls link to it through their UICtrl property; when a
/// section changes, every linked control is told LinkChanged and re-reads
/// what it uses. Also the colour constants and their mapping to Qt.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/widgets/fontlists.h"

#include <QColor>
#include <QPalette>
#include <QStringList>

#include <memory>

namespace Brix {

// ---- Colours ----

/// A system colour: 0xFF000000 plus the system colour index.
constexpr TColor SystemColor(int Index)
{
    return TColor(0xFF000000u | quint32(Index));
}

/// Stand for the colours of the desktop's colour roles; ColorToQColor maps them through a
/// palette.
///@{
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
///@}

/// Fixed colours, written 0x00BBGGRR.
///@{
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clMaroon = 0x00000080;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clPurple = 0x00800080;
inline constexpr TColor clTeal = 0x00808000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;
///@}

/// The Qt colour of Color: a plain colour 0x00BBGGRR as it is; a system
/// colour from the matching role of Palette (clWindow -> Base, clWindowText
/// -> Text, clBtnFace -> Button, clHighlight -> Highlight, clInfoBk ->
/// ToolTipBase, clGrayText -> disabled Text...). clNone and clDefault give an
/// invalid QColor (the caller keeps its own colour).
BRIX_CONTROLS_EXPORT QColor ColorToQColor(TColor Color, const QPalette &Palette = QPalette());

/// Whether Color is a system colour that stands for a palette role of the
/// active group, and which (into Role when not null): clBtnFace -> Button,
/// clWindow -> Base, ... as ColorToQColor. A control that takes such a role
/// (QWidget::setBackgroundRole) rather than its colour follows a later
/// change of the palette. False for plain colours, clNone, clDefault and the
/// system colours of another group (clGrayText, clInactiveCaption).
BRIX_CONTROLS_EXPORT bool ColorToRole(TColor Color, QPalette::ColorRole *Role = nullptr);

// ---- Sections ----

/// Keyboard behaviour of the edit controls.
class BRIX_CONTROLS_EXPORT TBrixInputSection : public TBrixBaseSection
{
public:
    /// Each reads one setting of the edit controls' keyboard handling; its Set... stores a new
    /// value and, when it differs, raises the section's change event.
    ///@{
    bool AllowKbdNull() const { return F.FAllowKbdNull; }
    void SetAllowKbdNull(bool Value) { SetProperty(F.FAllowKbdNull, Value); }
    bool AllowThousandsSeparators() const { return F.FAllowThousandsSeparators; }
    void SetAllowThousandsSeparators(bool Value)
    {
        SetProperty(F.FAllowThousandsSeparators, Value);
    }
    bool EnterAsTab() const { return F.FEnterAsTab; }
    void SetEnterAsTab(bool Value) { SetProperty(F.FEnterAsTab, Value); }
    bool EnterDoesExit() const { return F.FEnterDoesExit; }
    void SetEnterDoesExit(bool Value) { SetProperty(F.FEnterDoesExit, Value); }
    bool EscAsUndo() const { return F.FEscAsUndo; }
    void SetEscAsUndo(bool Value) { SetProperty(F.FEscAsUndo, Value); }
    bool ArrowsAsTab() const { return F.FArrowsAsTab; }
    void SetArrowsAsTab(bool Value) { SetProperty(F.FArrowsAsTab, Value); }
    bool AutoThousands() const { return F.FAutoThousands; }
    void SetAutoThousands(bool Value) { SetProperty(F.FAutoThousands, Value); }
    bool NumPadDecimal() const { return F.FNumPadDecimal; }
    void SetNumPadDecimal(bool Value) { SetProperty(F.FNumPadDecimal, Value); }
    bool NegativeToggle() const { return F.FNegativeToggle; }
    void SetNegativeToggle(bool Value) { SetProperty(F.FNegativeToggle, Value); }
    ///@}

    bool GetAllDefaults() const override;
    void Reset() override;

private:
    /// The settings compared and reset as one.
    struct TFields
    {
        bool FAllowKbdNull = true;
        bool FAllowThousandsSeparators = true;
        bool FEnterAsTab = false;
        bool FEnterDoesExit = false;
        bool FEscAsUndo = false;
        bool FArrowsAsTab = false;
        bool FAutoThousands = false;
        bool FNumPadDecimal = true;
        bool FNegativeToggle = false;
        bool operator==(const TFields &) const = default;
    };
    TFields F;
};

/// Background and text colours of the controls by state.
class BRIX_CONTROLS_EXPORT TBrixColorSection : public TBrixBaseSection
{
public:
    /// Each reads one colour or switch; its Set... stores a new value and, when it differs,
    /// raises the section's change event. GetColor and GetFontColor decide which one a control
    /// uses.
    ///@{
    bool ShowSignDifference() const { return F.FShowSignDifference; }
    void SetShowSignDifference(bool Value) { SetProperty(F.FShowSignDifference, Value); }
    bool ShowHotTracking() const { return F.FShowHotTracking; }
    void SetShowHotTracking(bool Value) { SetProperty(F.FShowHotTracking, Value); }
    TColor NormalColor() const { return F.FNormalColor; }
    void SetNormalColor(TColor Value) { SetProperty(F.FNormalColor, Value); }
    TColor NormalFontColor() const { return F.FNormalFontColor; }
    void SetNormalFontColor(TColor Value) { SetProperty(F.FNormalFontColor, Value); }
    TColor FocusColor() const { return F.FFocusColor; }
    void SetFocusColor(TColor Value) { SetProperty(F.FFocusColor, Value); }
    TColor HotColor() const { return F.FHotColor; }
    void SetHotColor(TColor Value) { SetProperty(F.FHotColor, Value); }
    TColor ReadOnlyColor() const { return F.FReadOnlyColor; }
    void SetReadOnlyColor(TColor Value) { SetProperty(F.FReadOnlyColor, Value); }
    TColor DisabledColor() const { return F.FDisabledColor; }
    void SetDisabledColor(TColor Value) { SetProperty(F.FDisabledColor, Value); }
    TColor PositiveFontColor() const { return F.FPosFontColor; }
    void SetPositiveFontColor(TColor Value) { SetProperty(F.FPosFontColor, Value); }
    TColor NegativeFontColor() const { return F.FNegFontColor; }
    void SetNegativeFontColor(TColor Value) { SetProperty(F.FNegFontColor, Value); }
    TColor FrameNormalColor() const { return F.FFrameNormalColor; }
    void SetFrameNormalColor(TColor Value) { SetProperty(F.FFrameNormalColor, Value); }
    TColor FrameFocusColor() const { return F.FFrameFocusColor; }
    void SetFrameFocusColor(TColor Value) { SetProperty(F.FFrameFocusColor, Value); }
    TColor FrameHotColor() const { return F.FFrameHotColor; }
    void SetFrameHotColor(TColor Value) { SetProperty(F.FFrameHotColor, Value); }
    TColor FrameDisabledColor() const { return F.FFrameDisabledColor; }
    void SetFrameDisabledColor(TColor Value) { SetProperty(F.FFrameDisabledColor, Value); }
    TColor MarkNormalColor() const { return F.FMarkNormalColor; }
    void SetMarkNormalColor(TColor Value) { SetProperty(F.FMarkNormalColor, Value); }
    TColor MarkFocusColor() const { return F.FMarkFocusColor; }
    void SetMarkFocusColor(TColor Value) { SetProperty(F.FMarkFocusColor, Value); }
    TColor MarkHotColor() const { return F.FMarkHotColor; }
    void SetMarkHotColor(TColor Value) { SetProperty(F.FMarkHotColor, Value); }
    TColor MarkReadOnlyColor() const { return F.FMarkReadOnlyColor; }
    void SetMarkReadOnlyColor(TColor Value) { SetProperty(F.FMarkReadOnlyColor, Value); }
    TColor MarkDisabledColor() const { return F.FMarkDisabledColor; }
    void SetMarkDisabledColor(TColor Value) { SetProperty(F.FMarkDisabledColor, Value); }
    TColor ItemNormalColor() const { return F.FItemNormalColor; }
    void SetItemNormalColor(TColor Value) { SetProperty(F.FItemNormalColor, Value); }
    TColor ItemFocusColor() const { return F.FItemFocusColor; }
    void SetItemFocusColor(TColor Value) { SetProperty(F.FItemFocusColor, Value); }
    TColor ItemHotColor() const { return F.FItemHotColor; }
    void SetItemHotColor(TColor Value) { SetProperty(F.FItemHotColor, Value); }
    TColor ItemReadOnlyColor() const { return F.FItemReadOnlyColor; }
    void SetItemReadOnlyColor(TColor Value) { SetProperty(F.FItemReadOnlyColor, Value); }
    TColor ItemDisabledColor() const { return F.FItemDisabledColor; }
    void SetItemDisabledColor(TColor Value) { SetProperty(F.FItemDisabledColor, Value); }
    TColor LabelHotColor() const { return F.FLabelHotColor; }
    void SetLabelHotColor(TColor Value) { SetProperty(F.FLabelHotColor, Value); }
    bool LabelHotUnderline() const { return F.FLabelHotUnderline; }
    void SetLabelHotUnderline(bool Value) { SetProperty(F.FLabelHotUnderline, Value); }
    ///@}

    /// Background colour of a control in a state; the first rule that applies
    /// decides: disabled, read-only, focused, hot (only with ShowHotTracking),
    /// normal. A colour set to clNone switches its state off (the next rule
    /// is tried); clDefault gives that state's built-in colour.
    /// Defaults: GetColor(true, false, true, true) == 0x00FFFFF0 (read-only
    /// wins over focus); GetColor(false, false, false, false) == clBtnFace.
    TColor GetColor(bool Focus, bool Hot, bool ReadOnly, bool Enabled) const;
    /// Text colour of a numeric control whose value has sign Sign (-1, 0, 1):
    /// the negative or positive colour with ShowSignDifference, else the
    /// normal one. GetFontColor(-1) == clWindowText by default, clRed with
    /// ShowSignDifference.
    TColor GetFontColor(int Sign) const;

    bool GetAllDefaults() const override;
    void Reset() override;

private:
    /// Held in this order; the published order differs.
    struct TFields
    {
        TColor FNormalColor = clWindow;
        TColor FNormalFontColor = clWindowText;
        TColor FFocusColor = 0x00E0FFFF;
        TColor FHotColor = 0x00D4FF7F;
        TColor FReadOnlyColor = 0x00FFFFF0;
        TColor FDisabledColor = clBtnFace;
        TColor FPosFontColor = clNavy;
        TColor FNegFontColor = clRed;
        bool FShowSignDifference = false;
        bool FShowHotTracking = false;
        TColor FFrameNormalColor = clWindowFrame;
        TColor FFrameFocusColor = clHighlight;
        TColor FFrameHotColor = clHighlight;
        TColor FFrameDisabledColor = clInactiveBorder;
        TColor FMarkNormalColor = clWindowText;
        TColor FMarkFocusColor = clHighlight;
        TColor FMarkHotColor = clHighlight;
        TColor FMarkReadOnlyColor = clWindowText;
        TColor FMarkDisabledColor = clInactiveCaption;
        TColor FItemNormalColor = clWindowText;
        TColor FItemFocusColor = clWindowText;
        TColor FItemHotColor = clHighlight;
        TColor FItemReadOnlyColor = clWindowText;
        TColor FItemDisabledColor = clInactiveCaption;
        TColor FLabelHotColor = clHighlight;
        bool FLabelHotUnderline = false;
        bool operator==(const TFields &) const = default;
    } F;
};

/// Settings of colour pickers (held, not read by the library's controls).
class BRIX_CONTROLS_EXPORT TBrixColorListSection : public TBrixBaseSection
{
public:
    /// Each reads one setting; its Set... stores a new value and, when it differs, raises the
    /// section's change event.
    ///@{
    bool ShowSystemColors() const { return F.FShowSystemColors; }
    void SetShowSystemColors(bool Value) { SetProperty(F.FShowSystemColors, Value); }
    bool ShowAdditionalColors() const { return F.FShowAdditionalColors; }
    void SetShowAdditionalColors(bool Value) { SetProperty(F.FShowAdditionalColors, Value); }
    bool ShowHTMLColors() const { return F.FShowHTMLColors; }
    void SetShowHTMLColors(bool Value) { SetProperty(F.FShowHTMLColors, Value); }
    bool ShowCustomColor() const { return F.FShowCustomColor; }
    void SetShowCustomColor(bool Value) { SetProperty(F.FShowCustomColor, Value); }
    bool TextOnColorBackground() const { return F.FTextOnColorBackground; }
    void SetTextOnColorBackground(bool Value) { SetProperty(F.FTextOnColorBackground, Value); }
    ///@}
    /// Stored as given; writing them raises no change event.
    ///@{
    /// Plain fields: writing them raises no change event.
    int ShowBoxWidth() const { return F.FShowBoxWidth; }
    void SetShowBoxWidth(int Value) { F.FShowBoxWidth = Value; }
    bool ShowBoxBorder() const { return F.FShowBoxBorder; }
    void SetShowBoxBorder(bool Value) { F.FShowBoxBorder = Value; }
    const QStringList &CustomColors() const { return FCustomColors; }
    /// Copies the given lines.
    void SetCustomColors(const QStringList &Value) { FCustomColors = Value; }
    ///@}

    bool GetAllDefaults() const override;
    void Reset() override;

private:
    /// The settings compared and reset as one.
    struct TFields
    {
        bool FShowSystemColors = true;
        bool FShowAdditionalColors = true;
        bool FShowHTMLColors = false;
        bool FShowCustomColor = true;
        bool FTextOnColorBackground = false;
        int FShowBoxWidth = 40;
        bool FShowBoxBorder = true;
        bool operator==(const TFields &) const = default;
    };
    TFields F;
    QStringList FCustomColors;
};

/// Kinds of output device a font list can be filtered by.
enum TBrixDevice
{
    edScreen,
    edPrinter
};
using TBrixDevices = Byte;     ///< set of TBrixDevice: bit 1 << device
using TBrixFontTypes = Byte;   ///< set of TBrixFontType
using TBrixFontPitches = Byte; ///< set of TBrixFontPitch
/// The full sets, the defaults of TBrixFontListSection.
///@{
inline constexpr TBrixDevices AllBrixDevices = 0x03;
inline constexpr TBrixFontTypes AllBrixFontTypes = 0x0F;
inline constexpr TBrixFontPitches AllBrixFontPitches = 0x07;
///@}

/// Filter settings of font pickers (held, not read by the library's controls).
class BRIX_CONTROLS_EXPORT TBrixFontListSection : public TBrixBaseSection
{
public:
    /// Each reads one filter setting; its Set... stores a new value and, when it differs,
    /// raises the section's change event.
    ///@{
    TBrixDevices Devices() const { return F.FDevices; }
    void SetDevices(TBrixDevices Value) { SetProperty(F.FDevices, Value); }
    TBrixFontTypes FontTypes() const { return F.FFontTypes; }
    void SetFontTypes(TBrixFontTypes Value) { SetProperty(F.FFontTypes, Value); }
    TBrixFontPitches FontPitches() const { return F.FFontPitches; }
    void SetFontPitches(TBrixFontPitches Value) { SetProperty(F.FFontPitches, Value); }
    const QString &FontSample() const { return F.FFontSample; }
    void SetFontSample(const QString &Value) { SetProperty(F.FFontSample, Value); }
    ///@}
    /// Stored as given; writing them raises no change event. CustomFonts is the list itself, to
    /// be changed in place.
    ///@{
    /// Plain fields: writing them raises no change event.
    int ShowBoxWidth() const { return F.FShowBoxWidth; }
    void SetShowBoxWidth(int Value) { F.FShowBoxWidth = Value; }
    bool ShowBoxBorder() const { return F.FShowBoxBorder; }
    void SetShowBoxBorder(bool Value) { F.FShowBoxBorder = Value; }
    QStringList &CustomFonts() { return FCustomFonts; }
    ///@}

    bool GetAllDefaults() const override;
    void Reset() override;

private:
    /// The settings compared and reset as one.
    struct TFields
    {
        TBrixDevices FDevices = AllBrixDevices;
        TBrixFontTypes FFontTypes = AllBrixFontTypes;
        TBrixFontPitches FFontPitches = AllBrixFontPitches;
        QString FFontSample = QStringLiteral("AaBb");
        int FShowBoxWidth = 40;
        bool FShowBoxBorder = true;
        bool operator==(const TFields &) const = default;
    };
    TFields F;
    QStringList FCustomFonts;
};

/// The mark drawn in a check box.
enum TBrixCheckStyle
{
    csTick,
    csCross
};
/// The frame drawn around a check box or list item.
enum TBrixFrameStyle
{
    fsNone,
    fsSimple,
    fsRaised,
    fsSunken,
    fsRound
};
/// The pen of a focus rectangle.
enum TPenStyle
{
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
/// The frame drawn around a group of controls.
enum TBrixGroupFrameStyle
{
    gfsNone,
    gfsNormal,
    gfsSimple,
    gfsRound
};

/// Drawing settings of list and group controls (held, not read here).
class BRIX_CONTROLS_EXPORT TBrixDrawSection : public TBrixBaseSection
{
public:
    TBrixDrawSection();
    TBrixDrawSection(const TBrixDrawSection &) = delete;

    ///@{
    /// The owned header font; changing one of its attributes raises one
    /// change event.
    TFont &HeaderFont() { return FHeaderFont; }
    const TFont &HeaderFont() const { return FHeaderFont; }
    ///@}
    /// Nothing when FontsEqual finds the fonts equal; otherwise copies the
    /// attributes (one change event from the font) and raises a second one.
    void SetHeaderFont(const TFont &Value);
    /// Each reads one size or style; its Set... stores a new value and, when it differs, raises
    /// the section's change event.
    ///@{
    int FrameSize() const { return FFrameSize; }
    void SetFrameSize(int Value) { SetProperty(FFrameSize, Value); }
    int FrameGap() const { return FFrameGap; }
    void SetFrameGap(int Value) { SetProperty(FFrameGap, Value); }
    int ItemGap() const { return FItemGap; }
    void SetItemGap(int Value) { SetProperty(FItemGap, Value); }
    int BoxWidth() const { return FBoxWidth; }
    void SetBoxWidth(int Value) { SetProperty(FBoxWidth, Value); }
    int BoxMargin() const { return FBoxMargin; }
    void SetBoxMargin(int Value) { SetProperty(FBoxMargin, Value); }
    TBrixCheckStyle CheckStyle() const { return FCheckStyle; }
    void SetCheckStyle(TBrixCheckStyle Value) { SetProperty(FCheckStyle, Value); }
    TBrixFrameStyle CheckFrameStyle() const { return FCheckFrameStyle; }
    void SetCheckFrameStyle(TBrixFrameStyle Value) { SetProperty(FCheckFrameStyle, Value); }
    TPenStyle FocusPenStyle() const { return FFocusPenStyle; }
    void SetFocusPenStyle(TPenStyle Value) { SetProperty(FFocusPenStyle, Value); }
    TBrixGroupFrameStyle GroupFrameStyle() const { return FGroupFrameStyle; }
    void SetGroupFrameStyle(TBrixGroupFrameStyle Value) { SetProperty(FGroupFrameStyle, Value); }
    int GroupItemMargin() const { return FGroupItemMargin; }
    void SetGroupItemMargin(int Value) { SetProperty(FGroupItemMargin, Value); }
    int GroupTopMargin() const { return FGroupTopMargin; }
    void SetGroupTopMargin(int Value) { SetProperty(FGroupTopMargin, Value); }
    ///@}

    bool GetAllDefaults() const override;
    void Reset() override;
    /// Called by the header font on any change: one change event.
    virtual void HeaderFontChanged();

private:
    void HookHeaderFont();

    TFont FHeaderFont;
    int FFrameSize = 1;
    int FFrameGap = 1;
    int FItemGap = 5;
    int FBoxWidth = 18;
    int FBoxMargin = 0;
    TBrixCheckStyle FCheckStyle = csTick;
    TBrixFrameStyle FCheckFrameStyle = fsNone;
    TPenStyle FFocusPenStyle = psDot;
    TBrixGroupFrameStyle FGroupFrameStyle = gfsRound;
    int FGroupItemMargin = 6;
    int FGroupTopMargin = 1;
};

/// Colours and display font of the calculator windows.
class BRIX_CONTROLS_EXPORT TBrixCalculatorSection : public TBrixBaseSection
{
public:
    TBrixCalculatorSection();

    /// Each reads one colour; its Set... stores a new value and, when it differs, raises the
    /// section's change event.
    ///@{
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { SetProperty(FBackgroundColor, Value); }
    TColor ValueColor() const { return FValueColor; }
    void SetValueColor(TColor Value) { SetProperty(FValueColor, Value); }
    ///@}
    ///@{
    /// The owned display font; changing its attributes directly raises nothing.
    TFont &DisplayFont() { return FDisplayFont; }
    const TFont &DisplayFont() const { return FDisplayFont; }
    ///@}
    /// Copies the attributes and always raises the change event.
    void SetDisplayFont(const TFont &Value);

    /// The display font is compared with the application's default font of
    /// the moment.
    bool GetAllDefaults() const override;
    void Reset() override;

private:
    TColor FBackgroundColor = clBtnFace;
    TColor FValueColor = clBtnFace;
    TFont FDisplayFont;
};

/// A day of the week; dowUnknown for none.
enum TBrixDayOfWeek
{
    dowUnknown,
    dowSunday,
    dowMonday,
    dowTuesday,
    dowWednesday,
    dowThursday,
    dowFriday,
    dowSaturday
};
using TBrixDOWSet = Byte; ///< set of TBrixDayOfWeek: bit 1 << day
/// The bit of Day in a TBrixDOWSet.
constexpr TBrixDOWSet DOWBit(TBrixDayOfWeek Day)
{
    return TBrixDOWSet(1u << Day);
}
/// Saturday and Sunday.
inline constexpr TBrixDOWSet DefaultWeekEndDays = DOWBit(dowSunday) | DOWBit(dowSaturday);

/// Calendar settings (held, not read by the library's controls).
class BRIX_CONTROLS_EXPORT TBrixCalendarSection : public TBrixBaseSection
{
public:
    TBrixCalendarSection();

    /// Each reads one colour; its Set... stores a new value and, when it differs, raises the
    /// section's change event.
    ///@{
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { SetProperty(FBackgroundColor, Value); }
    TColor WeekEndColor() const { return FWeekEndColor; }
    void SetWeekEndColor(TColor Value) { SetProperty(FWeekEndColor, Value); }
    TColor WeekNoColor() const { return FWeekNoColor; }
    void SetWeekNoColor(TColor Value) { SetProperty(FWeekNoColor, Value); }
    TColor DayColor() const { return FDayColor; }
    void SetDayColor(TColor Value) { SetProperty(FDayColor, Value); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { SetProperty(FLineColor, Value); }
    TColor HighlightLineColor() const { return FHighlightLineColor; }
    void SetHighlightLineColor(TColor Value) { SetProperty(FHighlightLineColor, Value); }
    TColor OtherMonthFontColor() const { return FOtherMonthFontColor; }
    void SetOtherMonthFontColor(TColor Value) { SetProperty(FOtherMonthFontColor, Value); }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { SetProperty(FFontColor, Value); }
    TColor SelectedCellColor() const { return FSelectedCellColor; }
    void SetSelectedCellColor(TColor Value) { SetProperty(FSelectedCellColor, Value); }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor Value) { SetProperty(FSelectedFontColor, Value); }
    ///@}
    /// The owned display font; changing its attributes directly raises nothing.
    ///@{
    TFont &DisplayFont() { return FDisplayFont; }
    const TFont &DisplayFont() const { return FDisplayFont; }
    ///@}
    /// Copies the attributes and always raises the change event.
    void SetDisplayFont(const TFont &Value);
    /// Each reads one switch or the week-end days; the Set... functions below change them.
    ///@{
    bool DblClickSelect() const { return FDblClickSelect; }
    bool ISOMode() const { return FISOMode; }
    TBrixDOWSet WeekEndDays() const { return FWeekEndDays; }
    bool HideFastDatesBtn() const { return FHideFastDatesBtn; }
    bool HideWeekNos() const { return FHideWeekNos; }
    ///@}

    bool GetAllDefaults() const override;
    void Reset() override;

    /// Each stores a new value and, when it differs, raises the section's change event.
    ///@{
    virtual void SetWeekEndDays(TBrixDOWSet Value) { SetProperty(FWeekEndDays, Value); }
    virtual void SetISOMode(bool Value) { SetProperty(FISOMode, Value); }
    virtual void SetHideFastDatesBtn(bool Value) { SetProperty(FHideFastDatesBtn, Value); }
    virtual void SetHideWeekNos(bool Value) { SetProperty(FHideWeekNos, Value); }
    virtual void SetDblClickSelect(bool Value) { SetProperty(FDblClickSelect, Value); }
    ///@}

private:
    TColor FBackgroundColor = clBtnFace;
    TColor FWeekEndColor = clInfoBk;
    TColor FWeekNoColor = 0x00FFFFF0;
    TColor FDayColor = clWindow;
    TColor FLineColor = clWindowFrame;
    TColor FHighlightLineColor = clHighlight;
    TColor FOtherMonthFontColor = clInactiveCaption;
    TColor FFontColor = clWindowText;
    TColor FSelectedCellColor = clHighlight;
    TColor FSelectedFontColor = clHighlightText;
    TFont FDisplayFont;
    bool FDblClickSelect = true;
    bool FISOMode = false;
    TBrixDOWSet FWeekEndDays = DefaultWeekEndDays;
    bool FHideFastDatesBtn = false;
    bool FHideWeekNos = false;
};

/// The shared header font: "Arial", 9 pt, bold, default colour and
/// character set.
BRIX_CONTROLS_EXPORT const TFont &DefaultHeaderFont();

// ---- The UI control ----

/// The UI control: a language and seven settings sections that the linked controls read. A
/// change of the language or of a section (except the input section) tells every linked control
/// LinkChanged, then raises the section's event and OnChange.
class BRIX_CONTROLS_EXPORT TBrixUICtrl : public TBrixBaseComponent
{
public:
    /// Constructs only; use Create to get an initialised control.
    explicit TBrixUICtrl(TComponent *AOwner = nullptr) : TBrixBaseComponent(AOwner) {}
    /// Constructs and initialises (sections created with their defaults).
    static TBrixUICtrl *Create(TComponent *AOwner = nullptr)
    {
        return Brix::Create<TBrixUICtrl>(AOwner);
    }

    /// The owned settings sections, created with their defaults; never null after Create.
    ///@{
    TBrixInputSection *InputSettings() const { return FInputSettings.get(); }
    TBrixColorSection *ColorSettings() const { return FColorSettings.get(); }
    TBrixColorListSection *ColorListSettings() const { return FColorListSettings.get(); }
    TBrixFontListSection *FontListSettings() const { return FFontListSettings.get(); }
    TBrixDrawSection *DrawSettings() const { return FDrawSettings.get(); }
    TBrixCalculatorSection *CalculatorSettings() const { return FCalculatorSettings.get(); }
    TBrixCalendarSection *CalendarSettings() const { return FCalendarSettings.get(); }
    ///@}

    /// Each reads one handler; its Set... replaces it. The section events fire after the
    /// section changed (and after the linked controls were told); OnChange after any of them;
    /// OnLanguageChange after a language change.
    ///@{
    const TBrixLanguageChangeEvent &OnLanguageChange() const { return FOnLanguageChange; }
    void SetOnLanguageChange(TBrixLanguageChangeEvent Value)
    {
        FOnLanguageChange = std::move(Value);
    }
    const TNotifyEvent &OnInputSettingsChange() const { return FOnInputSettingsChange; }
    void SetOnInputSettingsChange(TNotifyEvent Value) { FOnInputSettingsChange = std::move(Value); }
    const TNotifyEvent &OnColorSettingsChange() const { return FOnColorSettingsChange; }
    void SetOnColorSettingsChange(TNotifyEvent Value) { FOnColorSettingsChange = std::move(Value); }
    const TNotifyEvent &OnDrawSettingsChange() const { return FOnDrawSettingsChange; }
    void SetOnDrawSettingsChange(TNotifyEvent Value) { FOnDrawSettingsChange = std::move(Value); }
    const TNotifyEvent &OnCalculatorSettingsChange() const { return FOnCalculatorSettingsChange; }
    void SetOnCalculatorSettingsChange(TNotifyEvent Value)
    {
        FOnCalculatorSettingsChange = std::move(Value);
    }
    const TNotifyEvent &OnCalendarSettingsChange() const { return FOnCalendarSettingsChange; }
    void SetOnCalendarSettingsChange(TNotifyEvent Value)
    {
        FOnCalendarSettingsChange = std::move(Value);
    }
    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    ///@}

    ///@{
    /// Language read and write. A new value is stored; unless loading, the
    /// linked controls are told LinkChanged, then OnLanguageChange may change
    /// the stored value in place (without a further notification).
    virtual TBrixLanguage Language() const { return FLanguage; }
    virtual void SetLanguage(TBrixLanguage Value);
    ///@}

    /// The input section's changes skip the linked controls: only its own
    /// event and OnChange fire (nothing while loading).
    virtual void InputSettingsChanged(TObject *Sender);
    ///@{
    /// The other sections: nothing while loading (or in an update); else
    /// LinkChanged to every linked control, the section's event, OnChange.
    virtual void ColorSettingsChanged(TObject *Sender);
    virtual void ColorListSettingsChanged(TObject *Sender);
    virtual void FontListSettingsChanged(TObject *Sender);
    virtual void DrawSettingsChanged(TObject *Sender);
    virtual void CalculatorSettingsChanged(TObject *Sender);
    virtual void CalendarSettingsChanged(TObject *Sender);
    ///@}

    /// End of loading: tells the linked controls once.
    void Loaded() override;

    /// Create the sections with their defaults (InitInternals) and free them (DoneInternals) around
    /// the base class's same functions.
    ///@{
protected:
    void InitInternals() override;
    void DoneInternals() override;
    ///@}

private:
    /// A changed section: skip while loading or updating; else notify the
    /// clients, the section's event, OnChange.
    void SectionChanged(const TNotifyEvent &SectionEvent);

    TBrixLanguage FLanguage = DefaultLanguage;
    bool FInUpdate = false;
    std::unique_ptr<TBrixInputSection> FInputSettings;
    std::unique_ptr<TBrixColorSection> FColorSettings;
    std::unique_ptr<TBrixColorListSection> FColorListSettings;
    std::unique_ptr<TBrixFontListSection> FFontListSettings;
    std::unique_ptr<TBrixDrawSection> FDrawSettings;
    std::unique_ptr<TBrixCalculatorSection> FCalculatorSettings;
    std::unique_ptr<TBrixCalendarSection> FCalendarSettings;
    TNotifyEvent FOnInputSettingsChange;
    TNotifyEvent FOnColorSettingsChange;
    TNotifyEvent FOnColorListSettingsChange;
    TNotifyEvent FOnFontListSettingsChange;
    TNotifyEvent FOnDrawSettingsChange;
    TNotifyEvent FOnCalculatorSettingsChange;
    TNotifyEvent FOnCalendarSettingsChange;
    TNotifyEvent FOnChange;
    TBrixLanguageChangeEvent FOnLanguageChange;
};

} // namespace Brix
