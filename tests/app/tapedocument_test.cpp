// The program's tape: calculations collected from the engine's tape across
// all clears, errors and undo, and kept in a file between sessions.
#include "tapedocument.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <utility>

namespace {

using TCalcs = QList<QStringList>;

// The engine's tape after each key (or batch of keys), as a window sees it.
struct TStep
{
    QStringList Lines;
    bool InError = false;
    bool Undone = false;
    bool Ends = false; // Update reports a calculation ended or taken up again
};

const QStringList Start{"0.0000"}; // written by the value shown at start
const QStringList Sum{"12.0000", "+", "5.0000", "=", "17.0000"};
const QStringList Product{"3.0000", "*", "4.0000", "=", "12.0000"};

TEST(TapeDocument, CollectsCalculationsAcrossAllClearErrorsAndUndo)
{
    struct Row
    {
        const char *Name;
        std::vector<TStep> Steps;
        TCalcs Calculations;
    };
    const Row Rows[] = {
        {"lines after the start's 0 join the first calculation; no line for the 0",
         {{Start + QStringList{"12.0000", "+"}}, {Start + Sum}},
         {Sum}},
        {"all clear keeps the earlier calculation and starts a new one",
         {{Start + Sum}, {{}, false, false, true}, {Product}},
         {Sum, Product}},
        {"all clear with an empty calculation starts no second one",
         {{{}}, {Product}, {{}, false, false, true}, {{"1.0000", "+"}}},
         {Product, {"1.0000", "+"}}},
        {"an error keeps the lines before it in its calculation",
         {{{}}, {{"1.0000", "/", "0.0000", "="}}, {{"=", "Error"}, true}},
         {{"1.0000", "/", "0.0000", "=", "=", "Error"}}},
        {"undo takes lines back off the current calculation only",
         {{Start + Sum},
          {{}, false, false, true},
          {{"3.0000", "*"}},
          {{}, false, true},
          {{"7.0000", "-"}}},
         {Sum, {"7.0000", "-"}}},
        {"undo of the all clear goes on with the calculation it ended",
         {{Start + Sum},
          {{}, false, false, true},
          {Start + Sum, false, true, true},
          {Start + Sum + QStringList{"*"}}},
         {Sum + QStringList{"*"}}},
        {"an all clear among several keys at once starts a new calculation",
         {{Start + Sum}, {Product, false, false, true}},
         {Sum, Product}},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TTapeDocument Tape;
        Tape.Attach(Start);
        for (const TStep &Step : R.Steps)
            EXPECT_EQ(Tape.Update(Step.Lines, Step.InError, Step.Undone), Step.Ends)
                << Step.Lines.join(u' ').toStdString();
        TCalcs Shown = Tape.Calculations();
        Shown.removeAll(QStringList());
        EXPECT_EQ(Shown, R.Calculations);
    }
}

TEST(TapeDocument, TextSeparatesCalculationsByARule)
{
    TTapeDocument Tape;
    Tape.Attach(Start);
    EXPECT_EQ(Tape.Text(), "");
    Tape.Update(Start + Sum, false, false);
    EXPECT_EQ(Tape.Text(), Sum.join(u'\n'));
    // Right after all clear the rule marks the new calculation.
    Tape.Update({}, false, false);
    EXPECT_EQ(Tape.Text(), Sum.join(u'\n') + u'\n' + TTapeDocument::Rule);
    Tape.Update(Product, false, false);
    EXPECT_EQ(Tape.Text(),
              Sum.join(u'\n') + u'\n' + TTapeDocument::Rule + u'\n' + Product.join(u'\n'));
}

// Each calculation "n" then an all clear, Count times.
TTapeDocument Numbered(int Count)
{
    TTapeDocument Tape;
    Tape.Attach({});
    for (int I = 0; I < Count; ++I) {
        Tape.Update({QString::number(I)}, false, false);
        Tape.Update({}, false, false);
    }
    return Tape;
}

// The operator the engine writes beside a number is no part of it; blanks
// that group digits are.
TEST(TapeDocument, NumberPartLeavesOutTheOperatorOnTheSameLine)
{
    const std::pair<const char *, const char *> Rows[] = {
        {"12.0000", "12.0000"},
        {"- 5.0000", "5.0000"},
        {"= -17.0000", "-17.0000"},
        {"mod 3.0000", "3.0000"},
        {"1 234.5000", "1 234.5000"},
        {"-1 234,5", "-1 234,5"},
        {"+", "+"},
        {"= ", "= "},
        {"12.0000%", "12.0000%"},
    };
    for (const auto &[Line, Number] : Rows)
        EXPECT_EQ(TTapeDocument::NumberPart(QString::fromUtf8(Line)), QString::fromUtf8(Number))
            << Line;
}

TEST(TapeDocument, KeepsTheLast1000Calculations)
{
    TTapeDocument Tape = Numbered(TTapeDocument::Limit + 5);
    TCalcs Kept = Tape.Calculations();
    ASSERT_TRUE(Kept.last().isEmpty()) << "the current calculation, after the all clear";
    Kept.removeLast();
    ASSERT_EQ(Kept.size(), TTapeDocument::Limit);
    EXPECT_EQ(Kept.first(), QStringList{"5"});
    EXPECT_EQ(Kept.last(), QStringList{QString::number(TTapeDocument::Limit + 4)});
    // A current calculation with lines counts as one of them.
    Tape.Update({"x"}, false, false);
    EXPECT_EQ(Tape.Serialized().count("\n\n"), TTapeDocument::Limit);
}

class TapeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        qputenv("XDG_STATE_HOME", Dir.path().toUtf8());
        Path = TTapeDocument::DefaultFile();
    }
    void TearDown() override { qunsetenv("XDG_STATE_HOME"); }

    QTemporaryDir Dir;
    QString Path;
};

TEST_F(TapeFile, RoundTripInTheStateFolderForTheUserOnly)
{
    EXPECT_EQ(Path, Dir.path() + "/lumopocketo/tape");
    TTapeDocument Tape = Numbered(2);
    Tape.Update({"ünits", "+"}, false, false);
    Tape.SetFile(Path);
    ASSERT_EQ(Tape.Save(), "");
    // Owner, group and others (the "user" flags repeat the owner's).
    EXPECT_EQ(QFile::permissions(Path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), "LumoPocketo tape 1\n0\n\n1\n\n\xc3\xbcnits\n+\n\n");

    // Restored: the kept calculations, and a new one for the session.
    TTapeDocument Next;
    Next.SetFile(Path);
    ASSERT_EQ(Next.Load(), "");
    EXPECT_EQ(Next.Calculations(), (TCalcs{{"0"}, {"1"}, {"\u00fcnits", "+"}, QStringList()}));
    Next.Attach(Start);
    Next.Update(Start + Product, false, false);
    // A file others could read is made the user's only again.
    QFile::setPermissions(Path, QFile::permissions(Path) | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_EQ(Next.Save(), "");
    EXPECT_EQ(QFile::permissions(Path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    TTapeDocument Third;
    Third.SetFile(Path);
    ASSERT_EQ(Third.Load(), "");
    EXPECT_EQ(Third.Calculations().size(), 5);
    EXPECT_EQ(Third.Calculations()[3], Product);

    // No file yet: an empty tape, no complaint.
    TTapeDocument Fresh;
    Fresh.SetFile(Dir.path() + "/none/tape");
    EXPECT_EQ(Fresh.Load(), "");
    EXPECT_EQ(Fresh.Calculations(), TCalcs{QStringList()});
}

TEST_F(TapeFile, AFileThatCannotBeReadIsReportedAndLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path).absolutePath()));
    const QByteArray Foreign = "LumoPocketo tape 99\nwhatever comes later\n";
    {
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Foreign);
    }
    TTapeDocument Tape;
    Tape.SetFile(Path);
    EXPECT_NE(Tape.Load(), "");
    Tape.Attach({});
    Tape.Update(Sum, false, false);
    Tape.Update({}, false, false);
    EXPECT_EQ(Tape.Calculations(), (TCalcs{Sum, QStringList()})) << "the session's tape goes on";
    EXPECT_EQ(Tape.Save(), "");
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), Foreign);

    // A folder in the file's place cannot be opened at all.
    TTapeDocument Folder;
    Folder.SetFile(Dir.path());
    EXPECT_NE(Folder.Load(), "");
}

} // namespace
