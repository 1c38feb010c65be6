#include "ui/run_thread.h"

#include "run/headless_stages.h"
#include "ui/history_window.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "view/particles.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QMetaObject>

#include <chrono>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {
// A hand-over passes the model between the threads through Qt's blocking
// queued call, whose locks live in Qt's own code: a thread-sanitizer build
// does not see them and would take every look of the window at the model
// for a race.  These mark the same order for it (the run's work before the
// window's turn, the turn before the run goes on); elsewhere they are
// nothing.
void handedOverFrom(const void* token) {
#if defined(__SANITIZE_THREAD__)
  __tsan_release(const_cast<void*>(token));
#else
  (void)token;
#endif
}
void takenOverAt(const void* token) {
#if defined(__SANITIZE_THREAD__)
  __tsan_acquire(const_cast<void*>(token));
#else
  (void)token;
#endif
}
} // namespace

// What the run and the traces see of the window on their thread: texts and
// the progress bar go to the window as queued copies, and the checkpoints of
// the loops are where they take the stop and, in the traces, hand over their
// frame.  The traces' rests and their look at the window's activity are here
// too, for their ParticleWindow.
class RunThread::Services : public RunObserver {
public:
  Services(RunThread& t, QtWindowServices& window) : t_(t), window_(window) {}

  void setStatusText(int panel, const std::string& text) override {
    if (t_.textsPause_)
      t_.handOver([this, panel, &text] { window_.setStatusText(panel, text); }, false);
    else
      post([w = &window_, panel, text] { w->setStatusText(panel, text); });
  }
  void setCheckBoxVisible(int which, bool visible) override {
    post([w = &window_, which, visible] { w->setCheckBoxVisible(which, visible); });
  }
  void setProgressRange(int minimum, int maximum) override {
    post([w = &window_, minimum, maximum] { w->setProgressRange(minimum, maximum); });
  }
  void setProgressPosition(int position) override {
    post([w = &window_, position] { w->setProgressPosition(position); });
  }
  void setProgressVisible(bool visible) {
    post([w = &window_, visible] { w->setProgressVisible(visible); });
  }
  // The link searches of the set-up and each particle traced or frame drawn
  // come by here: the stop is taken; in the traces the window is handed the
  // picture as it stands and serves what the user asked for meanwhile.
  void checkpoint() override {
    t_.takeStop();
    if (t_.mode_ == 3) t_.handOver({}, true);
  }
  // The traces wait for their next frame: asleep until it is due, or until a
  // stop or a request comes.
  void waitForEvents(int milliseconds) {
    t_.rest(milliseconds);
    t_.takeStop();
    if (t_.requestsWaiting_) t_.handOver({}, true);
  }
  std::uint32_t tickCount() override { return window_.tickCount(); }
  bool isMainWindowActive() {
    bool active = false;
    t_.handOver([&] { active = window_.isMainWindowActive(); }, false);
    return active;
  }
  Language language() const override { return window_.language(); }

private:
  // The call runs on the window's thread, maybe after the run has ended and
  // these services are gone: it holds the window's services, not these.
  template <class F> void post(F f) {
    QMetaObject::invokeMethod(&t_.window_, std::move(f), Qt::QueuedConnection);
  }
  RunThread& t_;
  QtWindowServices& window_;
};

// The stages of the run on its thread: the plots drawn as a run without a
// window draws them, into the surfaces the run holds, then handed to the
// window with their legend; the traces as the window's animation.
class RunThread::Stages : public HeadlessStages {
public:
  Stages(RunThread& t, Model& m, ViewSurfaces& surfaces, Services& ws)
      : HeadlessStages(m, surfaces, ws), t_(t), m_(m), surfaces_(surfaces), ws_(ws) {}

  void setControlMode(int mode) override {
    t_.mode_ = mode;
    t_.handOver([this, mode] { t_.window_.setControlMode(mode); }, false);
  }
  void takeRequests() override {
    t_.takeStop();
    // The history window takes on new steps ten at a time, and all of them
    // again after the history was cleared.
    const std::size_t steps = m_.solution.residualHistory.size();
    const bool historyDue =
        t_.historyOpen_ &&
        (steps >= t_.historyFollowed_ + HistoryWindow::refreshSteps || steps < t_.historyFollowed_);
    if (historyDue) t_.historyFollowed_ = steps;
    if (!historyDue && !t_.requestsWaiting_) return;
    t_.handOver(
        [this, historyDue] {
          if (historyDue) t_.window_.historyWindow()->follow();
        },
        true);
  }
  void plotVectors() override {
    HeadlessStages::plotVectors();
    showPlot(MainWindow::RunPicture::vectors);
  }
  void plotPressure() override {
    HeadlessStages::plotPressure();
    showPlot(MainWindow::RunPicture::pressure);
  }
  void plotVorticity() override {
    HeadlessStages::plotVorticity();
    showPlot(MainWindow::RunPicture::vorticity);
  }
  // After a stopped run no traces are drawn: the plot on screen stays, with
  // its legend.
  void playParticles(int speed) override {
    if (!m_.run.stopFlag) showPlot(MainWindow::RunPicture::traces);
    Animation window(*this);
    animateParticles(m_, surfaces_, ws_, window, speed);
    t_.handOver({}, false);
  }

private:
  // The animation's view of the window: its control modes through the run's
  // hand-over, the speed bar as the window last set it, the rest between
  // frames and the window's activity as the run's services give them.
  class Animation : public ParticleWindow {
  public:
    explicit Animation(Stages& s) : s_(s) {}
    void setControlMode(int mode) override { s_.setControlMode(mode); }
    int frameRepeats() override { return s_.t_.frameRepeats_; }
    void setProgressVisible(bool visible) override { s_.ws_.setProgressVisible(visible); }
    void waitForEvents(int milliseconds) override { s_.ws_.waitForEvents(milliseconds); }
    bool isMainWindowActive() override { return s_.ws_.isMainWindowActive(); }

  private:
    Stages& s_;
  };

  void showPlot(MainWindow::RunPicture picture) {
    t_.handOver([this, picture] { t_.window_.takeRunPicture(picture); }, false);
  }

  RunThread& t_;
  Model& m_;
  ViewSurfaces& surfaces_;
  Services& ws_;
};

RunThread::RunThread(MainWindow& window) : window_(window) {}

RunThread::~RunThread() {
  stopAndWait();
}

void RunThread::start(Job job, std::function<void()> afterwards) {
  running_ = true;
  stopRequested_ = false;
  outcome_ = {};
  afterwards_ = std::move(afterwards);
  mode_ = window_.controlMode();
  historyFollowed_ = window_.model().solution.residualHistory.size();
  window_.keepSurfaceShown(true);
  // Until the run hides them, nothing the layout dialog or a menu does may
  // reach the model the run now holds.
  setEditingEnabled(false);
  thread_ = std::jthread([this, job = std::move(job)] {
    Services services(*this, window_.services());
    Stages stages(*this, window_.model(), window_.surfaces(), services);
    outcome_ = job(services, stages);
    QMetaObject::invokeMethod(
        &window_, [this] { finish(); }, Qt::QueuedConnection);
  });
}

void RunThread::finish() {
  if (!thread_.joinable()) return;
  thread_.join();
  running_ = false;
  setEditingEnabled(true);
  window_.keepSurfaceShown(true);
  serveRequests();
  showOutcome(window_.services(), std::exchange(outcome_, {}));
  if (afterwards_) std::exchange(afterwards_, {})();
  window_.endOfLoop();
}

void RunThread::setEditingEnabled(bool enabled) {
  window_.layoutDialog().setEnabled(enabled);
  window_.menuBar()->setEnabled(enabled);
}

void RunThread::stopAndWait() {
  if (!thread_.joinable()) return;
  requestStop();
  textsPause_ = false;
  // The run may wait for the window at a hand-over: serve it until it ends.
  while (running_) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void RunThread::requestStop() {
  stopRequested_ = true;
  { std::lock_guard lock(restMutex_); }
  restWake_.notify_all();
}

bool RunThread::deferWhileRunning(std::function<void()> handler) {
  if (windowHasModel()) return false;
  requests_.push_back(std::move(handler));
  requestsWaiting_ = true;
  { std::lock_guard lock(restMutex_); }
  restWake_.notify_all();
  return true;
}

void RunThread::serveRequests() {
  std::vector<std::function<void()>> pending;
  pending.swap(requests_);
  requestsWaiting_ = false;
  for (const auto& handler : pending) handler();
}

void RunThread::handOver(const std::function<void()>& turn, bool serve) {
  handedOverFrom(this);
  QMetaObject::invokeMethod(
      &window_,
      [&] {
        takenOverAt(this);
        lent_ = true;
        if (turn) turn();
        if (serve) serveRequests();
        window_.keepSurfaceShown(false);
        lent_ = false;
        handedOverFrom(this);
      },
      Qt::BlockingQueuedConnection);
  takenOverAt(this);
}

void RunThread::takeStop() {
  if (stopRequested_.exchange(false)) window_.model().run.stopFlag = true;
}

void RunThread::rest(int milliseconds) {
  std::unique_lock lock(restMutex_);
  restWake_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                     [this] { return requestsWaiting(); });
}
