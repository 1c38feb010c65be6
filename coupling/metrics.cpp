#include "coupling/metrics.h"

#include "coupling/coupling_texts.h"

#include <cmath>
#include <cstdio>
#include <string>

std::string degenerateCellMessage(int p, int r, int s, double jac, Language language) {
  // Integers in plain decimal; the Jacobian in the shortest general form with
  // up to 15 significant digits.  A Jacobian of −0 reads "0".
  if (jac == 0) jac = 0.0;
  char number[40];
  std::snprintf(number, sizeof number, "%.15g", jac);
  return couplingText::degenerateCell(language, {std::to_string(p) + "-" + std::to_string(r) + "-" +
                                                 std::to_string(s) + "-" + number});
}

void computeBodyMetrics(Model& m, WindowServices& ws, int pFirst, int pLast, int rFirst, int rLast,
                        int s) {
  auto x = [&](int p, int r) { return m.bodyGrid[p][r][s].bodyGridX; };
  auto y = [&](int p, int r) { return m.bodyGrid[p][r][s].bodyGridY; };

  // ∂/∂ξ along the ring; the ghost columns make the seam points central too.
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = m.bodyMetric[p][r][s];
      g[metric::xXi] = (x(p + 1, r) - x(p - 1, r)) / 2;
      g[metric::yXi] = (y(p + 1, r) - y(p - 1, r)) / 2;
    }

  // ∂/∂η across the layers: central inside, second-order one-sided on the
  // outer edge (rFirst) and on the body surface (rLast).
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = m.bodyMetric[p][r][s];
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
  // from the scaled values.  p outer, r inner: the messages come in that order.
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      auto& g = m.bodyMetric[p][r][s];
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
        ws.showMessage(degenerateCellMessage(p, r, s, jac, ws.language()));
        jac = 1;
      }
      if (jac == 0 || std::isnan(jac)) jac = 1;
      g[metric::jac] = jac;
      m.bodySoundLength[p][r][s][1] = std::sqrt(1.4 * (xXi * xXi + yXi * yXi));
      m.bodySoundLength[p][r][s][2] = std::sqrt(1.4 * (xEta * xEta + yEta * yEta));
    }

  // Periodic seam: the ghost columns take the metrics of their images.
  for (int r = rFirst; r <= rLast; ++r) {
    for (int k = 1; k <= 5; ++k) {
      m.bodyMetric[pFirst - 1][r][s][k] = m.bodyMetric[pLast - 1][r][s][k];
      m.bodyMetric[pLast + 1][r][s][k] = m.bodyMetric[pFirst + 1][r][s][k];
    }
    for (int k = 1; k <= 2; ++k) {
      m.bodySoundLength[pFirst - 1][r][s][k] = m.bodySoundLength[pLast - 1][r][s][k];
      m.bodySoundLength[pLast + 1][r][s][k] = m.bodySoundLength[pFirst + 1][r][s][k];
    }
  }
  ++m.metricGeneration;
}

void computeMetrics(Model& m, WindowServices& ws) {
  for (int b = 1; b <= m.nBodies; ++b)
    computeBodyMetrics(m, ws, m.bodyFirst[b], m.bodyLast[b], 1, m.bodyLayers, 1);
}
