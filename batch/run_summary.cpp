#include "batch/run_summary.h"

#include "analysis/force_history.h"
#include "analysis/forces.h"
#include "analysis/recirculation.h"
#include "analysis/surface_distribution.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "files/save_file.h"
#include "layout/channel_extent.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <limits>

FlowRanges flowRanges(const LayoutParameters& layout, const Grids& grids,
                      const CouplingTables& coupling, const FlowSolution& solution) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  FlowRanges r{inf, -inf, inf, -inf, 0};
  auto take = [&r](const FlowPoint& f) {
    r.densityMin = std::min(r.densityMin, f[slot::rho]);
    r.densityMax = std::max(r.densityMax, f[slot::rho]);
    r.pressureMin = std::min(r.pressureMin, f[slot::pres]);
    r.pressureMax = std::max(r.pressureMax, f[slot::pres]);
    r.speedMax = std::max(r.speedMax, std::sqrt(f[slot::u] * f[slot::u] + f[slot::v] * f[slot::v]));
  };
  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j)
      if (coupling.mainHoleFlag[i][j] == 0) take(solution.mainFlow[i][j]);
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int rr = 1; rr <= layout.bodyLayers; ++rr)
      for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
        take(solution.bodyFlow[p][rr][1]);
  return r;
}

QJsonObject flowSummary(const FlowConditions& conditions, const SolverConstants& constants,
                        const FlowSolution& solution) {
  const ReferenceQuantities q = referenceQuantities(constants);
  QJsonObject flow{{"reynolds", conditions.reynolds},
                   {"mach", conditions.mach},
                   {"bodyViscosity", QLatin1String(nameOf(conditions.bodyViscosity))},
                   {"timeStepping", QLatin1String(nameOf(conditions.timeStepping))},
                   {"dissipation", QLatin1String(nameOf(conditions.dissipation))},
                   {"fineness", conditions.fineness},
                   {"inflowSpeed", q.uInf},
                   {"mainViscosity", q.mainViscosity},
                   {"bodyViscosityValue", q.bodyViscosity},
                   {"gamma", 1.4},
                   {"prandtl", 0.7}};
  if (constants.timeAccurate) {
    flow["timeStep"] = solution.globalTimeStep * q.uInf;
    flow["time"] = solution.flowTime * q.uInf;
  }
  return flow;
}

QJsonObject channelSummary(const LayoutParameters& layout, const Grids& grids) {
  const ChannelConditions c = channelOfGrid(layout, grids);
  return QJsonObject{{"classic", !c.sized},
                     {"height", c.height},
                     {"upstream", c.upstream},
                     {"downstream", c.downstream},
                     {"bodyOffset", c.bodyOffset},
                     {"inflow", QLatin1String(nameOf(c.inflow))},
                     {"outlet", QLatin1String(nameOf(c.outlet))},
                     {"ends", QLatin1String(nameOf(c.ends))},
                     {"startTime", c.startTime}};
}

const char* stopReasonName(const FlowSolution& solution, const RunState& run) {
  switch (solution.runEnd) {
  case RunEnd::settled:
    return "settled";
  case RunEnd::diverged:
    return "diverged";
  case RunEnd::stopped:
    return "stopped";
  case RunEnd::lastStep:
  case RunEnd::none:
    break;
  }
  return run.runLength.untilSettled ? "maxSteps" : "steps";
}

namespace {

// Body b's Cd and Cl after every step, and their statistics.
void addForceHistory(const SolverConstants& constants, const Grids& grids,
                     const FlowSolution& solution, const RunState& run, int b, QJsonObject& body) {
  QJsonArray cd, cl;
  const int n = forceSteps(grids, solution);
  for (int i = 0; i < n; ++i) {
    const ForceSample& f =
        solution.forceHistory[static_cast<std::size_t>(i * grids.nBodies + b - 1)];
    cd.append(f.cd);
    cl.append(f.cl);
  }
  body["cdHistory"] = cd;
  body["clHistory"] = cl;
  const CycleStatistics s = cycleStatistics(constants, grids, solution, b, run.runLength.window);
  body["cdMean"] = s.cdMean;
  body["clMean"] = s.clMean;
  body["clAmplitude"] = s.clAmplitude;
  body["statisticsSteps"] = QJsonArray{s.firstStep, s.lastStep};
  body["period"] = s.period ? QJsonValue(*s.period) : QJsonValue();
  if (constants.timeAccurate)
    body["strouhal"] = s.strouhal ? QJsonValue(*s.strouhal) : QJsonValue();
}

// Where body b's wall shear changes sign, walked from its front: one object
// per zero, {"angle": degrees, "s": layout units, "kind": "separation" or
// "reattachment"}.
QJsonArray separationSummary(const LayoutParameters& layout, const SolverConstants& constants,
                             const Grids& grids, const FlowSolution& solution, int b) {
  QJsonArray zeros;
  for (const WallShearZero& z : surfaceDistribution(layout, constants, grids, solution, b).zeros)
    zeros.append(QJsonObject{
        {"angle", z.angle}, {"s", z.s}, {"kind", z.separation ? "separation" : "reattachment"}});
  return zeros;
}

} // namespace

QJsonObject runSummary(const ResultRecords& result, const BatchOutcome& outcome) {
  // Qt writes every double in the shortest form that reads back to the same
  // value (at most 17 significant digits), so the numbers round-trip.
  const FlowRanges ranges =
      flowRanges(result.layout, result.grids, result.coupling, result.solution);
  QJsonObject s;
  s["layout"] = outcome.layout;
  s["version"] = QStringLiteral(WHIRLPANE_VERSION);
  // The layout run, as a layout file holds it.
  s["layoutRecord"] = QJsonDocument::fromJson(layoutJson(result.layout, result.flow)).object();
  s["steps"] = outcome.steps;
  s["stepsDone"] = result.run.stepsDone;
  s["diverged"] = outcome.diverged;
  s["divergedAtStep"] = outcome.diverged ? QJsonValue(outcome.divergedAtStep) : QJsonValue();
  s["elapsedMs"] = outcome.elapsedMs;
  s["mainGrid"] = QJsonArray{result.grids.mainNx, result.grids.mainNy};
  s["perimeterPoints"] = result.grids.bodyPerimeterPoints;
  // The links by the grids they join: main-grid receivers from body-grid
  // donors, body from main, body from another body's grid.  The short names
  // (ry for the main grid, wk for the body grids) are those of the first
  // summaries, kept for the scripts that read them.
  const int mainFromBody = result.coupling.mainFromBodyCount;
  const int bodyFromMain = result.coupling.bodyFromMainCount;
  const int bodyFromBody = result.coupling.bodyFromBodyCount;
  s["links"] = QJsonObject{{"mainFromBody", mainFromBody}, {"bodyFromMain", bodyFromMain},
                           {"bodyFromBody", bodyFromBody}, {"ryFromWk", mainFromBody},
                           {"wkFromRy", bodyFromMain},     {"wkFromWk", bodyFromBody}};
  s["holes"] = result.coupling.mainHoleCount;
  s["density"] = QJsonArray{ranges.densityMin, ranges.densityMax};
  s["pressure"] = QJsonArray{ranges.pressureMin, ranges.pressureMax};
  s["speedMax"] = ranges.speedMax;

  // The convergence history: the density residual of every step taken.
  QJsonArray residual;
  for (const StepResidual& step : result.solution.residualHistory)
    residual.append(step.densityResidual);
  s["residual"] = residual;

  // Forces after the last step: Cd and Cl of every body, in the body table's
  // order, and the channel's pressure drop.
  const FlowForces forces =
      flowForces(result.layout, result.constants, result.grids, result.solution);
  QJsonArray bodies;
  int number = 0;
  for (const BodyForces& b : forces.bodies) {
    QJsonObject body{{"column", b.column},
                     {"body", b.body},
                     {"shape", QLatin1String(kLayoutShapeNames.at(b.shape))},
                     {"cd", b.cd},
                     {"cl", b.cl},
                     {"cdPressure", b.cdPressure},
                     {"cdViscous", b.cdViscous},
                     {"clPressure", b.clPressure},
                     {"clViscous", b.clViscous}};
    addForceHistory(result.constants, result.grids, result.solution, result.run, ++number, body);
    body["separation"] = outcome.diverged
                             ? QJsonValue()
                             : separationSummary(result.layout, result.constants, result.grids,
                                                 result.solution, number);
    body["recirculationLength"] =
        outcome.diverged ? QJsonValue()
                         : QJsonValue(recirculationBehind(result.layout, result.grids,
                                                          result.coupling, result.solution, number)
                                          .length);
    bodies.append(body);
  }
  s["bodies"] = bodies;

  // The settle rule and its verdict after the last step.
  const std::optional<double> change =
      meanDragChange(result.grids, result.solution, result.run.runLength.window);
  s["settled"] = meanDragSettled(result.grids, result.solution, result.run.runLength);
  s["settleRule"] = QJsonObject{{"tolerance", result.run.runLength.tolerance},
                                {"window", result.run.runLength.window},
                                {"meanDragChange", change ? QJsonValue(*change) : QJsonValue()}};
  s["untilSettled"] = result.run.runLength.untilSettled;
  s["stopReason"] = QLatin1String(stopReasonName(result.solution, result.run));
  s["flow"] = flowSummary(result.flow, result.constants, result.solution);
  s["channel"] = channelSummary(result.layout, result.grids);
  s["pressureDrop"] = forces.pressureDrop;
  return s;
}

std::optional<QString> saveRunSummary(const QString& path, const QJsonObject& summary) {
  const std::optional<QString> failure =
      saveFileWhole(path, QJsonDocument(summary).toJson(QJsonDocument::Indented));
  if (!failure) return std::nullopt;
  return fileErrorReason(path, FileAccess::write, *failure);
}
