// Built against the installed shared libraries by scripts/test-package.sh:
// objects of libbrix-core (formatter, exceptions) and libbrix-controls
// (calculator component, settings store) used together from a program.
//   1. a calculator component linked to a formatter and a store saves its
//      options and a second component reads them back;
//   2. freeing the linked formatter and store clears the component's links;
//   3. an EFileError raised inside libbrix-controls is caught here by its
//      own type and by the library's root error type (their type
//      information comes from libbrix-core);
//   4. an EOverflow raised inside libbrix-core (the engine's M+) is caught
//      inside libbrix-controls (the calculator window's key handler), which
//      reports it and keeps the memory.
#include <brix/calculator/engine.h>
#include <brix/calcwindows/calculators.h>
#include <brix/classes/exceptions.h>
#include <brix/formatters/components.h>
#include <brix/store/storectrls.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cfloat>
#include <cstdio>

namespace {

int Failures = 0;

void Check(bool Ok, const char *What)
{
    if (!Ok) {
        std::printf("FAIL: %s\n", What);
        ++Failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    QTemporaryDir Dir;

    auto Store = Brix::CreateOwned<Brix::TBrixStoreCtrl>(nullptr);
    Store->SetStorageType(Brix::stIniFile);
    Store->SetIniFile(Dir.filePath(QStringLiteral("calc.ini")));
    Store->SetIniSection(QStringLiteral("Calculator"));
    auto Formatter = Brix::CreateOwned<Brix::TBrixFormatter>(nullptr);

    auto Saved = Brix::CreateOwned<Brix::TBrixCalculator>(nullptr);
    Saved->SetFormatter(Formatter.get());
    Saved->SetStoreCtrl(Store.get());
    Saved->SetLoadMemoryAtStart(true);
    Saved->SetMemory(2.5L);
    Saved->SetDecimalPlaces(7);
    Saved->SaveToStore();

    auto Loaded = Brix::CreateOwned<Brix::TBrixCalculator>(nullptr);
    Loaded->SetStoreCtrl(Store.get());
    Loaded->SetLoadMemoryAtStart(true);
    Loaded->LoadFromStore();
    Check(Loaded->Memory() == 2.5L, "the memory saved through the store reads back as 2.5");
    Check(Loaded->DecimalPlaces() == 7,
          "the decimal places saved through the store read back as 7");

    Formatter.reset();
    Store.reset();
    Check(Saved->Formatter() == nullptr, "freeing the formatter clears the component's link");
    Check(Saved->StoreCtrl() == nullptr, "freeing the store clears the component's link");

    auto Unplaced = Brix::CreateOwned<Brix::TBrixStoreCtrl>(nullptr);
    Unplaced->SetStorageType(Brix::stIniFile);
    Unplaced->SetIniFile(QStringLiteral("%NOSUCHFOLDER%\\calc.ini"));
    Unplaced->SetIniSection(QStringLiteral("Calculator"));
    bool Caught = false;
    try {
        Unplaced->WriteString(QStringLiteral("Key"), QStringLiteral("Value"));
    } catch (const Brix::EFileError &) {
        Caught = true;
    } catch (...) {
    }
    Check(Caught, "a store without a folder raises EFileError, caught by its type");
    bool CaughtAsRoot = false;
    try {
        Unplaced->WriteString(QStringLiteral("Key"), QStringLiteral("Value"));
    } catch (const Brix::Exception &E) {
        CaughtAsRoot = E.Message().contains(QStringLiteral("NOSUCHFOLDER"), Qt::CaseInsensitive);
    } catch (...) {
    }
    Check(CaughtAsRoot, "the same EFileError is caught as Brix::Exception and names the file");

    QStringList Reported;
    Brix::TBrixCalcFormBase::SetErrorReporter(
        [&Reported](QWidget *, const QString &Message) { Reported.append(Message); });
    {
        Brix::TBrixCalcForm Form;
        Form.CalcEngine->SetMemory(LDBL_MAX);
        Form.CalcEngine->InputValue(LDBL_MAX);
        Form.ClickKey(Brix::ckMemoryAdd);
        Check(Reported == QStringList{Brix::EOverflow().Message()},
              "the engine's overflow on M+ reaches the window's error report once");
        Check(Form.CalcEngine->Memory() == LDBL_MAX,
              "the memory stays as it was after the overflow");
    }
    Brix::TBrixCalcFormBase::SetErrorReporter(nullptr);

    std::printf("boundary: %d failed\n", Failures);
    return Failures == 0 ? 0 : 1;
}
