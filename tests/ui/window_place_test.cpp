// The windows open inside the screen's available area, whatever the scale
// makes of the places they are given.
#include "gui/application_setup.h"
#include "ui_fixture.h"

#include <QScreen>

TEST(WindowPlace, TheWindowsOpenInsideTheScreenAndOneTooLargeIsShrunk) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  StartedWindow s; // its classic place reaches beyond the test screen's right edge
  s.w.onAboutChosen();
  QApplication::processEvents();
  for (const QWidget* w : {static_cast<QWidget*>(&s.w), static_cast<QWidget*>(&s.w.layoutDialog()),
                           static_cast<QWidget*>(&s.w.aboutBox())})
    EXPECT_TRUE(screen.contains(w->frameGeometry())) << w->windowTitle().toStdString();

  QWidget large;
  large.setMinimumSize(screen.size());
  large.setGeometry(QRect(screen.center(), screen.size() * 2));
  keepInsideScreen(&large);
  EXPECT_TRUE(screen.contains(large.geometry()));
  EXPECT_LE(large.minimumWidth(), large.width());
}
