// The run's window stages for a run without a window: the same plot routines
// as the desktop program, drawing into an off-screen pair of surfaces, so that
// a headless run leaves the model in the same state (the maps set and clear
// dt on the outermost rows and columns, the vorticity map fills omega, which
// the speed range reads).  There are no control modes and no particle traces.
#pragma once

#include "core/model.h"
#include "core/run_observer.h"
#include "run/run_stages.h"
#include "view/surfaces.h"

class HeadlessStages : public RunStages {
public:
  HeadlessStages(Model& m, ViewSurfaces& surfaces, RunObserver& observer)
      : m_(m), surfaces_(surfaces), observer_(observer) {}

  void setControlMode(int) override {}
  // findSpeedRange (factor 0.9), drawVelocityVectors(1), the
  // bitmap copied to the window; each plot's caption (its title, for a map the check boxes) goes to
  // the observer.
  void plotVectors() override;
  // drawPressureMap (which copies the bitmap itself), the bitmap copied again.
  void plotPressure() override;
  // drawVorticityMap.
  void plotVorticity() override;
  // No traces: stepsDone stays as it is.
  void playParticles(int) override {}

private:
  Model& m_;
  ViewSurfaces& surfaces_;
  RunObserver& observer_;
};
