// The drawing routines on the grids that grid making and the coupling set-up
// build for the start-up layout.
#include "coupling/metrics.h"
#include "coupling/setup.h"
#include "layout/kmake.h"
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
    EXPECT_TRUE(kmake(*m, ws));
    centreViewAtStart(*m);
    Henkan_Scale(*m, s.bitmap, ws);
  }
  Colour atBody(int b) const {
    return s.bitmap.pixel(Roun2(m->body[b].bodyPixX), Roun2(m->body[b].bodyPixY));
  }
  Colour atMain(int i, int j) const {
    return s.bitmap.pixel(Roun2(m->ry[i][j].ryPixX), Roun2(m->ry[i][j].ryPixY));
  }
};

} // namespace

TEST(StartupPicture, WholeLayoutShowsRedBodiesAndWalls) {
  StartupLayout l;
  ASSERT_EQ(l.m->nBodies, 13);
  Draw_Waku2(*l.m, l.s.bitmap, true);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kRed) << "body " << b;
  const Model& m = *l.m;
  EXPECT_EQ(l.atMain(m.ryNx / 2, 1), kRed) << "lower wall";
  EXPECT_EQ(l.atMain(m.ryNx / 2, m.ryNy), kRed) << "upper wall";
  EXPECT_EQ(l.atMain(m.ryNx, m.ryGapLow - 1), kRed) << "right wall below the outlet";
  EXPECT_EQ(l.atMain(m.ryNx, m.ryNy / 2), kWhite) << "the outlet";
  EXPECT_EQ(l.atMain(1, m.ryNy / 2), kWhite) << "the inflow";
}

TEST(StartupPicture, SelectedColumnThreeIsFilled) {
  StartupLayout l;
  l.m->selectedColumn = 3; // columns of 3, 2, 3 bodies: bodies 6..8
  Draw_Waku2(*l.m, l.s.bitmap, false);
  for (int b = 1; b <= 13; ++b)
    EXPECT_EQ(l.atBody(b), b >= 6 && b <= 8 ? kRed : kWhite) << "body " << b;
  EXPECT_EQ(l.atMain(l.m->ryNx / 2, 1), kBlack) << "walls black";
  l.m->selectedColumn = 6; // no such column: no body filled
  fillWhite(l.s.bitmap);
  Draw_Target(*l.m, l.s.bitmap);
  for (int b = 1; b <= 13; ++b) EXPECT_EQ(l.atBody(b), kWhite) << "body " << b;
}

TEST(StartupPicture, SolidRotationHasVorticityMinusTwoOnTheBodyGrids) {
  StartupLayout l;
  Model& m = *l.m;
  Define_Metric(m, l.ws);
  m.ryDx = m.ryH / 16;
  // u = -y, v = x in solver units (16 layout units).
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      m.ryFlow[i][j][slot::u] = -m.ry[i][j].ryY / 16;
      m.ryFlow[i][j][slot::v] = m.ry[i][j].ryX / 16;
    }
  for (int p = 1; p <= m.wkNp + 1; ++p)
    for (int r = 1; r <= m.wkNr; ++r) {
      m.wkFlow[p][r][1][slot::u] = -m.wk[p][r][1].wkY / 16;
      m.wkFlow[p][r][1][slot::v] = m.wk[p][r][1].wkX / 16;
    }
  define_omeg(m);
  EXPECT_NEAR(m.ryFlow[10][10][slot::omega], -2, 1e-9);
  for (int b = 1; b <= m.nBodies; ++b)
    for (int r = 1; r <= m.wkNr; ++r)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
        ASSERT_NEAR(m.wkFlow[p][r][1][slot::omega], -2, 1e-6)
            << "body " << b << " (" << p << ", " << r << ")";
}

TEST(StartupPicture, LinkAndHoleViewsAfterTheCouplingSetUp) {
  StartupLayout l;
  Model& m = *l.m;
  runCouplingSetup(m, l.ws);
  ASSERT_FALSE(m.stopFlag);
  Henkan_Scale(m, l.s.bitmap, l.ws);
  ASSERT_GT(m.ryFromWkCount, 0);
  ASSERT_GT(m.ryBlankCount, 0);

  linkView(m, l.s, l.ws);
  EXPECT_TRUE(l.ws.messages().empty()) << l.ws.messages().front();
  // A consistent link puts its mark's centre on its receiver.
  for (int n = 1; n <= m.ryFromWkCount; ++n) {
    const Link& k = m.ryFromWk[n];
    const MainPoint& q = m.ry[k.receiver[1]][k.receiver[2]];
    ASSERT_NE(l.s.window.pixel(Roun2(q.ryPixX), Roun2(q.ryPixY)), kWhite) << "link " << n;
  }

  holeView(m, l.s);
  for (int n = 1; n <= m.ryBlankCount; ++n) {
    const GridIndex h = m.ryBlankList[n];
    ASSERT_EQ(l.atMain(h.i, h.j), kCyan) << "hole " << n;
  }
}
