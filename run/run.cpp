#include "run/run.h"

#include "core/time_text.h"
#include "coupling/boundary.h"
#include "coupling/setup.h"
#include "solver/flow_check.h"
#include "solver/initial_state.h"
#include "solver/smoothing.h"
#include "solver/time_integration.h"

#include <string>

namespace {

// The run's texts in the status bar (panel 1), as the window shows them.
namespace text {
const std::string alreadyDone = "　計算は完了してます。　所要計算時間　＝";
const std::string stepCountPrefix = "　計算回数＝";
const std::string stepCountSuffix = "　　　　　　300回 で完了"; // 300 whatever stepCount is
const std::string finished = "計算が正常に終了しました。";
const std::string diverged = "　計算が発散しました。　計算回数＝";
} // namespace text

} // namespace

void timeStep(Model& m) {
  RRK(m);
  Gauss_RY(m);
  Gauss_WK(m, 1, m.wkNp, 1, m.wkNr, 1);
  ADD_RY(m);
  Kyoukai(m);
}

void keisan(Model& m, WindowServices& ws, RunStages& stages, int stepCount) {
  stages.palevisi(2);
  m.stopFlag = false;
  runCouplingSetup(m, ws);
  m.stepCount = stepCount;
  m.particleState = 1;
  shoki_atai(m);
  ws.setProgressRange(0, m.stepCount);
  if (m.stopFlag) return; // a link list was too large; its message is shown

  for (int s = 1; s <= m.stepCount; ++s) {
    m.stepsDone = s - 1;
    ws.processPendingMessages(); // the stop, pan, zoom and plot buttons act here
    ws.setProgressPosition(s);
    timeStep(m);

    if (!flowIsSound(m)) {
      const std::string message = text::diverged + std::to_string(s);
      ws.setStatusText(1, message);
      ws.showMessage(message);
      m.stopFlag = true;
      return;
    }
    if (s % 10 == 0) {
      if (m.stopFlag) return;
      ws.setStatusText(1, text::stepCountPrefix + std::to_string(s) + text::stepCountSuffix);
    }
    switch (s % 90) {
    case 30: stages.plotVectors(); break;
    case 60: stages.plotPressure(); break;
    case 0: stages.plotVorticity(); break;
    default: break;
    }
  }
  ws.setStatusText(1, text::finished);
}

void Button2Click(Model& m, WindowServices& ws, RunStages& stages) {
  if (m.stepsDone > 280) {
    ws.setStatusText(1, text::alreadyDone + Time_Time_d(m.runEndTick, m.runStartTick));
    return;
  }
  m.runStartTick = ws.tickCount();
  keisan(m, ws, stages);
  stages.makeParti(3);
  m.stepsDone = m.stepsDone + 1;
}

void Button1Click(Model& m) { m.stopFlag = true; }
