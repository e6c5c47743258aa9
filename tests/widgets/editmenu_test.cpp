// The edits' right-click menu: paste and cut from the menu follow the same
// rules as from the keyboard (a spin edit with its editor off refuses both).
#include "brix/classes/formatsettings.h"
#include "brix/widgets/spinedits.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

using namespace Brix;

namespace {

// Opens Edit's context menu and returns it (nullptr when none opened).
QMenu *OpenMenu(QLineEdit *Edit)
{
    const QPoint At(5, Edit->height() / 2);
    QContextMenuEvent Event(QContextMenuEvent::Mouse, At, Edit->mapToGlobal(At));
    QApplication::sendEvent(Edit, &Event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// Runs the menu entry Name of Edit's menu; returns whether it was enabled.
bool RunMenuEntry(QLineEdit *Edit, const char *Name)
{
    QMenu *Menu = OpenMenu(Edit);
    EXPECT_NE(Menu, nullptr);
    if (!Menu)
        return false;
    QAction *Action = Menu->findChild<QAction *>(QLatin1String(Name));
    EXPECT_NE(Action, nullptr) << Name;
    const bool Enabled = Action && Action->isEnabled();
    if (Action)
        Action->trigger(); // also a disabled entry: the edit must still refuse
    Menu->close();
    return Enabled;
}

TEST(EditMenu, PasteAndCutFollowTheKeyboardRules)
{
    const TFormatSettings Saved = RegionalSettings();
    RegionalSettings().DecimalSeparator = u'.';
    QWidget Window;
    Window.resize(300, 100);
    auto *Refusing = new TBrixSpinEdit(&Window);
    Refusing->setGeometry(10, 10, 100, 24);
    Refusing->SetEditorEnabled(false);
    auto *Menu = new TBrixIntEdit(&Window);
    Menu->setGeometry(10, 40, 100, 24);
    auto *Keyboard = new TBrixIntEdit(&Window);
    Keyboard->setGeometry(10, 70, 100, 24);
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));

    for (const QString &Clip : {QStringLiteral("abc-9"), QStringLiteral("17")}) {
        SCOPED_TRACE(Clip.toStdString());
        // Refused: the box keeps its text and the clipboard its content.
        Refusing->SetValue(42);
        Refusing->setFocus();
        Refusing->selectAll();
        QApplication::clipboard()->setText(Clip);
        EXPECT_FALSE(RunMenuEntry(Refusing, "edit-paste"));
        EXPECT_EQ(Refusing->text(), QStringLiteral("42"));
        EXPECT_FALSE(RunMenuEntry(Refusing, "edit-cut"));
        EXPECT_EQ(Refusing->text(), QStringLiteral("42"));
        EXPECT_EQ(QApplication::clipboard()->text(), Clip);
        // Copy is not refused.
        Refusing->selectAll();
        EXPECT_TRUE(RunMenuEntry(Refusing, "edit-copy"));
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("42"));

        // Allowed: the menu's paste gives what Ctrl+V gives.
        QApplication::clipboard()->setText(Clip);
        for (TBrixIntEdit *Edit : {Menu, Keyboard})
            Edit->SetAsInteger(42);
        Menu->setFocus();
        Menu->selectAll();
        EXPECT_TRUE(RunMenuEntry(Menu, "edit-paste"));
        const QString ByMenu = Menu->text(); // before leaving reads it as a number
        Keyboard->setFocus();
        Keyboard->selectAll();
        QTest::keyClick(Keyboard, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(ByMenu.toStdString(), Keyboard->text().toStdString());
    }
    RegionalSettings() = Saved;
}

} // namespace
