#include "batch/batch.h"

#include "batch/run_summary.h"
#include "fields/flow_fields_cgns.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "files/result_tables.h"
#include "files/save_file.h"
#include "gui/application_setup.h"
#include "gui/colour_legend_view.h"
#include "layout/presets.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "run/setup.h"
#include "view/colour_legend.h"
#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"
#include "view/vectors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

const QStringList& batchPictureNames() {
  static const QStringList names = {"vectors", "vorticity", "pressure", "density"};
  return names;
}

QStringList batchOutputNames() {
  QStringList names;
  for (const QString& picture : batchPictureNames()) names.append(picture + ".png");
  names << "fields.cgns"
        << "history.csv"
        << "forces.csv"
        << "surface.csv"
        << "summary.json";
  return names;
}

bool isPatternName(const QString& name) {
  return name.startsWith("pt_") && name.size() == 4 && name[3] >= '1' && name[3] <= '4';
}

namespace {

// What a run without a window hands over: the progress is one line every 10
// steps; the messages of the problems and outcomes it is given are kept (they
// decide the exit code and go to standard error).
class BatchServices : public RunObserver {
public:
  BatchServices(int steps, Language language, bool quiet = false)
      : steps_(steps), language_(language), quiet_(quiet) {
    clock_.start();
  }

  std::vector<std::string> messages;
  bool stepsStarted = false;

  // The problem's message kept; returns the refusal it makes.
  LayoutRefusal keep(const std::optional<SetupProblem>& problem) {
    if (problem) messages.push_back(problemText(*problem, language_));
    return refusalOf(problem);
  }
  void keep(const RunOutcome& outcome) {
    for (std::string& text : outcomeMessages(outcome, language_))
      messages.push_back(std::move(text));
  }

  void setStatusText(int panel, const std::string&) override {
    // The run writes panel 1 after every tenth step (and at its end): the
    // step in progress is then the one just finished.
    if (!quiet_ && panel == 1 && position_ % 10 == 0 && position_ > reported_) {
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
  std::uint32_t tickCount() override { return static_cast<std::uint32_t>(clock_.elapsed()); }
  Language language() const override { return language_; }

private:
  int steps_;
  int position_ = 0;
  int reported_ = 0;
  Language language_;
  bool quiet_;
  QElapsedTimer clock_;
};

void applyFlowOptions(const BatchRequest& r, FlowConditions& flow) {
  if (r.reynolds) flow.reynolds = *r.reynolds;
  if (r.mach) flow.mach = *r.mach;
  if (r.bodyViscosity) flow.bodyViscosity = *r.bodyViscosity;
  if (r.timeStepping) flow.timeStepping = *r.timeStepping;
  if (r.dissipation) flow.dissipation = *r.dissipation;
  if (r.fineness) flow.fineness = *r.fineness;
}

// The channel options over the layout's channel; the reason when they give
// a channel only part of its lengths.
std::optional<QString> applyChannelOptions(const BatchRequest& r, ChannelConditions& channel) {
  if (r.height || r.upstream || r.downstream || r.bodyOffset) {
    if (!channel.sized && !(r.height && r.upstream && r.downstream))
      return QStringLiteral("--height, --upstream and --downstream go together when the layout's "
                            "channel is the classic one");
    channel.sized = true;
    channel.height = r.height.value_or(channel.height);
    channel.upstream = r.upstream.value_or(channel.upstream);
    channel.downstream = r.downstream.value_or(channel.downstream);
    channel.bodyOffset = r.bodyOffset.value_or(channel.bodyOffset);
  }
  channel.inflow = r.inflow.value_or(channel.inflow);
  channel.outlet = r.outlet.value_or(channel.outlet);
  channel.ends = r.ends.value_or(channel.ends);
  channel.startTime = r.startTime.value_or(channel.startTime);
  return std::nullopt;
}

int fail(int code, const QString& line) {
  std::fprintf(stderr, "whirlpane: %s\n", line.toLocal8Bit().constData());
  return code;
}

// The earlier outputs in `out`: refused without --overwrite, removed with it.
std::optional<QString> clearEarlierOutputs(const QDir& out, bool overwrite) {
  QStringList earlier;
  for (const QString& name : batchOutputNames())
    if (QFile::exists(out.filePath(name))) earlier.append(name);
  if (earlier.isEmpty()) return std::nullopt;
  if (!overwrite)
    return "'" + out.path() + "' holds the outputs of an earlier run (" + earlier.join(", ") +
           "); give --overwrite to replace them";
  // The summary first: a folder without it holds no finished run.
  std::reverse(earlier.begin(), earlier.end()); // summary.json is named last
  for (const QString& name : earlier)
    if (!QFile::remove(out.filePath(name)))
      return "cannot remove the earlier " + out.filePath(name);
  return std::nullopt;
}

// Writes one table, whole or not at all.
std::optional<QString> writeTable(const QDir& out, const QString& name, const QByteArray& text) {
  const QString path = out.filePath(name);
  if (const auto failed = saveFileWhole(path, text))
    return "cannot write " + name + ": " + fileErrorReason(path, FileAccess::write, *failed);
  return std::nullopt;
}

// Draws one picture as its plot button draws it and writes it with its
// legend.
std::optional<QString> writePicture(Model& m, ViewSurfaces& s, RunObserver& observer,
                                    const QString& name, const QString& path) {
  ColourLegend legend;
  if (name == "vectors") {
    fillWhite(s.bitmap);
    findSpeedRange(m.layout, m.grids, m.solution, m.view, 0.9);
    showPlotCaption(observer, drawVelocityVectors(m.layout, m.grids, m.pixels, m.solution, m.view,
                                                  s.bitmap, 1));
    s.copyBitmapToWindow();
    legend = vectorLegend(m.view);
  } else if (name == "vorticity") {
    showPlotCaption(observer, drawVorticityMap(m, s));
    legend = mapLegend(m.view, LegendQuantity::vorticity);
  } else if (name == "pressure") {
    showPlotCaption(observer, drawPressureMap(m, s));
    legend = mapLegend(m.view, LegendQuantity::pressure);
  } else {
    showPlotCaption(observer, drawDensityMap(m, s));
    legend = mapLegend(m.view, LegendQuantity::density);
  }
  const DrawingSurface& w = s.window;
  const QImage view(reinterpret_cast<const uchar*>(w.bits()), w.width(), w.height(), w.width() * 4,
                    QImage::Format_RGBX8888);
  return savePicturePng(path, pictureWithLegend(view, legend));
}

// The main window's creation (defaults, grids, view centre), then the layout
// asked for: "default", a pattern "pt_1" .. "pt_4" or a layout file, in the
// channel the request's options make of its own.  Returns the exit code and
// its reason when the layout cannot be had.
std::optional<std::pair<int, QString>>
makeLayout(Model& m, BatchServices& ws, const QString& layout, const BatchRequest& request = {}) {
  setStartupDefaults(m.layout, m.editing, m.view);
  ws.keep(remakeGrids(m, ws));
  centreViewAtStart(m.layout, m.grids, m.view);
  bool remake = false;
  if (isPatternName(layout)) {
    if (writePreset(m.layout, m.view, layout[3].digitValue())) ws.keep(remakeGrids(m, ws));
  } else if (layout != "default") {
    const LayoutFileResult read = readLayoutFile(layout, m.layout);
    if (!read.layout) return std::pair{batchExit::badArguments, read.error};
    m.layout = *read.layout;
    m.flow = read.flow; // the file's, classic when it has none
    remake = true;
  }
  // Finer grids depend on the flow conditions (the body grids' layers on the
  // Reynolds number): made with the options applied.
  applyFlowOptions(request, m.flow);
  if (!dissipationFitsMach(m.flow))
    return std::pair{batchExit::badArguments,
                     QStringLiteral("the flow-speed dissipation needs a Mach number of at least %1")
                         .arg(kFlowSpeedDissipationMachLow)};
  remake = remake || m.flow.fineness != 1;
  const ChannelConditions fileChannel = m.layout.channel;
  if (const auto partial = applyChannelOptions(request, m.layout.channel))
    return std::pair{batchExit::badArguments, *partial};
  remake = remake || m.layout.channel != fileChannel;
  // A file (or channel) whose bodies overlap is a bad layout; one too large
  // for the arrays has its own code.
  if (remake && ws.messages.empty() && ws.keep(remakeGrids(m, ws)) == LayoutRefusal::overlap)
    return std::pair{batchExit::badArguments, QString::fromStdString(ws.messages[0])};
  if (!ws.messages.empty())
    return std::pair{batchExit::capacity, QString::fromStdString(ws.messages[0])};
  return std::nullopt;
}

} // namespace

int writeNamedLayout(const QString& name, const QString& path, std::optional<Language> language) {
  std::unique_ptr<Model> model = makeModel();
  BatchServices ws(0, language.value_or(Language::japanese));
  if (const auto failed = makeLayout(*model, ws, name)) return fail(failed->first, failed->second);
  if (const auto failed = saveLayoutFile(path, model->layout))
    return fail(batchExit::outputFailed, *failed);
  return batchExit::done;
}

namespace {
// The flow of a diverged run as it stood after its last sound step: the run
// is deterministic to the bit, so the same layout run again to that step
// gives those fields without keeping a copy of every step's flow.
std::optional<std::string> writeLastSoundFields(const BatchRequest& request, Language language,
                                                int lastSoundStep, const QString& path) {
  std::unique_ptr<Model> model = makeModel();
  Model& m = *model;
  BatchServices ws(lastSoundStep, language, /*quiet=*/true);
  if (const auto failed = makeLayout(m, ws, request.layout, request))
    return failed->second.toStdString();
  applyFlowOptions(request, m.flow);
  m.run.runLength = {lastSoundStep, false, request.settleTolerance, request.settleWindow};
  ViewSurfaces surfaces;
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, surfaces.bitmap);
  HeadlessStages stages(m, surfaces, ws);
  (void)runCalculationSteps(m, ws, stages, lastSoundStep); // sound up to that step
  return writeFlowFieldsCgns(m.layout, m.constants, m.grids, m.coupling, m.solution,
                             path.toStdString());
}

// Writes what a finished run leaves in the output folder, the summary last:
// a folder with a summary has every output.  The line of the first failure,
// if one fails.
std::optional<QString> writeRunOutputs(const BatchRequest& request, Model& m,
                                       ViewSurfaces& surfaces, BatchServices& ws,
                                       const BatchOutcome& outcome, const QDir& out) {
  // The pictures and fields of a sound run first.
  if (!outcome.diverged) {
    for (const QString& name : request.pictures)
      if (const auto failed = writePicture(m, surfaces, ws, name, out.filePath(name + ".png")))
        return *failed;
    if (request.fields)
      if (const auto failed =
              writeFlowFieldsCgns(m.layout, m.constants, m.grids, m.coupling, m.solution,
                                  out.filePath("fields.cgns").toStdString()))
        return "cannot write fields.cgns: " + fileErrorReason(out.filePath("fields.cgns"),
                                                              FileAccess::write,
                                                              QString::fromStdString(*failed));
  }
  if (outcome.diverged && request.fields)
    if (const auto failed = writeLastSoundFields(request, ws.language(), outcome.divergedAtStep - 1,
                                                 out.filePath("fields.cgns")))
      return "cannot write fields.cgns: " + fileErrorReason(out.filePath("fields.cgns"),
                                                            FileAccess::write,
                                                            QString::fromStdString(*failed));
  for (const auto& [name, text] :
       {std::pair{QStringLiteral("history.csv"), historyCsv(m.constants, m.grids, m.solution)},
        std::pair{QStringLiteral("forces.csv"),
                  forcesCsv(m.layout, m.constants, m.grids, m.solution, m.run.runLength.window)}})
    if (const auto failed = writeTable(out, name, text)) return *failed;
  // The surfaces of a flow that ran its course only.
  if (!outcome.diverged)
    if (const auto failed =
            writeTable(out, "surface.csv", surfaceCsv(m.layout, m.constants, m.grids, m.solution)))
      return *failed;
  if (const auto failed = saveRunSummary(out.filePath("summary.json"), runSummary(m, outcome)))
    return "cannot write summary.json: " + *failed;
  return std::nullopt;
}
} // namespace

int runBatch(const BatchRequest& request, std::optional<Language> language, int argc,
             char* argv[]) {
  // No window and no display: the offscreen platform gives the pictures'
  // legends their fonts.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Standard error carries the progress and the one line of a failure; the
  // toolkit's notes about the environment (no runtime directory, fonts) stay
  // out of it.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  // The toolkit's graphics (fonts for the legend) are started only when a
  // picture is asked for; a run alone needs the core application only.
  std::unique_ptr<QCoreApplication> app;
  if (!request.pictures.isEmpty()) {
    app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitution();
    QGuiApplication::setFont(interfaceFont(12));
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  if (!QDir().mkpath(request.out))
    return fail(batchExit::outputFailed, "cannot create the directory '" + request.out + "'");

  std::unique_ptr<Model> model = makeModel();
  Model& m = *model;
  BatchServices ws(request.steps, language.value_or(Language::japanese));
  const QString& layout = request.layout;
  if (const auto failed = makeLayout(m, ws, layout, request))
    return fail(failed->first, failed->second);
  applyFlowOptions(request, m.flow);
  m.run.runLength = {request.steps, request.untilSettled, request.settleTolerance,
                     request.settleWindow};

  // No output of an earlier run may stand beside this run's, neither while
  // they are written nor after a run that is killed.
  const QDir out(request.out);
  if (const auto refused = clearEarlierOutputs(out, request.overwrite))
    return fail(batchExit::outputFailed, *refused);

  ViewSurfaces surfaces;
  placeLayoutOnBitmap(m.layout, m.grids, m.view, m.pixels, surfaces.bitmap);
  m.view.fillContours = request.fill;
  m.view.blackLines = request.blackLines;
  HeadlessStages stages(m, surfaces, ws);

  // What the start button runs; the particle traces that follow it in the
  // window leave stepsDone as it was, then it is counted one up.
  QElapsedTimer clock;
  clock.start();
  m.run.runStartTick = ws.tickCount();
  ws.keep(runCalculationSteps(m, ws, stages, request.steps));
  m.run.stepsDone = m.run.stepsDone + 1;
  BatchOutcome outcome;
  outcome.elapsedMs = clock.elapsed();
  if (!ws.stepsStarted)
    return fail(batchExit::capacity,
                QString::fromStdString(ws.messages.empty() ? std::string() : ws.messages[0]));
  outcome.layout = layout;
  outcome.steps = request.steps;
  outcome.diverged = m.run.stopFlag;
  outcome.divergedAtStep = m.run.stepsDone;

  if (const auto failed = writeRunOutputs(request, m, surfaces, ws, outcome, out))
    return fail(batchExit::outputFailed, *failed);
  if (outcome.diverged)
    return fail(batchExit::diverged, QString::fromStdString(ws.messages.back()));
  return batchExit::done;
}
