// The command-line calculator: keys and options in, the engine's display
// (plain, traced or as JSON) out. All behaviour comes from the engine; the
// keys and their words come from the engine library's key table, the options
// and "head:value" tokens from options.h. This file reads words into keys,
// runs them and prints what the engine shows.
//
// A run is four steps: parse the arguments, configure an engine (and a
// formatter when asked for), run the keys (from the arguments, or else from
// standard input a line at a time, with line editing on a terminal), report.
#pragma once

#include <QList>
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
    ExitError = 1, // the display ended in the error state, or an error reached the caller
    ExitUsage = 2
};

// One key token, checked and ready to run against an engine.
struct Key
{
    QString Token; // as the user wrote it
    std::function<void(Brix::TBrixCalcEngine &)>
        Run; // one engine call (a number token: one per character)
};

// What reading a word depends on: whether functions are prefix (with them
// on, "9sqrt" would drop the 9) and the region's decimal separator, which a
// number may use as well as '.' ('.' here when the region's is '.' or could
// be taken for a key).
struct WordRules
{
    bool PrefixFunctions = true;
    QChar DecimalSeparator = u'.';
};

// The rules for words that Engine runs next, under the regional settings
// now in force.
WordRules RulesOf(const Brix::TBrixCalcEngine &Engine);

// Reads one word of keys into Keys. A word that is one token as a whole (a
// number, a key word, a value:, paste:, dp:, lang:, bpct:, prec: or prefix:
// token) is one key; any other word is split into keys written together
// (blanks inside it separate words as on an input line). A prefix: token
// sets Rules for the words after it. Returns false with Error naming the
// word, and for a word that does not split the 1-based column, when it is
// neither, or when keys written together would not mean what they seem to:
// a number with two decimal separators, a word with both '.' and the
// region's separator, or a value directly followed by a key that starts a
// new one (which would drop the value).
//   "12.5"     -> InputDigit(1), InputDigit(2), InputDecimalSeparator, InputDigit(5)
//   "SIN"      -> DoSin          "value:-1e300" -> InputValue(-1e300)
//   "2+3*4="   -> "2" "+" "3" "*" "4" "="       "2e-3" -> 2, DoExp, DoChangeSign, 3
//   "sqrt9m+"  -> "sqrt" "9" "m+"                 "1/x" -> DoInvert
//   "2+x"      -> false, Error = "unknown key in '2+x' at column 3"
//   "1.2.3="   -> false, Error = "a second decimal separator in '1.2.3=' at column 4"
//   "2pi"      -> false (pi would replace the 2); "2*pi" and "2 pi" are keys
//   "9sqrt"    -> false with prefix functions on, DoSqRoot after the 9 with them off
bool ParseWord(const QString &Word, WordRules &Rules, QList<Key> &Keys, QString &Error);

// Runs the whole program on the given arguments (without the program name),
// reading keys from In when the arguments hold none. Returns the exit status.
int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err);

} // namespace LumoCli
