// The program's own texts (those written with tr(): the window's menu, the
// tape, the About box) and Qt's standard texts (dialog buttons, key names)
// in the language the calculator speaks. The program's texts are compiled
// into the program; Qt's come from Qt's translations folder when they are
// installed there.
#pragma once

#include "brix/classes/globals.h"

#include <QString>
#include <QStringList>
#include <QTranslator>

// The translation codes for Language, most fitting first, as the program's
// and Qt's translation files are named: elGerman -> {"de"}, elBrazPort ->
// {"pt_BR"}, elNorwegian -> {"nb", "no", "nn"}. The English languages give
// none: the texts are written in English.
QStringList TranslationCodes(Brix::TBrixLanguage Language);

// Installs the translations for one language into the application for as
// long as it lives; they are removed when it is destroyed. Create it before
// the windows are built. A missing translation is not an error: its texts
// stay in English.
class TPocketoTranslators
{
public:
    explicit TPocketoTranslators(Brix::TBrixLanguage Language);
    TPocketoTranslators(const TPocketoTranslators &) = delete;
    TPocketoTranslators &operator=(const TPocketoTranslators &) = delete;

    // Whether the program's own texts, and Qt's, were found and installed.
    bool HasProgramTexts() const { return FHasProgram; }
    bool HasQtTexts() const { return FHasQt; }

    // Where the program keeps its compiled translations (a resource folder).
    static QString ProgramFolder();

private:
    QTranslator FProgram;
    QTranslator FQt;
    bool FHasProgram = false;
    bool FHasQt = false;
};
