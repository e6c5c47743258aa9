#include "options.h"

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/formatters/numeric.h"
#include "brix/strings/paste.h"

#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;
using F = TBrixFloatFormatter;

// ---- Values of options and tokens ----

// Language names: the enumerator without its "el" prefix, any case.
constexpr std::array<const char *, BrixLanguageCount> LanguageNames = {
    "EnglishInt", "EnglishUS", "BrazPort", "ChineseSimplified", "Czech",  "Danish",
    "Finnish",    "French",    "German",   "Norwegian",         "Polish", "Russian",
    "Spanish",    "Swedish",   "USER"};

std::optional<TBrixLanguage> ParseLanguage(const QString &Name)
{
    for (int I = 0; I < BrixLanguageCount; ++I)
        if (Name.compare(QLatin1String(LanguageNames[I]), Qt::CaseInsensitive) == 0)
            return TBrixLanguage(I);
    return std::nullopt;
}

// A C-locale number such as "-1e300" or "2.5", finite and whole.
std::optional<Extended> ParseNumber(const QString &Text)
{
    const QByteArray Bytes = Text.toLatin1();
    if (Bytes.isEmpty() || Text.size() != Bytes.size())
        return std::nullopt;
    const char *Begin = Bytes.constData();
    const char *End = Begin + Bytes.size();
    if (*Begin == '+')
        ++Begin;
    Extended Value = 0;
    const auto [Ptr, Ec] = std::from_chars(Begin, End, Value);
    if (Ec != std::errc() || Ptr != End || !std::isfinite(Value))
        return std::nullopt;
    return Value;
}

std::optional<int> ParseInt(const QString &Text, int Low, int High)
{
    bool Ok = false;
    const int Value = Text.toInt(&Ok, 10);
    if (!Ok || Value < Low || Value > High)
        return std::nullopt;
    return Value;
}


// ---- Settings ----

// Readers shared by options and tokens: the setting for a value, or nothing
// when the value is bad.
template <void (E::*Set)(bool)> std::optional<EngineSetting> ReadSwitch(const QString &Value)
{
    const auto On = ReadOnOff(Value);
    if (!On)
        return std::nullopt;
    return EngineSetting([V = *On](E &En) { (En.*Set)(V); });
}

std::optional<EngineSetting> ReadDecimalPlaces(const QString &Value)
{
    const auto N = ParseInt(Value, 0, 255);
    if (!N)
        return std::nullopt;
    return EngineSetting([Places = Byte(*N)](E &En) { En.SetDecimalPlaces(Places); });
}

std::optional<EngineSetting> ReadLanguage(const QString &Value)
{
    const auto L = ParseLanguage(Value);
    if (!L)
        return std::nullopt;
    return EngineSetting([Lang = *L](E &En) { En.SetLanguage(Lang); });
}

// ---- The option tables ----

// Engine options, applied in this order whatever their order on the command
// line.
const OptionRow<E> EngineRows[] = {
    {"--precedence", "on|off", nullptr, ReadSwitch<&E::SetPrecedence>},
    {"--prefix", "on|off", nullptr, ReadSwitch<&E::SetPrefixFunctions>},
    {"--binary-percent", nullptr, [](E &En) { En.SetBinaryPercent(true); }, nullptr},
    {"--same-line", nullptr, [](E &En) { En.SetOperatorSameLine(true); }, nullptr},
    {"--memory-history", nullptr, [](E &En) { En.SetMemoryHistory(true); }, nullptr},
    {"--ignore-error", nullptr, [](E &En) { En.SetIgnoreError(true); }, nullptr},
    {"--grads", nullptr, [](E &En) { En.SetEnableGrads(true); }, nullptr},
    {"--angle", "deg|rad|gra", nullptr,
     [](const QString &V) -> std::optional<EngineSetting> {
         TBrixAngleMode Mode;
         if (V == "deg")
             Mode = amDegrees;
         else if (V == "rad")
             Mode = amRadians;
         else if (V == "gra")
             Mode = amGradiants;
         else
             return std::nullopt;
         return EngineSetting([Mode](E &En) { En.SetAngleMode(Mode); });
     }},
    {"--decimals", "N", nullptr, ReadDecimalPlaces},
    {"--memory", "X", nullptr,
     [](const QString &V) -> std::optional<EngineSetting> {
         const auto X = ParseNumber(V);
         if (!X)
             return std::nullopt;
         return EngineSetting([M = *X](E &En) { En.SetMemory(M); });
     }},
    {"--language", "NAME", nullptr, ReadLanguage},
};

// Float formatter options: any of them links a formatter to the engine,
// with these settings applied in this order.
std::optional<Setting<F>> ReadSciMin(const QString &V)
{
    const auto X = ParseNumber(V);
    if (!X)
        return std::nullopt;
    return Setting<F>([M = Double(*X)](F &Fm) { Fm.SetSciMin(M); });
}
std::optional<Setting<F>> ReadSciMax(const QString &V)
{
    const auto X = ParseNumber(V);
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

// ---- The command line's own tokens: "head:value" ----

const TokenRow TokenRows[] = {
    {"value", "X", "bad number in key token '%1'",
     [](const QString &V) -> std::optional<EngineSetting> {
         const auto X = ParseNumber(V);
         if (!X)
             return std::nullopt;
         return EngineSetting([Value = *X](E &En) { En.InputValue(Value); });
     }},
    {"paste", "TEXT", "not a number in key token '%1'",
     [](const QString &V) -> std::optional<EngineSetting> {
         // Read as the window reads a paste, with the run's separators.
         const std::optional<QString> Number = PastedNumberText(V, RegionalSettings());
         if (!Number)
             return std::nullopt;
         return EngineSetting([N = *Number](E &En) { En.InputString(N); });
     }},
    {"dp", "N", "decimal places must be 0 to 255 in key token '%1'", ReadDecimalPlaces},
    {"lang", "NAME", "unknown language in key token '%1'", ReadLanguage},
    {"bpct", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetBinaryPercent>},
    {"prec", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetPrecedence>},
    {"prefix", "on|off", "expected on or off in key token '%1'",
     ReadSwitch<&E::SetPrefixFunctions>},
};

} // namespace

std::optional<bool> ReadOnOff(const QString &Text)
{
    if (Text.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
        return true;
    if (Text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::span<const OptionRow<E>> EngineOptions()
{
    return EngineRows;
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
std::span<const TokenRow> KeyTokens()
{
    return TokenRows;
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
    for (const TokenRow &T : KeyTokens())
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
