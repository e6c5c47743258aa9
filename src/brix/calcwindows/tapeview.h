/// @file
/// The tape's view: a list of the rows of every calculation of a tape
/// document, laid out as an adding machine prints them. Numbers stand
/// right-aligned in one column in the display's font (with digits of equal
/// width), the operator beside each number; a total is bold under a rule, an
/// error row is drawn in an error colour made from the palette, an edited
/// number is italic with a mark before it, and a rule separates calculations.
/// Every colour comes from the palette.
///
/// Keys: Up/Down/Home/End (and Page Up/Down) select a row; F2 (or a double
/// click with Ctrl) opens an editor on an editable number of the current
/// calculation, where Enter asks for the edit (EditRequested) and Escape
/// cancels; Insert or a double click asks for the row's number to be used
/// (ReuseRequested); Ctrl+C copies the selected rows as text. Other keys are
/// not the view's (OwnsKey): the program sends them to the calculator.
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

class QAction;
class QKeyEvent;
class QMenu;
class QPrinter;

namespace Brix {

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

    /// The document shown (not owned; null: none). Call Refresh after it changed.
    ///@{
    void SetDocument(const TBrixTapeDocument *Document);
    const TBrixTapeDocument *Document() const { return FDocument; }
    ///@}
    /// Shows the document as it is now. The selected row stays where it was;
    /// a view showing its last row shows the new last row.
    void Refresh();

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
    /// Screen readers: tells the current calculation's total (after an
    /// edit, once Refresh has shown it): it becomes the view's accessible
    /// description (until the next Refresh) and the total row's name is
    /// announced as changed.
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
    /// Insert or a double click on a row with a number: the number as shown.
    void ReuseRequested(const QString &NumberText);
    /// Enter in the editor: Line is the index in the document's Current().
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
    QString Text(int Key) const;

    const TBrixTapeDocument *FDocument = nullptr;
    TBrixLanguage FLanguage = DefaultLanguage;
    QFont FNumberFont;
    Internal::TBrixTapeModel *FModel;
    Internal::TBrixTapeDelegate *FDelegate;
    TOwned<TBrixCalculatorStrings> FStrings;
    QMenu *FMenu;
    QAction *FUseAction, *FEditAction, *FCopyAction, *FSaveAction, *FPrintAction, *FClearAction;
    // The row the open editor edits, or -1.
    int FEditRow = -1;
};

} // namespace Brix
