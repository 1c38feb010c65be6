// The outer-edge receivers: points of the outer edge (layer 1) of every
// auxiliary grid take their flow values from another body's auxiliary grid
// when they lie inside it, and from the main grid otherwise.
#pragma once
#include "core/progress.h"
#include "core/setup_problem.h"
#include "coupling/cell_buckets.h"
#include "coupling/coupling_state.h"

#include <vector>

// findOuterEdgeLinks: builds bodyFromBody and bodyFromMain.  The receivers
// are the points (p, 1) of grid set 1, body b = 1..nBodies, p = bodyFirst..
// bodyLast (both copies of the seam point).  For each, first the cells of the
// other bodies' layers 5..bodyLayers−1 (on finer grids from the same depth,
// layerAtClassicDepth) are tried (b2, then r2, then p2 innermost);
// the first hit becomes a bodyFromBody link.  Otherwise the main-grid cells are
// tried, j outer and i inner, leaving out every cell whose four corners are
// all inner holes (slot 9 of mainFlow, as cutHoles leaves it); the first
// hit becomes a bodyFromMain link.  A receiver without a donor gets no link.
//
// Progress runs over the bodies with a checkpoint before every receiver, and
// a set stopFlag ends the scan there.  Links beyond a list's capacity are
// counted, not stored.  At the end, a count over capacity sets stopFlag, keeps
// that list's old count and is returned as a problem (the links from the main
// grid first, then those between bodies); a count within capacity is stored.
std::vector<SetupProblem> findOuterEdgeLinks(const CouplingState& m, ProgressObserver& progress,
                                             CellScan scan = CellScan::bucketed);

// Whether main-grid cell (i, j) may be a donor of an outer-edge point: not
// when all four of its corners are inner holes.
bool isMainDonorCandidate(const FlowSolution& solution, int i, int j);
