// Whirlpane: the desktop program.  Creates the main window (which sets the
// layout defaults and makes the first grids), shows it with the layout
// dialog beside it, and runs the event loop until the main window closes.
// `whirlpane LAYOUT.json` opens a layout file at start; `whirlpane --batch`
// runs one layout without a window (batch/batch.h).
#include "batch/batch.h"
#include "ui/application_setup.h"
#include "ui/language.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char* argv[]) {
  // The solver's threads may only be used when they sleep while they wait
  // (solver/parallel.h).  The OpenMP runtime reads its wait policy once, as
  // it is loaded, before main; so a program started without one sets it and
  // replaces itself with a fresh start of the same program and arguments,
  // which then finds the variable set and goes on (no second start).  Should
  // the new start fail, the setting is taken back and the solver keeps to
  // one thread.
  if (!std::getenv("OMP_WAIT_POLICY") && !std::getenv("GOMP_SPINCOUNT")) {
    setenv("OMP_WAIT_POLICY", "passive", 1);
    // The program's own file by its real name, so that the new start keeps
    // the process name "whirlpane" (a start through /proc/self/exe is "exe").
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
      self[n] = '\0';
      execv(self, argv);
    }
    unsetenv("OMP_WAIT_POLICY");
  }
  if (batchModeAsked(argc, argv)) return runBatch(argc, argv);
  // The plain event dispatcher: the run processes pending events thousands
  // of times, and the GLib one costs several times more per call.
  if (qEnvironmentVariableIsEmpty("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Whirlpane"));
  // Only the main window's closing ends the program.
  app.setQuitOnLastWindowClosed(false);
  installFontSubstitution();
  applyLanguage(startLanguage(app.arguments()));

  MainWindow window;
  // A termination signal before the event loop runs (while a message of the
  // start-up is open) cannot end a loop that has not begun: it is noted here.
  bool terminationAsked = false;
  installQuitSignals([&window, &terminationAsked] {
    terminationAsked = true;
    window.requestQuit();
  });
  // A session that ends asks the main window to close like the desktop does.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.requestQuit(); });
  window.showAtStart();
  // After the dialog's first showing, which regenerates the layout from its
  // fields: the first argument that is not an option (the toolkit has taken
  // its own options out; --lang takes the word after it).
  const QStringList arguments = app.arguments();
  for (qsizetype k = 1; k < arguments.size(); ++k) {
    if (arguments[k] == QLatin1String("--lang")) {
      ++k;
      continue;
    }
    if (arguments[k].startsWith(QLatin1String("--lang="))) continue;
    window.openLayoutFile(arguments[k]);
    break;
  }
  if (terminationAsked) return 0;
  return app.exec();
}
