// The set-up of a run, from clearing the flow fields to the last link list,
// and grid making as the window shows it: the computing routines return what
// they found wrong, and these show it.
#pragma once
#include "core/model.h"
#include "core/setup_problem.h"
#include "core/window_services.h"
#include "layout/grid_making.h"

#include <optional>
#include <vector>

// The message of each problem, in order.
void showProblems(WindowServices& ws, const std::vector<SetupProblem>& problems);
void showProblems(WindowServices& ws, const std::optional<SetupProblem>& problem);

// makeGrids as the window shows it: both check boxes visible, then the
// message of a refused layout, or both status panels cleared when the grids
// are made.
LayoutRefusal remakeGrids(Model& m, WindowServices& ws);

// In this order: clearFlowRecords (clear both flow fields), remakeGrids (rebuild
// the grids from the layout), computeMetrics, findMainGridLinks(1, 1) (main-grid
// receivers), cutHoles (holes, which need those receivers), findOuterEdgeLinks
// (outer-edge receivers, which need the inner-hole marks), each stage's
// problems shown when it ends; the window's progress bar follows the scans.
// The caller clears stopFlag first, as the run does; a list over its capacity
// leaves stopFlag set, and then the run must not start its time steps.
void runCouplingSetup(Model& m, WindowServices& ws);
