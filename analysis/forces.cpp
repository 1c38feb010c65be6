#include "analysis/forces.h"

#include "core/metric.h"

#include <cmath>

namespace {

// The solver's unit of length in layout units.
constexpr double kSolverUnit = 16;

double wallX(const LayoutParameters& layout, const Grids& grids, int p) {
  return grids.bodyGrid[p][layout.bodyLayers][1].bodyGridX / kSolverUnit;
}
double wallY(const LayoutParameters& layout, const Grids& grids, int p) {
  return grids.bodyGrid[p][layout.bodyLayers][1].bodyGridY / kSolverUnit;
}

// Twice the signed area of body b's surface polygon (shoelace): positive when
// the perimeter index runs anticlockwise.
double twiceSignedArea(const LayoutParameters& layout, const Grids& grids, int b) {
  double sum = 0;
  for (int p = grids.bodyFirst[b]; p < grids.bodyLast[b]; ++p)
    sum += wallX(layout, grids, p) * wallY(layout, grids, p + 1) -
           wallX(layout, grids, p + 1) * wallY(layout, grids, p);
  return sum;
}

} // namespace

Force pointNormal(const LayoutParameters& layout, const Grids& grids, int b, int p,
                  double orientation) {
  const int before = p == grids.bodyFirst[b] ? grids.bodyLast[b] - 1 : p - 1;
  const int after = p + 1;
  // The edge vectors (dx, dy) turned to (dy, -dx) point out of an
  // anticlockwise polygon; the halves of the two edges add to half the
  // chord from the point before to the point after.
  const double dx = wallX(layout, grids, after) - wallX(layout, grids, before);
  const double dy = wallY(layout, grids, after) - wallY(layout, grids, before);
  return {0.5 * orientation * dy, -0.5 * orientation * dx};
}

Stress wallStress(const LayoutParameters& layout, const SolverConstants& constants,
                  const Grids& grids, const FlowSolution& solution, int p, double mu) {
  const int r = layout.bodyLayers;
  const auto& f = solution.bodyFlow;
  const auto& g = grids.bodyMetric[p][r][1];
  auto alongWall = [&](int s) { return (f[p + 1][r][1][s] - f[p - 1][r][1][s]) / 2; };
  auto acrossLayers = [&](int s) {
    return (3 * f[p][r][1][s] - 4 * f[p][r - 1][1][s] + f[p][r - 2][1][s]) / 2;
  };
  const double uXi = alongWall(slot::u), vXi = alongWall(slot::v);
  const double uEta = acrossLayers(slot::u), vEta = acrossLayers(slot::v);
  const double jac = g[metric::jac];
  const double ux = (uXi * g[metric::yEta] - uEta * g[metric::yXi]) / jac;
  const double uy = (uEta * g[metric::xXi] - uXi * g[metric::xEta]) / jac;
  const double vx = (vXi * g[metric::yEta] - vEta * g[metric::yXi]) / jac;
  const double vy = (vEta * g[metric::xXi] - vXi * g[metric::xEta]) / jac;
  return {mu * (constants.stressA * ux + constants.stressB * vy), mu * (uy + vx),
          mu * (constants.stressB * ux + constants.stressA * vy)};
}

double orientationOf(const LayoutParameters& layout, const Grids& grids, int b) {
  return twiceSignedArea(layout, grids, b) < 0 ? -1.0 : 1.0;
}

double surfaceArea(const LayoutParameters& layout, const Grids& grids, int b) {
  return std::fabs(twiceSignedArea(layout, grids, b)) / 2;
}

Force pressureForce(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, int b) {
  const double orientation = orientationOf(layout, grids, b);
  Force f{0, 0};
  for (int p = grids.bodyFirst[b]; p < grids.bodyLast[b]; ++p) {
    const Force n = pointNormal(layout, grids, b, p, orientation);
    const double pres = solution.bodyFlow[p][layout.bodyLayers][1][slot::pres];
    f.fx -= pres * n.fx;
    f.fy -= pres * n.fy;
  }
  return f;
}

Force viscousForce(const LayoutParameters& layout, const SolverConstants& constants,
                   const Grids& grids, const FlowSolution& solution, int b) {
  const double orientation = orientationOf(layout, grids, b);
  const double mu = constants.auxViscosityFactor * constants.uInf / constants.reynolds;
  Force f{0, 0};
  for (int p = grids.bodyFirst[b]; p < grids.bodyLast[b]; ++p) {
    const Force n = pointNormal(layout, grids, b, p, orientation);
    const Stress t = wallStress(layout, constants, grids, solution, p, mu);
    f.fx += t.xx * n.fx + t.xy * n.fy;
    f.fy += t.xy * n.fx + t.yy * n.fy;
  }
  return f;
}

ReferenceQuantities referenceQuantities(const SolverConstants& constants) {
  constexpr double soundSpeed = 1.1832159566199232; // √1.4, free stream
  return {1.0,
          constants.uInf,
          constants.uInf / constants.reynolds,
          constants.auxViscosityFactor * constants.uInf / constants.reynolds,
          constants.reynolds,
          constants.uInf / soundSpeed};
}

namespace {
// Body b's coefficients, numbered column c, body k.
BodyForces bodyForces(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, const FlowSolution& solution, int b, int c, int k) {
  const double dynamicPressure = 0.5 * 1.0 * constants.uInf * constants.uInf;
  const Force fp = pressureForce(layout, grids, solution, b),
              fv = viscousForce(layout, constants, grids, solution, b);
  const double reference = dynamicPressure * grids.bodySize[b] / kSolverUnit;
  return {c,
          k,
          grids.bodyShape[b],
          (fp.fx + fv.fx) / reference,
          (fp.fy + fv.fy) / reference,
          fp.fx / reference,
          fv.fx / reference,
          fp.fy / reference,
          fv.fy / reference};
}
} // namespace

ForceSample forceSample(const LayoutParameters& layout, const SolverConstants& constants,
                        const Grids& grids, const FlowSolution& solution, int b) {
  const BodyForces f = bodyForces(layout, constants, grids, solution, b, 0, 0);
  return {f.cd, f.cl};
}

FlowForces flowForces(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, const FlowSolution& solution) {
  FlowForces out{};
  int b = 0;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k)
      out.bodies.push_back(bodyForces(layout, constants, grids, solution, ++b, c, k));
  double inflow = 0, outlet = 0;
  for (int j = 1; j <= grids.mainNy; ++j) inflow += solution.mainFlow[1][j][slot::pres];
  for (int j = grids.outletLow; j <= grids.outletHigh; ++j)
    outlet += solution.mainFlow[grids.mainNx][j][slot::pres];
  out.pressureDrop = inflow / grids.mainNy - outlet / (grids.outletHigh - grids.outletLow + 1);
  return out;
}
