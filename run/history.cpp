#include "run/history.h"

#include "solver/flow_check.h"

#include <algorithm>
#include <cmath>

namespace {

StepResidual resultOf(const ResidualTotals& t) {
  if (t.points == 0) return {0, 0};
  return {std::sqrt(t.sumSquares / static_cast<double>(t.points)),
          std::sqrt(t.largestSpeedSquared)};
}

} // namespace

StepResidual stepResidual(const Model& m) {
  ResidualTotals t;
  for (int i = 2; i <= m.grids.mainNx - 1; ++i)
    for (int j = 2; j <= m.grids.mainNy - 1; ++j)
      if (m.coupling.mainHoleFlag[i][j] == 0) t.add(m.solution.mainFlow[i][j]);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b] - 1; ++p)
      for (int r = 2; r <= m.layout.bodyLayers - 1; ++r) t.add(m.solution.bodyFlow[p][r][1]);
  return resultOf(t);
}

bool checkStep(const Model& m, StepResidual* residual) {
  // The check's points in its order (columns, then rows; bodies, columns,
  // then layers) take in the residual's points in the residual's order.
  ResidualTotals t;
  bool sound = true;
  for (int i = 1; i <= m.grids.mainNx; ++i) {
    const bool interiorColumn = i >= 2 && i <= m.grids.mainNx - 1;
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      const FlowPoint& f = m.solution.mainFlow[i][j];
      sound = sound && pointIsSound(f);
      if (interiorColumn && j >= 2 && j <= m.grids.mainNy - 1 && m.coupling.mainHoleFlag[i][j] == 0)
        t.add(f);
    }
  }
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p) {
      const bool updatedColumn = p >= m.grids.bodyFirst[b] && p <= m.grids.bodyLast[b] - 1;
      for (int r = 1; r <= m.layout.bodyLayers; ++r) {
        const FlowPoint& f = m.solution.bodyFlow[p][r][1];
        sound = sound && pointIsSound(f);
        if (updatedColumn && r >= 2 && r <= m.layout.bodyLayers - 1) t.add(f);
      }
    }
  if (sound) *residual = resultOf(t);
  return sound;
}

bool tallyCoversCheck(const Model& m) {
  // The boundary conditions write the main grid's edges and the receivers
  // of its links, the bodies' first and last layers, their seam and ghost
  // columns and the receivers of theirs: the tally must leave those to the
  // check after them.  The receivers lie there by the way the links are
  // built (the main grid's are holes, the bodies' on their outer edge).
  const auto mainEdgeOrHole = [&](int i, int j) {
    return i == 1 || i == m.grids.mainNx || j == 1 || j == m.grids.mainNy ||
           m.coupling.mainHoleFlag[i][j] != 0;
  };
  for (int l = 1; l <= m.coupling.mainFromBodyCount; ++l)
    if (!mainEdgeOrHole(m.coupling.mainFromBody[l].receiver[1],
                        m.coupling.mainFromBody[l].receiver[2]))
      return false;
  const auto auxEdge = [&](const Link& k) {
    return k.receiver[3] != 1 || k.receiver[2] == 1 || k.receiver[2] == m.layout.bodyLayers;
  };
  for (int l = 1; l <= m.coupling.bodyFromMainCount; ++l)
    if (!auxEdge(m.coupling.bodyFromMain[l])) return false;
  for (int l = 1; l <= m.coupling.bodyFromBodyCount; ++l)
    if (!auxEdge(m.coupling.bodyFromBody[l])) return false;
  // A body's seams must not reach into the next body's columns.
  for (int b = 2; b <= m.grids.nBodies; ++b)
    if (m.grids.bodyFirst[b] <= m.grids.bodyLast[b - 1] + 1) return false;
  return true;
}

bool finishCheckStep(const Model& m, const StepTally& tally, StepResidual* residual) {
  if (!tally.gathered) return checkStep(m, residual);
  bool sound = tally.mainSound && tally.auxSound;
  const int nx = m.grids.mainNx, ny = m.grids.mainNy, nr = m.layout.bodyLayers;
  // The main grid's edges and holes.
  for (int j = 1; j <= ny; ++j)
    sound = sound && pointIsSound(m.solution.mainFlow[1][j]) &&
            pointIsSound(m.solution.mainFlow[nx][j]);
  for (int i = 2; i <= nx - 1; ++i) {
    sound = sound && pointIsSound(m.solution.mainFlow[i][1]) &&
            pointIsSound(m.solution.mainFlow[i][ny]);
    for (int j = 2; j <= ny - 1; ++j)
      if (m.coupling.mainHoleFlag[i][j] != 0)
        sound = sound && pointIsSound(m.solution.mainFlow[i][j]);
  }
  // Each body's first and last layers, and its first, seam and ghost columns.
  ResidualTotals speeds;
  for (int b = 1; b <= m.grids.nBodies; ++b) {
    const int pF = m.grids.bodyFirst[b], pL = m.grids.bodyLast[b];
    for (int p : {pF - 1, pF, pL, pL + 1})
      for (int r = 1; r <= nr; ++r) sound = sound && pointIsSound(m.solution.bodyFlow[p][r][1]);
    for (int p = pF + 1; p <= pL - 1; ++p)
      sound = sound && pointIsSound(m.solution.bodyFlow[p][1][1]) &&
              pointIsSound(m.solution.bodyFlow[p][nr][1]);
    if (pF <= pL - 1)
      for (int r = 2; r <= nr - 1; ++r) speeds.addSpeed(m.solution.bodyFlow[pF][r][1]);
  }
  if (!sound) return false;
  // The bodies' terms follow the main grid's in the sum, in their order.
  ResidualTotals t = tally.main;
  for (double rate : tally.auxRates) t.sumSquares += rate;
  t.points += static_cast<long>(tally.auxRates.size());
  t.largestSpeedSquared =
      std::max({t.largestSpeedSquared, tally.auxLargestSpeedSquared, speeds.largestSpeedSquared});
  *residual = resultOf(t);
  return true;
}
