// A started main window for the widget tests: created and shown as the
// program starts it, with modal messages and page openings answered through
// the window-services seam.
#pragma once

#include "gui/language.h"
#include "ui/about_box.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"
#include "ui/run_thread.h"
#include "view/transform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// How long a test waits for the window or a process (set by the build, a
// few times the longest wait of a passing test, below CTest's time limit):
// a wait this long means the loop will not end by itself.
inline constexpr int kWaitSeconds = WHIRLPANE_WAIT_SECONDS;

inline void failWaitingFor(const std::string& what) {
  ADD_FAILURE() << "gave up after " << kWaitSeconds << " s waiting for " << what;
}

// Processes events until `done` holds; past the limit the test fails, saying
// what it waited for.
inline bool waitFor(const char* what, const std::function<bool()>& done) {
  if (QTest::qWaitFor(done, kWaitSeconds * 1000)) return true;
  failWaitingFor(what);
  return false;
}

struct StartedWindow {
  MainWindow w;
  Model& m = w.model();
  std::vector<std::string> messages;
  std::vector<QString> pagesOpened;
  std::vector<QString> unsavedQuestions;
  QtWindowServices::UnsavedAnswer unsavedAnswer = QtWindowServices::UnsavedAnswer::discard;

  StartedWindow() {
    w.services().messageResponder = [this](const std::string& t) { messages.push_back(t); };
    w.services().pageOpener = [this](const QString& a) { pagesOpened.push_back(a); };
    // A test that acts on a status text acts at that point of the run.
    w.runThread().setTextsPauseTheRun(true);
    w.services().unsavedResponder = [this](const QString& question) {
      unsavedQuestions.push_back(question);
      return unsavedAnswer;
    };
    w.showAtStart();
    QApplication::processEvents();
  }

  // A run still going on ends while what its texts and messages reach is
  // still here.
  ~StartedWindow() { w.runThread().stopAndWait(); }

  // The drawing area as the window shows it now.
  QImage grabbed() {
    QApplication::processEvents();
    return w.centralWidget()->grab().toImage();
  }
  static QColor colourAt(const QImage& image, double pixX, double pixY) {
    return image.pixelColor(roundHalfAway(pixX), roundHalfAway(pixY));
  }
  QColor bodyColour(const QImage& image, int b) {
    return colourAt(image, m.pixels.bodyCentre[b].x, m.pixels.bodyCentre[b].y);
  }
  // A pixel in the middle of the lower channel wall.
  QColor lowerWallColour(const QImage& image) {
    const PixelPosition& p = m.pixels.main[m.grids.mainNx / 2][1];
    return colourAt(image, p.x, p.y);
  }

  // The window's own loops (a run, the particle animation) go on beside it
  // after `loop` has started one; this serves the window until it has ended.
  // Should it still go on past the limit, the test fails, saying what it
  // waited for, and the stop button is pressed again and again until it
  // ends: a run ends at its next tenth step, the animation at its next frame.
  void untilTheLoopEnds(const char* what, const std::function<void()>& loop) {
    QElapsedTimer clock;
    clock.start();
    bool failed = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
      if (clock.elapsed() < kWaitSeconds * 1000) return;
      if (!failed) failWaitingFor(what);
      failed = true;
      w.onStopClicked();
    });
    watchdog.start(100);
    loop();
    while (w.loopRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  QToolButton* mainButton(const char* name) { return w.findChild<QToolButton*>(name); }
  // The layout dialog's step buttons ("sizeUpButton") and value fields ("sizeEdit").
  QToolButton* dialogButton(const char* name) {
    return w.layoutDialog().findChild<QToolButton*>(name);
  }
  QLineEdit* edit(const char* name) { return w.layoutDialog().findChild<QLineEdit*>(name); }
  void clickDialog(const char* name, int times = 1) {
    for (int i = 0; i < times; ++i) dialogButton(name)->click();
  }
};

// Whatever happens in a test, the next one finds the interface Japanese.
struct BackToJapanese {
  ~BackToJapanese() { applyLanguage(Language::japanese); }
};

inline const QColor kRedPixel(255, 0, 0);
inline const QColor kWhitePixel(255, 255, 255);
inline const QColor kBlackPixel(0, 0, 0);
