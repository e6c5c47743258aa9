#include "brix/store/storectrls.h"

#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/store/inifile.h"
#include "brix/strings/tools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <vector>

namespace Brix {

TBrixStorageType DefaultStorageType = stIniFile;

namespace {

// Where a folder macro points. Folders with no counterpart here use the
// program's folder, as a failed lookup does.
enum TMacroFolder
{
    mfApp,
    mfLocation,
    mfTemp
};

struct TFolderMacro
{
    QStringView Macro;
    TMacroFolder Kind;
    QStandardPaths::StandardLocation Location;
};

// In the order in which they are tried; none is a prefix of a later one.
const std::array<TFolderMacro, 14> FolderMacros{{
    {u"%APPDIR%", mfApp, QStandardPaths::AppDataLocation},
    {u"%APPDATADIR%", mfLocation, QStandardPaths::GenericDataLocation},
    {u"%ALLAPPDATADIR%", mfApp, QStandardPaths::AppDataLocation},
    {u"%DOCDIR%", mfLocation, QStandardPaths::DocumentsLocation},
    {u"%ALLDOCDIR%", mfApp, QStandardPaths::DocumentsLocation},
    {u"%PICTUREDIR%", mfLocation, QStandardPaths::PicturesLocation},
    {u"%ALLPICTUREDIR%", mfApp, QStandardPaths::PicturesLocation},
    {u"%MUSICDIR%", mfLocation, QStandardPaths::MusicLocation},
    {u"%ALLMUSICDIR%", mfApp, QStandardPaths::MusicLocation},
    {u"%VIDEODIR%", mfLocation, QStandardPaths::MoviesLocation},
    {u"%ALLVIDEODIR%", mfApp, QStandardPaths::MoviesLocation},
    {u"%TEMPDIR%", mfTemp, QStandardPaths::TempLocation},
    {u"%WINDIR%", mfApp, QStandardPaths::AppDataLocation},
    {u"%SYSDIR%", mfApp, QStandardPaths::AppDataLocation},
}};

QString WithoutTrailingSeparator(QString Folder)
{
    while (Folder.endsWith(u'/'))
        Folder.chop(1);
    return Folder;
}

QString MacroFolder(const TFolderMacro &Macro)
{
    QString Folder;
    switch (Macro.Kind) {
    case mfApp:
        break;
    case mfLocation:
        Folder = QStandardPaths::writableLocation(Macro.Location);
        break;
    case mfTemp: {
        Folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
        // The long form: the folder itself, not a link to it.
        const QString Canonical = QFileInfo(Folder).canonicalFilePath();
        if (!Canonical.isEmpty())
            Folder = Canonical;
        break;
    }
    }
    Folder = WithoutTrailingSeparator(Folder);
    return Folder.isEmpty() ? AppFolder() : Folder;
}

// The stored text as a whole number: "0x"/"0X" followed by more text means
// hexadecimal, as does a "$" prefix; leading blanks and one sign are
// allowed; nothing may follow the digits. Hexadecimal takes up to 32 bits
// and wraps into the int range ("$FFFFFFFF" is -1), so colour values read
// back as written; decimal text must lie in the int range.
bool StoredTextToInt(const QString &Stored, int &Value)
{
    QString S = Stored;
    if (S.size() > 2 && (S.startsWith(QLatin1String("0x")) || S.startsWith(QLatin1String("0X"))))
        S = u'$' + S.sliced(2);
    qsizetype I = 0;
    while (I < S.size() && S.at(I) == u' ')
        ++I;
    bool Negative = false;
    if (I < S.size() && (S.at(I) == u'+' || S.at(I) == u'-')) {
        Negative = S.at(I) == u'-';
        ++I;
    }
    const bool Hex = I < S.size() && S.at(I) == u'$';
    if (Hex)
        ++I;
    if (I >= S.size())
        return false;
    const quint64 Limit = Hex ? 0xFFFFFFFFull : (Negative ? 2147483648ull : 2147483647ull);
    quint64 Magnitude = 0;
    for (; I < S.size(); ++I) {
        const char16_t C = S.at(I).unicode();
        int Digit;
        if (C >= u'0' && C <= u'9')
            Digit = C - u'0';
        else if (Hex && C >= u'a' && C <= u'f')
            Digit = C - u'a' + 10;
        else if (Hex && C >= u'A' && C <= u'F')
            Digit = C - u'A' + 10;
        else
            return false;
        Magnitude = Magnitude * (Hex ? 16 : 10) + quint64(Digit);
        if (Magnitude > Limit)
            return false;
    }
    // Two's complement wrap through 32 bits: defined for every magnitude
    // up to 2^32 - 1, with or without a minus sign.
    quint32 Bits = quint32(Magnitude);
    if (Negative)
        Bits = ~Bits + 1u;
    Value = int(qint32(Bits));
    return true;
}

// Registry key paths name files, so no component may climb out of the
// configuration folder: "." and ".." parts are dropped.
QStringList KeyComponents(const QString &Path)
{
    QStringList Parts;
    for (const QString &Part : QString(Path).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts))
        if (Part != u"." && Part != u"..")
            Parts.append(Part);
    return Parts;
}

// Name as it exists among Names (first match in any letter case), else Name.
QString ExistingName(const QStringList &Names, const QString &Name)
{
    if (Names.contains(Name))
        return Name;
    for (const QString &Candidate : Names)
        if (Candidate.compare(Name, Qt::CaseInsensitive) == 0)
            return Candidate;
    return Name;
}

// The full key of Ident under Section in Settings, reusing names that exist
// in another letter case (registry names ignore case, settings files not).
QString RegistryKey(QSettings &Settings, const QString &Section, const QString &Ident)
{
    QStringList Path;
    for (const QString &Part : KeyComponents(Section)) {
        Settings.beginGroup(Path.join(u'/'));
        Path.append(ExistingName(Settings.childGroups(), Part));
        Settings.endGroup();
    }
    Settings.beginGroup(Path.join(u'/'));
    Path.append(ExistingName(Settings.childKeys(), Ident));
    Settings.endGroup();
    return Path.join(u'/');
}

void ReportTeardownError(const Exception &E)
{
    qCritical("%s", qUtf8Printable(E.Message()));
}

} // namespace

QString AppFolder()
{
    QString Program;
    if (QCoreApplication::instance())
        Program = QCoreApplication::applicationFilePath();
    if (Program.isEmpty())
        Program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (Program.isEmpty())
        return WithoutTrailingSeparator(QDir::currentPath());
    return WithoutTrailingSeparator(QFileInfo(Program).absolutePath());
}

QString LoggedOnUserName()
{
    QString Name;
    std::vector<char> Buffer(16384);
    passwd Entry{};
    passwd *Found = nullptr;
    if (getpwuid_r(geteuid(), &Entry, Buffer.data(), Buffer.size(), &Found) == 0 && Found &&
        Found->pw_name)
        Name = QString::fromLocal8Bit(Found->pw_name);
    if (Name.isEmpty())
        Name = qEnvironmentVariable("USER");
    if (Name.isEmpty())
        Name = QStringLiteral("lumo");
    return Name;
}

QString ReplaceUserMacro(const QString &Text)
{
    static constexpr QLatin1String Macro("%USER%");
    if (!Text.contains(Macro, Qt::CaseInsensitive))
        return Text;
    // QString::replace continues after each inserted text, so a user name
    // containing "%USER%" is not expanded again.
    return QString(Text).replace(Macro, LoggedOnUserName(), Qt::CaseInsensitive);
}

QString ExpandPathMacros(const QString &Path)
{
    if (Path.isEmpty())
        return QString();
    // A configured "\" separates folders (settings paths are written as
    // "%AppDir%\lumopocketo.ini"); left alone it would become part of a file
    // name. Only the configured text is converted: a folder the system names
    // keeps its own characters.
    auto Separated = [](QString Text) { return Text.replace(u'\\', u'/'); };
    QString Result;
    if (Path.front() != u'%') {
        Result = Separated(Path);
    } else {
        // Matched without regard to case by Unicode rules rather than by
        // upper-casing in the user's locale, where "i" need not become "I".
        const TFolderMacro *Macro = nullptr;
        for (const TFolderMacro &Candidate : FolderMacros)
            if (Path.startsWith(Candidate.Macro, Qt::CaseInsensitive)) {
                Macro = &Candidate;
                break;
            }
        if (!Macro)
            return QString();
        Result = MacroFolder(*Macro) + Separated(Path.sliced(Macro->Macro.size()));
    }
    return ReplaceUserMacro(Result);
}

// ---- TBrixStoreCtrl ----

TBrixStoreCtrl::TBrixStoreCtrl(TComponent *AOwner)
    : TBrixBaseComponent(AOwner), FStorageType(DefaultStorageType),
      FRegistryPath(QStringLiteral("\\Software\\Vintra")),
      FRegistrySection(QStringLiteral("Defaults")),
      FIniFile(QStringLiteral("%AppDir%\\brixkit.ini")), FIniSection(QStringLiteral("Defaults"))
{
}

TBrixStoreCtrl::~TBrixStoreCtrl()
{
    // Normally DoneInternals has closed everything; this covers a control
    // deleted without Free().
    try {
        ForceCloseStorage();
    } catch (const Exception &E) {
        ReportTeardownError(E);
    }
    CloseStores();
}

TBrixStoreCtrl *TBrixStoreCtrl::Create(TComponent *AOwner)
{
    return Brix::Create<TBrixStoreCtrl>(AOwner);
}

void TBrixStoreCtrl::DoneInternals()
{
    FCustomColors.clear();
    try {
        ForceCloseStorage();
    } catch (const Exception &E) {
        ReportTeardownError(E);
    }
    CloseStores();
    TBrixBaseComponent::DoneInternals();
}

void TBrixStoreCtrl::CloseStores() noexcept
{
    FIni.reset();
    FReg.reset();
    FOpened = false;
}

QString TBrixStoreCtrl::RegistryFileName() const
{
    QStringList Parts = KeyComponents(ReplaceUserMacro(FRegistryPath));
    if (Parts.isEmpty())
        Parts.append(QStringLiteral("Settings"));
    const QString ConfigFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return ConfigFolder + u'/' + Parts.join(u'/') + QStringLiteral(".conf");
}

QString TBrixStoreCtrl::StorageFileName() const
{
    if (FIni)
        return FIni->FileName();
    if (FReg)
        return FReg->fileName();
    return QString();
}

void TBrixStoreCtrl::OpenStorage()
{
    CloseStorage();
    if (FOpened)
        return;
    switch (FStorageType) {
    case stNone:
        break;
    case stRegistry:
        if (FRegistryPath.isEmpty() || FRegistrySection.isEmpty())
            break;
        FReg = std::make_unique<QSettings>(RegistryFileName(), QSettings::NativeFormat);
        FSection = ReplaceUserMacro(FRegistrySection);
        FOpened = true;
        break;
    case stIniFile:
    case stBufferedIniFile: {
        if (FIniFile.isEmpty() || FIniSection.isEmpty() || FIni)
            break;
        const QString Name = ExpandPathMacros(FIniFile);
        if (Name.isEmpty())
            break;
        // Only the last folder is made; a missing parent means a mistyped
        // path, which the first write reports.
        const QString Folder = QFileInfo(Name).absolutePath();
        if (!QDir(Folder).exists())
            QDir().mkdir(Folder);
        if (FStorageType == stIniFile)
            FIni = std::make_unique<TBrixIniFile>(Name);
        else
            FIni = std::make_unique<TBrixMemIniFile>(Name);
        FSection = ReplaceUserMacro(FIniSection);
        FOpened = true;
        break;
    }
    }
}

void TBrixStoreCtrl::CloseStorage()
{
    if (FReg) {
        FReg.reset();
        FOpened = false;
    }
    if (FStorageType == stIniFile) {
        FIni.reset();
        FOpened = false;
    }
}

void TBrixStoreCtrl::ForceCloseStorage()
{
    // On a failed write the store stays open with its content, so a later
    // call can try again.
    if (FIni)
        FIni->UpdateFile();
    CloseStores();
}

QString TBrixStoreCtrl::ReadString(const QString &Ident, const QString &Default)
{
    if (!FOpened)
        OpenStorage();
    switch (FStorageType) {
    case stNone:
        return QString();
    case stRegistry: {
        if (!FReg || Ident.isEmpty())
            return Default;
        const QVariant Stored = FReg->value(RegistryKey(*FReg, FSection, Ident));
        if (!Stored.isValid())
            return Default;
        // A hand-edited settings file may hold a comma list.
        if (Stored.typeId() == QMetaType::QStringList)
            return Stored.toStringList().join(u',');
        return Stored.toString();
    }
    case stIniFile:
    case stBufferedIniFile:
        break;
    }
    return FIni ? FIni->ReadString(FSection, Ident, Default) : Default;
}

void TBrixStoreCtrl::WriteString(const QString &Ident, const QString &Value)
{
    if (!FOpened)
        OpenStorage();
    switch (FStorageType) {
    case stNone:
        return;
    case stRegistry:
        if (!FReg || Ident.isEmpty())
            return;
        FReg->setValue(RegistryKey(*FReg, FSection, Ident), Value);
        FReg->sync();
        if (FReg->status() != QSettings::NoError)
            throw EFileError(QStringLiteral("Cannot create file \"%1\". The settings could not "
                                            "be written.")
                                 .arg(FReg->fileName()));
        return;
    case stIniFile:
    case stBufferedIniFile:
        break;
    }
    if (FIni) {
        FIni->WriteString(FSection, Ident, Value);
        return;
    }
    // A configured file whose folder macro is unknown: the value has nowhere
    // to go, and dropping it silently would lose the user's settings.
    if (!FIniFile.isEmpty() && !FIniSection.isEmpty())
        throw EFileError(
            QStringLiteral("Cannot create file \"%1\". Its folder is unknown.").arg(FIniFile));
}

int TBrixStoreCtrl::ReadInteger(const QString &Ident, int Default)
{
    int Value = 0;
    return StoredTextToInt(ReadString(Ident, QString()), Value) ? Value : Default;
}

void TBrixStoreCtrl::WriteInteger(const QString &Ident, int Value)
{
    WriteString(Ident, QString::number(Value));
}

bool TBrixStoreCtrl::ReadBoolean(const QString &Ident, bool Default)
{
    const QString Stored = ReadString(Ident, QString());
    if (FStorageType == stNone)
        return false;
    int Value = 0;
    return StoredTextToInt(Stored, Value) ? Value != 0 : Default;
}

void TBrixStoreCtrl::WriteBoolean(const QString &Ident, bool Value)
{
    WriteString(Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

Extended TBrixStoreCtrl::ReadExtended(const QString &Ident, Extended Default)
{
    Extended Value = 0;
    return StoredTextToFloat(ReadString(Ident, QString()), Value) ? Value : Default;
}

void TBrixStoreCtrl::WriteExtended(const QString &Ident, Extended Value, Byte DP)
{
    WriteString(Ident, StoredFloatText(Value, DP, RegionalSettings().DecimalSeparator));
}

void TBrixStoreCtrl::SetStorageType(TBrixStorageType Value)
{
    if (FStorageType == Value)
        return;
    if (FOpened)
        ForceCloseStorage();
    FStorageType = Value;
}

void TBrixStoreCtrl::SetRegPath(const QString &Value)
{
    if (FRegistryPath == Value)
        return;
    if (FOpened && FStorageType == stRegistry)
        ForceCloseStorage();
    FRegistryPath = Value;
}

void TBrixStoreCtrl::SetRegSection(const QString &Value)
{
    if (FRegistrySection == Value)
        return;
    FRegistrySection = Value;
    if (FStorageType == stRegistry)
        FSection = ReplaceUserMacro(FRegistrySection);
}

void TBrixStoreCtrl::SetIniFile(const QString &Value)
{
    if (FIniFile == Value)
        return;
    if (FOpened && (FStorageType == stIniFile || FStorageType == stBufferedIniFile))
        ForceCloseStorage();
    FIniFile = Value;
}

void TBrixStoreCtrl::SetIniSection(const QString &Value)
{
    if (FIniSection == Value)
        return;
    FIniSection = Value;
    if (FStorageType == stIniFile || FStorageType == stBufferedIniFile)
        FSection = ReplaceUserMacro(FIniSection);
}

} // namespace Brix
