// What a run hands the window while it goes on: the status texts, the
// visibility of the two check boxes that belong to the contour maps, the
// progress bar and its checkpoints (ProgressObserver), the millisecond clock
// and the language of the texts.  The run, its set-up and the particle
// traces report through it and never wait on it; a plot returns its caption,
// and what went wrong comes back to the caller as a return value
// (SetupProblem, RunOutcome), which the window shows and the batch prints.
// The window implements it on the run's thread with queued copies, the batch
// with its progress lines, tests with a recorder.
#pragma once

#include "core/messages.h"
#include "core/progress.h"

#include <cstdint>
#include <string>

class RunObserver : public ProgressObserver {
public:
  // Text of status-bar panel 0 or 1 (UTF-8).
  virtual void setStatusText(int panel, const std::string& text) = 0;

  // Visibility of the main window's check boxes 1 ("塗り潰し") and 2
  // ("ラインを黒く").
  virtual void setCheckBoxVisible(int which, bool visible) = 0;

  // Milliseconds from an arbitrary origin, 32 bits, wrapping.
  virtual std::uint32_t tickCount() = 0;

  // The language in which the run composes its status texts (see
  // core/messages.h).
  virtual Language language() const { return Language::japanese; }
};

// What the window shows beside a plot it has just been handed: the plot's
// title in status panel 0 and, for the contour maps, both check boxes
// visible (the vectors leave them as they are).
struct PlotCaption {
  const Message* title;
  bool showsCheckBoxes;
};

inline void showPlotCaption(RunObserver& observer, const PlotCaption& caption) {
  if (caption.showsCheckBoxes) {
    observer.setCheckBoxVisible(1, true);
    observer.setCheckBoxVisible(2, true);
  }
  observer.setStatusText(0, (*caption.title)(observer.language()));
}
