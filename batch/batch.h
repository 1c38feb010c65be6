// The batch mode: one run of one layout without a window,
//   whirlpane --batch LAYOUT --out DIR [--steps N] [--picture NAME]...
//             [--fill] [--black-lines] [--fields] [--reynolds RE] [--mach M]
//             [--body-viscosity classic|uniform] [--time-stepping local|time-accurate]
//             [--fineness F]
// LAYOUT is "default" (the start-up layout), "pt_1" .. "pt_4" (the patterns)
// or a layout file.  The flow conditions are the layout file's (classic for
// the built-in layouts), each overridden by its option.  The run is the start button's (set-up,
// initial state, the steps with their soundness check and the plots at steps 30, 60 and 0 modulo
// 90), N = 300 steps unless given.  Writes DIR/summary.json, and after the last step DIR/NAME.png
// for every picture asked for (vectors, vorticity, pressure, density, drawn as their buttons draw
// them, with the colour legend) and DIR/fields.cgns with --fields.  A progress line goes to
// standard error every 10 steps.
//
// With --until-settled the run goes on until every body's mean drag has
// settled (run/run.h), at most --max-steps steps.  DIR/history.csv and
// DIR/forces.csv hold the histories and the forces table, and DIR/surface.csv
// the bodies' surface points of a run that did not diverge
// (files/result_tables.h).
//
// summary.json is written last, whole or not at all, after the pictures,
// fields and tables: a folder holding it holds every output asked for.  A
// folder that holds any output of an earlier run is refused (exit 5) unless
// --overwrite is given; then every earlier output is removed when the run
// starts, so none of them stands beside the new summary.
//
// Exit codes: 0 done; 2 bad command line or layout file (also one whose
// bodies overlap); 3 layout refused
// for the capacity of the arrays; 4 the run diverged (the summary is
// written, with "diverged": true); 5 an output could not be written.
#pragma once

#include "core/channel_conditions.h"
#include "core/flow_conditions.h"

#include "core/messages.h"

#include <QString>
#include <QStringList>

#include <optional>

// What one batch run is asked to do (read from the command line by
// app/command_line.h).
struct BatchRequest {
  QString layout, out;
  int steps = 300;
  QStringList pictures; // names from batchPictureNames
  bool fill = false, blackLines = false, fields = false;
  // The flow conditions given on the command line, over the file's.
  std::optional<double> reynolds, mach;
  std::optional<BodyViscosity> bodyViscosity;
  std::optional<TimeStepping> timeStepping;
  std::optional<Dissipation> dissipation;
  std::optional<int> fineness;
  // The channel given on the command line, over the file's: the lengths of
  // a channel the file leaves classic come together (height, upstream and
  // downstream).
  std::optional<double> height, upstream, downstream, bodyOffset;
  std::optional<ChannelInflow> inflow;
  std::optional<ChannelOutlet> outlet;
  std::optional<ChannelEnds> ends;
  std::optional<double> startTime;
  // --until-settled: run until the mean drag settles, at most maxSteps
  // steps (`steps` then holds maxSteps); the rule's tolerance and window.
  bool untilSettled = false;
  double settleTolerance = 0.01;
  int settleWindow = 300;
  // --overwrite: an earlier run's outputs in DIR are removed first instead
  // of refusing the folder.
  bool overwrite = false;
};

// The files a batch run may write into its folder, summary.json last.
QStringList batchOutputNames();

// The pictures the batch draws: vectors, vorticity, pressure, density.
const QStringList& batchPictureNames();
// "pt_1" .. "pt_4", the patterns of the pattern menu.
bool isPatternName(const QString& name);

// Runs one batch request, its messages in `language` (Japanese unless
// given); returns the process's exit code.
int runBatch(const BatchRequest& request, std::optional<Language> language, int argc, char* argv[]);

// --write-layout NAME FILE: writes the layout "default" or "pt_1" .. "pt_4"
// as a layout file; returns the process's exit code.
int writeNamedLayout(const QString& name, const QString& path, std::optional<Language> language);

namespace batchExit {
inline constexpr int done = 0;
inline constexpr int badArguments = 2;
inline constexpr int capacity = 3;
inline constexpr int diverged = 4;
inline constexpr int outputFailed = 5;
} // namespace batchExit
