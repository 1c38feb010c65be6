// Continuing a run: 300 steps and a continuation of 300 give the bits of one
// 600-step loop, with the run's texts, plots and counters numbered on; a
// layout change or a diverged step ends the possibility to continue.
#include "fake_window_services.h"
#include "grid_bits.h"
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "recording_run_stages.h"
#include "run/run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

const std::string kStepText = "　計算回数＝";
const std::string kStepTextEnd = "　　　　　　300回 で完了";
const std::string kFinished = "計算が正常に終了しました。";

// One circle of size 16 in the channel: a small layout, so that 1,200 steps
// stay quick.
struct SmallSession {
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
  RecordingRunStages stages{*m, ws};
  SmallSession() {
    setStartupDefaults(m->layout, m->editing, m->view);
    m->layout.nColumns = 1;
    m->layout.columnBodies[1] = 1;
    m->layout.layoutSize[1][1] = 16;
    rebuildGrids(*m);
    ws.calls.clear();
    ws.tick = 1000;
    ws.tickStep = 3;
  }
};

class Continuation : public testing::Test {
protected:
  // `whole` runs one loop of 600 steps; `continued` runs 300 through the
  // start button and 300 more through the continue button.
  static void SetUpTestSuite() {
    whole = new SmallSession;
    SilentRunStages silent;
    runCalculationSteps(*whole->m, whole->ws, silent, 600);
    continued = new SmallSession;
    startRun(*continued->m, continued->ws, continued->stages);
    continued->ws.calls.clear();
    continued->stages.calls.clear();
    continueClick(*continued->m, continued->ws, continued->stages);
  }
  static void TearDownTestSuite() {
    delete whole;
    delete continued;
  }
  static SmallSession* whole;
  static SmallSession* continued;
};
SmallSession* Continuation::whole = nullptr;
SmallSession* Continuation::continued = nullptr;

TEST_F(Continuation, ThreeHundredAndThreeHundredMoreEqualOneLoopOfSixHundredBitForBit) {
  const Model& a = *whole->m;
  const Model& b = *continued->m;
  // Every slot of every record of both grids, the scratch slots included.
  EXPECT_TRUE(sameBits(a.solution.mainFlow, b.solution.mainFlow)) << "main grid";
  EXPECT_TRUE(sameBits(a.solution.bodyFlow, b.solution.bodyFlow)) << "auxiliary grids";
  ASSERT_EQ(a.solution.residualHistory.size(), 600u);
  ASSERT_EQ(b.solution.residualHistory.size(), 600u);
  EXPECT_EQ(std::memcmp(a.solution.residualHistory.data(), b.solution.residualHistory.data(),
                        600 * sizeof(StepResidual)),
            0);
  EXPECT_EQ(a.solution.flowStep, 600);
  EXPECT_EQ(b.solution.flowStep, 600);
}

TEST_F(Continuation, CountsOnFromStep301WithTheRunsTextsAndPlots) {
  const auto& ws = continued->ws;
  std::vector<std::string> expected;
  for (int s = 310; s <= 600; s += 10)
    expected.push_back(kStepText + std::to_string(s) + "　　　　　　600回 で完了");
  expected.push_back(kFinished);
  EXPECT_EQ(ws.statusTexts(1), expected);
  ASSERT_FALSE(ws.calls.empty());
  EXPECT_EQ(ws.calls.front().what, "range");
  EXPECT_EQ(ws.calls.front().a, 300);
  EXPECT_EQ(ws.calls.front().b, 600);
  EXPECT_EQ(ws.progressPos, 600);

  const auto& st = continued->stages;
  EXPECT_EQ(st.plotSteps("vectors"), (std::vector<int>{390, 480, 570}));
  EXPECT_EQ(st.plotSteps("pressure"), (std::vector<int>{330, 420, 510, 600}));
  EXPECT_EQ(st.plotSteps("vorticity"), (std::vector<int>{360, 450, 540}));
  EXPECT_EQ(st.calls.front().what, "mode");
  EXPECT_EQ(st.calls.front().arg, 2);
  EXPECT_EQ(st.plotSteps("particles"), (std::vector<int>{600})) << "traces after the last step";
  EXPECT_EQ(continued->m->run.stepsDone, 600);
  EXPECT_GT(continued->m->run.runEndTick, continued->m->run.runStartTick)
      << "a complete continuation records its end";
  EXPECT_GT(continued->m->run.runStartTick, 1000u) << "timed from the continue button";
  // Start is refused with the time of the continued steps, named as such.
  startRun(*continued->m, continued->ws, continued->stages);
  EXPECT_EQ(continued->ws.statusPanel[1].rfind(
                "　計算は完了してます。　所要計算時間　＝（301～600回、全600回） ", 0),
            0u)
      << continued->ws.statusPanel[1];
}

TEST(ContinuationEnd, AStopInTheContinuationLeavesAFlowToGoOnFrom) {
  SmallSession s;
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 40) requestStop(s.m->run);
  };
  startRun(*s.m, s.ws, s.stages);
  ASSERT_EQ(s.m->run.stepsDone, 50);
  ASSERT_TRUE(canContinue(s.m->layout, s.m->flow, s.m->solution));
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 75) requestStop(s.m->run);
  };
  continueClick(*s.m, s.ws, s.stages);
  EXPECT_EQ(s.m->run.stepsDone, 80);
  EXPECT_EQ(s.m->solution.flowStep, 80);
  EXPECT_EQ(s.m->solution.residualHistory.size(), 80u);
  EXPECT_TRUE(canContinue(s.m->layout, s.m->flow, s.m->solution));
}

TEST(ContinuationEnd, ALayoutChangeEndsThePossibilityToContinue) {
  SmallSession s;
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 15) requestStop(s.m->run);
  };
  startRun(*s.m, s.ws, s.stages);
  ASSERT_TRUE(canContinue(s.m->layout, s.m->flow, s.m->solution));
  s.m->layout.layoutSize[1][1] = 14;
  rebuildGrids(*s.m);
  EXPECT_FALSE(canContinue(s.m->layout, s.m->flow, s.m->solution));
  const double rho = s.m->solution.mainFlow[20][20][slot::rho];
  s.stages.calls.clear();
  continueClick(*s.m, s.ws, s.stages);
  EXPECT_TRUE(s.stages.calls.empty()) << "no continuation on grids the flow does not belong to";
  EXPECT_EQ(s.m->solution.mainFlow[20][20][slot::rho], rho);

  // A preset is a layout change too.
  SmallSession t;
  t.ws.onProcess = [&] {
    if (t.m->run.stepsDone == 5) requestStop(t.m->run);
  };
  startRun(*t.m, t.ws, t.stages);
  ASSERT_TRUE(canContinue(t.m->layout, t.m->flow, t.m->solution));
  applyPreset(*t.m, 2);
  EXPECT_FALSE(canContinue(t.m->layout, t.m->flow, t.m->solution));
}

TEST(ContinuationEnd, NeitherADivergedRunNorAFailedSetUpCanBeContinued) {
  SmallSession s;
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 3)
      s.m->solution.mainFlow[20][20][slot::u] = std::numeric_limits<double>::quiet_NaN();
  };
  startRun(*s.m, s.ws, s.stages);
  EXPECT_FALSE(canContinue(s.m->layout, s.m->flow, s.m->solution));

  SmallSession t;
  t.ws.onProcess = [&] { requestStop(t.m->run); }; // stopped during the set-up
  startRun(*t.m, t.ws, t.stages);
  EXPECT_FALSE(canContinue(t.m->layout, t.m->flow, t.m->solution));
  EXPECT_TRUE(t.m->solution.residualHistory.empty());
}

} // namespace
