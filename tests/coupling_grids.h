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
  const int b = ++m.nBodies;
  m.bodyLayers = 10;
  m.bodyShape[b] = shape::circle;
  m.bodySize[b] = 2 * radius;
  m.bodyPoints[b] = intervals;
  m.bodyFirst[b] = b == 1 ? 2 : m.bodyLast[b - 1] + 4;
  m.bodyLast[b] = m.bodyFirst[b] + intervals;
  m.bodyPerimeterPoints = m.bodyLast[b];
  sizeBodyGrids(m, m.bodyPerimeterPoints + 1);
  m.body[b].bodyX = xc;
  m.body[b].bodyY = yc;
  const int first = m.bodyFirst[b], last = m.bodyLast[b];
  const double pi = std::acos(-1.0);
  for (int p = first; p < last; ++p) {
    const double theta = pi + 2 * pi * (p - first) / intervals;
    for (int r = 1; r <= m.bodyLayers; ++r) {
      const double rad = radius + thickness * (m.bodyLayers - r) / (m.bodyLayers - 1);
      m.bodyGrid[p][r][1].bodyGridX = xc + rad * std::sin(theta);
      m.bodyGrid[p][r][1].bodyGridY = yc + rad * std::cos(theta);
    }
  }
  for (int r = 1; r <= m.bodyLayers; ++r) {
    m.bodyGrid[last][r][1] = m.bodyGrid[first][r][1];
    m.bodyGrid[first - 1][r][1] = m.bodyGrid[last - 1][r][1];
    m.bodyGrid[last + 1][r][1] = m.bodyGrid[first + 1][r][1];
  }
  return b;
}

// A main grid of nx × ny points from (x0, y0) with spacing h, coordinates
// accumulated as the grid maker does.
inline void setMainGrid(Model& m, double x0, double y0, double h, int nx, int ny) {
  m.mainSpacing = h;
  m.mainNx = nx;
  m.mainNy = ny;
  sizeMainGrid(m, nx, ny);
  double x = x0;
  for (int i = 1; i <= nx; ++i, x += h)
    for (int j = 1; j <= ny; ++j) m.mainGrid[i][j].mainGridX = x;
  double y = y0;
  for (int j = 1; j <= ny; ++j, y += h)
    for (int i = 1; i <= nx; ++i) m.mainGrid[i][j].mainGridY = y;
}
