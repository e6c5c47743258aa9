// Fuzzes the INI reader with arbitrary bytes. Beyond "no crash" it checks:
// - every section and ident read back gives the value the parse holds;
// - the written form parses to the same content (writing loses nothing);
// - the plain form, reading the same bytes from a file, sees the same values
//   (cut at 2,047 characters);
// - a plain write of one value changes that value and no other;
// - a write whose ident and value come from the input (line breaks, "=",
//   ";", brackets, split surrogate pairs and all) is either refused by both
//   forms without a change, or reads back from the written file as the file
//   can hold it and changes no other value: no write adds lines of its own.
#include "brix/classes/exceptions.h"
#include "brix/store/inifile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <QString>
#include <algorithm>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace Brix;

namespace {

void Check(bool Condition, const char *What)
{
    if (!Condition) {
        fprintf(stderr, "fuzz_store: %s\n", What);
        abort();
    }
}

// (section, ident) -> the value reads give, for every pair of Ini.
QList<std::pair<QString, QString>> Pairs(const TBrixMemIniFile &Ini)
{
    QList<std::pair<QString, QString>> Result;
    for (const QString &Section : Ini.Sections())
        for (const QString &Ident : Ini.SectionIdents(Section))
            Result.append({Section, Ident});
    return Result;
}

// In memory-backed /dev/shm where there is one: every input writes it.
QString ScratchFile()
{
    static const QString Name =
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                   : QDir::tempPath()) +
        QStringLiteral("/fuzz_store_%1.ini").arg(qint64(getpid()));
    return Name;
}

// What a written value reads back as: line breaks as blanks, a surrogate
// without its other half as U+FFFD, its end trimmed (blanks at its start
// stay).
QString WrittenReadBack(QString Value)
{
    Value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    Value.replace(u'\r', u' ');
    Value.replace(u'\n', u' ');
    for (qsizetype I = 0; I < Value.size(); ++I) {
        if (Value[I].isHighSurrogate() && I + 1 < Value.size() && Value[I + 1].isLowSurrogate())
            ++I;
        else if (Value[I].isSurrogate())
            Value[I] = QChar(QChar::ReplacementCharacter);
    }
    qsizetype End = Value.size();
    while (End > 0 && Value[End - 1].unicode() < 33)
        --End;
    return Value.first(End);
}

bool SameName(const QString &A, const QString &B)
{
    return IniNameKey(A) == IniNameKey(B);
}

// Whether Ini.WriteString refuses the names.
bool Refuses(TBrixCustomIniFile &Ini, const QString &Section, const QString &Ident,
             const QString &Value)
{
    try {
        Ini.WriteString(Section, Ident, Value);
        return false;
    } catch (const EFileError &) {
        return true;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    TBrixMemIniFile Ini;
    Ini.LoadFromBytes(Bytes);
    const auto All = Pairs(Ini);
    for (const auto &[Section, Ident] : All) {
        Check(Ini.SectionExists(Section), "listed section missing");
        Check(Ini.ValueExists(Section, Ident), "listed ident missing");
        (void)Ini.ReadString(Section, Ident, QString());
    }

    // Written and read again: the same sections, idents and values.
    const QByteArray Written = Ini.SaveToBytes();
    TBrixMemIniFile Again;
    Again.LoadFromBytes(Written);
    // A Latin-1 file whose written form happens to be valid UTF-8 (its one
    // odd byte was in a comment) is written as UTF-8: the text is the same.
    Check(Again.Encoding() == Ini.Encoding() ||
              (Ini.Encoding() == ieLatin1 && Again.Encoding() == ieUtf8),
          "encoding changed");
    Check(Again.Sections() == Ini.Sections(), "sections changed");
    for (const QString &Section : Ini.Sections())
        Check(Again.SectionIdents(Section) == Ini.SectionIdents(Section), "idents changed");
    for (const auto &[Section, Ident] : All)
        Check(Again.ReadString(Section, Ident, QString()) == Ini.ReadString(Section, Ident, {}),
              "value changed by writing");
    Check(Again.SaveToBytes() == Written, "second write differs");

    // The plain form reads the same file the same way, and one write
    // changes one value.
    const QString Name = ScratchFile();
    {
        QFile File(Name);
        Check(File.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        File.write(Bytes);
    }
    TBrixIniFile Plain(Name);
    for (const auto &[Section, Ident] : All)
        Check(Plain.ReadString(Section, Ident, QString()) ==
                  Ini.ReadString(Section, Ident, QString()).left(TBrixIniFile::MaxValueLength),
              "plain and buffered reads differ");
    const QString Ident = QStringLiteral("FuzzIdent");
    // The file's first section, unless its name cannot be written back (a
    // lone surrogate read from a UTF-16 file): then a new one.
    QString Target = Ini.Sections().value(0, QStringLiteral("New"));
    {
        TBrixMemIniFile Probe;
        Probe.LoadFromBytes(Bytes);
        if (Refuses(Probe, Target, Ident, QStringLiteral("fuzz value")))
            Target = QStringLiteral("New");
    }
    Plain.WriteString(Target, Ident, QStringLiteral("fuzz value"));
    TBrixMemIniFile Edited(Name);
    Check(Edited.ReadString(Target, Ident, QString()) == QStringLiteral("fuzz value"),
          "plain write lost");
    for (const auto &[Section, OtherIdent] : All)
        if (IniNameKey(Section) != IniNameKey(Target) ||
            IniNameKey(OtherIdent) != IniNameKey(Ident))
            Check(Edited.ReadString(Section, OtherIdent, QString()) ==
                      Ini.ReadString(Section, OtherIdent, QString()),
                  "plain write changed another value");

    // A write made of the input itself, in both forms.
    const QString Text = DecodeIniBytes(Bytes).Text;
    const QString WildIdent = Text.left(12);
    const QString WildValue = Text.mid(12, 40);
    TBrixMemIniFile Wild;
    Wild.LoadFromBytes(Bytes);
    const bool Refused = Refuses(Wild, Target, WildIdent, WildValue);
    Check(Refused != Wild.Modified(), "a refused write changed the store, or a write did not");
    const QByteArray Before = [&] {
        QFile File(Name);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }();
    Check(Refuses(Plain, Target, WildIdent, WildValue) == Refused, "the forms disagree");
    TBrixMemIniFile WildPlain(Name);
    if (Refused) {
        Check(Wild.SaveToBytes() == Written, "a refused write changed the written form");
        QFile File(Name);
        Check(File.open(QIODevice::ReadOnly) && File.readAll() == Before,
              "a refused plain write changed the file");
    } else {
        TBrixMemIniFile Reread;
        Reread.LoadFromBytes(Wild.SaveToBytes());
        const QString Expected = WrittenReadBack(WildValue);
        Check(Reread.ReadString(Target, WildIdent, QString()) == Expected, "wild write lost");
        Check(WildPlain.ReadString(Target, WildIdent, QString()) == Expected,
              "wild plain write lost");
        QStringList Sections = Ini.Sections();
        if (std::none_of(Sections.begin(), Sections.end(),
                         [&](const QString &S) { return SameName(S, Target); }))
            Sections.append(Target);
        Check(Reread.Sections() == Sections, "a write added or lost a section");
        Check(WildPlain.Sections() == Edited.Sections(), "a plain write added or lost a section");
        for (const auto &[Section, OtherIdent] : All)
            if (!SameName(Section, Target) || !SameName(OtherIdent, WildIdent))
                Check(Reread.ReadString(Section, OtherIdent, QString()) ==
                          Ini.ReadString(Section, OtherIdent, QString()),
                      "a write changed another value");
        if (!SameName(WildIdent, Ident))
            Check(WildPlain.ReadString(Target, Ident, QString()) == QStringLiteral("fuzz value"),
                  "a plain write changed another value");
    }
    QFile::remove(Name);
    return 0;
}
