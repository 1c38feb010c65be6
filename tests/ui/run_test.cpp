#include "ui_fixture.h"

#include "core/time_text.h"
#include "run/run.h"
#include "ui/controls.h"
#include "ui/flow_dialog.h"
#include "ui/forces_window.h"
#include "ui/history_window.h"
#include "ui/run_length_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <QLineSeries>
#include <QLogValueAxis>

#include <QAbstractButton>
#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

const std::string finalText = "計算が正常に終了しました。";

std::string progressText(int step, int lastStep = 300) {
  return "　計算回数＝" + std::to_string(step) + "　　　　　　" + std::to_string(lastStep) +
         "回 で完了";
}

struct RunWindow : StartedWindow {
  PanelButton* start = w.findChild<PanelButton*>("startButton");
  PanelButton* stop = w.findChild<PanelButton*>("stopButton");
  std::vector<std::string> statusTexts; // every text of the status panel, in order
  std::function<void(const std::string&)> onStatusText;

  RunWindow() {
    w.services().statusObserver = [this](int panel, const std::string& text) {
      if (panel != 1) return;
      statusTexts.push_back(text);
      if (onStatusText) onStatusText(text);
    };
  }
  ~RunWindow() { w.runThread().stopAndWait(); }
  // Presses a button that starts one of the window's loops and waits, within
  // the limit, for it to end.
  void press(PanelButton* button, const char* waitingFor) {
    untilTheLoopEnds(waitingFor, [button] { button->click(); });
  }
  int count(const std::string& text) const {
    return static_cast<int>(std::count(statusTexts.begin(), statusTexts.end(), text));
  }
  QString titleText() { return w.findChild<QLabel*>("titlePanel")->text(); }
  // Colours of the drawing area other than white, black and red: a flow plot.
  int plotColours() {
    const QImage image = grabbed();
    int n = 0;
    for (int y = 110; y < image.height(); y += 2) // below the strip and the pan cross
      for (int x = 0; x < image.width(); x += 2) {
        const QColor c = image.pixelColor(x, y);
        n += c != kWhitePixel && c != kBlackPixel && c != kRedPixel;
      }
    return n;
  }
};

} // namespace

TEST(MainWindowRun, StopDuringARunEndsItAtTheNextTenthStep) {
  RunWindow s;
  bool calculatingMode = false;
  s.onStatusText = [&](const std::string& text) {
    if (text != progressText(20)) return;
    calculatingMode = s.w.controlMode() == 2 && !s.w.layoutDialog().isVisible() &&
                      s.stop->isVisible() && !s.start->isVisible();
    s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  EXPECT_TRUE(calculatingMode);
  EXPECT_EQ(s.m.run.stepsDone, 30);
  EXPECT_EQ(s.count(progressText(20)), 1);
  EXPECT_EQ(s.count(progressText(30)), 1) << "the status names the step the flow stopped at";
  EXPECT_EQ(s.count(finalText), 0);
  EXPECT_EQ(s.w.controlMode(), 1);
  EXPECT_TRUE(s.w.layoutDialog().isVisible());
  EXPECT_TRUE(s.start->isVisible());
  EXPECT_FALSE(s.stop->isVisible());
  EXPECT_TRUE(s.messages.empty());

  // Past step 10 the plot buttons draw the flow.
  struct {
    const char* button;
    const char* title;
  } plots[] = {{"vectorsButton", "　速度ベクトル図"},
               {"vorticityButton", "　渦度分布図"},
               {"pressureButton", "　圧力分布図"},
               {"densityButton", "　密度分布図"}};
  for (const auto& p : plots) {
    s.w.showOutlinePicture(true); // back to the outline picture
    EXPECT_EQ(s.plotColours(), 0);
    s.mainButton(p.button)->click();
    EXPECT_EQ(s.titleText(), QString::fromUtf8(p.title)) << p.button;
    EXPECT_GT(s.plotColours(), 500) << p.button;
  }
}

TEST(MainWindowRun, AQuitAsTheRunStartsEndsItInItsSetUpThenClosesTheWindow) {
  RunWindow s;
  s.untilTheLoopEnds("the run stopped in its set-up", [&] {
    s.start->click();
    s.w.close();
  });
  EXPECT_TRUE(std::none_of(s.statusTexts.begin(), s.statusTexts.end(), [](const std::string& t) {
    return t.rfind("　計算回数＝", 0) == 0;
  })) << "no step was taken";
  EXPECT_EQ(s.m.solution.flowStep, 0);
  QApplication::processEvents();
  EXPECT_FALSE(s.w.isVisible());
}

TEST(MainWindowRun, StartPressedAgainDuringARunIsIgnored) {
  RunWindow s;
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(10)) s.start->click(); // a press queued from before
    if (text == progressText(20)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  EXPECT_EQ(s.count(progressText(10)), 1) << "no second run from inside the first";
  EXPECT_EQ(s.m.run.stepsDone, 30);
}

TEST(MainWindowRun, CloseDuringARunIsRefusedUntilTheRunHasEnded) {
  RunWindow s;
  bool stayed = false;
  s.onStatusText = [&](const std::string& text) {
    if (text != progressText(10)) return;
    s.w.close();
    stayed = s.w.isVisible();
  };
  s.press(s.start, "the run closed after step 10");
  EXPECT_TRUE(stayed);
  EXPECT_EQ(s.m.run.stepsDone, 20) << "the run ended at its next look at the stop flag";
  EXPECT_FALSE(s.w.layoutDialog().isVisible());
  QApplication::processEvents();
  EXPECT_FALSE(s.w.isVisible());
}

TEST(MainWindowRun, FullRunEndsInParticleTracesAndIsNotRepeated) {
  RunWindow s;
  bool particleMode = false;
  s.onStatusText = [&](const std::string& text) {
    // The traces are ready: look, then stop the animation.
    if (text.rfind("　所要計算時間　＝", 0) == 0) {
      particleMode = s.w.controlMode() == 3;
      s.stop->click();
    }
  };
  s.press(s.start, "the full run and its traces, stopped once drawn");
  EXPECT_EQ(s.count(finalText), 1);
  EXPECT_EQ(s.count(progressText(300)), 1);
  EXPECT_TRUE(particleMode);
  EXPECT_EQ(s.titleText(), QString::fromUtf8("　パーティクル軌跡描画"));
  EXPECT_EQ(s.m.run.stepsDone, 300);
  EXPECT_EQ(s.w.controlMode(), 1);
  EXPECT_TRUE(s.messages.empty());
  // A second press shows the result of the run instead of running again.
  s.onStatusText = nullptr;
  s.press(s.start, "the start after a full run");
  const std::string last = s.statusTexts.back();
  EXPECT_EQ(last.rfind("　計算は完了してます。　所要計算時間　＝", 0), 0u) << last;
  EXPECT_EQ(s.count(finalText), 1);
}

TEST(MainWindowRun, ColumnSelectionDuringARunLeavesTheRunsCountAlone) {
  RunWindow s;
  s.w.layoutDialog().findChild<QAbstractButton*>("selectedColumnChoice")->click();
  // A click on a body of column 2 when step 20 is shown; the stop pressed
  // with it is seen at step 30.
  s.onStatusText = [&](const std::string& text) {
    if (text != progressText(20)) return;
    s.w.onPictureClicked(roundHalfAway(s.m.pixels.columnBody[2][1].x),
                         roundHalfAway(s.m.pixels.columnBody[2][1].y));
    s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  EXPECT_EQ(s.m.editing.selectedColumn, 2);
  EXPECT_EQ(s.edit("bodyCountEdit")->text(), "2");
  EXPECT_EQ(s.m.run.stepsDone, 30) << "the selection did not regenerate the grids under the run";
}

TEST(MainWindowRun, TracesAfterAStoppedRunShowThatRunsElapsedTime) {
  RunWindow s;
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(100)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 100");
  ASSERT_EQ(s.m.run.stepsDone, 110);
  const std::uint32_t runMs = elapsedTicks(s.m.run.runEndTick, s.m.run.runStartTick);
  EXPECT_LT(runMs, 600000u) << "the end tick belongs to this run";
  std::string elapsed;
  s.onStatusText = [&](const std::string& text) {
    if (text.rfind("　所要計算時間　＝", 0) == 0) {
      elapsed = text;
      s.stop->click();
    }
  };
  s.untilTheLoopEnds("the traces, stopped once drawn", [&] {
    s.w.findChild<QAction*>("particlesSlowItem")->trigger();
  }); // "粒子描画"
  EXPECT_EQ(elapsed,
            "　所要計算時間　＝" + elapsedTicksText(s.m.run.runEndTick, s.m.run.runStartTick));
  EXPECT_EQ(elapsed.find(" 時 "), std::string::npos)
      << "no hours for a run of seconds: " << elapsed;
}

TEST(MainWindowRun, ContinueButtonGoesOnFromAStoppedRunUntilTheLayoutChanges) {
  RunWindow s;
  PanelButton* go = s.w.findChild<PanelButton*>("ContinueButton");
  ASSERT_NE(go, nullptr);
  EXPECT_FALSE(go->isVisible()) << "no flow to continue at start";
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(20)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  ASSERT_EQ(s.m.run.stepsDone, 30);
  EXPECT_TRUE(go->isVisible());
  EXPECT_EQ(go->caption(), QString::fromUtf8("続けて計算"));

  bool calculatingMode = false;
  s.onStatusText = [&](const std::string& text) {
    if (text != progressText(50, 330)) return;
    calculatingMode =
        s.w.controlMode() == 2 && !go->isVisible() && !s.start->isVisible() && s.stop->isVisible();
    s.stop->click();
  };
  s.press(go, "the continued run stopped after step 50");
  EXPECT_TRUE(calculatingMode);
  EXPECT_EQ(s.count(progressText(40, 330)), 1) << "the steps count on from 31 to 330";
  EXPECT_EQ(s.statusTexts.back(), progressText(60, 330)) << "the step the continuation stopped at";
  EXPECT_EQ(s.m.run.stepsDone, 60);
  EXPECT_TRUE(go->isVisible());

  s.w.findChild<QAction*>("pattern2Item")->trigger();
  EXPECT_FALSE(go->isVisible()) << "the grids of another layout do not belong to the flow";
}

TEST(MainWindowRun, HistoryWindowFollowsTheRunEveryTenStepsAndShowsItAllAtTheEnd) {
  RunWindow s;
  s.w.findChild<QAction*>("historyItem")->trigger();
  HistoryWindow* h = s.w.historyWindow();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->isVisible());
  EXPECT_EQ(h->windowTitle(), QString::fromUtf8("収束履歴"));
  int shownAtStep30 = -1;
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(30)) shownAtStep30 = h->stepsShown();
    if (text == progressText(40)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 40");
  EXPECT_GE(shownAtStep30, 10) << "the plot follows the run";
  EXPECT_LE(shownAtStep30, 30);
  EXPECT_EQ(shownAtStep30 % 10, 0);
  ASSERT_EQ(s.m.solution.residualHistory.size(), 50u);
  EXPECT_EQ(h->stepsShown(), 50);
  EXPECT_EQ(h->residualSeries()->count(), 50);
  EXPECT_EQ(h->speedSeries()->count(), 50);
  double lowest = 1e300;
  for (const StepResidual& r : s.m.solution.residualHistory) {
    EXPECT_GT(r.densityResidual, 0);
    lowest = std::min(lowest, r.densityResidual);
  }
  EXPECT_LE(h->residualAxis()->min(), lowest);
}

TEST(MainWindowRun, ForcesWindowTabulatesEveryBodyAfterARunAndCopiesItAsTabSeparatedText) {
  RunWindow s;
  s.w.findChild<QAction*>("forcesItem")->trigger();
  ForcesWindow* f = s.w.forcesWindow();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("流体力"));
  EXPECT_EQ(f->table()->rowCount(), 0) << "no run yet";
  EXPECT_TRUE(f->tabSeparated().isEmpty());

  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(20)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  ASSERT_EQ(f->table()->rowCount(), s.m.grids.nBodies) << "refreshed when the run ended";
  const QStringList lines = f->tabSeparated().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), s.m.grids.nBodies + 3);
  EXPECT_EQ(
      lines.front(),
      QString::fromUtf8("列\t物体\t形状\tCd\tCl\tCd（圧力）\tCd（粘性）\tCl（圧力）\tCl（粘性）"));
  // The default layout: columns of 3, 2, 3, 2, 3 circles, column by column.
  EXPECT_EQ(lines[1].section('\t', 0, 2), QString::fromUtf8("1\t1\t円"));
  EXPECT_EQ(lines[4].section('\t', 0, 2), QString::fromUtf8("2\t1\t円"));
  EXPECT_EQ(lines[13].section('\t', 0, 2), QString::fromUtf8("5\t3\t円"));
  for (int row = 1; row <= s.m.grids.nBodies; ++row) {
    bool ok = false;
    const double cd = lines[row].section('\t', 3, 3).toDouble(&ok);
    EXPECT_TRUE(ok && std::isfinite(cd)) << lines[row].toStdString();
    // The parts add up to the whole, to the four decimals shown.
    const double parts =
        lines[row].section('\t', 5, 5).toDouble() + lines[row].section('\t', 6, 6).toDouble();
    EXPECT_NEAR(parts, cd, 1.5e-4) << lines[row].toStdString();
  }
  EXPECT_TRUE(lines[s.m.grids.nBodies + 1].startsWith(QString::fromUtf8("圧力降下")));
  EXPECT_TRUE(lines.back().contains(QString::fromUtf8("U∞ = 0.0591608、μ（主格子）= 0.000591608、"
                                                      "μ（物体格子）= 0.00118322、Re = 100")))
      << lines.back().toStdString();

  f->findChild<QPushButton*>("CopyButton")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), f->tabSeparated());

  // Both tables as CSV through the windows' buttons: one line per body, and
  // one per step of the run with every body's Cd and Cl.
  s.w.findChild<QAction*>("historyItem")->trigger();
  QTemporaryDir dir;
  QStringList failures;
  for (const auto& [window, name, lineCount] :
       {std::tuple<QWidget*, QString, qsizetype>{f, "forces.csv", s.m.grids.nBodies + 1},
        {s.w.historyWindow(), "history.csv", std::ssize(s.m.solution.residualHistory) + 1}}) {
    CsvExportHooks& hooks = window == f ? f->csvHooks : s.w.historyWindow()->csvHooks;
    hooks = {[&dir, name = name](const QString&) { return dir.filePath(name); },
             [&failures](const QString& m) { failures.append(m); }};
    window->findChild<QPushButton*>("SaveCsvButton")->click();
    QFile csv(dir.filePath(name));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << name.toStdString();
    const QList<QByteArray> rows = csv.readAll().split('\n');
    EXPECT_EQ(rows.size() - 1, lineCount) << name.toStdString();
    EXPECT_EQ(rows[1].count(','), rows[0].count(',')) << name.toStdString();
  }
  EXPECT_TRUE(failures.isEmpty());

  s.w.findChild<QAction*>("pattern3Item")->trigger();
  EXPECT_EQ(f->table()->rowCount(), 0) << "the flow does not belong to the new grids";
}

TEST(MainWindowRun, ChangedFlowConditionsDropTheRunsResultAndAnUnchangedOKKeepsIt) {
  RunWindow s;
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(20)) s.stop->click();
  };
  s.press(s.start, "the run stopped after step 20");
  ASSERT_TRUE(canContinue(s.m.layout, s.m.flow, s.m.solution));
  QAction* item = s.w.findChild<QAction*>("KeepFlow");
  ASSERT_NE(item, nullptr);
  item->trigger();
  FlowDialog* d = s.w.flowDialog();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->windowTitle(), QString::fromUtf8("流れの条件"));
  EXPECT_EQ(d->conditions(), FlowConditions{}) << "the classic conditions at start";
  d->findChild<QPushButton*>("OkButton")->click();
  EXPECT_TRUE(canContinue(s.m.layout, s.m.flow, s.m.solution)) << "nothing changed";

  item->trigger();
  d->findChild<QDoubleSpinBox*>("Reynolds")->setValue(150);
  d->findChild<QComboBox*>("BodyViscosity")->setCurrentIndex(1);
  // The flow-speed dissipation takes Mach numbers from 0.05 on.
  auto* mach = d->findChild<QDoubleSpinBox*>("Mach");
  d->findChild<QComboBox*>("Dissipation")->setCurrentIndex(1);
  mach->setValue(0.02);
  EXPECT_EQ(mach->value(), kFlowSpeedDissipationMachLow);
  d->findChild<QComboBox*>("Dissipation")->setCurrentIndex(0);
  mach->setValue(0.02);
  EXPECT_EQ(mach->value(), 0.02);
  d->findChild<QPushButton*>("CancelButton")->click();
  EXPECT_EQ(s.m.flow, FlowConditions{}) << "cancelled";
  item->trigger();
  d->findChild<QDoubleSpinBox*>("Reynolds")->setValue(150);
  d->findChild<QDoubleSpinBox*>("Mach")->setValue(0.5); // held to the range
  d->findChild<QComboBox*>("BodyViscosity")->setCurrentIndex(1);
  d->findChild<QSpinBox*>("Fineness")->setValue(2);
  d->findChild<QComboBox*>("ChannelEnds")->setCurrentIndex(1);
  d->findChild<QDoubleSpinBox*>("ChannelStartTime")->setValue(2.5);
  d->findChild<QPushButton*>("OkButton")->click();
  EXPECT_EQ(s.m.layout.channel.ends, ChannelEnds::nonReflecting);
  EXPECT_EQ(s.m.layout.channel.startTime, 2.5);
  EXPECT_EQ(s.m.flow,
            (FlowConditions{150, kMachHigh, BodyViscosity::uniform, TimeStepping::local, 2}));
  EXPECT_EQ(s.m.grids.mainSpacing, 0.625) << "the grids made again, finer";
  EXPECT_FALSE(canContinue(s.m.layout, s.m.flow, s.m.solution))
      << "the flow was computed under other conditions";
}

TEST(MainWindowRun, TheRunLengthDialogSetsTheStepsAndARunThatEndsOnceTheDragSettles) {
  RunWindow s;
  s.w.findChild<QAction*>("pattern1Item")->trigger();
  QAction* item = s.w.findChild<QAction*>("KeepRunLength");
  ASSERT_NE(item, nullptr);
  const auto choose = [&](int steps, bool untilSettled) {
    item->trigger();
    RunLengthDialog* d = s.w.runLengthDialog();
    ASSERT_NE(d, nullptr);
    d->findChild<QSpinBox*>("Steps")->setValue(steps);
    d->findChild<QCheckBox*>("UntilSettled")->setChecked(untilSettled);
    d->findChild<QPushButton*>("OkButton")->click();
  };
  // The traces that follow a completed run are stopped once drawn.
  s.onStatusText = [&](const std::string& text) {
    if (text.rfind("　所要計算時間　＝", 0) == 0) s.stop->click();
  };
  choose(50, false);
  s.press(s.start, "a run of 50 steps and its traces");
  EXPECT_EQ(s.m.solution.residualHistory.size(), 50u);
  EXPECT_EQ(s.count(progressText(50, 50)), 1);

  // pt_1 settles well before 3,000 steps (about 1,100 in the batch).
  choose(3000, true);
  s.w.findChild<QAction*>("historyItem")->trigger();
  s.press(s.start, "a run until the drag settles and its traces");
  EXPECT_EQ(s.m.solution.runEnd, RunEnd::settled);
  const int steps = int(s.m.solution.residualHistory.size());
  EXPECT_LT(steps, 3000);
  EXPECT_EQ(s.count("　抗力が落ち着いたので終了しました。　計算回数＝" + std::to_string(steps)), 1);
  EXPECT_EQ(s.w.historyWindow()->findChild<QChartView*>()->chart()->title(),
            QString::fromUtf8("抗力が落ち着いて %1 回で終了").arg(steps));
}

TEST(MainWindowRun, WhatTheUserAsksWhileTheRunComputesIsServedAtItsNextStep) {
  struct {
    const char* request;
    std::function<void(RunWindow&)> ask;
    // Looked at when step 30 is shown (before its plot), with the view's scale and the
    // bitmap's width before the run.
    std::function<bool(RunWindow&, double, int)> served;
  } cases[] = {
      {"zoom in", [](RunWindow& s) { s.mainButton("zoomInButton")->click(); },
       [](RunWindow& s, double scale, int) { return s.m.view.viewScale == scale * 1.05; }},
      {"pressure map", [](RunWindow& s) { s.mainButton("pressureButton")->click(); },
       [](RunWindow& s, double, int) {
         return s.w.shownLegend().quantity == LegendQuantity::pressure && s.plotColours() > 500;
       }},
      {"filled contours", [](RunWindow& s) { s.w.findChild<QCheckBox*>("fillCheck")->click(); },
       [](RunWindow& s, double, int) { return s.m.view.fillContours; }},
      {"larger window", [](RunWindow& s) { s.w.resize(s.w.width() + 40, s.w.height()); },
       [](RunWindow& s, double, int width) { return s.w.surfaces().bitmap.width() == width + 40; }},
  };
  for (const auto& c : cases) {
    RunWindow s;
    const double scale = s.m.view.viewScale;
    const int width = s.w.surfaces().bitmap.width();
    s.start->click();
    EXPECT_TRUE(s.w.loopRunning()) << "the press returns while the run computes";
    bool served = false;
    s.onStatusText = [&](const std::string& text) {
      // Asked once the run has gone on from step 20.
      if (text == progressText(20)) QTimer::singleShot(0, &s.w, [&] { c.ask(s); });
      if (text != progressText(30)) return;
      served = c.served(s, scale, width);
      s.stop->click();
    };
    s.untilTheLoopEnds("the run stopped after step 30", [] {});
    EXPECT_TRUE(served) << c.request;
    EXPECT_EQ(s.m.run.stepsDone, 40) << c.request;
  }
}

TEST(MainWindowRun, AWindowTakenDownDuringARunEndsTheRunFirst) {
  auto s = std::make_unique<RunWindow>();
  s->start->click();
  ASSERT_TRUE(s->w.loopRunning());
  s.reset(); // returns once the run, served to its end, has stopped
  SUCCEED();
}

TEST(MainWindowRun, ADivergedRunsMessageIsShownByTheWindowOnceTheRunHasEnded) {
  RunWindow s;
  std::size_t messagesDuringTheRun = 1;
  s.onStatusText = [&](const std::string& text) {
    if (text == progressText(10)) s.m.solution.mainFlow[70][30][slot::u] = std::nan("");
    if (text.rfind("　計算が発散しました。", 0) == 0) messagesDuringTheRun = s.messages.size();
  };
  s.press(s.start, "the diverged run");
  EXPECT_EQ(messagesDuringTheRun, 0u);
  EXPECT_EQ(s.messages, std::vector<std::string>{"　計算が発散しました。　計算回数＝11"});
  EXPECT_EQ(s.w.controlMode(), 1);
}
