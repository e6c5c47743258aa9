// The program's additions to its calculator window: a context menu (a right
// click on the displays or the keypad panel, the Menu key, Shift+F10), the
// tape beside the window (also Ctrl+T; F6 moves the keyboard between the
// keypad and the tape), the Settings dialog and the About box. The menu, the tape and the dialogs
// are built the first time they are needed, so that start-up stays as fast as the window alone.
#pragma once

#include "windowhost.h"

#include <QAccessible>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

class QAction;
class QMenu;
class QWidget;

namespace Brix {
class TBrixCalcFormBase;
class TBrixTapeView;
} // namespace Brix

// Lives as a child of the window it extends and ends with it.
class TPocketoWindowExtras : public QObject, public QAccessible::ActivationObserver
{
    Q_OBJECT
public:
    // Extends Form; Host must outlive the window. When the host's ShowTape
    // is set, the tape opens when the window is first shown.
    TPocketoWindowExtras(Brix::TBrixCalcFormBase &Form, TPocketoWindowHost &Host);
    ~TPocketoWindowExtras() override;

    // The menu and the tape, or nullptr until first used.
    QMenu *Menu() const { return FMenu; }
    QWidget *TapeWindow() const { return FTape; }
    Brix::TBrixTapeView *TapeView() const { return FTapeView; }

    // Opens the context menu at GlobalPos (builds it on first use).
    void OpenMenu(const QPoint &GlobalPos);
    // Shows or hides the tape and remembers the choice with the host.
    void SetTapeShown(bool Value);
    // F6: the keyboard goes from the keypad to the tape (opening the tape
    // when it is hidden) or from the tape back to the keypad.
    void SwitchFocus();
    // Closes the window (keeping its values) to be shown again as the
    // scientific (true) or compact window with the whole calculation and
    // its undo steps, and remembers the choice. The next window takes this
    // one's top-left corner (see SetChosenCorner).
    void SwitchWindow(bool Scientific);
    // The window stands where it stands now in place of Corner (its client
    // area's top-left corner, where it would not have fitted on the
    // screen): while it is not moved, a switch hands on Corner, so that
    // switching there and back returns to it.
    void SetChosenCorner(const QPoint &Corner);
    // The Settings dialog, modal over the window; OK applies its choices.
    void OpenSettings();
    // The dialog's choices as the window shows them now (its own angle mode
    // and decimal places).
    TPocketoSettings CurrentSettings() const;
    // Applies Value at once: to the program (the host's ApplySettings) and
    // to this window: its engine's options (which no undo step takes back),
    // angle mode and decimal places (one undo step, as the box and the angle
    // key are), the displays in the new number format, stay on top, and the
    // texts of the new language.
    void ApplySettings(const TPocketoSettings &Value);
    // The About box's text, and the box itself (modal over the window).
    QString AboutText() const;
    void ShowAbout();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    // Screen readers started listening: the decimal places box is named.
    void accessibilityActiveChanged(bool Active) override;

private:
    void BuildMenu();
    void BuildTape();
    // The tape beside the window, at the size the user gave it (the host's
    // TapeSize), else as high as the window.
    void PlaceTape();
    // The program's tape changed: written to its file when its ended
    // calculations changed.
    void TapeChanged(Brix::TBrixTapeChange Change);
    void OpenMenuFromKeyboard();
    // The accessible names of the decimal places box and its arrows, in
    // the calculator's language.
    void NameDecimalBox();

    Brix::TBrixCalcFormBase &FForm;
    TPocketoWindowHost &FHost;
    QMenu *FMenu = nullptr;
    QAction *FTapeAction = nullptr;
    QAction *FUndoAction = nullptr;
    QAction *FRedoAction = nullptr;
    QAction *FCopyAction = nullptr;
    QAction *FPasteAction = nullptr;
    std::optional<std::pair<QPoint, QPoint>> FChosenCorner; // chosen, placed at
    QWidget *FTape = nullptr;
    Brix::TBrixTapeView *FTapeView = nullptr;
    // The tape's client size as PlaceTape last set it: a resize to another
    // size is the user's.
    QSize FPlacedTapeSize;
    // The observer of the program's tape, and its ended calculations as
    // last written.
    int FTapeObserver = 0;
    QList<Brix::TBrixTapeCalculation> FWrittenKept;
};
