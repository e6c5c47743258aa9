// The command-line calculator: keys and options in, the engine's display
// (plain, traced or as JSON) out. All behaviour comes from the engine; the
// keys, their words, the "head:value" tokens and the engine options come from
// the engine library's key-script reader (brix/calculator/keyscript.h), the
// other options from options.h. This file runs the keys and prints what the
// engine shows.
//
// A run is four steps: parse the arguments, configure an engine (and a
// formatter when asked for), run the keys (from the arguments, or else from
// standard input a line at a time, with line editing on a terminal), report.
#pragma once

#include <QStringList>

#include <cstdio>

namespace LumoCli {

// Exit statuses.
enum ExitStatus
{
    ExitOk = 0,
    ExitError = 1, // the display ended in the error state, or an error reached the caller
    ExitUsage = 2
};

// Runs the whole program on the given arguments (without the program name),
// reading keys from In when the arguments hold none. Returns the exit status.
int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err);

} // namespace LumoCli
