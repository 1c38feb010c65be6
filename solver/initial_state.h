// Initial state of a run and the solver's constants.
#pragma once
#include "core/model.h"

// setInitialState: puts the flow of both grids at rest at the
// free-stream density and pressure (rho = 1, p = 1, E = 2.5), the inflow
// column of the main grid moving at uInf = Mach sqrt(1.4) (classic Mach
// 0.05), and sets every solver constant from the flow conditions `flow` and
// clears the accumulators of the time integration and the flow time.  The main grid is set over its
// whole capacity, the auxiliary grid on grid set 1, layers 1..bodyLayers; nothing else is written.
// Reads mainNy, bodyLayers and mainSpacing.
void setInitialState(const LayoutParameters& layout, const FlowConditions& flow, const Grids& grids,
                     SolverConstants& constants, FlowSolution& solution, SolverScratch& scratch);
