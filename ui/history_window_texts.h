// Every text of the convergence-history window in one place (UTF-8).
#pragma once

struct HistoryWindowText {
  static constexpr const char* caption = "収束履歴";
  static constexpr const char* stepAxis = "計算回数";
  static constexpr const char* residual = "密度残差（RMS）";
  static constexpr const char* largestSpeed = "最大速度";
  // What ends the run: its number of steps, or the drag settling.
  static constexpr const char* fixedSteps = "%1 回の計算";
  static constexpr const char* untilSettled = "抗力が落ち着くまで（最大 %1 回）";
  static constexpr const char* settledAt = "抗力が落ち着いて %1 回で終了";
};
