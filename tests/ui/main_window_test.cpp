#include "ui_fixture.h"

#include "ui/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace {
QString statusText(MainWindow& w, int panel) {
  return w.findChild<QLabel*>(panel == 0 ? "titlePanel" : "statusPanel")->text();
}
bool menuShown(MainWindow& w, const char* name) {
  return w.findChild<QAction*>(name)->isVisible();
}
// The picture buttons: the plots, zoom and the pan cross.
const char* const kPictureButtons[] = {
    "vorticityButton", "vectorsButton", "densityButton",  "pressureButton", "zoomOutButton",
    "zoomInButton",    "panLeftButton", "panRightButton", "panDownButton",  "panUpButton"};
} // namespace

TEST(MainWindowStart, ShowsTheDefaultLayoutAsTheWholeOutlinePicture) {
  StartedWindow s;
  EXPECT_TRUE(s.w.isVisible());
  EXPECT_TRUE(s.w.layoutDialog().isVisible()) << "the dialog opens beside the main window";
  EXPECT_EQ(s.w.windowTitle(), QString::fromUtf8("無題[*] - Whirlpane"));
  EXPECT_FALSE(s.w.isWindowModified());
  EXPECT_EQ(s.m.grids.nBodies, 13);
  EXPECT_EQ(s.m.grids.bodyFirst[1], 2);
  EXPECT_EQ(s.w.controlMode(), 1);

  const QImage image = s.grabbed();
  for (int b = 1; b <= s.m.grids.nBodies; ++b)
    EXPECT_EQ(s.bodyColour(image, b), kRedPixel) << "body " << b;
  EXPECT_EQ(s.lowerWallColour(image), kRedPixel) << "walls are red in the whole-layout picture";
  // Between the bodies the picture is white.
  const double midX = (s.m.pixels.bodyCentre[1].x + s.m.pixels.bodyCentre[4].x) / 2;
  EXPECT_EQ(StartedWindow::colourAt(image, midX, s.m.pixels.bodyCentre[1].y), kWhitePixel);
}

TEST(MainWindowStart, CaptionsMenusAndHiddenItems) {
  StartedWindow s;
  struct {
    const char* name;
    const char* caption;
    bool shown;
  } menus[] = {
      {"programMenu", "Whirlpane   ", true},
      {"quitItem", "Whirlpane の終了   ", true},
      {"patternMenu", "パターン  ", true},
      {"pattern1Item", "パターン　（１） ", true},
      {"pattern4Item", "パターン　（４） ", true},
      {"particleMenu", "粒子描画 ", true},
      {"particlesSlowItem", "粒子描画 ", true},
      {"particlesFastItem", "粒子描画 (高速) ", true},
      {"particlesFastestItem", "粒子描画 (超高速) ", true},
      {"editMenu", "編集  ", false},
      {"selectAllColumnsItem", "全てを選択 ", true},
      {"selectOneColumnItem", "列ごとに選択 ", true},
      {"modelCheckMenu", "モデル確認", false},
      {"meshViewItem", "メッシュ", true},
      {"linkViewItem", "BY_L_R１　主←補助", true},
      {"holeViewItem", "穴－領域", true},
      {"unfilledReceiverViewItem", "穴－領域-2", true},
      {"blankItem", " ", true},
      {"spacerItem", "　　　　　　　　　　　　　　　　　　　 ", true},
      {"aboutMenu", "Whirlpane について", true},
      {"versionItem", "バージョン情報等", true},
  };
  for (const auto& item : menus) {
    QAction* a = s.w.findChild<QAction*>(item.name);
    ASSERT_NE(a, nullptr) << item.name;
    EXPECT_EQ(a->text(), QString::fromUtf8(item.caption)) << item.name;
    EXPECT_EQ(a->isVisible(), item.shown) << item.name;
  }
  auto* start = s.w.findChild<PanelButton*>("startButton");
  auto* stop = s.w.findChild<PanelButton*>("stopButton");
  EXPECT_EQ(start->caption(), QString::fromUtf8("計算スタート"));
  EXPECT_EQ(start->backgroundColour(), QColor(0, 0, 205));
  EXPECT_EQ(start->textColour(), QColor(225, 225, 255));
  EXPECT_EQ(stop->caption(), QString::fromUtf8("停止"));
  EXPECT_EQ(stop->backgroundColour(), QColor(125, 0, 0));
  EXPECT_EQ(stop->textColour(), QColor(255, 255, 105));
  EXPECT_FALSE(stop->isVisible());
  EXPECT_FALSE(s.w.findChild<QProgressBar*>("progressBar")->isVisible());
  EXPECT_FALSE(s.w.findChild<QScrollBar*>("particleSpeedBar")->isVisible());
  EXPECT_EQ(s.w.findChild<QCheckBox*>("fillCheck")->text(), QString::fromUtf8("塗り潰し"));
  EXPECT_EQ(s.w.findChild<QCheckBox*>("blackLinesCheck")->text(),
            QString::fromUtf8("ラインを黒く"));
  EXPECT_EQ(s.mainButton("vorticityButton")->text(), QString::fromUtf8("ω"));
  for (const char* b : kPictureButtons)
    EXPECT_FALSE(s.mainButton(b)->toolTip().isEmpty()) << b << " explains itself";
}

TEST(MainWindowStart, InterfaceFontIsMappedToTheInstalledJapaneseGothic) {
  StartedWindow s;
  EXPECT_EQ(s.w.font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(s.w.font().pixelSize(), 12);
  const QString shown = QFontInfo(s.w.font()).family();
  EXPECT_TRUE(shown.contains("IPA")) << shown.toStdString();
  EXPECT_TRUE(QFontMetrics(s.w.font()).inFont(QChar(0x8A08))) << "計 can be drawn";
}

TEST(MainWindowPatterns, EachPresetRedrawsItsLayout) {
  struct {
    const char* item;
    int bodies;
    double scale;
  } presets[] = {{"pattern1Item", 8, 2.95},
                 {"pattern2Item", 12, 2.6},
                 {"pattern3Item", 14, 2.6},
                 {"pattern4Item", 22, 2.2}};
  StartedWindow s;
  for (const auto& p : presets) {
    s.w.findChild<QAction*>(p.item)->trigger();
    EXPECT_EQ(s.m.grids.nBodies, p.bodies) << p.item;
    EXPECT_DOUBLE_EQ(s.m.view.viewScale, p.scale) << p.item;
    const QImage image = s.grabbed();
    for (int b = 1; b <= s.m.grids.nBodies; ++b)
      EXPECT_EQ(s.bodyColour(image, b), kRedPixel) << p.item << " body " << b;
  }
}

TEST(MainWindowView, PanAndZoomMoveThePicture) {
  StartedWindow s;
  const double x0 = s.m.pixels.bodyCentre[1].x, y0 = s.m.pixels.bodyCentre[1].y;
  s.w.services().setStatusText(0, "plot");
  s.w.services().setStatusText(1, "step");
  s.mainButton("panLeftButton")->click();
  EXPECT_NEAR(s.m.pixels.bodyCentre[1].x, x0 - 4 * 2.95, 1e-9) << "viewCentreX + 4 moves it left";
  EXPECT_EQ(statusText(s.w, 0), "") << "the outlines replace the plot and its title";
  EXPECT_EQ(statusText(s.w, 1), "");
  s.mainButton("panUpButton")->click();
  EXPECT_NEAR(s.m.pixels.bodyCentre[1].y, y0 - 4 * 2.95, 1e-9) << "viewCentreY - 4 moves it up";
  s.mainButton("zoomInButton")->click();
  EXPECT_DOUBLE_EQ(s.m.view.viewScale, 2.95 * 1.05);
  const QImage image = s.grabbed();
  for (int b = 1; b <= s.m.grids.nBodies; ++b) EXPECT_EQ(s.bodyColour(image, b), kRedPixel);
}

TEST(MainWindowView, PanCrossFollowsTheRightEdge) {
  StartedWindow s;
  s.w.resize(900, 500);
  QApplication::processEvents();
  const int right = s.w.frameGeometry().width() - 50;
  EXPECT_EQ(s.mainButton("panRightButton")->x(), right);
  EXPECT_EQ(s.mainButton("panDownButton")->x(), right - 32);
  EXPECT_EQ(s.mainButton("panUpButton")->x(), right - 32);
  EXPECT_EQ(s.mainButton("panLeftButton")->x(), right - 62);
}

TEST(MainWindowColumns, MouseSelectsAColumnOnlyInTheColumnMode) {
  StartedWindow s;
  auto clickBodyOf = [&](int c, int k) {
    s.w.onPictureClicked(roundHalfAway(s.m.pixels.columnBody[c][k].x) + 9,
                         roundHalfAway(s.m.pixels.columnBody[c][k].y) + 9);
  };
  clickBodyOf(3, 2);
  EXPECT_EQ(s.m.editing.selectedColumn, 1) << "the whole-layout mode ignores clicks";

  s.w.layoutDialog().findChild<QAbstractButton*>("selectedColumnChoice")->click();
  ASSERT_FALSE(s.w.layoutDialog().wholeLayoutChosen());
  clickBodyOf(2, 1); // column 2 holds 2 bodies
  EXPECT_EQ(s.m.editing.selectedColumn, 2);
  EXPECT_EQ(s.edit("bodyCountEdit")->text(), "2");
  clickBodyOf(3, 3);
  EXPECT_EQ(s.m.editing.selectedColumn, 3);
  EXPECT_EQ(s.edit("bodyCountEdit")->text(), "3");
  const QImage image = s.grabbed();
  // Bodies 6..8 are column 3: filled; the others are outlines on white.
  for (int b = 1; b <= s.m.grids.nBodies; ++b)
    EXPECT_EQ(s.bodyColour(image, b), (b >= 6 && b <= 8) ? kRedPixel : kWhitePixel) << b;
  EXPECT_EQ(s.lowerWallColour(image), kBlackPixel);
  // A second pick of a column of the same count leaves the first one
  // outlined: bodies 11..13 are column 5.
  clickBodyOf(5, 1);
  const QImage again = s.grabbed();
  for (int b = 1; b <= s.m.grids.nBodies; ++b)
    EXPECT_EQ(s.bodyColour(again, b), b >= 11 ? kRedPixel : kWhitePixel) << b;

  // 15 pixels away (squared distance 225) is out of reach.
  s.w.onPictureClicked(roundHalfAway(s.m.pixels.columnBody[1][1].x) + 15,
                       roundHalfAway(s.m.pixels.columnBody[1][1].y));
  EXPECT_EQ(s.m.editing.selectedColumn, 5);
}

TEST(MainWindowCommands, PlotButtonsWaitForStepTen) {
  StartedWindow s;
  const QImage before = s.grabbed();
  for (const char* b : {"vorticityButton", "vectorsButton", "pressureButton"}) {
    s.mainButton(b)->click();
    EXPECT_EQ(s.grabbed(), before) << b << " draws nothing before step 10";
  }
}

TEST(MainWindowCommands, ParticleItemsWaitForStepHundred) {
  StartedWindow s;
  s.m.run.stepsDone = 99;
  for (const char* item : {"particlesSlowItem", "particlesFastItem", "particlesFastestItem"}) {
    s.m.run.stopFlag = true;
    s.w.findChild<QAction*>(item)->trigger();
    EXPECT_EQ(statusText(s.w, 1), QString::fromUtf8("　繰り返し１００回以上、計算して下さい"))
        << item;
    EXPECT_FALSE(s.m.run.stopFlag) << item << " clears the stop flag";
    EXPECT_EQ(s.w.controlMode(), 1);
    EXPECT_EQ(s.m.run.stepsDone, 99);
  }
}

TEST(MainWindowModes, ThreeControlModes) {
  StartedWindow s;
  auto visible = [&](const char* name) { return s.w.findChild<QWidget*>(name)->isVisible(); };
  struct {
    int mode;
    bool dialog, stop, start, menus, pictures, speed, closable;
  } modes[] = {
      {2, false, true, false, false, true, false, false},
      {3, false, true, false, false, false, true, false},
      {1, true, false, true, true, true, false, true},
  };
  for (const auto& c : modes) {
    s.w.setControlMode(c.mode);
    EXPECT_EQ(s.w.controlMode(), c.mode);
    EXPECT_EQ(s.w.layoutDialog().isVisible(), c.dialog) << c.mode;
    EXPECT_EQ(visible("stopButton"), c.stop) << c.mode;
    EXPECT_EQ(visible("progressBar"), c.stop) << c.mode;
    EXPECT_EQ(visible("startButton"), c.start) << c.mode;
    for (const char* menu : {"programMenu", "aboutMenu", "patternMenu", "particleMenu"})
      EXPECT_EQ(menuShown(s.w, menu), c.menus) << c.mode << " " << menu;
    for (const char* b : kPictureButtons)
      EXPECT_EQ(s.mainButton(b)->isVisible(), c.pictures) << c.mode << " " << b;
    EXPECT_EQ(visible("particleSpeedBar"), c.speed) << c.mode;
    EXPECT_EQ(visible("particleSpeedLabel"), c.speed) << c.mode;
    EXPECT_EQ(s.w.windowFlags().testFlag(Qt::WindowCloseButtonHint), c.closable) << c.mode;
  }
  s.w.setControlMode(4);
  EXPECT_EQ(s.w.controlMode(), 1) << "other modes change nothing";
  EXPECT_TRUE(visible("startButton"));
}

TEST(MainWindowModes, ScrollBarSetsTheFrameRepeats) {
  StartedWindow s;
  auto* bar = s.w.findChild<QScrollBar*>("particleSpeedBar");
  EXPECT_EQ(bar->value(), 3);
  for (int position = 1; position <= 5; ++position) {
    bar->setValue(position);
    EXPECT_EQ(s.w.particleFrameRepeats(), 6 - position);
  }
}

namespace {
// Lets the default layout carry a uniform stream, as if a run had gone
// beyond step 100.
void pretendRunPassedStepHundred(Model& m) {
  m.constants.uInfTrace = 0.05 * std::sqrt(1.4);
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      m.solution.mainFlow[i][j][slot::u] = m.constants.uInfTrace;
  m.run.stepsDone = 150;
  m.solution.flowLayout = m.layout;
}
} // namespace

TEST(MainWindowParticles, AnimationShowsCrossesAndStopsOnTheStopButton) {
  StartedWindow s;
  pretendRunPassedStepHundred(s.m);
  bool sawParticleMode = false;
  QImage during;
  // Once the traces are ready (their title shown), let some frames pass,
  // look, press stop.  The title comes at a hand-over; the model itself is
  // the animation's while it goes on.
  bool tracesReady = false;
  s.w.services().statusObserver = [&](int panel, const std::string& text) {
    if (panel == 0 && text == "　パーティクル軌跡描画") tracesReady = true;
  };
  QTimer watch;
  int ticks = 0;
  QObject::connect(&watch, &QTimer::timeout, &s.w, [&] {
    if (!tracesReady || ++ticks < 5) return;
    watch.stop();
    sawParticleMode = s.w.controlMode() == 3 && !s.w.layoutDialog().isVisible();
    during = s.grabbed();
    s.w.findChild<PanelButton*>("stopButton")->click();
  });
  watch.start(10);
  s.untilTheLoopEnds("the animation, stopped five ticks after the traces were ready",
                     [&] { s.w.findChild<QAction*>("particlesFastestItem")->trigger(); });
  EXPECT_TRUE(sawParticleMode);
  EXPECT_EQ(s.w.controlMode(), 1);
  EXPECT_TRUE(s.w.layoutDialog().isVisible());
  EXPECT_EQ(s.m.run.stepsDone, 150);
  EXPECT_TRUE(s.w.findChild<QWidget*>("fillCheck")->isVisible()) << "hidden by the traces";
  EXPECT_TRUE(s.w.findChild<QWidget*>("blackLinesCheck")->isVisible());
  // The animation's picture: black channel, red bodies, white crosses.
  ASSERT_FALSE(during.isNull());
  int white = 0, black = 0, red = 0;
  for (int y = 40; y < during.height(); ++y)
    for (int x = 0; x < during.width(); ++x) {
      const QColor c = during.pixelColor(x, y);
      white += c == kWhitePixel;
      black += c == kBlackPixel;
      red += c == kRedPixel;
    }
  EXPECT_GT(black, white);
  EXPECT_GT(red, 1000) << "bodies and walls";
  EXPECT_GT(white, 100) << "particles are visible";
}

TEST(MainWindowQuit, CloseDuringAnAnimationEndsItAndThenCloses) {
  StartedWindow s;
  pretendRunPassedStepHundred(s.m);
  bool refused = false;
  QTimer::singleShot(100, &s.w, [&] {
    s.w.close();
    refused = s.w.isVisible() && s.w.controlMode() == 3;
  });
  s.untilTheLoopEnds("the animation, ended by closing the window",
                     [&] { s.w.findChild<QAction*>("particlesFastItem")->trigger(); });
  EXPECT_TRUE(refused) << "the window stays while the loop is on the stack";
  EXPECT_FALSE(s.w.layoutDialog().isVisible())
      << "a quitting window does not bring the dialog back";
  QApplication::processEvents();
  EXPECT_FALSE(s.w.isVisible()) << "and closes once the loop has returned";
}

TEST(AboutBox, FindsTheReadmeBesideTheProgramOrInstalledOrShowsNoLink) {
  QTemporaryDir prefix;
  const QDir root(prefix.path());
  ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/doc/whirlpane"));
  const QString bin = root.filePath("bin");
  EXPECT_EQ(AboutBox::readmePath(bin), QString());
  const QString installed = root.filePath("share/doc/whirlpane/README.md");
  const QString beside = root.filePath("bin/README.md");
  for (const QString& readme : {installed, beside}) {
    QFile file(readme);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(AboutBox::readmePath(bin), QFileInfo(readme).canonicalFilePath());
  }
}

TEST(MainWindowQuit, QuitRequestInTheEditingModeClosesAtOnce) {
  StartedWindow s;
  s.w.requestQuit();
  EXPECT_FALSE(s.w.isVisible());
  EXPECT_FALSE(s.w.layoutDialog().isVisible());
}

TEST(MainWindowQuit, ATerminationSignalEndsTheProgramWithAStartUpMessageOpen) {
  // A layout file that cannot be read gives a modal message before the event
  // loop starts; the program must end on SIGTERM all the same.
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  program.start(WHIRLPANE_EXECUTABLE, {"/nonexistent/layout.json"});
  ASSERT_TRUE(program.waitForStarted());
  ASSERT_FALSE(program.waitForFinished(3000)) << "the message should hold the program";
  program.terminate();
  const bool ended = program.waitForFinished(10000);
  if (!ended) program.kill();
  EXPECT_TRUE(ended) << "SIGTERM did not end the program with a message open";
  program.waitForFinished();
}

TEST(AboutBox, VersionLineAndLink) {
  StartedWindow s;
  s.w.findChild<QAction*>("versionItem")->trigger();
  AboutBox& box = s.w.aboutBox();
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Whirlpane　について"));
  EXPECT_EQ(box.findChild<QLineEdit*>("versionLine")->text(),
            QString::fromUtf8("Whirlpane バージョン 1.609　作成者　Whirlpane プロジェクト"));
  // The link opens the README beside the program (the build copies it there).
  auto* link = box.findChild<QPushButton*>("readmeButton");
  EXPECT_EQ(link->text(), QString::fromUtf8("README.md　　　にリンク"));
  link->click();
  ASSERT_EQ(s.pagesOpened.size(), 1u);
  EXPECT_EQ(QUrl(s.pagesOpened[0]).toLocalFile(),
            QDir(QCoreApplication::applicationDirPath()).canonicalPath() + "/README.md");
  box.findChild<QPushButton*>("closeButton")->click();
  EXPECT_FALSE(box.isVisible());
}
