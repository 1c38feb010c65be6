// Metrics of the auxiliary O-grids.
//
// Each body's grid maps the computational rectangle (perimeter index p = ξ,
// radial layer r = η) onto the plane.  The residuals of the auxiliary grid
// transform their derivatives with the covariant base vectors of that map,
//   xXi = ∂x/∂ξ, yXi = ∂y/∂ξ, xEta = ∂x/∂η, yEta = ∂y/∂η,
// and the Jacobian jac = xXi·yEta − xEta·yXi.  All four are expressed per
// solver length unit (16 layout units), so the index differences are divided
// by 16.  bodySoundLength holds √1.4 (the free-stream sound speed at density and
// pressure 1) times the length of each base vector, used by the dissipation.
#pragma once
#include "core/metric.h"
#include "core/model.h"
#include "core/setup_problem.h"

#include <vector>

// computeMetrics: computeBodyMetrics over every body's
// perimeter range, layers 1..bodyLayers, grid set 1, body by body.  Returns the
// degenerate points of all bodies in that order.
std::vector<SetupProblem> computeMetrics(const LayoutParameters& layout, Grids& grids);

// computeBodyMetrics: the
// metrics of the block p = pFirst..pLast, r = rFirst..rLast of grid set s.
// Central differences along the perimeter (the ghost columns pFirst − 1 and
// pLast + 1 hold the periodic images), central differences across the layers
// inside and second-order one-sided differences on the outer edge and the
// body surface (so rLast ≥ rFirst + 2).  A point whose |jac| < 1e-9 gets
// jac = 1 and is returned as a degenerate cell (p outer, r inner); a jac that
// is not a number becomes 1 and is not returned.  Finally the ghost
// columns receive the metrics of their periodic images, and
// m.grids.metricGeneration counts one more computation.
std::vector<SetupProblem> computeBodyMetrics(Grids& grids, int pFirst, int pLast, int rFirst,
                                             int rLast, int s);
