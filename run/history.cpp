#include "run/history.h"

#include "solver/flow_check.h"

#include <algorithm>
#include <cmath>

namespace {

// Adds one point's rate of density change and speed to the running totals.
struct Totals {
  double sumSquares = 0;
  double largestSpeedSquared = 0;
  long points = 0;

  StepResidual result() const {
    if (points == 0) return {0, 0};
    return {std::sqrt(sumSquares / static_cast<double>(points)), std::sqrt(largestSpeedSquared)};
  }

  void add(const FlowPoint& f) {
    const double rate = f[slot::dq] / f[slot::dt];
    sumSquares += rate * rate;
    largestSpeedSquared =
        std::max(largestSpeedSquared, f[slot::u] * f[slot::u] + f[slot::v] * f[slot::v]);
    ++points;
  }
};

} // namespace

StepResidual stepResidual(const Model& m) {
  Totals t;
  for (int i = 2; i <= m.ryNx - 1; ++i)
    for (int j = 2; j <= m.ryNy - 1; ++j)
      if (m.ryHoleFlag[i][j] == 0) t.add(m.ryFlow[i][j]);
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b]; p <= m.bodyLast[b] - 1; ++p)
      for (int r = 2; r <= m.wkNr - 1; ++r) t.add(m.wkFlow[p][r][1]);
  return t.result();
}

bool checkStep(const Model& m, StepResidual* residual) {
  // The check's points in its order (columns, then rows; bodies, columns,
  // then layers) take in the residual's points in the residual's order.
  Totals t;
  bool sound = true;
  for (int i = 1; i <= m.ryNx; ++i) {
    const bool interiorColumn = i >= 2 && i <= m.ryNx - 1;
    for (int j = 1; j <= m.ryNy; ++j) {
      const FlowPoint& f = m.ryFlow[i][j];
      sound = sound && pointIsSound(f);
      if (interiorColumn && j >= 2 && j <= m.ryNy - 1 && m.ryHoleFlag[i][j] == 0) t.add(f);
    }
  }
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b] - 1; p <= m.bodyLast[b] + 1; ++p) {
      const bool updatedColumn = p >= m.bodyFirst[b] && p <= m.bodyLast[b] - 1;
      for (int r = 1; r <= m.wkNr; ++r) {
        const FlowPoint& f = m.wkFlow[p][r][1];
        sound = sound && pointIsSound(f);
        if (updatedColumn && r >= 2 && r <= m.wkNr - 1) t.add(f);
      }
    }
  if (sound) *residual = t.result();
  return sound;
}
