// The Settings dialog: the [Defaults] choices a user changes (angle mode,
// decimal places, the language, and the Boolean options of the options
// table in their groups) in a small modal dialog. The dialog only edits a value;
// whoever opened it applies the result.
#pragma once

#include "options.h"

#include <QDialog>
#include <QString>

#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace Brix {
class TBrixCalcEngine;
}

class TPocketoSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows Settings, a check box for each of its flags; the texts that the
    // text tables hold are taken in the language of Engine.
    TPocketoSettingsDialog(const TPocketoSettings &Settings, const Brix::TBrixCalcEngine &Engine,
                           QWidget *Parent);

    // The choices as the dialog shows them now.
    TPocketoSettings Settings() const;

private:
    QCheckBox *AddCheck(QBoxLayout *Into, const QString &Name, const QString &Text, bool Checked);

    QComboBox *FAngleMode = nullptr;
    QSpinBox *FDecimalPlaces = nullptr;
    QComboBox *FLanguage = nullptr;
    // The settings shown, and a check box for each of their flags.
    TPocketoSettings FShown;
    std::vector<QCheckBox *> FChecks;
};
