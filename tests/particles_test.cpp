#include "view/particles.h"

#include "fake_window_services.h"
#include "view/transform.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// The main window as the animation sees it: records the control modes; its
// rests, progress bar and activity are the recording services'.
class FakeParticleWindow : public ParticleWindow {
public:
  explicit FakeParticleWindow(FakeWindowServices& ws) : ws_(ws) {}
  std::vector<int> modes;
  int repeats = 3;
  int repeatReads = 0;
  void setControlMode(int mode) override { modes.push_back(mode); }
  int frameRepeats() override {
    ++repeatReads;
    return repeats;
  }
  void setProgressVisible(bool visible) override { ws_.setProgressVisible(visible); }
  void waitForEvents(int milliseconds) override { ws_.waitForEvents(milliseconds); }
  bool isMainWindowActive() override { return ws_.isMainWindowActive(); }

private:
  FakeWindowServices& ws_;
};

// A synthetic channel of 60 x 30 points mapped to pixels, with a uniform
// stream u along x at every point.  The default stream is slow enough that no
// particle leaves the channel within a pass at any speed.
struct TraceCase {
  std::unique_ptr<Model> m = syntheticModel({60, 30, 40, 5.0});
  ViewSurfaces s;
  FakeWindowServices ws;
  FakeParticleWindow win{ws};

  explicit TraceCase(double u = 0.004, double v = 0) {
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
    m->constants.uInfTrace = 0.05 * std::sqrt(1.4);
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j) {
        m->solution.mainFlow[i][j][slot::u] = u;
        m->solution.mainFlow[i][j][slot::v] = v;
      }
    m->run.stepCount = 300;
    m->run.stepsDone = 150;
    ws.mainWindowActive = false; // one animation pass, then the end
  }
};

} // namespace

TEST(ParticleTraces, CountsOfParticlesPointsAndFactor) {
  auto m = makeModel();
  struct {
    int ny, particles;
  } counts[] = {{30, 112}, {81, 316}, {82, 320}, {200, 320}};
  for (auto c : counts) {
    m->grids.mainNy = c.ny;
    EXPECT_EQ(particleCount(m->grids), c.particles) << "mainNy " << c.ny;
  }
  EXPECT_EQ(tracePointCount(1), 1800);
  EXPECT_EQ(tracePointCount(3), 1286);
  EXPECT_EQ(tracePointCount(6), 900);
  m->view.viewScale = 2.95;
  m->constants.uInfTrace = 0.05 * std::sqrt(1.4);
  for (int speed : {1, 3, 6})
    EXPECT_NEAR(traceDisplacementFactor(m->constants, m->view, speed), 1.56 * speed * 2.95, 1e-12);
}

TEST(ParticleTraces, UniformStreamCarriesEveryParticleAlongX) {
  TraceCase c(0.02, 0.01);
  Model& m = *c.m;
  const int T = 50;
  const double f = traceDisplacementFactor(m.constants, m.view, 3);
  traceParticles(m.grids, m.pixels, m.solution, m.view, c.ws, T, f);
  const int n = particleCount(m.grids);
  ASSERT_EQ(n, 112);
  EXPECT_EQ(c.ws.processCount, n) << "one yield per particle";
  EXPECT_EQ(c.ws.progressMax, n);
  EXPECT_EQ(c.ws.progressPos, n);
  // Seeds: column roundHalfAway(min(30/2, 40)) = 15, rows 2..29, then the column two
  // to the right.
  EXPECT_EQ(m.view.traceX[1][1], m.pixels.main[15][2].x);
  EXPECT_EQ(m.view.traceY[1][1], m.pixels.main[15][2].y);
  EXPECT_EQ(m.view.traceY[28][1], m.pixels.main[15][29].y);
  EXPECT_EQ(m.view.traceX[29][1], m.pixels.main[17][2].x);
  EXPECT_EQ(m.view.traceX[112][1], m.pixels.main[21][29].x);
  for (int k : {1, 40, 112})
    for (int t = 1; t < T; ++t) {
      EXPECT_NEAR(m.view.traceX[k][t + 1] - m.view.traceX[k][t], 0.02 * f, 1e-9);
      EXPECT_NEAR(m.view.traceY[k][t + 1] - m.view.traceY[k][t], -0.01 * f, 1e-9)
          << "y pixels grow down";
      EXPECT_TRUE(m.view.traceMoving[k][t]);
    }
}

TEST(ParticleTraces, ResolvesTheNearestPointsVelocity) {
  // A shear u = j / 1000: a particle keeps the speed of its own row.
  TraceCase c;
  Model& m = *c.m;
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) m.solution.mainFlow[i][j][slot::u] = j / 1000.0;
  const double f = traceDisplacementFactor(m.constants, m.view, 1);
  traceParticles(m.grids, m.pixels, m.solution, m.view, c.ws, 40, f);
  for (int k : {1, 10, 28}) {
    const int row = k + 1;
    EXPECT_NEAR(m.view.traceX[k][40] - m.view.traceX[k][1], 39 * row / 1000.0 * f, 1e-9)
        << "particle " << k;
  }
}

TEST(ParticleTraces, AParticleMovingAHundredthOfAPixelPerFrameOrMoreIsMoving) {
  // With the factor 1 a particle moves its velocity in pixels every frame.
  const struct {
    double u, v;
    bool moving;
  } cases[] = {
      {0.0099, 0, false}, {0.01, 0, true}, {0.05, 0, true}, {0.1, 0, true}, {0, 0.05, true}};
  for (const auto& c : cases) {
    TraceCase t(c.u, c.v);
    traceParticles(t.m->grids, t.m->pixels, t.m->solution, t.m->view, t.ws, 10, 1.0);
    for (int k = 1; k < 10; ++k)
      ASSERT_EQ(t.m->view.traceMoving[5][k], c.moving)
          << "u " << c.u << " v " << c.v << " frame " << k;
  }
}

TEST(ParticleTraces, ParticlesAtRestAndNonFiniteVelocitiesStayPut) {
  for (double u : {0.0, 1e-9, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    TraceCase c(u, 0);
    Model& m = *c.m;
    traceParticles(m.grids, m.pixels, m.solution, m.view, c.ws, 20,
                   traceDisplacementFactor(m.constants, m.view, 6));
    for (int t = 1; t < 20; ++t) {
      EXPECT_FALSE(m.view.traceMoving[5][t]) << "u " << u;
      EXPECT_TRUE(std::isfinite(m.view.traceX[5][t + 1])) << "u " << u;
    }
    if (u != 1e-9) {
      EXPECT_EQ(m.view.traceX[5][20], m.view.traceX[5][1]) << "u " << u;
    }
  }
}

TEST(ParticleAnimation, StopSetOnEntryOnlyReturnsToEditing) {
  TraceCase c;
  c.m->run.stopFlag = true;
  c.m->view.particleState = 1;
  animateParticles(*c.m, c.s, c.ws, c.win, 3);
  EXPECT_EQ(c.win.modes, std::vector<int>{1});
  EXPECT_EQ(c.m->view.particleState, 1) << "nothing traced";
  EXPECT_EQ(c.m->run.stepsDone, 150);
  EXPECT_EQ(c.ws.processCount, 0);
}

TEST(ParticleAnimation, OnePassWhenTheWindowIsNotActive) {
  TraceCase c;
  Model& m = *c.m;
  m.run.stepsDone = 299; // a run that has just gone through its 300 steps
  m.run.runStartTick = 1000;
  c.ws.tick = 6123;
  animateParticles(m, c.s, c.ws, c.win, 3);
  EXPECT_EQ(c.win.modes, (std::vector<int>{3, 1}));
  EXPECT_EQ(m.run.stepsDone, 299) << "restored";
  EXPECT_EQ(m.view.particleState, 2);
  EXPECT_EQ(m.view.lastTraceSpeed, 3);
  EXPECT_EQ(m.run.runEndTick, 6123u);
  EXPECT_EQ(c.ws.statusPanel[0], "　パーティクル軌跡描画");
  EXPECT_EQ(c.ws.statusPanel[1], "　所要計算時間　＝ 05 秒 123");
  EXPECT_FALSE(c.ws.checkBoxVisible[1]);
  EXPECT_FALSE(c.ws.progressVisible);
  const int n = 112, frames = 1286 - 1;
  EXPECT_EQ(c.ws.processCount, n + frames);
  EXPECT_EQ(c.win.repeatReads, frames) << "the speed is read every frame";
  // The last frame leaves a white cross at every moving particle's last
  // point, on the black window surface.
  const int x = roundHalfAway(m.view.traceX[7][1286]), y = roundHalfAway(m.view.traceY[7][1286]);
  if (x > 1 && y > 1 && x < c.s.window.width() - 1 && y < c.s.window.height() - 1) {
    EXPECT_EQ(c.s.window.pixel(x, y), kWhite);
  }
  EXPECT_EQ(c.s.window.pixel(c.s.window.width() - 3, 3), kBlack);
}

TEST(ParticleAnimation, APassEndsWhenTheLastParticleHasLeftTheChannel) {
  // A uniform stream moves every particle dx pixels per point; the last to
  // leave is seeded in the most upstream column (15), and the pass ends with
  // the frame that still shows it inside the channel.
  TraceCase c(0.02);
  Model& m = *c.m;
  animateParticles(m, c.s, c.ws, c.win, 3);
  const double dx = 0.02 * traceDisplacementFactor(m.constants, m.view, 3);
  const int lastInside = static_cast<int>(
      std::floor((m.pixels.main[m.grids.mainNx][1].x - m.pixels.main[15][1].x) / dx));
  ASSERT_LT(lastInside, 1285) << "the stream should carry every particle out";
  EXPECT_NEAR(c.ws.waitCount + 1, lastInside, 1) << "frames in the pass";
  // The last frame drawn again shows the particles where the pass ended.
  showLastTraceFrame(m.layout, m.grids, m.pixels, m.view, c.s);
  const int k = 1; // seeded at (15, 2)
  EXPECT_EQ(c.s.window.pixel(roundHalfAway(m.view.traceX[k][c.ws.waitCount + 2]),
                             roundHalfAway(m.view.traceY[k][c.ws.waitCount + 2])),
            kWhite);
}

TEST(ParticleAnimation, RunEndTickOnlyForARunJustCompleted) {
  TraceCase c;
  c.m->run.stepsDone = 150;
  c.m->run.runEndTick = 77;
  c.ws.tick = 5000;
  animateParticles(*c.m, c.s, c.ws, c.win, 6);
  EXPECT_EQ(c.m->run.runEndTick, 77u);
}

TEST(ParticleAnimation, TracesAreReusedUntilTheSpeedChangesByTwo) {
  TraceCase c;
  Model& m = *c.m;
  animateParticles(m, c.s, c.ws, c.win, 1);
  const int afterFirst = c.ws.processCount;
  EXPECT_EQ(afterFirst, 112 + 1799);
  animateParticles(m, c.s, c.ws, c.win, 1); // replay: no tracing
  EXPECT_EQ(c.ws.processCount - afterFirst, 1799);
  const int afterSecond = c.ws.processCount;
  animateParticles(m, c.s, c.ws, c.win, 3); // 1 -> 3: traced again
  EXPECT_EQ(c.ws.processCount - afterSecond, 112 + 1285);
  // A change of view (placeLayoutOnBitmap) asks for new traces too.
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, c.s.bitmap);
  const int afterThird = c.ws.processCount;
  animateParticles(m, c.s, c.ws, c.win, 3);
  EXPECT_EQ(c.ws.processCount - afterThird, 112 + 1285);
}

TEST(ParticleAnimation, StopButtonEndsTheAnimationAtTheNextFrame) {
  TraceCase c;
  Model& m = *c.m;
  c.ws.mainWindowActive = true; // would repeat for ever without the stop
  int frames = 0;
  c.ws.onProcess = [&] {
    if (m.view.particleState == 2 && ++frames == 500) m.run.stopFlag = true;
  };
  animateParticles(m, c.s, c.ws, c.win, 3);
  EXPECT_EQ(frames, 500);
  EXPECT_EQ(c.win.modes, (std::vector<int>{3, 1}));
  EXPECT_EQ(m.run.stepsDone, 150);
}

TEST(ParticleAnimation, RepeatsWhileTheWindowStaysActive) {
  TraceCase c;
  Model& m = *c.m;
  c.ws.mainWindowActive = true;
  int frames = 0;
  c.ws.onProcess = [&] {
    // Deactivated in the middle of the second pass: the pass still ends.
    if (m.view.particleState == 2 && ++frames == 899 + 400) c.ws.mainWindowActive = false;
  };
  animateParticles(m, c.s, c.ws, c.win, 6);
  EXPECT_EQ(frames, 2 * 899);
}

TEST(ParticleAnimation, FramesArePacedByTheClockOfTheSpeedStep) {
  // Each step of the speed bar gives its own frame interval; a pass of T
  // points shows T - 1 frames, the first at once, each later one an interval
  // after the one before, waited for rather than drawn again.
  const int expectedMs[] = {17, 33, 67, 125, 250};
  for (int step = 1; step <= 5; ++step) {
    TraceCase c;
    c.win.repeats = step;
    animateParticles(*c.m, c.s, c.ws, c.win, 6); // traced, then one pass of 900 points
    const std::uint32_t passStart = 0;           // the fake clock stood still until the pass
    EXPECT_EQ(frameIntervalMs(step), expectedMs[step - 1]);
    EXPECT_EQ(c.ws.tick - passStart, static_cast<std::uint32_t>(898 * expectedMs[step - 1]))
        << "step " << step;
    EXPECT_EQ(c.ws.waitCount, 898) << "one wait between two frames";
  }
  EXPECT_EQ(frameIntervalMs(0), 17) << "out-of-range steps take the nearest end";
  EXPECT_EQ(frameIntervalMs(9), 250);
}

TEST(ParticleAnimation, ALateFrameStartsTheClockAgain) {
  // A clock that jumps 1000 ms at every reading: every frame is late, none
  // waits, and the animation still ends its pass.
  TraceCase c;
  c.ws.tickStep = 1000;
  animateParticles(*c.m, c.s, c.ws, c.win, 6);
  EXPECT_EQ(c.ws.waitCount, 0);
  EXPECT_EQ(c.win.modes, (std::vector<int>{3, 1}));
}

TEST(ParticleAnimation, ShiftedTracesShowTheirLastFrameAtTheNewPlace) {
  TraceCase c;
  Model& m = *c.m;
  animateParticles(m, c.s, c.ws, c.win, 6);
  ASSERT_EQ(m.view.particleState, 2);
  const double x = m.view.traceX[7][900], y = m.view.traceY[7][900];
  shiftTraces(m.grids, m.view, 10, -4);
  EXPECT_EQ(m.view.traceX[7][900], x + 10);
  EXPECT_EQ(m.view.traceY[7][900], y - 4);
  c.s.window.setBrush(kBlue);
  c.s.window.fill();
  showLastTraceFrame(m.layout, m.grids, m.pixels, m.view, c.s);
  ASSERT_TRUE(m.view.traceMoving[7][899]);
  EXPECT_EQ(
      c.s.window.pixel(roundHalfAway(m.view.traceX[7][900]), roundHalfAway(m.view.traceY[7][900])),
      kWhite);
  EXPECT_EQ(c.s.window.pixel(c.s.window.width() - 3, 3), kBlack) << "over the black background";
}
