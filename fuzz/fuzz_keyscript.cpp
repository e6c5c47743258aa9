// Random text into the key-script reader (brix/calculator/keyscript.h) and
// what it reads into the calculator engine, a line at a time as
// lumopocketo-cli reads standard input. The reader must either refuse a line
// with a message or read it into keys whose texts, one after another, are the
// line's text without its blanks (every character belongs to exactly one
// key). The keys of a line that reads are run, and after every key the engine
// must stay consistent (engine_checks.h). Errors that the engine passes on by
// design (plain percent, M+, M-) are caught; any other escaping error aborts.
#include "brix/calculator/engine.h"
#include "brix/calculator/keyscript.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"

#include "engine_checks.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace Brix;
using namespace EngineFuzz;

namespace {

QString WithoutBlanks(QStringView Line)
{
    QString Text;
    for (const QChar Ch : Line)
        if (!Ch.isSpace())
            Text += Ch;
    return Text;
}

void RunLine(TBrixCalcEngine &E, const QString &Line)
{
    TBrixScriptRules Rules = ScriptRulesOf(E);
    TBrixKeyScript Keys;
    QString Error;
    if (!ReadScriptLine(Line, Rules, Keys, Error)) {
        if (Error.isEmpty())
            Fail("a refused line without a message", Line);
        return;
    }
    QString Texts;
    for (qsizetype I = 0; I < Keys.size(); ++I)
        Texts += Keys.Token(I);
    if (Texts != WithoutBlanks(Line))
        Fail("the keys' texts are not the line's", Texts);
    for (qsizetype I = 0; I < Keys.size(); ++I) {
        try {
            Keys.Run(I, E);
        } catch (const Exception &) {
            // Only these keys pass an error on to the caller.
            const QString Token = Keys.Token(I).toLower();
            if (Token != u"%" && Token != u"m+" && Token != u"m-")
                throw;
        }
        CheckConsistent(E);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > 4096)
        return 0;
    static const bool Setup = [] {
        RegionalSettings().DecimalSeparator = u'.';
        RegionalSettings().ThousandSeparator = u',';
        return true;
    }();
    (void)Setup;

    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    const QString Text = QString::fromUtf8(reinterpret_cast<const char *>(Data), qsizetype(Size));
    for (const QString &Line : Text.split(u'\n'))
        RunLine(*E, Line);
    return 0;
}
