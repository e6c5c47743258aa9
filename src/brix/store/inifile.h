/// @file
/// INI files of section lines ("[name]") and "ident=value" lines, in two
/// forms: TBrixIniFile reads and writes the file on every call (the plain
/// store), TBrixMemIniFile reads it once and writes it back whole (the
/// buffered store). Both compare section and ident names without regard to
/// letter case and keep the file's text encoding, told by its byte-order
/// mark: UTF-8, UTF-16LE and UTF-16BE with one; without a mark, UTF-8 when
/// the bytes are valid UTF-8 and Latin-1 otherwise, so that a file written in
/// an 8-bit code page keeps every byte of its names and values through a
/// save. Files are replaced atomically (QSaveFile): a crash or a full disk
/// during a write leaves the old file whole.
#pragma once

#include "brix/export.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Brix {

/// The encoding of an INI file, found from its byte-order mark or its bytes.
enum TBrixIniEncoding
{
    ieUtf8,
    ieUtf8Bom,
    ieUtf16LE,
    ieUtf16BE,
    /// No mark and bytes that are not valid UTF-8: one character per byte.
    ieLatin1
};

/// Decoded file text and the encoding it was found in.
struct BRIX_CONTROLS_EXPORT TBrixIniText
{
    /// The text without a byte-order mark, and its encoding.
    ///@{
    QString Text;
    TBrixIniEncoding Encoding = ieUtf8;
    ///@}
};

/// Decodes file bytes by their byte-order mark (the mark is not part of
/// Text). Without a mark: UTF-8 when the whole file is valid UTF-8, else
/// Latin-1 (every byte one character, U+0000 to U+00FF), so any bytes give
/// some text and no byte is lost. Invalid sequences in a UTF-8 or UTF-16
/// file with a mark become U+FFFD.
///   `"k=\xC3\xA9"` -> "k=é", ieUtf8;  `"k=\xE9"` -> "k=é", ieLatin1
BRIX_CONTROLS_EXPORT TBrixIniText DecodeIniBytes(const QByteArray &Bytes);
/// Encodes Text with Encoding, the byte-order mark first where it has one.
/// ieLatin1 writes one byte per character as long as those bytes read back
/// (DecodeIniBytes) as Text; when they would not (a character above U+00FF,
/// or bytes that happen to form valid UTF-8), the whole text is written as
/// UTF-8 without a mark: every character is kept, the bytes of other lines
/// change.
BRIX_CONTROLS_EXPORT QByteArray EncodeIniText(const QString &Text, TBrixIniEncoding Encoding);

/// Removes every character below 33 (blanks and control characters) from
/// both ends: the trimming of INI lines and names.
BRIX_CONTROLS_EXPORT QString IniTrim(QStringView Text);

/// The part both forms share: the file name and the string access.
class BRIX_CONTROLS_EXPORT TBrixCustomIniFile
{
public:
    /// A store on FileName; nothing is read yet.
    explicit TBrixCustomIniFile(QString FileName) : FFileName(std::move(FileName)) {}
    virtual ~TBrixCustomIniFile() = default;
    TBrixCustomIniFile(const TBrixCustomIniFile &) = delete;
    TBrixCustomIniFile &operator=(const TBrixCustomIniFile &) = delete;

    /// The file name given at construction.
    const QString &FileName() const { return FFileName; }

    /// The value of Ident in Section, or Default when either is missing or
    /// the ident has no value (a line without "="). Names are trimmed
    /// (IniTrim) before they are compared, as the file's lines are.
    virtual QString ReadString(const QString &Section, const QString &Ident,
                               const QString &Default) = 0;
    /// Sets Ident in Section, adding the section or ident at the end when
    /// missing. Every value is one line of the file: a line break in Value
    /// (CR LF, CR or LF) is written as one blank, so a value can never add
    /// lines, sections or idents of its own; half a surrogate pair, which no
    /// encoding of the file holds, is written as U+FFFD. Names are trimmed; a
    /// name that would not read back as itself raises EFileError naming the
    /// file and changes nothing: a section or ident holding a line break or
    /// half a surrogate pair, an ident holding "=", and an ident that would
    /// turn its line into a comment or a section line (";k", or "[k" with a
    /// value ending in "]").
    virtual void WriteString(const QString &Section, const QString &Ident,
                             const QString &Value) = 0;
    /// Brings the file up to date with every write made so far; raises
    /// EFileError naming the file when it cannot be written.
    virtual void UpdateFile() = 0;

private:
    QString FFileName;
};

/// The buffered form. Reading rules: lines are split at CR, LF or CRLF and
/// trimmed (IniTrim); empty lines and lines beginning with ";" are skipped,
/// and so are lines before the first section; "[name]" opens a section (the
/// name trimmed), and a section whose name appeared before (in any letter
/// case) has its lines skipped; any other line is split at its first "=" into
/// ident and value, the ident trimmed (a line without "=" is an ident without
/// a value, which reads as missing). The value is everything after the "="
/// up to the trimmed end of the line: blanks at its start are part of it, so
/// a value written with leading blanks reads back with them after a restart. An ident that appears
/// twice in a section is kept; reads see the first. Lookups are hashed, so loading, reading and
/// writing n values take time linear in n.
///
/// Written form: every section in order as "[name]", its "ident=value" lines
/// (an ident without a value as its bare name), then one empty line; every
/// line ends with CR LF; comments are not kept.
class BRIX_CONTROLS_EXPORT TBrixMemIniFile : public TBrixCustomIniFile
{
public:
    /// Reads FileName. A missing file gives an empty store. A file that
    /// exists but cannot be read also gives an empty store, and UpdateFile
    /// will not replace it (its content would be lost).
    explicit TBrixMemIniFile(const QString &FileName);
    /// An empty store on no file (UpdateFile refuses); for parsing bytes.
    TBrixMemIniFile();

    QString ReadString(const QString &Section, const QString &Ident,
                       const QString &Default) override;
    void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
    /// Writes the whole content when anything was written since the file was
    /// read or last written; does nothing otherwise, so a store that was only
    /// read never rewrites (and reformats) the user's file.
    void UpdateFile() override;

    /// Replaces the content by the parse of Bytes and takes their encoding.
    void LoadFromBytes(const QByteArray &Bytes);
    /// The written form in the store's encoding.
    QByteArray SaveToBytes() const;

    /// The encoding the file was read in (ieUtf8 for a new file); writing keeps it.
    TBrixIniEncoding Encoding() const { return FEncoding; }
    /// Whether anything was written since the file was read or last written.
    bool Modified() const { return FModified; }
    /// Whether Section (and Ident in it) is present; names compare as IniNameKey does.
    ///@{
    bool SectionExists(const QString &Section) const;
    bool ValueExists(const QString &Section, const QString &Ident) const;
    ///@}
    /// Section names in file order.
    QStringList Sections() const;
    /// The idents of Section in order, repeated ones included.
    QStringList SectionIdents(const QString &Section) const;

private:
    struct TEntry
    {
        QString Ident;
        QString Value;
        bool HasValue = true;
    };
    struct TSection
    {
        QString Name;
        QList<TEntry> Entries;
        QHash<QString, qsizetype> Index; ///< folded ident -> first entry
    };

    const TSection *FindSection(const QString &Section) const;
    const TEntry *FindEntry(const QString &Section, const QString &Ident) const;
    void Parse(const QString &Text);

    QList<TSection> FSections;
    QHash<QString, qsizetype> FSectionIndex; ///< folded name -> section
    TBrixIniEncoding FEncoding = ieUtf8;
    bool FModified = false;
    bool FMayWrite = true;
    QString FLoadError;
};

/// The plain form: every read parses the file afresh (by the rules of
/// TBrixMemIniFile, the first of repeated sections counting) and cuts the
/// value to 2,047 characters (2,046 when the cut would split a surrogate
/// pair, which would leave half a character); every write edits the file's lines in place
/// and writes it at once, keeping comments, other sections and the encoding.
/// A missing file reads as empty; a write creates it.
class BRIX_CONTROLS_EXPORT TBrixIniFile : public TBrixCustomIniFile
{
public:
    /// A store on FileName; nothing is read yet.
    using TBrixCustomIniFile::TBrixCustomIniFile;

    /// The longest value a read returns.
    static constexpr qsizetype MaxValueLength = 2047;

    QString ReadString(const QString &Section, const QString &Ident,
                       const QString &Default) override;
    /// Raises EFileError naming the file when it exists but cannot be read
    /// (rewriting it would lose its content) or cannot be written.
    void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
    /// Every write has reached the file already: nothing to do.
    void UpdateFile() override {}

private:
    /// Value cut to MaxValueLength, never inside a surrogate pair.
    static QString CutValue(const QString &Value);
};

/// The key under which section and ident names compare: trimmed, as names
/// read from a file are, and without regard to letter case.
inline QString IniNameKey(const QString &Name)
{
    return IniTrim(Name).toCaseFolded();
}

} // namespace Brix
