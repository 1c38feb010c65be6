// The history of the forces over a run's steps and what it says: the means,
// the lift's amplitude and period over the last whole cycles when the lift
// oscillates, and whether the mean drag has settled.  Kept in
// FlowSolution::forceHistory beside the convergence history; read by the batch's
// summary and by the window.
#pragma once
#include "core/model.h"

#include <optional>

// Room for `steps` more steps of force history (nothing is allocated while
// they are recorded).
void reserveForceHistory(const Grids& grids, FlowSolution& solution, int steps);

// Appends Cd and Cl of every body (forceSample) and the flow time after the
// step just taken.
void recordForces(const LayoutParameters& layout, const SolverConstants& constants,
                  const Grids& grids, FlowSolution& solution);

// Steps recorded: forceHistory.size() / nBodies.
int forceSteps(const Grids& grids, const FlowSolution& solution);

// What body b's force history says.  The lift oscillates when, over the
// last half of the history, it crosses its mean upwards at least three
// times, each time after falling below the mean by half its amplitude
// there (so that a slow drift is no cycle), and swings by more than 1e-6
// times the larger of its mean and 1 (so that round-off is none).  Then the
// statistics are over the whole cycles between the first and the last of
// those crossings (a crossing placed between two steps by linear
// interpolation): cdMean, clMean the means, clAmplitude half the range of
// Cl, period the mean length of a cycle in steps, periodTime the flow time
// of a cycle in a time-accurate run (solver units) and strouhal
// St = D / (U∞ periodTime), D = body size / 16.  Otherwise the means and
// the half range are over the last `window` steps (all when fewer) and
// there is no period.
struct CycleStatistics {
  double cdMean = 0, clMean = 0, clAmplitude = 0;
  std::optional<double> period, periodTime, strouhal;
  int firstStep = 0, lastStep = 0; // the steps averaged over, 1-based
};
CycleStatistics cycleStatistics(const SolverConstants& constants, const Grids& grids,
                                const FlowSolution& solution, int b, int window);

// The settle rule: for every body, the mean Cd over the last `window` steps
// and over the `window` steps before; the change is the largest over the
// bodies of |difference| / max(|last mean|, 1).  Nothing before 2 window
// steps are recorded.  The drag has settled when the change is at most the
// tolerance.
std::optional<double> meanDragChange(const Grids& grids, const FlowSolution& solution, int window);
bool meanDragSettled(const Grids& grids, const FlowSolution& solution, const RunLength& rule);
