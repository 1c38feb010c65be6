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

StepResidual stepResidual(const LayoutParameters& layout, const Grids& grids,
                          const CouplingTables& coupling, const FlowSolution& solution) {
  ResidualTotals t;
  for (int i = 2; i <= grids.mainNx - 1; ++i)
    for (int j = 2; j <= grids.mainNy - 1; ++j)
      if (coupling.mainHoleFlag[i][j] == 0) t.add(solution.mainFlow[i][j]);
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b] - 1; ++p)
      for (int r = 2; r <= layout.bodyLayers - 1; ++r) t.add(solution.bodyFlow[p][r][1]);
  return resultOf(t);
}

bool checkStep(const LayoutParameters& layout, const Grids& grids, const CouplingTables& coupling,
               const FlowSolution& solution, StepResidual* residual) {
  // The check's points in its order (columns, then rows; bodies, columns,
  // then layers) take in the residual's points in the residual's order.
  ResidualTotals t;
  bool sound = true;
  for (int i = 1; i <= grids.mainNx; ++i) {
    const bool interiorColumn = i >= 2 && i <= grids.mainNx - 1;
    for (int j = 1; j <= grids.mainNy; ++j) {
      const FlowPoint& f = solution.mainFlow[i][j];
      sound = sound && pointIsSound(f);
      if (interiorColumn && j >= 2 && j <= grids.mainNy - 1 && coupling.mainHoleFlag[i][j] == 0)
        t.add(f);
    }
  }
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b] - 1; p <= grids.bodyLast[b] + 1; ++p) {
      const bool updatedColumn = p >= grids.bodyFirst[b] && p <= grids.bodyLast[b] - 1;
      for (int r = 1; r <= layout.bodyLayers; ++r) {
        const FlowPoint& f = solution.bodyFlow[p][r][1];
        sound = sound && pointIsSound(f);
        if (updatedColumn && r >= 2 && r <= layout.bodyLayers - 1) t.add(f);
      }
    }
  if (sound) *residual = resultOf(t);
  return sound;
}

bool tallyCoversCheck(const LayoutParameters& layout, const Grids& grids,
                      const CouplingTables& coupling) {
  // The boundary conditions write the main grid's edges and the receivers
  // of its links, the bodies' first and last layers, their seam and ghost
  // columns and the receivers of theirs: the tally must leave those to the
  // check after them.  The receivers lie there by the way the links are
  // built (the main grid's are holes, the bodies' on their outer edge).
  const auto mainEdgeOrHole = [&](int i, int j) {
    return i == 1 || i == grids.mainNx || j == 1 || j == grids.mainNy ||
           coupling.mainHoleFlag[i][j] != 0;
  };
  for (int l = 1; l <= coupling.mainFromBodyCount; ++l)
    if (!mainEdgeOrHole(coupling.mainFromBody[l].receiver[1], coupling.mainFromBody[l].receiver[2]))
      return false;
  const auto auxEdge = [&](const Link& k) {
    return k.receiver[3] != 1 || k.receiver[2] == 1 || k.receiver[2] == layout.bodyLayers;
  };
  for (int l = 1; l <= coupling.bodyFromMainCount; ++l)
    if (!auxEdge(coupling.bodyFromMain[l])) return false;
  for (int l = 1; l <= coupling.bodyFromBodyCount; ++l)
    if (!auxEdge(coupling.bodyFromBody[l])) return false;
  // A body's seams must not reach into the next body's columns.
  for (int b = 2; b <= grids.nBodies; ++b)
    if (grids.bodyFirst[b] <= grids.bodyLast[b - 1] + 1) return false;
  return true;
}

bool finishCheckStep(const LayoutParameters& layout, const Grids& grids,
                     const CouplingTables& coupling, const FlowSolution& solution,
                     const StepTally& tally, StepResidual* residual) {
  if (!tally.gathered) return checkStep(layout, grids, coupling, solution, residual);
  bool sound = tally.mainSound && tally.auxSound;
  const int nx = grids.mainNx, ny = grids.mainNy, nr = layout.bodyLayers;
  // The main grid's edges and holes.
  for (int j = 1; j <= ny; ++j)
    sound =
        sound && pointIsSound(solution.mainFlow[1][j]) && pointIsSound(solution.mainFlow[nx][j]);
  for (int i = 2; i <= nx - 1; ++i) {
    sound =
        sound && pointIsSound(solution.mainFlow[i][1]) && pointIsSound(solution.mainFlow[i][ny]);
    for (int j = 2; j <= ny - 1; ++j)
      if (coupling.mainHoleFlag[i][j] != 0) sound = sound && pointIsSound(solution.mainFlow[i][j]);
  }
  // Each body's first and last layers, and its first, seam and ghost columns.
  ResidualTotals speeds;
  for (int b = 1; b <= grids.nBodies; ++b) {
    const int pF = grids.bodyFirst[b], pL = grids.bodyLast[b];
    for (int p : {pF - 1, pF, pL, pL + 1})
      for (int r = 1; r <= nr; ++r) sound = sound && pointIsSound(solution.bodyFlow[p][r][1]);
    for (int p = pF + 1; p <= pL - 1; ++p)
      sound = sound && pointIsSound(solution.bodyFlow[p][1][1]) &&
              pointIsSound(solution.bodyFlow[p][nr][1]);
    if (pF <= pL - 1)
      for (int r = 2; r <= nr - 1; ++r) speeds.addSpeed(solution.bodyFlow[pF][r][1]);
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
