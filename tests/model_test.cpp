#include "core/model.h"

#include <gtest/gtest.h>

TEST(ModelState, CreatedZeroFilled) {
  auto m = makeModel();
  EXPECT_EQ(m->nColumns, 0);
  EXPECT_EQ(m->mainFlow[252][220][slot::count], 0.0);
  EXPECT_EQ(m->bodyFlow[1775][12][2][1], 0.0);
  EXPECT_EQ(m->mainFromBody[kMainLinkCapacity].donor[3], 0);
}

TEST(ModelState, StartupDefaults) {
  auto m = makeModel();
  setStartupDefaults(*m);
  EXPECT_EQ(m->nColumns, 5);
  EXPECT_EQ(m->maxColumns, 6);
  EXPECT_EQ(m->maxColumnBodies, 5);
  EXPECT_EQ(m->bodyLayers, 10);
  EXPECT_DOUBLE_EQ(m->bodyGridThickness, 6.2);
  EXPECT_DOUBLE_EQ(m->ellipseRatio, 2.0);
  EXPECT_TRUE(m->selectAllColumns);
  const int bodies[] = {3, 2, 3, 2, 3, 2, 3, 2};
  for (int c = 1; c <= 8; ++c) {
    EXPECT_EQ(m->columnBodies[c], bodies[c - 1]) << "column " << c;
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(m->layoutSize[c][k], 14);
    EXPECT_EQ(m->layoutSize[c][8], 0) << "body slot 8 keeps no default";
  }
  EXPECT_EQ(m->columnGap[7], 26);
  EXPECT_EQ(m->columnGap[8], 0);
  EXPECT_DOUBLE_EQ(m->viewScale, 2.95);
  EXPECT_DOUBLE_EQ(m->viewCentreX, 50.0);
}
