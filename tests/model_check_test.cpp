#include "view/model_check.h"
#include "view/transform.h"

#include "fake_window_services.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

namespace {

int countColour(const DrawingSurface& s, Colour c) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) == c;
  return n;
}

struct Checked {
  std::unique_ptr<Model> m = syntheticModel();
  FakeWindowServices ws;
  ViewSurfaces s;
  Checked() {
    Henkan_Scale(*m, s.bitmap, ws);
    s.bitmap.setBrush(kBlue);
    s.bitmap.fill();
  }
};

} // namespace

TEST(ModelCheck, BeforeTheFirstRunLinkAndHoleViewsAreWhite) {
  Checked c;
  linkView(*c.m, c.s, c.ws);
  EXPECT_EQ(countColour(c.s.window, kWhite), 700 * 452);
  holeView(*c.m, c.s);
  holeView2(c.s);
  EXPECT_EQ(countColour(c.s.window, kWhite), 700 * 452);
  EXPECT_TRUE(c.ws.messages().empty());
}

TEST(ModelCheck, LinkMarksSitAtTheInterpolatedDonorPosition) {
  Checked c;
  Model& m = *c.m;
  // A main-grid receiver fed by auxiliary cell (5, 9): at s = 1, t = 1 the
  // mark sits on corner (6, 10), the body surface.
  m.ryFromWkCount = 1;
  m.ryFromWk[1] = {{0, 10, 10, 1}, {0, 5, 9, 1}, 1.0, 1.0};
  // An auxiliary receiver fed by main-grid cell (3, 4) at its centre.
  m.wkFromRyCount = 1;
  m.wkFromRy[1] = {{0, 2, 1, 1}, {0, 3, 4, 1}, 0.5, 0.5};
  linkView(m, c.s, c.ws);
  const AuxPoint& surface = m.wk[6][10][1];
  EXPECT_EQ(c.s.window.pixel(Roun2(surface.wkPixX), Roun2(surface.wkPixY)), kRed);
  const double cx = (m.ry[3][4].ryPixX + m.ry[4][4].ryPixX) / 2;
  const double cy = (m.ry[3][4].ryPixY + m.ry[3][5].ryPixY) / 2;
  EXPECT_EQ(c.s.window.pixel(Roun2(cx) - 6, Roun2(cy) - 6), kBlue) << "a cross of size 7";
  EXPECT_EQ(countColour(c.s.window, kRed), 7);
  EXPECT_TRUE(c.ws.messages().empty()) << "the donor's coordinates are filled";
}

TEST(ModelCheck, DonorWithoutCoordinatesIsReportedAndDrawingGoesOn) {
  Checked c;
  Model& m = *c.m;
  m.ryFromWkCount = 2;
  m.ryFromWk[1] = {{0, 1, 1, 1}, {0, 1200, 3, 1}, 0.5, 0.5}; // never filled
  m.ryFromWk[2] = {{0, 10, 10, 1}, {0, 5, 9, 1}, 0.0, 0.0};
  m.wkFromWkCount = 1;
  m.wkFromWk[1] = {{0, 7, 1, 1}, {0, 8, 2, 1}, 0.0, 0.0};
  linkView(m, c.s, c.ws);
  EXPECT_EQ(c.ws.messages(), std::vector<std::string>{"by_l_r1_aaaaaaa1200-3-1"});
  // The unfilled donor's pixels are zero too: its mark sits at the corner.
  EXPECT_EQ(c.s.window.pixel(0, 0), kRed);
  const AuxPoint& d = m.wk[5][9][1];
  EXPECT_EQ(c.s.window.pixel(Roun2(d.wkPixX), Roun2(d.wkPixY)), kRed) << "drawing went on";
  const AuxPoint& g = m.wk[8][2][1];
  EXPECT_EQ(c.s.window.pixel(Roun2(g.wkPixX), Roun2(g.wkPixY)), kGreen);
}

TEST(ModelCheck, HoleViewMarksEveryHoleInCyan) {
  Checked c;
  Model& m = *c.m;
  m.ryBlankCount = 2;
  m.ryBlankList[1] = {15, 12};
  m.ryBlankList[2] = {16, 12};
  holeView(m, c.s);
  for (int n = 1; n <= 2; ++n) {
    const MainPoint& q = m.ry[m.ryBlankList[n].i][m.ryBlankList[n].j];
    EXPECT_EQ(c.s.window.pixel(Roun2(q.ryPixX), Roun2(q.ryPixY)), kCyan);
  }
}

TEST(ModelCheck, MeshViewRemapsAndDrawsBothGrids) {
  Checked c;
  c.m->viewCentreX += 8;
  meshView(*c.m, c.s, c.ws);
  EXPECT_NEAR(c.m->body[1].bodyPixX, 350 - 8 * 2.95, 1e-9);
  const MainPoint& q = c.m->ry[3][3];
  EXPECT_EQ(c.s.window.pixel(Roun2(q.ryPixX), Roun2(q.ryPixY)), kBlack);
  const AuxPoint& a = c.m->wk[10][4][1];
  EXPECT_EQ(c.s.window.pixel(Roun2(a.wkPixX), Roun2(a.wkPixY)), kBlack);
}
