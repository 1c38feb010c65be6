// The main window's side of the drawing: its two surfaces and the drawing
// routines of the view called over them.  The layout's pictures while it is
// edited are in main_window_layout.cpp.
#include "gui/colour_legend_view.h"
#include "run/setup.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/run_thread.h"
#include "view/colour_legend.h"
#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/model_check.h"
#include "view/outline.h"
#include "view/particles.h"
#include "view/surfaces.h"
#include "view/transform.h"
#include "view/vectors.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace {
// The window's drawing area: shows the window surface at (0, 0) and reports
// mouse presses and moves in its own pixel coordinates (those of the view
// bitmap).
class ViewCanvas : public QWidget {
public:
  ViewCanvas(QWidget* parent, std::function<QImage()> surface, std::function<void(int, int)> press,
             std::function<void(int, int)> move)
      : QWidget(parent), surface_(std::move(surface)), press_(std::move(press)),
        move_(std::move(move)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    p.drawImage(0, 0, surface_());
  }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    press_(at.x(), at.y());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    move_(at.x(), at.y());
  }

private:
  std::function<QImage()> surface_;
  std::function<void(int, int)> press_, move_;
};
} // namespace

QWidget* MainWindow::createCanvas() {
  return new ViewCanvas(
      this, [this] { return windowSurface(); }, [this](int x, int y) { onPictureClicked(x, y); },
      [this](int x, int y) { showProbe(x, y); });
}

void MainWindow::createPicture(int width, int height) {
  surfaces_ = std::make_unique<ViewSurfaces>();
  surfaces_->setSize(width, height);
}

namespace {
// The surface's words 0x00BBGGRR lie in memory as R, G, B, X: an RGBX8888
// image over the same memory, no conversion.
QImage imageOver(const DrawingSurface& s) {
  return QImage(reinterpret_cast<const uchar*>(s.bits()), s.width(), s.height(), s.width() * 4,
                QImage::Format_RGBX8888);
}
} // namespace

QImage MainWindow::windowSurface() const {
  if (loopRunning()) return shownDuringRun_;
  return imageOver(surfaces_->window);
}

void MainWindow::fillViewWhite() {
  fillWhite(surfaces_->bitmap);
  showLegend({});
}
void MainWindow::placeLayoutOnView() {
  placeLayoutOnBitmap(model_->layout, model_->grids, model_->view, model_->pixels,
                      surfaces_->bitmap);
  showNewViewControls(*services_);
}
// The outline pictures and the model-check views have no colour legend.
void MainWindow::showBodyOutlines() {
  drawBodyOutlines(model_->layout, model_->grids, model_->pixels, surfaces_->bitmap);
  showLegend({});
}
void MainWindow::showLayoutPicture() {
  noteShown(ShownPicture::outlines);
  drawLayoutPicture(model_->layout, model_->grids, model_->pixels, model_->editing,
                    surfaces_->bitmap, layoutDialog_->wholeLayoutChosen());
  showLegend({});
}
void MainWindow::showSelectedColumnPicture() {
  noteShown(ShownPicture::outlines);
  drawSelectedColumnPicture(model_->layout, model_->grids, model_->pixels, model_->editing,
                            surfaces_->bitmap);
  showLegend({});
}
void MainWindow::showWholeLayoutPicture() {
  noteShown(ShownPicture::outlines);
  drawWholeLayoutPicture(model_->layout, model_->grids, model_->pixels, surfaces_->bitmap);
  showLegend({});
}
void MainWindow::drawWholeLayoutIntoBitmap() {
  // Into the bitmap only: the picture on screen, its legend and what a new
  // size redraws stay those of the plot shown.
  drawWholeLayoutPicture(model_->layout, model_->grids, model_->pixels, surfaces_->bitmap);
}
void MainWindow::copyViewToWindow() {
  surfaces_->copyBitmapToWindow();
}

// --------------------------------------------------------------- flow plots

void MainWindow::drawVectors() {
  noteShown(ShownPicture::vectors);
  findSpeedRange(model_->layout, model_->grids, model_->solution, model_->view, 0.9);
  showPlotCaption(*services_,
                  drawVelocityVectors(model_->layout, model_->grids, model_->pixels,
                                      model_->solution, model_->view, surfaces_->bitmap, 1));
  showLegend(vectorLegend(model_->view));
}
// The legend of a map is read from the scale the map routine has just drawn
// with (scaleLow, scaleHigh and the level values it set).
void MainWindow::showVorticityMap() {
  noteShown(ShownPicture::vorticity);
  showPlotCaption(*services_, drawVorticityMap(*model_, *surfaces_));
  showLegend(mapLegend(model_->view, LegendQuantity::vorticity));
}
void MainWindow::showPressureMap() {
  noteShown(ShownPicture::pressure);
  showPlotCaption(*services_, drawPressureMap(*model_, *surfaces_));
  showLegend(mapLegend(model_->view, LegendQuantity::pressure));
}
void MainWindow::showDensityMap() {
  noteShown(ShownPicture::density);
  showPlotCaption(*services_, drawDensityMap(*model_, *surfaces_));
  showLegend(mapLegend(model_->view, LegendQuantity::density));
}

void MainWindow::copyToWindow() {
  copyViewToWindow();
  showSurface();
}

void MainWindow::showSurface() {
  placeScaleBox();
  surfaceChanged_ = true;
  canvas_->update();
}

void MainWindow::keepSurfaceShown(bool always) {
  if (!always && !surfaceChanged_ && mode_ != 3) return;
  surfaceChanged_ = false;
  shownDuringRun_ = imageOver(surfaces_->window).copy();
  canvas_->update();
}

// ------------------------------------------------- model-check views (hidden)

void MainWindow::onMeshViewChosen() {
  noteShown(ShownPicture::mesh);
  meshView(model_->layout, model_->grids, model_->view, model_->pixels, *surfaces_);
  showNewViewControls(*services_);
  showLegend({});
  showSurface();
}
void MainWindow::onLinkViewChosen() {
  noteShown(ShownPicture::links);
  if (const auto text = linkViewMessage(
          linkView(model_->layout, model_->grids, model_->pixels, model_->coupling, *surfaces_),
          services_->language()))
    services_->showMessage(*text);
  showLegend({});
  showSurface();
}
void MainWindow::onHoleViewChosen() {
  noteShown(ShownPicture::holes);
  holeView(model_->grids, model_->pixels, model_->coupling, *surfaces_);
  showLegend({});
  showSurface();
}
void MainWindow::onUnfilledReceiverViewChosen() {
  noteShown(ShownPicture::holes2);
  unfilledReceiverView(*surfaces_);
  showLegend({});
  showSurface();
}

// ------------------------------------------------------ the picture on screen

void MainWindow::noteShown(ShownPicture picture) {
  shown_ = picture;
  shownFillContours_ = model_->view.fillContours;
  shownBlackLines_ = model_->view.blackLines;
}

void MainWindow::resizePicture(int width, int height) {
  // During a run the picture keeps its size until the run's next hand-over,
  // which takes the window's size as it is then.
  if (runThread_->deferWhileRunning(
          [this] { resizePicture(this->width() - legendColumnWidth(), frameGeometry().height()); }))
    return;
  if (width == surfaces_->bitmap.width() && height == surfaces_->bitmap.height()) return;
  Model& m = *model_;
  // The transform puts the view's centre at the bitmap's centre: a new size
  // moves every pixel position by the same amount, the stored traces too.
  const double x0 = m.pixels.main[1][1].x, y0 = m.pixels.main[1][1].y;
  surfaces_->setSize(width, height);
  mapToPixels(m.layout, m.grids, m.view, m.pixels, surfaces_->bitmap);
  shiftTraces(m.grids, m.view, m.pixels.main[1][1].x - x0, m.pixels.main[1][1].y - y0);
  if (mode_ == 3) {
    // The animation goes on over the new background from its next frame.
    showTraceBackground(m.layout, m.grids, m.pixels, *surfaces_);
    return;
  }
  redrawShownPicture();
}

void MainWindow::redrawShownPicture() {
  Model& m = *model_;
  // Maps and vectors as they were drawn, whatever the check boxes say now.
  const bool fill = m.view.fillContours, black = m.view.blackLines;
  m.view.fillContours = shownFillContours_;
  m.view.blackLines = shownBlackLines_;
  switch (shown_) {
  case ShownPicture::outlines:
    fillViewWhite();
    showLayoutPicture();
    copyViewToWindow();
    break;
  case ShownPicture::vectors:
    fillViewWhite();
    drawVectors();
    copyViewToWindow();
    break;
  case ShownPicture::pressure:
    showPressureMap();
    break;
  case ShownPicture::vorticity:
    showVorticityMap();
    break;
  case ShownPicture::density:
    showDensityMap();
    break;
  case ShownPicture::mesh:
    meshView(m.layout, m.grids, m.view, m.pixels, *surfaces_);
    showNewViewControls(*services_);
    break;
  case ShownPicture::links:
    linkView(m.layout, m.grids, m.pixels, m.coupling, *surfaces_); // a redraw says nothing
    break;
  case ShownPicture::holes:
    holeView(m.grids, m.pixels, m.coupling, *surfaces_);
    break;
  case ShownPicture::holes2:
    unfilledReceiverView(*surfaces_);
    break;
  case ShownPicture::particles:
    showLastTraceFrame(m.layout, m.grids, m.pixels, m.view, *surfaces_);
    break;
  }
  m.view.fillContours = fill;
  m.view.blackLines = black;
}
