// Makes the screenshots of docs/: the compact standard window and the
// scientific window, each after a few keys, in the program's style. Run it
// under a virtual X server through docs/make-screenshots.sh.
//   lumopocketo-shots <output folder>
#include "brix/calculator/engine.h"
#include "brix/classes/formatsettings.h"
#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/widgets/styles.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace Brix;

namespace {

bool Save(TBrixCalcFormBase &Form, const QString &Keys, const QString &File)
{
    Form.show();
    if (!QTest::qWaitForWindowExposed(&Form))
        return false;
    QTest::keyClicks(Form.CalcPanel, Keys);
    QTest::qWait(200);
    return Form.grab().save(File);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    if (argc < 2)
        return 2;
    TrySetStyle(QStringLiteral("Iceberg Classico"));
    RegionalSettings().DecimalSeparator = u'.';
    RegionalSettings().ThousandSeparator = u',';
    const QDir Out(QString::fromLocal8Bit(argv[1]));

    TBrixCalcForm Compact;
    Compact.setWindowTitle(QStringLiteral("LumoPocketo v" BRIX_VERSION_STRING));
    Compact.SetHideFnBtns(true);
    Compact.CancelBtn->hide();
    Compact.CalcEngine->SetDecimalPlaces(2);
    Compact.CalcEngine->SetMemory(12.5L);
    TBrixSciCalcForm Scientific;
    const bool Ok = Save(Compact, QStringLiteral("1234.5*2="), Out.filePath("compact.png")) &&
                    Save(Scientific, QStringLiteral("2^10="), Out.filePath("scientific.png"));
    return Ok ? 0 : 1;
}
