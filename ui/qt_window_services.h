// The window services of the main window in Qt: status-bar panels, the two
// check boxes, the progress bar, processing of pending events, modal messages, the active-window
// test, the 32-bit wrapping millisecond tick counter and opening a page or file in the desktop's
// viewer.
//
// Tests answer modal messages through messageResponder instead of a box, and
// may decide the active-window answer and catch page openings the same way.
#pragma once

#include "core/window_services.h"

#include <QPointer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QProgressBar;
class QWidget;

class QtWindowServices : public WindowServices {
public:
  struct Controls {
    QLabel* titlePanel = nullptr;         // status panel 0
    QLabel* statusPanel = nullptr;        // status panel 1
    QCheckBox* fillCheck = nullptr;       // check box 1
    QCheckBox* blackLinesCheck = nullptr; // check box 2
    QProgressBar* progressBar = nullptr;
    QWidget* mainWindow = nullptr;
  };

  explicit QtWindowServices(const Controls& controls);

  void setStatusText(int panel, const std::string& text) override;
  void setCheckBoxVisible(int which, bool visible) override;
  void setProgressRange(int minimum, int maximum) override;
  void setProgressPosition(int position) override;
  void setProgressVisible(bool visible) override;
  void processPendingMessages() override;
  void showMessage(const std::string& text) override;
  std::uint32_t tickCount() override;
  bool isMainWindowActive() override;
  // The interface's language (gui/language.h).
  Language language() const override;

  // The answer to "save the changes first?" before unsaved layout changes
  // are set aside (a quit, another file).
  enum class UnsavedAnswer { save, discard, cancel };
  UnsavedAnswer askToSaveChanges(const QString& question);

  // Opens an address (a web page, or a file as a file: URL) in the desktop's
  // viewer for it.  False when the desktop has none.
  bool openWebPage(const QString& address);

  // Test seams: when set they replace the modal box, the active-window test,
  // the browser and the question about unsaved changes.
  std::function<void(const std::string&)> messageResponder;
  std::function<bool()> activeWindowAnswer;
  std::function<void(const QString&)> pageOpener;
  std::function<UnsavedAnswer(const QString& question)> unsavedResponder;
  // Measuring tool: sees every status text as it is set.
  std::function<void(int panel, const std::string& text)> statusObserver;

  // Shifts the tick counter so that it reads `tick` now (to exercise the wrap).
  void setTickNow(std::uint32_t tick);

private:
  using Clock = std::chrono::steady_clock;

  QPointer<QLabel> titlePanel_, statusPanel_;
  QPointer<QCheckBox> fillCheck_, blackLinesCheck_;
  QPointer<QProgressBar> progressBar_;
  QPointer<QWidget> mainWindow_;
  Clock::time_point tickOrigin_;
  std::uint32_t tickOffset_ = 0;
};
