// The texts of the colour legend and of the picture and field exports.
#pragma once

struct PictureText {
  // Names of the quantities above the legend.
  static constexpr const char* vectors = "速さ";
  static constexpr const char* vorticity = "渦度";
  static constexpr const char* pressure = "圧力";
  static constexpr const char* density = "密度";
  // Before the value of the legend's first vector row: speeds above it.
  static constexpr const char* above = "＞";

  // "%1" the file, "%2" the reason.
  static constexpr const char* pictureNotSaved = "画像「%1」を保存できません。理由：%2";
  static constexpr const char* fieldsNotSaved = "計算結果「%1」を保存できません。理由：%2";
};
