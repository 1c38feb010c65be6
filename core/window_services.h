// The services of the main window as its own code uses them: what a run
// hands it (RunObserver: status texts, check boxes, progress, ticks), and
// besides the processing of pending window messages and the modal messages.
// The desktop program implements it with Qt; tests implement it with a
// recording fake.  The computing layers see only the RunObserver part.
#pragma once

#include "core/run_observer.h"
#include "core/run_outcome.h"
#include "core/setup_problem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The window is the observer of the long computations: its progress bar
// follows them, and it handles its pending events at their checkpoints.
class WindowServices : public RunObserver {
public:
  // The main window's progress bar (its range and position: ProgressObserver).
  virtual void setProgressVisible(bool visible) = 0;

  // A long loop's regular look outside: where a stop asked for reaches it
  // and, in the particle traces, where the window is handed what they drew.
  virtual void processPendingMessages() = 0;
  void checkpoint() override { processPendingMessages(); }

  // Rests about `milliseconds`, or less when something the loop must look at
  // arrives (a stop).  A paced loop calls it until its next moment is due, so
  // it sleeps between its steps instead of spinning.  Without a way to sleep
  // it only looks outside.
  virtual void waitForEvents(int milliseconds) {
    (void)milliseconds;
    processPendingMessages();
  }

  // A modal message with one text; returns when it has been dismissed.
  virtual void showMessage(const std::string& text) = 0;

  // Whether the main window is the active window (the particle animation
  // ends when it is not).
  virtual bool isMainWindowActive() { return true; }
};

// What the window shows once the view has been mapped anew (placeLayoutOnBitmap):
// both check boxes, and empty status panels.
inline void showNewViewControls(WindowServices& ws) {
  ws.setCheckBoxVisible(1, true);
  ws.setCheckBoxVisible(2, true);
  ws.setStatusText(1, "");
  ws.setStatusText(0, "");
}

// What the computing layers returned, shown as the window's modal messages,
// one after another in order.
inline void showProblems(WindowServices& ws, const std::vector<SetupProblem>& problems) {
  for (const SetupProblem& problem : problems) ws.showMessage(problemText(problem, ws.language()));
}
// Returns whether there was a problem to show.
inline bool showProblems(WindowServices& ws, const std::optional<SetupProblem>& problem) {
  if (problem) ws.showMessage(problemText(*problem, ws.language()));
  return problem.has_value();
}
inline void showOutcome(WindowServices& ws, const RunOutcome& outcome) {
  for (const std::string& text : outcomeMessages(outcome, ws.language())) ws.showMessage(text);
}
