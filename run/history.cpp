#include "run/history.h"

#include <algorithm>
#include <cmath>

namespace {

// Adds one point's rate of density change and speed to the running totals.
struct Totals {
  double sumSquares = 0;
  double largestSpeedSquared = 0;
  long points = 0;

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
  if (t.points == 0) return {0, 0};
  return {std::sqrt(t.sumSquares / static_cast<double>(t.points)),
          std::sqrt(t.largestSpeedSquared)};
}
