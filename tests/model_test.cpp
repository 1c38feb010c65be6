#include "core/model.h"

#include <gtest/gtest.h>

TEST(ModelState, CreatedZeroFilledWithGridsEmptyUntilMade) {
  auto m = makeModel();
  EXPECT_EQ(m->layout.nColumns, 0);
  EXPECT_EQ(m->solution.mainFlow.size() + m->solution.bodyFlow.size() + m->grids.bodyGrid.size() +
                m->grids.bodyMetric.size(),
            0u);
  EXPECT_TRUE(m->coupling.mainFromBody.empty() && m->coupling.mainHoleList.empty() &&
              m->scratch.mainPlanes.empty());
}

TEST(GridArrays, ResizingKeepsThePointsBothSizesHoldAndZeroFillsTheRest) {
  // Every slot holds 100 i + 10 j + k + 1 before the new size; a slot of the
  // new size holds that again where the old size had it, else 0.
  struct Case {
    const char* name;
    int from[3], to[3];
  } cases[] = {{"grows", {3, 4, 2}, {5, 6, 3}},
               {"shrinks", {5, 6, 3}, {2, 3, 2}},
               {"grows and shrinks", {3, 6, 2}, {5, 2, 3}},
               {"first extent kept", {4, 4, 2}, {4, 6, 3}},
               {"same size", {4, 4, 3}, {4, 4, 3}}};
  auto value = [](int i, int j, int k) { return 100 * i + 10 * j + k + 1; };
  for (const Case& c : cases) {
    Grid3<int> a;
    a.resize(c.from[0], c.from[1], c.from[2]);
    for (int i = 0; i < c.from[0]; ++i)
      for (int j = 0; j < c.from[1]; ++j)
        for (int k = 0; k < c.from[2]; ++k) a[i][j][k] = value(i, j, k);
    a.resize(c.to[0], c.to[1], c.to[2]);
    ASSERT_EQ(a.size(), std::size_t(c.to[0] * c.to[1] * c.to[2])) << c.name;
    for (int i = 0; i < c.to[0]; ++i)
      for (int j = 0; j < c.to[1]; ++j)
        for (int k = 0; k < c.to[2]; ++k) {
          const bool kept = i < c.from[0] && j < c.from[1] && k < c.from[2];
          EXPECT_EQ(a[i][j][k], kept ? value(i, j, k) : 0) << c.name << " " << i << j << k;
          // The last index runs fastest, as in a nested array.
          EXPECT_EQ(&a[i][j][k] - a.data(), (i * c.to[1] + j) * c.to[2] + k) << c.name;
        }
    Grid2<int> b;
    b.resize(c.from[0], c.from[1]);
    for (int i = 0; i < c.from[0]; ++i)
      for (int j = 0; j < c.from[1]; ++j) b[i][j] = value(i, j, 0);
    b.resize(c.to[0], c.to[1]);
    for (int i = 0; i < c.to[0]; ++i)
      for (int j = 0; j < c.to[1]; ++j) {
        EXPECT_EQ(b[i][j], i < c.from[0] && j < c.from[1] ? value(i, j, 0) : 0) << c.name;
        EXPECT_EQ(&b[i][j] - b.data(), i * c.to[1] + j) << c.name;
      }
  }
}

TEST(ModelState, StartupDefaults) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  EXPECT_EQ(m->layout.nColumns, 5);
  EXPECT_EQ(m->editing.maxColumns, 6);
  EXPECT_EQ(m->editing.maxColumnBodies, 5);
  EXPECT_EQ(m->layout.bodyLayers, 10);
  EXPECT_DOUBLE_EQ(m->layout.bodyGridThickness, 6.2);
  EXPECT_DOUBLE_EQ(m->layout.ellipseRatio, 2.0);
  EXPECT_TRUE(m->editing.selectAllColumns);
  const int bodies[] = {3, 2, 3, 2, 3, 2, 3, 2};
  for (int c = 1; c <= 8; ++c) {
    EXPECT_EQ(m->layout.columnBodies[c], bodies[c - 1]) << "column " << c;
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(m->layout.layoutSize[c][k], 14);
    EXPECT_EQ(m->layout.layoutSize[c][8], 0) << "body slot 8 keeps no default";
  }
  EXPECT_EQ(m->layout.columnGap[7], 26);
  EXPECT_EQ(m->layout.columnGap[8], 0);
  EXPECT_DOUBLE_EQ(m->view.viewScale, 2.95);
  EXPECT_DOUBLE_EQ(m->view.viewCentreX, 50.0);
}
