// The file dialogs open in the folder used last, or the documents folder, and
// show the types and dates of the files in the interface's language.
#include "ui/file_dialog.h"
#include "ui_fixture.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString documentsOrHome() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(documents).exists() ? documents : QDir::homePath();
}
} // namespace

TEST(FileDialog, OpensInTheFolderUsedLastOrTheDocumentsFolder) {
  QStandardPaths::setTestModeEnabled(true); // settings go to a test place
  auto gone = std::make_unique<QTemporaryDir>();
  rememberFileDialogFolder(gone->filePath(QStringLiteral("a.json")));
  EXPECT_EQ(fileDialogStartFolder(), gone->path());
  gone.reset();
  EXPECT_EQ(fileDialogStartFolder(), documentsOrHome()) << "a folder that is gone is not offered";

  QTemporaryDir used;
  rememberFileDialogFolder(used.filePath(QStringLiteral("picture.png")));
  for (bool save : {false, true}) {
    const auto dialog = makeFileDialog(nullptr, save, QStringLiteral("(*.json)"));
    EXPECT_EQ(QDir(dialog->directory()), QDir(used.path()));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  }
}

TEST(FileDialog, ShowsTypesAndDatesInTheInterfaceLanguage) {
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir top;
  ASSERT_TRUE(QDir(top.path()).mkdir(QStringLiteral("sub")));
  rememberFileDialogFolder(top.filePath(QStringLiteral("x")));
  const QString sub = top.filePath(QStringLiteral("sub"));
  const QDateTime modified = QFileInfo(sub).lastModified();
  struct Case {
    Language language;
    const char* folder;
    QLocale locale;
  } cases[] = {{Language::japanese, "フォルダ", QLocale(QLocale::Japanese, QLocale::Japan)},
               {Language::english, "Folder", QLocale(QLocale::English, QLocale::UnitedStates)}};
  BackToJapanese guard;
  for (const Case& c : cases) {
    applyLanguage(c.language);
    const auto dialog = makeFileDialog(nullptr, false, QString());
    QAbstractProxyModel* view = dialog->proxyModel();
    ASSERT_NE(view, nullptr);
    auto* files = qobject_cast<QFileSystemModel*>(view->sourceModel());
    ASSERT_NE(files, nullptr);
    QElapsedTimer waited;
    waited.start();
    while (!files->fileInfo(files->index(sub)).exists() && waited.elapsed() < 5000)
      QApplication::processEvents();
    const auto shown = [&](int column) {
      return view->mapFromSource(files->index(sub, column)).data().toString().toStdString();
    };
    EXPECT_EQ(shown(2), c.folder);
    EXPECT_EQ(shown(3), c.locale.toString(modified, QLocale::ShortFormat).toStdString());
  }
}
