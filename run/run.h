// The run: one complete calculation from the current layout, started by the
// start button and ended by its last step, the stop button or a failure.
#pragma once
#include "core/model.h"
#include "run/run_stages.h"
#include "core/window_services.h"

// Button2Click, the start button ("計算スタート"): after a run that went
// beyond step 280 it only shows that run's elapsed time; otherwise it notes
// the start tick, runs keisan, hands over to the particle traces
// (makeParti(3), which returns the window to its editing mode and restores
// stepsDone) and counts stepsDone one up: 300 after a full run, s after a
// run that ended at step s.
void Button2Click(Model& m, WindowServices& ws, RunStages& stages);

// keisan ("calculation"), the run itself: calculating mode, the coupling
// set-up (flow fields cleared, grids rebuilt, metrics, links, holes), the
// initial state, then stepCount = 300 time steps
//   RRK, Gauss_RY, Gauss_WK(1, wkNp, 1, wkNr, 1), ADD_RY, Kyoukai
// with the window's pending messages processed before each step, the
// progress text every 10 steps (where a stop request ends the run), and the
// plots at steps 30, 60 and 0 modulo 90.  A link list over its capacity ends
// the run before step 1.  A step that leaves a density that is not positive
// or a value that is not finite ends the run at once with a message naming
// the step; stopFlag is then set, so no particle traces are drawn from it.
// A batch run passes a longer stepCount: the steps go on with the same
// plots at the same residues modulo 90, so N steps are the start button's
// run followed by N - 300 more steps of the same loop.
void keisan(Model& m, WindowServices& ws, RunStages& stages, int stepCount = 300);

// Button1Click, the stop button ("停止"): asks the run to end (seen at the
// next step that is a multiple of 10) and the particle animation to stop.
void Button1Click(Model& m);

// One time step of both grids: the rational Runge-Kutta stages and their
// combination, the smoothing of the increments, the update, and the
// boundary conditions with the transfer between the grids.
void timeStep(Model& m);
