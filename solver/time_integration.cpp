#include "solver/time_integration.h"

#include "core/physics.h"
#include "solver/parallel.h"
#include "solver/residual_aux.h"
#include "solver/residual_main.h"

#include <algorithm>
#include <array>

namespace {
// Keeps the quotients of the rational combination finite when a grid's
// stage values are all zero.
constexpr double kQuotientGuard = 1e-40;
} // namespace

void RRK(Model& m) {
  // The step's number of threads, chosen as it begins (RRK opens every step)
  // and kept by the smoothing, the update and the soundness check after it.
  chooseStepThreads(m);
  Risa_RY_2(m);
  // The bodies' auxiliary grids are independent of each other (their column
  // ranges are apart); each is worked on by one thread, in that thread's
  // share of m.wkPlanes, which holds the planes of one body at a time (a few
  // hundred kilobytes, so they stay in cache).  The inner products are then
  // summed in body order.
  // The bodies' metric planes lie one after the other in m.wkMetricPlanes;
  // they are formed again only after the metrics were (a new set-up).
  std::array<int, kBodySlots + 1> metricOffset{};
  for (int b = 1; b < m.nBodies; ++b)
    metricOffset[b + 1] =
        metricOffset[b] + kAuxMetricPlaneCount * auxPlaneSize(m.bodyFirst[b], m.bodyLast[b]);
  if (m.wkMetricPlanesGeneration != m.metricGeneration) {
    for (int b = 1; b <= m.nBodies; ++b)
      loadAuxMetrics(m, m.bodyFirst[b], m.bodyLast[b], 1,
                     m.wkMetricPlanes.data() + metricOffset[b]);
    m.wkMetricPlanesGeneration = m.metricGeneration;
  }
  int widest = 0;
  for (int b = 1; b <= m.nBodies; ++b)
    widest = std::max(widest, auxPlaneSize(m.bodyFirst[b], m.bodyLast[b]));
  const int areaSize = kAuxWorkPlaneCount * std::max(widest, 1);
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
  combineStages(m);
}

void combineStages(Model& m) {
  // The eight quotients first; each increment then depends only on its own
  // point, so one sweep per grid serves all four components.
  // dq = X weightX - Y weightY with weightX = 8(X,Y)/(Y,Y), weightY = 4(X,X)/(Y,Y).
  double ryWeightX[5], ryWeightY[5], wkWeightX[5], wkWeightY[5];
  for (int k = 1; k <= 4; ++k) {
    ryWeightX[k] = m.rySumXY[k] = 8 * m.rySumXY[k] / (kQuotientGuard + m.rySumYY[k]);
    ryWeightY[k] = m.rySumXX[k] = 4 * m.rySumXX[k] / (kQuotientGuard + m.rySumYY[k]);
    wkWeightX[k] = m.wkSumXY[k] = 8 * m.wkSumXY[k] / (kQuotientGuard + m.wkSumYY[k]);
    wkWeightY[k] = m.wkSumXX[k] = 4 * m.wkSumXX[k] / (kQuotientGuard + m.wkSumYY[k]);
  }

  // Each increment depends on its own point only: the points are shared
  // between threads.
#pragma omp parallel
  {
#pragma omp for schedule(static) nowait
    for (int i = 2; i <= m.ryNx - 1; ++i)
      for (int j = 2; j <= m.ryNy - 1; ++j)
        if (m.ryHoleFlag[i][j] == 0) {
          FlowPoint& f = m.ryFlow[i][j];
          for (int k = 1; k <= 4; ++k)
            f[slot::dq + k - 1] =
                f[slot::dq + k - 1] * ryWeightX[k] - f[slot::res + k - 1] * ryWeightY[k];
        }
#pragma omp for schedule(static)
    for (int b = 1; b <= m.nBodies; ++b)
      for (int r = 2; r <= m.wkNr - 1; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
          FlowPoint& f = m.wkFlow[p][r][1];
          for (int k = 1; k <= 4; ++k)
            f[slot::dq + k - 1] =
                f[slot::dq + k - 1] * wkWeightX[k] - f[slot::res + k - 1] * wkWeightY[k];
        }
  }

  for (int k = 1; k <= 4; ++k) {
    m.wkSumYY[k] = m.wkSumXY[k] = m.wkSumXX[k] = 0;
    m.rySumYY[k] = m.rySumXY[k] = m.rySumXX[k] = 0;
  }
}

void ADD_RY(Model& m) {
  for (int h = 1; h <= m.ryBlankCount; ++h) {
    FlowPoint& f = m.ryFlow[m.ryBlankList[h].i][m.ryBlankList[h].j];
    for (int k = 0; k < 4; ++k) f[slot::dq + k] = 0;
  }

  // Point by point, the points shared between threads.
#pragma omp parallel
  {
#pragma omp for schedule(static) nowait
    for (int i = 2; i <= m.ryNx - 1; ++i)
      for (int j = 2; j <= m.ryNy - 1; ++j) {
        FlowPoint& f = m.ryFlow[i][j];
        advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
      }

#pragma omp for schedule(static)
    for (int b = 1; b <= m.nBodies; ++b)
      for (int r = 2; r <= m.wkNr - 1; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
          FlowPoint& f = m.wkFlow[p][r][1];
          advanceState(f, f[slot::dq], f[slot::dq + 1], f[slot::dq + 2], f[slot::dq + 3]);
        }
  }
}
