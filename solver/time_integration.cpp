#include "solver/time_integration.h"

#include "core/physics.h"
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

// Where the bodies' metric planes begin in m.wkMetricPlanes (one body's after
// the other's), forming them again if the metrics were computed again since
// (a new set-up).
std::array<int, kBodySlots + 1> auxMetricOffsets(Model& m) {
  std::array<int, kBodySlots + 1> offset{};
  for (int b = 1; b < m.nBodies; ++b)
    offset[b + 1] = offset[b] + kAuxMetricPlaneCount * auxPlaneSize(m.bodyFirst[b], m.bodyLast[b]);
  if (m.wkMetricPlanesGeneration != m.metricGeneration) {
    for (int b = 1; b <= m.nBodies; ++b)
      loadAuxMetrics(m, m.bodyFirst[b], m.bodyLast[b], 1, m.wkMetricPlanes.data() + offset[b]);
    m.wkMetricPlanesGeneration = m.metricGeneration;
  }
  return offset;
}

// The values of one thread's work area in m.wkPlanes: the planes of the
// widest body.
int auxAreaSize(const Model& m) {
  int widest = 0;
  for (int b = 1; b <= m.nBodies; ++b)
    widest = std::max(widest, auxPlaneSize(m.bodyFirst[b], m.bodyLast[b]));
  return kAuxWorkPlaneCount * std::max(widest, 1);
}

// The stages of every body's auxiliary grid and their inner products.  The
// bodies are independent of each other (their column ranges are apart);
// each is worked on by one thread, in that thread's share of m.wkPlanes,
// which holds the planes of one body at a time (a few hundred kilobytes, so
// they stay in cache).  The inner products are then summed in body order.
void auxResiduals(Model& m) {
  const auto metricOffset = auxMetricOffsets(m);
  const int areaSize = auxAreaSize(m);
  const int areas = std::max(1, int(m.wkPlanes.size()) / areaSize);
  const int teamLimit = std::min(areas, m.nBodies);
#pragma omp parallel num_threads(std::min(omp_get_max_threads(), std::max(teamLimit, 1)))
  {
    double* area = m.wkPlanes.data() + std::size_t(omp_get_thread_num()) * areaSize;
#pragma omp for schedule(static)
    for (int b = 1; b <= m.nBodies; ++b)
      auxStages(m, m.bodyFirst[b], m.bodyLast[b], 2, m.wkNr - 1, 1, 100.0, area,
                m.wkMetricPlanes.data() + metricOffset[b]);
  }
  for (int b = 1; b <= m.nBodies; ++b)
    sumAuxStageProducts(m, m.bodyFirst[b], m.bodyLast[b], 2, m.wkNr - 1, 1);
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

// Each increment depends on its own point only: the points are shared
// between threads.
void combineMainStages(Model& m) {
  const StageWeights w = combinationWeights(m.rySumXX, m.rySumXY, m.rySumYY);
#pragma omp parallel for schedule(static)
  for (int i = 2; i <= m.ryNx - 1; ++i)
    for (int j = 2; j <= m.ryNy - 1; ++j)
      if (m.ryHoleFlag[i][j] == 0) combinePoint(m.ryFlow[i][j], w);
}

void combineAuxStages(Model& m) {
  const StageWeights w = combinationWeights(m.wkSumXX, m.wkSumXY, m.wkSumYY);
#pragma omp parallel for schedule(static)
  for (int b = 1; b <= m.nBodies; ++b)
    for (int r = 2; r <= m.wkNr - 1; ++r)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) combinePoint(m.wkFlow[p][r][1], w);
}

inline void advancePoint(FlowPoint& f) {
  advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
}

// The hole list's increments cleared, then the interior points advanced,
// shared between threads.
void updateMain(Model& m) {
  for (int h = 1; h <= m.ryBlankCount; ++h) {
    FlowPoint& f = m.ryFlow[m.ryBlankList[h].i][m.ryBlankList[h].j];
    for (int k = 0; k < 4; ++k) f[slot::dq + k] = 0;
  }
#pragma omp parallel for schedule(static)
  for (int i = 2; i <= m.ryNx - 1; ++i)
    for (int j = 2; j <= m.ryNy - 1; ++j) advancePoint(m.ryFlow[i][j]);
}

void updateAux(Model& m) {
#pragma omp parallel for schedule(static)
  for (int b = 1; b <= m.nBodies; ++b)
    for (int r = 2; r <= m.wkNr - 1; ++r)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) advancePoint(m.wkFlow[p][r][1]);
}

// Each grid's part of a step.  Neither reads or writes what the other's
// does (the grids meet only in the boundary conditions, after both), so
// they can run at once.
void mainGridStep(Model& m) {
  Risa_RY_2(m);
  combineMainStages(m);
  Gauss_RY(m);
  updateMain(m);
}

void auxGridStep(Model& m) {
  auxResiduals(m);
  combineAuxStages(m);
  Gauss_WK(m, 1, m.wkNp, 1, m.wkNr, 1);
  updateAux(m);
}

} // namespace

void RRK(Model& m) {
  Risa_RY_2(m);
  auxResiduals(m);
  combineStages(m);
}

void combineStages(Model& m) {
  combineMainStages(m);
  combineAuxStages(m);
}

void ADD_RY(Model& m) {
  updateMain(m);
  updateAux(m);
}

void stepGrids(Model& m) {
  // The step's number of threads, chosen as it begins and kept by the
  // soundness check after it.
  const int threads = chooseStepThreads(m);
  if (threads < 2 || m.nBodies < 1) {
    mainGridStep(m);
    auxGridStep(m);
    return;
  }
  // One grid on each of two threads.  The loops inside each grid's part
  // then run on the thread that reached them (no nested teams), so the
  // threads meet once per step, at the end: a sleeping thread takes tens of
  // microseconds to wake, which synchronising within the passes paid many
  // times a step.
#pragma omp parallel num_threads(2)
  {
    if (omp_get_thread_num() == 0)
      mainGridStep(m);
    else
      auxGridStep(m);
  }
}
