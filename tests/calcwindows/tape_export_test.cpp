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

#include <algorithm>
#include <cmath>
#include <map>

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
TBrixCalcRecordLine Op(TBrixCalcKey Key, const QString &Text)
{
    TBrixCalcRecordLine L = Line(lkOperator, Text);
    L.Key = Key;
    return L;
}

// 12 + 5 = 17; an empty calculation; 3 (edited) * 4 = 12, then sqrt; an error.
QList<TBrixTapeCalculation> Sample()
{
    TBrixCalcRecordLine Edited = N("3.0000", "3");
    Edited.Edited = true;
    return {
        {N("12.0000", "12"), Op(ckAdd, "+"), N("5.0000", "5"), Op(ckEquals, "="),
         R("17.0000", "17")},
        {},
        {Edited, Op(ckMultiply, "*"), N("4.0000", "4"), Op(ckEquals, "="), R("12.0000", "12"),
         Op(ckSqRoot, "sqrt")},
        {N("5.0000", "5"), Op(ckDivide, "/"), N("0.0000", "0"), E("- - - - ERROR - - - -"),
         Op(ckEquals, "="), E("Error!")},
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
                                                     "\u270E 3.0000 \u00D7\n"
                                                     "  4.0000 =\n"
                                                     " -------\n"
                                                     " 12.0000\n"
                                                     "       \u221A\n") +
                                      Rule +
                                      QStringLiteral("\n"
                                                     "  5.0000 \u00F7\n"
                                                     "  0.0000\n"
                                                     "- - - - ERROR - - - -\n"
                                                     "       =\n"
                                                     "  Error!\n"));
    EXPECT_EQ(TapeText({}), QString());
    EXPECT_EQ(TapeText({{}, {}}), QString());
}

TEST(TapeExport, CsvRowsAndQuoting)
{
    const QByteArray Header = "operator,number,result,calculation,error,edited\r\n";
    // Fields with a comma, a quote or a line break are quoted, quotes doubled.
    const QList<TBrixTapeCalculation> Quoted = {
        {T("a,b"), T("say \"hi\""), T("two\nlines"), T("cr\rhere"), T(TapeRule), T("plain")}};
    EXPECT_EQ(TapeCsv(Quoted), Header + "\"a,b\",,,1,,0\r\n"
                                        "\"say \"\"hi\"\"\",,,1,,0\r\n"
                                        "\"two\nlines\",,,1,,0\r\n"
                                        "\"cr\rhere\",,,1,,0\r\n"
                                        "plain,,,1,,0\r\n");
    // Operators in ASCII, numbers only in number and result, the error in
    // its own column; the empty calculation is not counted.
    EXPECT_EQ(TapeCsv(Sample()), Header + "+,12,,1,,0\r\n"
                                          "=,5,,1,,0\r\n"
                                          ",,17,1,,0\r\n"
                                          "*,3,,2,,1\r\n"
                                          "=,4,,2,,0\r\n"
                                          ",,12,2,,0\r\n"
                                          "sqrt,,,2,,0\r\n"
                                          "/,5,,3,,0\r\n"
                                          ",0,,3,,0\r\n"
                                          ",,,3,- - - - ERROR - - - -,0\r\n"
                                          "=,,,3,,0\r\n"
                                          ",,,3,Error!,0\r\n");
    // Operators of earlier versions' lines, and the power, in ASCII too.
    EXPECT_EQ(TapeCsv({{N("2.0000", "2"), N("x ^ y 3.0000", "3"), R("= 8.0000", "8")},
                       {N("8.0000", "8"), Op(ckPower, "x ^ 1/y"), N("3.0000", "3"),
                        Op(ckSubtract, "-"), N("1.0000", "1"), T("=")}}),
              Header + "^,2,,1,,0\r\n"
                       "=,3,,1,,0\r\n"
                       ",,8,1,,0\r\n"
                       "x ^ 1/y,8,,2,,0\r\n"
                       "-,3,,2,,0\r\n"
                       "=,1,,2,,0\r\n");
    EXPECT_EQ(TapeCsv({}), Header);
}

TEST(TapeExport, CsvNumbersInTheCLocaleUnderGermanSettings)
{
    BrixTest::RegionalGuard German(u',', u'.');
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray Csv = TapeCsv(
        {{N("1.234,5678901234567890", "1234.567890123456789"), Op(ckMultiply, "*"),
          N("-0,0000", "-1.5E-7"), Op(ckEquals, "="), R("-0,0002", "-0.00018518518518518518")},
         {N("1,0000E+300", "1E+300"), Op(ckMultiply, "*"), N("1,0000E+300", "1E+300"),
          Op(ckEquals, "="), R("1,0000E+600", "1E+600")}});
    QLocale::setDefault(Saved);
    EXPECT_EQ(Csv, QByteArray("operator,number,result,calculation,error,edited\r\n"
                              "*,1234.567890123456789,,1,,0\r\n"
                              "=,-1.5E-7,,1,,0\r\n"
                              ",,-0.00018518518518518518,1,,0\r\n"
                              "*,1E+300,,2,,0\r\n"
                              "=,1E+300,,2,,0\r\n"
                              ",,1E+600,2,,0\r\n"));
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
// its page), with its page's number (from 0) and size.
struct PdfWord
{
    QString Text;
    double Left, Top, Right, Bottom;
    int Page;
    double PageWidth, PageHeight;
};

QList<PdfWord> PdfWords(const QString &Path)
{
    static const QRegularExpression Item(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|)re"
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<PdfWord> Words;
    int Page = -1;
    double PageWidth = 0, PageHeight = 0;
    const QString Html = PdfToText(Path, {"-bbox"});
    for (const QRegularExpressionMatch &M : Item.globalMatch(Html)) {
        if (M.hasCaptured(1)) {
            ++Page;
            PageWidth = M.captured(1).toDouble();
            PageHeight = M.captured(2).toDouble();
        } else {
            Words.append({M.captured(7), M.captured(3).toDouble(), M.captured(4).toDouble(),
                          M.captured(5).toDouble(), M.captured(6).toDouble(), Page, PageWidth,
                          PageHeight});
        }
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
    // Prints Calculations on A4 into a PDF and returns its path; Pages is
    // what PrintTape says it printed.
    QString Print(const QList<TBrixTapeCalculation> &Calculations,
                  QPrinter::PrinterMode Mode = QPrinter::HighResolution, int *Pages = nullptr)
    {
        const QString Path = FDir.filePath("tape.pdf");
        QPrinter Printer(Mode);
        Printer.setOutputFormat(QPrinter::PdfFormat);
        Printer.setOutputFileName(Path);
        Printer.setPageSize(QPageSize(QPageSize::A4));
        const int Printed =
            PrintTape(Printer, Calculations, QFont(QStringLiteral("DejaVu Sans"), 24));
        if (Pages)
            *Pages = Printed;
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
             {"12.0000 +", "5.0000 =", "17.0000", "3.0000 \u00D7", "4.0000 =", "\u221A", "Error!"})
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
            if (I + 1 < Words.size() &&
                QStringList({"+", "=", "\u00D7"}).contains(Words[I + 1].Text)) {
                EXPECT_DOUBLE_EQ(Words[I + 1].Top, Words[I].Top);
                EXPECT_GT(Words[I + 1].Left, Words[I].Right);
            }
        }
        EXPECT_GT(Right, 0);
    }
}

// 1,000 calculations "12 + 5 =" fill A4 pages with columns: a fifth of the
// pages one column took, each calculation in one column, nothing lost or
// cut, the page's number on every page.
TEST_F(TapePrint, ColumnsFillThePage)
{
    const TBrixTapeCalculation Sum{N("12.0000", "12"), Op(ckAdd, "+"), N("5.0000", "5"),
                                   Op(ckEquals, "="), R("17.0000", "17")};
    const QList<TBrixTapeCalculation> Many(1000, Sum);
    int Printed = 0;
    const QString Path = Print(Many, QPrinter::HighResolution, &Printed);
    const QString Text = PdfToText(Path, {"-layout"});
    const QStringList Pages = Text.split(u'\f', Qt::SkipEmptyParts);
    EXPECT_EQ(Pages.size(), Printed);
    EXPECT_GT(Printed, 1);
    EXPECT_LE(Printed, 15);
    for (qsizetype P = 0; P < Pages.size(); ++P)
        EXPECT_TRUE(Pages[P].contains(QString("%1/%2").arg(P + 1).arg(Pages.size())))
            << Pages[P].toStdString();
    EXPECT_EQ(Text.count("12.0000 +"), 1000);
    EXPECT_EQ(Text.count("5.0000 ="), 1000);
    EXPECT_EQ(Text.count("17.0000"), 1000);

    // Every word inside the page, 10 mm (28.3 points) from its edges; the
    // rows of each column, top to bottom, are whole calculations.
    const QList<PdfWord> Words = PdfWords(Path);
    ASSERT_FALSE(Words.isEmpty());
    // By page and the numbers' right edge (within 3 points).
    std::map<std::pair<int, double>, QList<PdfWord>> Columns;
    for (const PdfWord &Word : Words) {
        ASSERT_GE(Word.Left, 28) << Word.Text.toStdString();
        ASSERT_GE(Word.Top, 28) << Word.Text.toStdString();
        ASSERT_LE(Word.Right, Word.PageWidth - 28) << Word.Text.toStdString();
        ASSERT_LE(Word.Bottom, Word.PageHeight - 28) << Word.Text.toStdString();
        if (QStringList({"12.0000", "5.0000", "17.0000"}).contains(Word.Text)) {
            auto Found = std::find_if(Columns.begin(), Columns.end(), [&Word](const auto &C) {
                return C.first.first == Word.Page && std::abs(C.first.second - Word.Right) < 3;
            });
            if (Found == Columns.end())
                Found = Columns.insert({{Word.Page, Word.Right}, {}}).first;
            Found->second.append(Word);
        }
    }
    EXPECT_GT(Columns.size(), size_t(2 * Printed));
    for (auto &[Where, Column] : Columns) {
        std::sort(Column.begin(), Column.end(),
                  [](const PdfWord &A, const PdfWord &B) { return A.Top < B.Top; });
        QStringList Numbers;
        for (const PdfWord &Word : Column)
            Numbers << Word.Text;
        ASSERT_EQ(Numbers.size() % 3, 0) << Numbers.join(' ').toStdString();
        for (qsizetype I = 0; I < Numbers.size(); I += 3)
            ASSERT_EQ(Numbers.mid(I, 3), QStringList({"12.0000", "5.0000", "17.0000"}))
                << "page " << Where.first << ": " << Numbers.join(' ').toStdString();
    }
}

} // namespace
