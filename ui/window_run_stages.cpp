#include "ui/window_run_stages.h"

#include "ui/main_window.h"

void WindowRunStages::setControlMode(int mode) {
  window_.setControlMode(mode);
}
void WindowRunStages::plotVectors() {
  window_.plotVectors();
}
void WindowRunStages::plotPressure() {
  window_.plotPressure();
}
void WindowRunStages::plotVorticity() {
  window_.plotVorticity();
}
void WindowRunStages::playParticles(int speed) {
  window_.playParticles(speed);
}
