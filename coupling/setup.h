// The set-up of a run, from clearing the flow fields to the last link list:
// what a run does before its initial state and time steps.
#pragma once
#include "core/model.h"
#include "core/window_services.h"

// In this order: Shoki_Zahyo2 (clear both flow fields), kmake (rebuild the
// grids from the layout), Define_Metric, By_L_R1(1, 1) (main-grid receivers),
// Remove_Pipe_3 (holes, which need those receivers), By_L_R2 (outer-edge
// receivers, which need the inner-hole marks).  The caller clears stopFlag
// first, as the run does; a list over its capacity leaves stopFlag set, and
// then the run must not start its time steps.
void runCouplingSetup(Model& m, WindowServices& ws);
