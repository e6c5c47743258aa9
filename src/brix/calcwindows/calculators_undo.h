/// @file
/// The undo history of a calculator window: the steps before the commands
/// that changed it, newest last, and the steps undone since, for redo. A
/// step is the engine's state together with the calculations the window's
/// tape document had kept by then (the tape's earlier calculations, which no
/// engine state holds), so that going back over an all clear or a cleared
/// tape brings the tape back as it was. At most MaxSteps of each are kept;
/// the oldest step goes first. A new command drops the redo steps.
#pragma once

#include "brix/calculator/engine.h"
#include "brix/calcwindows/taperows.h"
#include "brix/export.h"

#include <deque>
#include <optional>

namespace Brix {

/// What an undo step goes back to.
struct TBrixCalcUndoStep
{
    /// The engine as it was.
    TBrixCalcEngineState State;
    /// The tape document's ended calculations (TBrixTapeDocument::Kept);
    /// empty for a window without a tape.
    QList<TBrixTapeCalculation> Kept;

    /// Both parts equal.
    bool operator==(const TBrixCalcUndoStep &) const = default;
};

/// The undo and redo steps of a calculator window: a new step clears the
/// redo steps, and beyond MaxSteps the oldest is dropped.
class BRIX_CONTROLS_EXPORT TBrixCalcUndoHistory
{
public:
    /// The most steps kept each way.
    static constexpr int MaxSteps = 50;

    /// A command changed the window from Before.
    void Record(TBrixCalcUndoStep Before);
    /// The step to go back to, with Current kept for redo; none when there
    /// is nothing to undo.
    std::optional<TBrixCalcUndoStep> Undo(TBrixCalcUndoStep Current);
    /// The step undone last, with Current kept for undo; none when there is
    /// nothing to redo.
    std::optional<TBrixCalcUndoStep> Redo(TBrixCalcUndoStep Current);
    /// Drops every step.
    void Clear();
    /// Applies Change to the engine state of every kept step, undo and redo
    /// steps alike: for an option set outside the commands (a settings
    /// dialog), which no step may take back.
    template <class TChange> void Amend(TChange &&Change)
    {
        for (std::deque<TBrixCalcUndoStep> *Steps : {&FUndo, &FRedo})
            for (TBrixCalcUndoStep &Step : *Steps)
                Change(Step.State);
    }

    /// Number of steps that can be undone and redone.
    ///@{
    int UndoCount() const { return int(FUndo.size()); }
    int RedoCount() const { return int(FRedo.size()); }
    ///@}

private:
    static void Push(std::deque<TBrixCalcUndoStep> &Steps, TBrixCalcUndoStep Step);

    std::deque<TBrixCalcUndoStep> FUndo;
    std::deque<TBrixCalcUndoStep> FRedo;
};

} // namespace Brix
