// LumoPocketo: start, load the settings, show the pocket calculator once,
// save the settings unless the window was cancelled, end.
#include "desktopscheme.h"
#include "pocketodm.h"
#include "settingsfiles.h"

#include "brix/calcwindows/calculators_glyphs.h"
#include "brix/classes/exceptions.h"
#include "brix/store/storectrls.h"
#include "brix/version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Brix;

namespace {

const QString AppTitle = QStringLiteral("LumoPocketo");

const char Usage[] =
    "Usage: lumopocketo [--scientific] [QT-OPTION...]\n"
    "Shows the LumoPocketo pocket calculator.\n"
    "\n"
    "  --scientific  start with the scientific window (for this run)\n"
    "  --help        this text\n"
    "  --version     the version\n"
    "\n"
    "Qt's own options (-platform, -style, -display, ...) are accepted.\n"
    "Settings: lumopocketo.ini beside the program when it exists there and can be\n"
    "written, else in the user's configuration folder\n"
    "($XDG_CONFIG_HOME/LumoPocketo, by default ~/.config/LumoPocketo).\n"
    "The tape is kept in $XDG_STATE_HOME/lumopocketo/tape (by default\n"
    "~/.local/state/lumopocketo/tape).\n"
    "For the calculator in a terminal run lumopocketo-cli.\n";

// Shows an error on standard error and in a message box.
void ReportError(const QString &Message)
{
    std::fprintf(stderr, "lumopocketo: %s\n",
                 qUtf8Printable(QString(Message).replace(u'\n', u' ')));
    QMessageBox::critical(nullptr, AppTitle, Message);
}

// --help and --version, answered before anything needs a display. Returns
// the exit status, or -1 when the program is to go on.
int AnswerInfoOptions(int argc, char **argv)
{
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "--help") == 0 || std::strcmp(argv[I], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[I], "--version") == 0) {
            std::puts("lumopocketo " BRIX_VERSION_STRING);
            return 0;
        }
    }
    return -1;
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

// The program's texts outside its windows, translated like theirs.
struct TPocketoMain
{
    Q_DECLARE_TR_FUNCTIONS(TPocketoMain)
};

// Reads the settings files in their order, each one's keys over the values
// before. A file that exists but cannot be read is skipped and told before
// the window opens rather than at the end, in the calculator's language
// (known once every readable file is read). Returns false when the file to
// be written is one of those (it is then never written).
//
// The calculator speaks the language that a "Language" key names (the last
// file that has the key wins), or else the desktop's.
bool LoadSettings(TDM &DM, const TSettingsFiles &Files)
{
    struct TUnreadable
    {
        QString Path;
        QString Reason;
    };
    std::vector<TUnreadable> Unreadable;
    TBrixStoreCtrl &Store = *DM.BrixStoreCtrl1;
    for (const QString &Path : Files.ReadOrder()) {
        const QString Reason = UnreadableReason(Path);
        if (!Reason.isEmpty()) {
            Unreadable.push_back({Path, Reason});
            continue;
        }
        Store.SetIniFile(Path);
        DM.LoadFromStore();
    }
    DM.FinishLoading(QLocale::system().uiLanguages());
    bool TargetReadable = true;
    if (!Unreadable.empty())
        DM.UseTranslations();
    for (const TUnreadable &File : Unreadable) {
        const bool IsTarget = File.Path == Files.Target();
        QString Message = TPocketoMain::tr("The settings file %1 could not be read (%2).")
                              .arg(File.Path, File.Reason);
        Message += QStringLiteral("\n\n") +
                   (IsTarget ? TPocketoMain::tr(
                                   "The calculator starts without its values, and the file is "
                                   "not written, so that its content is not lost.")
                             : TPocketoMain::tr("The calculator starts without its values."));
        std::fprintf(
            stderr, "lumopocketo: %s\n",
            qUtf8Printable(QString(Message).replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
        QMessageBox::warning(nullptr, AppTitle, Message);
        if (IsTarget)
            TargetReadable = false;
    }
    return TargetReadable;
}

// Reads the kept tape. A file that exists but cannot be read is told once,
// on standard error and in a message box: the library moved it aside and the
// tape goes on in a new file; when it could not be moved it is left as it is
// and the tape is not kept.
void LoadTape(TDM &DM)
{
    TBrixTapeDocument &Tape = DM.Tape();
    Tape.SetFile(TBrixTapeDocument::DefaultFile());
    const TBrixTapeLoad Result = Tape.Load();
    if (Result.Read())
        return;
    DM.UseTranslations();
    QString Message = TPocketoMain::tr("The tape file %1 could not be read (%2).")
                          .arg(Tape.File(), Result.Reason) +
                      QStringLiteral("\n\n");
    if (!Result.MovedTo.isEmpty())
        Message += TPocketoMain::tr(
                       "The file was moved to %1. The tape starts empty and is kept from now on.")
                       .arg(Result.MovedTo);
    else
        Message +=
            TPocketoMain::tr("It could not be moved aside (%1).").arg(Result.MoveFailure) + u' ' +
            TPocketoMain::tr("The tape starts empty, and the file is not written, so that its "
                             "content is not lost.");
    std::fprintf(
        stderr, "lumopocketo: %s\n",
        qUtf8Printable(QString(Message).replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
    QMessageBox::warning(nullptr, AppTitle, Message);
}

} // namespace

int main(int argc, char **argv)
{
    if (const int Status = AnswerInfoOptions(argc, argv); Status >= 0)
        return Status;
    if (!HasDisplay()) {
        std::fputs("lumopocketo: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "for the calculator in a terminal run lumopocketo-cli\n",
                   stderr);
        return 2;
    }
    TPocketoApplication App(argc, argv);
    // Qt has taken its own options out of the command line.
    bool StartScientific = false;
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "--scientific") == 0) {
            StartScientific = true;
            continue;
        }
        std::fprintf(stderr, "lumopocketo: unknown argument '%s'\n%s", argv[I], Usage);
        return 2;
    }
    QApplication::setApplicationName(AppTitle);
    // The calculator's windows name "Segoe UI", Arial and Tahoma, which a
    // Linux desktop rarely has; they stand for the desktop's own font rather
    // than for whatever face the font configuration would find for them.
    const QString DesktopFamily = QApplication::font().family();
    for (const char *Family : {"Segoe UI", "Arial", "Tahoma"})
        QFont::insertSubstitution(QString::fromLatin1(Family), DesktopFamily);
    // Light, or dark where the desktop prefers it.
    SetStyleForDesktop(QStringLiteral("Iceberg Classico"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumopocketo.LumoPocketo"));
    QApplication::setWindowIcon(BrixGlyphIcon(kgAppIcon));

    TOwned<TDM> DM(TDM::Create());
    const TSettingsFiles Files = LocateSettingsFiles(
        AppFolder(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    const QString SettingsFile = Files.Target();
    DM->SetSettingsFile(SettingsFile);
    try {
        const bool MayWrite = LoadSettings(*DM, Files);
        LoadTape(*DM);
        // The window's menu switches between the compact and the scientific
        // window: the one closes with its values, the other opens with them.
        const bool Kept = DM->ShowCalculator(StartScientific || DM->Choices.Scientific);
        // The tape is kept however the window closed.
        DM->SaveTape();
        // Escape (a cancelled window) discards the calculator's values; the
        // choices made in the window's menu and its Settings dialog are kept
        // on every close. A key the user did not change is not written, so
        // that a start and an Escape leave the file untouched (--scientific
        // alone does not change the remembered choice).
        if (!DM->HasChangesToSave(Kept))
            return 0;
        if (!MayWrite) {
            DM->UseTranslations();
            std::fprintf(
                stderr, "lumopocketo: %s\n",
                qUtf8Printable(TPocketoMain::tr("the settings were not saved: %1 could not be read")
                                   .arg(SettingsFile)));
            return 1;
        }
        // Only the program's own keys go to the file; its other keys stay.
        DM->BrixStoreCtrl1->SetIniFile(SettingsFile);
        QDir().mkpath(QFileInfo(SettingsFile).absolutePath());
        DM->SaveToStore(Kept);
    } catch (const Exception &E) {
        // Nothing is saved after a failure here: the settings stay as they were.
        DM->UseTranslations(); // the message box's own texts
        ReportError(E.Message());
        return 1;
    }
    QApplication::processEvents(); // no window is left: the message loop ends at once
    try {
        // The buffered settings reach the disk here, where a failure can
        // still be told (a store freed during teardown could only print it).
        DM->BrixStoreCtrl1->ForceCloseStorage();
    } catch (const Exception &E) {
        DM->UseTranslations();
        QString Message =
            TPocketoMain::tr("The settings could not be saved to %1.").arg(SettingsFile);
        if (!E.Message().isEmpty())
            Message += QStringLiteral("\n\n") + E.Message();
        ReportError(Message);
        return 1;
    }
    return 0;
}
