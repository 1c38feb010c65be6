#include "analysis/flow_probe.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Corner {
  double x, y;
};

struct LocalCoordinates {
  double s, t;
};

// (s, t) of the target in the quadrilateral P1..P4, when it lies inside
// (within a rounding margin of the edges).
std::optional<LocalCoordinates> locateInCell(const std::array<Corner, 4>& c, double x, double y) {
  const auto [xLow, xHigh] = std::minmax({c[0].x, c[1].x, c[2].x, c[3].x});
  const auto [yLow, yHigh] = std::minmax({c[0].y, c[1].y, c[2].y, c[3].y});
  constexpr double margin = 1e-9;
  if (x < xLow - margin || x > xHigh + margin || y < yLow - margin || y > yHigh + margin)
    return std::nullopt;
  // P(s, t) = P1 + s·A + t·B + s·t·C.
  const double ax = c[1].x - c[0].x, ay = c[1].y - c[0].y;
  const double bx = c[3].x - c[0].x, by = c[3].y - c[0].y;
  const double cx = c[0].x - c[1].x + c[2].x - c[3].x, cy = c[0].y - c[1].y + c[2].y - c[3].y;
  double s = 0.5, t = 0.5;
  for (int iteration = 0; iteration < 30; ++iteration) {
    const double fx = c[0].x + s * ax + t * bx + s * t * cx - x;
    const double fy = c[0].y + s * ay + t * by + s * t * cy - y;
    const double dsx = ax + t * cx, dsy = ay + t * cy; // ∂P/∂s
    const double dtx = bx + s * cx, dty = by + s * cy; // ∂P/∂t
    const double det = dsx * dty - dtx * dsy;
    if (det == 0 || !std::isfinite(det)) return std::nullopt;
    const double ds = (fx * dty - fy * dtx) / det, dt = (dsx * fy - dsy * fx) / det;
    s -= ds;
    t -= dt;
    if (std::fabs(ds) + std::fabs(dt) < 1e-14) break;
  }
  if (!(s >= -margin && s <= 1 + margin && t >= -margin && t <= 1 + margin)) return std::nullopt;
  return LocalCoordinates{s, t};
}

// The bilinear weights of (s, t) on the corner values.
ProbeValues interpolate(const std::array<const FlowPoint*, 4>& f, LocalCoordinates w,
                        ProbeGrid grid, int body) {
  const std::array<double, 4> weight = {(1 - w.s) * (1 - w.t), w.s * (1 - w.t), w.s * w.t,
                                        (1 - w.s) * w.t};
  auto at = [&](auto value) {
    double sum = 0;
    for (int k = 0; k < 4; ++k) sum += weight[k] * value(*f[k]);
    return sum;
  };
  // The speed of the interpolated velocity, so that a uniform stream reads
  // its own speed everywhere.
  const double u = at([](const FlowPoint& p) { return p[slot::u]; });
  const double v = at([](const FlowPoint& p) { return p[slot::v]; });
  return {grid,
          body,
          at([](const FlowPoint& p) { return p[slot::rho]; }),
          at([](const FlowPoint& p) { return p[slot::pres]; }),
          std::hypot(u, v),
          at([](const FlowPoint& p) { return p[slot::omega]; }),
          u,
          v};
}

// The body-grid cell (p, r) of body b, when it holds the target.
std::optional<ProbeValues> probeBodyCell(const Grids& grids, const FlowSolution& solution, int b,
                                         int p, int r, double x, double y) {
  const auto& g = grids.bodyGrid;
  const std::array<Corner, 4> corners = {
      Corner{g[p][r][1].bodyGridX, g[p][r][1].bodyGridY},
      Corner{g[p + 1][r][1].bodyGridX, g[p + 1][r][1].bodyGridY},
      Corner{g[p + 1][r + 1][1].bodyGridX, g[p + 1][r + 1][1].bodyGridY},
      Corner{g[p][r + 1][1].bodyGridX, g[p][r + 1][1].bodyGridY}};
  const auto w = locateInCell(corners, x, y);
  if (!w) return std::nullopt;
  const auto& f = solution.bodyFlow;
  return interpolate({&f[p][r][1], &f[p + 1][r][1], &f[p + 1][r + 1][1], &f[p][r + 1][1]}, *w,
                     ProbeGrid::bodyGrid, b);
}

// The body grids' cells between layers rFirst and rLast (cells r..r+1).
std::optional<ProbeValues> probeBodyGrids(const Grids& grids, const FlowSolution& solution,
                                          int rFirst, int rLast, double x, double y) {
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int r = rFirst; r <= rLast; ++r)
      for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b] - 1; ++p)
        if (auto v = probeBodyCell(grids, solution, b, p, r, x, y)) return v;
  return std::nullopt;
}

// The main grid's cell holding the target, unless a corner is cut out.  The
// main grid's lines are straight: x along i, y along j, both increasing.
std::optional<ProbeValues> probeMainGrid(const Grids& grids, const CouplingTables& coupling,
                                         const FlowSolution& solution, double x, double y) {
  if (grids.mainNx < 2 || grids.mainNy < 2) return std::nullopt;
  int i = 1, j = 1;
  while (i < grids.mainNx - 1 && grids.mainGrid[i + 1][1].mainGridX <= x) ++i;
  while (j < grids.mainNy - 1 && grids.mainGrid[1][j + 1].mainGridY <= y) ++j;
  for (int a = i; a <= i + 1; ++a)
    for (int b = j; b <= j + 1; ++b)
      if (coupling.mainHoleFlag[a][b] != 0) return std::nullopt;
  const auto& g = grids.mainGrid;
  const std::array<Corner, 4> corners = {
      Corner{g[i][j].mainGridX, g[i][j].mainGridY},
      Corner{g[i + 1][j].mainGridX, g[i + 1][j].mainGridY},
      Corner{g[i + 1][j + 1].mainGridX, g[i + 1][j + 1].mainGridY},
      Corner{g[i][j + 1].mainGridX, g[i][j + 1].mainGridY}};
  const auto w = locateInCell(corners, x, y);
  if (!w) return std::nullopt;
  const auto& f = solution.mainFlow;
  return interpolate({&f[i][j], &f[i + 1][j], &f[i + 1][j + 1], &f[i][j + 1]}, *w,
                     ProbeGrid::mainGrid, 0);
}

} // namespace

std::optional<ProbeValues> probeFlow(const LayoutParameters& layout, const Grids& grids,
                                     const CouplingTables& coupling, const FlowSolution& solution,
                                     double x, double y) {
  if (auto v = probeBodyGrids(grids, solution, 2, layout.bodyLayers - 1, x, y)) return v;
  if (auto v = probeMainGrid(grids, coupling, solution, x, y)) return v;
  return probeBodyGrids(grids, solution, 1, 1, x, y);
}
