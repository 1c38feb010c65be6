// Fitting the view to the layout: the classic views that show the layout are
// kept as they are, a tall layout is brought into sight.
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "view/transform.h"

#include "fake_window_services.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kStripHeight = 27;
// The rows of the 452-row bitmap that the window shows between its menu bar
// and its status bar.
constexpr int kShownHeight = 380;

struct StartView {
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
  DrawingSurface bitmap{700, 452};
  // The start-up layout, then pattern n (0: none), as the window shows it.
  explicit StartView(int pattern) {
    setStartupDefaults(m->layout, m->editing, m->view);
    EXPECT_TRUE(rebuildGrids(*m));
    centreViewAtStart(m->layout, m->grids, m->view);
    if (pattern > 0) {
      EXPECT_TRUE(applyPreset(*m, pattern));
    }
  }
};

TEST(ViewFit, LeavesTheStartUpViewAndThePatternsExactlyAsTheyAre) {
  for (int pattern = 0; pattern <= 4; ++pattern) {
    StartView v(pattern);
    const double x = v.m->view.viewCentreX, y = v.m->view.viewCentreY, scale = v.m->view.viewScale;
    EXPECT_FALSE(fitViewToLayout(v.m->grids, v.m->view, v.bitmap, kStripHeight, kShownHeight))
        << "pattern " << pattern;
    EXPECT_EQ(v.m->view.viewCentreX, x) << "pattern " << pattern;
    EXPECT_EQ(v.m->view.viewCentreY, y) << "pattern " << pattern;
    EXPECT_EQ(v.m->view.viewScale, scale) << "pattern " << pattern;
  }
}

TEST(ViewFit, BringsBothWallsAndEveryBodyOfATallLayoutIntoSight) {
  StartView v(0);
  Model& m = *v.m;
  for (int c = 1; c <= m.layout.nColumns; ++c) {
    m.layout.columnBodies[c] = 4;
    m.layout.columnSpacing[c] = 40;
  }
  ASSERT_TRUE(rebuildGrids(m));
  auto inSight = [&](double px, double py) {
    return px >= 0 && px < v.bitmap.width() && py >= kStripHeight && py < kShownHeight;
  };
  auto wallsInSight = [&] {
    mapToPixels(m.layout, m.grids, m.view, m.pixels, v.bitmap);
    return inSight(m.pixels.main[1][1].x, m.pixels.main[1][1].y) &&
           inSight(m.pixels.main[1][m.grids.mainNy].x, m.pixels.main[1][m.grids.mainNy].y);
  };
  // The walls' points at the view's left edge: shift them onto the view's
  // column so that only their height is judged.
  for (int j : {1, m.grids.mainNy}) m.grids.mainGrid[1][j].mainGridX = m.view.viewCentreX;
  ASSERT_FALSE(wallsInSight()) << "the tall layout fits already";
  EXPECT_TRUE(fitViewToLayout(m.grids, m.view, v.bitmap, kStripHeight, kShownHeight));
  EXPECT_TRUE(wallsInSight());
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
      EXPECT_TRUE(inSight(m.pixels.body[p][1][1].x, m.pixels.body[p][1][1].y)) << "body " << b;
  // The probe's inverse mapping returns a point's layout coordinates.
  const LayoutPoint back =
      pixelToLayout(m.view, v.bitmap, m.pixels.bodyCentre[3].x, m.pixels.bodyCentre[3].y);
  EXPECT_NEAR(back.x, m.grids.body[3].bodyX, 1e-9);
  EXPECT_NEAR(back.y, m.grids.body[3].bodyY, 1e-9);
  // A second fit finds it in sight and changes nothing.
  EXPECT_FALSE(fitViewToLayout(m.grids, m.view, v.bitmap, kStripHeight, kShownHeight));
}

} // namespace

// Every point the drawings read follows one transform of its coordinates
// (scale viewScale, y flipped), after a pan and a zoom as at the start: a
// point left out of the mapping keeps the pixel of the earlier view.
TEST(GridPixels, EveryPointFollowsTheViewAsItsCoordinatesSay) {
  StartView v(3);
  Model& m = *v.m;
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, v.bitmap);
  m.view.viewCentreX += 7;
  m.view.viewScale *= 1.3;
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, v.bitmap);
  const MainPoint& o = m.grids.mainGrid[1][1];
  const PixelPosition po = m.pixels.main[1][1];
  int misplaced = 0, points = 0;
  auto check = [&](double x, double y, PixelPosition p) {
    ++points;
    misplaced += std::abs(p.x - po.x - (x - o.mainGridX) * m.view.viewScale) > 1e-9 ||
                 std::abs(p.y - po.y + (y - o.mainGridY) * m.view.viewScale) > 1e-9;
  };
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      check(m.grids.mainGrid[i][j].mainGridX, m.grids.mainGrid[i][j].mainGridY,
            m.pixels.main[i][j]);
  for (int p = 1; p <= m.grids.bodyLast[m.grids.nBodies] + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      check(m.grids.bodyGrid[p][r][1].bodyGridX, m.grids.bodyGrid[p][r][1].bodyGridY,
            m.pixels.body[p][r][1]);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    check(m.grids.body[b].bodyX, m.grids.body[b].bodyY, m.pixels.bodyCentre[b]);
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k)
      check(m.grids.columnBody[c][k].columnBodyX, m.grids.columnBody[c][k].columnBodyY,
            m.pixels.columnBody[c][k]);
  EXPECT_EQ(misplaced, 0) << "of " << points << " points";
}
