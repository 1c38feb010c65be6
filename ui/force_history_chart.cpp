#include "ui/force_history_chart.h"

#include "analysis/force_history.h"
#include "gui/window_text.h"
#include "ui/history_window_texts.h"
#include "ui/result_charts.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Widens the axis to hold [low, high] on round numbers, only when it does
// not hold them yet, so that most updates add points without a new layout.
void holdRange(QValueAxis* axis, double low, double high) {
  if (axis->min() <= low && axis->max() >= high) return;
  fitValueAxis(axis, low, high);
}

} // namespace

ForceHistoryChart::ForceHistoryChart(const LayoutParameters& layout, const Grids& grids,
                                     const FlowSolution& solution, QWidget* parent)
    : QWidget(parent), layout_(layout), grids_(grids), solution_(solution) {
  body_ = new QComboBox(this);
  body_->setObjectName("ForceBodyChoice");
  connect(body_, &QComboBox::currentIndexChanged, this, [this] {
    shown_ = 0;
    cd_->clear();
    cl_->clear();
    cdLow_ = cdHigh_ = clLow_ = clHigh_ = 0;
    follow();
  });

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  cd_ = new QLineSeries(chart);
  cd_->setName("Cd");
  cl_ = new QLineSeries(chart);
  cl_->setName("Cl");
  stepAxis_ = new QValueAxis(chart);
  texts_.bind(stepAxis_, &QValueAxis::setTitleText, HistoryWindowText::stepAxis);
  stepAxis_->setLabelFormat("%d");
  cdAxis_ = new QValueAxis(chart);
  cdAxis_->setTitleText("Cd");
  clAxis_ = new QValueAxis(chart);
  clAxis_->setTitleText("Cl");
  chart->addAxis(stepAxis_, Qt::AlignBottom);
  chart->addAxis(cdAxis_, Qt::AlignLeft);
  chart->addAxis(clAxis_, Qt::AlignRight);
  for (QLineSeries* series : {cd_, cl_}) {
    chart->addSeries(series);
    series->attachAxis(stepAxis_);
    series->attachAxis(series == cd_ ? cdAxis_ : clAxis_);
  }
  auto* view = new QChartView(chart, this);
  view->setObjectName("ForceHistoryChart");

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(body_, 0, Qt::AlignLeft);
  column->addWidget(view);
  restart();
}

void ForceHistoryChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  texts_.apply();
  // The bodies' names, the choice kept.
  const QStringList names = bodyNames(layout_);
  for (int i = 0; i < std::min(body_->count(), static_cast<int>(names.size())); ++i)
    body_->setItemText(i, names[i]);
}

void ForceHistoryChart::restart() {
  const int chosen = std::max(body_->currentIndex(), 0);
  {
    const QSignalBlocker blocker(body_);
    body_->clear();
    body_->addItems(bodyNames(layout_));
    body_->setCurrentIndex(std::min(chosen, body_->count() - 1));
  }
  bodiesShown_ = grids_.nBodies;
  shown_ = 0;
  cd_->clear();
  cl_->clear();
  cdLow_ = cdHigh_ = clLow_ = clHigh_ = 0;
  stepAxis_->setRange(0, 100);
  cdAxis_->setRange(0, 1);
  clAxis_->setRange(-1, 1);
}

void ForceHistoryChart::follow() {
  const int n = grids_.nBodies > 0 ? forceSteps(grids_, solution_) : 0;
  if (n < shown_ || grids_.nBodies != bodiesShown_) restart();
  const int b = body_->currentIndex();
  if (n == shown_ || b < 0) return;
  QList<QPointF> cd, cl;
  cd.reserve(n - shown_);
  cl.reserve(n - shown_);
  for (int k = shown_; k < n; ++k) {
    const ForceSample& f = solution_.forceHistory[static_cast<std::size_t>(k) * grids_.nBodies + b];
    // A diverging step leaves no finite force to draw.
    if (!std::isfinite(f.cd) || !std::isfinite(f.cl)) continue;
    cd.append({k + 1.0, f.cd});
    cl.append({k + 1.0, f.cl});
    const bool first = shown_ == 0 && k == 0;
    cdLow_ = first ? f.cd : std::min(cdLow_, f.cd);
    cdHigh_ = first ? f.cd : std::max(cdHigh_, f.cd);
    clLow_ = first ? f.cl : std::min(clLow_, f.cl);
    clHigh_ = first ? f.cl : std::max(clHigh_, f.cl);
  }
  cd_->append(cd);
  cl_->append(cl);
  shown_ = n;
  const double steps = 100 * std::ceil(n / 100.0);
  if (stepAxis_->max() != steps) stepAxis_->setRange(0, steps);
  holdRange(cdAxis_, cdLow_, cdHigh_);
  holdRange(clAxis_, clLow_, clHigh_);
}
