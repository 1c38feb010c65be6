#include "ui_fixture.h"

#include "gui/application_setup.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>

#include <csignal>
#include <functional>

TEST(QtWindowServices, PanelsCheckBoxesAndProgressBar) {
  StartedWindow s;
  QtWindowServices& ws = s.w.services();
  ws.setStatusText(0, "　速度ベクトル図");
  ws.setStatusText(1, "　計算回数＝10　　　　　　300回 で完了");
  ws.setStatusText(2, "nowhere");
  EXPECT_EQ(s.w.findChild<QLabel*>("titlePanel")->text(), QString::fromUtf8("　速度ベクトル図"));
  EXPECT_EQ(s.w.findChild<QLabel*>("statusPanel")->text(),
            QString::fromUtf8("　計算回数＝10　　　　　　300回 で完了"));
  EXPECT_EQ(s.w.findChild<QLabel*>("titlePanel")->width(), 400);

  ws.setCheckBoxVisible(1, false);
  ws.setCheckBoxVisible(2, true);
  EXPECT_FALSE(s.w.findChild<QCheckBox*>("fillCheck")->isVisible());
  EXPECT_TRUE(s.w.findChild<QCheckBox*>("blackLinesCheck")->isVisible());

  auto* bar = s.w.findChild<QProgressBar*>("progressBar");
  ws.setProgressRange(0, 300);
  ws.setProgressPosition(120);
  ws.setProgressVisible(true);
  EXPECT_EQ(bar->maximum(), 300);
  EXPECT_EQ(bar->value(), 120);
  EXPECT_TRUE(bar->isVisible());
}

TEST(QtWindowServices, MessagesAreAnsweredThroughTheSeam) {
  StartedWindow s;
  s.w.services().showMessage("穴の数が多すぎます 15000");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0], "穴の数が多すぎます 15000");
}

TEST(QtWindowServices, TickCounterWrapsAtThirtyTwoBits) {
  StartedWindow s;
  QtWindowServices& ws = s.w.services();
  ws.setTickNow(4294967000u);
  EXPECT_LT(static_cast<std::uint32_t>(ws.tickCount() - 4294967000u), 1000u);
  ws.setTickNow(0xFFFFFFFFu);
  std::uint32_t t = ws.tickCount();
  waitFor("the tick count to move on from 0xFFFFFFFF", [&] {
    t = ws.tickCount();
    return t != 0xFFFFFFFFu;
  });
  EXPECT_LT(t, 1000u) << "the count goes on from 0";
}

TEST(QtWindowServices, ActiveWindowAnswer) {
  StartedWindow s;
  s.w.services().activeWindowAnswer = [] { return false; };
  EXPECT_FALSE(s.w.services().isMainWindowActive());
  s.w.services().activeWindowAnswer = [] { return true; };
  EXPECT_TRUE(s.w.services().isMainWindowActive());
}

// The signals are taken once per process: every test hands its own target.
std::function<void()>& quitTarget() {
  static std::function<void()> target;
  installQuitSignals([] {
    if (target) target();
  });
  return target;
}

TEST(QuitSignals, TerminationSignalClosesTheWindowLikeTheDesktop) {
  std::function<void()>& target = quitTarget();
  StartedWindow s;
  target = [&] { s.w.requestQuit(); };
  std::raise(SIGTERM);
  waitFor("the window to close on SIGTERM", [&] { return !s.w.isVisible(); });
  target = nullptr;
}

TEST(QuitSignals, TerminationSignalClosesAnOpenMessageFirst) {
  std::function<void()>& target = quitTarget();
  bool quitAsked = false;
  target = [&] { quitAsked = true; };
  QMessageBox box(QMessageBox::Information, "Whirlpane", "a message", QMessageBox::Ok);
  QTimer::singleShot(50, [] { std::raise(SIGTERM); });
  box.exec(); // returns only when the signal closes the box
  target = nullptr;
  EXPECT_TRUE(quitAsked);
}

TEST(LayoutDialogWindow, RefusesToCloseAndKeepsItsCaption) {
  StartedWindow s;
  LayoutDialog& d = s.w.layoutDialog();
  EXPECT_EQ(d.windowTitle(), QString::fromUtf8("形状－配置　設定"));
  EXPECT_FALSE(d.windowFlags().testFlag(Qt::WindowCloseButtonHint)) << "close item greyed";
  d.close();
  EXPECT_TRUE(d.isVisible());
}

TEST(ToolkitTexts, EditMenusAndMessageButtonsAreJapanese) {
  // Installed once for the whole test program, as main() does.
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), QString::fromUtf8("貼り付け(&P)"));
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}
