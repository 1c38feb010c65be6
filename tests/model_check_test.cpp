#include "layout/grid_making.h"
#include "run/setup.h"
#include "shown_setup.h"
#include "view/model_check.h"
#include "view/transform.h"

#include "fake_window_services.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

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
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
    s.bitmap.setBrush(kBlue);
    s.bitmap.fill();
  }
};

// The messages the window shows after the link view: none or one.
std::vector<std::string> reported(const LinkViewFinding& finding) {
  const std::optional<std::string> text = linkViewMessage(finding, Language::japanese);
  return text ? std::vector<std::string>{*text} : std::vector<std::string>{};
}

} // namespace

TEST(ModelCheck, BeforeTheFirstRunLinkAndHoleViewsAreWhite) {
  Checked c;
  EXPECT_TRUE(reported(linkView(c.m->layout, c.m->grids, c.m->pixels, c.m->coupling, c.s)).empty());
  EXPECT_EQ(countColour(c.s.window, kWhite), 700 * 452);
  holeView(c.m->grids, c.m->pixels, c.m->coupling, c.s);
  unfilledReceiverView(c.s);
  EXPECT_EQ(countColour(c.s.window, kWhite), 700 * 452);
}

TEST(ModelCheck, DonorWithoutCoordinatesIsReportedAndDrawingGoesOn) {
  Checked c;
  Model& m = *c.m;
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                1201); // room for the donor index that is never filled
  m.coupling.mainFromBody.resize(3);
  m.coupling.bodyFromBody.resize(2);
  m.coupling.mainFromBodyCount = 2;
  m.coupling.mainFromBody[1] = {{0, 1, 1, 1}, {0, 1200, 3, 1}, 0.5, 0.5}; // never filled
  m.coupling.mainFromBody[2] = {{0, 10, 10, 1}, {0, 5, 9, 1}, 0.0, 0.0};
  m.grids.mainGrid[10][10].mainGridX =
      m.grids.bodyGrid[5][9][1].bodyGridX; // link 2 is sound: its donor point is its receiver
  m.grids.mainGrid[10][10].mainGridY = m.grids.bodyGrid[5][9][1].bodyGridY;
  m.coupling.bodyFromBodyCount = 1;
  m.coupling.bodyFromBody[1] = {{0, 7, 1, 1}, {0, 8, 2, 1}, 0.0, 0.0};
  m.coupling.linkedLayout = m.layout; // the lists belong to these grids
  EXPECT_EQ(reported(linkView(m.layout, m.grids, m.pixels, m.coupling, c.s)),
            std::vector<std::string>{"by_l_r1_aaaaaaa1200-3-1（不合格のリンク 1 本）"});
  // The unfilled donor's pixels are zero too: its mark sits at the corner.
  EXPECT_EQ(c.s.window.pixel(0, 0), kRed);
  const PixelPosition& d = m.pixels.body[5][9][1];
  EXPECT_EQ(c.s.window.pixel(roundHalfAway(d.x), roundHalfAway(d.y)), kRed) << "drawing went on";
  const PixelPosition& g = m.pixels.body[8][2][1];
  EXPECT_EQ(c.s.window.pixel(roundHalfAway(g.x), roundHalfAway(g.y)), kGreen);
}

TEST(ModelCheck, MeshViewRemapsAndDrawsBothGrids) {
  Checked c;
  c.m->view.viewCentreX += 8;
  meshView(c.m->layout, c.m->grids, c.m->view, c.m->pixels, c.s);
  EXPECT_NEAR(c.m->pixels.bodyCentre[1].x, 350 - 8 * 2.95, 1e-9);
  const PixelPosition& q = c.m->pixels.main[3][3];
  EXPECT_EQ(c.s.window.pixel(roundHalfAway(q.x), roundHalfAway(q.y)), kBlack);
  const PixelPosition& a = c.m->pixels.body[10][4][1];
  EXPECT_EQ(c.s.window.pixel(roundHalfAway(a.x), roundHalfAway(a.y)), kBlack);
}

TEST(ModelCheck, ManyFailingLinksGiveOneMessageAndGenuineLinksNearTheOriginPass) {
  Checked c;
  Model& m = *c.m;
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                1500); // room for the donor indices that are never filled
  m.coupling.mainFromBody.resize(2276);
  m.coupling.linkedLayout = m.layout;
  // A sound link whose receiver lies near the origin, at (0.84, 0.12): the
  // donor corners surround it, so their interpolation is the receiver.
  m.grids.bodyGrid[5][9][1].bodyGridX = 0.84;
  m.grids.bodyGrid[5][9][1].bodyGridY = 0.12;
  m.grids.mainGrid[10][10].mainGridX = 0.84;
  m.grids.mainGrid[10][10].mainGridY = 0.12;
  m.coupling.mainFromBody[1] = {{0, 10, 10, 1}, {0, 5, 9, 1}, 0.0, 0.0};
  // 2274 links with a donor cell that was never filled.
  m.coupling.mainFromBodyCount = 2275;
  for (int n = 2; n <= m.coupling.mainFromBodyCount; ++n)
    m.coupling.mainFromBody[n] = {{0, 3, 3, 1}, {0, 1000 + n % 500, 3, 1}, 0.5, 0.5};
  EXPECT_EQ(reported(linkView(m.layout, m.grids, m.pixels, m.coupling, c.s)),
            std::vector<std::string>{"by_l_r1_aaaaaaa1002-3-1（不合格のリンク 2274 本）"});
  EXPECT_EQ(drawLinkPoints(m.grids, m.pixels, m.coupling, c.s.bitmap, 1).failed, 2274);
}

TEST(ModelCheck, LinksOfAnEarlierLayoutAreNeitherDrawnNorChecked) {
  Checked c;
  Model& m = *c.m;
  m.coupling.linkedLayout = m.layout;
  m.coupling.mainFromBodyCount = 300;
  m.coupling.mainFromBody.resize(301);
  for (int n = 1; n <= m.coupling.mainFromBodyCount; ++n)
    m.coupling.mainFromBody[n] = {{0, 3, 3, 1}, {0, 1000 + n, 3, 1}, 0.5, 0.5};
  m.layout.columnSpacing[1] = m.layout.columnSpacing[1] + 1; // the layout changed since the set-up
  EXPECT_FALSE(linksBelongToGrids(m.layout, m.coupling));
  const std::vector<std::string> said =
      reported(linkView(m.layout, m.grids, m.pixels, m.coupling, c.s));
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].rfind("補間リンクは", 0), 0u) << said[0];
  EXPECT_EQ(countColour(c.s.window, kWhite), 700 * 452) << "nothing drawn";
}

TEST(ModelCheck, EveryLinkOfASetUpPassesIncludingThoseNearTheOrigin) {
  // Columns of two bodies 18 apart put main-grid receivers within 1 of the
  // origin, between the two bodies of column 1 (at x = -0.74 and 0.51,
  // y = -0.5 and 0.75): genuine links that a test of "near the origin" took
  // for donor cells never filled.
  auto model = makeModel();
  Model& m = *model;
  FakeWindowServices ws;
  setStartupDefaults(m.layout, m.editing, m.view);
  for (int c = 1; c <= kColumnSlots; ++c) {
    m.layout.columnSpacing[c] = 18;
    m.layout.columnBodies[c] = c % 2 == 1 ? 2 : 3;
  }
  ASSERT_TRUE(rebuildGrids(m));
  runCouplingSetupShown(m, ws);
  ViewSurfaces s;
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, s.bitmap);
  ASSERT_TRUE(linksBelongToGrids(m.layout, m.coupling));
  int nearOrigin = 0;
  for (int n = 1; n <= m.coupling.mainFromBodyCount; ++n) {
    const MainPoint& r = m.grids.mainGrid[m.coupling.mainFromBody[n].receiver[1]]
                                         [m.coupling.mainFromBody[n].receiver[2]];
    nearOrigin += std::abs(r.mainGridX) < 1 && std::abs(r.mainGridY) < 1;
  }
  EXPECT_EQ(nearOrigin, 4);
  EXPECT_EQ(drawLinkPoints(m.grids, m.pixels, m.coupling, s.bitmap, 1).failed, 0);
  EXPECT_TRUE(reported(linkView(m.layout, m.grids, m.pixels, m.coupling, s)).empty());
}
