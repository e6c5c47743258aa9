// The command-line calculator: key tokens and options in, the engine's
// display (plain, traced or as JSON) out. All behaviour comes from the
// engine; the keys and their words come from the engine library's key table.
// This file adds only what the command line needs beyond the keys (value,
// paste and option tokens, the options) and prints what the engine shows.
//
// A run is four steps: parse the arguments, configure an engine (and a
// formatter when asked for), run the keys, report.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

namespace Brix {
class TBrixCalcEngine;
}

namespace LumoCli {

// Exit statuses.
enum ExitStatus
{
    ExitOk = 0,
    ExitUncaught = 1,
    ExitUsage = 2
};

// One key token, checked and ready to run against an engine.
struct Key
{
    QString Token; // as the user wrote it
    std::function<void(Brix::TBrixCalcEngine &)>
        Run; // one engine call (a number token: one per character)
};

// Reads one token. Returns the key, or nothing with Error set to a message
// that names the token.
//   "12.5" -> InputDigit(1), InputDigit(2), InputDecimalSeparator, InputDigit(5)
//   "SIN"  -> DoSin       "value:-1e300" -> InputValue(-1e300)
//   "frob" -> nothing, Error = "unknown key token 'frob'"
std::optional<Key> ParseKey(const QString &Token, QString &Error);

// Runs the whole program on the given arguments (without the program name),
// reading keys from In when the arguments hold none. Returns the exit status.
int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err);

} // namespace LumoCli
