// The Settings dialog on the program's compact window: OK applies the
// choices to the running window at once, Cancel changes nothing; and what a
// close writes to the settings file: the keys the user changed, also after
// Escape, and the formatter keys and "Language" only then.
#include "placement.h"
#include "pocketodm.h"
#include "pocketowindow.h"
#include "settingsdialog.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/calcwindows/tapeview.h"
#include "brix/formatters/components.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/languages.h"
#include "brix/store/storectrls.h"
#include "brix/widgets/buttons.h"
#include "brix/widgets/spinedits.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace Brix;

namespace {

struct TDMFree
{
    void operator()(TDM *P) const { P->Free(); }
};

class SettingsDialog : public BrixTest::RegionalFixture
{
protected:
    void SetUp() override
    {
        RegionalFixture::SetUp();
        DM.reset(TDM::Create(nullptr, Table()));
        ASSERT_NO_FATAL_FAILURE(Load());
        DM->FinishLoading({QStringLiteral("en-GB")});
        Form = std::make_unique<TBrixCalcForm>();
        Form->SetHideFnBtns(true);
        // As the component prepares the window: its formatter and language.
        Form->CalcEngine->SetFormatter(DM->BrixFormatter1->FloatFormatter());
        Form->CalcEngine->SetLanguage(DM->BrixCalculator1->Language());
        TBrixCalcForm *Trimmed = Form.get();
        DM->BrixCalculator1StartCalculator(nullptr, Trimmed);
        Extras = Form->findChild<TPocketoWindowExtras *>();
        ASSERT_NE(Extras, nullptr);
        Form->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
    void TearDown() override
    {
        Form.reset();
        DM.reset();
        RegionalFixture::TearDown();
    }
    // The options the program is made with, and what it reads before the
    // window opens.
    virtual TPocketoOptionTable Table() const { return PocketoOptions(); }
    virtual void Load() {}

    void Type(const char *Keys)
    {
        for (const char *C = Keys; *C; ++C)
            QTest::keyClick(Form->focusWidget() ? Form->focusWidget() : Form.get(), *C);
    }

    // Opens the dialog from the menu, lets Edit change its controls, then
    // presses Button; returns whether the dialog was seen.
    bool RunDialog(const std::function<void(QDialog &)> &Edit,
                   QDialogButtonBox::StandardButton Button)
    {
        bool Seen = false;
        QTimer::singleShot(0, [&] {
            auto *Dialog =
                qobject_cast<TPocketoSettingsDialog *>(QApplication::activeModalWidget());
            if (!Dialog)
                return;
            Seen = true;
            Edit(*Dialog);
            Dialog->findChild<QDialogButtonBox *>()->button(Button)->click();
        });
        Extras->OpenMenu(QPoint(0, 0));
        for (QAction *A : Extras->Menu()->actions())
            if (A->text() == QStringLiteral("Settings…"))
                A->trigger();
        if (Extras->Menu()) // a new language has it built again
            Extras->Menu()->close();
        return Seen;
    }

    std::unique_ptr<TDM, TDMFree> DM;
    std::unique_ptr<TBrixCalcForm> Form;
    TPocketoWindowExtras *Extras = nullptr;
};

// Every choice of the dialog, changed from the defaults.
void ChangeEverything(QDialog &D)
{
    D.findChild<QComboBox *>("AngleMode")->setCurrentIndex(amDegrees);
    D.findChild<QSpinBox *>("DecimalPlaces")->setValue(2);
    for (const char *Name : {"Precedence", "ShowThousands", "LakhFormatting", "TrimTrailingZeroes",
                             "StayOnTop", "BinaryPercent", "OperatorSameLine", "PrefixFunctions"})
        D.findChild<QCheckBox *>(Name)->toggle();
    auto *Language = D.findChild<QComboBox *>("Language");
    Language->setCurrentIndex(Language->findData(QStringLiteral("German")));
}

TEST_F(SettingsDialog, ShowsTheWindowsValuesAndTheProgramsChoices)
{
    Form->CalcEngine->SetDecimalPlaces(7); // the window's own, not the component's 4
    DM->BrixFormatter1->FloatFormatter()->SetShowThousands(true);
    TPocketoSettings Shown;
    ASSERT_TRUE(
        RunDialog([&](QDialog &D) { Shown = static_cast<TPocketoSettingsDialog &>(D).Settings(); },
                  QDialogButtonBox::Cancel));
    TPocketoSettings Expected = TPocketoSettings::Defaults();
    Expected.DecimalPlaces = 7;
    Expected.SetFlag(u"ShowThousands", true);
    EXPECT_TRUE(Shown == Expected);
    EXPECT_EQ(Form->windowTitle(), DM->BrixCalculator1->Title());
}

TEST_F(SettingsDialog, OkAppliesToTheRunningWindowCancelDoesNot)
{
    Type("1234.5+");
    Extras->SetTapeShown(true);
    ASSERT_EQ(Extras->TapeView()->accessibleName(), "Tape");
    const QString Title = Form->windowTitle();
    const QString AddName = Form->Key(ckAdd)->accessibleName();
    const TPocketoSettings Before = Extras->CurrentSettings();

    ASSERT_TRUE(RunDialog(ChangeEverything, QDialogButtonBox::Cancel));
    EXPECT_TRUE(Extras->CurrentSettings() == Before);
    EXPECT_EQ(Form->ValueDisplay->text(), "1234.5000");
    EXPECT_EQ(Form->Key(ckAdd)->accessibleName(), AddName);
    EXPECT_FALSE(Form->IsStayOnTop());

    ASSERT_TRUE(RunDialog(ChangeEverything, QDialogButtonBox::Ok));
    TBrixCalcEngine &Engine = *Form->CalcEngine;
    // Number format: two decimals, grouped the Indian way, zeroes trimmed.
    EXPECT_EQ(Form->ValueDisplay->text(), "1,234.5");
    EXPECT_EQ(Form->DPSpin->Value(), 2);
    EXPECT_EQ(Engine.AngleMode(), amDegrees);
    EXPECT_FALSE(Engine.Precedence());
    EXPECT_FALSE(Engine.PrefixFunctions());
    EXPECT_TRUE(Engine.BinaryPercent());
    EXPECT_TRUE(Engine.OperatorSameLine());
    EXPECT_TRUE(Form->IsStayOnTop());
    // German texts, the program's title.
    EXPECT_EQ(Form->Key(ckAdd)->accessibleName(), "Addieren");
    EXPECT_EQ(Form->windowTitle(), Title);
    // The program's own texts follow: the tape's name, the menu built anew.
    EXPECT_EQ(Extras->TapeView()->accessibleName(), "Rechenstreifen");
    Extras->OpenMenu(QPoint(0, 0));
    EXPECT_EQ(Extras->Menu()->actions().value(0)->text(), "Wissenschaftlich");
    Extras->Menu()->close();
    // The program holds them for the save and for the next window.
    EXPECT_EQ(DM->Settings().Language, "German");
    EXPECT_EQ(DM->BrixCalculator1->Language(), elGerman);
    EXPECT_TRUE(DM->BrixFormatter1->FloatFormatter()->LakhFormatting());
    EXPECT_FALSE(DM->BrixCalculator1->Precedence());
    EXPECT_TRUE(DM->BrixCalculator1->StayOnTop());

    // Without precedence 1234.5 + 2 * 3 is (1234.5 + 2) * 3.
    Type("2*3=");
    EXPECT_EQ(Form->ValueDisplay->text(), "3,709.5");
}

// The options table's check boxes, in their groups and in the order (also
// the keyboard's) the dialog has always had; Indian grouping is enabled only
// while thousands separators are.
TEST_F(SettingsDialog, ChecksStandInTheirGroupsInOrder)
{
    QStringList Checks, Tabs;
    std::vector<bool> LakhEnabled;
    ASSERT_TRUE(RunDialog(
        [&](QDialog &D) {
            for (QCheckBox *Check : D.findChildren<QCheckBox *>()) {
                auto *Box = qobject_cast<QGroupBox *>(Check->parentWidget());
                Checks << (Box ? Box->title() : QString()) + u'|' + Check->objectName() + u'|' +
                              Check->text();
            }
            auto *Lakh = D.findChild<QCheckBox *>("LakhFormatting");
            LakhEnabled.push_back(Lakh->isEnabled());
            D.findChild<QCheckBox *>("ShowThousands")->toggle();
            LakhEnabled.push_back(Lakh->isEnabled());
            D.findChild<QCheckBox *>("ShowThousands")->toggle();
            LakhEnabled.push_back(Lakh->isEnabled());
            // The keyboard's order, from the first check box round the chain.
            QWidget *First = D.findChild<QCheckBox *>("Precedence");
            QWidget *Next = First;
            do {
                if (qobject_cast<QCheckBox *>(Next))
                    Tabs << Next->objectName();
                Next = Next->nextInFocusChain();
            } while (Next != First && Tabs.size() < 20);
        },
        QDialogButtonBox::Cancel));
    EXPECT_EQ(Checks.join(u'\n').toStdString(),
              "Calculation|Precedence|&Multiply and divide before add and subtract\n"
              "Calculation|PrefixFunctions|&Function keys before their number\n"
              "Calculation|BinaryPercent|&Percent as an operator (200 % 10 = 20)\n"
              "Calculation|OperatorSameLine|Ope&rators on the line of their number in the tape\n"
              "Numbers|ShowThousands|&Thousands separators (1,234,567.00)\n"
              "Numbers|LakhFormatting|&Indian grouping (12,34,567.00)\n"
              "Numbers|TrimTrailingZeroes|Drop trailing &zeroes of results\n"
              "|StayOnTop|&Keep the calculator above other windows");
    EXPECT_EQ(Tabs,
              QStringList({"Precedence", "PrefixFunctions", "BinaryPercent", "OperatorSameLine",
                           "ShowThousands", "LakhFormatting", "TrimTrailingZeroes", "StayOnTop"}));
    EXPECT_EQ(LakhEnabled, (std::vector<bool>{false, true, false}));
}

// Where the desktop places the windows (Wayland), keeping the window on top
// is its choice too: the check box is shown unavailable, keeping its value,
// with a note. Elsewhere it is an ordinary choice. (The Wayland case runs
// under a Wayland compositor, from the end-to-end check.)
TEST_F(SettingsDialog, StayOnTopIsUnavailableWhereTheDesktopPlacesTheWindows)
{
    DM->BrixCalculator1->SetStayOnTop(true);
    const bool OnWayland = QGuiApplication::platformName().startsWith(u"wayland");
    bool Enabled = false, Checked = false;
    QString Note;
    ASSERT_TRUE(RunDialog(
        [&](QDialog &D) {
            auto *Check = D.findChild<QCheckBox *>("StayOnTop");
            Enabled = Check->isEnabled();
            Checked = Check->isChecked();
            if (auto *Label = D.findChild<QLabel *>("PlacementNote"); Label && Label->isVisible())
                Note = Label->text();
        },
        QDialogButtonBox::Ok));
    EXPECT_EQ(CanPlaceWindows(), !OnWayland);
    EXPECT_EQ(Enabled, !OnWayland);
    EXPECT_TRUE(Checked);
    EXPECT_EQ(Note.contains(u"Wayland"), OnWayland) << Note.toStdString();
    EXPECT_TRUE(DM->BrixCalculator1->StayOnTop()) << "OK keeps the value";
}

// The decimal places label is the calculator table's text where the table
// has one in the language, else the program's translation; the colon is
// written as the language writes it.
// In every language each labelled control of the dialog has an access key,
// and no two share one, nor one with OK or Cancel where a desktop gives
// those access keys (Qt's GNOME look: "&OK", "&Cancel", German
// "&Abbrechen", Spanish "&Aceptar", ... from Qt's translations). The
// decimal places label is the dialog's own text.
TEST_F(SettingsDialog, AccessKeysAreUniqueInEveryLanguage)
{
    const std::map<TBrixLanguage, const char *> DecimalsLabels = {
        {elEnglishInt, "&Decimal places:"},
        {elFrench, "&D\u00e9cimales\u00a0:"},
        {elGerman, "&Dezimalstellen:"},
        {elChineseSimplified, "\u5c0f\u6570\u4f4d\u6570(&D)\uff1a"},
    };
    for (int L = elEnglishInt; L < elUSER; ++L) {
        const auto Language = TBrixLanguage(L);
        SCOPED_TRACE(LanguageName(Language).toStdString());
        DM->BrixCalculator1->SetLanguage(Language);
        Form->CalcEngine->SetLanguage(Language);
        QStringList Texts;
        QString DecimalsLabel;
        ASSERT_TRUE(RunDialog(
            [&](QDialog &D) {
                for (QLabel *Label : D.findChildren<QLabel *>())
                    if (Label->buddy())
                        Texts << Label->text();
                for (QCheckBox *Check : D.findChildren<QCheckBox *>())
                    Texts << Check->text();
                Texts << QCoreApplication::translate("QGnomeTheme", "&OK")
                      << QCoreApplication::translate("QGnomeTheme", "&Cancel");
                auto *Layout = D.findChild<QFormLayout *>();
                auto *Text = qobject_cast<QLabel *>(
                    Layout->labelForField(D.findChild<QSpinBox *>("DecimalPlaces")));
                DecimalsLabel = Text ? Text->text() : QString();
            },
            QDialogButtonBox::Cancel));
        EXPECT_EQ(Texts.size(), 3 + 8 + 2); // three form rows, eight options, OK and Cancel
        std::map<int, QString> Owners;
        for (const QString &Text : Texts) {
            const QKeySequence Key = QKeySequence::mnemonic(Text);
            EXPECT_FALSE(Key.isEmpty()) << "no access key: " << Text.toStdString();
            if (Key.isEmpty())
                continue;
            const auto [It, Added] = Owners.emplace(Key[0].toCombined(), Text);
            EXPECT_TRUE(Added) << Key.toString().toStdString() << " twice: \""
                               << It->second.toStdString() << "\" and \"" << Text.toStdString()
                               << '"';
        }
        if (const auto It = DecimalsLabels.find(Language); It != DecimalsLabels.end()) {
            EXPECT_EQ(DecimalsLabel, QString::fromUtf8(It->second));
        }
    }
}

// The grouping examples are written with the separators the display uses.
TEST_F(SettingsDialog, GroupingExamplesUseTheDisplaysSeparators)
{
    TBrixFormatSettingsSection &Format = *DM->BrixFormatter1->FormatSettings();
    Format.SetUseRegional(false);
    Format.SetSeparators(u',', u'.');
    Type("1234567");
    DM->BrixFormatter1->FloatFormatter()->SetShowThousands(true);
    Form->CalcEngine->RedrawDisplay();
    ASSERT_EQ(Form->ValueDisplay->text(), "1.234.567") << "the display's separators";
    QStringList Texts;
    ASSERT_TRUE(RunDialog(
        [&](QDialog &D) {
            for (const char *Name : {"ShowThousands", "LakhFormatting"})
                Texts << D.findChild<QCheckBox *>(Name)->text();
        },
        QDialogButtonBox::Cancel));
    EXPECT_EQ(Texts, QStringList({"&Thousands separators (1.234.567,00)",
                                  "&Indian grouping (12.34.567,00)"}));
}

TEST_F(SettingsDialog, GroupingAloneRedrawsTheNumberBeingTyped)
{
    Type("1234567");
    ASSERT_TRUE(RunDialog([](QDialog &D) { D.findChild<QCheckBox *>("ShowThousands")->toggle(); },
                          QDialogButtonBox::Ok));
    EXPECT_EQ(Form->ValueDisplay->text(), "1,234,567");
    Type("8");
    EXPECT_EQ(Form->ValueDisplay->text(), "12,345,678");
}

// Undo never switches the options back; angle mode and decimal places come
// back as they do after the angle key and the decimal places box.
TEST_F(SettingsDialog, UndoAfterOkKeepsTheOptions)
{
    Type("2+3");
    ASSERT_TRUE(RunDialog(ChangeEverything, QDialogButtonBox::Ok));
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier); // the dialog's step
    EXPECT_EQ(Form->CalcEngine->DecimalPlaces(), 4);
    EXPECT_EQ(Form->CalcEngine->AngleMode(), amRadians);
    EXPECT_FALSE(Form->CalcEngine->Precedence());
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier); // the 3
    EXPECT_FALSE(Form->CalcEngine->Precedence());
    EXPECT_TRUE(Form->CalcEngine->BinaryPercent());
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Form->CalcEngine->DecimalPlaces(), 2);
    EXPECT_FALSE(Form->CalcEngine->Precedence());
}

// ---- An option added as one row ----

// The value of the option that the test adds, in the program and in the
// window.
bool Beep = false;
bool BeepInWindow = false;

class OptionRow : public SettingsDialog
{
protected:
    OptionRow() // before the program is made
    {
        Beep = false;
        BeepInWindow = true;
    }
    // The program's table and one row more.
    TPocketoOptionTable Table() const override
    {
        static const std::vector<TPocketoOption> Rows = [] {
            std::vector<TPocketoOption> R(PocketoOptions().begin(), PocketoOptions().end());
            R.push_back({.Name = "Beep",
                         .Key = "Beep On Keys",
                         .Group = TPocketoOptionGroup::Calculation,
                         .Text = "&Beep on every key",
                         .Default = true,
                         .SavedByComponent = false,
                         .Read = [](const TPocketoOptionTarget &) { return Beep; },
                         .Apply = [](const TPocketoOptionTarget &, bool V) { Beep = V; },
                         .ApplyToWindow = [](TBrixCalcFormBase &, bool V) { BeepInWindow = V; }});
            return R;
        }();
        return Rows;
    }
    // A file that switches the new option off.
    void Load() override
    {
        Path = Dir.filePath(QStringLiteral("lumopocketo.ini"));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("[Defaults]\nBeep On Keys=0\n");
        File.close();
        EXPECT_TRUE(Beep) << "the row's default";
        DM->BrixStoreCtrl1->SetIniFile(Path);
        DM->LoadFromStore();
    }
    QStringList Save(bool Kept)
    {
        DM->SaveToStore(Kept);
        DM->BrixStoreCtrl1->ForceCloseStorage();
        QFile File(Path);
        EXPECT_TRUE(File.open(QIODevice::ReadOnly));
        return QString::fromUtf8(File.readAll())
            .split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
    }

    QTemporaryDir Dir;
    QString Path;
};

TEST_F(OptionRow, IsReadShownAppliedAndWritten)
{
    EXPECT_FALSE(Beep) << "read from the file";
    EXPECT_FALSE(BeepInWindow) << "the window takes it as it opens";
    EXPECT_FALSE(DM->Settings().Flag(u"Beep"));
    EXPECT_FALSE(DM->HasChangesToSave(false));

    QString Text, Group;
    bool Shown = true;
    ASSERT_TRUE(RunDialog(
        [&](QDialog &D) {
            auto *Check = D.findChild<QCheckBox *>("Beep");
            ASSERT_NE(Check, nullptr);
            Text = Check->text();
            Shown = Check->isChecked();
            if (auto *Box = qobject_cast<QGroupBox *>(Check->parentWidget()))
                Group = Box->title();
            Check->toggle();
        },
        QDialogButtonBox::Ok));
    EXPECT_EQ(Text, "&Beep on every key");
    EXPECT_FALSE(Shown);
    EXPECT_EQ(Group, "Calculation");
    EXPECT_TRUE(Beep) << "applied";
    EXPECT_TRUE(BeepInWindow) << "applied to the running window";
    EXPECT_TRUE(DM->Settings().Flag(u"Beep"));

    // Written after Escape as the only change, in place of the line read.
    EXPECT_TRUE(DM->HasChangesToSave(false));
    EXPECT_EQ(Save(false), QStringList({"[Defaults]", "Beep On Keys=1"}));
}

// ---- What a close writes ----

class SettingsSave : public BrixTest::RegionalFixture
{
protected:
    // A settings file with Lines, loaded as the program loads it.
    void Load(const QByteArray &Lines)
    {
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath(QStringLiteral("lumopocketo.ini"));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("[Defaults]\n" + Lines);
        File.close();
        DM.reset(TDM::Create());
        DM->BrixStoreCtrl1->SetIniFile(Path);
        DM->LoadFromStore();
        DM->FinishLoading({QStringLiteral("en-GB")});
    }
    // Saves as a close does and gives the file's lines.
    QStringList Save(bool Kept)
    {
        DM->SaveToStore(Kept);
        DM->BrixStoreCtrl1->ForceCloseStorage();
        QFile File(Path);
        EXPECT_TRUE(File.open(QIODevice::ReadOnly));
        return QString::fromUtf8(File.readAll())
            .split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
    }
    // Applies the program's settings with Change made to them.
    void Choose(const std::function<void(TPocketoSettings &)> &Change)
    {
        TPocketoSettings S = DM->Settings();
        Change(S);
        DM->ApplySettings(S);
    }

    QTemporaryDir Dir;
    QString Path;
    std::unique_ptr<TDM, TDMFree> DM;
};

TEST_F(SettingsSave, FormatterKeysAndLanguageAreWrittenOnlyOnceChanged)
{
    struct Row
    {
        const char *Name;
        std::function<void(TPocketoSettings &)> Change;
        QStringList Written; // of the formatter keys and Language
    };
    const Row Rows[] = {
        {"nothing changed", [](TPocketoSettings &) {}, {}},
        {"thousands on",
         [](TPocketoSettings &S) { S.SetFlag(u"ShowThousands", true); },
         {"Show Thousands Separators=1"}},
        {"a language chosen",
         [](TPocketoSettings &S) { S.Language = "French"; },
         {"Language=French"}},
        {"all three formatter keys",
         [](TPocketoSettings &S) {
             for (const char16_t *Name :
                  {u"ShowThousands", u"LakhFormatting", u"TrimTrailingZeroes"})
                 S.SetFlag(Name, true);
         },
         {"Trim Trailing Zeroes=1", "Show Thousands Separators=1", "Lakh Formatting=1"}},
    };
    const QRegularExpression Watched("^(Trim Trailing Zeroes|Show Thousands Separators|"
                                     "Lakh Formatting|Language)=");
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        Load("Memory=5\n");
        Choose(R.Change);
        EXPECT_TRUE(DM->HasChangesToSave(true));
        const QStringList Lines = Save(true);
        EXPECT_EQ(Lines.filter(Watched), R.Written);
        EXPECT_TRUE(Lines.contains("Precedence=1")) << "the component's keys on a kept close";
    }
}

TEST_F(SettingsSave, FollowingTheDesktopAgainEmptiesAChosenLanguage)
{
    Load("Language=german\n");
    EXPECT_EQ(DM->BrixCalculator1->Language(), elGerman);
    EXPECT_EQ(DM->Settings().Language, "German");
    Choose([](TPocketoSettings &S) { S.Language.clear(); });
    EXPECT_EQ(DM->BrixCalculator1->Language(), elEnglishInt) << "the desktop's (en-GB)";
    EXPECT_TRUE(Save(true).contains("Language="));
}

// The user's file is read over a shipped one: an empty Language there (the
// user's "Follow the desktop") wins over the shipped file's language.
TEST_F(SettingsSave, AnEmptyLanguageInALaterFileFollowsTheDesktop)
{
    Load("Language=German\n");
    const QString Shipped = Path;
    Path = Dir.filePath(QStringLiteral("user.ini"));
    QFile User(Path);
    ASSERT_TRUE(User.open(QIODevice::WriteOnly));
    User.write("[Defaults]\nLanguage=\n");
    User.close();
    DM.reset(TDM::Create());
    for (const QString &File : {Shipped, Path}) {
        DM->BrixStoreCtrl1->SetIniFile(File);
        DM->LoadFromStore();
    }
    DM->FinishLoading({QStringLiteral("fr-FR")});
    EXPECT_EQ(DM->BrixCalculator1->Language(), elFrench);
    EXPECT_EQ(DM->Settings().Language, "");
}

// Escape discards the window's values but keeps what the user chose in the
// dialog; with nothing chosen it writes nothing.
TEST_F(SettingsSave, EscapeWritesOnlyTheChangedChoices)
{
    Load("Memory=5\n");
    EXPECT_FALSE(DM->HasChangesToSave(false));

    Choose([](TPocketoSettings &S) {
        S.SetFlag(u"Precedence", false);
        S.SetFlag(u"ShowThousands", true);
        S.Language = "Swedish";
        S.DecimalPlaces = 9; // the window's: not the program's to write
    });
    EXPECT_TRUE(DM->HasChangesToSave(false));
    // The menu's choices come after the dialog's.
    DM->Choices.ShowTape = DM->Choices.Scientific = true;
    EXPECT_EQ(Save(false),
              QStringList({"[Defaults]", "Memory=5", "Precedence=0", "Show Thousands Separators=1",
                           "Language=Swedish", "Show Tape=1", "Scientific=1"}));
}

} // namespace
