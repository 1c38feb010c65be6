// Hand-made grids for the drawing tests: a channel main grid of nx x ny points
// (spacing 1.25, centred on y = 0) and one circular body in its middle with a
// 10-layer ring grid, laid out as grid making lays out body 1 (bodyFirst = 2,
// continuation slots on both sides of the ring).  The view parameters are the
// start-up ones, centred on the body.
#pragma once

#include "core/model.h"

#include <cmath>
#include <memory>

struct SyntheticLayout {
  int nx = 40, ny = 30;
  int ringPoints = 40;
  double bodyRadius = 5.0;
};

// The layout built into a clean model.
inline void fillSyntheticModel(Model& m, SyntheticLayout l = {}) {
  m.grids.mainSpacing = 1.25;
  m.grids.mainNx = l.nx;
  m.grids.mainNy = l.ny;
  sizeMainGrid(m.grids, m.pixels, m.coupling, m.solution, m.scratch, l.nx, l.ny);
  m.grids.outletLow = l.ny / 3 + 1;
  m.grids.outletHigh = l.ny - l.ny / 3;
  const double yBottom = -(l.ny - 1) * m.grids.mainSpacing / 2;
  for (int i = 1; i <= l.nx; ++i)
    for (int j = 1; j <= l.ny; ++j) {
      m.grids.mainGrid[i][j].mainGridX = (i - 1) * m.grids.mainSpacing;
      m.grids.mainGrid[i][j].mainGridY = yBottom + (j - 1) * m.grids.mainSpacing;
    }

  const double cx = (l.nx - 1) * m.grids.mainSpacing / 2, cy = 0;
  m.layout.nColumns = 1;
  m.layout.columnBodies[1] = 1;
  m.editing.selectedColumn = 1;
  m.grids.nBodies = 1;
  m.layout.bodyLayers = 10;
  m.layout.bodyGridThickness = 6.2;
  m.grids.bodyPoints[1] = l.ringPoints;
  m.grids.bodyFirst[1] = 2;
  m.grids.bodyLast[1] = 2 + l.ringPoints;
  m.grids.bodyPerimeterPoints = m.grids.bodyLast[1];
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                m.grids.bodyPerimeterPoints + 1);
  m.grids.body[1].bodyX = cx;
  m.grids.body[1].bodyY = cy;
  m.grids.columnBody[1][1].columnBodyX = cx;
  m.grids.columnBody[1][1].columnBodyY = cy;
  for (int p = m.grids.bodyFirst[1] - 1; p <= m.grids.bodyLast[1] + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r) {
      // Point bodyLast repeats bodyFirst; the slots either side continue the ring.
      const int k = ((p - m.grids.bodyFirst[1]) % l.ringPoints + l.ringPoints) % l.ringPoints;
      const double a = -2 * M_PI * k / l.ringPoints;
      const double radius = l.bodyRadius + m.layout.bodyGridThickness * (m.layout.bodyLayers - r) /
                                               (m.layout.bodyLayers - 1);
      m.grids.bodyGrid[p][r][1].bodyGridX = cx + radius * std::cos(a);
      m.grids.bodyGrid[p][r][1].bodyGridY = cy + radius * std::sin(a);
    }
  m.view.viewCentreX = cx;
  m.view.viewCentreY = 0;
  m.view.viewScale = 2.95;
}

inline std::unique_ptr<Model> syntheticModel(SyntheticLayout l = {}) {
  auto m = makeModel();
  fillSyntheticModel(*m, l);
  return m;
}
