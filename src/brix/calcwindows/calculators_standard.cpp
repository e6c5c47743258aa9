#include "brix/calcwindows/calculators_standard.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_glyphs.h"
#include "brix/calcwindows/calculators_input.h"
#include "brix/calcwindows/tapedocument.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/strings/paste.h"
#include "brix/strings/tools.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"

#include "brix/formatters/numeric.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QWindow>

#include <cmath>

namespace Brix {

// ---- The key table ----

namespace {

enum TFaceKind
{
    fkText,       // a fixed caption
    fkTableText,  // a caption from the calculator text table
    fkGlyph,      // a drawn symbol
    fkDecimalSep, // the regional decimal separator, set at creation
    fkAngleMode   // the engine's angle-mode text
};

constexpr int NoText = -1;
constexpr int KeyWidth = 30;
constexpr int KeyHeight = 22;
constexpr int DisplayHeight = 24;
constexpr int SpinLeft = 66;
constexpr int SpinHeight = 29;

// The keypad panel as screen readers see it: its shown children only, so the
// keys a layout hides are not read out.
class TKeypadAccessible : public QAccessibleWidget
{
public:
    explicit TKeypadAccessible(QWidget *Panel) : QAccessibleWidget(Panel, QAccessible::Pane) {}

    int childCount() const override { return int(ShownChildren().size()); }
    QAccessibleInterface *child(int Index) const override
    {
        const QList<QWidget *> Shown = ShownChildren();
        return Index >= 0 && Index < Shown.size()
                   ? QAccessible::queryAccessibleInterface(Shown[Index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *Child) const override
    {
        if (!Child || !Child->object() || !Child->object()->isWidgetType())
            return -1;
        return int(ShownChildren().indexOf(static_cast<QWidget *>(Child->object())));
    }

private:
    // In the order they stand on the screen, row by row from the top, each
    // row from the left, as a reader's eye goes (not the order they were
    // made in). A control belongs to the row it overlaps by more than half
    // its height (the decimal places box sits a little lower than the keys
    // beside it).
    QList<QWidget *> ShownChildren() const
    {
        QList<QWidget *> Shown;
        for (QObject *Child : widget()->children())
            if (auto *W = qobject_cast<QWidget *>(Child); W && !W->isWindow() && !W->isHidden())
                Shown << W;
        std::stable_sort(Shown.begin(), Shown.end(),
                         [](const QWidget *A, const QWidget *B) { return A->y() < B->y(); });
        QList<std::pair<int, QWidget *>> Rows; // row number, control
        int Row = 0, RowBottom = -1;
        for (QWidget *W : Shown) {
            if (W->y() + W->height() / 2 > RowBottom) { // below the row: a new one
                ++Row;
                RowBottom = W->y() + W->height();
            }
            Rows.append({Row, W});
        }
        std::stable_sort(Rows.begin(), Rows.end(), [](const auto &A, const auto &B) {
            return std::pair(A.first, A.second->x()) < std::pair(B.first, B.second->x());
        });
        Shown.clear();
        for (const auto &[R, W] : Rows)
            Shown << W;
        return Shown;
    }
};

const char *const KeypadPanelProperty = "brixKeypadPanel";

QAccessibleInterface *KeypadAccessibleFactory(const QString &, QObject *Object)
{
    if (Object && Object->isWidgetType() && Object->property(KeypadPanelProperty).toBool())
        return new TKeypadAccessible(static_cast<QWidget *>(Object));
    return nullptr;
}

TBrixCalcFormBase::TErrorReporter &ErrorReporter()
{
    static TBrixCalcFormBase::TErrorReporter Reporter;
    return Reporter;
}

} // namespace

struct TBrixCalcFormBase::TKeyRow
{
    TBrixCalcKey Key;
    const char *Name;
    TBrixSpeedButton *TBrixCalcFormBase::*Field; // nullptr: a scientific-only key
    TFaceKind Face;
    const char *Text; // fkText
    TBrixGlyph Glyph; // fkGlyph
    int CaptionKey;   // fkTableText: a TBrixResCalc
    int HintKey;      // a TBrixResCalc, or NoText
    // What a click does when it is not the key's engine call (PressKey).
    void (*WindowAction)(TBrixCalcFormBase &Form) = nullptr;
};

// What each key looks like. Where each key sits is the keypad's grid
// (calculators_keypad.cpp); what a key does is its engine call in the key
// table (calculator/keys.cpp), but for the window actions below.
const TBrixCalcFormBase::TKeyRow *TBrixCalcFormBase::KeyTable(int &Count)
{
    using F = TBrixCalcFormBase;
    static const TKeyRow Rows[] = {
        {ckZero, "ZeroBtn", &F::ZeroBtn, fkText, "0", kgAdd, NoText, NoText},
        {ckPoint, "PointBtn", &F::PointBtn, fkDecimalSep, ".", kgAdd, NoText, NoText},
        {ckChangeSign, "ChangeSignBtn", &F::ChangeSignBtn, fkGlyph, nullptr, kgChangeSign, NoText,
         ectChangeSignHint},
        {ckOne, "OneBtn", &F::OneBtn, fkText, "1", kgAdd, NoText, NoText},
        {ckTwo, "TwoBtn", &F::TwoBtn, fkText, "2", kgAdd, NoText, NoText},
        {ckThree, "ThreeBtn", &F::ThreeBtn, fkText, "3", kgAdd, NoText, NoText},
        {ckFour, "FourBtn", &F::FourBtn, fkText, "4", kgAdd, NoText, NoText},
        {ckFive, "FiveBtn", &F::FiveBtn, fkText, "5", kgAdd, NoText, NoText},
        {ckSix, "SixBtn", &F::SixBtn, fkText, "6", kgAdd, NoText, NoText},
        {ckSeven, "SevenBtn", &F::SevenBtn, fkText, "7", kgAdd, NoText, NoText},
        {ckEight, "EightBtn", &F::EightBtn, fkText, "8", kgAdd, NoText, NoText},
        {ckNine, "NineBtn", &F::NineBtn, fkText, "9", kgAdd, NoText, NoText},
        {ckEquals, "EqualsBtn", &F::EqualsBtn, fkText, "=", kgAdd, NoText, NoText},
        {ckSubtract, "SubtractBtn", &F::SubtractBtn, fkGlyph, nullptr, kgSubtract, NoText,
         ectSubtractHint},
        {ckAdd, "AddBtn", &F::AddBtn, fkGlyph, nullptr, kgAdd, NoText, ectAddHint},
        {ckDivide, "DivideBtn", &F::DivideBtn, fkGlyph, nullptr, kgDivide, NoText, ectDivideHint},
        {ckMultiply, "MultiplyBtn", &F::MultiplyBtn, fkGlyph, nullptr, kgMultiply, NoText,
         ectMultiplyHint},
        {ckLeftBracket, "LeftBracketBtn", &F::LeftBracketBtn, fkText, "(", kgAdd, NoText, NoText},
        {ckRightBracket, "RightBracketBtn", &F::RightBracketBtn, fkText, ")", kgAdd, NoText,
         NoText},
        {ckAllClear, "AllClearBtn", &F::AllClearBtn, fkTableText, nullptr, kgAdd, ectACKey,
         ectACHint},
        {ckClear, "ClearBtn", &F::ClearBtn, fkTableText, nullptr, kgAdd, ectCKey, ectClearHint},
        {ckMemoryClear, "MemoryClearBtn", &F::MemoryClearBtn, fkTableText, nullptr, kgAdd, ectMCKey,
         ectMCHint},
        {ckMemoryAdd, "MemoryAddBtn", &F::MemoryAddBtn, fkTableText, nullptr, kgAdd, ectMAddKey,
         ectMAddHint},
        {ckMemorySubtract, "MemorySubtractBtn", &F::MemorySubtractBtn, fkTableText, nullptr, kgAdd,
         ectMSubtractKey, ectMSubtractHint},
        {ckMemoryRecall, "MemoryRecallBtn", &F::MemoryRecallBtn, fkTableText, nullptr, kgAdd,
         ectMRKey, ectMRHint},
        {ckPower, "PowerBtn", &F::PowerBtn, fkGlyph, nullptr, kgPower, NoText, ectPowerHint},
        {ckPi, "PiBtn", &F::PiBtn, fkGlyph, nullptr, kgPi, NoText, ectPiHint},
        {ckE, "EBtn", &F::EBtn, fkText, "e", kgAdd, NoText, ectNaturalHint},
        {ckSquare, "SquareBtn", &F::SquareBtn, fkGlyph, nullptr, kgSquare, NoText, ectSquareHint},
        {ckSqRoot, "SqRootBtn", &F::SqRootBtn, fkGlyph, nullptr, kgSqRoot, NoText, ectRootHint},
        {ckInvert, "InvertBtn", &F::InvertBtn, fkGlyph, nullptr, kgInvert, NoText, ectInvertHint},
        {ckLog, "LogBtn", &F::LogBtn, fkTableText, nullptr, kgAdd, ectLogKey, ectLogHint},
        {ckLN, "LNBtn", &F::LNBtn, fkTableText, nullptr, kgAdd, ectLnKey, ectLnHint},
        {ckExit, "ExitBtn", &F::ExitBtn, fkGlyph, nullptr, kgExit, NoText, ectExitHint,
         [](F &Form) { Form.CloseWith(false); }},
        {ckCopy, "CopyBtn", &F::CopyBtn, fkGlyph, nullptr, kgCopy, NoText, ectCopyHint,
         [](F &Form) { Form.CopyValue(); }},
        {ckPaste, "PasteBtn", &F::PasteBtn, fkGlyph, nullptr, kgPaste, NoText, ectPasteHint,
         [](F &Form) { Form.PasteValue(); }},
        {ckSin, "SinBtn", &F::SinBtn, fkTableText, nullptr, kgAdd, ectSinKey, ectSinHint},
        {ckCos, "CosBtn", &F::CosBtn, fkTableText, nullptr, kgAdd, ectCosKey, ectCosHint},
        {ckTan, "TanBtn", &F::TanBtn, fkTableText, nullptr, kgAdd, ectTanKey, ectTanHint},
        {ckInv, "InvBtn", &F::InvBtn, fkTableText, nullptr, kgAdd, ectInvAbbrev, ectInvHint},
        {ckCancel, "CancelBtn", &F::CancelBtn, fkGlyph, nullptr, kgCancel, NoText, ectCancelHint,
         [](F &Form) { Form.CloseWith(true); }},
        {ckBackSpace, "BackSpaceBtn", &F::BackSpaceBtn, fkGlyph, nullptr, kgBackSpace, NoText,
         ectBackspaceHint},
        // The angle key also shows the new mode on its face.
        {ckRad, "RadBtn", &F::RadBtn, fkAngleMode, nullptr, kgAdd, NoText, ectRadHint,
         [](F &Form) { Form.ToggleAngleMode(); }},
        {ckPercent, "PercentBtn", &F::PercentBtn, fkText, "%", kgAdd, NoText, ectPercentHint},
        {ckHyp, "HypBtn", nullptr, fkTableText, nullptr, kgAdd, ectHypKey, ectHypHint},
        {ckLg2, "Lg2btn", nullptr, fkTableText, nullptr, kgAdd, ectLg2Key, ectLg2Hint},
        {ckExp, "ExpBtn", nullptr, fkTableText, nullptr, kgAdd, ectExpKey, ectExpHint},
    };
    static_assert(std::size(Rows) == BrixCalcKeyCount);
    Count = int(std::size(Rows));
    return Rows;
}

const TBrixCalcFormBase::TKeyRow &TBrixCalcFormBase::KeyRow(TBrixCalcKey Key)
{
    int Count = 0;
    const TKeyRow *Rows = KeyTable(Count);
    Q_ASSERT(Rows[Key].Key == Key); // the table is in the order of the codes
    return Rows[Key];
}

// ---- Keys with drawn symbols ----

namespace {

// A key whose symbol is painted as vectors at the window's device pixel
// ratio in the colours of the key's palette: the key draws its face with an
// empty caption, the symbol goes on top (normal, disabled or pressed look,
// shifted by a pixel while pressed).
class TBrixGlyphKey : public TBrixSpeedButton
{
public:
    TBrixGlyphKey(QWidget *Parent, TBrixGlyph Glyph) : TBrixSpeedButton(Parent), FSymbol(Glyph) {}

protected:
    void paintEvent(QPaintEvent *Event) override
    {
        TBrixSpeedButton::paintEvent(Event);
        QPainter Painter(this);
        const QIcon::Mode Mode =
            !isEnabled() ? QIcon::Disabled : (isDown() ? QIcon::Active : QIcon::Normal);
        const int Side = qMin(16, qMin(width(), height()) - 4);
        QRect Box((width() - Side) / 2, (height() - Side) / 2, Side, Side);
        if (isDown())
            Box.translate(1, 1);
        PaintBrixGlyph(Painter, Box, FSymbol, Mode, palette());
    }

private:
    TBrixGlyph FSymbol;
};

} // namespace

// ---- Construction ----

TBrixCalcFormBase::TBrixCalcFormBase(QWidget *Parent, const QString &ObjectName, int HelpContext,
                                     int SpinWidth, bool WithSciKeys)
    : QDialog(Parent)
{
    setObjectName(ObjectName);
    setWindowTitle(QStringLiteral("Calculator"));
    QFont Font = font();
    Font.setFamilies({QStringLiteral("Segoe UI"), Font.family()});
    Font.setPixelSize(15);
    setFont(Font);
    FHelpContext = HelpContext;
    BuildControls(SpinWidth, WithSciKeys);
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

void TBrixCalcFormBase::BuildControls(int SpinWidth, bool WithSciKeys)
{
    CalcPanel = new QFrame(this);
    CalcPanel->setObjectName(QStringLiteral("CalcPanel"));
    CalcPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    CalcPanel->setLineWidth(1);
    CalcPanel->setFocusPolicy(Qt::StrongFocus);
    CalcPanel->installEventFilter(this);
    static const bool FactoryInstalled = [] {
        QAccessible::installFactory(KeypadAccessibleFactory);
        return true;
    }();
    Q_UNUSED(FactoryInstalled);
    CalcPanel->setProperty(KeypadPanelProperty, true);

    int Count = 0;
    const TKeyRow *Rows = KeyTable(Count);
    for (int I = 0; I < Count; ++I) {
        const TKeyRow &Row = Rows[I];
        if (!Row.Field && !WithSciKeys)
            continue;
        TBrixSpeedButton *Button = Row.Face == fkGlyph ? new TBrixGlyphKey(CalcPanel, Row.Glyph)
                                                       : new TBrixSpeedButton(CalcPanel);
        Button->setObjectName(QLatin1String(Row.Name));
        Button->setGeometry(0, 0, KeyWidth, KeyHeight); // placed by the layout
        if (Row.Face == fkText)
            Button->setText(QString::fromLatin1(Row.Text));
        Button->installEventFilter(this); // keeps the accessible name on the hint
        const TBrixCalcKey Key = Row.Key;
        // Any mouse button pressed on a key gives the panel the focus.
        Button->SetOnMouseDown([this](TObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            EqualsBtnMouseDown();
        });
        connect(Button, &QAbstractButton::clicked, this, [this, Key] { ClickKey(Key); });
        FKeys[Key] = Button;
        if (Row.Field)
            this->*Row.Field = Button;
    }

    ValueDisplay = new TBrixCalcDisplay(CalcPanel);
    ValueDisplay->setObjectName(QStringLiteral("ValueDisplay"));
    MemoryDisplay = new TBrixCalcDisplay(CalcPanel);
    MemoryDisplay->setObjectName(QStringLiteral("MemoryDisplay"));
    for (TBrixCalcDisplay *Display : {ValueDisplay, MemoryDisplay}) {
        Display->setGeometry(5, 5, 180, DisplayHeight);
        connect(Display, &TBrixCalcDisplay::mousePressed, this,
                &TBrixCalcFormBase::EqualsBtnMouseDown);
    }

    DPSpin = new TBrixSpinEdit(CalcPanel);
    DPSpin->setObjectName(QStringLiteral("DPSpin"));
    DPSpin->setAlignment(Qt::AlignCenter);
    DPSpin->SetEditorEnabled(false);
    DPSpin->SetMinValue(0);
    DPSpin->SetMaxValue(100);
    DPSpin->SetValue(0);
    DPSpin->setGeometry(SpinLeft, 0, SpinWidth, SpinHeight);
    DPSpin->SetOnChange([this](TObject *) { DPSpinChange(); });
}

void TBrixCalcFormBase::FormCreate()
{
    AttachEngine();
    PointBtn->setText(QString(RegionalSettings().DecimalSeparator));
    DPSpin->SetValue(CalcEngine->DecimalPlaces());
    MemoryDisplay->SetValue(CalcEngine->GetMemoryContents());
    RadBtn->setText(CalcEngine->GetAngleModeStr());
    RedrawCalc();
    UpdateLanguage();
    CalcPanel->setFocus();
    setFocusProxy(CalcPanel);
}

void TBrixCalcFormBase::AttachEngine()
{
    CalcEngine = Brix::Create<TBrixCalcEngine>();
    CalcEngine->AllClear();
    CalcEngine->SetOnDisplayChange([this](TObject *) { EngineDisplayChange(); });
    CalcEngine->SetOnMemoryChange([this](TObject *) { EngineMemoryChange(); });
    CalcEngine->SetOnDecimalPlacesChange([this](TObject *) { EngineDecimalPlacesChange(); });
    CalcEngine->SetOnLanguageChange([this](TObject *, TBrixLanguage &) { UpdateLanguage(); });
}

TBrixCalcFormBase::~TBrixCalcFormBase()
{
    qApp->removeEventFilter(this);
    if (CalcEngine) {
        CalcEngine->SetOnDisplayChange(nullptr);
        CalcEngine->SetOnMemoryChange(nullptr);
        CalcEngine->SetOnDecimalPlacesChange(nullptr);
        CalcEngine->SetOnLanguageChange(nullptr);
        TBrixCalcEngine *Engine = CalcEngine;
        CalcEngine = nullptr; // a late change of the box must not reach the freed engine
        Engine->Free();
    }
}

// ---- Texts ----

void TBrixCalcFormBase::UpdateLanguage()
{
    if (!CalcEngine)
        return;
    setWindowTitle(CalcEngine->GetName(ectCalculator));
    int Count = 0;
    const TKeyRow *Rows = KeyTable(Count);
    for (int I = 0; I < Count; ++I) {
        TBrixSpeedButton *Button = FKeys[Rows[I].Key];
        if (!Button)
            continue;
        if (Rows[I].Face == fkTableText)
            Button->setText(CalcEngine->GetName(TBrixResCalc(Rows[I].CaptionKey)));
        if (Rows[I].HintKey != NoText)
            Button->setToolTip(CalcEngine->GetName(TBrixResCalc(Rows[I].HintKey)));
        RefreshAccessibleName(Button);
    }
    ValueDisplay->setToolTip(CalcEngine->GetName(ectValueHint));
    DescribeValueDisplay();
    MemoryDisplay->setToolTip(CalcEngine->GetName(ectMemoryHint));
    MemoryDisplay->setAccessibleDescription(MemoryDisplay->toolTip());
    DPSpin->setToolTip(CalcEngine->GetName(ectDecimalsHint));
    DPSpin->setAccessibleName(DPSpin->toolTip());
    DPSpin->Button()->UpButton()->setAccessibleName(
        QCoreApplication::translate("TBrixCalcForm", "Increase decimal places"));
    DPSpin->Button()->DownButton()->setAccessibleName(
        QCoreApplication::translate("TBrixCalcForm", "Decrease decimal places"));
    Q_EMIT LanguageChanged();
}

// Screen readers announce a key by its hint, or by its caption when it has
// none (the digits, "=", the brackets).
void TBrixCalcFormBase::RefreshAccessibleName(TBrixSpeedButton *Button)
{
    const QString Name = Button->toolTip().isEmpty() ? Button->text() : Button->toolTip();
    if (Button->accessibleName() != Name)
        Button->setAccessibleName(Name);
}

// ---- Keys ----

void TBrixCalcFormBase::ClickKey(TBrixCalcKey Key)
{
    if (!FKeys[Key] || !CalcEngine)
        return;
    ForgetRejectedPaste();
    ReportingStep([this, Key] {
        if (const auto Action = KeyRow(Key).WindowAction)
            Action(*this);
        else
            PressKey(*CalcEngine, Key);
    });
}

namespace {

// Whether a command changed what the user sees of the calculation or of its
// tape. The record lists every key, also one that changed nothing (a clear
// of a clear display, a second all clear); such a key is no undo step.
bool Changed(const TBrixCalcEngineState &Before, const TBrixCalcEngineState &After)
{
    const TBrixCalcRecord &Was = Before.Record, &Is = After.Record;
    if (Was.Lines != Is.Lines || (Was.Serial != Is.Serial && !Was.Lines.isEmpty()))
        return true;
    TBrixCalcEngineState A = Before, B = After;
    A.Record = B.Record = TBrixCalcRecord();
    return !(A == B);
}

} // namespace

template <class TCommand> void TBrixCalcFormBase::UndoStep(TCommand &&Command)
{
    if (FRestoring) {
        Command();
        return;
    }
    TBrixCalcUndoStep Before = CurrentStep();
    // A command that fails after changing the engine is a step all the same,
    // and the tape shows what it wrote.
    struct TRecord
    {
        TBrixCalcFormBase *Form;
        TBrixCalcUndoStep &Before;
        ~TRecord()
        {
            if (!Form->CalcEngine || !Changed(Before.State, Form->CalcEngine->SaveState()))
                return;
            Form->FollowRecord();
            Form->FUndoHistory.Record(std::move(Before));
        }
    } Record{this, Before};
    Command();
}

template <class TCommand> void TBrixCalcFormBase::ReportingStep(TCommand &&Command)
{
    QString Error;
    try {
        UndoStep(std::forward<TCommand>(Command));
        return;
    } catch (const Exception &E) {
        Error = E.Message();
    } catch (const std::exception &E) {
        Error = QString::fromUtf8(E.what());
    }
    // Shown after the handler has unwound, so the engine state is settled.
    if (ErrorReporter())
        ErrorReporter()(this, Error);
    else
        QMessageBox::critical(this, windowTitle(), Error);
}

TBrixCalcUndoStep TBrixCalcFormBase::CurrentStep() const
{
    return {CalcEngine->SaveState(), FTape ? FTape->Kept() : QList<TBrixTapeCalculation>()};
}

void TBrixCalcFormBase::RecordUndoStep(TBrixCalcEngineState Before)
{
    FUndoHistory.Record({std::move(Before), FTape ? FTape->Kept() : QList<TBrixTapeCalculation>()});
}

void TBrixCalcFormBase::FollowRecord()
{
    if (FTape && CalcEngine)
        FTape->Follow(CalcEngine->Record());
}

void TBrixCalcFormBase::SetTapeDocument(TBrixTapeDocument *Document)
{
    FTape = Document;
    FollowRecord();
}

void TBrixCalcFormBase::RestoreStep(const TBrixCalcUndoStep &Step)
{
    FRestoring = true;
    CalcEngine->RestoreState(Step.State);
    RadBtn->setText(CalcEngine->GetAngleModeStr());
    RefreshAccessibleName(RadBtn);
    FRestoring = false;
    if (FTape)
        FTape->Restore(Step.Kept, CalcEngine->Record());
}

void TBrixCalcFormBase::Undo()
{
    if (!CalcEngine)
        return;
    ForgetRejectedPaste();
    if (auto Step = FUndoHistory.Undo(CurrentStep()))
        RestoreStep(*Step);
}

void TBrixCalcFormBase::Redo()
{
    if (!CalcEngine)
        return;
    ForgetRejectedPaste();
    if (auto Step = FUndoHistory.Redo(CurrentStep()))
        RestoreStep(*Step);
}

bool TBrixCalcFormBase::EditTapeNumber(int Line, const QString &Text)
{
    if (!CalcEngine || !FTape)
        return false;
    const TBrixTapeCalculation &Lines = FTape->Current();
    if (Line < 0 || Line >= Lines.size() || Lines[Line].Number < 0)
        return false;
    const int Step = Lines[Line].Number;
    // The text as a paste reads it, to the very value it names.
    const TFormatSettings &Region = RegionalSettings();
    std::optional<QString> Number = PastedNumberText(Text, Region);
    Extended Value = 0;
    if (!Number || !StoredTextToFloat(Number->replace(Region.DecimalSeparator, u'.'), Value))
        return false;
    // The line's own value (the editor opens with it) changes nothing.
    const Extended Old = Lines[Line].Value;
    if (Value == Old && std::signbit(Value) == std::signbit(Old))
        return true;
    ForgetRejectedPaste();
    bool Replayed = false;
    ReportingStep(
        [this, Step, Value, &Replayed] { Replayed = CalcEngine->ReplayWithValue(Step, Value); });
    return Replayed;
}

void TBrixCalcFormBase::ClearTape()
{
    if (!CalcEngine || !FTape)
        return;
    if (FTape->Kept().isEmpty() && FTape->Current().isEmpty())
        return;
    ForgetRejectedPaste();
    FUndoHistory.Record(CurrentStep());
    // The current calculation's lines go with a new record; what the engine
    // holds (the value, a pending operation, the memory) stays.
    CalcEngine->StartRecord();
    FTape->Clear(CalcEngine->Record());
}

void TBrixCalcFormBase::SetErrorReporter(TErrorReporter Reporter)
{
    ErrorReporter() = std::move(Reporter);
}

void TBrixCalcFormBase::CloseWith(bool Cancel)
{
    Cancelled = Cancel;
    close();
}

void TBrixCalcFormBase::CopyValue()
{
    QGuiApplication::clipboard()->setText(ValueDisplay->text());
}

void TBrixCalcFormBase::PasteValue()
{
    const QMimeData *Data = QGuiApplication::clipboard()->mimeData();
    if (!Data || !Data->hasText())
        return;
    // Text that is no number leaves the value and the entry as they were and
    // is told by a beep and, for screen readers, by the value display's
    // description until the next key.
    if (InputPastedText(Data->text()))
        return;
    FPasteRejected = true;
    DescribeValueDisplay();
    QApplication::beep();
}

bool TBrixCalcFormBase::InputPastedText(const QString &Text)
{
    // The engine reads any text, as 0 where it is no number; it is given
    // numbers only.
    const std::optional<QString> Number = PastedNumberText(Text, RegionalSettings());
    if (!Number)
        return false;
    CalcEngine->InputString(*Number);
    return true;
}

bool TBrixCalcFormBase::PasteText(const QString &Text)
{
    if (!CalcEngine)
        return false;
    ForgetRejectedPaste();
    bool Taken = false;
    UndoStep([this, &Text, &Taken] { Taken = InputPastedText(Text); });
    return Taken;
}

bool TBrixCalcFormBase::PasteExactValue(const Extended &Value)
{
    if (!CalcEngine || !std::isfinite(Value))
        return false;
    ForgetRejectedPaste();
    ReportingStep([this, Value] { CalcEngine->InputPastedValue(Value); });
    return true;
}

void TBrixCalcFormBase::DescribeValueDisplay()
{
    ValueDisplay->setAccessibleDescription(FPasteRejected ? CalcEngine->GetName(ectPasteNotANumber)
                                                          : ValueDisplay->toolTip());
}

void TBrixCalcFormBase::ForgetRejectedPaste()
{
    if (!FPasteRejected)
        return;
    FPasteRejected = false;
    DescribeValueDisplay();
}

void TBrixCalcFormBase::ToggleAngleMode()
{
    CalcEngine->ToggleAngleMode();
    RadBtn->setText(CalcEngine->GetAngleModeStr());
    RefreshAccessibleName(RadBtn);
}

void TBrixCalcFormBase::RedrawCalc()
{
    PlaceKeypad(KeypadLayout(WindowKind()));
}

void TBrixCalcFormBase::PlaceKeypad(const TBrixKeypadLayout &Layout)
{
    const int V = ValueDisplay->height() + 10;
    const int H = SevenBtn->height();
    std::array<bool, BrixCalcKeyCount> Shown{};
    for (const TBrixKeyCell &Cell : Layout.Cells) {
        TBrixSpeedButton *Button = FKeys[Cell.Key];
        if (!Button)
            continue;
        const TBrixKeypadRow &Row = Layout.Rows[Cell.Row];
        int Width = 0;
        for (int C = Cell.Column; C < Cell.Column + Cell.Span; ++C)
            Width += Row.Columns[C].Width;
        Button->setGeometry(Row.Columns[Cell.Column].Left, Row.Top.At(V, H), Width, H);
        Shown[Cell.Key] = true;
        if (FHiddenByLayout[Cell.Key]) {
            FHiddenByLayout[Cell.Key] = false;
            Button->show();
        }
    }
    // Hidden keys keep their places; their keyboard characters still work.
    for (int K = 0; K < BrixCalcKeyCount; ++K)
        if (FKeys[K] && !Shown[K] && !FHiddenByLayout[K]) {
            FHiddenByLayout[K] = true;
            FKeys[K]->hide();
        }

    const int ClientWidth = Layout.ClientWidth;
    const int ClientHeight = Layout.ClientHeight.At(V, H);
    ValueDisplay->setGeometry(5, 5, ClientWidth - 10, ValueDisplay->height());
    MemoryDisplay->setGeometry(5, Layout.MemoryTop.At(V, H), ClientWidth - 10,
                               MemoryDisplay->height());
    const int ToolTop = Layout.Rows[0].Top.At(V, H);
    FToolRowRoom = Layout.Rows[1].Top.At(V, H) - ToolTop;
    PlaceDecimalBox(ToolTop, FToolRowRoom);
    setFixedSize(ClientWidth, ClientHeight);
    CalcPanel->setGeometry(0, 0, ClientWidth, ClientHeight);
}

void TBrixCalcFormBase::PlaceDecimalBox(int Top, int Room)
{
    // The box is 29 high, but the row below starts only Room pixels down:
    // it is cut to the room it has, and where the font would make it taller
    // than that, its digits are set a pixel or two smaller, so it never
    // covers the keys of the next row.
    DPSpin->setFont(QFont()); // the panel's font, as far as it fits
    const int Height = qMin(SpinHeight, Room);
    if (DPSpin->MinimumHeight() > Height && QFontInfo(DPSpin->font()).pixelSize() > 8) {
        // The largest size (down to 8 pixels) whose box fits. Every size
        // tried is a new font engine, and each costs a match against all
        // installed fonts (about a millisecond on a desktop's hundreds), so
        // the search starts from an estimate (a font's height grows with its
        // pixel size) and steps from there, and the box takes the font once.
        const int FontHeight = DPSpin->fontMetrics().height();
        int Target = FontHeight;
        while (Target > 1 && TBrixSpinEdit::MinimumHeightFor(Target) > Height)
            --Target;
        QFont Smaller = DPSpin->font();
        const int Pixels = QFontInfo(Smaller).pixelSize();
        const auto Fits = [&Smaller, Height](int Size) {
            Smaller.setPixelSize(Size);
            return TBrixSpinEdit::MinimumHeightFor(QFontMetrics(Smaller).height()) <= Height;
        };
        int Size = qBound(8, Pixels * Target / qMax(1, FontHeight), Pixels - 1);
        if (Fits(Size)) {
            while (Size + 1 < Pixels && Fits(Size + 1))
                ++Size;
        } else {
            while (Size > 8 && !Fits(--Size)) {
            }
        }
        Smaller.setPixelSize(Size);
        DPSpin->setFont(Smaller);
    }
    DPSpin->setGeometry(DPSpin->x(), Top, DPSpin->width(), Height);
}

// ---- Engine notifications ----

void TBrixCalcFormBase::ShowValues()
{
    // The separator the engine's values are written with.
    const TBrixFloatFormatter *Formatter = CalcEngine->Formatter();
    const QChar Separator = Formatter ? Formatter->CustomSettings()->DecimalSeparator()
                                      : RegionalSettings().DecimalSeparator;
    ValueDisplay->SetDecimalSeparator(Separator);
    MemoryDisplay->SetDecimalSeparator(Separator);
    ValueDisplay->SetValue(CalcEngine->GetDisplayStr());
    MemoryDisplay->SetValue(CalcEngine->GetMemoryContents());
}

void TBrixCalcFormBase::EngineDisplayChange()
{
    ShowValues();
}

void TBrixCalcFormBase::EngineMemoryChange()
{
    ShowValues();
}

void TBrixCalcFormBase::EngineDecimalPlacesChange()
{
    DPSpin->SetValue(CalcEngine->DecimalPlaces());
}

void TBrixCalcFormBase::DPSpinChange()
{
    if (!CalcEngine)
        return;
    UndoStep([this] { CalcEngine->SetDecimalPlaces(Byte(qBound(0, DPSpin->Value(), 255))); });
    ShowValues();
}

// ---- Mouse and keyboard ----

void TBrixCalcFormBase::EqualsBtnMouseDown()
{
    CalcPanel->setFocus(Qt::MouseFocusReason);
}

void TBrixCalcFormBase::FormKeyPress(QChar &Character)
{
    if (Character >= u'0' && Character <= u'9') {
        for (QWidget *W = focusWidget(); W && W != this; W = W->parentWidget())
            if (dynamic_cast<TBrixSpinEdit *>(W))
                return; // the digit belongs to the decimal places box
    }
    for (TBrixCalcKey Key :
         KeysForCharacter(Character, WindowKind(), RegionalSettings().DecimalSeparator))
        ClickKey(Key);
}

void TBrixCalcFormBase::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (const std::optional<TBrixUndoCommand> Command = UndoCommandForKeyDown(Key, Shift)) {
        if (*Command == ucUndo)
            Undo();
        else
            Redo();
        Key = 0;
        return;
    }
    if (const std::optional<TBrixCalcKey> Pressed = KeyForKeyDown(Key, Shift, WindowKind())) {
        ClickKey(*Pressed);
        Key = 0;
    }
}

bool TBrixCalcFormBase::IsKeyEventForThisWindow(QObject *Watched, QEvent *Event) const
{
    if (Event->type() != QEvent::KeyPress || !Watched->isWidgetType())
        return false;
    return static_cast<QWidget *>(Watched)->window() == this;
}

bool TBrixCalcFormBase::eventFilter(QObject *Watched, QEvent *Event)
{
    if (IsKeyEventForThisWindow(Watched, Event) && !FLastKeyEvent) {
        auto *KeyEvent = static_cast<QKeyEvent *>(Event);
        int Key = KeyEvent->key();
        FormKeyDown(Key, KeyEvent->modifiers());
        if (Key == 0)
            return true; // handled: the focused control never sees it
        const QString Text = KeyEvent->text();
        if (!Text.isEmpty()) {
            QChar Character = Text.at(0);
            FormKeyPress(Character);
        }
        if (!isVisible())
            return true; // the key closed the window
        // Now the ordinary delivery (focused control, then its parents),
        // without seeing the same key again on its way up.
        FLastKeyEvent = Event;
        QApplication::sendEvent(Watched, Event);
        FLastKeyEvent = nullptr;
        return true;
    }
    if (Watched == CalcPanel) {
        if (Event->type() == QEvent::FontChange) {
            // The box takes the panel's font (the calculator settings of a
            // UI control set it); it is fitted to the tool row again.
            if (FToolRowRoom > 0) // once the keypad has been laid out
                PlaceDecimalBox(DPSpin->y(), FToolRowRoom);
        } else if (Event->type() == QEvent::MouseButtonPress) {
            FPanelPressed = static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton;
            EqualsBtnMouseDown();
        } else if (Event->type() == QEvent::MouseButtonRelease && FPanelPressed) {
            FPanelPressed = false;
            auto *Mouse = static_cast<QMouseEvent *>(Event);
            if (CalcPanel->rect().contains(Mouse->position().toPoint()))
                CalcPanelClick();
        }
        return false;
    }
    if (Event->type() == QEvent::ToolTipChange)
        if (auto *Button = qobject_cast<TBrixSpeedButton *>(Watched))
            RefreshAccessibleName(Button);
    return QDialog::eventFilter(Watched, Event);
}

void TBrixCalcFormBase::keyPressEvent(QKeyEvent *Event)
{
    // Escape and Enter are calculator keys here, not the dialog's reject and
    // default-button shortcuts.
    Event->accept();
}

// ---- Placement ----

void TBrixCalcFormBase::StayOnTop(bool Value)
{
    if (Value == FStayOnTop)
        return;
    FStayOnTop = Value;
    ApplyStayOnTop();
}

void TBrixCalcFormBase::ApplyStayOnTop()
{
    const bool Now = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (Now == FStayOnTop)
        return;
    Qt::WindowFlags Flags = windowFlags();
    Flags.setFlag(Qt::WindowStaysOnTopHint, FStayOnTop);
    if (QWindow *Handle = windowHandle(); Handle && isVisible()) {
        // Changing a visible widget's flags would hide and re-create it (and
        // end the modal loop); the native window takes the hint in place.
        overrideWindowFlags(Flags);
        Handle->setFlags(Handle->flags().setFlag(Qt::WindowStaysOnTopHint, FStayOnTop));
    } else {
        setWindowFlags(Flags);
    }
}

void TBrixCalcFormBase::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    ApplyStayOnTop();
}

// ---- The standard window ----

TBrixCalcForm::TBrixCalcForm(QWidget *Parent)
    : TBrixCalcFormBase(Parent, QStringLiteral("BrixCalcForm"), 40100, 56, false)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FHideFnBtns = false;
    FormCreate();
}

void TBrixCalcForm::SetHideFnBtns(bool Value)
{
    if (Value == FHideFnBtns)
        return;
    FHideFnBtns = Value;
    RedrawCalc();
}

void TBrixCalcForm::RedrawCalc()
{
    if (!FHideFnBtns)
        SetHelpContext(40100);
    TBrixCalcFormBase::RedrawCalc();
}

void TBrixCalcForm::CalcPanelClick()
{
    Cancelled = false;
    close();
}

} // namespace Brix
