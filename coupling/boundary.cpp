#include "coupling/boundary.h"

#include "core/physics.h"

#include <algorithm>
#include <cmath>

namespace {

// The primitive slots moved by the transfer and the seams, in slot order.
constexpr int kStateSlots[] = {slot::rho, slot::u, slot::v, slot::e, slot::pres};

// Second-order extrapolation for a zero normal gradient at a wall point w
// from its two inner neighbours: (4 f(w-1) - f(w-2)) / 3 for p and rho, and
// the energy of a fluid at rest.
inline void wallPoint(FlowPoint& w, const FlowPoint& in1, const FlowPoint& in2) {
  w[slot::pres] = (4 * in1[slot::pres] - in2[slot::pres]) / 3;
  w[slot::rho] = (4 * in1[slot::rho] - in2[slot::rho]) / 3;
  w[slot::e] = energyAtRest(w[slot::pres]);
}

// Bilinear interpolation of one link into its receiver, then the energy
// refresh.
inline void interpolateLink(FlowPoint& to, const Link& link, const FlowPoint& c1,
                            const FlowPoint& c2, const FlowPoint& c3, const FlowPoint& c4) {
  const double s = link.s, t = link.t;
  const double w1 = (1 - s) * (1 - t), w2 = s * (1 - t), w3 = s * t, w4 = (1 - s) * t;
  for (int k : kStateSlots) to[k] = w1 * c1[k] + w2 * c2[k] + w3 * c3[k] + w4 * c4[k];
  to[slot::e] = energyOf(to[slot::rho], to[slot::u], to[slot::v], to[slot::pres]);
}

} // namespace

double inflowSpeedAtRow(const SolverConstants& constants, const Grids& grids,
                        const LayoutParameters& layout, int j) {
  if (layout.channel.inflow == ChannelInflow::uniform) return constants.uInf;
  return parabolicInflowSpeed(grids.mainGrid[1][j].mainGridY, grids.mainGrid[1][1].mainGridY,
                              grids.mainGrid[1][grids.mainNy].mainGridY, constants.uInf);
}

void interpolateLinkedPoints(const CouplingTables& coupling, FlowSolution& solution) {
  for (int l = 1; l <= coupling.mainFromBodyCount; ++l) {
    const Link& k = coupling.mainFromBody[l];
    const int a = k.donor[1], b = k.donor[2], c = k.donor[3];
    interpolateLink(solution.mainFlow[k.receiver[1]][k.receiver[2]], k, solution.bodyFlow[a][b][c],
                    solution.bodyFlow[a + 1][b][c], solution.bodyFlow[a + 1][b + 1][c],
                    solution.bodyFlow[a][b + 1][c]);
  }
  for (int l = 1; l <= coupling.bodyFromMainCount; ++l) {
    const Link& k = coupling.bodyFromMain[l];
    const int a = k.donor[1], b = k.donor[2];
    interpolateLink(solution.bodyFlow[k.receiver[1]][k.receiver[2]][k.receiver[3]], k,
                    solution.mainFlow[a][b], solution.mainFlow[a + 1][b],
                    solution.mainFlow[a + 1][b + 1], solution.mainFlow[a][b + 1]);
  }
  for (int l = 1; l <= coupling.bodyFromBodyCount; ++l) {
    const Link& k = coupling.bodyFromBody[l];
    const int a = k.donor[1], b = k.donor[2], c = k.donor[3];
    interpolateLink(solution.bodyFlow[k.receiver[1]][k.receiver[2]][k.receiver[3]], k,
                    solution.bodyFlow[a][b][c], solution.bodyFlow[a + 1][b][c],
                    solution.bodyFlow[a + 1][b + 1][c], solution.bodyFlow[a][b + 1][c]);
  }
}

void applyBoundaryConditions(const LayoutParameters& layout, const SolverConstants& constants,
                             const Grids& grids, const CouplingTables& coupling,
                             FlowSolution& solution) {
  const int nx = grids.mainNx, ny = grids.mainNy, nr = layout.bodyLayers;

  // 1. Body surfaces and outer edges of the auxiliary grids.
  for (int p = 1; p <= grids.bodyPerimeterPoints; ++p) {
    const auto col = solution.bodyFlow[p];
    wallPoint(col[nr][1], col[nr - 1][1], col[nr - 2][1]);
    FlowPoint& edge = col[1][1];
    edge[slot::pres] = col[2][1][slot::pres];
    edge[slot::rho] = col[2][1][slot::rho];
    edge[slot::e] = energyAtRest(edge[slot::pres]);
  }

  // 2. Right column, a wall until the outlet rows are set in step 5.
  for (int j = 1; j <= ny; ++j)
    wallPoint(solution.mainFlow[nx][j], solution.mainFlow[nx - 1][j], solution.mainFlow[nx - 2][j]);

  // 3. Values from the overlapping grids.
  interpolateLinkedPoints(coupling, solution);

  // 4. Inflow.
  const double isentropicExponent = 1 / 1.4;
  for (int j = 1; j <= ny; ++j) {
    FlowPoint& f = solution.mainFlow[1][j];
    f[slot::pres] = 0.7 * f[slot::pres] + 0.3 * solution.mainFlow[2][j][slot::pres];
    f[slot::pres] = std::max(f[slot::pres], 0.1);
    f[slot::rho] = std::pow(f[slot::pres] / constants.entropyRef, isentropicExponent);
    f[slot::u] = inflowSpeedAtRow(constants, grids, layout, j);
    f[slot::e] = 0.5 * f[slot::rho] * (f[slot::v] * f[slot::v]) + 2.5 * f[slot::pres];
  }

  // 5. Outlet: pressure 1 at the entropy S = p / rho^1.4 of the interior.
  for (int j = grids.outletLow; j <= grids.outletHigh; ++j) {
    const FlowPoint& in = solution.mainFlow[nx - 1][j];
    FlowPoint& f = solution.mainFlow[nx][j];
    const double entropy = in[slot::pres] / std::pow(in[slot::rho], 1.4);
    f[slot::rho] = std::pow(1 / entropy, isentropicExponent);
    f[slot::u] = in[slot::u];
    f[slot::v] = in[slot::v];
    f[slot::pres] = 1;
    f[slot::e] = energyOf(f[slot::rho], f[slot::u], f[slot::v], f[slot::pres]);
  }

  // 6. Seams: pF and pL are one physical point, pF-1 and pL+1 the ghosts.
  for (int b = 1; b <= grids.nBodies; ++b) {
    const int pF = grids.bodyFirst[b], pL = grids.bodyLast[b];
    for (int r = 1; r <= nr; ++r)
      for (int k : kStateSlots) {
        auto at = [&](int p) -> double& { return solution.bodyFlow[p][r][1][k]; };
        at(pF) = 0.5 * (at(pF) + at(pL));
        at(pF - 1) = at(pL - 1);
        at(pL) = at(pF);
        at(pL + 1) = at(pF + 1);
      }
  }

  // 7. Bottom wall, 8. top wall.
  for (int i = 1; i <= nx; ++i)
    wallPoint(solution.mainFlow[i][1], solution.mainFlow[i][2], solution.mainFlow[i][3]);
  for (int i = 1; i <= nx; ++i)
    wallPoint(solution.mainFlow[i][ny], solution.mainFlow[i][ny - 1], solution.mainFlow[i][ny - 2]);
}
