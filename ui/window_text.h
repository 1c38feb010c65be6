// The windows keep their texts as UTF-8 literals in their *_texts.h headers;
// this turns one into the toolkit's string.
#pragma once

#include <QString>

inline QString text(const char* utf8) { return QString::fromUtf8(utf8); }
