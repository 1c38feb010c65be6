// The texts of the language choice.  Each is written in the language it
// names, so that a reader of that language finds it whatever the interface
// speaks now; they are therefore not translated.
#pragma once

struct LanguageText {
  // The menu items that choose the language.
  static constexpr const char* japanese = "日本語";
  static constexpr const char* english = "English";
};
