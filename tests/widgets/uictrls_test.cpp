// The UI control: notification order, the input section's exception, the
// colour tables, language, loading, fonts and teardown.
#include "brix/widgets/edits_numeric.h"
#include "brix/widgets/uictrls.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace Brix;

namespace {

// An integer edit that writes every LinkChanged it receives to a log.
class TLoggingEdit : public TBrixIntEdit
{
public:
    TLoggingEdit(QString Name, QStringList &Log) : FName(std::move(Name)), FLog(Log) {}
    void LinkChanged(TBrixBaseComponent *Sender) override
    {
        FLog << FName + QStringLiteral(":LinkChanged");
        TBrixIntEdit::LinkChanged(Sender);
    }
    void LinkFreed(TBrixBaseComponent *Sender) override
    {
        FLog << FName + QStringLiteral(":LinkFreed");
        TBrixIntEdit::LinkFreed(Sender);
    }

private:
    QString FName;
    QStringList &FLog;
};

struct UICtrlFixture : ::testing::Test
{
    UICtrlFixture()
    {
        UI = TBrixUICtrl::Create();
        A.SetUICtrl(UI);
        B.SetUICtrl(UI);
        UI->SetOnChange([this](TObject *) { Log << QStringLiteral("OnChange"); });
        UI->SetOnColorSettingsChange(
            [this](TObject *) { Log << QStringLiteral("OnColorSettingsChange"); });
        UI->SetOnInputSettingsChange(
            [this](TObject *) { Log << QStringLiteral("OnInputSettingsChange"); });
        UI->SetOnCalculatorSettingsChange(
            [this](TObject *) { Log << QStringLiteral("OnCalculatorSettingsChange"); });
        UI->SetOnDrawSettingsChange(
            [this](TObject *) { Log << QStringLiteral("OnDrawSettingsChange"); });
        UI->SetOnLanguageChange(
            [this](TObject *, TBrixLanguage &) { Log << QStringLiteral("OnLanguageChange"); });
    }
    ~UICtrlFixture() override
    {
        if (UI)
            UI->Free();
    }

    QStringList Log;
    TLoggingEdit A{QStringLiteral("A"), Log};
    TLoggingEdit B{QStringLiteral("B"), Log};
    TBrixUICtrl *UI = nullptr;
};

} // namespace

TEST_F(UICtrlFixture, ColourChangeNotifiesLinkedEditsThenSectionEventThenOnChange)
{
    UI->ColorSettings()->SetFocusColor(clYellow);
    EXPECT_EQ(Log,
              (QStringList{"A:LinkChanged", "B:LinkChanged", "OnColorSettingsChange", "OnChange"}));
    Log.clear();
    UI->ColorSettings()->SetFocusColor(clYellow); // unchanged value
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(UICtrlFixture, InputSectionSkipsLinkedControls)
{
    UI->InputSettings()->SetEnterAsTab(true);
    EXPECT_EQ(Log, (QStringList{"OnInputSettingsChange", "OnChange"}));
}

TEST_F(UICtrlFixture, InactiveSectionStoresButRaisesNothing)
{
    UI->ColorSettings()->SetActive(false);
    Log.clear();
    UI->ColorSettings()->SetHotColor(clRed);
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(UI->ColorSettings()->HotColor(), clRed);
}

TEST_F(UICtrlFixture, LanguageChangeNotifiesThenLetsTheHandlerAdjust)
{
    UI->SetLanguage(DefaultLanguage);
    EXPECT_TRUE(Log.isEmpty());
    UI->SetOnLanguageChange([this](TObject *, TBrixLanguage &Language) {
        Log << QStringLiteral("OnLanguageChange");
        Language = elFrench;
    });
    UI->SetLanguage(elGerman);
    EXPECT_EQ(Log, (QStringList{"A:LinkChanged", "B:LinkChanged", "OnLanguageChange"}));
    EXPECT_EQ(UI->Language(), elFrench);
}

TEST_F(UICtrlFixture, LoadingIsSilentUntilLoadedNotifiesOnce)
{
    UI->BeginLoading();
    UI->ColorSettings()->SetNormalColor(clWhite);
    UI->InputSettings()->SetEscAsUndo(true);
    UI->SetLanguage(elGerman);
    EXPECT_TRUE(Log.isEmpty());
    UI->EndLoading();
    EXPECT_EQ(Log, (QStringList{"A:LinkChanged", "B:LinkChanged"}));
}

TEST_F(UICtrlFixture, FreeingTellsLinkedEditsAndRaisesNoEvent)
{
    UI->Free();
    UI = nullptr;
    EXPECT_EQ(Log, (QStringList{"A:LinkFreed", "B:LinkFreed"}));
    EXPECT_EQ(A.UICtrl(), nullptr);
    EXPECT_EQ(B.UICtrl(), nullptr);
}

TEST_F(UICtrlFixture, FreeingALinkedEditUnregistersIt)
{
    {
        TLoggingEdit C(QStringLiteral("C"), Log);
        C.SetUICtrl(UI);
    }
    UI->ColorSettings()->SetFocusColor(clAqua);
    EXPECT_EQ(Log,
              (QStringList{"A:LinkChanged", "B:LinkChanged", "OnColorSettingsChange", "OnChange"}));
}

TEST_F(UICtrlFixture, FontWritesAndResets)
{
    TBrixCalculatorSection *Calc = UI->CalculatorSettings();
    EXPECT_TRUE(Calc->AllDefaults());
    // A display font's attributes change silently; its write always signals.
    Calc->DisplayFont().SetSize(Calc->DisplayFont().Size() + 3);
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_FALSE(Calc->AllDefaults());
    Calc->SetDisplayFont(Calc->DisplayFont());
    EXPECT_EQ(Log.count("OnCalculatorSettingsChange"), 1);
    Log.clear();
    Calc->Reset();
    EXPECT_TRUE(Calc->AllDefaults());
    EXPECT_EQ(Log.count("OnCalculatorSettingsChange"), 1);

    // The header font: an equal write does nothing, a different one signals
    // twice (the copy, then the write), an attribute once, a reset once.
    TBrixDrawSection *Draw = UI->DrawSettings();
    EXPECT_TRUE(Draw->AllDefaults());
    Log.clear();
    Draw->SetHeaderFont(DefaultHeaderFont());
    EXPECT_TRUE(Log.isEmpty());
    Draw->SetHeaderFont(TFont(QStringLiteral("Arial"), 12, FontStyleBit(fsBold)));
    EXPECT_EQ(Log.count("OnDrawSettingsChange"), 2);
    Log.clear();
    Draw->HeaderFont().SetStyle(0);
    EXPECT_EQ(Log.count("OnDrawSettingsChange"), 1);
    Log.clear();
    Draw->Reset();
    EXPECT_EQ(Log.count("OnDrawSettingsChange"), 1);
    EXPECT_TRUE(FontsEqual(Draw->HeaderFont(), DefaultHeaderFont()));
    EXPECT_TRUE(Draw->AllDefaults());
}

TEST(UICtrl, SectionDefaults)
{
    TOwned<TBrixUICtrl> UI(TBrixUICtrl::Create());
    EXPECT_EQ(UI->Language(), DefaultLanguage);
    const TBrixInputSection *In = UI->InputSettings();
    EXPECT_TRUE(In->AllowKbdNull() && In->AllowThousandsSeparators() && In->NumPadDecimal());
    EXPECT_FALSE(In->EnterAsTab() || In->EnterDoesExit() || In->EscAsUndo() || In->ArrowsAsTab() ||
                 In->AutoThousands() || In->NegativeToggle());
    EXPECT_EQ(UI->ColorSettings()->FocusColor(), 0x00E0FFFF);
    EXPECT_EQ(UI->ColorSettings()->NormalColor(), TColor(0xFF000005u));
    EXPECT_EQ(UI->FontListSettings()->FontSample(), QStringLiteral("AaBb"));
    EXPECT_EQ(UI->CalendarSettings()->WeekEndDays(), DOWBit(dowSunday) | DOWBit(dowSaturday));
    const TFont &Header = DefaultHeaderFont();
    EXPECT_EQ(Header.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(Header.Size(), 9);
    EXPECT_TRUE(Header.HasStyle(fsBold));
    for (const TBrixBaseSection *S : std::initializer_list<const TBrixBaseSection *>{
             UI->InputSettings(), UI->ColorSettings(), UI->ColorListSettings(),
             UI->FontListSettings(), UI->DrawSettings(), UI->CalculatorSettings(),
             UI->CalendarSettings()})
        EXPECT_TRUE(S->AllDefaults());
    // Plain fields raise nothing but count for the defaults.
    UI->SetOnChange([](TObject *) { FAIL() << "plain field raised a change"; });
    UI->ColorListSettings()->SetShowBoxWidth(50);
    EXPECT_FALSE(UI->ColorListSettings()->AllDefaults());
}

TEST(ColorSection, GetColorTable)
{
    struct Row
    {
        const char *Name;
        bool Focus, Hot, ReadOnly, Enabled;
        std::function<void(TBrixColorSection &)> Setup;
        TColor Expected;
    };
    const auto None = [](TBrixColorSection &) {};
    const Row Rows[] = {
        {"normal", false, false, false, true, None, clWindow},
        {"read-only wins over focus", true, false, true, true, None, 0x00FFFFF0},
        {"read-only off falls to focus", true, false, true, true,
         [](TBrixColorSection &S) { S.SetReadOnlyColor(clNone); }, 0x00E0FFFF},
        {"hot without tracking", false, true, false, true, None, clWindow},
        {"hot with tracking", false, true, false, true,
         [](TBrixColorSection &S) { S.SetShowHotTracking(true); }, 0x00D4FF7F},
        {"disabled wins", true, true, true, false, None, clBtnFace},
        {"disabled default colour", false, false, false, false,
         [](TBrixColorSection &S) { S.SetDisabledColor(clDefault); }, clBtnFace},
        {"disabled off falls to normal", false, false, false, false,
         [](TBrixColorSection &S) { S.SetDisabledColor(clNone); }, clWindow},
        {"focus default colour", true, false, false, true,
         [](TBrixColorSection &S) { S.SetFocusColor(clDefault); }, 0x00E0FFFF},
        {"read-only default colour", false, false, true, true,
         [](TBrixColorSection &S) { S.SetReadOnlyColor(clDefault); }, 0x00FFFFF0},
        {"normal none", false, false, false, true,
         [](TBrixColorSection &S) { S.SetNormalColor(clNone); }, clWindow},
        {"normal plain colour", false, false, false, true,
         [](TBrixColorSection &S) { S.SetNormalColor(clYellow); }, clYellow},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TBrixColorSection S;
        R.Setup(S);
        EXPECT_EQ(S.GetColor(R.Focus, R.Hot, R.ReadOnly, R.Enabled), R.Expected);
    }
}

TEST(ColorSection, GetFontColorTable)
{
    struct Row
    {
        const char *Name;
        bool ShowSign;
        TColor Negative, Positive, Normal;
        int Sign;
        TColor Expected;
    };
    const Row Rows[] = {
        {"no sign colours", false, clRed, clNavy, clWindowText, -1, clWindowText},
        {"negative", true, clRed, clNavy, clWindowText, -1, clRed},
        {"positive", true, clRed, clNavy, clWindowText, 1, clNavy},
        {"zero is normal", true, clRed, clNavy, clGreen, 0, clGreen},
        {"negative default", true, clDefault, clNavy, clWindowText, -1, clRed},
        {"positive default", true, clRed, clDefault, clWindowText, 1, clNavy},
        {"negative none", true, clNone, clNavy, clGreen, -1, clGreen},
        {"normal none", false, clRed, clNavy, clNone, 1, clWindowText},
        {"normal default", false, clRed, clNavy, clDefault, 1, clWindowText},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TBrixColorSection S;
        S.SetShowSignDifference(R.ShowSign);
        S.SetNegativeFontColor(R.Negative);
        S.SetPositiveFontColor(R.Positive);
        S.SetNormalFontColor(R.Normal);
        EXPECT_EQ(S.GetFontColor(R.Sign), R.Expected);
    }
}

TEST(Colors, ToQColor)
{
    QPalette P;
    P.setColor(QPalette::Base, QColor(1, 2, 3));
    P.setColor(QPalette::Button, QColor(4, 5, 6));
    EXPECT_EQ(ColorToQColor(clWindow, P), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(clBtnFace, P), QColor(4, 5, 6));
    EXPECT_EQ(ColorToQColor(0x00E0FFFF, P), QColor(255, 255, 224)); // 0x00BBGGRR
    EXPECT_FALSE(ColorToQColor(clNone, P).isValid());
    EXPECT_FALSE(ColorToQColor(clDefault, P).isValid());
}

TEST(Fonts, FontsEqualComparesEveryAttribute)
{
    const TFont Base(QStringLiteral("Arial"), 9, FontStyleBit(fsBold));
    EXPECT_TRUE(FontsEqual(Base, TFont(Base)));
    struct Row
    {
        const char *Name;
        std::function<void(TFont &)> Change;
    };
    const Row Rows[] = {
        {"name case", [](TFont &F) { F.SetName(QStringLiteral("arial")); }},
        {"size", [](TFont &F) { F.SetSize(10); }},
        {"colour", [](TFont &F) { F.SetColor(clRed); }},
        {"charset", [](TFont &F) { F.SetCharset(ANSI_CHARSET); }},
        {"style", [](TFont &F) { F.SetStyle(FontStyleBit(fsItalic)); }},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        TFont Other(Base);
        R.Change(Other);
        EXPECT_FALSE(FontsEqual(Base, Other));
    }
    const QFont Q = Base.ToQFont();
    EXPECT_TRUE(Q.bold());
    EXPECT_EQ(Q.pointSize(), 9);
    EXPECT_TRUE(FontsEqual(TFont::FromQFont(Q), Base));
}
