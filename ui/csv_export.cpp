#include "ui/csv_export.h"

#include "files/file_error.h"
#include "files/save_file.h"
#include "gui/window_text.h"
#include "ui/file_dialog.h"

#include <QMessageBox>

CsvExportHooks defaultCsvExportHooks(QWidget* parent) {
  return {[parent](const QString& filter) { return chooseFileName(parent, true, filter); },
          [parent](const QString& message) { QMessageBox::warning(parent, QString(), message); }};
}

void saveCsvAs(const CsvExportHooks& hooks, const QByteArray& csv) {
  const QString path = hooks.chooseFile(text(CsvExportText::filter));
  if (path.isEmpty()) return;
  if (const auto failed = saveFileWhole(path, csv))
    hooks.showFailure(text(CsvExportText::failed) + "\n" +
                      fileErrorReason(path, FileAccess::write, *failed));
}
