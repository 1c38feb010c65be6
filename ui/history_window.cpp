#include "ui/history_window.h"

#include "files/result_tables.h"
#include "gui/application_setup.h"
#include "gui/language.h"
#include "gui/window_text.h"
#include "ui/force_history_chart.h"
#include "ui/history_window_texts.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

void setMaximum(QValueAxis* axis, double maximum) {
  if (axis->max() != maximum) axis->setRange(0, maximum);
}
} // namespace

HistoryWindow::HistoryWindow(const ResultRecords& result, QWidget* parent)
    : QWidget(parent, Qt::Window), result_(result) {
  texts_.bind(this, &QWidget::setWindowTitle, HistoryWindowText::caption);
  setFont(interfaceFont(12));
  resize(560, 640);

  chart_ = new QChart;
  chart_->legend()->setAlignment(Qt::AlignBottom);
  residual_ = new QLineSeries(chart_);
  texts_.bind(residual_, &QLineSeries::setName, HistoryWindowText::residual);
  speed_ = new QLineSeries(chart_);
  texts_.bind(speed_, &QLineSeries::setName, HistoryWindowText::largestSpeed);
  chart_->addSeries(residual_);
  chart_->addSeries(speed_);

  stepAxis_ = new QValueAxis(chart_);
  texts_.bind(stepAxis_, &QValueAxis::setTitleText, HistoryWindowText::stepAxis);
  stepAxis_->setLabelFormat("%d");
  residualAxis_ = new QLogValueAxis(chart_);
  texts_.bind(residualAxis_, &QLogValueAxis::setTitleText, HistoryWindowText::residual);
  residualAxis_->setLabelFormat("%.0e");
  residualAxis_->setBase(10);
  residualAxis_->setMinorTickCount(8);
  speedAxis_ = new QValueAxis(chart_);
  texts_.bind(speedAxis_, &QValueAxis::setTitleText, HistoryWindowText::largestSpeed);
  chart_->addAxis(stepAxis_, Qt::AlignBottom);
  chart_->addAxis(residualAxis_, Qt::AlignLeft);
  chart_->addAxis(speedAxis_, Qt::AlignRight);
  residual_->attachAxis(stepAxis_);
  residual_->attachAxis(residualAxis_);
  speed_->attachAxis(stepAxis_);
  speed_->attachAxis(speedAxis_);

  auto* view = new QChartView(chart_, this);
  view->setObjectName("HistoryChart");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);
  forces_ = new ForceHistoryChart(result.layout, result.grids, result.solution, this);
  layout->addWidget(forces_);
  auto* save = new QPushButton(this);
  texts_.bind(save, &QPushButton::setText, CsvExportText::saveCsv);
  save->setObjectName("SaveCsvButton");
  connect(save, &QPushButton::clicked, this, &HistoryWindow::saveCsv);
  layout->addWidget(save, 0, Qt::AlignRight);
  csvHooks = defaultCsvExportHooks(this);
  resetPlot();
}

void HistoryWindow::saveCsv() {
  saveCsvAs(csvHooks, historyCsv(result_.constants, result_.grids, result_.solution));
}

void HistoryWindow::resetPlot() {
  residual_->clear();
  speed_->clear();
  shown_ = 0;
  lowestResidual_ = highestResidual_ = highestSpeed_ = 0;
  stepAxis_->setRange(0, 100);
  residualAxis_->setRange(1e-6, 1);
  speedAxis_->setRange(0, 0.1);
}

void HistoryWindow::refresh() {
  const auto& history = result_.solution.residualHistory;
  const int n = static_cast<int>(history.size());
  if (n < shown_) resetPlot(); // a new run has begun
  showRunLength();
  forces_->follow();
  if (n == shown_) return;

  QList<QPointF> residualPoints, speedPoints;
  residualPoints.reserve(n - shown_);
  speedPoints.reserve(n - shown_);
  for (int k = shown_; k < n; ++k) {
    const double step = k + 1;
    const double r = history[k].densityResidual;
    // A logarithmic axis shows positive values only.
    if (r > 0 && std::isfinite(r)) {
      residualPoints.append({step, r});
      lowestResidual_ = lowestResidual_ == 0 ? r : std::min(lowestResidual_, r);
      highestResidual_ = std::max(highestResidual_, r);
    }
    speedPoints.append({step, history[k].largestSpeed});
    highestSpeed_ = std::max(highestSpeed_, history[k].largestSpeed);
  }
  residual_->append(residualPoints);
  speed_->append(speedPoints);
  shown_ = n;

  // The axes change in coarse steps (hundreds of steps, whole decades, a
  // rounded speed), so that most refreshes add points without laying the
  // chart out anew.
  setMaximum(stepAxis_, 100 * std::ceil(std::max(n, 1) / 100.0));
  if (highestResidual_ > 0) {
    // A hair below the power of ten, so that its label is drawn although
    // log10 of the power may come out just above the whole number.
    const double low = 0.999999 * std::pow(10.0, std::floor(std::log10(lowestResidual_)));
    const double high = std::pow(10.0, std::ceil(std::log10(highestResidual_)));
    const double top = std::max(high, 10 * low);
    if (residualAxis_->min() != low || residualAxis_->max() != top)
      residualAxis_->setRange(low, top);
  }
  if (highestSpeed_ > 0) {
    const double unit = std::pow(10.0, std::floor(std::log10(highestSpeed_))) / 2;
    setMaximum(speedAxis_, unit * std::ceil(1.05 * highestSpeed_ / unit));
  }
}

void HistoryWindow::showRunLength() {
  // Which kind of run the history belongs to.
  const RunLength& length = result_.run.runLength;
  const int n = static_cast<int>(result_.solution.residualHistory.size());
  chart_->setTitle(result_.solution.runEnd == RunEnd::settled
                       ? text(HistoryWindowText::settledAt).arg(n)
                   : length.untilSettled ? text(HistoryWindowText::untilSettled).arg(length.steps)
                                         : text(HistoryWindowText::fixedSteps).arg(length.steps));
}

void HistoryWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  setFont(interfaceFont(12));
  texts_.apply();
  showRunLength();
}

void HistoryWindow::follow() {
  if (!isVisible()) return;
  const int n = static_cast<int>(result_.solution.residualHistory.size());
  if (n >= shown_ + refreshSteps || n < shown_) refresh();
}

void HistoryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!modelReadable || modelReadable()) refresh();
}
