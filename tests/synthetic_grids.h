// Small grids built by hand for the solver and boundary tests: a Cartesian
// main grid and O-grid rings around bodies, with their metrics from the
// metric routine.  They let the solver be tested on exact shapes without
// the grid maker or the coupling set-up.
#pragma once

#include "core/model.h"
#include "core/physics.h"
#include "coupling/metrics.h"
#include "fake_window_services.h"

#include <cmath>
#include <numbers>

namespace synthetic {

// Main grid of nx by ny points, spacing h (layout units), lower left corner
// at (0, 0), outlet rows as the grid maker sets them.
inline void mainGrid(Model& m, int nx, int ny, double h = 1.25) {
  m.grids.mainNx = nx;
  m.grids.mainNy = ny;
  sizeMainGrid(m.grids, m.pixels, m.coupling, m.solution, m.scratch, nx, ny);
  m.grids.mainSpacing = h;
  for (int i = 1; i <= nx; ++i)
    for (int j = 1; j <= ny; ++j) {
      m.grids.mainGrid[i][j].mainGridX = (i - 1) * m.grids.mainSpacing;
      m.grids.mainGrid[i][j].mainGridY = (j - 1) * m.grids.mainSpacing;
    }
  m.grids.outletLow = ny / 3 + 1;
  m.grids.outletHigh = ny - ny / 3;
}

// Appends a body with an O-grid ring of `intervals` perimeter intervals and
// bodyLayers layers around (cx, cy): the surface (layer bodyLayers) at `radius`, the
// outer edge (layer 1) `thickness` further out, a layer's distance from the
// surface growing as the power `stretch` of its count of layers from it (1
// spaces them evenly, above 1 they crowd towards the surface), the whole
// ring squeezed by `wobble` cos 3 theta so that no two cells are alike.
// clockwise reverses the direction of the perimeter index (and so the sign
// of the Jacobian).
inline void ringBody(Model& m, double cx, double cy, double radius, double thickness, int intervals,
                     double wobble = 0.15, bool clockwise = false, double stretch = 1.3) {
  if (m.layout.bodyLayers == 0) m.layout.bodyLayers = 10;
  const int b = ++m.grids.nBodies;
  m.grids.bodyFirst[b] = b == 1 ? 2 : m.grids.bodyLast[b - 1] + 4;
  m.grids.bodyPoints[b] = intervals;
  m.grids.bodyLast[b] = m.grids.bodyFirst[b] + intervals;
  m.grids.bodyPerimeterPoints = m.grids.bodyLast[b];
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                m.grids.bodyPerimeterPoints + 1);
  m.grids.body[b].bodyX = cx;
  m.grids.body[b].bodyY = cy;
  const int pF = m.grids.bodyFirst[b], pL = m.grids.bodyLast[b], nr = m.layout.bodyLayers;
  for (int p = pF; p <= pL; ++p)
    for (int r = 1; r <= nr; ++r) {
      const double theta =
          (clockwise ? -2 : 2) * std::numbers::pi * (p == pL ? 0 : p - pF) / intervals;
      const double layer = double(nr - r) / (nr - 1);
      const double rho =
          (radius + thickness * std::pow(layer, stretch)) * (1 + wobble * std::cos(3 * theta));
      m.grids.bodyGrid[p][r][1].bodyGridX = cx + rho * std::cos(theta);
      m.grids.bodyGrid[p][r][1].bodyGridY = cy + rho * std::sin(theta);
    }
  for (int r = 1; r <= nr; ++r) {
    m.grids.bodyGrid[pF - 1][r][1] = m.grids.bodyGrid[pL - 1][r][1];
    m.grids.bodyGrid[pL + 1][r][1] = m.grids.bodyGrid[pF + 1][r][1];
  }
  FakeWindowServices ws;
  computeBodyMetrics(m.grids, pF, pL, 1, nr, 1);
}

// Solver constants as the initial state sets them, for tests that fill the
// flow themselves.
inline void solverConstants(Model& m) {
  m.constants.k4Aux = m.constants.k4Main = 0.015625;
  m.constants.uInf = 0.05 * std::sqrt(1.4);
  m.constants.uInfTrace = m.constants.uInf;
  m.constants.reynolds = 100;
  m.constants.auxViscosityFactor = 2; // classic: the body grids at twice the main grid's viscosity
  m.constants.entropyRef = 1;
  m.constants.stressA = 4.0 / 3.0;
  m.constants.stressB = -2.0 / 3.0;
  m.constants.heatCoef = 5.0;
  m.constants.cflMain = 2.65;
  m.constants.cflAux = 3.2;
  m.constants.mainDx = m.grids.mainSpacing / 16;
  m.constants.mainDx2 = m.constants.mainDx * m.constants.mainDx;
}

// Sets one point to (rho, u, v, p) with its energy.
inline void setState(FlowPoint& f, double rho, double u, double v, double p) {
  f[slot::rho] = rho;
  f[slot::u] = u;
  f[slot::v] = v;
  f[slot::pres] = p;
  f[slot::e] = energyOf(rho, u, v, p);
}

// A smooth, clearly non-uniform flow of the point at (x, y) in layout units.
inline void wavyState(FlowPoint& f, double x, double y) {
  setState(f, 1 + 0.05 * std::sin(0.11 * x + 0.07 * y), 0.06 + 0.02 * std::cos(0.09 * y),
           0.015 * std::sin(0.13 * x), 1 + 0.04 * std::cos(0.05 * x - 0.12 * y));
}

// Fills every point of both grids in use (main 1..mainNx x 1..mainNy, every
// body's ring with its ghost columns) by a function of the point's
// coordinates.
template <class Fill> void fillFlow(Model& m, Fill fill) {
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      fill(m.solution.mainFlow[i][j], m.grids.mainGrid[i][j].mainGridX,
           m.grids.mainGrid[i][j].mainGridY);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.layout.bodyLayers; ++r)
        fill(m.solution.bodyFlow[p][r][1], m.grids.bodyGrid[p][r][1].bodyGridX,
             m.grids.bodyGrid[p][r][1].bodyGridY);
}

} // namespace synthetic
