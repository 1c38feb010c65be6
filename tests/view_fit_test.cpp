// Fitting the view to the layout: the classic views that show the layout are
// kept as they are, a tall layout is brought into sight.
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "view/transform.h"

#include "fake_window_services.h"

#include <gtest/gtest.h>

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
    setStartupDefaults(*m);
    EXPECT_TRUE(rebuildGrids(*m));
    centreViewAtStart(*m);
    if (pattern > 0) {
      EXPECT_TRUE(applyPreset(*m, pattern));
    }
  }
};

TEST(ViewFit, LeavesTheStartUpViewAndThePatternsExactlyAsTheyAre) {
  for (int pattern = 0; pattern <= 4; ++pattern) {
    StartView v(pattern);
    const double x = v.m->viewCentreX, y = v.m->viewCentreY, scale = v.m->viewScale;
    EXPECT_FALSE(fitViewToLayout(*v.m, v.bitmap, kStripHeight, kShownHeight))
        << "pattern " << pattern;
    EXPECT_EQ(v.m->viewCentreX, x) << "pattern " << pattern;
    EXPECT_EQ(v.m->viewCentreY, y) << "pattern " << pattern;
    EXPECT_EQ(v.m->viewScale, scale) << "pattern " << pattern;
  }
}

TEST(ViewFit, BringsBothWallsAndEveryBodyOfATallLayoutIntoSight) {
  StartView v(0);
  Model& m = *v.m;
  for (int c = 1; c <= m.nColumns; ++c) {
    m.columnBodies[c] = 4;
    m.columnSpacing[c] = 40;
  }
  ASSERT_TRUE(rebuildGrids(m));
  auto inSight = [&](double px, double py) {
    return px >= 0 && px < v.bitmap.width() && py >= kStripHeight && py < kShownHeight;
  };
  auto wallsInSight = [&] {
    mapToPixels(m, v.bitmap);
    return inSight(m.mainGrid[1][1].mainGridPixX, m.mainGrid[1][1].mainGridPixY) &&
           inSight(m.mainGrid[1][m.mainNy].mainGridPixX, m.mainGrid[1][m.mainNy].mainGridPixY);
  };
  // The walls' points at the view's left edge: shift them onto the view's
  // column so that only their height is judged.
  for (int j : {1, m.mainNy}) m.mainGrid[1][j].mainGridX = m.viewCentreX;
  ASSERT_FALSE(wallsInSight()) << "the tall layout fits already";
  EXPECT_TRUE(fitViewToLayout(m, v.bitmap, kStripHeight, kShownHeight));
  EXPECT_TRUE(wallsInSight());
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
      EXPECT_TRUE(inSight(m.bodyGrid[p][1][1].bodyGridPixX, m.bodyGrid[p][1][1].bodyGridPixY))
          << "body " << b;
  // The probe's inverse mapping returns a point's layout coordinates.
  const LayoutPoint back = pixelToLayout(m, v.bitmap, m.body[3].bodyPixX, m.body[3].bodyPixY);
  EXPECT_NEAR(back.x, m.body[3].bodyX, 1e-9);
  EXPECT_NEAR(back.y, m.body[3].bodyY, 1e-9);
  // A second fit finds it in sight and changes nothing.
  EXPECT_FALSE(fitViewToLayout(m, v.bitmap, kStripHeight, kShownHeight));
}

} // namespace
