// The tape document: calculations collected from the engine's record across
// all clears, undo and restarts, and kept in a file between sessions.
#include "brix/calcwindows/tapedocument.h"

#include "../common/regional_guard.h"
#include "calculator/key_script.h"
#include "tape_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <csignal>
#include <limits>

#include <sys/resource.h>

using namespace Brix;

namespace {

using TCalcs = QList<TBrixTapeCalculation>;

using BrixTest::Error;
using BrixTest::Number;
using BrixTest::Result;
using BrixTest::Text;

const TBrixTapeCalculation Sum{Number("12.0000", "12", 0), Text("+"), Number("5.0000", "5", 2),
                               Text("="), Result("17.0000", "17")};
const TBrixTapeCalculation Product{Number("3.0000", "3", 0), Text("*"), Number("4.0000", "4", 2),
                                   Text("="), Result("12.0000", "12")};

TBrixCalcRecord Record(int Serial, const TBrixTapeCalculation &Lines)
{
    TBrixCalcRecord Result;
    Result.Serial = Serial;
    Result.Lines = Lines;
    return Result;
}

// The calculations without their identities.
TCalcs Unnamed(TCalcs Calculations)
{
    for (TBrixTapeCalculation &Calculation : Calculations)
        Calculation.Id.clear();
    return Calculations;
}

// The calculations' lines as the file keeps them: without identities and
// record steps (kept calculations are never edited).
TCalcs LinesOf(TCalcs Calculations)
{
    for (TBrixTapeCalculation &Calculation : Calculations) {
        Calculation.Id.clear();
        for (TBrixCalcRecordLine &Line : Calculation)
            Line.Number = -1;
    }
    return Calculations;
}

QStringList IdsOf(const TCalcs &Calculations)
{
    QStringList Ids;
    for (const TBrixTapeCalculation &Calculation : Calculations)
        Ids << Calculation.Id;
    return Ids;
}

TEST(TapeDocument, FollowsTheRecordAcrossSerials)
{
    struct TStep
    {
        TBrixCalcRecord Record;
        bool Ends;
    };
    struct TRow
    {
        const char *Name;
        std::vector<TStep> Steps;
        TCalcs Kept;
        TBrixTapeCalculation Current;
    };
    const TRow Rows[] = {
        {"lines of one calculation grow in Current",
         {{Record(1, Sum.mid(0, 2)), false}, {Record(1, Sum), false}},
         {},
         Sum},
        {"a new serial keeps the calculation and starts another",
         {{Record(1, Sum), false}, {Record(2, {}), true}, {Record(2, Product), false}},
         {Sum},
         Product},
        {"a new serial after no lines keeps nothing",
         {{Record(1, {}), false}, {Record(2, Product), false}, {Record(3, {}), true}},
         {Product},
         {}},
        {"several keys at once: the new calculation's lines come with its serial",
         {{Record(4, Sum), false}, {Record(5, Product), true}},
         {Sum},
         Product},
        {"lines taken back (undo within a calculation) leave Current",
         {{Record(1, Sum), false}, {Record(1, Sum.mid(0, 3)), false}},
         {},
         Sum.mid(0, 3)},
    };
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TBrixTapeDocument Tape;
        for (const TStep &Step : Row.Steps)
            EXPECT_EQ(Tape.Follow(Step.Record), Step.Ends);
        EXPECT_EQ(Unnamed(Tape.Kept()), Row.Kept);
        EXPECT_EQ(Tape.Current(), Row.Current);
        TCalcs All = Row.Kept;
        if (!Row.Current.isEmpty())
            All.append(Row.Current);
        EXPECT_EQ(Unnamed(Tape.Calculations()), All);
    }
}

TEST(TapeDocument, RestorePutsBackKeptAndCurrentWithoutMoving)
{
    TBrixTapeDocument Tape;
    Tape.Follow(Record(1, Sum));
    Tape.Follow(Record(2, Product));
    ASSERT_EQ(Unnamed(Tape.Kept()), TCalcs{Sum});
    // Undo of the all clear: the engine's record is Sum's again.
    Tape.Restore({}, Record(1, Sum));
    EXPECT_TRUE(Tape.Kept().isEmpty());
    EXPECT_EQ(Tape.Current(), Sum);
    // The restored serial counts as seen: the next keys do not move Sum.
    EXPECT_FALSE(Tape.Follow(Record(1, Sum + TBrixTapeCalculation{Text("+")})));
    EXPECT_TRUE(Tape.Kept().isEmpty());
    // Clear tape: nothing kept, the record's (empty) calculation current.
    Tape.Restore({}, Record(3, {}));
    EXPECT_TRUE(Tape.Calculations().isEmpty());
    EXPECT_FALSE(Tape.Follow(Record(3, Product)));
    EXPECT_EQ(Tape.Calculations(), TCalcs{Product});
}

// Each calculation that ends is named by the document's session and its
// number in it; the current one is written with the name it will get, undo
// and redo keep the names, and no name comes twice.
TEST(TapeDocument, CalculationsAreNamedWhenTheyEnd)
{
    TBrixTapeDocument Tape;
    const QString Session = Tape.Session();
    EXPECT_EQ(Session.size(), 36); // a UUID without braces
    EXPECT_NE(TBrixTapeDocument().Session(), Session);
    Tape.Follow(Record(1, Sum));
    EXPECT_EQ(Tape.Current().Id, "") << "in progress";
    EXPECT_EQ(Tape.CurrentId(), Session + "/1");
    TCalcs Written;
    ASSERT_EQ(TBrixTapeDocument::Parse(Tape.Serialized(), Written), "");
    EXPECT_EQ(IdsOf(Written), QStringList{Session + "/1"});

    Tape.Follow(Record(2, Product));
    EXPECT_EQ(IdsOf(Tape.Kept()), QStringList{Session + "/1"});
    const TCalcs Before = Tape.Kept();
    // Undo of the all clear, and an all clear again: a new name, as the
    // calculation may have changed meanwhile.
    Tape.Restore({}, Record(1, Sum));
    Tape.Follow(Record(2, {}));
    EXPECT_EQ(IdsOf(Tape.Kept()), QStringList{Session + "/2"});
    // Redo puts back the names it had; one given without a name gets a new one.
    Tape.Restore(Before + TCalcs{Product}, Record(2, {}));
    EXPECT_EQ(IdsOf(Tape.Kept()), QStringList({Session + "/1", Session + "/3"}));
    EXPECT_EQ(Tape.CurrentId(), Session + "/4");
}

TEST(TapeDocument, KeepsTheLastLimitCalculations)
{
    TBrixTapeDocument Tape;
    for (int I = 0; I < TBrixTapeDocument::Limit + 5; ++I)
        Tape.Follow(Record(I, {Number(QString::number(I), QString::number(I))}));
    // The last one is still current.
    ASSERT_EQ(Tape.Kept().size(), TBrixTapeDocument::Limit);
    EXPECT_EQ(Tape.Kept().first().first().Value, 4);
    EXPECT_EQ(Tape.Current().first().Value, TBrixTapeDocument::Limit + 4);
    // The file holds Limit calculations, the current one included.
    const QByteArray Data = Tape.Serialized();
    EXPECT_EQ(Data.count("\n\n"), TBrixTapeDocument::Limit);
    EXPECT_FALSE(Data.contains("\t4\t4\n"));
    EXPECT_TRUE(Data.contains("\t5\t5\n"));
}

TBrixCalcRecordLine Line(TBrixCalcLineKind Kind, TBrixCalcKey Key, Extended Value,
                         const QString &Text, bool Edited = false)
{
    return {Kind, Key, Value, Text, -1, Edited};
}

// What the file writes it reads back: every field of every line, each
// number to the last bit, and the calculations' names; and what it read it
// writes again byte for byte.
TEST(TapeDocument, Format3RoundTripsEveryLineExactly)
{
    using Limits = std::numeric_limits<Extended>;
    struct TRow
    {
        const char *Name;
        QString Keys; // an engine run, or "" for Lines
        TBrixTapeCalculation Lines;
        const char *Written = nullptr; // a line the file holds
    };
    const TRow Rows[] = {
        {"beyond the range of a double", "10 ^ 300 * 10 ^ 300 =", {}, "\t1E+600\t"},
        {"a value beyond a double given",
         "",
         {Line(lkNumber, ckResult, 1e600L, "1.0000E+600")},
         "number\t\t\t1E+600\t1.0000E+600\n"},
        {"every digit of a third", "1 / 3 =", {}, nullptr},
        {"a recalled number and a function", "2 m+ mr sqrt + 5 =", {}, nullptr},
        {"an error", "5 / 0 =", {}, nullptr},
        {"the extremes",
         "",
         {Line(lkNumber, ckResult, Limits::max(), "max"),
          Line(lkNumber, ckResult, -Limits::max(), "-max"),
          Line(lkNumber, ckResult, Limits::denorm_min(), "denorm_min"),
          Line(lkNumber, ckResult, -Limits::min(), "-min"), Line(lkResult, ckResult, -0.0L, "-0"),
          Line(lkResult, ckResult, 0.0L, "0"),
          Line(lkNumber, ckResult, 0x1.fffffffffffff8p1023L, "beyond DBL_MAX")},
         "result\t\t\t-0\t-0\n"},
        {"every kind, key and mark",
         "",
         {Line(lkNumber, ckMemoryRecall, 12, "12.0000", true), Line(lkOperator, ckAdd, 0, "+"),
          Line(lkOperator, ckSqRoot, 0, "sqrt"),
          Line(lkText, ckResult, 0, "tab\there \\ back\\slash"),
          Line(lkText, ckResult, 0, "line\nfeed\r"), Line(lkText, ckResult, 0, " "),
          Line(lkError, ckResult, 0, "- - - - ERROR - - - -")},
         "number\tedited\tMemoryRecall\t12\t12.0000\n"
         "operator\t\tAdd\t\t+\n"
         "operator\t\tSqRoot\t\tsqrt\n"
         "text\t\t\t\ttab\\there \\\\ back\\\\slash\n"},
    };
    BrixTest::RegionalGuard Region;
    TCalcs All;
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TBrixTapeCalculation Calculation = Row.Lines;
        if (!Row.Keys.isEmpty()) {
            TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
            BrixTest::Press(*Engine, Row.Keys);
            Calculation = Engine->Record().Lines;
        }
        ASSERT_FALSE(Calculation.isEmpty());
        Calculation.Id = QString::fromUtf8(Row.Name);
        const QByteArray Data = TBrixTapeDocument::Serialize({Calculation});
        if (Row.Written) {
            EXPECT_TRUE(Data.contains(Row.Written)) << Data.constData();
        }
        TCalcs Read;
        ASSERT_EQ(TBrixTapeDocument::Parse(Data, Read), "");
        ASSERT_EQ(Read.size(), 1);
        EXPECT_EQ(Read.first().Id, Calculation.Id);
        EXPECT_EQ(LinesOf(Read), LinesOf({Calculation}));
        // To the last bit: -0 is not 0.
        for (qsizetype I = 0; I < Calculation.size(); ++I)
            EXPECT_EQ(std::signbit(Read.first()[I].Value), std::signbit(Calculation[I].Value));
        EXPECT_EQ(TBrixTapeDocument::Serialize(Read), Data);
        All.append(Calculation);
    }
    // All of them in one file, a name with a tab and a line feed among them.
    All.first().Id = "odd\tname\n";
    const QByteArray Data = TBrixTapeDocument::Serialize(All);
    EXPECT_TRUE(Data.startsWith("LumoPocketo tape 3\ncalculation\todd\\tname\\n\n"));
    TCalcs Read;
    ASSERT_EQ(TBrixTapeDocument::Parse(Data, Read), "");
    EXPECT_EQ(IdsOf(Read), IdsOf(All));
    EXPECT_EQ(LinesOf(Read), LinesOf(All));
}

// The files earlier versions wrote: read, and their calculations named after
// the file's bytes and their place in it.
TEST(TapeDocument, EarlierFormatsAreRead)
{
    struct TRow
    {
        const char *Name;
        QByteArray Data;
        TCalcs Expected;
    };
    const TRow Rows[] = {
        {"format 2",
         "LumoPocketo tape 2\nnumber\t\t12\t12.0000\ntext\t\t\t+\nnumber\tedited\t5\t5.0000\n"
         "text\t\t\t=\nresult\t\t17\t17.0000\n\nnumber\t\t3\t3.0000\n\n",
         {{Number("12.0000", "12"), Text("+"), Number("5.0000", "5", -1, true), Text("="),
           Result("17.0000", "17")},
          {Number("3.0000", "3")}}},
        {"format 2 beyond a double, as written, in either case",
         "LumoPocketo tape 2\nresult\t\t1E+600\t1.0000E+600\nresult\t\t-1.5e+4000\tx\n\n",
         {{Result("1.0000E+600", "1E+600"), Result("x", "-1.5E+4000")}}},
        {"format 2: a number where none belongs, none where one does",
         "LumoPocketo tape 2\ntext\t\t7\tsqrt\nnumber\t\t\t?\n\n",
         {{Text("sqrt"), Text("?")}}},
        {"format 2 with CR LF line ends, no empty line at the end",
         "LumoPocketo tape 2\r\nnumber\t\t1\t1\r\n",
         {{Number("1", "1")}}},
        {"format 1",
         "LumoPocketo tape 1\n12.0000\n=\n12.0000\n\n\n+\n",
         {{Number("12.0000", "12"), Text("="), Result("12.0000", "12")}, {Text("+")}}},
    };
    BrixTest::RegionalGuard Region;
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TCalcs Read;
        ASSERT_EQ(TBrixTapeDocument::Parse(Row.Data, Read), "");
        EXPECT_EQ(LinesOf(Read), Row.Expected);
        // Named after the bytes: the same for the same file, another for
        // another; each calculation its own.
        TCalcs Again, Other;
        TBrixTapeDocument::Parse(Row.Data, Again);
        TBrixTapeDocument::Parse(Row.Data + "\n", Other);
        EXPECT_EQ(IdsOf(Again), IdsOf(Read));
        ASSERT_EQ(Other.size(), Read.size());
        for (qsizetype I = 0; I < Read.size(); ++I) {
            EXPECT_NE(Other[I].Id, Read[I].Id);
            EXPECT_TRUE(Read[I].Id.endsWith(u'/' + QString::number(I + 1)))
                << Read[I].Id.toStdString();
        }
    }
}

TEST(TapeDocument, Format1IsReadWithKindsAndNumbersFromTheText)
{
    struct TRow
    {
        const char *Name;
        QChar Decimal, Thousand;
        QByteArray Lines;
        TBrixTapeCalculation Expected;
    };
    const TRow Rows[] = {
        {"plain lines, the result after '='",
         u'.',
         u',',
         "12.0000\n+\n5.0000\n=\n17.0000\n",
         {Number("12.0000", "12.0000"), Text("+"), Number("5.0000", "5.0000"), Text("="),
          Result("17.0000", "17.0000")}},
        {"operators beside numbers",
         u'.',
         u',',
         "- 5.0000\n= 1,234.5000\n",
         {Number("- 5.0000", "5.0000"), Result("= 1,234.5000", "1234.5000")}},
        {"a region with a decimal comma",
         u',',
         u'.',
         "1.234,5000\n-12,5\n",
         {Number("1.234,5000", "1234.5000"), Number("-12,5", "-12.5")}},
        {"one separator and three digits: the region's group",
         u',',
         u'.',
         "1.234\n",
         {Number("1.234", "1234")}},
        {"one separator that the region does not group with: a decimal",
         u'.',
         u',',
         "1.234\n",
         {Number("1.234", "1.234")}},
        {"blanks group digits; exponents stay",
         u'.',
         u',',
         "1 234.5\n1.5E-7\n",
         {Number("1 234.5", "1234.5"), Number("1.5E-7", "1.5E-7")}},
        {"the error line and other texts",
         u'.',
         u',',
         "- - - - ERROR - - - -\nsqrt\nM+\n",
         {Error("- - - - ERROR - - - -"), Text("sqrt"), Text("M+")}},
    };
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        BrixTest::RegionalGuard Region(Row.Decimal, Row.Thousand);
        TCalcs Read;
        ASSERT_EQ(TBrixTapeDocument::Parse("LumoPocketo tape 1\n" + Row.Lines + "\n", Read),
                  QString());
        EXPECT_EQ(LinesOf(Read), TCalcs{Row.Expected});
    }
}

QFile::Permissions ModeOf(const QString &Path)
{
    const QFile::Permissions All = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                   QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                   QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return QFile::permissions(Path) & All;
}

const QFile::Permissions UserOnly = QFile::ReadOwner | QFile::WriteOwner; // 0600

class TapeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath("state/lumopocketo/tape");
    }
    void Write(const QByteArray &Data, const QString &Name = QString())
    {
        const QString To = Name.isEmpty() ? Path : Name;
        QFileInfo(To).dir().mkpath(".");
        QFile File(To);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        File.write(Data);
    }
    QByteArray Read(const QString &Name = QString()) const
    {
        QFile File(Name.isEmpty() ? Path : Name);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }
    // The folder's names, sorted.
    QStringList Names() const
    {
        return QFileInfo(Path).dir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot |
                                                   QDir::Hidden | QDir::System,
                                               QDir::Name);
    }
    QTemporaryDir Dir;
    QString Path;
};

TEST_F(TapeFile, RoundTripForTheUserOnly)
{
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    Tape.Follow(Record(1, Sum));
    Tape.Follow(Record(2, Product));
    ASSERT_EQ(Tape.Save(), QString());
    EXPECT_EQ(ModeOf(Path), UserOnly);
    // A file made readable by others becomes the user's alone again.
    QFile::setPermissions(Path, QFile::permissions(Path) | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_EQ(Tape.Save(), QString());
    EXPECT_EQ(ModeOf(Path), UserOnly);

    TBrixTapeDocument Next;
    Next.SetFile(Path);
    int Loaded = 0;
    Next.AddObserver([&](TBrixTapeChange Change) { Loaded += Change == tcLoaded; });
    const TBrixTapeLoad Result = Next.Load();
    EXPECT_TRUE(Result.Read());
    EXPECT_EQ(Result.MovedTo, "");
    EXPECT_EQ(Loaded, 1);
    // The current calculation was written with the name it would have got.
    EXPECT_EQ(IdsOf(Next.Kept()), QStringList({Tape.Session() + "/1", Tape.CurrentId()}));
    EXPECT_EQ(LinesOf(Next.Kept()), LinesOf({Sum, Product}));
    EXPECT_TRUE(Next.Current().isEmpty());
    // The restarted session goes on after them.
    EXPECT_FALSE(Next.Follow(Record(1, Sum)));
    EXPECT_EQ(Next.Calculations().size(), 3);
    EXPECT_EQ(Names(), QStringList{"tape"});
}

TEST_F(TapeFile, Format1IsWrittenBackAsFormat3)
{
    BrixTest::RegionalGuard Region;
    Write("LumoPocketo tape 1\n12.0000\n+\n5.0000\n=\n17.0000\n\n");
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    ASSERT_TRUE(Tape.Load().Read());
    ASSERT_EQ(Tape.Kept().size(), 1);
    ASSERT_EQ(Tape.Save(), QString());
    EXPECT_EQ(Read(), "LumoPocketo tape 3\n"
                      "calculation\t" +
                          Tape.Kept()[0].Id.toUtf8() +
                          "\n"
                          "number\t\t\t12\t12.0000\n"
                          "text\t\t\t\t+\n"
                          "number\t\t\t5\t5.0000\n"
                          "text\t\t\t\t=\n"
                          "result\t\t\t17\t17.0000\n"
                          "\n");
}

// A file that cannot be read is moved to a name beside it that says so, its
// bytes as they were, for the user only; the tape goes on in a new file.
TEST_F(TapeFile, AFileThatCannotBeReadIsMovedAside)
{
    QByteArray Random(200, 0);
    QRandomGenerator Generator(20261211);
    for (char &Byte : Random)
        Byte = char(Generator.bounded(256));
    const QByteArray Rows[] = {
        Random,
        "LumoPocketo tape 4\ncalculation\tx\nnumber\t\t\t1\t1\n\n", // a later version
        "something else\n",                                         // no tape
        "LumoPocketo tape 2\nnumber\t\t1\t1\nnumber 2\n\n",         // a damaged line
        "LumoPocketo tape 2\nnumber\t\tone\t1\n\n",                 // no number
        "LumoPocketo tape 2\nsquare\t\t1\t1\n\n",                   // an unknown kind
        "LumoPocketo tape 2\nnumber\t\t1e5000\t1\n\n",              // beyond the range
        "LumoPocketo tape 3\nnumber\t\t\t1\t1\n\n",                 // no calculation line
        "LumoPocketo tape 3\ncalculation\ta\nnumber\t\t1\t1\n\n",   // four fields
        "LumoPocketo tape 3\ncalculation\ta\nnumber\t\t\t\t1\n\n",  // a number without one
        "LumoPocketo tape 3\ncalculation\ta\ntext\t\t\t1\t1\n\n",   // a text with one
        "LumoPocketo tape 3\ncalculation\ta\tb\n\n",                // a damaged name
    };
    for (const QByteArray &Data : Rows) {
        SCOPED_TRACE(Data.left(60).constData());
        Write(Data);
        TBrixTapeDocument Tape;
        Tape.SetFile(Path);
        const TBrixTapeLoad Result = Tape.Load();
        EXPECT_NE(Result.Reason, "");
        EXPECT_EQ(Result.MovedTo, Path + ".unreadable");
        EXPECT_EQ(Result.MoveFailure, "");
        EXPECT_FALSE(Tape.Unreadable());
        EXPECT_TRUE(Tape.Kept().isEmpty());
        EXPECT_EQ(Read(Result.MovedTo), Data);
        EXPECT_EQ(ModeOf(Result.MovedTo), UserOnly);
        // A new tape from then on.
        Tape.Follow(Record(1, Sum));
        Tape.Follow(Record(2, {}));
        EXPECT_EQ(Tape.Save(), QString());
        TBrixTapeDocument Next;
        Next.SetFile(Path);
        ASSERT_TRUE(Next.Load().Read());
        EXPECT_EQ(LinesOf(Next.Kept()), LinesOf({Sum}));
        QFile::remove(Result.MovedTo);
    }
}

// The names a file was moved to before are never taken again; when none is
// free, the file stays as it is and is never written.
TEST_F(TapeFile, AFileMovedAsideReplacesNothing)
{
    Write("first");
    Write("kept", Path + ".unreadable");
    Write("kept 1", Path + ".unreadable.1");
    QDir().mkpath(Path + ".unreadable.2"); // not even a folder
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    EXPECT_EQ(Tape.Load().MovedTo, Path + ".unreadable.3");
    EXPECT_EQ(Read(Path + ".unreadable"), "kept");
    EXPECT_EQ(Read(Path + ".unreadable.1"), "kept 1");
    EXPECT_EQ(Read(Path + ".unreadable.3"), "first");

    for (int N = 4; N < 1000; ++N)
        Write("taken", Path + ".unreadable." + QString::number(N));
    Write("last");
    TBrixTapeDocument Last;
    Last.SetFile(Path);
    const TBrixTapeLoad Result = Last.Load();
    EXPECT_NE(Result.Reason, "");
    EXPECT_EQ(Result.MovedTo, "");
    EXPECT_NE(Result.MoveFailure, "");
    EXPECT_TRUE(Last.Unreadable());
    Last.Follow(Record(1, Sum));
    EXPECT_EQ(Last.Save(), QString());
    EXPECT_EQ(Read(), "last");
}

TEST_F(TapeFile, AFileThatCannotBeOpenedIsMovedAside)
{
    Write("LumoPocketo tape 3\n");
    QFile::setPermissions(Path, QFile::WriteOwner);
    if (QFile(Path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights to read any file";
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    const TBrixTapeLoad Result = Tape.Load();
    EXPECT_NE(Result.Reason, "");
    ASSERT_EQ(Result.MovedTo, Path + ".unreadable");
    EXPECT_EQ(ModeOf(Result.MovedTo), UserOnly);
    EXPECT_EQ(Read(Result.MovedTo), "LumoPocketo tape 3\n");
}

// A save that cannot write every byte leaves the file as it was and says
// why: here the process may write no file beyond 64 bytes.
TEST_F(TapeFile, ASaveThatFailsLeavesTheFileAsItWas)
{
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    Tape.Follow(Record(1, {Number("1", "1")}));
    ASSERT_EQ(Tape.Save(), QString());
    const QByteArray Before = Read();
    ASSERT_LT(Before.size(), 64 * 2);
    for (int I = 0; I < 20; ++I)
        Tape.Follow(Record(2 + I, Sum));

    rlimit Saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &Saved), 0);
    rlimit Small = Saved;
    Small.rlim_cur = Before.size() + 16;
    const auto OldSignal = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &Small), 0);
    const QString Reason = Tape.Save();
    setrlimit(RLIMIT_FSIZE, &Saved);
    std::signal(SIGXFSZ, OldSignal);

    EXPECT_NE(Reason, "");
    EXPECT_EQ(Read(), Before);
    EXPECT_EQ(Names(), QStringList{"tape"}) << "no file left behind";
    EXPECT_EQ(Tape.Save(), QString());
    EXPECT_NE(Read(), Before);
}

TEST(TapeDocument, DefaultFileIsInTheStateFolder)
{
    const QByteArray Saved = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "/somewhere/state");
    EXPECT_EQ(TBrixTapeDocument::DefaultFile(), "/somewhere/state/lumopocketo/tape");
    qputenv("XDG_STATE_HOME", "relative");
    EXPECT_EQ(TBrixTapeDocument::DefaultFile(),
              QDir::homePath() + "/.local/state/lumopocketo/tape");
    if (Saved.isNull())
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", Saved);
}

} // namespace
