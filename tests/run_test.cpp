// The run: its sequence of texts, plots and counters as the window sees it,
// the stop request, the refused start, the set-up failure, the divergence
// stop, and the full-run results held against a stored reference.
#include "core/time_text.h"
#include "fake_window_services.h"
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "recording_run_stages.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "run_reference_data.h"
#include "solver/flow_check.h"
#include "solver/initial_state.h"
#include "solver/parallel.h"
#include "synthetic_grids.h"
#include "view/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

const std::string kStepText = "　計算回数＝";
const std::string kStepTextEnd = "　　　　　　300回 で完了";
const std::string kFinished = "計算が正常に終了しました。";
const std::string kAlreadyDone = "　計算は完了してます。　所要計算時間　＝";

// A model as the window leaves it at start-up (grids made and mapped to
// pixels), the run's stages recorded and, with withPlots, drawn off-screen
// by the drawing layer's headless stages.
struct Session {
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
  ViewSurfaces surfaces;
  HeadlessStages plots{*m, surfaces, ws};
  RecordingRunStages stages;
  explicit Session(int preset = 0, bool withPlots = false)
      : stages(*m, ws, withPlots ? &plots : nullptr) {
    setStartupDefaults(m->layout, m->editing, m->view);
    if (preset != 0)
      applyPreset(*m, preset);
    else
      rebuildGrids(*m);
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, surfaces.bitmap);
    ws.calls.clear();
    ws.tick = 4000;
    ws.tickStep = 3;
  }
};

// The texts of panel 1 that report the step count.
std::vector<std::string> stepTexts(const FakeWindowServices& ws) {
  std::vector<std::string> out;
  for (const auto& t : ws.statusTexts(1))
    if (t.rfind(kStepText, 0) == 0) out.push_back(t);
  return out;
}

int lastProgressPosition(const FakeWindowServices& ws) {
  int last = -1;
  for (const auto& c : ws.calls)
    if (c.what == "position") last = c.a;
  return last;
}

// ------------------------------------------------------------- a full run

class FullRun : public testing::Test {
protected:
  // The run draws its plots, as a windowed run would; the stored reference
  // was made without drawing, so matching it shows that the plots leave the
  // flow alone.
  static void SetUpTestSuite() {
    session = new Session(0, true);
    showOutcome(session->ws, startRun(*session->m, session->ws, session->stages));
  }
  static void TearDownTestSuite() {
    delete session;
    session = nullptr;
  }
  static Session* session;
};
Session* FullRun::session = nullptr;

TEST_F(FullRun, ReportsEveryTenthStepAndEndsWithTheCompletionText) {
  const auto& ws = session->ws;
  const auto texts = stepTexts(ws);
  ASSERT_EQ(texts.size(), 30u);
  for (int n = 1; n <= 30; ++n)
    EXPECT_EQ(texts[n - 1], kStepText + std::to_string(10 * n) + kStepTextEnd);
  EXPECT_EQ(ws.statusTexts(1).back(), kFinished);
  EXPECT_EQ(ws.statusPanel[1], kFinished);
  EXPECT_TRUE(ws.messages().empty());
  EXPECT_EQ(lastProgressPosition(ws), 300);
  EXPECT_EQ(session->m->run.stepsDone, 300);
}

TEST_F(FullRun, PlotsAtTheirStepsBetweenCalculatingModeAndParticleTraces) {
  const auto& st = session->stages;
  EXPECT_EQ(st.plotSteps("vectors"), (std::vector<int>{30, 120, 210, 300}));
  EXPECT_EQ(st.plotSteps("pressure"), (std::vector<int>{60, 150, 240}));
  EXPECT_EQ(st.plotSteps("vorticity"), (std::vector<int>{90, 180, 270}));
  ASSERT_GE(st.calls.size(), 3u);
  EXPECT_EQ(st.calls.front().what, "mode");
  EXPECT_EQ(st.calls.front().arg, 2);
  const auto& traceCall = st.calls[st.calls.size() - 2];
  EXPECT_EQ(traceCall.what, "particles");
  EXPECT_EQ(traceCall.arg, 3);
  EXPECT_EQ(traceCall.step, 300) << "the traces start with stepsDone = stepCount - 1";
  EXPECT_EQ(st.calls.back().what, "mode");
  EXPECT_EQ(st.calls.back().arg, 1);
}

TEST_F(FullRun, LeavesEveryDensityPositiveAndFinite) {
  const Model& m = *session->m;
  EXPECT_TRUE(flowIsSound(m.layout, m.grids, m.solution));
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      const double rho = m.solution.mainFlow[i][j][slot::rho];
      ASSERT_TRUE(rho > 0 && std::isfinite(rho)) << i << "," << j;
    }
}

TEST_F(FullRun, StartAfterwardsOnlyShowsTheElapsedTime) {
  Model& m = *session->m;
  auto& ws = session->ws;
  const auto callsBefore = session->stages.calls.size();
  const double rhoBefore = m.solution.mainFlow[60][30][slot::rho];
  startRun(m, ws, session->stages);
  EXPECT_EQ(ws.statusPanel[1],
            kAlreadyDone + elapsedTicksText(m.run.runEndTick, m.run.runStartTick));
  EXPECT_NE(m.run.runEndTick, m.run.runStartTick);
  EXPECT_EQ(session->stages.calls.size(), callsBefore) << "no new run";
  EXPECT_EQ(m.run.stepsDone, 300);
  EXPECT_EQ(m.solution.mainFlow[60][30][slot::rho], rhoBefore);
}

// ----------------------------------------------------- stopping and failing

TEST(RunStop, StopDuringStep95EndsAfterStep100) {
  Session s;
  // A press during step 95 is handled when the window next processes its
  // messages, at the start of step 96.
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 95) requestStop(s.m->run);
  };
  startRun(*s.m, s.ws, s.stages);
  EXPECT_EQ(s.m->run.stepsDone, 100);
  EXPECT_EQ(lastProgressPosition(s.ws), 100);
  const auto texts = stepTexts(s.ws);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), kStepText + "100" + kStepTextEnd) << "the step the flow stopped at";
  EXPECT_NE(s.ws.statusPanel[1], kFinished);
  EXPECT_EQ(s.stages.plotSteps("vorticity"), (std::vector<int>{90}));
  EXPECT_TRUE(s.stages.plotSteps("pressure") == (std::vector<int>{60}));
  EXPECT_EQ(s.stages.calls.back().what, "mode") << "back in editing mode";
}

TEST(RunStop, StartIsRefusedAfterARunBeyondStep280) {
  Session s;
  s.m->run.stepsDone = 290; // a run of this layout stopped at step 290
  s.m->solution.flowLayout = s.m->layout;
  s.m->solution.flowStep = 290;
  s.m->run.runStartTick = 4294967000u;
  s.m->run.runEndTick = 125437 - 296;
  startRun(*s.m, s.ws, s.stages);
  EXPECT_EQ(s.ws.statusPanel[1], kAlreadyDone + " 02 分05 秒 437");
  EXPECT_TRUE(s.stages.calls.empty());
  EXPECT_EQ(s.m->run.stepsDone, 290);
  // The result belongs to its layout: once the layout record differs, the
  // count left over is no result of the layout on screen.
  ASSERT_TRUE(canContinue(s.m->layout, s.m->flow, s.m->solution));
  s.m->layout.layoutSize[1][1] += 1;
  EXPECT_FALSE(hasCompleteResult(s.m->layout, s.m->flow, s.m->solution, s.m->run));
  EXPECT_FALSE(canContinue(s.m->layout, s.m->flow, s.m->solution));
}

TEST(RunStop, ARunStoppedAtStep280CanBeStartedAgain) {
  // Step 280 is the last at which a stopped run is not complete; a run that
  // completed refuses a new start (FullRun.StartAfterwardsOnlyShowsTheElapsedTime).
  Session s;
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 275) requestStop(s.m->run);
  };
  startRun(*s.m, s.ws, s.stages);
  ASSERT_EQ(s.m->run.stepsDone, 280);
  s.stages.calls.clear();
  s.ws.onProcess = [&] { requestStop(s.m->run); }; // the new run ends in its set-up
  startRun(*s.m, s.ws, s.stages);
  ASSERT_FALSE(s.stages.calls.empty()) << s.ws.statusPanel[1];
  EXPECT_EQ(s.stages.calls.front().what, "mode") << "a new run started";
}

TEST(RunStop, SetUpThatSetsTheStopFlagEndsTheRunBeforeStepOne) {
  // A link list over its capacity and a stop pressed during the link
  // searches both leave stopFlag set at the end of the set-up.
  Session s;
  s.ws.onProcess = [&] { requestStop(s.m->run); };
  startRun(*s.m, s.ws, s.stages);
  EXPECT_TRUE(stepTexts(s.ws).empty());
  EXPECT_EQ(s.m->run.stepsDone, 2) << "the new grids' 1, plus 1";
  EXPECT_TRUE(s.stages.plotSteps("vectors").empty());
  EXPECT_NE(s.ws.statusPanel[1], kFinished);
  // The flow holds the initial state.
  EXPECT_EQ(s.m->solution.mainFlow[30][20][slot::rho], 1.0);
  EXPECT_EQ(s.m->solution.mainFlow[1][20][slot::u], s.m->constants.uInf);
}

TEST(RunStop, AListOverItsCapacityComesBackInTheRunsOutcomeAndNoStepRuns) {
  // Body grids 30 units thick around the start-up circles overflow the list
  // of links between bodies.
  Session s;
  s.m->layout.bodyGridThickness = 30;
  const RunOutcome outcome = startRun(*s.m, s.ws, s.stages);
  EXPECT_EQ(outcomeMessages(outcome, Language::japanese),
            std::vector<std::string>{"  モデル規模が大き過ぎです。R-22 794"});
  EXPECT_TRUE(stepTexts(s.ws).empty());
}

TEST(RunDivergence, ANonFiniteValueEndsTheRunAtThatStepWithAMessage) {
  Session s(0, true);
  s.ws.onProcess = [&] {
    if (s.m->run.stepsDone == 4)
      s.m->solution.mainFlow[70][30][slot::u] = std::numeric_limits<double>::quiet_NaN();
  };
  showOutcome(s.ws, startRun(*s.m, s.ws, s.stages));
  const std::string text = "　計算が発散しました。　計算回数＝5";
  EXPECT_EQ(s.ws.messages(), std::vector<std::string>{text});
  EXPECT_EQ(s.ws.statusPanel[1], text);
  EXPECT_EQ(lastProgressPosition(s.ws), 5) << "no later step runs";
  EXPECT_EQ(s.m->run.stepsDone, 5);
  EXPECT_TRUE(s.m->run.stopFlag) << "no particle traces from a diverged flow";
  EXPECT_FALSE(flowIsSound(s.m->layout, s.m->grids, s.m->solution));
  // The plot buttons still draw the fields as they are, without failing.
  s.plots.plotVorticity();
  s.plots.plotPressure();
  s.plots.plotVectors();
  EXPECT_TRUE(std::isfinite(s.m->view.scaleLow) && std::isfinite(s.m->view.scaleHigh));
}

// One value of the initial state spoiled: where it lies and what it becomes.
struct UnsoundCase {
  const char* name;
  double& (*at)(Model&);
  double value;
  bool sound;
};

const UnsoundCase kUnsound[] = {
    {"zero density inside",
     [](Model& m) -> double& { return m.solution.mainFlow[7][5][slot::rho]; }, 0, false},
    {"negative density on a ring",
     [](Model& m) -> double& {
       return m.solution.bodyFlow[m.grids.bodyFirst[1] + 2][5][1][slot::rho];
     },
     -1e-3, false},
    {"infinite energy on a wall corner",
     [](Model& m) -> double& {
       return m.solution.mainFlow[m.grids.mainNx][m.grids.mainNy][slot::e];
     },
     std::numeric_limits<double>::infinity(), false},
    {"NaN pressure in a ghost column",
     [](Model& m) -> double& {
       return m.solution.bodyFlow[m.grids.bodyFirst[1] - 1][1][1][slot::pres];
     },
     std::nan(""), false},
    {"index between rings is no point",
     [](Model& m) -> double& {
       return m.solution.bodyFlow[m.grids.bodyLast[1] + 2][4][1][slot::rho];
     },
     0, true},
    {"display slots are not checked",
     [](Model& m) -> double& { return m.solution.mainFlow[3][3][slot::omega]; }, std::nan(""),
     true},
};

TEST(RunDivergence, SoundnessCheckCoversEveryPointAStepWrites) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 14, 11);
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 8, 6, 2.5, 6.2, 24);
  synthetic::ringBody(*m, 30, 6, 2.5, 6.2, 24);
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  EXPECT_TRUE(flowIsSound(m->layout, m->grids, m->solution)) << "initial state";
  for (const auto& c : kUnsound) {
    double& x = c.at(*m);
    const double kept = x;
    x = c.value;
    EXPECT_EQ(flowIsSound(m->layout, m->grids, m->solution), c.sound) << c.name;
    x = kept; // the initial state again for the next case
  }
}

// ------------------------------------------------------ stored reference

// Sums over the used part of both grids and sampled values, as stored in
// run_reference_data.h.
runref::Result summarise(const Model& m) {
  runref::Result out{};
  const int fields[5] = {slot::rho, slot::u, slot::v, slot::e, slot::pres};
  for (int k = 0; k < 5; ++k) {
    for (int i = 1; i <= m.grids.mainNx; ++i)
      for (int j = 1; j <= m.grids.mainNy; ++j) {
        out.mainSum[k] += m.solution.mainFlow[i][j][fields[k]];
        out.mainAbs[k] += std::fabs(m.solution.mainFlow[i][j][fields[k]]);
      }
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
        for (int r = 1; r <= m.layout.bodyLayers; ++r) {
          out.auxSum[k] += m.solution.bodyFlow[p][r][1][fields[k]];
          out.auxAbs[k] += std::fabs(m.solution.bodyFlow[p][r][1][fields[k]]);
        }
    for (int n = 0; n < runref::kSamples; ++n) {
      const auto& at = runref::kMainSamples[n];
      out.mainSample[n][k] = m.solution.mainFlow[at[0]][at[1]][fields[k]];
      const auto& aux = runref::kAuxSamples[n];
      out.auxSample[n][k] =
          m.solution.bodyFlow[m.grids.bodyFirst[aux[0]] + aux[1]][aux[2]][1][fields[k]];
    }
  }
  return out;
}

void expectNear(double value, double reference, double scale, const std::string& what) {
  EXPECT_LE(std::fabs(value - reference), 1e-10 * scale)
      << what << ": " << value << " vs " << reference;
}

void expectMatchesReference(const runref::Result& got, const runref::Result& ref,
                            const char* name) {
  const char* field[5] = {"rho", "u", "v", "e", "p"};
  for (int k = 0; k < 5; ++k) {
    expectNear(got.mainSum[k], ref.mainSum[k], ref.mainAbs[k],
               std::string(name) + " main sum " + field[k]);
    expectNear(got.auxSum[k], ref.auxSum[k], ref.auxAbs[k],
               std::string(name) + " aux sum " + field[k]);
    for (int n = 0; n < runref::kSamples; ++n) {
      expectNear(got.mainSample[n][k], ref.mainSample[n][k], std::fabs(ref.mainSample[n][k]) + 1e-3,
                 std::string(name) + " main sample " + std::to_string(n) + " " + field[k]);
      expectNear(got.auxSample[n][k], ref.auxSample[n][k], std::fabs(ref.auxSample[n][k]) + 1e-3,
                 std::string(name) + " aux sample " + std::to_string(n) + " " + field[k]);
    }
  }
}

TEST_F(FullRun, DefaultLayoutMatchesTheStoredReference) {
  expectMatchesReference(summarise(*session->m), runref::kDefaultLayout, "default layout");
}

runref::Result runPreset(int preset) {
  Session s(preset);
  SilentRunStages stages;
  runCalculation(*s.m, s.ws, stages);
  return summarise(*s.m);
}

TEST(RunReference, Preset3MatchesTheStoredReference) {
  expectMatchesReference(runPreset(3), runref::kPreset3, "preset 3");
}

// The solver shares its work between threads; every point is computed by
// the same operations whatever their number, so the stored references hold
// at one thread, two and four.
class RunReferenceThreads : public testing::TestWithParam<int> {
protected:
  void SetUp() override { setSolverThreads(GetParam()); }
  void TearDown() override { setSolverThreads(0); }
};

TEST_P(RunReferenceThreads, DefaultLayoutAndPreset3MatchTheStoredReferences) {
  Session s;
  SilentRunStages stages;
  runCalculation(*s.m, s.ws, stages);
  expectMatchesReference(summarise(*s.m), runref::kDefaultLayout, "default layout");
  expectMatchesReference(runPreset(3), runref::kPreset3, "preset 3");
}

INSTANTIATE_TEST_SUITE_P(ThreadCounts, RunReferenceThreads, testing::Values(1, 2, 4));

void print(const char* name, const runref::Result& r) {
  std::printf("inline constexpr Result %s = {\n", name);
  auto row = [](const char* label, const double* v, int n) {
    std::printf("    /* %s */ {", label);
    for (int k = 0; k < n; ++k) std::printf("%s%.17g", k ? ", " : "", v[k]);
    std::printf("},\n");
  };
  row("mainSum", r.mainSum, 5);
  row("mainAbs", r.mainAbs, 5);
  row("auxSum", r.auxSum, 5);
  row("auxAbs", r.auxAbs, 5);
  std::printf("    /* mainSample */ {\n");
  for (int n = 0; n < runref::kSamples; ++n) row("", r.mainSample[n], 5);
  std::printf("    },\n    /* auxSample */ {\n");
  for (int n = 0; n < runref::kSamples; ++n) row("", r.auxSample[n], 5);
  std::printf("    }};\n");
}

// Prints the values of run_reference_data.h (see there for when to do so).
TEST(RunReference, DISABLED_PrintReference) {
  Session s;
  SilentRunStages stages;
  runCalculation(*s.m, s.ws, stages);
  print("kDefaultLayout", summarise(*s.m));
  print("kPreset3", runPreset(3));
}

} // namespace

// ------------------------------------------------------- the run's clock

TEST(RunClock, EveryEndOfTheCalculationRecordsItsEndTick) {
  // A stopped run and a diverged run end their clock when the calculation
  // ends, so a later elapsed-time text refers to them.
  struct {
    const char* route;
    std::function<void(Model&)> interrupt;
  } routes[] = {
      {"stopped",
       [](Model& m) {
         if (m.run.stepsDone == 15) requestStop(m.run);
       }},
      {"diverged",
       [](Model& m) {
         if (m.run.stepsDone == 4)
           m.solution.mainFlow[70][30][slot::u] = std::numeric_limits<double>::quiet_NaN();
       }},
  };
  for (const auto& r : routes) {
    Session s;
    s.m->run.runEndTick = 7; // left from some earlier run
    std::uint32_t lastTickOfTheRun = 0;
    s.ws.onProcess = [&] {
      r.interrupt(*s.m);
      lastTickOfTheRun = s.ws.tick;
    };
    startRun(*s.m, s.ws, s.stages);
    EXPECT_TRUE(s.m->run.stopFlag) << r.route;
    EXPECT_GE(s.m->run.runEndTick, lastTickOfTheRun) << r.route;
    EXPECT_LT(elapsedTicks(s.m->run.runEndTick, s.m->run.runStartTick), 100000u) << r.route;
  }
}
