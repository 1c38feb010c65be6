#include "layout/body_table.h"

#include <cmath>
#include <numbers>

namespace {
// Round to the nearest integer, halves to the even neighbour (the default
// floating-point rounding mode).
int roundHalfEven(double x) {
  return static_cast<int>(std::nearbyint(x));
}
} // namespace

int perimeterIntervals(int shapeCode, double size, double bodyGridThickness, double ellipseRatio) {
  const double D = size + 2 * bodyGridThickness;
  const double pi = std::numbers::pi;
  switch (shapeCode) {
  case shape::circle:
    return roundHalfEven(D * pi / 2.5);
  case shape::square:
    return roundHalfEven(D * 4 / 2.5);
  case shape::triangle:
    return roundHalfEven(D * 3 / 2.5);
  case shape::plate:
    return roundHalfEven(D * 2 / 2.5) + 8;
  case shape::ellipse: {
    const double a = std::sqrt(ellipseRatio) / 1.1;
    const double factor = a > 0.8 ? a : 0.8;
    return roundHalfEven(factor * (D * pi / 2.5));
  }
  default:
    return 0;
  }
}

int requiredPerimeterIndex(const Model& m) {
  int last = 0;
  bool first = true;
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      const int n = finenessOfGrids(m) *
                    perimeterIntervals(m.layout.layoutShape[c][k], m.layout.layoutSize[c][k],
                                       m.layout.bodyGridThickness, m.layout.ellipseRatio);
      last = (first ? 2 : last + 4) + n;
      first = false;
    }
  return last + 1;
}

void placeBodies(Model& m) {
  double x = 0;
  for (int c = 1; c <= m.layout.nColumns; ++c) {
    const double y0 = (-m.layout.columnSpacing[c] * (m.layout.columnBodies[c] - 1)) / 2.0;
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      m.grids.columnBody[c][k].columnBodyX = x;
      m.grids.columnBody[c][k].columnBodyY = y0 + (k - 1) * m.layout.columnSpacing[c];
    }
    x = x + m.layout.columnGap[c];
  }
}

void fillBodyTable(Model& m) {
  int b = 0;
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      ++b;
      m.grids.bodyShape[b] = m.layout.layoutShape[c][k];
      m.grids.bodySize[b] = m.layout.layoutSize[c][k];
      m.grids.bodyPoints[b] = finenessOfGrids(m) * perimeterIntervals(m.layout.layoutShape[c][k],
                                                                      m.layout.layoutSize[c][k],
                                                                      m.layout.bodyGridThickness,
                                                                      m.layout.ellipseRatio);
    }
  m.grids.nBodies = b;
}

void assignPerimeterRanges(Model& m) {
  m.grids.bodyFirst[1] = 2;
  for (int b = 1; b <= m.grids.nBodies; ++b) {
    if (b >= 2) m.grids.bodyFirst[b] = m.grids.bodyLast[b - 1] + 4;
    m.grids.bodyLast[b] = m.grids.bodyFirst[b] + m.grids.bodyPoints[b];
  }
  m.grids.bodyPerimeterPoints = m.grids.nBodies >= 1 ? m.grids.bodyLast[m.grids.nBodies] : 0;
}
