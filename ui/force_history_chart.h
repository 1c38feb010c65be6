// The force history beside the convergence history: Cd (left axis) and Cl
// (right axis) of one body, chosen from a list, after every step of the last
// run and its continuations (FlowSolution::forceHistory).  The history window calls
// follow() whenever it takes on new steps, so both charts move together.
#pragma once

#include "core/model.h"
#include "gui/translated_texts.h"

#include <QWidget>

class QComboBox;
class QLineSeries;
class QValueAxis;

class ForceHistoryChart : public QWidget {
  Q_OBJECT
public:
  ForceHistoryChart(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, QWidget* parent);

  // Takes on the steps recorded since the last call; starts again when the
  // history has shrunk (a new run) or the bodies have changed.
  void follow();

  QComboBox* bodyChoice() const { return body_; }
  QLineSeries* cdSeries() const { return cd_; }
  QLineSeries* clSeries() const { return cl_; }

protected:
  void changeEvent(QEvent* event) override;

private:
  void restart();

  const LayoutParameters& layout_;
  const Grids& grids_;
  const FlowSolution& solution_;
  QComboBox* body_ = nullptr;
  QLineSeries* cd_ = nullptr;
  QLineSeries* cl_ = nullptr;
  QValueAxis* stepAxis_ = nullptr;
  QValueAxis* cdAxis_ = nullptr;
  QValueAxis* clAxis_ = nullptr;
  int shown_ = 0, bodiesShown_ = 0;
  double cdLow_ = 0, cdHigh_ = 0, clLow_ = 0, clHigh_ = 0;
  TranslatedTexts texts_;
};
