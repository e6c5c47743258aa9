#include "brix/widgets/styles.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <array>

namespace Brix {

namespace {

using TPaletteBuilder = QPalette (*)();

// A light, cool palette: ice-blue window and button faces, white bases, a
// steel-blue highlight; text dark enough for a contrast well above 7:1.
QPalette IcebergPalette()
{
    const QColor Face(0xE8, 0xEF, 0xF5);
    const QColor Base(0xFF, 0xFF, 0xFF);
    const QColor Text(0x1B, 0x26, 0x33);
    const QColor Highlight(0x3A, 0x74, 0xA8);
    const QColor Disabled(0x8A, 0x96, 0xA3);

    QPalette P(Face);
    P.setColor(QPalette::Window, Face);
    P.setColor(QPalette::WindowText, Text);
    P.setColor(QPalette::Base, Base);
    P.setColor(QPalette::AlternateBase, QColor(0xF2, 0xF6, 0xFA));
    P.setColor(QPalette::Text, Text);
    P.setColor(QPalette::Button, QColor(0xF4, 0xF8, 0xFB));
    P.setColor(QPalette::ButtonText, Text);
    P.setColor(QPalette::BrightText, QColor(0xB0, 0x1C, 0x1C));
    P.setColor(QPalette::Light, Base);
    P.setColor(QPalette::Midlight, QColor(0xF0, 0xF5, 0xF9));
    P.setColor(QPalette::Mid, QColor(0xB4, 0xC3, 0xD1));
    P.setColor(QPalette::Dark, QColor(0x8C, 0x9E, 0xB0));
    P.setColor(QPalette::Shadow, QColor(0x5A, 0x69, 0x78));
    P.setColor(QPalette::Highlight, Highlight);
    P.setColor(QPalette::HighlightedText, Base);
    P.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xF0));
    P.setColor(QPalette::ToolTipText, Text);
    P.setColor(QPalette::PlaceholderText, Disabled);
    P.setColor(QPalette::Link, Highlight);
    for (auto Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        P.setColor(QPalette::Disabled, Role, Disabled);
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

} // namespace

QStringList StyleNames()
{
    QStringList Names;
    for (const auto &Entry : Styles)
        Names << QString::fromLatin1(Entry.Name);
    return Names;
}

bool TrySetStyle(const QString &Name, QString *ErrorText)
{
    for (const auto &Entry : Styles) {
        if (Name.compare(QLatin1String(Entry.Name), Qt::CaseInsensitive) != 0)
            continue;
        QStyle *Style = QStyleFactory::create(QString::fromLatin1(Entry.WidgetStyle));
        if (!Style) {
            if (ErrorText)
                *ErrorText = QStringLiteral("Style '%1' cannot be loaded: the widget style '%2' is "
                                            "not available")
                                 .arg(Name, QLatin1String(Entry.WidgetStyle));
            return false;
        }
        QApplication::setStyle(Style); // the application takes ownership
        QApplication::setPalette(Entry.Palette());
        return true;
    }
    if (ErrorText)
        *ErrorText = QStringLiteral("Style '%1' not found").arg(Name);
    return false;
}

bool SetStyleOrReport(const QString &Name)
{
    QString Error;
    if (TrySetStyle(Name, &Error))
        return true;
    QMessageBox::critical(nullptr, QApplication::applicationName(), Error);
    return false;
}

} // namespace Brix
