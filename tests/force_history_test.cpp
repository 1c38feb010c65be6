// The statistics of a force history, on histories whose answers are known:
// a sine of known period, mean and amplitude after a transient; a decay with
// no cycle; and the settle rule on a drag that drifts and one that does not.
#include "analysis/force_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

// One body of size 16 whose Cd and Cl after step s (1-based) are given, at
// flow time s·dt.
std::unique_ptr<Model> history(int steps, const std::function<ForceSample(int)>& at,
                               double dt = 0) {
  auto m = makeModel();
  m->grids.nBodies = 1;
  m->grids.bodySize[1] = 16;
  m->constants.uInf = 0.05;
  m->constants.timeAccurate = dt > 0;
  for (int s = 1; s <= steps; ++s) {
    m->solution.forceHistory.push_back(at(s));
    m->solution.forceTimes.push_back(s * dt);
  }
  return m;
}

constexpr double kTwoPi = 2 * std::numbers::pi;

} // namespace

TEST(ForceHistory, ASheddingLiftGivesItsPeriodMeanAmplitudeAndStrouhalNumber) {
  // A transient of large swings first: the statistics must see the last
  // half's cycles only.
  const auto m = history(
      1000,
      [](int s) {
        const double swing = s < 300 ? 5.0 : 0.3;
        return ForceSample{2 + 0.05 * std::cos(2 * kTwoPi * s / 47.5),
                           0.1 + swing * std::sin(kTwoPi * s / 47.5)};
      },
      0.01);
  const CycleStatistics s = cycleStatistics(m->constants, m->grids, m->solution, 1, 300);
  ASSERT_TRUE(s.period.has_value()) << "the lift oscillates";
  EXPECT_NEAR(*s.period, 47.5, 0.01);
  EXPECT_NEAR(s.clMean, 0.1, 0.003);
  EXPECT_NEAR(s.clAmplitude, 0.3, 0.002);
  EXPECT_NEAR(s.cdMean, 2.0, 0.002);
  EXPECT_GE(s.firstStep, 500);
  ASSERT_TRUE(s.strouhal.has_value());
  EXPECT_NEAR(*s.strouhal, 1.0 / (0.05 * 0.475), 1e-3 * *s.strouhal); // D = 1
}

TEST(ForceHistory, ALiftThatDecaysOrWobblesByRoundOffHasNoPeriod) {
  const std::function<ForceSample(int)> cases[] = {
      [](int s) {
        return ForceSample{1 + std::exp(-s / 100.0), std::exp(-s / 50.0)};
      },
      [](int s) {
        return ForceSample{1, 1e-3 + (s % 2) * 1e-18};
      },
  };
  for (const auto& at : cases) {
    const auto m = history(600, at);
    const CycleStatistics s = cycleStatistics(m->constants, m->grids, m->solution, 1, 100);
    EXPECT_FALSE(s.period.has_value());
    EXPECT_EQ(s.firstStep, 501);
    EXPECT_EQ(s.lastStep, 600);
    EXPECT_NEAR(s.cdMean, 1.0, 0.01);
  }
}

TEST(ForceHistory, TheMeanDragSettlesWhenTwoWindowsAgreeWithinTheTolerance) {
  const RunLength rule{1000, true, 0.01, 100};
  struct Case {
    const char* name;
    int steps;
    std::function<ForceSample(int)> at;
    bool settled;
  };
  const Case cases[] = {
      {"fewer than two windows", 199,
       [](int) {
         return ForceSample{3, 0};
       },
       false},
      {"steady", 200,
       [](int) {
         return ForceSample{3, 0};
       },
       true},
      // 0.2 % per step: 20 % between the windows' means.
      {"drifting", 400,
       [](int s) {
         return ForceSample{3 + 0.006 * s, 0};
       },
       false},
      // A small drag: the change counts against 1, not against 0.05.
      {"small drag", 200,
       [](int s) {
         return ForceSample{0.05 + (s > 100 ? 0.005 : 0), 0};
       },
       true},
      // Oscillating about a fixed mean, whole cycles in each window.
      {"oscillating", 400,
       [](int s) {
         return ForceSample{3 + std::sin(kTwoPi * s / 50), 0};
       },
       true},
  };
  for (const Case& c : cases) {
    const auto m = history(c.steps, c.at);
    EXPECT_EQ(meanDragSettled(m->grids, m->solution, rule), c.settled) << c.name;
  }
}
