// Window services that do nothing, so that a benchmark measures the work
// and not a record of calls that grows with every repetition.
#pragma once

#include "core/window_services.h"

#include <string>

class QuietWindow : public WindowServices {
public:
  void setStatusText(int, const std::string&) override {}
  void setCheckBoxVisible(int, bool) override {}
  void setProgressRange(int, int) override {}
  void setProgressPosition(int) override {}
  void setProgressVisible(bool) override {}
  void processPendingMessages() override {}
  void showMessage(const std::string& text) override { lastMessage = text; }
  std::uint32_t tickCount() override { return 0; }
  std::string lastMessage;
};
