#include "core/clear_flow.h"

void clearFlowRecords(const Grids& grids, FlowSolution& solution) {
  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j)
      for (int k = 1; k <= slot::count; ++k) solution.mainFlow[i][j][k] = 0;
  for (int p = 1; p < solution.bodyFlow.extent1(); ++p)
    for (int r = 1; r < solution.bodyFlow.extent2(); ++r)
      for (int k = 1; k <= slot::count; ++k) solution.bodyFlow[p][r][1][k] = 0;
}
