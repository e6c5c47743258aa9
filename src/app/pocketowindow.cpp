#include "pocketowindow.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/version.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFrame>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Brix;

namespace {

const int TapeWidth = 200;

} // namespace

TPocketoWindowExtras::TPocketoWindowExtras(TBrixCalcFormBase &Form, TPocketoOptions &Options)
    : QObject(&Form), FForm(Form), FOptions(Options)
{
    // Right clicks on a key reach the panel on their way up; the decimal
    // places box keeps its own edit menu.
    for (QWidget *Area : {static_cast<QWidget *>(Form.CalcPanel),
                          static_cast<QWidget *>(Form.ValueDisplay),
                          static_cast<QWidget *>(Form.MemoryDisplay)})
        Area->installEventFilter(this);
    // The window follows the tape when it moves or changes its size.
    Form.installEventFilter(this);

    // Shortcuts come before the window's own keyboard, which would read
    // Ctrl+T as a plain "T".
    for (const QKeySequence &Keys : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto *Shortcut = new QShortcut(Keys, &Form);
        connect(Shortcut, &QShortcut::activated, this, [this] { OpenMenuFromKeyboard(); });
    }
    // Ctrl+T also works while the tape has the focus.
    auto *TapeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &Form);
    TapeKey->setContext(Qt::ApplicationShortcut);
    connect(TapeKey, &QShortcut::activated, this, [this] {
        SetTapeShown(!(FTape && FTape->isVisible()));
    });

    // The tape follows the engine: a new line, and anything that clears it
    // (All Clear), which changes the display as well. The window's own
    // handlers run first.
    TBrixCalcEngine &Engine = *Form.CalcEngine;
    for (auto [Get, Set] :
         {std::pair{&TBrixCalcEngine::OnHistoryChange, &TBrixCalcEngine::SetOnHistoryChange},
          std::pair{&TBrixCalcEngine::OnDisplayChange, &TBrixCalcEngine::SetOnDisplayChange}}) {
        TNotifyEvent Before = (Engine.*Get)();
        (Engine.*Set)([this, Before](TObject *Sender) {
            if (Before)
                Before(Sender);
            if (FTape && FTape->isVisible())
                RefreshTape();
        });
    }
}

// ---- Menu ----

void TPocketoWindowExtras::BuildMenu()
{
    FMenu = new QMenu(&FForm);
    FMenu->setObjectName(QStringLiteral("PocketoMenu"));
    FMenu->setToolTipsVisible(true);
    TBrixCalcEngine &Engine = *FForm.CalcEngine;

    QAction *Scientific = FMenu->addAction(tr("Scientific"));
    Scientific->setCheckable(true);
    Scientific->setChecked(FForm.WindowKind() == wkScientific);
    connect(Scientific, &QAction::triggered, this, [this](bool Checked) { SwitchWindow(Checked); });

    // The keys are only shown: the window's own shortcuts and keyboard run
    // them, and a second shortcut for the same keys would block both.
    auto WithKeys = [](const QString &Text, QKeyCombination Keys) {
        return Text + u'\t' + QKeySequence(Keys).toString(QKeySequence::NativeText);
    };
    FTapeAction = FMenu->addAction(WithKeys(tr("Tape"), Qt::CTRL | Qt::Key_T));
    FTapeAction->setCheckable(true);
    connect(FTapeAction, &QAction::triggered, this, [this](bool Checked) { SetTapeShown(Checked); });
    FMenu->addSeparator();

    QAction *Copy = FMenu->addAction(WithKeys(tr("Copy"), Qt::CTRL | Qt::Key_C));
    Copy->setToolTip(Engine.GetName(ectCopyHint));
    connect(Copy, &QAction::triggered, this, [this] { FForm.ClickKey(ckCopy); });
    QAction *Paste = FMenu->addAction(WithKeys(tr("Paste"), Qt::CTRL | Qt::Key_V));
    Paste->setToolTip(Engine.GetName(ectPasteHint));
    connect(Paste, &QAction::triggered, this, [this] { FForm.ClickKey(ckPaste); });
    FMenu->addSeparator();

    QAction *About = FMenu->addAction(tr("About LumoPocketo"));
    connect(About, &QAction::triggered, this, [this] { ShowAbout(); });
}

void TPocketoWindowExtras::OpenMenu(const QPoint &GlobalPos)
{
    if (!FMenu)
        BuildMenu();
    FTapeAction->setChecked(FTape && FTape->isVisible());
    FMenu->popup(GlobalPos);
}

void TPocketoWindowExtras::OpenMenuFromKeyboard()
{
    // Under the value display, where the eye already is.
    QWidget *Display = FForm.ValueDisplay;
    OpenMenu(Display->mapToGlobal(QPoint(0, Display->height())));
}

bool TPocketoWindowExtras::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == &FForm) {
        if (Event->type() == QEvent::Show && FOptions.ShowTape && !FTape)
            SetTapeShown(true);
        else if ((Event->type() == QEvent::Move || Event->type() == QEvent::Resize) && FTape &&
            FTape->isVisible())
            PlaceTape();
        return false;
    }
    if (Event->type() == QEvent::ContextMenu) {
        auto *Menu = static_cast<QContextMenuEvent *>(Event);
        if (Menu->reason() == QContextMenuEvent::Keyboard)
            OpenMenuFromKeyboard();
        else
            OpenMenu(Menu->globalPos());
        return true;
    }
    return false;
}

void TPocketoWindowExtras::SwitchWindow(bool Scientific)
{
    FOptions.Scientific = Scientific;
    if (Scientific == (FForm.WindowKind() == wkScientific))
        return;
    FOptions.SwitchWindow = true;
    FOptions.CarriedTape = FForm.CalcEngine->HistoryLines();
    FForm.Cancelled = false; // the values go to the next window
    FForm.close();
}

// ---- Tape ----

void TPocketoWindowExtras::BuildTape()
{
    // A child tool window of the dialog: a top-level window of its own would
    // get no input while the dialog's modal loop runs.
    FTape = new QWidget(&FForm, Qt::Tool);
    FTape->setObjectName(QStringLiteral("PocketoTape"));
    FTape->setWindowTitle(tr("Tape"));
    auto *Layout = new QVBoxLayout(FTape);
    Layout->setContentsMargins(0, 0, 0, 0);
    FTapeView = new QPlainTextEdit(FTape);
    FTapeView->setObjectName(QStringLiteral("TapeView"));
    FTapeView->setAccessibleName(tr("Tape"));
    FTapeView->setReadOnly(true);
    FTapeView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    FTapeView->setLineWrapMode(QPlainTextEdit::NoWrap);
    Layout->addWidget(FTapeView);
}

void TPocketoWindowExtras::PlaceTape()
{
    // At the window's right edge, as high as the window; the window keeps
    // its own size.
    const QRect Frame = FForm.frameGeometry();
    FTape->resize(TapeWidth, FForm.height());
    FTape->move(Frame.right() + 1, Frame.top());
}

void TPocketoWindowExtras::RefreshTape()
{
    const QString Text = FForm.CalcEngine ? FForm.CalcEngine->HistoryLines().join(u'\n') : QString();
    if (Text == FTapeView->toPlainText())
        return;
    FTapeView->setPlainText(Text);
    // The newest line is at the bottom, in view.
    FTapeView->verticalScrollBar()->setValue(FTapeView->verticalScrollBar()->maximum());
}

void TPocketoWindowExtras::SetTapeShown(bool Value)
{
    FOptions.ShowTape = Value;
    if (!Value) {
        if (FTape)
            FTape->hide();
        return;
    }
    if (!FTape)
        BuildTape();
    RefreshTape();
    PlaceTape();
    FTape->show();
    // The keyboard stays with the calculator.
    FForm.activateWindow();
}

// ---- About ----

QString TPocketoWindowExtras::AboutText() const
{
    return tr("LumoPocketo %1").arg(QStringLiteral(BRIX_VERSION_STRING)) + u'\n' +
           tr("A pocket calculator for the desktop.") + QStringLiteral("\n\n") +
           tr("Settings file: %1").arg(QDir::toNativeSeparators(FOptions.SettingsFile));
}

void TPocketoWindowExtras::ShowAbout()
{
    QMessageBox Box(QMessageBox::Information, tr("About LumoPocketo"), AboutText(),
                    QMessageBox::Ok, &FForm);
    Box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    Box.exec();
}
