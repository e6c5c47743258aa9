// Random key streams into the calculator engine. Each input byte selects one
// engine operation; some take their argument from the following bytes (an
// 80-bit bit pattern for InputValue, text for InputString, an option value).
// After every operation the engine must stay consistent: stack indexes
// inside their storage, no infinity or NaN on a stack, in the memory, on the
// display, on the tape or in the memory text. Errors that the engine passes
// on by design (plain percent, M+, M-, SetMemory of a non-finite value) are
// caught; any other escaping error aborts.
#include "brix/calculator/engine.h"
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

void RunOne(TBrixCalcEngine &E, TBrixFloatFormatter &F, Reader &In)
{
    const uint8_t Op = In.Byte();
    switch (Op % 48) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
        E.InputDigit(TBrixZeroToNine(Op % 48));
        break;
    case 10:
        E.InputDecimalSeparator();
        break;
    case 11:
        E.InputBackspace();
        break;
    case 12:
        E.DoExp();
        break;
    case 13:
        E.DoAdd();
        break;
    case 14:
        E.DoSubtract();
        break;
    case 15:
        E.DoMultiply();
        break;
    case 16:
        E.DoDivide();
        break;
    case 17:
        E.DoPower();
        break;
    case 18:
        E.InputLeftBracket();
        break;
    case 19:
        E.InputRightBracket();
        break;
    case 20:
        E.DoEquals();
        break;
    case 21:
        E.DoResult();
        break;
    case 22:
        E.DoInv();
        break;
    case 23:
        E.DoHyp();
        break;
    case 24:
        E.DoSin();
        break;
    case 25:
        E.DoCos();
        break;
    case 26:
        E.DoTan();
        break;
    case 27:
        E.DoLog();
        break;
    case 28:
        E.DoLN();
        break;
    case 29:
        E.DoLg2();
        break;
    case 30:
        E.DoSqRoot();
        break;
    case 31:
        E.DoSquare();
        break;
    case 32:
        E.DoInvert();
        break;
    case 33:
        E.DoChangeSign();
        break;
    case 34:
        try {
            E.DoPercent();
        } catch (const Exception &) {
        }
        break;
    case 35:
        try {
            (In.Byte() & 1) ? E.MemorySubtract() : E.MemoryAdd();
        } catch (const Exception &) {
        }
        break;
    case 36:
        (In.Byte() & 1) ? E.MemoryClear() : E.MemoryRecall();
        break;
    case 37: {
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
    case 38: {
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
    case 39:
        E.InputPi();
        break;
    case 40:
        E.InputNaturalConstant();
        break;
    case 41:
        E.ToggleAngleMode();
        break;
    case 42:
        E.SetAngleMode(TBrixAngleMode(In.Byte() % 3));
        break;
    case 43: {
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
    case 44:
        (In.Byte() & 1) ? E.AllClear() : E.ClearDisplay();
        break;
    case 45: {
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
    case 46:
        E.SetLanguage(TBrixLanguage(In.Byte() % BrixLanguageCount));
        break;
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
