/// @file
/// The undo history of a calculator window: the engine states before the
/// commands that changed it, newest last, and the states undone since, for
/// redo. At most MaxSteps of each are kept; the oldest step goes first. A new
/// command drops the redo steps.
#pragma once

#include "brix/calculator/engine.h"
#include "brix/export.h"

#include <deque>
#include <optional>

namespace Brix {

/// The undo and redo steps of a calculator window, as engine states: a new
/// step clears the redo steps, and beyond MaxSteps the oldest is dropped.
class BRIX_CONTROLS_EXPORT TBrixCalcUndoHistory
{
public:
    /// The most steps kept each way.
    static constexpr int MaxSteps = 50;

    /// A command changed the engine from Before.
    void Record(TBrixCalcEngineState Before);
    /// The state to go back to, with Current kept for redo; none when there
    /// is nothing to undo.
    std::optional<TBrixCalcEngineState> Undo(TBrixCalcEngineState Current);
    /// The state undone last, with Current kept for undo; none when there is
    /// nothing to redo.
    std::optional<TBrixCalcEngineState> Redo(TBrixCalcEngineState Current);
    /// Drops every step.
    void Clear();
    /// Applies Change to every kept state, undo and redo steps alike: for an
    /// option set outside the commands (a settings dialog), which no step may
    /// take back.
    template <class TChange> void Amend(TChange &&Change)
    {
        for (std::deque<TBrixCalcEngineState> *Steps : {&FUndo, &FRedo})
            for (TBrixCalcEngineState &State : *Steps)
                Change(State);
    }

    /// Number of steps that can be undone and redone.
    ///@{
    int UndoCount() const { return int(FUndo.size()); }
    int RedoCount() const { return int(FRedo.size()); }
    ///@}

private:
    static void Push(std::deque<TBrixCalcEngineState> &Steps, TBrixCalcEngineState State);

    std::deque<TBrixCalcEngineState> FUndo;
    std::deque<TBrixCalcEngineState> FRedo;
};

} // namespace Brix
