// The grids on screen always belong to the layout: after every change, from
// any control, they equal what grid making gives for the layout record.
#include "ui_fixture.h"

#include "fake_window_services.h"
#include "layout/grid_making.h"
#include "layout/layout_editing.h"

#include <QAbstractButton>
#include <QAction>

#include <climits>
#include <functional>
#include <memory>
#include <string>

namespace {

// Empty when the window's grids equal rebuildGrids of its layout record, else what
// differs.
std::string gridsOutOfStep(const Model& m) {
  static std::unique_ptr<Model> fresh = makeModel();
  setStartupDefaults(*fresh);
  fresh->layout() = m.layout();
  FakeWindowServices ws;
  if (!rebuildGrids(*fresh)) return "the layout on screen does not fit";
  if (fresh->bodyPerimeterPoints != m.bodyPerimeterPoints)
    return "perimeter points " + std::to_string(m.bodyPerimeterPoints) + ", new grids give " +
           std::to_string(fresh->bodyPerimeterPoints);
  if (fresh->mainNx != m.mainNx || fresh->mainNy != m.mainNy) return "main grid size";
  for (int p = 1; p <= m.bodyPerimeterPoints; ++p)
    for (int r = 1; r <= m.bodyLayers; ++r)
      if (fresh->bodyGrid[p][r][1].bodyGridX != m.bodyGrid[p][r][1].bodyGridX ||
          fresh->bodyGrid[p][r][1].bodyGridY != m.bodyGrid[p][r][1].bodyGridY)
        return "auxiliary point " + std::to_string(p) + "," + std::to_string(r);
  for (int i = 1; i <= m.mainNx; ++i)
    if (fresh->mainGrid[i][1].mainGridX != m.mainGrid[i][1].mainGridX ||
        fresh->mainGrid[i][m.mainNy].mainGridY != m.mainGrid[i][m.mainNy].mainGridY)
      return "main grid column " + std::to_string(i);
  return {};
}

void choose(StartedWindow& s, const char* button) {
  s.w.layoutDialog().findChild<QAbstractButton*>(button)->click();
}

} // namespace

TEST(LayoutInStep, RatioStepAfterPatternThreeRegeneratesThoughItsTextStays) {
  StartedWindow s;
  choose(s, "RadioGroup1_4"); // "楕円"
  s.clickDialog(14, 3);
  EXPECT_EQ(s.edit(5)->text(), "1.4");
  EXPECT_EQ(s.m.bodyPerimeterPoints, 518);
  s.w.findChild<QAction*>("pattern3Item")->trigger();
  EXPECT_DOUBLE_EQ(s.m.ellipseRatio, 1.6);
  EXPECT_EQ(s.m.bodyPerimeterPoints, 628);
  s.clickDialog(14);
  EXPECT_EQ(s.m.ellipseRatio, 1.4) << "the ratio its text shows";
  EXPECT_EQ(s.edit(5)->text(), "1.4");
  EXPECT_EQ(s.m.bodyPerimeterPoints, 586);
  EXPECT_EQ(gridsOutOfStep(s.m), "");
}

TEST(LayoutInStep, EveryActionOfAWalkLeavesTheGridsOfTheLayout) {
  StartedWindow s;
  const std::function<void()> act[] = {
      [&] { choose(s, "RadioGroup1_4"); },
      [&] { s.clickDialog(14); },
      [&] { s.w.findChild<QAction*>("pattern3Item")->trigger(); },
      [&] { s.clickDialog(13); },
      [&] { choose(s, "RadioGroup2_1"); },
      [&] { s.clickDialog(1); },
      [&] { s.clickDialog(4); },
      [&] { s.w.findChild<QAction*>("pattern2Item")->trigger(); },
      [&] { s.clickDialog(11); },
      [&] { s.clickDialog(6); },
      [&] { choose(s, "RadioGroup1_2"); },
      [&] { s.clickDialog(7); },
      [&] { s.clickDialog(10); },
      [&] { s.w.findChild<QAction*>("pattern1Item")->trigger(); },
      [&] { choose(s, "RadioGroup2_0"); },
      [&] { s.clickDialog(2); },
      [&] { s.clickDialog(12); },
      [&] { s.clickDialog(3); },
      [&] { s.w.findChild<QAction*>("pattern4Item")->trigger(); },
      [&] { s.clickDialog(14); },
      [&] { s.clickDialog(5); },
      [&] { s.clickDialog(9); },
  };
  int n = 0;
  for (const auto& a : act) {
    a();
    ++n;
    ASSERT_EQ(gridsOutOfStep(s.m), "") << "after action " << n;
    ASSERT_LE(s.m.selectedColumn, s.m.nColumns) << "after action " << n;
  }
}

TEST(LayoutInStep, APatternWithFewerColumnsKeepsTheSelectionOnOne) {
  StartedWindow s;
  choose(s, "RadioGroup2_1");
  s.clickDialog(11); // six columns
  const ColumnBodyPosition& last = s.m.columnBody[6][1];
  s.w.onPictureClicked(roundHalfAway(last.columnBodyPixX), roundHalfAway(last.columnBodyPixY));
  ASSERT_EQ(s.m.selectedColumn, 6);
  s.w.findChild<QAction*>("pattern3Item")->trigger(); // four columns
  EXPECT_EQ(s.m.selectedColumn, 4);
  const int shapeOfFour = s.m.layoutShape[4][1];
  choose(s, "RadioGroup1_1"); // "四角" for the selected column
  EXPECT_EQ(s.m.layoutShape[4][1], shape::square) << "the change reaches a drawn column";
  EXPECT_NE(shapeOfFour, shape::square);
  EXPECT_EQ(gridsOutOfStep(s.m), "");
}

TEST(LayoutInStep, TurnsAtTheEndsOfTheirRange) {
  struct {
    const char* typed;
    int button; // 7 up, 8 down
    bool accepted;
    int turn;
  } cases[] = {{"-2147483647", 8, false, 0}, {"2147483647", 7, false, 0},
               {"2147483647", 8, false, 0},  {"1000000", 7, false, 0},
               {"999999", 7, true, 1000000}, {"-999999", 8, true, -1000000},
               {"-1000000", 8, false, 0}};
  for (const auto& c : cases) {
    StartedWindow s;
    s.edit(3)->setText(QString::fromUtf8(c.typed));
    s.clickDialog(c.button);
    EXPECT_EQ(s.messages.size(), c.accepted ? 0u : 1u) << c.typed;
    EXPECT_EQ(s.m.layoutAngle[1][1], c.turn) << c.typed;
    EXPECT_EQ(gridsOutOfStep(s.m), "") << c.typed;
  }
}
