// The observer of a long computation (the donor scans, the hole sweeps): how
// far it has come, and the points where a stop request may arrive.  The
// computation reads its stop flag right after each such point.  The window
// implements it with its progress bar; a computation nobody watches passes
// NoProgress.
#pragma once

class ProgressObserver {
public:
  virtual ~ProgressObserver() = default;
  virtual void setProgressRange(int minimum, int maximum) = 0;
  virtual void setProgressPosition(int position) = 0;
  // Between two pieces of work, before the stop flag is read.
  virtual void checkpoint() {}
};

class NoProgress final : public ProgressObserver {
public:
  void setProgressRange(int, int) override {}
  void setProgressPosition(int) override {}
};
