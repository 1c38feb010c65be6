// The colour legend beside the picture: it shows the levels of the map on
// screen in their colours, leaves the view's pixels alone, and goes away with
// the map.
#include "ui_fixture.h"

#include "ui/colour_legend_view.h"
#include "ui/number_text.h"
#include "view/colour_scale.h"
#include "view/surfaces.h"

#include <QAction>
#include <QTemporaryDir>

TEST(ColourLegend, ShowsTheLevelsOfTheMapOnScreen) {
  StartedWindow s;
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::none) << "the outline picture has none";
  s.mainButton("BitBtn5")->click(); // density, drawn whatever the run
  const ColourLegend& legend = s.w.shownLegend();
  ASSERT_EQ(legend.quantity, LegendQuantity::density);
  ASSERT_EQ(legend.rowCount, 11);
  EXPECT_EQ(legend.scaleLow, s.m.scaleLow);
  EXPECT_EQ(legend.scaleHigh, s.m.scaleHigh);
  DrawingSurface probe(1, 1);
  for (int row = 0; row < 11; ++row) {
    const double level = s.m.levelValue[10 - row];
    EXPECT_EQ(legend.rows[row].value, level) << row;
    EXPECT_EQ(legendRowText(legend, row), shortestDecimal(level)) << row;
    BColor_Define(s.m, probe, level); // the colour the map gives this level
    EXPECT_EQ(legend.rows[row].colour, probe.brush()) << row;
  }
  EXPECT_TRUE(s.w.findChild<QWidget*>("ColourLegend")->isVisible());
}

TEST(ColourLegend, SavedPictureIsTheViewWithTheLegendBesideIt) {
  StartedWindow s;
  s.mainButton("BitBtn5")->click();
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

TEST(ColourLegend, GoesAwayWithTheMap) {
  StartedWindow s;
  s.mainButton("BitBtn5")->click();
  s.mainButton("BitBtn7")->click(); // zoom: the outline picture again
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::none);
  EXPECT_FALSE(s.w.findChild<QWidget*>("ColourLegend")->isVisible());
  EXPECT_EQ(s.w.pictureToSave().size(), s.w.windowSurface().size());
}

TEST(ColourLegend, VectorBinsRunFromTheTopSpeedDown) {
  auto m = makeModel();
  m->scaleLow = 0;
  m->scaleHigh = 2;
  const ColourLegend legend = vectorLegend(*m);
  ASSERT_EQ(legend.rowCount, 21);
  EXPECT_EQ(legend.rows[0].colour, kRed) << "speeds above the scale are red";
  EXPECT_EQ(legendRowText(legend, 0), QString::fromUtf8("＞2"));
  EXPECT_EQ(legendRowText(legend, 1), "1.9");
  // The last lower edge is 0 up to the rounding of twenty subtractions.
  EXPECT_NEAR(legend.rows[20].value, 0, 1e-14);
  // Blue at the bottom, red toward the top, as the arrows are drawn.
  EXPECT_EQ(legend.rows[20].colour, RColorf(0, 0, 255));
  EXPECT_EQ(legend.rows[1].colour, RColorf(255, 38, 0));
}

TEST(ColourLegend, TheMenuSavesThePictureAsPng) {
  StartedWindow s;
  s.mainButton("BitBtn5")->click();
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
