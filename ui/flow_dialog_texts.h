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
  static constexpr const char* dissipation = "人工粘性の大きさ";
  // In the order of Dissipation.
  static constexpr const char* dissipationName[2] = {"従来（音速に比例）",
                                                     "流速に比例（低マッハ数向き）"};
  static constexpr const char* fineness = "格子の細かさ（1 が従来の格子）";
  // The channel's group.
  static constexpr const char* channel = "流路";
  static constexpr const char* channelSized = "寸法を指定する";
  static constexpr const char* channelHeight = "高さ";
  static constexpr const char* channelUpstream = "上流の長さ（入口から最初の列まで）";
  static constexpr const char* channelDownstream = "下流の長さ（最後の列から出口まで）";
  static constexpr const char* channelBodyOffset = "物体の中心線の高さ（流路の中心線から）";
  static constexpr const char* inflow = "流入";
  // In the order of ChannelInflow.
  static constexpr const char* inflowName[2] = {"一様", "放物線（平均が流入速度）"};
  static constexpr const char* outlet = "出口";
  // In the order of ChannelOutlet.
  static constexpr const char* outletName[2] = {"右壁の中央 3 分の 1", "右端全体"};
  static constexpr const char* ends = "流入口と出口";
  // In the order of ChannelEnds.
  static constexpr const char* endsName[2] = {"反射する（従来）", "音波を反射しない"};
  static constexpr const char* startTime = "流入を静止から立ち上げる時間（D/U∞、0 で瞬時）";
};
