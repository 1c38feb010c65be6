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
  setStartupDefaults(fresh->layout, fresh->editing, fresh->view);
  fresh->layout = m.layout;
  FakeWindowServices ws;
  if (!rebuildGrids(*fresh)) return "the layout on screen does not fit";
  if (fresh->grids.bodyPerimeterPoints != m.grids.bodyPerimeterPoints)
    return "perimeter points " + std::to_string(m.grids.bodyPerimeterPoints) + ", new grids give " +
           std::to_string(fresh->grids.bodyPerimeterPoints);
  if (fresh->grids.mainNx != m.grids.mainNx || fresh->grids.mainNy != m.grids.mainNy)
    return "main grid size";
  for (int p = 1; p <= m.grids.bodyPerimeterPoints; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      if (fresh->grids.bodyGrid[p][r][1].bodyGridX != m.grids.bodyGrid[p][r][1].bodyGridX ||
          fresh->grids.bodyGrid[p][r][1].bodyGridY != m.grids.bodyGrid[p][r][1].bodyGridY)
        return "auxiliary point " + std::to_string(p) + "," + std::to_string(r);
  for (int i = 1; i <= m.grids.mainNx; ++i)
    if (fresh->grids.mainGrid[i][1].mainGridX != m.grids.mainGrid[i][1].mainGridX ||
        fresh->grids.mainGrid[i][m.grids.mainNy].mainGridY !=
            m.grids.mainGrid[i][m.grids.mainNy].mainGridY)
      return "main grid column " + std::to_string(i);
  return {};
}

void choose(StartedWindow& s, const char* button) {
  s.w.layoutDialog().findChild<QAbstractButton*>(button)->click();
}

} // namespace

TEST(LayoutInStep, RatioStepAfterPatternThreeRegeneratesThoughItsTextStays) {
  StartedWindow s;
  choose(s, "ellipseChoice"); // "楕円"
  s.clickDialog("ratioDownButton", 3);
  EXPECT_EQ(s.edit("ratioEdit")->text(), "1.4");
  EXPECT_EQ(s.m.grids.bodyPerimeterPoints, 518);
  s.w.findChild<QAction*>("pattern3Item")->trigger();
  EXPECT_DOUBLE_EQ(s.m.layout.ellipseRatio, 1.6);
  EXPECT_EQ(s.m.grids.bodyPerimeterPoints, 628);
  s.clickDialog("ratioDownButton");
  EXPECT_EQ(s.m.layout.ellipseRatio, 1.4) << "the ratio its text shows";
  EXPECT_EQ(s.edit("ratioEdit")->text(), "1.4");
  EXPECT_EQ(s.m.grids.bodyPerimeterPoints, 586);
  EXPECT_EQ(gridsOutOfStep(s.m), "");
}

TEST(LayoutInStep, EveryActionOfAWalkLeavesTheGridsOfTheLayout) {
  StartedWindow s;
  const std::function<void()> act[] = {
      [&] { choose(s, "ellipseChoice"); },
      [&] { s.clickDialog("ratioDownButton"); },
      [&] { s.w.findChild<QAction*>("pattern3Item")->trigger(); },
      [&] { s.clickDialog("ratioUpButton"); },
      [&] { choose(s, "selectedColumnChoice"); },
      [&] { s.clickDialog("addBodyButton"); },
      [&] { s.clickDialog("spacingDownButton"); },
      [&] { s.w.findChild<QAction*>("pattern2Item")->trigger(); },
      [&] { s.clickDialog("addColumnButton"); },
      [&] { s.clickDialog("sizeUpButton"); },
      [&] { choose(s, "triangleChoice"); },
      [&] { s.clickDialog("turnUpButton"); },
      [&] { s.clickDialog("arrangementTurnUpButton"); },
      [&] { s.w.findChild<QAction*>("pattern1Item")->trigger(); },
      [&] { choose(s, "allColumnsChoice"); },
      [&] { s.clickDialog("removeBodyButton"); },
      [&] { s.clickDialog("removeColumnButton"); },
      [&] { s.clickDialog("spacingUpButton"); },
      [&] { s.w.findChild<QAction*>("pattern4Item")->trigger(); },
      [&] { s.clickDialog("ratioDownButton"); },
      [&] { s.clickDialog("sizeDownButton"); },
      [&] { s.clickDialog("arrangementTurnDownButton"); },
  };
  int n = 0;
  for (const auto& a : act) {
    a();
    ++n;
    ASSERT_EQ(gridsOutOfStep(s.m), "") << "after action " << n;
    ASSERT_LE(s.m.editing.selectedColumn, s.m.layout.nColumns) << "after action " << n;
  }
}

TEST(LayoutInStep, APatternWithFewerColumnsKeepsTheSelectionOnOne) {
  StartedWindow s;
  choose(s, "selectedColumnChoice");
  s.clickDialog("addColumnButton"); // six columns
  const PixelPosition& last = s.m.pixels.columnBody[6][1];
  s.w.onPictureClicked(roundHalfAway(last.x), roundHalfAway(last.y));
  ASSERT_EQ(s.m.editing.selectedColumn, 6);
  s.w.findChild<QAction*>("pattern3Item")->trigger(); // four columns
  EXPECT_EQ(s.m.editing.selectedColumn, 4);
  const int shapeOfFour = s.m.layout.layoutShape[4][1];
  choose(s, "squareChoice"); // "四角" for the selected column
  EXPECT_EQ(s.m.layout.layoutShape[4][1], shape::square) << "the change reaches a drawn column";
  EXPECT_NE(shapeOfFour, shape::square);
  EXPECT_EQ(gridsOutOfStep(s.m), "");
}

TEST(LayoutInStep, TurnsAtTheEndsOfTheirRange) {
  struct {
    const char* typed;
    const char* button;
    bool accepted;
    int turn;
  } cases[] = {
      {"-2147483647", "turnDownButton", false, 0}, {"2147483647", "turnUpButton", false, 0},
      {"2147483647", "turnDownButton", false, 0},  {"1000000", "turnUpButton", false, 0},
      {"999999", "turnUpButton", true, 1000000},   {"-999999", "turnDownButton", true, -1000000},
      {"-1000000", "turnDownButton", false, 0}};
  for (const auto& c : cases) {
    StartedWindow s;
    s.edit("turnEdit")->setText(QString::fromUtf8(c.typed));
    s.clickDialog(c.button);
    EXPECT_EQ(s.messages.size(), c.accepted ? 0u : 1u) << c.typed;
    EXPECT_EQ(s.m.layout.layoutAngle[1][1], c.turn) << c.typed;
    EXPECT_EQ(gridsOutOfStep(s.m), "") << c.typed;
  }
}
