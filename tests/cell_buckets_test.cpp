#include "coupling/cell_buckets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

// Every cell whose reference point passes the prefilter for a target is among
// the candidates, in scan order, also when one far outlier forces large
// buckets; reference points that are not finite never come back.
TEST(CellBuckets, CandidatesIncludeEveryCellThePrefilterPasses) {
  for (const double outlier : {0.0, 1e4, 1e12}) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-30, 30);
    std::vector<double> xs, ys;
    CellBuckets buckets;
    for (int k = 0; k < 3000; ++k) {
      xs.push_back(coord(rng));
      ys.push_back(coord(rng));
      if (k == 1500 && outlier != 0) xs.back() = ys.back() = outlier;
      if (k == 2000) xs.back() = std::numeric_limits<double>::quiet_NaN();
      buckets.add(xs.back(), ys.back(), {k, 0, 1, 0});
    }
    buckets.build();
    std::vector<int> found;
    for (int n = 0; n < 500; ++n) {
      const double tx = n == 0 ? outlier : coord(rng), ty = n == 0 ? outlier : coord(rng);
      buckets.candidates(tx, ty, found);
      ASSERT_TRUE(std::is_sorted(found.begin(), found.end()));
      std::vector<int> cells;
      for (int k : found) cells.push_back(buckets.cell(k).a);
      for (int k = 0; k < 3000; ++k) {
        const bool passes = std::fabs(tx - xs[k]) + std::fabs(ty - ys[k]) < 2.0;
        const bool listed = std::binary_search(cells.begin(), cells.end(), k);
        if (passes) {
          ASSERT_TRUE(listed) << "cell " << k << ", outlier " << outlier;
        }
        if (k == 2000) {
          ASSERT_FALSE(listed) << "a NaN reference point";
        }
      }
    }
  }
}
