#include "solver/flow_check.h"

bool flowIsSound(const LayoutParameters& layout, const Grids& grids, const FlowSolution& solution) {
  bool sound = true;
  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j) sound = sound && pointIsSound(solution.mainFlow[i][j]);
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b] - 1; p <= grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= layout.bodyLayers; ++r)
        sound = sound && pointIsSound(solution.bodyFlow[p][r][1]);
  return sound;
}
