#include "solver/time_integration.h"

#include "core/physics.h"
#include "solver/flow_check.h"
#include "solver/main_planes.h"
#include "solver/parallel.h"
#include "solver/residual_aux.h"
#include "solver/residual_main.h"
#include "solver/smoothing.h"

#include <algorithm>
#include <array>

namespace {
// Keeps the quotients of the rational combination finite when a grid's
// stage values are all zero.
constexpr double kQuotientGuard = 1e-40;
} // namespace

namespace {

// Where the bodies' metric planes begin in m.bodyMetricPlanes (one body's after
// the other's), forming them again if the metrics were computed again since
// (a new set-up).
std::array<int, kBodySlots + 1> auxMetricOffsets(const SolverState& m) {
  std::array<int, kBodySlots + 1> offset{};
  for (int b = 1; b < m.grids.nBodies; ++b)
    offset[b + 1] =
        offset[b] + kAuxMetricPlaneCount * auxPlaneSize(m.grids.bodyFirst[b], m.grids.bodyLast[b],
                                                        auxPlaneStride(m.layout.bodyLayers));
  if (m.scratch.bodyMetricPlanesGeneration != m.grids.metricGeneration) {
    for (int b = 1; b <= m.grids.nBodies; ++b)
      loadAuxMetrics(m.layout, m.grids, m.grids.bodyFirst[b], m.grids.bodyLast[b], 1,
                     m.scratch.bodyMetricPlanes.data() + offset[b]);
    m.scratch.bodyMetricPlanesGeneration = m.grids.metricGeneration;
  }
  return offset;
}

// The stages of every body's auxiliary grid and their inner products, one
// body after the other in the work area at the start of m.scratch.bodyPlanes, which
// holds the planes of one body at a time (a few hundred kilobytes, so they
// stay in cache).  The inner products are then summed in body order.
void auxResiduals(const SolverState& m) {
  const auto metricOffset = auxMetricOffsets(m);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    auxStages(m, m.grids.bodyFirst[b], m.grids.bodyLast[b], 2, m.layout.bodyLayers - 1, 1,
              m.constants.reynolds, m.scratch.bodyPlanes.data(),
              m.scratch.bodyMetricPlanes.data() + metricOffset[b]);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    sumAuxStageProducts(m.scratch, m.solution, m.grids.bodyFirst[b], m.grids.bodyLast[b], 2,
                        m.layout.bodyLayers - 1, 1);
}

// The weights of the rational combination from a grid's inner products,
// which are then zero again for the next step.
struct StageWeights {
  double x[5], y[5];
};
StageWeights combinationWeights(Arr1<double, 4>& sumXX, Arr1<double, 4>& sumXY,
                                Arr1<double, 4>& sumYY) {
  // dq = X weightX - Y weightY with weightX = 8(X,Y)/(Y,Y), weightY = 4(X,X)/(Y,Y).
  StageWeights w;
  for (int k = 1; k <= 4; ++k) {
    w.x[k] = 8 * sumXY[k] / (kQuotientGuard + sumYY[k]);
    w.y[k] = 4 * sumXX[k] / (kQuotientGuard + sumYY[k]);
    sumYY[k] = sumXY[k] = sumXX[k] = 0;
  }
  return w;
}

inline void combinePoint(FlowPoint& f, const StageWeights& w) {
  for (int k = 1; k <= 4; ++k)
    f[slot::dq + k - 1] = f[slot::dq + k - 1] * w.x[k] - f[slot::res + k - 1] * w.y[k];
}

void combineMainStages(const SolverState& m) {
  const StageWeights w =
      combinationWeights(m.scratch.mainSumXX, m.scratch.mainSumXY, m.scratch.mainSumYY);
  for (int i = 2; i <= m.grids.mainNx - 1; ++i)
    for (int j = 2; j <= m.grids.mainNy - 1; ++j)
      if (m.coupling.mainHoleFlag[i][j] == 0) combinePoint(m.solution.mainFlow[i][j], w);
}

void combineAuxStages(const SolverState& m) {
  const StageWeights w =
      combinationWeights(m.scratch.bodySumXX, m.scratch.bodySumXY, m.scratch.bodySumYY);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int r = 2; r <= m.layout.bodyLayers - 1; ++r)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
        combinePoint(m.solution.bodyFlow[p][r][1], w);
}

inline void advancePoint(FlowPoint& f) {
  advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
}

// The hole list's increments cleared, then the interior points advanced.
void updateMain(const SolverState& m) {
  for (int h = 1; h <= m.coupling.mainHoleCount; ++h) {
    FlowPoint& f = m.solution.mainFlow[m.coupling.mainHoleList[h].i][m.coupling.mainHoleList[h].j];
    for (int k = 0; k < 4; ++k) f[slot::dq + k] = 0;
  }
  for (int i = 2; i <= m.grids.mainNx - 1; ++i)
    for (int j = 2; j <= m.grids.mainNy - 1; ++j) advancePoint(m.solution.mainFlow[i][j]);
}

void updateAux(const SolverState& m) {
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int r = 2; r <= m.layout.bodyLayers - 1; ++r)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
        advancePoint(m.solution.bodyFlow[p][r][1]);
}

// Each grid's part of a step.  Neither reads or writes what the other's
// does (the grids meet only in the boundary conditions, after both), so
// they can run at once.
// The main grid's stage values combined into the increments, four to a
// point, in d (the points with a hole flag keep X).
WHIRLPANE_HOT_LOOP void combineMainPlanes(const SolverState& m, const MainPlanes& q, double* d,
                                          const StageWeights& w) {
  for (int i = 2; i <= m.grids.mainNx - 1; ++i) {
    const std::uint8_t* hole = &m.coupling.mainHoleFlag[i][0];
    const int a0 = q.at(i, 0);
#pragma GCC ivdep
    for (int j = 2; j <= m.grids.mainNy - 1; ++j) {
      const int a = a0 + j;
      for (int k = 0; k < 4; ++k) {
        const double combined = q.x[k][a] * w.x[k + 1] - q.r[k][a] * w.y[k + 1];
        d[4 * a + k] = hole[j] == 0 ? combined : q.x[k][a];
      }
    }
  }
}

// U^n + dq at the interior points, written to the records with the time
// steps and the increments; with a tally, the points that are not holes
// checked and added to the history as they are written.
template <bool tallied>
WHIRLPANE_HOT_LOOP void updateMainPlanes(const SolverState& m, const MainPlanes& q, const double* d,
                                         StepTally* tally) {
  const int ny = m.grids.mainNy;
  // Local totals: the compiler cannot tell the tally from the records.
  ResidualTotals totals;
  bool sound = true;
  for (int i = 2; i <= m.grids.mainNx - 1; ++i) {
    const std::uint8_t* hole = &m.coupling.mainHoleFlag[i][0];
    const int a0 = q.at(i, 0);
#pragma GCC ivdep
    for (int a = a0 + 2; a <= a0 + ny - 1; ++a) {
      addConservedIncrement(q.rho[a], q.u[a], q.v[a], q.e[a], d[4 * a], d[4 * a + 1], d[4 * a + 2],
                            d[4 * a + 3]);
      q.p[a] = pressureOf(q.rho[a], q.u[a], q.v[a], q.e[a]);
    }
    for (int j = 2; j <= ny - 1; ++j) {
      const int a = a0 + j;
      FlowPoint& f = m.solution.mainFlow[i][j];
      q.storeState(f, a);
      f[slot::dt] = q.dt[a];
      for (int k = 0; k < 4; ++k) f[slot::dq + k] = d[4 * a + k];
      if (tallied && hole[j] == 0) {
        sound = sound && pointIsSound(f);
        totals.add(f);
      }
    }
    m.solution.mainFlow[i][ny][slot::dt] = q.dt[a0 + ny];
  }
  if constexpr (tallied) tally->mainSound = sound, tally->main = totals;
}

// The bodies' part of the tally, after their update: (dq/dt)^2 of every
// point the history takes, and the check and largest speed of those the
// seams leave alone (all but the first column).
void tallyAux(const SolverState& m, StepTally& tally) {
  std::size_t n = 0;
  for (int b = 1; b <= m.grids.nBodies; ++b)
    n += std::size_t(std::max(0, m.grids.bodyLast[b] - m.grids.bodyFirst[b])) *
         std::max(0, m.layout.bodyLayers - 2);
  tally.auxRates.resize(n); // allocates on a run's first step only
  double* rates = tally.auxRates.data();
  ResidualTotals speeds;
  bool sound = true;
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b] - 1; ++p)
      for (int r = 2; r <= m.layout.bodyLayers - 1; ++r) {
        const FlowPoint& f = m.solution.bodyFlow[p][r][1];
        *rates++ = ResidualTotals::rateSquared(f);
        if (p == m.grids.bodyFirst[b]) continue;
        sound = sound && pointIsSound(f);
        speeds.addSpeed(f);
      }
  tally.auxSound = sound;
  tally.auxLargestSpeedSquared = speeds.largestSpeedSquared;
}

void mainGridStep(const SolverState& m, StepTally* tally) {
  // mainGridResidual, the combination, smoothMainGrid and the update, on the work planes
  // the residual leaves its results in: the records are read for the
  // increments of the edge points (which the smoothing carries from step to
  // step) and written once, with what the separate routines would leave in
  // them, stage values apart (the smoothing and the update read those from
  // the planes).  The same operations in the same order: the same bits.
  mainStages(m);
  const StageWeights w =
      combinationWeights(m.scratch.mainSumXX, m.scratch.mainSumXY, m.scratch.mainSumYY);
  const MainPlanes q(m);
  const int nx = m.grids.mainNx, ny = m.grids.mainNy;
  // The increments, four to a point, in the convective-flux planes, which
  // the residual no longer needs.
  double* const d = q.f[0];
  auto at = [&](int i, int j) { return d + 4 * q.at(i, j); };
  combineMainPlanes(m, q, d, w);
  // The edge points the smoothing's lines reach: rows 1 and ny of the
  // columns 2..nx-1, columns 1 and nx of the rows 2..ny-1.
  const auto edges = [&](auto move) {
    for (int i = 2; i <= nx - 1; ++i) move(i, 1), move(i, ny);
    for (int j = 2; j <= ny - 1; ++j) move(1, j), move(nx, j);
  };
  edges([&](int i, int j) {
    for (int k = 0; k < 4; ++k) at(i, j)[k] = m.solution.mainFlow[i][j][slot::dq + k];
  });
  if (!m.constants.timeAccurate) smoothMainPlane(m.grids, d, q.stride);
  edges([&](int i, int j) {
    for (int k = 0; k < 4; ++k) m.solution.mainFlow[i][j][slot::dq + k] = at(i, j)[k];
  });
  for (int h = 1; h <= m.coupling.mainHoleCount; ++h) {
    const GridIndex& hole = m.coupling.mainHoleList[h];
    double* dq = at(hole.i, hole.j);
    for (int k = 0; k < 4; ++k) dq[k] = 0;
  }
  if (tally)
    updateMainPlanes<true>(m, q, d, tally);
  else
    updateMainPlanes<false>(m, q, d, nullptr);
  for (int h = 1; h <= m.coupling.mainHoleCount; ++h)
    m.solution.mainFlow[m.coupling.mainHoleList[h].i][m.coupling.mainHoleList[h].j][slot::dt] = 0;
}

void auxGridStep(const SolverState& m, StepTally* tally) {
  auxResiduals(m);
  combineAuxStages(m);
  if (!m.constants.timeAccurate)
    smoothBodyGrids(m, 1, m.grids.bodyPerimeterPoints, 1, m.layout.bodyLayers, 1);
  updateAux(m);
  if (tally) tallyAux(m, *tally);
}

// The three-stage step of a time-accurate run, Kutta's third-order rule:
//   g1 = dt R(U^n),  g2 = dt R(U^n + g1/2),  g3 = dt R(U^n - g1 + 2 g2),
//   U^{n+1} = U^n + (g1 + 4 g2 + g3) / 6.
// The two-stage residual routines give X = g1/2 and Y = 2 g1 - g2 at U^n,
// so g1 = 2X, g2 = 4X - Y and the third stage's state is
//   U3 = U^n + 6X - 2Y;
// the first stage alone at U3 gives X' = g3/2, and
//   U^{n+1} = U^n + 3X - (2/3)Y + X'/3.
// Its stability polynomial 1 + z + z^2/2 + z^3/6 holds imaginary
// eigenvalues up to |z| = 1.73, where the two-stage step's 1 + z + z^2/2
// amplifies every one.  The boundary values stay at U^n through the stages.
constexpr int kKeptPerPoint = 8; // U^n (rho, u, v, E), then the share of the increment

// At a point holding U^n (its pressure at the intermediate state's), X and
// Y: keeps U^n and 3X - (2/3)Y, and sets U3 = U^n + 6X - 2Y with its
// pressure.
inline void enterThirdStage(FlowPoint& f, double* kept) {
  for (int k = 0; k < 4; ++k) {
    kept[k] = f[slot::rho + k];
    kept[4 + k] = 3 * f[slot::dq + k] - (2.0 / 3.0) * f[slot::res + k];
  }
  const auto d = [&](int k) { return 6 * f[slot::dq + k] - 2 * f[slot::res + k]; };
  advanceState(f, d(0), d(1), d(2), d(3));
}

// At a point holding X' = g3/2: U^n again, and the step's increment
// 3X - (2/3)Y + X'/3 in dq for the update.
inline void leaveThirdStage(FlowPoint& f, const double* kept) {
  for (int k = 0; k < 4; ++k) {
    f[slot::rho + k] = kept[k];
    f[slot::dq + k] = kept[4 + k] + f[slot::dq + k] / 3;
  }
}

// The kept values of `points` points, allocated on the first step only.
double* keptValues(std::vector<double>& kept, std::size_t points) {
  if (kept.size() != kKeptPerPoint * points) kept.assign(kKeptPerPoint * points, 0.0);
  return kept.data();
}

void mainGridThirdOrderStep(const SolverState& m, StepTally* tally) {
  const int nx = m.grids.mainNx, ny = m.grids.mainNy;
  double* kept = keptValues(m.scratch.mainStepStart, std::size_t(nx + 1) * (ny + 1));
  const auto keptAt = [&](int i, int j) { return kept + kKeptPerPoint * (i * (ny + 1) + j); };
  const auto interior = [&](auto visit) {
    for (int i = 2; i <= nx - 1; ++i)
      for (int j = 2; j <= ny - 1; ++j) visit(m.solution.mainFlow[i][j], keptAt(i, j));
  };
  mainGridResidual(m);
  for (int k = 1; k <= 4; ++k) // the rational combination's, not used here
    m.scratch.mainSumXX[k] = m.scratch.mainSumXY[k] = m.scratch.mainSumYY[k] = 0;
  interior(enterThirdStage); // the holes' X and Y are zero, as their time step
  mainGridFirstStage(m);
  interior(leaveThirdStage);
  updateMain(m);
  if (!tally) return;
  ResidualTotals totals;
  bool sound = true;
  for (int i = 2; i <= nx - 1; ++i)
    for (int j = 2; j <= ny - 1; ++j)
      if (m.coupling.mainHoleFlag[i][j] == 0) {
        sound = sound && pointIsSound(m.solution.mainFlow[i][j]);
        totals.add(m.solution.mainFlow[i][j]);
      }
  tally->mainSound = sound, tally->main = totals;
}

void auxGridThirdOrderStep(const SolverState& m, StepTally* tally) {
  const auto metricOffset = auxMetricOffsets(m);
  const int layers = m.layout.bodyLayers;
  const auto residuals = [&](bool firstStageOnly) {
    for (int b = 1; b <= m.grids.nBodies; ++b)
      auxStages(m, m.grids.bodyFirst[b], m.grids.bodyLast[b], 2, layers - 1, 1,
                m.constants.reynolds, m.scratch.bodyPlanes.data(),
                m.scratch.bodyMetricPlanes.data() + metricOffset[b], firstStageOnly);
  };
  double* kept = keptValues(m.scratch.bodyStepStart,
                            std::size_t(m.solution.bodyFlow.extent1()) * (layers + 1));
  const auto interior = [&](auto visit) {
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int r = 2; r <= layers - 1; ++r)
        for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
          visit(m.solution.bodyFlow[p][r][1], kept + kKeptPerPoint * (p * (layers + 1) + r));
  };
  residuals(false);
  interior(enterThirdStage);
  // A closed ring's ghost columns follow their periodic partners into U3;
  // the classic seam holds them at U^n.  The boundary conditions set them
  // again after the step.
  if (m.constants.periodicSeams)
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int r = 2; r <= layers - 1; ++r) {
        const int pF = m.grids.bodyFirst[b], pL = m.grids.bodyLast[b];
        for (int k = slot::rho; k <= slot::pres; ++k) {
          m.solution.bodyFlow[pF - 1][r][1][k] = m.solution.bodyFlow[pL - 1][r][1][k];
          m.solution.bodyFlow[pL + 1][r][1][k] = m.solution.bodyFlow[pF + 1][r][1][k];
        }
      }
  residuals(true);
  interior(leaveThirdStage);
  updateAux(m);
  if (tally) tallyAux(m, *tally);
}

} // namespace

void rationalRungeKuttaIncrement(const SolverState& m) {
  mainGridResidual(m);
  auxResiduals(m);
  combineStages(m);
}

void combineStages(const SolverState& m) {
  combineMainStages(m);
  combineAuxStages(m);
}

void addIncrements(const SolverState& m) {
  updateMain(m);
  updateAux(m);
}

void stepGrids(const SolverState& m, StepTally* tally) {
  if (tally) tally->gathered = true;
  // The threads meet once per step, at its end: a sleeping thread takes
  // tens of microseconds to wake, which sharing the passes within a grid
  // would pay many times a step.
  if (m.constants.timeAccurate)
    runSideBySide([&] { mainGridThirdOrderStep(m, tally); },
                  [&] { auxGridThirdOrderStep(m, tally); });
  else
    runSideBySide([&] { mainGridStep(m, tally); }, [&] { auxGridStep(m, tally); });
}
