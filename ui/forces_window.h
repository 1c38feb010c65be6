// The forces window ("流体力"): a table of the drag and lift coefficients of
// every body (column, body, shape, Cd, Cl, then the pressure and viscous
// parts of each), the channel's pressure drop and the reference quantities
// of the coefficients (with the flow time of a time-accurate run),
// read from the flow on screen, with a button that copies them to the
// clipboard as tab-separated text.  Empty while there is no run's flow on
// the current grids.
#pragma once

#include "core/result_records.h"
#include "gui/translated_texts.h"
#include "ui/csv_export.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTableWidget;

class ForcesWindow : public QWidget {
  Q_OBJECT
public:
  ForcesWindow(const ResultRecords& result, QWidget* parent);

  // Reads the forces of the flow as it stands into the table.
  void refresh();
  // Whether the model may be read now (not while a run beside the window
  // writes it); a showing waits for the window's next refresh otherwise.
  std::function<bool()> modelReadable;
  // The table as tab-separated lines: a header line, one line per body, the
  // pressure drop and the reference quantities.  Empty when there is no flow.
  QString tabSeparated() const;
  QTableWidget* table() const { return table_; }

public slots:
  void copyToClipboard();
  // "CSV で保存…": the table with the statistics of the force history
  // (forcesCsv); nothing while there is no flow.
  void saveCsv();

public:
  CsvExportHooks csvHooks;

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  const ResultRecords result_;
  QTableWidget* table_ = nullptr;
  QLabel* pressureDrop_ = nullptr;
  QLabel* references_ = nullptr;
  TranslatedTexts texts_;
};
