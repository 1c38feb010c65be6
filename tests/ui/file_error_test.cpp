// A file that cannot be read or written is explained in the interface's
// language: the usual causes in a short text of the program's, the library's
// own words only for a cause not among them.
#include "batch/run_summary.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "gui/colour_legend_view.h"
#include "ui_fixture.h"

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const QString kWords = QStringLiteral("Library words");

std::string reason(const QString& path, FileAccess access) {
  return fileErrorReason(path, access, kWords).toStdString();
}
} // namespace

TEST(FileErrorReason, TheUsualCausesAreToldInTheInterfaceLanguage) {
  QTemporaryDir dir;
  const QString gone = dir.filePath("gone/x.json"), there = dir.filePath("there.json");
  ASSERT_TRUE(QFile(there).open(QIODevice::WriteOnly));
  EXPECT_EQ(reason(gone, FileAccess::write), "フォルダがありません");
  EXPECT_EQ(reason(gone, FileAccess::read), "フォルダがありません");
  EXPECT_EQ(reason(dir.filePath("gone.json"), FileAccess::read), "ファイルがありません");
  EXPECT_EQ(reason(dir.path(), FileAccess::read), "ファイルではありません");
  EXPECT_EQ(reason(there, FileAccess::read), "ファイルを開けません（Library words）");
  EXPECT_EQ(reason(there, FileAccess::write), "書き込めません（Library words）");
  BackToJapanese guard;
  applyLanguage(Language::english);
  EXPECT_EQ(reason(gone, FileAccess::write), "the folder does not exist");
}

TEST(FileErrorReason, AReadOnlyOrFullDiskIsToldSo) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  QTemporaryDir readOnly, full;
  struct Unmount {
    const QTemporaryDir& d;
    ~Unmount() { ::umount2(d.path().toLocal8Bit(), MNT_DETACH); }
  };
  ASSERT_EQ(::mount("tmpfs", readOnly.path().toLocal8Bit(), "tmpfs", MS_RDONLY, "size=64k"), 0);
  const Unmount unmountReadOnly{readOnly};
  ASSERT_EQ(::mount("tmpfs", full.path().toLocal8Bit(), "tmpfs", 0, "size=64k"), 0);
  const Unmount unmountFull{full};
  QFile filler(full.filePath("filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
  while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
  }
  filler.close();
  EXPECT_EQ(reason(readOnly.filePath("x.json"), FileAccess::write), "書き込みが許可されていません");
  EXPECT_EQ(reason(full.filePath("x.json"), FileAccess::write), "ディスクの空きが足りません");
}

TEST(FileErrorReason, EverySaveAndReadGivesTheReasonWithoutTheLibrarysEnglish) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString gone = dir.filePath("gone/out");
  const std::pair<const char*, std::function<std::optional<QString>()>> attempts[] = {
      {"layout save", [&] { return saveLayoutFile(gone, s.m.layout); }},
      {"layout read", [&] { return readLayoutFile(gone, s.m.layout).error; }},
      {"picture", [&] { return savePicturePng(gone, QImage(4, 4, QImage::Format_RGB32)); }},
      {"summary", [&] { return saveRunSummary(gone, QJsonObject()); }},
      {"fields", [&] {
         s.m.run.stepsDone = 11;               // the menu item is there after a run's tenth step
         s.m.solution.flowLayout = s.m.layout; // of the layout on screen
         s.w.chooseFile = [&](bool, const QString&) { return gone; };
         s.w.saveFieldsClick();
         return QString::fromStdString(s.messages.at(0));
       }}};
  for (const auto& [what, attempt] : attempts) {
    const std::optional<QString> message = attempt();
    ASSERT_TRUE(message) << what;
    EXPECT_TRUE(message->endsWith("フォルダがありません"))
        << what << ": " << message->toStdString();
  }
}
