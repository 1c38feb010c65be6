// The Japanese texts of the layout files: one message names the file, the
// place in it and the reason.  "%1" and "%2" are filled in by the reader.
#pragma once

struct LayoutFileText {
  // "%1" the file, "%2" the place, "%3" the reason.
  static constexpr const char* refused =
      "レイアウトファイル「%1」を読み込めません。場所：%2。理由：%3";
  // "%1" the file, "%2" the reason.
  static constexpr const char* notSaved = "レイアウトファイル「%1」を保存できません。理由：%2";

  // Places.
  static constexpr const char* wholeFile = "ファイル全体";
  static constexpr const char* topKey = "キー \"%1\"";
  static constexpr const char* columnKey = "列 %1 のキー \"%2\"";
  static constexpr const char* bodyKey = "列 %1 の物体 %2 のキー \"%3\"";
  static constexpr const char* column = "列 %1";
  static constexpr const char* body = "列 %1 の物体 %2";
  static constexpr const char* lineColumn = "%1 行 %2 文字目";
  static constexpr const char* flowKey = "\"flow\" のキー \"%1\"";
  static constexpr const char* channelKey = "\"channel\" のキー \"%1\"";

  // Reasons.
  static constexpr const char* empty = "ファイルが空です";
  static constexpr const char* syntax = "JSON の書式が正しくありません";
  static constexpr const char* notUtf8 = "UTF-8 の文字として読めない部分があります";
  static constexpr const char* notObject = "JSON のオブジェクトではありません";
  static constexpr const char* notArray = "JSON の配列ではありません";
  static constexpr const char* notString = "文字列ではありません";
  static constexpr const char* missing = "必要なキーがありません";
  static constexpr const char* unknownKey = "知らないキーです";
  static constexpr const char* duplicateKey = "同じオブジェクトに二度あるキーです";
  static constexpr const char* notRegularFile = "通常のファイルではありません";
  static constexpr const char* tooLarge = "ファイルが大き過ぎます（上限 %1 バイト）";
  static constexpr const char* version = "対応している版は 1 だけです";
  static constexpr const char* wholeNumberRange = "%1 から %2 までの整数ではありません";
  static constexpr const char* numberRange = "%1 から %2 までの数ではありません";
  static constexpr const char* countRange = "要素の数が %1 から %2 までではありません";
  static constexpr const char* shapeName =
      "circle、square、triangle、plate、ellipse のいずれでもありません";
  static constexpr const char* notLayout = "レイアウトファイルではありません";
  static constexpr const char* bodyViscosityName = "classic、uniform のいずれでもありません";
  static constexpr const char* timeSteppingName = "local、time-accurate のいずれでもありません";
  static constexpr const char* dissipationName = "classic、flow-speed のいずれでもありません";
  static constexpr const char* dissipationMach = "flow-speed はマッハ数 %1 以上でしか使えません";
  static constexpr const char* inflowName = "uniform、parabolic のいずれでもありません";
  static constexpr const char* outletName = "middle-third、whole のいずれでもありません";
  static constexpr const char* endsName = "reflecting、non-reflecting のいずれでもありません";
};
