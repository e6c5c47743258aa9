// The program's additions to its calculator window (context menu, tape,
// About box), on the compact window as the program trims it.
#include "pocketodm.h"
#include "pocketowindow.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Brix;

namespace {

class WindowExtras : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        DM.reset(TDM::Create());
        DM->Options.SettingsFile = QStringLiteral("/tmp/some folder/lumopocketo.ini");
    }

    // The compact window with the program's trimming, shown and active.
    void Open()
    {
        Form = std::make_unique<TBrixCalcForm>();
        Form->SetHideFnBtns(true);
        TBrixCalcForm *Trimmed = Form.get();
        DM->BrixCalculator1StartCalculator(nullptr, Trimmed);
        Extras = Form->findChild<TPocketoWindowExtras *>();
        ASSERT_NE(Extras, nullptr);
        Form->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    void Key(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QWidget *Target = Form->focusWidget() ? Form->focusWidget() : Form.get();
        QTest::keyClick(Target, K, Mods);
    }
    void Type(const char *Keys)
    {
        for (const char *C = Keys; *C; ++C) {
            QWidget *Target = Form->focusWidget() ? Form->focusWidget() : Form.get();
            QTest::keyClick(Target, *C);
        }
    }

    // The menu's entries without their shown keys.
    QStringList Entries() const
    {
        QStringList Texts;
        for (QAction *A : Extras->Menu()->actions())
            if (!A->isSeparator())
                Texts << A->text().section(u'\t', 0, 0);
        return Texts;
    }
    QAction *Entry(const QString &Text) const
    {
        for (QAction *A : Extras->Menu()->actions())
            if (A->text().section(u'\t', 0, 0) == Text)
                return A;
        return nullptr;
    }

    struct TDMFree
    {
        void operator()(TDM *P) const { P->Free(); }
    };
    std::unique_ptr<TDM, TDMFree> DM;
    std::unique_ptr<TBrixCalcForm> Form;
    TPocketoWindowExtras *Extras = nullptr;
};

TEST_F(WindowExtras, MenuOpensFromTheDisplaysThePanelAndTheKeyboardBuiltOnFirstUse)
{
    struct Row
    {
        const char *Name;
        std::function<void()> Open;
    };
    auto RightClick = [](QWidget *W) {
        QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(2, 2), W->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(W, &Event);
    };
    const Row Rows[] = {
        {"value display", [&] { RightClick(Form->ValueDisplay); }},
        {"memory display", [&] { RightClick(Form->MemoryDisplay); }},
        {"panel", [&] { RightClick(Form->CalcPanel); }},
        {"a key (reaches the panel)", [&] { RightClick(Form->Key(ckSeven)); }},
        {"Menu key", [&] { Key(Qt::Key_Menu); }},
        {"Shift+F10", [&] { Key(Qt::Key_F10, Qt::ShiftModifier); }},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        Open();
        EXPECT_EQ(Extras->Menu(), nullptr) << "built before it was needed";
        R.Open();
        ASSERT_NE(Extras->Menu(), nullptr);
        EXPECT_TRUE(Extras->Menu()->isVisible());
        EXPECT_EQ(Entries(),
                  QStringList({"Tape", "Copy", "Paste", "About LumoPocketo"}));
        Extras->Menu()->close();
        EXPECT_TRUE(Form->isVisible());
    }
}

TEST_F(WindowExtras, RightPressOnThePanelKeepsTheWindowOpenLeftClickStillExits)
{
    Open();
    QTest::mouseClick(Form->CalcPanel, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_TRUE(Form->isVisible());
    QTest::mouseClick(Form->CalcPanel, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(Form->Cancelled);
}

TEST_F(WindowExtras, TapeShowsTheEngineTapeLiveBesideTheWindow)
{
    Open();
    const QSize Size = Form->size();
    EXPECT_EQ(Extras->TapeWindow(), nullptr) << "built before it was needed";
    Type("2+3=");
    Key(Qt::Key_T, Qt::ControlModifier);
    QWidget *Tape = Extras->TapeWindow();
    ASSERT_NE(Tape, nullptr);
    EXPECT_TRUE(Tape->isVisible());
    EXPECT_TRUE(DM->Options.ShowTape);
    EXPECT_EQ(Form->size(), Size) << "the window keeps its size";
    EXPECT_EQ(Tape->parentWidget(), Form.get());
    EXPECT_EQ(Tape->frameGeometry().left(), Form->frameGeometry().right() + 1);
    EXPECT_EQ(Extras->TapeView()->accessibleName(), "Tape");
    const QStringList Lines = Form->CalcEngine->HistoryLines();
    ASSERT_FALSE(Lines.isEmpty());
    EXPECT_EQ(Extras->TapeView()->toPlainText(), Lines.join(u'\n'));
    EXPECT_TRUE(Extras->TapeView()->toPlainText().contains("5"));

    // Live: the next calculation's lines arrive at the bottom.
    Type("*4=");
    EXPECT_EQ(Extras->TapeView()->toPlainText(), Form->CalcEngine->HistoryLines().join(u'\n'));
    EXPECT_TRUE(Extras->TapeView()->toPlainText().endsWith(Form->CalcEngine->HistoryLines().last()));
    EXPECT_NE(Extras->TapeView()->toPlainText(), Lines.join(u'\n'));
    // Selectable and copyable, never editable.
    EXPECT_TRUE(Extras->TapeView()->isReadOnly());
    EXPECT_TRUE(Extras->TapeView()->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    // The menu entry shows the state and switches it off again.
    Key(Qt::Key_Menu);
    QAction *TapeEntry = Entry("Tape");
    ASSERT_NE(TapeEntry, nullptr);
    EXPECT_TRUE(TapeEntry->isChecked());
    TapeEntry->trigger();
    Extras->Menu()->close();
    EXPECT_FALSE(Tape->isVisible());
    EXPECT_FALSE(DM->Options.ShowTape);
}

TEST_F(WindowExtras, RememberedTapeOpensWithTheWindow)
{
    DM->Options.ShowTape = true;
    Open();
    ASSERT_NE(Extras->TapeWindow(), nullptr);
    EXPECT_TRUE(Extras->TapeWindow()->isVisible());
}

TEST_F(WindowExtras, CopyAndPasteEntriesUseTheWindowsKeys)
{
    Open();
    Type("12+30=");
    Key(Qt::Key_Menu);
    QApplication::clipboard()->clear();
    Entry("Copy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), Form->CalcEngine->GetDisplayStr());
    EXPECT_EQ(QApplication::clipboard()->text(), "42.0000");
    QApplication::clipboard()->setText("7.5");
    Entry("Paste")->trigger();
    EXPECT_EQ(Form->CalcEngine->GetAsFloat(), Extended(7.5));
    // The hints of the text tables.
    EXPECT_EQ(Entry("Copy")->toolTip(), Form->CalcEngine->GetName(ectCopyHint));
    EXPECT_EQ(Entry("Paste")->toolTip(), Form->CalcEngine->GetName(ectPasteHint));
}

TEST_F(WindowExtras, AboutNamesVersionAndSettingsFile)
{
    Open();
    Key(Qt::Key_Menu);
    QString Shown;
    QTimer::singleShot(0, [&] {
        if (auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            Shown = Box->text();
            Box->accept();
        }
    });
    Entry("About LumoPocketo")->trigger();
    EXPECT_EQ(Shown, Extras->AboutText());
    EXPECT_TRUE(Shown.contains(QStringLiteral(BRIX_VERSION_STRING)));
    EXPECT_TRUE(Shown.contains("/tmp/some folder/lumopocketo.ini"));
    EXPECT_TRUE(Form->isVisible());
}

} // namespace
