// The window the calculator component shows speaks the component's
// language: key hints and the accessible names screen readers announce,
// the exit hint, and the engine's messages.
#include "brix/calcwindows/calculators.h"
#include "brix/widgets/buttons.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace Brix;

namespace {

struct TSeen
{
    QString AddName, AddHint, ExitHint, Title;
};

// Shows the standard window of a component in Language, reads what the
// user would see, types 1/0= and closes it with the exit key; a watchdog
// closes a window left open.
TSeen RunInLanguage(TBrixCalculator &Calc, TBrixLanguage Language)
{
    Calc.SetLanguage(Language);
    TSeen Seen;
    Calc.SetOnStartCalculator([&Seen](TObject *, TBrixCalcForm *&Form) {
        TBrixCalcForm *F = Form;
        QTimer::singleShot(0, F, [F, &Seen] {
            TBrixSpeedButton *Add = F->Key(ckAdd);
            QAccessibleInterface *Accessible = QAccessible::queryAccessibleInterface(Add);
            Seen.AddName = Accessible ? Accessible->text(QAccessible::Name) : QString();
            Seen.AddHint = Add->toolTip();
            Seen.ExitHint = F->ExitBtn->toolTip();
            Seen.Title = F->windowTitle();
            for (TBrixCalcKey K : {ckOne, ckDivide, ckZero, ckEquals})
                F->ClickKey(K);
            F->ClickKey(ckExit);
        });
    });
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "the window did not close";
        if (QWidget *Modal = QApplication::activeModalWidget())
            Modal->close();
    });
    Watchdog.start(5000);
    Calc.Execute();
    return Seen;
}

} // namespace

TEST(CalcWindowLanguage, WindowFollowsTheComponentsLanguage)
{
    struct TRow
    {
        TBrixLanguage Language;
        const char16_t *Add, *Exit, *Title, *DivideByZero;
    };
    const TRow Rows[] = {
        {elGerman, u"Addieren", u"Beenden und Wert übertragen", u"Rechner", u"Division durch Null"},
        {elEnglishInt, u"Add", u"Exit and Transfer Result", u"Calculator", u"Division by Zero"},
        {elFrench, u"Additionner", u"Quitter et transférer le résultat", u"Calculatrice",
         u"Division par 0"},
    };
    TOwned<TBrixCalculator> Calc(TBrixCalculator::Create(nullptr));
    for (const TRow &Row : Rows) {
        SCOPED_TRACE(int(Row.Language));
        const TSeen Seen = RunInLanguage(*Calc, Row.Language);
        EXPECT_EQ(Seen.AddName, QString::fromUtf16(Row.Add));
        EXPECT_EQ(Seen.AddHint, QString::fromUtf16(Row.Add));
        EXPECT_EQ(Seen.ExitHint, QString::fromUtf16(Row.Exit));
        EXPECT_EQ(Seen.Title, QString::fromUtf16(Row.Title));
        EXPECT_EQ(Calc->LastError(), QString::fromUtf16(Row.DivideByZero));
    }
}
