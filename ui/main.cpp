// Whirlpane: the desktop program.  Creates the main window (which sets the
// layout defaults and makes the first grids), shows it with the layout
// dialog beside it, and runs the event loop until the main window closes.
#include "ui/application_setup.h"
#include "ui/language.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
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
  installQuitSignals([&window] { window.requestQuit(); });
  // A session that ends asks the main window to close like the desktop does.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.requestQuit(); });
  window.showAtStart();
  return app.exec();
}
