// The tape's view: rows of every calculation, keys, the inline editor, the
// context menu, what screen readers read, and the palette.
#include "brix/calcwindows/tapeview.h"

#include "brix/resources/calculator.h"
#include "brix/strings/tools.h"

#include "../common/regional_guard.h"
#include "tape_lines.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Brix;

namespace {

using BrixTest::Error;
using BrixTest::Number;
using BrixTest::Result;
using BrixTest::Text;

// A kept calculation and the current one (3 * 4, edited, and an error).
const TBrixTapeCalculation Sum{Number("12.0000", "12", 0), Text("+"), Number("5.0000", "5", 2),
                               Text("="), Result("17.0000", "17")};
const TBrixTapeCalculation Product{Number("3.0000", "3", 0),
                                   Text("*"),
                                   Number("4.0000", "4", 2, true),
                                   Text("="),
                                   Result("12.0000", "12"),
                                   Number("8.0000", "8", 4),
                                   Text("/"),
                                   Number("0.0000", "0", 6),
                                   Text("="),
                                   Error("- - - - ERROR - - - -")};

// The rows of Sum and Product, as their items read.
const QStringList Spoken{"12.0000 plus",      "5.0000 equals",         "total 17.0000",
                         "3.0000 times",      "4.0000 equals, edited", "total 12.0000",
                         "8.0000 divided by", "0.0000 equals",         "error"};
// Rows of the current calculation whose number can be edited, and the line.
constexpr int RowOf4 = 4, LineOf4 = 2, RowOf12 = 0, TotalRow = 5, ErrorRow = 8;

class TapeView : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        TBrixCalcRecord First;
        First.Serial = 1;
        First.Lines = Sum;
        Document.Follow(First);
        Document.Follow(Second());
        View.SetDocument(&Document);
        View.resize(240, 320);
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
        View.setFocus();
    }
    static TBrixCalcRecord Second()
    {
        TBrixCalcRecord Record;
        Record.Serial = 2;
        Record.Lines = Product;
        return Record;
    }
    void Select(int Row) { View.setCurrentIndex(View.model()->index(Row, 0)); }
    int Current() const { return View.currentIndex().row(); }
    // The open editor (a closed one may wait to be deleted, hidden).
    QLineEdit *Editor() const
    {
        for (QLineEdit *Editor : View.findChildren<QLineEdit *>("TapeEditor"))
            if (Editor->isVisible())
                return Editor;
        return nullptr;
    }

    TBrixTapeDocument Document;
    TBrixTapeView View;
};

TEST_F(TapeView, ShowsEveryCalculationsRowsWithTheirWords)
{
    QAccessible::setActive(true);
    QAccessibleInterface *List = QAccessible::queryAccessibleInterface(&View);
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->role(), QAccessible::List);
    EXPECT_EQ(List->text(QAccessible::Name), "Tape");
    ASSERT_EQ(List->childCount(), Spoken.size());
    QStringList Read;
    for (int I = 0; I < List->childCount(); ++I) {
        EXPECT_EQ(List->child(I)->role(), QAccessible::ListItem);
        Read << List->child(I)->text(QAccessible::Name);
    }
    EXPECT_EQ(Read, Spoken);
    // No item reads as a rule: the rule between calculations is drawn, not a row.
    EXPECT_FALSE(Read.join(' ').contains(QChar(0x2500)));
    // The words follow the language.
    View.SetLanguage(elGerman);
    EXPECT_EQ(List->text(QAccessible::Name), "Rechenstreifen");
    EXPECT_EQ(List->child(2)->text(QAccessible::Name), "Summe 17.0000");
    EXPECT_EQ(List->child(3)->text(QAccessible::Name), "3.0000 mal");
    EXPECT_EQ(List->child(4)->text(QAccessible::Name), "4.0000 gleich, bearbeitet");
    EXPECT_EQ(List->child(6)->text(QAccessible::Name), "8.0000 geteilt durch");
    QAccessible::setActive(false);
}

TEST_F(TapeView, FollowsTheDocument)
{
    Select(1);
    TBrixCalcRecord Third;
    Third.Serial = 3;
    Document.Follow(Third); // all clear: Product kept
    EXPECT_EQ(View.model()->rowCount(), Spoken.size());
    EXPECT_EQ(Current(), 1) << "the selected row stays";
    Third.Lines = {Number("7.0000", "7", 0)};
    Document.Follow(Third);
    ASSERT_EQ(View.model()->rowCount(), Spoken.size() + 1);
    EXPECT_EQ(View.model()->index(int(Spoken.size()), 0).data().toString(), "7.0000");
    Document.Clear(TBrixCalcRecord());
    EXPECT_EQ(View.model()->rowCount(), 0);
    Document.Restore({Sum}, Third);
    EXPECT_EQ(View.model()->rowCount(), 4);
    View.SetDocument(nullptr);
    EXPECT_EQ(View.model()->rowCount(), 0);
    Document.Follow(Second());
    EXPECT_EQ(View.model()->rowCount(), 0) << "a document left is no longer followed";
}

TEST_F(TapeView, KeysSelectRows)
{
    struct TRow
    {
        Qt::Key Key;
        int Row;
    };
    const TRow Rows[] = {{Qt::Key_Home, 0},
                         {Qt::Key_Down, 1},
                         {Qt::Key_Down, 2},
                         {Qt::Key_Up, 1},
                         {Qt::Key_End, int(Spoken.size()) - 1},
                         {Qt::Key_Home, 0}};
    for (const TRow &Row : Rows) {
        QTest::keyClick(&View, Row.Key);
        EXPECT_EQ(Current(), Row.Row) << Row.Key;
        EXPECT_TRUE(View.selectionModel()->isSelected(View.currentIndex()));
    }
}

TEST_F(TapeView, F2TypeEnterAsksForTheEdit)
{
    QSignalSpy Edits(&View, &TBrixTapeView::EditRequested);
    Select(RowOf4);
    EXPECT_EQ(View.SelectedEditableLine(), LineOf4);
    QTest::keyClick(&View, Qt::Key_F2);
    ASSERT_TRUE(View.Editing());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "4") << "the value, not the shown 4.0000";
    QTest::keyClicks(Editor(), "13");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_FALSE(View.Editing());
    ASSERT_EQ(Edits.size(), 1);
    EXPECT_EQ(Edits[0][0].toInt(), LineOf4);
    EXPECT_EQ(Edits[0][1].toString(), "13");
}

// The editor opens with the shortest text that reads back as the number's
// very value, in the region's decimal separator; Enter on it unchanged asks
// for nothing.
TEST_F(TapeView, EditorHoldsTheExactValueAndEnterUnchangedAsksNothing)
{
    const struct
    {
        Extended Value;
        char16_t Decimal;
        const char *Text; // nullptr: only that it reads back exactly
    } Rows[] = {
        {1.23456L, u'.', "1.23456"},
        {1.23456L, u',', "1,23456"},
        {-2.5L, u'.', "-2.5"},
        {1.0L / 3, u'.', nullptr},
        {1e-300L * 1e-300L, u',', nullptr},
        {1e300L * 1e300L, u'.', nullptr},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(double(Row.Value));
        BrixTest::RegionalGuard Region(Row.Decimal, Row.Decimal == u'.' ? u',' : u'.');
        TBrixCalcRecord Record;
        Record.Serial = 5;
        Record.Lines = {{lkNumber, ckResult, Row.Value, "shown", 0, false}, Text("+")};
        Document.Follow(Record);
        QSignalSpy Edits(&View, &TBrixTapeView::EditRequested);
        Select(View.model()->rowCount() - 1);
        ASSERT_GE(View.SelectedEditableLine(), 0);
        QTest::keyClick(&View, Qt::Key_F2);
        ASSERT_NE(Editor(), nullptr);
        const QString Shown = Editor()->text();
        EXPECT_EQ(Shown, TBrixTapeView::EditText(Row.Value));
        if (Row.Text) {
            EXPECT_EQ(Shown, QString::fromUtf8(Row.Text));
        }
        EXPECT_FALSE(Shown.contains(Row.Decimal == u'.' ? u',' : u'.')) << "never grouped";
        Extended Back = 0;
        ASSERT_TRUE(StoredTextToFloat(Shown, Back)) << Shown.toStdString();
        EXPECT_EQ(Back, Row.Value) << Shown.toStdString();
        QTest::keyClick(Editor(), Qt::Key_Return);
        EXPECT_FALSE(View.Editing());
        EXPECT_EQ(Edits.size(), 0) << "an unchanged text is no edit";
        QApplication::processEvents(); // the closed editor goes
    }
}

TEST_F(TapeView, CtrlDoubleClickEditsAndEscapeCancels)
{
    QSignalSpy Edits(&View, &TBrixTapeView::EditRequested);
    QSignalSpy Reuses(&View, &TBrixTapeView::ReuseRequested);
    const QRect Row = View.visualRect(View.model()->index(RowOf4 - 1, 0));
    QTest::mouseDClick(View.viewport(), Qt::LeftButton, Qt::ControlModifier, Row.center());
    ASSERT_TRUE(View.Editing());
    EXPECT_EQ(Editor()->text(), "3");
    QTest::keyClicks(Editor(), "9");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(View.Editing());
    EXPECT_EQ(Edits.size(), 0);
    EXPECT_EQ(Reuses.size(), 0);
    // Leaving the editor cancels it too.
    QTest::keyClick(&View, Qt::Key_F2);
    ASSERT_TRUE(View.Editing());
    ASSERT_NE(Editor(), nullptr);
    // (Told directly: on a real display another window takes the focus
    // only when the window manager hands it over.)
    QFocusEvent Out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(Editor(), &Out);
    EXPECT_FALSE(View.Editing());
    EXPECT_EQ(Edits.size(), 0);
}

TEST_F(TapeView, F2OnARowThatCannotBeEditedBeepsAndOpensNothing)
{
    QSignalSpy Refused(&View, &TBrixTapeView::Refused);
    const struct
    {
        const char *Name;
        int Row;
    } Rows[] = {
        {"a kept calculation's number", RowOf12}, {"a total", TotalRow}, {"an error", ErrorRow}};
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        Select(Row.Row);
        EXPECT_EQ(View.SelectedEditableLine(), -1);
        QTest::keyClick(&View, Qt::Key_F2);
        EXPECT_FALSE(View.Editing());
        EXPECT_EQ(Editor(), nullptr);
    }
    EXPECT_EQ(Refused.size(), 3);
}

TEST_F(TapeView, InsertAndDoubleClickReuseTheExactValue)
{
    std::vector<Extended> Reused;
    QObject::connect(&View, &TBrixTapeView::ReuseRequested,
                     [&Reused](Extended Value) { Reused.push_back(Value); });
    QSignalSpy Refused(&View, &TBrixTapeView::Refused);
    Select(RowOf12);
    QTest::keyClick(&View, Qt::Key_Insert);
    Select(TotalRow);
    QTest::keyClick(&View, Qt::Key_Insert);
    QTest::mouseDClick(View.viewport(), Qt::LeftButton, Qt::NoModifier,
                       View.visualRect(View.model()->index(1, 0)).center());
    EXPECT_EQ(Reused, std::vector<Extended>({12, 12, 5}));
    EXPECT_FALSE(View.Editing());
    // A row of text alone has no number.
    Select(ErrorRow);
    QTest::keyClick(&View, Qt::Key_Insert);
    EXPECT_EQ(Reused.size(), 3u);
    EXPECT_EQ(Refused.size(), 1);
    // Every bit of a number shown rounded.
    TBrixCalcRecord Record;
    Record.Serial = 5;
    Record.Lines = {{lkNumber, ckResult, 1.23456L, "1.2346", 0, false}};
    Document.Follow(Record);
    Select(View.model()->rowCount() - 1);
    QTest::keyClick(&View, Qt::Key_Insert);
    ASSERT_EQ(Reused.size(), 4u);
    EXPECT_EQ(Reused.back(), 1.23456L);
}

TEST_F(TapeView, OwnsTheKeysOfTheTapeOnly)
{
    struct TRow
    {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        bool Owned;
    };
    const TRow Rows[] = {
        {Qt::Key_Up, Qt::NoModifier, true},         {Qt::Key_Down, Qt::ShiftModifier, true},
        {Qt::Key_Home, Qt::NoModifier, true},       {Qt::Key_End, Qt::NoModifier, true},
        {Qt::Key_PageUp, Qt::NoModifier, true},     {Qt::Key_F2, Qt::NoModifier, true},
        {Qt::Key_Insert, Qt::NoModifier, true},     {Qt::Key_C, Qt::ControlModifier, true},
        {Qt::Key_A, Qt::ControlModifier, true},     {Qt::Key_Menu, Qt::NoModifier, true},
        {Qt::Key_F10, Qt::ShiftModifier, true},     {Qt::Key_Shift, Qt::ShiftModifier, true},
        {Qt::Key_1, Qt::NoModifier, false},         {Qt::Key_Plus, Qt::NoModifier, false},
        {Qt::Key_Return, Qt::NoModifier, false},    {Qt::Key_Enter, Qt::KeypadModifier, false},
        {Qt::Key_Escape, Qt::NoModifier, false},    {Qt::Key_Delete, Qt::NoModifier, false},
        {Qt::Key_Backspace, Qt::NoModifier, false}, {Qt::Key_Z, Qt::ControlModifier, false},
        {Qt::Key_V, Qt::ControlModifier, false},    {Qt::Key_F6, Qt::NoModifier, false},
        {Qt::Key_F10, Qt::NoModifier, false},       {Qt::Key_Insert, Qt::ShiftModifier, false},
    };
    for (const TRow &Row : Rows) {
        const QKeyEvent Key(QEvent::KeyPress, Row.Key, Row.Modifiers);
        EXPECT_EQ(View.OwnsKey(Key), Row.Owned) << Row.Key << " " << Row.Modifiers;
    }
    // While editing every key is the editor's.
    Select(RowOf4);
    QTest::keyClick(&View, Qt::Key_F2);
    ASSERT_TRUE(View.Editing());
    for (const int Key : {Qt::Key_1, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Backspace})
        EXPECT_TRUE(View.OwnsKey(QKeyEvent(QEvent::KeyPress, Key, Qt::NoModifier))) << Key;
}

TEST_F(TapeView, ContextMenuHasEveryActionWithItsKey)
{
    struct TRow
    {
        const char *Name;
        QKeySequence Key;
        const char *English, *German;
    };
    const TRow Rows[] = {
        {"UseTapeAction", QKeySequence(Qt::Key_Insert), "Use number", "Zahl übernehmen"},
        {"EditTapeAction", QKeySequence(Qt::Key_F2), "Edit number", "Zahl bearbeiten"},
        {"CopyTapeAction", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy", "Kopieren"},
        {"SaveTapeAction", QKeySequence(), "Save tape…", "Rechenstreifen speichern…"},
        {"PrintTapeAction", QKeySequence(), "Print tape…", "Rechenstreifen drucken…"},
        {"ClearTapeAction", QKeySequence(), "Clear tape", "Rechenstreifen leeren"},
    };
    for (const TBrixLanguage Language : {elEnglishInt, elGerman}) {
        View.SetLanguage(Language);
        for (const TRow &Row : Rows) {
            SCOPED_TRACE(Row.Name);
            auto *Action = View.findChild<QAction *>(Row.Name);
            ASSERT_NE(Action, nullptr);
            EXPECT_EQ(Action->shortcut(), Row.Key);
            EXPECT_EQ(Action->text(),
                      QString::fromUtf8(Language == elGerman ? Row.German : Row.English));
        }
    }
    QSignalSpy Cleared(&View, &TBrixTapeView::ClearRequested);
    View.findChild<QAction *>("ClearTapeAction")->trigger();
    EXPECT_EQ(Cleared.size(), 1);
    std::vector<Extended> Reused;
    QObject::connect(&View, &TBrixTapeView::ReuseRequested,
                     [&Reused](Extended Value) { Reused.push_back(Value); });
    Select(1);
    View.findChild<QAction *>("UseTapeAction")->trigger();
    EXPECT_EQ(Reused, std::vector<Extended>({5}));
    Select(RowOf4);
    View.findChild<QAction *>("EditTapeAction")->trigger();
    EXPECT_TRUE(View.Editing());
}

TEST_F(TapeView, CtrlCCopiesTheSelectedRowsAsShown)
{
    Select(1);
    View.selectionModel()->select(View.model()->index(3, 0), QItemSelectionModel::Select);
    QApplication::clipboard()->clear();
    QTest::keyClick(&View, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "5.0000 =\n" + QString(16, QChar(0x2500)) + "\n3.0000 ×");
}

TEST_F(TapeView, SaveTapeWritesTheWholeTape)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    ASSERT_EQ(View.SaveTapeTo(Dir.filePath("t.csv")), QString());
    QFile Csv(Dir.filePath("t.csv"));
    ASSERT_TRUE(Csv.open(QIODevice::ReadOnly));
    const QByteArray Data = Csv.readAll();
    EXPECT_TRUE(Data.startsWith("operator,number,result,")) << Data.constData();
    EXPECT_TRUE(Data.contains("+,12,")) << Data.constData();
    EXPECT_TRUE(Data.contains(",17")) << Data.constData();
    EXPECT_NE(View.SaveTapeTo(Dir.filePath("missing/folder/t.txt")), QString());
}

TEST_F(TapeView, AnnounceTotalTellsScreenReadersTheNewTotal)
{
    static std::vector<std::pair<QAccessible::Event, int>> Events;
    Events.clear();
    // Events reach a handler only through an accessibility bridge (the
    // window's end-to-end script runs this test so), not on the offscreen
    // platform.
    QAccessible::setActive(true);
    const bool Bridge = QAccessible::isActive();
    const QAccessible::UpdateHandler Previous =
        QAccessible::installUpdateHandler([](QAccessibleEvent *Event) {
            if (Event->object() && Event->object()->objectName() == "TapeView")
                Events.emplace_back(Event->type(), Event->child());
        });
    View.AnnounceTotal();
    QAccessible::installUpdateHandler(Previous);
    QAccessible::setActive(false);
    // The current calculation ends in an error now, which is told.
    EXPECT_EQ(View.accessibleDescription(), Spoken[ErrorRow]);
    TBrixCalcRecord Record = Second();
    Record.Lines = Record.Lines.mid(0, 5);
    Document.Follow(Record);
    EXPECT_EQ(View.accessibleDescription(), "") << "told once";
    View.AnnounceTotal();
    EXPECT_EQ(View.accessibleDescription(), "total 12.0000");
    if (!Bridge)
        GTEST_SKIP() << "no active accessibility bridge";
    EXPECT_NE(
        std::find(Events.begin(), Events.end(), std::pair(QAccessible::DescriptionChanged, -1)),
        Events.end());
    EXPECT_NE(
        std::find(Events.begin(), Events.end(), std::pair(QAccessible::NameChanged, ErrorRow)),
        Events.end());
}

// The rows are drawn in the palette's colours: on a dark palette the text is
// light and readable, and error rows stand out from the other text.
TEST_F(TapeView, FollowsLightAndDarkPalettes)
{
    QPalette Dark;
    Dark.setColor(QPalette::Base, QColor(0x20, 0x22, 0x25));
    Dark.setColor(QPalette::Window, QColor(0x2a, 0x2c, 0x30));
    Dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    Dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    Dark.setColor(QPalette::Highlight, QColor(0x3d, 0x6e, 0xb5));
    Dark.setColor(QPalette::HighlightedText, Qt::white);
    QPalette Light;
    Light.setColor(QPalette::Base, Qt::white);
    Light.setColor(QPalette::Text, Qt::black);
    const auto Luminance = [](const QColor &C) {
        const auto L = [](double V) {
            return V <= 0.03928 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * L(C.redF()) + 0.7152 * L(C.greenF()) + 0.0722 * L(C.blueF());
    };
    const auto Contrast = [&](const QColor &A, const QColor &B) {
        const double La = Luminance(A), Lb = Luminance(B);
        return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
    };
    View.clearSelection();
    View.setCurrentIndex(QModelIndex());
    for (const QPalette &Palette : {Light, Dark}) {
        SCOPED_TRACE(Palette.color(QPalette::Base).name().toStdString());
        View.setPalette(Palette);
        const QColor Base = Palette.color(QPalette::Base);
        const QColor Error = TBrixTapeView::ErrorColor(Palette);
        EXPECT_GE(Contrast(Error, Base), 4.5);
        EXPECT_GT(Error.red(), Error.green() + 60) << "reads as red";
        const QImage Image = View.viewport()->grab().toImage();
        // The strongest ink of each row against the base.
        const auto Ink = [&](int Row) {
            const QRect Rect = View.visualRect(View.model()->index(Row, 0));
            QColor Best = Base;
            for (int Y = Rect.top(); Y <= Rect.bottom(); ++Y)
                for (int X = Rect.left(); X <= Rect.right(); ++X) {
                    const QColor Pixel =
                        Image.pixelColor(X * Image.width() / View.viewport()->width(),
                                         Y * Image.height() / View.viewport()->height());
                    if (Contrast(Pixel, Base) > Contrast(Best, Base))
                        Best = Pixel;
                }
            return Best;
        };
        EXPECT_EQ(Image.pixelColor(Image.width() - 2, Image.height() - 2), Base);
        EXPECT_GE(Contrast(Ink(0), Base), 7.0) << "a number row";
        EXPECT_GE(Contrast(Ink(TotalRow), Base), 7.0) << "a total";
        const QColor ErrorInk = Ink(ErrorRow);
        EXPECT_GE(Contrast(ErrorInk, Base), 4.5);
        EXPECT_GT(ErrorInk.red(), ErrorInk.green() + 60) << "the error row is drawn in red";
    }
}

// A view of a tape at its limit of calculations: a key changes only the
// current calculation's rows, the end of a calculation drops the oldest
// calculation's rows, and what the view shows is what a view made afresh
// shows.
TEST(TapeViewLong, ChangesOnlyTheRowsThatChanged)
{
    BrixTest::RegionalGuard Region;
    TBrixTapeDocument Document;
    TBrixCalcRecord Record;
    for (int C = 0; C <= TBrixTapeDocument::Limit; ++C) {
        Record.Serial = C;
        Record.Lines = C < TBrixTapeDocument::Limit ? QList<TBrixCalcRecordLine>(Sum)
                                                    : QList<TBrixCalcRecordLine>();
        Document.Follow(Record);
    }
    ASSERT_EQ(Document.Kept().size(), TBrixTapeDocument::Limit);
    TBrixTapeView View;
    View.resize(240, 320);
    View.SetDocument(&Document);
    View.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    const int RowsOfSum = 3;
    ASSERT_EQ(View.model()->rowCount(), TBrixTapeDocument::Limit * RowsOfSum);

    struct TCounts
    {
        int Reset = 0, Inserted = 0, Removed = 0, Changed = 0;
    } Counts;
    QAbstractItemModel *Model = View.model();
    QObject::connect(Model, &QAbstractItemModel::modelReset, [&] { ++Counts.Reset; });
    QObject::connect(
        Model, &QAbstractItemModel::rowsInserted,
        [&](const QModelIndex &, int First, int Last) { Counts.Inserted += Last - First + 1; });
    QObject::connect(
        Model, &QAbstractItemModel::rowsRemoved,
        [&](const QModelIndex &, int First, int Last) { Counts.Removed += Last - First + 1; });
    QObject::connect(Model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &From, const QModelIndex &To) {
                         Counts.Changed += To.row() - From.row() + 1;
                     });
    QScrollBar &Bar = *View.verticalScrollBar();
    const auto AtEnd = [&] { return Bar.value() == Bar.maximum() && Bar.maximum() > 0; };
    View.scrollToBottom();

    // The keys of 12 + 5 = (17), one at a time, as the record grows.
    for (int Lines = 1; Lines <= Sum.size(); ++Lines) {
        SCOPED_TRACE(Lines);
        Counts = {};
        Record.Lines = Sum.mid(0, Lines);
        Document.Follow(Record);
        EXPECT_EQ(Counts.Reset, 0);
        EXPECT_EQ(Counts.Removed, 0);
        EXPECT_LE(Counts.Inserted + Counts.Changed, 2) << Counts.Inserted << " " << Counts.Changed;
        EXPECT_TRUE(AtEnd()) << "the view at its end stays there";
    }
    EXPECT_EQ(Model->rowCount(), (TBrixTapeDocument::Limit + 1) * RowsOfSum);

    // All clear at the limit: the oldest calculation goes; the selected row
    // stays selected.
    const int Selected = 10;
    const QString SelectedText = Model->index(Selected, 0).data().toString();
    const QString Next = Model->index(Selected + 1, 0).data().toString();
    ASSERT_NE(SelectedText, Next);
    View.setCurrentIndex(Model->index(Selected, 0));
    View.scrollToBottom();
    Counts = {};
    ++Record.Serial;
    Record.Lines.clear();
    Document.Follow(Record);
    ASSERT_EQ(Document.Kept().size(), TBrixTapeDocument::Limit);
    EXPECT_EQ(Counts.Reset, 0);
    EXPECT_EQ(Counts.Removed, RowsOfSum);
    EXPECT_EQ(Counts.Inserted, 0);
    EXPECT_LE(Counts.Changed, RowsOfSum + 2);
    EXPECT_EQ(View.currentIndex().row(), Selected - RowsOfSum);
    EXPECT_EQ(View.currentIndex().data().toString(), SelectedText);
    EXPECT_TRUE(View.selectionModel()->isSelected(View.currentIndex()));
    EXPECT_TRUE(AtEnd());

    // A view scrolled elsewhere stays where it is.
    Bar.setValue(0);
    Record.Lines = Sum.mid(0, 2);
    Document.Follow(Record);
    EXPECT_EQ(Bar.value(), 0);

    // What it shows is what a view of the document made afresh shows.
    TBrixTapeView Fresh;
    Fresh.resize(View.size());
    Fresh.SetDocument(&Document);
    Fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Fresh));
    const auto Shown = [](TBrixTapeView &V) {
        QStringList Rows;
        for (int R = 0; R < V.model()->rowCount(); ++R) {
            const QModelIndex Index = V.model()->index(R, 0);
            Rows << Index.data().toString() + u'|' + Index.data(Qt::AccessibleTextRole).toString() +
                        u'|' + QString::number(int(Index.flags()));
        }
        V.clearSelection();
        V.setCurrentIndex(QModelIndex());
        V.scrollToBottom();
        V.doItemsLayout();
        V.viewport()->repaint();
        return std::pair(Rows, V.viewport()->grab().toImage());
    };
    const auto [Rows, Image] = Shown(View);
    const auto [FreshRows, FreshImage] = Shown(Fresh);
    EXPECT_EQ(Rows, FreshRows);
    EXPECT_TRUE(Image == FreshImage) << "drawn alike, rules included";
    // At the top too, where the oldest calculation went.
    View.scrollToTop();
    Fresh.scrollToTop();
    EXPECT_TRUE(View.viewport()->grab().toImage() == Fresh.viewport()->grab().toImage());
}

TEST(TapeViewFont, NumbersAreDrawnWithDigitsOfOneWidth)
{
    const auto Tabular = [](const QFont &Font) {
        const QFontMetricsF Metrics(Font);
        for (char16_t Digit = u'1'; Digit <= u'9'; ++Digit)
            if (Metrics.horizontalAdvance(QChar(Digit)) != Metrics.horizontalAdvance(u'0'))
                return false;
        return true;
    };
    TBrixTapeView View;
    // Whatever the display's font, the digits the view draws line up; a
    // font whose digits do is kept.
    int Kept = 0;
    for (const QString &Family : QFontDatabase::families()) {
        SCOPED_TRACE(Family.toStdString());
        const QFont Font(Family, 14);
        View.SetNumberFont(Font);
        EXPECT_TRUE(Tabular(View.NumberFont()));
        EXPECT_EQ(View.NumberFont().pointSize(), 14);
        if (Tabular(Font)) {
            EXPECT_EQ(View.NumberFont().family(), Font.family());
            ++Kept;
        }
    }
    EXPECT_GT(Kept, 0);
}

TEST(TapeViewTexts, EveryLanguageHasTheTapesTexts)
{
    auto Texts = CreateOwned<TBrixCalculatorStrings>();
    // Words that may read alike in a language and English ("plus", "total").
    const QList<TBrixResCalc> Words{ectTapePlus,   ectTapeMinus, ectTapeTimes,  ectTapeDividedBy,
                                    ectTapeEquals, ectTapeTotal, ectTapeEdited, ectTapeError};
    for (int Key = ectTapeName; Key <= ectTapeError; ++Key) {
        const QString English = Texts->GetName(elEnglishInt, TBrixResCalc(Key));
        EXPECT_FALSE(English.isEmpty()) << Key;
        for (int L = elBrazPort; L < elUSER; ++L) {
            SCOPED_TRACE(L);
            EXPECT_TRUE(Texts->Strings()->contains(TextKey(TBrixLanguage(L), Key))) << Key;
            if (!Words.contains(TBrixResCalc(Key))) {
                EXPECT_NE(Texts->GetName(TBrixLanguage(L), TBrixResCalc(Key)), English) << Key;
            }
        }
    }
}

} // namespace

// A key on a long tape shown at its end repaints the row it changes, as on a
// short tape, and not every row in view; the scroll bar, whose handle a row
// added hardly moves on a long tape, is not repainted.
TEST(TapeViewLong, AKeyRepaintsOnlyTheRowItChanges)
{
    BrixTest::RegionalGuard Region;
    // The area painted in a view's rows and in its scroll bar.
    struct TPainted : QObject
    {
        qint64 Area = 0;
        int Paints = 0;
        bool eventFilter(QObject *, QEvent *Event) override
        {
            if (Event->type() == QEvent::Paint) {
                ++Paints;
                for (const QRect &Rect : static_cast<QPaintEvent *>(Event)->region())
                    Area += qint64(Rect.width()) * Rect.height();
            }
            return false;
        }
    };
    for (const int Kept : {1, 200}) {
        SCOPED_TRACE(Kept);
        TBrixTapeDocument Document;
        TBrixCalcRecord Record;
        for (int C = 0; C <= Kept; ++C) {
            Record.Serial = C;
            Record.Lines = C < Kept ? QList<TBrixCalcRecordLine>(Sum) : Sum.mid(0, 1);
            Document.Follow(Record);
        }
        TBrixTapeView View;
        View.resize(240, 320);
        View.SetDocument(&Document);
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
        View.scrollToBottom();
        QTest::qWait(20);
        TPainted Rows, Bar;
        View.viewport()->installEventFilter(&Rows);
        View.verticalScrollBar()->installEventFilter(&Bar);

        // 12 becomes "12 +": one row changes.
        Record.Lines = Sum.mid(0, 2);
        Document.Follow(Record);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Rows.Paints > 0; }));
        QTest::qWait(20);
        const QRect Row = View.visualRect(View.model()->index(View.model()->rowCount() - 1, 0));
        EXPECT_LE(Rows.Area, qint64(Row.width()) * Row.height());

        // "5" adds a row, and the view follows it by a row: the rows shown
        // move up, and only the new row and the one it follows are painted.
        Record.Lines = Sum.mid(0, 3);
        Rows.Paints = 0;
        Rows.Area = 0;
        Document.Follow(Record);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Rows.Paints > 0; }));
        QTest::qWait(20);
        EXPECT_LE(Rows.Area, 2 * qint64(Row.width()) * Row.height());
        EXPECT_EQ(Bar.Paints, 0);
    }
}
