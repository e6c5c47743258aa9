// The buffered settings store on large files: load a file of N keys in 100
// sections, read and change every key through the store control, write the
// file back. The time per key must stay flat from 1,000 to 100,000 keys
// (sections and idents are looked up by hash, never by a scan).
#include "brix/store/storectrls.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Brix;

namespace {

constexpr int SectionCount = 100;

QString SectionName(int S)
{
    return QStringLiteral("Section %1").arg(S);
}

QString KeyName(int K)
{
    return QStringLiteral("Key %1").arg(K);
}

// A settings file of Keys keys spread over the sections, as the store
// writes it.
void WriteSettingsFile(const QString &FileName, int Keys)
{
    QByteArray Text;
    const int PerSection = Keys / SectionCount;
    for (int S = 0; S < SectionCount; ++S) {
        Text += "[" + SectionName(S).toUtf8() + "]\r\n";
        for (int K = 0; K < PerSection; ++K)
            Text += KeyName(K).toUtf8() + "=" + QByteArray::number(K) + "\r\n";
        Text += "\r\n";
    }
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Text) != Text.size())
        qFatal("cannot write %s", qPrintable(FileName));
}

void BM_LoadChangeWriteBack(benchmark::State &State)
{
    const int Keys = int(State.range(0));
    const int PerSection = Keys / SectionCount;
    QTemporaryDir Dir;
    const QString FileName = Dir.filePath("settings.ini");
    WriteSettingsFile(FileName, Keys);
    for (auto _ : State) {
        TOwned<TBrixStoreCtrl> Store(TBrixStoreCtrl::Create(nullptr));
        Store->SetStorageType(stBufferedIniFile);
        Store->SetIniFile(FileName);
        Store->OpenStorage(); // loads the whole file
        for (int S = 0; S < SectionCount; ++S) {
            Store->SetIniSection(SectionName(S));
            for (int K = 0; K < PerSection; ++K) {
                const QString Key = KeyName(K);
                Store->WriteInteger(Key, Store->ReadInteger(Key, 0) + 1);
            }
        }
        Store->ForceCloseStorage(); // writes the file back
    }
    State.SetComplexityN(Keys);
    State.SetItemsProcessed(State.iterations() * Keys);
}

} // namespace

BENCHMARK(BM_LoadChangeWriteBack)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
