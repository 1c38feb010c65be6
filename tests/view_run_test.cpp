// The plots of a full run without a window (the default layout, 300 steps),
// and the maps drawn from its final state.
#include "layout/grid_making.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "view/field_maps.h"
#include "view/transform.h"

#include "fake_window_services.h"
#include "run_reference_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class HeadlessRun : public testing::Test {
protected:
  struct Session {
    std::unique_ptr<Model> m = makeModel();
    FakeWindowServices ws;
    ViewSurfaces s;
    HeadlessStages stages{*m, s, ws};
  };
  static void SetUpTestSuite() {
    run = new Session();
    Model& m = *run->m;
    // The main window's creation: grids, view centre, pixel positions.
    setStartupDefaults(m.layout, m.editing, m.view);
    rebuildGrids(m);
    centreViewAtStart(m.layout, m.grids, m.view);
    placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, run->s.bitmap);
    run->ws.calls.clear();
    runCalculation(m, run->ws, run->stages);
  }
  static void TearDownTestSuite() {
    delete run;
    run = nullptr;
  }
  static Session* run;

  static int countColoured(const DrawingSurface& s) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) != kWhite && s.pixel(x, y) != kBlack;
    return n;
  }
};
HeadlessRun::Session* HeadlessRun::run = nullptr;

} // namespace

TEST_F(HeadlessRun, PlotsLeaveTheFlowOfTheStoredReference) {
  const Model& m = *run->m;
  ASSERT_EQ(run->ws.statusPanel[1], "計算が正常に終了しました。");
  const int fields[5] = {slot::rho, slot::u, slot::v, slot::e, slot::pres};
  for (int n = 0; n < runref::kSamples; ++n)
    for (int k = 0; k < 5; ++k) {
      const double want = runref::kDefaultLayout.mainSample[n][k];
      const double got =
          m.solution.mainFlow[runref::kMainSamples[n][0]][runref::kMainSamples[n][1]][fields[k]];
      EXPECT_LE(std::fabs(got - want), 1e-10 * (std::fabs(want) + 1e-3))
          << "sample " << n << " slot " << fields[k];
    }
}

TEST_F(HeadlessRun, EndsOnTheVectorPlotShownInTheWindow) {
  const Model& m = *run->m;
  EXPECT_EQ(run->ws.statusPanel[0], "　速度ベクトル図");
  int plots = 0;
  for (const auto& t : run->ws.statusTexts(0)) plots += !t.empty();
  EXPECT_EQ(plots, 10) << "four vector, three pressure, three vorticity plots";
  EXPECT_EQ(m.view.scaleLow, 0);
  EXPECT_GT(m.view.scaleHigh, 0.9 * 0.05);
  EXPECT_GT(countColoured(run->s.window), 10000);
  for (int y = 0; y < 452; y += 3)
    for (int x = 0; x < 700; x += 3)
      ASSERT_EQ(run->s.window.pixel(x, y), run->s.bitmap.pixel(x, y));
  // The vorticity of step 270 is left in omega for the speed range's mask.
  int positive = 0;
  for (int p = m.grids.bodyFirst[1]; p <= m.grids.bodyLast[1]; ++p)
    positive += m.solution.bodyFlow[p][5][1][slot::omega] > 0;
  EXPECT_GT(positive, 0);
}

TEST_F(HeadlessRun, MapsOfTheFinalStateInBothModes) {
  Model& m = *run->m;
  const struct {
    PlotCaption (*draw)(const FieldMapState&, ViewSurfaces&);
    const char* text;
  } maps[] = {{drawVorticityMap, "　渦度分布図"},
              {drawPressureMap, "　圧力分布図"},
              {drawDensityMap, "　密度分布図"}};
  for (const auto& map : maps)
    for (bool fill : {false, true}) {
      m.view.fillContours = fill;
      m.view.blackLines = fill;
      showPlotCaption(run->ws, map.draw(m, run->s));
      EXPECT_EQ(run->ws.statusPanel[0], map.text);
      EXPECT_TRUE(std::isfinite(m.view.scaleLow) && m.view.scaleLow < m.view.scaleHigh) << map.text;
      EXPECT_GT(countColoured(run->s.window), fill ? 50000 : 5000)
          << map.text << (fill ? " filled" : " lines");
      for (int b = 1; b <= m.grids.nBodies; ++b)
        EXPECT_EQ(run->s.window.pixel(roundHalfAway(m.pixels.bodyCentre[b].x),
                                      roundHalfAway(m.pixels.bodyCentre[b].y)),
                  kWhite)
            << map.text << ": inside body " << b;
    }
  (void)drawVorticityMap(m, run->s);
  EXPECT_LT(m.view.scaleLow, 0) << "vorticity of both signs, range halved";
  m.view.fillContours = m.view.blackLines = false;
}
