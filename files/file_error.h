// Why a file could not be read or written, in the interface's language.  The
// libraries and the system give their reasons in English ("Permission
// denied", "cgio_open_file:File-open error"); the usual causes are told in a
// short text of the program's own, found by looking at the file, its folder
// and the disk, and only a cause not among them is told in the library's own
// words, in parentheses after a text of the program's.
#pragma once

#include <QString>

enum class FileAccess { read, write };

QString fileErrorReason(const QString& path, FileAccess access, const QString& libraryWords);
