// Where the program's settings file lives. A copy whose own folder holds a
// writable lumopocketo.ini is portable and keeps its settings there; any
// other copy (an installed one) keeps them in the user's configuration
// folder, starting from the values of a readable file beside the program
// (a default shipped by a packager or administrator).
#pragma once

#include <QString>
#include <QStringList>

struct TSettingsFiles
{
    QString Beside; // <program folder>/lumopocketo.ini
    QString User;   // <user's configuration folder>/lumopocketo.ini
    bool Portable = false;

    // The file written when the program ends.
    const QString &Target() const { return Portable ? Beside : User; }
    // The existing files read at start, in order: each one's keys over the
    // values read before.
    QStringList ReadOrder() const;
};

// Decides for the program in ProgramFolder and the user's configuration
// folder UserFolder (both without a trailing separator).
TSettingsFiles LocateSettingsFiles(const QString &ProgramFolder, const QString &UserFolder);

// The reason an existing file cannot be read, or "" (also when it does not
// exist).
QString UnreadableReason(const QString &Path);
