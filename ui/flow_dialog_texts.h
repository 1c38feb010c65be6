// Every text of the flow conditions dialog in one place (UTF-8).
#pragma once

struct FlowDialogText {
  static constexpr const char* caption = "流れの条件";
  static constexpr const char* reynolds = "レイノルズ数（16 単位の長さ）";
  static constexpr const char* mach = "流入のマッハ数";
  static constexpr const char* bodyViscosity = "物体格子の粘性";
  // In the order of BodyViscosity.
  static constexpr const char* bodyViscosityName[2] = {"従来（主格子の 2 倍）", "一様"};
  static constexpr const char* timeStepping = "時間刻み";
  // In the order of TimeStepping.
  static constexpr const char* timeSteppingName[2] = {"局所（定常解向き）",
                                                      "時間精度（全点で同じ刻み）"};
};
