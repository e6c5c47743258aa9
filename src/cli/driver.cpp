#include "driver.h"
#include "options.h"
#include "output.h"
#include "report.h"
#include "terminal.h"

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/calculator.h"
#include "brix/version.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <unistd.h>
#include <vector>

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;
using F = TBrixFloatFormatter;

// ---- Step 1: parse ----

// Everything the command line asks for. The engine and formatter settings
// are kept by table row, so that they apply in the tables' order and a
// repeated option counts once, its last value.
struct Invocation
{
    std::vector<EngineSetting> Engine = std::vector<EngineSetting>(EngineOptions().size());
    std::vector<Setting<F>> Formatter = std::vector<Setting<F>>(FormatterOptions().size());
    RunOptions Run;
    QStringList Words; // the key arguments, unparsed
};

// Looks Name up in Rows; on a hit reads Value into Slots (or, without slots,
// applies it to Target now) and returns true with Ok telling whether the
// value was good.
template <class T>
bool ReadOption(std::span<const OptionRow<T>> Rows, const QString &Name, const QString *Value,
                std::type_identity_t<Setting<T>> *Slots, std::type_identity_t<T> *Target, bool &Ok)
{
    for (size_t I = 0; I < Rows.size(); ++I) {
        const OptionRow<T> &R = Rows[I];
        if (Name != QLatin1String(R.Name))
            continue;
        Setting<T> S;
        if (!R.Value) {
            // A flag takes no value.
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

// Reads one "--name[=value]" argument (or "-h") into Inv; false with Error
// naming it.
bool ParseOption(const QString &Arg, Invocation &Inv, QString &Error)
{
    const qsizetype Eq = Arg.indexOf(u'=');
    const QString Name = Arg.left(Eq < 0 ? Arg.size() : Eq);
    const QString Value = Eq < 0 ? QString() : Arg.mid(Eq + 1);
    const QString *V = Eq < 0 ? nullptr : &Value;

    bool Ok = false;
    const bool Known = ReadOption(EngineOptions(), Name, V, Inv.Engine.data(), nullptr, Ok) ||
                       ReadOption(FormatterOptions(), Name, V, Inv.Formatter.data(), nullptr, Ok) ||
                       ReadOption(RegionalOptions(), Name, V, nullptr, &Inv.Run, Ok) ||
                       ReadOption(OutputOptions(), Name, V, nullptr, &Inv.Run, Ok) ||
                       ReadOption(InfoOptions(), Name, V, nullptr, &Inv.Run, Ok);
    if (Known && Ok)
        return true;
    Error = V ? QStringLiteral("bad value '%1' for option %2").arg(Value, Name)
              : QStringLiteral("unknown option '%1' (or a value is missing)").arg(Arg);
    return false;
}

// Splits the arguments into options and key words. Options are "-h" and
// words starting with "--" ("--" alone ends them); any other word, even one
// starting with "-" ("-3+2="), is keys.
std::optional<Invocation> ParseArgs(const QStringList &Args, QString &Error)
{
    Invocation Inv;
    bool OptionsDone = false;
    for (const QString &A : Args) {
        if (!OptionsDone && A == "--")
            OptionsDone = true;
        else if (!OptionsDone && (A.startsWith(QLatin1String("--")) || A == "-h")) {
            if (!ParseOption(A, Inv, Error))
                return std::nullopt;
        } else
            Inv.Words << A;
    }
    return Inv;
}

// ---- Words into keys ----

// The text of a one-character token, shared by every key that has it, so
// that a long word does not allocate a string per key.
QString CharText(QChar Ch)
{
    static const std::array<QString, 128> Texts = [] {
        std::array<QString, 128> T;
        for (char16_t C = 0; C < 128; ++C)
            T[C] = QString(QChar(C));
        return T;
    }();
    return Ch.unicode() < 128 ? Texts[Ch.unicode()] : QString(Ch);
}

Key KeyToken(const QString &Text, TBrixCalcKey Code)
{
    return Key{Text, [Code](E &En) { PressKey(En, Code); }};
}

Key NumberToken(const QString &Text, const QList<TBrixCalcKey> &Codes)
{
    if (Codes.size() == 1)
        return KeyToken(Text, Codes.front());
    return Key{Text, [Codes](E &En) {
                   for (TBrixCalcKey K : Codes)
                       PressKey(En, K);
               }};
}

bool IsDigit(QChar Ch)
{
    return Ch >= u'0' && Ch <= u'9';
}

TBrixCalcKey DigitKey(QChar Ch)
{
    return Ch == u'0' ? ckZero : TBrixCalcKey(ckOne + (Ch.unicode() - u'1'));
}

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

    KeyWordIndex()
    {
        for (const TBrixKeyInfo &K : Keys())
            for (const QString &W : QString::fromLatin1(K.Words).split(u' ', Qt::SkipEmptyParts)) {
                const char16_t First = AsciiLower(W.at(0).unicode());
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

// Reads the number that starts at Pos of Word into Codes, and returns its
// length: a run of digits and at most one decimal separator ('.' or the
// region's), then optionally an exponent, 'e' or 'E' with an optional sign
// and digits ("2e3", "2E-3"). An 'e' that no digit follows is not part of
// the number. Separator is the separator the word used so far (none yet:
// null); a word may not use both. Returns 0 when no number starts at Pos,
// -1 with Error (naming Word and the column, Column being the column of
// Word's first character) when the text there is not one number.
qsizetype ReadNumber(QStringView Word, qsizetype Pos, qsizetype Column, const WordRules &Rules,
                     QChar &Separator, QList<TBrixCalcKey> &Codes, QString &Error)
{
    const auto IsSeparator = [&Rules](QChar Ch) {
        return Ch == u'.' || Ch == Rules.DecimalSeparator;
    };
    const auto Fail = [&](const QString &What, qsizetype At) {
        Error = QStringLiteral("%1 in '%2' at column %3").arg(What, Word.toString()).arg(Column + At);
        return -1;
    };
    qsizetype I = Pos;
    bool Point = false;
    for (; I < Word.size() && (IsDigit(Word[I]) || IsSeparator(Word[I])); ++I) {
        if (IsDigit(Word[I])) {
            Codes << DigitKey(Word[I]);
            continue;
        }
        if (Point)
            return Fail(QStringLiteral("a second decimal separator"), I);
        if (!Separator.isNull() && Separator != Word[I])
            return Fail(QStringLiteral("both '%1' and '%2' as decimal separators")
                            .arg(Separator)
                            .arg(Word[I]),
                        I);
        Separator = Word[I];
        Point = true;
        Codes << ckPoint;
    }
    if (I == Pos)
        return 0;
    if (I < Word.size() && (Word[I] == u'e' || Word[I] == u'E')) {
        qsizetype J = I + 1;
        const bool Negative = J < Word.size() && Word[J] == u'-';
        if (J < Word.size() && (Word[J] == u'+' || Word[J] == u'-'))
            ++J;
        if (J < Word.size() && IsDigit(Word[J])) {
            Codes << ckExp;
            if (Negative)
                Codes << ckChangeSign;
            for (; J < Word.size() && IsDigit(Word[J]); ++J)
                Codes << DigitKey(Word[J]);
            if (J < Word.size() && IsSeparator(Word[J]))
                return Fail(QStringLiteral("a decimal separator in the exponent"), J);
            I = J;
        }
    }
    return I - Pos;
}

enum class Whole
{
    Token, // the word is one token, now in Keys
    Bad,   // not one token, nor keys: Error says so
    None   // not a token as a whole
};

// Word as one token: a number, a key word or a "head:value" token. A
// "prefix:" token changes Rules for the words after it.
Whole ReadWhole(const QString &Word, qsizetype Column, WordRules &Rules, QList<Key> &Keys,
                QString &Error)
{
    QList<TBrixCalcKey> Codes;
    QChar Separator;
    const qsizetype N =
        Word.isEmpty() ? 0 : ReadNumber(Word, 0, Column, Rules, Separator, Codes, Error);
    if (N < 0)
        return Whole::Bad;
    if (N == Word.size() && N > 0) {
        Keys << NumberToken(Word, Codes);
        return Whole::Token;
    }
    if (const TBrixKeyInfo *Info = FindKeyWord(Word)) {
        Keys << KeyToken(Word, Info->Key);
        return Whole::Token;
    }
    const qsizetype Colon = Word.indexOf(u':');
    if (Colon > 0) {
        const QString Head = Word.left(Colon).toLower();
        for (const TokenRow &T : KeyTokens()) {
            if (Head != QLatin1String(T.Head))
                continue;
            auto S = T.Read(Word.mid(Colon + 1));
            if (!S) {
                Error = QString::fromLatin1(T.Error).arg(Word);
                return Whole::Bad;
            }
            if (Head == QLatin1String("prefix"))
                Rules.PrefixFunctions = *ReadOnOff(Word.mid(Colon + 1));
            Keys << Key{Word, std::move(*S)};
            return Whole::Token;
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

KeyRole RoleOf(TBrixCalcKey Key, const WordRules &Rules, bool InvPending)
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
bool SplitWord(const QString &Word, qsizetype Column, const WordRules &Rules, QList<Key> &Keys,
               QString &Error)
{
    const KeyWordIndex &Index = KeyWords();
    const QStringView View(Word);
    QChar Separator;
    bool ValueBefore = false, InvPending = false;
    qsizetype I = 0;
    while (I < Word.size()) {
        qsizetype Length = 1;
        const TBrixKeyInfo *Info = Index.LongAt(View, I, Length);
        QList<TBrixCalcKey> Codes;
        qsizetype N = 0;
        if (!Info) {
            N = ReadNumber(View, I, Column, Rules, Separator, Codes, Error);
            if (N < 0)
                return false;
            if (N == 0 && !(Info = Index.SingleAt(Word[I]))) {
                Error = QStringLiteral("unknown key in '%1' at column %2").arg(Word).arg(Column + I);
                return false;
            }
        }
        const KeyRole Role =
            Info ? RoleOf(Info->Key, Rules, InvPending) : KeyRole{true, true};
        if (ValueBefore && Role.Starts) {
            const QString Piece = Word.mid(I, Info ? Length : N);
            Error = QStringLiteral("'%1' would replace the value before it in '%2' at column %3 (%4)")
                        .arg(Piece, Word)
                        .arg(Column + I)
                        .arg(Role.Function
                                 ? QStringLiteral("with prefix functions on, write the "
                                                  "function before its number")
                                 : QStringLiteral("write an operator between them"));
            return false;
        }
        if (!Role.Toggle) {
            ValueBefore = Role.Leaves;
            if (Info)
                InvPending = false;
        } else if (Info->Key == ckInv) {
            InvPending = !InvPending;
        }
        if (Info) {
            Keys << KeyToken(Length == 1 ? CharText(Word[I]) : Word.mid(I, Length), Info->Key);
            I += Length;
        } else {
            Keys << NumberToken(N == 1 ? CharText(Word[I]) : Word.mid(I, N), Codes);
            I += N;
        }
    }
    return true;
}

// Reads a line of keys: words separated by blanks, each a token as a whole
// or keys written together. Column is the line's first column (1).
bool ParseLine(const QString &Line, WordRules &Rules, QList<Key> &Keys, QString &Error,
               qsizetype Column = 1)
{
    qsizetype I = 0;
    while (I < Line.size()) {
        if (Line.at(I).isSpace()) {
            ++I;
            continue;
        }
        qsizetype End = I;
        while (End < Line.size() && !Line.at(End).isSpace())
            ++End;
        const QString Word = Line.mid(I, End - I);
        switch (ReadWhole(Word, Column + I, Rules, Keys, Error)) {
        case Whole::Bad:
            return false;
        case Whole::None:
            if (!SplitWord(Word, Column + I, Rules, Keys, Error))
                return false;
            break;
        case Whole::Token:
            break;
        }
        I = End;
    }
    return true;
}

// ---- Step 2: configure ----

// The engine of a run and, when an option asks for it, its formatter.
struct Calculator
{
    TOwned<E> Engine{Create<E>()};
    TOwned<F> Formatter;
};

void Configure(const Invocation &Inv, Calculator &Calc)
{
    TFormatSettings &Regional = RegionalSettings();
    if (Inv.Run.DecimalSeparator)
        Regional.DecimalSeparator = *Inv.Run.DecimalSeparator;
    if (Inv.Run.ThousandSeparator)
        Regional.ThousandSeparator = *Inv.Run.ThousandSeparator;

    for (const EngineSetting &S : Inv.Engine)
        if (S)
            S(*Calc.Engine);
    if (std::any_of(Inv.Formatter.begin(), Inv.Formatter.end(),
                    [](const Setting<F> &S) { return bool(S); })) {
        Calc.Formatter.reset(Create<F>());
        for (const Setting<F> &S : Inv.Formatter)
            if (S)
                S(*Calc.Formatter);
        Calc.Engine->SetFormatter(Calc.Formatter.get());
    }
}

// ---- Step 3: run ----

class Runner
{
public:
    Runner(E &Engine, const RunOptions &Opts, std::FILE *Out, std::FILE *Err)
        : FEngine(Engine), FOpts(Opts), FOut(Out), FErr(Err)
    {
        CountEvents(FEngine, FCounts);
    }

    // Runs the keys; an error the engine passes on is reported and the next
    // key runs.
    void Run(const QList<Key> &Batch)
    {
        for (const Key &K : Batch) {
            try {
                K.Run(FEngine);
            } catch (const Brix::Exception &X) {
                FUncaught << X.Message();
                Print(FErr, QStringLiteral("error: ") + X.Message());
            }
            if (FOpts.Trace)
                Print(FOut, K.Token + u'\t' + FEngine.GetDisplayStr());
        }
    }

    // After a batch of keys: the display, unless traced or kept for the JSON
    // report, and the reason when the display shows an error. Where ("line
    // 3: ") names the input line.
    void Show(const QString &Where = QString())
    {
        if (!FOpts.Trace && !FOpts.Json)
            Print(FOut, FEngine.GetDisplayStr());
        if (FEngine.GetDisplayStr() == FEngine.GetName(ectErrorMsg) &&
            !FEngine.GetLastError().isEmpty()) {
            Print(FErr, Where + FEngine.GetLastError());
            FErrorShown = true;
        }
    }

    void UsageError(const QString &Message)
    {
        PrintUsageError(FErr, Message);
        FUsageError = true;
    }

    // Input a line at a time from Next until it gives nothing. A line with a
    // usage error is reported with its number and skipped; blank lines are
    // skipped. On a terminal (Terminal set) lines go into its history and
    // the words "help" and "quit" work.
    void RunLines(const std::function<std::optional<QString>()> &Next, TerminalReader *Terminal)
    {
        int Number = 0;
        while (const std::optional<QString> Line = Next()) {
            ++Number;
            const QString Where = Terminal ? QString() : QStringLiteral("line %1: ").arg(Number);
            const QString Trimmed = Line->trimmed();
            if (Trimmed.isEmpty())
                continue;
            if (Terminal) {
                Terminal->Remember(*Line);
                if (Trimmed.compare(QLatin1String("quit"), Qt::CaseInsensitive) == 0)
                    break;
                if (Trimmed.compare(QLatin1String("help"), Qt::CaseInsensitive) == 0) {
                    Write(FOut, UsageText());
                    continue;
                }
            }
            QList<Key> Keys;
            QString Error;
            WordRules Rules = RulesOf(FEngine);
            if (!ParseLine(*Line, Rules, Keys, Error)) {
                UsageError(Where + Error);
                continue;
            }
            Run(Keys);
            Show(Where);
        }
    }

    // 2 after a usage error, else 1 after an error shown or passed on, else 0.
    int Status() const
    {
        if (FUsageError)
            return ExitUsage;
        return FErrorShown || !FUncaught.isEmpty() ? ExitError : ExitOk;
    }
    const EventCounts &Counts() const { return FCounts; }
    const QStringList &Uncaught() const { return FUncaught; }

private:
    E &FEngine;
    const RunOptions &FOpts;
    std::FILE *FOut, *FErr;
    EventCounts FCounts;
    QStringList FUncaught; // errors the engine passed on, in order
    bool FErrorShown = false, FUsageError = false;
};

// Lines of a file that is not a terminal, without their line ends.
std::function<std::optional<QString>()> PlainLines(std::FILE *In)
{
    return [In]() -> std::optional<QString> {
        char *Line = nullptr;
        size_t Cap = 0;
        const ssize_t N = getline(&Line, &Cap, In);
        std::optional<QString> Text;
        if (N >= 0) {
            Text = QString::fromLocal8Bit(Line, qsizetype(N));
            while (Text->endsWith(u'\n') || Text->endsWith(u'\r'))
                Text->chop(1);
        }
        free(Line);
        return Text;
    };
}

// Next, ending when the output can no longer be written: nothing the run
// does after that would be seen.
std::function<std::optional<QString>()> UntilWriteFails(std::FILE *Out,
                                                        std::function<std::optional<QString>()> Next)
{
    return [Out, Next = std::move(Next)]() -> std::optional<QString> {
        if (WriteFailed(Out))
            return std::nullopt;
        return Next();
    };
}

} // namespace

WordRules RulesOf(const TBrixCalcEngine &Engine)
{
    WordRules Rules;
    Rules.PrefixFunctions = Engine.PrefixFunctions();
    // The region's separator is read in numbers only where it cannot be
    // taken for a key, a digit or a blank.
    const QChar Region = RegionalSettings().DecimalSeparator;
    if (!IsDigit(Region) && !Region.isLetter() && !Region.isSpace() &&
        !KeyWords().SingleAt(Region))
        Rules.DecimalSeparator = Region;
    return Rules;
}

bool ParseWord(const QString &Word, WordRules &Rules, QList<Key> &Keys, QString &Error)
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
    return ParseLine(Word, Rules, Keys, Error);
}

int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err)
{
    // Step 1: parse.
    QString Error;
    std::optional<Invocation> Inv = ParseArgs(Args, Error);
    if (!Inv) {
        PrintUsageError(Err, Error);
        return ExitUsage;
    }
    RunOptions &Opts = Inv->Run;
    if (Opts.Help) {
        Write(Out, UsageText());
        return FinishOutput(Out, Err, ExitOk);
    }
    if (Opts.Version) {
        Print(Out, QStringLiteral("lumopocketo-cli " BRIX_VERSION_STRING));
        return FinishOutput(Out, Err, ExitOk);
    }
    if (Opts.Trace && Opts.Json) {
        PrintUsageError(Err, QStringLiteral("options --trace and --json exclude each other"));
        return ExitUsage;
    }
    // Equal separators would make "1,5" and "15" the same number. One
    // separator given alone that equals the region's other one swaps them
    // ("--decimal-separator=." where the region writes 1.234,5).
    const QChar RegionDecimal = RegionalSettings().DecimalSeparator;
    const QChar RegionThousand = RegionalSettings().ThousandSeparator;
    QChar Decimal = Opts.DecimalSeparator.value_or(RegionDecimal);
    QChar Thousand = Opts.ThousandSeparator.value_or(RegionThousand);
    if (Decimal == Thousand && !Opts.ThousandSeparator)
        Thousand = RegionDecimal;
    else if (Decimal == Thousand && !Opts.DecimalSeparator)
        Decimal = RegionThousand;
    if (Decimal == Thousand) {
        PrintUsageError(Err, QStringLiteral("the decimal separator '%1' equals the thousands "
                                            "separator: give --decimal-separator and "
                                            "--thousand-separator different characters")
                                 .arg(Decimal));
        return ExitUsage;
    }
    Opts.DecimalSeparator = Decimal;
    Opts.ThousandSeparator = Thousand;

    // Step 2: configure. Words are read with the settings it makes: the
    // region's decimal separator and whether functions are prefix.
    Calculator Calc;
    Configure(*Inv, Calc);
    E &En = *Calc.Engine;

    // Keys from the command line are all checked before anything runs.
    QList<Key> Keys;
    WordRules Rules = RulesOf(En);
    for (const QString &Word : Inv->Words) {
        if (!ParseWord(Word, Rules, Keys, Error)) {
            PrintUsageError(Err, Error);
            return ExitUsage;
        }
    }

    // Step 3: run.
    Runner R(En, Opts, Out, Err);
    if (!Inv->Words.isEmpty()) {
        R.Run(Keys);
        R.Show();
    } else if (isatty(fileno(In)) && isatty(fileno(Out))) {
        TerminalReader Terminal(In, Out, Err, HistoryFile());
        R.RunLines(UntilWriteFails(Out, [&Terminal] { return Terminal.ReadLine(); }), &Terminal);
    } else {
        R.RunLines(UntilWriteFails(Out, PlainLines(In)), nullptr);
    }

    // Step 4: report.
    if (Opts.Json)
        Print(Out, JsonReport(En, R.Counts(), R.Uncaught()));
    return FinishOutput(Out, Err, R.Status());
}

} // namespace LumoCli
