// The INI file classes: reading rules, the written form, encodings, bad
// input, the plain form's in-place edits and the atomic replacement.
#include "brix/classes/exceptions.h"
#include "brix/store/inifile.h"
#include "store_helpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

using namespace Brix;
using BrixTest::ReadBytes;
using BrixTest::WriteBytes;

namespace {

// The bytes of a literal, NUL bytes included.
template <qsizetype N> QByteArray Raw(const char (&Text)[N])
{
    return QByteArray(Text, N - 1);
}

} // namespace

TEST(MemIniFile, ReadsByTheLineRules)
{
    // Tabs and control characters trim like blanks (a value keeps those at
    // its start); lines before the first section, comments and a repeated
    // section (in another case) go nowhere; CR, LF and CR LF all end lines.
    const QByteArray Text = "orphan=1\r\n"
                            "; comment\r\n"
                            "  [ Defaults ]\t\r\n"
                            "\tKey = Value with = inside \x01\r\n"
                            "Bare\n"
                            "key=second\r"
                            "  ;indented comment\r\n"
                            "[Other]\r\n"
                            "A=1\r\n"
                            "[DEFAULTS]\r\n"
                            "Key=repeated\r\n"
                            "New=lost\r\n";
    TBrixMemIniFile Ini;
    Ini.LoadFromBytes(Text);
    EXPECT_EQ(Ini.Sections(), QStringList({"Defaults", "Other"}));
    EXPECT_EQ(Ini.SectionIdents("defaults"), QStringList({"Key", "Bare", "key"}));
    EXPECT_EQ(Ini.ReadString("DEFAULTS", "KEY", "-"), " Value with = inside");
    // A line without "=" is an ident without a value: it reads as missing.
    EXPECT_EQ(Ini.ReadString("Defaults", "Bare", "-"), "-");
    EXPECT_EQ(Ini.ReadString("Defaults", "New", "-"), "-");
    EXPECT_EQ(Ini.ReadString("Defaults", "orphan", "-"), "-");
    EXPECT_EQ(Ini.ReadString("other", "a", "-"), "1");
    EXPECT_EQ(Ini.ReadString("Missing", "A", "-"), "-");
    EXPECT_FALSE(Ini.Modified());

    // The plain form reads the same file the same way.
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    ASSERT_TRUE(WriteBytes(Name, Text));
    TBrixIniFile Plain(Name);
    EXPECT_EQ(Plain.ReadString("DEFAULTS", "KEY", "-"), " Value with = inside");
    EXPECT_EQ(Plain.ReadString("Defaults", "Bare", "-"), "-");
    EXPECT_EQ(Plain.ReadString("Defaults", "New", "-"), "-");
    EXPECT_EQ(Plain.ReadString("Defaults", "orphan", "-"), "-");
    EXPECT_EQ(Plain.ReadString(" other\t", " a ", "-"), "1");

    // Written back: sections in order, each followed by an empty line, CR
    // LF everywhere, comments and skipped lines gone, a bare ident kept bare.
    EXPECT_EQ(Ini.SaveToBytes(), QByteArray("[Defaults]\r\n"
                                            "Key= Value with = inside\r\n"
                                            "Bare\r\n"
                                            "key=second\r\n"
                                            "\r\n"
                                            "[Other]\r\n"
                                            "A=1\r\n"
                                            "\r\n"));
}

TEST(MemIniFile, WritesChangeInPlaceOrAppend)
{
    TBrixMemIniFile Ini;
    Ini.LoadFromBytes("[One]\r\nA=1\r\nB=2\r\n[Two]\r\nC=3\r\n");
    Ini.WriteString("one", "b", "20"); // existing: keeps its place and spelling
    Ini.WriteString("Two", "D", "4");  // new ident at the end of its section
    Ini.WriteString("Three", "E", ""); // new section at the end
    EXPECT_TRUE(Ini.Modified());
    EXPECT_EQ(Ini.SaveToBytes(), QByteArray("[One]\r\nA=1\r\nB=20\r\n\r\n"
                                            "[Two]\r\nC=3\r\nD=4\r\n\r\n"
                                            "[Three]\r\nE=\r\n\r\n"));
}

TEST(MemIniFile, UpdateFileWritesOnlyAfterAChange)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    const QByteArray Old = "; keep me\n[S]\nk=v\n";
    ASSERT_TRUE(WriteBytes(Name, Old));
    TBrixMemIniFile Ini(Name);
    EXPECT_EQ(Ini.ReadString("S", "K", ""), "v");
    Ini.UpdateFile();
    EXPECT_EQ(ReadBytes(Name), Old);
    Ini.WriteString("S", "k", "w");
    Ini.UpdateFile();
    EXPECT_EQ(ReadBytes(Name), QByteArray("[S]\r\nk=w\r\n\r\n"));
    EXPECT_FALSE(Ini.Modified());
}

// A value's leading blanks are part of it: they survive the file being read
// again, in both forms. The line's end is still trimmed.
TEST(IniFile, LeadingBlanksOfAValueSurviveARestart)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    {
        TBrixMemIniFile Buffered(Name);
        Buffered.WriteString("S", "lead", "  two");
        Buffered.WriteString("S", "tab", "\tx");
        Buffered.WriteString("S", "tail", "x  ");
        Buffered.UpdateFile();
    }
    TBrixMemIniFile Buffered(Name);
    TBrixIniFile Plain(Name);
    for (TBrixCustomIniFile *Ini : {static_cast<TBrixCustomIniFile *>(&Buffered),
                                    static_cast<TBrixCustomIniFile *>(&Plain)}) {
        EXPECT_EQ(Ini->ReadString("S", "lead", ""), "  two");
        EXPECT_EQ(Ini->ReadString("S", "tab", ""), "\tx");
        EXPECT_EQ(Ini->ReadString("S", "tail", ""), "x");
    }
    Plain.WriteString("S", "more", " 3");
    EXPECT_EQ(TBrixMemIniFile(Name).ReadString("S", "more", ""), " 3");
}

// Without a mark, a file that is not valid UTF-8 is read and written byte
// for byte as Latin-1. Text that Latin-1 cannot hold, or whose Latin-1 bytes
// would read back as other characters, turns the whole file into UTF-8:
// every character is kept.
TEST(IniFile, FilesWithoutAMarkAreUtf8OrLatin1)
{
    struct Row
    {
        const char *Name;
        QByteArray Bytes;
        TBrixIniEncoding Encoding;
        QString Text;
    } Rows[] = {
        {"valid UTF-8", "k=\xC3\xA9", ieUtf8, QStringLiteral("k=é")},
        {"a Latin-1 byte", "k=\xE9", ieLatin1, QStringLiteral("k=é")},
        {"a sequence cut at the end", "k=\xE2\x82", ieLatin1, QStringLiteral("k=â\u0082")},
        {"an overlong form", "k=\xC0\xAF", ieLatin1, QStringLiteral("k=À¯")},
        {"plain ASCII", "k=v", ieUtf8, "k=v"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const TBrixIniText Decoded = DecodeIniBytes(R.Bytes);
        EXPECT_EQ(Decoded.Encoding, R.Encoding);
        EXPECT_EQ(Decoded.Text, R.Text);
        EXPECT_EQ(EncodeIniText(Decoded.Text, Decoded.Encoding), R.Bytes);
    }

    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    const QByteArray Latin1 = "[Autre]\r\nNom=Fran\xE7ois\r\n";
    for (bool Buffered : {true, false}) {
        SCOPED_TRACE(Buffered ? "buffered" : "plain");
        const QString Cyrillic = QStringLiteral("Шрифт");
        ASSERT_TRUE(WriteBytes(Name, Latin1));
        std::unique_ptr<TBrixCustomIniFile> Ini;
        if (Buffered)
            Ini = std::make_unique<TBrixMemIniFile>(Name);
        else
            Ini = std::make_unique<TBrixIniFile>(Name);
        Ini->WriteString("Defaults", "Font", Cyrillic);
        Ini->UpdateFile();
        const TBrixIniText Written = DecodeIniBytes(ReadBytes(Name));
        EXPECT_EQ(Written.Encoding, ieUtf8);
        TBrixMemIniFile Again(Name);
        EXPECT_EQ(Again.ReadString("Autre", "Nom", ""), QStringLiteral("François"));
        EXPECT_EQ(Again.ReadString("Defaults", "Font", ""), Cyrillic);

        // "Ã©" is C3 A9 in Latin-1, which would read back as "é".
        ASSERT_TRUE(WriteBytes(Name, Latin1));
        if (Buffered)
            Ini = std::make_unique<TBrixMemIniFile>(Name);
        else
            Ini = std::make_unique<TBrixIniFile>(Name);
        Ini->WriteString("Autre", "Nom", QStringLiteral("Ã©"));
        Ini->UpdateFile();
        EXPECT_EQ(TBrixMemIniFile(Name).ReadString("Autre", "Nom", ""), QStringLiteral("Ã©"));
    }
}

// A file keeps the encoding its byte-order mark names, in both forms.
TEST(IniFile, KeepsTheEncodingOfItsByteOrderMark)
{
    struct Row
    {
        const char *Name;
        TBrixIniEncoding Encoding;
        QByteArray Mark;
    } Rows[] = {
        {"utf8 without mark", ieUtf8, ""},
        {"utf8 with mark", ieUtf8Bom, "\xEF\xBB\xBF"},
        {"utf16le", ieUtf16LE, "\xFF\xFE"},
        {"utf16be", ieUtf16BE, "\xFE\xFF"},
    };
    const QString Content = QStringLiteral("[Grüße]\r\nEuro=€ 5\r\n\r\n");
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const QByteArray Bytes = EncodeIniText(Content, R.Encoding);
        ASSERT_TRUE(Bytes.startsWith(R.Mark));
        const TBrixIniText Decoded = DecodeIniBytes(Bytes);
        EXPECT_EQ(Decoded.Encoding, R.Encoding);
        EXPECT_EQ(Decoded.Text, Content);

        QTemporaryDir Dir;
        const QString Name = Dir.filePath("x.ini");
        ASSERT_TRUE(WriteBytes(Name, Bytes));
        TBrixMemIniFile Buffered(Name);
        EXPECT_EQ(Buffered.ReadString(QStringLiteral("GRÜßE"), "euro", ""), QStringLiteral("€ 5"));
        Buffered.WriteString(QStringLiteral("Grüße"), "Yen", QStringLiteral("¥"));
        Buffered.UpdateFile();
        TBrixIniText Written = DecodeIniBytes(ReadBytes(Name));
        EXPECT_TRUE(ReadBytes(Name).startsWith(R.Mark));
        EXPECT_EQ(Written.Encoding, R.Encoding);
        EXPECT_EQ(Written.Text, QStringLiteral("[Grüße]\r\nEuro=€ 5\r\nYen=¥\r\n\r\n"));

        TBrixIniFile Plain(Name);
        Plain.WriteString("New", "Ä", QStringLiteral("ö"));
        Written = DecodeIniBytes(ReadBytes(Name));
        EXPECT_EQ(Written.Encoding, R.Encoding);
        EXPECT_EQ(Plain.ReadString("new", "ä", ""), QStringLiteral("ö"));
        EXPECT_EQ(Plain.ReadString(QStringLiteral("grüße"), "YEN", ""), QStringLiteral("¥"));
    }
}

TEST(IniFile, PlainWritesEditLinesInPlace)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    ASSERT_TRUE(WriteBytes(Name, "; header comment\n"
                                 "[One]\n"
                                 "A=1\n"
                                 "; inside\n"
                                 "B = 2\n"
                                 "\n"
                                 "[Two]\n"
                                 "C=3\n"
                                 "[one]\n"
                                 "A=repeated\n"));
    TBrixIniFile Ini(Name);
    Ini.WriteString("ONE", "b", "20");
    Ini.WriteString("Two", "D", "4");
    Ini.WriteString("Three", "E", "5");
    EXPECT_EQ(ReadBytes(Name), QByteArray("; header comment\r\n"
                                          "[One]\r\n"
                                          "A=1\r\n"
                                          "; inside\r\n"
                                          "b=20\r\n"
                                          "\r\n"
                                          "[Two]\r\n"
                                          "C=3\r\n"
                                          "D=4\r\n"
                                          "[one]\r\n"
                                          "A=repeated\r\n"
                                          "\r\n"
                                          "[Three]\r\n"
                                          "E=5\r\n"));
    // The first of the repeated sections is the one that counts.
    EXPECT_EQ(Ini.ReadString("one", "a", "-"), "1");
    EXPECT_EQ(Ini.ReadString("one", "C", "-"), "-");
}

TEST(IniFile, PlainReadsCutValuesAt2047Characters)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    const QString Long(3000, u'x');
    TBrixIniFile Plain(Name);
    Plain.WriteString("S", "Long", Long);
    EXPECT_EQ(Plain.ReadString("S", "Long", ""), Long.left(2047));
    TBrixMemIniFile Buffered(Name);
    EXPECT_EQ(Buffered.ReadString("S", "Long", ""), Long);

    // A cut that would split a surrogate pair leaves the whole pair out.
    const QString Pair = QString(2046, u'x') + QStringLiteral("\U0001F600y");
    Plain.WriteString("S", "Pair", Pair);
    EXPECT_EQ(Plain.ReadString("S", "Pair", ""), QString(2046, u'x'));
}

// Every value is one line and every name reads back as itself: a value's
// line breaks become blanks, so it cannot plant sections or idents in the
// file; a name that would read back as something else is refused (naming
// the file) and nothing changes. Both forms, read back from the file.
TEST(IniFile, WritesCannotAddLinesOfTheirOwn)
{
    struct Row
    {
        const char *Name;
        QString Section, Ident, Value;
        QString Stored; // "" when refused
    } Rows[] = {
        {"value with CR LF", "S", "k", "1\r\n[Evil]\r\nx=2", "1 [Evil] x=2"},
        {"value with CR and LF alone", "S", "k", "a\nb\rc\n\rd", "a b c  d"},
        {"padded names", " S\t", "  k ", "v", "v"},
        {"ident holding =", "S", "a=b", "v", ""},
        {"ident with a line break", "S", "k\r\n[Evil]\r\nx", "v", ""},
        {"ident read as a comment", "S", ";k", "v", ""},
        {"ident and value read as a section", "S", "[Evil", "]", ""},
        {"section with a line break", "S]\r\n[Evil", "k", "v", ""},
        {"value with half a surrogate pair", "S", "k", QString(u'a') + QChar(0xD83D) + u'b',
         QStringView(u"a\uFFFDb").toString()},
        {"ident with half a surrogate pair", "S", QString(u'k') + QChar(0xDE00), "v", ""},
    };
    const QByteArray Old = "[S]\r\nother=1\r\n";
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        QTemporaryDir Dir;
        const QString Name = Dir.filePath("x.ini");
        const bool Refused = R.Stored.isEmpty();
        auto Write = [&](TBrixCustomIniFile &Ini) {
            try {
                Ini.WriteString(R.Section, R.Ident, R.Value);
                EXPECT_FALSE(Refused) << "no error";
            } catch (const EFileError &E) {
                EXPECT_TRUE(Refused) << E.what();
                EXPECT_TRUE(E.Message().contains(Name)) << E.what();
            }
        };
        auto Check = [&] {
            TBrixMemIniFile Again(Name);
            EXPECT_EQ(Again.Sections(), QStringList({"S"}));
            EXPECT_EQ(Again.ReadString("S", "other", ""), "1");
            if (Refused) {
                EXPECT_EQ(ReadBytes(Name), Old);
            } else {
                EXPECT_EQ(Again.SectionIdents("S"), QStringList({"other", "k"}));
                EXPECT_EQ(Again.ReadString("S", "k", ""), R.Stored);
                EXPECT_EQ(Again.ReadString(R.Section, R.Ident, ""), R.Stored);
            }
        };

        ASSERT_TRUE(WriteBytes(Name, Old));
        TBrixMemIniFile Buffered(Name);
        Write(Buffered);
        EXPECT_EQ(Buffered.Modified(), !Refused);
        // What this run reads is what the next start will read.
        if (!Refused) {
            EXPECT_EQ(Buffered.ReadString(R.Section, R.Ident, ""), R.Stored);
        }
        Buffered.UpdateFile();
        Check();

        ASSERT_TRUE(WriteBytes(Name, Old));
        TBrixIniFile Plain(Name);
        Write(Plain);
        Check();
    }
}

// Files that are not proper INI text load what they can, are left as they
// are while only read, and are replaced whole once written.
TEST(IniFile, BadInputLoadsWhatItCan)
{
    QByteArray Junk(64 * 1024, '\0');
    QRandomGenerator Random(20261210);
    for (char &C : Junk)
        C = char(Random.bounded(256));
    const QByteArray HugeLine = QByteArray(10 * 1024 * 1024, 'z') + "\r\n[S]\r\nk=v\r\n";
    const QString Default = QStringLiteral("default");
    struct Row
    {
        const char *Name;
        QByteArray Bytes;
        QString Expected; // the value of S/k
    } Rows[] = {
        {"binary junk", Junk, Default},
        {"NUL bytes", Raw("[S]\0\r\nk=v\0w\r\n[T]\r\nk=t\r\n"),
         QStringLiteral("v") + QChar(0) + u'w'},
        {"a 10 MiB line", HugeLine, "v"},
        {"invalid UTF-8", Raw("[S]\r\nbad=\xC3\x28\xFF\r\nk=v\r\n"), "v"},
        {"UTF-16 of odd length", Raw("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0\n\0\n"), "v"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        QTemporaryDir Dir;
        const QString Name = Dir.filePath("x.ini");
        ASSERT_TRUE(WriteBytes(Name, R.Bytes));
        const QString &Expected = R.Expected;
        TBrixMemIniFile Buffered(Name);
        EXPECT_EQ(Buffered.ReadString("S", "k", "default"), Expected);
        TBrixIniFile Plain(Name);
        EXPECT_EQ(Plain.ReadString("S", "k", "default"), Expected);
        Buffered.UpdateFile();
        EXPECT_EQ(ReadBytes(Name), R.Bytes);

        Buffered.WriteString("S", "written", "1");
        Buffered.UpdateFile();
        TBrixMemIniFile Again(Name);
        EXPECT_EQ(Again.ReadString("S", "written", ""), "1");
        EXPECT_EQ(Again.ReadString("S", "k", "default"), Expected);
    }
}

TEST(IniFile, MissingFileReadsEmptyAndIsCreatedOnWrite)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("none.ini");
    TBrixMemIniFile Buffered(Name);
    EXPECT_EQ(Buffered.ReadString("S", "k", "d"), "d");
    Buffered.UpdateFile();
    EXPECT_FALSE(QFileInfo::exists(Name));
    TBrixIniFile Plain(Name);
    EXPECT_EQ(Plain.ReadString("S", "k", "d"), "d");
    Plain.WriteString("S", "k", "v");
    EXPECT_EQ(ReadBytes(Name), QByteArray("[S]\r\nk=v\r\n"));
}

// A file that cannot be read is never replaced (its content would be lost),
// and a file that cannot be written raises an error naming it. Both are made
// with folders, so the test holds for every user, root included.
TEST(IniFile, UnreadableOrUnwritableFilesRaiseErrorsNamingThem)
{
    QTemporaryDir Dir;
    const QString Unreadable = Dir.filePath("dir.ini");
    ASSERT_TRUE(QDir().mkdir(Unreadable));
    const QString Unwritable = Dir.filePath("missing/folder/x.ini");

    for (const QString &Name : {Unreadable, Unwritable}) {
        SCOPED_TRACE(Name.toStdString());
        TBrixMemIniFile Buffered(Name);
        EXPECT_EQ(Buffered.ReadString("S", "k", "d"), "d");
        Buffered.WriteString("S", "k", "v");
        try {
            Buffered.UpdateFile();
            ADD_FAILURE() << "no error";
        } catch (const EFileError &E) {
            EXPECT_TRUE(E.Message().contains(Name)) << E.what();
        }
        EXPECT_TRUE(Buffered.Modified()); // still holds the unwritten value

        TBrixIniFile Plain(Name);
        EXPECT_EQ(Plain.ReadString("S", "k", "d"), "d");
        try {
            Plain.WriteString("S", "k", "v");
            ADD_FAILURE() << "no error";
        } catch (const EFileError &E) {
            EXPECT_TRUE(E.Message().contains(Name)) << E.what();
        }
    }
    EXPECT_TRUE(QFileInfo(Unreadable).isDir());
}

// A process killed while it writes a buffered file leaves the old or the
// new file, whole. The child rewrites a large file in a loop, in turn with
// one of two contents; the parent kills it at random moments and checks
// that the file is exactly one of the contents.
TEST(MemIniFile, KillDuringWriteLeavesAWholeFile)
{
    QTemporaryDir Dir;
    const QString Name = Dir.filePath("x.ini");
    constexpr int Sections = 100, KeysPerSection = 500;
    auto Fill = [&](TBrixMemIniFile &Ini, const QString &Value) {
        for (int S = 0; S < Sections; ++S)
            for (int K = 0; K < KeysPerSection; ++K)
                Ini.WriteString(QStringLiteral("Section %1").arg(S), QStringLiteral("Key%1").arg(K),
                                Value);
    };
    TBrixMemIniFile Old(Name), First(Name), Second(Name);
    Fill(Old, "old");
    Fill(First, "first");
    Fill(Second, "second");
    Old.UpdateFile();
    const QByteArray Contents[] = {Old.SaveToBytes(), First.SaveToBytes(), Second.SaveToBytes()};

    QRandomGenerator Random(42);
    int Kills = 0;
    for (int Round = 1; Round <= 20; ++Round) {
        SCOPED_TRACE(Round);
        const pid_t Child = fork();
        ASSERT_GE(Child, 0);
        if (Child == 0) {
            // Bounded, so a child cannot outlive a parent that failed.
            const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            for (int I = 0; std::chrono::steady_clock::now() < Until; ++I) {
                TBrixMemIniFile &Ini = I % 2 ? Second : First;
                Ini.WriteString("Section 0", "Key0", I % 2 ? "second" : "first");
                Ini.UpdateFile();
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(5000 + Random.bounded(30000)));
        kill(Child, SIGKILL);
        int Status = 0;
        ASSERT_EQ(waitpid(Child, &Status, 0), Child);
        Kills += WIFSIGNALED(Status) ? 1 : 0;

        const QByteArray Written = ReadBytes(Name);
        EXPECT_TRUE(Written == Contents[0] || Written == Contents[1] || Written == Contents[2])
            << "a file of " << Written.size() << " bytes";
    }
    EXPECT_EQ(Kills, 20);
}
