#include "driver.h"

#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/version.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>
#include <unistd.h>

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;
using F = TBrixFloatFormatter;

// ---- Values of options and tokens ----

// Language names: the enumerator without its "el" prefix, any case.
constexpr std::array<const char *, BrixLanguageCount> LanguageNames = {
    "EnglishInt", "EnglishUS", "BrazPort", "ChineseSimplified", "Czech",  "Danish",
    "Finnish",    "French",    "German",   "Norwegian",         "Polish", "Russian",
    "Spanish",    "Swedish",   "USER"};

std::optional<TBrixLanguage> ParseLanguage(const QString &Name)
{
    for (int I = 0; I < BrixLanguageCount; ++I)
        if (Name.compare(QLatin1String(LanguageNames[I]), Qt::CaseInsensitive) == 0)
            return TBrixLanguage(I);
    return std::nullopt;
}

// A C-locale number such as "-1e300" or "2.5", finite and whole.
std::optional<Extended> ParseNumber(const QString &Text)
{
    const QByteArray Bytes = Text.toLatin1();
    if (Bytes.isEmpty() || Text.size() != Bytes.size())
        return std::nullopt;
    const char *Begin = Bytes.constData();
    const char *End = Begin + Bytes.size();
    if (*Begin == '+')
        ++Begin;
    Extended Value = 0;
    const auto [Ptr, Ec] = std::from_chars(Begin, End, Value);
    if (Ec != std::errc() || Ptr != End || !std::isfinite(Value))
        return std::nullopt;
    return Value;
}

std::optional<int> ParseInt(const QString &Text, int Low, int High)
{
    bool Ok = false;
    const int Value = Text.toInt(&Ok, 10);
    if (!Ok || Value < Low || Value > High)
        return std::nullopt;
    return Value;
}

std::optional<bool> ParseSwitch(const QString &Text)
{
    if (Text.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
        return true;
    if (Text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// ---- Settings: what an option or a token does to its target ----

template <class T> using Setting = std::function<void(T &)>;
using EngineSetting = Setting<E>;

// Readers shared by options and tokens: the setting for a value, or nothing
// when the value is bad.
template <void (E::*Set)(bool)> std::optional<EngineSetting> ReadSwitch(const QString &Value)
{
    const auto On = ParseSwitch(Value);
    if (!On)
        return std::nullopt;
    return EngineSetting([V = *On](E &En) { (En.*Set)(V); });
}

std::optional<EngineSetting> ReadDecimalPlaces(const QString &Value)
{
    const auto N = ParseInt(Value, 0, 255);
    if (!N)
        return std::nullopt;
    return EngineSetting([Places = Byte(*N)](E &En) { En.SetDecimalPlaces(Places); });
}

std::optional<EngineSetting> ReadLanguage(const QString &Value)
{
    const auto L = ParseLanguage(Value);
    if (!L)
        return std::nullopt;
    return EngineSetting([Lang = *L](E &En) { En.SetLanguage(Lang); });
}

// ---- The option tables ----

// One "--name[=value]" option acting on a T.
template <class T> struct OptionRow
{
    const char *Name;
    // The value as the usage text shows it ("N", "on|off"); nullptr for a
    // flag, which takes no value.
    const char *Value;
    // A flag's effect.
    void (*Flag)(T &);
    // A valued option's reader: the setting, or nothing when Value is bad.
    std::optional<Setting<T>> (*Read)(const QString &Value);
    // Shown after the option in the usage text; may be nullptr.
    const char *Note = nullptr;
};

// Engine options, applied in this order whatever their order on the command
// line.
const OptionRow<E> EngineOptions[] = {
    {"--precedence", "on|off", nullptr, ReadSwitch<&E::SetPrecedence>},
    {"--prefix", "on|off", nullptr, ReadSwitch<&E::SetPrefixFunctions>},
    {"--binary-percent", nullptr, [](E &En) { En.SetBinaryPercent(true); }, nullptr},
    {"--same-line", nullptr, [](E &En) { En.SetOperatorSameLine(true); }, nullptr},
    {"--memory-history", nullptr, [](E &En) { En.SetMemoryHistory(true); }, nullptr},
    {"--ignore-error", nullptr, [](E &En) { En.SetIgnoreError(true); }, nullptr},
    {"--grads", nullptr, [](E &En) { En.SetEnableGrads(true); }, nullptr},
    {"--angle", "deg|rad|gra", nullptr,
     [](const QString &V) -> std::optional<EngineSetting> {
         TBrixAngleMode Mode;
         if (V == "deg")
             Mode = amDegrees;
         else if (V == "rad")
             Mode = amRadians;
         else if (V == "gra")
             Mode = amGradiants;
         else
             return std::nullopt;
         return EngineSetting([Mode](E &En) { En.SetAngleMode(Mode); });
     }},
    {"--decimals", "N", nullptr, ReadDecimalPlaces},
    {"--memory", "X", nullptr,
     [](const QString &V) -> std::optional<EngineSetting> {
         const auto X = ParseNumber(V);
         if (!X)
             return std::nullopt;
         return EngineSetting([M = *X](E &En) { En.SetMemory(M); });
     }},
    {"--language", "NAME", nullptr, ReadLanguage},
};

// Float formatter options: any of them links a formatter to the engine,
// with these settings applied in this order.
std::optional<Setting<F>> ReadSciMin(const QString &V)
{
    const auto X = ParseNumber(V);
    if (!X)
        return std::nullopt;
    return Setting<F>([M = Double(*X)](F &Fm) { Fm.SetSciMin(M); });
}
std::optional<Setting<F>> ReadSciMax(const QString &V)
{
    const auto X = ParseNumber(V);
    if (!X)
        return std::nullopt;
    return Setting<F>([M = Double(*X)](F &Fm) { Fm.SetSciMax(M); });
}
const OptionRow<F> FormatterOptions[] = {
    {"--formatter", nullptr, [](F &) {}, nullptr},
    {"--trim", nullptr, [](F &Fm) { Fm.SetTrimTrailingZeroes(true); }, nullptr},
    {"--thousands", nullptr, [](F &Fm) { Fm.SetShowThousands(true); }, nullptr},
    {"--lakh", nullptr, [](F &Fm) { Fm.SetLakhFormatting(true); }, nullptr},
    {"--sci", nullptr, [](F &Fm) { Fm.SetSciRange(true); }, nullptr},
    {"--sci-min", "X", nullptr, ReadSciMin},
    {"--sci-max", "X", nullptr, ReadSciMax},
    {"--brackets", nullptr, [](F &Fm) { Fm.SetBracketsForNegative(true); }, nullptr},
    {"--plus", nullptr, [](F &Fm) { Fm.SetShowPlusSign(true); }, nullptr},
    {"--blank-zero", nullptr, [](F &Fm) { Fm.SetBlankWhenZero(true); }, nullptr},
};

// What the run itself is asked for: regional separators, output form and
// the informational options.
struct RunOptions
{
    std::optional<QChar> DecimalSeparator, ThousandSeparator;
    bool Trace = false, Json = false, Help = false, Version = false;
};

template <std::optional<QChar> RunOptions::*Field>
std::optional<Setting<RunOptions>> ReadChar(const QString &V)
{
    if (V.size() != 1)
        return std::nullopt;
    return Setting<RunOptions>([Ch = V.at(0)](RunOptions &R) { R.*Field = Ch; });
}

const OptionRow<RunOptions> RegionalOptions[] = {
    {"--decimal-separator", "C", nullptr, ReadChar<&RunOptions::DecimalSeparator>},
    {"--thousand-separator", "C", nullptr, ReadChar<&RunOptions::ThousandSeparator>},
};

const OptionRow<RunOptions> OutputOptions[] = {
    {"--trace", nullptr, [](RunOptions &R) { R.Trace = true; }, nullptr,
     "token, tab, display per key"},
    {"--json", nullptr, [](RunOptions &R) { R.Json = true; }, nullptr, "one object"},
};

const OptionRow<RunOptions> InfoOptions[] = {
    {"--help", nullptr, [](RunOptions &R) { R.Help = true; }, nullptr},
    {"--version", nullptr, [](RunOptions &R) { R.Version = true; }, nullptr},
};

// ---- The command line's own tokens: "head:value" ----

struct TokenRow
{
    const char *Head;
    const char *Value; // as the usage text shows it
    // Names the token as %1 when the value is bad.
    const char *Error;
    std::optional<EngineSetting> (*Read)(const QString &Value);
};

const TokenRow Tokens[] = {
    {"value", "X", "bad number in key token '%1'",
     [](const QString &V) -> std::optional<EngineSetting> {
         const auto X = ParseNumber(V);
         if (!X)
             return std::nullopt;
         return EngineSetting([Value = *X](E &En) { En.InputValue(Value); });
     }},
    {"paste", "TEXT", "",
     [](const QString &V) -> std::optional<EngineSetting> {
         return EngineSetting([V](E &En) { En.InputString(V); });
     }},
    {"dp", "N", "decimal places must be 0 to 255 in key token '%1'", ReadDecimalPlaces},
    {"lang", "NAME", "unknown language in key token '%1'", ReadLanguage},
    {"bpct", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetBinaryPercent>},
    {"prec", "on|off", "expected on or off in key token '%1'", ReadSwitch<&E::SetPrecedence>},
    {"prefix", "on|off", "expected on or off in key token '%1'",
     ReadSwitch<&E::SetPrefixFunctions>},
};

// ---- Usage text, from the tables ----

// Head and the items separated by Sep, wrapped before column 80; a
// continuation line starts at the column of the first item.
QString Wrapped(const QString &Head, const QStringList &Items,
                const QString &Sep = QStringLiteral(" "))
{
    const QString Indent(Head.size() + 1, u' ');
    QString Text, Line = Head + u' ';
    bool Fresh = true; // nothing on Line after its head or indent
    for (const QString &Item : Items) {
        if (!Fresh && Line.size() + Sep.size() + Item.size() >= 80) {
            Text += Line + u'\n';
            Line = Indent;
            Fresh = true;
        }
        if (!Fresh)
            Line += Sep;
        Line += Item;
        Fresh = false;
    }
    return Text + Line + u'\n';
}

template <class T, size_t N> QStringList OptionItems(const OptionRow<T> (&Rows)[N])
{
    QStringList Items;
    for (const OptionRow<T> &R : Rows) {
        QString Item = QLatin1String(R.Name);
        if (R.Value)
            Item += u'=' + QLatin1String(R.Value);
        if (R.Note)
            Item += QStringLiteral(" (%1)").arg(QLatin1String(R.Note));
        Items << Item;
    }
    return Items;
}

QString UsageText()
{
    QStringList KeyWords{QStringLiteral("digits and '.',")};
    for (const TBrixKeyInfo &K : Keys()) {
        const QString Words = QLatin1String(K.Words);
        if (K.Key == ckPoint || (Words.size() == 1 && Words.at(0).isDigit()))
            continue;
        KeyWords << Words.split(u' ', Qt::SkipEmptyParts);
    }
    QStringList TokenWords;
    for (const TokenRow &T : Tokens)
        TokenWords << QStringLiteral("%1:%2").arg(QLatin1String(T.Head), QLatin1String(T.Value));

    QString Text = QStringLiteral("Usage: lumopocketo-cli [OPTION...] [KEY...]\n"
                                  "Drives the calculator engine with key tokens and prints its "
                                  "display.\n"
                                  "Keys are read from standard input when none are given.\n"
                                  "\n");
    Text += Wrapped(QStringLiteral("Keys:"), KeyWords);
    Text += Wrapped(QStringLiteral("     "), TokenWords);
    Text += Wrapped(QStringLiteral("Engine:"), OptionItems(EngineOptions));
    Text += Wrapped(QStringLiteral("Formatter:"), OptionItems(FormatterOptions));
    Text += Wrapped(QStringLiteral("Regional:"), OptionItems(RegionalOptions));
    Text += Wrapped(QStringLiteral("Output:"), OptionItems(OutputOptions), QStringLiteral(" | "));
    return Text;
}

// ---- Output helpers ----

// %.18Lg, independent of the C library's locale.
QString NumberText(Extended Value)
{
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::general, 18);
    return QString::fromLatin1(Buf, R.ptr - Buf);
}

QString AngleModeName(TBrixAngleMode Mode)
{
    switch (Mode) {
    case amDegrees:
        return QStringLiteral("deg");
    case amGradiants:
        return QStringLiteral("gra");
    default:
        return QStringLiteral("rad");
    }
}

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

// Counts of each notification while the keys run.
struct EventCounts
{
    int Display = 0, History = 0, Memory = 0, Error = 0, SetToggles = 0, ClearToggles = 0,
        AngleMode = 0, DecimalPlaces = 0, Language = 0;
};

void CountEvents(E &En, EventCounts &C)
{
    auto Counter = [](int &N) { return [&N](TObject *) { ++N; }; };
    En.SetOnDisplayChange(Counter(C.Display));
    En.SetOnHistoryChange(Counter(C.History));
    En.SetOnMemoryChange(Counter(C.Memory));
    En.SetOnError(Counter(C.Error));
    En.SetOnSetToggles(Counter(C.SetToggles));
    En.SetOnClearToggles(Counter(C.ClearToggles));
    En.SetOnAngleModeChange(Counter(C.AngleMode));
    En.SetOnDecimalPlacesChange(Counter(C.DecimalPlaces));
    En.SetOnLanguageChange([&C](TObject *, TBrixLanguage &) { ++C.Language; });
}

QString JsonString(const QString &S)
{
    QString Out = QStringLiteral("\"");
    for (QChar Ch : S) {
        switch (Ch.unicode()) {
        case '"':
            Out += QLatin1String("\\\"");
            break;
        case '\\':
            Out += QLatin1String("\\\\");
            break;
        case '\n':
            Out += QLatin1String("\\n");
            break;
        case '\r':
            Out += QLatin1String("\\r");
            break;
        case '\t':
            Out += QLatin1String("\\t");
            break;
        default:
            if (Ch.unicode() < 0x20 || Ch.isSurrogate())
                Out += QStringLiteral("\\u%1").arg(Ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                Out += Ch;
        }
    }
    return Out + u'"';
}

QString JsonList(const QStringList &Items)
{
    QStringList Quoted;
    for (const QString &S : Items)
        Quoted << JsonString(S);
    return u'[' + Quoted.join(u',') + u']';
}

QString JsonReport(E &En, const EventCounts &C, const QStringList &Uncaught)
{
    QStringList Operands;
    for (Extended V : En.OperandStackContents())
        Operands << NumberText(V);
    auto Bool = [](bool B) { return B ? QStringLiteral("true") : QStringLiteral("false"); };
    QStringList M;
    M << "\"display\":" + JsonString(En.GetDisplayStr());
    M << "\"memory\":" + JsonString(En.GetMemoryContents());
    M << "\"lastError\":" + JsonString(En.GetLastError());
    M << "\"tape\":" + JsonList(En.HistoryLines());
    M << "\"value\":" + JsonString(NumberText(En.GetAsFloat()));
    M << "\"angleMode\":" + JsonString(AngleModeName(En.AngleMode()));
    M << "\"inv\":" + Bool(En.IsInv());
    M << "\"hyp\":" + Bool(En.IsHyp());
    M << "\"lastCh\":" + JsonString(QString(En.LastCh()));
    M << "\"operands\":" + JsonList(Operands);
    M << "\"operators\":" + JsonString(En.OperatorStackText());
    M << QStringLiteral("\"events\":{\"display\":%1,\"history\":%2,\"memory\":%3,\"error\":%4,"
                        "\"setToggles\":%5,\"clearToggles\":%6,\"angleMode\":%7,"
                        "\"decimalPlaces\":%8,\"language\":%9}")
             .arg(C.Display)
             .arg(C.History)
             .arg(C.Memory)
             .arg(C.Error)
             .arg(C.SetToggles)
             .arg(C.ClearToggles)
             .arg(C.AngleMode)
             .arg(C.DecimalPlaces)
             .arg(C.Language);
    M << "\"uncaught\":" + JsonList(Uncaught);
    return u'{' + M.join(u',') + u'}';
}

// ---- Step 1: parse ----

// Everything the command line asks for. The engine and formatter settings
// are kept by table row, so that they apply in the tables' order and a
// repeated option counts once, its last value.
struct Invocation
{
    std::array<EngineSetting, std::size(EngineOptions)> Engine;
    std::array<Setting<F>, std::size(FormatterOptions)> Formatter;
    RunOptions Run;
    QStringList Words; // the key tokens, unparsed
};

// Looks Name up in Rows; on a hit reads Value into Slot (or, without a slot,
// applies it to Target now) and returns true with Ok telling whether the
// value was good.
template <class T, size_t N>
bool ReadOption(const OptionRow<T> (&Rows)[N], const QString &Name, const QString *Value,
                std::type_identity_t<Setting<T>> *Slots, std::type_identity_t<T> *Target, bool &Ok)
{
    for (size_t I = 0; I < N; ++I) {
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

// Reads one "--name[=value]" argument into Inv; false with Error naming it.
bool ParseOption(const QString &Arg, Invocation &Inv, QString &Error)
{
    const qsizetype Eq = Arg.indexOf(u'=');
    const QString Name = Arg.left(Eq < 0 ? Arg.size() : Eq);
    const QString Value = Eq < 0 ? QString() : Arg.mid(Eq + 1);
    const QString *V = Eq < 0 ? nullptr : &Value;

    bool Ok = false;
    const bool Known = ReadOption(EngineOptions, Name, V, Inv.Engine.data(), nullptr, Ok) ||
                       ReadOption(FormatterOptions, Name, V, Inv.Formatter.data(), nullptr, Ok) ||
                       ReadOption(RegionalOptions, Name, V, nullptr, &Inv.Run, Ok) ||
                       ReadOption(OutputOptions, Name, V, nullptr, &Inv.Run, Ok) ||
                       ReadOption(InfoOptions, Name, V, nullptr, &Inv.Run, Ok);
    if (Known && Ok)
        return true;
    Error = V ? QStringLiteral("bad value '%1' for option %2").arg(Value, Name)
              : QStringLiteral("unknown option '%1' (or a value is missing)").arg(Arg);
    return false;
}

// Splits the arguments into options and key words ("--" ends the options).
std::optional<Invocation> ParseArgs(const QStringList &Args, QString &Error)
{
    Invocation Inv;
    bool OptionsDone = false;
    for (const QString &A : Args) {
        if (!OptionsDone && A == "--")
            OptionsDone = true;
        else if (!OptionsDone && A.startsWith(QLatin1String("--"))) {
            if (!ParseOption(A, Inv, Error))
                return std::nullopt;
        } else
            Inv.Words << A;
    }
    return Inv;
}

// Splits input text into tokens at whitespace.
QStringList SplitWords(const QString &Line)
{
    static const QRegularExpression Space(QStringLiteral("\\s+"));
    return Line.split(Space, Qt::SkipEmptyParts);
}

// Parses every token; on the first bad one returns false with Error set.
bool ParseKeys(const QStringList &Words, QList<Key> &Keys, QString &Error)
{
    for (const QString &W : Words) {
        auto K = ParseKey(W, Error);
        if (!K)
            return false;
        Keys << std::move(*K);
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

// What the keys of a run brought about.
struct Outcome
{
    EventCounts Counts;
    QStringList Uncaught; // errors the engine passed on, in order
    int Status = ExitOk;
};

class Runner
{
public:
    Runner(E &Engine, const RunOptions &Opts, std::FILE *Out, std::FILE *Err)
        : FEngine(Engine), FOpts(Opts), FOut(Out), FErr(Err)
    {
        CountEvents(FEngine, FResult.Counts);
    }

    void Run(const QList<Key> &Batch)
    {
        for (const Key &K : Batch) {
            try {
                K.Run(FEngine);
            } catch (const Brix::Exception &X) {
                FResult.Uncaught << X.Message();
                Print(FErr, QStringLiteral("error: ") + X.Message());
                FResult.Status = ExitUncaught;
            }
            if (FOpts.Trace)
                Print(FOut, K.Token + u'\t' + FEngine.GetDisplayStr());
        }
    }

    // Terminal lines: each line runs at once; a bad token drops its line
    // and the session goes on.
    void RunLines(std::FILE *In)
    {
        char *Line = nullptr;
        size_t Cap = 0;
        QString Error;
        while (getline(&Line, &Cap, In) >= 0) {
            QList<Key> LineKeys;
            if (!ParseKeys(SplitWords(QString::fromLocal8Bit(Line)), LineKeys, Error)) {
                PrintUsageError(FErr, Error);
                FResult.Status = ExitUsage;
                continue;
            }
            Run(LineKeys);
            if (!FOpts.Trace && !FOpts.Json)
                Print(FOut, FEngine.GetDisplayStr());
        }
        free(Line);
    }

    const Outcome &Result() const { return FResult; }

private:
    E &FEngine;
    const RunOptions &FOpts;
    std::FILE *FOut, *FErr;
    Outcome FResult;
};

QString ReadAll(std::FILE *In)
{
    QByteArray All;
    char Buf[65536];
    size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, In)) > 0)
        All.append(Buf, qsizetype(N));
    return QString::fromLocal8Bit(All);
}

// ---- Step 4: report ----

void Report(E &En, const RunOptions &Opts, const Outcome &Result, bool DisplayShown, std::FILE *Out)
{
    if (Opts.Json)
        Print(Out, JsonReport(En, Result.Counts, Result.Uncaught));
    else if (!Opts.Trace && !DisplayShown)
        Print(Out, En.GetDisplayStr());
}

} // namespace

std::optional<Key> ParseKey(const QString &Token, QString &Error)
{
    auto Make = [&](std::function<void(E &)> Run) {
        return std::optional<Key>(Key{Token, std::move(Run)});
    };
    auto Fail = [&](const char *Why) {
        Error = QString::fromLatin1(Why).arg(Token);
        return std::optional<Key>();
    };

    // A number: one key per character, each a word of the key table.
    static const QRegularExpression NumberToken(QStringLiteral("^[0-9.]+$"));
    if (NumberToken.match(Token).hasMatch()) {
        QList<TBrixCalcKey> Digits;
        for (const QChar &Ch : Token)
            Digits << FindKeyWord(QStringView(&Ch, 1))->Key;
        return Make([Digits](E &En) {
            for (TBrixCalcKey K : Digits)
                PressKey(En, K);
        });
    }
    if (const TBrixKeyInfo *Info = FindKeyWord(Token))
        return Make([K = Info->Key](E &En) { PressKey(En, K); });

    const qsizetype Colon = Token.indexOf(u':');
    if (Colon > 0) {
        const QString Head = Token.left(Colon).toLower();
        const QString Arg = Token.mid(Colon + 1);
        for (const TokenRow &T : Tokens) {
            if (Head != QLatin1String(T.Head))
                continue;
            auto S = T.Read(Arg);
            return S ? Make(std::move(*S)) : Fail(T.Error);
        }
    }
    return Fail("unknown key token '%1'");
}

int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err)
{
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

    // Keys from the command line are all checked before anything runs.
    QList<Key> Keys;
    if (!ParseKeys(Inv->Words, Keys, Error)) {
        PrintUsageError(Err, Error);
        return ExitUsage;
    }
    const bool FromInput = Inv->Words.isEmpty();
    const bool Interactive = FromInput && isatty(fileno(In));

    Calculator Calc;
    Configure(*Inv, Calc);
    E &En = *Calc.Engine;
    Runner R(En, Opts, Out, Err);

    if (!FromInput) {
        R.Run(Keys);
    } else if (Interactive) {
        R.RunLines(In);
    } else {
        // Piped input is read whole and checked before anything runs.
        if (!ParseKeys(SplitWords(ReadAll(In)), Keys, Error)) {
            PrintUsageError(Err, Error);
            return ExitUsage;
        }
        R.Run(Keys);
    }

    Report(En, Opts, R.Result(), Interactive, Out);
    return R.Result().Status;
}

} // namespace LumoCli
