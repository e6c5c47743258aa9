#include "brix/widgets/styles.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <array>

namespace Brix {

namespace {

using TPaletteBuilder = QPalette (*)(TBrixColorScheme);

// A light, cool palette: ice-blue window and button faces, white bases, a
// steel-blue highlight; text dark enough for a contrast well above 7:1.
// Its dark counterpart keeps the hues on slate faces, with light text at a
// contrast near 10:1 on the buttons and displays.
QPalette IcebergPalette(TBrixColorScheme Scheme)
{
    struct TColors
    {
        QColor Face, Button, Base, AlternateBase, Text, BrightText, Light, Midlight, Mid, Dark,
            Shadow, Highlight, HighlightedText, ToolTipBase, Disabled, Link;
    };
    static const TColors Light{
        .Face = QColor(0xE8, 0xEF, 0xF5),
        .Button = QColor(0xF4, 0xF8, 0xFB),
        .Base = QColor(0xFF, 0xFF, 0xFF),
        .AlternateBase = QColor(0xF2, 0xF6, 0xFA),
        .Text = QColor(0x1B, 0x26, 0x33),
        .BrightText = QColor(0xB0, 0x1C, 0x1C),
        .Light = QColor(0xFF, 0xFF, 0xFF),
        .Midlight = QColor(0xF0, 0xF5, 0xF9),
        .Mid = QColor(0xB4, 0xC3, 0xD1),
        .Dark = QColor(0x8C, 0x9E, 0xB0),
        .Shadow = QColor(0x5A, 0x69, 0x78),
        .Highlight = QColor(0x3A, 0x74, 0xA8),
        .HighlightedText = QColor(0xFF, 0xFF, 0xFF),
        .ToolTipBase = QColor(0xFF, 0xFF, 0xF0),
        .Disabled = QColor(0x8A, 0x96, 0xA3),
        .Link = QColor(0x3A, 0x74, 0xA8),
    };
    static const TColors Dark{
        .Face = QColor(0x1E, 0x25, 0x2D),
        .Button = QColor(0x2A, 0x33, 0x3D),
        .Base = QColor(0x15, 0x1B, 0x21),
        .AlternateBase = QColor(0x1B, 0x22, 0x29),
        .Text = QColor(0xE3, 0xEA, 0xF0),
        .BrightText = QColor(0xFF, 0x8A, 0x80),
        .Light = QColor(0x3C, 0x47, 0x53),
        .Midlight = QColor(0x33, 0x3D, 0x48),
        .Mid = QColor(0x25, 0x2D, 0x36),
        .Dark = QColor(0x16, 0x1B, 0x21),
        .Shadow = QColor(0x0B, 0x0E, 0x11),
        .Highlight = QColor(0x3A, 0x74, 0xA8),
        .HighlightedText = QColor(0xFF, 0xFF, 0xFF),
        .ToolTipBase = QColor(0x2A, 0x33, 0x3D),
        .Disabled = QColor(0x7A, 0x87, 0x95),
        .Link = QColor(0x7F, 0xB2, 0xE5),
    };
    const TColors &C = Scheme == csDark ? Dark : Light;

    QPalette P(C.Face);
    P.setColor(QPalette::Window, C.Face);
    P.setColor(QPalette::WindowText, C.Text);
    P.setColor(QPalette::Base, C.Base);
    P.setColor(QPalette::AlternateBase, C.AlternateBase);
    P.setColor(QPalette::Text, C.Text);
    P.setColor(QPalette::Button, C.Button);
    P.setColor(QPalette::ButtonText, C.Text);
    P.setColor(QPalette::BrightText, C.BrightText);
    P.setColor(QPalette::Light, C.Light);
    P.setColor(QPalette::Midlight, C.Midlight);
    P.setColor(QPalette::Mid, C.Mid);
    P.setColor(QPalette::Dark, C.Dark);
    P.setColor(QPalette::Shadow, C.Shadow);
    P.setColor(QPalette::Highlight, C.Highlight);
    P.setColor(QPalette::HighlightedText, C.HighlightedText);
    P.setColor(QPalette::ToolTipBase, C.ToolTipBase);
    P.setColor(QPalette::ToolTipText, C.Text);
    P.setColor(QPalette::PlaceholderText, C.Disabled);
    P.setColor(QPalette::Link, C.Link);
    for (auto Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        P.setColor(QPalette::Disabled, Role, C.Disabled);
    return P;
}

struct TStyleEntry
{
    const char *Name;
    const char *WidgetStyle; // a key of QStyleFactory
    TPaletteBuilder Palette;
};

constexpr std::array<TStyleEntry, 1> Styles{{
    {"Iceberg Classico", "Fusion", &IcebergPalette},
}};

const TStyleEntry *FindStyle(const QString &Name)
{
    for (const auto &Entry : Styles)
        if (Name.compare(QLatin1String(Entry.Name), Qt::CaseInsensitive) == 0)
            return &Entry;
    return nullptr;
}

} // namespace

QStringList StyleNames()
{
    QStringList Names;
    for (const auto &Entry : Styles)
        Names << QString::fromLatin1(Entry.Name);
    return Names;
}

QPalette StylePalette(const QString &Name, TBrixColorScheme Scheme)
{
    const TStyleEntry *Entry = FindStyle(Name);
    return Entry ? Entry->Palette(Scheme) : QPalette();
}

bool TrySetStyle(const QString &Name, QString *ErrorText, TBrixColorScheme Scheme)
{
    const TStyleEntry *Entry = FindStyle(Name);
    if (!Entry) {
        if (ErrorText)
            *ErrorText = QStringLiteral("Style '%1' not found").arg(Name);
        return false;
    }
    QStyle *Style = QStyleFactory::create(QString::fromLatin1(Entry->WidgetStyle));
    if (!Style) {
        if (ErrorText)
            *ErrorText = QStringLiteral("Style '%1' cannot be loaded: the widget style '%2' is "
                                        "not available")
                             .arg(Name, QLatin1String(Entry->WidgetStyle));
        return false;
    }
    QApplication::setStyle(Style); // the application takes ownership
    QApplication::setPalette(Entry->Palette(Scheme));
    return true;
}

bool SetStyleOrReport(const QString &Name, TBrixColorScheme Scheme)
{
    QString Error;
    if (TrySetStyle(Name, &Error, Scheme))
        return true;
    QMessageBox::critical(nullptr, QApplication::applicationName(), Error);
    return false;
}

} // namespace Brix
