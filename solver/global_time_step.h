// The one time step of a time-accurate run.
#pragma once
#include "core/model.h"

// The largest step every point of both grids may take: the smallest of the
// local time steps that a run with local steps would give the points the
// step updates, from the state U^n,
//   main grid (interior points outside the holes):
//     cflMain dx / (max(|u|, |v|) + c∞),
//   body grids (layers 2..bodyLayers-1 at the perimeter points):
//     cflAux min(|J| / (|U| + √1.4 |r_η|), |J| / (|V| + √1.4 |r_ξ|)),
// with U = y_η u − x_η v, V = x_ξ v − y_ξ u the contravariant velocities and
// c∞ the free-stream sound speed that the main-grid scheme uses.  Each of
// these keeps its own point stable, so their minimum keeps every point stable.
// A time-accurate run smooths no increments, so its cflMain and cflAux are
// the explicit limits 0.83 and 1.0 (setInitialState), not the classic 2.65
// and 3.2.
double stableGlobalTimeStep(const LayoutParameters& layout, const SolverConstants& constants,
                            const Grids& grids, const CouplingTables& coupling,
                            const FlowSolution& solution);
