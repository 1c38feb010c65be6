// The drawing routines on the grids that grid making and the coupling set-up
// build for the start-up layout.
#include "coupling/metrics.h"
#include "layout/grid_making.h"
#include "run/setup.h"
#include "shown_setup.h"
#include "view/field_maps.h"
#include "view/model_check.h"
#include "view/outline.h"
#include "view/transform.h"

#include "fake_window_services.h"

#include <gtest/gtest.h>

namespace {

// The start-up layout as the main window's creation maps it.
struct StartupLayout {
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
  ViewSurfaces s;
  StartupLayout() {
    setStartupDefaults(m->layout, m->editing, m->view);
    EXPECT_TRUE(rebuildGrids(*m));
    centreViewAtStart(m->layout, m->grids, m->view);
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
  }
  Colour atBody(int b) const {
    return s.bitmap.pixel(roundHalfAway(m->pixels.bodyCentre[b].x),
                          roundHalfAway(m->pixels.bodyCentre[b].y));
  }
  Colour atMain(int i, int j) const {
    return s.bitmap.pixel(roundHalfAway(m->pixels.main[i][j].x),
                          roundHalfAway(m->pixels.main[i][j].y));
  }
};

} // namespace

TEST(StartupPicture, WholeLayoutShowsRedBodiesAndWalls) {
  StartupLayout l;
  ASSERT_EQ(l.m->grids.nBodies, 13);
  drawLayoutPicture(l.m->layout, l.m->grids, l.m->pixels, l.m->editing, l.s.bitmap, true);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kRed) << "body " << b;
  const Model& m = *l.m;
  EXPECT_EQ(l.atMain(m.grids.mainNx / 2, 1), kRed) << "lower wall";
  EXPECT_EQ(l.atMain(m.grids.mainNx / 2, m.grids.mainNy), kRed) << "upper wall";
  EXPECT_EQ(l.atMain(m.grids.mainNx, m.grids.outletLow - 1), kRed) << "right wall below the outlet";
  EXPECT_EQ(l.atMain(m.grids.mainNx, m.grids.mainNy / 2), kWhite) << "the outlet";
  EXPECT_EQ(l.atMain(1, m.grids.mainNy / 2), kWhite) << "the inflow";
}

TEST(StartupPicture, SelectedColumnThreeIsFilled) {
  StartupLayout l;
  l.m->editing.selectedColumn = 3; // columns of 3, 2, 3 bodies: bodies 6..8
  drawLayoutPicture(l.m->layout, l.m->grids, l.m->pixels, l.m->editing, l.s.bitmap, false);
  for (int b = 1; b <= 13; ++b)
    EXPECT_EQ(l.atBody(b), b >= 6 && b <= 8 ? kRed : kWhite) << "body " << b;
  EXPECT_EQ(l.atMain(l.m->grids.mainNx / 2, 1), kBlack) << "walls black";
  l.m->editing.selectedColumn = 6; // no such column: no body filled
  fillWhite(l.s.bitmap);
  drawSelectedColumnPicture(l.m->layout, l.m->grids, l.m->pixels, l.m->editing, l.s.bitmap);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kWhite) << "body " << b;
}

TEST(StartupPicture, SolidRotationHasVorticityMinusTwoOnTheBodyGrids) {
  StartupLayout l;
  Model& m = *l.m;
  computeMetrics(m.layout, m.grids);
  m.constants.mainDx = m.grids.mainSpacing / 16;
  // u = -y, v = x in solver units (16 layout units).
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      m.solution.mainFlow[i][j][slot::u] = -m.grids.mainGrid[i][j].mainGridY / 16;
      m.solution.mainFlow[i][j][slot::v] = m.grids.mainGrid[i][j].mainGridX / 16;
    }
  for (int p = 1; p <= m.grids.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r) {
      m.solution.bodyFlow[p][r][1][slot::u] = -m.grids.bodyGrid[p][r][1].bodyGridY / 16;
      m.solution.bodyFlow[p][r][1][slot::v] = m.grids.bodyGrid[p][r][1].bodyGridX / 16;
    }
  computeVorticity(m.layout, m.constants, m.grids, m.solution);
  EXPECT_NEAR(m.solution.mainFlow[10][10][slot::omega], -2, 1e-9);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
        ASSERT_NEAR(m.solution.bodyFlow[p][r][1][slot::omega], -2, 1e-6)
            << "body " << b << " (" << p << ", " << r << ")";
}

TEST(StartupPicture, LinkAndHoleViewsAfterTheCouplingSetUp) {
  StartupLayout l;
  Model& m = *l.m;
  runCouplingSetupShown(m, l.ws);
  ASSERT_FALSE(m.run.stopFlag);
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, l.s.bitmap);
  ASSERT_GT(m.coupling.mainFromBodyCount, 0);
  ASSERT_GT(m.coupling.mainHoleCount, 0);

  EXPECT_EQ(linkView(m.layout, m.grids, m.pixels, m.coupling, l.s).check.failed, 0);
  // A consistent link puts its mark's centre on its receiver.
  for (int n = 1; n <= m.coupling.mainFromBodyCount; ++n) {
    const Link& k = m.coupling.mainFromBody[n];
    const PixelPosition& q = m.pixels.main[k.receiver[1]][k.receiver[2]];
    ASSERT_NE(l.s.window.pixel(roundHalfAway(q.x), roundHalfAway(q.y)), kWhite) << "link " << n;
  }

  holeView(m.grids, m.pixels, m.coupling, l.s);
  for (int n = 1; n <= m.coupling.mainHoleCount; ++n) {
    const GridIndex h = m.coupling.mainHoleList[n];
    ASSERT_EQ(l.atMain(h.i, h.j), kCyan) << "hole " << n;
  }
}
