// The solver's thread count taken from the user's settings.
#include "gui/application_setup.h"
#include "solver/parallel.h"

#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(ThreadsSetting, APositiveWholeNumberIsUsedAnythingElseLeavesTheCount) {
  QStandardPaths::setTestModeEnabled(true); // settings go to a test place
  QSettings settings{QStringLiteral("Whirlpane"), QStringLiteral("Whirlpane")};
  setSolverThreads(0);
  const int automatic = solverThreads();
  for (const char* value : {"", "0", "-2", "two"}) {
    settings.setValue(QStringLiteral("threads"), QString::fromLatin1(value));
    settings.sync();
    applyThreadsSetting();
    EXPECT_EQ(solverThreads(), automatic) << "\"" << value << "\"";
  }
  settings.setValue(QStringLiteral("threads"), 3);
  settings.sync();
  applyThreadsSetting();
  EXPECT_EQ(solverThreads(), 3);
  settings.remove(QStringLiteral("threads"));
  setSolverThreads(0);
}
