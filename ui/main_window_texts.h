// Every text of the main window in one place, as UTF-8 literals, so that they
// can be read and reviewed together.  Trailing and full-width blanks are part
// of the texts.
#pragma once

struct MainWindowText {
  // The caption with the layout file's name; [*] is the mark of a layout
  // that differs from its file.
  static constexpr const char* captionWithFile = "%1[*] - Whirlpane";
  static constexpr const char* untitled = "無題";

  // Top strip.
  static constexpr const char* fillContours = "塗り潰し";
  static constexpr const char* blackLines = "ラインを黒く";
  static constexpr const char* start = "計算スタート";
  static constexpr const char* stop = "停止";
  static constexpr const char* continueRun = "続けて計算";
  static constexpr const char* vorticityButton = "ω";
  static constexpr const char* particleSpeed = "粒子の描画スピード";

  // Tooltips of the picture buttons.
  static constexpr const char* tipVectors = "速度ベクトル図を描きます";
  static constexpr const char* tipVorticity = "渦度分布図を描きます";
  static constexpr const char* tipPressure = "圧力分布図を描きます";
  static constexpr const char* tipDensity = "密度分布図を描きます";
  static constexpr const char* tipZoomOut = "縮小します";
  static constexpr const char* tipZoomIn = "拡大します";
  static constexpr const char* tipPanUp = "図を上へ動かします";
  static constexpr const char* tipPanDown = "図を下へ動かします";
  static constexpr const char* tipPanLeft = "図を左へ動かします";
  static constexpr const char* tipPanRight = "図を右へ動かします";

  // Menu bar.
  static constexpr const char* menuFile = "Whirlpane   ";
  static constexpr const char* menuQuit = "Whirlpane の終了   ";
  static constexpr const char* menuPatterns = "パターン  ";
  static constexpr const char* menuPattern[5] = {"", "パターン　（１） ", "パターン　（２） ",
                                                 "パターン　（３） ", "パターン　（４） "};
  static constexpr const char* menuParticles = "粒子描画 ";
  static constexpr const char* menuParticlesSlow = "粒子描画 ";
  static constexpr const char* menuParticlesFast = "粒子描画 (高速) ";
  static constexpr const char* menuParticlesFastest = "粒子描画 (超高速) ";
  static constexpr const char* menuEdit = "編集  ";
  static constexpr const char* menuSelectAll = "全てを選択 ";
  static constexpr const char* menuSelectColumn = "列ごとに選択 ";
  static constexpr const char* menuModelCheck = "モデル確認";
  static constexpr const char* menuMesh = "メッシュ";
  static constexpr const char* menuLinks = "BY_L_R１　主←補助";
  static constexpr const char* menuHoles = "穴－領域";
  static constexpr const char* menuHoles2 = "穴－領域-2";
  static constexpr const char* menuBlank = " ";
  // Nineteen ideographic blanks and one blank: pushes the last menu right.
  static constexpr const char* menuSpacer = "　　　　　　　　　　　　　　　　　　　 ";
  // The results of a run, beside the particle traces.
  static constexpr const char* menuResults = "結果 ";
  static constexpr const char* menuHistory = "収束履歴";
  static constexpr const char* menuForces = "流体力";
  static constexpr const char* menuSurface = "表面の分布";
  static constexpr const char* menuAbout = "Whirlpane について";
  static constexpr const char* menuVersion = "バージョン情報等";

  // Menu "ファイル": layout files, pictures and fields.
  static constexpr const char* menuKeep = "ファイル";
  static constexpr const char* menuOpen = "開く…";
  static constexpr const char* menuSave = "保存";
  static constexpr const char* menuSaveAs = "名前を付けて保存…";
  static constexpr const char* menuSavePicture = "画像を保存…";
  static constexpr const char* menuSaveFields = "計算結果を保存…";
  static constexpr const char* menuFlowConditions = "流れの条件…";
  static constexpr const char* menuRunLength = "計算の長さ…";
  static constexpr const char* menuUndo = "元に戻す";
  static constexpr const char* menuRedo = "やり直し";
  static constexpr const char* menuRecent = "最近使ったファイル";
  static constexpr const char* saved = "%1 を保存しました";
  static constexpr const char* unsavedChanges = "%1 のレイアウトの変更を保存しますか？";
  static constexpr const char* layoutFilter = "Whirlpane レイアウト (*.json)";
  static constexpr const char* pictureFilter = "PNG 画像 (*.png)";
  static constexpr const char* fieldsFilter = "CGNS (*.cgns)";

  // Menu "表示": the view.
  static constexpr const char* menuView = "表示";
  static constexpr const char* menuZoomIn = "拡大";
  static constexpr const char* menuZoomOut = "縮小";
  static constexpr const char* menuFitView = "ウィンドウに合わせる";
  static constexpr const char* menuResetView = "表示を元に戻す";

  // Menu "設定": the interface's language, chosen in a submenu.  The layout
  // dialog's "設定" names the columns a change applies to: the menu's is
  // told apart by its use.
  static constexpr const char* menuSettings = "設定";
  static constexpr const char* menuSettingsUse = "menu";
  static constexpr const char* menuLanguage = "言語";

  // The value probe of the status bar: the position in layout units, then
  // the flow there.
  static constexpr const char* probePosition = "x %1 y %2";
  // The symbols of the equations (density, pressure, speed, vorticity):
  // the whole line fits the status bar beside the run's texts.
  static constexpr const char* probeFlow = "  ρ %1 p %2 |u| %3 ω %4";

  // The scale bar's length in layout units.
  static constexpr const char* scaleBarUnits = "%1 単位";

  // Tooltips of the strip's other controls.
  static constexpr const char* tipStart = "流れの計算を始めます";
  static constexpr const char* tipContinue = "画面の流れから計算を続けます";
  static constexpr const char* tipStop = "計算を止めます";
  static constexpr const char* tipFillContours = "分布図の等値線の間を塗り潰します";
  static constexpr const char* tipBlackLines = "分布図の等値線を黒で描きます";
  static constexpr const char* tipParticleSpeed = "粒子を描く速さ：右ほど速く描きます";

  // Status bar.
  static constexpr const char* needHundredSteps = "　繰り返し１００回以上、計算して下さい";
};
