#include "ui/window_run_stages.h"

#include "ui/main_window.h"

void WindowRunStages::palevisi(int mode) {
  window_.palevisi(mode);
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
void WindowRunStages::makeParti(int speed) {
  window_.makeParti(speed);
}
