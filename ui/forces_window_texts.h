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
  static constexpr const char* cdPressure = "Cd（圧力）";
  static constexpr const char* cdViscous = "Cd（粘性）";
  static constexpr const char* clPressure = "Cl（圧力）";
  static constexpr const char* clViscous = "Cl（粘性）";
  // The reference quantities of the coefficients, in the solver's units:
  // "%1" ρ∞, "%2" U∞, "%3" and "%4" the viscosities of the main and body
  // grids, "%5" the Reynolds number, "%6" the Mach number.
  static constexpr const char* references =
      "基準量　D = 物体の大きさ／16、ρ∞ = %1、U∞ = %2、μ（主格子）= %3、μ（物体格子）= %4、"
      "Re = %5、Mach = %6";
  // A time-accurate run: "%1" the flow time t U∞ / D (D = 16 units).
  static constexpr const char* flowTime = "時間精度の計算　t U∞／D = %1";
  static constexpr const char* pressureDrop = "圧力降下（流入列 − 出口）";
  static constexpr const char* copy = "クリップボードにコピー";
  static constexpr const char* noFlow = "計算結果がありません（計算の後に表示されます）";
};
