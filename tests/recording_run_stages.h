// A RunStages that records every call with the step it came in, for tests
// and benchmarks of the run without a window, and hands the plots on to
// another RunStages when one is given (the headless plots of the drawing
// layer).  Its playParticles keeps what the particle traces promise the run
// driver: the window goes back to its editing mode, stepsDone is restored,
// and a run that went through all its steps (stopFlag clear, stepsDone =
// stepCount - 1) gets its end tick.
#pragma once

#include "core/model.h"
#include "core/run_observer.h"
#include "run/run_stages.h"

#include <string>
#include <vector>

class RecordingRunStages : public RunStages {
public:
  struct Call {
    std::string what; // "mode", "vectors", "pressure", "vorticity", "particles"
    int arg;          // mode or speed, 0 for the plots
    int step;         // stepsDone + 1 when called: the step of a plot
  };

  RecordingRunStages(Model& m, RunObserver& observer, RunStages* plots = nullptr)
      : m_(m), observer_(observer), plots_(plots) {}

  std::vector<Call> calls;

  void setControlMode(int mode) override { record("mode", mode); }
  void plotVectors() override {
    record("vectors", 0);
    if (plots_) plots_->plotVectors();
  }
  void plotPressure() override {
    record("pressure", 0);
    if (plots_) plots_->plotPressure();
  }
  void plotVorticity() override {
    record("vorticity", 0);
    if (plots_) plots_->plotVorticity();
  }
  // The window's requests arrive at the observer's checkpoint: a test's hook
  // on it acts at the start of a step.
  void takeRequests() override { observer_.checkpoint(); }
  void playParticles(int speed) override {
    record("particles", speed);
    const int saved = m_.run.stepsDone;
    if (!m_.run.stopFlag && m_.run.stepsDone == m_.run.stepCount - 1)
      m_.run.runEndTick = observer_.tickCount();
    setControlMode(1);
    m_.run.stepsDone = saved;
  }

  // The steps of the plots of one kind, in order.
  std::vector<int> plotSteps(const std::string& what) const {
    std::vector<int> out;
    for (const auto& c : calls)
      if (c.what == what) out.push_back(c.step);
    return out;
  }

private:
  void record(const char* what, int arg) { calls.push_back({what, arg, m_.run.stepsDone + 1}); }
  Model& m_;
  RunObserver& observer_;
  RunStages* plots_;
};

// A RunStages that does nothing: the flow of a run does not depend on its
// plots (they only use the display slot omega and, briefly, dt of the outer
// rows, which the solver overwrites or never reads).
class SilentRunStages : public RunStages {
public:
  void setControlMode(int) override {}
  void plotVectors() override {}
  void plotPressure() override {}
  void plotVorticity() override {}
  void playParticles(int) override {}
};
