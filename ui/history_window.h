// The convergence-history window ("収束履歴"): the residual of every step of
// the last run and its continuations on a logarithmic axis, and the largest
// speed on a linear axis beside it, as line plots.  While a run proceeds the
// main window calls follow() when it yields (once per step); the plot takes
// on the new steps every refreshSteps steps, so the run pays for one small
// redraw per ten steps, not one per step.  A button below saves the
// histories as CSV.
#pragma once

#include "core/result_records.h"
#include "gui/translated_texts.h"
#include "ui/csv_export.h"

#include <QWidget>

class ForceHistoryChart;
#include <functional>

class QChart;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

class HistoryWindow : public QWidget {
  Q_OBJECT
public:
  HistoryWindow(const ResultRecords& result, QWidget* parent);

  // Brings the plot up to date with the model's history.
  void refresh();
  // Whether the model may be read now (not while a run beside the window
  // writes it); a showing waits for the window's next refresh otherwise.
  std::function<bool()> modelReadable;
  // refresh when the window is shown and the history has grown by at least
  // refreshSteps since it was last brought up to date (or has been cleared).
  void follow();
  static constexpr int refreshSteps = 10;
  // Steps shown so far.
  int stepsShown() const { return shown_; }
  QLineSeries* residualSeries() const { return residual_; }
  QLineSeries* speedSeries() const { return speed_; }
  QLogValueAxis* residualAxis() const { return residualAxis_; }
  // Each body's Cd and Cl below the residual, moving with it.
  ForceHistoryChart* forceChart() const { return forces_; }
  // "CSV で保存…": the residual and force histories (historyCsv).
  void saveCsv();
  CsvExportHooks csvHooks;

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void resetPlot();
  // The chart's title: what ends the run.
  void showRunLength();

  const ResultRecords result_;
  QChart* chart_ = nullptr;
  QLineSeries* residual_ = nullptr;
  QLineSeries* speed_ = nullptr;
  QValueAxis* stepAxis_ = nullptr;
  QLogValueAxis* residualAxis_ = nullptr;
  QValueAxis* speedAxis_ = nullptr;
  ForceHistoryChart* forces_ = nullptr;
  int shown_ = 0;
  double lowestResidual_ = 0, highestResidual_ = 0, highestSpeed_ = 0;
  TranslatedTexts texts_;
};
