#include "brix/store/inifile.h"

#include "brix/classes/exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace Brix {

namespace {

// One line of an INI file as both forms read it.
enum TLineKind
{
    lkSkip,
    lkSection,
    lkEntry
};

struct TLine
{
    TLineKind Kind = lkSkip;
    QString Name; // section name or ident, trimmed
    QString Value;
    bool HasValue = false;
};

TLine ClassifyLine(QStringView Raw)
{
    TLine Line;
    const QString Text = IniTrim(Raw);
    if (Text.isEmpty() || Text.front() == u';')
        return Line;
    if (Text.size() >= 2 && Text.front() == u'[' && Text.back() == u']') {
        Line.Kind = lkSection;
        Line.Name = IniTrim(QStringView(Text).sliced(1, Text.size() - 2));
        return Line;
    }
    Line.Kind = lkEntry;
    const qsizetype Eq = Text.indexOf(u'=');
    if (Eq < 0) {
        Line.Name = Text;
        return Line;
    }
    Line.Name = IniTrim(QStringView(Text).first(Eq));
    // Only the line's end is trimmed: blanks after "=" belong to the value,
    // as written.
    Line.Value = Text.sliced(Eq + 1);
    Line.HasValue = true;
    return Line;
}

// Calls Fn for every line of Text; CR, LF and CR LF each end a line, and a
// final line ending does not start another line.
template <class F> void ForEachLine(QStringView Text, F &&Fn)
{
    qsizetype Start = 0;
    const qsizetype Size = Text.size();
    for (qsizetype I = 0; I < Size; ++I) {
        const QChar C = Text[I];
        if (C != u'\r' && C != u'\n')
            continue;
        Fn(Text.sliced(Start, I - Start));
        if (C == u'\r' && I + 1 < Size && Text[I + 1] == u'\n')
            ++I;
        Start = I + 1;
    }
    if (Start < Size)
        Fn(Text.sliced(Start));
}

QString Decode(QStringConverter::Encoding Encoding, QByteArrayView Bytes)
{
    // ConvertInitialBom: a second mark after the one already taken off is
    // text, and stays so when the file is written back.
    QStringDecoder Decoder(Encoding, QStringConverter::Flag::ConvertInitialBom);
    QString Text = Decoder.decode(Bytes);
    return Text;
}

[[noreturn]] void RaiseWriteError(const QString &FileName, const QString &Reason)
{
    throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, Reason));
}

bool HasLineBreak(QStringView Text)
{
    return Text.contains(u'\r') || Text.contains(u'\n');
}

// Value as the file can hold it: on one line, each line break (CR LF, CR or
// LF) as one blank, and each half of a surrogate pair that has lost its
// other half as U+FFFD, which is what the file's encoding makes of it. Left
// alone, "1\r\n[Other]\r\nk=2" would plant a section and an ident of its
// own in the file, and a store would read back in this run what it does not
// read back after the next start.
QString FileValue(const QString &Value)
{
    if (!HasLineBreak(Value) && QStringView(Value).isValidUtf16())
        return Value;
    QString Result;
    Result.reserve(Value.size());
    for (qsizetype I = 0; I < Value.size(); ++I) {
        const QChar C = Value.at(I);
        if (C == u'\r' || C == u'\n') {
            if (C == u'\r' && I + 1 < Value.size() && Value.at(I + 1) == u'\n')
                ++I;
            Result += u' ';
        } else if (C.isHighSurrogate() && I + 1 < Value.size() &&
                   Value.at(I + 1).isLowSurrogate()) {
            Result += C;
            Result += Value.at(++I);
        } else if (C.isSurrogate()) {
            Result += QChar(QChar::ReplacementCharacter);
        } else {
            Result += C;
        }
    }
    return Result;
}

// The names and value of a write as they go into the file: names trimmed
// (the file's lines are read trimmed), the value on one line. Names that
// would not read back as themselves are refused before anything changes.
struct TIniWrite
{
    QString Section;
    QString Ident;
    QString Value;
};

TIniWrite PrepareWrite(const QString &FileName, const QString &Section, const QString &Ident,
                       const QString &Value)
{
    TIniWrite Write{IniTrim(Section), IniTrim(Ident), FileValue(Value)};
    auto Refuse = [&](const QString &Name) {
        throw EFileError(QStringLiteral("Cannot write to file \"%1\". The name \"%2\" cannot be "
                                        "written there: it would not read back as the same name.")
                             .arg(FileName, Name));
    };
    // A section line reads back as its trimmed name whatever it holds, as
    // long as it stays one line of text the file's encoding can hold.
    if (HasLineBreak(Write.Section) || !QStringView(Write.Section).isValidUtf16())
        Refuse(Section);
    if (HasLineBreak(Write.Ident) || !QStringView(Write.Ident).isValidUtf16())
        Refuse(Ident);
    // "a=b" would read as ident "a", ";k" as a comment, "[k" with "v]" as a
    // section line.
    const TLine Line = ClassifyLine(Write.Ident + u'=' + Write.Value);
    if (Line.Kind != lkEntry || Line.Name != Write.Ident)
        Refuse(Ident);
    return Write;
}

// Replaces FileName by Bytes through a temporary file and a rename, so the
// old file stays whole when anything fails on the way.
void WriteFileAtomically(const QString &FileName, const QByteArray &Bytes)
{
    QSaveFile Out(FileName);
    if (!Out.open(QIODevice::WriteOnly))
        RaiseWriteError(FileName, Out.errorString());
    if (Out.write(Bytes) != Bytes.size()) {
        const QString Reason = Out.errorString();
        Out.cancelWriting();
        RaiseWriteError(FileName, Reason);
    }
    if (!Out.commit())
        RaiseWriteError(FileName, Out.errorString());
}

// Reads the whole of FileName. False with Error set when it exists and
// cannot be read; true with empty Bytes when it does not exist.
bool ReadWholeFile(const QString &FileName, QByteArray &Bytes, QString &Error)
{
    Bytes.clear();
    QFile File(FileName);
    if (!QFileInfo::exists(FileName))
        return true;
    if (!File.open(QIODevice::ReadOnly)) {
        Error = File.errorString();
        return false;
    }
    Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError) {
        Error = File.errorString();
        Bytes.clear();
        return false;
    }
    return true;
}

} // namespace

QString IniTrim(QStringView Text)
{
    qsizetype Begin = 0;
    qsizetype End = Text.size();
    while (Begin < End && Text[Begin].unicode() < 33)
        ++Begin;
    while (End > Begin && Text[End - 1].unicode() < 33)
        --End;
    return Text.sliced(Begin, End - Begin).toString();
}

TBrixIniText DecodeIniBytes(const QByteArray &Bytes)
{
    TBrixIniText Result;
    const QByteArrayView View(Bytes);
    if (View.startsWith("\xEF\xBB\xBF")) {
        Result.Encoding = ieUtf8Bom;
        Result.Text = Decode(QStringConverter::Utf8, View.sliced(3));
    } else if (View.startsWith("\xFF\xFE")) {
        Result.Encoding = ieUtf16LE;
        Result.Text = Decode(QStringConverter::Utf16LE, View.sliced(2));
    } else if (View.startsWith("\xFE\xFF")) {
        Result.Encoding = ieUtf16BE;
        Result.Text = Decode(QStringConverter::Utf16BE, View.sliced(2));
    } else {
        // Stateless: a sequence cut off at the end of the file counts as
        // invalid, so such a file is Latin-1 too.
        QStringDecoder Utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        Result.Text = Utf8.decode(View);
        Result.Encoding = ieUtf8;
        if (Utf8.hasError()) {
            Result.Encoding = ieLatin1;
            Result.Text = QString::fromLatin1(View);
        }
    }
    return Result;
}

QByteArray EncodeIniText(const QString &Text, TBrixIniEncoding Encoding)
{
    QStringConverter::Encoding Codec = QStringConverter::Utf8;
    QByteArray Result;
    switch (Encoding) {
    case ieUtf8:
        break;
    case ieUtf8Bom:
        Result = QByteArray("\xEF\xBB\xBF");
        break;
    case ieUtf16LE:
        Codec = QStringConverter::Utf16LE;
        Result = QByteArray("\xFF\xFE");
        break;
    case ieUtf16BE:
        Codec = QStringConverter::Utf16BE;
        Result = QByteArray("\xFE\xFF");
        break;
    case ieLatin1: {
        const bool Fits =
            std::all_of(Text.cbegin(), Text.cend(), [](QChar C) { return C.unicode() <= 0xFF; });
        if (Fits) {
            QByteArray Bytes = Text.toLatin1();
            if (DecodeIniBytes(Bytes).Text == Text)
                return Bytes;
        }
        break; // as UTF-8: every character survives
    }
    }
    QStringEncoder Encoder(Codec);
    Result += QByteArray(Encoder.encode(Text));
    return Result;
}

// ---- TBrixMemIniFile ----

TBrixMemIniFile::TBrixMemIniFile(const QString &FileName) : TBrixCustomIniFile(FileName)
{
    QByteArray Bytes;
    if (!ReadWholeFile(FileName, Bytes, FLoadError)) {
        FMayWrite = false;
        return;
    }
    LoadFromBytes(Bytes);
}

TBrixMemIniFile::TBrixMemIniFile() : TBrixCustomIniFile(QString()) {}

void TBrixMemIniFile::LoadFromBytes(const QByteArray &Bytes)
{
    const TBrixIniText Decoded = DecodeIniBytes(Bytes);
    FEncoding = Decoded.Encoding;
    Parse(Decoded.Text);
}

void TBrixMemIniFile::Parse(const QString &Text)
{
    FSections.clear();
    FSectionIndex.clear();
    FModified = false;
    // Lines before the first section, and under a repeated one, go nowhere.
    TSection *Current = nullptr;
    ForEachLine(Text, [&](QStringView Raw) {
        TLine Line = ClassifyLine(Raw);
        switch (Line.Kind) {
        case lkSkip:
            return;
        case lkSection: {
            const QString Key = IniNameKey(Line.Name);
            if (FSectionIndex.contains(Key)) {
                Current = nullptr;
                return;
            }
            FSectionIndex.insert(Key, FSections.size());
            FSections.append(TSection{std::move(Line.Name), {}, {}});
            Current = &FSections.last();
            return;
        }
        case lkEntry:
            if (!Current)
                return;
            // A repeated ident is kept, but lookups find its first line.
            if (QString Key = IniNameKey(Line.Name); !Current->Index.contains(Key))
                Current->Index.insert(std::move(Key), Current->Entries.size());
            Current->Entries.append(
                TEntry{std::move(Line.Name), std::move(Line.Value), Line.HasValue});
            return;
        }
    });
}

QByteArray TBrixMemIniFile::SaveToBytes() const
{
    static constexpr QStringView Eol = u"\r\n";
    QString Text;
    qsizetype Size = 0;
    for (const TSection &Section : FSections) {
        Size += Section.Name.size() + 6;
        for (const TEntry &Entry : Section.Entries)
            Size += Entry.Ident.size() + Entry.Value.size() + 3;
    }
    Text.reserve(Size);
    for (const TSection &Section : FSections) {
        Text += u'[';
        Text += Section.Name;
        Text += u']';
        Text += Eol;
        for (const TEntry &Entry : Section.Entries) {
            Text += Entry.Ident;
            if (Entry.HasValue) {
                Text += u'=';
                Text += Entry.Value;
            }
            Text += Eol;
        }
        Text += Eol;
    }
    return EncodeIniText(Text, FEncoding);
}

const TBrixMemIniFile::TSection *TBrixMemIniFile::FindSection(const QString &Section) const
{
    const auto It = FSectionIndex.constFind(IniNameKey(Section));
    return It == FSectionIndex.cend() ? nullptr : &FSections.at(*It);
}

const TBrixMemIniFile::TEntry *TBrixMemIniFile::FindEntry(const QString &Section,
                                                          const QString &Ident) const
{
    const TSection *Found = FindSection(Section);
    if (!Found)
        return nullptr;
    const auto It = Found->Index.constFind(IniNameKey(Ident));
    return It == Found->Index.cend() ? nullptr : &Found->Entries.at(*It);
}

QString TBrixMemIniFile::ReadString(const QString &Section, const QString &Ident,
                                    const QString &Default)
{
    const TEntry *Entry = FindEntry(Section, Ident);
    return Entry && Entry->HasValue ? Entry->Value : Default;
}

void TBrixMemIniFile::WriteString(const QString &Section, const QString &Ident,
                                  const QString &Value)
{
    TIniWrite Write = PrepareWrite(FileName(), Section, Ident, Value);
    const QString SectionKey = IniNameKey(Write.Section);
    auto SectionIt = FSectionIndex.constFind(SectionKey);
    if (SectionIt == FSectionIndex.cend()) {
        SectionIt = FSectionIndex.insert(SectionKey, FSections.size());
        FSections.append(TSection{std::move(Write.Section), {}, {}});
    }
    TSection &Target = FSections[*SectionIt];
    const QString IdentKey = IniNameKey(Write.Ident);
    const auto EntryIt = Target.Index.constFind(IdentKey);
    if (EntryIt == Target.Index.cend()) {
        Target.Index.insert(IdentKey, Target.Entries.size());
        Target.Entries.append(TEntry{std::move(Write.Ident), std::move(Write.Value), true});
    } else {
        TEntry &Entry = Target.Entries[*EntryIt];
        Entry.Value = std::move(Write.Value);
        Entry.HasValue = true;
    }
    FModified = true;
}

void TBrixMemIniFile::UpdateFile()
{
    if (!FModified)
        return;
    if (FileName().isEmpty())
        throw EFileError(QStringLiteral("Cannot create file \"\". No file name is given."));
    if (!FMayWrite)
        RaiseWriteError(FileName(),
                        QStringLiteral("The existing file could not be read (%1); it is left "
                                       "as it is so that its content is not lost.")
                            .arg(FLoadError));
    WriteFileAtomically(FileName(), SaveToBytes());
    FModified = false;
}

bool TBrixMemIniFile::SectionExists(const QString &Section) const
{
    return FindSection(Section) != nullptr;
}

bool TBrixMemIniFile::ValueExists(const QString &Section, const QString &Ident) const
{
    return FindEntry(Section, Ident) != nullptr;
}

QStringList TBrixMemIniFile::Sections() const
{
    QStringList Names;
    Names.reserve(FSections.size());
    for (const TSection &Section : FSections)
        Names.append(Section.Name);
    return Names;
}

QStringList TBrixMemIniFile::SectionIdents(const QString &Section) const
{
    QStringList Idents;
    if (const TSection *Found = FindSection(Section)) {
        Idents.reserve(Found->Entries.size());
        for (const TEntry &Entry : Found->Entries)
            Idents.append(Entry.Ident);
    }
    return Idents;
}

// ---- TBrixIniFile ----

QString TBrixIniFile::CutValue(const QString &Value)
{
    qsizetype Length = std::min(Value.size(), MaxValueLength);
    if (Length < Value.size() && Value.at(Length - 1).isHighSurrogate() &&
        Value.at(Length).isLowSurrogate())
        --Length;
    return Value.first(Length);
}

QString TBrixIniFile::ReadString(const QString &Section, const QString &Ident,
                                 const QString &Default)
{
    QByteArray Bytes;
    QString Error;
    if (!ReadWholeFile(FileName(), Bytes, Error))
        return Default;
    const QString SectionKey = IniNameKey(Section);
    const QString IdentKey = IniNameKey(Ident);
    // Only the first section of the name counts: a repeated one is skipped.
    enum
    {
        Before,
        Inside,
        After
    } State = Before;
    QString Result = Default;
    ForEachLine(DecodeIniBytes(Bytes).Text, [&](QStringView Raw) {
        if (State == After)
            return;
        const TLine Line = ClassifyLine(Raw);
        if (Line.Kind == lkSection) {
            if (State == Inside)
                State = After;
            else if (IniNameKey(Line.Name) == SectionKey)
                State = Inside;
        } else if (Line.Kind == lkEntry && State == Inside && IniNameKey(Line.Name) == IdentKey) {
            if (Line.HasValue)
                Result = CutValue(Line.Value);
            State = After;
        }
    });
    return Result;
}

void TBrixIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    QByteArray Bytes;
    QString Error;
    if (!ReadWholeFile(FileName(), Bytes, Error))
        RaiseWriteError(FileName(),
                        QStringLiteral("The existing file could not be read (%1); it is left "
                                       "as it is so that its content is not lost.")
                            .arg(Error));
    const TIniWrite Write = PrepareWrite(FileName(), Section, Ident, Value);
    const TBrixIniText Decoded = DecodeIniBytes(Bytes);
    QStringList Lines;
    ForEachLine(Decoded.Text, [&](QStringView Raw) { Lines.append(Raw.toString()); });

    const QString SectionKey = IniNameKey(Write.Section);
    const QString IdentKey = IniNameKey(Write.Ident);
    const QString NewLine = Write.Ident + u'=' + Write.Value;
    qsizetype Header = -1;    // the section's first "[name]" line
    qsizetype LastEntry = -1; // its last ident line, or the header
    qsizetype Found = -1;     // the ident's line
    for (qsizetype I = 0; I < Lines.size(); ++I) {
        const TLine Line = ClassifyLine(Lines.at(I));
        if (Line.Kind == lkSection) {
            if (Header >= 0)
                break;
            if (IniNameKey(Line.Name) == SectionKey)
                Header = LastEntry = I;
        } else if (Line.Kind == lkEntry && Header >= 0) {
            LastEntry = I;
            if (IniNameKey(Line.Name) == IdentKey) {
                Found = I;
                break;
            }
        }
    }
    if (Found >= 0) {
        Lines[Found] = NewLine;
    } else if (Header >= 0) {
        Lines.insert(LastEntry + 1, NewLine);
    } else {
        if (!Lines.isEmpty() && !IniTrim(Lines.last()).isEmpty())
            Lines.append(QString());
        Lines.append(u'[' + Write.Section + u']');
        Lines.append(NewLine);
    }
    QString Text = Lines.join(QStringLiteral("\r\n"));
    Text += QStringLiteral("\r\n");
    WriteFileAtomically(FileName(), EncodeIniText(Text, Decoded.Encoding));
}

} // namespace Brix
