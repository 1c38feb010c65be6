#include "analysis/surface_distribution.h"

#include "analysis/forces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The angle about the centre (cx, cy) of the point (x, y): degrees from the
// upstream direction −x, growing clockwise (through +y), in [0, 360).
double angleFromFront(double x, double y, double cx, double cy) {
  const double degrees = std::atan2(y - cy, cx - x) * 180 / std::numbers::pi;
  return degrees < 0 ? degrees + 360 : degrees;
}

} // namespace

SurfaceDistribution surfaceDistribution(const LayoutParameters& layout,
                                        const SolverConstants& constants, const Grids& grids,
                                        const FlowSolution& solution, int b) {
  const ReferenceQuantities q = referenceQuantities(constants);
  const double dynamicPressure = 0.5 * q.rhoInf * q.uInf * q.uInf;
  constexpr double freeStreamPressure = 1;
  const double orientation = orientationOf(layout, grids, b);
  const double cx = grids.body[b].bodyX, cy = grids.body[b].bodyY;

  // The points clockwise: in index order on a clockwise polygon, backwards
  // on an anticlockwise one.
  const int first = grids.bodyFirst[b], count = grids.bodyLast[b] - first;
  std::vector<SurfacePoint> walk;
  walk.reserve(count);
  for (int k = 0; k < count; ++k) {
    const int p = orientation < 0 ? first + k : first + (count - k) % count;
    const auto& w = grids.bodyGrid[p][layout.bodyLayers][1];
    const Force n = pointNormal(layout, grids, b, p, orientation);
    const double length = std::hypot(n.fx, n.fy);
    const double nx = n.fx / length, ny = n.fy / length;
    // The clockwise tangent is the outward normal turned a quarter clockwise.
    const double tx = ny, ty = -nx;
    const Stress t = wallStress(layout, constants, grids, solution, p, q.bodyViscosity);
    const double shear = tx * (t.xx * nx + t.xy * ny) + ty * (t.xy * nx + t.yy * ny);
    const double pressure = solution.bodyFlow[p][layout.bodyLayers][1][slot::pres];
    walk.push_back(
        {p, w.bodyGridX, w.bodyGridY, 0, angleFromFront(w.bodyGridX, w.bodyGridY, cx, cy),
         (pressure - freeStreamPressure) / dynamicPressure, shear / dynamicPressure, shear});
  }

  // The edge across the front is where the angle wraps from near 360 to near
  // 0; the front is where it meets y = cy.  Start the walk after it.
  int wrap = 0;
  for (int k = 0; k < count; ++k)
    if (walk[(k + 1) % count].angle < walk[k].angle) wrap = k;
  const SurfacePoint& a = walk[wrap];
  const SurfacePoint& c = walk[(wrap + 1) % count];
  const double frontShare = c.y == a.y ? 0 : (cy - a.y) / (c.y - a.y);
  const double frontEdge = std::hypot(c.x - a.x, c.y - a.y);

  SurfaceDistribution out{};
  out.points.reserve(count);
  double s = (1 - frontShare) * frontEdge;
  for (int k = 1; k <= count; ++k) {
    SurfacePoint point = walk[(wrap + k) % count];
    if (k > 1) {
      const SurfacePoint& before = out.points.back();
      s += std::hypot(point.x - before.x, point.y - before.y);
    }
    point.s = s;
    out.points.push_back(point);
  }
  out.perimeter = s + frontShare * frontEdge;
  out.zeros = wallShearZeros(out.points, out.perimeter);
  return out;
}

std::vector<WallShearZero> wallShearZeros(const std::vector<SurfacePoint>& points,
                                          double perimeter) {
  std::vector<std::size_t> withSign;
  for (std::size_t k = 0; k < points.size(); ++k)
    if (points[k].wallShear != 0) withSign.push_back(k);
  std::vector<WallShearZero> zeros;
  if (withSign.size() < 2) return zeros;
  // Each point with a sign against the last one before it (the walk is
  // closed: the first point's is the last one's); the crossing of the first
  // point, which lies on the closing edge, comes last.
  for (std::size_t i = 1; i <= withSign.size(); ++i) {
    const SurfacePoint& a = points[withSign[i - 1]];
    const SurfacePoint& c = points[withSign[i % withSign.size()]];
    if ((a.wallShear > 0) == (c.wallShear > 0)) continue;
    const double turn = i == withSign.size() ? 1 : 0; // once round past the front
    const double share = a.wallShear / (a.wallShear - c.wallShear);
    const double s = a.s + share * (c.s + turn * perimeter - a.s);
    const double angle = a.angle + share * (c.angle + turn * 360 - a.angle);
    zeros.push_back({std::fmod(s, perimeter), std::fmod(angle, 360), a.wallShear > 0});
  }
  // The closing edge's crossing may lie past the front.
  std::sort(zeros.begin(), zeros.end(),
            [](const WallShearZero& x, const WallShearZero& y) { return x.s < y.s; });
  return zeros;
}
