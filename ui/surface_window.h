// The surface-distribution window ("表面の分布"): the pressure and wall shear
// stress coefficients along the surface of a chosen body
// (analysis/surface_distribution.h), plotted against the angle about the
// body's centre or the length along its surface, with the points where the
// wall shear changes sign marked on the chart and listed below it.  A
// button copies the chosen body's points and zeros as tab-separated text,
// another saves every body's points as CSV (surfaceCsv).  Empty while there
// is no run's flow on the current grids.
#pragma once

#include "core/result_records.h"
#include "gui/translated_texts.h"
#include "ui/csv_export.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QTableWidget;
class QValueAxis;

class SurfaceWindow : public QWidget {
  Q_OBJECT
public:
  SurfaceWindow(const ResultRecords& result, QWidget* parent);

  // Reads the chosen body's distribution from the flow as it stands.
  void refresh();
  // The chosen body's points (a header line, one line per point: index, x,
  // y, s, angle, Cp, Cf), then its zeros (kind, angle, s).  Empty when there
  // is no flow.
  QString tabSeparated() const;

  QComboBox* bodyChoice() const { return body_; }
  QComboBox* abscissaChoice() const { return abscissa_; }
  QLineSeries* cpSeries() const { return cp_; }
  QLineSeries* cfSeries() const { return cf_; }
  QScatterSeries* separationSeries() const { return separation_; }
  QScatterSeries* reattachmentSeries() const { return reattachment_; }
  QTableWidget* zerosTable() const { return zeros_; }

public slots:
  void copyToClipboard();
  void saveCsv();

public:
  CsvExportHooks csvHooks;
  // Whether the window may read the model now: not while a run beside the
  // window writes it (the window then keeps what it shows).  Unset: always.
  std::function<bool()> modelReadable;

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void fillBodyChoice();
  void plot();

  const ResultRecords result_;
  QComboBox* body_ = nullptr;
  QComboBox* abscissa_ = nullptr;
  QLineSeries* cp_ = nullptr;
  QLineSeries* cf_ = nullptr;
  QScatterSeries* separation_ = nullptr;
  QScatterSeries* reattachment_ = nullptr;
  QValueAxis* xAxis_ = nullptr;
  QValueAxis* cpAxis_ = nullptr;
  QValueAxis* cfAxis_ = nullptr;
  QTableWidget* zeros_ = nullptr;
  QLabel* note_ = nullptr;
  TranslatedTexts texts_;
};
