#include "core/clear_flow.h"

void clearFlowRecords(Model& m) {
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      for (int k = 1; k <= slot::count; ++k) m.solution.mainFlow[i][j][k] = 0;
  for (int p = 1; p < m.solution.bodyFlow.extent1(); ++p)
    for (int r = 1; r <= 11; ++r)
      for (int k = 1; k <= slot::count; ++k) m.solution.bodyFlow[p][r][1][k] = 0;
}
