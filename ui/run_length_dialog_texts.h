// Every text of the run-length dialog in one place (UTF-8).
#pragma once

struct RunLengthDialogText {
  static constexpr const char* caption = "計算の長さ";
  static constexpr const char* steps = "計算回数（最大）";
  static constexpr const char* untilSettled = "抗力が落ち着いたら終了";
  static constexpr const char* tolerance = "平均抗力の変化の許容（割合）";
  static constexpr const char* window = "平均をとる回数";
};
