#include "brix/calcwindows/calculators_scientific.h"

namespace Brix {

TBrixSciCalcForm::TBrixSciCalcForm(QWidget *Parent)
    : TBrixCalcFormBase(Parent, QStringLiteral("BrixSciCalcForm"), 40200, 59, true)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    HypBtn = Key(ckHyp);
    ExpBtn = Key(ckExp);
    Lg2btn = Key(ckLg2);
    FormCreate();
}

} // namespace Brix
