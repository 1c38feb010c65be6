// Grid making: turns the current layout into the body table, every body's
// auxiliary O-grid and the Cartesian main grid.
#pragma once
#include "core/model.h"
#include "core/window_services.h"

// rebuildGrids: rebuilds the body table and both grids from the layout parameters,
// sets particleState = 1 and stepsDone = 1, ends the possibility to continue
// a run (flowStep = 0) and clears both status panels.
// A layout that needs more perimeter indices or a larger main grid than the
// arrays hold is refused before anything is written: a modal message says so,
// the layout parameters are put back to the last layout that fitted, and the
// grids stay as they were.  Returns false when the layout was refused.
bool rebuildGrids(Model& m, WindowServices& ws);

// Why makeGrids refused a layout.
enum class LayoutRefusal {
  none,     // the grids are made
  capacity, // more points than the arrays hold
  overlap,  // bodies overlap each other or reach out of the channel
};
// rebuildGrids, telling why a layout was refused.  A layout whose bodies' outlines
// overlap each other or reach out of the main grid's rectangle is refused
// like one too large for the arrays, with a message naming the bodies
// (layout/overlaps.h); the capacities are checked first.
LayoutRefusal makeGrids(Model& m, WindowServices& ws);

// makeMainGrid: the uniform main grid around the bodies (called by rebuildGrids).
void makeMainGrid(Model& m);
