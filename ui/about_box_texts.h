// Every text of the about box in one place (UTF-8).
#pragma once

struct AboutBoxText {
  static constexpr const char* caption = "Whirlpane　について";
  static constexpr const char* versionPrefix = "Whirlpane バージョン ";
  static constexpr const char* authorPrefix = "　作成者　";
  static constexpr const char* author = "Whirlpane プロジェクト";
  static constexpr const char* linkSuffix = "　　　にリンク";
  static constexpr const char* close = "閉じる";
  // The desktop has no viewer for the README; "%1" is its path.
  static constexpr const char* cannotOpen = "「%1」を開くアプリケーションがありません。";
};
