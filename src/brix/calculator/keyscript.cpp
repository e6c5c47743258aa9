#include "brix/calculator/keyscript.h"

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/classes/formatsettings.h"
#include "brix/resources/languages.h"
#include "brix/strings/paste.h"
#include "brix/strings/tools.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace Brix {

namespace {

using E = TBrixCalcEngine;

std::optional<int> ReadInt(const QString &Text, int Low, int High)
{
    bool Ok = false;
    const int Value = Text.toInt(&Ok, 10);
    if (!Ok || Value < Low || Value > High)
        return std::nullopt;
    return Value;
}

} // namespace

// ---- Values ----

std::optional<bool> ReadOnOff(const QString &Text)
{
    if (Text.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
        return true;
    if (Text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<Extended> ReadScriptNumber(const QString &Text)
{
    // The exact number codec's reader: what the tool writes (--json) reads
    // back to the same bits, subnormals included.
    Extended Value = 0;
    if (!ExactTextToFloat(Text, Value))
        return std::nullopt;
    return Value;
}

std::optional<TBrixLanguage> ReadLanguageName(const QString &Name)
{
    // LanguageFromName forgives blanks around a settings value; a token or
    // an option value is taken as written.
    if (Name != Name.trimmed())
        return std::nullopt;
    if (Name.compare(QLatin1String("USER"), Qt::CaseInsensitive) == 0)
        return elUSER;
    return LanguageFromName(Name);
}

namespace {

// ---- Settings ----

// Readers shared by options and tokens: the setting for a value, or nothing
// when the value is bad.
template <void (E::*Set)(bool)> std::optional<TBrixEngineSetting> ReadSwitch(const QString &Value)
{
    const auto On = ReadOnOff(Value);
    if (!On)
        return std::nullopt;
    return TBrixEngineSetting([V = *On](E &En) { (En.*Set)(V); });
}

std::optional<TBrixEngineSetting> ReadDecimalPlaces(const QString &Value)
{
    const auto N = ReadInt(Value, 0, 255);
    if (!N)
        return std::nullopt;
    return TBrixEngineSetting([Places = Byte(*N)](E &En) { En.SetDecimalPlaces(Places); });
}

std::optional<TBrixEngineSetting> ReadLanguage(const QString &Value)
{
    const auto L = ReadLanguageName(Value);
    if (!L)
        return std::nullopt;
    return TBrixEngineSetting([Lang = *L](E &En) { En.SetLanguage(Lang); });
}

std::optional<TBrixEngineSetting> ReadAngleMode(const QString &V)
{
    TBrixAngleMode Mode;
    if (V == "deg")
        Mode = amDegrees;
    else if (V == "rad")
        Mode = amRadians;
    else if (V == "gra")
        Mode = amGradiants;
    else
        return std::nullopt;
    return TBrixEngineSetting([Mode](E &En) { En.SetAngleMode(Mode); });
}

std::optional<TBrixEngineSetting> ReadMemory(const QString &V)
{
    const auto X = ReadScriptNumber(V);
    if (!X)
        return std::nullopt;
    return TBrixEngineSetting([M = *X](E &En) { En.SetMemory(M); });
}

const TBrixOptionRow<E> EngineRows[] = {
    {"--precedence", "on|off", nullptr, ReadSwitch<&E::SetPrecedence>},
    {"--prefix", "on|off", nullptr, ReadSwitch<&E::SetPrefixFunctions>},
    {"--binary-percent", nullptr, [](E &En) { En.SetBinaryPercent(true); }, nullptr},
    {"--same-line", nullptr, [](E &En) { En.SetOperatorSameLine(true); }, nullptr},
    {"--memory-history", nullptr, [](E &En) { En.SetMemoryHistory(true); }, nullptr},
    {"--ignore-error", nullptr, [](E &En) { En.SetIgnoreError(true); }, nullptr},
    {"--grads", nullptr, [](E &En) { En.SetEnableGrads(true); }, nullptr},
    {"--angle", "deg|rad|gra", nullptr, ReadAngleMode},
    {"--decimals", "N", nullptr, ReadDecimalPlaces},
    {"--memory", "X", nullptr, ReadMemory},
    {"--language", "NAME", nullptr, ReadLanguage},
};

const TBrixScriptToken TokenRows[] = {
    {"value", "X", "bad number in key token '%1'",
     [](const QString &V) -> std::optional<TBrixEngineSetting> {
         const auto X = ReadScriptNumber(V);
         if (!X)
             return std::nullopt;
         return TBrixEngineSetting([Value = *X](E &En) { En.InputValue(Value); });
     }},
    {"paste", "TEXT", "not a number in key token '%1'",
     [](const QString &V) -> std::optional<TBrixEngineSetting> {
         // Read as the window reads a paste, with the regional separators.
         const std::optional<QString> Number = PastedNumberText(V, RegionalSettings());
         if (!Number)
             return std::nullopt;
         return TBrixEngineSetting([N = *Number](E &En) { En.InputString(N); });
     }},
    {"dp", "N", "decimal places must be 0 to 255 in key token '%1'", ReadDecimalPlaces},
    {"lang", "NAME", "unknown language in key token '%1'", ReadLanguage},
    {"bpct", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetBinaryPercent>},
    {"prec", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetPrecedence>},
    {"prefix", "on|off", "expected on or off in key token '%1'",
     ReadSwitch<&E::SetPrefixFunctions>},
};

} // namespace

std::span<const TBrixOptionRow<TBrixCalcEngine>> ScriptEngineOptions()
{
    return EngineRows;
}

std::span<const TBrixScriptToken> ScriptTokens()
{
    return TokenRows;
}

// ---- The list of keys ----

void TBrixScriptKeyCall::operator()(TBrixCalcEngine &Engine) const
{
    Script->Run(Index, Engine);
}

void TBrixKeyScript::clear()
{
    FText.clear();
    FFrom.clear();
    FKinds.clear();
    FSettings.clear();
}

namespace {

bool IsDigit(QChar Ch)
{
    return Ch >= u'0' && Ch <= u'9';
}

TBrixCalcKey DigitKey(QChar Ch)
{
    return Ch == u'0' ? ckZero : TBrixCalcKey(ckOne + (Ch.unicode() - u'1'));
}

} // namespace

QString TBrixKeyScript::Token(qsizetype I) const
{
    const qsizetype From = FFrom[size_t(I)];
    const qsizetype To = I + 1 < size() ? qsizetype(FFrom[size_t(I) + 1]) : FText.size();
    return To - From == 1 ? CharString(FText.at(From)) : FText.mid(From, To - From);
}

void TBrixKeyScript::Run(qsizetype I, TBrixCalcEngine &Engine) const
{
    const std::uint8_t Kind = FKinds[size_t(I)];
    if (Kind == SettingKind) {
        FSettings.value(I)(Engine);
        return;
    }
    if (Kind != NumberKind) {
        PressKey(Engine, TBrixCalcKey(Kind));
        return;
    }
    // A number, checked when it was read: digits, one decimal separator,
    // and an exponent ("e", a sign, digits).
    const qsizetype From = FFrom[size_t(I)];
    const qsizetype To = I + 1 < size() ? qsizetype(FFrom[size_t(I) + 1]) : FText.size();
    for (const QChar Ch : QStringView(FText).mid(From, To - From)) {
        if (IsDigit(Ch))
            PressKey(Engine, DigitKey(Ch));
        else if (Ch == u'e' || Ch == u'E')
            PressKey(Engine, ckExp);
        else if (Ch == u'-')
            PressKey(Engine, ckChangeSign);
        else if (Ch != u'+')
            PressKey(Engine, ckPoint);
    }
}

void TBrixKeyScript::Expect(qsizetype Length)
{
    // Up to a key per character; growing geometrically.
    const auto Grow = [](auto &Store, size_t Wanted) {
        if (Store.capacity() < Wanted)
            Store.reserve(std::max(Wanted, 2 * Store.capacity()));
    };
    Grow(FFrom, FFrom.size() + size_t(Length));
    Grow(FKinds, FKinds.size() + size_t(Length));
    if (FText.capacity() < FText.size() + Length)
        FText.reserve(std::max(FText.size() + Length, 2 * FText.capacity()));
}

bool TBrixKeyScript::Add(QStringView Text, std::uint8_t Kind)
{
    if (FText.size() + Text.size() > qsizetype(UINT32_MAX))
        return false;
    FFrom.push_back(std::uint32_t(FText.size()));
    FKinds.push_back(Kind);
    FText += Text;
    return true;
}

bool TBrixKeyScript::AddKey(QStringView Text, int Code)
{
    return Add(Text, std::uint8_t(Code));
}

bool TBrixKeyScript::AddNumber(QStringView Text)
{
    return Add(Text, NumberKind);
}

bool TBrixKeyScript::AddSetting(QStringView Text, TBrixEngineSetting Setting)
{
    if (!Add(Text, SettingKind))
        return false;
    FSettings.insert(size() - 1, std::move(Setting));
    return true;
}

// ---- Reading words ----

namespace {

char16_t AsciiLower(char16_t Ch)
{
    return Ch >= u'A' && Ch <= u'Z' ? char16_t(Ch + (u'a' - u'A')) : Ch;
}

// The key words, looked up by their first character (ASCII, lower case):
// those of two or more characters longest first, and the one-character ones.
struct KeyWordIndex
{
    struct Entry
    {
        QString Word; // lower case
        const TBrixKeyInfo *Info;
    };
    std::array<std::vector<Entry>, 128> Long;
    std::array<const TBrixKeyInfo *, 128> Single{};
    qsizetype Longest = 0; // the longest word's length

    KeyWordIndex()
    {
        for (const TBrixKeyInfo &K : Keys())
            for (const QString &W : QString::fromLatin1(K.Words).split(u' ', Qt::SkipEmptyParts)) {
                const char16_t First = AsciiLower(W.at(0).unicode());
                Longest = std::max(Longest, W.size());
                if (W.size() == 1)
                    Single[First] = &K;
                else
                    Long[First].push_back({W.toLower(), &K});
            }
        for (auto &List : Long)
            std::stable_sort(List.begin(), List.end(), [](const Entry &A, const Entry &B) {
                return A.Word.size() > B.Word.size();
            });
    }

    // The longest key word of two or more characters at Pos of Word, and
    // its length in Length; nullptr when none starts there.
    const TBrixKeyInfo *LongAt(QStringView Word, qsizetype Pos, qsizetype &Length) const
    {
        const char16_t First = Word[Pos].unicode();
        if (First >= 128)
            return nullptr;
        for (const Entry &E : Long[AsciiLower(First)]) {
            if (Pos + E.Word.size() > Word.size())
                continue;
            qsizetype I = 1;
            while (I < E.Word.size() && AsciiLower(Word[Pos + I].unicode()) == E.Word[I].unicode())
                ++I;
            if (I == E.Word.size()) {
                Length = I;
                return E.Info;
            }
        }
        return nullptr;
    }

    const TBrixKeyInfo *SingleAt(QChar Ch) const
    {
        return Ch.unicode() < 128 ? Single[AsciiLower(Ch.unicode())] : nullptr;
    }
};

const KeyWordIndex &KeyWords()
{
    static const KeyWordIndex Index;
    return Index;
}

// A word as an error message names it: whole, or its start when it is long.
QString Named(QStringView Word)
{
    constexpr qsizetype Shown = 40;
    if (Word.size() <= Shown + 20)
        return u'\'' + Word.toString() + u'\'';
    return QStringLiteral("'%1...' (%2 characters)").arg(Word.left(Shown)).arg(Word.size());
}

// "What in 'word' at column N".
QString ErrorAt(const QString &What, QStringView Word, qsizetype Column)
{
    return QStringLiteral("%1 in %2 at column %3").arg(What, Named(Word)).arg(Column);
}

// Reads the number that starts at Pos of Word and returns its length: a run
// of digits and at most one decimal separator ('.' or the region's), then
// optionally an exponent, 'e' or 'E' with an optional sign and digits
// ("2e3", "2E-3"). An 'e' that no digit follows is not part of the number.
// Separator is the separator the word used so far (none yet: null); a word
// may not use both. Returns 0 when no number starts at Pos, -1 with Error
// (naming Word and the column, Column being the column of Word's first
// character) when the text there is not one number.
qsizetype ReadNumber(QStringView Word, qsizetype Pos, qsizetype Column,
                     const TBrixScriptRules &Rules, QChar &Separator, QString &Error)
{
    const auto IsSeparator = [&Rules](QChar Ch) {
        return Ch == u'.' || Ch == Rules.DecimalSeparator;
    };
    const auto Fail = [&](const QString &What, qsizetype At) {
        Error = ErrorAt(What, Word, Column + At);
        return -1;
    };
    qsizetype I = Pos;
    bool Point = false;
    for (; I < Word.size() && (IsDigit(Word[I]) || IsSeparator(Word[I])); ++I) {
        if (IsDigit(Word[I]))
            continue;
        if (Point)
            return Fail(QStringLiteral("a second decimal separator"), I);
        if (!Separator.isNull() && Separator != Word[I])
            return Fail(QStringLiteral("both '%1' and '%2' as decimal separators")
                            .arg(Separator)
                            .arg(Word[I]),
                        I);
        Separator = Word[I];
        Point = true;
    }
    if (I == Pos)
        return 0;
    if (I < Word.size() && (Word[I] == u'e' || Word[I] == u'E')) {
        qsizetype J = I + 1;
        if (J < Word.size() && (Word[J] == u'+' || Word[J] == u'-'))
            ++J;
        if (J < Word.size() && IsDigit(Word[J])) {
            while (J < Word.size() && IsDigit(Word[J]))
                ++J;
            if (J < Word.size() && IsSeparator(Word[J]))
                return Fail(QStringLiteral("a decimal separator in the exponent"), J);
            I = J;
        }
    }
    return I - Pos;
}

bool TooLong(QStringView Word, qsizetype Column, QString &Error)
{
    Error = ErrorAt(QStringLiteral("more keys than fit in one run"), Word, Column);
    return false;
}

enum class Whole
{
    Token, // the word is one token, now in Keys
    Bad,   // not one token, nor keys: Error says so
    None   // not a token as a whole
};

// Word as one token: a number, a key word or a "head:value" token. A
// "prefix:" token changes Rules for the words after it.
Whole ReadWhole(QStringView Word, qsizetype Column, TBrixScriptRules &Rules, TBrixKeyScript &Keys,
                QString &Error)
{
    QChar Separator;
    const qsizetype N = Word.isEmpty() ? 0 : ReadNumber(Word, 0, Column, Rules, Separator, Error);
    if (N < 0)
        return Whole::Bad;
    const auto Added = [&](bool Ok) {
        return Ok ? Whole::Token : (TooLong(Word, Column, Error), Whole::Bad);
    };
    if (N == Word.size() && N > 0)
        return Added(Keys.AddNumber(Word));
    // (A word longer than every key word is not looked up, nor copied.)
    if (const TBrixKeyInfo *Info = Word.size() <= KeyWords().Longest ? FindKeyWord(Word) : nullptr)
        return Added(Keys.AddKey(Word, Info->Key));
    const qsizetype Colon = Word.indexOf(u':');
    if (Colon > 0) {
        const QString Head = Word.left(Colon).toString().toLower();
        const QString Value = Word.mid(Colon + 1).toString();
        for (const TBrixScriptToken &T : ScriptTokens()) {
            if (Head != QLatin1String(T.Head))
                continue;
            auto S = T.Read(Value);
            if (!S) {
                Error = QString::fromLatin1(T.Error).arg(Word);
                return Whole::Bad;
            }
            if (Head == QLatin1String("prefix"))
                Rules.PrefixFunctions = *ReadOnOff(Value);
            return Added(Keys.AddSetting(Word, std::move(*S)));
        }
    }
    return Whole::None;
}

// What a key does to the value shown, for the checks of keys written
// together: whether it starts a new value (dropping the one shown), leaves
// a value that a next key could drop, or is a toggle that changes neither.
struct KeyRole
{
    bool Starts = false, Leaves = false, Toggle = false, Function = false;
};

KeyRole RoleOf(TBrixCalcKey Key, const TBrixScriptRules &Rules, bool InvPending)
{
    const bool Prefix = Rules.PrefixFunctions;
    switch (Key) {
    case ckPi:
    case ckE:
    case ckMemoryRecall:
        return {true, true};
    case ckLeftBracket:
        return {true, false};
    case ckRightBracket:
    case ckInvert:
        return {false, true};
    case ckInv:
    case ckHyp:
        return {false, false, true};
    case ckSquare:
        // The inverse of the square is the square root, a function.
        if (!InvPending)
            return {false, true};
        [[fallthrough]];
    case ckSqRoot:
    case ckSin:
    case ckCos:
    case ckTan:
    case ckLog:
    case ckLN:
    case ckLg2:
        // With prefix functions on a function takes the number after it.
        return {Prefix, !Prefix, false, true};
    default:
        return {};
    }
}

// Splits a word of keys written together: at each place the longest key word
// of two or more characters ("sqrt", "m+", "1/x"), else a number, else a
// one-character key ("+", "e"). Column is the word's column on its line.
// Keys written together must mean what they seem to: a value (a number, a
// constant, mr, a closing bracket, a function's result) directly followed by
// a key that starts a new value (a number, a constant, mr, an opening
// bracket, a prefix function) would silently replace it, and is an error.
bool SplitWord(QStringView Word, qsizetype Column, const TBrixScriptRules &Rules,
               TBrixKeyScript &Keys, QString &Error)
{
    const KeyWordIndex &Index = KeyWords();
    Keys.Expect(Word.size());
    QChar Separator;
    bool ValueBefore = false, InvPending = false;
    qsizetype I = 0;
    while (I < Word.size()) {
        qsizetype Length = 1;
        const TBrixKeyInfo *Info = Index.LongAt(Word, I, Length);
        if (!Info) {
            Length = ReadNumber(Word, I, Column, Rules, Separator, Error);
            if (Length < 0)
                return false;
            if (Length == 0) {
                Length = 1;
                if (!(Info = Index.SingleAt(Word[I]))) {
                    Error = ErrorAt(QStringLiteral("unknown key"), Word, Column + I);
                    return false;
                }
            }
        }
        const KeyRole Role = Info ? RoleOf(Info->Key, Rules, InvPending) : KeyRole{true, true};
        if (ValueBefore && Role.Starts) {
            Error = ErrorAt(QStringLiteral("'%1' would replace the value before it")
                                .arg(Word.mid(I, std::min<qsizetype>(Length, 20))),
                            Word, Column + I) +
                    (Role.Function ? QStringLiteral(" (with prefix functions on, write the "
                                                    "function before its number)")
                                   : QStringLiteral(" (write an operator between them)"));
            return false;
        }
        if (!Role.Toggle) {
            ValueBefore = Role.Leaves;
            if (Info)
                InvPending = false;
        } else if (Info->Key == ckInv) {
            InvPending = !InvPending;
        }
        const QStringView Text = Word.mid(I, Length);
        if (!(Info ? Keys.AddKey(Text, Info->Key) : Keys.AddNumber(Text)))
            return TooLong(Word, Column + I, Error);
        I += Length;
    }
    return true;
}

bool ReadLine(QStringView Line, TBrixScriptRules &Rules, TBrixKeyScript &Keys, QString &Error)
{
    qsizetype I = 0;
    while (I < Line.size()) {
        if (Line[I].isSpace()) {
            ++I;
            continue;
        }
        qsizetype End = I;
        while (End < Line.size() && !Line[End].isSpace())
            ++End;
        const QStringView Word = Line.mid(I, End - I);
        switch (ReadWhole(Word, 1 + I, Rules, Keys, Error)) {
        case Whole::Bad:
            return false;
        case Whole::None:
            if (!SplitWord(Word, 1 + I, Rules, Keys, Error))
                return false;
            break;
        case Whole::Token:
            break;
        }
        I = End;
    }
    return true;
}

} // namespace

TBrixScriptRules ScriptRulesOf(const TBrixCalcEngine &Engine)
{
    TBrixScriptRules Rules;
    Rules.PrefixFunctions = Engine.PrefixFunctions();
    // The region's separator is read in numbers only where it cannot be
    // taken for a key, a digit or a blank.
    const QChar Region = RegionalSettings().DecimalSeparator;
    if (!IsDigit(Region) && !Region.isLetter() && !Region.isSpace() && !KeyWords().SingleAt(Region))
        Rules.DecimalSeparator = Region;
    return Rules;
}

bool ReadScriptWord(const QString &Word, TBrixScriptRules &Rules, TBrixKeyScript &Keys,
                    QString &Error)
{
    // A whole token first: "paste:1 234" keeps its blank.
    switch (ReadWhole(Word, 1, Rules, Keys, Error)) {
    case Whole::Token:
        return true;
    case Whole::Bad:
        return false;
    case Whole::None:
        break;
    }
    return ReadLine(Word, Rules, Keys, Error);
}

bool ReadScriptLine(QStringView Line, TBrixScriptRules &Rules, TBrixKeyScript &Keys, QString &Error)
{
    return ReadLine(Line, Rules, Keys, Error);
}

void TBrixKeyScript::RunAll(TBrixCalcEngine &Engine) const
{
    for (qsizetype I = 0; I < size(); ++I)
        Run(I, Engine);
}

bool RunScriptLine(TBrixCalcEngine &Engine, QStringView Line, QString &Error)
{
    TBrixScriptRules Rules = ScriptRulesOf(Engine);
    TBrixKeyScript Script;
    if (!ReadScriptLine(Line, Rules, Script, Error))
        return false;
    Script.RunAll(Engine);
    return true;
}

} // namespace Brix
