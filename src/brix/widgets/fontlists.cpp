#include "brix/widgets/fontlists.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include <cmath>
#include <vector>

namespace Brix {

// ---- TFont ----

TFont::TFont(QString Name, int Size, TFontStyles Style, TColor Color, TFontCharset Charset)
    : FName(std::move(Name)), FSize(Size), FColor(Color), FCharset(Charset), FStyle(Style)
{
}

void TFont::CopyAttributes(const TFont &Other)
{
    FName = Other.FName;
    FSize = Other.FSize;
    FColor = Other.FColor;
    FCharset = Other.FCharset;
    FStyle = Other.FStyle;
}

void TFont::Changed()
{
    if (FOnChange)
        FOnChange();
}

void TFont::Assign(const TFont &Source)
{
    CopyAttributes(Source);
    Changed();
}

void TFont::SetName(const QString &Value)
{
    if (FName == Value)
        return;
    FName = Value;
    Changed();
}

void TFont::SetSize(int Value)
{
    if (FSize == Value)
        return;
    FSize = Value;
    Changed();
}

int TFont::Height() const
{
    return -int(std::lround(FSize * 96.0 / 72.0));
}

void TFont::SetHeight(int Value)
{
    SetSize(int(std::lround(-Value * 72.0 / 96.0)));
}

void TFont::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (FCharset == Value)
        return;
    FCharset = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont Font(FName);
    if (FSize > 0)
        Font.setPointSize(FSize);
    Font.setBold(HasStyle(fsBold));
    Font.setItalic(HasStyle(fsItalic));
    Font.setUnderline(HasStyle(fsUnderline));
    Font.setStrikeOut(HasStyle(fsStrikeOut));
    return Font;
}

TFont TFont::FromQFont(const QFont &Font)
{
    int Size = Font.pointSize();
    if (Size <= 0 && Font.pixelSize() > 0)
        Size = int(std::lround(Font.pixelSize() * 72.0 / 96.0));
    TFontStyles Style = 0;
    if (Font.bold())
        Style |= FontStyleBit(fsBold);
    if (Font.italic())
        Style |= FontStyleBit(fsItalic);
    if (Font.underline())
        Style |= FontStyleBit(fsUnderline);
    if (Font.strikeOut())
        Style |= FontStyleBit(fsStrikeOut);
    return TFont(Font.family(), Size, Style);
}

bool FontsEqual(const TFont &A, const TFont &B)
{
    return A.Name() == B.Name() && A.Size() == B.Size() && A.Color() == B.Color() &&
           A.Charset() == B.Charset() && A.Style() == B.Style();
}

TFont ApplicationDefaultFont()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return TFont::FromQFont(QGuiApplication::font());
    return TFont();
}

// ---- TBrixFontItem ----

void TBrixFontItem::SetEnumLogFontEx(const TBrixEnumLogFont &Value)
{
    const bool Renamed = Value.FaceName != fEnumLogFontEx.FaceName;
    fEnumLogFontEx = Value;
    if (Renamed)
        FList->NameChanged();
}

TBrixFontType TBrixFontItem::FontType() const
{
    switch (fFontTypeInt) {
    case 1:
        return eftRaster;
    case 2:
        return eftDevice;
    case 4:
        return eftTrueType;
    default:
        return eftOther;
    }
}

TBrixFontPitch TBrixFontItem::PitchOf(Byte PitchAndFamily)
{
    switch (PitchAndFamily & 0x03) {
    case 1:
        return efpFixed;
    case 2:
        return efpVariable;
    default:
        return efpDefault;
    }
}

TBrixFontFamily TBrixFontItem::FamilyOf(Byte PitchAndFamily)
{
    switch (PitchAndFamily & ~0x03) {
    case 0x10:
        return effRoman;
    case 0x20:
        return effSwiss;
    case 0x30:
        return effModern;
    case 0x40:
        return effScript;
    case 0x50:
        return effDecorative;
    default:
        return effUnknown;
    }
}

// ---- TBrixFontList ----

TBrixFontItem *TBrixFontList::AppendItem()
{
    FItems.push_back(std::unique_ptr<TBrixFontItem>(new TBrixFontItem(this)));
    return FItems.back().get();
}

TBrixFontItem *TBrixFontList::Add()
{
    TBrixFontItem *Item = AppendItem();
    // A zeroed entry has an empty face name; keep the index's first entry.
    if (FIndexValid && !FIndex.contains(QString()))
        FIndex.insert(QString(), Count() - 1);
    return Item;
}

int TBrixFontList::FontIndex(const QString &FName) const
{
    if (!FIndexValid) {
        FIndex.clear();
        for (int I = Count() - 1; I >= 0; --I)
            FIndex.insert(FItems[size_t(I)]->FontName(), I);
        FIndexValid = true;
    }
    return FIndex.value(FName, -1);
}

void TBrixFontList::Clear()
{
    FItems.clear();
    FIndex.clear();
    FIndexValid = true;
}

void TBrixFontList::AddEnumeratedFont(const TBrixEnumLogFont &LogFont,
                                      const TBrixTextMetric &Metric, int FontType)
{
    // The face name is kept whole: two faces that share a long beginning
    // stay two faces, and FontIndex finds each by its full name.
    if (FontIndex(LogFont.FaceName) != -1)
        return;
    TBrixFontItem *Item = AppendItem();
    // Written directly so the index is extended rather than rebuilt.
    Item->fEnumLogFontEx = LogFont;
    Item->fTextMetric = Metric;
    Item->fFontTypeInt = FontType;
    if (!FIndex.contains(LogFont.FaceName))
        FIndex.insert(LogFont.FaceName, Count() - 1);
}

namespace {

// The character set byte a writing system stands for.
Byte CharsetOf(QFontDatabase::WritingSystem System)
{
    switch (System) {
    case QFontDatabase::Latin:
        return 0; // ANSI
    case QFontDatabase::Symbol:
        return 2;
    case QFontDatabase::Japanese:
        return 128;
    case QFontDatabase::Korean:
        return 129;
    case QFontDatabase::SimplifiedChinese:
        return 134;
    case QFontDatabase::TraditionalChinese:
        return 136;
    case QFontDatabase::Greek:
        return 161;
    case QFontDatabase::Vietnamese:
        return 163;
    case QFontDatabase::Hebrew:
        return 177;
    case QFontDatabase::Arabic:
        return 178;
    case QFontDatabase::Cyrillic:
        return 204;
    case QFontDatabase::Thai:
        return 222;
    default:
        return DEFAULT_CHARSET;
    }
}

QString ScriptName(QFontDatabase::WritingSystem System)
{
    return QFontDatabase::writingSystemName(System);
}

} // namespace

void TBrixFontList::LoadScreenFonts()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QStringList Families = QFontDatabase::families();
    for (const QString &Family : Families) {
        if (QFontDatabase::isPrivateFamily(Family))
            continue;
        // Qt reports pitch and type; the classic family group (roman, swiss...)
        // is not known to it, so the family bits stay "don't care".
        const bool Fixed = QFontDatabase::isFixedPitch(Family);
        const bool Scalable = QFontDatabase::isSmoothlyScalable(Family);
        const int FontType = Scalable ? 4 : 1;
        QFont Font(Family);
        Font.setPointSize(9);
        const QFontMetrics Metrics(Font);
        TBrixTextMetric Metric;
        Metric.Height = Metrics.height();
        Metric.Ascent = Metrics.ascent();
        Metric.Descent = Metrics.descent();
        Metric.AveCharWidth = Metrics.averageCharWidth();
        Metric.MaxCharWidth = Metrics.maxWidth();
        Metric.Weight = 400;
        Metric.PitchAndFamily = Fixed ? 1 : 2;
        QList<QFontDatabase::WritingSystem> Systems = QFontDatabase::writingSystems(Family);
        if (Systems.isEmpty())
            Systems.append(QFontDatabase::Any);
        for (QFontDatabase::WritingSystem System : Systems) {
            TBrixEnumLogFont LogFont;
            LogFont.Height = Metric.Height;
            LogFont.Weight = 400;
            LogFont.CharSet = CharsetOf(System);
            LogFont.PitchAndFamily = Metric.PitchAndFamily;
            LogFont.FaceName = Family;
            LogFont.FullName = Family;
            LogFont.Style = QStringLiteral("Regular");
            LogFont.Script = ScriptName(System);
            Metric.CharSet = LogFont.CharSet;
            AddEnumeratedFont(LogFont, Metric, FontType);
        }
    }
}

void TBrixFontList::LoadPrinterFonts() {}

namespace {

struct TSharedFontLists
{
    TBrixFontList Screen;
    TBrixFontList Printer;
    bool Loaded = false;
};

TSharedFontLists &SharedFontLists()
{
    static TSharedFontLists Lists;
    return Lists;
}

void LoadSharedFontLists()
{
    TSharedFontLists &Lists = SharedFontLists();
    if (Lists.Loaded || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    Lists.Loaded = true;
    Lists.Screen.LoadScreenFonts();
    Lists.Printer.LoadPrinterFonts();
}

} // namespace

// The lists are built on first use: enumerating every installed face costs
// start-up time that grows with the fonts of the desktop.
TBrixFontList &ScreenFonts()
{
    LoadSharedFontLists();
    return SharedFontLists().Screen;
}

TBrixFontList &PrinterFonts()
{
    LoadSharedFontLists();
    return SharedFontLists().Printer;
}

} // namespace Brix
