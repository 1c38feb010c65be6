// Every text of the surface-distribution window in one place (UTF-8).
#pragma once

struct SurfaceWindowText {
  static constexpr const char* caption = "表面の分布";
  // One body of the chooser: "%1" its number in body order, "%2" its
  // column, "%3" its place in the column (lowest first).
  static constexpr const char* bodyItem = "物体 %1（列 %2、下から %3 番目）";
  static constexpr const char* byAngle = "角度（度、前縁から時計回り）";
  static constexpr const char* byLength = "表面に沿った長さ（前縁から、レイアウト単位）";
  static constexpr const char* cp = "Cp";
  static constexpr const char* cf = "Cf";
  static constexpr const char* separation = "剥離点";
  static constexpr const char* reattachment = "再付着点";
  static constexpr const char* kind = "種類";
  static constexpr const char* angle = "角度";
  static constexpr const char* length = "長さ";
  // Below the chart: what the coefficients and the coordinates are.
  static constexpr const char* definitions =
      "Cp = (p − p∞)／(½ρ∞U∞²)、Cf = τw／(½ρ∞U∞²)、p∞ = 1、ρ∞ = 1（流入の自由流）。"
      "τw は前縁から時計回りの向きを正とする壁面せん断応力。";
};
