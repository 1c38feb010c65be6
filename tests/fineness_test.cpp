// Finer grids: the main grid's spacing divided, the body grids' points
// multiplied and their layers resolving the boundary layer; fineness 1 is the
// classic grid again, to the bit.
#include "grid_bits.h"
#include "layout/grid_making.h"

#include "reused_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double distance(const AuxPoint& a, const AuxPoint& b) {
  return std::hypot(a.bodyGridX - b.bodyGridX, a.bodyGridY - b.bodyGridY);
}

void oneCircle(Model& m, int size, double reynolds, int fineness) {
  setStartupDefaults(m.layout, m.editing, m.view);
  m.layout.nColumns = 1;
  m.layout.columnBodies[1] = 1;
  m.layout.layoutSize[1][1] = size;
  m.flow.reynolds = reynolds;
  m.flow.fineness = fineness;
  ASSERT_TRUE(rebuildGrids(m));
}

} // namespace

TEST(Fineness, FinerGridsResolveTheBoundaryLayerAndFinenessOneIsTheClassicGridAgain) {
  auto classic = makeModel();
  oneCircle(*classic, 16, 100, 1);
  const struct Case {
    int size, fineness;
    double reynolds;
  } cases[] = {{16, 2, 100}, {16, 3, 100}, {6, 2, 200}, {6, 4, 200}};
  Model& m = sharedCleanModel();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << ", fineness " << c.fineness);
    oneCircle(m, c.size, c.reynolds, c.fineness);
    const double h = 1.25 / c.fineness;
    EXPECT_EQ(m.grids.mainSpacing, h);
    EXPECT_NEAR(m.grids.mainGrid[2][1].mainGridX - m.grids.mainGrid[1][1].mainGridX, h, 1e-12);
    // The classic circle of the same size has 1/f of the points around.
    auto plain = makeModel();
    oneCircle(*plain, c.size, c.reynolds, 1);
    EXPECT_EQ(m.grids.bodyPoints[1], c.fineness * plain->grids.bodyPoints[1]);
    // Along a radial line: the outer interval no coarser than the main grid,
    // and at least 5 f layers from the wall inside the boundary layer.
    const int p = m.grids.bodyFirst[1] + 3, wall = m.layout.bodyLayers;
    EXPECT_LE(distance(m.grids.bodyGrid[p][1][1], m.grids.bodyGrid[p][2][1]), h * (1 + 1e-9));
    const double delta =
        std::min(m.layout.bodyGridThickness, 5 * c.size / std::sqrt(c.reynolds * c.size / 16));
    int inside = 0;
    while (distance(m.grids.bodyGrid[p][wall][1], m.grids.bodyGrid[p][wall - inside - 1][1]) <=
           delta)
      ++inside;
    EXPECT_GE(inside, 5 * c.fineness);
  }
  // Back to fineness 1 in the same model, as the flow dialog goes back: the
  // classic grids, bit for bit.
  m.layout.layoutSize[1][1] = 16;
  m.flow = {};
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_EQ(m.layout.bodyLayers, classic->layout.bodyLayers);
  EXPECT_TRUE(sameBits(m.grids.bodyGrid, classic->grids.bodyGrid));
  EXPECT_TRUE(sameBits(m.grids.mainGrid, classic->grids.mainGrid));
}
