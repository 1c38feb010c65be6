// The stages of a run that belong to the window: the control mode switch,
// the plots drawn while the run proceeds, and the particle traces after it.
// The run driver calls them at fixed points of its sequence; the desktop
// program plugs in its window, a headless run plugs in the same plot routines
// drawing into an off-screen bitmap (the plots change model state too, so a
// run must see them either way), and tests plug in a recorder.
#pragma once

class RunStages {
public:
  virtual ~RunStages() = default;
  // Control mode of the main window: 1 editing, 2 calculating, 3 particles.
  virtual void setControlMode(int mode) = 0;
  // Step s with s mod 90 = 30: findSpeedRange (factor 0.9),
  // drawVelocityVectors(1), copy the view bitmap to the window.
  virtual void plotVectors() = 0;
  // s mod 90 = 60: drawPressureMap, copy the view bitmap to the window.
  virtual void plotPressure() = 0;
  // s mod 90 = 0: drawVorticityMap (which shows its picture itself).
  virtual void plotVorticity() = 0;
  // The start of every step, where the window's requests reach the run: a
  // press of the stop button sets stopFlag here (it is looked at every tenth
  // step), a pan, zoom or plot button is served here with the model as the
  // step left it.  A run without a window has none.
  virtual void takeRequests() {}
  // After the run: particle traces at the given speed.  Returns the window to
  // its editing mode and restores stepsDone to its value on entry.
  virtual void playParticles(int speed) = 0;
};
