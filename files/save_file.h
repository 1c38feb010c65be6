// Saving a file whole or not at all.  The content goes to a temporary file in
// the target's folder, which is renamed over the target only when every byte
// has reached the file system; a write that fails (a full disk, a folder
// that vanished, a writer that gives up) removes the temporary file and
// leaves any earlier file at the target as it was.
//
// QSaveFile alone is not enough: it buffers the writes, and its commit() does
// not report a buffered write that the file system refused, so a full disk
// would replace the target by a short file without a word.  Every write's
// result, the flush of the buffer and the error state are checked here before
// the rename.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>

// Writes the content into the device; returns the reason of a failure in the
// writer's own terms (an encoder's error), or nothing.  A failure of the
// device itself is found by the caller whatever the writer returns.
using ContentWriter = std::function<std::optional<QString>(QIODevice& device)>;

// Saves through `write`; returns the reason of a failure (the writer's, or the
// file system's), or nothing when the file is complete at `path`.
std::optional<QString> saveFileWhole(const QString& path, const ContentWriter& write);
// Saves the bytes.
std::optional<QString> saveFileWhole(const QString& path, const QByteArray& bytes);
