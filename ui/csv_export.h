// "CSV で保存…" of the convergence-history and forces windows: the tables of
// files/result_tables.h written whole or not at all to a file the user
// chooses.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

struct CsvExportText {
  static constexpr const char* saveCsv = "CSV で保存…";
  static constexpr const char* filter = "CSV ファイル (*.csv)";
  // Followed by the reason.
  static constexpr const char* failed = "CSV ファイルを保存できませんでした。";
};

// How a window asks for the file and shows a failure; the defaults are the
// program's file dialog and a message box, tests put in their own.
struct CsvExportHooks {
  std::function<QString(const QString& filter)> chooseFile;
  std::function<void(const QString& message)> showFailure;
};
CsvExportHooks defaultCsvExportHooks(QWidget* parent);

// Asks for a file and writes `csv` into it; nothing when the user cancels.
void saveCsvAs(const CsvExportHooks& hooks, const QByteArray& csv);
