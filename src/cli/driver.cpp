#include "driver.h"
#include "options.h"
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
#include <type_traits>
#include <unistd.h>
#include <vector>

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;
using F = TBrixFloatFormatter;

void Print(std::FILE *File, const QString &Line)
{
    const QByteArray Bytes = Line.toUtf8();
    std::fwrite(Bytes.constData(), 1, size_t(Bytes.size()), File);
    std::fputc('\n', File);
    std::fflush(File);
}

void PrintUsageError(std::FILE *Err, const QString &Message)
{
    Print(Err, QStringLiteral("lumopocketo-cli: ") + Message);
}

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

Key KeyToken(const QString &Text, TBrixCalcKey Code)
{
    return Key{Text, [Code](E &En) { PressKey(En, Code); }};
}

Key NumberToken(const QString &Text, const QList<TBrixCalcKey> &Codes)
{
    return Key{Text, [Codes](E &En) {
                   for (TBrixCalcKey K : Codes)
                       PressKey(En, K);
               }};
}

bool IsDigit(QChar Ch)
{
    return Ch >= u'0' && Ch <= u'9';
}

// The length of the number that starts at Pos of Word, 0 when none does, and
// its keys in Codes: a run of digits and '.', then optionally an exponent,
// 'e' or 'E' with an optional sign and digits ("2e3", "2E-3"). An 'e' that no
// digit follows is not part of the number.
qsizetype ReadNumber(QStringView Word, qsizetype Pos, QList<TBrixCalcKey> &Codes)
{
    const auto Code = [Word](qsizetype I) { return FindKeyWord(Word.mid(I, 1))->Key; };
    qsizetype I = Pos;
    while (I < Word.size() && (IsDigit(Word[I]) || Word[I] == u'.'))
        Codes << Code(I++);
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
            while (J < Word.size() && IsDigit(Word[J]))
                Codes << Code(J++);
            I = J;
        }
    }
    return I - Pos;
}

enum class Whole
{
    Token, // the word is one token, now in Keys
    Bad,   // a "head:value" token with a bad value; Error says so
    None   // not a token as a whole
};

// Word as one token: a number, a key word or a "head:value" token.
Whole ReadWhole(const QString &Word, QList<Key> &Keys, QString &Error)
{
    QList<TBrixCalcKey> Codes;
    if (!Word.isEmpty() && ReadNumber(Word, 0, Codes) == Word.size()) {
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
            Keys << Key{Word, std::move(*S)};
            return Whole::Token;
        }
    }
    return Whole::None;
}

// The length of the longest key word.
qsizetype LongestKeyWord()
{
    static const qsizetype Longest = [] {
        qsizetype L = 0;
        for (const TBrixKeyInfo &K : Keys())
            for (const QString &W : QString::fromLatin1(K.Words).split(u' '))
                L = std::max(L, W.size());
        return L;
    }();
    return Longest;
}

// Splits a word of keys written together: at each place the longest key word
// of two or more characters ("sqrt", "m+", "1/x"), else a number, else a
// one-character key ("+", "e"). Column is the word's column on its line.
bool SplitWord(const QString &Word, qsizetype Column, QList<Key> &Keys, QString &Error)
{
    const QStringView View(Word);
    qsizetype I = 0;
    while (I < Word.size()) {
        const TBrixKeyInfo *Info = nullptr;
        qsizetype Length = std::min(LongestKeyWord(), Word.size() - I);
        for (; Length >= 2 && !Info; --Length)
            Info = FindKeyWord(View.mid(I, Length));
        if (Info) {
            ++Length; // the loop went one past the match
            Keys << KeyToken(Word.mid(I, Length), Info->Key);
            I += Length;
            continue;
        }
        QList<TBrixCalcKey> Codes;
        if (const qsizetype N = ReadNumber(View, I, Codes)) {
            Keys << NumberToken(Word.mid(I, N), Codes);
            I += N;
            continue;
        }
        if ((Info = FindKeyWord(View.mid(I, 1)))) {
            Keys << KeyToken(Word.mid(I, 1), Info->Key);
            ++I;
            continue;
        }
        Error = QStringLiteral("unknown key in '%1' at column %2").arg(Word).arg(Column + I);
        return false;
    }
    return true;
}

// Reads a line of keys: words separated by blanks, each a token as a whole
// or keys written together. Column is the line's first column (1).
bool ParseLine(const QString &Line, QList<Key> &Keys, QString &Error, qsizetype Column = 1)
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
        switch (ReadWhole(Word, Keys, Error)) {
        case Whole::Bad:
            return false;
        case Whole::None:
            if (!SplitWord(Word, Column + I, Keys, Error))
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
                    const QByteArray Usage = UsageText().toUtf8();
                    std::fwrite(Usage.constData(), 1, size_t(Usage.size()), FOut);
                    std::fflush(FOut);
                    continue;
                }
            }
            QList<Key> Keys;
            QString Error;
            if (!ParseLine(*Line, Keys, Error)) {
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

} // namespace

bool ParseWord(const QString &Word, QList<Key> &Keys, QString &Error)
{
    // A whole token first: "paste:1 234" keeps its blank.
    switch (ReadWhole(Word, Keys, Error)) {
    case Whole::Token:
        return true;
    case Whole::Bad:
        return false;
    case Whole::None:
        break;
    }
    return ParseLine(Word, Keys, Error);
}

int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err)
{
    // Step 1: parse.
    QString Error;
    const std::optional<Invocation> Inv = ParseArgs(Args, Error);
    if (!Inv) {
        PrintUsageError(Err, Error);
        return ExitUsage;
    }
    const RunOptions &Opts = Inv->Run;
    if (Opts.Help) {
        const QByteArray Usage = UsageText().toUtf8();
        std::fwrite(Usage.constData(), 1, size_t(Usage.size()), Out);
        return ExitOk;
    }
    if (Opts.Version) {
        Print(Out, QStringLiteral("lumopocketo-cli " BRIX_VERSION_STRING));
        return ExitOk;
    }
    if (Opts.Trace && Opts.Json) {
        PrintUsageError(Err, QStringLiteral("options --trace and --json exclude each other"));
        return ExitUsage;
    }
    // Equal separators would make "1,5" and "15" the same number.
    const QChar Decimal = Opts.DecimalSeparator.value_or(RegionalSettings().DecimalSeparator);
    const QChar Thousand = Opts.ThousandSeparator.value_or(RegionalSettings().ThousandSeparator);
    if (Decimal == Thousand) {
        PrintUsageError(Err, QStringLiteral("the decimal separator '%1' equals the thousands "
                                            "separator: give --decimal-separator and "
                                            "--thousand-separator different characters")
                                 .arg(Decimal));
        return ExitUsage;
    }
    // The run's separators hold from here on: "paste:" tokens are read with them.
    RegionalSettings().DecimalSeparator = Decimal;
    RegionalSettings().ThousandSeparator = Thousand;
    // Keys from the command line are all checked before anything runs.
    QList<Key> Keys;
    for (const QString &Word : Inv->Words) {
        if (!ParseWord(Word, Keys, Error)) {
            PrintUsageError(Err, Error);
            return ExitUsage;
        }
    }

    // Step 2: configure.
    Calculator Calc;
    Configure(*Inv, Calc);
    E &En = *Calc.Engine;

    // Step 3: run.
    Runner R(En, Opts, Out, Err);
    if (!Inv->Words.isEmpty()) {
        R.Run(Keys);
        R.Show();
    } else if (isatty(fileno(In)) && isatty(fileno(Out))) {
        TerminalReader Terminal(In, Out, Err, HistoryFile());
        R.RunLines([&Terminal] { return Terminal.ReadLine(); }, &Terminal);
    } else {
        R.RunLines(PlainLines(In), nullptr);
    }

    // Step 4: report.
    if (Opts.Json)
        Print(Out, JsonReport(En, R.Counts(), R.Uncaught()));
    return R.Status();
}

} // namespace LumoCli
