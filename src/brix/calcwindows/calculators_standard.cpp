#include "brix/calcwindows/calculators_standard.h"

#include "brix/calculator/engine.h"
#include "brix/classes/exceptions.h"
#include "brix/classes/formatsettings.h"
#include "brix/widgets/buttons.h"
#include "brix/calcwindows/calculators_glyphs.h"
#include "brix/widgets/spinedits.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

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

constexpr int Col(int C)
{
    return 5 + 30 * C;
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
    int Left; // the standard window's column; the scientific window re-places keys
    int Width;
    TFaceKind Face;
    const char *Text; // fkText
    TBrixGlyph Glyph; // fkGlyph
    int CaptionKey;   // fkTableText: a TBrixResCalc
    int HintKey;      // a TBrixResCalc, or NoText
    void (*Click)(TBrixCalcFormBase &Form);
};

const TBrixCalcFormBase::TKeyRow *TBrixCalcFormBase::KeyTable(int &Count)
{
    using F = TBrixCalcFormBase;
    // Engine operations without arguments, and digits.
#define BRIX_ENGINE(Op) [](F &Form) { Form.CalcEngine->Op(); }
#define BRIX_DIGIT(D) [](F &Form) { Form.CalcEngine->InputDigit(D); }
    static const TKeyRow Rows[] = {
        {ckZero, "ZeroBtn", &F::ZeroBtn, Col(0), KeyWidth, fkText, "0", kgAdd, NoText, NoText,
         BRIX_DIGIT(0)},
        {ckPoint, "PointBtn", &F::PointBtn, Col(1), KeyWidth, fkDecimalSep, ".", kgAdd, NoText,
         NoText, BRIX_ENGINE(InputDecimalSeparator)},
        {ckChangeSign, "ChangeSignBtn", &F::ChangeSignBtn, Col(2), KeyWidth, fkGlyph, nullptr,
         kgChangeSign, NoText, ectChangeSignHint, BRIX_ENGINE(DoChangeSign)},
        {ckOne, "OneBtn", &F::OneBtn, Col(0), KeyWidth, fkText, "1", kgAdd, NoText, NoText,
         BRIX_DIGIT(1)},
        {ckTwo, "TwoBtn", &F::TwoBtn, Col(1), KeyWidth, fkText, "2", kgAdd, NoText, NoText,
         BRIX_DIGIT(2)},
        {ckThree, "ThreeBtn", &F::ThreeBtn, Col(2), KeyWidth, fkText, "3", kgAdd, NoText, NoText,
         BRIX_DIGIT(3)},
        {ckFour, "FourBtn", &F::FourBtn, Col(0), KeyWidth, fkText, "4", kgAdd, NoText, NoText,
         BRIX_DIGIT(4)},
        {ckFive, "FiveBtn", &F::FiveBtn, Col(1), KeyWidth, fkText, "5", kgAdd, NoText, NoText,
         BRIX_DIGIT(5)},
        {ckSix, "SixBtn", &F::SixBtn, Col(2), KeyWidth, fkText, "6", kgAdd, NoText, NoText,
         BRIX_DIGIT(6)},
        {ckSeven, "SevenBtn", &F::SevenBtn, Col(0), KeyWidth, fkText, "7", kgAdd, NoText, NoText,
         BRIX_DIGIT(7)},
        {ckEight, "EightBtn", &F::EightBtn, Col(1), KeyWidth, fkText, "8", kgAdd, NoText, NoText,
         BRIX_DIGIT(8)},
        {ckNine, "NineBtn", &F::NineBtn, Col(2), KeyWidth, fkText, "9", kgAdd, NoText, NoText,
         BRIX_DIGIT(9)},
        {ckEquals, "EqualsBtn", &F::EqualsBtn, Col(3), 3 * KeyWidth, fkText, "=", kgAdd, NoText,
         NoText, BRIX_ENGINE(DoEquals)},
        {ckSubtract, "SubtractBtn", &F::SubtractBtn, Col(3), KeyWidth, fkGlyph, nullptr, kgSubtract,
         NoText, ectSubtractHint, BRIX_ENGINE(DoSubtract)},
        {ckAdd, "AddBtn", &F::AddBtn, Col(3), KeyWidth, fkGlyph, nullptr, kgAdd, NoText, ectAddHint,
         BRIX_ENGINE(DoAdd)},
        {ckDivide, "DivideBtn", &F::DivideBtn, Col(3), KeyWidth, fkGlyph, nullptr, kgDivide, NoText,
         ectDivideHint, BRIX_ENGINE(DoDivide)},
        {ckMultiply, "MultiplyBtn", &F::MultiplyBtn, Col(3), KeyWidth, fkGlyph, nullptr, kgMultiply,
         NoText, ectMultiplyHint, BRIX_ENGINE(DoMultiply)},
        {ckLeftBracket, "LeftBracketBtn", &F::LeftBracketBtn, Col(0), KeyWidth, fkText, "(", kgAdd,
         NoText, NoText, BRIX_ENGINE(InputLeftBracket)},
        {ckRightBracket, "RightBracketBtn", &F::RightBracketBtn, Col(1), KeyWidth, fkText, ")",
         kgAdd, NoText, NoText, BRIX_ENGINE(InputRightBracket)},
        {ckAllClear, "AllClearBtn", &F::AllClearBtn, Col(4), KeyWidth, fkTableText, nullptr, kgAdd,
         ectACKey, ectACHint, BRIX_ENGINE(AllClear)},
        {ckClear, "ClearBtn", &F::ClearBtn, Col(4), KeyWidth, fkTableText, nullptr, kgAdd, ectCKey,
         ectClearHint, BRIX_ENGINE(ClearDisplay)},
        {ckMemoryClear, "MemoryClearBtn", &F::MemoryClearBtn, Col(5), KeyWidth, fkTableText,
         nullptr, kgAdd, ectMCKey, ectMCHint, BRIX_ENGINE(MemoryClear)},
        {ckMemoryAdd, "MemoryAddBtn", &F::MemoryAddBtn, Col(5), KeyWidth, fkTableText, nullptr,
         kgAdd, ectMAddKey, ectMAddHint, BRIX_ENGINE(MemoryAdd)},
        {ckMemorySubtract, "MemorySubtractBtn", &F::MemorySubtractBtn, Col(5), KeyWidth,
         fkTableText, nullptr, kgAdd, ectMSubtractKey, ectMSubtractHint,
         BRIX_ENGINE(MemorySubtract)},
        {ckMemoryRecall, "MemoryRecallBtn", &F::MemoryRecallBtn, Col(5), KeyWidth, fkTableText,
         nullptr, kgAdd, ectMRKey, ectMRHint, BRIX_ENGINE(MemoryRecall)},
        {ckPower, "PowerBtn", &F::PowerBtn, Col(0), KeyWidth, fkGlyph, nullptr, kgPower, NoText,
         ectPowerHint, BRIX_ENGINE(DoPower)},
        {ckPi, "PiBtn", &F::PiBtn, Col(4), KeyWidth, fkGlyph, nullptr, kgPi, NoText, ectPiHint,
         BRIX_ENGINE(InputPi)},
        {ckE, "EBtn", &F::EBtn, Col(4), KeyWidth, fkText, "e", kgAdd, NoText, ectNaturalHint,
         BRIX_ENGINE(InputNaturalConstant)},
        {ckSquare, "SquareBtn", &F::SquareBtn, Col(1), KeyWidth, fkGlyph, nullptr, kgSquare, NoText,
         ectSquareHint, BRIX_ENGINE(DoSquare)},
        {ckSqRoot, "SqRootBtn", &F::SqRootBtn, Col(2), KeyWidth, fkGlyph, nullptr, kgSqRoot, NoText,
         ectRootHint, BRIX_ENGINE(DoSqRoot)},
        {ckInvert, "InvertBtn", &F::InvertBtn, Col(3), KeyWidth, fkGlyph, nullptr, kgInvert, NoText,
         ectInvertHint, BRIX_ENGINE(DoInvert)},
        {ckLog, "LogBtn", &F::LogBtn, Col(4), KeyWidth, fkTableText, nullptr, kgAdd, ectLogKey,
         ectLogHint, BRIX_ENGINE(DoLog)},
        {ckLN, "LNBtn", &F::LNBtn, Col(5), KeyWidth, fkTableText, nullptr, kgAdd, ectLnKey,
         ectLnHint, BRIX_ENGINE(DoLN)},
        {ckExit, "ExitBtn", &F::ExitBtn, Col(5), KeyWidth, fkGlyph, nullptr, kgExit, NoText,
         ectExitHint, [](F &Form) { Form.CloseWith(false); }},
        {ckCopy, "CopyBtn", &F::CopyBtn, Col(0), KeyWidth, fkGlyph, nullptr, kgCopy, NoText,
         ectCopyHint, [](F &Form) { Form.CopyValue(); }},
        {ckPaste, "PasteBtn", &F::PasteBtn, Col(1), KeyWidth, fkGlyph, nullptr, kgPaste, NoText,
         ectPasteHint, [](F &Form) { Form.PasteValue(); }},
        {ckSin, "SinBtn", &F::SinBtn, Col(0), KeyWidth, fkTableText, nullptr, kgAdd, ectSinKey,
         ectSinHint, BRIX_ENGINE(DoSin)},
        {ckCos, "CosBtn", &F::CosBtn, Col(1), KeyWidth, fkTableText, nullptr, kgAdd, ectCosKey,
         ectCosHint, BRIX_ENGINE(DoCos)},
        {ckTan, "TanBtn", &F::TanBtn, Col(2), KeyWidth, fkTableText, nullptr, kgAdd, ectTanKey,
         ectTanHint, BRIX_ENGINE(DoTan)},
        {ckInv, "InvBtn", &F::InvBtn, Col(5), KeyWidth, fkTableText, nullptr, kgAdd, ectInvAbbrev,
         ectInvHint, BRIX_ENGINE(DoInv)},
        {ckCancel, "CancelBtn", &F::CancelBtn, Col(4), KeyWidth, fkGlyph, nullptr, kgCancel, NoText,
         ectCancelHint, [](F &Form) { Form.CloseWith(true); }},
        {ckBackSpace, "BackSpaceBtn", &F::BackSpaceBtn, Col(2), KeyWidth, fkGlyph, nullptr,
         kgBackSpace, NoText, ectBackspaceHint, BRIX_ENGINE(InputBackspace)},
        {ckRad, "RadBtn", &F::RadBtn, Col(4), KeyWidth, fkAngleMode, nullptr, kgAdd, NoText,
         ectRadHint, [](F &Form) { Form.ToggleAngleMode(); }},
        {ckPercent, "PercentBtn", &F::PercentBtn, Col(3), KeyWidth, fkText, "%", kgAdd, NoText,
         ectPercentHint, BRIX_ENGINE(DoPercent)},
        {ckHyp, "HypBtn", nullptr, Col(6), KeyWidth, fkTableText, nullptr, kgAdd, ectHypKey,
         ectHypHint, BRIX_ENGINE(DoHyp)},
        {ckLg2, "Lg2btn", nullptr, Col(6), KeyWidth, fkTableText, nullptr, kgAdd, ectLg2Key,
         ectLg2Hint, BRIX_ENGINE(DoLg2)},
        {ckExp, "ExpBtn", nullptr, 95, KeyWidth, fkTableText, nullptr, kgAdd, ectExpKey, ectExpHint,
         BRIX_ENGINE(DoExp)},
    };
#undef BRIX_ENGINE
#undef BRIX_DIGIT
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

// A key whose symbol is painted as a vector icon at the window's device pixel
// ratio: the key draws its face with an empty caption, the symbol goes on top
// (normal, disabled or pressed look, shifted by a pixel while pressed).
class TBrixGlyphKey : public TBrixSpeedButton
{
public:
    TBrixGlyphKey(QWidget *Parent, TBrixGlyph Glyph)
        : TBrixSpeedButton(Parent), FSymbol(BrixGlyphIcon(Glyph))
    {
    }

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
        FSymbol.paint(&Painter, Box, Qt::AlignCenter, Mode);
    }

private:
    QIcon FSymbol;
};

} // namespace

// ---- Displays ----

TBrixCalcDisplay::TBrixCalcDisplay(QWidget *Parent) : QLabel(Parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A lowered bevel two pixels wide, then a three-pixel border.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMargin(3);
    setAutoFillBackground(true); // its own background, not the panel's
    setBackgroundRole(QPalette::Base);
    setText(QStringLiteral("12345678901234567890"));
}

void TBrixCalcDisplay::mousePressEvent(QMouseEvent *Event)
{
    Q_EMIT mousePressed();
    Event->accept(); // not a click on the panel behind it
}

void TBrixCalcDisplay::mouseReleaseEvent(QMouseEvent *Event)
{
    Event->accept();
}

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

    int Count = 0;
    const TKeyRow *Rows = KeyTable(Count);
    for (int I = 0; I < Count; ++I) {
        const TKeyRow &Row = Rows[I];
        if (!Row.Field && !WithSciKeys)
            continue;
        TBrixSpeedButton *Button = Row.Face == fkGlyph ? new TBrixGlyphKey(CalcPanel, Row.Glyph)
                                                       : new TBrixSpeedButton(CalcPanel);
        Button->setObjectName(QLatin1String(Row.Name));
        Button->setGeometry(Row.Left, 0, Row.Width, KeyHeight);
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
    MemoryDisplay->setText(CalcEngine->GetMemoryContents());
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
    ValueDisplay->setAccessibleDescription(ValueDisplay->toolTip());
    MemoryDisplay->setToolTip(CalcEngine->GetName(ectMemoryHint));
    MemoryDisplay->setAccessibleDescription(MemoryDisplay->toolTip());
    DPSpin->setToolTip(CalcEngine->GetName(ectDecimalsHint));
    DPSpin->setAccessibleName(DPSpin->toolTip());
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
    QString Error;
    try {
        KeyRow(Key).Click(*this);
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
    if (Data && Data->hasText())
        CalcEngine->InputString(Data->text());
}

void TBrixCalcFormBase::ToggleAngleMode()
{
    CalcEngine->ToggleAngleMode();
    RadBtn->setText(CalcEngine->GetAngleModeStr());
    RefreshAccessibleName(RadBtn);
}

void TBrixCalcFormBase::PlaceKeys(std::initializer_list<TKeyPlace> Places)
{
    for (const TKeyPlace &Place : Places)
        if (TBrixSpeedButton *Button = FKeys[Place.Key])
            Button->setGeometry(Place.Left, Button->y(), Place.Width, Button->height());
}

void TBrixCalcFormBase::PlaceDecimalBox(int Top, int Room)
{
    // The box is 29 high, but the row below starts only Room pixels down:
    // it is cut to the room it has, and where the font would make it taller
    // than that, its digits are set a pixel or two smaller, so it never
    // covers the keys of the next row.
    DPSpin->setFont(QFont()); // the panel's font, as far as it fits
    const int Height = qMin(SpinHeight, Room);
    if (DPSpin->MinimumHeight() > Height) {
        QFont Smaller = DPSpin->font();
        int Pixels = QFontInfo(Smaller).pixelSize();
        while (Pixels > 8 && DPSpin->MinimumHeight() > Height) {
            Smaller.setPixelSize(--Pixels);
            DPSpin->setFont(Smaller);
        }
    }
    DPSpin->setGeometry(DPSpin->x(), Top, DPSpin->width(), Height);
}

void TBrixCalcFormBase::SetRowTop(std::initializer_list<TBrixCalcKey> Row, int Top)
{
    for (TBrixCalcKey Key : Row)
        if (TBrixSpeedButton *Button = FKeys[Key])
            Button->move(Button->x(), Top);
}

// ---- Engine notifications ----

void TBrixCalcFormBase::EngineDisplayChange()
{
    ValueDisplay->setText(CalcEngine->GetDisplayStr());
}

void TBrixCalcFormBase::EngineMemoryChange()
{
    MemoryDisplay->setText(CalcEngine->GetMemoryContents());
}

void TBrixCalcFormBase::EngineDecimalPlacesChange()
{
    DPSpin->SetValue(CalcEngine->DecimalPlaces());
}

void TBrixCalcFormBase::DPSpinChange()
{
    if (!CalcEngine)
        return;
    CalcEngine->SetDecimalPlaces(Byte(qBound(0, DPSpin->Value(), 255)));
    ValueDisplay->setText(CalcEngine->GetDisplayStr());
    MemoryDisplay->setText(CalcEngine->GetMemoryContents());
}

// ---- Mouse and keyboard ----

void TBrixCalcFormBase::EqualsBtnMouseDown()
{
    CalcPanel->setFocus(Qt::MouseFocusReason);
}

void TBrixCalcFormBase::FormKeyPress(QChar &Character)
{
    const char16_t C = Character.unicode();
    if (C >= u'0' && C <= u'9') {
        for (QWidget *W = focusWidget(); W && W != this; W = W->parentWidget())
            if (dynamic_cast<TBrixSpinEdit *>(W))
                return; // the digit belongs to the decimal places box
    }
    const char16_t Upper = (C >= u'a' && C <= u'z') ? char16_t(C - u'a' + u'A') : C;
    TBrixCalcKey Key = ckZero;
    bool Found = true;
    switch (Upper) {
    case 8:
        Key = ckBackSpace;
        break;
    case 13:
    case u'=':
        Key = ckEquals;
        break;
    case 27:
        Key = ckCancel;
        break;
    case u'(':
        Key = ckLeftBracket;
        break;
    case u')':
        Key = ckRightBracket;
        break;
    case u'*':
        Key = ckMultiply;
        break;
    case u'+':
        Key = ckAdd;
        break;
    case u'-':
        Key = ckSubtract;
        break;
    case u'/':
        Key = ckDivide;
        break;
    case u'0':
        Key = ckZero;
        break;
    case u'1':
        Key = ckOne;
        break;
    case u'2':
        Key = ckTwo;
        break;
    case u'3':
        Key = ckThree;
        break;
    case u'4':
        Key = ckFour;
        break;
    case u'5':
        Key = ckFive;
        break;
    case u'6':
        Key = ckSix;
        break;
    case u'7':
        Key = ckSeven;
        break;
    case u'8':
        Key = ckEight;
        break;
    case u'9':
        Key = ckNine;
        break;
    case u'@':
        ClickKey(ckInv);
        Key = ckPower;
        break;
    case u'A':
        Key = ckAllClear;
        break;
    case u'C':
        Key = ckClear;
        break;
    case u'I':
        Key = ckInvert;
        break;
    case u'P':
        Key = ckPi;
        break;
    case u'R':
        Key = ckSqRoot;
        break;
    case u'^':
        Key = ckPower;
        break;
    case u'_':
        Key = ckChangeSign;
        break;
    default:
        Found = MapWindowCharacter(QChar(Upper), Key);
    }
    if (Found)
        ClickKey(Key);
    if (Character == RegionalSettings().DecimalSeparator)
        ClickKey(ckPoint);
}

void TBrixCalcFormBase::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    const bool Keypad = Shift & Qt::KeypadModifier;
    const Qt::KeyboardModifiers Mods = Shift & ~Qt::KeypadModifier;
    if (Key == Qt::Key_F10 && Mods == Qt::NoModifier && ExitsOnF10()) {
        ClickKey(ckExit);
        Key = 0;
    } else if (Keypad && (Key == Qt::Key_Period || Key == Qt::Key_Comma)) {
        CalcEngine->InputDecimalSeparator();
        Key = 0;
    } else if (Key == Qt::Key_Delete) {
        CalcEngine->ClearDisplay();
        Key = 0;
    } else if (Mods & Qt::ControlModifier) {
        if (Key == Qt::Key_Insert || Key == Qt::Key_C) {
            ClickKey(ckCopy);
            Key = 0;
        } else if (Key == Qt::Key_V) {
            ClickKey(ckPaste);
            Key = 0;
        } else if (Key == Qt::Key_X) {
            ClickKey(ckExit);
            Key = 0;
        }
    } else if ((Mods & Qt::ShiftModifier) && Key == Qt::Key_Insert) {
        ClickKey(ckPaste);
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
            PlaceDecimalBox(DPSpin->y(), SevenBtn->height() + 3);
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
    const int V = ValueDisplay->height() + 10;
    ValueDisplay->move(ValueDisplay->x(), 5);
    const int ClientWidth = SevenBtn->width() * 6 + 10;
    ValueDisplay->resize(ClientWidth - 10, ValueDisplay->height());
    MemoryDisplay->resize(ValueDisplay->width(), MemoryDisplay->height());
    const int H = SevenBtn->height();
    int ClientHeight = 0;
    const std::initializer_list<TBrixCalcKey> FunctionKeys{
        ckPi,    ckE,      ckSin,    ckCos,    ckTan, ckRad, ckInv,
        ckPower, ckSquare, ckSqRoot, ckInvert, ckLog, ckLN};
    if (FHideFnBtns) {
        ClientHeight = 2 * V + 6 * H + 3;
        for (TBrixCalcKey Key : FunctionKeys)
            this->Key(Key)->hide();
        SevenBtn->move(SevenBtn->x(), H + V + 3);
    } else {
        SetHelpContext(40100);
        ClientHeight = 2 * V + 8 * H + 5;
        for (TBrixCalcKey Key : FunctionKeys)
            this->Key(Key)->show();
        SetRowTop({ckSin, ckCos, ckTan, ckPercent, ckRad, ckInv}, H + V + 3);
        SetRowTop({ckPower, ckSquare, ckSqRoot, ckInvert, ckLog, ckLN}, SinBtn->y() + H);
        SevenBtn->move(SevenBtn->x(), PowerBtn->y() + H + 2);
        PiBtn->move(PiBtn->x(), SevenBtn->y() + 2 * H);
        EBtn->move(EBtn->x(), SevenBtn->y() + 3 * H);
    }
    SetRowTop({ckCopy, ckPaste, ckCancel, ckExit}, V);
    PlaceDecimalBox(V, H + 3);
    const int K1 = SevenBtn->y();
    SetRowTop({ckSeven, ckEight, ckNine, ckMultiply, ckAllClear, ckMemoryClear}, K1);
    SetRowTop({ckFour, ckFive, ckSix, ckDivide, ckClear, ckMemoryAdd}, K1 + H);
    SetRowTop({ckOne, ckTwo, ckThree, ckAdd, ckMemorySubtract}, K1 + 2 * H);
    SetRowTop({ckZero, ckPoint, ckChangeSign, ckSubtract, ckMemoryRecall}, K1 + 3 * H);
    SetRowTop({ckLeftBracket, ckRightBracket, ckBackSpace, ckEquals}, K1 + 4 * H);
    MemoryDisplay->move(MemoryDisplay->x(), K1 + 5 * H + 5);
    if (FHideFnBtns)
        PercentBtn->move(ClearBtn->x(), AddBtn->y());
    else
        PercentBtn->move(InvertBtn->x(), SinBtn->y());
    setFixedSize(ClientWidth, ClientHeight);
    CalcPanel->setGeometry(0, 0, ClientWidth, ClientHeight);
}

bool TBrixCalcForm::MapWindowCharacter(QChar Upper, TBrixCalcKey &Key) const
{
    if (Upper != u'X')
        return false;
    Key = ckMultiply;
    return true;
}

void TBrixCalcForm::CalcPanelClick()
{
    Cancelled = false;
    close();
}

} // namespace Brix
