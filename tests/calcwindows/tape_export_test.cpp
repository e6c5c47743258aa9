// The tape out of the program: its text, its CSV (RFC 4180, C-locale numbers
// whatever the region), the file written from them, and the printout, read
// back from a PDF with pdftotext.
#include "brix/calcwindows/tapeexport.h"
#include "brix/strings/tools.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Brix;

namespace {

TBrixCalcRecordLine Line(TBrixCalcLineKind Kind, const QString &Text, const QString &Value = {})
{
    TBrixCalcRecordLine L;
    L.Kind = Kind;
    L.Text = Text;
    L.Value = 0;
    StoredTextToFloat(Value, L.Value);
    return L;
}
TBrixCalcRecordLine T(const QString &Text)
{
    return Line(lkText, Text);
}
TBrixCalcRecordLine N(const QString &Text, const QString &Value)
{
    return Line(lkNumber, Text, Value);
}
TBrixCalcRecordLine R(const QString &Text, const QString &Value)
{
    return Line(lkResult, Text, Value);
}
TBrixCalcRecordLine E(const QString &Text)
{
    return Line(lkError, Text);
}

// 12 + 5 = 17; an empty calculation; 3 (edited) * 4 = 12, then sqrt; an error.
QList<TBrixTapeCalculation> Sample()
{
    TBrixCalcRecordLine Edited = N("3.0000", "3");
    Edited.Edited = true;
    return {
        {N("12.0000", "12"), T("+"), N("5.0000", "5"), T("="), R("17.0000", "17")},
        {},
        {Edited, T("*"), N("4.0000", "4"), T("="), R("12.0000", "12"), T("sqrt")},
        {E("- - - - ERROR - - - -"), T("="), E("Error!")},
    };
}

TEST(TapeExport, TextAsShown)
{
    const QString Rule = QString(16, QChar(0x2500));
    EXPECT_EQ(TapeRule, Rule);
    EXPECT_EQ(TapeText(Sample()), QStringLiteral(" 12.0000 +\n"
                                                 "  5.0000 =\n"
                                                 " -------\n"
                                                 " 17.0000\n") +
                                      Rule +
                                      QStringLiteral("\n"
                                                     "\u270E 3.0000 *\n"
                                                     "  4.0000 =\n"
                                                     " -------\n"
                                                     " 12.0000\n"
                                                     "    sqrt\n") +
                                      Rule +
                                      QStringLiteral("\n"
                                                     "- - - - ERROR - - - -\n"
                                                     "       =\n"
                                                     "  Error!\n"));
    EXPECT_EQ(TapeText({}), QString());
    EXPECT_EQ(TapeText({{}, {}}), QString());
}

TEST(TapeExport, CsvRowsAndQuoting)
{
    // Fields with a comma, a quote or a line break are quoted, quotes doubled.
    const QList<TBrixTapeCalculation> Quoted = {
        {T("a,b"), T("say \"hi\""), T("two\nlines"), T("cr\rhere"), T(TapeRule), T("plain")}};
    EXPECT_EQ(TapeCsv(Quoted), QByteArray("operator,number,result\r\n"
                                          "\"a,b\",,\r\n"
                                          "\"say \"\"hi\"\"\",,\r\n"
                                          "\"two\nlines\",,\r\n"
                                          "\"cr\rhere\",,\r\n"
                                          "plain,,\r\n"));
    EXPECT_EQ(TapeCsv(Sample()), QByteArray("operator,number,result\r\n"
                                            "+,12,\r\n"
                                            "=,5,\r\n"
                                            ",,17\r\n"
                                            "*,3,\r\n"
                                            "=,4,\r\n"
                                            ",,12\r\n"
                                            "sqrt,,\r\n"
                                            ",,- - - - ERROR - - - -\r\n"
                                            "=,,\r\n"
                                            ",,Error!\r\n"));
    EXPECT_EQ(TapeCsv({}), QByteArray("operator,number,result\r\n"));
}

TEST(TapeExport, CsvNumbersInTheCLocaleUnderGermanSettings)
{
    BrixTest::RegionalGuard German(u',', u'.');
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray Csv =
        TapeCsv({{N("1.234,5678901234567890", "1234.567890123456789"), T("*"),
                  N("-0,0000", "-1.5E-7"), T("="), R("-0,0002", "-0.00018518518518518518")}});
    QLocale::setDefault(Saved);
    EXPECT_EQ(Csv, QByteArray("operator,number,result\r\n"
                              "*,1234.567890123456789,\r\n"
                              "=,-1.5E-7,\r\n"
                              ",,-0.00018518518518518518\r\n"));
}

QByteArray ReadAll(const QString &Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("(unreadable)");
}

TEST(TapeExport, SaveTapeWritesCsvOrText)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const mode_t SavedMask = umask(022);
    for (const char *Name : {"t.csv", "T.CSV", "t.Csv"}) {
        SCOPED_TRACE(Name);
        const QString Path = Dir.filePath(QString::fromLatin1(Name));
        EXPECT_EQ(SaveTape(Path, Sample()), QString());
        EXPECT_EQ(ReadAll(Path), TapeCsv(Sample()));
    }
    const QString Text = Dir.filePath("tape.txt");
    EXPECT_EQ(SaveTape(Text, Sample()), QString());
    EXPECT_EQ(ReadAll(Text), TapeText(Sample()).toUtf8());
    // A file the user picked is readable by others as usual, not private.
    struct stat Info = {};
    ASSERT_EQ(stat(QFile::encodeName(Text).constData(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0644u);
    // Written again: replaced as a whole.
    EXPECT_EQ(SaveTape(Text, {Sample().first()}), QString());
    EXPECT_EQ(ReadAll(Text), TapeText({Sample().first()}).toUtf8());
    umask(SavedMask);
}

TEST(TapeExport, SaveTapeToAFolderThatCannotBeWrittenFails)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    // A file where the folder should be: fails even for root.
    const QString NotAFolder = Dir.filePath("file");
    QFile Blocker(NotAFolder);
    ASSERT_TRUE(Blocker.open(QIODevice::WriteOnly));
    Blocker.close();
    for (const QString &Path : {NotAFolder + "/t.csv", Dir.filePath("missing/t.txt")}) {
        SCOPED_TRACE(Path.toStdString());
        EXPECT_NE(SaveTape(Path, Sample()), QString());
        EXPECT_FALSE(QFile::exists(Path));
    }
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"file"});
}

bool EqualDigits(const QFont &Font)
{
    const QFontMetricsF Metrics(Font);
    for (char16_t Digit = u'1'; Digit <= u'9'; ++Digit)
        if (Metrics.horizontalAdvance(QChar(Digit)) != Metrics.horizontalAdvance(u'0'))
            return false;
    return true;
}

TEST(TapeExport, FigureFontHasDigitsOfOneWidth)
{
    const QFont Sans(QStringLiteral("DejaVu Sans"), 14, QFont::Bold);
    if (EqualDigits(Sans)) {
        const QFont Same = TapeFigureFont(Sans);
        EXPECT_EQ(Same.family(), Sans.family());
        EXPECT_EQ(Same.pointSize(), 14);
    }
    // A font whose digits differ in width gives way to one whose do not, at
    // its size and weight.
    QString Proportional;
    for (const QString &Family : QFontDatabase::families())
        if (!EqualDigits(QFont(Family, 14)))
            Proportional = Family;
    if (Proportional.isEmpty())
        GTEST_SKIP() << "no font with digits of different widths is installed";
    QFont Font(Proportional, 14);
    Font.setBold(true);
    const QFont Figures = TapeFigureFont(Font);
    EXPECT_TRUE(EqualDigits(Figures)) << Proportional.toStdString();
    EXPECT_NE(Figures.family(), Proportional);
    EXPECT_EQ(Figures.pointSize(), 14);
    EXPECT_TRUE(Figures.bold());
}

// Runs pdftotext with Options on the PDF at Path; its output, or "" with a
// failure.
QString PdfToText(const QString &Path, const QStringList &Options)
{
    QProcess Process;
    Process.start(QStringLiteral("pdftotext"), Options + QStringList{Path, "-"});
    if (!Process.waitForFinished(30000) || Process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << Process.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(Process.readAllStandardOutput());
}

// A word of the PDF where pdftotext found it (points from the top left of
// its page), with the height of its page.
struct PdfWord
{
    QString Text;
    double Left, Top, Right, Bottom, PageHeight;
};

QList<PdfWord> PdfWords(const QString &Path)
{
    static const QRegularExpression Item(
        R"re(<page width="[\d.]+" height="([\d.]+)">|)re"
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<PdfWord> Words;
    double PageHeight = 0;
    const QString Html = PdfToText(Path, {"-bbox"});
    for (const QRegularExpressionMatch &M : Item.globalMatch(Html)) {
        if (M.hasCaptured(1))
            PageHeight = M.captured(1).toDouble();
        else
            Words.append({M.captured(6), M.captured(2).toDouble(), M.captured(3).toDouble(),
                          M.captured(4).toDouble(), M.captured(5).toDouble(), PageHeight});
    }
    return Words;
}

class TapePrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is missing (scripts/install-deps.sh installs poppler-utils)";
        ASSERT_TRUE(FDir.isValid());
    }
    // Prints Calculations into a PDF and returns its path.
    QString Print(const QList<TBrixTapeCalculation> &Calculations,
                  QPrinter::PrinterMode Mode = QPrinter::HighResolution)
    {
        const QString Path = FDir.filePath("tape.pdf");
        QPrinter Printer(Mode);
        Printer.setOutputFormat(QPrinter::PdfFormat);
        Printer.setOutputFileName(Path);
        PrintTape(Printer, Calculations, QFont(QStringLiteral("DejaVu Sans"), 24));
        EXPECT_TRUE(QFile::exists(Path));
        return Path;
    }

    QTemporaryDir FDir;
};

TEST_F(TapePrint, PdfHoldsTheNumbers)
{
    // At the printer's resolution and at the screen's (a QPrinter's default).
    for (const QPrinter::PrinterMode Mode :
         {QPrinter::HighResolution, QPrinter::ScreenResolution}) {
        SCOPED_TRACE(Mode);
        const QString Path = Print(Sample(), Mode);
        const QString Text = PdfToText(Path, {"-layout"});
        for (const char *Line :
             {"12.0000 +", "5.0000 =", "17.0000", "3.0000 *", "4.0000 =", "sqrt", "Error!"})
            EXPECT_TRUE(Text.contains(QString::fromUtf8(Line))) << Line << " in\n"
                                                                << Text.toStdString();
        // The numbers, totals among them, end in one column; each operator is
        // beside its number, after it.
        const QList<PdfWord> Words = PdfWords(Path);
        const QStringList Numbers = {"12.0000", "5.0000", "17.0000", "3.0000", "4.0000"};
        double Right = -1;
        for (qsizetype I = 0; I < Words.size(); ++I) {
            if (!Numbers.contains(Words[I].Text))
                continue;
            if (Right < 0)
                Right = Words[I].Right;
            EXPECT_NEAR(Words[I].Right, Right, 0.1) << Words[I].Text.toStdString();
            if (I + 1 < Words.size() && QStringList({"+", "=", "*"}).contains(Words[I + 1].Text)) {
                EXPECT_DOUBLE_EQ(Words[I + 1].Top, Words[I].Top);
                EXPECT_GT(Words[I + 1].Left, Words[I].Right);
            }
        }
        EXPECT_GT(Right, 0);
    }
}

TEST_F(TapePrint, PagesBreakBetweenRows)
{
    // 150 calculations "N + 1 = N+1": several pages, no row lost or cut.
    QList<TBrixTapeCalculation> Many;
    for (int I = 1000; I < 1150; ++I)
        Many.append({N(QString::number(I) + ".0000", QString::number(I)), N("+ 1.0000", "1"),
                     R(QString("= %1.0000").arg(I + 1), QString::number(I + 1))});
    const QString Path = Print(Many);
    const QString Text = PdfToText(Path, {"-layout"});
    const QStringList Pages = Text.split(u'\f', Qt::SkipEmptyParts);
    EXPECT_GT(Pages.size(), 2);
    // The header on every page, with its number.
    for (qsizetype P = 0; P < Pages.size(); ++P)
        EXPECT_TRUE(Pages[P].contains(QString("%1/%2").arg(P + 1).arg(Pages.size())))
            << Pages[P].toStdString();
    for (int I = 1000; I < 1150; ++I) {
        const QString Number = QString::number(I) + ".0000 +";
        EXPECT_EQ(Text.count(Number), 1) << Number.toStdString();
    }
    EXPECT_TRUE(Text.contains("1150.0000"));
    const QList<PdfWord> Words = PdfWords(Path);
    ASSERT_FALSE(Words.isEmpty());
    for (const PdfWord &Word : Words)
        ASSERT_LE(Word.Bottom, Word.PageHeight) << Word.Text.toStdString();
}

} // namespace
