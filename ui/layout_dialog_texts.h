// Every text of the layout dialog in one place (UTF-8).
#pragma once

struct LayoutDialogText {
  static constexpr const char* caption = "形状－配置　設定";
  static constexpr const char* modeGroup = "設定";
  static constexpr const char* modeAll = "全体";
  static constexpr const char* modeColumn = "選択列ごと";
  // Under the mode choice in the column mode: the column the changes go to.
  static constexpr const char* selectedColumn = "選択列：%1";
  static constexpr const char* shapeGroup = "形状";
  static constexpr const char* shapeName[5] = {"円", "四角", "三角", "平板", "楕円"};
  static constexpr const char* count = "個数";
  static constexpr const char* spacing = "上下間隔";
  static constexpr const char* size = "大きさ";
  static constexpr const char* turn = "回転";
  static constexpr const char* arrangementTurn = "全体の回転";
  static constexpr const char* columns = "列数";
  // Design-time text of the ellipse-ratio field, replaced on the first showing.
  static constexpr const char* ratioDesign = "1.3";
  static constexpr const char* turnDesign = "0";

  // Tooltips of the step buttons.
  static constexpr const char* tipMore = "増やします";
  static constexpr const char* tipLess = "減らします";
  // Tooltips of the mode and shape choices and of the seven value fields.
  static constexpr const char* tipModeAll = "すべての列を同じに設定します";
  static constexpr const char* tipModeColumn =
      "選択した列だけを設定します（図の物体をクリックして列を選びます）";
  static constexpr const char* tipShape = "物体の形状を選びます";
  static constexpr const char* tipBodyCount = "列の物体の個数";
  static constexpr const char* tipArrangementTurn = "配置全体の回転角（度）";
  static constexpr const char* tipTurn = "物体の回転角（度、整数を入力）";
  static constexpr const char* tipSpacing = "列の物体の上下間隔（レイアウト単位）";
  static constexpr const char* tipRatio = "楕円の横と縦の比";
  static constexpr const char* tipSize = "物体の大きさ（レイアウト単位、整数を入力）";
  static constexpr const char* tipColumnCount = "列の数";

  // A typed size or turn that is not a whole number; %1 is the text.
  static constexpr const char* notWholeNumber =
      "「%1」は整数ではありません。整数を入力して下さい。";
};
