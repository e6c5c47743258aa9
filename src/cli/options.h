// The command-line calculator's options (by kind, each a table row), each
// turned into a setting that acts on its target, and the usage text,
// generated from these tables and the key-script language of the engine
// library (brix/calculator/keyscript.h: the key words, the "head:value"
// tokens and the engine options).
#pragma once

#include "brix/calculator/keyscript.h"

#include <QChar>
#include <QString>

#include <optional>
#include <span>

namespace Brix {
class TBrixFloatFormatter;
} // namespace Brix

namespace LumoCli {

template <class T> using Setting = Brix::TBrixSetting<T>;
using EngineSetting = Brix::TBrixEngineSetting;
// One "--name[=value]" option acting on a T.
template <class T> using OptionRow = Brix::TBrixOptionRow<T>;

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

QString UsageText();

} // namespace LumoCli
