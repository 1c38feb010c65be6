// Every text of the convergence-history window in one place (UTF-8).
#pragma once

struct HistoryWindowText {
  static constexpr const char* caption = "収束履歴";
  static constexpr const char* stepAxis = "計算回数";
  static constexpr const char* residual = "密度残差（RMS）";
  static constexpr const char* largestSpeed = "最大速度";
};
