#include "brix/calcwindows/calculators_scientific.h"

#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"

#include <QFrame>

namespace Brix {

namespace {
constexpr int W = 30;
constexpr int DigitW = 40;
constexpr int Col(int C)
{
    return 5 + 30 * C;
}
} // namespace

TBrixSciCalcForm::TBrixSciCalcForm(QWidget *Parent)
    : TBrixCalcFormBase(Parent, QStringLiteral("BrixSciCalcForm"), 40200, 59, true)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    HypBtn = Key(ckHyp);
    ExpBtn = Key(ckExp);
    Lg2btn = Key(ckLg2);
    // Left edges of the scientific keypad: three 40-wide digit columns, then
    // three 30-wide columns; the function rows have seven 30-wide columns.
    PlaceKeys({
        {ckCopy, 5, W},        {ckPaste, 35, W},        {ckCancel, 155, W},
        {ckExit, 185, W},      {ckSin, Col(0), W},      {ckCos, Col(1), W},
        {ckTan, Col(2), W},    {ckPercent, Col(3), W},  {ckRad, Col(4), W},
        {ckInv, Col(5), W},    {ckHyp, Col(6), W},      {ckPower, Col(0), W},
        {ckSquare, Col(1), W}, {ckSqRoot, Col(2), W},   {ckInvert, Col(3), W},
        {ckLog, Col(4), W},    {ckLN, Col(5), W},       {ckLg2, Col(6), W},
        {ckSeven, 5, DigitW},  {ckEight, 45, DigitW},   {ckNine, 85, DigitW},
        {ckMultiply, 126, W},  {ckAllClear, 156, W},    {ckMemoryClear, 186, W},
        {ckFour, 5, DigitW},   {ckFive, 45, DigitW},    {ckSix, 85, DigitW},
        {ckDivide, 126, W},    {ckClear, 156, W},       {ckMemoryAdd, 186, W},
        {ckOne, 5, DigitW},    {ckTwo, 45, DigitW},     {ckThree, 85, DigitW},
        {ckAdd, 126, W},       {ckPi, 156, W},          {ckMemorySubtract, 186, W},
        {ckZero, 5, DigitW},   {ckPoint, 45, DigitW},   {ckChangeSign, 85, DigitW},
        {ckSubtract, 126, W},  {ckE, 156, W},           {ckMemoryRecall, 186, W},
        {ckLeftBracket, 5, W}, {ckRightBracket, 35, W}, {ckBackSpace, 65, W},
        {ckExp, 95, W},        {ckEquals, 126, 3 * W},
    });
    FormCreate();
}

void TBrixSciCalcForm::RedrawCalc()
{
    const int V = ValueDisplay->height() + 10;
    ValueDisplay->move(ValueDisplay->x(), 5);
    const int ClientWidth = SinBtn->width() * 7 + 10;
    ValueDisplay->resize(ClientWidth - 10, ValueDisplay->height());
    MemoryDisplay->resize(ClientWidth - 10, MemoryDisplay->height());
    const int H = SevenBtn->height();
    const int ClientHeight = 2 * V + 8 * H + 4;
    SetRowTop({ckCopy, ckPaste, ckCancel, ckExit}, V);
    PlaceDecimalBox(V, H + 3);
    SetRowTop({ckSin, ckCos, ckTan, ckPercent, ckRad, ckInv, ckHyp}, V + H + 3);
    SetRowTop({ckPower, ckSquare, ckSqRoot, ckInvert, ckLog, ckLN, ckLg2}, V + 2 * H + 3);
    const int K1 = V + 3 * H + 5;
    SetRowTop({ckSeven, ckEight, ckNine, ckMultiply, ckAllClear, ckMemoryClear}, K1);
    SetRowTop({ckFour, ckFive, ckSix, ckDivide, ckClear, ckMemoryAdd}, K1 + H);
    SetRowTop({ckOne, ckTwo, ckThree, ckAdd, ckPi, ckMemorySubtract}, K1 + 2 * H);
    SetRowTop({ckZero, ckPoint, ckChangeSign, ckSubtract, ckE, ckMemoryRecall}, K1 + 3 * H);
    SetRowTop({ckLeftBracket, ckRightBracket, ckBackSpace, ckExp, ckEquals}, K1 + 4 * H);
    MemoryDisplay->move(MemoryDisplay->x(), SevenBtn->y() + 5 * H + 4);
    setFixedSize(ClientWidth, ClientHeight);
    CalcPanel->setGeometry(0, 0, ClientWidth, ClientHeight);
}

bool TBrixSciCalcForm::MapWindowCharacter(QChar Upper, TBrixCalcKey &Key) const
{
    if (Upper != u'E')
        return false;
    Key = ckExp;
    return true;
}

} // namespace Brix
