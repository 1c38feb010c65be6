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
