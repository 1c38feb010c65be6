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

int requiredPerimeterIndex(const LayoutParameters& layout, int fineness) {
  int last = 0;
  bool first = true;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k) {
      const int n = fineness * perimeterIntervals(layout.layoutShape[c][k], layout.layoutSize[c][k],
                                                  layout.bodyGridThickness, layout.ellipseRatio);
      last = (first ? 2 : last + 4) + n;
      first = false;
    }
  return last + 1;
}

void placeBodies(const LayoutParameters& layout, Grids& grids) {
  double x = 0;
  for (int c = 1; c <= layout.nColumns; ++c) {
    const double y0 = (-layout.columnSpacing[c] * (layout.columnBodies[c] - 1)) / 2.0;
    for (int k = 1; k <= layout.columnBodies[c]; ++k) {
      grids.columnBody[c][k].columnBodyX = x;
      grids.columnBody[c][k].columnBodyY = y0 + (k - 1) * layout.columnSpacing[c];
    }
    x = x + layout.columnGap[c];
  }
}

void fillBodyTable(const LayoutParameters& layout, Grids& grids) {
  int b = 0;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k) {
      ++b;
      grids.bodyShape[b] = layout.layoutShape[c][k];
      grids.bodySize[b] = layout.layoutSize[c][k];
      grids.bodyPoints[b] = finenessOfGrids(grids) *
                            perimeterIntervals(layout.layoutShape[c][k], layout.layoutSize[c][k],
                                               layout.bodyGridThickness, layout.ellipseRatio);
    }
  grids.nBodies = b;
}

void assignPerimeterRanges(Grids& grids) {
  grids.bodyFirst[1] = 2;
  for (int b = 1; b <= grids.nBodies; ++b) {
    if (b >= 2) grids.bodyFirst[b] = grids.bodyLast[b - 1] + 4;
    grids.bodyLast[b] = grids.bodyFirst[b] + grids.bodyPoints[b];
  }
  grids.bodyPerimeterPoints = grids.nBodies >= 1 ? grids.bodyLast[grids.nBodies] : 0;
}
