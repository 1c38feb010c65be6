#include "view/colour_scale.h"

#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Rgb {
  int r, g, b;
};

Rgb rampColour(double lo, double hi, double v) {
  static const auto m = makeModel();
  DrawingSurface s(1, 1);
  m->view.scaleLow = lo;
  m->view.scaleHigh = hi;
  setScaleBrush(m->view, s, v);
  EXPECT_EQ(s.pen(), s.brush());
  const Colour c = s.brush();
  return {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)};
}

// Every main-grid point of a synthetic model set to `value`, taking part (dt > 0).
void fillMain(Model& m, int c, double value) {
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      m.solution.mainFlow[i][j][c] = value;
      m.solution.mainFlow[i][j][slot::dt] = 1;
    }
}

void fillAux(Model& m, int c, double value) {
  for (int p = m.grids.bodyFirst[1]; p <= m.grids.bodyLast[1]; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r) m.solution.bodyFlow[p][r][1][c] = value;
}

} // namespace

TEST(ColourScale, RampValuesAcrossTheThirds) {
  const struct {
    double v;
    Rgb want;
  } cases[] = {
      {-1, {0, 0, 255}},    {0, {0, 0, 255}},       {0.5, {0, 128, 255}},
      {1, {0, 255, 255}},   {1.5, {128, 255, 127}}, {2, {255, 255, 0}},
      {2.5, {255, 127, 0}}, {3, {255, 0, 0}},       {4, {255, 0, 0}},
  };
  for (const auto& c : cases) {
    const Rgb got = rampColour(0, 3, c.v);
    EXPECT_EQ(got.r, c.want.r) << "v = " << c.v;
    EXPECT_EQ(got.g, c.want.g) << "v = " << c.v;
    EXPECT_EQ(got.b, c.want.b) << "v = " << c.v;
  }
}

TEST(ColourScale, ZeroWidthRangeIsBlueAtAndRedAboveIt) {
  const Rgb at = rampColour(1, 1, 1);
  EXPECT_EQ(at.b, 255);
  EXPECT_EQ(at.r, 0);
  const Rgb above = rampColour(1, 1, 1.5);
  EXPECT_EQ(above.r, 255);
  EXPECT_EQ(above.g, 0);
  EXPECT_EQ(above.b, 0);
}

TEST(ColourScale, ClampedColourKeepsEachChannelWithin0To255) {
  EXPECT_EQ(clampedColour(300, -5, 128), 0x8000FFu);
  EXPECT_EQ(clampedColour(0, 0, 205), 0xCD0000u);
}

TEST(ColourScale, ScaleRangeHalvesANegativeRangeAndBuildsTheLevels) {
  auto m = syntheticModel();
  fillMain(*m, slot::omega, 0);
  fillAux(*m, slot::omega, 0);
  m->solution.mainFlow[5][5][slot::omega] = -8;
  m->solution.bodyFlow[7][3][1][slot::omega] = 6;
  // Ignored: the last 10 columns for the vorticity, masked points, NaN.
  m->solution.mainFlow[m->grids.mainNx - 4][5][slot::omega] = 50;
  m->solution.mainFlow[6][6][slot::omega] = -70;
  m->solution.mainFlow[6][6][slot::dt] = 0;
  m->solution.mainFlow[7][7][slot::omega] = NAN;
  m->solution.bodyFlow[8][3][1][slot::omega] = -INFINITY;
  findScaleRange(m->layout, m->grids, m->solution, m->view, slot::omega);
  EXPECT_EQ(m->view.scaleLow, -4);
  EXPECT_EQ(m->view.scaleHigh, 3);
  const double want[] = {-4, -3.3, -2.6, -1.9, -1.2, -0.5, 0.2, 0.9, 1.6, 2.3, 3};
  for (int k = 0; k <= 10; ++k) EXPECT_NEAR(m->view.levelValue[k], want[k], 1e-12) << "level " << k;
  EXPECT_EQ(m->view.levelValue[10], 3);
  double expect = -4;
  for (int k = 1; k <= 9; ++k) expect = expect + 0.7;
  EXPECT_EQ(m->view.levelValue[9], expect) << "levels are built by adding the step";
}

TEST(ColourScale, ScaleRangeStartsFromHundredAndMinusHundred) {
  const struct {
    double lowValue, highValue, wantLow, wantHigh;
  } cases[] = {{0.98, 1.02, 0.98, 1.02}, {200, 300, 100, 300}, {-300, -200, -150, -50}};
  auto m = syntheticModel(); // each case fills the slot anew
  for (const auto& c : cases) {
    fillMain(*m, slot::pres, c.lowValue);
    fillAux(*m, slot::pres, c.highValue);
    findScaleRange(m->layout, m->grids, m->solution, m->view, slot::pres);
    EXPECT_DOUBLE_EQ(m->view.scaleLow, c.wantLow) << c.lowValue << ".." << c.highValue;
    EXPECT_DOUBLE_EQ(m->view.scaleHigh, c.wantHigh) << c.lowValue << ".." << c.highValue;
  }
}

TEST(ColourScale, SpeedRangeTakesTheFractionOfTheLargestUnmaskedSpeed) {
  auto m = syntheticModel();
  findSpeedRange(m->layout, m->grids, m->solution, m->view, 0.9);
  EXPECT_EQ(m->view.scaleLow, 0);
  EXPECT_DOUBLE_EQ(m->view.scaleHigh, 0.9 * 1e-5) << "everything masked";

  fillMain(*m, slot::u, 0.3);
  fillMain(*m, slot::v, 0.4);
  m->solution.mainFlow[m->grids.mainNx - 5][5][slot::u] = 9; // among the last ten columns
  m->solution.mainFlow[4][1][slot::u] = 9;                   // row 1
  m->solution.mainFlow[6][6][slot::u] = NAN;                 // not finite
  fillAux(*m, slot::u, 2.0);                                 // omega 0: masked
  findSpeedRange(m->layout, m->grids, m->solution, m->view, 0.9);
  EXPECT_DOUBLE_EQ(m->view.scaleHigh, 0.9 * 0.5);
  m->solution.bodyFlow[9][2][1][slot::omega] = 1;
  findSpeedRange(m->layout, m->grids, m->solution, m->view, 0.5);
  EXPECT_DOUBLE_EQ(m->view.scaleHigh, 0.5 * 2.0);
  EXPECT_DOUBLE_EQ(m->view.levelValue[5], 0.5);
}
