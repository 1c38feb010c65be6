#include "coupling/metrics.h"

#include <cmath>

std::vector<SetupProblem> computeBodyMetrics(Grids& grids, int pFirst, int pLast, int rFirst,
                                             int rLast, int s) {
  std::vector<SetupProblem> degenerate;
  auto x = [&](int p, int r) { return grids.bodyGrid[p][r][s].bodyGridX; };
  auto y = [&](int p, int r) { return grids.bodyGrid[p][r][s].bodyGridY; };

  // ∂/∂ξ along the ring; the ghost columns make the seam points central too.
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = grids.bodyMetric[p][r][s];
      g[metric::xXi] = (x(p + 1, r) - x(p - 1, r)) / 2;
      g[metric::yXi] = (y(p + 1, r) - y(p - 1, r)) / 2;
    }

  // ∂/∂η across the layers: central inside, second-order one-sided on the
  // outer edge (rFirst) and on the body surface (rLast).
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = grids.bodyMetric[p][r][s];
      if (r == rFirst) {
        g[metric::xEta] = (-3 * x(p, r) + 4 * x(p, r + 1) - x(p, r + 2)) / 2;
        g[metric::yEta] = (-3 * y(p, r) + 4 * y(p, r + 1) - y(p, r + 2)) / 2;
      } else if (r == rLast) {
        g[metric::xEta] = (3 * x(p, r) - 4 * x(p, r - 1) + x(p, r - 2)) / 2;
        g[metric::yEta] = (3 * y(p, r) - 4 * y(p, r - 1) + y(p, r - 2)) / 2;
      } else {
        g[metric::xEta] = (x(p, r + 1) - x(p, r - 1)) / 2;
        g[metric::yEta] = (y(p, r + 1) - y(p, r - 1)) / 2;
      }
    }

  // To solver units (16 layout units), then the Jacobian and sound lengths
  // from the scaled values, p outer and r inner.
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = grids.bodyMetric[p][r][s];
      const double xXi = g[metric::xXi] / 16;
      const double yXi = g[metric::yXi] / 16;
      const double xEta = g[metric::xEta] / 16;
      const double yEta = g[metric::yEta] / 16;
      g[metric::xXi] = xXi;
      g[metric::yXi] = yXi;
      g[metric::xEta] = xEta;
      g[metric::yEta] = yEta;
      double jac = xXi * yEta - xEta * yXi;
      if (std::fabs(jac) < 1e-9) {
        degenerate.push_back({SetupProblem::Kind::degenerateCell, {p, r, s, 0}, jac});
        jac = 1;
      }
      if (jac == 0 || std::isnan(jac)) jac = 1;
      g[metric::jac] = jac;
      grids.bodySoundLength[p][r][s][1] = std::sqrt(1.4 * (xXi * xXi + yXi * yXi));
      grids.bodySoundLength[p][r][s][2] = std::sqrt(1.4 * (xEta * xEta + yEta * yEta));
    }

  // Periodic seam: the ghost columns take the metrics of their images.
  for (int r = rFirst; r <= rLast; ++r) {
    for (int k = 1; k <= 5; ++k) {
      grids.bodyMetric[pFirst - 1][r][s][k] = grids.bodyMetric[pLast - 1][r][s][k];
      grids.bodyMetric[pLast + 1][r][s][k] = grids.bodyMetric[pFirst + 1][r][s][k];
    }
    for (int k = 1; k <= 2; ++k) {
      grids.bodySoundLength[pFirst - 1][r][s][k] = grids.bodySoundLength[pLast - 1][r][s][k];
      grids.bodySoundLength[pLast + 1][r][s][k] = grids.bodySoundLength[pFirst + 1][r][s][k];
    }
  }
  ++grids.metricGeneration;
  return degenerate;
}

std::vector<SetupProblem> computeMetrics(const LayoutParameters& layout, Grids& grids) {
  std::vector<SetupProblem> degenerate;
  for (int b = 1; b <= grids.nBodies; ++b) {
    const std::vector<SetupProblem> found =
        computeBodyMetrics(grids, grids.bodyFirst[b], grids.bodyLast[b], 1, layout.bodyLayers, 1);
    degenerate.insert(degenerate.end(), found.begin(), found.end());
  }
  return degenerate;
}
