// The main grid's work planes (m.scratch.mainPlanes): the shared state planes and the
// velocity at U^n that the stage-2 y-lines read beside them, point (i, j)
// at plane index i * stride + j, so that a column's points lie together.
#pragma once

#include "solver/solver_state.h"
#include "solver/state_planes.h"

#include <cassert>

struct MainPlanes : StatePlanes {
  double *uBefore, *vBefore; // u, v at U^n (restored from the intermediate state)
  int stride;

  explicit MainPlanes(const SolverState& m) {
    stride = mainPlaneStride(m.grids.mainNy);
    const int size = mainPlaneSize(m.grids.mainNx, m.grids.mainNy);
    assert(m.scratch.mainPlanes.size() >=
           std::size_t(kMainPlaneCount) * size); // sized with the grid
    double* base = m.scratch.mainPlanes.data();
    int next = 0;
    auto plane = [&] { return base + size * next++; };
    assign(plane);
    uBefore = plane(), vBefore = plane();
  }
  int at(int i, int j) const { return i * stride + j; }
};
