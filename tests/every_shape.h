// What the surface tests of the forces and of the surface distribution
// share: one column of five bodies, one of every shape, of sizes 12..20 and
// turned by various angles, with their grids, metrics and the initial state
// (at rest, p = 1), and a pressure set by position.
#pragma once

#include "coupling/metrics.h"
#include "layout/grid_making.h"
#include "solver/initial_state.h"

#include <memory>

inline std::unique_ptr<Model> everyShape() {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  m->layout.nColumns = 1;
  m->layout.columnBodies[1] = 5;
  m->layout.columnSpacing[1] = 30;
  const int angles[6] = {0, 0, 17, 40, -25, 10};
  for (int k = 1; k <= 5; ++k) {
    m->layout.layoutShape[1][k] = k - 1;
    m->layout.layoutSize[1][k] = 10 + 2 * k;
    m->layout.layoutAngle[1][k] = angles[k];
  }
  rebuildGrids(*m);
  computeMetrics(m->layout, m->grids);
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  return m;
}

// Sets the pressure of every auxiliary point by a function of its position
// in solver units.
template <class Pressure> void setAuxPressure(Model& m, Pressure pressure) {
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.layout.bodyLayers; ++r)
        m.solution.bodyFlow[p][r][1][slot::pres] = pressure(
            m.grids.bodyGrid[p][r][1].bodyGridX / 16, m.grids.bodyGrid[p][r][1].bodyGridY / 16);
}
