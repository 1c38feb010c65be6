// The services of the main window that the plain C++ routines use: status
// texts, progress bar, processing of pending window messages, modal messages
// and the millisecond tick counter.  The desktop program implements it with
// Qt; tests implement it with a recording fake.  Routines never block on it
// except through showMessage, which returns when the user has read the text.
#pragma once

#include "core/messages.h"
#include "core/progress.h"

#include <cstdint>
#include <string>

// The window is the observer of the long computations: its progress bar
// follows them, and it handles its pending events at their checkpoints.
class WindowServices : public ProgressObserver {
public:
  virtual ~WindowServices() = default;

  // Text of status-bar panel 0 or 1 (UTF-8).
  virtual void setStatusText(int panel, const std::string& text) = 0;

  // Visibility of the main window's check boxes 1 ("塗り潰し") and 2
  // ("ラインを黒く").
  virtual void setCheckBoxVisible(int which, bool visible) = 0;

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

  // Milliseconds from an arbitrary origin, 32 bits, wrapping.
  virtual std::uint32_t tickCount() = 0;

  // Whether the main window is the active window (the particle animation
  // ends when it is not).
  virtual bool isMainWindowActive() { return true; }

  // The language in which the routines compose their status texts and
  // messages (see core/messages.h).
  virtual Language language() const { return Language::japanese; }
};

// What the window shows once the view has been mapped anew (placeLayoutOnBitmap):
// both check boxes, and empty status panels.
inline void showNewViewControls(WindowServices& ws) {
  ws.setCheckBoxVisible(1, true);
  ws.setCheckBoxVisible(2, true);
  ws.setStatusText(1, "");
  ws.setStatusText(0, "");
}
