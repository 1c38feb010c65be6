// The main window's glue to the run: the start, stop and continue buttons,
// the plot stages the run calls, the particle traces after it, and the quit
// requests that wait for a loop to end.
#include "ui/main_window.h"

#include "gui/window_text.h"
#include "run/run.h"
#include "ui/about_box.h"
#include "ui/controls.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window_texts.h"
#include "ui/window_run_stages.h"
#include "view/particles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTimer>

// Marks a run, a set-up or an animation on the stack: a quit request that
// arrives meanwhile is kept until the outermost loop has ended.
class MainWindow::LoopGuard {
public:
  explicit LoopGuard(MainWindow& w) : w_(w) { ++w_.loopDepth_; }
  ~LoopGuard() {
    if (--w_.loopDepth_ == 0) w_.endOfLoop();
  }
  LoopGuard(const LoopGuard&) = delete;
  LoopGuard& operator=(const LoopGuard&) = delete;

private:
  MainWindow& w_;
};

void MainWindow::onStartClicked() {
  // The start button is hidden during a run; a press still queued from
  // before must not start a second run from inside the first.
  if (loopRunning()) return;
  LoopGuard guard(*this);
  ::startRun(*model_, *services_, *stages_);
  keepRunCounts();
}

void MainWindow::onStopClicked() {
  ::requestStop(*model_);
}

void MainWindow::onContinueClicked() {
  if (loopRunning()) return; // a press queued from before the run
  LoopGuard guard(*this);
  continueClick(*model_, *services_, *stages_);
  keepRunCounts();
}

void MainWindow::updateContinueButton() {
  continueButton_->setVisible(mode_ == 1 && canContinue(*model_));
}

bool MainWindow::flowPlotsReady() const {
  return model_->stepsDone > 10 && flowBelongsToLayout(*model_);
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
  m.stopFlag = false;
  if (m.stepsDone >= 100 && flowBelongsToLayout(m)) {
    LoopGuard guard(*this);
    playParticles(speed);
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
    model_->stopFlag = true;
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
    model_->stopFlag = true;
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

namespace {
// The animation's view of the main window.
class WindowParticles : public ParticleWindow {
public:
  explicit WindowParticles(MainWindow& w) : w_(w) {}
  void setControlMode(int mode) override { w_.setControlMode(mode); }
  int frameRepeats() override { return w_.particleFrameRepeats(); }

private:
  MainWindow& w_;
};
} // namespace

void MainWindow::playParticles(int speed) {
  LoopGuard guard(*this);
  // After a stopped run no traces are drawn: the plot on screen stays, with
  // its legend.
  const bool traces = !model_->stopFlag;
  if (traces) {
    showLegend({});
    noteShown(ShownPicture::particles);
  }
  WindowParticles window(*this);
  animateParticles(*model_, *surfaces_, *services_, window, speed);
  showSurface();
}
int MainWindow::particleFrameRepeats() const {
  return particleSpeedBar_->maximum() - particleSpeedBar_->value() + 1;
}
