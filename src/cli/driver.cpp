#include "driver.h"

#include "brix/calculator/engine.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/version.h"

#include <QHash>
#include <QRegularExpression>

#include <array>
#include <charconv>
#include <cmath>
#include <unistd.h>

using namespace Brix;

namespace LumoCli {

namespace {

using EngineCall = void (TBrixCalcEngine::*)();

// The word tokens, each one engine call.
const QHash<QString, EngineCall> &WordKeys()
{
    static const QHash<QString, EngineCall> Keys = {
        {"+", &TBrixCalcEngine::DoAdd},
        {"-", &TBrixCalcEngine::DoSubtract},
        {"*", &TBrixCalcEngine::DoMultiply},
        {"/", &TBrixCalcEngine::DoDivide},
        {"^", &TBrixCalcEngine::DoPower},
        {"(", &TBrixCalcEngine::InputLeftBracket},
        {")", &TBrixCalcEngine::InputRightBracket},
        {"=", &TBrixCalcEngine::DoEquals},
        {"result", &TBrixCalcEngine::DoResult},
        {"%", &TBrixCalcEngine::DoPercent},
        {"+/-", &TBrixCalcEngine::DoChangeSign},
        {"exp", &TBrixCalcEngine::DoExp},
        {"bs", &TBrixCalcEngine::InputBackspace},
        {"ac", &TBrixCalcEngine::AllClear},
        {"c", &TBrixCalcEngine::ClearDisplay},
        {"pi", &TBrixCalcEngine::InputPi},
        {"e", &TBrixCalcEngine::InputNaturalConstant},
        {"inv", &TBrixCalcEngine::DoInv},
        {"hyp", &TBrixCalcEngine::DoHyp},
        {"sin", &TBrixCalcEngine::DoSin},
        {"cos", &TBrixCalcEngine::DoCos},
        {"tan", &TBrixCalcEngine::DoTan},
        {"log", &TBrixCalcEngine::DoLog},
        {"ln", &TBrixCalcEngine::DoLN},
        {"lg2", &TBrixCalcEngine::DoLg2},
        {"sqrt", &TBrixCalcEngine::DoSqRoot},
        {"x^2", &TBrixCalcEngine::DoSquare},
        {"1/x", &TBrixCalcEngine::DoInvert},
        {"m+", &TBrixCalcEngine::MemoryAdd},
        {"m-", &TBrixCalcEngine::MemorySubtract},
        {"mr", &TBrixCalcEngine::MemoryRecall},
        {"mc", &TBrixCalcEngine::MemoryClear},
        {"angle", &TBrixCalcEngine::ToggleAngleMode},
    };
    return Keys;
}

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

struct Options
{
    std::optional<bool> Precedence, Prefix;
    bool BinaryPercent = false, SameLine = false, MemoryHistory = false, IgnoreError = false,
         Grads = false;
    std::optional<TBrixAngleMode> Angle;
    std::optional<int> Decimals;
    std::optional<Extended> Memory;
    std::optional<TBrixLanguage> Language;
    // Float formatter: linked when any of these is given.
    bool Formatter = false, Trim = false, Thousands = false, Lakh = false, Sci = false,
         Brackets = false, Plus = false, BlankZero = false;
    std::optional<Extended> SciMin, SciMax;
    std::optional<QChar> DecimalSeparator, ThousandSeparator;
    bool Trace = false, Json = false, Help = false, Version = false;
};

// Reads one "--name[=value]" argument into Opts; false with Error naming it.
bool ParseOption(const QString &Arg, Options &Opts, QString &Error)
{
    const qsizetype Eq = Arg.indexOf(u'=');
    const QString Name = Arg.left(Eq < 0 ? Arg.size() : Eq);
    const QString Value = Eq < 0 ? QString() : Arg.mid(Eq + 1);
    const bool HasValue = Eq >= 0;
    auto Bad = [&] {
        Error = HasValue ? QStringLiteral("bad value '%1' for option %2").arg(Value, Name)
                         : QStringLiteral("unknown option '%1' (or a value is missing)").arg(Arg);
        return false;
    };
    auto Flag = [&](bool &Field) {
        if (HasValue)
            return Bad();
        Field = true;
        return true;
    };
    auto Char = [&](std::optional<QChar> &Field) {
        if (Value.size() != 1)
            return Bad();
        Field = Value.at(0);
        return true;
    };
    auto Number = [&](std::optional<Extended> &Field) {
        Field = ParseNumber(Value);
        return Field ? true : Bad();
    };

    if (Name == "--precedence" || Name == "--prefix") {
        const auto S = ParseSwitch(Value);
        if (!S)
            return Bad();
        (Name == "--precedence" ? Opts.Precedence : Opts.Prefix) = *S;
        return true;
    }
    if (Name == "--angle") {
        if (Value == "deg")
            Opts.Angle = amDegrees;
        else if (Value == "rad")
            Opts.Angle = amRadians;
        else if (Value == "gra")
            Opts.Angle = amGradiants;
        else
            return Bad();
        return true;
    }
    if (Name == "--decimals") {
        Opts.Decimals = ParseInt(Value, 0, 255);
        return Opts.Decimals ? true : Bad();
    }
    if (Name == "--memory")
        return Number(Opts.Memory);
    if (Name == "--language") {
        Opts.Language = ParseLanguage(Value);
        return Opts.Language ? true : Bad();
    }
    if (Name == "--sci-min")
        return Number(Opts.SciMin) && (Opts.Formatter = true);
    if (Name == "--sci-max")
        return Number(Opts.SciMax) && (Opts.Formatter = true);
    if (Name == "--decimal-separator")
        return Char(Opts.DecimalSeparator);
    if (Name == "--thousand-separator")
        return Char(Opts.ThousandSeparator);

    static const QHash<QString, bool Options::*> Flags = {
        {"--binary-percent", &Options::BinaryPercent},
        {"--same-line", &Options::SameLine},
        {"--memory-history", &Options::MemoryHistory},
        {"--ignore-error", &Options::IgnoreError},
        {"--grads", &Options::Grads},
        {"--formatter", &Options::Formatter},
        {"--trim", &Options::Trim},
        {"--thousands", &Options::Thousands},
        {"--lakh", &Options::Lakh},
        {"--sci", &Options::Sci},
        {"--brackets", &Options::Brackets},
        {"--plus", &Options::Plus},
        {"--blank-zero", &Options::BlankZero},
        {"--trace", &Options::Trace},
        {"--json", &Options::Json},
        {"--help", &Options::Help},
        {"--version", &Options::Version},
    };
    const auto It = Flags.constFind(Name);
    if (It == Flags.constEnd())
        return Bad();
    return Flag(Opts.*(*It));
}

bool AnyFormatterOption(const Options &O)
{
    return O.Formatter || O.Trim || O.Thousands || O.Lakh || O.Sci || O.Brackets || O.Plus ||
           O.BlankZero || O.SciMin || O.SciMax;
}

// Counts of each notification while the keys run.
struct EventCounts
{
    int Display = 0, History = 0, Memory = 0, Error = 0, SetToggles = 0, ClearToggles = 0,
        AngleMode = 0, DecimalPlaces = 0, Language = 0;
};

void CountEvents(TBrixCalcEngine &E, EventCounts &C)
{
    auto Counter = [](int &N) { return [&N](TObject *) { ++N; }; };
    E.SetOnDisplayChange(Counter(C.Display));
    E.SetOnHistoryChange(Counter(C.History));
    E.SetOnMemoryChange(Counter(C.Memory));
    E.SetOnError(Counter(C.Error));
    E.SetOnSetToggles(Counter(C.SetToggles));
    E.SetOnClearToggles(Counter(C.ClearToggles));
    E.SetOnAngleModeChange(Counter(C.AngleMode));
    E.SetOnDecimalPlacesChange(Counter(C.DecimalPlaces));
    E.SetOnLanguageChange([&C](TObject *, TBrixLanguage &) { ++C.Language; });
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

QString JsonReport(TBrixCalcEngine &E, const EventCounts &C, const QStringList &Uncaught)
{
    QStringList Operands;
    for (Extended V : E.OperandStackContents())
        Operands << NumberText(V);
    auto Bool = [](bool B) { return B ? QStringLiteral("true") : QStringLiteral("false"); };
    QStringList M;
    M << "\"display\":" + JsonString(E.GetDisplayStr());
    M << "\"memory\":" + JsonString(E.GetMemoryContents());
    M << "\"lastError\":" + JsonString(E.GetLastError());
    M << "\"tape\":" + JsonList(E.HistoryLines());
    M << "\"value\":" + JsonString(NumberText(E.GetAsFloat()));
    M << "\"angleMode\":" + JsonString(AngleModeName(E.AngleMode()));
    M << "\"inv\":" + Bool(E.IsInv());
    M << "\"hyp\":" + Bool(E.IsHyp());
    M << "\"lastCh\":" + JsonString(QString(E.LastCh()));
    M << "\"operands\":" + JsonList(Operands);
    M << "\"operators\":" + JsonString(E.OperatorStackText());
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

void Print(std::FILE *F, const QString &Line)
{
    const QByteArray Bytes = Line.toUtf8();
    std::fwrite(Bytes.constData(), 1, size_t(Bytes.size()), F);
    std::fputc('\n', F);
    std::fflush(F);
}

const char *UsageText =
    "Usage: lumopocketo-cli [OPTION...] [KEY...]\n"
    "Drives the calculator engine with key tokens and prints its display.\n"
    "Keys are read from standard input when none are given.\n"
    "\n"
    "Keys: digits and '.', + - * / ^ ( ) = result % +/- exp bs ac c pi e inv hyp\n"
    "      sin cos tan log ln lg2 sqrt x^2 1/x m+ m- mr mc angle\n"
    "      value:X paste:TEXT dp:N lang:NAME bpct:on|off prec:on|off prefix:on|off\n"
    "Engine: --precedence=on|off --prefix=on|off --binary-percent --same-line\n"
    "        --memory-history --ignore-error --grads --angle=deg|rad|gra\n"
    "        --decimals=N --memory=X --language=NAME\n"
    "Formatter: --formatter --trim --thousands --lakh --sci --sci-min=X --sci-max=X\n"
    "           --brackets --plus --blank-zero\n"
    "Regional: --decimal-separator=C --thousand-separator=C\n"
    "Output: --trace (token, tab, display per key) | --json (one object)\n";

// Splits input text into tokens at whitespace.
QStringList Tokens(const QString &Line)
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

} // namespace

std::optional<Key> ParseKey(const QString &Token, QString &Error)
{
    const QString Lower = Token.toLower();
    auto Make = [&](std::function<void(TBrixCalcEngine &)> Run) {
        return std::optional<Key>(Key{Token, std::move(Run)});
    };
    auto Fail = [&](const QString &Why) {
        Error = Why.arg(Token);
        return std::optional<Key>();
    };

    static const QRegularExpression NumberToken(QStringLiteral("^[0-9.]+$"));
    if (NumberToken.match(Token).hasMatch()) {
        return Make([Token](TBrixCalcEngine &E) {
            for (QChar Ch : Token) {
                if (Ch == u'.')
                    E.InputDecimalSeparator();
                else
                    E.InputDigit(Byte(Ch.unicode() - '0'));
            }
        });
    }
    const auto Word = WordKeys().constFind(Lower);
    if (Word != WordKeys().constEnd()) {
        const EngineCall Call = *Word;
        return Make([Call](TBrixCalcEngine &E) { (E.*Call)(); });
    }

    const qsizetype Colon = Token.indexOf(u':');
    if (Colon > 0) {
        const QString Head = Lower.left(Colon);
        const QString Arg = Token.mid(Colon + 1);
        if (Head == "value") {
            const auto V = ParseNumber(Arg);
            if (!V)
                return Fail(QStringLiteral("bad number in key token '%1'"));
            const Extended Value = *V;
            return Make([Value](TBrixCalcEngine &E) { E.InputValue(Value); });
        }
        if (Head == "paste")
            return Make([Arg](TBrixCalcEngine &E) { E.InputString(Arg); });
        if (Head == "dp") {
            const auto N = ParseInt(Arg, 0, 255);
            if (!N)
                return Fail(QStringLiteral("decimal places must be 0 to 255 in key token '%1'"));
            const Byte Places = Byte(*N);
            return Make([Places](TBrixCalcEngine &E) { E.SetDecimalPlaces(Places); });
        }
        if (Head == "lang") {
            const auto L = ParseLanguage(Arg);
            if (!L)
                return Fail(QStringLiteral("unknown language in key token '%1'"));
            const TBrixLanguage Lang = *L;
            return Make([Lang](TBrixCalcEngine &E) { E.SetLanguage(Lang); });
        }
        using Setter = void (TBrixCalcEngine::*)(bool);
        static const QHash<QString, Setter> Switches = {
            {"bpct", &TBrixCalcEngine::SetBinaryPercent},
            {"prec", &TBrixCalcEngine::SetPrecedence},
            {"prefix", &TBrixCalcEngine::SetPrefixFunctions},
        };
        const auto Sw = Switches.constFind(Head);
        if (Sw != Switches.constEnd()) {
            const auto On = ParseSwitch(Arg);
            if (!On)
                return Fail(QStringLiteral("expected on or off in key token '%1'"));
            const Setter Set = *Sw;
            const bool Value = *On;
            return Make([Set, Value](TBrixCalcEngine &E) { (E.*Set)(Value); });
        }
    }
    return Fail(QStringLiteral("unknown key token '%1'"));
}

int RunCli(const QStringList &Args, std::FILE *In, std::FILE *Out, std::FILE *Err)
{
    Options Opts;
    QStringList Words;
    bool OptionsDone = false;
    QString Error;
    for (const QString &A : Args) {
        if (!OptionsDone && A == "--") {
            OptionsDone = true;
        } else if (!OptionsDone && A.startsWith(QLatin1String("--"))) {
            if (!ParseOption(A, Opts, Error)) {
                Print(Err, QStringLiteral("lumopocketo-cli: ") + Error);
                return ExitUsage;
            }
        } else {
            Words << A;
        }
    }
    if (Opts.Help) {
        std::fputs(UsageText, Out);
        return ExitOk;
    }
    if (Opts.Version) {
        Print(Out, QStringLiteral("lumopocketo-cli " BRIX_VERSION_STRING));
        return ExitOk;
    }
    if (Opts.Trace && Opts.Json) {
        Print(Err,
              QStringLiteral("lumopocketo-cli: options --trace and --json exclude each other"));
        return ExitUsage;
    }

    // Keys from the command line are all checked before anything runs.
    QList<Key> Keys;
    if (!ParseKeys(Words, Keys, Error)) {
        Print(Err, QStringLiteral("lumopocketo-cli: ") + Error);
        return ExitUsage;
    }
    const bool FromInput = Words.isEmpty();
    const bool Interactive = FromInput && isatty(fileno(In));

    // Regional settings for the whole run.
    TFormatSettings &Regional = RegionalSettings();
    if (Opts.DecimalSeparator)
        Regional.DecimalSeparator = *Opts.DecimalSeparator;
    if (Opts.ThousandSeparator)
        Regional.ThousandSeparator = *Opts.ThousandSeparator;

    TOwned<TBrixCalcEngine> Engine(Create<TBrixCalcEngine>());
    TOwned<TBrixFloatFormatter> Formatter;
    TBrixCalcEngine &E = *Engine;
    if (Opts.Precedence)
        E.SetPrecedence(*Opts.Precedence);
    if (Opts.Prefix)
        E.SetPrefixFunctions(*Opts.Prefix);
    if (Opts.BinaryPercent)
        E.SetBinaryPercent(true);
    if (Opts.SameLine)
        E.SetOperatorSameLine(true);
    if (Opts.MemoryHistory)
        E.SetMemoryHistory(true);
    if (Opts.IgnoreError)
        E.SetIgnoreError(true);
    if (Opts.Grads)
        E.SetEnableGrads(true);
    if (Opts.Angle)
        E.SetAngleMode(*Opts.Angle);
    if (Opts.Decimals)
        E.SetDecimalPlaces(Byte(*Opts.Decimals));
    if (Opts.Memory)
        E.SetMemory(*Opts.Memory);
    if (Opts.Language)
        E.SetLanguage(*Opts.Language);
    if (AnyFormatterOption(Opts)) {
        Formatter.reset(Create<TBrixFloatFormatter>());
        TBrixFloatFormatter &F = *Formatter;
        if (Opts.Trim)
            F.SetTrimTrailingZeroes(true);
        if (Opts.Thousands)
            F.SetShowThousands(true);
        if (Opts.Lakh)
            F.SetLakhFormatting(true);
        if (Opts.Sci)
            F.SetSciRange(true);
        if (Opts.SciMin)
            F.SetSciMin(Double(*Opts.SciMin));
        if (Opts.SciMax)
            F.SetSciMax(Double(*Opts.SciMax));
        if (Opts.Brackets)
            F.SetBracketsForNegative(true);
        if (Opts.Plus)
            F.SetShowPlusSign(true);
        if (Opts.BlankZero)
            F.SetBlankWhenZero(true);
        E.SetFormatter(&F);
    }

    EventCounts Counts;
    CountEvents(E, Counts);
    QStringList Uncaught;
    int Status = ExitOk;

    auto RunKeys = [&](const QList<Key> &Batch) {
        for (const Key &K : Batch) {
            try {
                K.Run(E);
            } catch (const Brix::Exception &X) {
                Uncaught << X.Message();
                Print(Err, QStringLiteral("error: ") + X.Message());
                Status = ExitUncaught;
            }
            if (Opts.Trace)
                Print(Out, K.Token + u'\t' + E.GetDisplayStr());
        }
    };

    if (!FromInput) {
        RunKeys(Keys);
    } else if (Interactive) {
        // A small terminal calculator: each line runs at once; a bad token
        // drops its line and the session goes on.
        char *Line = nullptr;
        size_t Cap = 0;
        while (getline(&Line, &Cap, In) >= 0) {
            QList<Key> LineKeys;
            if (!ParseKeys(Tokens(QString::fromLocal8Bit(Line)), LineKeys, Error)) {
                Print(Err, QStringLiteral("lumopocketo-cli: ") + Error);
                Status = ExitUsage;
                continue;
            }
            RunKeys(LineKeys);
            if (!Opts.Trace && !Opts.Json)
                Print(Out, E.GetDisplayStr());
        }
        free(Line);
    } else {
        // Piped input is read whole and checked before anything runs.
        QByteArray All;
        char Buf[65536];
        size_t N;
        while ((N = std::fread(Buf, 1, sizeof Buf, In)) > 0)
            All.append(Buf, qsizetype(N));
        if (!ParseKeys(Tokens(QString::fromLocal8Bit(All)), Keys, Error)) {
            Print(Err, QStringLiteral("lumopocketo-cli: ") + Error);
            return ExitUsage;
        }
        RunKeys(Keys);
    }

    if (Opts.Json)
        Print(Out, JsonReport(E, Counts, Uncaught));
    else if (!Opts.Trace && !Interactive)
        Print(Out, E.GetDisplayStr());
    return Status;
}

} // namespace LumoCli
