// The main-grid receivers: main-grid points that lie in an auxiliary cell
// next to a body surface take their flow values from that cell.
#pragma once
#include "core/progress.h"
#include "core/setup_problem.h"
#include "coupling/cell_buckets.h"
#include "coupling/coupling_state.h"

#include <optional>

// findMainGridLinks: builds mainFromBody.  Every main-grid point, i
// outer and j inner, is a candidate receiver; its donor is the first
// auxiliary cell, in the order grid set c = cFirst..cLast, body b = 1..nBodies,
// perimeter index p = bodyFirst..bodyLast−1, layer r = first..bodyLayers−1 (innermost),
// that passes the cell test, first = firstMainDonorLayer (layout/body_layering.h).
// On the classic grids these are the three cell layers next to the surface
// (7..9), on finer ones the cells within the same distance of it, so the
// receivers form a ring around each body that also bounds its holes
// (cutHoles).  The link stores receiver (i, j, b), donor (p, r, c)
// and the local coordinates (s, t).
//
// Progress runs over i (range 1..mainNx) with a checkpoint before every
// receiver, and a set stopFlag ends the scan there.  The 9724th link ends it
// at once: stopFlag is set, mainFromBodyCount keeps its old value, and the
// problem "too many main-grid links" with that count is returned.  The run
// calls it with (1, 1).
std::optional<SetupProblem> findMainGridLinks(const CouplingState& m, ProgressObserver& progress,
                                              int cFirst, int cLast,
                                              CellScan scan = CellScan::bucketed);
