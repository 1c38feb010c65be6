// The run's window stages for a run without a window: the same plot routines
// as the desktop program, drawing into an off-screen pair of surfaces, so that
// a headless run leaves the model in the same state (the maps set and clear
// dt on the outermost rows and columns, the vorticity map fills omega, which
// the speed range reads).  There are no control modes and no particle traces.
#pragma once

#include "core/model.h"
#include "core/window_services.h"
#include "run/run_stages.h"
#include "view/surfaces.h"

class HeadlessStages : public RunStages {
public:
  HeadlessStages(Model& m, ViewSurfaces& surfaces, WindowServices& ws)
      : m_(m), surfaces_(surfaces), ws_(ws) {}

  void setControlMode(int) override {}
  // findSpeedRange(0.9), drawVelocityVectors(1), the bitmap copied to the window.
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
  WindowServices& ws_;
};
