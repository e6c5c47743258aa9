#include "settingsdialog.h"

#include "placement.h"

#include "brix/calculator/engine.h"
#include "brix/classes/formatsettings.h"
#include "brix/formatters/numeric.h"
#include "brix/resources/languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>
#include <utility>

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

// The grouping examples with the separators the calculator writes numbers
// with, so that they show what the display will: Groups are the digit
// groups of the whole part ("1", "234", "567"), two decimals follow.
QString GroupingExample(const TBrixCalcEngine &Engine, const QStringList &Groups)
{
    TFormatSettings Format = RegionalSettings();
    if (const TBrixFloatFormatter *Formatter = Engine.Formatter())
        Formatter->FetchSettings(Format);
    return Groups.join(Format.ThousandSeparator) + Format.DecimalSeparator + QStringLiteral("00");
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
    Form->labelForField(FAngleMode)->setObjectName(QStringLiteral("AngleModeLabel"));

    FDecimalPlaces = new QSpinBox(this);
    FDecimalPlaces->setObjectName(QStringLiteral("DecimalPlaces"));
    FDecimalPlaces->setRange(0, MaxDecimalPlaces);
    FDecimalPlaces->setValue(Settings.DecimalPlaces);
    Form->addRow(tr("&Decimal places:"), FDecimalPlaces);
    Form->labelForField(FDecimalPlaces)->setObjectName(QStringLiteral("DecimalPlacesLabel"));

    FLanguage = new QComboBox(this);
    FLanguage->setObjectName(QStringLiteral("Language"));
    FLanguage->addItem(tr("Follow the desktop"), QString());
    for (const TLanguageRow &Row : LanguageRows)
        FLanguage->addItem(QString::fromUtf16(Row.OwnName), LanguageName(Row.Language));
    const int Chosen = FLanguage->findData(Settings.Language, Qt::UserRole, Qt::MatchFixedString);
    FLanguage->setCurrentIndex(Chosen < 0 ? 0 : Chosen);
    Form->addRow(tr("&Language:"), FLanguage);
    Form->labelForField(FLanguage)->setObjectName(QStringLiteral("LanguageLabel"));

    // The check boxes, group by group: the titled groups in boxes, the
    // window's own below them.
    FShown = Settings;
    FChecks.assign(Settings.Flags.size(), nullptr);
    std::vector<size_t> Order(Settings.Flags.size());
    std::iota(Order.begin(), Order.end(), size_t(0));
    std::stable_sort(Order.begin(), Order.end(), [&](size_t A, size_t B) {
        const TPocketoOption &OA = *Settings.Flags[A].Option;
        const TPocketoOption &OB = *Settings.Flags[B].Option;
        return std::pair(OA.Group, OA.PlaceInGroup) < std::pair(OB.Group, OB.PlaceInGroup);
    });
    for (auto From = Order.begin(); From != Order.end();) {
        const TPocketoOptionGroup Group = Settings.Flags[*From].Option->Group;
        const auto To = std::find_if(
            From, Order.end(), [&](size_t I) { return Settings.Flags[I].Option->Group != Group; });
        QGroupBox *Box = nullptr;
        if (Group == TPocketoOptionGroup::Calculation) {
            Box = new QGroupBox(tr("Calculation"), this);
            Box->setObjectName(QStringLiteral("CalculationGroup"));
        } else if (Group == TPocketoOptionGroup::Numbers) {
            Box = new QGroupBox(tr("Numbers"), this);
            Box->setObjectName(QStringLiteral("NumbersGroup"));
        }
        QBoxLayout *Into = Box ? new QVBoxLayout(Box) : Layout;
        for (; From != To; ++From) {
            const TPocketoFlag &Flag = Settings.Flags[*From];
            QString Text = tr(Flag.Option->Text);
            if (Flag.Option->Example)
                Text = Text.arg(
                    GroupingExample(Engine, QString::fromLatin1(Flag.Option->Example).split(u' ')));
            FChecks[*From] =
                AddCheck(Into, QString::fromLatin1(Flag.Option->Name), Text, Flag.Value);
            if (Flag.Option->NeedsPlacement && !CanPlaceWindows()) {
                // Its value stays as it is, for a desktop that can honour it.
                FChecks[*From]->setEnabled(false);
                auto *Note =
                    new QLabel(tr("On Wayland the desktop places the windows and decides which one "
                                  "stays on top."),
                               this);
                Note->setObjectName(QStringLiteral("PlacementNote"));
                Note->setWordWrap(true);
                Into->addWidget(Note);
            }
        }
        if (Box)
            Layout->addWidget(Box);
    }
    for (size_t I = 0; I < FChecks.size(); ++I) {
        const char *EnabledBy = Settings.Flags[I].Option->EnabledBy;
        if (!EnabledBy)
            continue;
        QCheckBox *By = findChild<QCheckBox *>(QString::fromLatin1(EnabledBy));
        Q_ASSERT_X(By, "TPocketoSettingsDialog", "EnabledBy names no option of the dialog");
        FChecks[I]->setEnabled(By->isChecked());
        connect(By, &QCheckBox::toggled, FChecks[I], &QWidget::setEnabled);
    }

    auto *Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    Buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    Buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
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
    TPocketoSettings S = FShown;
    S.AngleMode = TBrixAngleMode(FAngleMode->currentIndex());
    S.DecimalPlaces = FDecimalPlaces->value();
    for (size_t I = 0; I < FChecks.size(); ++I)
        S.Flags[I].Value = FChecks[I]->isChecked();
    S.Language = FLanguage->currentData().toString();
    return S;
}
