// Every entry of the program's menu and every control of its windows and
// dialogs has an object name of its own: the end-to-end scripts find them by
// that name, whatever the language and wherever the control sits.
#include "pocketodm.h"
#include "pocketowindow.h"

#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calcwindows/calculators_standard.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

using namespace Brix;

namespace {

// The names that are empty or shared by another object of the window, one
// line per fault ("" when there is none).
std::string Faults(const QWidget &Window, const QList<QObject *> &Objects)
{
    QStringList Found;
    for (QObject *O : Objects) {
        const QString Name = O->objectName();
        const QString What = QString::fromLatin1(O->metaObject()->className());
        if (Name.isEmpty())
            Found << What + QStringLiteral(" without a name");
        else if (const qsizetype N = Window.findChildren<QObject *>(Name).size(); N != 1)
            Found << What + u' ' + Name + QStringLiteral(" named %1 times").arg(N);
    }
    return Found.join(u'\n').toStdString();
}

// The window's widgets, without the parts of a spin box, a combo box or a
// scrolled view: each is one control, found by its own name.
QList<QObject *> Controls(const QWidget &Window)
{
    QList<QObject *> Found;
    for (QWidget *W : Window.findChildren<QWidget *>()) {
        bool Part = false;
        for (QWidget *P = W->parentWidget(); P && P != &Window; P = P->parentWidget())
            Part = Part || qobject_cast<QAbstractSpinBox *>(P) || qobject_cast<QComboBox *>(P) ||
                   qobject_cast<QAbstractScrollArea *>(P);
        if (!Part)
            Found << W;
    }
    return Found;
}

struct TDMFree
{
    void operator()(TDM *P) const { P->Free(); }
};

class ObjectNames : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        DM.reset(TDM::Create());
    }

    // Opens the window with the program's extras and its menu.
    template <class TWindow> void Open(TWindow *Window)
    {
        Form.reset(Window);
        if constexpr (std::is_same_v<TWindow, TBrixSciCalcForm>)
            DM->BrixCalculator1StartSciCalculator(nullptr, Window);
        else
            DM->BrixCalculator1StartCalculator(nullptr, Window);
        Extras = Form->findChild<TPocketoWindowExtras *>();
        ASSERT_NE(Extras, nullptr);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Extras->OpenMenu(QPoint(0, 0));
        ASSERT_NE(Extras->Menu(), nullptr);
    }

    // Runs the menu's entry of that name and lets Look see the modal
    // dialog it opens, which is then closed; returns whether one opened.
    bool Look(const char *Entry, const std::function<void(QWidget &)> &See)
    {
        bool Seen = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *Dialog = QApplication::activeModalWidget()) {
                Seen = true;
                See(*Dialog);
                Dialog->close();
            }
        });
        auto *Action = Extras->Menu()->findChild<QAction *>(QLatin1String(Entry));
        if (!Action)
            return false;
        Action->trigger();
        return Seen;
    }

    std::unique_ptr<TDM, TDMFree> DM;
    std::unique_ptr<TBrixCalcFormBase> Form;
    TPocketoWindowExtras *Extras = nullptr;
};

TEST_F(ObjectNames, MenuEntriesAndControlsOfBothWindowsHaveUniqueNames)
{
    for (const bool Scientific : {false, true}) {
        SCOPED_TRACE(Scientific ? "scientific window" : "compact window");
        if (Scientific)
            ASSERT_NO_FATAL_FAILURE(Open(new TBrixSciCalcForm));
        else
            ASSERT_NO_FATAL_FAILURE(Open(new TBrixCalcForm));
        QList<QObject *> Entries;
        for (QAction *A : Extras->Menu()->actions())
            if (!A->isSeparator())
                Entries << A;
        EXPECT_EQ(Entries.size(), 8);
        EXPECT_EQ(Faults(*Form, Entries), "");
        EXPECT_EQ(Faults(*Form, Controls(*Form)), "");
        // The tape, a window of its own.
        Extras->SetTapeShown(true);
        QWidget *Tape = Form->findChild<QWidget *>(QStringLiteral("PocketoTape"));
        ASSERT_NE(Tape, nullptr);
        EXPECT_EQ(Faults(*Tape, Controls(*Tape)), "");
        Extras->Menu()->close();
        Form.reset();
    }
}

TEST_F(ObjectNames, SettingsAndAboutControlsHaveUniqueNames)
{
    ASSERT_NO_FATAL_FAILURE(Open(new TBrixCalcForm));
    for (const char *Entry : {"SettingsAction", "AboutAction"}) {
        SCOPED_TRACE(Entry);
        QString Name;
        std::string Found;
        qsizetype Count = 0;
        EXPECT_TRUE(Look(Entry, [&](QWidget &Dialog) {
            Name = Dialog.objectName();
            const QList<QObject *> Controls = ::Controls(Dialog);
            Count = Controls.size();
            Found = Faults(Dialog, Controls);
        }));
        EXPECT_FALSE(Name.isEmpty());
        // The Settings dialog holds about twenty controls, the About box a few.
        EXPECT_GE(Count, 3);
        EXPECT_EQ(Found, "");
    }
}

} // namespace
