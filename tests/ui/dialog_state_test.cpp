// The layout dialog always shows the layout on screen, and a run's result
// stays with the layout it was computed for: showing the dialog again after a
// run, a pattern or an opened file changes neither.
#include "ui_fixture.h"

#include "ui/controls.h"
#include "ui/forces_window.h"
#include "ui/number_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>

#include <functional>
#include <string>

namespace {

// Empty when every field, the shape, the mode and the selected column shown
// by the dialog are those of the model; else the first that is not.
std::string dialogOutOfStep(StartedWindow& s) {
  const Model& m = s.m;
  const int c = m.editing.selectedColumn;
  const struct {
    const char* field;
    QString shows;
  } fields[] = {{"bodyCountEdit", wholeNumberText(m.layout.columnBodies[c])},
                {"spacingEdit", wholeNumberText(m.layout.columnSpacing[c])},
                {"sizeEdit", wholeNumberText(m.layout.layoutSize[c][1])},
                {"turnEdit", wholeNumberText(m.layout.layoutAngle[c][1])},
                {"arrangementTurnEdit", shortestDecimal(m.layout.layoutRotation)},
                {"columnCountEdit", wholeNumberText(m.layout.nColumns)},
                {"ratioEdit", shortestDecimal(m.layout.ellipseRatio)}};
  for (const auto& f : fields)
    if (s.edit(f.field)->text() != f.shows)
      return std::string(f.field) + " shows " + s.edit(f.field)->text().toStdString() +
             ", the layout " + f.shows.toStdString();
  const QWidget& d = s.w.layoutDialog();
  const auto checked = [&](const QString& name) {
    return d.findChild<QAbstractButton*>(name)->isChecked();
  };
  if (!checked(LayoutDialog::shapeChoiceName[m.layout.layoutShape[c][1]])) return "the shape";
  if (checked("allColumnsChoice") != m.editing.selectAllColumns) return "the mode";
  const QLabel* selected = d.findChild<QLabel*>("SelectedColumn");
  if (selected->isVisibleTo(&d) == m.editing.selectAllColumns) return "the selected column's label";
  if (!selected->text().endsWith(QString::number(c))) return "the selected column's number";
  return {};
}

struct RunningWindow : StartedWindow {
  PanelButton* start = w.findChild<PanelButton*>("startButton");
  PanelButton* stop = w.findChild<PanelButton*>("stopButton");
  PanelButton* go = w.findChild<PanelButton*>("ContinueButton");
  std::string statusText;
  int stopAfter = 20; // the step whose text presses stop; 0: on to the traces
  RunningWindow() {
    w.services().statusObserver = [this](int panel, const std::string& text) {
      if (panel != 1) return;
      statusText = text;
      // Stop at step 20 of a run, or as soon as the traces are ready.
      const std::string step = "　計算回数＝" + std::to_string(stopAfter) + "　";
      if ((stopAfter && text.rfind(step, 0) == 0) || text.rfind("　所要計算時間　＝", 0) == 0)
        stop->click();
    };
  }
  void trigger(const char* action) { w.findChild<QAction*>(action)->trigger(); }
  void run() {
    untilTheLoopEnds("the run", [this] { start->click(); });
  }
  void choose(const char* button) { w.layoutDialog().findChild<QAbstractButton*>(button)->click(); }
  void pick(int column) {
    const PixelPosition& p = m.pixels.columnBody[column][1];
    w.onPictureClicked(roundHalfAway(p.x), roundHalfAway(p.y));
  }
  // A layout file of one column of `count` plates.
  QString layoutFile(const QTemporaryDir& dir, int count) {
    const QString path = dir.filePath(QStringLiteral("plates%1.json").arg(count));
    QString bodies;
    for (int k = 0; k < count; ++k)
      bodies +=
          QStringLiteral("%1{\"shape\": \"plate\", \"size\": 12, \"turn\": 0}").arg(k ? ", " : "");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(QStringLiteral("{\"whirlpane-layout\": 1, \"columns\": [{\"gap\": 26, \"spacing\": 26, "
                           "\"bodies\": [%1]}]}")
                .arg(bodies)
                .toUtf8());
    return path;
  }
};

} // namespace

TEST(DialogState, AfterAFullRunOfPatternOneTheRunsLayoutAndResultStay) {
  RunningWindow s;
  s.stopAfter = 0;
  s.trigger("pattern1Item"); // its first column holds 2 bodies; the count field showed 3
  const LayoutParameters pattern = s.m.layout;
  s.run(); // runs, traces, stopped during the animation
  ASSERT_EQ(s.m.run.stepsDone, 300);
  EXPECT_EQ(s.m.layout, pattern) << "showing the dialog changed the layout";
  EXPECT_EQ(dialogOutOfStep(s), "");
  EXPECT_TRUE(s.go->isVisible()) << "the flow can be continued";
  s.w.forcesClick();
  EXPECT_EQ(s.w.forcesWindow()->table()->rowCount(), s.m.grids.nBodies);
  s.run();
  EXPECT_EQ(s.statusText.rfind("　計算は完了してます。", 0), 0u) << s.statusText;

  // Another layout has no result: start runs it.
  s.clickDialog("addBodyButton");
  EXPECT_EQ(s.w.forcesWindow()->table()->rowCount(), 0);
  s.run();
  EXPECT_EQ(s.m.run.stepsDone, 300) << s.statusText;
  EXPECT_EQ(s.m.solution.flowLayout, s.m.layout);
}

TEST(DialogState, AStoppedRunOfAnOpenedFileKeepsItsLayoutAndCanBeContinued) {
  RunningWindow s;
  QTemporaryDir dir;
  ASSERT_TRUE(s.w.openLayoutFile(s.layoutFile(dir, 1)));
  const LayoutParameters opened = s.m.layout;
  s.run();
  ASSERT_EQ(s.m.run.stepsDone, 30);
  EXPECT_EQ(s.m.layout, opened);
  EXPECT_EQ(dialogOutOfStep(s), "");
  EXPECT_TRUE(s.go->isVisible());
}

TEST(DialogState, AWalkOfPatternsOpensPicksAndRunsKeepsTheDialogOnTheLayout) {
  RunningWindow s;
  QTemporaryDir dir;
  const std::function<void()> walk[] = {
      [&] { s.trigger("pattern3Item"); },
      [&] { s.choose("selectedColumnChoice"); },
      [&] { s.pick(3); },
      [&] {
        s.run();
        EXPECT_FALSE(s.w.layoutDialog().wholeLayoutChosen()) << "the mode outlasts the run";
      },
      [&] { s.pick(2); },
      [&] { s.w.openLayoutFile(s.layoutFile(dir, 4)); },
      [&] { s.choose("ellipseChoice"); },
      [&] { s.trigger("pattern2Item"); },
      [&] { s.pick(2); },
      [&] { s.clickDialog("addBodyButton"); },
      [&] { s.run(); },
      [&] { s.choose("allColumnsChoice"); },
      [&] { s.trigger("pattern4Item"); },
      [&] { s.w.openLayoutFile(s.layoutFile(dir, 2)); },
  };
  int n = 0;
  for (const auto& action : walk) {
    action();
    ++n;
    ASSERT_EQ(dialogOutOfStep(s), "") << "after action " << n;
  }
}

TEST(DialogState, AStoppedRunLeavesItsPlotWithItsLegendThroughPanAndZoom) {
  RunningWindow s;
  s.stopAfter = 40; // seen at step 50; the vectors were drawn at step 30
  s.run();
  ASSERT_EQ(s.m.run.stepsDone, 50);
  EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::vectors);
  for (const char* button : {"zoomInButton", "panUpButton"}) {
    s.mainButton(button)->click();
    EXPECT_EQ(s.w.shownLegend().quantity, LegendQuantity::vectors) << button;
  }
  EXPECT_TRUE(s.w.findChild<QWidget*>("fillCheck")->isVisible());
}
