#include "solver/residual_main.h"

#include "solver/line_dissipation.h"
#include "solver/physics.h"

#include <algorithm>
#include <cmath>

namespace {

// An x-line runs along i through row j (normal velocity u, tangential v); a
// y-line runs along j through column i (normal velocity v, tangential u).
enum class Line { x, y };

// The points of one main-grid line and of its two neighbouring lines.
template <Line d>
struct MainLine {
  Model& m;
  int fixed; // j of an x-line, i of a y-line
  FlowPoint& at(int n) const { return d == Line::x ? m.ryFlow[n][fixed] : m.ryFlow[fixed][n]; }
  const FlowPoint& plus(int n) const {
    return d == Line::x ? m.ryFlow[n][fixed + 1] : m.ryFlow[fixed + 1][n];
  }
  const FlowPoint& minus(int n) const {
    return d == Line::x ? m.ryFlow[n][fixed - 1] : m.ryFlow[fixed - 1][n];
  }
};

// The line procedure over the points 1..N: negated convective fluxes into
// lineFlux[n][0..3], interface fluxes H(n+1/2) into lineDiss[n][0..3].  With
// setTimeStep, the local time step of each point n + 1 is set on the way,
// dt = cfl dx / (max(|u|, |v|) + 1.183), 1.183 being the free-stream sound
// speed sqrt(1.4).
template <Line d, bool setTimeStep>
void lineFluxes(Model& m, int fixed, int N) {
  const MainLine<d> line{m, fixed};
  sensorAndThirdDifferences(m, 1, N, [&](int n) -> const FlowPoint& { return line.at(n); });

  for (int n = 1; n <= N; ++n) {
    const FlowPoint& f = line.at(n);
    const double rho = f[slot::rho], u = f[slot::u], v = f[slot::v];
    const double e = f[slot::e], p = f[slot::pres];
    auto& flux = m.lineFlux[n];
    if constexpr (d == Line::x) {
      flux[0] = -u * rho;
      flux[1] = flux[0] * u - p;
      flux[2] = flux[0] * v;
      flux[3] = (e + p) * (-u);
    } else {
      flux[0] = -v * rho;
      flux[1] = flux[0] * u;
      flux[2] = flux[0] * v - p;
      flux[3] = (e + p) * (-v);
    }
  }

  // Viscosity mu = uInf / Re, applied as a division by K = Re / uInf.
  const double K = m.reynolds / m.uInf;
  const double halfDx = 0.5 * m.ryDx;
  for (int n = 1; n <= N - 1; ++n) {
    const FlowPoint& a = line.at(n);
    FlowPoint& b = line.at(n + 1);
    const auto wa = conservedOf(a);
    const auto wb = conservedOf(b);
    auto& diss = m.lineDiss[n];
    const double s = diss[0];
    double delta[4];
    for (int k = 0; k < 4; ++k)
      delta[k] = dissipationDifference(s, m.k4Main, wa[k], wb[k], diss[k + 1]);

    const double qa = d == Line::x ? a[slot::u] : a[slot::v];
    const double qb = d == Line::x ? b[slot::u] : b[slot::v];
    // Spectral radius |q| + c with the free-stream sound speed, c = 1.183.
    const double L = halfDx * (std::fabs(qb) + 2.366 + std::fabs(qa));

    const double du = b[slot::u] - a[slot::u];
    const double dv = b[slot::v] - a[slot::v];
    const FlowPoint &ap = line.plus(n), &bp = line.plus(n + 1);
    const FlowPoint &am = line.minus(n), &bm = line.minus(n + 1);
    const double cu = 0.25 * (ap[slot::u] + bp[slot::u] - am[slot::u] - bm[slot::u]);
    const double cv = 0.25 * (ap[slot::v] + bp[slot::v] - am[slot::v] - bm[slot::v]);
    double sigma, tau;
    if constexpr (d == Line::x) {
      sigma = m.stressA * du + m.stressB * cv;
      tau = cu + dv;
    } else {
      sigma = m.stressB * cu + m.stressA * dv;
      tau = du + cv;
    }
    const double theta =
        m.heatCoef * (b[slot::pres] / b[slot::rho] - a[slot::pres] / a[slot::rho]);
    const double ubar = 0.5 * (a[slot::u] + b[slot::u]);
    const double vbar = 0.5 * (a[slot::v] + b[slot::v]);

    diss[0] = L * delta[0];
    if constexpr (d == Line::x) {
      diss[1] = L * delta[1] + sigma / K;
      diss[2] = L * delta[2] + tau / K;
      diss[3] = L * delta[3] + (ubar * sigma + vbar * tau + theta) / K;
    } else {
      diss[1] = L * delta[1] + tau / K;
      diss[2] = L * delta[2] + sigma / K;
      diss[3] = L * delta[3] + (ubar * tau + vbar * sigma + theta) / K;
    }

    if constexpr (setTimeStep)
      b[slot::dt] =
          m.cflMain * m.ryDx / (std::max(std::fabs(b[slot::u]), std::fabs(b[slot::v])) + 1.183);
  }
}

// Component k (0..3) of the residual at interior point n of the line just
// processed.
inline double lineResidual(const Model& m, int n, int k, double halfDx) {
  return halfDx * (m.lineFlux[n + 1][k] - m.lineFlux[n - 1][k]) + m.lineDiss[n][k] -
         m.lineDiss[n - 1][k];
}

// res := R_x on every interior point (both stages).
void xPass(Model& m) {
  const double halfDx = 0.5 * m.ryDx;
  for (int j = 2; j <= m.ryNy - 1; ++j) {
    lineFluxes<Line::x, false>(m, j, m.ryNx);
    for (int i = 2; i <= m.ryNx - 1; ++i) {
      FlowPoint& f = m.ryFlow[i][j];
      for (int k = 0; k < 4; ++k) f[slot::res + k] = lineResidual(m, i, k, halfDx);
    }
  }
}

} // namespace

void Risa_RY_2(Model& m) {
  const int nx = m.ryNx, ny = m.ryNy;
  const double halfDx = 0.5 * m.ryDx;

  // Stage 1: R(U^n) and the local time steps.
  xPass(m);
  for (int i = 2; i <= nx - 1; ++i) {
    lineFluxes<Line::y, true>(m, i, ny);
    for (int j = 2; j <= ny - 1; ++j) {
      FlowPoint& f = m.ryFlow[i][j];
      for (int k = 0; k < 4; ++k) f[slot::res + k] = f[slot::res + k] + lineResidual(m, j, k, halfDx);
    }
  }

  // Holes take no step.
  for (int h = 1; h <= m.ryBlankCount; ++h) m.ryFlow[m.ryBlankList[h].i][m.ryBlankList[h].j][slot::dt] = 0;

  // X = g1 / 2 = dt R(U^n) / (2 dx^2), and the intermediate state U^n + X.
  for (int j = 2; j <= ny - 1; ++j)
    for (int i = 2; i <= nx - 1; ++i) {
      FlowPoint& f = m.ryFlow[i][j];
      for (int k = 0; k < 4; ++k) f[slot::dq + k] = 0.5 * f[slot::dt] * f[slot::res + k] / m.ryDx2;
      advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
    }

  // Stage 2: R at the intermediate state; Y = 4 X - dt R / dx^2 = 2 g1 - g2.
  xPass(m);
  for (int i = 2; i <= nx - 1; ++i) {
    lineFluxes<Line::y, false>(m, i, ny);
    for (int j = 2; j <= ny - 1; ++j) {
      FlowPoint& f = m.ryFlow[i][j];
      for (int k = 0; k < 4; ++k) {
        const double z = (f[slot::res + k] + lineResidual(m, j, k, halfDx)) * f[slot::dt] / m.ryDx2;
        const double x = f[slot::dq + k];
        const double y = 4.0 * x - z;
        f[slot::res + k] = y;
        m.rySumYY[k + 1] += y * y;
        m.rySumXY[k + 1] += x * y;
        m.rySumXX[k + 1] += x * x;
      }
      // Back to U^n; the pressure keeps its intermediate value.
      addConservedIncrement(f, -f[slot::dq], -f[slot::dq + 1], -f[slot::dq + 2], -f[slot::dq + 3]);
    }
  }
}
