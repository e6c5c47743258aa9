#include "brix/calcwindows/tapeview.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapeexport.h"
#include "brix/calcwindows/taperowpainter.h"
#include "brix/classes/formatsettings.h"
#include "brix/resources/calculator.h"
#include "brix/strings/tools.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEvent>
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

    bool operator==(const TTapeItem &) const = default;
};

// The rows of a tape document.
class TBrixTapeModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    // Every row anew: KeptCount calculations ended, CurrentRows rows of the
    // current one at the end.
    void Reset(QList<TTapeItem> Items, int KeptCount, int CurrentRows)
    {
        beginResetModel();
        FItems = std::move(Items);
        FKeptCount = KeptCount;
        FCurrentRows = CurrentRows;
        FOperators.clear();
        for (const TTapeItem &Item : std::as_const(FItems))
            Count(Item, 1);
        endResetModel();
    }
    const QList<TTapeItem> &Items() const { return FItems; }
    const TTapeItem &Item(int Row) const { return FItems[Row]; }

    // The calculations shown that ended, and the rows of the current one
    // (the last rows).
    int KeptCount() const { return FKeptCount; }
    int CurrentRows() const { return FCurrentRows; }

    // The current calculation's rows become Items: the rows equal to their
    // new selves stay as they are, those after the first that differs are
    // changed, and the rest inserted or removed at the end.
    void SetCurrent(QList<TTapeItem> Items)
    {
        const int First = int(FItems.size()) - FCurrentRows;
        const int Old = FCurrentRows, New = int(Items.size()), Common = std::min(Old, New);
        int Same = 0;
        while (Same < Common && FItems[First + Same] == Items[Same])
            ++Same;
        int LastDiffering = Common - 1;
        while (LastDiffering >= Same && FItems[First + LastDiffering] == Items[LastDiffering])
            --LastDiffering;
        // Told row by row: a view redraws a row told alone, all it shows
        // for a range.
        for (int I = Same; I <= LastDiffering; ++I)
            Change(First + I, std::move(Items[I]));
        if (New > Old) {
            beginInsertRows({}, First + Old, First + New - 1);
            for (int I = Old; I < New; ++I) {
                Count(Items[I], 1);
                FItems.append(std::move(Items[I]));
            }
            FCurrentRows = New;
            endInsertRows();
        } else if (Old > New) {
            beginRemoveRows({}, First + New, First + Old - 1);
            for (int I = First + New; I < First + Old; ++I)
                Count(FItems[I], -1);
            FItems.remove(First + New, Old - New);
            FCurrentRows = New;
            endRemoveRows();
        }
    }

    // The current calculation ended: its rows are the last kept
    // calculation's now, and no row is current.
    void EndCurrent()
    {
        const int First = int(FItems.size()) - FCurrentRows;
        for (int Row = First; Row < FItems.size(); ++Row) {
            TTapeItem Item = FItems[Row];
            Item.Current = Item.Editable = false;
            Change(Row, std::move(Item));
        }
        ++FKeptCount;
        FCurrentRows = 0;
    }

    // The Count oldest calculations go, with their rows.
    void RemoveOldest(int Calculations)
    {
        if (Calculations <= 0)
            return;
        int Rows = 0;
        while (Rows < FItems.size() && FItems[Rows].Calculation < Calculations)
            ++Rows;
        if (Rows > 0) {
            beginRemoveRows({}, 0, Rows - 1);
            for (int I = 0; I < Rows; ++I)
                Count(FItems[I], -1);
            FItems.remove(0, Rows);
            FKeptCount -= Calculations;
            FCurrentRows = std::min(FCurrentRows, int(FItems.size()));
            endRemoveRows();
        } else {
            FKeptCount -= Calculations;
        }
        // The rows' calculations are counted from the oldest shown; what
        // is drawn of them does not change but for the first row's rule.
        for (TTapeItem &Item : FItems)
            Item.Calculation -= Calculations;
        if (!FItems.isEmpty() && FItems.first().RuleAbove) {
            TTapeItem First = FItems.first();
            First.RuleAbove = false;
            Change(0, std::move(First));
        }
    }

    // Row becomes Item; told when it differs.
    void Change(int Row, TTapeItem Item)
    {
        if (FItems[Row] == Item)
            return;
        Put(Row, std::move(Item));
        Q_EMIT dataChanged(index(Row), index(Row));
    }

    // The operators beside numbers, each once however many rows show it.
    QStringList Operators() const
    {
        QStringList Texts;
        for (auto It = FOperators.cbegin(); It != FOperators.cend(); ++It)
            Texts.append(It.key());
        return Texts;
    }

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
    // The list's index without the base's checks through rowCount and
    // columnCount: the view asks for every row at each layout.
    QModelIndex index(int Row, int Column = 0, const QModelIndex &Parent = {}) const override
    {
        return Row >= 0 && Row < FItems.size() && Column == 0 && !Parent.isValid()
                   ? createIndex(Row, 0)
                   : QModelIndex();
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
    void Put(int Row, TTapeItem Item)
    {
        Count(FItems[Row], -1);
        Count(Item, 1);
        FItems[Row] = std::move(Item);
    }
    // Counts the operator beside Item's number in or out.
    void Count(const TTapeItem &Item, int By)
    {
        if (Item.Row.Number.isEmpty())
            return;
        const QString Shown = TapeShownOperator(Item.Row);
        int &Rows = FOperators[Shown];
        Rows += By;
        if (Rows <= 0)
            FOperators.remove(Shown);
    }

    QList<TTapeItem> FItems;
    std::function<QString(int)> FWords;
    int FKeptCount = 0;
    int FCurrentRows = 0;
    QHash<QString, int> FOperators;
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

// The view's vertical scroll bar, repainted only where its look changes. On
// a long tape a row added or removed moves the handle by a fraction of a
// pixel, yet the bar repaints itself at every change of its range or value,
// which would cost more than the rows a key changes.
class TBrixTapeScrollBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange Change) override
    {
        if (Change != SliderRangeChange && Change != SliderValueChange &&
            Change != SliderStepsChange) {
            QScrollBar::sliderChange(Change);
            return;
        }
        // The range and the value change one after the other (a row added
        // and the view following it): the bar is compared with what it shows
        // once they are done.
        if (FCheckPending)
            return;
        FCheckPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FCheckPending = false;
                if (!FShown || Look() != *FShown)
                    update();
            },
            Qt::QueuedConnection);
    }
    void paintEvent(QPaintEvent *Event) override
    {
        FShown = Look();
        QScrollBar::paintEvent(Event);
    }

private:
    // What the style draws from the range and the value: the handle, and
    // whether either end is reached.
    struct TLook
    {
        QRect Handle;
        bool AtMinimum = false, AtMaximum = false;
        bool operator==(const TLook &) const = default;
    };
    TLook Look() const
    {
        QStyleOptionSlider Option;
        initStyleOption(&Option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &Option, QStyle::SC_ScrollBarSlider,
                                        this),
                value() == minimum(), value() == maximum()};
    }

    // What the bar painted last, and a comparison with it is posted.
    std::optional<TLook> FShown;
    bool FCheckPending = false;
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
    setVerticalScrollBar(new Internal::TBrixTapeScrollBar(Qt::Vertical, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(FModel, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int Start, int End) { RowsRemoved(Start, End); });
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

TBrixTapeView::~TBrixTapeView()
{
    if (FDocument && FObserver)
        const_cast<TBrixTapeDocument *>(FDocument)->RemoveObserver(FObserver);
}

QString TBrixTapeView::Text(int Key) const
{
    return FStrings->GetName(FLanguage, TBrixResCalc(Key));
}

namespace {

// The items of one calculation's rows: calculation C, the current one or not.
QList<TTapeItem> CalculationItems(const TBrixTapeCalculation &Lines, int C, bool IsCurrent)
{
    const QList<TBrixTapeRow> Rows = TapeRows(Lines);
    QList<TTapeItem> Items;
    Items.reserve(Rows.size());
    for (qsizetype R = 0; R < Rows.size(); ++R) {
        TTapeItem Item;
        Item.Row = Rows[R];
        Item.Calculation = C;
        Item.LineEnd = R + 1 < Rows.size() ? Rows[R + 1].Line : int(Lines.size());
        Item.Current = IsCurrent;
        Item.Editable = IsCurrent && Item.Row.Kind == lkNumber && Item.Row.Line >= 0 &&
                        Item.Row.Line < Lines.size() && Lines[Item.Row.Line].Number >= 0;
        Item.RuleAbove = R == 0 && C > 0;
        Items.append(Item);
    }
    return Items;
}

} // namespace

void TBrixTapeView::SetDocument(const TBrixTapeDocument *Document)
{
    if (FDocument && FObserver)
        const_cast<TBrixTapeDocument *>(FDocument)->RemoveObserver(FObserver);
    FObserver = 0;
    FDocument = Document;
    if (FDocument)
        FObserver = const_cast<TBrixTapeDocument *>(FDocument)->AddObserver(
            [this](TBrixTapeChange Change) { Follow(Change); });
    Refresh();
}

void TBrixTapeView::Refresh()
{
    const int Previous = currentIndex().isValid() ? currentIndex().row() : -1;
    const bool AtEnd =
        FModel->rowCount() == 0 || verticalScrollBar()->value() == verticalScrollBar()->maximum();
    QList<TTapeItem> Items;
    int KeptCount = 0, CurrentRows = 0;
    if (FDocument) {
        const QList<TBrixTapeCalculation> &Kept = FDocument->Kept();
        KeptCount = int(Kept.size());
        for (int C = 0; C < KeptCount; ++C)
            Items.append(CalculationItems(Kept[C], C, false));
        const QList<TTapeItem> Current = CalculationItems(FDocument->Current(), KeptCount, true);
        CurrentRows = int(Current.size());
        Items.append(Current);
        // After an all clear the rule marks the new calculation.
        if (FDocument->Current().isEmpty() && !Items.isEmpty())
            Items.last().RuleBelow = true;
    }
    FEditRow = -1;
    // A total told before is no longer news.
    if (!accessibleDescription().isEmpty())
        setAccessibleDescription(QString());
    FModel->Reset(std::move(Items), KeptCount, CurrentRows);
    UpdateLayout();
    const int Rows = FModel->rowCount();
    if (Previous >= 0 && Previous < Rows)
        setCurrentIndex(FModel->index(Previous));
    if (AtEnd)
        scrollToBottom();
}

void TBrixTapeView::Follow(TBrixTapeChange Change)
{
    if (!FDocument)
        return;
    if (Change != tcCurrent && Change != tcEnded) {
        // Undo, redo, Clear tape, a file read: anything may have changed.
        Refresh();
        return;
    }
    const bool AtEnd =
        FModel->rowCount() == 0 || verticalScrollBar()->value() == verticalScrollBar()->maximum();
    // An editor open on a row that changes goes, as no replay may start from
    // a number that is no longer shown.
    if (Editing() && FEditRow >= 0 && FEditRow < FModel->rowCount())
        if (QWidget *Editor = indexWidget(FModel->index(FEditRow)))
            closeEditor(Editor, QAbstractItemDelegate::RevertModelCache);
    FEditRow = -1;
    if (!accessibleDescription().isEmpty())
        setAccessibleDescription(QString());
    if (!(Change == tcCurrent ? FollowCurrent() : FollowEnded())) {
        // The view was not in step with the document: all anew.
        Refresh();
        return;
    }
    UpdateOperatorWidth();
    if (AtEnd)
        scrollToBottom();
}

bool TBrixTapeView::FollowCurrent()
{
    const int KeptCount = FModel->KeptCount();
    if (FDocument->Kept().size() != KeptCount)
        return false;
    FModel->SetCurrent(CalculationItems(FDocument->Current(), KeptCount, true));
    ShowRuleBelow();
    return true;
}

bool TBrixTapeView::FollowEnded()
{
    // The current calculation is the last kept one now; where the document
    // keeps no more than its limit, the oldest went.
    const qsizetype Kept = FDocument->Kept().size();
    const int Gone = FModel->KeptCount() + 1 - int(Kept);
    if (Gone < 0 || Gone > FModel->KeptCount() || Kept == 0)
        return false;
    FModel->EndCurrent();
    FModel->RemoveOldest(Gone);
    if (!FDocument->Current().isEmpty())
        FModel->SetCurrent(CalculationItems(FDocument->Current(), FModel->KeptCount(), true));
    ShowRuleBelow();
    return true;
}

void TBrixTapeView::ShowRuleBelow()
{
    // Only the last row has it, while the current calculation has no rows.
    const int Rows = FModel->rowCount();
    const bool Wanted = FDocument && FDocument->Current().isEmpty();
    for (int Row = std::max(0, Rows - 2); Row < Rows; ++Row) {
        TTapeItem Item = FModel->Item(Row);
        Item.RuleBelow = Wanted && Row == Rows - 1;
        FModel->Change(Row, std::move(Item));
    }
}

void TBrixTapeView::UpdateLayout()
{
    FOperatorWidth = -1;
    FRowHeight = -1;
    FRepaintAll = true;
    UpdateOperatorWidth();
    scheduleDelayedItemsLayout();
    viewport()->update();
}

void TBrixTapeView::UpdateOperatorWidth()
{
    // The widest operator beside a number, from the operators shown (each
    // measured once, however many rows show it).
    const QFontMetricsF Metrics(FNumberFont);
    qreal Width = Metrics.horizontalAdvance(u'=');
    for (const QString &Operator : FModel->Operators())
        Width = std::max(Width, Metrics.horizontalAdvance(Operator));
    if (Width == FOperatorWidth)
        return;
    FOperatorWidth = Width;
    FDelegate->SetOperatorWidth(Width);
    viewport()->update();
}

void TBrixTapeView::SetCalculator(TBrixCalcFormBase *Form)
{
    for (const QMetaObject::Connection &Link : std::as_const(FCalculatorLinks))
        disconnect(Link);
    FCalculatorLinks.clear();
    if (FCalculator && FCalculator->ValueDisplay)
        FCalculator->ValueDisplay->removeEventFilter(this);
    FCalculator = Form;
    if (!Form)
        return;
    SetDocument(Form->TapeDocument());
    if (Form->CalcEngine)
        SetLanguage(Form->CalcEngine->Language());
    SetNumberFont(Form->ValueDisplay->font());
    Form->ValueDisplay->installEventFilter(this);
    FCalculatorLinks = {
        connect(Form, &TBrixCalcFormBase::LanguageChanged, this,
                [this] {
                    if (FCalculator && FCalculator->CalcEngine)
                        SetLanguage(FCalculator->CalcEngine->Language());
                }),
        connect(this, &TBrixTapeView::ReuseRequested, Form,
                [this](Extended Value) {
                    if (FCalculator && !FCalculator->PasteExactValue(Value))
                        QApplication::beep();
                }),
        connect(this, &TBrixTapeView::EditRequested, Form,
                [this](int Line, const QString &Text) {
                    if (!FCalculator)
                        return;
                    if (FCalculator->EditTapeNumber(Line, Text))
                        AnnounceTotal();
                    else
                        QApplication::beep();
                }),
        connect(this, &TBrixTapeView::ClearRequested, Form,
                [this] {
                    if (FCalculator)
                        FCalculator->ClearTape();
                }),
    };
}

TBrixCalcFormBase *TBrixTapeView::Calculator() const
{
    return FCalculator;
}

bool TBrixTapeView::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::FontChange && FCalculator && Watched == FCalculator->ValueDisplay)
        SetNumberFont(FCalculator->ValueDisplay->font());
    return QListView::eventFilter(Watched, Event);
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
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::StyleChange) {
        FRowHeight = -1;
        FRepaintAll = true;
    }
    QListView::changeEvent(Event);
}

// ---- The rows' geometry ----

int TBrixTapeView::RowHeight() const
{
    if (FRowHeight < 0) {
        QStyleOptionViewItem Option;
        initViewItemOption(&Option);
        FRowHeight = std::max(1, itemDelegate()->sizeHint(Option, FModel->index(0)).height());
    }
    return FRowHeight;
}

QRect TBrixTapeView::visualRect(const QModelIndex &Index) const
{
    if (!Index.isValid() || Index.model() != FModel)
        return QRect();
    const int Height = RowHeight();
    return QRect(0, Index.row() * Height - verticalOffset(), viewport()->width(), Height);
}

QModelIndex TBrixTapeView::indexAt(const QPoint &Point) const
{
    if (Point.x() < 0 || Point.x() >= viewport()->width())
        return QModelIndex();
    const int Y = Point.y() + verticalOffset();
    const int Row = Y < 0 ? -1 : Y / RowHeight();
    return Row < FModel->rowCount() ? FModel->index(Row) : QModelIndex();
}

void TBrixTapeView::scrollTo(const QModelIndex &Index, ScrollHint Hint)
{
    if (!Index.isValid() || Index.model() != FModel)
        return;
    executeDelayedItemsLayout();
    const int Height = RowHeight();
    const int Top = Index.row() * Height, Bottom = Top + Height;
    const int Shown = viewport()->height();
    QScrollBar *Bar = verticalScrollBar();
    int Value = Bar->value();
    switch (Hint) {
    case EnsureVisible:
        if (Top < Value)
            Value = Top;
        else if (Bottom > Value + Shown)
            Value = std::min(Top, Bottom - Shown);
        break;
    case PositionAtTop:
        Value = Top;
        break;
    case PositionAtBottom:
        Value = Bottom - Shown;
        break;
    case PositionAtCenter:
        Value = Top - (Shown - Height) / 2;
        break;
    }
    Bar->setValue(Value);
}

void TBrixTapeView::doItemsLayout()
{
    // Nothing to lay out row by row: the scroll range, and a repaint of every
    // row shown where the rows' look changed as a whole (the font, the style,
    // the model). The pass the list schedules after rows were inserted or
    // removed repaints nothing: those rows were updated where they changed
    // (rowsInserted, RowsRemoved, dataChanged), so a key on a full tape
    // repaints no more rows than on an empty one.
    if (FRepaintAll) {
        FRepaintAll = false;
        QAbstractItemView::doItemsLayout();
    } else {
        updateGeometries();
    }
}

void TBrixTapeView::dataChanged(const QModelIndex &TopLeft, const QModelIndex &BottomRight,
                                const QList<int> &Roles)
{
    QListView::dataChanged(TopLeft, BottomRight, Roles);
    // The list leaves a row to a pending layout pass, which repaints no rows
    // here (doItemsLayout): the row changed is repainted now.
    if (TopLeft == BottomRight && TopLeft.isValid())
        update(TopLeft);
}

void TBrixTapeView::updateGeometries()
{
    const int Height = RowHeight();
    const int Shown = viewport()->height();
    QScrollBar *Bar = verticalScrollBar();
    Bar->setSingleStep(Height);
    Bar->setPageStep(std::max(1, Shown));
    Bar->setRange(0, std::max(0, FModel->rowCount() * Height - Shown));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void TBrixTapeView::scrollContentsBy(int Dx, int Dy)
{
    // The pixels shown move (and the editor with them): only the rows
    // scrolled in are painted. The scroll area's own way repaints the whole
    // viewport, and the list's follows its own layout, which this view has not.
    if (!FQuietScroll)
        viewport()->scroll(Dx, Dy);
}

void TBrixTapeView::rowsInserted(const QModelIndex &Parent, int Start, int End)
{
    QAbstractItemView::rowsInserted(Parent, Start, End);
    updateGeometries();
    // The new rows and those they pushed down (below the last row nothing
    // changed).
    const int Top = Start * RowHeight() - verticalOffset();
    const int Bottom =
        std::min(viewport()->height(), FModel->rowCount() * RowHeight() - verticalOffset());
    viewport()->update(0, Top, viewport()->width(), std::max(0, Bottom - Top));
}

void TBrixTapeView::rowsAboutToBeRemoved(const QModelIndex &Parent, int Start, int End)
{
    QAbstractItemView::rowsAboutToBeRemoved(Parent, Start, End);
}

void TBrixTapeView::RowsRemoved(int Start, int End)
{
    const int Height = RowHeight();
    const int Value = verticalOffset();
    if ((End + 1) * Height <= Value) {
        FQuietScroll = true;
        updateGeometries();
        verticalScrollBar()->setValue(Value - (End - Start + 1) * Height);
        FQuietScroll = false;
        return;
    }
    updateGeometries();
    const int Top = std::max(0, Start * Height - verticalOffset());
    viewport()->update(0, Top, viewport()->width(), std::max(0, viewport()->height() - Top));
}

int TBrixTapeView::horizontalOffset() const
{
    return 0;
}

int TBrixTapeView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

QModelIndex TBrixTapeView::moveCursor(CursorAction Action, Qt::KeyboardModifiers)
{
    const int Rows = FModel->rowCount();
    if (Rows == 0)
        return QModelIndex();
    const QModelIndex Current = currentIndex();
    int Row = Current.isValid() ? Current.row() : -1;
    const int Page = std::max(1, viewport()->height() / RowHeight());
    if (Row < 0) {
        Row = Action == MoveEnd ? Rows - 1 : 0;
    } else {
        switch (Action) {
        case MoveUp:
        case MovePrevious:
            --Row;
            break;
        case MoveDown:
        case MoveNext:
            ++Row;
            break;
        case MoveHome:
            Row = 0;
            break;
        case MoveEnd:
            Row = Rows - 1;
            break;
        case MovePageUp:
            Row -= Page;
            break;
        case MovePageDown:
            Row += Page;
            break;
        case MoveLeft:
        case MoveRight:
            break;
        }
    }
    return FModel->index(std::clamp(Row, 0, Rows - 1));
}

void TBrixTapeView::setSelection(const QRect &Rect, QItemSelectionModel::SelectionFlags Command)
{
    const QRect Area = Rect.normalized();
    const int Rows = FModel->rowCount();
    const int Height = RowHeight();
    const int Top = Area.top() + verticalOffset(), Bottom = Area.bottom() + verticalOffset();
    QItemSelection Selection;
    if (Rows > 0 && Bottom >= 0 && Top < Rows * Height && Area.right() >= 0 &&
        Area.left() < viewport()->width())
        Selection.select(FModel->index(std::max(0, Top) / Height),
                         FModel->index(std::min(Rows - 1, Bottom / Height)));
    selectionModel()->select(Selection, Command);
}

QRegion TBrixTapeView::visualRegionForSelection(const QItemSelection &Selection) const
{
    QRegion Region;
    for (const QItemSelectionRange &Range : Selection)
        if (Range.isValid() && Range.model() == FModel)
            Region += visualRect(Range.topLeft()).united(visualRect(Range.bottomRight()));
    return Region;
}

void TBrixTapeView::paintEvent(QPaintEvent *Event)
{
    const int Rows = FModel->rowCount();
    if (Rows == 0)
        return;
    QPainter Painter(viewport());
    const int Height = RowHeight();
    const QRect Area = Event->rect();
    const int First = std::max(0, (Area.top() + verticalOffset()) / Height);
    const int Last = std::min(Rows - 1, (Area.bottom() + verticalOffset()) / Height);
    QStyleOptionViewItem Option;
    initViewItemOption(&Option);
    const QStyle::State State = Option.state;
    const QModelIndex Current = currentIndex();
    const bool Focus = (hasFocus() || viewport()->hasFocus()) && Current.isValid();
    const QModelIndex Hover = viewport()->underMouse()
                                  ? indexAt(viewport()->mapFromGlobal(QCursor::pos()))
                                  : QModelIndex();
    const QItemSelectionModel *Selections = selectionModel();
    const bool Enabled = (State & QStyle::State_Enabled) != 0;
    for (int Row = First; Row <= Last; ++Row) {
        const QModelIndex Index = FModel->index(Row);
        Option.rect = visualRect(Index);
        Option.state = State;
        if (Selections && Selections->isSelected(Index))
            Option.state |= QStyle::State_Selected;
        if (Enabled)
            Option.palette.setCurrentColorGroup(QPalette::Normal);
        if (Focus && Index == Current) {
            Option.state |= QStyle::State_HasFocus;
            if (state() == EditingState)
                Option.state |= QStyle::State_Editing;
        }
        Option.state.setFlag(QStyle::State_MouseOver, Index == Hover);
        itemDelegateForIndex(Index)->paint(&Painter, Option, Index);
    }
}

// Screen readers hear of the current and the selected row by its row, as
// the list tells them (the list's own way finds rows in its own layout).
void TBrixTapeView::currentChanged(const QModelIndex &Current, const QModelIndex &Previous)
{
    if (QAccessible::isActive() && Current.isValid() && hasFocus()) {
        QAccessibleEvent Event(this, QAccessible::Focus);
        Event.setChild(Current.row());
        QAccessible::updateAccessibility(&Event);
    }
    QAbstractItemView::currentChanged(Current, Previous);
}

void TBrixTapeView::selectionChanged(const QItemSelection &Selected,
                                     const QItemSelection &Deselected)
{
    if (QAccessible::isActive()) {
        const auto Tell = [this](const QItemSelection &Rows, QAccessible::Event Type) {
            if (Rows.isEmpty() || !Rows.first().isValid())
                return;
            QAccessibleEvent Event(this, Type);
            Event.setChild(Rows.first().top());
            QAccessible::updateAccessibility(&Event);
        };
        Tell(Selected, QAccessible::SelectionAdd);
        Tell(Deselected, QAccessible::SelectionRemove);
    }
    QAbstractItemView::selectionChanged(Selected, Deselected);
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
    // The editor opens with the number's exact value, not its rounded
    // display: Enter on it as it is changes nothing.
    FEditText = EditText(FModel->Item(FEditRow).Row.Value);
    edit(currentIndex());
    if (auto *Editor = qobject_cast<QLineEdit *>(indexWidget(currentIndex()))) {
        Editor->setText(FEditText);
        Editor->selectAll();
    }
}

QString TBrixTapeView::EditText(const Extended &Value)
{
    return StoredFloatText(Value, 18, RegionalSettings().DecimalSeparator);
}

void TBrixTapeView::Submit(const QString &Text)
{
    const int Row = FEditRow;
    FEditRow = -1;
    if (Row < 0 || Row >= FModel->rowCount() || Text == FEditText)
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
    Q_EMIT ReuseRequested(FModel->Item(Index.row()).Row.Value);
}

QString TBrixTapeView::SelectedText() const
{
    QModelIndexList Selected = selectionModel()->selectedIndexes();
    std::sort(Selected.begin(), Selected.end(),
              [](const QModelIndex &A, const QModelIndex &B) { return A.row() < B.row(); });
    // As the tape's text shows them, a rule between calculations.
    QList<QList<TBrixTapeRow>> Groups;
    int Calculation = -1;
    for (const QModelIndex &Index : std::as_const(Selected)) {
        const TTapeItem &Item = FModel->Item(Index.row());
        if (Groups.isEmpty() || Item.Calculation != Calculation)
            Groups.append(QList<TBrixTapeRow>());
        Calculation = Item.Calculation;
        Groups.last().append(Item.Row);
    }
    QString Text = TapeRowsText(Groups);
    if (Text.endsWith(u'\n'))
        Text.chop(1);
    return Text;
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
    // The current calculation's last total or error: how it ends now.
    int Found = -1;
    for (int Row = FModel->rowCount() - 1; Row >= 0; --Row) {
        const TTapeItem &Item = FModel->Item(Row);
        if (!Item.Current)
            break;
        if (Item.Row.Kind == lkResult || Item.Row.Kind == lkError) {
            Found = Row;
            // An error's rows: the first tells it.
            while (Found > 0 && Item.Row.Kind == lkError && FModel->Item(Found - 1).Current &&
                   FModel->Item(Found - 1).Row.Kind == lkError)
                --Found;
            break;
        }
    }
    if (Found < 0)
        return;
    // Qt has no announcement of its own: the total becomes the list's
    // description (which screen readers read out when it changes) and its
    // row's name is told as changed.
    setAccessibleDescription(FModel->index(Found).data(Qt::AccessibleTextRole).toString());
    if (QAccessible::isActive()) {
        QAccessibleEvent Event(this, QAccessible::NameChanged);
        Event.setChild(Found);
        QAccessible::updateAccessibility(&Event);
    }
}

} // namespace Brix

#include "tapeview.moc"
