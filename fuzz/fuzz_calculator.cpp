// Random key streams into the calculator engine. Each input byte selects one
// operation: a key of the engine library's key table or a "head:value" token
// or engine option, written as a word of the key-script language and read by
// its reader (brix/calculator/keyscript.h), or one of a few operations no key
// script can say, which take their argument from the following bytes (an
// 80-bit bit pattern for InputValue or SetMemory, any text for InputString,
// switching an option off, the formatter, the variables). After every
// operation the engine must stay consistent (engine_checks.h). Errors that
// the engine passes on by design (plain percent, M+, M-, SetMemory of a
// non-finite value) are caught; any other escaping error aborts. The text
// target fuzz_keyscript feeds the reader random text instead.
#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/calculator/keyscript.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/languages.h"

#include "engine_checks.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Brix;
using namespace EngineFuzz;

namespace {

class Reader
{
public:
    Reader(const uint8_t *Data, size_t Size) : FData(Data), FSize(Size) {}
    bool AtEnd() const { return FPos >= FSize; }
    uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    void Bytes(void *Out, size_t N)
    {
        auto *P = static_cast<uint8_t *>(Out);
        for (size_t I = 0; I < N; ++I)
            P[I] = Byte();
    }

private:
    const uint8_t *FData;
    size_t FSize;
    size_t FPos = 0;
};

// The keys with an engine call, in the key table's order.
const std::vector<TBrixCalcKey> &EngineKeys()
{
    static const std::vector<TBrixCalcKey> List = [] {
        std::vector<TBrixCalcKey> L;
        for (const TBrixKeyInfo &K : Keys())
            if (K.Press)
                L.push_back(K.Key);
        return L;
    }();
    return List;
}

// Reads Word with the engine's rules and runs it; every word this target
// makes must read. Errors passed on to the caller are caught when MayPassOn.
void RunWord(TBrixCalcEngine &E, const QString &Word, bool MayPassOn = false)
{
    TBrixScriptRules Rules = ScriptRulesOf(E);
    TBrixKeyScript Script;
    QString Error;
    if (!ReadScriptWord(Word, Rules, Script, Error))
        Fail("a word of the key-script language does not read", Word + u' ' + Error);
    try {
        Script.RunAll(E);
    } catch (const Exception &) {
        if (!MayPassOn)
            throw;
    }
}

// Applies the engine option "--Name=Value" through the options table.
void RunOption(TBrixCalcEngine &E, const QString &Name, const QString &Value)
{
    bool Ok = false;
    if (!ReadOption(ScriptEngineOptions(), Name, &Value, nullptr, &E, Ok) || !Ok)
        Fail("an engine option does not read", Name + u'=' + Value);
}

QString OnOff(bool On)
{
    return On ? QStringLiteral("on") : QStringLiteral("off");
}

// Operations besides the keys, numbered after them.
enum Special
{
    spValueOrMemory,
    spString,
    spAngleMode,
    spOption,
    spFormatter,
    spLanguage,
    spRead,
    SpecialCount
};

void RunOne(TBrixCalcEngine &E, TBrixFloatFormatter &F, Reader &In)
{
    const std::vector<TBrixCalcKey> &Keys = EngineKeys();
    const size_t Op = In.Byte() % (Keys.size() + SpecialCount);
    if (Op < Keys.size()) {
        const TBrixCalcKey Key = Keys[Op];
        // A key by its first word; only these keys pass an error on to the
        // caller.
        const QString Word = QString::fromLatin1(KeyInfo(Key).Words).section(u' ', 0, 0);
        RunWord(E, Word, Key == ckPercent || Key == ckMemoryAdd || Key == ckMemorySubtract);
        return;
    }
    switch (Special(Op - Keys.size())) {
    case spValueOrMemory: {
        // Any 80-bit pattern: normal, denormal, infinite, NaN or invalid.
        unsigned char Raw[sizeof(Extended)] = {};
        In.Bytes(Raw, 10);
        Extended V;
        std::memcpy(&V, Raw, sizeof V);
        if (In.Byte() & 1) {
            E.InputValue(V);
        } else {
            try {
                E.SetMemory(V);
            } catch (const Exception &) {
            }
        }
        break;
    }
    case spString: {
        const int Length = In.Byte() % 24;
        QString Text;
        for (int I = 0; I < Length; ++I) {
            // Mostly number characters, sometimes anything.
            static const char Alphabet[] = "0123456789.,-+eE()% $xX";
            const uint8_t B = In.Byte();
            Text.append(B < 200 ? QChar(Alphabet[B % (sizeof Alphabet - 1)])
                                : QChar(char16_t(B * 131)));
        }
        E.InputString(Text);
        break;
    }
    case spAngleMode: {
        static const char *const Modes[] = {"deg", "rad", "gra"};
        RunOption(E, QStringLiteral("--angle"), QLatin1String(Modes[In.Byte() % 3]));
        break;
    }
    case spOption: {
        const uint8_t B = In.Byte();
        switch (B % 8) {
        case 0:
            RunWord(E, QStringLiteral("prefix:") + OnOff(!E.PrefixFunctions()));
            break;
        case 1:
            RunWord(E, QStringLiteral("prec:") + OnOff(!E.Precedence()));
            break;
        case 2:
            RunWord(E, QStringLiteral("bpct:") + OnOff(!E.BinaryPercent()));
            break;
        case 3:
            E.SetOperatorSameLine(!E.OperatorSameLine());
            break;
        case 4:
            E.SetMemoryHistory(!E.MemoryHistory());
            break;
        case 5:
            E.SetIgnoreError(!E.IgnoreError());
            break;
        case 6:
            E.SetEnableGrads(!E.EnableGrads());
            break;
        default:
            RunWord(E, QStringLiteral("dp:%1").arg(In.Byte() % 24));
            break;
        }
        break;
    }
    case spFormatter: {
        // Link, unlink or reconfigure the float formatter.
        const uint8_t B = In.Byte();
        switch (B % 6) {
        case 0:
            E.SetFormatter(E.Formatter() ? nullptr : &F);
            break;
        case 1:
            F.SetShowThousands(!F.ShowThousands());
            break;
        case 2:
            F.SetLakhFormatting(!F.LakhFormatting());
            break;
        case 3:
            F.SetSciRange(!F.SciRange());
            break;
        case 4:
            F.SetTrimTrailingZeroes(!F.TrimTrailingZeroes());
            break;
        default:
            F.SetBracketsForNegative(!F.BracketsForNegative());
            break;
        }
        break;
    }
    case spLanguage: {
        const auto Language = TBrixLanguage(In.Byte() % BrixLanguageCount);
        RunWord(E, QStringLiteral("lang:") +
                       (Language == elUSER ? QStringLiteral("USER") : LanguageName(Language)));
        break;
    }
    case spRead:
    default: {
        // Reading operations must not change anything a host relies on.
        (void)E.GetAsFloat();
        (void)E.GetVariable(int(In.Byte()) - 128);
        E.SetVariable(int(In.Byte() % 12) - 1, 1);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > 4096)
        return 0;
    static const bool Setup = [] {
        RegionalSettings().DecimalSeparator = u'.';
        RegionalSettings().ThousandSeparator = u',';
        return true;
    }();
    (void)Setup;

    TOwned<TBrixFloatFormatter> F(Create<TBrixFloatFormatter>());
    TOwned<TBrixCalcEngine> E(Create<TBrixCalcEngine>());
    Reader In(Data, Size);
    while (!In.AtEnd()) {
        RunOne(*E, *F, In);
        CheckConsistent(*E);
    }
    return 0;
}
