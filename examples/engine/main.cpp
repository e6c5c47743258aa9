// Keys in, display out: each argument is a key word ("2", "+", "*", "=",
// "sqrt", ...); after the last key the engine's display is printed.
//   brix-engine-example 2 + 3 '*' 4 =      prints 14.0000
#include <brix/calculator/engine.h>
#include <brix/calculator/keys.h>

#include <cstdio>

int main(int argc, char **argv)
{
    auto Engine = Brix::CreateOwned<Brix::TBrixCalcEngine>();
    for (int i = 1; i < argc; ++i) {
        const Brix::TBrixKeyInfo *Key = Brix::FindKeyWord(QString::fromLocal8Bit(argv[i]));
        if (!Key || !Brix::PressKey(*Engine, Key->Key)) {
            std::fprintf(stderr, "unknown key: %s\n", argv[i]);
            return 2;
        }
    }
    std::printf("%s\n", qPrintable(Engine->GetDisplayStr()));
    return 0;
}
