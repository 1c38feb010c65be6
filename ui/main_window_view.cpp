// The main window's side of the drawing: its two surfaces and the drawing
// routines of the view called over them.
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/colour_legend_view.h"
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

void MainWindow::createPicture(int width, int height) {
  surfaces_ = std::make_unique<ViewSurfaces>();
  surfaces_->setSize(width, height);
}

void MainWindow::resizePicture(int width, int height) {
  if (width != surfaces_->bitmap.width() || height != surfaces_->bitmap.height())
    surfaces_->setSize(width, height);
}

QImage MainWindow::windowSurface() const {
  // The surface's words 0x00BBGGRR lie in memory as R, G, B, X: an RGBX8888
  // image over the same memory, no conversion.
  const DrawingSurface& w = surfaces_->window;
  return QImage(reinterpret_cast<const uchar*>(w.bits()), w.width(), w.height(),
                w.width() * 4, QImage::Format_RGBX8888);
}

void MainWindow::fillViewWhite() {
  fillWhite(surfaces_->bitmap);
  showLegend({});
}
void MainWindow::henkanScale() { Henkan_Scale(*model_, surfaces_->bitmap, *services_); }
// The outline pictures and the model-check views have no colour legend.
void MainWindow::drawWaku() {
  Draw_Waku(*model_, surfaces_->bitmap);
  showLegend({});
}
void MainWindow::drawWaku2() {
  Draw_Waku2(*model_, surfaces_->bitmap, layoutDialog_->wholeLayoutChosen());
  showLegend({});
}
void MainWindow::drawTarget() {
  Draw_Target(*model_, surfaces_->bitmap);
  showLegend({});
}
void MainWindow::drawTargetAll() {
  Draw_Target_all(*model_, surfaces_->bitmap);
  showLegend({});
}
void MainWindow::copyViewToWindow() { surfaces_->copyBitmapToWindow(); }

// --------------------------------------------------------------- flow plots

void MainWindow::drawVectors() {
  Max_RyuV(*model_, 0.9);
  Draw_Vec_RY(*model_, surfaces_->bitmap, *services_, 1);
  showLegend(vectorLegend(*model_));
}
// The legend is set before the map routine shows the picture (it copies the
// bitmap to the window itself), from the scale the map is drawn with.
void MainWindow::drawOmeg() {
  draw_omeg(*model_, *surfaces_, *services_);
  showLegend(mapLegend(*model_, LegendQuantity::vorticity));
}
void MainWindow::drawPres() {
  draw_pres(*model_, *surfaces_, *services_);
  showLegend(mapLegend(*model_, LegendQuantity::pressure));
}
void MainWindow::drawMitudo() {
  draw_mitudo(*model_, *surfaces_, *services_);
  showLegend(mapLegend(*model_, LegendQuantity::density));
}
int MainWindow::panelColour(int r, int g, int b) { return static_cast<int>(RColorf(r, g, b)); }

// ------------------------------------------------- model-check views (hidden)

void MainWindow::N4Click() {
  meshView(*model_, *surfaces_, *services_);
  showLegend({});
  showSurface();
}
void MainWindow::bylr11Click() {
  linkView(*model_, *surfaces_, *services_);
  showLegend({});
  showSurface();
}
void MainWindow::N6Click() {
  holeView(*model_, *surfaces_);
  showLegend({});
  showSurface();
}
void MainWindow::N21Click() {
  holeView2(*surfaces_);
  showLegend({});
  showSurface();
}
