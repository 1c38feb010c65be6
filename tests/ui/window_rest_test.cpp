// The program at rest: once the windows are shown and their first pictures
// painted, nothing is painted again without a cause.
#include "ui_fixture.h"

#include "ui/controls.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Counts the paint events of every widget inside the main window and the
// layout dialog.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(MainWindow& w) : w_(w) { qApp->installEventFilter(this); }
  ~PaintCounter() override { qApp->removeEventFilter(this); }
  int paints = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && (widget->window() == &w_ || widget->window() == &w_.layoutDialog())) ++paints;
    }
    return false;
  }

private:
  MainWindow& w_;
};

// Lets the windows settle (first paints), then counts the paints of a
// stretch of idle event processing.
int paintsWhileIdle(MainWindow& w) {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  PaintCounter counter(w);
  QElapsedTimer idle;
  idle.start();
  while (idle.elapsed() < 300) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return counter.paints;
}

} // namespace

TEST(WindowAtRest, NothingIsRepaintedAfterTheFirstShow) {
  StartedWindow s;
  EXPECT_EQ(paintsWhileIdle(s.w), 0);
  // A paint that has a cause still happens.
  PaintCounter counter(s.w);
  s.mainButton("zoomInButton")->click();
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0) << "a zoom repaints the picture";
}

TEST(WindowAtRest, NothingIsRepaintedAfterAStoppedRun) {
  StartedWindow s;
  auto* start = s.w.findChild<PanelButton*>("startButton");
  s.w.services().statusObserver = [&](int panel, const std::string&) {
    if (panel == 1 && s.m.run.stepsDone >= 19) s.w.onStopClicked();
  };
  s.untilTheLoopEnds("the run stopped at step 20", [&] { start->click(); });
  s.w.services().statusObserver = nullptr;
  ASSERT_EQ(s.w.controlMode(), 1) << "back in the editing mode";
  EXPECT_EQ(paintsWhileIdle(s.w), 0);
}
