// The run: one complete calculation from the current layout, started by the
// start button and ended by its last step, the stop button or a failure.
#pragma once
#include "core/model.h"
#include "core/run_observer.h"
#include "core/run_outcome.h"
#include "run/run_stages.h"
#include "solver/flow_check.h"
#include "solver/solver_state.h"

// startRun, the start button ("計算スタート"): when the layout on screen
// has a complete result (hasCompleteResult) it only shows that run's elapsed
// time; otherwise it notes
// the start tick, runs runCalculation, hands over to the particle traces
// (playParticles(3), which returns the window to its editing mode and restores
// stepsDone) and counts stepsDone one up: 300 after a full run, s after a
// run that ended at step s.  Returns how the run went (nothing to say when
// it only showed the elapsed time).
RunOutcome startRun(Model& m, RunObserver& observer, RunStages& stages);

// runCalculation, the run itself: calculating mode, the coupling
// set-up (flow fields cleared, grids rebuilt, metrics, links, holes), the
// initial state, then stepCount = runLength.steps time steps (300 unless
// the user chose another length)
//   rationalRungeKuttaIncrement, smoothMainGrid, smoothBodyGrids(1, bodyPerimeterPoints, 1,
//   bodyLayers, 1), addIncrements, applyBoundaryConditions
// with the window's requests taken before each step (stages.takeRequests), the
// progress text every 10 steps (where a stop request ends the run), and the
// plots at steps 30, 60 and 0 modulo 90.  The set-up's problems are
// returned in the outcome; a link list over its capacity ends the run before
// step 1.  A step that leaves a density that is not positive or a value that
// is not finite ends the run at once with a status text naming the step,
// returned as the outcome's divergedAtStep; stopFlag is then set, so no
// particle traces are drawn from it.
RunOutcome runCalculation(Model& m, RunObserver& observer, RunStages& stages);

// runCalculation with lastStep time steps in place of 300 (stepCount = lastStep):
// the same set-up, then steps 1..lastStep of one loop.  runCalculation is
// runCalculationSteps(.., 300); a run of N > 300 steps gives, step for step, the
// same bits as a run of 300 continued.  This is the call for a run of a
// chosen length without a window (the stages decide what is drawn).  The
// convergence history is cleared at the start and has lastStep entries
// after a complete run.
RunOutcome runCalculationSteps(Model& m, RunObserver& observer, RunStages& stages, int lastStep);

// The longest run the program takes on: the convergence history of ten
// million steps is 160 MB, and step numbers stay far inside an int through
// any number of continuations a user could wait for.
inline constexpr int kMaxRunSteps = 10'000'000;

// The loop of runCalculation over steps firstStep..lastStep, from the flow as it
// stands: per step the window's requests, the progress position s,
// timeStep, the soundness check (a failure ends the loop with its status
// text, sets stopFlag and flowStep = 0 and is returned as divergedAtStep), flowStep = s, one entry
// of the convergence history, every 10 steps the progress text (the step and lastStep) and then the
// stop check, the plots at s mod 90 = 30, 60, 0; after lastStep the completion text. Every step
// also records the bodies' Cd and Cl (recordForces).  With runLength.untilSettled, every tenth step
// after the stop check ends the loop with its own text when the mean drag has settled
// (meanDragSettled). runEnd says how the loop ended. stepsDone is s - 1 during step s.
// The loop reads the layout, constants, grids and links, and writes the flow,
// the solver's work planes and the run's steps and stop.
RunOutcome runSteps(const SolverState& m, RunState& run, RunObserver& observer, RunStages& stages,
                    int firstStep, int lastStep);

// True when the flow fields were computed for the layout record and the flow
// conditions as they stand (flowLayout, flowConditionsOfResult): only then
// are the run's counts, plots and forces those of the layout on screen.
bool flowBelongsToLayout(const LayoutParameters& layout, const FlowConditions& flow,
                         const FlowSolution& solution);

// True when the flow fields hold a run's flow on the current grids, which a
// continuation can take on: after a run that completed or was stopped, and
// until the grids are remade (any layout change, a new run's set-up).
bool canContinue(const LayoutParameters& layout, const FlowConditions& flow,
                 const FlowSolution& solution);

// True when the layout on screen has a complete result: a run of it went
// beyond step 280 (stepsDone; of a run shorter than 300 steps, beyond all
// but a fifteenth of its steps) or ended with its drag settled, and the
// layout has not changed since.
bool hasCompleteResult(const LayoutParameters& layout, const FlowConditions& flow,
                       const FlowSolution& solution, const RunState& run);

// The continuation ("続けて計算"): runLength.steps more steps (300 unless
// chosen otherwise) from the flow as it stands,
// numbered on from flowStep + 1, with the run's window behaviour:
// calculating mode, progress from flowStep to stepCount = flowStep + 300,
// the same texts, stop checks and plots at the same residues of the step
// number.  The history grows by one entry per step.  Call only when
// canContinue.
RunOutcome continueCalculation(Model& m, RunObserver& observer, RunStages& stages);

// The continue button's handler: when canContinue, notes the start tick,
// runs continueCalculation, hands over to the particle traces (playParticles(3)) and
// counts stepsDone one up, as startRun does; the elapsed time shown
// afterwards is that of the continuation.  Otherwise does nothing.
RunOutcome continueClick(Model& m, RunObserver& observer, RunStages& stages);

// requestStop, the stop button ("停止"): asks the run to end (seen at the
// next step that is a multiple of 10) and the particle animation to stop.
void requestStop(RunState& run);

// One time step of both grids: the rational Runge-Kutta stages and their
// combination, the smoothing of the increments, the update, and the
// boundary conditions with the transfer between the grids.  With a tally,
// the grids' threads gather the soundness check as they go (stepGrids), for
// finishCheckStep.  A time-accurate run first finds the step all points
// take (stableGlobalTimeStep), smooths no increments, and adds the step to
// flowTime.
void timeStep(const SolverState& m, StepTally* tally = nullptr);
