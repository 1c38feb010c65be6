// The keyboard and the status line's probe of the main window.
#include "ui_fixture.h"

#include "layout/grid_making.h"
#include "layout/presets.h"
#include "ui/controls.h"

#include "fake_window_services.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest/QTest>

namespace {

TEST(Keyboard, EveryControlOfTheWindowAndTheDialogExplainsItselfAndIsReachedWithTab) {
  for (Language language : {Language::japanese, Language::english}) {
    applyLanguage(language);
    StartedWindow s;
    QList<QWidget*> controls;
    for (QWidget* parent : {s.w.centralWidget(), static_cast<QWidget*>(&s.w.layoutDialog())})
      for (QWidget* w : parent->findChildren<QWidget*>())
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QScrollBar*>(w) ||
            qobject_cast<PanelButton*>(w) || qobject_cast<QLineEdit*>(w))
          controls << w;
    ASSERT_GE(controls.size(), 16 + 27);
    for (QWidget* w : controls) {
      EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();
      // Tab reaches a choice of radio buttons at its checked one; the
      // arrow keys move within it.
      auto* radio = qobject_cast<QRadioButton*>(w);
      if (radio && !radio->isChecked()) continue;
      EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << w->objectName().toStdString();
    }
  }
  applyLanguage(Language::japanese);
}

// In English every menu title and every item of a menu has an access key of
// its own among its neighbours, also after a switch from Japanese; the
// Japanese captions stay unmarked.
TEST(Keyboard, EnglishMenusHaveDistinctAccessKeysAndJapaneseOnesNone) {
  auto keysOf = [](const QList<QAction*>& actions, bool english) {
    QStringList keys;
    for (const QAction* a : actions) {
      if (a->isSeparator() || a->text().trimmed().isEmpty()) continue;
      const qsizetype at = a->text().indexOf(u'&');
      EXPECT_EQ(at >= 0, english) << a->text().toStdString();
      if (at >= 0) keys << a->text().mid(at + 1, 1).toLower();
    }
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(',').toStdString();
  };
  StartedWindow s;
  for (Language language : {Language::english, Language::japanese, Language::english}) {
    applyLanguage(language);
    QApplication::processEvents(); // the windows' LanguageChange
    const bool english = language == Language::english;
    keysOf(s.w.menuBar()->actions(), english);
    for (const QAction* title : s.w.menuBar()->actions())
      if (title->menu()) keysOf(title->menu()->actions(), english);
  }
  applyLanguage(Language::japanese);
}

TEST(Keyboard, ShortcutsTriggerTheirActions) {
  StartedWindow s;
  s.w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&s.w));
  // Zooming in by key changes the scale as the button does; fit by key
  // returns to the view that shows the layout.
  const double scale = s.m.view.viewScale;
  QTest::keySequence(&s.w, QKeySequence::ZoomIn);
  EXPECT_DOUBLE_EQ(s.m.view.viewScale, scale * 1.05);
  QTest::keySequence(&s.w, QKeySequence(Qt::Key_Home));
  EXPECT_EQ(s.m.view.viewScale, scale);
  int opened = 0;
  s.w.chooseFile = [&](bool, const QString&) {
    ++opened;
    return QString();
  };
  QTest::keySequence(&s.w, QKeySequence::Open);
  EXPECT_EQ(opened, 1);
  // Save as has its key also where the platform names none.
  QTest::keySequence(&s.w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  EXPECT_EQ(opened, 2);
}

TEST(Probe, StatusLineShowsThePositionUnderTheMouse) {
  StartedWindow s;
  auto* probe = s.w.findChild<QLabel*>("Probe");
  ASSERT_TRUE(probe);
  // Beside the first body: the position; no flow yet.
  const int x = roundHalfAway(s.m.pixels.bodyCentre[1].x) + 30,
            y = roundHalfAway(s.m.pixels.bodyCentre[1].y);
  QTest::mouseMove(s.w.centralWidget(), QPoint(x, y));
  const LayoutPoint at = pixelToLayout(s.m.view, s.w.surfaces().bitmap, x, y);
  EXPECT_EQ(probe->text(), QStringLiteral("x %1 y %2")
                               .arg(QString::number(at.x, 'f', 1), QString::number(at.y, 'f', 1)));
}

TEST(ViewFitWindow, ALayoutChangeBringsTheWallsIntoSightUnlessTheUserMovedTheView) {
  StartedWindow s;
  const double startScale = s.m.view.viewScale;
  auto makeTall = [&](int spacing) {
    for (int c = 1; c <= s.m.layout.nColumns; ++c) {
      s.m.layout.columnBodies[c] = 4;
      s.m.layout.columnSpacing[c] = spacing;
    }
    ASSERT_TRUE(s.w.layoutRefresh());
  };
  auto wallsShown = [&] {
    const int bottom = s.w.centralWidget()->height();
    return s.m.pixels.main[1][1].y < bottom && s.m.pixels.main[1][s.m.grids.mainNy].y > 0;
  };
  makeTall(40);
  EXPECT_LT(s.m.view.viewScale, startScale);
  EXPECT_TRUE(wallsShown());
  s.w.resetViewClick(); // the start-up view, kept as the user's
  EXPECT_EQ(s.m.view.viewScale, startScale);
  makeTall(38);
  EXPECT_EQ(s.m.view.viewScale, startScale);
  s.w.fitViewClick();
  s.w.onPanLeft(); // a pan: the user's view is kept from now on
  const double panned = s.m.view.viewScale;
  makeTall(36);
  EXPECT_EQ(s.m.view.viewScale, panned);
  s.w.resetViewClick();
  makeTall(40);
  EXPECT_EQ(s.m.view.viewScale, startScale);
  EXPECT_FALSE(wallsShown());
  s.w.fitViewClick();
  EXPECT_TRUE(wallsShown());
}

TEST(ViewFitWindow, ThePatternsKeepTheirClassicViews) {
  for (int n = 1; n <= 4; ++n) {
    StartedWindow s;
    auto classic = makeModel();
    FakeWindowServices ws;
    setStartupDefaults(classic->layout, classic->editing, classic->view);
    ASSERT_TRUE(rebuildGrids(*classic));
    centreViewAtStart(classic->layout, classic->grids, classic->view);
    ASSERT_TRUE(applyPreset(*classic, n));
    (s.w.*std::array{&MainWindow::onPattern1Chosen, &MainWindow::onPattern2Chosen,
                     &MainWindow::onPattern3Chosen, &MainWindow::onPattern4Chosen}[n - 1])();
    EXPECT_EQ(s.m.view.viewScale, classic->view.viewScale) << "pattern " << n;
    EXPECT_EQ(s.m.view.viewCentreX, classic->view.viewCentreX) << "pattern " << n;
    EXPECT_EQ(s.m.view.viewCentreY, classic->view.viewCentreY) << "pattern " << n;
  }
}

} // namespace
