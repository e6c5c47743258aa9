#include "options.h"

#include "brix/calculator/engine.h"
#include "brix/calcwindows/calculators.h"
#include "brix/calcwindows/calculators_standard.h"
#include "brix/formatters/numeric.h"

#include <QtGlobal>

#include <algorithm>
#include <stdexcept>

using namespace Brix;

namespace {

using T = const TPocketoOptionTarget &;
using W = TBrixCalcFormBase &;
using G = TPocketoOptionGroup;

// In the order the keys get in a file that lacks them: the dialog's, then
// the menu's (the language is written between them).
const TPocketoOption Table[] = {
    {.Name = "Precedence",
     .Key = "Precedence",
     .Group = G::Calculation,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog",
                               "&Multiply and divide before add and subtract"),
     .Default = true,
     .SavedByComponent = true,
     .Read = [](T X) { return X.Calculator->Precedence(); },
     .Apply = [](T X, bool V) { X.Calculator->SetPrecedence(V); },
     .ApplyToWindow = [](W F, bool V) { F.CalcEngine->SetPrecedence(V); },
     .InUndoSteps = &TBrixCalcEngineState::Precedence},
    {.Name = "PrefixFunctions",
     .Key = "Prefix Functions",
     .Group = G::Calculation,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "&Function keys before their number"),
     .Default = true,
     .SavedByComponent = true,
     .Read = [](T X) { return X.Calculator->PrefixFunctions(); },
     .Apply = [](T X, bool V) { X.Calculator->SetPrefixFunctions(V); },
     .ApplyToWindow = [](W F, bool V) { F.CalcEngine->SetPrefixFunctions(V); },
     .InUndoSteps = &TBrixCalcEngineState::PrefixFunctions},
    {.Name = "BinaryPercent",
     .Key = "Binary Percent",
     .Group = G::Calculation,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "&Percent as an operator (200 % 10 = 20)"),
     .Default = false,
     .SavedByComponent = true,
     .Read = [](T X) { return X.Calculator->BinaryPercent(); },
     .Apply = [](T X, bool V) { X.Calculator->SetBinaryPercent(V); },
     .ApplyToWindow = [](W F, bool V) { F.CalcEngine->SetBinaryPercent(V); },
     .InUndoSteps = &TBrixCalcEngineState::BinaryPercent},
    {.Name = "OperatorSameLine",
     .Key = "Operator Same Line",
     .Group = G::Calculation,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog",
                               "Ope&rators on the line of their number in the tape"),
     .Default = false,
     .SavedByComponent = true,
     .Read = [](T X) { return X.Calculator->OperatorSameLine(); },
     .Apply = [](T X, bool V) { X.Calculator->SetOperatorSameLine(V); },
     .ApplyToWindow = [](W F, bool V) { F.CalcEngine->SetOperatorSameLine(V); },
     .InUndoSteps = &TBrixCalcEngineState::OperatorSameLine},
    {.Name = "StayOnTop",
     .Key = "Stay On Top",
     .Group = G::Window,
     .Text =
         QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "&Keep the calculator above other windows"),
     .Default = false,
     .SavedByComponent = true,
     .Read = [](T X) { return X.Calculator->StayOnTop(); },
     .Apply = [](T X, bool V) { X.Calculator->SetStayOnTop(V); },
     .ApplyToWindow = [](W F, bool V) { F.StayOnTop(V); },
     .NeedsPlacement = true},
    {.Name = "TrimTrailingZeroes",
     .Key = "Trim Trailing Zeroes",
     .Group = G::Numbers,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "Drop trailing &zeroes of results"),
     .Default = false,
     .SavedByComponent = false,
     .Read = [](T X) { return X.Formatter->TrimTrailingZeroes(); },
     .Apply = [](T X, bool V) { X.Formatter->SetTrimTrailingZeroes(V); },
     .PlaceInGroup = 1},
    {.Name = "ShowThousands",
     .Key = "Show Thousands Separators",
     .Group = G::Numbers,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "&Thousands separators (%1)"),
     .Default = false,
     .SavedByComponent = false,
     .Read = [](T X) { return X.Formatter->ShowThousands(); },
     .Apply = [](T X, bool V) { X.Formatter->SetShowThousands(V); },
     .Example = "1 234 567"},
    {.Name = "LakhFormatting",
     .Key = "Lakh Formatting",
     .Group = G::Numbers,
     .Text = QT_TRANSLATE_NOOP("TPocketoSettingsDialog", "&Indian grouping (%1)"),
     .Default = false,
     .SavedByComponent = false,
     .Read = [](T X) { return X.Formatter->LakhFormatting(); },
     .Apply = [](T X, bool V) { X.Formatter->SetLakhFormatting(V); },
     .Example = "12 34 567",
     // Indian grouping is a way of grouping: it means nothing without it.
     .EnabledBy = "ShowThousands"},
    {.Name = "ShowTape",
     .Key = "Show Tape",
     .Group = G::Menu,
     .Text = nullptr,
     .Default = false,
     .SavedByComponent = false,
     .Read = [](T X) { return X.Choices->ShowTape; },
     .Apply = [](T X, bool V) { X.Choices->ShowTape = V; }},
    {.Name = "Scientific",
     .Key = "Scientific",
     .Group = G::Menu,
     .Text = nullptr,
     .Default = false,
     .SavedByComponent = false,
     .Read = [](T X) { return X.Choices->Scientific; },
     .Apply = [](T X, bool V) { X.Choices->Scientific = V; }},
};

} // namespace

TPocketoOptionTable PocketoOptions()
{
    return Table;
}

TPocketoSettings TPocketoSettings::Defaults(TPocketoOptionTable Table)
{
    TPocketoSettings S;
    for (const TPocketoOption &Option : Table)
        if (Option.InDialog())
            S.Flags.push_back({&Option, Option.Default});
    return S;
}

namespace {

// The flag named Name in Flags (a const vector or not).
template <typename TFlags> auto &FindFlag(TFlags &Flags, QStringView Name)
{
    const auto It = std::find_if(Flags.begin(), Flags.end(), [Name](const TPocketoFlag &F) {
        return Name == QLatin1StringView(F.Option->Name);
    });
    if (It == Flags.end())
        throw std::out_of_range("no option named " + Name.toString().toStdString());
    return *It;
}

} // namespace

bool TPocketoSettings::Flag(QStringView Name) const
{
    return FindFlag(Flags, Name).Value;
}

void TPocketoSettings::SetFlag(QStringView Name, bool Value)
{
    FindFlag(Flags, Name).Value = Value;
}
