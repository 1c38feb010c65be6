#include "solver/flow_check.h"

bool flowIsSound(const Model& m) {
  bool sound = true;
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      sound = sound && pointIsSound(m.solution.mainFlow[i][j]);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.layout.bodyLayers; ++r)
        sound = sound && pointIsSound(m.solution.bodyFlow[p][r][1]);
  return sound;
}
