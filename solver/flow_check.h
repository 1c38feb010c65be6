// The check that a step left a sound flow behind.
#pragma once
#include "core/model.h"

#include <cmath>

// True when every point that a time step writes, the main grid's
// 1..ryNx x 1..ryNy and each body's ring bodyFirst-1..bodyLast+1 on layers
// 1..wkNr, holds a positive, finite density and finite u, v, E and p.  A
// step that breaks this has diverged: the velocity updates divide by the
// density, and a NaN once there spreads through both grids in a few steps.
bool flowIsSound(const Model& m);

// The test flowIsSound applies at each point: a positive, finite density
// (a NaN fails the comparison too) and finite u, v, E and p.
inline bool pointIsSound(const FlowPoint& f) {
  return f[slot::rho] > 0 && std::isfinite(f[slot::rho]) && std::isfinite(f[slot::u]) &&
         std::isfinite(f[slot::v]) && std::isfinite(f[slot::e]) && std::isfinite(f[slot::pres]);
}
