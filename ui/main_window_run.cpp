// The main window's glue to the run: the start, stop and continue buttons,
// the particle traces, the pictures the run hands over, and the quit requests
// that wait for a run to end.
#include "ui/main_window.h"

#include "gui/window_text.h"
#include "run/run.h"
#include "ui/about_box.h"
#include "ui/controls.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window_texts.h"
#include "ui/run_thread.h"
#include "view/colour_legend.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTimer>

bool MainWindow::loopRunning() const {
  return runThread_->running();
}

void MainWindow::onStartClicked() {
  // The start button is hidden during a run; a press that came before its
  // mode changed does not start a second one.
  if (loopRunning()) return;
  runThread_->start([this](RunObserver& observer,
                           RunStages& stages) { return ::startRun(*model_, observer, stages); },
                    [this] { keepRunCounts(); });
}

void MainWindow::onStopClicked() {
  if (loopRunning())
    runThread_->requestStop();
  else
    ::requestStop(model_->run);
}

void MainWindow::onContinueClicked() {
  if (loopRunning()) return;
  runThread_->start([this](RunObserver& observer,
                           RunStages& stages) { return continueClick(*model_, observer, stages); },
                    [this] { keepRunCounts(); });
}

void MainWindow::updateContinueButton() {
  continueButton_->setVisible(mode_ == 1 &&
                              canContinue(model_->layout, model_->flow, model_->solution));
}

bool MainWindow::flowPlotsReady() const {
  return model_->run.stepsDone > 10 &&
         flowBelongsToLayout(model_->layout, model_->flow, model_->solution);
}

void MainWindow::plotVectors() {
  drawVectors();
  copyToWindow();
}

void MainWindow::plotPressure() {
  showPressureMap();
  copyToWindow();
}

void MainWindow::plotVorticity() {
  showVorticityMap(); // shows its picture itself
  showSurface();
}

void MainWindow::particleItem(int speed) {
  if (loopRunning()) return;
  Model& m = *model_;
  m.run.stopFlag = false;
  if (m.run.stepsDone >= 100 && flowBelongsToLayout(m.layout, m.flow, m.solution)) {
    runThread_->setFrameRepeats(particleFrameRepeats());
    runThread_->start([speed](RunObserver&, RunStages& stages) {
      stages.playParticles(speed);
      return RunOutcome{};
    });
  } else {
    services_->setStatusText(1, text(MainWindowText::needHundredSteps).toStdString());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (loopRunning() || mode_ != 1) {
    // The close item is greyed now; a request that arrives anyway (the
    // desktop, a session end) stops the loop at its next yield, and the
    // window closes when the loop has returned.
    event->ignore();
    quitRequested_ = true;
    runThread_->requestStop();
    return;
  }
  // A quit from outside (a signal, the session's end) does not wait for an
  // answer; the run's results need none: they are computed again in a second.
  if (askBeforeQuit_ && !maySetLayoutAside()) {
    event->ignore();
    return;
  }
  event->accept();
  layoutDialog_->hide();
  aboutBox_->hide();
  QCoreApplication::quit();
}

void MainWindow::requestQuit() {
  askBeforeQuit_ = false;
  if (loopRunning() || mode_ != 1) {
    quitRequested_ = true;
    runThread_->requestStop();
    return;
  }
  close();
}

void MainWindow::endOfLoop() {
  if (!quitRequested_) return;
  // Close once every handler of the loop has returned.
  QTimer::singleShot(0, this, [this] {
    if (!loopRunning() && mode_ == 1) close();
  });
}

void MainWindow::takeRunPicture(RunPicture picture) {
  switch (picture) {
  case RunPicture::vectors:
    noteShown(ShownPicture::vectors);
    showLegend(vectorLegend(model_->view));
    break;
  case RunPicture::pressure:
    noteShown(ShownPicture::pressure);
    showLegend(mapLegend(model_->view, LegendQuantity::pressure));
    break;
  case RunPicture::vorticity:
    noteShown(ShownPicture::vorticity);
    showLegend(mapLegend(model_->view, LegendQuantity::vorticity));
    break;
  case RunPicture::traces:
    noteShown(ShownPicture::particles);
    showLegend({});
    break;
  }
  showSurface();
}

int MainWindow::particleFrameRepeats() const {
  return particleSpeedBar_->maximum() - particleSpeedBar_->value() + 1;
}
