// The windows keep their texts as UTF-8 literals in their *_texts.h headers,
// in Japanese; this turns one into the toolkit's string in the interface's
// language (the text itself in Japanese, its translation in English).
#pragma once

#include "gui/language.h"

#include <QString>

inline QString text(const char* utf8) {
  return uiText(utf8);
}
