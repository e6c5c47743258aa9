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
#include <cerrno>
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
                       ReadOption(LineOptions(), Name, V, nullptr, &Inv.Run, Ok) ||
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
    // The tape is kept only for --json, which prints it: the whole tape of
    // the command line's keys, or each input line's own (see BeginLine).
    // Otherwise the engine writes none, so that memory stays flat however
    // long the input. No record of the keys is kept either: nothing here
    // replays them. The display is read only after a line (or a key with
    // --trace): a value shown and replaced before that is never formatted.
    Runner(E &Engine, const RunOptions &Opts, std::FILE *Out, std::FILE *Err)
        : FEngine(Engine), FOpts(Opts), FOut(Out), FErr(Err)
    {
        CountEvents(FEngine, FCounts);
        FEngine.SetKeepTape(Opts.Json);
        FEngine.SetKeepRecord(false);
        FEngine.SetLazyDisplay(true);
    }

    // Runs the keys; an error the engine passes on is reported and the next
    // key runs.
    void Run(const TBrixKeyScript &Batch)
    {
        for (const TBrixScriptKey &K : Batch) {
            try {
                K.Run(FEngine);
            } catch (const Brix::Exception &X) {
                Uncaught(X.Message());
            }
            // A clear key after an error takes note of it: the error is not
            // reported at the end of the line unless it is still shown.
            if (K.Token.compare(QLatin1String("c"), Qt::CaseInsensitive) == 0 ||
                K.Token.compare(QLatin1String("ac"), Qt::CaseInsensitive) == 0)
                FFirstError.clear();
            else
                NoteErrors();
            if (FOpts.Trace)
                Print(FOut, K.Token + u'\t' + FEngine.GetDisplayStr());
        }
    }

    // Before a line of keys: with --each-line all clear (not needed before
    // the first line: the engine is fresh), and for JSON Lines fresh counts
    // and a fresh tape, so that each object tells of its own line.
    void BeginLine(bool JsonLines)
    {
        if (FOpts.EachLine && FLines > 0)
            FEngine.AllClear();
        ++FLines;
        if (JsonLines) {
            FCounts = EventCounts();
            FUncaught.clear();
            FEngine.ClearHistory();
        }
        FErrorsSeen = FCounts.Error;
        FFirstError.clear();
    }

    // After a line of keys: with --each-line "=" when an operator or bracket
    // is pending; then a number still being typed is entered as a value, so
    // that the line break ends it (the next digit starts a new number) and
    // the display shows it formatted. An entry beyond the number range
    // enters the error state, as an operator taking it would.
    void EndLine()
    {
        if (FOpts.EachLine && !FEngine.OperatorStackText().isEmpty()) {
            // Traced like a key, since it gives the line's result.
            Guard([this] { FEngine.DoEquals(); });
            if (FOpts.Trace)
                Print(FOut, QStringLiteral("=\t") + FEngine.GetDisplayStr());
        }
        Guard([this] { FEngine.InputEntry(); });
    }

    // After a batch of keys: the display, unless traced or kept for the JSON
    // report, and the reason when the display shows an error. Where ("line
    // 3: ") names the input line. An error that later keys of the same line
    // took off the display ("1/0+1=" ends in a number) is reported all the
    // same: the number shown is not the result of the keys as written.
    void Show(const QString &Where = QString())
    {
        if (!FOpts.Trace && !FOpts.Json)
            Print(FOut, FEngine.GetDisplayStr());
        NoteErrors();
        const bool Shown = FEngine.GetDisplayStr() == FEngine.GetName(ectErrorMsg) &&
                           !FEngine.GetLastError().isEmpty();
        QString Message;
        if (Shown && (FFirstError.isEmpty() || FFirstError == FEngine.GetLastError()))
            Message = FEngine.GetLastError();
        else if (Shown)
            Message = FFirstError + QStringLiteral(", then ") + FEngine.GetLastError();
        else if (!FFirstError.isEmpty())
            Message = FFirstError +
                      QStringLiteral(" (before the last key: the number shown is not the result)");
        if (!Message.isEmpty()) {
            Warn(Where + Message);
            FErrorShown = true;
        }
    }

    // Keeps the first error of the line, which later keys may overwrite
    // ("1/0+1=" ends in "Invalid Equation" after the division by zero).
    void NoteErrors()
    {
        if (FCounts.Error > FErrorsSeen && FFirstError.isEmpty())
            FFirstError = FEngine.GetLastError();
        FErrorsSeen = FCounts.Error;
    }

    void UsageError(const QString &Message)
    {
        FlushOutput(FOut);
        PrintUsageError(FErr, Message);
        FUsageError = true;
    }

    // Input a line at a time from Next until it gives nothing. A line with a
    // usage error is reported with its number and skipped; blank lines are
    // skipped. With --json every line that runs is reported as one JSON
    // object (JSON Lines). On a terminal (Terminal set) lines go into its
    // history and the words "help" and "quit" work.
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
            TBrixKeyScript Keys;
            QString Error;
            TBrixScriptRules Rules = ScriptRulesOf(FEngine);
            if (!ReadScriptLine(*Line, Rules, Keys, Error)) {
                UsageError(Where + Error);
                continue;
            }
            BeginLine(FOpts.Json);
            Run(Keys);
            Keys.clear();
            EndLine();
            Show(Where);
            if (FOpts.Json)
                Print(FOut, Report(true));
        }
    }

    // The JSON object of what ran: for a line of input (Line true) its own
    // error, tape, counts and uncaught errors.
    QString Report(bool Line) const
    {
        const bool ErrorNow = !Line || FCounts.Error > 0;
        return JsonReport(FEngine, FEngine.HistoryLines(),
                          ErrorNow ? FEngine.GetLastError() : QString(), FCounts, FUncaught);
    }

    // 2 after a usage error, else 1 after an error shown or passed on, else 0.
    int Status() const
    {
        if (FUsageError)
            return ExitUsage;
        return FErrorShown || FAnyUncaught ? ExitError : ExitOk;
    }

private:
    void Uncaught(const QString &Message)
    {
        FUncaught << Message;
        FAnyUncaught = true;
        Warn(QStringLiteral("error: ") + Message);
    }

    // A message on standard error, after what standard output holds.
    void Warn(const QString &Message)
    {
        FlushOutput(FOut);
        Print(FErr, Message);
    }

    template <class Step> void Guard(Step &&S)
    {
        try {
            S();
        } catch (const Brix::Exception &X) {
            Uncaught(X.Message());
        }
    }

    E &FEngine;
    const RunOptions &FOpts;
    std::FILE *FOut, *FErr;
    EventCounts FCounts;
    QStringList FUncaught; // errors the engine passed on, in order (of the line for JSON Lines)
    int FLines = 0;        // lines begun
    int FErrorsSeen = 0;   // FCounts.Error when last looked at
    QString FFirstError;   // the line's first error not cleared by c or ac
    bool FErrorShown = false, FUsageError = false, FAnyUncaught = false;
};

// Lines of a file that is not a terminal, without their line ends. Input is
// read in large blocks; Out is flushed before each read, so that a program
// that writes a line and waits for the answer gets it.
class PlainLines
{
public:
    PlainLines(std::FILE *In, std::FILE *Out) : FFd(fileno(In)), FOut(Out) {}

    std::optional<QString> operator()()
    {
        for (;;) {
            const qsizetype End = FBuffer.indexOf('\n', FScan);
            if (End >= 0)
                return Take(End, End + 1);
            FScan = FBuffer.size();
            if (FEnd) {
                if (FStart == FBuffer.size())
                    return std::nullopt;
                return Take(FBuffer.size(), FBuffer.size());
            }
            Fill();
        }
    }

private:
    // The line from the start to End; the next one starts at Next.
    QString Take(qsizetype End, qsizetype Next)
    {
        qsizetype Length = End - FStart;
        while (Length > 0 && FBuffer.at(FStart + Length - 1) == '\r')
            --Length;
        QString Line = QString::fromLocal8Bit(FBuffer.constData() + FStart, Length);
        FStart = FScan = Next;
        return Line;
    }

    void Fill()
    {
        FlushOutput(FOut);
        // What was taken is dropped first, so the buffer holds at most one line
        // and a block.
        FBuffer.remove(0, FStart);
        FScan -= FStart;
        FStart = 0;
        constexpr qsizetype Block = 1 << 16;
        const qsizetype Old = FBuffer.size();
        FBuffer.resize(Old + Block);
        ssize_t N;
        do
            N = ::read(FFd, FBuffer.data() + Old, size_t(Block));
        while (N < 0 && errno == EINTR);
        FBuffer.resize(Old + std::max<qsizetype>(N, 0));
        FEnd = N <= 0;
    }

    int FFd;
    std::FILE *FOut;
    QByteArray FBuffer;
    qsizetype FStart = 0; // where the next line starts
    qsizetype FScan = 0;  // no line end before here
    bool FEnd = false;    // end of input (or a read error)
};

// Next, ending when the output can no longer be written: nothing the run
// does after that would be seen.
std::function<std::optional<QString>()>
UntilWriteFails(std::FILE *Out, std::function<std::optional<QString>()> Next)
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
    // The run's separators hold from here on: "paste:" tokens are read with them.
    RegionalSettings().DecimalSeparator = Decimal;
    RegionalSettings().ThousandSeparator = Thousand;

    // Step 2: configure. Words are read with the settings it makes: the
    // region's decimal separator and whether functions are prefix.
    Calculator Calc;
    Configure(*Inv, Calc);
    E &En = *Calc.Engine;

    // Keys from the command line are all checked before anything runs.
    TBrixKeyScript Keys;
    TBrixScriptRules Rules = ScriptRulesOf(En);
    for (const QString &Word : Inv->Words) {
        if (!ReadScriptWord(Word, Rules, Keys, Error)) {
            PrintUsageError(Err, Error);
            return ExitUsage;
        }
    }

    // Step 3: run.
    const bool FromArgs = !Inv->Words.isEmpty();
    Runner R(En, Opts, Out, Err);
    if (FromArgs) {
        // The arguments together are one line; only --each-line ends it.
        R.BeginLine(false);
        R.Run(Keys);
        if (Opts.EachLine)
            R.EndLine();
        R.Show();
    } else if (isatty(fileno(In)) && isatty(fileno(Out))) {
        TerminalReader Terminal(In, Out, Err, HistoryFile());
        R.RunLines(UntilWriteFails(Out,
                                   [&Terminal, Out] {
                                       FlushOutput(Out);
                                       return Terminal.ReadLine();
                                   }),
                   &Terminal);
    } else {
        R.RunLines(UntilWriteFails(Out, PlainLines(In, Out)), nullptr);
    }

    // Step 4: report.
    if (Opts.Json && FromArgs)
        Print(Out, R.Report(false));
    return FinishOutput(Out, Err, R.Status());
}

} // namespace LumoCli
