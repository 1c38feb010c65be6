// The picture follows the window: a new size draws the picture on screen
// again at once, by the same view transform as a fresh drawing.
#include "ui_fixture.h"

#include "gui/colour_legend_view.h"

#include "ui/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QMenuBar>

#include <cmath>

namespace {

void resizeTo(StartedWindow& s, int width, int height) {
  s.w.resize(width, height);
  QApplication::processEvents();
}

// The surface the window shows (the whole bitmap, not just what the drawing
// area clips).
QImage surface(StartedWindow& s) {
  return s.w.windowSurface().copy();
}

void pretendRunPassedStepHundred(Model& m) {
  m.constants.uInfTrace = 0.05 * std::sqrt(1.4);
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      m.solution.mainFlow[i][j][slot::rho] = 1;
      m.solution.mainFlow[i][j][slot::u] =
          m.constants.uInfTrace * (1 + 0.3 * std::sin(0.2 * i + 0.1 * j));
      m.solution.mainFlow[i][j][slot::v] = 0.01 * std::cos(0.15 * j);
      m.solution.mainFlow[i][j][slot::e] = 1.8 + 0.1 * std::sin(0.1 * i);
    }
  m.run.stepsDone = 150;
  m.solution.flowLayout = m.layout;
}

} // namespace

TEST(WindowResize, TheOutlinePictureIsDrawnAgainAtTheNewSize) {
  StartedWindow s;
  const double x0 = s.m.pixels.bodyCentre[1].x;
  const int widthBefore = s.w.windowSurface().width();
  for (const QSize size : {QSize(1000, 650), QSize(450, 300), QSize(1000, 650)}) {
    resizeTo(s, size.width(), size.height());
    const QSize view(s.w.width() - legendColumnWidth(), s.w.frameGeometry().height());
    EXPECT_EQ(s.w.windowSurface().size(), view) << "the view leaves the legend column";
    // The view's centre stays at the bitmap's centre.
    EXPECT_DOUBLE_EQ(s.m.pixels.bodyCentre[1].x, x0 + (view.width() / 2 - widthBefore / 2));
    const QImage resized = surface(s);
    // Panning there and back draws the same view afresh at this size.
    s.mainButton("panLeftButton")->click();
    s.mainButton("panRightButton")->click();
    EXPECT_EQ(surface(s), resized) << size.width() << " x " << size.height();
  }
}

TEST(WindowResize, AMapIsDrawnAgainWithTheSettingsItWasDrawnWith) {
  StartedWindow s;
  pretendRunPassedStepHundred(s.m);
  s.w.findChild<QCheckBox*>("fillCheck")->click(); // "塗り潰し"
  s.mainButton("pressureButton")->click();         // pressure map
  s.w.findChild<QCheckBox*>("fillCheck")->click(); // changed after the drawing
  resizeTo(s, 900, 600);
  const QImage resized = surface(s);
  int mapColours = 0;
  for (int y = 0; y < resized.height(); y += 3)
    for (int x = 0; x < resized.width(); x += 3) {
      const QColor c = resized.pixelColor(x, y);
      mapColours += c != kWhitePixel && c != kBlackPixel && c != kRedPixel;
    }
  EXPECT_GT(mapColours, 1000) << "a filled map is on screen";
  s.w.findChild<QCheckBox*>("fillCheck")->click();
  s.mainButton("pressureButton")->click(); // the same map, drawn afresh at this size
  EXPECT_EQ(surface(s), resized);
}

TEST(WindowResize, TheWindowKeepsASizeWhereEveryControlIsUsable) {
  StartedWindow s;
  resizeTo(s, 300, 200);
  EXPECT_GE(s.w.width(), s.w.minimumWidth());
  const QRect canvas = s.w.centralWidget()->rect();
  for (const char* name : {"zoomOutButton", "zoomInButton", "panLeftButton", "panRightButton",
                           "panDownButton", "panUpButton"}) {
    QToolButton* b = s.mainButton(name);
    const QRect place(b->mapTo(s.w.centralWidget(), QPoint(0, 0)), b->size());
    EXPECT_TRUE(canvas.contains(place)) << name << " lies inside the drawing area";
  }
  // Every visible menu stays on the bar (none moves into an overflow).
  QMenuBar* bar = s.w.menuBar();
  for (QAction* a : bar->actions())
    if (a->isVisible()) {
      EXPECT_FALSE(bar->actionGeometry(a).isEmpty()) << a->objectName().toStdString();
    }
  EXPECT_GE(bar->width(), bar->sizeHint().width());
  // The pan cross does not reach into the zoom buttons.
  EXPECT_GT(s.mainButton("panLeftButton")->x(), 0);
}
