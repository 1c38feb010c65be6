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
#include "ui/command_line.h"
#include "view/colour_legend.h"
#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"
#include "view/vectors.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
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
  BatchServices(int steps, Language language) : steps_(steps), language_(language) {
    clock_.start();
  }

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
  Language language() const override { return language_; }

private:
  int steps_;
  int position_ = 0;
  int reported_ = 0;
  Language language_;
  QElapsedTimer clock_;
};

struct BatchRequest {
  QString layout, out;
  int steps = 300;
  QStringList pictures;
  bool fill = false, blackLines = false, fields = false;
  // The flow conditions given on the command line, over the file's.
  std::optional<double> reynolds, mach;
  std::optional<BodyViscosity> bodyViscosity;
  std::optional<TimeStepping> timeStepping;
};

// A number of a flow option within [low, high]; an error is its reason.
std::optional<double> rangedNumber(const QCommandLineParser& parser,
                                   const QCommandLineOption& option, double low, double high,
                                   QString& error) {
  bool ok = false;
  const double value = parser.value(option).toDouble(&ok);
  if (ok && value >= low && value <= high) return value;
  error = QStringLiteral("--%1 wants a number from %2 to %3, not '%4'")
              .arg(option.names().first())
              .arg(low)
              .arg(high)
              .arg(parser.value(option));
  return std::nullopt;
}

// Reads the flow options into r; false with the reason in error when one is
// out of its range or not one of its names.
bool parseFlowOptions(const CommandLine& cl, BatchRequest& r, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  if (parser.isSet(cl.reynolds) &&
      !(r.reynolds = rangedNumber(parser, cl.reynolds, kReynoldsLow, kReynoldsHigh, error)))
    return false;
  if (parser.isSet(cl.mach) &&
      !(r.mach = rangedNumber(parser, cl.mach, kMachLow, kMachHigh, error)))
    return false;
  if (parser.isSet(cl.bodyViscosity) &&
      !(r.bodyViscosity = bodyViscosityNamed(parser.value(cl.bodyViscosity).toStdString()))) {
    error =
        "--body-viscosity wants classic or uniform, not '" + parser.value(cl.bodyViscosity) + "'";
    return false;
  }
  if (parser.isSet(cl.timeStepping) &&
      !(r.timeStepping = timeSteppingNamed(parser.value(cl.timeStepping).toStdString()))) {
    error =
        "--time-stepping wants local or time-accurate, not '" + parser.value(cl.timeStepping) + "'";
    return false;
  }
  return true;
}

void applyFlowOptions(const BatchRequest& r, FlowConditions& flow) {
  if (r.reynolds) flow.reynolds = *r.reynolds;
  if (r.mach) flow.mach = *r.mach;
  if (r.bodyViscosity) flow.bodyViscosity = *r.bodyViscosity;
  if (r.timeStepping) flow.timeStepping = *r.timeStepping;
}

const QStringList kPictureNames = {"vectors", "vorticity", "pressure", "density"};

int fail(int code, const QString& line) {
  std::fprintf(stderr, "whirlpane: %s\n", line.toLocal8Bit().constData());
  return code;
}

// The batch's values of the parsed command line; an error is its reason.
std::optional<BatchRequest> parseRequest(const CommandLine& cl, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  const QCommandLineOption &batch = cl.batch, &out = cl.out, &steps = cl.steps,
                           &picture = cl.picture, &fill = cl.fill, &blackLines = cl.blackLines,
                           &fields = cl.fields;
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
    if (!ok || r.steps < 1) {
      error = "--steps wants a whole number of at least 1, not '" + parser.value(steps) + "'";
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
  if (!parseFlowOptions(cl, r, error)) return std::nullopt;
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

// "pt_1" .. "pt_4", the patterns of the pattern menu.
bool isPatternName(const QString& name) {
  return name.startsWith("pt_") && name.size() == 4 && name[3] >= '1' && name[3] <= '4';
}

// The main window's creation (defaults, grids, view centre), then the layout
// asked for: "default", a pattern "pt_1" .. "pt_4" or a layout file.  Returns
// the exit code and its reason when the layout cannot be had.
std::optional<std::pair<int, QString>> makeLayout(Model& m, BatchServices& ws,
                                                  const QString& layout) {
  setStartupDefaults(m);
  kmake(m, ws);
  m.viewCentreX = m.columnBody[m.nColumns][1].columnBodyX / 2 - 10;
  if (isPatternName(layout)) {
    applyPreset(m, ws, layout[3].digitValue());
  } else if (layout != "default") {
    const LayoutFileResult read = readLayoutFile(layout, m.layout());
    if (!read.layout) return std::pair{batchExit::badArguments, read.error};
    m.layout() = *read.layout;
    m.flow = read.flow;
    kmake(m, ws);
  }
  if (!ws.messages.empty())
    return std::pair{batchExit::capacity, QString::fromStdString(ws.messages[0])};
  return std::nullopt;
}

} // namespace

int writeNamedLayout(const CommandLine& cl, std::optional<Language> language) {
  const QString name = cl.parser.value(cl.writeLayout);
  if (name != "default" && !isPatternName(name))
    return badCommandLine("--write-layout wants default or pt_1 .. pt_4, not '" + name + "'");
  std::unique_ptr<Model> model = makeModel();
  BatchServices ws(0, language.value_or(Language::japanese));
  if (const auto failed = makeLayout(*model, ws, name)) return fail(failed->first, failed->second);
  const QString path = cl.parser.positionalArguments().first();
  if (const auto failed = saveLayoutFile(path, model->layout()))
    return fail(batchExit::outputFailed, *failed);
  return batchExit::done;
}

int runBatch(const CommandLine& cl, std::optional<Language> language, int argc, char* argv[]) {
  // No window and no display: the offscreen platform gives the pictures'
  // legends their fonts.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Standard error carries the progress and the one line of a failure; the
  // toolkit's notes about the environment (no runtime directory, fonts) stay
  // out of it.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QString error;
  const std::optional<BatchRequest> request = parseRequest(cl, error);
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
  if (!request) return badCommandLine(error);
  if (!QDir().mkpath(request->out))
    return fail(batchExit::outputFailed, "cannot create the directory '" + request->out + "'");

  std::unique_ptr<Model> model = makeModel();
  Model& m = *model;
  BatchServices ws(request->steps, language.value_or(Language::japanese));
  const QString& layout = request->layout;
  if (const auto failed = makeLayout(m, ws, layout)) return fail(failed->first, failed->second);
  applyFlowOptions(*request, m.flow);

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

  const QDir out(request->out);
  if (const auto failed = saveRunSummary(out.filePath("summary.json"), runSummary(m, outcome)))
    return fail(batchExit::outputFailed, "cannot write summary.json: " + *failed);
  if (outcome.diverged)
    return fail(batchExit::diverged, QString::fromStdString(ws.messages.back()));

  for (const QString& name : request->pictures)
    if (const auto failed = writePicture(m, surfaces, ws, name, out.filePath(name + ".png")))
      return fail(batchExit::outputFailed, *failed);
  if (request->fields)
    if (const auto failed = writeFlowFieldsCgns(m, out.filePath("fields.cgns").toStdString()))
      return fail(batchExit::outputFailed,
                  "cannot write fields.cgns: " + QString::fromStdString(*failed));
  return batchExit::done;
}
