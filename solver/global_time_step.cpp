#include "solver/global_time_step.h"

#include "core/metric.h"
#include "solver/residual_main.h"

#include <algorithm>
#include <cmath>
#include <limits>

double stableGlobalTimeStep(const LayoutParameters& layout, const SolverConstants& constants,
                            const Grids& grids, const CouplingTables& coupling,
                            const FlowSolution& solution) {
  double dt = std::numeric_limits<double>::infinity();
  const double mainScale = constants.cflMain * constants.mainDx;
  for (int i = 2; i <= grids.mainNx - 1; ++i)
    for (int j = 2; j <= grids.mainNy - 1; ++j) {
      if (coupling.mainHoleFlag[i][j] != 0) continue;
      const FlowPoint& f = solution.mainFlow[i][j];
      dt = std::min(dt, mainScale / (std::max(std::fabs(f[slot::u]), std::fabs(f[slot::v])) +
                                     kMainSoundSpeed));
    }
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
      for (int r = 2; r <= layout.bodyLayers - 1; ++r) {
        const FlowPoint& f = solution.bodyFlow[p][r][1];
        const auto& g = grids.bodyMetric[p][r][1];
        const double u = f[slot::u], v = f[slot::v];
        const double U = g[metric::yEta] * u - g[metric::xEta] * v;
        const double V = g[metric::xXi] * v - g[metric::yXi] * u;
        const double J = std::fabs(g[metric::jac]);
        const double tauXi = J / (std::fabs(U) + grids.bodySoundLength[p][r][1][2]);
        const double tauEta = J / (std::fabs(V) + grids.bodySoundLength[p][r][1][1]);
        dt = std::min(dt, constants.cflAux * std::min(tauXi, tauEta));
      }
  return dt;
}
