#include "core/clear_flow.h"

void clearFlowRecords(Model& m) {
  for (int i = 1; i <= kMainNxCapacity; ++i)
    for (int j = 1; j <= kMainNyCapacity; ++j)
      for (int k = 1; k <= slot::count; ++k) m.mainFlow[i][j][k] = 0;
  for (int p = 1; p <= kPerimeterCapacity; ++p)
    for (int r = 1; r <= 11; ++r)
      for (int k = 1; k <= slot::count; ++k) m.bodyFlow[p][r][1][k] = 0;
}
