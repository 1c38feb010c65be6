#include "files/file_error.h"

#include "files/file_error_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {
QString text(const char* utf8) {
  return QCoreApplication::translate("Whirlpane", utf8);
}

// A write that failed with less than this left on the disk failed for want
// of room: the program's files are a few kilobytes to a few megabytes.
constexpr qint64 kNearlyFull = 1 << 20;

QString writeReason(const QFileInfo& file, const QString& libraryWords) {
  const QFileInfo folder(file.absolutePath());
  if (!folder.isDir()) return text(FileErrorText::folderMissing);
  const QStorageInfo disk(folder.absoluteFilePath());
  if (disk.isReadOnly() || !folder.isWritable() || (file.exists() && !file.isWritable()))
    return text(FileErrorText::notWritable);
  if (disk.isValid() && disk.bytesAvailable() < kNearlyFull) return text(FileErrorText::diskFull);
  return text(FileErrorText::cannotWrite).arg(libraryWords);
}

QString readReason(const QFileInfo& file, const QString& libraryWords) {
  if (!file.exists())
    return text(QFileInfo(file.absolutePath()).isDir() ? FileErrorText::fileMissing
                                                       : FileErrorText::folderMissing);
  if (!file.isFile()) return text(FileErrorText::notAFile);
  if (!file.isReadable()) return text(FileErrorText::notReadable);
  return text(FileErrorText::cannotRead).arg(libraryWords);
}
} // namespace

QString fileErrorReason(const QString& path, FileAccess access, const QString& libraryWords) {
  const QFileInfo file(path);
  return access == FileAccess::write ? writeReason(file, libraryWords)
                                     : readReason(file, libraryWords);
}
