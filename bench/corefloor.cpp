// The floor of the command-line start-up benchmark: a program that loads Qt
// Core and prints one number, built like the command-line calculator, so the
// ratio shows what the calculator adds on top of Qt itself.
#include <QString>

#include <cstdio>

int main(int argc, char **)
{
    std::puts(qPrintable(QString::number(argc + 1)));
    return 0;
}
