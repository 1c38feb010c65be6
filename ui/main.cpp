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

int main(int argc, char* argv[]) {
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
  applyThreadsSetting();

  MainWindow window;
  installQuitSignals([&window] { window.requestQuit(); });
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
  return app.exec();
}
