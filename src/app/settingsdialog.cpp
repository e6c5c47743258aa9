#include "settingsdialog.h"

#include "brix/calculator/engine.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/calculator.h"
#include "brix/resources/languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using namespace Brix;

namespace {

// The range of the window's decimal places box.
constexpr int MaxDecimalPlaces = 100;

// Each language under its own name, as language lists show them, so that a
// user finds theirs whatever language the dialog is in.
struct TLanguageRow
{
    TBrixLanguage Language;
    const char16_t *OwnName;
};
const TLanguageRow LanguageRows[] = {
    {elEnglishInt, u"English (International)"},
    {elEnglishUS, u"English (US)"},
    {elBrazPort, u"Português (Brasil)"},
    {elChineseSimplified, u"简体中文"},
    {elCzech, u"Čeština"},
    {elDanish, u"Dansk"},
    {elFinnish, u"Suomi"},
    {elFrench, u"Français"},
    {elGerman, u"Deutsch"},
    {elNorwegian, u"Norsk"},
    {elPolish, u"Polski"},
    {elRussian, u"Русский"},
    {elSpanish, u"Español"},
    {elSwedish, u"Svenska"},
};

// The calculator table's text for Key where it holds one in the engine's
// language; it holds no text of its own for some languages (a lookup gives
// them the English one), and then "" so that the program's translation
// stands in.
QString OwnTableText(const TBrixCalcEngine &Engine, TBrixResCalc Key)
{
    const TBrixLanguage Language = Engine.GetLanguage();
    if (Language == elEnglishInt || Language == elEnglishUS)
        return Engine.GetName(Key);
    const auto Entries = Internal::CalculatorStringsEntries();
    const bool Own = std::any_of(Entries.begin(), Entries.end(), [&](const TBrixTextEntry &E) {
        return E.Key == TextKey(Language, Key) && !E.Text.empty();
    });
    return Own ? Engine.GetName(Key) : QString();
}

// The grouping examples with the separators the calculator writes numbers
// with, so that they show what the display will: Groups are the digit
// groups of the whole part ("1", "234", "567"), two decimals follow.
QString GroupingExample(const TBrixCalcEngine &Engine, std::initializer_list<const char *> Groups)
{
    TFormatSettings Format = RegionalSettings();
    if (const TBrixFloatFormatter *Formatter = Engine.Formatter())
        Formatter->FetchSettings(Format);
    QStringList Parts;
    for (const char *Group : Groups)
        Parts << QString::fromLatin1(Group);
    return Parts.join(Format.ThousandSeparator) + Format.DecimalSeparator + QStringLiteral("00");
}

} // namespace

TPocketoSettingsDialog::TPocketoSettingsDialog(const TPocketoSettings &Settings,
                                               const TBrixCalcEngine &Engine, QWidget *Parent)
    : QDialog(Parent)
{
    setObjectName(QStringLiteral("PocketoSettings"));
    setWindowTitle(tr("Settings"));
    setModal(true);
    auto *Layout = new QVBoxLayout(this);
    auto *Form = new QFormLayout;
    Layout->addLayout(Form);

    FAngleMode = new QComboBox(this);
    FAngleMode->setObjectName(QStringLiteral("AngleMode"));
    // In the order of the angle modes' ordinals.
    FAngleMode->addItems({tr("Degrees"), tr("Radians"), tr("Grads")});
    FAngleMode->setCurrentIndex(int(Settings.AngleMode));
    Form->addRow(tr("&Angle mode:"), FAngleMode);

    FDecimalPlaces = new QSpinBox(this);
    FDecimalPlaces->setObjectName(QStringLiteral("DecimalPlaces"));
    FDecimalPlaces->setRange(0, MaxDecimalPlaces);
    FDecimalPlaces->setValue(Settings.DecimalPlaces);
    QString DecimalsLabel = OwnTableText(Engine, ectDecimalsHint);
    if (DecimalsLabel.isEmpty())
        DecimalsLabel = tr("Decimal places");
    //: A form label: the text and its colon, as the language writes them.
    Form->addRow(tr("%1:").arg(DecimalsLabel), FDecimalPlaces);

    FLanguage = new QComboBox(this);
    FLanguage->setObjectName(QStringLiteral("Language"));
    FLanguage->addItem(tr("Follow the desktop"), QString());
    for (const TLanguageRow &Row : LanguageRows)
        FLanguage->addItem(QString::fromUtf16(Row.OwnName), LanguageName(Row.Language));
    const int Chosen = FLanguage->findData(Settings.Language, Qt::UserRole, Qt::MatchFixedString);
    FLanguage->setCurrentIndex(Chosen < 0 ? 0 : Chosen);
    Form->addRow(tr("&Language:"), FLanguage);

    auto *Calculation = new QGroupBox(tr("Calculation"), this);
    auto *CalculationChecks = new QVBoxLayout(Calculation);
    FPrecedence = AddCheck(CalculationChecks, QStringLiteral("Precedence"),
                           tr("&Multiply and divide before add and subtract"), Settings.Precedence);
    FPrefixFunctions = AddCheck(CalculationChecks, QStringLiteral("PrefixFunctions"),
                                tr("&Function keys before their number"), Settings.PrefixFunctions);
    FBinaryPercent = AddCheck(CalculationChecks, QStringLiteral("BinaryPercent"),
                              tr("&Percent as an operator (200 % 10 = 20)"), Settings.BinaryPercent);
    FOperatorSameLine = AddCheck(CalculationChecks, QStringLiteral("OperatorSameLine"),
                                 tr("&Operators on the line of their number in the tape"),
                                 Settings.OperatorSameLine);
    Layout->addWidget(Calculation);

    auto *Numbers = new QGroupBox(tr("Numbers"), this);
    auto *NumberChecks = new QVBoxLayout(Numbers);
    FShowThousands = AddCheck(NumberChecks, QStringLiteral("ShowThousands"),
                              tr("&Thousands separators (%1)")
                                  .arg(GroupingExample(Engine, {"1", "234", "567"})),
                              Settings.ShowThousands);
    FLakhFormatting = AddCheck(NumberChecks, QStringLiteral("LakhFormatting"),
                               tr("&Indian grouping (%1)")
                                   .arg(GroupingExample(Engine, {"12", "34", "567"})),
                               Settings.LakhFormatting);
    FTrimTrailingZeroes = AddCheck(NumberChecks, QStringLiteral("TrimTrailingZeroes"),
                                   tr("&Drop trailing zeroes of results"),
                                   Settings.TrimTrailingZeroes);
    // Indian grouping is a way of grouping: it means nothing without it.
    FLakhFormatting->setEnabled(Settings.ShowThousands);
    connect(FShowThousands, &QCheckBox::toggled, FLakhFormatting, &QWidget::setEnabled);
    Layout->addWidget(Numbers);

    FStayOnTop = AddCheck(Layout, QStringLiteral("StayOnTop"), tr("&Keep the calculator above other windows"),
                          Settings.StayOnTop);

    auto *Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Layout->addWidget(Buttons);
    Layout->setSizeConstraint(QLayout::SetFixedSize);
}

QCheckBox *TPocketoSettingsDialog::AddCheck(QBoxLayout *Into, const QString &Name,
                                            const QString &Text, bool Checked)
{
    auto *Check = new QCheckBox(Text, this);
    Check->setObjectName(Name);
    Check->setChecked(Checked);
    Into->addWidget(Check);
    return Check;
}

TPocketoSettings TPocketoSettingsDialog::Settings() const
{
    TPocketoSettings S;
    S.AngleMode = TBrixAngleMode(FAngleMode->currentIndex());
    S.DecimalPlaces = FDecimalPlaces->value();
    S.Precedence = FPrecedence->isChecked();
    S.PrefixFunctions = FPrefixFunctions->isChecked();
    S.BinaryPercent = FBinaryPercent->isChecked();
    S.OperatorSameLine = FOperatorSameLine->isChecked();
    S.ShowThousands = FShowThousands->isChecked();
    S.LakhFormatting = FLakhFormatting->isChecked();
    S.TrimTrailingZeroes = FTrimTrailingZeroes->isChecked();
    S.StayOnTop = FStayOnTop->isChecked();
    S.Language = FLanguage->currentData().toString();
    return S;
}
