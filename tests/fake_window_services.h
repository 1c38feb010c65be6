// A WindowServices that records every call in order, for tests.  Modal
// messages are recorded and return at once; the tick counter is a settable
// value that a wait for events advances by the whole wait; a hook runs on
// every processPendingMessages and wait (a test uses it to press the stop
// button in the middle of a loop).
#pragma once

#include "core/window_services.h"

#include <functional>
#include <string>
#include <vector>

class FakeWindowServices : public WindowServices {
public:
  struct Call {
    std::string what; // "status", "checkbox", "range", "position",
                      // "progressVisible", "process", "message"
    int a = 0, b = 0;
    std::string text;
  };

  std::vector<Call> calls;
  std::uint32_t tick = 0;
  std::uint32_t tickStep = 0; // added to tick after every tickCount()
  bool mainWindowActive = true;
  Language textLanguage = Language::japanese;
  std::function<void()> onProcess;
  std::string statusPanel[2];
  bool checkBoxVisible[3] = {false, false, false};
  int progressMin = 0, progressMax = 0, progressPos = 0;
  bool progressVisible = false;
  int processCount = 0;
  int waitCount = 0;

  void setStatusText(int panel, const std::string& text) override {
    calls.push_back({"status", panel, 0, text});
    if (panel == 0 || panel == 1) statusPanel[panel] = text;
  }
  void setCheckBoxVisible(int which, bool visible) override {
    calls.push_back({"checkbox", which, visible ? 1 : 0, {}});
    if (which == 1 || which == 2) checkBoxVisible[which] = visible;
  }
  void setProgressRange(int minimum, int maximum) override {
    calls.push_back({"range", minimum, maximum, {}});
    progressMin = minimum;
    progressMax = maximum;
  }
  void setProgressPosition(int position) override {
    calls.push_back({"position", position, 0, {}});
    progressPos = position;
  }
  void setProgressVisible(bool visible) override {
    calls.push_back({"progressVisible", visible ? 1 : 0, 0, {}});
    progressVisible = visible;
  }
  void processPendingMessages() override {
    // Counted, not recorded: the searches call it once per grid point.
    ++processCount;
    if (onProcess) onProcess();
  }
  // No events arrive: the whole wait passes on the tick counter.
  void waitForEvents(int milliseconds) override {
    ++waitCount;
    tick += static_cast<std::uint32_t>(milliseconds);
  }
  void showMessage(const std::string& text) override { calls.push_back({"message", 0, 0, text}); }
  std::uint32_t tickCount() override {
    const std::uint32_t now = tick;
    tick += tickStep;
    return now;
  }
  bool isMainWindowActive() override { return mainWindowActive; }
  Language language() const override { return textLanguage; }

  // The texts of all modal messages, in order.
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (c.what == "message") out.push_back(c.text);
    return out;
  }
  // Every text written to one status panel, in order.
  std::vector<std::string> statusTexts(int panel) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (c.what == "status" && c.a == panel) out.push_back(c.text);
    return out;
  }
};
