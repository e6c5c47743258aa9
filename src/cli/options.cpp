#include "options.h"

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/formatters/numeric.h"

#include <QStringList>

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;
using F = TBrixFloatFormatter;

// Float formatter options: any of them links a formatter to the engine,
// with these settings applied in this order.
std::optional<Setting<F>> ReadSciMin(const QString &V)
{
    const auto X = ReadScriptNumber(V);
    if (!X)
        return std::nullopt;
    return Setting<F>([M = Double(*X)](F &Fm) { Fm.SetSciMin(M); });
}
std::optional<Setting<F>> ReadSciMax(const QString &V)
{
    const auto X = ReadScriptNumber(V);
    if (!X)
        return std::nullopt;
    return Setting<F>([M = Double(*X)](F &Fm) { Fm.SetSciMax(M); });
}
const OptionRow<F> FormatterRows[] = {
    {"--formatter", nullptr, [](F &) {}, nullptr},
    {"--trim", nullptr, [](F &Fm) { Fm.SetTrimTrailingZeroes(true); }, nullptr},
    {"--thousands", nullptr, [](F &Fm) { Fm.SetShowThousands(true); }, nullptr},
    {"--lakh", nullptr, [](F &Fm) { Fm.SetLakhFormatting(true); }, nullptr},
    {"--sci", nullptr, [](F &Fm) { Fm.SetSciRange(true); }, nullptr},
    {"--sci-min", "X", nullptr, ReadSciMin},
    {"--sci-max", "X", nullptr, ReadSciMax},
    {"--brackets", nullptr, [](F &Fm) { Fm.SetBracketsForNegative(true); }, nullptr},
    {"--plus", nullptr, [](F &Fm) { Fm.SetShowPlusSign(true); }, nullptr},
    {"--blank-zero", nullptr, [](F &Fm) { Fm.SetBlankWhenZero(true); }, nullptr},
};

template <std::optional<QChar> RunOptions::*Field>
std::optional<Setting<RunOptions>> ReadChar(const QString &V)
{
    if (V.size() != 1)
        return std::nullopt;
    return Setting<RunOptions>([Ch = V.at(0)](RunOptions &R) { R.*Field = Ch; });
}

const OptionRow<RunOptions> RegionalRows[] = {
    {"--decimal-separator", "C", nullptr, ReadChar<&RunOptions::DecimalSeparator>},
    {"--thousand-separator", "C", nullptr, ReadChar<&RunOptions::ThousandSeparator>},
};

const OptionRow<RunOptions> LineRows[] = {
    {"--each-line", nullptr, [](RunOptions &R) { R.EachLine = true; }, nullptr,
     "each line on its own; the memory carries over"},
};

const OptionRow<RunOptions> OutputRows[] = {
    {"--trace", nullptr, [](RunOptions &R) { R.Trace = true; }, nullptr,
     "token, tab, display per key"},
    {"--json", nullptr, [](RunOptions &R) { R.Json = true; }, nullptr,
     "one object; from standard input one per line"},
};

const OptionRow<RunOptions> InfoRows[] = {
    {"--help", nullptr, [](RunOptions &R) { R.Help = true; }, nullptr},
    {"-h", nullptr, [](RunOptions &R) { R.Help = true; }, nullptr},
    {"--version", nullptr, [](RunOptions &R) { R.Version = true; }, nullptr},
};

} // namespace

std::span<const OptionRow<E>> EngineOptions()
{
    return ScriptEngineOptions();
}
std::span<const OptionRow<F>> FormatterOptions()
{
    return FormatterRows;
}
std::span<const OptionRow<RunOptions>> RegionalOptions()
{
    return RegionalRows;
}
std::span<const OptionRow<RunOptions>> LineOptions()
{
    return LineRows;
}
std::span<const OptionRow<RunOptions>> OutputOptions()
{
    return OutputRows;
}
std::span<const OptionRow<RunOptions>> InfoOptions()
{
    return InfoRows;
}
namespace {

// ---- Usage text, from the tables ----

// Head and the items separated by Sep, wrapped before column 80; a
// continuation line starts at the column of the first item.
QString Wrapped(const QString &Head, const QStringList &Items,
                const QString &Sep = QStringLiteral(" "))
{
    const QString Indent(Head.size() + 1, u' ');
    QString Text, Line = Head + u' ';
    bool Fresh = true; // nothing on Line after its head or indent
    for (const QString &Item : Items) {
        if (!Fresh && Line.size() + Sep.size() + Item.size() >= 80) {
            Text += Line + u'\n';
            Line = Indent;
            Fresh = true;
        }
        if (!Fresh)
            Line += Sep;
        Line += Item;
        Fresh = false;
    }
    return Text + Line + u'\n';
}

template <class T> QStringList OptionItems(std::span<const OptionRow<T>> Rows)
{
    QStringList Items;
    for (const OptionRow<T> &R : Rows) {
        QString Item = QLatin1String(R.Name);
        if (R.Value)
            Item += u'=' + QLatin1String(R.Value);
        if (R.Note)
            Item += QStringLiteral(" (%1)").arg(QLatin1String(R.Note));
        Items << Item;
    }
    return Items;
}

} // namespace

QString UsageText()
{
    QStringList KeyWords{QStringLiteral("digits and '.',")};
    for (const TBrixKeyInfo &K : Keys()) {
        const QString Words = QLatin1String(K.Words);
        if (K.Key == ckPoint || (Words.size() == 1 && Words.at(0).isDigit()))
            continue;
        KeyWords << Words.split(u' ', Qt::SkipEmptyParts);
    }
    QStringList TokenWords;
    for (const TBrixScriptToken &T : ScriptTokens())
        TokenWords << QStringLiteral("%1:%2").arg(QLatin1String(T.Head), QLatin1String(T.Value));

    QString Text = QStringLiteral(
        "Usage: lumopocketo-cli [OPTION...] [KEY...]\n"
        "Drives the calculator engine with keys and prints its display.\n"
        "For scripts: --trim prints 4 rather than 4.0000; --decimals=N sets the\n"
        "decimal places (default 4).\n"
        "Keys come from the arguments or, when there are none, from standard input,\n"
        "a line at a time, with the display printed after each line. A line break\n"
        "ends the number being typed (1 and 2 on two lines are two numbers); the\n"
        "calculation goes on across lines unless --each-line makes every line one of\n"
        "its own (all clear before it, = after it when one is pending). On a terminal:\n"
        "a prompt, line editing, history, 'help' and 'quit' (or Ctrl+D).\n"
        "Keys may be written together in a word: a number is digits with at most one\n"
        "decimal separator ('.' or the region's, not both in a word), optionally with\n"
        "an exponent (2e-3); letters form key words (longer words win). Words are\n"
        "case-insensitive. In a word, a value directly followed by a key that would\n"
        "replace it is an error: 2pi, 2(3+1), (1+2)3, and 9sqrt while functions are\n"
        "prefix (they take the number after them: sqrt9=). Write the operator: 2*pi.\n"
        "\n"
        "Examples:\n"
        "  $ lumopocketo-cli '2+3*4='\n"
        "  14.0000\n"
        "  $ lumopocketo-cli '(1+2)*3='\n"
        "  9.0000\n"
        "  $ lumopocketo-cli 'sqrt9='\n"
        "  3.0000\n"
        "  $ lumopocketo-cli --prefix=off 9 sqrt\n"
        "  3.0000\n"
        "  $ lumopocketo-cli --trim '1.5*2='\n"
        "  3\n"
        "  $ lumopocketo-cli --decimals=2 '1/3='\n"
        "  0.33\n"
        "\n");
    Text += Wrapped(QStringLiteral("Keys:"), KeyWords);
    Text += Wrapped(QStringLiteral("     "), TokenWords);
    Text += Wrapped(QStringLiteral("Engine:"), OptionItems(EngineOptions()));
    Text += Wrapped(QStringLiteral("Formatter:"), OptionItems(FormatterOptions()));
    Text += Wrapped(QStringLiteral("Regional:"), OptionItems(RegionalOptions()));
    Text += Wrapped(QStringLiteral("Lines:"), OptionItems(LineOptions()));
    Text += Wrapped(QStringLiteral("Output:"), OptionItems(OutputOptions()), QStringLiteral(" | "));
    Text += Wrapped(QStringLiteral("Info:"), OptionItems(InfoOptions()));
    Text += QStringLiteral(
        "\n"
        "Exit status: 0; 1 when a line ends with the display in the error state or\n"
        "met an error on the way (the reason goes to standard error), an error reached\n"
        "the caller, or the output could not be written; 2 for a usage error (a line\n"
        "of input with one is reported with its line number and skipped).\n");
    return Text;
}

} // namespace LumoCli
