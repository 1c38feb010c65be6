#include "solver/flow_check.h"

bool flowIsSound(const Model& m) {
  bool sound = true;
  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) sound = sound && pointIsSound(m.mainFlow[i][j]);
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b] - 1; p <= m.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.bodyLayers; ++r) sound = sound && pointIsSound(m.bodyFlow[p][r][1]);
  return sound;
}
