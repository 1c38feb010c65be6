// The file dialogs open in the folder used last, or the documents folder, and
// show the types and dates of the files in the interface's language.
#include "ui/file_dialog.h"
#include "ui_fixture.h"

#include <QAbstractProxyModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST(FileDialog, OpensInTheFolderUsedLastOrTheDocumentsFolder) {
  QStandardPaths::setTestModeEnabled(true); // settings go to a test place
  auto gone = std::make_unique<QTemporaryDir>();
  rememberFileDialogFolder(gone->filePath("a.json"));
  EXPECT_EQ(fileDialogStartFolder(), gone->path());
  gone.reset();
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(fileDialogStartFolder(), QDir(documents).exists() ? documents : QDir::homePath());

  QTemporaryDir used;
  rememberFileDialogFolder(used.filePath("picture.png"));
  const auto dialog = makeFileDialog(nullptr, true, QString());
  EXPECT_EQ(QDir(dialog->directory()), QDir(used.path()));
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
}

TEST(FileDialog, ShowsTypesAndDatesInTheInterfaceLanguage) {
  BackToJapanese guard;
  QTemporaryDir top;
  ASSERT_TRUE(QDir(top.path()).mkdir("sub"));
  rememberFileDialogFolder(top.filePath("x"));
  const QString sub = top.filePath("sub");
  for (const auto& [language, folder, locale] :
       {std::tuple(Language::japanese, "フォルダ", QLocale(QLocale::Japanese, QLocale::Japan)),
        std::tuple(Language::english, "Folder",
                   QLocale(QLocale::English, QLocale::UnitedStates))}) {
    applyLanguage(language);
    const auto dialog = makeFileDialog(nullptr, false, QString());
    QAbstractProxyModel* view = dialog->proxyModel();
    ASSERT_NE(view, nullptr);
    auto* files = static_cast<QFileSystemModel*>(view->sourceModel());
    QElapsedTimer waited;
    waited.start();
    while (!files->fileInfo(files->index(sub)).exists() && waited.elapsed() < 5000)
      QApplication::processEvents();
    auto shown = [&](int column) {
      return view->mapFromSource(files->index(sub, column)).data().toString().toStdString();
    };
    EXPECT_EQ(shown(2), folder);
    EXPECT_EQ(shown(3),
              locale.toString(QFileInfo(sub).lastModified(), QLocale::ShortFormat).toStdString());
  }
}
