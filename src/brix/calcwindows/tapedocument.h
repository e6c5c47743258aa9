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
/// Every calculation that ended has an identity (TBrixTapeCalculation::Id)
/// that names it among the calculations of every window and session keeping
/// the same file: the document's session (a random UUID made once per
/// document) and the calculation's number in that session, a "/" between
/// them ("6f1c0d2e-1b7a-4c55-9a43-6b1e2f0a9d13/7"). It is given when the
/// calculation ends, and the current calculation is written with the one it
/// will get; undo and redo put calculations back with theirs. Calculations
/// read from a file keep the identity written there; those of a file
/// without identities (format 1 and 2) get one named after the file's bytes
/// (a name-based UUID of them) and their place in it, so that two windows
/// reading the same old file give its calculations the same identities.
///
/// The file (UTF-8 text, "\n" line ends; "→" below stands for a tab):
///
/// @verbatim
/// LumoPocketo tape 3
/// calculation→6f1c0d2e-1b7a-4c55-9a43-6b1e2f0a9d13/1
/// number→→→12→12.0000
/// operator→→Add→→+
/// number→edited→→5→5.0000
/// operator→→Equals→→=
/// result→→→17→17.0000
///
/// calculation→6f1c0d2e-1b7a-4c55-9a43-6b1e2f0a9d13/2
/// number→→MemoryRecall→1E+600→1.0000E+600
/// ...
/// @endverbatim
///
/// The first line names the format and its version. Then each calculation,
/// oldest first: a line "calculation", a tab and its identity, then one file
/// line per tape line, and an empty line after the calculation. A tape line
/// has five fields separated by a tab:
///   - its kind: "text", "number", "result", "error" or "operator";
///   - "edited" when an edit changed its number, else empty;
///   - its key by its name in the key table (keys.h: "Add", "SqRoot",
///     "MemoryRecall"), or empty for ckResult, the key of a line without one;
///   - the number of a number or result line, every bit of it, as
///     StoredFloatText writes it with 18 decimals and a "." ("12",
///     "-1.5E-7", "1E+600", "-0", "1.18973149535723176502E+4932"); empty for
///     the other kinds;
///   - its text (the engine's text of the line), with a backslash written as
///     two, a tab as backslash t, a line feed as backslash n and a carriage
///     return as backslash r (the last field: it may hold blanks and anything
///     else). The identity is written the same way.
///
/// Reading gives every field back as written, the number to the last bit
/// (TBrixCalcRecordLine::Number, the step of the record, is not kept: it is
/// -1). A key name this version does not know reads as ckResult. A number or
/// result line whose number cannot be written (an infinity, which the engine
/// never keeps) is written as a text line.
///
/// Earlier formats are still read, and written back as format 3 at the next
/// save:
///   - format 2 ("LumoPocketo tape 2"): the same without identity lines and
///     without the key field (four fields: kind, edited, number, text), an
///     operator written as a text line. Its numbers are read by
///     StoredTextToFloat ("1E+600", "1e+600" alike); a number on a line of a
///     kind without one is ignored, and a number or result line without a
///     number is read as a text line.
///   - format 1 ("LumoPocketo tape 1"): the shown text of each line alone;
///     the lines' kinds and numbers are read from the text (see Load).
///
/// A file of another version, or one that cannot be read, is moved aside by
/// Load to a name beside it that says so, and the document keeps a new tape
/// in the file from then on; when it cannot be moved, it is left as it is
/// and the document never writes it.
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

/// What TBrixTapeDocument::Load found.
struct TBrixTapeLoad
{
    /// Why the file cannot be read; "" when it was read or there is none.
    QString Reason;
    /// Where the file that cannot be read was moved: a name beside it
    /// ("tape.unreadable", "tape.unreadable.1", ...); "" when it was read or
    /// could not be moved.
    QString MovedTo;
    /// Why the file that cannot be read could not be moved ("" otherwise):
    /// it is then left as it is, and the document never writes it.
    QString MoveFailure;

    /// The file was read, or there is none.
    bool Read() const { return Reason.isEmpty(); }
};

/// The kept calculations and the current one, and the file they are kept in.
class BRIX_CONTROLS_EXPORT TBrixTapeDocument
{
public:
    /// A document with a session of its own (Session()).
    TBrixTapeDocument();

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
    /// when it has lines, into Kept first, with CurrentId() as its identity. Returns true when a
    /// calculation ended that way (the file is then due to be written). Tells tcEnded when one
    /// ended, else tcCurrent when Current's lines changed.
    bool Follow(const TBrixCalcRecord &Record);
    /// Undo and redo: Kept as given (a calculation without an identity gets
    /// one), Current from Record, and Record's Serial as the last one seen;
    /// nothing is moved. Tells tcRestored.
    void Restore(const QList<TBrixTapeCalculation> &Kept, const TBrixCalcRecord &Record);
    /// Clear tape: nothing kept, Current from Record (a record just begun),
    /// and its Serial as the last one seen. Tells tcCleared.
    void Clear(const TBrixCalcRecord &Record);

    /// Names this document's session in the identities it gives: a random
    /// UUID, without braces, made when the document was.
    const QString &Session() const { return FSession; }
    /// The identity the current calculation gets when it ends, and is
    /// written with until then.
    QString CurrentId() const;

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
    /// Current stays. Tells tcLoaded when it read them.
    ///
    /// A file that exists but cannot be opened or read (Parse) is moved aside
    /// to the first free name of File() + ".unreadable", ".unreadable.1",
    /// ".unreadable.2" ... (never over anything, its bytes as they were, then
    /// readable and writable by the user only); the document then writes a
    /// new tape to File(). When it cannot be moved (a folder the user cannot
    /// write), it stays as it is and is never written: Unreadable().
    ///
    /// A format 1 line is a number line when the part of it after an
    /// operator word ("- 5.0000", "= 17.0000") reads as a number: its
    /// separators are told apart by their place (the last "." or "," is the
    /// decimal mark when the other one comes before it or it appears once,
    /// unless it is the region's group separator followed by exactly three
    /// digits); blanks and apostrophes group digits. It is a result when its
    /// operator word is "=" or the line before it is "=" alone, an error when
    /// it is the error line of the tape in any language, else a text line.
    TBrixTapeLoad Load();
    /// The file could not be read by Load, nor moved aside: Save leaves it
    /// alone.
    bool Unreadable() const { return FUnreadable; }
    /// Writes the last Limit calculations atomically (a new file replaces the
    /// old one whole, and only once every byte was written), readable and
    /// writable by the user only. Returns "" when written or when there is
    /// nothing to write to, else the reason (the file is then as it was).
    QString Save() const;
    /// The file's content for the last Limit of Calculations(), the current
    /// one with CurrentId().
    QByteArray Serialized() const;
    /// The file's content (format 3) for Calculations, each one that has
    /// lines.
    static QByteArray Serialize(const QList<TBrixTapeCalculation> &Calculations);
    /// Reads a file's content; returns "" and the calculations (each with
    /// lines and an identity), or the reason it is no tape file of format 1,
    /// 2 or 3 and no calculations.
    static QString Parse(const QByteArray &Data, QList<TBrixTapeCalculation> &Calculations);

    /// $XDG_STATE_HOME/lumopocketo/tape, by default under ~/.local/state.
    static QString DefaultFile();

private:
    void Trim();
    void Tell(TBrixTapeChange Change) const;

    QString NewId();

    QList<TBrixTapeCalculation> FKept;
    TBrixTapeCalculation FCurrent;
    std::optional<int> FSerial;
    QString FSession;
    // The number in the session of the next calculation to end.
    int FNextNumber = 1;
    QString FFile;
    bool FUnreadable = false;
    std::vector<std::pair<int, TBrixTapeObserver>> FObservers;
    int FNextObserver = 1;
};

} // namespace Brix
