#include "ui/file_dialog.h"

#include "gui/application_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

namespace {
const char* const folderKey = "files/lastFolder";

// The file system model shows every date in the system's locale, and the
// type of a folder in words the toolkit's Japanese lacks; this view of it
// gives both in the interface's language (the default locale).
class InterfaceLanguageFiles : public QIdentityProxyModel {
public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    // The columns of the file system model: name, size, type, date modified.
    if (index.column() == 2 && files->isDir(source))
      return QCoreApplication::translate("QFileDialog", "Folder");
    if (index.column() == 3)
      return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }
};
} // namespace

QString fileDialogStartFolder() {
  const QString last = programSettings()->value(QLatin1String(folderKey)).toString();
  if (!last.isEmpty() && QDir(last).exists()) return last;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(documents).exists() ? documents : QDir::homePath();
}

void rememberFileDialogFolder(const QString& chosenFile) {
  programSettings()->setValue(QLatin1String(folderKey), QFileInfo(chosenFile).absolutePath());
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, bool save, const QString& filter) {
  auto dialog = std::make_unique<QFileDialog>(parent, QString(), fileDialogStartFolder(), filter);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setProxyModel(new InterfaceLanguageFiles(dialog.get()));
  return dialog;
}

QString chooseFileName(QWidget* parent, bool save, const QString& filter) {
  const std::unique_ptr<QFileDialog> dialog = makeFileDialog(parent, save, filter);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  const QString chosen = dialog->selectedFiles().constFirst();
  rememberFileDialogFolder(chosen);
  return chosen;
}
