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
    void Run(const KeyList &Batch)
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
            KeyList Keys;
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
    KeyList Keys;
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
