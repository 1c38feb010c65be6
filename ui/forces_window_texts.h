// Every text of the forces window in one place (UTF-8).  The shapes are
// named as the layout dialog names them (LayoutDialogText::shapeName).
#pragma once

struct ForcesWindowText {
  static constexpr const char* caption = "流体力";
  static constexpr const char* column = "列";
  static constexpr const char* body = "物体";
  static constexpr const char* shape = "形状";
  static constexpr const char* cd = "Cd";
  static constexpr const char* cl = "Cl";
  static constexpr const char* pressureDrop = "圧力降下（流入列 − 出口）";
  static constexpr const char* copy = "クリップボードにコピー";
  static constexpr const char* noFlow = "計算結果がありません（計算の後に表示されます）";
};
