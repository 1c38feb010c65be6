#include "solver/residual_aux.h"

#include "solver/line_dissipation.h"
#include "solver/physics.h"

#include <algorithm>
#include <cmath>

namespace {

// Metric components of wkMetric[p][r][s].
namespace metric {
inline constexpr int xXi = 1, yXi = 2, xEta = 3, yEta = 4, jac = 5;
}

// A xi-line runs along p through layer r; an eta-line runs along r through
// column p.  Its neighbouring lines are layers r +- 1, or columns p +- 1.
enum class Line { xi, eta };

template <Line d>
struct AuxLine {
  Model& m;
  int fixed; // r of a xi-line, p of an eta-line
  int s;
  FlowPoint& at(int n) const { return d == Line::xi ? m.wkFlow[n][fixed][s] : m.wkFlow[fixed][n][s]; }
  const FlowPoint& plus(int n) const {
    return d == Line::xi ? m.wkFlow[n][fixed + 1][s] : m.wkFlow[fixed + 1][n][s];
  }
  const FlowPoint& minus(int n) const {
    return d == Line::xi ? m.wkFlow[n][fixed - 1][s] : m.wkFlow[fixed - 1][n][s];
  }
  const std::array<double, 6>& metricAt(int n) const {
    return d == Line::xi ? m.wkMetric[n][fixed][s] : m.wkMetric[fixed][n][s];
  }
  const std::array<double, 3>& soundAt(int n) const {
    return d == Line::xi ? m.wkSoundLen[n][fixed][s] : m.wkSoundLen[fixed][n][s];
  }
};

// The line procedure over the points n1..n2: negated contravariant fluxes
// into lineFlux[n][0..3], the directional measure tau into lineFlux[n][4],
// the interface fluxes H(n+1/2) into lineDiss[n][0..3].
template <Line d>
void lineFluxes(Model& m, int fixed, int n1, int n2, int s, double mu2) {
  using namespace metric;
  const AuxLine<d> line{m, fixed, s};
  sensorAndThirdDifferences(m, n1, n2, [&](int n) -> const FlowPoint& { return line.at(n); });

  for (int n = n1; n <= n2; ++n) {
    const FlowPoint& f = line.at(n);
    const auto& g = line.metricAt(n);
    const double rho = f[slot::rho], u = f[slot::u], v = f[slot::v];
    const double e = f[slot::e], p = f[slot::pres];
    auto& flux = m.lineFlux[n];
    if constexpr (d == Line::xi) {
      const double U = g[yEta] * u - g[xEta] * v;
      flux[0] = -rho * U;
      flux[1] = flux[0] * u - g[yEta] * p;
      flux[2] = flux[0] * v + g[xEta] * p;
      flux[3] = -(e + p) * U;
      flux[4] = std::fabs(g[jac]) / (std::fabs(U) + line.soundAt(n)[2]);
    } else {
      const double V = g[xXi] * v - g[yXi] * u;
      flux[0] = -rho * V;
      flux[1] = flux[0] * u + g[yXi] * p;
      flux[2] = flux[0] * v - g[xXi] * p;
      flux[3] = -(e + p) * V;
      flux[4] = std::fabs(g[jac]) / (std::fabs(V) + line.soundAt(n)[1]);
    }
  }

  for (int n = n1; n <= n2 - 1; ++n) {
    const FlowPoint& a = line.at(n);
    const FlowPoint& b = line.at(n + 1);
    const auto& ga = line.metricAt(n);
    const auto& gb = line.metricAt(n + 1);
    const auto wa = conservedOf(a);
    const auto wb = conservedOf(b);
    auto& diss = m.lineDiss[n];
    const double sensor = diss[0];
    double delta[4];
    for (int k = 0; k < 4; ++k)
      delta[k] = dissipationDifference(sensor, m.k4Aux, wa[k], wb[k], diss[k + 1]);

    // Dissipation scale from the signed Jacobians, so that it acts alike on
    // grids of either orientation once divided by the signed J of a point.
    const double lambda = (ga[jac] + gb[jac]) / (m.lineFlux[n][4] + m.lineFlux[n + 1][4]);

    const double du = b[slot::u] - a[slot::u];
    const double dv = b[slot::v] - a[slot::v];
    const double dT = b[slot::pres] / b[slot::rho] - a[slot::pres] / a[slot::rho];
    const FlowPoint &ap = line.plus(n), &bp = line.plus(n + 1);
    const FlowPoint &am = line.minus(n), &bm = line.minus(n + 1);
    // Across-line sums; their 1/4 sits in the 0.125 of the metric averages.
    const double cu = ap[slot::u] + bp[slot::u] - am[slot::u] - bm[slot::u];
    const double cv = ap[slot::v] + bp[slot::v] - am[slot::v] - bm[slot::v];
    const double cT = (ap[slot::pres] + bp[slot::pres]) / (ap[slot::rho] + bp[slot::rho]) -
                      (am[slot::pres] + bm[slot::pres]) / (am[slot::rho] + bm[slot::rho]);

    // J-weighted Cartesian derivatives of u, v and T = p / rho.
    double ybar, xbar, jux, jvx, jvy, juy, jTx, jTy;
    if constexpr (d == Line::xi) {
      ybar = 0.5 * (ga[yEta] + gb[yEta]);
      xbar = 0.5 * (ga[xEta] + gb[xEta]);
      const double cy = 0.125 * (ga[yXi] + gb[yXi]);
      const double cx = 0.125 * (ga[xXi] + gb[xXi]);
      jux = du * ybar - cu * cy;
      jvx = dv * ybar - cv * cy;
      jvy = -dv * xbar + cv * cx;
      juy = -du * xbar + cu * cx;
      jTx = dT * ybar - 2 * cT * cy;
      jTy = -dT * xbar + 2 * cT * cx;
    } else {
      ybar = 0.5 * (ga[yXi] + gb[yXi]);
      xbar = 0.5 * (ga[xXi] + gb[xXi]);
      const double cy = 0.125 * (ga[yEta] + gb[yEta]);
      const double cx = 0.125 * (ga[xEta] + gb[xEta]);
      jux = cu * cy - du * ybar;
      jvx = cv * cy - dv * ybar;
      jvy = -cv * cx + dv * xbar;
      juy = -cu * cx + du * xbar;
      jTx = 2 * cT * cy - dT * ybar;
      jTy = -2 * cT * cx + dT * xbar;
    }
    const double sxx = m.stressA * jux + m.stressB * jvy;
    const double syy = m.stressB * jux + m.stressA * jvy;
    const double sxy = juy + jvx;
    const double ubar = 0.5 * (a[slot::u] + b[slot::u]);
    const double vbar = 0.5 * (a[slot::v] + b[slot::v]);
    const double qx = ubar * sxx + vbar * sxy + m.heatCoef * jTx;
    const double qy = ubar * sxy + vbar * syy + m.heatCoef * jTy;
    const double kappa = mu2 * (0.5 / ga[jac] + 0.5 / gb[jac]);

    diss[0] = lambda * delta[0];
    if constexpr (d == Line::xi) {
      diss[1] = lambda * delta[1] + kappa * (ybar * sxx - xbar * sxy);
      diss[2] = lambda * delta[2] + kappa * (ybar * sxy - xbar * syy);
      diss[3] = lambda * delta[3] + kappa * (ybar * qx - xbar * qy);
    } else {
      diss[1] = lambda * delta[1] + kappa * (-ybar * sxx + xbar * sxy);
      diss[2] = lambda * delta[2] + kappa * (-ybar * sxy + xbar * syy);
      diss[3] = lambda * delta[3] + kappa * (-ybar * qx + xbar * qy);
    }
  }
}

// Component k (0..3) of the residual at interior point n of the line just
// processed (unit index spacing).
inline double lineResidual(const Model& m, int n, int k) {
  return 0.5 * (m.lineFlux[n + 1][k] - m.lineFlux[n - 1][k]) + m.lineDiss[n][k] -
         m.lineDiss[n - 1][k];
}

// res := R_xi on layers rFirst..rLast; in stage 1 tau_xi also goes to dt.
template <bool storeTau>
void xiPass(Model& m, int pFirst, int pLast, int rFirst, int rLast, int s, double mu2) {
  for (int r = rFirst; r <= rLast; ++r) {
    lineFluxes<Line::xi>(m, r, pFirst - 1, pLast + 1, s, mu2);
    if constexpr (storeTau)
      for (int p = pFirst - 1; p <= pLast + 1; ++p) m.wkFlow[p][r][s][slot::dt] = m.lineFlux[p][4];
    for (int p = pFirst; p <= pLast; ++p) {
      FlowPoint& f = m.wkFlow[p][r][s];
      for (int k = 0; k < 4; ++k) f[slot::res + k] = lineResidual(m, p, k);
    }
  }
}

} // namespace

void Risa_WK_1(Model& m, int pFirst, int pLast, int rFirst, int rLast, int s, double reynolds) {
  const double mu2 = 2 * m.uInf / reynolds;
  constexpr int jac = metric::jac;

  // Stage 1: R(U^n), dt = cflAux min(tau_eta, tau_xi), X = dt R / (2 J) and
  // the intermediate state, column by column.
  xiPass<true>(m, pFirst, pLast, rFirst, rLast, s, mu2);
  for (int p = pFirst; p <= pLast; ++p) {
    lineFluxes<Line::eta>(m, p, rFirst - 1, rLast + 1, s, mu2);
    for (int r = rFirst - 1; r <= rLast + 1; ++r) {
      FlowPoint& f = m.wkFlow[p][r][s];
      f[slot::dt] = m.cflAux * std::min(m.lineFlux[r][4], f[slot::dt]);
    }
    for (int r = rFirst; r <= rLast; ++r) {
      FlowPoint& f = m.wkFlow[p][r][s];
      const double J = m.wkMetric[p][r][s][jac];
      for (int k = 0; k < 4; ++k)
        f[slot::dq + k] = 0.5 * f[slot::dt] * (f[slot::res + k] + lineResidual(m, r, k)) / J;
    }
    for (int r = rFirst; r <= rLast; ++r) {
      FlowPoint& f = m.wkFlow[p][r][s];
      advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
    }
  }

  // Stage 2: Y = 4 X - dt R / J, the sums, and back to U^n column by column.
  xiPass<false>(m, pFirst, pLast, rFirst, rLast, s, mu2);
  for (int p = pFirst; p <= pLast; ++p) {
    lineFluxes<Line::eta>(m, p, rFirst - 1, rLast + 1, s, mu2);
    for (int r = rFirst; r <= rLast; ++r) {
      FlowPoint& f = m.wkFlow[p][r][s];
      const double J = m.wkMetric[p][r][s][jac];
      for (int k = 0; k < 4; ++k) {
        const double z = (f[slot::res + k] + lineResidual(m, r, k)) * f[slot::dt] / J;
        const double x = f[slot::dq + k];
        const double y = 4.0 * x - z;
        f[slot::res + k] = y;
        m.wkSumYY[k + 1] += y * y;
        m.wkSumXY[k + 1] += x * y;
        m.wkSumXX[k + 1] += x * x;
      }
    }
    for (int r = rFirst; r <= rLast; ++r) {
      FlowPoint& f = m.wkFlow[p][r][s];
      addConservedIncrement(f, -f[slot::dq], -f[slot::dq + 1], -f[slot::dq + 2], -f[slot::dq + 3]);
    }
  }
}
