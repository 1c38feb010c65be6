#include "core/shoki_zahyo2.h"

void Shoki_Zahyo2(Model& m) {
  for (int i = 1; i <= kMainNxCapacity; ++i)
    for (int j = 1; j <= kMainNyCapacity; ++j)
      for (int k = 1; k <= slot::count; ++k) m.ryFlow[i][j][k] = 0;
  for (int p = 1; p <= kPerimeterCapacity; ++p)
    for (int r = 1; r <= 11; ++r)
      for (int k = 1; k <= slot::count; ++k) m.wkFlow[p][r][1][k] = 0;
}
