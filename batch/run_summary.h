// DIR/summary.json of a batch run: what was run, how it ended, the size of
// the grids and links, the ranges of the flow after the last step, the
// density residual of every step, the forces after the last step (Cd and
// Cl per body with their pressure and viscous parts, the channel's pressure
// drop) and the flow conditions.  Each
// field is one entry of runSummary, so that further results (histories,
// forces) are added where the others are.
#pragma once

#include "core/result_records.h"

#include <QJsonObject>
#include <QString>

#include <optional>

struct BatchOutcome {
  QString layout;  // as given on the command line
  int steps = 300; // asked for
  bool diverged = false;
  int divergedAtStep = 0;
  qint64 elapsedMs = 0; // the run: set-up, initial state and steps
};

// Why a run ended, as the summary's "stopReason" names it: "steps" (the
// steps asked for), "settled" (the mean drag settled), "maxSteps" (a run
// until settled that reached its most steps unsettled), "diverged",
// "stopped".
const char* stopReasonName(const FlowSolution& solution, const RunState& run);

// Extremes of the flow over the points that carry it: the main-grid points
// not cut out as holes, and every body point of the auxiliary grids
// (layers 1..bodyLayers, p = bodyFirst..bodyLast).
struct FlowRanges {
  double densityMin, densityMax, pressureMin, pressureMax, speedMax;
};
FlowRanges flowRanges(const LayoutParameters& layout, const Grids& grids,
                      const CouplingTables& coupling, const FlowSolution& solution);

// The flow conditions of the run as used: the names of the layout file's
// "flow" object, the inflow speed and the viscosities of both grids in the
// solver's units, and in a time-accurate run the last step and the flow
// time since the start, in units of D/U∞ (D = 16 layout units).
QJsonObject flowSummary(const FlowConditions& conditions, const SolverConstants& constants,
                        const FlowSolution& solution);
// The summary's "channel": the channel the main grid spans
// (layout/channel_extent.h, channelOfGrid; the lengths asked for are the
// layout record's), "classic" when the layout gives none.
QJsonObject channelSummary(const LayoutParameters& layout, const Grids& grids);

QJsonObject runSummary(const ResultRecords& result, const BatchOutcome& outcome);
// Writes the summary whole or not at all (files/save_file.h).  Returns the
// reason of a failure (in the interface's language), or nothing.
std::optional<QString> saveRunSummary(const QString& path, const QJsonObject& summary);
