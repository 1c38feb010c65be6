#include "files/save_file.h"

#include <QSaveFile>

std::optional<QString> saveFileWhole(const QString& path, const ContentWriter& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  std::optional<QString> failure = write(file);
  // The buffer is written out here, so that a refused write shows in the
  // error state before the rename rather than being lost in commit().
  const bool flushed = file.flush();
  if (!failure && (!flushed || file.error() != QFileDevice::NoError)) failure = file.errorString();
  if (!failure && !file.commit()) failure = file.errorString();
  if (failure) file.cancelWriting();
  return failure;
}

std::optional<QString> saveFileWhole(const QString& path, const QByteArray& bytes) {
  return saveFileWhole(path, [&bytes](QIODevice& device) -> std::optional<QString> {
    if (device.write(bytes) != bytes.size()) return device.errorString();
    return std::nullopt;
  });
}
