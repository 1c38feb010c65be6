// The batch mode as a process: its exit codes, its summary against a run of
// the window, its pictures; and the run beyond 300 steps.
#include "grid_bits.h"
#include "ui_fixture.h"

#include "analysis/forces.h"
#include "batch/batch.h"
#include "batch/run_summary.h"
#include "files/layout_file.h"
#include "gui/colour_legend_view.h"
#include "layout/presets.h"
#include "run/run.h"
#include "view/field_maps.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include "headless_session.h"

#include <cgnslib.h>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>

namespace {

struct Finished {
  int exitCode;
  QStringList errorLines;
};

Finished runWhirlpane(const QStringList& arguments) {
  QProcess p;
  p.start(WHIRLPANE_EXECUTABLE, arguments);
  if (!p.waitForFinished(kWaitSeconds * 1000)) {
    failWaitingFor("whirlpane " + arguments.join(' ').toStdString() + " to finish");
    p.kill();
    p.waitForFinished();
  }
  const QString err = QString::fromLocal8Bit(p.readAllStandardError());
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          err.split('\n', Qt::SkipEmptyParts)};
}

QJsonObject readSummary(const QString& dir) {
  QFile f(dir + "/summary.json");
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(f.readAll()).object();
}

void writeFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

// Columns of identical bodies, as a layout file.
QByteArray uniformLayout(int columns, int bodies, const char* shape, int size, int spacing,
                         double ratio) {
  const QJsonObject body{{"shape", shape}, {"size", size}, {"turn", 0}};
  QJsonArray column;
  for (int k = 0; k < bodies; ++k) column.append(body);
  QJsonArray all;
  for (int c = 0; c < columns; ++c)
    all.append(QJsonObject{{"gap", 26}, {"spacing", spacing}, {"bodies", column}});
  return QJsonDocument(
             QJsonObject{{"whirlpane-layout", 1}, {"ellipseRatio", ratio}, {"columns", all}})
      .toJson();
}

} // namespace

TEST(BatchMode, DefaultRunMatchesTheWindowsRunAndWritesItsPicture) {
  QTemporaryDir dir;
  const QString out = dir.filePath("new folder");
  const Finished f = runWhirlpane({"--batch", "default", "--out", out, "--picture", "pressure"});
  ASSERT_EQ(f.exitCode, batchExit::done) << f.errorLines.join('\n').toStdString();
  ASSERT_EQ(f.errorLines.size(), 30) << "one progress line every 10 steps, nothing else";
  EXPECT_EQ(f.errorLines.back(), "whirlpane: step 300 of 300");

  // The same run through the window: the start button, then the traces
  // stopped as soon as they are drawn.
  StartedWindow s;
  s.w.services().statusObserver = [&](int panel, const std::string& text) {
    if (panel == 1 && text.rfind("　所要計算時間　＝", 0) == 0) s.w.onStopClicked();
  };
  s.untilTheLoopEnds("the full run and its traces, stopped once drawn",
                     [&] { s.w.onStartClicked(); });
  ASSERT_EQ(s.m.run.stepsDone, 300);

  const QJsonObject summary = readSummary(out);
  const FlowRanges r = flowRanges(s.m.layout, s.m.grids, s.m.coupling, s.m.solution);
  EXPECT_EQ(summary["layout"].toString(), "default");
  EXPECT_EQ(summary["steps"].toInt(), 300);
  EXPECT_EQ(summary["stepsDone"].toInt(), 300);
  EXPECT_FALSE(summary["diverged"].toBool());
  EXPECT_TRUE(summary["divergedAtStep"].isNull());
  EXPECT_GE(summary["elapsedMs"].toDouble(), 0);
  EXPECT_EQ(summary["mainGrid"].toArray(), (QJsonArray{s.m.grids.mainNx, s.m.grids.mainNy}));
  EXPECT_EQ(summary["perimeterPoints"].toInt(), s.m.grids.bodyPerimeterPoints);
  const QJsonObject links = summary["links"].toObject();
  for (const auto& [name, oldName, count] :
       {std::tuple{"mainFromBody", "ryFromWk", s.m.coupling.mainFromBodyCount},
        std::tuple{"bodyFromMain", "wkFromRy", s.m.coupling.bodyFromMainCount},
        std::tuple{"bodyFromBody", "wkFromWk", s.m.coupling.bodyFromBodyCount}}) {
    EXPECT_EQ(links[name].toInt(), count) << name;
    EXPECT_EQ(links[oldName].toInt(), count) << oldName;
  }
  EXPECT_EQ(summary["holes"].toInt(), s.m.coupling.mainHoleCount);
  // Bit for bit: the numbers are written so that they read back exactly.
  EXPECT_EQ(summary["density"].toArray(), (QJsonArray{r.densityMin, r.densityMax}));
  EXPECT_EQ(summary["pressure"].toArray(), (QJsonArray{r.pressureMin, r.pressureMax}));
  EXPECT_EQ(summary["speedMax"].toDouble(), r.speedMax);
  EXPECT_GT(r.densityMax, r.densityMin);
  // One residual per step done; one force entry per body, as the window's
  // run gives them, bit for bit.
  const QJsonArray residual = summary["residual"].toArray();
  ASSERT_EQ(residual.size(), summary["stepsDone"].toInt());
  for (int s2 = 0; s2 < residual.size(); ++s2)
    EXPECT_EQ(residual[s2].toDouble(), s.m.solution.residualHistory[s2].densityResidual)
        << "step " << s2 + 1;
  const QJsonArray bodies = summary["bodies"].toArray();
  const FlowForces forces = flowForces(s.m.layout, s.m.constants, s.m.grids, s.m.solution);
  ASSERT_EQ(bodies.size(), s.m.grids.nBodies);
  for (int b = 0; b < bodies.size(); ++b) {
    const QJsonObject o = bodies[b].toObject();
    EXPECT_EQ(o["column"].toInt(), forces.bodies[b].column);
    EXPECT_EQ(o["body"].toInt(), forces.bodies[b].body);
    EXPECT_EQ(o["shape"].toString(), kLayoutShapeNames.at(forces.bodies[b].shape));
    EXPECT_TRUE(std::isfinite(o["cd"].toDouble()) && std::isfinite(o["cl"].toDouble()));
    EXPECT_EQ(o["cd"].toDouble(), forces.bodies[b].cd);
    EXPECT_EQ(o["cl"].toDouble(), forces.bodies[b].cl);
  }
  EXPECT_EQ(summary["pressureDrop"].toDouble(), forces.pressureDrop);

  // The picture is the pressure map as the button draws it, on a view
  // bitmap of the window's size at creation (the window here may be a
  // frame's width larger), with its legend beside it.
  const QImage png(out + "/pressure.png");
  ASSERT_FALSE(png.isNull()) << "a decodable PNG";
  ViewSurfaces surfaces;
  placeLayoutOnBitmap(s.m.layout, s.m.grids, s.m.view, s.m.pixels, surfaces.bitmap);
  (void)drawPressureMap(s.m, surfaces);
  const DrawingSurface& w = surfaces.window;
  const QImage view(reinterpret_cast<const uchar*>(w.bits()), w.width(), w.height(), w.width() * 4,
                    QImage::Format_RGBX8888);
  const ColourLegend legend = mapLegend(s.m.view, LegendQuantity::pressure);
  EXPECT_EQ(png.size(), QSize(kDefaultBitmapWidth + legendWidth(legend), kDefaultBitmapHeight));
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
            pictureWithLegend(view, legend).convertToFormat(QImage::Format_RGB32));
}

struct BadCommand {
  const char* name;
  QStringList arguments; // after --out DIR unless it says otherwise
  const char* says;
};

TEST(BatchMode, BadCommandLinesAndLayoutFilesExitWithCode2) {
  QTemporaryDir dir;
  writeFile(dir.filePath("bad.json"), R"({"whirlpane-layout": 1, "columns": []})");
  writeFile(dir.filePath("overlapping.json"), uniformLayout(2, 2, "ellipse", 20, 26, 3.2));
  const BadCommand cases[] = {
      {"no --out", {"--batch", "default"}, "--out"},
      {"unknown option", {"--batch", "default", "--out", dir.path(), "--colour"}, "colour"},
      {"steps not a number", {"--batch", "default", "--out", dir.path(), "--steps", "ten"}, "ten"},
      {"steps zero", {"--batch", "default", "--out", dir.path(), "--steps", "0"}, "--steps"},
      {"steps beyond what the program holds",
       {"--batch", "default", "--out", dir.path(), "--steps", "2147483647"},
       "10000000"},
      {"unknown picture",
       {"--batch", "default", "--out", dir.path(), "--picture", "speed"},
       "speed"},
      {"missing layout file",
       {"--batch", dir.filePath("none.json"), "--out", dir.path()},
       "none.json"},
      {"bad layout file", {"--batch", dir.filePath("bad.json"), "--out", dir.path()}, "bad.json"},
      {"bodies that overlap",
       {"--batch", dir.filePath("overlapping.json"), "--out", dir.path()},
       "が重なっています"},
      {"reynolds out of range",
       {"--batch", "default", "--out", dir.path(), "--reynolds", "9"},
       "--reynolds"},
      {"flow-speed dissipation below Mach 0.05",
       {"--batch", "default", "--out", dir.path(), "--dissipation", "flow-speed", "--mach", "0.03"},
       "at least 0.05"},
      {"steps with until settled",
       {"--batch", "default", "--out", dir.path(), "--until-settled", "--steps", "400"},
       "--max-steps"},
      {"max steps without until settled",
       {"--batch", "default", "--out", dir.path(), "--max-steps", "400"},
       "--until-settled"},
      {"unknown body viscosity",
       {"--batch", "default", "--out", dir.path(), "--body-viscosity", "double"},
       "double"},
      {"a classic channel given its height only",
       {"--batch", "default", "--out", dir.path(), "--height", "80"},
       "--upstream"},
      {"a channel across the bodies",
       {"--batch", "default", "--out", dir.path(), "--height", "40", "--upstream", "30",
        "--downstream", "30"},
       "流路"},
  };
  for (const BadCommand& c : cases) {
    const Finished f = runWhirlpane(c.arguments);
    EXPECT_EQ(f.exitCode, batchExit::badArguments) << c.name;
    ASSERT_FALSE(f.errorLines.isEmpty()) << c.name;
    EXPECT_TRUE(f.errorLines[0].contains(c.says))
        << c.name << ": " << f.errorLines[0].toStdString();
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("summary.json")));
}

TEST(BatchMode, FlowOptionsOverrideTheFilesAndTheSummarySaysWhatWasUsed) {
  QTemporaryDir dir;
  QJsonObject layout = QJsonDocument::fromJson(uniformLayout(1, 1, "circle", 16, 26, 2)).object();
  layout["flow"] = QJsonObject{{"reynolds", 150}, {"bodyViscosity", "uniform"}, {"mach", 0.03}};
  writeFile(dir.filePath("flow.json"), QJsonDocument(layout).toJson());
  const Finished f = runWhirlpane({"--batch", dir.filePath("flow.json"), "--out", dir.path(),
                                   "--steps", "20", "--mach", "0.08", "--time-stepping",
                                   "time-accurate", "--dissipation", "flow-speed"});
  ASSERT_EQ(f.exitCode, batchExit::done) << f.errorLines.join('\n').toStdString();
  const QJsonObject s = readSummary(dir.path());
  const QJsonObject flow = s["flow"].toObject();
  EXPECT_EQ(flow["reynolds"].toDouble(), 150);
  EXPECT_EQ(flow["mach"].toDouble(), 0.08);
  EXPECT_EQ(flow["bodyViscosity"].toString(), "uniform");
  EXPECT_EQ(flow["timeStepping"].toString(), "time-accurate");
  EXPECT_EQ(flow["dissipation"].toString(), "flow-speed");
  const double uInf = 0.08 * std::sqrt(1.4);
  EXPECT_DOUBLE_EQ(flow["inflowSpeed"].toDouble(), uInf);
  EXPECT_DOUBLE_EQ(flow["bodyViscosityValue"].toDouble(), uInf / 150);
  // 20 steps of the flow time, in D / U∞, each close to the last (the flow
  // at rest hardly changes the stable step in 20 steps).
  EXPECT_NEAR(flow["time"].toDouble(), 20 * flow["timeStep"].toDouble(),
              1e-4 * flow["time"].toDouble());
  const QJsonObject body = s["bodies"].toArray()[0].toObject();
  EXPECT_DOUBLE_EQ(body["cd"].toDouble(),
                   body["cdPressure"].toDouble() + body["cdViscous"].toDouble());
}

TEST(BatchMode, ChannelOptionsOverrideTheFilesAndTheSummaryGivesTheChannelBuilt) {
  QTemporaryDir dir;
  QJsonObject layout = QJsonDocument::fromJson(uniformLayout(1, 1, "circle", 8, 26, 2)).object();
  layout["channel"] =
      QJsonObject{{"height", 32.8}, {"upstream", 16}, {"downstream", 160}, {"inflow", "parabolic"}};
  writeFile(dir.filePath("channel.json"), QJsonDocument(layout).toJson());
  const Finished f = runWhirlpane({"--batch", dir.filePath("channel.json"), "--out", dir.path(),
                                   "--steps", "2", "--downstream", "40", "--body-offset", "-0.4",
                                   "--outlet", "whole", "--ends", "non-reflecting"});
  ASSERT_EQ(f.exitCode, batchExit::done) << f.errorLines.join('\n').toStdString();
  const QJsonObject s = readSummary(dir.path());
  const QJsonObject channel = s["channel"].toObject();
  EXPECT_EQ(channel["classic"].toBool(), false);
  EXPECT_NEAR(channel["height"].toDouble(), 32.8, 1e-12) << "26 whole cells of 32.8 / 26";
  EXPECT_EQ(channel["upstream"].toDouble(), 16);
  EXPECT_NEAR(channel["downstream"].toDouble(), 44 * 32.8 / 26 - 16, 1e-12)
      << "56 rounded to 44 cells";
  EXPECT_NEAR(channel["bodyOffset"].toDouble(), -0.4, 1e-12);
  EXPECT_EQ(channel["inflow"].toString(), "parabolic");
  EXPECT_EQ(channel["outlet"].toString(), "whole");
  EXPECT_EQ(channel["ends"].toString(), "non-reflecting");
  EXPECT_EQ(s["layoutRecord"].toObject()["channel"].toObject()["height"].toDouble(), 32.8);
}

TEST(BatchMode, ALayoutBeyondTheCapacityExitsWithCode3AndTheMessage) {
  QTemporaryDir dir;
  writeFile(dir.filePath("large.json"), uniformLayout(6, 5, "ellipse", 20, 40, 4.0));
  const Finished f = runWhirlpane({"--batch", dir.filePath("large.json"), "--out", dir.path()});
  EXPECT_EQ(f.exitCode, batchExit::capacity);
  ASSERT_EQ(f.errorLines.size(), 1);
  EXPECT_TRUE(f.errorLines[0].contains("1775")) << f.errorLines[0].toStdString();
  // The run's messages follow --lang.
  const Finished english =
      runWhirlpane({"--batch", dir.filePath("large.json"), "--out", dir.path(), "--lang", "en"});
  EXPECT_EQ(english.exitCode, batchExit::capacity);
  ASSERT_EQ(english.errorLines.size(), 1);
  EXPECT_TRUE(english.errorLines[0].contains("1775"));
  EXPECT_FALSE(english.errorLines[0].contains(QRegularExpression("[\\x{3000}-\\x{ffef}]")))
      << english.errorLines[0].toStdString();
}

TEST(BatchMode, AnOutputThatCannotBeWrittenExitsWithCode5) {
  QTemporaryDir dir;
  writeFile(dir.filePath("plain file"), "not a folder");
  const Finished f = runWhirlpane({"--batch", "default", "--out", dir.filePath("plain file/out")});
  EXPECT_EQ(f.exitCode, batchExit::outputFailed) << f.errorLines.join('\n').toStdString();
}

// --help and --version answer on standard output without a display in
// either mode; a bad command line gets a short usage on standard error and
// exit code 2; --write-layout writes a pattern as a layout file.
TEST(CommandLine, HelpVersionAndUsageNeedNoDisplay) {
  struct Case {
    QStringList arguments;
    int exitCode;
    const char* output; // start of standard output
    const char* error;  // part of standard error
  } const cases[] = {
      {{"--help"}, 0, "Usage: whirlpane [options]", ""},
      {{"--batch", "default", "--help"}, 0, "Usage: whirlpane [options]", ""},
      {{"--version"}, 0, "whirlpane " WHIRLPANE_TEST_VERSION "\n", ""},
      {{"--batch", "pt_1", "--out", "x", "--version"}, 0, "whirlpane ", ""},
      {{"--colour"}, 2, "", "Try 'whirlpane --help'"},
      {{"--lang", "fr"}, 2, "", "--lang"},
      {{"--threads", "-1"}, 2, "", "--threads"},
      {{"a.json", "b.json"}, 2, "", "one layout file"},
      {{"--write-layout", "pt_3"}, 2, "", "FILE"},
      {{"--write-layout", "pt_9", "x.json"}, 2, "", "pt_9"},
  };
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(name);
  for (const Case& c : cases) {
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(WHIRLPANE_EXECUTABLE, c.arguments);
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    const std::string name = c.arguments.join(' ').toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << name;
    EXPECT_EQ(p.exitCode(), c.exitCode) << name << "\n" << err.toStdString();
    EXPECT_TRUE(*c.output ? out.startsWith(c.output) : out.isEmpty())
        << name << ": " << out.toStdString();
    EXPECT_TRUE(*c.error ? err.contains(c.error) : err.isEmpty())
        << name << ": " << err.toStdString();
  }
}

TEST(CommandLine, WriteLayoutWritesThePatternAsALayoutFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("pt_3.json");
  ASSERT_EQ(runWhirlpane({"--write-layout", "pt_3", path}).exitCode, 0);
  HeadlessSession s;
  applyPreset(*s.m, 3);
  const LayoutFileResult read = readLayoutFile(path, LayoutParameters{});
  ASSERT_TRUE(read.layout) << read.error.toStdString();
  EXPECT_EQ(layoutJson(*read.layout), layoutJson(s.m->layout));
}

TEST(BatchMode, ADivergingRunExitsWithCode4AndWritesItsSummary) {
  // Thirty large triangles packed closer than their size: the flow through
  // the slits between them breaks down after some thousand steps.
  QTemporaryDir dir;
  writeFile(dir.filePath("packed.json"), uniformLayout(6, 5, "triangle", 20, 18, 2.0));
  writeFile(dir.filePath("summary.json"), "an older summary");
  const Finished f = runWhirlpane({"--batch", dir.filePath("packed.json"), "--out", dir.path(),
                                   "--steps", "2000", "--overwrite", "--fields"});
  ASSERT_EQ(f.exitCode, batchExit::diverged);
  const QJsonObject summary = readSummary(dir.path());
  ASSERT_TRUE(summary["diverged"].toBool());
  const int at = summary["divergedAtStep"].toInt();
  EXPECT_GT(at, 0);
  EXPECT_LT(at, 2000);
  EXPECT_EQ(summary["stepsDone"].toInt(), at);
  EXPECT_EQ(summary["steps"].toInt(), 2000);
  EXPECT_FALSE(QFile::exists(dir.filePath("surface.csv"))) << "no surfaces of a broken flow";
  EXPECT_TRUE(summary["bodies"][0]["separation"].isNull());
  // The last line is the run's own message, naming the step.
  EXPECT_TRUE(f.errorLines.back().endsWith(QString::fromUtf8("計算回数＝%1").arg(at)))
      << f.errorLines.back().toStdString();
  // The fields as they stood after the last step that passed the check.
  int file = 0, step = 0;
  ASSERT_EQ(cg_open(dir.filePath("fields.cgns").toUtf8().constData(), CG_MODE_READ, &file), CG_OK);
  ASSERT_EQ(cg_goto(file, 1, "BaseIterativeData_t", 1, "end"), CG_OK);
  ASSERT_EQ(cg_array_read_as(1, CGNS_ENUMV(Integer), &step), CG_OK);
  cg_close(file);
  EXPECT_EQ(step, at - 1);
}

TEST(BatchMode, AnOutputThatCannotBeWrittenExitsWithCode5AndLeavesNoSummary) {
  // A folder where the picture should go: the picture cannot be written, so
  // no summary may claim a finished run, neither a new one nor an earlier one.
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("vorticity.png"));
  writeFile(dir.filePath("summary.json"), "an earlier summary");
  const Finished f = runWhirlpane({"--batch", "default", "--out", dir.path(), "--steps", "20",
                                   "--picture", "vorticity", "--overwrite"});
  EXPECT_EQ(f.exitCode, batchExit::outputFailed) << f.errorLines.join('\n').toStdString();
  ASSERT_FALSE(f.errorLines.isEmpty());
  EXPECT_TRUE(f.errorLines.back().contains("vorticity.png")) << f.errorLines.back().toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("summary.json")));
}

TEST(BatchMode, StepsBeyond300ContinueTheStartButtonsRun) {
  // 400 steps in one run ...
  HeadlessSession longer;
  runCalculationSteps(*longer.m, longer.ws, longer.stages, 400);
  // ... equal 300 and then 100 more steps of the same loop, with the plots
  // at the same residues: pressure at 330, vorticity at 360, vectors at 390.
  HeadlessSession start;
  runCalculation(*start.m, start.ws, start.stages);
  for (int s = 301; s <= 400; ++s) {
    timeStep(*start.m);
    if (s % 90 == 30) start.stages.plotVectors();
    if (s % 90 == 60) start.stages.plotPressure();
    if (s % 90 == 0) start.stages.plotVorticity();
  }
  EXPECT_TRUE(sameBits(longer.m->solution.mainFlow, start.m->solution.mainFlow));
  EXPECT_TRUE(sameBits(longer.m->solution.bodyFlow, start.m->solution.bodyFlow));
  EXPECT_EQ(longer.m->run.stepsDone, 399);
}

TEST(BatchMode, UntilSettledStopsWhenTheDragSettlesAndWritesTheHistories) {
  QTemporaryDir dir;
  const QString out = dir.filePath("run");
  const QStringList arguments = {"--batch",
                                 "pt_1",
                                 "--out",
                                 out,
                                 "--until-settled",
                                 "--settle-window",
                                 "50",
                                 "--settle-tolerance",
                                 "0.05",
                                 "--max-steps",
                                 "3000"};
  ASSERT_EQ(runWhirlpane(arguments).exitCode, batchExit::done);
  const QJsonObject summary = readSummary(out);
  const int steps = summary["stepsDone"].toInt();
  EXPECT_EQ(summary["stopReason"].toString(), "settled");
  EXPECT_TRUE(summary["settled"].toBool());
  EXPECT_LT(steps, 3000);
  EXPECT_EQ(steps % 10, 0) << "the rule is looked at every tenth step";
  EXPECT_LE(summary["settleRule"].toObject()["meanDragChange"].toDouble(), 0.05);
  const QJsonArray bodies = summary["bodies"].toArray();
  for (const QJsonValue& b : bodies) {
    const QJsonArray cd = b.toObject()["cdHistory"].toArray();
    ASSERT_EQ(cd.size(), steps);
    EXPECT_EQ(cd.last().toDouble(), b.toObject()["cd"].toDouble());
  }
  qsizetype recorded = 0;
  for (const QJsonValue& c : summary["layoutRecord"].toObject()["columns"].toArray())
    recorded += c.toObject()["bodies"].toArray().size();
  EXPECT_EQ(recorded, bodies.size()) << "the layout record holds the bodies run";
  QFile history(out + "/history.csv"), forces(out + "/forces.csv");
  ASSERT_TRUE(history.open(QIODevice::ReadOnly) && forces.open(QIODevice::ReadOnly));
  EXPECT_EQ(history.readAll().count('\n'), steps + 1);
  EXPECT_EQ(forces.readAll().count('\n'), bodies.size() + 1);
  // A closed surface's wall shear changes sign an even number of times,
  // separation and reattachment by turns, and a settled wake has both.
  for (const QJsonValue& b : bodies) {
    const QJsonArray zeros = b.toObject()["separation"].toArray();
    ASSERT_GE(zeros.size(), 2);
    EXPECT_EQ(zeros.size() % 2, 0);
    for (qsizetype k = 1; k < zeros.size(); ++k) {
      EXPECT_NE(zeros[k]["kind"], zeros[k - 1]["kind"]);
      EXPECT_GT(zeros[k]["angle"].toDouble(), zeros[k - 1]["angle"].toDouble());
    }
  }
  QFile surface(out + "/surface.csv");
  ASSERT_TRUE(surface.open(QIODevice::ReadOnly));
  const QList<QByteArray> rows = surface.readAll().split('\n');
  EXPECT_EQ(rows.first(), "body,index,x,y,s,angle,cp,cf\r");
  EXPECT_TRUE(rows[rows.size() - 2].startsWith(QByteArray::number(bodies.size()) + ','))
      << "the last body's points close the table";

  // The same folder again: refused, then with --overwrite an earlier
  // picture not asked for again is gone.
  writeFile(out + "/vectors.png", "an earlier picture");
  const QStringList again = {"--batch", "pt_1", "--out", out, "--steps", "10"};
  EXPECT_EQ(runWhirlpane(again).exitCode, batchExit::outputFailed);
  EXPECT_EQ(readSummary(out)["stepsDone"].toInt(), steps) << "the earlier run left as it was";
  ASSERT_EQ(runWhirlpane(again + QStringList{"--overwrite"}).exitCode, batchExit::done);
  EXPECT_FALSE(QFile::exists(out + "/vectors.png"));
  EXPECT_EQ(readSummary(out)["stepsDone"].toInt(), 10);
}
