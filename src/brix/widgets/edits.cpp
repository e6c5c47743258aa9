#include "brix/widgets/edits.h"

#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/components.h"
#include "brix/resources/globals.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/uictrls.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace Brix {

namespace {

// The text colour of an edit when no sign colour applies.
constexpr TColor OwnFontColor = clWindowText;

} // namespace

void ReportControlError(QWidget *Control, const Exception &Error)
{
    // Shown without a nested event loop: the handler that failed returns at
    // once and the window stays usable.
    auto *Box =
        new QMessageBox(QMessageBox::Critical, QApplication::applicationDisplayName(),
                        Error.Message(), QMessageBox::Ok, Control ? Control->window() : nullptr);
    Box->setAttribute(Qt::WA_DeleteOnClose);
    Box->setObjectName(QStringLiteral("BrixErrorReport"));
    Box->open();
}

TBrixBaseEdit::TBrixBaseEdit(QWidget *Parent, TComponent *AOwner)
    : QLineEdit(Parent), TComponent(AOwner), FColor(clWindow), FColorShowing(clWindow),
      FFontColor(clWindowText)
{
    setAttribute(Qt::WA_Hover);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!FOnChange)
            return;
        UpdateValue();
        FOnChange(this);
    });
}

TBrixBaseEdit::~TBrixBaseEdit()
{
    if (FFormatter)
        FFormatter->UnregisterForNotification(this);
    if (FUICtrl)
        FUICtrl->UnregisterForNotification(this);
}

// ---- Links ----

void TBrixBaseEdit::LinkFreed(TBrixBaseComponent *Sender)
{
    if (Sender && Sender == FFormatter) {
        FFormatter = nullptr;
    } else if (Sender && Sender == FUICtrl) {
        FUICtrl = nullptr;
        // Its colours, sign colours included, leave with it.
        ApplyColors();
    }
}

void TBrixBaseEdit::LinkChanged(TBrixBaseComponent *Sender)
{
    if (Sender && Sender == FFormatter)
        DisplayText();
    else if (Sender && Sender == FUICtrl)
        ApplyColors();
}

void TBrixBaseEdit::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) {
        if (AComponent == FFormatter)
            SetFormatter(nullptr);
        else if (AComponent == FUICtrl)
            SetUICtrl(nullptr);
    }
    TComponent::Notification(AComponent, Operation);
}

void TBrixBaseEdit::SetFormatter(TBrixFormatter *Value)
{
    if (Value == FFormatter)
        return;
    if (FFormatter)
        FFormatter->UnregisterForNotification(this);
    FFormatter = Value;
    if (FFormatter)
        FFormatter->RegisterForNotification(this);
    DisplayText();
}

void TBrixBaseEdit::SetUICtrl(TBrixUICtrl *Value)
{
    if (Value == FUICtrl)
        return;
    if (FUICtrl)
        FUICtrl->UnregisterForNotification(this);
    FUICtrl = Value;
    if (FUICtrl)
        FUICtrl->RegisterForNotification(this);
    ApplyColors();
}

// ---- Colours ----

bool TBrixBaseEdit::UIColorsApply() const
{
    return FUICtrl && FUICtrl->ColorSettings() && FUICtrl->ColorSettings()->Active();
}

void TBrixBaseEdit::SetShownColors(TColor Background, TColor Text)
{
    // System colours are looked up in the application palette each time, so
    // that they follow a change of it (a desktop turning dark).
    const QPalette Application = QApplication::palette(this);
    const QColor Base = ColorToQColor(Background, Application);
    const QColor Fore = ColorToQColor(Text, Application);
    if (Background == FColorShowing && Text == FFontColor && Base == FBaseShowing &&
        Fore == FTextShowing && testAttribute(Qt::WA_SetPalette))
        return;
    FColorShowing = Background;
    FFontColor = Text;
    FBaseShowing = Base;
    FTextShowing = Fore;
    // Only these two roles are the edit's own; the others stay the parent's.
    QPalette Palette;
    if (Base.isValid())
        Palette.setColor(QPalette::Base, Base);
    if (Fore.isValid())
        Palette.setColor(QPalette::Text, Fore);
    FApplyingColors = true;
    setPalette(Palette);
    FApplyingColors = false;
}

void TBrixBaseEdit::ApplyColors()
{
    if (UIColorsApply()) {
        const TBrixColorSection *Colors = FUICtrl->ColorSettings();
        const TColor Background = Colors->GetColor(hasFocus(), FMouseOver, FReadOnly, isEnabled());
        // Sign colours only while the section asks for them; otherwise the
        // edit's own text colour, so a number coloured red before the switch
        // does not stay red.
        TColor Text = OwnFontColor;
        if (FNumeric && Colors->ShowSignDifference())
            Text = Colors->GetFontColor(FSign);
        SetShownColors(Background, Text);
    } else {
        SetShownColors(FColor, OwnFontColor);
    }
}

void TBrixBaseEdit::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    if (!UIColorsApply())
        SetShownColors(FColor, OwnFontColor);
}

void TBrixBaseEdit::SignChanged(int Sign)
{
    FSign = Sign;
    if (FSign == FPrevSign)
        return;
    ApplyColors();
    FPrevSign = Sign;
    if (FOnSignChange && !IsLoading())
        FOnSignChange(this);
}

// ---- Value and text ----

void TBrixBaseEdit::ValueToText() {}
void TBrixBaseEdit::TextToValue() {}

void TBrixBaseEdit::DisplayText()
{
    if (FNull) {
        QString NullText;
        if (FFormatter && FFormatter->NullSettings() && FFormatter->NullSettings()->Active())
            NullText = FFormatter->NullSettings()->BlankWhenNull()
                           ? QString()
                           : FFormatter->NullSettings()->NullStr();
        else
            NullText = GlobalText(DefaultLanguage, egtEmpty);
        QLineEdit::setText(NullText);
        return;
    }
    ValueToText();
    QLineEdit::setText(FStrValue);
}

void TBrixBaseEdit::UpdateValue()
{
    if (FNull)
        return;
    FStrValue = QLineEdit::text();
    TextToValue();
}

void TBrixBaseEdit::SetText(const QString &Value)
{
    if (!FNull && Value == QLineEdit::text())
        return;
    QLineEdit::setText(Value);
    FStrValue = Value;
    if (FNull)
        SetNullState(false, false);
    UpdateValue();
    DisplayText();
}

QString TBrixBaseEdit::Text()
{
    FStrValue = QLineEdit::text();
    return FNull ? QString() : FStrValue;
}

void TBrixBaseEdit::SetNullState(bool Value, bool Redisplay)
{
    FNull = Value;
    if (!FReadOnly)
        setModified(true);
    if (Redisplay)
        DisplayText();
    if (FOnNullChange && !IsLoading())
        FOnNullChange(this);
}

void TBrixBaseEdit::SetNull(bool Value)
{
    if (Value == FNull)
        return;
    SetNullState(Value, true);
}

void TBrixBaseEdit::Clear()
{
    SetNull(true);
    QLineEdit::clear();
}

void TBrixBaseEdit::SetReadOnly(bool Value)
{
    if (Value == FReadOnly)
        return;
    FReadOnly = Value;
    QLineEdit::setReadOnly(Value);
    ApplyColors();
    if (FOnReadOnlyChange && !IsLoading())
        FOnReadOnlyChange(this);
}

QVariant TBrixBaseEdit::AsVariant() const
{
    return FNull ? QVariant() : QVariant(FStrValue);
}

void TBrixBaseEdit::SetAsVariant(const QVariant &Value)
{
    if (Value.isNull())
        SetNull(true);
    else
        SetText(Value.toString());
}

void TBrixBaseEdit::SetAllowAllChars(bool Value)
{
    FAllowAllChars = Value;
}

void TBrixBaseEdit::SetRight(int Value)
{
    SetWidgetRight(this, Value);
}

int TBrixBaseEdit::GetRight() const
{
    return WidgetRight(this);
}

void TBrixBaseEdit::SetBottom(int Value)
{
    SetWidgetBottom(this, Value);
}

int TBrixBaseEdit::GetBottom() const
{
    return WidgetBottom(this);
}

// ---- Keyboard ----

TBrixInputSection *TBrixBaseEdit::ActiveInputSettings() const
{
    if (FUICtrl && FUICtrl->InputSettings() && FUICtrl->InputSettings()->Active())
        return FUICtrl->InputSettings();
    return nullptr;
}

TBrixInputRules TBrixBaseEdit::InputRules() const
{
    TBrixInputRules Rules;
    if (const TBrixInputSection *Input = ActiveInputSettings()) {
        Rules.EscAsUndo = Input->EscAsUndo();
        Rules.EnterAsTab = Input->EnterAsTab();
        Rules.EnterDoesExit = Input->EnterDoesExit();
        Rules.AllowKbdNull = Input->AllowKbdNull();
        Rules.ArrowsAsTab = Input->ArrowsAsTab();
        Rules.NumPadDecimal = Input->NumPadDecimal();
    }
    return Rules;
}

bool TBrixBaseEdit::AcceptsChar(QChar Key) const
{
    return FAllowAllChars || Key.unicode() >= 32;
}

void TBrixBaseEdit::FilterKey(QChar &Key)
{
    const TBrixInputRules Rules = InputRules();
    const ushort Code = Key.unicode();
    if (Code == 13) {
        if (!FWantEnter)
            Key = QChar();
        if (Rules.EnterAsTab) {
            focusNextPrevChild(true);
        } else if (Rules.EnterDoesExit) {
            DoExit();
            selectAll();
        }
        return;
    }
    if (Code == 27 && Rules.EscAsUndo) {
        if (!FWantEsc)
            Key = QChar();
        undo();
        return;
    }
    if (Code == 14 && Rules.AllowKbdNull && !FReadOnly) {
        SetNull(true);
        Key = QChar();
        return;
    }
    if (FReadOnly || Code < 32 || Code == 127)
        return;
    if (!AcceptsChar(Key)) {
        Key = QChar();
        return;
    }
    if (FNull) {
        SetNullState(false, false);
        QLineEdit::setText(QString());
    }
}

void TBrixBaseEdit::KeyDown(int &Key, Qt::KeyboardModifiers Shift, QChar &PendingChar)
{
    // The keypad flag marks where a key is, not a held modifier.
    if ((Shift & ~Qt::KeypadModifier) != Qt::NoModifier)
        return;
    const TBrixInputRules Rules = InputRules();
    if ((Key == Qt::Key_Up || Key == Qt::Key_Down) && Rules.ArrowsAsTab) {
        const bool Next = Key == Qt::Key_Down;
        Key = 0;
        focusNextPrevChild(Next);
        return;
    }
    const bool KeypadDecimal =
        (Shift & Qt::KeypadModifier) &&
        (Key == Qt::Key_Period || Key == Qt::Key_Comma || Key == Qt::Key_Delete);
    if (KeypadDecimal && Key != Qt::Key_Delete && Rules.NumPadDecimal)
        PendingChar = RegionalSettings().DecimalSeparator;
}

QChar TBrixBaseEdit::KeyChar(const QKeyEvent *Event)
{
    const int Key = Event->key();
    const Qt::KeyboardModifiers Mods = Event->modifiers() & ~Qt::KeypadModifier;
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Tab:
        return QChar(9);
    default:
        break;
    }
    // Ctrl+letter types the control character of the letter (Ctrl+N is 14).
    if ((Mods & Qt::ControlModifier) && !(Mods & Qt::AltModifier) && Key >= Qt::Key_A &&
        Key <= Qt::Key_Z)
        return QChar(Key - Qt::Key_A + 1);
    // Other Ctrl combinations type nothing; with Alt or Meta the edit would
    // still insert the key's text, so it goes through the filter as typed.
    if (Mods == Qt::ControlModifier || Mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return QChar();
    const QString Typed = Event->text();
    if (Typed.isEmpty())
        return QChar();
    return Typed.at(0);
}

void TBrixBaseEdit::keyPressEvent(QKeyEvent *Event)
{
    const QPointer<TBrixBaseEdit> Guard(this);
    // Paste and cut go through the edit's own checks whatever key asks.
    if (Event->matches(QKeySequence::Paste)) {
        if (CanPaste())
            PasteText();
        Event->accept();
        return;
    }
    if (Event->matches(QKeySequence::Cut)) {
        if (CanCut())
            cut();
        Event->accept();
        return;
    }
    int Key = Event->key();
    QChar Typed = KeyChar(Event);
    const QChar Original = Typed;
    KeyDown(Key, Event->modifiers(), Typed);
    if (!Guard)
        return;
    if (Key == 0) {
        Event->accept();
        return;
    }
    if (Typed.isNull()) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    QChar Filtered = Typed;
    try {
        FilterKey(Filtered);
    } catch (const Exception &Error) {
        // Enter can run the leaving checks, which may refuse the value.
        if (Guard)
            ReportControlError(this, Error);
        Event->accept();
        return;
    }
    if (!Guard)
        return;
    if (Filtered.isNull()) {
        Event->accept();
        return;
    }
    const ushort Code = Filtered.unicode();
    if (Filtered != Original && Code >= 32) {
        // A replaced character is typed as that character.
        insert(QString(Filtered));
        Event->accept();
        return;
    }
    // Ctrl+letter shortcuts (copy, undo, select all) and editing keys keep
    // the edit's own meaning.
    QLineEdit::keyPressEvent(Event);
}

bool TBrixBaseEdit::BeginInsertFromOutside()
{
    if (FReadOnly || !CanPaste())
        return false;
    if (FNull) {
        SetNullState(false, false);
        QLineEdit::setText(QString());
    }
    return true;
}

void TBrixBaseEdit::inputMethodEvent(QInputMethodEvent *Event)
{
    // Text committed by an input method is typed text: each character goes
    // through the filter, as from the keyboard.
    const QString Commit = Event->commitString();
    if (Commit.isEmpty() || FReadOnly) {
        QLineEdit::inputMethodEvent(Event);
        return;
    }
    const QPointer<TBrixBaseEdit> Guard(this);
    QString Kept;
    try {
        for (QChar Key : Commit) {
            if (Key.unicode() < 32 || Key.unicode() == 127)
                continue;
            FilterKey(Key);
            if (!Guard)
                return;
            if (!Key.isNull())
                Kept += Key;
        }
    } catch (const Exception &Error) {
        if (Guard)
            ReportControlError(this, Error);
        Event->accept();
        return;
    }
    QInputMethodEvent Filtered(Event->preeditString(), Event->attributes());
    Filtered.setCommitString(Kept, Event->replacementStart(), Event->replacementLength());
    QLineEdit::inputMethodEvent(&Filtered);
    Event->accept();
}

void TBrixBaseEdit::PasteText()
{
    if (BeginInsertFromOutside())
        paste();
}

void TBrixBaseEdit::mouseReleaseEvent(QMouseEvent *Event)
{
    // The middle button pastes the selection on X11: the same road as a
    // paste, so a refused paste stays refused and the null text goes.
    if (Event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection() &&
        !BeginInsertFromOutside()) {
        Event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(Event);
}

void TBrixBaseEdit::dragEnterEvent(QDragEnterEvent *Event)
{
    if (!CanPaste()) {
        Event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(Event);
}

void TBrixBaseEdit::dragMoveEvent(QDragMoveEvent *Event)
{
    if (!CanPaste()) {
        Event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(Event);
}

void TBrixBaseEdit::dropEvent(QDropEvent *Event)
{
    // Dropped text is pasted text.
    if (!Event->mimeData()->hasText() || !BeginInsertFromOutside()) {
        Event->ignore();
        return;
    }
    QLineEdit::dropEvent(Event);
}

void TBrixBaseEdit::contextMenuEvent(QContextMenuEvent *Event)
{
    // The menu is built here rather than taken from Qt's standard menu, so
    // that paste and cut take the same road as from the keyboard (Qt does not
    // name its standard actions, so they cannot be found and rerouted).
    auto *Menu = new QMenu(this);
    Menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool Writable = !isReadOnly();
    const auto Add = [Menu](const char *Name, const char *Text, QKeySequence::StandardKey Key,
                            bool Enabled, auto Slot) {
        QAction *Action = Menu->addAction(QCoreApplication::translate("QLineEdit", Text));
        Action->setObjectName(QLatin1String(Name));
        Action->setShortcut(Key);
        Action->setEnabled(Enabled);
        connect(Action, &QAction::triggered, Menu->parentWidget(), Slot);
    };
    Add("edit-undo", "&Undo", QKeySequence::Undo, Writable && isUndoAvailable(),
        [this] { undo(); });
    Add("edit-redo", "&Redo", QKeySequence::Redo, Writable && isRedoAvailable(),
        [this] { redo(); });
    Menu->addSeparator();
    Add("edit-cut", "Cu&t", QKeySequence::Cut, Writable && CanCut() && hasSelectedText(), [this] {
        if (CanCut())
            cut();
    });
    Add("edit-copy", "&Copy", QKeySequence::Copy,
        hasSelectedText() && echoMode() == QLineEdit::Normal, [this] { copy(); });
    Add("edit-paste", "&Paste", QKeySequence::Paste,
        Writable && CanPaste() && !QApplication::clipboard()->text().isEmpty(), [this] {
            if (CanPaste())
                PasteText();
        });
    Add("edit-delete", "Delete", QKeySequence::UnknownKey, Writable && hasSelectedText(),
        [this] { del(); });
    Menu->addSeparator();
    Add("select-all", "Select All", QKeySequence::SelectAll, !text().isEmpty(),
        [this] { selectAll(); });
    Menu->popup(Event->globalPos());
}

// ---- Focus, hover, state ----

void TBrixBaseEdit::DoEnter(Qt::FocusReason)
{
    FEnterText = Text();
    ApplyColors();
}

void TBrixBaseEdit::DoExit()
{
    if (!FReadOnly) {
        UpdateValue();
        DisplayText();
        // A null edit's text is empty, as it was taken on entering; the
        // null text on screen is no change.
        if (FEnterText != (FNull ? QString() : FStrValue))
            setModified(true);
    }
    ApplyColors();
}

void TBrixBaseEdit::focusInEvent(QFocusEvent *Event)
{
    QLineEdit::focusInEvent(Event);
    // Re-activating the window returns the focus that never left the edit.
    if (Event->reason() == Qt::ActiveWindowFocusReason || Event->reason() == Qt::PopupFocusReason) {
        ApplyColors();
        return;
    }
    DoEnter(Event->reason());
}

void TBrixBaseEdit::focusOutEvent(QFocusEvent *Event)
{
    QLineEdit::focusOutEvent(Event);
    // A window losing activation keeps the edit focused inside it.
    if (Event->reason() == Qt::ActiveWindowFocusReason || Event->reason() == Qt::PopupFocusReason) {
        ApplyColors();
        return;
    }
    try {
        DoExit();
    } catch (const Exception &Error) {
        ReportControlError(this, Error);
    }
}

void TBrixBaseEdit::enterEvent(QEnterEvent *Event)
{
    FMouseOver = true;
    if (UIColorsApply() && FUICtrl->ColorSettings()->ShowHotTracking())
        ApplyColors();
    QLineEdit::enterEvent(Event);
}

void TBrixBaseEdit::leaveEvent(QEvent *Event)
{
    FMouseOver = false;
    if (UIColorsApply() && FUICtrl->ColorSettings()->ShowHotTracking())
        ApplyColors();
    QLineEdit::leaveEvent(Event);
}

void TBrixBaseEdit::paintEvent(QPaintEvent *Event)
{
    ApplyColors();
    QLineEdit::paintEvent(Event);
}

void TBrixBaseEdit::changeEvent(QEvent *Event)
{
    QLineEdit::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange) {
        ApplyColors();
        if (FOnEnabledChange && !IsLoading())
            FOnEnabledChange(this);
    }
}

} // namespace Brix
