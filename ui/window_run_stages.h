// The run's window stages for the desktop program: the control modes, the
// plots drawn during a run and the particle traces after it, all on the main
// window.
#pragma once

#include "run/run_stages.h"

class MainWindow;

class WindowRunStages : public RunStages {
public:
  explicit WindowRunStages(MainWindow& window) : window_(window) {}
  void setControlMode(int mode) override;
  void plotVectors() override;
  void plotPressure() override;
  void plotVorticity() override;
  void playParticles(int speed) override;

private:
  MainWindow& window_;
};
