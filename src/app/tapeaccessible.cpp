#include "tapeaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QWindow>

namespace {

const char *const RoleProperty = "lumoTapeRole"; // "window" or "lines"

QAccessibleInterface *ParentOf(QPlainTextEdit *View)
{
    return View ? QAccessible::queryAccessibleInterface(View) : nullptr;
}

// One line of the tape: its text is its name.
class TTapeLineAccessible : public QAccessibleInterface
{
public:
    TTapeLineAccessible(QPlainTextEdit *View, int Line) : FView(View), FLine(Line) {}

    bool isValid() const override { return FView && FLine < FView->document()->blockCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return FView ? FView->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return ParentOf(FView); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text Kind) const override
    {
        if (!isValid() || (Kind != QAccessible::Name && Kind != QAccessible::Value))
            return {};
        return FView->document()->findBlockByNumber(FLine).text();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QTextBlock Block = FView->document()->findBlockByNumber(FLine);
        QRect Line = FView->cursorRect(QTextCursor(Block));
        Line.setLeft(0);
        Line.setWidth(FView->viewport()->width());
        return QRect(FView->viewport()->mapToGlobal(Line.topLeft()), Line.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State State;
        State.selectable = true;
        State.focusable = true;
        if (isValid() && FView->textCursor().blockNumber() == FLine) {
            State.selected = true;
            State.focused = FView->hasFocus();
        }
        return State;
    }

private:
    QPointer<QPlainTextEdit> FView;
    int FLine;
};

// The view of the lines: a list of them.
class TTapeLinesAccessible : public QAccessibleWidget
{
public:
    explicit TTapeLinesAccessible(QPlainTextEdit *View) : QAccessibleWidget(View, QAccessible::List)
    {
        // New text: new lines, the old items go.
        // The connections end with this interface (or with the view).
        QObject::connect(View, &QPlainTextEdit::textChanged, &FContext, [this] { Forget(); });
        // The line the cursor reaches is announced, as a list's current item.
        QObject::connect(View, &QPlainTextEdit::cursorPositionChanged, &FContext, [View] {
            if (!View->hasFocus() || !QAccessible::isActive())
                return;
            QAccessibleEvent Event(View, QAccessible::Focus);
            Event.setChild(View->textCursor().blockNumber());
            QAccessible::updateAccessibility(&Event);
        });
    }
    ~TTapeLinesAccessible() override { Forget(); }

    int childCount() const override
    {
        return View()->document()->isEmpty() ? 0 : View()->document()->blockCount();
    }
    QAccessibleInterface *child(int Index) const override
    {
        if (Index < 0 || Index >= childCount())
            return nullptr;
        if (const auto Id = FItems.value(Index))
            return QAccessible::accessibleInterface(Id);
        auto *Item = new TTapeLineAccessible(View(), Index);
        FItems.insert(Index, QAccessible::registerAccessibleInterface(Item));
        return Item;
    }
    int indexOfChild(const QAccessibleInterface *Child) const override
    {
        for (auto It = FItems.cbegin(); It != FItems.cend(); ++It)
            if (QAccessible::accessibleInterface(It.value()) == Child)
                return It.key();
        return -1;
    }
    QAccessibleInterface *childAt(int X, int Y) const override
    {
        const QPoint Local = View()->viewport()->mapFromGlobal(QPoint(X, Y));
        if (!View()->viewport()->rect().contains(Local))
            return nullptr;
        return child(View()->cursorForPosition(Local).blockNumber());
    }
    QAccessibleInterface *focusChild() const override
    {
        return View()->hasFocus() ? child(View()->textCursor().blockNumber()) : nullptr;
    }

private:
    QPlainTextEdit *View() const { return static_cast<QPlainTextEdit *>(widget()); }
    void Forget()
    {
        for (const QAccessible::Id Id : std::as_const(FItems))
            QAccessible::deleteAccessibleInterface(Id);
        FItems.clear();
    }

    mutable QHash<int, QAccessible::Id> FItems;
    QObject FContext;
};

QAccessibleInterface *TapeAccessibleFactory(const QString &, QObject *Object)
{
    if (!Object || !Object->isWidgetType())
        return nullptr;
    const QByteArray Role = Object->property(RoleProperty).toByteArray();
    if (Role == "window")
        return new QAccessibleWidget(static_cast<QWidget *>(Object), QAccessible::Window);
    if (Role == "lines")
        if (auto *View = qobject_cast<QPlainTextEdit *>(Object))
            return new TTapeLinesAccessible(View);
    return nullptr;
}

} // namespace

void MakeTapeAccessible(QWidget &Window, QPlainTextEdit &Lines)
{
    static const bool Installed = [] {
        QAccessible::installFactory(TapeAccessibleFactory);
        return true;
    }();
    Q_UNUSED(Installed);
    Window.setProperty(RoleProperty, QByteArrayLiteral("window"));
    Lines.setProperty(RoleProperty, QByteArrayLiteral("lines"));
}
