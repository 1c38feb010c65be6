// The check that a step left a sound flow behind.
#pragma once
#include "core/model.h"

#include <algorithm>
#include <cmath>
#include <vector>

// True when every point that a time step writes, the main grid's
// 1..mainNx x 1..mainNy and each body's ring bodyFirst-1..bodyLast+1 on layers
// 1..bodyLayers, holds a positive, finite density and finite u, v, E and p.  A
// step that breaks this has diverged: the velocity updates divide by the
// density, and a NaN once there spreads through both grids in a few steps.
bool flowIsSound(const LayoutParameters& layout, const Grids& grids, const FlowSolution& solution);

// The test flowIsSound applies at each point: a positive, finite density
// (a NaN fails the comparison too) and finite u, v, E and p.
inline bool pointIsSound(const FlowPoint& f) {
  return f[slot::rho] > 0 && std::isfinite(f[slot::rho]) && std::isfinite(f[slot::u]) &&
         std::isfinite(f[slot::v]) && std::isfinite(f[slot::e]) && std::isfinite(f[slot::pres]);
}

// The convergence history's running totals over the points a step updates:
// the squares of the density's rate of change dq/dt summed in the order
// the points are added, the largest squared speed, and the count.
struct ResidualTotals {
  double sumSquares = 0;
  double largestSpeedSquared = 0;
  long points = 0;

  static double rateSquared(const FlowPoint& f) {
    const double rate = f[slot::dq] / f[slot::dt];
    return rate * rate;
  }
  void addSpeed(const FlowPoint& f) {
    largestSpeedSquared =
        std::max(largestSpeedSquared, f[slot::u] * f[slot::u] + f[slot::v] * f[slot::v]);
  }
  void add(const FlowPoint& f) {
    sumSquares += rateSquared(f);
    addSpeed(f);
    ++points;
  }
};

// What the grids' threads gather for the check and the history during a
// step, at the points whose values the boundary conditions after it leave
// alone (the main grid's interior points that are not holes; each body's
// layers 2..bodyLayers-1 between its seam columns), while they still hold them:
// the check of the rest, and the sum in the history's order, follow the
// boundary conditions.
struct StepTally {
  // Whether a stepGrids has gathered it (a tally set up but never handed to
  // a step leaves the check to one pass after the step).
  bool gathered = false;
  bool mainSound = true;
  ResidualTotals main;  // the main grid's points, in the history's order
  bool auxSound = true; // the bodies' points past their first column
  double auxLargestSpeedSquared = 0;
  std::vector<double> auxRates; // (dq/dt)^2 of every body's points, in the history's order
};
