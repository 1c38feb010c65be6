// The set-up of a run, from clearing the flow fields to the last link list:
// what a run does before its initial state and time steps.
#pragma once
#include "core/model.h"
#include "core/window_services.h"

// In this order: clearFlowRecords (clear both flow fields), rebuildGrids (rebuild the
// grids from the layout), computeMetrics, findMainGridLinks(1, 1) (main-grid receivers),
// cutHoles (holes, which need those receivers), findOuterEdgeLinks (outer-edge
// receivers, which need the inner-hole marks).  The caller clears stopFlag
// first, as the run does; a list over its capacity leaves stopFlag set, and
// then the run must not start its time steps.
void runCouplingSetup(Model& m, WindowServices& ws);
