// The editing rules of the layout: ranges, steps, the copies the add buttons
// make, and turns at the ends of their range through grid making.
#include "layout/layout_editing.h"

#include "fake_window_services.h"
#include "layout/grid_making.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

TEST(LayoutEditing, StepsKeepTheirRanges) {
  struct {
    long long typed;
    int delta, size;
  } sizes[] = {{14, 1, 15}, {20, 1, 20},    {5, -1, 5},
               {-3, 1, 5},  {1000, -1, 20}, {LLONG_MIN / 2, 1, 5}};
  for (const auto& c : sizes) EXPECT_EQ(steppedSize(c.typed, c.delta), c.size) << c.typed;

  struct {
    int spacing, delta;
    bool whole;
    int stepped;
  } spacings[] = {{26, 1, true, 27},   {40, 1, true, 40},   {22, -1, true, 22},
                  {22, -1, false, 21}, {18, -1, false, 18}, {45, 1, false, 40}};
  for (const auto& c : spacings)
    EXPECT_EQ(steppedSpacing(c.spacing, c.delta, c.whole), c.stepped)
        << c.spacing << " " << c.whole;

  EXPECT_DOUBLE_EQ(steppedRatio(2.0, -kRatioStep), 1.8);
  EXPECT_EQ(steppedRatio(3.9, kRatioStep), kRatioHigh);
  EXPECT_EQ(steppedRatio(0.3, -kRatioStep), kRatioLow);
  EXPECT_TRUE(kGapRange.contains(26) && kGapRange.contains(32)) << "the presets' gaps";
  auto model = makeModel();
  setStartupDefaults(model->layout, model->editing, model->view);
  EXPECT_EQ(kColumnCountRange.high, model->editing.maxColumns);
  EXPECT_EQ(kBodyCountRange.high, model->editing.maxColumnBodies);
}

TEST(LayoutEditing, ATurnStepThatWouldLeaveTheRangeIsRefused) {
  struct {
    long long typed;
    int delta;
    std::optional<int> turn;
  } cases[] = {{0, 1, 1},
               {kTurnRange.high - 1, 1, kTurnRange.high},
               {kTurnRange.high, 1, std::nullopt},
               {kTurnRange.low, -1, std::nullopt},
               {kTurnRange.low + 1, -1, kTurnRange.low},
               {INT_MIN + 1LL, -1, std::nullopt},
               {INT_MAX, 1, std::nullopt},
               {INT_MAX, -1, std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(steppedTurn(c.typed, c.delta), c.turn) << c.typed << " " << c.delta;
  // Every turn in the range negates and steps inside an int.
  EXPECT_LT(static_cast<long long>(kTurnRange.high) + 1, INT_MAX);
  EXPECT_GT(static_cast<long long>(kTurnRange.low) - 1, INT_MIN);
}

TEST(LayoutEditing, AddedColumnCopiesTheLastOne) {
  auto model = makeModel();
  Model& m = *model;
  setStartupDefaults(m.layout, m.editing, m.view); // 5 columns of 3, 2, 3, 2, 3 bodies
  m.layout.columnSpacing[5] = 31;
  m.layout.layoutShape[5][1] = shape::square;
  m.layout.layoutSize[5][1] = 9;
  m.layout.layoutAngle[5][1] = 45;
  m.layout.columnBodies[6] = 4;
  addColumn(m.layout, m.editing.maxColumns, m.editing.maxColumnBodies);
  EXPECT_EQ(m.layout.nColumns, 6);
  EXPECT_EQ(m.layout.columnSpacing[6], 31);
  for (int k = 1; k <= m.editing.maxColumnBodies; ++k) {
    EXPECT_EQ(m.layout.layoutShape[6][k], shape::square) << k;
    EXPECT_EQ(m.layout.layoutSize[6][k], 9) << k;
    EXPECT_EQ(m.layout.layoutAngle[6][k], 45) << k;
  }
  EXPECT_EQ(m.layout.columnBodies[6], 4) << "3 and 2 differ: the slot keeps its count";
  addColumn(m.layout, m.editing.maxColumns, m.editing.maxColumnBodies);
  EXPECT_EQ(m.layout.nColumns, 6) << "at most maxColumns";

  addBody(m.layout, 1, m.editing.maxColumnBodies);
  EXPECT_EQ(m.layout.columnBodies[1], 4);
  EXPECT_EQ(m.layout.layoutSize[1][4], m.layout.layoutSize[1][3]);
  for (int i = 0; i < 3; ++i) removeBody(m.layout, 2);
  EXPECT_EQ(m.layout.columnBodies[2], 1) << "at least one body";

  m.editing.selectedColumn = 6;
  removeColumn(m.editing, m.layout);
  EXPECT_EQ(m.layout.nColumns, 5);
  EXPECT_EQ(m.editing.selectedColumn, 5) << "the selection stays on a column that exists";
}

TEST(LayoutEditing, GridMakingTakesTurnsAtTheEndsOfAnInt) {
  // A layout from elsewhere may hold any int; grid making turns the bodies
  // without overflow and the selection follows a smaller column count.
  auto model = makeModel();
  Model& m = *model;
  FakeWindowServices ws;
  setStartupDefaults(m.layout, m.editing, m.view);
  for (int turn : {INT_MIN, INT_MAX, kTurnRange.low, kTurnRange.high}) {
    m.layout.layoutAngle[1][1] = turn;
    m.layout.layoutShape[1][1] = shape::square;
    ASSERT_TRUE(rebuildGrids(m)) << turn;
    for (int p = m.grids.bodyFirst[1]; p <= m.grids.bodyLast[1]; ++p)
      ASSERT_TRUE(std::isfinite(m.grids.bodyGrid[p][1][1].bodyGridX) &&
                  std::isfinite(m.grids.bodyGrid[p][1][1].bodyGridY))
          << turn;
  }
  m.editing.selectedColumn = 5;
  m.layout.nColumns = 3;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_EQ(m.editing.selectedColumn, 3);
}
