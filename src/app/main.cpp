// LumoPocketo: start, load the settings, show the pocket calculator once,
// save the settings, end.
#include "pocketodm.h"

#include "brix/classes/exceptions.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_glyphs.h"
#include "brix/store/storectrls.h"
#include "brix/widgets/styles.h"
#include "brix/formatters/components.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/languages.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

using namespace Brix;

namespace {

const QString AppTitle = QStringLiteral("LumoPocketo");

// Shows an error on standard error and in a message box.
void ReportError(const QString &Message)
{
    std::fprintf(stderr, "lumopocketo: %s\n",
                 qUtf8Printable(QString(Message).replace(u'\n', u' ')));
    QMessageBox::critical(nullptr, AppTitle, Message);
}

// An exception never crosses Qt's event dispatch: it is shown where it
// arose and the window stays open.
class TPocketoApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *Receiver, QEvent *Event) override
    {
        try {
            return QApplication::notify(Receiver, Event);
        } catch (const Exception &E) {
            QMessageBox::critical(activeWindow(), AppTitle, E.Message());
        } catch (const std::exception &E) {
            QMessageBox::critical(activeWindow(), AppTitle, QString::fromUtf8(E.what()));
        }
        return false;
    }
};

// Qt aborts when it finds no display; say it in one line instead. A chosen
// platform (QT_QPA_PLATFORM, e.g. offscreen) is taken as it is.
bool HasDisplay()
{
    for (const char *Name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *Value = std::getenv(Name);
        if (Value && *Value)
            return true;
    }
    return false;
}

// The three float-formatter options read at start, from the store's own
// section ("Defaults").
void LoadFormatterOptions(TDM &DM)
{
    TBrixStoreCtrl &Store = *DM.BrixStoreCtrl1;
    TBrixFloatFormatter &Float = *DM.BrixFormatter1->FloatFormatter();
    Float.SetTrimTrailingZeroes(
        Store.ReadBoolean(QStringLiteral("Trim Trailing Zeroes"), Float.TrimTrailingZeroes()));
    Float.SetShowThousands(
        Store.ReadBoolean(QStringLiteral("Show Thousands Separators"), Float.ShowThousands()));
    Float.SetLakhFormatting(
        Store.ReadBoolean(QStringLiteral("Lakh Formatting"), Float.LakhFormatting()));
}

// The calculator speaks the language the "Language" key of the store's own
// section names, or else the desktop's. The key is only read: it is in the
// file only when the user wrote it there.
void LoadLanguage(TDM &DM)
{
    const QString Chosen = DM.BrixStoreCtrl1->ReadString(QStringLiteral("Language"), QString());
    DM.BrixCalculator1->SetLanguage(ChooseLanguage(Chosen, QLocale::system().uiLanguages()));
}

} // namespace

int main(int argc, char **argv)
{
    if (!HasDisplay()) {
        std::fputs("lumopocketo: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "for the calculator in a terminal run lumopocketo-cli\n",
                   stderr);
        return 2;
    }
    TPocketoApplication App(argc, argv);
    // The fonts the calculator names come from another desktop; here they
    // stand for the desktop's own font, found directly instead of through a
    // fallback search of every installed face.
    const QString DesktopFamily = QApplication::font().family();
    for (const char *Family : {"Segoe UI", "Arial", "Tahoma"})
        QFont::insertSubstitution(QString::fromLatin1(Family), DesktopFamily);
    SetStyleOrReport(QStringLiteral("Iceberg Classico"));
    QApplication::setApplicationName(AppTitle);
    QGuiApplication::setDesktopFileName(QStringLiteral("lumopocketo"));
    QApplication::setWindowIcon(BrixGlyphIcon(kgAppIcon));

    TOwned<TDM> DM(TDM::Create());
    const QString SettingsFile = ExpandPathMacros(DM->BrixStoreCtrl1->IniFile());
    try {
        DM->BrixCalculator1->LoadFromStore();
        LoadFormatterOptions(*DM);
        LoadLanguage(*DM);
        DM->BrixCalculator1->Execute();
        DM->BrixCalculator1->SaveToStore();
    } catch (const Exception &E) {
        // Nothing is saved after a failure here: the settings stay as they were.
        ReportError(E.Message());
        return 1;
    }
    QApplication::processEvents(); // no window is left: the message loop ends at once
    try {
        // The buffered settings reach the disk here, where a failure can
        // still be told (a store freed during teardown could only print it).
        DM->BrixStoreCtrl1->ForceCloseStorage();
    } catch (const Exception &E) {
        QString Message =
            QStringLiteral("The settings could not be saved to %1.").arg(SettingsFile);
        if (!E.Message().isEmpty())
            Message += QStringLiteral("\n\n") + E.Message();
        ReportError(Message);
        return 1;
    }
    return 0;
}
