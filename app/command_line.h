// The program's command line, one parser for the window and the batch mode:
//   whirlpane [--lang en|ja] [--threads N] [LAYOUT.json]
//   whirlpane --batch LAYOUT --out DIR [--steps N] [--picture NAME]... ...
//             [--reynolds RE] [--mach M] [--body-viscosity classic|uniform]
//             [--time-stepping local|time-accurate] [--fineness F]
//             [--height H --upstream U --downstream L] [--body-offset Y]
//             [--inflow uniform|parabolic] [--outlet middle-third|whole]
//             [--ends reflecting|non-reflecting] [--start-time T]
//             [--until-settled [--settle-tolerance F] [--settle-window N]
//              [--max-steps N]] [--overwrite]
//   whirlpane --write-layout NAME FILE
//   whirlpane --help | --version
// It is read before any application object exists, so that --help,
// --version and a bad command line need no display: they print to standard
// output (help, version) or standard error (a short usage) and end the
// program with exit code 0 or 2.  The toolkit's own options (-platform,
// -style, ...) are accepted and left to it.
#pragma once

#include "batch/batch.h"
#include "core/messages.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>

struct CommandLine {
  CommandLine();

  QCommandLineParser parser;
  const QCommandLineOption batch, out, steps, picture, fill, blackLines, fields;
  const QCommandLineOption reynolds, mach, bodyViscosity, timeStepping, dissipation, fineness;
  const QCommandLineOption height, upstream, downstream, bodyOffset, inflow, outlet;
  const QCommandLineOption ends, startTime;
  const QCommandLineOption untilSettled, settleTolerance, settleWindow, maxSteps, overwrite;
  const QCommandLineOption lang, threads, writeLayout, help, version;
};

// What the command line asks for, once it has been read.
struct StartRequest {
  enum class Mode { window, batch, writeLayout, finished } mode = Mode::window;
  int exitCode = 0;                 // for finished
  std::optional<Language> language; // --lang
};

// Parses the arguments, answers --help, --version and a bad command line
// (mode finished), and applies --threads.
StartRequest readCommandLine(CommandLine& commandLine, int argc, char* argv[]);

// A short usage on standard error and exit code 2, for a bad command line
// found after parsing (a value out of range).
int badCommandLine(const QString& reason);

// The batch's values of a command line read in batch mode; nothing, with
// the reason in `error`, when a value is missing or out of range.
std::optional<BatchRequest> readBatchRequest(const CommandLine& commandLine, QString& error);
