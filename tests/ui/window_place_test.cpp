// The windows open inside the screen's available area, whatever the scale
// makes of the places they are given.
#include "ui/application_setup.h"
#include "ui_fixture.h"

#include <QScreen>

namespace {
QRect available() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}
} // namespace

TEST(WindowPlace, AWindowBeyondTheScreenIsMovedAndIfNeedBeShrunkIntoIt) {
  const QRect screen = available();
  struct Case {
    const char* what;
    QRect place;
    bool keepsPlace, keepsSize;
  } cases[] = {
      {"inside", QRect(screen.topLeft() + QPoint(40, 60), QSize(200, 100)), true, true},
      {"beyond the bottom right", QRect(screen.bottomRight() - QPoint(100, 50), QSize(300, 200)),
       false, true},
      {"larger than the screen", QRect(screen.topLeft(), screen.size() * 2), false, false},
  };
  for (const Case& c : cases) {
    QWidget window;
    window.setMinimumSize(c.place.size() / 2);
    window.setGeometry(c.place);
    keepInsideScreen(&window);
    EXPECT_TRUE(screen.contains(window.geometry())) << c.what;
    EXPECT_EQ(window.geometry() == c.place, c.keepsPlace) << c.what;
    EXPECT_EQ(window.size() == c.place.size(), c.keepsSize) << c.what;
    EXPECT_LE(window.minimumWidth(), window.width()) << c.what;
  }
}

TEST(WindowPlace, TheStartedWindowsLieInsideTheScreen) {
  StartedWindow s;
  s.w.tuiteClick();
  QApplication::processEvents();
  for (const QWidget* w : {static_cast<QWidget*>(&s.w), static_cast<QWidget*>(&s.w.layoutDialog()),
                           static_cast<QWidget*>(&s.w.aboutBox())})
    EXPECT_TRUE(available().contains(w->frameGeometry()))
        << w->windowTitle().toStdString() << " at " << w->frameGeometry().x() << ","
        << w->frameGeometry().y() << " " << w->frameGeometry().width() << "x"
        << w->frameGeometry().height() << " screen " << available().width() << "x"
        << available().height();
}
