// The tape document: calculations collected from the engine's record across
// all clears, undo and restarts, and kept in a file between sessions.
#include "brix/calcwindows/tapedocument.h"

#include "../common/regional_guard.h"
#include "tape_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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
        EXPECT_EQ(Tape.Kept(), Row.Kept);
        EXPECT_EQ(Tape.Current(), Row.Current);
        TCalcs All = Row.Kept;
        if (!Row.Current.isEmpty())
            All.append(Row.Current);
        EXPECT_EQ(Tape.Calculations(), All);
    }
}

TEST(TapeDocument, RestorePutsBackKeptAndCurrentWithoutMoving)
{
    TBrixTapeDocument Tape;
    Tape.Follow(Record(1, Sum));
    Tape.Follow(Record(2, Product));
    ASSERT_EQ(Tape.Kept(), TCalcs{Sum});
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

TEST(TapeDocument, Format2RoundTripsEveryField)
{
    TBrixTapeDocument Tape;
    const TBrixTapeCalculation Odd{
        Number("1,234.5678", "1234.56789012345678", 0, true),
        Text("tab\there \\ back\\slash"),
        Text("line\nfeed\r"),
        Text(" "),
        Error("- - - - ERROR - - - -"),
        Result("-1.5E-7", "-1.5E-7"),
    };
    Tape.Follow(Record(1, Sum));
    Tape.Follow(Record(2, Odd));
    const QByteArray Data = Tape.Serialized();
    EXPECT_TRUE(Data.startsWith("LumoPocketo tape 2\n"));
    EXPECT_TRUE(Data.contains("number\t\t12\t12.0000\n"));
    EXPECT_TRUE(Data.contains("number\tedited\t1234.56789012345678\t1,234.5678\n"));
    EXPECT_TRUE(Data.contains("text\t\t\ttab\\there \\\\ back\\\\slash\n"));
    TCalcs Read;
    ASSERT_EQ(TBrixTapeDocument::Parse(Data, Read), QString());
    // The step indexes are not kept: kept calculations are never edited.
    TCalcs Expected{Sum, Odd};
    for (TBrixTapeCalculation &Calculation : Expected)
        for (TBrixCalcRecordLine &Line : Calculation)
            Line.Number = -1;
    EXPECT_EQ(Read, Expected);
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
        ASSERT_EQ(Read.size(), 1);
        EXPECT_EQ(Read.first(), Row.Expected);
    }
}

class TapeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath("state/lumopocketo/tape");
    }
    void Write(const QByteArray &Data)
    {
        QFile File(Path);
        QFileInfo(Path).dir().mkpath(".");
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Data);
    }
    QByteArray Read() const
    {
        QFile File(Path);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
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
    const auto Mode = [&] {
        const QFile::Permissions All = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        return QFile::permissions(Path) & All;
    };
    EXPECT_EQ(Mode(), QFile::ReadOwner | QFile::WriteOwner); // 0600
    // A file made readable by others becomes the user's alone again.
    QFile::setPermissions(Path, QFile::permissions(Path) | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_EQ(Tape.Save(), QString());
    EXPECT_EQ(Mode(), QFile::ReadOwner | QFile::WriteOwner);

    TBrixTapeDocument Next;
    Next.SetFile(Path);
    ASSERT_EQ(Next.Load(), QString());
    ASSERT_EQ(Next.Kept().size(), 2);
    EXPECT_EQ(Next.Kept()[1].last(), Product.last());
    EXPECT_TRUE(Next.Current().isEmpty());
    // The restarted session goes on after them.
    EXPECT_FALSE(Next.Follow(Record(1, Sum)));
    EXPECT_EQ(Next.Calculations().size(), 3);
}

TEST_F(TapeFile, Format1IsWrittenBackAsFormat2)
{
    BrixTest::RegionalGuard Region;
    Write("LumoPocketo tape 1\n12.0000\n+\n5.0000\n=\n17.0000\n\n");
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    ASSERT_EQ(Tape.Load(), QString());
    ASSERT_EQ(Tape.Save(), QString());
    EXPECT_EQ(Read(), "LumoPocketo tape 2\n"
                      "number\t\t12\t12.0000\n"
                      "text\t\t\t+\n"
                      "number\t\t5\t5.0000\n"
                      "text\t\t\t=\n"
                      "result\t\t17\t17.0000\n"
                      "\n");
}

TEST_F(TapeFile, AFileThatCannotBeReadIsReportedAndNeverWritten)
{
    const QByteArray Rows[] = {
        "LumoPocketo tape 3\nnumber\t\t1\t1\n\n",           // another version
        "something else\n",                                 // no tape
        "LumoPocketo tape 2\nnumber\t\t1\t1\nnumber 2\n\n", // a damaged line
        "LumoPocketo tape 2\nnumber\t\tone\t1\n\n",         // no number
        "LumoPocketo tape 2\nsquare\t\t1\t1\n\n",           // an unknown kind
    };
    for (const QByteArray &Data : Rows) {
        SCOPED_TRACE(Data.constData());
        Write(Data);
        TBrixTapeDocument Tape;
        Tape.SetFile(Path);
        EXPECT_NE(Tape.Load(), QString());
        EXPECT_TRUE(Tape.Unreadable());
        EXPECT_TRUE(Tape.Kept().isEmpty());
        Tape.Follow(Record(1, Sum));
        Tape.Follow(Record(2, {}));
        EXPECT_EQ(Tape.Save(), QString());
        EXPECT_EQ(Read(), Data);
    }
}

TEST_F(TapeFile, AFileThatCannotBeOpenedIsReportedAndNeverWritten)
{
    Write("LumoPocketo tape 2\n");
    QFile::setPermissions(Path, QFile::WriteOwner);
    TBrixTapeDocument Tape;
    Tape.SetFile(Path);
    if (QFile(Path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights to read any file";
    EXPECT_NE(Tape.Load(), QString());
    Tape.Follow(Record(1, Sum));
    EXPECT_EQ(Tape.Save(), QString());
    QFile::setPermissions(Path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(Read(), "LumoPocketo tape 2\n");
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
