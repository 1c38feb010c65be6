#include "solver/global_time_step.h"

#include "core/metric.h"
#include "solver/residual_main.h"

#include <algorithm>
#include <cmath>
#include <limits>

double stableGlobalTimeStep(const Model& m) {
  double dt = std::numeric_limits<double>::infinity();
  const double mainScale = m.constants.cflMain * m.constants.mainDx;
  for (int i = 2; i <= m.grids.mainNx - 1; ++i)
    for (int j = 2; j <= m.grids.mainNy - 1; ++j) {
      if (m.coupling.mainHoleFlag[i][j] != 0) continue;
      const FlowPoint& f = m.solution.mainFlow[i][j];
      dt = std::min(dt, mainScale / (std::max(std::fabs(f[slot::u]), std::fabs(f[slot::v])) +
                                     kMainSoundSpeed));
    }
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
      for (int r = 2; r <= m.layout.bodyLayers - 1; ++r) {
        const FlowPoint& f = m.solution.bodyFlow[p][r][1];
        const auto& g = m.grids.bodyMetric[p][r][1];
        const double u = f[slot::u], v = f[slot::v];
        const double U = g[metric::yEta] * u - g[metric::xEta] * v;
        const double V = g[metric::xXi] * v - g[metric::yXi] * u;
        const double J = std::fabs(g[metric::jac]);
        const double tauXi = J / (std::fabs(U) + m.grids.bodySoundLength[p][r][1][2]);
        const double tauEta = J / (std::fabs(V) + m.grids.bodySoundLength[p][r][1][1]);
        dt = std::min(dt, m.constants.cflAux * std::min(tauXi, tauEta));
      }
  return dt;
}
