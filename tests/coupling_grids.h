// Synthetic grids for the coupling tests, written straight into the model:
// circular O-grids laid out like the grid generator's (perimeter ranges four
// indices apart, seam copies, layer 1 outside) and a uniform main grid.
#pragma once
#include "core/model.h"

#include <cmath>

// Appends a circular body of surface radius `radius` and outer radius
// radius + thickness with `intervals` perimeter intervals, layers evenly
// spaced.  The seam point bodyLast repeats bodyFirst exactly.
inline int addCircleBody(Model& m, double xc, double yc, double radius, double thickness,
                         int intervals) {
  const int b = ++m.grids.nBodies;
  m.layout.bodyLayers = 10;
  m.grids.bodyShape[b] = shape::circle;
  m.grids.bodySize[b] = 2 * radius;
  m.grids.bodyPoints[b] = intervals;
  m.grids.bodyFirst[b] = b == 1 ? 2 : m.grids.bodyLast[b - 1] + 4;
  m.grids.bodyLast[b] = m.grids.bodyFirst[b] + intervals;
  m.grids.bodyPerimeterPoints = m.grids.bodyLast[b];
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                m.grids.bodyPerimeterPoints + 1);
  m.grids.body[b].bodyX = xc;
  m.grids.body[b].bodyY = yc;
  const int first = m.grids.bodyFirst[b], last = m.grids.bodyLast[b];
  const double pi = std::acos(-1.0);
  for (int p = first; p < last; ++p) {
    const double theta = pi + 2 * pi * (p - first) / intervals;
    for (int r = 1; r <= m.layout.bodyLayers; ++r) {
      const double rad = radius + thickness * (m.layout.bodyLayers - r) / (m.layout.bodyLayers - 1);
      m.grids.bodyGrid[p][r][1].bodyGridX = xc + rad * std::sin(theta);
      m.grids.bodyGrid[p][r][1].bodyGridY = yc + rad * std::cos(theta);
    }
  }
  for (int r = 1; r <= m.layout.bodyLayers; ++r) {
    m.grids.bodyGrid[last][r][1] = m.grids.bodyGrid[first][r][1];
    m.grids.bodyGrid[first - 1][r][1] = m.grids.bodyGrid[last - 1][r][1];
    m.grids.bodyGrid[last + 1][r][1] = m.grids.bodyGrid[first + 1][r][1];
  }
  return b;
}

// A main grid of nx × ny points from (x0, y0) with spacing h, coordinates
// accumulated as the grid maker does.
inline void setMainGrid(Model& m, double x0, double y0, double h, int nx, int ny) {
  m.grids.mainSpacing = h;
  m.grids.mainNx = nx;
  m.grids.mainNy = ny;
  sizeMainGrid(m.grids, m.pixels, m.coupling, m.solution, m.scratch, nx, ny);
  double x = x0;
  for (int i = 1; i <= nx; ++i, x += h)
    for (int j = 1; j <= ny; ++j) m.grids.mainGrid[i][j].mainGridX = x;
  double y = y0;
  for (int j = 1; j <= ny; ++j, y += h)
    for (int i = 1; i <= nx; ++i) m.grids.mainGrid[i][j].mainGridY = y;
}
