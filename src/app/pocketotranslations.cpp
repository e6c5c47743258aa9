#include "pocketotranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

using namespace Brix;

QStringList TranslationCodes(TBrixLanguage Language)
{
    switch (Language) {
    case elBrazPort:
        return {QStringLiteral("pt_BR")};
    case elChineseSimplified:
        return {QStringLiteral("zh_CN")};
    case elCzech:
        return {QStringLiteral("cs")};
    case elDanish:
        return {QStringLiteral("da")};
    case elFinnish:
        return {QStringLiteral("fi")};
    case elFrench:
        return {QStringLiteral("fr")};
    case elGerman:
        return {QStringLiteral("de")};
    // The program's texts are in Bokmål. Qt ships Nynorsk only, which a
    // Bokmål reader follows more easily than English.
    case elNorwegian:
        return {QStringLiteral("nb"), QStringLiteral("no"), QStringLiteral("nn")};
    case elPolish:
        return {QStringLiteral("pl")};
    case elRussian:
        return {QStringLiteral("ru")};
    case elSpanish:
        return {QStringLiteral("es")};
    case elSwedish:
        return {QStringLiteral("sv")};
    default:
        return {};
    }
}

QString TPocketoTranslators::ProgramFolder()
{
    return QStringLiteral(":/i18n");
}

TPocketoTranslators::TPocketoTranslators(TBrixLanguage Language)
{
    const QStringList Codes = TranslationCodes(Language);
    const QString QtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString &Code : Codes) {
        if (!FHasProgram)
            FHasProgram = FProgram.load(QStringLiteral("lumopocketo_") + Code, ProgramFolder());
        if (!FHasQt)
            FHasQt = FQt.load(QStringLiteral("qtbase_") + Code, QtFolder);
    }
    // Installed last is asked first: the program's texts before Qt's.
    if (FHasQt)
        QCoreApplication::installTranslator(&FQt);
    if (FHasProgram)
        QCoreApplication::installTranslator(&FProgram);
}
