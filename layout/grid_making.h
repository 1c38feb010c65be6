// Grid making: turns the current layout into the body table, every body's
// auxiliary O-grid and the Cartesian main grid.
#pragma once
#include "core/model.h"
#include "core/setup_problem.h"

#include <optional>

// makeGrids: rebuilds the body table and both grids from the layout
// parameters, sets particleState = 1 and stepsDone = 1 and ends the
// possibility to continue a run (flowStep = 0).
// A layout that needs more perimeter indices or a larger main grid than the
// arrays hold is refused before anything is written: the layout parameters
// are put back to the last layout that fitted, the grids stay as they were,
// and the problem is returned with the numbers needed and the capacities.  A
// layout whose bodies' outlines overlap each other or reach out of the main
// grid's rectangle is refused the same way, the problem naming the bodies
// (layout/overlaps.h); the capacities are checked first.
std::optional<SetupProblem> makeGrids(Model& m);

// rebuildGrids: makeGrids, true when the grids are made.
bool rebuildGrids(Model& m);

// Why a layout was refused.
enum class LayoutRefusal {
  none,     // the grids are made
  capacity, // more points than the arrays hold
  overlap,  // bodies overlap each other or reach out of the channel
};
LayoutRefusal refusalOf(const std::optional<SetupProblem>& problem);

// makeMainGrid: the uniform main grid around the bodies (called by rebuildGrids).
void makeMainGrid(Model& m);
