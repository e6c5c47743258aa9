/// @file
/// Key scripts: keys and engine settings written as text, read into a list
/// of engine calls and run against a TBrixCalcEngine. lumopocketo-cli reads
/// its arguments and input lines with this reader, the engine tests write
/// their rows in it, the text fuzz target feeds it random text, and the
/// benchmarks and the engine example press keys through it.
///
/// The language
/// ------------
/// A script is words separated by blanks. A word is one token as a whole,
/// or, when it is none, keys written together.
///
/// Tokens as a whole (looked up in this order):
/// - a number: a run of digits and at most one decimal separator ('.', or
///   the region's separator where TBrixScriptRules allows it), optionally
///   followed by an exponent, 'e' or 'E' with an optional sign and digits.
///   It is typed one key per character: InputDigit for a digit,
///   InputDecimalSeparator for the separator, DoExp for the 'e', DoChangeSign
///   for a '-' ("2e-3" is 2, DoExp, DoChangeSign, 3).
/// - a key word of the key table (keys.h), any case of ASCII letters: "+",
///   "sqrt", "m+", "1/x", "x^2", "+/-", "ac", "e" (the constant), "exp"
///   (the exponent key), "angle" (ToggleAngleMode), ...
/// - a "head:value" token (head in any case), an engine call or option
///   write between keys:
///     value:X      InputValue(X); X a C-locale number ("-1e300", "2.5"),
///                  read exactly into an Extended, finite
///     paste:TEXT   InputString of TEXT read by the paste rules
///                  (PastedNumberText, brix/strings/paste.h) with the
///                  regional settings; TEXT must read as a number
///     dp:N         SetDecimalPlaces(N), N 0 to 255
///     lang:NAME    SetLanguage; NAME as LanguageName writes it ("German",
///                  "EnglishUS"), any case, or "USER"
///     bpct:on|off  SetBinaryPercent
///     prec:on|off  SetPrecedence
///     prefix:on|off SetPrefixFunctions (also the rules of the words after it)
///
/// Keys written together ("2+3*4=", "sqrt9m+"): at each place the longest key
/// word of two or more characters, else a number, else a one-character key
/// word. They must mean what they seem to: a value (a number, a constant,
/// mr, a closing bracket, a function's result) directly followed by a key
/// that starts a new value (a number, a constant, mr, an opening bracket, a
/// prefix function) would silently replace it, and is an error ("2pi",
/// "(1+2)3", and "9sqrt" while functions are prefix). Separate words keep
/// the pocket calculator's way: "2 pi" is pi.
///
/// The engine options ("--name[=value]", ScriptEngineOptions) are written
/// before the keys on a command line; they are settings of the engine, not
/// keys, and a line of keys does not take them.
///
/// Worked examples (fresh engine, four decimal places, no formatter):
///   "2+3*4="                    -> 14.0000
///   "2 + 3 * 4 ="               -> 14.0000 (the same keys, as separate words)
///   "prec:off 2 + 3 * 4 ="      -> 20.0000
///   "sqrt 9 ="                  -> 3.0000   "prefix:off 9 sqrt" -> 3.0000
///   "1 exp - 3 ="               -> 0.0010   (DoExp, then DoSubtract as the sign)
///   "value:0.1 dp:2"            -> 0.10     (the Extended nearest to 0.1)
///   "paste:(1,234.5)"           -> -1234.5000
///   "--angle=deg sin 30 ="      -> 0.5000   (an engine option, then keys)
///   "2pi"                       -> error "'pi' would replace the value before it
///                                  in '2pi' at column 2 (write an operator between them)"
///   "dp:300"                    -> error "decimal places must be 0 to 255 in key token 'dp:300'"
#pragma once

#include "brix/export.h"

#include "brix/calculator/globals.h"
#include "brix/classes/globals.h"

#include <QChar>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

namespace Brix {

class TBrixCalcEngine;

/// A write of one setting to a T: an engine option, a formatter option, ...
template <class T> using TBrixSetting = std::function<void(T &)>;
/// An engine call or option write of a "head:value" token or an option.
using TBrixEngineSetting = TBrixSetting<TBrixCalcEngine>;

// ---- Values ----

/// "on" or "off" in any case as true or false; nothing for any other text.
BRIX_CORE_EXPORT std::optional<bool> ReadOnOff(const QString &Text);

/// A C-locale number such as "-1e300", "+2.5" or "0.1", read exactly by the
/// exact number codec (ExactTextToFloat in brix/strings/tools.h): the
/// Extended nearest to the decimal value, subnormals included. Nothing for
/// other text (a region's separator, blanks, "inf", "nan") and for a value
/// beyond the Extended range.
///   "0.1" -> the Extended nearest to 1/10    "1e5000" -> nothing
BRIX_CORE_EXPORT std::optional<Extended> ReadScriptNumber(const QString &Text);

/// A language by the name LanguageName gives it (brix/resources/languages.h),
/// any case, or "USER" (any case) for elUSER, which has no name there.
///   "german" -> elGerman    "USER" -> elUSER    " German", "Klingon" -> nothing
BRIX_CORE_EXPORT std::optional<TBrixLanguage> ReadLanguageName(const QString &Name);

// ---- Options: "--name[=value]" ----

/// One "--name[=value]" option acting on a T.
template <class T> struct TBrixOptionRow
{
    /// The option as written, with its dashes ("--decimals").
    const char *Name;
    /// The value as a usage text shows it ("N", "on|off"); nullptr for a
    /// flag, which takes no value.
    const char *Value;
    /// A flag's effect.
    void (*Flag)(T &);
    /// A valued option's reader: the setting, or nothing when Value is bad.
    std::optional<TBrixSetting<T>> (*Read)(const QString &Value);
    /// Shown after the option in a usage text; may be nullptr.
    const char *Note = nullptr;
};

/// The engine options, to be applied in this order whatever their order on
/// a command line: --precedence=on|off, --prefix=on|off, --binary-percent,
/// --same-line, --memory-history, --ignore-error, --grads,
/// --angle=deg|rad|gra, --decimals=N, --memory=X, --language=NAME.
BRIX_CORE_EXPORT std::span<const TBrixOptionRow<TBrixCalcEngine>> ScriptEngineOptions();

/// Looks Name up in Rows; on a hit reads Value (nullptr: none given) into
/// Slots[row] (or, without slots, applies it to Target now) and returns true
/// with Ok telling whether the value was good (a flag takes none, a valued
/// option needs one). False when Rows has no option Name.
template <class T>
bool ReadOption(std::span<const TBrixOptionRow<T>> Rows, const QString &Name, const QString *Value,
                std::type_identity_t<TBrixSetting<T>> *Slots, std::type_identity_t<T> *Target,
                bool &Ok)
{
    for (size_t I = 0; I < Rows.size(); ++I) {
        const TBrixOptionRow<T> &R = Rows[I];
        if (Name != QLatin1String(R.Name))
            continue;
        TBrixSetting<T> S;
        if (!R.Value) {
            Ok = !Value;
            S = R.Flag;
        } else {
            const auto Read = Value ? R.Read(*Value) : std::nullopt;
            Ok = bool(Read);
            if (Ok)
                S = *Read;
        }
        if (Ok) {
            if (Slots)
                Slots[I] = std::move(S);
            else
                S(*Target);
        }
        return true;
    }
    return false;
}

// ---- "head:value" tokens ----

/// A "head:value" token such as "dp:2": an engine call or option write
/// between keys.
struct TBrixScriptToken
{
    /// The text before the colon ("dp").
    const char *Head;
    const char *Value; ///< as a usage text shows it
    /// The message when the value is bad; names the token as %1.
    const char *Error;
    /// The call the value stands for, or nothing when the value is bad.
    std::optional<TBrixEngineSetting> (*Read)(const QString &Value);
};
/// value:, paste:, dp:, lang:, bpct:, prec:, prefix:, in this order.
BRIX_CORE_EXPORT std::span<const TBrixScriptToken> ScriptTokens();

// ---- Reading words into keys ----

/// What reading a word depends on: whether functions are prefix (with them
/// on, "9sqrt" would drop the 9) and the region's decimal separator, which a
/// number may use as well as '.' ('.' here when the region's is '.' or could
/// be taken for a key, a digit or a blank).
struct TBrixScriptRules
{
    bool PrefixFunctions = true;   ///< functions are written before their number
    QChar DecimalSeparator = u'.'; ///< a number's separator besides '.'
};

/// The rules for the words that Engine runs next, under the regional
/// settings now in force.
BRIX_CORE_EXPORT TBrixScriptRules ScriptRulesOf(const TBrixCalcEngine &Engine);

class TBrixKeyScript;

/// Runs one key of a script: its engine call (a number: one per character).
struct BRIX_CORE_EXPORT TBrixScriptKeyCall
{
    const TBrixKeyScript *Script; ///< the script that holds the key
    qsizetype Index;              ///< the key's place in it
    /// Runs the key on Engine, as Script->Run(Index, Engine).
    void operator()(TBrixCalcEngine &Engine) const;
};

/// One key of a script, as iterating the script gives it.
struct TBrixScriptKey
{
    QString Token;          ///< as written
    TBrixScriptKeyCall Run; ///< runs it
};

/// Keys read from words, in order, each checked and ready to run against an
/// engine. A key takes a few bytes (its place in the script's text and what
/// it does), so that a line of millions of keys fits in little memory.
class BRIX_CORE_EXPORT TBrixKeyScript
{
public:
    /// The number of keys.
    qsizetype size() const { return qsizetype(FFrom.size()); }
    /// True when the script holds no key.
    bool isEmpty() const { return FFrom.empty(); }
    /// Drops every key.
    void clear();

    /// Key I's text as written.
    QString Token(qsizetype I) const;
    /// Runs key I on Engine. Errors the engine passes on to its caller
    /// (plain percent, M+ and M- overflowing) reach the caller.
    void Run(qsizetype I, TBrixCalcEngine &Engine) const;
    /// Runs every key in order.
    void RunAll(TBrixCalcEngine &Engine) const;

    /// Key I with its text and its call.
    TBrixScriptKey operator[](qsizetype I) const { return {Token(I), {this, I}}; }

    /// Walks the keys in order (for a range-based for).
    class const_iterator
    {
    public:
        /// At key I of Script.
        const_iterator(const TBrixKeyScript *Script, qsizetype I) : FScript(Script), FI(I) {}
        /// The key here.
        TBrixScriptKey operator*() const { return (*FScript)[FI]; }
        /// On to the next key.
        const_iterator &operator++()
        {
            ++FI;
            return *this;
        }
        /// True at the same place.
        bool operator==(const const_iterator &O) const { return FI == O.FI; }

    private:
        const TBrixKeyScript *FScript;
        qsizetype FI;
    };
    /// At the first key.
    const_iterator begin() const { return {this, 0}; }
    /// Past the last key.
    const_iterator end() const { return {this, size()}; }

    /// Adding keys (the word readers do; a program may build a script too):
    /// a key of the engine's table, a number (its keys follow from its text,
    /// which the caller has checked: digits, one separator, an exponent) and
    /// a setting, each with its text. False, adding nothing, when the
    /// script's text would pass 2^32 characters.
    /// @{
    bool AddKey(QStringView Text, int Code);
    bool AddNumber(QStringView Text);
    bool AddSetting(QStringView Text, TBrixEngineSetting Setting);
    /// @}
    /// Makes room for the keys of a word of Length characters at once.
    void Expect(qsizetype Length);

private:
    // Kinds of key besides the table's codes.
    enum : std::uint8_t
    {
        NumberKind = 0xfe,
        SettingKind = 0xff
    };
    bool Add(QStringView Text, std::uint8_t Kind);

    // The keys' texts one after another, each key's start in it and its
    // kind (a key code, NumberKind or SettingKind): five bytes a key. A key's
    // text ends where the next one's starts.
    QString FText;
    std::vector<std::uint32_t> FFrom;
    std::vector<std::uint8_t> FKinds;
    QHash<qsizetype, TBrixEngineSetting> FSettings; // by key index
};

/// Reads one word of keys into Script. A word that is one token as a whole
/// (a number, a key word, a "head:value" token) is one key; any other word
/// is split into keys written together (blanks inside it separate words as
/// on a line). A prefix: token sets Rules for the words after it. Returns
/// false with Error naming the word, and for keys written together the
/// 1-based column, when it is neither, or when keys written together would
/// not mean what they seem to: a number with two decimal separators, a word
/// with both '.' and the region's separator, or a value directly followed by
/// a key that starts a new one (which would drop the value).
///   "12.5"     -> InputDigit(1), InputDigit(2), InputDecimalSeparator, InputDigit(5)
///   "SIN"      -> DoSin          "value:-1e300" -> InputValue(-1e300)
///   "2+3*4="   -> "2" "+" "3" "*" "4" "="       "2e-3" -> 2, DoExp, DoChangeSign, 3
///   "sqrt9m+"  -> "sqrt" "9" "m+"                 "1/x" -> DoInvert
///   "2+x"      -> false, Error = "unknown key in '2+x' at column 3"
///   "1.2.3="   -> false, Error = "a second decimal separator in '1.2.3=' at column 4"
///   "2pi"      -> false (pi would replace the 2); "2*pi" and "2 pi" are keys
///   "9sqrt"    -> false with prefix functions on, DoSqRoot after the 9 with them off
BRIX_CORE_EXPORT bool ReadScriptWord(const QString &Word, TBrixScriptRules &Rules,
                                     TBrixKeyScript &Script, QString &Error);

/// Reads a line of keys: words separated by blanks, each read as by
/// ReadScriptWord; columns in Error count from the line's start (1).
BRIX_CORE_EXPORT bool ReadScriptLine(QStringView Line, TBrixScriptRules &Rules,
                                     TBrixKeyScript &Script, QString &Error);

/// Reads Line with the rules of Engine (ScriptRulesOf) and runs it on
/// Engine; nothing runs when it does not read (false, Error says why).
///   RunScriptLine(E, "2 + 3 =", Error) -> true, E shows 5.0000
BRIX_CORE_EXPORT bool RunScriptLine(TBrixCalcEngine &Engine, QStringView Line, QString &Error);

} // namespace Brix
