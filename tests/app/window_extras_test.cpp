// The program's additions to its calculator window (context menu, tape,
// About box), on the compact window as the program trims it.
#include "pocketodm.h"
#include "pocketotranslations.h"
#include "pocketowindow.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/calcwindows/tapeview.h"
#include "brix/resources/languages.h"
#include "brix/store/storectrls.h"
#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

using namespace Brix;

namespace {

class WindowExtras : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        DM.reset(TDM::Create());
        DM->SetSettingsFile(QStringLiteral("/tmp/some folder/lumopocketo.ini"));
    }

    // The compact window with the program's trimming, shown and active.
    void Open()
    {
        Form = std::make_unique<TBrixCalcForm>();
        Form->SetHideFnBtns(true);
        // As the component prepares the window: the calculator's language.
        Form->CalcEngine->SetLanguage(DM->BrixCalculator1->Language());
        // The component shows its value on the window first, which writes
        // the engine's first tape line, and starts the window's record after
        // it.
        Form->CalcEngine->InputValue(0);
        Form->CalcEngine->StartRecord();
        TBrixCalcForm *Trimmed = Form.get();
        DM->BrixCalculator1StartCalculator(nullptr, Trimmed);
        Extras = Form->findChild<TPocketoWindowExtras *>();
        ASSERT_NE(Extras, nullptr);
        Form->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    // The program's start handlers trim each window the calculator shows;
    // Act then runs on it.
    void OnEachWindow(const std::function<void(TBrixCalcFormBase *)> &Act)
    {
        TBrixCalculator &Calc = *DM->BrixCalculator1;
        Calc.SetOnStartCalculator([this, Act](TObject *S, TBrixCalcForm *&F) {
            DM->BrixCalculator1StartCalculator(S, F);
            Act(F);
        });
        Calc.SetOnStartSciCalculator([this, Act](TObject *S, TBrixSciCalcForm *&F) {
            DM->BrixCalculator1StartSciCalculator(S, F);
            Act(F);
        });
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

    // The tape's rows as shown ("12.0000 +"), and the row showing Text.
    QStringList TapeRows() const
    {
        QStringList Rows;
        const QAbstractItemModel &Model = *Extras->TapeView()->model();
        for (int R = 0; R < Model.rowCount(); ++R)
            Rows << Model.index(R, 0).data().toString();
        return Rows;
    }
    // The tape's open editor (closed ones may not be deleted yet).
    static QWidget *OpenEditor(const TBrixTapeView &Tape)
    {
        for (QWidget *Editor : Tape.findChildren<QWidget *>("TapeEditor"))
            if (Editor->isVisible())
                return Editor;
        return nullptr;
    }
    QString LastTapeRow() const
    {
        const QStringList Rows = TapeRows();
        return Rows.isEmpty() ? QString() : Rows.last();
    }
    QModelIndex TapeRow(const QString &Text) const
    {
        const QAbstractItemModel &Model = *Extras->TapeView()->model();
        const int Row = int(TapeRows().indexOf(Text));
        EXPECT_GE(Row, 0) << Text.toStdString() << " in " << TapeRows().join(u'|').toStdString();
        return Model.index(Row, 0);
    }
    // The line texts of the program's tape, one list per calculation.
    QList<QStringList> TapeLines() const
    {
        QList<QStringList> Calculations;
        for (const TBrixTapeCalculation &Lines : DM->Tape().Calculations()) {
            Calculations.append(QStringList());
            for (const TBrixCalcRecordLine &Line : Lines)
                Calculations.last() << Line.Text;
        }
        return Calculations;
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
        QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                W->mapToGlobal(QPoint(2, 2)));
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
        EXPECT_EQ(Entries(), QStringList({"Scientific", "Tape", "Settings…", "Undo", "Redo", "Copy",
                                          "Paste", "About LumoPocketo"}));
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

TEST_F(WindowExtras, TapeShowsTheCalculationsLiveBesideTheWindow)
{
    Open();
    const QSize Size = Form->size();
    EXPECT_EQ(Extras->TapeWindow(), nullptr) << "built before it was needed";
    Type("2+3=");
    Key(Qt::Key_T, Qt::ControlModifier);
    QWidget *Tape = Extras->TapeWindow();
    ASSERT_NE(Tape, nullptr);
    EXPECT_TRUE(Tape->isVisible());
    EXPECT_TRUE(DM->Choices.ShowTape);
    EXPECT_EQ(Form->size(), Size) << "the window keeps its size";
    EXPECT_EQ(Tape->parentWidget(), Form.get());
    EXPECT_EQ(Tape->frameGeometry().left(), Form->frameGeometry().right() + 1);
    EXPECT_EQ(Extras->TapeView()->accessibleName(), "Tape");
    // The engine's lines but for the 0 it was given at start.
    ASSERT_EQ(Form->CalcEngine->HistoryLines().first(), "0.0000");
    EXPECT_EQ(TapeLines(), QList<QStringList>({{"2.0000", "+", "3.0000", "=", "5.0000"}}));
    EXPECT_EQ(TapeRows(), QStringList({"2.0000 +", "3.0000 =", "5.0000"}));

    // Live: the rows arrive at the bottom with each key.
    Type("*4=");
    EXPECT_EQ(LastTapeRow(), "20.0000");
    // All clear ends the calculation, which stays; the next one follows.
    const QStringList First = TapeRows();
    Type("A");
    EXPECT_TRUE(Form->CalcEngine->HistoryLines().isEmpty());
    EXPECT_EQ(TapeRows(), First);
    EXPECT_EQ(DM->Tape().Kept().size(), 1);
    Type("3*4=");
    EXPECT_EQ(TapeRows(), First + QStringList({"3.0000 \u00D7", "4.0000 =", "12.0000"}));
    EXPECT_EQ(DM->Tape().Calculations().size(), 2);

    // The menu entry shows the state and switches it off again.
    Key(Qt::Key_Menu);
    QAction *TapeEntry = Entry("Tape");
    ASSERT_NE(TapeEntry, nullptr);
    EXPECT_TRUE(TapeEntry->isChecked());
    TapeEntry->trigger();
    Extras->Menu()->close();
    EXPECT_FALSE(Tape->isVisible());
    EXPECT_FALSE(DM->Choices.ShowTape);
}

// The tape is written to its file when a calculation ends (and, by the
// program, at exit), with the tape window open or not.
TEST_F(WindowExtras, TapeIsWrittenWhenACalculationEnds)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString File = Dir.filePath("tape");
    DM->Tape().SetFile(File);
    Open();
    Type("2+3=");
    EXPECT_FALSE(QFile::exists(File)) << "the calculation has not ended";
    Type("A");
    ASSERT_TRUE(QFile::exists(File));
    TBrixTapeDocument Read;
    Read.SetFile(File);
    EXPECT_TRUE(Read.Load().Read());
    ASSERT_EQ(Read.Kept().size(), 1);
    QStringList Texts;
    for (const TBrixCalcRecordLine &Line : Read.Kept()[0])
        Texts << Line.Text;
    EXPECT_EQ(Texts, QStringList({"2.0000", "+", "3.0000", "=", "5.0000"}));
    // Clear tape writes the empty tape; its undo writes the tape again.
    Form->ClearTape();
    Read.Load();
    EXPECT_TRUE(Read.Kept().isEmpty());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Read.Load().Read());
    EXPECT_EQ(Read.Kept().size(), 1);
    DM->Tape().SetFile(QString());
}

// The tape keeps the size the user gives it: the window moved, the tape
// hidden and shown again, and the program started anew (the size is kept
// with the settings); the tape still stands beside the window.
TEST_F(WindowExtras, TapeKeepsTheSizeTheUserGaveIt)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Ini = Dir.filePath("lumopocketo.ini");
    const auto Start = [&] {
        Form.reset();
        DM.reset(TDM::Create());
        DM->BrixStoreCtrl1->SetIniFile(Ini);
        DM->LoadFromStore();
        DM->FinishLoading({QStringLiteral("en-GB")});
        Open();
        Extras->SetTapeShown(true);
        return Extras->TapeWindow();
    };
    QWidget *Tape = Start();
    ASSERT_NE(Tape, nullptr);
    EXPECT_EQ(Tape->height(), Form->height()) << "as high as the window until resized";

    // (Narrow enough to fit beside the window on the test's screen.)
    const QSize Chosen(260, 500);
    Tape->resize(Chosen);
    EXPECT_EQ(DM->Choices.TapeSize, Chosen);
    const auto Beside = [&] {
        EXPECT_EQ(Tape->size(), Chosen);
        EXPECT_EQ(Tape->frameGeometry().left(), Form->frameGeometry().right() + 1);
    };
    Form->move(Form->pos() + QPoint(1, 0));
    Beside();
    Form->move(Form->pos() + QPoint(20, 10));
    Beside();
    Key(Qt::Key_T, Qt::ControlModifier);
    ASSERT_FALSE(Tape->isVisible());
    Key(Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(Tape->isVisible());
    Beside();

    // Kept with the settings, and read at the next start.
    ASSERT_TRUE(DM->HasChangesToSave(false));
    DM->SaveToStore(false);
    DM->BrixStoreCtrl1->ForceCloseStorage();
    Tape = Start();
    EXPECT_EQ(DM->Choices.TapeSize, Chosen);
    Beside();
}

// Keys typed while the tape has the focus reach the calculator, but for
// those that move through, select, copy, reuse and edit the tape's rows.
TEST_F(WindowExtras, KeysTypedInTheTapeReachTheCalculatorButItsOwn)
{
    struct Row
    {
        const char *Name;
        std::function<void(QWidget *Tape)> Keys;
        const char *Display;
    };
    const auto Typed = [](QWidget *Tape, const char *Keys) {
        for (const char *C = Keys; *C; ++C)
            QTest::keyClick(Tape, *C);
    };
    const Row Rows[] = {
        {"typed", [&](QWidget *T) { Typed(T, "12+5="); }, "17.0000"},
        {"Enter is equals",
         [&](QWidget *T) { Typed(T, "2*3"), QTest::keyClick(T, Qt::Key_Return); }, "6.0000"},
        {"Delete clears the entry",
         [&](QWidget *T) { Typed(T, "12+5"), QTest::keyClick(T, Qt::Key_Delete), Typed(T, "3="); },
         "15.0000"},
        {"Ctrl+Z undoes",
         [&](QWidget *T) {
             Typed(T, "12+5");
             QTest::keyClick(T, Qt::Key_Z, Qt::ControlModifier);
             Typed(T, "6=");
         },
         "18.0000"},
        {"the tape's own keys do nothing to the calculator",
         [&](QWidget *T) {
             Typed(T, "7");
             for (Qt::Key K : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
                               Qt::Key_PageDown, Qt::Key_F2, Qt::Key_Insert})
                 QTest::keyClick(T, K);
         },
         "7"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        Open();
        Extras->SetTapeShown(true);
        R.Keys(Extras->TapeView());
        EXPECT_EQ(Form->ValueDisplay->text(), QString::fromLatin1(R.Display));
        EXPECT_TRUE(Form->isVisible());
    }

    // Up and Home move through the rows; Ctrl+A and Ctrl+C copy them, not
    // the display.
    Open();
    Type("2+3=");
    Extras->SetTapeShown(true);
    TBrixTapeView *Tape = Extras->TapeView();
    Tape->doItemsLayout(); // as soon as it is shown (else on a timer)
    QTest::keyClick(Tape, Qt::Key_Home);
    EXPECT_EQ(Tape->currentIndex().row(), 0);
    QTest::keyClick(Tape, Qt::Key_End);
    EXPECT_EQ(Tape->currentIndex().row(), 2);
    QTest::keyClick(Tape, Qt::Key_Up);
    EXPECT_EQ(Tape->currentIndex().row(), 1);
    QApplication::clipboard()->clear();
    QTest::keyClick(Tape, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Tape, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), Tape->SelectedText());
    EXPECT_TRUE(QApplication::clipboard()->text().contains("5.0000"));
    EXPECT_EQ(Form->ValueDisplay->text(), "5.0000");

    // Escape is the calculator's too: the window closes, cancelled.
    QTest::keyClick(Tape, Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Form->Cancelled);
}

// F6 takes the keyboard from the keypad to the tape (opening it when it is
// hidden) and back, also from the tape's editor.
TEST_F(WindowExtras, F6MovesTheKeyboardBetweenKeypadAndTape)
{
    Open();
    Type("12+5=");
    ASSERT_EQ(Extras->TapeWindow(), nullptr);
    Key(Qt::Key_F6);
    ASSERT_NE(Extras->TapeWindow(), nullptr);
    EXPECT_TRUE(Extras->TapeWindow()->isVisible()) << "F6 opens a hidden tape";
    EXPECT_TRUE(DM->Choices.ShowTape);
    TBrixTapeView *Tape = Extras->TapeView();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Tape->hasFocus(); }, 2000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form->CalcPanel->hasFocus(); }, 2000));
    EXPECT_EQ(Form->ValueDisplay->text(), "17.0000") << "F6 is no calculator key";
    Key(Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Tape->hasFocus(); }, 2000));
    QTest::keyClick(Tape, Qt::Key_Home);
    QTest::keyClick(Tape, Qt::Key_F2);
    ASSERT_TRUE(Tape->Editing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form->CalcPanel->hasFocus(); }, 2000))
        << "F6 leaves the editor too";
}

// Insert or a double click on a row puts its number into the calculator as
// a paste would: one undo step.
TEST_F(WindowExtras, TapeRowsNumberGoesBackIntoTheCalculator)
{
    Open();
    Type("12+5=");
    Extras->SetTapeShown(true);
    TBrixTapeView *Tape = Extras->TapeView();
    const auto DoubleClick = [&](const QModelIndex &Row) {
        QTest::mouseDClick(Tape->viewport(), Qt::LeftButton, Qt::NoModifier,
                           Tape->visualRect(Row).center());
    };
    ASSERT_EQ(Form->ValueDisplay->text(), "17.0000");
    const int Steps = Form->UndoHistory().UndoCount();

    Tape->setCurrentIndex(TapeRow("12.0000 +"));
    QTest::keyClick(Tape, Qt::Key_Insert);
    EXPECT_EQ(Form->ValueDisplay->text(), "12.0000");
    EXPECT_EQ(Form->UndoHistory().UndoCount(), Steps + 1);
    QTest::keyClick(Tape, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->ValueDisplay->text(), "17.0000");

    // The reused number is an entry like a typed one.
    DoubleClick(TapeRow("5.0000 ="));
    EXPECT_EQ(Form->ValueDisplay->text(), "5.0000");
    Type("*2=");
    EXPECT_EQ(Form->ValueDisplay->text(), "10.0000");

    // The tape shows numbers in the region's format, which reads back the
    // same.
    BrixTest::RegionalGuard Comma(u',', u'.');
    Open();
    Type("1234.5+1=");
    Extras->SetTapeShown(true);
    Tape = Extras->TapeView();
    const QModelIndex First = Tape->model()->index(0, 0);
    const QString Shown = First.data(Qt::EditRole).toString();
    ASSERT_TRUE(Shown.contains(u',')) << Shown.toStdString();
    Tape->setCurrentIndex(First);
    QTest::keyClick(Tape, Qt::Key_Insert);
    EXPECT_EQ(Form->ValueDisplay->text(), Shown);
}

// F2 on a number of the current calculation, a new number and Enter: the
// calculation is done again with it, as one undo step; a text that is no
// number changes nothing.
TEST_F(WindowExtras, NumberEditedOnTheTapeRedoesTheCalculation)
{
    Open();
    Type("12+5=");
    Extras->SetTapeShown(true);
    TBrixTapeView *Tape = Extras->TapeView();
    const auto Edit = [&](const char *Text) {
        QApplication::processEvents(); // an editor closed before goes
        Tape->setFocus();
        QTest::keyClick(Tape, Qt::Key_Home);
        QTest::keyClick(Tape, Qt::Key_F2);
        ASSERT_TRUE(Tape->Editing());
        QWidget *Editor = OpenEditor(*Tape);
        ASSERT_NE(Editor, nullptr);
        QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Editor, QString::fromLatin1(Text));
        QTest::keyClick(Editor, Qt::Key_Return);
    };
    const int Steps = Form->UndoHistory().UndoCount();
    Edit("13");
    EXPECT_EQ(Form->ValueDisplay->text(), "18.0000");
    EXPECT_EQ(LastTapeRow(), "18.0000") << TapeRows().join(u'|').toStdString();
    EXPECT_EQ(Form->UndoHistory().UndoCount(), Steps + 1);
    EXPECT_TRUE(Form->isVisible()) << "Enter in the editor is no equals key";
    QTest::keyClick(Tape, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->ValueDisplay->text(), "17.0000");
    EXPECT_EQ(LastTapeRow(), "17.0000");

    Edit("thirteen");
    EXPECT_EQ(Form->ValueDisplay->text(), "17.0000");
    EXPECT_EQ(Form->UndoHistory().UndoCount(), Steps);

    // Escape cancels the editor, not the window.
    QApplication::processEvents();
    QTest::keyClick(Tape, Qt::Key_Home);
    QTest::keyClick(Tape, Qt::Key_F2);
    ASSERT_TRUE(Tape->Editing());
    QTest::keyClick(OpenEditor(*Tape), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Tape->Editing(); }, 1000));
    EXPECT_TRUE(Form->isVisible());
}

// The tape's menu entry Clear tape empties it, as one undo step.
TEST_F(WindowExtras, ClearTapeFromTheTapesMenuIsOneUndoStep)
{
    Open();
    Type("12+5=A3+");
    Extras->SetTapeShown(true);
    TBrixTapeView *Tape = Extras->TapeView();
    const QStringList Before = TapeRows();
    ASSERT_EQ(DM->Tape().Kept().size(), 1);
    auto *Clear = Tape->findChild<QAction *>("ClearTapeAction");
    ASSERT_NE(Clear, nullptr);
    Clear->trigger();
    EXPECT_TRUE(DM->Tape().Calculations().isEmpty());
    EXPECT_TRUE(TapeRows().isEmpty());
    EXPECT_EQ(Form->ValueDisplay->text(), "3.0000") << "the calculation itself stays";
    Type("4=");
    EXPECT_EQ(Form->ValueDisplay->text(), "7.0000");
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(TapeRows().isEmpty());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TapeRows(), Before) << "Clear tape undone";
    EXPECT_EQ(DM->Tape().Kept().size(), 1);
}

// The component hands the window the other options itself.
TEST_F(WindowExtras, OperatorSameLineReachesTheWindow)
{
    DM->BrixCalculator1->SetOperatorSameLine(true);
    Open();
    EXPECT_TRUE(Form->CalcEngine->OperatorSameLine());
}

TEST_F(WindowExtras, RememberedTapeOpensWithTheWindow)
{
    DM->Choices.ShowTape = true;
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

TEST_F(WindowExtras, UndoAndRedoEntriesFollowTheWindowsHistory)
{
    Open();
    auto Enabled = [&] {
        Key(Qt::Key_Menu);
        const std::pair<bool, bool> Result{Entry("Undo")->isEnabled(), Entry("Redo")->isEnabled()};
        Extras->Menu()->close();
        return Result;
    };
    EXPECT_EQ(Enabled(), std::pair(false, false)) << "nothing typed yet";
    Type("12+5");
    EXPECT_EQ(Enabled(), std::pair(true, false));
    EXPECT_TRUE(Entry("Undo")->text().endsWith(
        QKeySequence(Qt::CTRL | Qt::Key_Z).toString(QKeySequence::NativeText)));
    Entry("Undo")->trigger();
    EXPECT_EQ(Form->ValueDisplay->text(), "12.0000");
    EXPECT_EQ(Enabled(), std::pair(true, true));
    Entry("Redo")->trigger();
    EXPECT_EQ(Form->ValueDisplay->text(), "5");
    EXPECT_EQ(Enabled(), std::pair(true, false));
    Type("=");
    EXPECT_EQ(Form->ValueDisplay->text(), "17.0000");
}

TEST_F(WindowExtras, AboutNamesVersionLicenceAndSettingsFile)
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
    EXPECT_TRUE(Shown.contains("MIT License"));
    EXPECT_TRUE(Shown.contains("/tmp/some folder/lumopocketo.ini"));
    EXPECT_TRUE(Form->isVisible());
}

// The menu, the tape and the About box speak the calculator's language,
// chosen as the program chooses it: the settings' "Language" over the
// desktop's.
TEST_F(WindowExtras, MenuTapeAndAboutSpeakTheChosenLanguage)
{
    struct Row
    {
        const char *Setting;
        const char *Desktop;
        QStringList Entries;
        const char *Tape;
        const char *SettingsLine;
    };
    const QStringList German{"Wissenschaftlich", "Rechenstreifen",  "Einstellungen…",
                             "Rückgängig",       "Wiederholen",     "Kopieren",
                             "Einfügen",         "Über LumoPocketo"};
    const QStringList English{"Scientific", "Tape", "Settings…", "Undo",
                              "Redo",       "Copy", "Paste",     "About LumoPocketo"};
    const Row Rows[] = {
        {"", "de-DE", German, "Rechenstreifen", "Einstellungsdatei: "},
        {"German", "en-US", German, "Rechenstreifen", "Einstellungsdatei: "},
        {"EnglishUS", "de-DE", English, "Tape", "Settings file: "},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(std::string(R.Setting) + " on " + R.Desktop);
        DM->BrixCalculator1->SetLanguage(
            ChooseLanguage(QString::fromUtf8(R.Setting), {QString::fromUtf8(R.Desktop)}));
        Open(); // the window loads its translations when it first needs them
        Extras->OpenMenu(Form->mapToGlobal(QPoint(0, 0)));
        EXPECT_EQ(Entries(), R.Entries);
        Extras->Menu()->hide();
        Extras->SetTapeShown(true);
        EXPECT_EQ(Extras->TapeView()->accessibleName(), QString::fromUtf8(R.Tape));
        EXPECT_TRUE(Extras->AboutText().contains(QString::fromUtf8(R.SettingsLine)))
            << Extras->AboutText().toStdString();
        Form.reset();
    }
}

// Screen readers, here under German: the decimal places box and its arrows
// are named in the calculator's language (once a reader listens), and the
// tape is a window holding a list of its rows, read in words.
TEST_F(WindowExtras, ScreenReadersHearTheDecimalBoxAndTheTapeAsAListOfLines)
{
    DM->BrixCalculator1->SetLanguage(ChooseLanguage(QString(), {QStringLiteral("de-DE")}));
    Open();
    QAccessible::setActive(true); // a reader starts listening
    EXPECT_EQ(Form->DPSpin->accessibleName(), "Dezimalstellen");
    EXPECT_EQ(Form->DPSpin->Button()->UpButton()->accessibleName(), "Mehr Dezimalstellen");
    EXPECT_EQ(Form->DPSpin->Button()->DownButton()->accessibleName(), "Weniger Dezimalstellen");

    Type("2+3=");
    Extras->SetTapeShown(true);
    QAccessibleInterface *Window = QAccessible::queryAccessibleInterface(Extras->TapeWindow());
    QAccessibleInterface *List = QAccessible::queryAccessibleInterface(Extras->TapeView());
    ASSERT_NE(Window, nullptr);
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(Window->role(), QAccessible::Window);
    EXPECT_EQ(Window->text(QAccessible::Name), "Rechenstreifen");
    EXPECT_EQ(List->role(), QAccessible::List);
    EXPECT_EQ(List->text(QAccessible::Name), "Rechenstreifen");
    EXPECT_EQ(List->parent()->object(), Extras->TapeWindow());
    const auto Lines = [&] {
        QStringList Read;
        for (int I = 0; I < List->childCount(); ++I) {
            QAccessibleInterface *Line = List->child(I);
            EXPECT_EQ(Line->role(), QAccessible::ListItem);
            EXPECT_EQ(Line->parent(), List);
            Read << Line->text(QAccessible::Name);
        }
        return Read;
    };
    // The rows in words, in the calculator's language; the current row is
    // the list's selected item. (That the items follow new rows is checked
    // over the desktop's accessibility bus, end to end: in this process
    // without a bridge Qt keeps the items it made before.)
    Type("*4=");
    Extras->TapeView()->setCurrentIndex(Extras->TapeView()->model()->index(0, 0));
    const auto Spoken = [&] {
        QStringList Names;
        const QAbstractItemModel &Model = *Extras->TapeView()->model();
        for (int R = 0; R < Model.rowCount(); ++R)
            Names << Model.index(R, 0).data(Qt::AccessibleTextRole).toString();
        return Names;
    };
    EXPECT_EQ(Lines(), Spoken());
    ASSERT_EQ(Lines().size(), 6);
    EXPECT_EQ(Lines().value(0), "2.0000 plus");
    EXPECT_EQ(Lines().value(5), "Summe 20.0000");
    EXPECT_TRUE(List->child(0)->state().selected);
    EXPECT_FALSE(List->child(1)->state().selected);
    QAccessible::setActive(false);
}

// Through the program's window loop: the menu's Scientific entry
// closes the compact window and the program shows the scientific one with
// the value, memory, decimal places, angle mode and tape; and back.
TEST_F(WindowExtras, ScientificEntrySwitchesWindowsKeepingValuesAndTape)
{
    TBrixCalculator &Calc = *DM->BrixCalculator1;
    std::vector<TBrixCalcWindowKind> Kinds;
    std::vector<QStringList> Tapes;
    std::vector<QList<QStringList>> Documents;
    std::vector<QString> Titles;
    std::vector<bool> CancelShown;
    int Step = 0;
    // Each shown window: note it, then act once it runs.
    auto Act = [&](TBrixCalcFormBase *F) {
        Kinds.push_back(F->WindowKind());
        Tapes.push_back(F->CalcEngine->HistoryLines());
        Documents.push_back(TapeLines());
        Titles.push_back(F->windowTitle());
        CancelShown.push_back(F->CancelBtn->isVisibleTo(F));
        QTimer::singleShot(0, F, [F, &Step] {
            // The program's window is a normal application window, not a
            // modal dialog.
            EXPECT_EQ(F->windowType(), Qt::Window);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
            auto *X = F->findChild<TPocketoWindowExtras *>();
            QWidget *Target = F->focusWidget() ? F->focusWidget() : F;
            if (Step++ == 0) {
                for (char C : QByteArray("2+3=M"))
                    QTest::keyClick(Target, C == 'M' ? 'P' : C); // P: pi, a new value
                F->CalcEngine->SetMemory(9);
                F->CalcEngine->SetAngleMode(amDegrees);
                F->CalcEngine->SetDecimalPlaces(2);
                X->OpenMenu(QPoint(0, 0));
                for (QAction *A : X->Menu()->actions())
                    if (A->text() == "Scientific")
                        A->trigger();
                EXPECT_FALSE(F->Cancelled) << "the switch keeps the window's values";
            } else if (Step == 2) {
                X->SwitchWindow(false);
                EXPECT_FALSE(F->Cancelled) << "the switch keeps the window's values";
            } else {
                F->close();
            }
        });
    };
    OnEachWindow(Act);
    ASSERT_TRUE(DM->ShowCalculator(false));

    ASSERT_EQ(Kinds, (std::vector<TBrixCalcWindowKind>{wkCompact, wkScientific, wkCompact}));
    EXPECT_FALSE(DM->Choices.Scientific);
    // The compact window's tape (its start line, 2 + 3 = 5, pi) goes over
    // whole, and back again.
    ASSERT_FALSE(Tapes[1].isEmpty());
    EXPECT_EQ(Tapes[1].first(), Tapes[0].first());
    EXPECT_TRUE(Tapes[1].join(u'|').contains("+|3.0000|=|5.0000"))
        << Tapes[1].join(u'|').toStdString();
    EXPECT_EQ(Tapes[2], Tapes[1]);
    // So does the program's tape: the calculation goes on, none ends.
    EXPECT_TRUE(Documents[0].isEmpty());
    ASSERT_EQ(Documents[1].size(), 1);
    EXPECT_TRUE(Documents[1][0].join(u'|').startsWith("2.0000|+|3.0000|=|5.0000"))
        << Documents[1][0].join(u'|').toStdString();
    EXPECT_EQ(Documents[2], Documents[1]);
    // Trimmed alike: the program's title, no cancel key.
    for (size_t I = 0; I < Titles.size(); ++I) {
        EXPECT_EQ(Titles[I], Calc.Title());
        EXPECT_FALSE(CancelShown[I]);
    }
    EXPECT_NEAR(double(Calc.Value()), 3.14159265, 1e-6);
    EXPECT_EQ(Calc.Memory(), Extended(9));
    EXPECT_EQ(Calc.AngleMode(), amDegrees);
    EXPECT_EQ(Calc.DecimalPlaces(), 2);
}

// A switch keeps the window's top-left corner where the user put it: the
// wider scientific window is moved only as far as it must to stay on the
// screen, and the way back returns to the corner; a window the user moved
// hands on its new corner.
TEST_F(WindowExtras, SwitchingKeepsTheWindowsCornerOnTheScreen)
{
    const QRect Area = QGuiApplication::primaryScreen()->availableGeometry();
    // Where the compact window fits and the scientific one does not.
    const QPoint NearRight(Area.right() + 1 - 210, Area.top() + 100);
    std::vector<QPoint> Corners;
    std::vector<int> Widths;
    auto Run = [&](TBrixCalcFormBase *F) {
        QTimer::singleShot(0, F, [&, F] {
            Corners.push_back(F->frameGeometry().topLeft());
            Widths.push_back(F->frameGeometry().width());
            auto *X = F->findChild<TPocketoWindowExtras *>();
            switch (Corners.size()) {
            case 1:
                F->move(NearRight);
                X->SwitchWindow(true);
                break;
            case 2:
                X->SwitchWindow(false);
                break;
            case 3:
                F->move(Area.topLeft() + QPoint(30, 40));
                X->SwitchWindow(true);
                break;
            default:
                F->close();
            }
        });
    };
    OnEachWindow(Run);
    ASSERT_TRUE(DM->ShowCalculator(false));

    ASSERT_EQ(Corners.size(), 4u);
    ASSERT_GT(Widths[1], Widths[0]) << "the scientific window is the wider";
    EXPECT_EQ(Corners[1], QPoint(Area.right() + 1 - Widths[1], NearRight.y()));
    EXPECT_EQ(Corners[2], NearRight);
    EXPECT_EQ(Corners[3], Area.topLeft() + QPoint(30, 40));
}

// The switch hands on the whole calculation: a pending 2 + 3 finishes in the
// scientific window, and Ctrl+Z there takes back the keys typed before the
// switch.
TEST_F(WindowExtras, SwitchCarriesThePendingCalculationAndTheUndoSteps)
{
    TBrixCalculator &Calc = *DM->BrixCalculator1;
    QStringList Seen; // the scientific window's display after each step
    int Windows = 0;
    auto Run = [&](TBrixCalcFormBase *F) {
        ++Windows;
        QTimer::singleShot(0, F, [&, F] {
            auto *X = F->findChild<TPocketoWindowExtras *>();
            QWidget *Target = F->focusWidget() ? F->focusWidget() : F;
            if (F->WindowKind() == wkCompact) {
                for (char C : QByteArray("2+3"))
                    QTest::keyClick(Target, C);
                QTest::keyClick(Target, Qt::Key_I, Qt::NoModifier); // 1/x: 0.3333, undone below
                X->SwitchWindow(true);
                EXPECT_FALSE(F->Cancelled) << "the switch keeps the window's values";
                return;
            }
            Seen << F->ValueDisplay->text();
            QTest::keyClick(Target, Qt::Key_Z, Qt::ControlModifier);
            Seen << F->ValueDisplay->text();
            QTest::keyClick(Target, '=');
            Seen << F->ValueDisplay->text();
            for (int I = 0; I < 2; ++I)
                QTest::keyClick(Target, Qt::Key_Z, Qt::ControlModifier);
            Seen << F->ValueDisplay->text();
            for (char C : QByteArray("4="))
                QTest::keyClick(Target, C);
            Seen << F->ValueDisplay->text();
            F->close();
        });
    };
    OnEachWindow(Run);
    ASSERT_TRUE(DM->ShowCalculator(false));

    ASSERT_EQ(Windows, 2);
    // 1/x of the 3 with 2 + pending; Ctrl+Z: the key before the switch;
    // 2 + 3 =; back over = and 3; 2 + 4 =.
    EXPECT_EQ(Seen.join(u'|').toStdString(), "0.3333|3|5.0000|2.0000|6.0000");
    EXPECT_EQ(Calc.Value(), Extended(6));
}

} // namespace
