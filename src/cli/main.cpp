// lumopocketo-cli: the calculator engine from the command line.
#include "driver.h"
#include "output.h"

#include <QStringList>

int main(int argc, char **argv)
{
    LumoCli::GuardStandardFiles();
    QStringList Args;
    for (int I = 1; I < argc; ++I)
        Args << QString::fromLocal8Bit(argv[I]);
    return LumoCli::RunCli(Args, stdin, stdout, stderr);
}
