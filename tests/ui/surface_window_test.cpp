#include "ui_fixture.h"

#include "analysis/surface_distribution.h"
#include "headless_session.h"
#include "run/run.h"
#include "ui/force_history_chart.h"
#include "ui/history_window.h"
#include "ui/surface_window.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

TEST(SurfaceWindow, PlotsTheChosenBodyAgainstAngleOrLengthWithItsWallShearZeros) {
  HeadlessSession s;
  SurfaceWindow w(*s.m, nullptr);
  w.refresh();
  EXPECT_EQ(w.cpSeries()->count(), 0) << "no run yet";
  EXPECT_TRUE(w.tabSeparated().isEmpty());

  runCalculationSteps(*s.m, s.ws, s.stages, 300);
  w.refresh();
  ASSERT_EQ(w.bodyChoice()->count(), s.m->grids.nBodies);
  w.bodyChoice()->setCurrentIndex(2);
  const SurfaceDistribution d =
      surfaceDistribution(s.m->layout, s.m->constants, s.m->grids, s.m->solution, 3);
  ASSERT_EQ(w.cpSeries()->count(), std::ssize(d.points));
  ASSERT_GE(d.zeros.size(), 2u) << "the front and a separation at least";
  for (bool byAngle : {true, false}) {
    w.abscissaChoice()->setCurrentIndex(byAngle ? 0 : 1);
    for (int k = 0; k < w.cfSeries()->count(); ++k) {
      const SurfacePoint& p = d.points[k];
      EXPECT_EQ(w.cfSeries()->at(k), QPointF(byAngle ? p.angle : p.s, p.cf));
      EXPECT_EQ(w.cpSeries()->at(k), QPointF(byAngle ? p.angle : p.s, p.cp));
    }
    qsizetype separations = 0;
    for (const WallShearZero& z : d.zeros) {
      const QScatterSeries* marks = z.separation ? w.separationSeries() : w.reattachmentSeries();
      EXPECT_TRUE(marks->points().contains(QPointF(byAngle ? z.angle : z.s, 0)));
      separations += z.separation;
    }
    EXPECT_EQ(w.separationSeries()->count(), separations);
    EXPECT_EQ(w.zerosTable()->rowCount(), std::ssize(d.zeros));
  }
  w.findChild<QPushButton*>("CopyButton")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), w.tabSeparated());
  EXPECT_EQ(w.tabSeparated().count('\n'), std::ssize(d.points) + std::ssize(d.zeros) + 3);

  // Every body's points as CSV.
  QTemporaryDir dir;
  w.csvHooks = {[&dir](const QString&) { return dir.filePath("surface.csv"); },
                [](const QString& m) { ADD_FAILURE() << m.toStdString(); }};
  w.findChild<QPushButton*>("SaveCsvButton")->click();
  QFile csv(dir.filePath("surface.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  qsizetype points = 0;
  for (int b = 1; b <= s.m->grids.nBodies; ++b)
    points += std::ssize(
        surfaceDistribution(s.m->layout, s.m->constants, s.m->grids, s.m->solution, b).points);
  EXPECT_EQ(csv.readAll().count('\n'), points + 1);

  s.m->layout.layoutSize[1][1] += 1; // another layout: the flow is none of its
  w.refresh();
  EXPECT_EQ(w.cpSeries()->count(), 0);
  EXPECT_EQ(w.zerosTable()->rowCount(), 0);
}

TEST(SurfaceWindow, TheMenuItemIsEnabledForAFlowOfTheLayoutOnScreenOnly) {
  StartedWindow s;
  QMenu* results = s.w.findChild<QMenu*>("resultsMenu");
  QAction* item = s.w.findChild<QAction*>("surfaceItem");
  emit results->aboutToShow();
  EXPECT_FALSE(item->isEnabled());
  s.m.solution.flowStep = 1;
  s.m.solution.flowLayout = s.m.layout;
  s.m.solution.flowConditionsOfResult = s.m.flow;
  emit results->aboutToShow();
  EXPECT_TRUE(item->isEnabled());
  s.m.flow.reynolds = 150;
  emit results->aboutToShow();
  EXPECT_FALSE(item->isEnabled());
}

TEST(HistoryWindow, ShowsTheChosenBodysCdAndClOfEveryStepAndFollowsTheRun) {
  HeadlessSession s;
  HistoryWindow w(*s.m, nullptr);
  ForceHistoryChart* f = w.forceChart();
  runCalculationSteps(*s.m, s.ws, s.stages, 30);
  w.refresh();
  ASSERT_EQ(f->bodyChoice()->count(), s.m->grids.nBodies);
  const auto expectBody = [&](int b, int steps) {
    ASSERT_EQ(f->cdSeries()->count(), steps) << "body " << b;
    ASSERT_EQ(f->clSeries()->count(), steps) << "body " << b;
    for (int k = 0; k < steps; ++k) {
      const ForceSample& sample =
          s.m->solution.forceHistory[std::size_t(k) * s.m->grids.nBodies + b - 1];
      EXPECT_EQ(f->cdSeries()->at(k), QPointF(k + 1, sample.cd)) << "body " << b;
      EXPECT_EQ(f->clSeries()->at(k), QPointF(k + 1, sample.cl)) << "body " << b;
    }
  };
  expectBody(1, 30);
  f->bodyChoice()->setCurrentIndex(4);
  expectBody(5, 30);
  continueCalculation(*s.m, s.ws, s.stages); // steps 31..330, taken on as the residual is
  w.refresh();
  expectBody(5, 330);
  EXPECT_EQ(w.stepsShown(), 330);
}

} // namespace
