// The main window's looking at the flow: the menu "表示" (fit and reset of the
// view, zoom) and the value probe of the status line.
#include "analysis/flow_probe.h"
#include "gui/colour_legend_view.h"
#include "gui/window_text.h"
#include "run/run.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"
#include "ui/run_thread.h"
#include "view/colour_legend.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>

namespace {

// The scale bar of the view and the flow conditions, at the foot of the
// legend column (beside the view bitmap, never in it): a bar of a round
// number of layout units at the view's scale, and the Reynolds and Mach
// numbers of the flow on screen (or of the next run, with none on screen).
class ViewScaleBox : public QWidget {
public:
  explicit ViewScaleBox(QWidget* parent) : QWidget(parent) {
    setObjectName("ScaleBox");
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  // What the box shows, read from the model when the window holds it (a run
  // beside the window may be writing it when the box paints).
  void show(double viewScale, const FlowConditions& flow) {
    viewScale_ = viewScale;
    flow_ = flow;
    update();
  }
  // The longest of 1, 2, 5, 10, 20, 50, 100 layout units that fits the width.
  static int barUnits(double scale, int width) {
    int units = 1;
    for (int u : {2, 5, 10, 20, 50, 100})
      if (u * scale <= width) units = u;
    return units;
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int units = barUnits(viewScale_, width() - 12);
    const int length = static_cast<int>(units * viewScale_ + 0.5);
    const int lineHeight = fontMetrics().height();
    p.setPen(Qt::black);
    p.drawText(6, lineHeight, text(MainWindowText::scaleBarUnits).arg(units));
    const int y = lineHeight + 6;
    p.drawLine(6, y, 6 + length, y);
    p.drawLine(6, y - 3, 6, y + 3);
    p.drawLine(6 + length, y - 3, 6 + length, y + 3);
    p.drawText(6, y + 6 + lineHeight, QStringLiteral("Re %1").arg(flow_.reynolds, 0, 'g', 6));
    p.drawText(6, y + 6 + 2 * lineHeight, QStringLiteral("Ma %1").arg(flow_.mach, 0, 'g', 6));
  }

private:
  double viewScale_ = 1;
  FlowConditions flow_{};
};

} // namespace

void MainWindow::placeScaleBox() {
  if (!scaleBox_) {
    scaleBox_ = new ViewScaleBox(canvas_);
  }
  // Black on white only, as the outline picture beside it: no grey edges.
  // The legend's font follows the interface's language.
  QFont font = legendFont();
  font.setStyleStrategy(QFont::NoAntialias);
  scaleBox_->setFont(font);
  const int height = 3 * scaleBox_->fontMetrics().height() + 18;
  const int top = canvas_->height() - height;
  // Below the pan cross and the legend on screen: where there is no room, none.
  const bool legendShown = legendStrip_ && shownLegend().quantity != LegendQuantity::none;
  const int above =
      legendShown ? legendStrip_->geometry().bottom() : panDownButton_->geometry().bottom();
  scaleBox_->setVisible(top > above);
  scaleBox_->setGeometry(canvas_->width() - legendColumnWidth(), top, legendColumnWidth(), height);
  if (runThread_->windowHasModel())
    static_cast<ViewScaleBox*>(scaleBox_)->show(
        model_->view.viewScale,
        flowPlotsReady() ? model_->solution.flowConditionsOfResult : model_->flow);
}

void MainWindow::buildViewMenu() {
  using T = MainWindowText;
  view_ = menuBar()->addMenu(QString());
  texts_.bind(view_, &QMenu::setTitle, T::menuView);
  view_->setObjectName("View");
  view_->menuAction()->setObjectName("View");
  auto addItem = [this](const char* name, const char* caption, auto handler) {
    QAction* a = view_->addAction(QString());
    texts_.bind(a, &QAction::setText, caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
  };
  addItem("ViewZoomIn", T::menuZoomIn, &MainWindow::onZoomIn);
  addItem("ViewZoomOut", T::menuZoomOut, &MainWindow::onZoomOut);
  addItem("ViewFit", T::menuFitView, &MainWindow::fitViewClick);
  addItem("ViewReset", T::menuResetView, &MainWindow::resetViewClick);
}

void MainWindow::fitView() {
  fitViewToLayout(model_->grids, model_->view, surfaces_->bitmap, strip_->height(),
                  canvas_->height());
}

// Both redraw the outlines at the new view, as a pan or zoom press does.
void MainWindow::fitViewClick() {
  fitView();
  viewMovedByUser_ = false;
  redrawLayoutAfterGrids();
}

void MainWindow::resetViewClick() {
  resetView(model_->layout, model_->grids, model_->view);
  // The start-up view exactly, as the user chose it: kept until a fit.
  viewMovedByUser_ = true;
  redrawLayoutAfterGrids();
}

void MainWindow::showProbe(int x, int y) {
  // Read between runs only: a run in progress owns the fields.
  if (!runThread_->windowHasModel() || !surfaces_) return;
  const Model& m = *model_;
  const LayoutPoint at = pixelToLayout(m.view, surfaces_->bitmap, x, y);
  QString shown = text(MainWindowText::probePosition)
                      .arg(QString::number(at.x, 'f', 1), QString::number(at.y, 'f', 1));
  if (flowPlotsReady()) {
    // The vorticity slot is filled by the vorticity map; fill it once per flow.
    const std::uint64_t flow =
        (std::uint64_t{m.run.runEndTick} << 32) | std::uint32_t(m.solution.flowStep);
    if (flow != probedFlow_) {
      computeVorticity(model_->layout, model_->constants, model_->grids, model_->solution);
      probedFlow_ = flow;
    }
    if (const auto v = probeFlow(m.layout, m.grids, m.coupling, m.solution, at.x, at.y)) {
      auto number = [](double value) { return QString::number(value, 'g', 4); };
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
