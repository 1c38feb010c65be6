// The colour legend beside the picture: it shows the levels of the map on
// screen in their colours, leaves the view's pixels alone, and goes away with
// the map.
#include "ui_fixture.h"

#include "gui/colour_legend_view.h"
#include "ui/number_text.h"
#include "view/colour_scale.h"
#include "view/surfaces.h"

#include <QAction>
#include <QTemporaryDir>

TEST(ColourLegend, ShowsTheLevelsOfTheMapOnScreen) {
  StartedWindow s;
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::none) << "the outline picture has none";
  s.mainButton("densityButton")->click(); // density, drawn whatever the run
  const ColourLegend& legend = s.w.shownLegend();
  ASSERT_EQ(legend.quantity, LegendQuantity::density);
  ASSERT_EQ(legend.rowCount, 11);
  EXPECT_EQ(legend.scaleLow, s.m.view.scaleLow);
  EXPECT_EQ(legend.scaleHigh, s.m.view.scaleHigh);
  DrawingSurface probe(1, 1);
  for (int row = 0; row < 11; ++row) {
    const double level = s.m.view.levelValue[10 - row];
    EXPECT_EQ(legend.rows[row].value, level) << row;
    EXPECT_EQ(legendRowText(legend, row), shortestDecimal(level)) << row;
    setScaleBrush(s.m.view, probe, level); // the colour the map gives this level
    EXPECT_EQ(legend.rows[row].colour, probe.brush()) << row;
  }
  EXPECT_TRUE(s.w.findChild<QWidget*>("ColourLegend")->isVisible());
}

TEST(ColourLegend, SavedPictureIsTheViewWithTheLegendBesideIt) {
  StartedWindow s;
  s.mainButton("densityButton")->click();
  const QImage view = s.w.windowSurface();
  const QImage picture = s.w.pictureToSave();
  EXPECT_EQ(picture.width(), view.width() + legendWidth(s.w.shownLegend()));
  EXPECT_EQ(picture.height(), view.height());
  EXPECT_EQ(picture.copy(0, 0, view.width(), view.height()), view.convertToFormat(picture.format()))
      << "the view's pixels are as they are";
  // The legend's top row shows the colour of the highest level.
  const QColor top = picture.pixelColor(view.width() + 10, 18 + 7);
  const Colour c = s.w.shownLegend().rows[0].colour;
  EXPECT_EQ(top, QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF));
}

TEST(ColourLegend, StaysThroughPanAndZoomAndGoesAwayWithTheMap) {
  StartedWindow s;
  s.mainButton("densityButton")->click();
  const double bodyX = s.m.pixels.bodyCentre[1].x;
  s.mainButton("zoomOutButton")->click(); // zoom out: the map at the new scale
  s.mainButton("panLeftButton")->click();
  EXPECT_NE(s.m.pixels.bodyCentre[1].x, bodyX);
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::density);
  EXPECT_TRUE(s.w.findChild<QWidget*>("ColourLegend")->isVisible());
  EXPECT_EQ(s.grabbed().pixelColor(roundHalfAway(s.m.pixels.bodyCentre[1].x),
                                   roundHalfAway(s.m.pixels.bodyCentre[1].y)),
            kWhitePixel)
      << "the map's white body interiors where the bodies now are";
  s.w.findChild<QAction*>("pattern2Item")->trigger(); // a new layout: its outlines
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::none);
  EXPECT_FALSE(s.w.findChild<QWidget*>("ColourLegend")->isVisible());
  EXPECT_EQ(s.w.pictureToSave().size(), s.w.windowSurface().size());
}

TEST(ColourLegend, VectorBinsRunFromTheTopSpeedDown) {
  auto m = makeModel();
  m->view.scaleLow = 0;
  m->view.scaleHigh = 2;
  const ColourLegend legend = vectorLegend(m->view);
  ASSERT_EQ(legend.rowCount, 21);
  EXPECT_EQ(legend.rows[0].colour, kRed) << "speeds above the scale are red";
  EXPECT_EQ(legendRowText(legend, 0), QString::fromUtf8("＞2.000"));
  EXPECT_EQ(legendRowText(legend, 1), "1.900");
  // The last lower edge is 0 up to the rounding of twenty subtractions.
  EXPECT_NEAR(legend.rows[20].value, 0, 1e-14);
  EXPECT_EQ(legendRowText(legend, 20), "0");
  // Blue at the bottom, red toward the top, as the arrows are drawn.
  EXPECT_EQ(legend.rows[20].colour, clampedColour(0, 0, 255));
  EXPECT_EQ(legend.rows[1].colour, clampedColour(255, 38, 0));
}

TEST(ColourLegend, TheMenuSavesThePictureAsPng) {
  StartedWindow s;
  s.mainButton("densityButton")->click();
  QTemporaryDir dir;
  const QString path = dir.filePath("density.png");
  s.w.chooseFile = [&](bool save, const QString& filter) {
    EXPECT_TRUE(save);
    EXPECT_TRUE(filter.contains("*.png"));
    return path;
  };
  s.w.findChild<QAction*>("KeepPicture")->trigger();
  EXPECT_TRUE(s.messages.empty());
  const QImage saved(path);
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            s.w.pictureToSave().convertToFormat(QImage::Format_RGB32));
}

TEST(ColourLegend, RowsPrintFourSignificantDigitsWithTheDecimalsOfTheLargest) {
  const struct {
    double largest, value;
    const char* text;
  } cases[] = {
      {1.10279772900349, 1.10279772900349, "1.103"},
      {1.10279772900349, 0.9, "0.900"},
      {1.1, 1.73472347597681e-17, "0"},
      {1.1, -0.0004, "0"},
      {0.0612, 0.0612, "0.06120"},
      {-12.5, 3.25, "3.25"},
      {9.9996, 9.9996, "10.00"},
      {2500, 2499.6, "2500"},
      {123456, 123456, "1.235e+05"},
      {0, 0, "0"},
  };
  for (const auto& c : cases) {
    ColourLegend legend;
    legend.quantity = LegendQuantity::pressure;
    legend.rowCount = 2;
    legend.rows[0].value = c.largest;
    legend.rows[1].value = c.value;
    EXPECT_EQ(legendRowText(legend, 1).toStdString(), c.text) << c.largest << " " << c.value;
  }
}

TEST(ColourLegend, TheTallestLegendLeavesTheChannelAndFitsAtTheSmallestWindow) {
  StartedWindow s;
  s.w.plotVectors(); // 21 rows
  const QWidget* strip = s.w.findChild<QWidget*>("ColourLegend");
  ASSERT_TRUE(strip->isVisible());
  EXPECT_LT(s.m.pixels.main[s.m.grids.mainNx][1].x, strip->x()) << "the outlet under the legend";
  s.w.resize(s.w.minimumSize());
  QApplication::processEvents();
  EXPECT_LE(strip->geometry().bottom(), s.w.centralWidget()->height()) << "rows cut";
  EXPECT_LE(s.w.windowSurface().width(), strip->x()) << "the view under the legend";
  EXPECT_EQ(s.w.findChild<QWidget*>("Strip")->width(), s.w.width()) << "the strip of controls";
}
