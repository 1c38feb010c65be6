#include "run/run.h"

#include "run/history.h"

#include "analysis/force_history.h"

#include "core/time_text.h"
#include "coupling/boundary.h"
#include "run/setup.h"
#include "solver/global_time_step.h"
#include "solver/initial_state.h"
#include "solver/time_integration.h"

#include <algorithm>
#include <string>

namespace {

// A run of the classic length (300 steps) that got past this step counts as
// complete: pressing start again shows how long it took instead of starting
// another run.  A shorter run is complete past the same share of its steps.
constexpr int kCompleteAfterStep = 280;

// The run's texts in the status bar (panel 1), in every language of the
// catalogue (core/messages.h).
namespace text {
// Followed by the elapsed time of the last complete run.
const Message alreadyDone{{"　計算は完了してます。　所要計算時間　＝", ""},
                          {"  The calculation is complete.  Computing time:", ""}};
// The step reached and the step the run or its continuation ends at.
const Message stepCount{{"　計算回数＝", "　　　　　　", "回 で完了"}, {"  Step ", " of ", ""}};
const Message finished{{"計算が正常に終了しました。"}, {"The calculation has finished."}};
// A run until the drag settles: the step reached and the most it may take.
const Message stepCountUntilSettled{{"　計算回数＝", "　　　　最大 ", "回・抗力が落ち着くまで"},
                                    {"  Step ", " of at most ", ", until the drag settles"}};
// The step at which every body's mean drag had settled.
const Message settled{{"　抗力が落ち着いたので終了しました。　計算回数＝", ""},
                      {"  The drag has settled; the calculation ended at step ", ""}};
} // namespace text

} // namespace

void timeStep(Model& m, StepTally* tally) {
  if (m.constants.timeAccurate)
    m.solution.globalTimeStep =
        stableGlobalTimeStep(m.layout, m.constants, m.grids, m.coupling, m.solution);
  stepGrids(m, tally);
  applyBoundaryConditions(m.layout, m.constants, m.grids, m.coupling, m.solution);
  m.solution.flowTime += m.solution.globalTimeStep;
}

RunOutcome runCalculation(Model& m, RunObserver& observer, RunStages& stages) {
  return runCalculationSteps(m, observer, stages, m.run.runLength.steps);
}

RunOutcome runCalculationSteps(Model& m, RunObserver& observer, RunStages& stages, int lastStep) {
  stages.setControlMode(2);
  m.run.stopFlag = false;
  m.solution.flowStep = 0; // the set-up clears the flow fields
  RunOutcome outcome{runCouplingSetup(m, observer)};
  m.solution.flowLayout = m.layout;
  m.solution.flowConditionsOfResult = m.flow;
  m.run.runFirstStep = 1;
  m.run.stepCount = lastStep;
  m.view.particleState = 1;
  setInitialState(m);
  m.solution.residualHistory.clear();
  m.solution.forceHistory.clear();
  m.solution.forceTimes.clear();
  observer.setProgressRange(0, m.run.stepCount);
  if (m.run.stopFlag) return outcome; // a link list was too large
  outcome.divergedAtStep = runSteps(m, observer, stages, 1, lastStep).divergedAtStep;
  return outcome;
}

RunOutcome runSteps(Model& m, RunObserver& observer, RunStages& stages, int firstStep,
                    int lastStep) {
  // Room for the history of the loop's first hundred thousand steps now, so
  // that the steps of every usual run allocate nothing; a longer loop's
  // history grows as its steps are taken (by doubling, so rarely).
  constexpr int kHistoryReserveSteps = 100'000;
  m.solution.residualHistory.reserve(
      m.solution.residualHistory.size() +
      static_cast<std::size_t>(std::clamp(lastStep - firstStep + 1, 0, kHistoryReserveSteps)));
  reserveForceHistory(m.grids, m.solution,
                      std::clamp(lastStep - firstStep + 1, 0, kHistoryReserveSteps));
  m.solution.runEnd = RunEnd::none;
  const bool untilSettled = m.run.runLength.untilSettled;
  // The check and the history gathered by the grids' threads during the
  // step where the boundary conditions allow it (they do for every layout
  // the links are built for); otherwise one pass after the step, which
  // finishCheckStep then makes.
  const bool tallied = tallyCoversCheck(m.layout, m.grids, m.coupling);
  StepTally tally;
  for (int s = firstStep; s <= lastStep; ++s) {
    m.run.stepsDone = s - 1;
    stages.takeRequests(); // the stop, pan, zoom and plot buttons act here
    observer.setProgressPosition(s);

    timeStep(m, tallied ? &tally : nullptr);

    StepResidual residual;
    if (!finishCheckStep(m.layout, m.grids, m.coupling, m.solution, tally, &residual)) {
      observer.setStatusText(1, divergedText(s, observer.language()));
      m.run.stopFlag = true;
      m.solution.flowStep = 0; // nothing to go on from
      m.solution.runEnd = RunEnd::diverged;
      return {{}, s};
    }
    m.solution.flowStep = s;
    m.solution.residualHistory.push_back(residual);
    recordForces(m);
    if (s % 10 == 0) {
      // A stopped run, too, names the step its flow has reached.
      const bool stop = m.run.stopFlag;
      const Message& count = untilSettled ? text::stepCountUntilSettled : text::stepCount;
      observer.setStatusText(
          1, count(observer.language(), {std::to_string(s), std::to_string(lastStep)}));
      if (stop) {
        m.solution.runEnd = RunEnd::stopped;
        return {};
      }
      if (untilSettled && meanDragSettled(m, m.run.runLength)) {
        observer.setStatusText(1, text::settled(observer.language(), {std::to_string(s)}));
        m.solution.runEnd = RunEnd::settled;
        return {};
      }
    }
    switch (s % 90) {
    case 30:
      stages.plotVectors();
      break;
    case 60:
      stages.plotPressure();
      break;
    case 0:
      stages.plotVorticity();
      break;
    default:
      break;
    }
  }
  m.solution.runEnd = RunEnd::lastStep;
  observer.setStatusText(1, text::finished(observer.language()));
  return {};
}

bool flowBelongsToLayout(const LayoutParameters& layout, const FlowConditions& flow,
                         const FlowSolution& solution) {
  return solution.flowLayout == layout && solution.flowConditionsOfResult == flow;
}

bool canContinue(const LayoutParameters& layout, const FlowConditions& flow,
                 const FlowSolution& solution) {
  return solution.flowStep > 0 && flowBelongsToLayout(layout, flow, solution);
}

bool hasCompleteResult(const Model& m) {
  const int steps = m.run.runLength.steps;
  const int completeAfter = std::min(kCompleteAfterStep, steps - steps / 15);
  return (m.run.stepsDone > completeAfter || m.solution.runEnd == RunEnd::settled) &&
         flowBelongsToLayout(m.layout, m.flow, m.solution);
}

RunOutcome continueCalculation(Model& m, RunObserver& observer, RunStages& stages) {
  stages.setControlMode(2);
  m.run.stopFlag = false;
  const int firstStep = m.solution.flowStep + 1;
  m.run.runFirstStep = firstStep;
  m.run.stepCount = m.solution.flowStep + m.run.runLength.steps;
  m.view.particleState = 1; // the flow moves on: traces must be seeded again
  observer.setProgressRange(firstStep - 1, m.run.stepCount);
  return runSteps(m, observer, stages, firstStep, m.run.stepCount);
}

namespace {
// A calculation between its start and end ticks, then the particle traces
// (which return the window to its editing mode and restore stepsDone), and
// stepsDone one up: the run's last step after a full run.  Returns the
// calculation's outcome.
RunOutcome timedCalculation(Model& m, RunObserver& observer, RunStages& stages,
                            RunOutcome (*calculate)(Model&, RunObserver&, RunStages&)) {
  m.run.runStartTick = observer.tickCount();
  RunOutcome outcome = calculate(m, observer, stages);
  // The calculation has ended, completed, stopped or diverged: every
  // elapsed-time text from now on refers to this run.  (A completed run's
  // traces move the end past their tracing.)
  m.run.runEndTick = observer.tickCount();
  stages.playParticles(3);
  m.run.stepsDone = m.run.stepsDone + 1;
  return outcome;
}
} // namespace

RunOutcome startRun(Model& m, RunObserver& observer, RunStages& stages) {
  if (hasCompleteResult(m)) {
    const Language language = observer.language();
    observer.setStatusText(
        1, text::alreadyDone(language, {calculationTimeText(language, m.run, m.solution)}));
    return {};
  }
  return timedCalculation(m, observer, stages, runCalculation);
}

RunOutcome continueClick(Model& m, RunObserver& observer, RunStages& stages) {
  if (!canContinue(m.layout, m.flow, m.solution)) return {};
  return timedCalculation(m, observer, stages, continueCalculation);
}

void requestStop(RunState& run) {
  run.stopFlag = true;
}
