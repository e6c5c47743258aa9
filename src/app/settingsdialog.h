// The Settings dialog: the [Defaults] choices a user changes (angle mode,
// decimal places, the calculation options, number grouping, stay on top,
// the language) in a small modal dialog. The dialog only edits a value;
// whoever opened it applies the result.
#pragma once

#include "brix/calculator/globals.h"

#include <QDialog>
#include <QString>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace Brix {
class TBrixCalcEngine;
}

// The choices, as values.
struct TPocketoSettings
{
    Brix::TBrixAngleMode AngleMode = Brix::amRadians;
    int DecimalPlaces = 4;
    bool Precedence = true;
    bool PrefixFunctions = true;
    bool BinaryPercent = false;
    bool OperatorSameLine = false;
    bool ShowThousands = false;
    bool LakhFormatting = false;
    bool TrimTrailingZeroes = false;
    bool StayOnTop = false;
    // A language's name as the settings file writes it ("German"), or ""
    // to follow the desktop.
    QString Language;

    bool operator==(const TPocketoSettings &) const = default;
};

class TPocketoSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows Settings; the texts that the text tables hold are taken in the
    // language of Engine.
    TPocketoSettingsDialog(const TPocketoSettings &Settings, const Brix::TBrixCalcEngine &Engine,
                           QWidget *Parent);

    // The choices as the dialog shows them now.
    TPocketoSettings Settings() const;

private:
    QCheckBox *AddCheck(QBoxLayout *Into, const QString &Name, const QString &Text, bool Checked);

    QComboBox *FAngleMode = nullptr;
    QSpinBox *FDecimalPlaces = nullptr;
    QCheckBox *FPrecedence = nullptr;
    QCheckBox *FPrefixFunctions = nullptr;
    QCheckBox *FBinaryPercent = nullptr;
    QCheckBox *FOperatorSameLine = nullptr;
    QCheckBox *FShowThousands = nullptr;
    QCheckBox *FLakhFormatting = nullptr;
    QCheckBox *FTrimTrailingZeroes = nullptr;
    QCheckBox *FStayOnTop = nullptr;
    QComboBox *FLanguage = nullptr;
};
