// The command-line calculator's vocabulary beyond the keys: the options (by
// kind, each a table row) and the "head:value" tokens, each turned into a
// setting that acts on its target; and the usage text, generated from these
// tables and the engine library's key table.
#pragma once

#include <QChar>
#include <QString>

#include <functional>
#include <optional>
#include <span>

namespace Brix {
class TBrixCalcEngine;
class TBrixFloatFormatter;
} // namespace Brix

namespace LumoCli {

template <class T> using Setting = std::function<void(T &)>;
using EngineSetting = Setting<Brix::TBrixCalcEngine>;

// One "--name[=value]" option acting on a T.
template <class T> struct OptionRow
{
    const char *Name;
    // The value as the usage text shows it ("N", "on|off"); nullptr for a
    // flag, which takes no value.
    const char *Value;
    // A flag's effect.
    void (*Flag)(T &);
    // A valued option's reader: the setting, or nothing when Value is bad.
    std::optional<Setting<T>> (*Read)(const QString &Value);
    // Shown after the option in the usage text; may be nullptr.
    const char *Note = nullptr;
};

// What the run itself is asked for: regional separators, the line rule,
// output form and the informational options.
struct RunOptions
{
    std::optional<QChar> DecimalSeparator, ThousandSeparator;
    bool EachLine = false, Trace = false, Json = false, Help = false, Version = false;
};

// Engine options, to be applied in this order whatever their order on the
// command line.
std::span<const OptionRow<Brix::TBrixCalcEngine>> EngineOptions();
// Float formatter options: any of them links a formatter to the engine,
// with these settings applied in this order.
std::span<const OptionRow<Brix::TBrixFloatFormatter>> FormatterOptions();
// --decimal-separator, --thousand-separator.
std::span<const OptionRow<RunOptions>> RegionalOptions();
// --each-line.
std::span<const OptionRow<RunOptions>> LineOptions();
// --trace, --json.
std::span<const OptionRow<RunOptions>> OutputOptions();
// --help, -h, --version.
std::span<const OptionRow<RunOptions>> InfoOptions();

// A "head:value" token such as "dp:2": an engine call or option write
// between keys.
struct TokenRow
{
    const char *Head;
    const char *Value; // as the usage text shows it
    // Names the token as %1 when the value is bad.
    const char *Error;
    std::optional<EngineSetting> (*Read)(const QString &Value);
};
std::span<const TokenRow> KeyTokens();

// "on" or "off" in any case as true or false; nothing for any other text.
std::optional<bool> ReadOnOff(const QString &Text);

QString UsageText();

} // namespace LumoCli
