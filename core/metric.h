// Components of the auxiliary grids' metrics, bodyMetric[p][r][s][k]: the
// covariant base vectors of the map from (perimeter index, layer) to the
// plane and its Jacobian, all per solver length unit.  The coupling set-up
// computes them; the auxiliary residual reads them.
#pragma once

namespace metric {
inline constexpr int xXi = 1;  // ∂x/∂ξ
inline constexpr int yXi = 2;  // ∂y/∂ξ
inline constexpr int xEta = 3; // ∂x/∂η
inline constexpr int yEta = 4; // ∂y/∂η
inline constexpr int jac = 5;  // xXi·yEta − xEta·yXi
} // namespace metric
