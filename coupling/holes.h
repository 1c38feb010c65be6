// Hole cutting: main-grid points inside a body, out to the ring of main-grid
// receivers around it, are taken out of the main-grid calculation.
#pragma once
#include "core/progress.h"
#include "core/setup_problem.h"
#include "coupling/coupling_state.h"

#include <optional>

// cutHoles: marks the holes by a
// discrete diffusion instead of testing points against the outlines, so any
// shape works.  A marker of holeSeed = 100 is put on the main-grid points near
// each body's centre (none for a flat plate or a very thin ellipse), the
// mainFromBody receivers are held at 1, and 300 Jacobi sweeps average each
// interior point over its four neighbours (weight 0.25).  The region enclosed
// by a receiver ring keeps a value ≥ 1 and becomes holes; outside the ring the
// value falls below 1.
//
// Works in slots 8 (the marker) and 9 (the sweep buffer) of mainFlow, free at
// this stage.  Leaves mainHoleFlag (1 = hole) over the grid in use, the hole
// list mainHoleList (i ascending, then j) and mainHoleCount, slot 8 = 1.0 at
// every hole and below 1 elsewhere, and slot 9 = 1.0 at the inner holes (all
// four neighbours holes), read by findOuterEdgeLinks.  More holes than the list holds
// (capacitiesAt(fineness).holes): the holes beyond the list's end are flagged only,
// mainHoleCount keeps its old value, and the problem "too many holes" with the
// number found is returned.  Does nothing when stopFlag is set on entry.  The
// progress counts the sweeps.
std::optional<SetupProblem> cutHoles(const CouplingState& m, ProgressObserver& progress);
