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
    setStartupDefaults(*m);
    EXPECT_TRUE(rebuildGrids(*m));
    centreViewAtStart(*m);
    placeLayoutOnBitmap(*m, s.bitmap);
  }
  Colour atBody(int b) const {
    return s.bitmap.pixel(roundHalfAway(m->body[b].bodyPixX), roundHalfAway(m->body[b].bodyPixY));
  }
  Colour atMain(int i, int j) const {
    return s.bitmap.pixel(roundHalfAway(m->mainGrid[i][j].mainGridPixX),
                          roundHalfAway(m->mainGrid[i][j].mainGridPixY));
  }
};

} // namespace

TEST(StartupPicture, WholeLayoutShowsRedBodiesAndWalls) {
  StartupLayout l;
  ASSERT_EQ(l.m->nBodies, 13);
  drawLayoutPicture(*l.m, l.s.bitmap, true);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kRed) << "body " << b;
  const Model& m = *l.m;
  EXPECT_EQ(l.atMain(m.mainNx / 2, 1), kRed) << "lower wall";
  EXPECT_EQ(l.atMain(m.mainNx / 2, m.mainNy), kRed) << "upper wall";
  EXPECT_EQ(l.atMain(m.mainNx, m.outletLow - 1), kRed) << "right wall below the outlet";
  EXPECT_EQ(l.atMain(m.mainNx, m.mainNy / 2), kWhite) << "the outlet";
  EXPECT_EQ(l.atMain(1, m.mainNy / 2), kWhite) << "the inflow";
}

TEST(StartupPicture, SelectedColumnThreeIsFilled) {
  StartupLayout l;
  l.m->selectedColumn = 3; // columns of 3, 2, 3 bodies: bodies 6..8
  drawLayoutPicture(*l.m, l.s.bitmap, false);
  for (int b = 1; b <= 13; ++b)
    EXPECT_EQ(l.atBody(b), b >= 6 && b <= 8 ? kRed : kWhite) << "body " << b;
  EXPECT_EQ(l.atMain(l.m->mainNx / 2, 1), kBlack) << "walls black";
  l.m->selectedColumn = 6; // no such column: no body filled
  fillWhite(l.s.bitmap);
  drawSelectedColumnPicture(*l.m, l.s.bitmap);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kWhite) << "body " << b;
}

TEST(StartupPicture, SolidRotationHasVorticityMinusTwoOnTheBodyGrids) {
  StartupLayout l;
  Model& m = *l.m;
  computeMetrics(m);
  m.mainDx = m.mainSpacing / 16;
  // u = -y, v = x in solver units (16 layout units).
  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) {
      m.mainFlow[i][j][slot::u] = -m.mainGrid[i][j].mainGridY / 16;
      m.mainFlow[i][j][slot::v] = m.mainGrid[i][j].mainGridX / 16;
    }
  for (int p = 1; p <= m.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= m.bodyLayers; ++r) {
      m.bodyFlow[p][r][1][slot::u] = -m.bodyGrid[p][r][1].bodyGridY / 16;
      m.bodyFlow[p][r][1][slot::v] = m.bodyGrid[p][r][1].bodyGridX / 16;
    }
  computeVorticity(m);
  EXPECT_NEAR(m.mainFlow[10][10][slot::omega], -2, 1e-9);
  for (int b = 1; b <= m.nBodies; ++b)
    for (int r = 1; r <= m.bodyLayers; ++r)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
        ASSERT_NEAR(m.bodyFlow[p][r][1][slot::omega], -2, 1e-6)
            << "body " << b << " (" << p << ", " << r << ")";
}

TEST(StartupPicture, LinkAndHoleViewsAfterTheCouplingSetUp) {
  StartupLayout l;
  Model& m = *l.m;
  runCouplingSetupShown(m, l.ws);
  ASSERT_FALSE(m.stopFlag);
  placeLayoutOnBitmap(m, l.s.bitmap);
  ASSERT_GT(m.mainFromBodyCount, 0);
  ASSERT_GT(m.mainHoleCount, 0);

  EXPECT_EQ(linkView(m, l.s).check.failed, 0);
  // A consistent link puts its mark's centre on its receiver.
  for (int n = 1; n <= m.mainFromBodyCount; ++n) {
    const Link& k = m.mainFromBody[n];
    const MainPoint& q = m.mainGrid[k.receiver[1]][k.receiver[2]];
    ASSERT_NE(l.s.window.pixel(roundHalfAway(q.mainGridPixX), roundHalfAway(q.mainGridPixY)),
              kWhite)
        << "link " << n;
  }

  holeView(m, l.s);
  for (int n = 1; n <= m.mainHoleCount; ++n) {
    const GridIndex h = m.mainHoleList[n];
    ASSERT_EQ(l.atMain(h.i, h.j), kCyan) << "hole " << n;
  }
}
