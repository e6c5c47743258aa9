/// @file
/// The tape's view: a list of the rows of every calculation of a tape
/// document, laid out as an adding machine prints them. Numbers stand
/// right-aligned in one column in the display's font (with digits of equal
/// width), the operator beside each number; a total is bold under a rule, an
/// error row is drawn in an error colour made from the palette, an edited
/// number is italic with a mark before it, and a rule separates calculations.
/// Every colour comes from the palette.
///
/// The view follows its document: it is told of every change (see
/// TBrixTapeDocument's observers) and changes only the rows that changed (a
/// key: the current calculation's rows from the first that differs; the end
/// of a calculation: a rule, and the oldest calculation's rows where the
/// document dropped it). The selected rows and a view scrolled to its last
/// row stay so.
///
/// Keys: Up/Down/Home/End (and Page Up/Down) select a row; F2 (or a double
/// click with Ctrl) opens an editor on an editable number of the current
/// calculation, with the number's exact value as text (the shortest that
/// reads back as the same value, in the region's decimal separator, never
/// grouped), where Enter asks for the edit (EditRequested; not when the text
/// is unchanged) and Escape cancels; Insert or a double click asks for the
/// row's exact value to be used (ReuseRequested); Ctrl+C copies the selected
/// rows as text, as shown. Other keys are not the view's (OwnsKey): the
/// program sends them to the calculator.
///
/// A view given a calculator window (SetCalculator) shows its tape document
/// and does what it asks for itself: a reused number is pasted into the
/// calculator as its exact value, an edit is replayed (and its new total
/// told to screen readers, or a beep where the text is no number), Clear
/// tape clears the window's tape; the view speaks the window's language and
/// draws its numbers in the window's display font.
///
/// Screen readers see a list whose items read as the number and the
/// operator after it in words ("12.0000 plus", "total
/// 17.0000", "…, edited"): TapeSpokenRow of taperows.h.
#pragma once

#include "brix/calcwindows/tapedocument.h"
#include "brix/classes/component.h"
#include "brix/classes/globals.h"
#include "brix/export.h"

#include <QFont>
#include <QListView>
#include <QPointer>

class QAction;
class QKeyEvent;
class QMenu;
class QPrinter;

namespace Brix {

class TBrixCalcFormBase;
class TBrixCalculatorStrings;

namespace Internal {
class TBrixTapeModel;
class TBrixTapeDelegate;
} // namespace Internal

/// The tape on screen: a list of a document's rows, read, reused, edited,
/// saved and printed from the keyboard or the context menu.
class BRIX_CONTROLS_EXPORT TBrixTapeView : public QListView
{
    Q_OBJECT
public:
    /// objectName "TapeView".
    explicit TBrixTapeView(QWidget *Parent = nullptr);
    ~TBrixTapeView() override;

    /// The document shown (not owned; null: none). The view follows it from
    /// then on, told by the document of each change; it must outlive the view
    /// or be replaced (SetDocument(nullptr)) before it goes.
    ///@{
    void SetDocument(const TBrixTapeDocument *Document);
    const TBrixTapeDocument *Document() const { return FDocument; }
    ///@}
    /// Shows the document as it is now, every row made anew. The selected
    /// row stays where it was; a view showing its last row shows the new
    /// last row.
    void Refresh();

    /// The calculator window whose tape the view shows and acts on (not
    /// owned; null: none, the view then only asks through its signals). The
    /// view takes the window's tape document, language and display font,
    /// follows their changes, and connects its requests to the window: a
    /// reused number is pasted as its exact value (PasteExactValue), an edit
    /// is replayed (EditTapeNumber; AnnounceTotal after it, a beep when the
    /// window refuses it), Clear tape clears the window's tape (ClearTape).
    ///@{
    void SetCalculator(TBrixCalcFormBase *Form);
    TBrixCalcFormBase *Calculator() const;
    ///@}

    /// The language of the menu, the file dialog and the items' names.
    ///@{
    void SetLanguage(TBrixLanguage Language);
    TBrixLanguage Language() const { return FLanguage; }
    ///@}

    /// The display's font. When its digits are not all of one width, the
    /// system's fixed-width font of the same size is used instead, so the
    /// numbers' digits line up (TapeFigureFont of tapeexport.h).
    void SetNumberFont(const QFont &Font);
    /// The font the rows are drawn in.
    const QFont &NumberFont() const { return FNumberFont; }
    /// The colour of error rows on Palette: a red as far from the palette's
    /// base colour as its text is (dark red on light, light red on dark).
    static QColor ErrorColor(const QPalette &Palette);

    /// An editor is open on a number.
    bool Editing() const;
    /// Whether the view handles Key itself (navigation, F2, Insert, Ctrl+C,
    /// Ctrl+A, Menu/Shift+F10, modifiers alone, and every key while
    /// editing); the program sends every other key to the calculator.
    bool OwnsKey(const QKeyEvent &Key) const;
    /// The line (index into the document's Current()) of the current row
    /// when it is an editable number of the current calculation, else -1.
    int SelectedEditableLine() const;
    /// The text the editor opens with for Value: the shortest that reads
    /// back as the very same value (StoredFloatText at 18 places), with the
    /// region's decimal separator and no grouping.
    static QString EditText(const Extended &Value);
    /// Screen readers: tells how the current calculation ends now (after an
    /// edit): its last total or error row becomes the view's accessible
    /// description (until the document changes again) and that row's name
    /// is announced as changed.
    void AnnounceTotal();

    /// The selected rows as text (what Ctrl+C copies): each calculation's
    /// selected rows as the tape's text shows them, a rule between
    /// calculations.
    QString SelectedText() const;
    /// Saves the whole tape to Path (what Save tape… does after its
    /// dialog): "" or the reason it failed.
    QString SaveTapeTo(const QString &Path) const;
    /// Prints the whole tape on Printer (what Print tape… does after its
    /// dialog).
    void PrintTapeOn(QPrinter &Printer) const;

Q_SIGNALS:
    /// Insert or a double click on a row with a number: its exact value.
    void ReuseRequested(Brix::Extended Value);
    /// Enter in the editor on a changed text: Line is the index in the
    /// document's Current().
    void EditRequested(int Line, const QString &Text);
    /// The context menu's Clear tape.
    void ClearRequested();
    /// A key or action that cannot be done here (F2 on a row that cannot be
    /// edited, Insert on a row without a number); the view has beeped.
    void Refused();

protected:
    /// The view's own keys (OwnsKey), the double-clicks that reuse or edit a
    /// row, the context menu, and the texts following the language.
    ///@{
    void keyPressEvent(QKeyEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void contextMenuEvent(QContextMenuEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    ///@}
    /// Follows the font of the calculator window's value display.
    bool eventFilter(QObject *Watched, QEvent *Event) override;

public:
    /// The rows' geometry: every row as high as the delegate's size hint and
    /// as wide as the viewport, one below the other. Computed from the row
    /// number alone, so a row added or removed costs the same on a long tape
    /// as on a short one (the list's own layout visits every row each time).
    ///@{
    QRect visualRect(const QModelIndex &Index) const override;
    void scrollTo(const QModelIndex &Index, ScrollHint Hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &Point) const override;
    void doItemsLayout() override;
    ///@}

protected:
    /// The rows' geometry, scrolling, selection by rectangle, the keys that
    /// move the current row, and painting the rows in view; the current and
    /// selected rows are told to screen readers by their row.
    ///@{
    QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    void setSelection(const QRect &Rect, QItemSelectionModel::SelectionFlags Command) override;
    QRegion visualRegionForSelection(const QItemSelection &Selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int Dx, int Dy) override;
    void paintEvent(QPaintEvent *Event) override;
    void dataChanged(const QModelIndex &TopLeft, const QModelIndex &BottomRight,
                     const QList<int> &Roles = QList<int>()) override;
    void rowsInserted(const QModelIndex &Parent, int Start, int End) override;
    void rowsAboutToBeRemoved(const QModelIndex &Parent, int Start, int End) override;
    void currentChanged(const QModelIndex &Current, const QModelIndex &Previous) override;
    void selectionChanged(const QItemSelection &Selected,
                          const QItemSelection &Deselected) override;
    ///@}

private:
    void StartEdit();
    void Reuse();
    void Copy();
    void SaveWithDialog();
    void PrintWithDialog();
    void OpenMenu(const QPoint &GlobalPos);
    void Submit(const QString &Text);
    void Refuse();
    void Retranslate();
    void UpdateLayout();
    void UpdateOperatorWidth();
    // The height of every row (the delegate's size hint), kept until the
    // font or the style changes.
    int RowHeight() const;
    // Rows Start to End went: the rows below them are drawn anew, or, where
    // they were above the rows in view, the view keeps showing those rows.
    void RowsRemoved(int Start, int End);
    QString Text(int Key) const;
    // A change the document told: the rows that changed are changed.
    void Follow(TBrixTapeChange Change);
    bool FollowCurrent();
    bool FollowEnded();
    void ShowRuleBelow();

    const TBrixTapeDocument *FDocument = nullptr;
    int FObserver = 0;
    QPointer<TBrixCalcFormBase> FCalculator;
    QList<QMetaObject::Connection> FCalculatorLinks;
    TBrixLanguage FLanguage = DefaultLanguage;
    QFont FNumberFont;
    Internal::TBrixTapeModel *FModel;
    Internal::TBrixTapeDelegate *FDelegate;
    TOwned<TBrixCalculatorStrings> FStrings;
    QMenu *FMenu;
    QAction *FUseAction, *FEditAction, *FCopyAction, *FSaveAction, *FPrintAction, *FClearAction;
    // The row the open editor edits, or -1, and the text it opened with.
    int FEditRow = -1;
    QString FEditText;
    // The operator column's width given to the delegate.
    qreal FOperatorWidth = -1;
    mutable int FRowHeight = -1;
    // The next layout pass repaints every row shown (the rows' look changed
    // as a whole); otherwise it only sets the scroll range.
    bool FRepaintAll = true;
    // Set while the scroll value follows rows removed above the view: what
    // is shown does not move.
    bool FQuietScroll = false;
};

} // namespace Brix
