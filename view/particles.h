// Particle traces (animateParticles): marker particles drift with the frozen final
// velocity field of a run.  Every position is traced once and stored, then the
// stored traces are replayed on the window surface as white crosses over the
// black channel with red bodies, pass after pass while the main window stays
// active.
#pragma once

#include "core/model.h"
#include "core/run_observer.h"
#include "view/surfaces.h"

// What the animation needs of the main window besides what it hands over as
// a run does (RunObserver): the control modes, the pace, the rest between
// frames and whether to go on.
class ParticleWindow {
public:
  virtual ~ParticleWindow() = default;
  // Control mode: 1 editing, 2 calculating, 3 particles.
  virtual void setControlMode(int mode) = 0;
  // The speed step, 1 (fastest) to 5 (slowest): the speed scroll bar's
  // maximum minus its position plus one.  Read every frame.
  virtual int frameRepeats() = 0;
  // The progress bar shown or hidden (the passes hide it).
  virtual void setProgressVisible(bool visible) = 0;
  // Rests about `milliseconds`, or less when a stop or a request of the
  // user's arrives; the stop is in stopFlag when it returns.
  virtual void waitForEvents(int milliseconds) = 0;
  // Whether the main window is the active window: the animation ends at the
  // end of a pass when it is not.
  virtual bool isMainWindowActive() = 0;
};

// The time between two animation frames for a speed step, in milliseconds:
// about 60, 30, 15, 8 and 4 frames a second for steps 1 to 5.  Steps outside
// 1..5 take the nearest end.
int frameIntervalMs(int frameRepeats);

// N = min(320, 4·(mainNy − 2)) particles, seeded on rows 2..mainNy − 1 of four
// main-grid columns two apart.
int particleCount(const Grids& grids);
// T = 1800 / (0.2·speed + 0.8) points per trace, rounded half to even
// (1800 at speed 1, 1286 at speed 3, 900 at speed 6).
int tracePointCount(int speed);
// Pixels moved per trace step per unit of velocity:
// f = √1.4 · 0.06 · 1.3 · viewScale / uInfTrace · speed, which with
// uInfTrace = 0.05·√1.4 is 1.56 · speed · viewScale.
double traceDisplacementFactor(const SolverConstants& constants, const ViewState& view, int speed);

// Traces N particles over T points through the velocity of the main grid into
// the view's traceX, traceY, traceMoving.  Each step moves a particle by f times the
// velocity of the nearest main-grid point (in pixels) within a small search
// window that follows the particle.  Passes a checkpoint once per particle
// and moves the progress bar.
void traceParticles(const Grids& grids, const GridPixels& pixels, const FlowSolution& solution,
                    ViewState& view, ProgressObserver& progress, int pointCount, double factor);

// The frames of one pass over traces of pointCount points: frame t moves
// every particle from point t to t + 1, and the pass ends with the last frame
// that shows a moving particle inside the channel (the main grid's rectangle
// on screen); at least one frame.
int tracePassFrames(const Grids& grids, const GridPixels& pixels, const ViewState& view,
                    int pointCount, int particles);

// The black picture the traces move over: the view bitmap black, every body
// red (drawWholeLayoutPicture), copied to the window.
void showTraceBackground(const LayoutParameters& layout, const Grids& grids,
                         const GridPixels& pixels, ViewSurfaces& s);
// Moves the stored traces (when ready) by (dx, dy) pixels: the view transform
// has moved the picture by that much.
void shiftTraces(const Grids& grids, ViewState& view, double dx, double dy);
// The last frame of a pass drawn again: the background and a white cross at
// the pass's last point of every particle still moving there.
void showLastTraceFrame(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, const ViewState& view, ViewSurfaces& s);

// What the animation reads and what it writes: the layout, the solver's
// constants, the grids, their pixels and the flow are only read; the view
// (the stored traces, their speed and state) and the run (its stop request,
// its count of steps done and its clock) are written.  Made from the model
// where the animation starts.
struct AnimationState {
  // Implicit, so that the animation is started with the model itself.
  AnimationState(Model& m) // NOLINT(google-explicit-constructor)
      : layout(m.layout), constants(m.constants), grids(m.grids), pixels(m.pixels),
        solution(m.solution), view(m.view), run(m.run) {}

  const LayoutParameters& layout;
  const SolverConstants& constants;
  const Grids& grids;
  const GridPixels& pixels;
  const FlowSolution& solution;
  ViewState& view;
  RunState& run;
};

// animateParticles: particle traces at speed 1, 3 or 6.  Traces are computed when
// they are not ready (particleState != 2, also after a change of speed by 2 or
// more), then replayed on the window surface pass after pass until the stop
// button is pressed or, at the end of a pass, the main window is no longer
// active.  Frames follow each other at frameIntervalMs of the speed step on
// the window's millisecond clock; between them the program waits for events.
// A pass ends once no particle moves inside the channel (tracePassFrames).  With stopFlag set on
// entry it only returns the window to its editing mode.  Always ends in the editing mode with
// stepsDone as on entry.  The status texts, the check boxes, the progress,
// the clock and a checkpoint per frame go through `observer`.
void animateParticles(const AnimationState& m, ViewSurfaces& s, RunObserver& observer,
                      ParticleWindow& win, int speed);
