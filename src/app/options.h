// The program's Boolean options as one table: each row names the option's
// settings key, its check box in the Settings dialog (text and group), its
// default, and how it is read from and applied to the program's parts.
// Loading, saving, the dialog and applying all walk the table, so an option
// is added as one row.
#pragma once

#include "brix/calculator/globals.h"

#include <QSize>
#include <QString>
#include <QStringView>

#include <span>
#include <vector>

namespace Brix {
class TBrixCalcFormBase;
struct TBrixCalcEngineState;
class TBrixCalculator;
class TBrixFloatFormatter;
} // namespace Brix

// The choices of the window's menu that the program remembers.
struct TPocketoChoices
{
    // The tape is open beside the window.
    bool ShowTape = false;
    // The library's scientific window instead of the compact one.
    bool Scientific = false;
    // The size the user gave the tape's window (its client area); invalid
    // while none was given. Kept as "Tape Width" and "Tape Height".
    QSize TapeSize;
};

// What the options are read from and applied to.
struct TPocketoOptionTarget
{
    Brix::TBrixCalculator *Calculator;
    Brix::TBrixFloatFormatter *Formatter;
    TPocketoChoices *Choices;
};

// Where an option is shown: in a group of the Settings dialog (the groups
// in this order, those with a title as a titled box, Window below them), or
// in the window's menu only.
enum class TPocketoOptionGroup
{
    Calculation,
    Numbers,
    Window,
    Menu
};

struct TPocketoOption
{
    // The name of its check box in the dialog; the code looks it up by it.
    const char *Name;
    // The key in the settings file's section.
    const char *Key;
    TPocketoOptionGroup Group;
    // The check box's text, translated in the dialog's context (marked with
    // QT_TRANSLATE_NOOP("TPocketoSettingsDialog", ...)); nullptr in the menu
    // group.
    const char *Text;
    // The value the program starts with when no file names the key.
    bool Default;
    // true: the calculator component reads the key with its own and writes
    // it on every close that keeps the window's values; the program writes
    // it after Escape when it changed. false: the program reads it after
    // the component's keys and writes it whenever it changed.
    bool SavedByComponent;
    bool (*Read)(const TPocketoOptionTarget &);
    void (*Apply)(const TPocketoOptionTarget &, bool Value);

    // An option that a calculator window holds too: a window takes it as it
    // opens, and a running window takes a new value at once.
    void (*ApplyToWindow)(Brix::TBrixCalcFormBase &, bool Value) = nullptr;
    // A calculation option: the window's undo steps hold it too, and take
    // a new value, so that going back never switches it back.
    bool Brix::TBrixCalcEngineState::*InUndoSteps = nullptr;

    // The dialog shows a group's rows by this, then in the table's order
    // (the table's order is also the order new keys get in the file).
    int PlaceInGroup = 0;
    // Digit groups separated by spaces ("1 234 567"): the text's %1 is that
    // number, with two decimals, in the separators the display uses.
    const char *Example = nullptr;
    // The Name of the option without which this one means nothing: the
    // check box is enabled only while that one is checked.
    const char *EnabledBy = nullptr;
    // A choice that the desktop carries out for the window (keeping it on
    // top): where the program cannot place its windows (Wayland), the
    // dialog shows it unavailable, with a note saying why.
    bool NeedsPlacement = false;

    bool InDialog() const { return Group != TPocketoOptionGroup::Menu; }
};

using TPocketoOptionTable = std::span<const TPocketoOption>;

// The program's table.
TPocketoOptionTable PocketoOptions();

// One Boolean choice of the Settings dialog.
struct TPocketoFlag
{
    const TPocketoOption *Option;
    bool Value;

    bool operator==(const TPocketoFlag &) const = default;
};

// The choices of the Settings dialog, as values.
struct TPocketoSettings
{
    Brix::TBrixAngleMode AngleMode = Brix::amRadians;
    int DecimalPlaces = 4;
    // A language's name as the settings file writes it ("German"), or ""
    // to follow the desktop.
    QString Language;
    // One for each row of the table that the dialog shows, in the table's
    // order.
    std::vector<TPocketoFlag> Flags;

    // The defaults: Flags with each dialog row of Table at its default.
    static TPocketoSettings Defaults(TPocketoOptionTable Table = PocketoOptions());

    // The value of the option named Name; throws std::out_of_range when the
    // settings hold none of that name.
    bool Flag(QStringView Name) const;
    void SetFlag(QStringView Name, bool Value);

    bool operator==(const TPocketoSettings &) const = default;
};
