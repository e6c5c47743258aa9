// lumopocketo-cli: the calculator engine from the command line.
#include "driver.h"

#include <QStringList>

int main(int argc, char **argv)
{
    QStringList Args;
    for (int I = 1; I < argc; ++I)
        Args << QString::fromLocal8Bit(argv[I]);
    return LumoCli::RunCli(Args, stdin, stdout, stderr);
}
