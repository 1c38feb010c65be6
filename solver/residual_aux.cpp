#include "solver/residual_aux.h"

#include "core/metric.h"
#include "solver/parallel.h"
#include "solver/state_planes.h"

#include <algorithm>
#include <cmath>

// The residual works on contiguous copies of one body's fields and metrics
// (planes over the body's columns pFirst-1..pLast+1 only, point (p, r) at
// (p - pFirst + 1) * 16 + r, in areas the caller gives); the fields are
// loaded on entry and written back on exit, the metric planes kept by the
// caller while the metrics stay the same, so that its loops run along the layers: a xi-pass
// handles all layers at one interface p + 1/2 at a time, an eta-pass the
// layers of one column.  Each value is formed by the same operations, in the
// same order, as a line-by-line sweep would form it, and the columns of the
// eta-passes keep their order, so the results are the same bits as a
// line-by-line evaluation.  The planes of a body cover its columns
// pFirst-1..pLast+1 only, so different bodies can be worked on at once.

namespace {

// The metric planes of one body, in the order of auxMetricPlanes' areas.
struct MetricPlanes {
  double *xXi, *yXi, *xEta, *yEta, *J;
  double* halfInvJ;           // 0.5 / J
  double *soundXi, *soundEta; // bodySoundLength 1 and 2

  MetricPlanes(double* base, int pFirst, int pLast, int stride) {
    const int size = auxPlaneSize(pFirst, pLast, stride);
    int next = 0;
    auto plane = [&] { return base + size * next++; };
    xXi = plane(), yXi = plane(), xEta = plane(), yEta = plane(), J = plane();
    halfInvJ = plane(), soundXi = plane(), soundEta = plane();
  }
};

struct Planes : StatePlanes {
  const double *xXi, *yXi, *xEta, *yEta, *J, *halfInvJ, *soundXi, *soundEta;
  double* tau; // directional measure of the current pass
  // |J| / lambda with the low-Mach radius lambda of the current pass, the
  // measure the flow-speed dissipation is scaled with.
  double* tauDissipation;
  double* pairT; // (p(n) + p(n+1)) / (rho(n) + rho(n+1)) along the xi-lines
  int stride;    // a column's values: the layers and their padding

  int origin; // the body's first column, pFirst - 1

  // Work planes of (pLast - pFirst + 3) columns each, one after the other
  // from base; the metric planes from metricBase.
  Planes(double* base, const double* metricBase, int pFirst, int pLast, int stride)
      : stride(stride), origin(pFirst - 1) {
    const int size = auxPlaneSize(pFirst, pLast, stride);
    int next = 0;
    auto plane = [&] { return base + size * next++; };
    assign(plane);
    tau = plane(), pairT = plane(), tauDissipation = plane();
    const MetricPlanes g(const_cast<double*>(metricBase), pFirst, pLast, stride);
    xXi = g.xXi, yXi = g.yXi, xEta = g.xEta, yEta = g.yEta, J = g.J;
    halfInvJ = g.halfInvJ, soundXi = g.soundXi, soundEta = g.soundEta;
  }
  int at(int p, int r) const { return (p - origin) * stride + r; }
};

// Negated contravariant fluxes and the directional measure of `count`
// points from plane index a0 on.  Along xi: U = y_eta u - x_eta v and
// tau_xi = |J| / (|U| + sqrt(1.4 (x_eta^2 + y_eta^2))); along eta:
// V = x_xi v - y_xi u and tau_eta = |J| / (|V| + sqrt(1.4 (x_xi^2 + y_xi^2))).
template <bool xiLine> void pointFluxes(const Planes& q, int a0, int count) {
#pragma GCC ivdep
  for (int a = a0; a < a0 + count; ++a) {
    const double rho = q.rho[a], u = q.u[a], v = q.v[a], e = q.e[a], p = q.p[a];
    if constexpr (xiLine) {
      const double U = q.yEta[a] * u - q.xEta[a] * v;
      const double f0 = -rho * U;
      q.f[0][a] = f0;
      q.f[1][a] = f0 * u - q.yEta[a] * p;
      q.f[2][a] = f0 * v + q.xEta[a] * p;
      q.f[3][a] = -(e + p) * U;
      q.tau[a] = std::fabs(q.J[a]) / (std::fabs(U) + q.soundEta[a]);
    } else {
      const double V = q.xXi[a] * v - q.yXi[a] * u;
      const double f0 = -rho * V;
      q.f[0][a] = f0;
      q.f[1][a] = f0 * u + q.yXi[a] * p;
      q.f[2][a] = f0 * v - q.xXi[a] * p;
      q.f[3][a] = -(e + p) * V;
      q.tau[a] = std::fabs(q.J[a]) / (std::fabs(V) + q.soundXi[a]);
    }
  }
}

// tauDissipation = |J| / lambda of `count` points from plane index a0 on,
// lambda the low-Mach radius (solver/line_dissipation.h) of the contravariant
// velocity across the pass's interfaces, with the free stream's sound speed
// times the face vector's length as in tau.
template <bool xiLine> void lowMachMeasures(const Planes& q, int a0, int count, double floorSpeed) {
  const double soundSpeed = std::sqrt(1.4); // of the free stream, rho = p = 1
  for (int a = a0; a < a0 + count; ++a) {
    const double u = q.u[a], v = q.v[a];
    const double mr = lowMachReferenceMach(std::sqrt(u * u + v * v), floorSpeed, soundSpeed);
    const double normal = xiLine ? q.yEta[a] * u - q.xEta[a] * v : q.xXi[a] * v - q.yXi[a] * u;
    const double sound = xiLine ? q.soundEta[a] : q.soundXi[a];
    q.tauDissipation[a] = std::fabs(q.J[a]) / lowMachRadius(normal, sound, mr);
  }
}

// Interface fluxes H(n + 1/2) for `count` interfaces whose point a lies at
// plane indices a0, a0 + 1, ...; `along` steps to the next point of the
// line, `across` to the neighbouring line on the + side (layer r + 1 of a
// xi-line, column p + 1 of an eta-line).
template <bool xiLine, Place place>
void interfaceFluxes(const SolverState& m, const Planes& q, int a0, int count, int along,
                     int across, double mu2) {
  const double k4 = m.constants.k4Aux, sA = m.constants.stressA, sB = m.constants.stressB,
               heat = m.constants.heatCoef;
  const double* scale = m.constants.lowMachBody ? q.tauDissipation : q.tau;
#pragma GCC ivdep
  for (int a = a0; a < a0 + count; ++a) {
    const int b = a + along;
    const double s = interfaceSensor<place>(q.nu, a, b);
    // Per conserved component w = rho, rho u, rho v, E.
    const auto dissipation = [&](const double* w) {
      return dissipationDifference(s, k4, w[a], w[b], thirdDifference<place>(w, a, along));
    };
    const double delta[4] = {dissipation(q.rho), dissipation(q.mu), dissipation(q.mv),
                             dissipation(q.e)};
    // Dissipation scale from the signed Jacobians, so that it acts alike on
    // grids of either orientation once divided by the signed J of a point.
    const double lambda = (q.J[a] + q.J[b]) / (scale[a] + scale[b]);

    const double du = q.u[b] - q.u[a];
    const double dv = q.v[b] - q.v[a];
    const double dT = q.T[b] - q.T[a];
    const int ap = a + across, bp = b + across, am = a - across, bm = b - across;
    // Across-line sums; their 1/4 sits in the 0.125 of the metric averages.
    const double cu = q.u[ap] + q.u[bp] - q.u[am] - q.u[bm];
    const double cv = q.v[ap] + q.v[bp] - q.v[am] - q.v[bm];
    // The xi-lines take the quotients from pairT, formed once per pair of
    // points: the line r reads those of r + 1 and r - 1, which the state
    // does not change within the pass.  The eta-lines form their own, as
    // column p - 1 has moved on since line p - 2 read it.
    double cT;
    if constexpr (xiLine)
      cT = q.pairT[ap] - q.pairT[am];
    else
      cT = (q.p[ap] + q.p[bp]) / (q.rho[ap] + q.rho[bp]) -
           (q.p[am] + q.p[bm]) / (q.rho[am] + q.rho[bm]);

    // J-weighted Cartesian derivatives of u, v and T = p / rho.
    double ybar, xbar, jux, jvx, jvy, juy, jTx, jTy;
    if constexpr (xiLine) {
      ybar = 0.5 * (q.yEta[a] + q.yEta[b]);
      xbar = 0.5 * (q.xEta[a] + q.xEta[b]);
      const double cy = 0.125 * (q.yXi[a] + q.yXi[b]);
      const double cx = 0.125 * (q.xXi[a] + q.xXi[b]);
      jux = du * ybar - cu * cy;
      jvx = dv * ybar - cv * cy;
      jvy = -dv * xbar + cv * cx;
      juy = -du * xbar + cu * cx;
      jTx = dT * ybar - 2 * cT * cy;
      jTy = -dT * xbar + 2 * cT * cx;
    } else {
      ybar = 0.5 * (q.yXi[a] + q.yXi[b]);
      xbar = 0.5 * (q.xXi[a] + q.xXi[b]);
      const double cy = 0.125 * (q.yEta[a] + q.yEta[b]);
      const double cx = 0.125 * (q.xEta[a] + q.xEta[b]);
      jux = cu * cy - du * ybar;
      jvx = cv * cy - dv * ybar;
      jvy = -cv * cx + dv * xbar;
      juy = -cu * cx + du * xbar;
      jTx = 2 * cT * cy - dT * ybar;
      jTy = -2 * cT * cx + dT * xbar;
    }
    const double sxx = sA * jux + sB * jvy;
    const double syy = sB * jux + sA * jvy;
    const double sxy = juy + jvx;
    const double ubar = 0.5 * (q.u[a] + q.u[b]);
    const double vbar = 0.5 * (q.v[a] + q.v[b]);
    const double qx = ubar * sxx + vbar * sxy + heat * jTx;
    const double qy = ubar * sxy + vbar * syy + heat * jTy;
    const double kappa = mu2 * (q.halfInvJ[a] + q.halfInvJ[b]);

    q.h[0][a] = lambda * delta[0];
    if constexpr (xiLine) {
      q.h[1][a] = lambda * delta[1] + kappa * (ybar * sxx - xbar * sxy);
      q.h[2][a] = lambda * delta[2] + kappa * (ybar * sxy - xbar * syy);
      q.h[3][a] = lambda * delta[3] + kappa * (ybar * qx - xbar * qy);
    } else {
      q.h[1][a] = lambda * delta[1] + kappa * (-ybar * sxx + xbar * sxy);
      q.h[2][a] = lambda * delta[2] + kappa * (-ybar * sxy + xbar * syy);
      q.h[3][a] = lambda * delta[3] + kappa * (-ybar * qx + xbar * qy);
    }
  }
}

// R = (f(n+1) - f(n-1)) / 2 + H(n+1/2) - H(n-1/2) of component k at plane
// index a (unit index spacing).
inline double residualAt(const Planes& q, int k, int a, int along) {
  return q.residualAt(k, a, along, 0.5);
}

// The xi-lines r = rFirst..rLast over the points pFirst-1..pLast+1:
// res := R_xi at p = pFirst..pLast; tau_xi of every point of the lines is
// left in tau.
void xiPass(const SolverState& m, const Planes& q, int pFirst, int pLast, int rFirst, int rLast,
            double mu2) {
  const int S = q.stride, layers = rLast - rFirst + 1;
  for (int p = pFirst - 1; p <= pLast + 1; ++p) pointFluxes<true>(q, q.at(p, rFirst), layers);
  if (m.constants.lowMachBody)
    for (int p = pFirst - 1; p <= pLast + 1; ++p)
      lowMachMeasures<true>(q, q.at(p, rFirst), layers, m.constants.lowMachFloor);
  for (int p = pFirst; p <= pLast; ++p) q.pressureSensors(q.at(p, rFirst), layers, S);
  for (int p = pFirst - 1; p <= pLast; ++p) {
    const int a0 = q.at(p, rFirst - 1);
#pragma GCC ivdep
    for (int a = a0; a < a0 + layers + 2; ++a)
      q.pairT[a] = (q.p[a] + q.p[a + S]) / (q.rho[a] + q.rho[a + S]);
  }
  for (int p = pFirst; p <= pLast - 1; ++p)
    interfaceFluxes<true, Place::inner>(m, q, q.at(p, rFirst), layers, S, 1, mu2);
  if (m.constants.periodicSeams) {
    // The ring is closed: pFirst and pLast are one point, so the interface
    // before pFirst is the one before pLast and the one after pLast the one
    // after pFirst, both inner interfaces with the full stencil.
    for (int k = 0; k < 4; ++k)
      for (int r = 0; r < layers; ++r) {
        q.h[k][q.at(pFirst - 1, rFirst) + r] = q.h[k][q.at(pLast - 1, rFirst) + r];
        q.h[k][q.at(pLast, rFirst) + r] = q.h[k][q.at(pFirst, rFirst) + r];
      }
  } else {
    interfaceFluxes<true, Place::first>(m, q, q.at(pFirst - 1, rFirst), layers, S, 1, mu2);
    interfaceFluxes<true, Place::last>(m, q, q.at(pLast, rFirst), layers, S, 1, mu2);
  }
  for (int p = pFirst; p <= pLast; ++p) {
    const int a0 = q.at(p, rFirst);
#pragma GCC ivdep
    for (int a = a0; a < a0 + layers; ++a)
      for (int k = 0; k < 4; ++k) q.r[k][a] = residualAt(q, k, a, S);
  }
}

// The eta-line of column p over the layers rFirst-1..rLast+1.
void etaLine(const SolverState& m, const Planes& q, int p, int rFirst, int rLast, double mu2) {
  const int S = q.stride, n = rLast - rFirst + 3, a0 = q.at(p, rFirst - 1);
  pointFluxes<false>(q, a0, n);
  if (m.constants.lowMachBody) lowMachMeasures<false>(q, a0, n, m.constants.lowMachFloor);
  q.pressureSensors(a0 + 1, n - 2, 1);
  interfaceFluxes<false, Place::first>(m, q, a0, 1, 1, S, mu2);
  interfaceFluxes<false, Place::inner>(m, q, a0 + 1, n - 3, 1, S, mu2);
  interfaceFluxes<false, Place::last>(m, q, a0 + n - 2, 1, 1, S, mu2);
}

// The ghost columns take the state of their periodic partners, pFirst - 1
// that of pLast - 1 and pLast + 1 that of pFirst + 1, on the layers
// rFirst..rLast: after stage 1 they still hold U^n while their partners hold
// U^n + X.
void followSeamGhosts(const Planes& q, int pFirst, int pLast, int rFirst, int rLast) {
  for (double* w : {q.rho, q.u, q.v, q.e, q.p, q.mu, q.mv, q.T})
    for (int r = rFirst; r <= rLast; ++r) {
      w[q.at(pFirst - 1, r)] = w[q.at(pLast - 1, r)];
      w[q.at(pLast + 1, r)] = w[q.at(pFirst + 1, r)];
    }
}

void load(const SolverState& m, const Planes& q, int pFirst, int pLast, int s) {
  for (int p = pFirst - 1; p <= pLast + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      q.loadPoint(m.solution.bodyFlow[p][r][s], q.at(p, r));
}

// Writes back what the line-by-line evaluation leaves: stage values, the
// state and the time steps of the updated points, tau_xi in dt along the
// xi-lines (ghost columns included), the eta-pass time steps on the edge
// layers.
void store(const SolverState& m, const Planes& q, int pFirst, int pLast, int rFirst, int rLast,
           int s) {
  for (int p = pFirst - 1; p <= pLast + 1; ++p)
    for (int r = rFirst - 1; r <= rLast + 1; ++r) {
      const bool updated = p >= pFirst && p <= pLast && r >= rFirst && r <= rLast;
      const bool edge = p >= pFirst && p <= pLast;
      const bool xiLine = r >= rFirst && r <= rLast;
      if (!edge && !xiLine) continue;
      FlowPoint& f = m.solution.bodyFlow[p][r][s];
      const int a = q.at(p, r);
      f[slot::dt] = q.dt[a];
      if (!updated) continue;
      q.storeState(f, a);
      for (int k = 0; k < 4; ++k) {
        f[slot::res + k] = q.r[k][a];
        f[slot::dq + k] = q.x[k][a];
      }
    }
}

} // namespace

void loadAuxMetrics(const LayoutParameters& layout, const Grids& grids, int pFirst, int pLast,
                    int s, double* metricArea) {
  using namespace metric;
  const int stride = auxPlaneStride(layout.bodyLayers);
  const MetricPlanes q(metricArea, pFirst, pLast, stride);
  for (int p = pFirst - 1; p <= pLast + 1; ++p)
    for (int r = 1; r <= layout.bodyLayers; ++r) {
      const auto& g = grids.bodyMetric[p][r][s];
      const int a = (p - pFirst + 1) * stride + r;
      q.xXi[a] = g[xXi];
      q.yXi[a] = g[yXi];
      q.xEta[a] = g[xEta];
      q.yEta[a] = g[yEta];
      q.J[a] = g[jac];
      q.halfInvJ[a] = 0.5 / g[jac];
      q.soundXi[a] = grids.bodySoundLength[p][r][s][1];
      q.soundEta[a] = grids.bodySoundLength[p][r][s][2];
    }
}

WHIRLPANE_HOT_LOOP void auxStages(const SolverState& m, int pFirst, int pLast, int rFirst,
                                  int rLast, int s, double reynolds, double* workArea,
                                  const double* metricArea, bool firstStageOnly) {
  const Planes q(workArea, metricArea, pFirst, pLast, auxPlaneStride(m.layout.bodyLayers));
  const double mu2 = m.constants.auxViscosityFactor * m.constants.uInf / reynolds;
  const int layers = rLast - rFirst + 1;
  load(m, q, pFirst, pLast, s);
  // Of the records' time steps, stage 1 reads those of the edge layers (its
  // eta-lines take the smaller of them and tau_eta); it sets the others
  // before reading them.
  for (int p = pFirst; p <= pLast; ++p)
    for (int r : {rFirst - 1, rLast + 1}) q.dt[q.at(p, r)] = m.solution.bodyFlow[p][r][s][slot::dt];

  // Stage 1: R(U^n), dt = cflAux min(tau_eta, tau_xi), X = dt R / (2 J) and
  // the intermediate state, column by column.
  xiPass(m, q, pFirst, pLast, rFirst, rLast, mu2);
  for (int p = pFirst - 1; p <= pLast + 1; ++p)
    for (int a = q.at(p, rFirst); a < q.at(p, rFirst) + layers; ++a) q.dt[a] = q.tau[a];
  for (int p = pFirst; p <= pLast; ++p) {
    etaLine(m, q, p, rFirst, rLast, mu2);
    const int e0 = q.at(p, rFirst - 1), a0 = q.at(p, rFirst);
#pragma GCC ivdep
    for (int a = e0; a < e0 + layers + 2; ++a)
      q.dt[a] = m.constants.cflAux * std::min(q.tau[a], q.dt[a]);
    if (m.constants.timeAccurate) // one step for all, in place of the local ones
      for (int a = e0; a < e0 + layers + 2; ++a) q.dt[a] = m.solution.globalTimeStep;
#pragma GCC ivdep
    for (int a = a0; a < a0 + layers; ++a) {
      for (int k = 0; k < 4; ++k)
        q.x[k][a] = 0.5 * q.dt[a] * (q.r[k][a] + residualAt(q, k, a, 1)) / q.J[a];
      q.advancePoint(a);
    }
  }

  // Stage 2: Y = 4 X - dt R / J, and U^n again column by column.
  if (firstStageOnly) {
    store(m, q, pFirst, pLast, rFirst, rLast, s);
    return;
  }
  if (m.constants.periodicSeams) followSeamGhosts(q, pFirst, pLast, rFirst - 1, rLast + 1);
  xiPass(m, q, pFirst, pLast, rFirst, rLast, mu2);
  for (int p = pFirst; p <= pLast; ++p) {
    etaLine(m, q, p, rFirst, rLast, mu2);
    const int a0 = q.at(p, rFirst);
#pragma GCC ivdep
    for (int a = a0; a < a0 + layers; ++a)
      for (int k = 0; k < 4; ++k) {
        const double z = (q.r[k][a] + residualAt(q, k, a, 1)) * q.dt[a] / q.J[a];
        q.r[k][a] = 4.0 * q.x[k][a] - z;
      }
#pragma GCC ivdep
    for (int a = a0; a < a0 + layers; ++a) q.restorePoint(a);
  }

  store(m, q, pFirst, pLast, rFirst, rLast, s);
}

void sumAuxStageProducts(SolverScratch& scratch, FlowSolution& solution, int pFirst, int pLast,
                         int rFirst, int rLast, int s) {
  StageSums sums(scratch.bodySumXX, scratch.bodySumXY, scratch.bodySumYY);
  for (int p = pFirst; p <= pLast; ++p)
    for (int r = rFirst; r <= rLast; ++r) {
      const FlowPoint& f = solution.bodyFlow[p][r][s];
      for (int k = 0; k < 4; ++k) sums.add(k, f[slot::dq + k], f[slot::res + k]);
    }
  sums.store(scratch.bodySumXX, scratch.bodySumXY, scratch.bodySumYY);
}

void bodyGridResidual(const SolverState& m, int pFirst, int pLast, int rFirst, int rLast, int s,
                      double reynolds) {
  double* metrics =
      m.scratch.bodyPlanes.data() +
      kAuxWorkPlaneCount * auxPlaneSize(pFirst, pLast, auxPlaneStride(m.layout.bodyLayers));
  loadAuxMetrics(m.layout, m.grids, pFirst, pLast, s, metrics);
  auxStages(m, pFirst, pLast, rFirst, rLast, s, reynolds, m.scratch.bodyPlanes.data(), metrics);
  sumAuxStageProducts(m.scratch, m.solution, pFirst, pLast, rFirst, rLast, s);
}
