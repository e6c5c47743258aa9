// The program's translations: one .ts file for each of the calculator's
// languages that is not English, every text translated with its
// placeholders, and each built into the program; Qt's own texts follow
// where Qt's translations are installed.
#include "pocketotranslations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <string>
#include <vector>

using namespace Brix;

namespace {

struct TMessage
{
    QString Context;
    QString Source;
    QString Translation;
    QString Type; // the translation's type attribute: "unfinished", ...
};

std::vector<TMessage> ReadTs(const QString &Path)
{
    std::vector<TMessage> Messages;
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << Path.toStdString();
        return Messages;
    }
    QXmlStreamReader Xml(&File);
    QString Context;
    TMessage Message;
    while (!Xml.atEnd()) {
        Xml.readNext();
        if (Xml.isEndElement() && Xml.name() == u"message")
            Messages.push_back(Message);
        if (!Xml.isStartElement())
            continue;
        if (Xml.name() == u"name") {
            Context = Xml.readElementText();
        } else if (Xml.name() == u"message") {
            Message = TMessage{Context, {}, {}, {}};
        } else if (Xml.name() == u"source") {
            Message.Source = Xml.readElementText();
        } else if (Xml.name() == u"translation") {
            Message.Type = Xml.attributes().value(QStringLiteral("type")).toString();
            Message.Translation = Xml.readElementText();
        }
    }
    EXPECT_FALSE(Xml.hasError()) << Path.toStdString() << ": " << Xml.errorString().toStdString();
    return Messages;
}

// "%1", "%2", ... in a text, sorted.
std::string Placeholders(const QString &Text)
{
    QStringList Found;
    for (const QRegularExpressionMatch &M :
         QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(Text))
        Found << M.captured();
    Found.sort();
    return Found.join(u' ').toStdString();
}

TEST(Translations, EachNonEnglishLanguageHasAFinishedTranslationBuiltIn)
{
    QStringList Expected;
    for (int L = elEnglishInt; L < elUSER; ++L)
        if (!TranslationCodes(TBrixLanguage(L)).isEmpty())
            Expected << QStringLiteral("lumopocketo_%1.ts")
                            .arg(TranslationCodes(TBrixLanguage(L)).first());
    Expected.sort();
    const QStringList Files = QDir(QStringLiteral(LUMO_TS_DIR))
                                  .entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name);
    ASSERT_EQ(Files, Expected);
    ASSERT_EQ(Files.size(), 12);

    for (int L = elEnglishInt; L < elUSER; ++L) {
        const auto Language = TBrixLanguage(L);
        const QStringList Codes = TranslationCodes(Language);
        if (Codes.isEmpty())
            continue;
        SCOPED_TRACE(Codes.first().toStdString());
        const std::vector<TMessage> Messages =
            ReadTs(QStringLiteral(LUMO_TS_DIR "/lumopocketo_%1.ts").arg(Codes.first()));
        EXPECT_GE(Messages.size(), 8u);
        TPocketoTranslators Translators(Language);
        ASSERT_TRUE(Translators.HasProgramTexts());
        for (const TMessage &M : Messages) {
            SCOPED_TRACE(M.Source.toStdString());
            EXPECT_TRUE(M.Type.isEmpty()) << "translation marked " << M.Type.toStdString();
            EXPECT_FALSE(M.Translation.trimmed().isEmpty());
            EXPECT_EQ(Placeholders(M.Translation), Placeholders(M.Source));
            // The program shows what the file says.
            EXPECT_EQ(QCoreApplication::translate(qPrintable(M.Context), qPrintable(M.Source)),
                      M.Translation);
        }
    }
    // Gone with the translators: the texts are English again.
    EXPECT_EQ(QCoreApplication::translate("TPocketoWindowExtras", "Scientific"),
              QStringLiteral("Scientific"));
}

TEST(Translations, EnglishLoadsNothing)
{
    for (TBrixLanguage Language : {elEnglishInt, elEnglishUS}) {
        TPocketoTranslators Translators(Language);
        EXPECT_FALSE(Translators.HasProgramTexts());
        EXPECT_FALSE(Translators.HasQtTexts());
        EXPECT_EQ(QCoreApplication::translate("TPocketoWindowExtras", "Scientific"),
                  QStringLiteral("Scientific"));
        EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_T).toString(QKeySequence::NativeText),
                  QStringLiteral("Ctrl+T"));
    }
}

// Qt's own texts come from Qt's translations folder; a language Qt has no
// translation for keeps them in English and still gets the program's.
TEST(Translations, QtTextsFollowWhereInstalled)
{
    const QString QtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    struct Row
    {
        TBrixLanguage Language;
        const char *QtFile;
        const char *CtrlT; // Ctrl+T as the key names read with Qt's texts
    };
    const Row Rows[] = {
        {elGerman, "qtbase_de.qm", "Strg+T"},
        // Qt's Nynorsk stands in for Bokmål.
        {elNorwegian, "qtbase_nn.qm", nullptr},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.QtFile);
        TPocketoTranslators Translators(R.Language);
        EXPECT_TRUE(Translators.HasProgramTexts());
        EXPECT_EQ(Translators.HasQtTexts(),
                  QFile::exists(QtFolder + u'/' + QLatin1String(R.QtFile)));
        if (R.CtrlT && Translators.HasQtTexts()) {
            EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_T).toString(QKeySequence::NativeText),
                      QString::fromUtf8(R.CtrlT));
        }
    }
    if (!QFile::exists(QtFolder + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "Qt's translations are not installed in " << QtFolder.toStdString();
}

} // namespace
