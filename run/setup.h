// The set-up of a run, from clearing the flow fields to the last link list,
// and grid making as the window shows it.  What the stages find wrong is
// returned for the window to show or the batch to print.
#pragma once
#include "core/model.h"
#include "core/run_observer.h"
#include "core/setup_problem.h"
#include "layout/grid_making.h"

#include <optional>
#include <vector>

// makeGrids as the window shows it: both check boxes visible, then both
// status panels cleared when the grids are made.  Returns the problem of a
// refused layout (refusalOf names its kind).
[[nodiscard]] std::optional<SetupProblem> remakeGrids(const GridMakingState& m,
                                                      RunObserver& observer);

// In this order: clearFlowRecords (clear both flow fields), remakeGrids (rebuild
// the grids from the layout), computeMetrics, findMainGridLinks(1, 1) (main-grid
// receivers), cutHoles (holes, which need those receivers), findOuterEdgeLinks
// (outer-edge receivers, which need the inner-hole marks).  Returns the
// problems of every stage, in order; the window's progress bar follows the
// scans.  The caller clears stopFlag first, as the run does; a list over its
// capacity leaves stopFlag set, and then the run must not start its time
// steps.
[[nodiscard]] std::vector<SetupProblem> runCouplingSetup(const GridMakingState& m,
                                                         RunObserver& observer);
