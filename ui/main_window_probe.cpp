// The main window's looking at the flow: the menu "表示" (fit and reset of the
// view, zoom) and the value probe of the status line.
#include "analysis/flow_probe.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include <QFrame>
#include <QLabel>
#include <QMenuBar>

void MainWindow::buildViewMenu() {
  using T = MainWindowText;
  view_ = menuBar()->addMenu(text(T::menuView));
  view_->setObjectName("View");
  view_->menuAction()->setObjectName("View");
  auto addItem = [this](const char* name, const char* caption, auto handler) {
    QAction* a = view_->addAction(text(caption));
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
  };
  addItem("ViewZoomIn", T::menuZoomIn, &MainWindow::BitBtn8Click);
  addItem("ViewZoomOut", T::menuZoomOut, &MainWindow::BitBtn7Click);
  addItem("ViewFit", T::menuFitView, &MainWindow::fitViewClick);
  addItem("ViewReset", T::menuResetView, &MainWindow::resetViewClick);
}

void MainWindow::fitView() {
  fitViewToLayout(*model_, surfaces_->bitmap, strip_->height());
}

// Both redraw the outlines at the new view, as a pan or zoom press does.
void MainWindow::fitViewClick() {
  fitView();
  viewMovedByUser_ = false;
  layoutRedrawAfterKmake();
}

void MainWindow::resetViewClick() {
  resetView(*model_);
  viewMovedByUser_ = false;
  layoutRedrawAfterKmake();
}

void MainWindow::showProbe(int x, int y) {
  // Read between runs only: a run in progress owns the fields.
  if (loopRunning() || !surfaces_) return;
  const Model& m = *model_;
  const LayoutPoint at = pixelToLayout(m, surfaces_->bitmap, x, y);
  QString shown = text(MainWindowText::probePosition)
                      .arg(QString::number(at.x, 'f', 1), QString::number(at.y, 'f', 1));
  if (flowPlotsReady()) {
    // The vorticity slot is filled by the vorticity map; fill it once per flow.
    const std::uint64_t flow = (std::uint64_t{m.runEndTick} << 32) | std::uint32_t(m.flowStep);
    if (flow != probedFlow_) {
      define_omeg(*model_);
      probedFlow_ = flow;
    }
    if (const auto v = probeFlow(m, at.x, at.y)) {
      auto number = [](double value) { return QString::number(value, 'g', 5); };
      shown +=
          text(MainWindowText::probeFlow)
              .arg(number(v->density), number(v->pressure), number(v->speed), number(v->vorticity));
    }
  }
  probe_->setText(shown);
}

QString MainWindow::probeText() const {
  return probe_->text();
}
