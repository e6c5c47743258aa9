// The tape as the program keeps it: every calculation of this session and
// of earlier ones, collected from the calculator engine's own tape (which
// all clear empties) and kept in a file between sessions.
//
// A calculation runs from one all clear (or the program's start) to the
// next. The document follows the engine's tape through Update: lines the
// engine appends join the current calculation; an engine tape emptied by
// all clear ends it; an undo that takes lines back takes them off the
// current calculation; the engine's error state (which empties its tape and
// writes the error's lines) stays in the calculation it happened in.
//
// The file (plain UTF-8 text, "\n" line ends):
//
//   LumoPocketo tape 1
//   12.0000
//   +
//   5.0000
//   =
//   17.0000
//
//   3.0000
//   ...
//
// The first line names the format and its version. Then each calculation,
// oldest first, as its tape lines, one per line; an empty line ends each
// calculation (the engine writes no empty tape line). A file of any other
// version, or one that cannot be read, is left as it is: the document then
// never writes it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TTapeDocument
{
public:
    // The most calculations kept; the oldest go first.
    static constexpr int Limit = 1000;
    // The text between two calculations as the tape shows them.
    static const QString Rule;

    // The calculations, oldest first; the last one is the current
    // calculation (empty after an all clear, until its first line).
    const QList<QStringList> &Calculations() const { return FCalculations; }

    // The engine's tape as it stands when the program's first window takes
    // the document: these lines (the value shown at start) are not taken.
    void Attach(const QStringList &EngineLines);
    bool Attached() const { return FAttached; }

    // Follows the engine's tape Lines after one or more keys. InError: the
    // engine is in its error state. Undone: the keys were taken back (undo)
    // rather than pressed. Returns whether a calculation ended or was taken
    // up again (the file is then due to be written).
    bool Update(const QStringList &Lines, bool InError, bool Undone);

    // The part of the tape's line Line that may hold its number: the line
    // without the operator the engine writes before the number on the same
    // line when it keeps operators beside numbers ("- 5.0000", "= 17.0000",
    // "mod 3.0000"): a first word without digits before a blank. Any other
    // line is returned whole.
    static QString NumberPart(const QString &Line);

    // The whole tape as text: the calculations' lines, a Rule between
    // calculations (and after the last one ended by an all clear).
    QString Text() const;

    // ---- The file ----

    // The file Load reads and Save writes ("" for none: nothing is read or
    // written, as in tests).
    void SetFile(const QString &Path) { FFile = Path; }
    const QString &File() const { return FFile; }
    // Reads the file's calculations in place of the document's, with a new
    // current calculation after them. Returns "" when it was read or does
    // not exist, else the reason it cannot be read; such a file is then
    // never written.
    QString Load();
    // Writes the last Limit calculations atomically (a new file replaces
    // the old one whole), readable and writable by the user only. Returns
    // "" when written or when there is nothing to write to, else the reason.
    QString Save() const;
    // The file's content for the document's calculations.
    QByteArray Serialized() const;

    // $XDG_STATE_HOME/lumopocketo/tape, by default under ~/.local/state.
    static QString DefaultFile();

private:
    QStringList &Current() { return FCalculations.last(); }
    // Drops the oldest calculations beyond Limit.
    void Trim();

    QList<QStringList> FCalculations{QStringList()};
    // The engine's tape as last seen, and as it stood when the last all
    // clear ended a calculation (an undo of that all clear brings it back).
    QStringList FSeen;
    QStringList FSeenAtBreak;
    bool FAttached = false;
    QString FFile;
    bool FUnreadable = false;
};
