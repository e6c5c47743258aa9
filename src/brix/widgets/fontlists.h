/// @file
/// Fonts as the library's controls hold them (TFont, a value type with an
/// optional change callback, mapped to QFont), the font comparison FontsEqual,
/// and the lists of installed font faces (ScreenFonts, PrinterFonts).
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace Brix {

/// Font style flags; a TFontStyles value is a set of them (bit 1 << flag).
enum TFontStyle
{
    fsBold,
    fsItalic,
    fsUnderline,
    fsStrikeOut
};
/// A set of TFontStyle flags.
using TFontStyles = Byte;
/// The bit of Style in a TFontStyles set.
constexpr TFontStyles FontStyleBit(TFontStyle Style)
{
    return TFontStyles(1u << Style);
}

/// A character set number, as fonts record it.
using TFontCharset = Byte;
/// The character sets a font names most: ANSI, and the default of the system.
///@{
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
///@}

/// The text colour a font starts with (the system window-text colour).
inline constexpr TColor clFontDefault = TColor(0xFF000008u);

/// A font description: face name, size in points (Height is the same size in
/// pixels at 96 dpi, negative as a character height), colour, character set
/// and style. Copies take the attributes only; OnChange stays with the
/// object it was set on. Every setter that changes an attribute, and
/// Assign, calls OnChange once when it is set.
class BRIX_CONTROLS_EXPORT TFont
{
public:
    TFont() = default;
    /// A font of the given attributes; OnChange unset.
    TFont(QString Name, int Size, TFontStyles Style = 0, TColor Color = clFontDefault,
          TFontCharset Charset = DEFAULT_CHARSET);
    /// Copies the attributes; OnChange is not copied.
    TFont(const TFont &Other) { CopyAttributes(Other); }
    /// Copies the attributes silently (OnChange is kept and not called).
    TFont &operator=(const TFont &Other)
    {
        CopyAttributes(Other);
        return *this;
    }

    /// Copies the attributes and reports one change, equal or not, as the
    /// toolkit's font assignment does.
    void Assign(const TFont &Source);

    /// The face name and the size in points; a setter that changes the value calls OnChange
    /// once.
    ///@{
    const QString &Name() const { return FName; }
    void SetName(const QString &Value);
    int Size() const { return FSize; }
    void SetSize(int Value);
    ///@}
    ///@{
    /// -round(Size * 96 / 72); writing it sets Size = round(-Value * 72 / 96).
    int Height() const;
    void SetHeight(int Value);
    ///@}
    /// The colour, character set and style flags; a setter that changes the value calls
    /// OnChange once.
    ///@{
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    ///@}
    /// Whether the style has Flag.
    bool HasStyle(TFontStyle Flag) const { return FStyle & FontStyleBit(Flag); }

    /// The handler called once after each change of an attribute.
    ///@{
    const std::function<void()> &OnChange() const { return FOnChange; }
    void SetOnChange(std::function<void()> Value) { FOnChange = std::move(Value); }
    ///@}

    /// The Qt font of the same face, point size and style (colour and
    /// character set have no QFont counterpart).
    QFont ToQFont() const;
    /// A font from a Qt font: family, point size (pixel sizes converted at
    /// 96 dpi), style; colour clFontDefault, DEFAULT_CHARSET.
    static TFont FromQFont(const QFont &Font);

private:
    void CopyAttributes(const TFont &Other);
    void Changed();

    QString FName = QStringLiteral("Sans Serif");
    int FSize = 9;
    TColor FColor = clFontDefault;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontStyles FStyle = 0;
    std::function<void()> FOnChange;
};

/// True when name (exact, case-sensitive), size, colour, character set and
/// style are all equal. FontsEqual(TFont("Arial", 9), TFont("arial", 9)) is
/// false.
BRIX_CONTROLS_EXPORT bool FontsEqual(const TFont &A, const TFont &B);

/// The application's default font: QApplication::font() when a GUI
/// application object exists, else "Sans Serif" 9 pt.
BRIX_CONTROLS_EXPORT TFont ApplicationDefaultFont();

/// Pitch, family and type of a font face as the list reports them.
enum TBrixFontPitch
{
    efpFixed,
    efpVariable,
    efpDefault
};
/// The family of a font face, from its pitch-and-family byte.
enum TBrixFontFamily
{
    effDecorative,
    effUnknown,
    effModern,
    effRoman,
    effScript,
    effSwiss
};
/// The kind of a font face: device, raster, TrueType (outline) or another.
enum TBrixFontType
{
    eftDevice,
    eftRaster,
    eftTrueType,
    eftOther
};

/// The enumerated logical font of a face: the fields of a logical-font
/// record and the full, style and script names.
struct BRIX_CONTROLS_EXPORT TBrixEnumLogFont
{
    /// The fields of a logical-font record: height, weight, italic, character set, pitch and
    /// family, then the face, full, style and script names.
    ///@{
    int Height = 0;
    int Weight = 0;
    Byte Italic = 0;
    Byte CharSet = 0;
    Byte PitchAndFamily = 0;
    QString FaceName; ///< whole, however long
    QString FullName;
    QString Style;
    QString Script;
    ///@}
};

/// The text metrics reported with a face (in pixels).
struct BRIX_CONTROLS_EXPORT TBrixTextMetric
{
    /// The metrics of the face: height, ascent, descent, average and widest character width in
    /// pixels, weight, italic, pitch and family, character set.
    ///@{
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int Weight = 0;
    Byte Italic = 0;
    Byte PitchAndFamily = 0;
    Byte CharSet = 0;
    ///@}
};

class TBrixFontList;

/// One face of a font list.
class BRIX_CONTROLS_EXPORT TBrixFontItem
{
public:
    ///@{
    /// Font-type bits: 1 raster, 2 device, 4 TrueType (scalable outline).
    int FontTypeInt() const { return fFontTypeInt; }
    void SetFontTypeInt(int Value) { fFontTypeInt = Value; }
    ///@}
    ///@{
    /// The face's logical-font record; a new face name keeps the list's
    /// name index up to date.
    const TBrixEnumLogFont &EnumLogFontEx() const { return fEnumLogFontEx; }
    void SetEnumLogFontEx(const TBrixEnumLogFont &Value);
    ///@}
    ///@{
    /// The face's text metrics.
    const TBrixTextMetric &TextMetric() const { return fTextMetric; }
    void SetTextMetric(const TBrixTextMetric &Value) { fTextMetric = Value; }
    ///@}

    /// The face name, whole.
    QString FontName() const { return fEnumLogFontEx.FaceName; }
    /// Low two bits of the pitch-and-family byte: 1 fixed, 2 variable, else default.
    TBrixFontPitch FontPitch() const { return PitchOf(fEnumLogFontEx.PitchAndFamily); }
    /// The byte without its pitch bits: 0x10 roman, 0x20 swiss, 0x30 modern,
    /// 0x40 script, 0x50 decorative, else unknown. 0x31 gives effModern.
    TBrixFontFamily FontFamily() const { return FamilyOf(fEnumLogFontEx.PitchAndFamily); }
    /// 1 raster, 2 device, 4 TrueType; any other value, combinations
    /// included, eftOther.
    TBrixFontType FontType() const;

    /// FontPitch and FontFamily of a pitch-and-family byte.
    ///@{
    static TBrixFontPitch PitchOf(Byte PitchAndFamily);
    static TBrixFontFamily FamilyOf(Byte PitchAndFamily);
    ///@}

private:
    friend class TBrixFontList;
    explicit TBrixFontItem(TBrixFontList *List) : FList(List) {}

    int fFontTypeInt = 0;
    TBrixEnumLogFont fEnumLogFontEx;
    TBrixTextMetric fTextMetric;
    TBrixFontList *FList;
};

/// A list of font faces in the order they were added. A name index beside
/// the list keeps FontIndex constant-time, so loading n faces is linear.
class BRIX_CONTROLS_EXPORT TBrixFontList
{
public:
    TBrixFontList() = default;
    TBrixFontList(const TBrixFontList &) = delete;
    TBrixFontList &operator=(const TBrixFontList &) = delete;

    /// Number of entries.
    int Count() const { return int(FItems.size()); }
    /// Appends a new, zeroed entry and returns it (owned by the list).
    TBrixFontItem *Add();
    /// The entry at Index (0 <= Index < Count()).
    TBrixFontItem *GetItem(int Index) const { return FItems.at(Index).get(); }
    /// Index of the first entry whose face name equals FName exactly (same
    /// length and characters, letter case included), or -1.
    int FontIndex(const QString &FName) const;
    /// Removes every entry.
    void Clear();

    /// Adds one reported face unless a face of that name is listed already:
    /// the first report of a face (its first character set) is kept.
    void AddEnumeratedFont(const TBrixEnumLogFont &LogFont, const TBrixTextMetric &Metric,
                           int FontType);

    /// Fills the list with the faces of the screen, once per writing system
    /// as the font database reports them. Without a GUI application object
    /// the list is left unchanged.
    void LoadScreenFonts();
    /// There is no printer service here: the list is left unchanged.
    void LoadPrinterFonts();

private:
    friend class TBrixFontItem;
    void NameChanged() { FIndexValid = false; }
    /// Appends a zeroed entry without touching the index.
    TBrixFontItem *AppendItem();

    std::vector<std::unique_ptr<TBrixFontItem>> FItems;
    mutable QHash<QString, int> FIndex; ///< face name -> first index
    mutable bool FIndexValid = true;
};

///@{
/// The shared lists, built on first use once a GUI application object exists
/// (before that they are empty) and freed at program end.
BRIX_CONTROLS_EXPORT TBrixFontList &ScreenFonts();
BRIX_CONTROLS_EXPORT TBrixFontList &PrinterFonts();
///@}

} // namespace Brix
