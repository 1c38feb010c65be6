// Whirlpane: the desktop program.  Creates the main window (which sets the
// layout defaults and makes the first grids), shows it with the layout
// dialog beside it, and runs the event loop until the main window closes.
// `whirlpane LAYOUT.json` opens a layout file at start; `whirlpane --batch`
// runs one layout without a window (batch/batch.h); the command line is
// read before anything else (app/command_line.h).
#include "app/command_line.h"
#include "batch/batch.h"
#include "gui/application_setup.h"
#include "gui/language.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
  // The solver's thread count from the settings; --threads wins over it.
  applyThreadsSetting();
  CommandLine commandLine;
  const StartRequest start = readCommandLine(commandLine, argc, argv);
  switch (start.mode) {
  case StartRequest::Mode::finished:
    return start.exitCode;
  case StartRequest::Mode::batch: {
    QString error;
    const std::optional<BatchRequest> request = readBatchRequest(commandLine, error);
    if (!request) return badCommandLine(error);
    return runBatch(*request, start.language, argc, argv);
  }
  case StartRequest::Mode::writeLayout: {
    const QString name = commandLine.parser.value(commandLine.writeLayout);
    if (name != "default" && !isPatternName(name))
      return badCommandLine("--write-layout wants default or pt_1 .. pt_4, not '" + name + "'");
    return writeNamedLayout(name, commandLine.parser.positionalArguments().first(), start.language);
  }
  case StartRequest::Mode::window:
    break;
  }
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
  // fields.
  if (!commandLine.parser.positionalArguments().isEmpty())
    window.openLayoutFile(commandLine.parser.positionalArguments().first());
  if (terminationAsked) return 0;
  return app.exec();
}
