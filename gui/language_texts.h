// The texts of the language choice.  Each is written in the language it
// names, so that a reader of that language finds it whatever the interface
// speaks now; they are therefore not translated.
#pragma once

struct LanguageText {
  // The menu item that chooses the language for the next start.
  static constexpr const char* japanese = "日本語";
  static constexpr const char* english = "English";
  // The message after a choice.
  static constexpr const char* nextStartJapanese = "次回の起動から日本語で表示します。";
  static constexpr const char* nextStartEnglish =
      "Whirlpane will be in English from the next start.";
};
