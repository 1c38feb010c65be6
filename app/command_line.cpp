#include "app/command_line.h"

#include "run/run.h"

#include "solver/parallel.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <type_traits>

namespace {

// The toolkit's own options, taken out of the arguments by the application
// object; hidden from the help.
QList<QCommandLineOption> toolkitOptions() {
  QList<QCommandLineOption> options;
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style",
                           "stylesheet", "display", "geometry", "title", "qmljsdebugger"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    options.append(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    options.append(option);
  }
  return options;
}

const char* const kDescription =
    "Two-dimensional viscous compressible flow through a channel of bodies,\n"
    "computed on overlapping grids.\n"
    "\n"
    "Without --batch or --write-layout the window opens, with LAYOUT.json if one\n"
    "is given.  --batch runs one layout without a window or display.\n"
    "\n"
    "Exit codes of the batch mode: 0 done; 2 bad command line or layout file;\n"
    "3 layout too large for the arrays; 4 the run diverged (summary written);\n"
    "5 an output could not be written, or DIR holds an earlier run's outputs\n"
    "and --overwrite was not given.";

QStringList argumentList(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

void print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

} // namespace

CommandLine::CommandLine()
    : batch("batch", "Run LAYOUT (default, pt_1 .. pt_4 or a layout file) without a window.",
            "LAYOUT"),
      out("out", "Batch: write summary.json and the other outputs into DIR.", "DIR"),
      steps("steps", "Batch: run N steps (default 300).", "N"),
      picture("picture",
              "Batch: draw NAME (vectors, vorticity, pressure, density) after the last step "
              "into DIR/NAME.png; may be repeated.",
              "NAME"),
      fill("fill", "Batch: filled contour maps."),
      blackLines("black-lines", "Batch: contour lines in black."),
      fields("fields", "Batch: write the flow of the last step into DIR/fields.cgns."),
      reynolds("reynolds",
               "Batch: Reynolds number on 16 layout units, 10 to 200 (default 100 or the "
               "layout file's).",
               "RE"),
      mach("mach", "Batch: Mach number of the inflow, 0.01 to 0.1 (default 0.05 or the file's).",
           "M"),
      bodyViscosity("body-viscosity",
                    "Batch: viscosity of the bodies' grids, classic (twice the main grid's) or "
                    "uniform.",
                    "classic|uniform"),
      timeStepping("time-stepping",
                   "Batch: local time steps (classic) or time-accurate (one step for all "
                   "points).",
                   "local|time-accurate"),
      dissipation("dissipation",
                  "Batch: the artificial dissipation scaled with the sound speed (classic) or "
                  "with the flow speed (flow-speed, a low-Mach radius).",
                  "classic|flow-speed"),
      fineness("fineness",
               "Batch: grid fineness, 1 (the classic grids) to 4 (default 1 or the file's).", "F"),
      height("height",
             "Batch: a channel of height H layout units (with --upstream and --downstream "
             "unless the file sizes its channel).",
             "H"),
      upstream("upstream", "Batch: the channel's length from the inflow to the first column.", "U"),
      downstream("downstream", "Batch: the channel's length from the last column to the outlet.",
                 "L"),
      bodyOffset("body-offset",
                 "Batch: how far the bodies' centre line lies above the channel's (default 0).",
                 "Y"),
      inflow("inflow", "Batch: the inflow profile, uniform (classic) or parabolic.",
             "uniform|parabolic"),
      outlet("outlet",
             "Batch: the outlet, the middle third of the right wall (classic) or the whole "
             "right edge.",
             "middle-third|whole"),
      ends("ends",
           "Batch: the channel's ends, reflecting (classic: the inflow holds the velocity, the "
           "outlet the pressure) or non-reflecting (sound leaves through both).",
           "reflecting|non-reflecting"),
      startTime("start-time",
                "Batch: a time-accurate run's inflow rises from rest over T (in 16 layout units "
                "over the inflow speed; default 0, an impulsive start).",
                "T"),
      untilSettled("until-settled",
                   "Batch: run until every body's mean drag settles: its mean Cd over the last "
                   "window of steps differs from the window before by at most the tolerance "
                   "times max(|mean|, 1); at most --max-steps steps."),
      settleTolerance("settle-tolerance", "Batch: the settle rule's tolerance (default 0.01).",
                      "F"),
      settleWindow("settle-window", "Batch: the settle rule's window of steps (default 300).", "N"),
      maxSteps("max-steps", "Batch: --until-settled stops at N steps at most (default 10000).",
               "N"),
      overwrite("overwrite", "Batch: replace the outputs of an earlier run in DIR."),
      lang("lang", "Language of the interface and of the messages: en or ja.", "en|ja"),
      threads("threads", "Solver threads: N uses N, 0 the cores the program may use (default).",
              "N"),
      writeLayout("write-layout",
                  "Write the layout NAME (default, pt_1 .. pt_4) into the layout file FILE "
                  "and end.",
                  "NAME"),
      help({"h", "help"}, "Show this help and end."),
      version({"v", "version"}, "Show the version and end.") {
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions({batch,           out,          steps,    picture,   fill,
                     blackLines,      fields,       reynolds, mach,      bodyViscosity,
                     timeStepping,    dissipation,  fineness, height,    upstream,
                     downstream,      bodyOffset,   inflow,   outlet,    untilSettled,
                     settleTolerance, settleWindow, maxSteps, overwrite, lang,
                     threads,         writeLayout,  help,     version});
  parser.addOption(ends);
  parser.addOption(startTime);
  parser.addOptions(toolkitOptions());
  parser.addPositionalArgument("LAYOUT.json", "Window: a layout file to open at start.",
                               "[LAYOUT.json]");
  parser.addPositionalArgument("FILE", "--write-layout: the layout file to write.", "[FILE]");
}

int badCommandLine(const QString& reason) {
  print(stderr, "whirlpane: " + reason +
                    "\nUsage: whirlpane [--lang en|ja] [--threads N] [LAYOUT.json]\n"
                    "       whirlpane --batch LAYOUT --out DIR [options]\n"
                    "       whirlpane --write-layout NAME FILE\n"
                    "Try 'whirlpane --help' for more information.\n");
  return 2;
}

StartRequest readCommandLine(CommandLine& cl, int argc, char* argv[]) {
  StartRequest request;
  const auto finish = [&](int code) {
    request.mode = StartRequest::Mode::finished;
    request.exitCode = code;
    return request;
  };
  QCommandLineParser& parser = cl.parser;
  if (!parser.parse(argumentList(argc, argv))) return finish(badCommandLine(parser.errorText()));
  if (parser.isSet(cl.help) || parser.isSet(cl.version)) {
    // The help names the program through the application object; a core
    // application needs no display.
    // The help's usage line names the program by the first argument: its
    // plain name, wherever it was started from.
    char name[] = "whirlpane";
    char* arguments[] = {name, nullptr};
    int count = 1;
    QCoreApplication app(count, arguments);
    QCoreApplication::setApplicationName(QStringLiteral("whirlpane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(WHIRLPANE_VERSION));
    print(stdout, parser.isSet(cl.help) ? parser.helpText()
                                        : QStringLiteral("whirlpane " WHIRLPANE_VERSION "\n"));
    return finish(0);
  }
  if (parser.isSet(cl.lang)) {
    const QString code = parser.value(cl.lang);
    if (code != QLatin1String("en") && code != QLatin1String("ja"))
      return finish(badCommandLine("--lang takes en or ja, not '" + code + "'"));
    request.language = code == QLatin1String("en") ? Language::english : Language::japanese;
  }
  if (parser.isSet(cl.threads)) {
    bool ok = false;
    const int threads = parser.value(cl.threads).toInt(&ok);
    if (!ok || threads < 0)
      return finish(badCommandLine("--threads wants a whole number of at least 0, not '" +
                                   parser.value(cl.threads) + "'"));
    setSolverThreads(threads);
  }
  const qsizetype positional = parser.positionalArguments().size();
  if (parser.isSet(cl.writeLayout) && parser.isSet(cl.batch))
    return finish(badCommandLine("--write-layout and --batch do not go together"));
  if (parser.isSet(cl.writeLayout)) {
    if (positional != 1) return finish(badCommandLine("--write-layout NAME wants one FILE"));
    request.mode = StartRequest::Mode::writeLayout;
  } else if (parser.isSet(cl.batch)) {
    request.mode = StartRequest::Mode::batch;
  } else if (positional > 1) {
    return finish(
        badCommandLine("one layout file at most, not " + parser.positionalArguments().join(' ')));
  }
  return request;
}

namespace {

// The value of an option as a number within [low, high] (whole for int);
// an error is its reason.
template <class Number>
std::optional<Number> numberInRange(const QCommandLineParser& parser,
                                    const QCommandLineOption& option, Number low, Number high,
                                    QString& error) {
  bool ok = false;
  const QString text = parser.value(option);
  const Number value = [&] {
    if constexpr (std::is_same_v<Number, int>)
      return text.toInt(&ok);
    else
      return text.toDouble(&ok);
  }();
  if (ok && value >= low && value <= high) return value;
  error = QStringLiteral("--%1 wants %2 from %3 to %4, not '%5'")
              .arg(option.names().first(), std::is_same_v<Number, int>
                                               ? QStringLiteral("a whole number")
                                               : QStringLiteral("a number"))
              .arg(low)
              .arg(high)
              .arg(text);
  return std::nullopt;
}

// Reads the flow options into r; false with the reason in error when one is
// out of its range or not one of its names.
bool parseFlowOptions(const CommandLine& cl, BatchRequest& r, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  if (parser.isSet(cl.reynolds) &&
      !(r.reynolds = numberInRange(parser, cl.reynolds, kReynoldsLow, kReynoldsHigh, error)))
    return false;
  if (parser.isSet(cl.mach) &&
      !(r.mach = numberInRange(parser, cl.mach, kMachLow, kMachHigh, error)))
    return false;
  if (parser.isSet(cl.fineness) &&
      !(r.fineness = numberInRange(parser, cl.fineness, kFinenessLow, kFinenessHigh, error)))
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
  if (parser.isSet(cl.dissipation) &&
      !(r.dissipation = dissipationNamed(parser.value(cl.dissipation).toStdString()))) {
    error = "--dissipation wants classic or flow-speed, not '" + parser.value(cl.dissipation) + "'";
    return false;
  }
  return true;
}

// Reads the channel options into r; false with the reason in error when a
// length is out of its range or a choice not one of its names.
bool parseChannelOptions(const CommandLine& cl, BatchRequest& r, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  for (auto [option, value] : {std::pair{&cl.height, &r.height},
                               {&cl.upstream, &r.upstream},
                               {&cl.downstream, &r.downstream}})
    if (parser.isSet(*option) &&
        !(*value = numberInRange(parser, *option, kChannelLengthLow, kChannelLengthHigh, error)))
      return false;
  if (parser.isSet(cl.bodyOffset) &&
      !(r.bodyOffset =
            numberInRange(parser, cl.bodyOffset, -kChannelLengthHigh, kChannelLengthHigh, error)))
    return false;
  if (parser.isSet(cl.inflow) &&
      !(r.inflow = channelInflowNamed(parser.value(cl.inflow).toStdString()))) {
    error = "--inflow wants uniform or parabolic, not '" + parser.value(cl.inflow) + "'";
    return false;
  }
  if (parser.isSet(cl.outlet) &&
      !(r.outlet = channelOutletNamed(parser.value(cl.outlet).toStdString()))) {
    error = "--outlet wants middle-third or whole, not '" + parser.value(cl.outlet) + "'";
    return false;
  }
  if (parser.isSet(cl.ends) && !(r.ends = channelEndsNamed(parser.value(cl.ends).toStdString()))) {
    error = "--ends wants reflecting or non-reflecting, not '" + parser.value(cl.ends) + "'";
    return false;
  }
  if (parser.isSet(cl.startTime) &&
      !(r.startTime = numberInRange(parser, cl.startTime, 0.0, kStartTimeHigh, error)))
    return false;
  return true;
}

// Reads the run length: --steps, or --until-settled with its rule and
// --max-steps.
bool parseRunLength(const CommandLine& cl, BatchRequest& r, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  r.untilSettled = parser.isSet(cl.untilSettled);
  if (!r.untilSettled) {
    for (const QCommandLineOption* option : {&cl.settleTolerance, &cl.settleWindow, &cl.maxSteps})
      if (parser.isSet(*option)) {
        error = "--" + option->names().first() + " goes with --until-settled only";
        return false;
      }
    if (!parser.isSet(cl.steps)) return true;
    const std::optional<int> steps = numberInRange(parser, cl.steps, 1, kMaxRunSteps, error);
    if (steps) r.steps = *steps;
    return steps.has_value();
  }
  if (parser.isSet(cl.steps)) {
    error = "--steps and --until-settled do not go together (use --max-steps)";
    return false;
  }
  r.steps = 10'000;
  if (parser.isSet(cl.maxSteps)) {
    const std::optional<int> steps = numberInRange(parser, cl.maxSteps, 1, kMaxRunSteps, error);
    if (!steps) return false;
    r.steps = *steps;
  }
  if (parser.isSet(cl.settleWindow)) {
    const std::optional<int> window =
        numberInRange(parser, cl.settleWindow, 10, kMaxRunSteps, error);
    if (!window) return false;
    r.settleWindow = *window;
  }
  if (parser.isSet(cl.settleTolerance)) {
    const std::optional<double> tolerance =
        numberInRange(parser, cl.settleTolerance, 1e-9, 1.0, error);
    if (!tolerance) return false;
    r.settleTolerance = *tolerance;
  }
  return true;
}

} // namespace

std::optional<BatchRequest> readBatchRequest(const CommandLine& cl, QString& error) {
  const QCommandLineParser& parser = cl.parser;
  const QCommandLineOption &batch = cl.batch, &out = cl.out, &picture = cl.picture, &fill = cl.fill,
                           &blackLines = cl.blackLines, &fields = cl.fields;
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
  if (!parseRunLength(cl, r, error)) return std::nullopt;
  r.overwrite = parser.isSet(cl.overwrite);
  r.pictures = parser.values(picture);
  for (const QString& name : r.pictures)
    if (!batchPictureNames().contains(name)) {
      error = "--picture wants one of " + batchPictureNames().join(", ") + ", not '" + name + "'";
      return std::nullopt;
    }
  r.fill = parser.isSet(fill);
  r.blackLines = parser.isSet(blackLines);
  r.fields = parser.isSet(fields);
  if (!parseFlowOptions(cl, r, error) || !parseChannelOptions(cl, r, error)) return std::nullopt;
  return r;
}
