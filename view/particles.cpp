#include "view/particles.h"

#include "core/time_text.h"
#include "view/outline.h"
#include "view/transform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
// Status texts of the traces; the second is followed by the elapsed time.
const Message tracingTitle{{"　パーティクル軌跡描画"}, {"  Particle traces"}};
const Message elapsed{{"　所要計算時間　＝", ""}, {"  Computing time:", ""}};
} // namespace

int particleCount(const Grids& grids) {
  return std::min(kParticleCapacity, 4 * (grids.mainNy - 2));
}

int tracePointCount(int speed) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<int>(std::nearbyint(1800 / (speed * 0.2 + 0.8)));
}

double traceDisplacementFactor(const SolverConstants& constants, const ViewState& view, int speed) {
  return std::sqrt(1.4) * 0.06 * 1.3 * view.viewScale / constants.uInfTrace * speed;
}

void traceParticles(const Grids& grids, const GridPixels& pixels, const FlowSolution& solution,
                    ViewState& view, ProgressObserver& progress, int pointCount, double factor) {
  const int n = particleCount(grids);
  progress.setProgressRange(1, n);
  int seedI = roundHalfAway(std::min(grids.mainNy / 2.0, 40.0));
  int seedJ = 1;
  // The displacement of the nearest point; kept when a search finds no point
  // nearer than its starting distance (zero before the first find).
  double du = 0, dv = 0;
  for (int k = 1; k <= n; ++k) {
    progress.checkpoint();
    seedJ = seedJ + 1;
    if (seedJ == grids.mainNy) {
      seedJ = 2;
      seedI = seedI + 2;
    }
    progress.setProgressPosition(k);
    view.traceX[k][1] = pixels.main[seedI][seedJ].x;
    view.traceY[k][1] = pixels.main[seedI][seedJ].y;
    int a = std::max(seedI - 2, 2);
    int b = std::max(seedJ - 5, 2);
    for (int t = 1; t <= pointCount - 1; ++t) {
      const double x = view.traceX[k][t];
      const double y = view.traceY[k][t];
      // The window of this search is fixed when it starts; a better point
      // moves the window of the next one.
      const int iLast = std::min(a + 11, grids.mainNx);
      const int jLast = std::min(b + 6, grids.mainNy - 1);
      const int iFirst = a, jFirst = b;
      double best = 100000;
      for (int i = iFirst; i <= iLast; ++i)
        for (int j = jFirst; j <= jLast; ++j) {
          const double ex = x - pixels.main[i][j].x;
          const double ey = y - pixels.main[i][j].y;
          const double d2 = ex * ex + ey * ey;
          if (d2 < best) {
            best = d2;
            du = solution.mainFlow[i][j][slot::u] * factor;
            dv = solution.mainFlow[i][j][slot::v] * factor;
            a = std::max(2, i - 1);
            b = std::max(2, j - 3);
          }
        }
      // A non-finite velocity (a diverged run) must not carry a particle to
      // a position that cannot be drawn: such a particle rests.
      if (!std::isfinite(du) || !std::isfinite(dv)) du = dv = 0;
      view.traceX[k][t + 1] = x + du;
      view.traceY[k][t + 1] = y - dv;
      view.traceMoving[k][t] = du * du + dv * dv >= 0.01 * 0.01;
    }
  }
}

int frameIntervalMs(int frameRepeats) {
  // 1000/60, 1000/30, 1000/15, 1000/8 and 1000/4 ms, rounded.
  static constexpr int kIntervalMs[5] = {17, 33, 67, 125, 250};
  return kIntervalMs[std::clamp(frameRepeats, 1, 5) - 1];
}

void showTraceBackground(const LayoutParameters& layout, const Grids& grids,
                         const GridPixels& pixels, ViewSurfaces& s) {
  s.bitmap.setPen(kBlack);
  s.bitmap.setBrush(kBlack);
  s.bitmap.fill();
  drawWholeLayoutPicture(layout, grids, pixels, s.bitmap);
  s.copyBitmapToWindow();
}

namespace {
// The points of the stored traces; none before the first tracing.
int storedPointCount(const ViewState& view) {
  return view.particleState == 2
             ? std::min(tracePointCount(view.lastTraceSpeed), kTracePointCapacity)
             : 0;
}
} // namespace

int tracePassFrames(const Grids& grids, const GridPixels& pixels, const ViewState& view,
                    int pointCount, int particles) {
  // The channel on screen: the main grid's rectangle, in pixels (y grows
  // downwards, so the corners are ordered here).
  const PixelPosition& first = pixels.main[1][1];
  const PixelPosition& last = pixels.main[grids.mainNx][grids.mainNy];
  const double left = std::min(first.x, last.x);
  const double right = std::max(first.x, last.x);
  const double top = std::min(first.y, last.y);
  const double bottom = std::max(first.y, last.y);
  // Frame t shows the cross of point t + 1, white only for a particle that
  // moved; a particle that rests once rests for good (its nearest point and
  // velocity stay the same), so the last frame with a white cross inside the
  // channel is the last one worth showing.
  for (int t = pointCount - 1; t >= 1; --t)
    for (int k = 1; k <= particles; ++k) {
      const double x = view.traceX[k][t + 1], y = view.traceY[k][t + 1];
      if (view.traceMoving[k][t] && x >= left && x <= right && y >= top && y <= bottom) return t;
    }
  // Nothing moves in the channel: one frame, so that the passes stay paced
  // by the frame clock.
  return std::min(1, pointCount - 1);
}

void shiftTraces(const Grids& grids, ViewState& view, double dx, double dy) {
  const int n = particleCount(grids), points = storedPointCount(view);
  for (int k = 1; k <= n; ++k)
    for (int t = 1; t <= points; ++t) {
      view.traceX[k][t] = view.traceX[k][t] + dx;
      view.traceY[k][t] = view.traceY[k][t] + dy;
    }
}

void showLastTraceFrame(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, const ViewState& view, ViewSurfaces& s) {
  showTraceBackground(layout, grids, pixels, s);
  const int n = particleCount(grids), stored = storedPointCount(view);
  const int last = stored >= 2 ? tracePassFrames(grids, pixels, view, stored, n) + 1 : stored;
  s.window.setPen(kWhite);
  for (int k = 1; k <= n && last >= 2; ++k)
    if (view.traceMoving[k][last - 1])
      drawCrossOnWindow(s.window, roundHalfAway(view.traceX[k][last]),
                        roundHalfAway(view.traceY[k][last]), 1);
}

namespace {

// Serves the window until the tick `due` has come (or the stop button has
// been pressed), sleeping between events.
void waitUntil(const RunState& run, RunObserver& observer, ParticleWindow& win, std::uint32_t due) {
  for (;;) {
    // The difference modulo 2^32 as a signed number: right across a wrap of
    // the tick counter.
    const auto ahead = static_cast<std::int32_t>(due - observer.tickCount());
    if (ahead <= 0 || run.stopFlag) return;
    win.waitForEvents(ahead);
  }
}

// One pass of the animation over the stored traces, frame t showing every
// particle's move from point t to point t + 1.  Returns false when the stop
// button ended it.
bool animationPass(const AnimationState& m, ViewSurfaces& s, RunObserver& observer,
                   ParticleWindow& win, int pointCount, int particles) {
  observer.setProgressRange(1, pointCount);
  win.setProgressVisible(false);
  showTraceBackground(m.layout, m.grids, m.pixels, s);
  DrawingSurface& window = s.window;
  // Frame t is drawn at `due`; the window shows it at the next processing of
  // events, at the start of frame t + 1.
  std::uint32_t due = observer.tickCount();
  const int frames = tracePassFrames(m.grids, m.pixels, m.view, pointCount, particles);
  for (int t = 1; t <= frames; ++t) {
    const int interval = frameIntervalMs(win.frameRepeats());
    observer.checkpoint();
    waitUntil(m.run, observer, win, due);
    if (m.run.stopFlag) return false;
    // A frame that comes late (a slow machine, a busy window) starts the
    // clock again rather than hurrying the next ones.
    const std::uint32_t now = observer.tickCount();
    due = static_cast<std::int32_t>(now - due) > interval ? now + interval : due + interval;
    for (int k = 1; k <= particles; ++k) {
      // Erase the cross of the previous frame, then draw the new one; a
      // particle at rest stays black and so vanishes.
      window.setPen(kBlack);
      drawCrossOnWindow(window, roundHalfAway(m.view.traceX[k][t]),
                        roundHalfAway(m.view.traceY[k][t]), 1);
      if (m.view.traceMoving[k][t]) window.setPen(kWhite);
      drawCrossOnWindow(window, roundHalfAway(m.view.traceX[k][t + 1]),
                        roundHalfAway(m.view.traceY[k][t + 1]), 1);
    }
    if (t % 100 == 0) drawBodiesOnWindow(m.layout, m.grids, m.pixels, window);
  }
  return true;
}

} // namespace

void animateParticles(const AnimationState& m, ViewSurfaces& s, RunObserver& observer,
                      ParticleWindow& win, int speed) {
  if (std::abs(speed - m.view.lastTraceSpeed) >= 2) m.view.particleState = 1;
  m.view.lastTraceSpeed = speed;
  const int stepsOnEntry = m.run.stepsDone;
  const double factor = traceDisplacementFactor(m.constants, m.view, speed);

  if (!m.run.stopFlag) {
    observer.setCheckBoxVisible(1, false);
    observer.setCheckBoxVisible(2, false);
    showTraceBackground(m.layout, m.grids, m.pixels, s);
    win.setControlMode(3);
    m.run.stopFlag = false;

    const int pointCount = tracePointCount(speed);
    if (m.view.particleState != 2) {
      m.view.particleState = 1;
      traceParticles(m.grids, m.pixels, m.solution, m.view, observer, pointCount, factor);
      // A run that has just gone through all its steps ends its clock here.
      if (m.run.stepsDone == m.run.stepCount - 1) m.run.runEndTick = observer.tickCount();
      const Language language = observer.language();
      observer.setStatusText(0, tracingTitle(language));
      observer.setStatusText(1,
                             elapsed(language, {calculationTimeText(language, m.run, m.solution)}));
      m.view.particleState = 2;
    }
    const int particles = particleCount(m.grids);
    while (animationPass(m, s, observer, win, pointCount, particles) && win.isMainWindowActive()) {
    }
  }
  win.setControlMode(1);
  m.run.stepsDone = stepsOnEntry;
}
