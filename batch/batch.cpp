#include "batch/batch.h"

#include "batch/run_summary.h"
#include "fields/flow_fields_cgns.h"
#include "files/layout_file.h"
#include "layout/kmake.h"
#include "layout/presets.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "ui/application_setup.h"
#include "ui/colour_legend_view.h"
#include "view/colour_legend.h"
#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"
#include "view/vectors.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The window services of a run without a window: messages are kept (they
// decide the exit code and go to standard error), the progress is one line
// every 10 steps.
class BatchServices : public WindowServices {
public:
  explicit BatchServices(int steps) : steps_(steps) { clock_.start(); }

  std::vector<std::string> messages;
  bool stepsStarted = false;

  void setStatusText(int panel, const std::string&) override {
    // The run writes panel 1 after every tenth step (and at its end): the
    // step in progress is then the one just finished.
    if (panel == 1 && position_ % 10 == 0 && position_ > reported_) {
      reported_ = position_;
      std::fprintf(stderr, "whirlpane: step %d of %d\n", position_, steps_);
    }
  }
  void setCheckBoxVisible(int, bool) override {}
  void setProgressRange(int, int) override {}
  void setProgressPosition(int position) override {
    stepsStarted = true;
    position_ = position;
  }
  void setProgressVisible(bool) override {}
  void processPendingMessages() override {}
  void showMessage(const std::string& text) override { messages.push_back(text); }
  std::uint32_t tickCount() override { return static_cast<std::uint32_t>(clock_.elapsed()); }

private:
  int steps_;
  int position_ = 0;
  int reported_ = 0;
  QElapsedTimer clock_;
};

struct BatchRequest {
  QString layout, out;
  int steps = 300;
  QStringList pictures;
  bool fill = false, blackLines = false, fields = false;
};

const QStringList kPictureNames = {"vectors", "vorticity", "pressure", "density"};

int fail(int code, const QString& line) {
  std::fprintf(stderr, "whirlpane: %s\n", line.toLocal8Bit().constData());
  return code;
}

// The command line; an error is one line on standard error.
std::optional<BatchRequest> parseRequest(const QStringList& arguments, QString& error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption batch("batch", "", "LAYOUT");
  const QCommandLineOption out("out", "", "DIR");
  const QCommandLineOption steps("steps", "", "N");
  const QCommandLineOption picture("picture", "", "NAME");
  const QCommandLineOption fill("fill");
  const QCommandLineOption blackLines("black-lines");
  const QCommandLineOption fields("fields");
  parser.addOptions({batch, out, steps, picture, fill, blackLines, fields});
  if (!parser.parse(arguments)) {
    error = parser.errorText();
    return std::nullopt;
  }
  if (!parser.positionalArguments().isEmpty()) {
    error = "unexpected argument '" + parser.positionalArguments().first() + "'";
    return std::nullopt;
  }
  if (!parser.isSet(out)) {
    error = "--out DIR is required";
    return std::nullopt;
  }
  BatchRequest r;
  r.layout = parser.value(batch);
  r.out = parser.value(out);
  if (parser.isSet(steps)) {
    bool ok = false;
    r.steps = parser.value(steps).toInt(&ok);
    if (!ok || r.steps < 1 || r.steps > kMaxRunSteps) {
      error = QStringLiteral("--steps wants a whole number from 1 to %1, not '%2'")
                  .arg(kMaxRunSteps)
                  .arg(parser.value(steps));
      return std::nullopt;
    }
  }
  r.pictures = parser.values(picture);
  for (const QString& name : r.pictures)
    if (!kPictureNames.contains(name)) {
      error = "--picture wants one of " + kPictureNames.join(", ") + ", not '" + name + "'";
      return std::nullopt;
    }
  r.fill = parser.isSet(fill);
  r.blackLines = parser.isSet(blackLines);
  r.fields = parser.isSet(fields);
  return r;
}

// Draws one picture as its plot button draws it and writes it with its
// legend.
std::optional<QString> writePicture(Model& m, ViewSurfaces& s, WindowServices& ws,
                                    const QString& name, const QString& path) {
  ColourLegend legend;
  if (name == "vectors") {
    fillWhite(s.bitmap);
    Max_RyuV(m, 0.9);
    Draw_Vec_RY(m, s.bitmap, ws, 1);
    s.copyBitmapToWindow();
    legend = vectorLegend(m);
  } else if (name == "vorticity") {
    draw_omeg(m, s, ws);
    legend = mapLegend(m, LegendQuantity::vorticity);
  } else if (name == "pressure") {
    draw_pres(m, s, ws);
    legend = mapLegend(m, LegendQuantity::pressure);
  } else {
    draw_mitudo(m, s, ws);
    legend = mapLegend(m, LegendQuantity::density);
  }
  const DrawingSurface& w = s.window;
  const QImage view(reinterpret_cast<const uchar*>(w.bits()), w.width(), w.height(), w.width() * 4,
                    QImage::Format_RGBX8888);
  return savePicturePng(path, pictureWithLegend(view, legend));
}

} // namespace

bool batchModeAsked(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--batch") == 0 || std::strncmp(argv[i], "--batch=", 8) == 0)
      return true;
  return false;
}

int runBatch(int argc, char* argv[]) {
  // No window and no display: the offscreen platform gives the pictures'
  // legends their fonts.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Standard error carries the progress and the one line of a failure; the
  // toolkit's notes about the environment (no runtime directory, fonts) stay
  // out of it.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  QString error;
  const std::optional<BatchRequest> request = parseRequest(arguments, error);
  // The toolkit's graphics (fonts for the legend) are started only when a
  // picture is asked for; a run alone needs the core application only.
  std::unique_ptr<QCoreApplication> app;
  if (request && !request->pictures.isEmpty()) {
    app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitution();
    QGuiApplication::setFont(interfaceFont(12));
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  if (!request) return fail(batchExit::badArguments, error);
  if (!QDir().mkpath(request->out))
    return fail(batchExit::badArguments, "cannot create the directory '" + request->out + "'");

  // The main window's creation: defaults, grids, view centre.
  std::unique_ptr<Model> model = makeModel();
  Model& m = *model;
  BatchServices ws(request->steps);
  setStartupDefaults(m);
  kmake(m, ws);
  m.viewCentreX = m.columnBody[m.nColumns][1].columnBodyX / 2 - 10;

  const QString& layout = request->layout;
  if (layout.startsWith("pt_") && layout.size() == 4 && layout[3] >= '1' && layout[3] <= '4') {
    applyPreset(m, ws, layout[3].digitValue());
  } else if (layout != "default") {
    const LayoutFileResult read = readLayoutFile(layout, m.layout());
    if (!read.layout) return fail(batchExit::badArguments, read.error);
    m.layout() = *read.layout;
    // A file whose bodies overlap is a bad layout file; one too large for
    // the arrays has its own code.
    if (makeGrids(m, ws) == LayoutRefusal::overlap)
      return fail(batchExit::badArguments, QString::fromStdString(ws.messages[0]));
  }
  if (!ws.messages.empty())
    return fail(batchExit::capacity, QString::fromStdString(ws.messages[0]));

  // A summary of an earlier run must not stand beside this run's outputs
  // while they are written, nor after a run that is killed.
  const QDir out(request->out);
  const QString summaryPath = out.filePath("summary.json");
  if (QFile::exists(summaryPath) && !QFile::remove(summaryPath))
    return fail(batchExit::outputNotWritten, "cannot remove the earlier " + summaryPath);

  ViewSurfaces surfaces;
  Henkan_Scale(m, surfaces.bitmap, ws);
  m.fillContours = request->fill;
  m.blackLines = request->blackLines;
  HeadlessStages stages(m, surfaces, ws);

  // What the start button runs; the particle traces that follow it in the
  // window leave stepsDone as it was, then it is counted one up.
  QElapsedTimer clock;
  clock.start();
  m.runStartTick = ws.tickCount();
  keisanSteps(m, ws, stages, request->steps);
  m.stepsDone = m.stepsDone + 1;
  BatchOutcome outcome;
  outcome.elapsedMs = clock.elapsed();
  if (!ws.stepsStarted)
    return fail(batchExit::capacity,
                QString::fromStdString(ws.messages.empty() ? std::string() : ws.messages[0]));
  outcome.layout = layout;
  outcome.steps = request->steps;
  outcome.diverged = m.stopFlag;
  outcome.divergedAtStep = m.stepsDone;

  // The pictures and fields of a sound run first, the summary last: a folder
  // with a summary has every output.
  if (!outcome.diverged) {
    for (const QString& name : request->pictures)
      if (const auto failed = writePicture(m, surfaces, ws, name, out.filePath(name + ".png")))
        return fail(batchExit::outputNotWritten, *failed);
    if (request->fields)
      if (const auto failed = writeFlowFieldsCgns(m, out.filePath("fields.cgns").toStdString()))
        return fail(batchExit::outputNotWritten,
                    "cannot write fields.cgns: " + QString::fromStdString(*failed));
  }
  if (const auto failed = saveRunSummary(summaryPath, runSummary(m, outcome)))
    return fail(batchExit::outputNotWritten, "cannot write summary.json: " + *failed);
  if (outcome.diverged)
    return fail(batchExit::diverged, QString::fromStdString(ws.messages.back()));
  return batchExit::done;
}
