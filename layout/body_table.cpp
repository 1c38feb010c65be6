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
  for (int c = 1; c <= m.nColumns; ++c)
    for (int k = 1; k <= m.columnBodies[c]; ++k) {
      const int n = finenessOfGrids(m) * perimeterIntervals(m.layoutShape[c][k], m.layoutSize[c][k],
                                                            m.bodyGridThickness, m.ellipseRatio);
      last = (first ? 2 : last + 4) + n;
      first = false;
    }
  return last + 1;
}

void placeBodies(Model& m) {
  double x = 0;
  for (int c = 1; c <= m.nColumns; ++c) {
    const double y0 = (-m.columnSpacing[c] * (m.columnBodies[c] - 1)) / 2.0;
    for (int k = 1; k <= m.columnBodies[c]; ++k) {
      m.columnBody[c][k].columnBodyX = x;
      m.columnBody[c][k].columnBodyY = y0 + (k - 1) * m.columnSpacing[c];
    }
    x = x + m.columnGap[c];
  }
}

void fillBodyTable(Model& m) {
  int b = 0;
  for (int c = 1; c <= m.nColumns; ++c)
    for (int k = 1; k <= m.columnBodies[c]; ++k) {
      ++b;
      m.bodyShape[b] = m.layoutShape[c][k];
      m.bodySize[b] = m.layoutSize[c][k];
      m.bodyPoints[b] =
          finenessOfGrids(m) * perimeterIntervals(m.layoutShape[c][k], m.layoutSize[c][k],
                                                  m.bodyGridThickness, m.ellipseRatio);
    }
  m.nBodies = b;
}

void assignPerimeterRanges(Model& m) {
  m.bodyFirst[1] = 2;
  for (int b = 1; b <= m.nBodies; ++b) {
    if (b >= 2) m.bodyFirst[b] = m.bodyLast[b - 1] + 4;
    m.bodyLast[b] = m.bodyFirst[b] + m.bodyPoints[b];
  }
  m.bodyPerimeterPoints = m.nBodies >= 1 ? m.bodyLast[m.nBodies] : 0;
}
