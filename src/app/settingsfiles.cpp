#include "settingsfiles.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString FileName = QStringLiteral("lumopocketo.ini");

// The store writes through a temporary file in the same folder that then
// replaces the file, so both the file and its folder must be writable.
bool CanReplace(const QString &Path)
{
    const QFileInfo File(Path);
    return File.isFile() && File.isWritable() && QFileInfo(File.absolutePath()).isWritable();
}

} // namespace

QStringList TSettingsFiles::ReadOrder() const
{
    QStringList Files;
    if (QFileInfo::exists(Beside))
        Files.append(Beside);
    if (!Portable && QFileInfo::exists(User))
        Files.append(User);
    return Files;
}

TSettingsFiles LocateSettingsFiles(const QString &ProgramFolder, const QString &UserFolder)
{
    TSettingsFiles Files;
    Files.Beside = ProgramFolder + u'/' + FileName;
    // Without a known configuration folder the file beside the program is
    // all there is.
    Files.User = UserFolder.isEmpty() ? Files.Beside : UserFolder + u'/' + FileName;
    Files.Portable = CanReplace(Files.Beside);
    return Files;
}

QString UnreadableReason(const QString &Path)
{
    if (!QFileInfo::exists(Path))
        return QString();
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return File.errorString();
    return QString();
}
