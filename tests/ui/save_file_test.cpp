// Every save completes or reports its failure, and an earlier file at the
// target stays whole: on a full file system (a small tmpfs, where the test may
// mount one) and with a writer that gives up half-way.
#include "batch/run_summary.h"
#include "fields/flow_fields_cgns.h"
#include "files/layout_file.h"
#include "files/save_file.h"
#include "gui/colour_legend_view.h"

#include "headless_session.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

namespace {

const std::string kEarlier = "the earlier file, which must survive\n";

std::string contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "(cannot read)";
}

// The files in a folder besides `keep`: a save must leave no temporary file.
QStringList strayFiles(const QString& folder, const QStringList& keep) {
  QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  for (const QString& k : keep) files.removeAll(k);
  return files;
}

void writeEarlier(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) &&
              f.write(kEarlier.data(), std::ssize(kEarlier)) == std::ssize(kEarlier));
}

TEST(SaveFile, AWriterThatFailsLeavesTheEarlierFileAndNoOther) {
  QTemporaryDir dir;
  const QString path = dir.filePath("target");
  writeEarlier(path);
  const auto failure = saveFileWhole(path, [](QIODevice& d) -> std::optional<QString> {
    d.write(QByteArray(100000, 'x')); // more than the buffer: part reaches the file
    return QStringLiteral("the encoder gave up");
  });
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "the encoder gave up");
  EXPECT_EQ(contents(path), kEarlier);
  EXPECT_EQ(strayFiles(dir.path(), {"target"}), QStringList());
}

// A 64 KiB tmpfs filled up to the last byte, with an earlier file of every
// kind of save in it.
class FullFileSystem : public testing::Test {
protected:
  QTemporaryDir dir;
  QString root = dir.filePath("full");

  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(root));
    if (mount("tmpfs", root.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "cannot mount a small tmpfs to fill (" << std::strerror(errno)
                   << "); the full-disk saves need root";
    mounted_ = true;
    for (const char* name : {"layout.json", "picture.png", "summary.json", "fields.cgns"})
      writeEarlier(QDir(root).filePath(name));
    QFile filler(QDir(root).filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) > 0) {
    }
    const QByteArray byte(1, 'f');
    while (filler.write(byte) > 0) {
    }
  }
  void TearDown() override {
    if (mounted_) umount(root.toLocal8Bit().constData());
  }

private:
  bool mounted_ = false;
};

TEST_F(FullFileSystem, EverySaveReportsTheFailureAndKeepsTheEarlierFile) {
  HeadlessSession session;
  const QImage picture(64, 64, QImage::Format_RGB32);
  const struct {
    const char* name;
    std::function<bool(const QString&)> fails;
  } saves[] = {
      {"layout.json",
       [&](const QString& p) { return saveLayoutFile(p, session.m->layout).has_value(); }},
      {"picture.png", [&](const QString& p) { return savePicturePng(p, picture).has_value(); }},
      {"summary.json",
       [&](const QString& p) {
         return saveRunSummary(p, QJsonObject{{"steps", 300}, {"residual", 0.5}}).has_value();
       }},
      {"fields.cgns",
       [&](const QString& p) {
         return writeFlowFieldsCgns(session.m->layout, session.m->constants, session.m->grids,
                                    session.m->coupling, session.m->solution, p.toStdString())
             .has_value();
       }},
  };
  for (const auto& save : saves) {
    const QString path = QDir(root).filePath(save.name);
    EXPECT_TRUE(save.fails(path)) << save.name << ": a save on a full disk reported success";
    EXPECT_EQ(contents(path), kEarlier) << save.name << ": the earlier file was not kept whole";
  }
  EXPECT_EQ(
      strayFiles(root, {"layout.json", "picture.png", "summary.json", "fields.cgns", "filler"}),
      QStringList());
}

} // namespace
