/// @file
/// The tape as a working document: every calculation of the session and of
/// earlier ones, collected from the engine's record of the calculation in
/// progress (record.h), and kept in a file between sessions.
///
/// A calculation runs from one all clear (or the record's start) to the next.
/// The engine's record holds the current calculation's lines and counts the
/// calculations it began (Serial); the document takes the record's lines as
/// its current calculation and, when the record's Serial changes, keeps the
/// calculation it had before. Undo and Clear tape put a saved state back
/// through Restore.
///
/// The file (UTF-8 text, "\n" line ends; "→" below stands for a tab):
///
/// @verbatim
/// LumoPocketo tape 2
/// number→→12→12.0000
/// text→→→+
/// number→edited→5→5.0000
/// text→→→=
/// result→→17→17.0000
///
/// number→→3→3.0000
/// ...
/// @endverbatim
///
/// The first line names the format and its version. Then each calculation,
/// oldest first, one tape line per file line, and an empty line after each
/// calculation. A tape line has four fields separated by a tab:
///   - its kind: "text", "number", "result" or "error";
///   - "edited" when an edit changed its number, else empty;
///   - its number with every digit in the C locale ("12", "-1.5E-7"), or
///     empty for a line without a number;
///   - its text as the tape shows it, with a backslash written as two, a tab as
///     backslash t, a line feed as backslash n and a carriage return as
///     backslash r (the last field: it may hold blanks and anything else).
///
/// Format 1 files ("LumoPocketo tape 1", the shown text of each line alone,
/// otherwise alike) are still read; the next save writes them as format 2.
/// Their lines' kinds and numbers are read from the text (see Load). A file of
/// another version, or one that cannot be read, is left as it is: the
/// document then never writes it.
#pragma once

#include "brix/calcwindows/taperows.h"
#include "brix/export.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace Brix {

/// What changed in a tape document, as its observers are told.
enum TBrixTapeChange
{
    tcCurrent,  ///< the current calculation's lines changed (a key, an edit); Kept did not
    tcEnded,    ///< the current calculation ended: it is Kept's last now (the oldest may
                ///< have gone at the limit), and Current holds the next one's lines
    tcRestored, ///< undo or redo: Kept and Current were put back whole
    tcCleared,  ///< Clear tape: nothing is kept, Current is empty
    tcLoaded    ///< Kept was read from the file
};

/// Told of each change of a tape document, after it happened.
using TBrixTapeObserver = std::function<void(TBrixTapeChange Change)>;

/// The kept calculations and the current one, and the file they are kept in.
class BRIX_CONTROLS_EXPORT TBrixTapeDocument
{
public:
    /// The most calculations kept (and written); the oldest go first.
    static constexpr int Limit = 1000;

    /// The calculations that ended, oldest first.
    const QList<TBrixTapeCalculation> &Kept() const { return FKept; }
    /// The calculation in progress: the record's lines.
    const TBrixTapeCalculation &Current() const { return FCurrent; }
    /// Kept, then Current when it has lines.
    QList<TBrixTapeCalculation> Calculations() const;

    /// After keys: takes Record's lines as Current. A Serial other than the
    /// last one seen (or the first record seen) moves the previous Current,
    /// when it has lines, into Kept first. Returns true when a calculation
    /// ended that way (the file is then due to be written). Tells tcEnded
    /// when one ended, else tcCurrent when Current's lines changed.
    bool Follow(const TBrixCalcRecord &Record);
    /// Undo and redo: Kept as given, Current from Record, and Record's Serial
    /// as the last one seen; nothing is moved. Tells tcRestored.
    void Restore(const QList<TBrixTapeCalculation> &Kept, const TBrixCalcRecord &Record);
    /// Clear tape: nothing kept, Current from Record (a record just begun),
    /// and its Serial as the last one seen. Tells tcCleared.
    void Clear(const TBrixCalcRecord &Record);

    /// Observers, told of every change after it happened, in the order they
    /// were added. AddObserver returns the number RemoveObserver takes.
    ///@{
    int AddObserver(TBrixTapeObserver Observer);
    void RemoveObserver(int Id);
    ///@}

    // ---- The file ----

    /// The file Load reads and Save writes ("" for none: nothing is read or
    /// written, as in tests).
    ///@{
    void SetFile(const QString &Path) { FFile = Path; }
    const QString &File() const { return FFile; }
    ///@}
    /// Reads the file's calculations as Kept (the last Limit of them);
    /// Current stays. Returns "" when it was read or does not exist, else the
    /// reason it cannot be read: such a file is never written afterwards
    /// (Unreadable()).
    ///
    /// A format 1 line is a number line when the part of it after an
    /// operator word ("- 5.0000", "= 17.0000") reads as a number: its
    /// separators are told apart by their place (the last "." or "," is the
    /// decimal mark when the other one comes before it or it appears once,
    /// unless it is the region's group separator followed by exactly three
    /// digits); blanks and apostrophes group digits. It is a result when its
    /// operator word is "=" or the line before it is "=" alone, an error when
    /// it is the error line of the tape in any language, else a text line.
    QString Load();
    /// The file could not be read by Load: Save leaves it alone.
    bool Unreadable() const { return FUnreadable; }
    /// Writes the last Limit calculations atomically (a new file replaces the
    /// old one whole), readable and writable by the user only. Returns "" when
    /// written or when there is nothing to write to, else the reason.
    QString Save() const;
    /// The file's content for Calculations() (format 2).
    QByteArray Serialized() const;
    /// Reads a file's content; returns "" and the calculations, or the
    /// reason it is no tape file of format 1 or 2.
    static QString Parse(const QByteArray &Data, QList<TBrixTapeCalculation> &Calculations);

    /// $XDG_STATE_HOME/lumopocketo/tape, by default under ~/.local/state.
    static QString DefaultFile();

private:
    void Trim();
    void Tell(TBrixTapeChange Change) const;

    QList<TBrixTapeCalculation> FKept;
    TBrixTapeCalculation FCurrent;
    std::optional<int> FSerial;
    QString FFile;
    bool FUnreadable = false;
    std::vector<std::pair<int, TBrixTapeObserver>> FObservers;
    int FNextObserver = 1;
};

} // namespace Brix
