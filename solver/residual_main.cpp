#include "solver/residual_main.h"

#include "solver/main_planes.h"
#include "solver/parallel.h"

#include <algorithm>
#include <cmath>

// The residual works on contiguous copies of the fields (planes of
// m.scratch.mainPlanes, point (i, j) at i * stride + j), loaded from mainFlow on entry
// and, by mainGridResidual, written back on exit.  Every loop over points then
// runs along j, that is along memory, in both passes: an x-line pass
// handles all rows at one interface i + 1/2 at a time, a y-line pass the
// points of one column.  Each value is formed by the same operations, in
// the same order, as a line-by-line sweep (x-lines, then y-lines in column
// order) would form it; only the order in which independent values are
// formed differs, so the results are the same bits.
//
// The passes run over single columns, in the order of one sweep per stage
// (stages() below), on the calling thread.  The stage-2 y-lines, which a
// line-by-line sweep runs with the columns behind it already restored to
// U^n, read the restored velocity of column i - 1 from planes of their own
// (uBefore, vBefore, formed with the intermediate state), which the restore
// takes its velocity from as well.

namespace {

// The free-stream sound speed, and twice that, the sum of the sound speeds
// of an interface's two points (doubling is exact).
constexpr double kSoundSpeed = kMainSoundSpeed;
constexpr double kTwiceSoundSpeed = 2 * kSoundSpeed;

using Planes = MainPlanes;

// The viscous bound of the local time step:
//   dt <= kViscousNumber · ρ Δx² / ((γ/Pr) μ),
// ν Δt/Δx² = (γ/Pr)(μ/ρ) Δt/Δx² at most kViscousNumber, γ/Pr = 2 the
// heat conduction's diffusivity per unit viscosity (the largest: the normal
// stress's is 4/3).  Diffusion alone would take far more (the smoothing
// divides the sawtooth's eigenvalue by 1 + 4ε = 10.2, and a temperature
// sawtooth on this grid decays at any Reynolds number tried), but with the
// sound waves at CFL 2.65 the step needs its viscous share small, found by
// runs: at 0.16 the default layout diverges at Re 20, at 0.1 it runs, and a
// circle of size 8 in the benchmark's channel at Re 40 (0.08) holds a steady
// state for 13,000 steps and then diverges, at 0.05 it stays steady.  At the
// classic conditions ν Δt/Δx² is at most 0.034 (at rest), so the bound is
// never the smaller there and changes no bit.
constexpr double kViscousNumber = 0.05;

// Interface fluxes H(n + 1/2) for `count` interfaces whose point a = n lies
// at plane indices a0, a0 + 1, ...; `along` is the index step to the next
// point of the line, `across` the step to the neighbouring line on the +
// side; the neighbouring line on the - side is read from uMinus, vMinus.  An
// x-line interface has normal velocity u, a y-line interface v.
template <bool xLine, Place place, bool setTimeStep, bool flowSpeed>
void scaledInterfaceFluxes(const SolverState& m, const Planes& q, int a0, int count, int along,
                           int across, const double* uMinus, const double* vMinus) {
  const double K = m.constants.reynolds / m.constants.uInf; // viscosity uInf / Re as a divisor
  const double halfDx = 0.5 * m.constants.mainDx;
  const double k4 = m.constants.k4Main, sA = m.constants.stressA, sB = m.constants.stressB,
               heat = m.constants.heatCoef;
  const double dtScale = m.constants.cflMain * m.constants.mainDx;
  const double viscousScale = kViscousNumber * m.constants.mainDx2 * K / std::max(sA, 0.4 * heat);
  const double floorSpeed = m.constants.lowMachFloor;
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

    const double qa = xLine ? q.u[a] : q.v[a];
    const double qb = xLine ? q.u[b] : q.v[b];
    // The spectral radii |q| + c of the two points, summed, or their
    // low-Mach forms.
    double L = halfDx * (std::fabs(qb) + kTwiceSoundSpeed + std::fabs(qa));
    if constexpr (flowSpeed) {
      const auto radius = [&](int n, double qn) {
        const double speed = std::sqrt(q.u[n] * q.u[n] + q.v[n] * q.v[n]);
        return lowMachRadius(qn, kSoundSpeed, lowMachReferenceMach(speed, floorSpeed, kSoundSpeed));
      };
      L = halfDx * (radius(a, qa) + radius(b, qb));
    }

    const double du = q.u[b] - q.u[a];
    const double dv = q.v[b] - q.v[a];
    const double cu =
        0.25 * (q.u[a + across] + q.u[b + across] - uMinus[a - across] - uMinus[b - across]);
    const double cv =
        0.25 * (q.v[a + across] + q.v[b + across] - vMinus[a - across] - vMinus[b - across]);
    const double sigma = xLine ? sA * du + sB * cv : sB * cu + sA * dv;
    const double tau = xLine ? cu + dv : du + cv;
    const double theta = heat * (q.T[b] - q.T[a]);
    const double ubar = 0.5 * (q.u[a] + q.u[b]);
    const double vbar = 0.5 * (q.v[a] + q.v[b]);

    q.h[0][a] = L * delta[0];
    if constexpr (xLine) {
      q.h[1][a] = L * delta[1] + sigma / K;
      q.h[2][a] = L * delta[2] + tau / K;
      q.h[3][a] = L * delta[3] + (ubar * sigma + vbar * tau + theta) / K;
    } else {
      q.h[1][a] = L * delta[1] + tau / K;
      q.h[2][a] = L * delta[2] + sigma / K;
      q.h[3][a] = L * delta[3] + (ubar * tau + vbar * sigma + theta) / K;
    }
    if constexpr (setTimeStep)
      q.dt[b] = std::min(dtScale / (std::max(std::fabs(q.u[b]), std::fabs(q.v[b])) + kSoundSpeed),
                         viscousScale * q.rho[b]);
  }
}

// The interface fluxes with the dissipation scaled by |q| + c, or by the
// low-Mach radius (a loop of its own, so that the classic one stays as it
// was).
template <bool xLine, Place place, bool setTimeStep>
void interfaceFluxes(const SolverState& m, const Planes& q, int a0, int count, int along,
                     int across, const double* uMinus, const double* vMinus) {
  if (m.constants.lowMachMain)
    scaledInterfaceFluxes<xLine, place, setTimeStep, true>(m, q, a0, count, along, across, uMinus,
                                                           vMinus);
  else
    scaledInterfaceFluxes<xLine, place, setTimeStep, false>(m, q, a0, count, along, across, uMinus,
                                                            vMinus);
}

// Negated convective fluxes of `count` points from plane index a0 on.
template <bool xLine> void pointFluxes(const Planes& q, int a0, int count) {
#pragma GCC ivdep
  for (int a = a0; a < a0 + count; ++a) {
    const double rho = q.rho[a], u = q.u[a], v = q.v[a], e = q.e[a], p = q.p[a];
    if constexpr (xLine) {
      const double f0 = -u * rho;
      q.f[0][a] = f0;
      q.f[1][a] = f0 * u - p;
      q.f[2][a] = f0 * v;
      q.f[3][a] = (e + p) * (-u);
    } else {
      const double f0 = -v * rho;
      q.f[0][a] = f0;
      q.f[1][a] = f0 * u;
      q.f[2][a] = f0 * v - p;
      q.f[3][a] = (e + p) * (-v);
    }
  }
}

// R = dx/2 (f(n+1) - f(n-1)) + H(n+1/2) - H(n-1/2) of component k at
// plane index a.
inline double residualAt(const Planes& q, int k, int a, int along, double halfDx) {
  return q.residualAt(k, a, along, halfDx);
}

// Point-wise state changes on a line of planes: U + X, or U - X.
void advancePoints(const Planes& q, int a0, int count) {
#pragma GCC ivdep
  for (int a = a0; a < a0 + count; ++a) q.advancePoint(a);
}

// U^n again.  advancePass formed the restored state already, from the same
// intermediate state and increment, and kept its velocity in uBefore and
// vBefore: the same operations would give the same bits, so the velocity
// is taken from there and only the sums for rho and E are formed again.
void restorePoints(const Planes& q, int a0, int count) {
#pragma GCC ivdep
  for (int a = a0; a < a0 + count; ++a) {
    q.rho[a] = q.rho[a] + -q.x[0][a];
    q.e[a] = q.e[a] + -q.x[3][a];
    q.u[a] = q.uBefore[a];
    q.v[a] = q.vBefore[a];
  }
}

// The passes below each take a range of the columns 1..nx and work on the
// part of it that the pass touches.

// x-lines j = 2..ny-1: point fluxes of the columns 1..nx, sensors of 2..nx-1.
WHIRLPANE_HOT_LOOP void xPointPass(const SolverState& m, const Planes& q, IndexRange share) {
  const int nx = m.grids.mainNx, rows = m.grids.mainNy - 2, S = q.stride;
  for (int i = share.first; i <= share.last; ++i) pointFluxes<true>(q, q.at(i, 2), rows);
  const IndexRange inner = within(share, 2, nx - 1);
  for (int i = inner.first; i <= inner.last; ++i) q.pressureSensors(q.at(i, 2), rows, S);
}

// x-lines: the interfaces i + 1/2, i = 1..nx-1.
WHIRLPANE_HOT_LOOP void xInterfacePass(const SolverState& m, const Planes& q, IndexRange share) {
  const int nx = m.grids.mainNx, rows = m.grids.mainNy - 2, S = q.stride;
  const IndexRange r = within(share, 1, nx - 1);
  for (int i = r.first; i <= r.last; ++i) {
    const int a0 = q.at(i, 2);
    if (i == 1)
      interfaceFluxes<true, Place::first, false>(m, q, a0, rows, S, 1, q.u, q.v);
    else if (i == nx - 1)
      interfaceFluxes<true, Place::last, false>(m, q, a0, rows, S, 1, q.u, q.v);
    else
      interfaceFluxes<true, Place::inner, false>(m, q, a0, rows, S, 1, q.u, q.v);
  }
}

// x-lines: res := R_x at the columns 2..nx-1.
WHIRLPANE_HOT_LOOP void xResidualPass(const SolverState& m, const Planes& q, IndexRange share) {
  const int rows = m.grids.mainNy - 2, S = q.stride;
  const double halfDx = 0.5 * m.constants.mainDx;
  const IndexRange r = within(share, 2, m.grids.mainNx - 1);
  for (int i = r.first; i <= r.last; ++i) {
    const int a0 = q.at(i, 2);
#pragma GCC ivdep
    for (int a = a0; a < a0 + rows; ++a)
      for (int k = 0; k < 4; ++k) q.r[k][a] = residualAt(q, k, a, S, halfDx);
  }
}

// The line procedure of the y-line through column i, points j = 1..ny:
// fluxes into h at the interfaces, f at the points.
template <bool setTimeStep>
void yLine(const SolverState& m, const Planes& q, int i, const double* uMinus,
           const double* vMinus) {
  const int ny = m.grids.mainNy, S = q.stride;
  pointFluxes<false>(q, q.at(i, 1), ny);
  q.pressureSensors(q.at(i, 2), ny - 2, 1);
  interfaceFluxes<false, Place::first, setTimeStep>(m, q, q.at(i, 1), 1, 1, S, uMinus, vMinus);
  interfaceFluxes<false, Place::inner, setTimeStep>(m, q, q.at(i, 2), ny - 3, 1, S, uMinus, vMinus);
  interfaceFluxes<false, Place::last, setTimeStep>(m, q, q.at(i, ny - 1), 1, 1, S, uMinus, vMinus);
}

// Stage 1, y-lines: res := R_x + R_y = R(U^n), and the local time steps.
WHIRLPANE_HOT_LOOP void yStage1Pass(const SolverState& m, const Planes& q, IndexRange share) {
  const int rows = m.grids.mainNy - 2;
  const double halfDx = 0.5 * m.constants.mainDx;
  const IndexRange r = within(share, 2, m.grids.mainNx - 1);
  for (int i = r.first; i <= r.last; ++i) {
    yLine<true>(m, q, i, q.u, q.v);
    const int a0 = q.at(i, 2);
    // A time-accurate run: one step for all, in place of the local ones.
    if (m.constants.timeAccurate)
      for (int a = a0; a <= a0 + rows; ++a) q.dt[a] = m.solution.globalTimeStep;
#pragma GCC ivdep
    for (int a = a0; a < a0 + rows; ++a)
      for (int k = 0; k < 4; ++k) q.r[k][a] = q.r[k][a] + residualAt(q, k, a, 1, halfDx);
  }
}

// Holes take no step; X = g1 / 2 = dt R(U^n) / (2 dx^2), the intermediate
// state U^n + X, and the velocity that restoring U^n will give.
WHIRLPANE_HOT_LOOP void advancePass(const SolverState& m, const Planes& q, IndexRange share) {
  const int rows = m.grids.mainNy - 2;
  const IndexRange r = within(share, 2, m.grids.mainNx - 1);
  for (int h = 1; h <= m.coupling.mainHoleCount; ++h) {
    const GridIndex& hole = m.coupling.mainHoleList[h];
    if (hole.i >= r.first && hole.i <= r.last) q.dt[q.at(hole.i, hole.j)] = 0;
  }
  for (int i = r.first; i <= r.last; ++i) {
    const int a0 = q.at(i, 2);
#pragma GCC ivdep
    for (int a = a0; a < a0 + rows; ++a)
      for (int k = 0; k < 4; ++k) q.x[k][a] = 0.5 * q.dt[a] * q.r[k][a] / m.constants.mainDx2;
    advancePoints(q, a0, rows);
#pragma GCC ivdep
    for (int a = a0; a < a0 + rows; ++a) {
      double rho = q.rho[a], u = q.u[a], v = q.v[a], e = q.e[a];
      addConservedIncrement(rho, u, v, e, -q.x[0][a], -q.x[1][a], -q.x[2][a], -q.x[3][a]);
      q.uBefore[a] = u;
      q.vBefore[a] = v;
    }
  }
}

// Stage 2, y-lines: Y = 4 X - dt R / dx^2 = 2 g1 - g2, with column i - 1
// read at U^n and column i + 1 at the intermediate state.
WHIRLPANE_HOT_LOOP void yStage2Pass(const SolverState& m, const Planes& q, IndexRange share) {
  const int rows = m.grids.mainNy - 2;
  const double halfDx = 0.5 * m.constants.mainDx;
  const IndexRange r = within(share, 2, m.grids.mainNx - 1);
  for (int i = r.first; i <= r.last; ++i) {
    yLine<false>(m, q, i, q.uBefore, q.vBefore);
    const int a0 = q.at(i, 2);
#pragma GCC ivdep
    for (int a = a0; a < a0 + rows; ++a)
      for (int k = 0; k < 4; ++k) {
        const double z =
            (q.r[k][a] + residualAt(q, k, a, 1, halfDx)) * q.dt[a] / m.constants.mainDx2;
        q.r[k][a] = 4.0 * q.x[k][a] - z;
      }
  }
}

WHIRLPANE_HOT_LOOP void loadPass(const SolverState& m, const Planes& q, IndexRange share) {
  const int ny = m.grids.mainNy;
  for (int i = share.first; i <= share.last; ++i) {
    for (int j = 1; j <= ny; ++j) {
      q.loadPoint(m.solution.mainFlow[i][j], q.at(i, j));
    }
    // The velocity at U^n that the stage-2 y-lines read beside them: column
    // 1 and the edge rows, which no step changes; advancePass forms the rest.
    for (int j = 1; j <= ny; j += (i == 1 ? 1 : std::max(1, ny - 1))) {
      const int a = q.at(i, j);
      q.uBefore[a] = q.u[a];
      q.vBefore[a] = q.v[a];
    }
  }
}

// U^n again (the pressure stays at its intermediate value) and, with
// toRecords, the state, stage values and time steps written back to the
// records.
template <bool toRecords>
WHIRLPANE_HOT_LOOP void restoreAndStorePass(const SolverState& m, const Planes& q,
                                            IndexRange share) {
  const int rows = m.grids.mainNy - 2;
  const IndexRange r = within(share, 2, m.grids.mainNx - 1);
  for (int i = r.first; i <= r.last; ++i) {
    restorePoints(q, q.at(i, 2), rows);
    if constexpr (toRecords) {
      for (int j = 2; j <= m.grids.mainNy - 1; ++j) {
        FlowPoint& f = m.solution.mainFlow[i][j];
        const int a = q.at(i, j);
        q.storeState(f, a);
        f[slot::dt] = q.dt[a];
        for (int k = 0; k < 4; ++k) {
          f[slot::res + k] = q.r[k][a];
          f[slot::dq + k] = q.x[k][a];
        }
      }
      m.solution.mainFlow[i][m.grids.mainNy][slot::dt] = q.dt[q.at(i, m.grids.mainNy)];
    }
  }
}

// X and the time steps of the interior points written to the records, whose
// state stays as it was loaded.
void storeFirstStage(const SolverState& m, const Planes& q) {
  for (int i = 2; i <= m.grids.mainNx - 1; ++i)
    for (int j = 2; j <= m.grids.mainNy - 1; ++j) {
      FlowPoint& f = m.solution.mainFlow[i][j];
      const int a = q.at(i, j);
      f[slot::dt] = q.dt[a];
      for (int k = 0; k < 4; ++k) f[slot::dq + k] = q.x[k][a];
    }
}

// Adds the inner products of the stage values of column i (if it has
// updated points), in row order.
void addColumnProducts(const SolverState& m, const Planes& q, int i, StageSums& sums) {
  if (i < 2 || i > m.grids.mainNx - 1) return;
  const int a0 = q.at(i, 2);
  for (int a = a0; a < a0 + m.grids.mainNy - 2; ++a)
    for (int k = 0; k < 4; ++k) sums.add(k, q.x[k][a], q.r[k][a]);
}

} // namespace

namespace {
// The passes run column by column, each column as soon as the columns it
// reads are ready and no later pass still needs what it overwrites, so
// that a pass finds its columns in cache (every pass over the whole grid
// would stream all planes through memory):
//   stage 1, at column i: the state of column i + 2, the point fluxes and
//     sensors of i, the interface i - 1/2 and R_x of i - 1, then the y-line
//     of i - 2 (its fluxes overwrite the x-fluxes that R_x of i - 1 has
//     just read; it reads the velocity of i - 1 before any column moves);
//   the intermediate state of every column;
//   stage 2 likewise, the y-line of i - 2 followed by U^n again at i - 2,
//     once the interface i - 1/2 has read it, and the inner products of
//     the stage values of i - 2.
// Every value is formed by the operations of the passes over the whole
// grid, so the results are the same bits.
template <bool toRecords> void stages(const SolverState& m, bool firstStageOnly = false) {
  const Planes q(m);
  const int nx = m.grids.mainNx;
  const auto column = [](int i) { return IndexRange{i, i}; };
  const auto xPasses = [&](int i) {
    if (i <= nx) xPointPass(m, q, column(i));
    if (i - 1 >= 1 && i - 1 <= nx - 1) {
      xInterfacePass(m, q, column(i - 1));
      xResidualPass(m, q, column(i - 1));
    }
  };
  loadPass(m, q, column(1));
  if (nx >= 2) loadPass(m, q, column(2));
  for (int i = 1; i <= nx + 2; ++i) {
    if (i + 2 <= nx) loadPass(m, q, column(i + 2));
    xPasses(i);
    yStage1Pass(m, q, column(i - 2));
  }
  advancePass(m, q, {1, nx});
  if (firstStageOnly) {
    storeFirstStage(m, q);
    return;
  }
  StageSums sums(m.scratch.mainSumXX, m.scratch.mainSumXY, m.scratch.mainSumYY);
  for (int i = 1; i <= nx + 2; ++i) {
    xPasses(i);
    yStage2Pass(m, q, column(i - 2));
    restoreAndStorePass<toRecords>(m, q, column(i - 2));
    addColumnProducts(m, q, i - 2, sums);
  }
  sums.store(m.scratch.mainSumXX, m.scratch.mainSumXY, m.scratch.mainSumYY);
}
} // namespace

void mainGridResidual(const SolverState& m) {
  stages<true>(m);
  for (int h = 1; h <= m.coupling.mainHoleCount; ++h)
    m.solution.mainFlow[m.coupling.mainHoleList[h].i][m.coupling.mainHoleList[h].j][slot::dt] = 0;
}

void mainGridFirstStage(const SolverState& m) {
  stages<true>(m, true);
}

void mainStages(const SolverState& m) {
  stages<false>(m);
}
