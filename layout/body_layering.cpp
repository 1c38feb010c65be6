#include "layout/body_layering.h"

#include "layout/channel_extent.h"

#include <algorithm>
#include <cmath>

namespace {

// Sum of the n intervals of a geometric fill whose last is ratio times the
// first, in units of the first.
double intervalSum(int n, double ratio) {
  if (n == 1) return 1;
  const double q = std::pow(ratio, 1.0 / (n - 1));
  double sum = 0, power = 1;
  for (int k = 0; k < n; ++k, power *= q) sum += power;
  return sum;
}

struct Fill {
  int intervals;
  double first; // the interval at the outer edge
  double q;     // each interval over the one outside it
};

// The fewest intervals whose fill of thickness from the outer edge starts
// at most at h.
Fill fillFor(double thickness, double h, double ratio) {
  int n = 2;
  while (thickness / intervalSum(n, ratio) > h) ++n;
  return {n, thickness / intervalSum(n, ratio), std::pow(ratio, 1.0 / (n - 1))};
}

// Intervals counted from the wall that fit inside delta.
int layersWithin(const Fill& fill, double delta) {
  double reach = 0;
  int count = 0;
  for (int k = fill.intervals - 1; k >= 0; --k) {
    reach += fill.first * std::pow(fill.q, k);
    if (reach > delta) break;
    ++count;
  }
  return count;
}

// The distance from the wall to layer r of a fill of `layers` layers, as a
// share of the grid's thickness (layer 1 the outer edge, 1; the wall, 0).
double depthOfLayer(int layers, double wallRatio, int r) {
  const int n = layers - 1;
  const double q = std::pow(wallRatio, 1.0 / (n - 1));
  double total = 0, inside = 0, power = 1;
  for (int k = 0; k < n; ++k, power *= q) {
    total += power;
    if (k >= r - 1) inside += power;
  }
  return inside / total;
}

} // namespace

int layerAtClassicDepth(int classicLayer, int layers, double wallRatio, int fineness) {
  if (fineness <= 1) return classicLayer;
  const double depth = depthOfLayer(kClassicBodyLayers, kClassicWallRatio, classicLayer);
  int r = layers - 1;
  while (r > 1 && depthOfLayer(layers, wallRatio, r - 1) <= depth) --r;
  return r;
}

int firstMainDonorLayer(int layers, double wallRatio, int fineness) {
  return layerAtClassicDepth(7, layers, wallRatio, fineness);
}

BodyLayering bodyLayering(const LayoutParameters& l, const FlowConditions& flow) {
  const int f = flow.fineness;
  if (f <= 1) return {kClassicBodyLayers, kClassicWallRatio};
  double delta = l.bodyGridThickness;
  for (int c = 1; c <= l.nColumns; ++c)
    for (int k = 1; k <= l.columnBodies[c]; ++k) {
      const double s = l.layoutSize[c][k];
      delta = std::min(delta, 5 * s / std::sqrt(flow.reynolds * s / 16));
    }
  const double h = mainGridSpacing(l, f);
  const int wanted = 5 * f;
  double wall = std::min(delta / wanted, kClassicWallRatio * h);
  Fill fill = fillFor(l.bodyGridThickness, h, wall / h);
  // Each pass shrinks the wall interval by a tenth; some tens of passes at most.
  while (layersWithin(fill, delta) < wanted && wall > 1e-3 * h) {
    wall *= 0.9;
    fill = fillFor(l.bodyGridThickness, h, wall / h);
  }
  return {fill.intervals + 1, wall / h};
}
