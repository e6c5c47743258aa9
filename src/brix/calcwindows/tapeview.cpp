#include "brix/calcwindows/tapeview.h"

#include "brix/calcwindows/tapeexport.h"
#include "brix/calcwindows/taperowpainter.h"
#include "brix/resources/calculator.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>
#include <optional>

namespace Brix {

namespace {

// The room around a row's text: left and right, and above and below (where
// the rules are drawn).
constexpr int Margin = 6;
constexpr int Leading = 6;

// WCAG's relative luminance and contrast ratio.
double Luminance(const QColor &Color)
{
    const auto Channel = [](double C) {
        return C <= 0.03928 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * Channel(Color.redF()) + 0.7152 * Channel(Color.greenF()) +
           0.0722 * Channel(Color.blueF());
}

double Contrast(const QColor &A, const QColor &B)
{
    const double La = Luminance(A), Lb = Luminance(B);
    return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

QColor Mix(const QColor &A, const QColor &B, double Share)
{
    return QColor::fromRgbF(float(A.redF() * (1 - Share) + B.redF() * Share),
                            float(A.greenF() * (1 - Share) + B.greenF() * Share),
                            float(A.blueF() * (1 - Share) + B.blueF() * Share));
}

} // namespace

namespace Internal {

// One row of the list.
struct TTapeItem
{
    TBrixTapeRow Row;
    // The index of the row's calculation in the document's Calculations().
    int Calculation = 0;
    // The line after the row's lines (the next row's Line, or the end).
    int LineEnd = 0;
    bool Current = false;
    bool Editable = false;
    // The calculation begins here, after another one: a rule above.
    bool RuleAbove = false;
    // The last calculation ended (an all clear) and no new one has lines yet.
    bool RuleBelow = false;
};

// The rows of a tape document.
class TBrixTapeModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(QList<TTapeItem> Items)
    {
        beginResetModel();
        FItems = std::move(Items);
        endResetModel();
    }
    const QList<TTapeItem> &Items() const { return FItems; }
    const TTapeItem &Item(int Row) const { return FItems[Row]; }

    // The words screen readers read, in the view's language.
    void SetWords(std::function<QString(int)> Words) { FWords = std::move(Words); }
    void Retranslate()
    {
        if (!FItems.isEmpty())
            Q_EMIT dataChanged(index(0), index(int(FItems.size()) - 1), {Qt::AccessibleTextRole});
    }

    int rowCount(const QModelIndex &Parent = {}) const override
    {
        return Parent.isValid() ? 0 : int(FItems.size());
    }
    Qt::ItemFlags flags(const QModelIndex &Index) const override
    {
        if (!Index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (FItems[Index.row()].Editable)
            Flags |= Qt::ItemIsEditable;
        return Flags;
    }
    QVariant data(const QModelIndex &Index, int Role) const override
    {
        if (!Index.isValid() || Index.row() >= FItems.size())
            return {};
        const TBrixTapeRow &Row = FItems[Index.row()].Row;
        switch (Role) {
        case Qt::DisplayRole:
            return TapeRowText(Row);
        case Qt::EditRole:
            return Row.Number;
        case Qt::AccessibleTextRole:
            return Spoken(Row);
        default:
            return {};
        }
    }

    // The row in words, in the order it happened ("12.0000 plus",
    // "total 17.0000", "…, edited"): TapeSpokenRow in the view's words.
    QString Spoken(const TBrixTapeRow &Row) const
    {
        return TapeSpokenRow(Row, [this](TBrixResCalc Key) { return FWords(Key); });
    }

private:
    QList<TTapeItem> FItems;
    std::function<QString(int)> FWords;
};

// Draws the rows and edits a row's number.
class TBrixTapeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    TBrixTapeDelegate(TBrixTapeView *View, TBrixTapeModel *Model)
        : QStyledItemDelegate(View), FView(View), FModel(Model)
    {
    }

    // The width of the operator column (the widest operator beside a number).
    void SetOperatorWidth(qreal Width) { FOperatorWidth = Width; }

    // Lays out and paints the rows in the view's font.
    const TBrixTapeRowPainter &RowPainter() const
    {
        if (!FRowPainter || FRowPainter->Font() != FView->NumberFont()) {
            FRowPainter.emplace(FView->NumberFont());
            FRowPainter->SetMargin(Margin);
            FRowPainter->SetLeading(Leading);
        }
        return *FRowPainter;
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        const QFontMetrics Metrics(Bold(FView->NumberFont()));
        return QSize(Metrics.horizontalAdvance(QStringLiteral("0000000000")) + 2 * Margin,
                     Metrics.height() + Leading);
    }

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
               const QModelIndex &Index) const override
    {
        const TTapeItem &Item = FModel->Item(Index.row());
        QStyleOptionViewItem Panel = Option;
        initStyleOption(&Panel, Index);
        Panel.text.clear();
        FView->style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &Panel, Painter, FView);

        const QPalette &Palette = Option.palette;
        const bool Selected = Option.state & QStyle::State_Selected;
        const QPalette::ColorGroup Group =
            !(Option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (Option.state & QStyle::State_Active) ? QPalette::Active
                                                    : QPalette::Inactive;
        const QColor Text =
            Palette.color(Group, Selected ? QPalette::HighlightedText : QPalette::Text);
        const QColor Ink =
            Item.Row.Kind == lkError && !Selected ? TBrixTapeView::ErrorColor(Palette) : Text;

        const QRect Area = Option.rect;
        if (Item.RuleAbove || Item.RuleBelow) {
            // A rule between calculations, across the row.
            Painter->save();
            Painter->setPen(QPen(Mix(Palette.color(Group, QPalette::Text),
                                     Palette.color(Group, QPalette::Base), 0.45),
                                 1));
            if (Item.RuleAbove)
                Painter->drawLine(QPointF(Area.left(), Area.top() + 0.5),
                                  QPointF(Area.right() + 1, Area.top() + 0.5));
            if (Item.RuleBelow)
                Painter->drawLine(QPointF(Area.left(), Area.bottom() + 0.5),
                                  QPointF(Area.right() + 1, Area.bottom() + 0.5));
            Painter->restore();
        }
        RowPainter().Paint(*Painter, QRectF(Area), NumberColumnRight(Area), Item.Row, Ink);
    }

    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *Editor = new QLineEdit(Parent);
        Editor->setObjectName(QStringLiteral("TapeEditor"));
        Editor->setFont(FView->NumberFont());
        Editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return Editor;
    }
    void setEditorData(QWidget *Editor, const QModelIndex &Index) const override
    {
        auto *Line = static_cast<QLineEdit *>(Editor);
        Line->setText(Index.data(Qt::EditRole).toString());
        Line->selectAll();
    }
    // The number is not written into the model: the view asks for the edit.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}
    void updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Option,
                              const QModelIndex &) const override
    {
        QRect Room = Option.rect;
        Room.setRight(int(NumberColumnRight(Option.rect)) + Margin / 2);
        Editor->setGeometry(Room);
    }

Q_SIGNALS:
    // Enter in Editor: the text typed.
    void Submitted(QWidget *Editor, const QString &Text);

protected:
    // Enter submits, Escape cancels; leaving the editor cancels too, as
    // nothing else may start a replay.
    bool eventFilter(QObject *Object, QEvent *Event) override
    {
        auto *Editor = qobject_cast<QLineEdit *>(Object);
        if (!Editor)
            return false;
        if (Event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent *>(Event)->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return: {
                const QString Text = Editor->text();
                Q_EMIT closeEditor(Editor, NoHint);
                Q_EMIT Submitted(Editor, Text);
                return true;
            }
            case Qt::Key_Escape:
                Q_EMIT closeEditor(Editor, RevertModelCache);
                return true;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                return true;
            default:
                return false;
            }
        }
        if (Event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(Event)->reason() != Qt::PopupFocusReason &&
            !QApplication::activePopupWidget() && Editor->isVisible()) {
            Q_EMIT closeEditor(Editor, RevertModelCache);
            return false;
        }
        return false;
    }

private:
    static QFont Bold(QFont Font)
    {
        Font.setBold(true);
        return Font;
    }
    qreal NumberColumnRight(const QRect &Area) const
    {
        return RowPainter().NumberRight(QRectF(Area), FOperatorWidth);
    }

    TBrixTapeView *FView;
    TBrixTapeModel *FModel;
    qreal FOperatorWidth = 0;
    mutable std::optional<TBrixTapeRowPainter> FRowPainter;
};

} // namespace Internal

using Internal::TTapeItem;

// ---- The view ----

TBrixTapeView::TBrixTapeView(QWidget *Parent)
    : QListView(Parent), FModel(new Internal::TBrixTapeModel(this)),
      FStrings(CreateOwned<TBrixCalculatorStrings>()), FMenu(new QMenu(this))
{
    setObjectName(QStringLiteral("TapeView"));
    FDelegate = new Internal::TBrixTapeDelegate(this, FModel);
    FModel->SetWords([this](int Key) { return Text(Key); });
    setModel(FModel);
    setItemDelegate(FDelegate);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(FDelegate, &Internal::TBrixTapeDelegate::Submitted, this,
            [this](QWidget *, const QString &Text) { Submit(Text); });

    const auto Add = [this](const char *Name, QKeySequence Key, auto Slot) {
        auto *Action = new QAction(this);
        Action->setObjectName(QLatin1String(Name));
        // The key is shown in the menu; the view itself handles it.
        Action->setShortcut(Key);
        Action->setShortcutContext(Qt::WidgetShortcut);
        connect(Action, &QAction::triggered, this, Slot);
        FMenu->addAction(Action);
        return Action;
    };
    FUseAction = Add("UseTapeAction", QKeySequence(Qt::Key_Insert), &TBrixTapeView::Reuse);
    FEditAction = Add("EditTapeAction", QKeySequence(Qt::Key_F2), &TBrixTapeView::StartEdit);
    FCopyAction = Add("CopyTapeAction", QKeySequence(QKeySequence::Copy), &TBrixTapeView::Copy);
    FMenu->addSeparator();
    FSaveAction = Add("SaveTapeAction", QKeySequence(), &TBrixTapeView::SaveWithDialog);
    FPrintAction = Add("PrintTapeAction", QKeySequence(), &TBrixTapeView::PrintWithDialog);
    FMenu->addSeparator();
    FClearAction = Add("ClearTapeAction", QKeySequence(), &TBrixTapeView::ClearRequested);

    SetNumberFont(font());
    Retranslate();
}

TBrixTapeView::~TBrixTapeView() = default;

QString TBrixTapeView::Text(int Key) const
{
    return FStrings->GetName(FLanguage, TBrixResCalc(Key));
}

void TBrixTapeView::SetDocument(const TBrixTapeDocument *Document)
{
    FDocument = Document;
    Refresh();
}

void TBrixTapeView::Refresh()
{
    const int Previous = currentIndex().isValid() ? currentIndex().row() : -1;
    const bool AtEnd =
        FModel->rowCount() == 0 || verticalScrollBar()->value() == verticalScrollBar()->maximum();
    QList<TTapeItem> Items;
    if (FDocument) {
        const QList<TBrixTapeCalculation> &Kept = FDocument->Kept();
        const qsizetype Count = Kept.size() + (FDocument->Current().isEmpty() ? 0 : 1);
        for (qsizetype C = 0; C < Count; ++C) {
            const bool IsCurrent = C == Kept.size();
            const TBrixTapeCalculation &Lines = IsCurrent ? FDocument->Current() : Kept[C];
            const QList<TBrixTapeRow> Rows = TapeRows(Lines);
            for (qsizetype R = 0; R < Rows.size(); ++R) {
                TTapeItem Item;
                Item.Row = Rows[R];
                Item.Calculation = int(C);
                Item.LineEnd = R + 1 < Rows.size() ? Rows[R + 1].Line : int(Lines.size());
                Item.Current = IsCurrent;
                Item.Editable = IsCurrent && Item.Row.Kind == lkNumber && Item.Row.Line >= 0 &&
                                Item.Row.Line < Lines.size() && Lines[Item.Row.Line].Number >= 0;
                Item.RuleAbove = R == 0 && C > 0;
                Items.append(Item);
            }
        }
        // After an all clear the rule marks the new calculation.
        if (FDocument->Current().isEmpty() && !Items.isEmpty())
            Items.last().RuleBelow = true;
    }
    FEditRow = -1;
    // A total told before is no longer news.
    if (!accessibleDescription().isEmpty())
        setAccessibleDescription(QString());
    FModel->Reset(std::move(Items));
    UpdateLayout();
    const int Rows = FModel->rowCount();
    if (Previous >= 0 && Previous < Rows)
        setCurrentIndex(FModel->index(Previous));
    if (AtEnd)
        scrollToBottom();
}

void TBrixTapeView::UpdateLayout()
{
    const QFontMetricsF Metrics(FNumberFont);
    qreal Width = Metrics.horizontalAdvance(u'=');
    for (const TTapeItem &Item : FModel->Items())
        if (!Item.Row.Number.isEmpty())
            Width = std::max(Width, Metrics.horizontalAdvance(Item.Row.Operator));
    FDelegate->SetOperatorWidth(Width);
    scheduleDelayedItemsLayout();
    viewport()->update();
}

void TBrixTapeView::SetLanguage(TBrixLanguage Language)
{
    FLanguage = Language;
    Retranslate();
}

void TBrixTapeView::Retranslate()
{
    setAccessibleName(Text(ectTapeName));
    FUseAction->setText(Text(ectTapeUseNumber));
    FEditAction->setText(Text(ectTapeEditNumber));
    FCopyAction->setText(Text(ectTapeCopy));
    FSaveAction->setText(Text(ectTapeSave));
    FPrintAction->setText(Text(ectTapePrint));
    FClearAction->setText(Text(ectTapeClear));
    FModel->Retranslate();
}

void TBrixTapeView::SetNumberFont(const QFont &Font)
{
    FNumberFont = TapeFigureFont(Font, this);
    UpdateLayout();
}

QColor TBrixTapeView::ErrorColor(const QPalette &Palette)
{
    const QColor Base = Palette.color(QPalette::Base);
    const QColor Text = Palette.color(QPalette::Text);
    // A red on the text's side of the base: darker on light bases, lighter on
    // dark ones, as far from the base as needed to be read (4.5:1, or as far
    // as the text itself is when that is less).
    const bool Light = Luminance(Base) > Luminance(Text);
    const double Wanted = std::min(4.5, Contrast(Text, Base));
    QColor Red;
    for (int Step = 0; Step <= 20; ++Step) {
        const double Lightness = Light ? 0.45 - Step * 0.02 : 0.62 + Step * 0.015;
        Red = QColor::fromHslF(0.0f, 0.8f, float(std::clamp(Lightness, 0.0, 1.0)));
        if (Contrast(Red, Base) >= Wanted)
            break;
    }
    return Red;
}

bool TBrixTapeView::Editing() const
{
    return state() == QAbstractItemView::EditingState;
}

bool TBrixTapeView::OwnsKey(const QKeyEvent &Key) const
{
    if (Editing() || Key.matches(QKeySequence::Copy) || Key.matches(QKeySequence::SelectAll))
        return true;
    const Qt::KeyboardModifiers Modifiers = Key.modifiers() & ~Qt::KeypadModifier;
    switch (Key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Also with Shift or Ctrl (selecting, moving without selecting).
        return !(Modifiers & (Qt::AltModifier | Qt::MetaModifier));
    case Qt::Key_Menu:
    case Qt::Key_Insert:
    case Qt::Key_F2:
        return Modifiers == Qt::NoModifier;
    case Qt::Key_F10:
        return Modifiers == Qt::ShiftModifier;
    // A modifier alone types nothing.
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

int TBrixTapeView::SelectedEditableLine() const
{
    const QModelIndex Index = currentIndex();
    if (!Index.isValid() || !selectionModel()->isSelected(Index))
        return -1;
    const TTapeItem &Item = FModel->Item(Index.row());
    return Item.Editable ? Item.Row.Line : -1;
}

void TBrixTapeView::keyPressEvent(QKeyEvent *Event)
{
    if (!OwnsKey(*Event)) {
        // The calculator's: left to the widgets around.
        Event->ignore();
        return;
    }
    const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
    if (Event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (Event->key() == Qt::Key_F2 && Modifiers == Qt::NoModifier) {
        StartEdit();
    } else if (Event->key() == Qt::Key_Insert && Modifiers == Qt::NoModifier) {
        Reuse();
    } else if (Event->key() == Qt::Key_Menu || Event->key() == Qt::Key_F10) {
        const QRect Row = visualRect(currentIndex());
        OpenMenu(viewport()->mapToGlobal(Row.isValid() ? Row.bottomLeft() : QPoint(0, 0)));
    } else {
        QListView::keyPressEvent(Event);
        // The row reached is selected, also when it was current already
        // (Home on the first row of a list just shown).
        const QModelIndex Reached = currentIndex();
        if (Reached.isValid() && !selectionModel()->isSelected(Reached) &&
            !(Event->modifiers() & Qt::ControlModifier))
            selectionModel()->select(Reached, QItemSelectionModel::Select);
        return;
    }
    Event->accept();
}

void TBrixTapeView::mouseDoubleClickEvent(QMouseEvent *Event)
{
    const QModelIndex Index = indexAt(Event->position().toPoint());
    if (Event->button() != Qt::LeftButton || !Index.isValid()) {
        QListView::mouseDoubleClickEvent(Event);
        return;
    }
    setCurrentIndex(Index);
    if (Event->modifiers() & Qt::ControlModifier)
        StartEdit();
    else
        Reuse();
    Event->accept();
}

void TBrixTapeView::contextMenuEvent(QContextMenuEvent *Event)
{
    OpenMenu(Event->reason() == QContextMenuEvent::Keyboard
                 ? viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft())
                 : Event->globalPos());
    Event->accept();
}

void TBrixTapeView::changeEvent(QEvent *Event)
{
    if (Event->type() == QEvent::PaletteChange)
        viewport()->update();
    QListView::changeEvent(Event);
}

void TBrixTapeView::OpenMenu(const QPoint &GlobalPos)
{
    const QModelIndex Index = currentIndex();
    const bool Rows = FModel->rowCount() > 0;
    FUseAction->setEnabled(Index.isValid() && FModel->Item(Index.row()).Row.HasValue());
    FEditAction->setEnabled(SelectedEditableLine() >= 0);
    FCopyAction->setEnabled(selectionModel()->hasSelection());
    FSaveAction->setEnabled(Rows);
    FPrintAction->setEnabled(Rows);
    FClearAction->setEnabled(Rows);
    FMenu->popup(GlobalPos);
}

void TBrixTapeView::Refuse()
{
    QApplication::beep();
    Q_EMIT Refused();
}

void TBrixTapeView::StartEdit()
{
    const int Line = SelectedEditableLine();
    if (Line < 0 || Editing()) {
        Refuse();
        return;
    }
    FEditRow = currentIndex().row();
    edit(currentIndex());
}

void TBrixTapeView::Submit(const QString &Text)
{
    const int Row = FEditRow;
    FEditRow = -1;
    if (Row < 0 || Row >= FModel->rowCount())
        return;
    Q_EMIT EditRequested(FModel->Item(Row).Row.Line, Text);
}

void TBrixTapeView::Reuse()
{
    const QModelIndex Index = currentIndex();
    // Rows with a number (not texts, nor errors) only.
    if (!Index.isValid() || !FModel->Item(Index.row()).Row.HasValue()) {
        Refuse();
        return;
    }
    Q_EMIT ReuseRequested(FModel->Item(Index.row()).Row.Number);
}

QString TBrixTapeView::SelectedText() const
{
    QModelIndexList Selected = selectionModel()->selectedIndexes();
    std::sort(Selected.begin(), Selected.end(),
              [](const QModelIndex &A, const QModelIndex &B) { return A.row() < B.row(); });
    // As the view shows them: the numbers right-aligned in one column, each
    // with its operator after it; a text alone ends at the numbers' edge.
    qsizetype Width = 0;
    for (const QModelIndex &Index : std::as_const(Selected)) {
        const TBrixTapeRow &Row = FModel->Item(Index.row()).Row;
        Width = std::max(Width, Row.Number.isEmpty() ? Row.Operator.size() : Row.Number.size());
    }
    QStringList Lines;
    int Calculation = -1;
    for (const QModelIndex &Index : std::as_const(Selected)) {
        const TTapeItem &Item = FModel->Item(Index.row());
        if (Calculation >= 0 && Item.Calculation != Calculation)
            Lines.append(TapeRule);
        Calculation = Item.Calculation;
        const TBrixTapeRow &Row = Item.Row;
        if (Row.Number.isEmpty())
            Lines.append(Row.Operator.rightJustified(Width));
        else if (Row.Operator.isEmpty())
            Lines.append(Row.Number.rightJustified(Width));
        else
            Lines.append(Row.Number.rightJustified(Width) + u' ' + Row.Operator);
    }
    return Lines.join(u'\n');
}

void TBrixTapeView::Copy()
{
    const QString Selected = SelectedText();
    if (Selected.isEmpty()) {
        Refuse();
        return;
    }
    QApplication::clipboard()->setText(Selected);
}

QString TBrixTapeView::SaveTapeTo(const QString &Path) const
{
    return SaveTape(Path, FDocument ? FDocument->Calculations() : QList<TBrixTapeCalculation>());
}

void TBrixTapeView::PrintTapeOn(QPrinter &Printer) const
{
    PrintTape(Printer, FDocument ? FDocument->Calculations() : QList<TBrixTapeCalculation>(),
              FNumberFont);
}

void TBrixTapeView::SaveWithDialog()
{
    const QString Title = Text(ectTapeSave).remove(QChar(0x2026)).trimmed();
    const QString Filters = Text(ectTapeTextFiles) + QStringLiteral(" (*.txt);;") +
                            Text(ectTapeCsvFiles) + QStringLiteral(" (*.csv)");
    QString Filter;
    const QString Path = QFileDialog::getSaveFileName(
        this, Title, QDir::home().filePath(QStringLiteral("tape.txt")), Filters, &Filter);
    if (Path.isEmpty())
        return;
    const QString Failed = SaveTapeTo(Path);
    if (!Failed.isEmpty())
        QMessageBox::warning(this, Title,
                             Text(ectTapeSaveFailed) + QStringLiteral("\n\n") + Failed);
}

void TBrixTapeView::PrintWithDialog()
{
    QPrinter Printer;
    QPrintDialog Dialog(&Printer, this);
    Dialog.setWindowTitle(Text(ectTapePrint).remove(QChar(0x2026)).trimmed());
    if (Dialog.exec() == QDialog::Accepted)
        PrintTapeOn(Printer);
}

void TBrixTapeView::AnnounceTotal()
{
    int Found = -1;
    for (int Row = FModel->rowCount() - 1; Row >= 0; --Row) {
        const TTapeItem &Item = FModel->Item(Row);
        if (!Item.Current)
            break;
        if (Item.Row.Kind == lkResult) {
            Found = Row;
            break;
        }
    }
    if (Found < 0)
        return;
    // Qt has no announcement of its own: the total becomes the list's
    // description (which screen readers read out when it changes) and its
    // row's name is told as changed.
    setAccessibleDescription(FModel->Spoken(FModel->Item(Found).Row));
    if (QAccessible::isActive()) {
        QAccessibleEvent Event(this, QAccessible::NameChanged);
        Event.setChild(Found);
        QAccessible::updateAccessibility(&Event);
    }
}

} // namespace Brix

#include "tapeview.moc"
