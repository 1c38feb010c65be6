// The layout's history: undo and redo give back the layout records and
// their grids bit for bit, a field's repeated steps are one step, a run's
// result comes back with its layout, and the file a user works on shows in
// the caption and is not set aside unasked.
#include "files/layout_file.h"
#include "run/run.h"
#include "ui/controls.h"
#include "ui/ui_fixture.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cstring>
#include <map>
#include <memory>

namespace {
bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The layout record and its grids' points in layout units, to compare bit
// for bit (their pixels follow the view, which is no part of the layout).
struct Snapshot {
  LayoutState state;
  int nBodies, mainNx, mainNy;
  std::unique_ptr<Model> grids = makeModel();
  explicit Snapshot(const Model& m)
      : state(layoutStateOf(m.layout, m.flow)), nBodies(m.grids.nBodies), mainNx(m.grids.mainNx),
        mainNy(m.grids.mainNy) {
    grids->grids.bodyGrid = m.grids.bodyGrid;
    grids->grids.mainGrid = m.grids.mainGrid;
  }
  void expectIn(const Model& m, const std::string& where) const {
    EXPECT_TRUE(state == layoutStateOf(m.layout, m.flow)) << where;
    EXPECT_EQ(nBodies, m.grids.nBodies) << where;
    EXPECT_EQ(mainNx, m.grids.mainNx) << where;
    EXPECT_EQ(mainNy, m.grids.mainNy) << where;
    // The points of the grids in use (the arrays keep what a larger grid
    // left beyond them).
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
        for (int r = 1; r <= m.layout.bodyLayers; ++r)
          ASSERT_TRUE(sameBits(grids->grids.bodyGrid[p][r][1].bodyGridX,
                               m.grids.bodyGrid[p][r][1].bodyGridX) &&
                      sameBits(grids->grids.bodyGrid[p][r][1].bodyGridY,
                               m.grids.bodyGrid[p][r][1].bodyGridY))
              << "body grids at p " << p << ", r " << r << ", " << where;
    for (int i = 1; i <= m.grids.mainNx; ++i)
      for (int j = 1; j <= m.grids.mainNy; ++j)
        ASSERT_TRUE(
            sameBits(grids->grids.mainGrid[i][j].mainGridX, m.grids.mainGrid[i][j].mainGridX) &&
            sameBits(grids->grids.mainGrid[i][j].mainGridY, m.grids.mainGrid[i][j].mainGridY))
            << "main grid at " << i << ", " << j << ", " << where;
  }
};

QAbstractButton* shapeChoice(StartedWindow& s, int code) {
  return s.w.layoutDialog().findChild<QRadioButton*>(LayoutDialog::shapeChoiceName[code]);
}
} // namespace

TEST(LayoutHistory, UndoingEveryActionGivesBackTheStartAndRedoingTheEnd) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString file = dir.filePath("two.json");
  {
    LayoutParameters two;
    setStartupLayout(two);
    two.nColumns = 2;
    ASSERT_FALSE(saveLayoutFile(file, two, FlowConditions{80, 0.04}));
  }
  QUndoStack& stack = s.w.undoStack();
  std::map<int, std::unique_ptr<Snapshot>> at; // by the stack's index
  auto note = [&] { at[stack.index()] = std::make_unique<Snapshot>(s.m); };
  note();
  const std::function<void()> actions[] = {
      [&] { s.clickDialog("addBodyButton", 2); }, // two bodies more in every column: one step
      [&] { s.clickDialog("addColumnButton"); },  // a column more
      [&] { shapeChoice(s, shape::square)->click(); },
      [&] {
        s.edit("sizeEdit")->setText("21");
        s.clickDialog("sizeUpButton"); // the typed size, stepped
      },
      [&] { s.clickDialog("arrangementTurnDownButton", 3); }, // the arrangement turned
      [&] { s.w.onPattern3Chosen(); },
      [&] {
        s.w.applyFlowConditions(s.m.flow,
                                ChannelConditions{true, 140, 40, 40, 0, ChannelInflow::parabolic,
                                                  ChannelOutlet::whole});
      },
      [&] {
        s.w.applyFlowConditions({150, 0.08});
      },
      [&] { ASSERT_TRUE(s.w.openLayoutFile(file)); },
      [&] { s.clickDialog("spacingUpButton"); }, // the spacing
  };
  for (const auto& act : actions) {
    act();
    note();
  }
  ASSERT_EQ(stack.index(), 10) << "one step per action, repeated clicks of a field merged";
  ASSERT_TRUE(s.messages.empty()) << s.messages.front();

  for (int n = stack.index(); n > 0; --n) {
    s.w.undoClick();
    at.at(n - 1)->expectIn(s.m, "after undoing to " + std::to_string(n - 1));
  }
  EXPECT_FALSE(stack.canUndo());
  EXPECT_EQ(s.edit("columnCountEdit")->text(), QString::number(at.at(0)->state.layout.nColumns))
      << "the dialog shows the layout given back";
  for (int n = 1; n <= 10; ++n) {
    s.w.redoClick();
    at.at(n)->expectIn(s.m, "after redoing to " + std::to_string(n));
  }
}

TEST(LayoutHistory, StepsOfOneFieldMergeAndStepsBackToTheStartLeaveNothing) {
  StartedWindow s;
  QUndoStack& stack = s.w.undoStack();
  const LayoutState start = layoutStateOf(s.m.layout, s.m.flow);
  s.clickDialog("sizeUpButton", 3);   // size up three times
  s.clickDialog("spacingDownButton"); // then the spacing
  EXPECT_EQ(stack.count(), 2);
  s.w.undoClick();
  s.w.undoClick();
  EXPECT_TRUE(layoutStateOf(s.m.layout, s.m.flow) == start);
  s.clickDialog("addBodyButton");
  s.clickDialog("removeBodyButton"); // a body more, then one less: back where it was
  EXPECT_FALSE(stack.canUndo()) << "a change undone by the same field is no step";
}

TEST(LayoutHistory, AnUndoBackToTheRunsLayoutShowsItsResultAgainUnlessAnotherRunFollowed) {
  StartedWindow s;
  PanelButton* start = s.w.findChild<PanelButton*>("startButton");
  PanelButton* continueButton = s.w.findChild<PanelButton*>("ContinueButton");
  // Runs stopped at their 20th step (no particle traces follow a stop).
  s.w.services().statusObserver = [&s](int, const std::string&) {
    if (s.m.solution.flowStep >= 20) s.w.onStopClicked();
  };
  s.untilTheLoopEnds("the run", [start] { start->click(); });
  const int stepsDone = s.m.run.stepsDone, flowStep = s.m.solution.flowStep;
  ASSERT_GT(flowStep, 10);
  ASSERT_TRUE(continueButton->isVisible());

  s.clickDialog("sizeUpButton"); // size up: the result is not this layout's
  EXPECT_EQ(s.m.run.stepsDone, 1);
  EXPECT_FALSE(continueButton->isVisible());
  s.w.undoClick();
  EXPECT_EQ(s.m.run.stepsDone, stepsDone);
  EXPECT_EQ(s.m.solution.flowStep, flowStep);
  EXPECT_TRUE(continueButton->isVisible()) << "the flow can be continued again";

  s.w.redoClick();
  s.untilTheLoopEnds("the second run", [start] { start->click(); });
  s.w.undoClick();
  EXPECT_FALSE(flowBelongsToLayout(s.m.layout, s.m.flow, s.m.solution))
      << "the flow is the second layout's now";
  EXPECT_EQ(s.m.run.stepsDone, 1);
  EXPECT_FALSE(continueButton->isVisible());
}

TEST(LayoutFileInCaption, NameMarkSavedStatusAndTheQuestionBeforeChangesAreSetAside) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString file = dir.filePath("mine.json");
  s.w.chooseFile = [&](bool, const QString&) { return file; };
  s.clickDialog("addBodyButton");
  EXPECT_TRUE(s.w.isWindowModified());

  // Quitting asks; "cancel" keeps the window and its layout.
  s.unsavedAnswer = QtWindowServices::UnsavedAnswer::cancel;
  EXPECT_FALSE(s.w.close());
  EXPECT_TRUE(s.w.isVisible());
  ASSERT_EQ(s.unsavedQuestions.size(), 1u);
  EXPECT_EQ(s.unsavedQuestions[0], QString::fromUtf8("無題 のレイアウトの変更を保存しますか？"));

  // "Save" before opening another file saves first.
  s.unsavedAnswer = QtWindowServices::UnsavedAnswer::save;
  s.w.openClick();
  EXPECT_EQ(s.unsavedQuestions.size(), 2u);
  EXPECT_EQ(s.w.windowTitle(), QString::fromUtf8("mine.json[*] - Whirlpane"));
  EXPECT_FALSE(s.w.isWindowModified());
  EXPECT_EQ(s.w.recentFiles().value(0), file);
  s.w.saveClick();
  EXPECT_EQ(s.w.statusBar()->currentMessage(), QString::fromUtf8("%1 を保存しました").arg(file));

  s.w.undoClick(); // the layout differs from the file again
  EXPECT_TRUE(s.w.isWindowModified());
  s.w.redoClick();
  EXPECT_FALSE(s.w.isWindowModified());
  s.w.openClick(); // nothing unsaved: no question
  EXPECT_EQ(s.unsavedQuestions.size(), 2u);
}

TEST(LayoutFileInCaption, UndoAndRedoAcrossOpeningsNameTheFileTheLayoutBelongsTo) {
  StartedWindow s;
  QTemporaryDir dir;
  LayoutParameters layout;
  setStartupLayout(layout);
  for (int columns : {1, 2}) {
    layout.nColumns = columns;
    ASSERT_FALSE(saveLayoutFile(dir.filePath(QString("%1.json").arg(columns)), layout, s.m.flow));
  }
  ASSERT_TRUE(s.w.openLayoutFile(dir.filePath("1.json")));
  ASSERT_TRUE(s.w.openLayoutFile(dir.filePath("2.json")));
  // The caption's text and its mark of unsaved changes.
  const auto caption = [&] {
    return std::pair(s.w.windowTitle().toStdString(), s.w.isWindowModified());
  };
  const auto shows = [](const char* name) {
    return std::pair(std::string(name) + "[*] - Whirlpane", false);
  };
  s.w.undoClick();
  EXPECT_EQ(caption(), shows("1.json"));
  s.w.undoClick();
  EXPECT_EQ(caption(), shows("無題"));
  s.w.redoClick();
  EXPECT_EQ(caption(), shows("1.json"));
  s.w.redoClick();
  EXPECT_EQ(caption(), shows("2.json"));
}

TEST(LayoutFileInCaption, TheFileMenuStandsFirstWithUndoRedoAndRecentFiles) {
  StartedWindow s;
  const QList<QAction*> bar = s.w.menuBar()->actions();
  ASSERT_FALSE(bar.isEmpty());
  EXPECT_EQ(bar[0]->objectName(), QStringLiteral("Keep"));
  EXPECT_EQ(s.w.findChild<QAction*>("KeepUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(s.w.findChild<QAction*>("KeepRedo")->shortcut(), QKeySequence(QKeySequence::Redo));
  EXPECT_NE(s.w.findChild<QMenu*>("KeepRecent"), nullptr);
}
