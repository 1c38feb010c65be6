// A file that cannot be read or written is explained in the interface's
// language: the usual causes in a short text of the program's, the library's
// own words only for a cause not among them.
#include "batch/run_summary.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "ui/colour_legend_view.h"
#include "ui/language.h"
#include "ui_fixture.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {
// A file system of its own over a temporary folder, for as long as the
// object lives; only root may mount one.
struct SmallFileSystem {
  QTemporaryDir folder;
  bool mounted = false;
  SmallFileSystem(unsigned long flags, const char* options) {
    mounted =
        ::mount("tmpfs", folder.path().toLocal8Bit().constData(), "tmpfs", flags, options) == 0;
  }
  ~SmallFileSystem() {
    if (mounted) ::umount2(folder.path().toLocal8Bit().constData(), MNT_DETACH);
  }
  QString filePath(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
};

void fill(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  const QByteArray block(4096, 'x');
  while (file.write(block) == block.size() && file.flush()) {
  }
}

const QString kWords = QStringLiteral("Library words");
} // namespace

TEST(FileErrorReason, TheUsualCausesAreToldInTheInterfaceLanguage) {
  QTemporaryDir dir;
  const QString missingFolder = dir.filePath("gone/x.json");
  QFile(dir.filePath("there.json")).open(QIODevice::WriteOnly);
  struct Case {
    const char* what;
    QString path;
    FileAccess access;
    const char* reason;
  } cases[] = {
      {"write into a folder that is gone", missingFolder, FileAccess::write,
       "フォルダがありません"},
      {"read from a folder that is gone", missingFolder, FileAccess::read, "フォルダがありません"},
      {"read a file that is gone", dir.filePath("gone.json"), FileAccess::read,
       "ファイルがありません"},
      {"read a folder", dir.path(), FileAccess::read, "ファイルではありません"},
      {"read for another cause", dir.filePath("there.json"), FileAccess::read,
       "ファイルを開けません（Library words）"},
      {"write for another cause", dir.filePath("x.json"), FileAccess::write,
       "書き込めません（Library words）"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fileErrorReason(c.path, c.access, kWords).toStdString(), c.reason) << c.what;

  BackToJapanese guard;
  applyLanguage(Language::english);
  EXPECT_EQ(fileErrorReason(missingFolder, FileAccess::write, kWords).toStdString(),
            "the folder does not exist");
}

TEST(FileErrorReason, AReadOnlyOrFullDiskIsToldSo) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  SmallFileSystem readOnly(MS_RDONLY, "size=64k");
  SmallFileSystem full(0, "size=64k");
  ASSERT_TRUE(readOnly.mounted && full.mounted) << "tmpfs could not be mounted";
  fill(full.filePath("filler"));
  EXPECT_EQ(fileErrorReason(readOnly.filePath("x.json"), FileAccess::write, kWords).toStdString(),
            "書き込みが許可されていません");
  EXPECT_EQ(fileErrorReason(full.filePath("x.json"), FileAccess::write, kWords).toStdString(),
            "ディスクの空きが足りません");
}

TEST(FileErrorReason, EverySaveAndReadGivesTheReasonWithoutTheLibrarysEnglish) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString gone = dir.filePath("gone/out");
  const std::pair<const char*, std::function<std::optional<QString>()>> attempts[] = {
      {"layout save", [&] { return saveLayoutFile(gone, s.m.layout()); }},
      {"layout read", [&] { return readLayoutFile(gone, s.m.layout()).error; }},
      {"picture", [&] { return savePicturePng(gone, QImage(4, 4, QImage::Format_RGB32)); }},
      {"summary", [&] { return saveRunSummary(gone, QJsonObject()); }},
      {"fields",
       [&] {
         s.m.stepsDone = 11; // the menu item is there after a run's tenth step
         s.w.chooseFile = [&](bool, const QString&) { return gone; };
         s.messages.clear();
         s.w.saveFieldsClick();
         return s.messages.empty() ? std::optional<QString>()
                                   : QString::fromStdString(s.messages[0]);
       }},
  };
  for (const auto& [what, attempt] : attempts) {
    const std::optional<QString> message = attempt();
    ASSERT_TRUE(message) << what;
    EXPECT_TRUE(message->endsWith(QStringLiteral("フォルダがありません")))
        << what << ": " << message->toStdString();
  }
}
