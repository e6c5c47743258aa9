#include "pocketowindow.h"

#include "placement.h"
#include "settingsdialog.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/calcwindows/tapeview.h"
#include "brix/version.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Brix;

namespace {

const int TapeWidth = 200;

const char *const TapeWindowProperty = "lumoTapeWindow";

// Screen readers see the tape's window as a window (a frame) holding the
// tape's list, not as a filler around it.
QAccessibleInterface *TapeWindowAccessibleFactory(const QString &, QObject *Object)
{
    if (Object && Object->isWidgetType() && Object->property(TapeWindowProperty).toBool())
        return new QAccessibleWidget(static_cast<QWidget *>(Object), QAccessible::Window);
    return nullptr;
}

} // namespace

TPocketoWindowExtras::TPocketoWindowExtras(TBrixCalcFormBase &Form, TPocketoWindowHost &Host)
    : QObject(&Form), FForm(Form), FHost(Host)
{
    // Right clicks on a key reach the panel on their way up; the decimal
    // places box keeps its own edit menu.
    for (QWidget *Area :
         {static_cast<QWidget *>(Form.CalcPanel), static_cast<QWidget *>(Form.ValueDisplay),
          static_cast<QWidget *>(Form.MemoryDisplay)})
        Area->installEventFilter(this);
    // The window follows the tape when it moves or changes its size.
    Form.installEventFilter(this);

    // Shortcuts come before the window's own keyboard, which would read
    // Ctrl+T as a plain "T".
    for (const QKeySequence &Keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto *Shortcut = new QShortcut(Keys, &Form);
        connect(Shortcut, &QShortcut::activated, this, [this] { OpenMenuFromKeyboard(); });
    }
    // Ctrl+T and F6 also work while the tape has the focus.
    auto *TapeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &Form);
    TapeKey->setContext(Qt::ApplicationShortcut);
    connect(TapeKey, &QShortcut::activated, this,
            [this] { SetTapeShown(!(FTape && FTape->isVisible())); });
    auto *FocusKey = new QShortcut(QKeySequence(Qt::Key_F6), &Form);
    FocusKey->setContext(Qt::ApplicationShortcut);
    FocusKey->setAutoRepeat(false); // held down, it moves the keyboard once
    connect(FocusKey, &QShortcut::activated, this, [this] { SwitchFocus(); });

    // The decimal places box speaks the calculator's language to screen
    // readers, once one listens (the program's translations are loaded
    // only then).
    QAccessible::installActivationObserver(this);
    if (QAccessible::isActive())
        NameDecimalBox();

    // The program's tape collects the window's calculations, and is written
    // when one ends.
    TBrixTapeDocument &Tape = FHost.Tape();
    FWrittenKept = Tape.Kept();
    FTapeObserver = Tape.AddObserver([this](TBrixTapeChange Change) { TapeChanged(Change); });
    Form.SetTapeDocument(&Tape);
}

void TPocketoWindowExtras::TapeChanged(TBrixTapeChange Change)
{
    const TBrixTapeDocument &Tape = FHost.Tape();
    switch (Change) {
    case tcCurrent:
    case tcLoaded:
        return;
    case tcRestored:
        // Undo and redo write the file only where they took a calculation
        // back or brought one again (the lists share their data while equal,
        // so this is seldom more than a look at two pointers).
        if (Tape.Kept() == FWrittenKept)
            return;
        break;
    case tcEnded:
    case tcCleared:
        break;
    }
    FWrittenKept = Tape.Kept();
    FHost.SaveTape();
}

TPocketoWindowExtras::~TPocketoWindowExtras()
{
    QAccessible::removeActivationObserver(this);
    FHost.Tape().RemoveObserver(FTapeObserver);
}

void TPocketoWindowExtras::accessibilityActiveChanged(bool Active)
{
    if (Active)
        NameDecimalBox();
}

void TPocketoWindowExtras::NameDecimalBox()
{
    // The window names the box and its arrows from the calculator's text
    // table, which has no such texts in some languages.
    FHost.UseTranslations();
    TBrixSpinEdit &Box = *FForm.DPSpin;
    Box.setAccessibleName(tr("Decimal places"));
    Box.Button()->UpButton()->setAccessibleName(tr("Increase decimal places"));
    Box.Button()->DownButton()->setAccessibleName(tr("Decrease decimal places"));
}

// ---- Menu ----

void TPocketoWindowExtras::BuildMenu()
{
    FHost.UseTranslations();
    FMenu = new QMenu(&FForm);
    FMenu->setObjectName(QStringLiteral("PocketoMenu"));
    FMenu->setToolTipsVisible(true);

    QAction *Scientific = FMenu->addAction(tr("Scientific"));
    Scientific->setObjectName(QStringLiteral("ScientificAction"));
    Scientific->setCheckable(true);
    Scientific->setChecked(FForm.WindowKind() == wkScientific);
    connect(Scientific, &QAction::triggered, this, [this](bool Checked) { SwitchWindow(Checked); });

    // The keys are only shown: the window's own shortcuts and keyboard run
    // them, and a second shortcut for the same keys would block both.
    auto WithKeys = [](const QString &Text, QKeyCombination Keys) {
        return Text + u'\t' + QKeySequence(Keys).toString(QKeySequence::NativeText);
    };
    FTapeAction = FMenu->addAction(WithKeys(tr("Tape"), Qt::CTRL | Qt::Key_T));
    FTapeAction->setObjectName(QStringLiteral("TapeAction"));
    FTapeAction->setCheckable(true);
    connect(FTapeAction, &QAction::triggered, this,
            [this](bool Checked) { SetTapeShown(Checked); });
    QAction *Settings = FMenu->addAction(tr("Settings…"));
    Settings->setObjectName(QStringLiteral("SettingsAction"));
    connect(Settings, &QAction::triggered, this, [this] { OpenSettings(); });
    FMenu->addSeparator();

    FUndoAction = FMenu->addAction(WithKeys(tr("Undo"), Qt::CTRL | Qt::Key_Z));
    FUndoAction->setObjectName(QStringLiteral("UndoAction"));
    connect(FUndoAction, &QAction::triggered, this, [this] { FForm.Undo(); });
    FRedoAction = FMenu->addAction(WithKeys(tr("Redo"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    FRedoAction->setObjectName(QStringLiteral("RedoAction"));
    connect(FRedoAction, &QAction::triggered, this, [this] { FForm.Redo(); });
    FMenu->addSeparator();

    FCopyAction = FMenu->addAction(WithKeys(tr("Copy"), Qt::CTRL | Qt::Key_C));
    FCopyAction->setObjectName(QStringLiteral("CopyAction"));
    connect(FCopyAction, &QAction::triggered, this, [this] { FForm.ClickKey(ckCopy); });
    FPasteAction = FMenu->addAction(WithKeys(tr("Paste"), Qt::CTRL | Qt::Key_V));
    FPasteAction->setObjectName(QStringLiteral("PasteAction"));
    connect(FPasteAction, &QAction::triggered, this, [this] { FForm.ClickKey(ckPaste); });
    FMenu->addSeparator();

    QAction *About = FMenu->addAction(tr("About LumoPocketo"));
    About->setObjectName(QStringLiteral("AboutAction"));
    connect(About, &QAction::triggered, this, [this] { ShowAbout(); });
}

void TPocketoWindowExtras::OpenMenu(const QPoint &GlobalPos)
{
    if (!FMenu)
        BuildMenu();
    FTapeAction->setChecked(FTape && FTape->isVisible());
    FUndoAction->setEnabled(FForm.UndoHistory().UndoCount() > 0);
    FRedoAction->setEnabled(FForm.UndoHistory().RedoCount() > 0);
    // The hints of the text tables, in the language the window has now.
    const TBrixCalcEngine &Engine = *FForm.CalcEngine;
    FCopyAction->setToolTip(Engine.GetName(ectCopyHint));
    FPasteAction->setToolTip(Engine.GetName(ectPasteHint));
    FMenu->popup(GlobalPos);
}

void TPocketoWindowExtras::OpenMenuFromKeyboard()
{
    // The window's shortcuts also see the keys of the tape, a window of
    // its own inside this one: there the keys open the tape's menu.
    if (FTape && FTape->isVisible() && FTape->isAncestorOf(QApplication::focusWidget())) {
        QContextMenuEvent Menu(QContextMenuEvent::Keyboard, QPoint(),
                               FTapeView->viewport()->mapToGlobal(QPoint()));
        QApplication::sendEvent(FTapeView, &Menu);
        return;
    }
    // Under the value display, where the eye already is.
    QWidget *Display = FForm.ValueDisplay;
    OpenMenu(Display->mapToGlobal(QPoint(0, Display->height())));
}

bool TPocketoWindowExtras::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FTapeView) {
        // Keys typed in the tape are the calculator's, but for those the
        // tape acts on itself (moving through and selecting its lines,
        // copying them, its menu, reusing and editing a number).
        if (Event->type() != QEvent::KeyPress)
            return false;
        auto *Key = static_cast<QKeyEvent *>(Event);
        if (FTapeView->OwnsKey(*Key))
            return false;
        QKeyEvent Forwarded(QEvent::KeyPress, Key->key(), Key->modifiers(), Key->text(),
                            Key->isAutoRepeat(), ushort(Key->count()));
        QApplication::sendEvent(FForm.CalcPanel, &Forwarded);
        return true;
    }
    if (Watched == &FForm) {
        if (Event->type() == QEvent::Show && !Event->spontaneous()) {
            // The calculator takes the keyboard when it opens, also where no
            // window manager hands it to a new window (a modal dialog was
            // activated by Qt itself; a normal window is not).
            FForm.activateWindow();
            if (FHost.ShowTape() && !FTape)
                SetTapeShown(true);
        } else if ((Event->type() == QEvent::Move || Event->type() == QEvent::Resize) && FTape &&
                   FTape->isVisible())
            PlaceTape();
        return false;
    }
    if (Watched == FTape) {
        // A size the program did not give it is the user's, and kept.
        if (Event->type() == QEvent::Resize && FTape->isVisible() &&
            FTape->size() != FPlacedTapeSize) {
            FPlacedTapeSize = FTape->size();
            FHost.SetTapeSize(FTape->size());
        }
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
    FHost.SetScientific(Scientific);
    if (Scientific == (FForm.WindowKind() == wkScientific))
        return;
    TPocketoCarried Carried{FForm.CalcEngine->SaveState(), FForm.UndoHistory(), {}, {}};
    if (CanPlaceWindows()) {
        QPoint Corner = FForm.geometry().topLeft();
        if (FChosenCorner && Corner == FChosenCorner->second)
            Corner = FChosenCorner->first;
        Carried.TopLeft = Corner;
        Carried.Frame = FrameMargins(FForm);
    }
    FHost.ReplaceWindow(std::move(Carried));
    FForm.Cancelled = false; // the values go to the next window
    FForm.close();
}

void TPocketoWindowExtras::SetChosenCorner(const QPoint &Corner)
{
    FChosenCorner = std::pair(Corner, FForm.geometry().topLeft());
}

// ---- Settings ----

TPocketoSettings TPocketoWindowExtras::CurrentSettings() const
{
    TPocketoSettings S = FHost.Settings();
    S.AngleMode = FForm.CalcEngine->AngleMode();
    S.DecimalPlaces = FForm.CalcEngine->DecimalPlaces();
    return S;
}

void TPocketoWindowExtras::OpenSettings()
{
    FHost.UseTranslations();
    TPocketoSettingsDialog Dialog(CurrentSettings(), *FForm.CalcEngine, &FForm);
    const bool Accepted = Dialog.exec() == QDialog::Accepted;
    // The keyboard goes back to the calculator, also where no window
    // manager hands it back.
    FForm.activateWindow();
    if (Accepted)
        ApplySettings(Dialog.Settings());
}

void TPocketoWindowExtras::ApplySettings(const TPocketoSettings &Value)
{
    FHost.ApplySettings(Value);
    TBrixCalcEngine &Engine = *FForm.CalcEngine;

    // The calculation options hold for the whole calculation: the undo
    // steps get them too, so that going back never switches them back.
    const auto SetOptions = [&Value](TBrixCalcEngineState &State) {
        for (const TPocketoFlag &Flag : Value.Flags)
            if (Flag.Option->InUndoSteps)
                State.*Flag.Option->InUndoSteps = Flag.Value;
    };
    FForm.UndoHistory().Amend(SetOptions);
    TBrixCalcEngineState Before = Engine.SaveState();
    SetOptions(Before);
    // The window's own copies: its engine's options, stay on top.
    for (const TPocketoFlag &Flag : Value.Flags)
        if (Flag.Option->ApplyToWindow)
            Flag.Option->ApplyToWindow(FForm, Flag.Value);

    // Angle mode and decimal places are the calculation's, as the angle key
    // and the decimal places box set them: a change is one undo step.
    const Byte Places = Byte(qBound(0, Value.DecimalPlaces, 255));
    if (Value.AngleMode != Before.AngleMode || Places != Before.DecimalPlaces) {
        Engine.SetAngleMode(Value.AngleMode);
        Engine.SetDecimalPlaces(Places); // the box follows, as no step of its own
        FForm.RecordUndoStep(std::move(Before));
    }
    // Grouping and trimming are the formatter's, which the engine renders
    // with.
    Engine.RedrawDisplay();
    FForm.ShowValues();

    // The window re-reads its texts in the new language, the title with
    // them: the program's title stays.
    const QString Title = FForm.windowTitle();
    Engine.SetLanguage(FHost.Language());
    FForm.setWindowTitle(Title);
    FForm.RadBtn->setText(Engine.GetAngleModeStr());
    if (QAccessible::isActive())
        NameDecimalBox(); // the window named it again, from its table
    // After a new language the program's own texts follow: the menu is
    // built again when next opened (this runs from one of its entries, so it
    // goes later), and the tape's window takes its new name (the tape itself
    // follows the window's language).
    if (FHost.UseTranslations()) {
        if (FMenu) {
            FMenu->deleteLater();
            FMenu = nullptr;
        }
        if (FTape)
            FTape->setWindowTitle(tr("Tape"));
    }
}

// ---- Tape ----

void TPocketoWindowExtras::BuildTape()
{
    FHost.UseTranslations();
    // A child tool window of the dialog: a top-level window of its own would
    // get no input while the dialog's modal loop runs.
    FTape = new QWidget(&FForm, Qt::Tool);
    static const bool FactoryInstalled = [] {
        QAccessible::installFactory(TapeWindowAccessibleFactory);
        return true;
    }();
    Q_UNUSED(FactoryInstalled);
    // Before anything makes the screen readers' bridge look at it.
    FTape->setProperty(TapeWindowProperty, true);
    FTape->setObjectName(QStringLiteral("PocketoTape"));
    FTape->setWindowTitle(tr("Tape"));
    auto *Layout = new QVBoxLayout(FTape);
    Layout->setContentsMargins(0, 0, 0, 0);
    FTapeView = new TBrixTapeView(FTape);
    // The library's pair: the tape follows the window's document, language
    // and font, and reuses, edits and clears through the window itself.
    FTapeView->SetCalculator(&FForm);
    FTapeView->installEventFilter(this);
    Layout->addWidget(FTapeView);
    FTape->installEventFilter(this);
}

void TPocketoWindowExtras::PlaceTape()
{
    // As high as the window, its top at the window's top, beside the window
    // on the side where it fits on the screen. The window keeps its own
    // size. Positions are set for the client areas, whose frames the window
    // manager adds: the tape's frame is taken to be as thick as the
    // window's until the tape has one of its own.
    const QMargins WindowFrame = FrameMargins(FForm);
    const QMargins TapeFrame =
        FTape->frameGeometry() == FTape->geometry() ? WindowFrame : FrameMargins(*FTape);
    const QSize Chosen = FHost.TapeSize();
    const QSize Client = Chosen.isValid() ? Chosen : QSize(TapeWidth, FForm.height());
    const QScreen *Screen = FForm.screen();
    const QRect Area = Screen ? Screen->availableGeometry() : FForm.frameGeometry();
    const QRect Placed = TapeBeside(FForm.frameGeometry(), Client.grownBy(TapeFrame), Area)
                             .marginsRemoved(TapeFrame);
    FPlacedTapeSize = Placed.size();
    FTape->setGeometry(Placed);
}

void TPocketoWindowExtras::SetTapeShown(bool Value)
{
    FHost.SetShowTape(Value);
    if (!Value) {
        if (FTape) {
            const bool HadFocus = FTape->isAncestorOf(QApplication::focusWidget());
            FTape->hide();
            if (HadFocus)
                FForm.activateWindow();
        }
        return;
    }
    if (!FTape)
        BuildTape();
    PlaceTape();
    FTape->show();
    // The keyboard stays with the calculator.
    FForm.activateWindow();
}

void TPocketoWindowExtras::SwitchFocus()
{
    if (FTape && FTape->isVisible() && FTape->isAncestorOf(QApplication::focusWidget())) {
        FForm.activateWindow();
        FForm.CalcPanel->setFocus(Qt::TabFocusReason);
        return;
    }
    if (!FTape || !FTape->isVisible())
        SetTapeShown(true);
    FTape->activateWindow();
    FTapeView->setFocus(Qt::TabFocusReason);
}

// ---- About ----

QString TPocketoWindowExtras::AboutText() const
{
    FHost.UseTranslations();
    return tr("LumoPocketo %1").arg(QStringLiteral(BRIX_VERSION_STRING)) + u'\n' +
           tr("A pocket calculator for the desktop.") + u'\n' +
           tr("Free software under the MIT License.") + QStringLiteral("\n\n") +
           tr("Settings file: %1").arg(QDir::toNativeSeparators(FHost.SettingsFile()));
}

void TPocketoWindowExtras::ShowAbout()
{
    QMessageBox Box(QMessageBox::Information, tr("About LumoPocketo"), AboutText(), QMessageBox::Ok,
                    &FForm);
    Box.setObjectName(QStringLiteral("PocketoAbout"));
    Box.button(QMessageBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    Box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    Box.exec();
}
