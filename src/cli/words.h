// Words into keys for the command-line calculator: a line of input (or one
// argument) is words separated by blanks; a word is one token as a whole (a
// number, a key word, a "head:value" token) or keys written together
// ("2+3*4="). Keys written together must mean what they seem to, or the word
// is a usage error naming it and the column.
#pragma once

#include "options.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

namespace Brix {
class TBrixCalcEngine;
}

namespace LumoCli {

// What reading a word depends on: whether functions are prefix (with them
// on, "9sqrt" would drop the 9) and the region's decimal separator, which a
// number may use as well as '.' ('.' here when the region's is '.' or could
// be taken for a key, a digit or a blank).
struct WordRules
{
    bool PrefixFunctions = true;
    QChar DecimalSeparator = u'.';
};

// The rules for the words that Engine runs next, under the regional
// settings now in force.
WordRules RulesOf(const Brix::TBrixCalcEngine &Engine);

class KeyList;

// Runs one key of a list: its engine call (a number: one per character).
struct KeyCall
{
    const KeyList *List;
    qsizetype Index;
    void operator()(Brix::TBrixCalcEngine &Engine) const;
};

// One key of a list, as iterating the list gives it.
struct Key
{
    QString Token; // as the user wrote it
    KeyCall Run;
};

// Keys read from words, in order, each checked and ready to run against an
// engine. A key takes a few bytes (its place in the list's text and what it
// does), so that a line of millions of keys fits in little memory.
class KeyList
{
public:
    qsizetype size() const { return qsizetype(FFrom.size()); }
    bool isEmpty() const { return FFrom.empty(); }
    void clear();

    // Key I's text as the user wrote it.
    QString Token(qsizetype I) const;
    // Runs key I on Engine.
    void Run(qsizetype I, Brix::TBrixCalcEngine &Engine) const;

    Key operator[](qsizetype I) const { return {Token(I), {this, I}}; }

    class const_iterator
    {
    public:
        const_iterator(const KeyList *List, qsizetype I) : FList(List), FI(I) {}
        Key operator*() const { return (*FList)[FI]; }
        const_iterator &operator++()
        {
            ++FI;
            return *this;
        }
        bool operator==(const const_iterator &O) const { return FI == O.FI; }

    private:
        const KeyList *FList;
        qsizetype FI;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Adding keys (the word readers do): a key of the engine's table, a
    // number (its keys follow from its text) and a "head:value" token's
    // setting, each with its text. False, adding nothing, when the list's
    // text would pass 2^32 characters.
    bool AddKey(QStringView Text, int Code);
    bool AddNumber(QStringView Text);
    bool AddSetting(QStringView Text, EngineSetting Setting);
    // Makes room for the keys of a word of Length characters at once.
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
    // kind (a key code, NumberKind or SettingKind): five bytes a key, so that
    // a line of millions of keys stays small. A key's text ends where the
    // next one's starts.
    QString FText;
    std::vector<std::uint32_t> FFrom;
    std::vector<std::uint8_t> FKinds;
    QHash<qsizetype, EngineSetting> FSettings; // by key index
};

// Reads one word of keys into Keys. A word that is one token as a whole (a
// number, a key word, a value:, paste:, dp:, lang:, bpct:, prec: or prefix:
// token) is one key; any other word is split into keys written together
// (blanks inside it separate words as on an input line). A prefix: token
// sets Rules for the words after it. Returns false with Error naming the
// word, and for keys written together the 1-based column, when it is
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
bool ParseWord(const QString &Word, WordRules &Rules, KeyList &Keys, QString &Error);

// Reads a line of keys: words separated by blanks, each read as by
// ParseWord; columns in Error count from the line's start (1).
bool ParseLine(QStringView Line, WordRules &Rules, KeyList &Keys, QString &Error);

} // namespace LumoCli
