// Keys in, display out: the arguments are a key script, as lumopocketo-cli
// reads its arguments ("2", "+", "sqrt", "value:1e300", "dp:2", or keys
// written together, "2+3*4="); after the last key the engine's display is
// printed.
//   brix-engine-example 2 + 3 '*' 4 =      prints 14.0000
//   brix-engine-example 'sqrt9=' dp:2      prints 3.00
#include <brix/calculator/engine.h>
#include <brix/calculator/keyscript.h>

#include <cstdio>

int main(int argc, char **argv)
{
    auto Engine = Brix::CreateOwned<Brix::TBrixCalcEngine>();
    // Every word is read before any key runs.
    Brix::TBrixScriptRules Rules = Brix::ScriptRulesOf(*Engine);
    Brix::TBrixKeyScript Keys;
    QString Error;
    for (int i = 1; i < argc; ++i) {
        if (!Brix::ReadScriptWord(QString::fromLocal8Bit(argv[i]), Rules, Keys, Error)) {
            std::fprintf(stderr, "%s\n", qPrintable(Error));
            return 2;
        }
    }
    Keys.RunAll(*Engine);
    std::printf("%s\n", qPrintable(Engine->GetDisplayStr()));
    return 0;
}
