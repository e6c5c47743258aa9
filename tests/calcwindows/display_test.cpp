// The value and memory displays fit every value into the window: a smaller
// font first, then dropped trailing decimals, never a lost sign or integer
// digit. Checked with font metrics and on the drawn pixels.
#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators_scientific.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/classes/formatsettings.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"
#include "calcwindows/typed_keys.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <utility>
#include <vector>

using namespace Brix;

namespace {

class CalcDisplay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FSaved = RegionalSettings();
        RegionalSettings().DecimalSeparator = u'.';
        RegionalSettings().ThousandSeparator = u',';
    }
    void TearDown() override { RegionalSettings() = FSaved; }

    TFormatSettings FSaved;
};

std::unique_ptr<TBrixCalcFormBase> MakeWindow(TBrixCalcWindowKind Kind)
{
    if (Kind == wkScientific)
        return std::make_unique<TBrixSciCalcForm>();
    auto Form = std::make_unique<TBrixCalcForm>();
    Form->SetHideFnBtns(Kind == wkCompact);
    return Form;
}

void Type(TBrixCalcFormBase &Form, const QString &Keys)
{
    for (QChar C : Keys)
        for (TBrixCalcKey K :
             BrixTest::TypedKeysFor(C.unicode(), Form.WindowKind() == wkScientific, u'.'))
            Form.ClickKey(K);
}

// The integer part of a display text, with its sign.
QString IntegerPart(const QString &Text, QChar Separator)
{
    const int Point = Text.indexOf(Separator);
    return Point < 0 ? Text : Text.left(Point);
}

// Checks what Display draws of its text: the sign, the integer digits and
// an exponent are all there, inside the text area (by the font's metrics
// and on the drawn pixels); only trailing decimals may give way, and only
// once the font is down to 8 pixels.
void CheckFit(TBrixCalcDisplay &Display, bool Shortened, QChar Separator = u'.')
{
    const QString Whole = Display.text();
    const TBrixCalcDisplay::TFit Fit = Display.Fitted();
    const QRect Room = Display.TextRect();
    EXPECT_GE(QFontInfo(Fit.Font).pixelSize(), 8);
    EXPECT_LE(QFontMetrics(Fit.Font).horizontalAdvance(Fit.Text), Room.width())
        << Fit.Text.toStdString();
    EXPECT_TRUE(Fit.Text.startsWith(IntegerPart(Whole, Separator))) << Fit.Text.toStdString();
    EXPECT_EQ(Fit.Text != Whole, Shortened) << Fit.Text.toStdString();
    const int Exponent = Whole.indexOf(u'E');
    const QString Suffix = Exponent < 0 ? QString() : Whole.mid(Exponent);
    EXPECT_TRUE(Fit.Text.endsWith(Suffix)) << Fit.Text.toStdString();
    if (Fit.Text != Whole) {
        const QString Kept = Fit.Text.chopped(Suffix.size());
        EXPECT_TRUE(Kept.endsWith(QChar(0x2026))) << Fit.Text.toStdString();
        EXPECT_TRUE(Whole.startsWith(Kept.chopped(1)));
        // Only what a smaller font could not hold is dropped.
        EXPECT_EQ(QFontInfo(Fit.Font).pixelSize(), 8);
    }
    if (!Shortened && Whole.size() < 10) {
        EXPECT_EQ(Fit.Font, Display.font()) << "a value that fits keeps the font";
    }

    // The drawn text: background in the first column of the text area,
    // and something drawn.
    const QImage Image = Display.grab().toImage();
    const QRgb Background = Display.palette().color(QPalette::Base).rgb();
    bool LeftClear = true, Drawn = false;
    for (int Y = Room.top(); Y <= Room.bottom(); ++Y) {
        LeftClear = LeftClear && Image.pixel(Room.left(), Y) == Background;
        for (int X = Room.left(); X <= Room.right(); ++X)
            Drawn = Drawn || Image.pixel(X, Y) != Background;
    }
    EXPECT_TRUE(LeftClear) << "the text reaches the left edge: " << Fit.Text.toStdString() << " at "
                           << QFontInfo(Fit.Font).pixelSize() << " px";
    EXPECT_TRUE(Drawn);

    // Over a shortened value the tooltip holds the whole value.
    QHelpEvent Help(QEvent::ToolTip, Room.center(), Display.mapToGlobal(Room.center()));
    QApplication::sendEvent(&Display, &Help);
    if (Fit.Text != Whole) {
        EXPECT_TRUE(QToolTip::text().contains(Whole)) << QToolTip::text().toStdString();
    } else if (!Display.toolTip().isEmpty()) {
        EXPECT_EQ(QToolTip::text().toStdString(), Display.toolTip().toStdString());
    }
    QToolTip::hideText();
}

TEST_F(CalcDisplay, EveryValueShowsItsSignAndIntegerDigits)
{
    struct Row
    {
        const char *Name;
        TBrixCalcWindowKind Kind;
        int Places;
        const char *Keys;
        bool Memory; // the memory display, after M+
        const char *Whole;
        bool Shortened = false; // decimals dropped
    };
    const Row Rows[] = {
        {"18 places", wkCompact, 18, "1234567.89=", false, "1234567.89000000000"},
        {"24 places", wkFull, 24, "1234567.89=", false, "1234567.89000000000"},
        {"negative, 18 places", wkCompact, 18, "1234567.89_=", false, "-1234567.89000000000"},
        {"below 1, 18 places", wkCompact, 18, "1/7=_", false, "-0.142857142857142857"},
        {"negative, 100 places", wkFull, 100, "98765432.1_=", false, nullptr},
        {"memory display, 24 places", wkCompact, 24, "1234567.89_=", true, "-1234567.89000000000"},
        {"scientific window, 24 places", wkScientific, 24, "7654321.5_=", false,
         "-7654321.50000000000"},
        {"scientific memory, 30 places", wkScientific, 30, "1234567.89=", true, nullptr},
        {"long integer part, 18 places", wkFull, 18, "98765432109876.5_=", false,
         "-98765432109876.5000"},
        {"long integer part in memory", wkScientific, 18, "98765432109876.5=", true,
         "98765432109876.5000"},
        {"exponent, 18 places", wkCompact, 18, "123456789*987654321*12345678_=", false, nullptr},
        {"short value", wkCompact, 4, "42=", false, "42.0000"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        auto Form = MakeWindow(R.Kind);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        const QSize Size = Form->size();
        Form->DPSpin->SetValue(R.Places);
        Type(*Form, QString::fromLatin1(R.Keys));
        if (R.Memory)
            Form->ClickKey(ckMemoryAdd);
        TBrixCalcDisplay *Display = R.Memory ? Form->MemoryDisplay : Form->ValueDisplay;
        const QString Whole = Display->text();
        if (R.Whole) {
            EXPECT_EQ(Whole.toStdString(), R.Whole);
        }
        EXPECT_EQ(Form->size(), Size) << "the window keeps its size";

        CheckFit(*Display, R.Shortened);
        if (!R.Memory) {
            QGuiApplication::clipboard()->clear();
            Form->ClickKey(ckCopy);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), Whole) << "copy takes the whole value";
        }
    }
}

// A display narrower than the window's: the smallest font cannot hold these
// texts, so decimals give way.
TEST_F(CalcDisplay, DropsTrailingDecimalsOnlyWhenTheSmallestFontIsTooWide)
{
    struct Row
    {
        const char *Whole;
        QChar Separator;
        bool Shortened;
    };
    const Row Rows[] = {
        {"-1234567.890000000000000000", u'.', true},
        {"1.234.567,890000000000000000", u',', true},
        {"-1.50534100140937676E+24", u'.', true},
        {"-123456789", u'.', false},
        {"0.5", u'.', false},
    };
    QWidget Window;
    Window.resize(200, 60);
    TBrixCalcDisplay Display(&Window);
    Display.setGeometry(5, 5, 90, 24);
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Whole);
        Display.SetDecimalSeparator(R.Separator);
        Display.SetValue(QString::fromUtf8(R.Whole));
        CheckFit(Display, R.Shortened, R.Separator);
    }
}

} // namespace

namespace {

// The names of the accessible children of Widget's interface.
QStringList AccessibleChildNames(QWidget *Widget)
{
    QStringList Names;
    QAccessibleInterface *Iface = QAccessible::queryAccessibleInterface(Widget);
    for (int I = 0; Iface && I < Iface->childCount(); ++I)
        if (QAccessibleInterface *Child = Iface->child(I))
            Names << Child->object()->objectName();
    return Names;
}

TEST_F(CalcDisplay, ScreenReadersSeeShownKeysNamedArrowsAndTheValue)
{
    TBrixCalcForm Form;
    Form.SetHideFnBtns(true);
    Form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    QStringList Names = AccessibleChildNames(Form.CalcPanel);
    for (TBrixCalcKey K : {ckPi, ckSqRoot, ckInv, ckPower, ckSin, ckLog})
        EXPECT_FALSE(Names.contains(Form.Key(K)->objectName())) << "hidden key " << K;
    for (QWidget *W : std::initializer_list<QWidget *>{Form.SevenBtn, Form.PercentBtn,
                                                       Form.ValueDisplay, Form.DPSpin})
        EXPECT_TRUE(Names.contains(W->objectName())) << W->objectName().toStdString();
    // Each listed child knows its place.
    QAccessibleInterface *Panel = QAccessible::queryAccessibleInterface(Form.CalcPanel);
    QAccessibleInterface *Seven = QAccessible::queryAccessibleInterface(Form.SevenBtn);
    EXPECT_EQ(Panel->child(Panel->indexOfChild(Seven)), Seven);
    EXPECT_EQ(Panel->indexOfChild(QAccessible::queryAccessibleInterface(Form.PiBtn)), -1);
    Form.SetHideFnBtns(false);
    EXPECT_TRUE(AccessibleChildNames(Form.CalcPanel).contains(Form.PiBtn->objectName()));

    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form.DPSpin->Button()->UpButton())
                  ->text(QAccessible::Name),
              QStringLiteral("Increase decimal places"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form.DPSpin->Button()->DownButton())
                  ->text(QAccessible::Name),
              QStringLiteral("Decrease decimal places"));

    Type(Form, QStringLiteral("5+3="));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form.ValueDisplay)->text(QAccessible::Name),
              QStringLiteral("8.0000"));
}

// The events that reach an assistive technology, caught where the platform
// bridge would get them.
std::vector<std::pair<QObject *, QAccessible::Event>> &CaughtEvents()
{
    static std::vector<std::pair<QObject *, QAccessible::Event>> Events;
    return Events;
}

TEST_F(CalcDisplay, ANewValueOnTheDisplayIsAnnounced)
{
    TBrixCalcForm Form;
    Form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    // Qt sends accessibility events only while a bridge to assistive
    // technologies is active: on X with an accessibility bus (the end-to-end
    // script tests/e2e/window.sh runs this test so), not on the offscreen
    // platform.
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000);
    if (!QAccessible::isActive())
        GTEST_SKIP() << "no active accessibility bridge";
    CaughtEvents().clear();
    const QAccessible::UpdateHandler Previous =
        QAccessible::installUpdateHandler([](QAccessibleEvent *Event) {
            CaughtEvents().emplace_back(Event->object(), Event->type());
        });
    const auto Announced = [&Form] {
        int Count = 0;
        for (const auto &[Object, Type] : CaughtEvents())
            if (Object == Form.ValueDisplay &&
                (Type == QAccessible::NameChanged || Type == QAccessible::ValueChanged))
                ++Count;
        CaughtEvents().clear();
        return Count;
    };
    Type(Form, QStringLiteral("5+3"));
    EXPECT_EQ(Announced(), 3) << "5, +, 3";
    Type(Form, QStringLiteral("="));
    EXPECT_EQ(Announced(), 1);
    Type(Form, QStringLiteral("c"));
    Type(Form, QStringLiteral("c"));
    EXPECT_EQ(Announced(), 1) << "an unchanged value is not announced again";
    QAccessible::installUpdateHandler(Previous);
}

} // namespace
