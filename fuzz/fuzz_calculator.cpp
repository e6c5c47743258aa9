// Random key streams into the calculator engine. Each input byte selects one
// engine operation: a key of the engine library's key table, or one of a few
// other operations, which take their argument from the following bytes (an
// 80-bit bit pattern for InputValue, text for InputString, an option value).
// After every operation the engine must stay consistent: stack indexes
// inside their storage, no infinity or NaN on a stack, in the memory, on the
// display, on the tape or in the memory text. Errors that the engine passes
// on by design (plain percent, M+, M-, SetMemory of a non-finite value) are
// caught; any other escaping error aborts.
#include "brix/calculator/engine.h"
#include "brix/calculator/keys.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/formatters.h"
#include "brix/formatters/numeric.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Brix;

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

[[noreturn]] void Fail(const char *What, const QString &Text)
{
    std::fprintf(stderr, "engine fuzz: %s: \"%s\"\n", What, Text.toUtf8().constData());
    std::abort();
}

// Number text produced from an infinity or a NaN.
bool LooksNonFinite(const QString &Text)
{
    return Text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
           Text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

void CheckValue(Extended V, const char *Where)
{
    if (!std::isfinite(V))
        Fail(Where, QStringLiteral("non-finite value"));
}

void CheckConsistent(TBrixCalcEngine &E)
{
    if (E.OperandCount() < 0 || E.OperandCount() - 1 >= E.OperandCapacity())
        Fail("operand index outside the stack", QString::number(E.OperandCount()));
    if (E.OperatorCount() < 0 || E.OperatorCount() - 1 >= E.OperatorCapacity())
        Fail("operator index outside the stack", QString::number(E.OperatorCount()));
    for (Extended V : E.OperandStackContents())
        CheckValue(V, "operand");
    CheckValue(E.Memory(), "memory");
    if (LooksNonFinite(E.GetDisplayStr()))
        Fail("display", E.GetDisplayStr());
    if (LooksNonFinite(E.GetMemoryContents()))
        Fail("memory text", E.GetMemoryContents());
    for (const QString &Line : E.HistoryLines())
        if (LooksNonFinite(Line))
            Fail("tape line", Line);
    if (E.GetHistoryLength() != E.HistoryLines().size())
        Fail("history length", QString::number(E.GetHistoryLength()));
}

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
        // Only these keys pass an error on to the caller.
        if (Key == ckPercent || Key == ckMemoryAdd || Key == ckMemorySubtract) {
            try {
                PressKey(E, Key);
            } catch (const Exception &) {
            }
        } else {
            PressKey(E, Key);
        }
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
    case spAngleMode:
        E.SetAngleMode(TBrixAngleMode(In.Byte() % 3));
        break;
    case spOption: {
        const uint8_t B = In.Byte();
        switch (B % 8) {
        case 0:
            E.SetPrefixFunctions(!E.PrefixFunctions());
            break;
        case 1:
            E.SetPrecedence(!E.Precedence());
            break;
        case 2:
            E.SetBinaryPercent(!E.BinaryPercent());
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
            E.SetDecimalPlaces(Byte(In.Byte() % 24));
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
    case spLanguage:
        E.SetLanguage(TBrixLanguage(In.Byte() % BrixLanguageCount));
        break;
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
