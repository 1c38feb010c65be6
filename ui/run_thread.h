// The run beside the window.  A run, a continuation or the particle traces
// work on a thread of their own, as a worker renders into its own image and a
// widget only shows the copy it is handed.  While one goes on it owns the
// model and the view's surfaces; the window shows the picture handed to it,
// keeps its controls alive and holds on to what the user asks for.
//
// The run hands over at fixed points and waits while the window takes its
// turn with the model: every plot, every frame of the traces, every change of
// control mode, and the start of a step when the user has asked for something
// (a pan, a zoom, a plot button, a check box, a click on a body, a new window
// size) or the history window is due for the steps since it last followed.
// Status texts and the progress bar reach the window as queued copies.  A
// stop is a request the run takes at the start of its next step (it looks at
// it every tenth), of its next link search or of its next frame.  The
// messages of the run's outcome are shown by the window once the run has
// ended.
#pragma once

#include "core/run_observer.h"
#include "core/run_outcome.h"
#include "run/run_stages.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MainWindow;

class RunThread {
public:
  // What the run does with the model, the surfaces, its observer and stages;
  // it returns how the run went.
  using Job = std::function<RunOutcome(RunObserver&, RunStages&)>;

  explicit RunThread(MainWindow& window);
  // Stops a run that still goes on and waits for its end.
  ~RunThread();
  RunThread(const RunThread&) = delete;
  RunThread& operator=(const RunThread&) = delete;

  // Starts `job` on the run's thread; `afterwards` runs on the window's thread
  // once it has ended, the window's again.  Call only while none is running.
  void start(Job job, std::function<void()> afterwards = {});
  // A run or the traces go on (the window's thread asks).
  bool running() const { return running_; }
  // The window may read and write the model now: no run, or the run waits
  // for the window at a hand-over.
  bool windowHasModel() const { return !running_ || lent_; }
  // The stop button: taken by the run at its next step or frame.
  void requestStop();
  // A handler that needs the model: while a run goes on (and does not wait
  // for the window) it is kept for the run's next hand-over, or its end, and
  // true is returned; otherwise false, and the caller acts now.
  bool deferWhileRunning(std::function<void()> handler);
  // Stops the run, serves it until it has ended and takes the model back.
  void stopAndWait();

  // The speed step of the traces (the speed bar), read every frame.
  void setFrameRepeats(int repeats) { frameRepeats_ = repeats; }
  // The history window is open: the run hands it each ten new steps.
  void setHistoryOpen(bool open) { historyOpen_ = open; }
  // For tests: each status text is handled by the window while the run
  // waits, so that a test acting on a text acts at that point of the run.
  void setTextsPauseTheRun(bool pause) { textsPause_ = pause; }

private:
  class Services;
  class Stages;
  friend class Services;
  friend class Stages;

  // Run's thread: lets the window take its turn with the model (`turn`, then
  // the requests kept when `serve`) and waits until it has.
  void handOver(const std::function<void()>& turn, bool serve);
  // Run's thread: a stop asked for becomes the model's stop flag.
  void takeStop();
  // Run's thread: sleeps up to `milliseconds`, less when a stop or a request
  // comes.
  void rest(int milliseconds);
  bool requestsWaiting() const { return requestsWaiting_ || stopRequested_; }
  // Window's thread, the run having returned.
  void finish();
  // The layout dialog and the menus take input (not during a run).
  void setEditingEnabled(bool enabled);
  void serveRequests();

  MainWindow& window_;
  std::jthread thread_;
  bool running_ = false; // window's thread only
  bool lent_ = false;    // window's thread only
  std::function<void()> afterwards_;
  std::vector<std::function<void()>> requests_; // window's thread only
  RunOutcome outcome_;                          // the run's, shown at its end

  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> requestsWaiting_{false};
  std::atomic<bool> textsPause_{false};
  std::atomic<bool> historyOpen_{false};
  std::atomic<int> frameRepeats_{3};
  std::size_t historyFollowed_ = 0; // run's thread: history size last handed
  int mode_ = 1;                    // run's thread: control mode it set
  std::mutex restMutex_;
  std::condition_variable restWake_;
};
