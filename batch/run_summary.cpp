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

FlowRanges flowRanges(const Model& m) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  FlowRanges r{inf, -inf, inf, -inf, 0};
  auto take = [&r](const FlowPoint& f) {
    r.densityMin = std::min(r.densityMin, f[slot::rho]);
    r.densityMax = std::max(r.densityMax, f[slot::rho]);
    r.pressureMin = std::min(r.pressureMin, f[slot::pres]);
    r.pressureMax = std::max(r.pressureMax, f[slot::pres]);
    r.speedMax = std::max(r.speedMax, std::sqrt(f[slot::u] * f[slot::u] + f[slot::v] * f[slot::v]));
  };
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      if (m.coupling.mainHoleFlag[i][j] == 0) take(m.solution.mainFlow[i][j]);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int rr = 1; rr <= m.layout.bodyLayers; ++rr)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
        take(m.solution.bodyFlow[p][rr][1]);
  return r;
}

QJsonObject flowSummary(const Model& m) {
  const ReferenceQuantities q = referenceQuantities(m.constants);
  QJsonObject flow{{"reynolds", m.flow.reynolds},
                   {"mach", m.flow.mach},
                   {"bodyViscosity", QLatin1String(nameOf(m.flow.bodyViscosity))},
                   {"timeStepping", QLatin1String(nameOf(m.flow.timeStepping))},
                   {"dissipation", QLatin1String(nameOf(m.flow.dissipation))},
                   {"fineness", m.flow.fineness},
                   {"inflowSpeed", q.uInf},
                   {"mainViscosity", q.mainViscosity},
                   {"bodyViscosityValue", q.bodyViscosity},
                   {"gamma", 1.4},
                   {"prandtl", 0.7}};
  if (m.constants.timeAccurate) {
    flow["timeStep"] = m.solution.globalTimeStep * q.uInf;
    flow["time"] = m.solution.flowTime * q.uInf;
  }
  return flow;
}

QJsonObject channelSummary(const Model& m) {
  const ChannelConditions c = channelOfGrid(m);
  return QJsonObject{{"classic", !c.sized},
                     {"height", c.height},
                     {"upstream", c.upstream},
                     {"downstream", c.downstream},
                     {"bodyOffset", c.bodyOffset},
                     {"inflow", QLatin1String(nameOf(c.inflow))},
                     {"outlet", QLatin1String(nameOf(c.outlet))}};
}

const char* stopReasonName(const Model& m) {
  switch (m.solution.runEnd) {
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
  return m.run.runLength.untilSettled ? "maxSteps" : "steps";
}

namespace {

// Body b's Cd and Cl after every step, and their statistics.
void addForceHistory(const Model& m, int b, QJsonObject& body) {
  QJsonArray cd, cl;
  const int n = forceSteps(m.grids, m.solution);
  for (int i = 0; i < n; ++i) {
    const ForceSample& f =
        m.solution.forceHistory[static_cast<std::size_t>(i * m.grids.nBodies + b - 1)];
    cd.append(f.cd);
    cl.append(f.cl);
  }
  body["cdHistory"] = cd;
  body["clHistory"] = cl;
  const CycleStatistics s = cycleStatistics(m, b, m.run.runLength.window);
  body["cdMean"] = s.cdMean;
  body["clMean"] = s.clMean;
  body["clAmplitude"] = s.clAmplitude;
  body["statisticsSteps"] = QJsonArray{s.firstStep, s.lastStep};
  body["period"] = s.period ? QJsonValue(*s.period) : QJsonValue();
  if (m.constants.timeAccurate)
    body["strouhal"] = s.strouhal ? QJsonValue(*s.strouhal) : QJsonValue();
}

// Where body b's wall shear changes sign, walked from its front: one object
// per zero, {"angle": degrees, "s": layout units, "kind": "separation" or
// "reattachment"}.
QJsonArray separationSummary(const Model& m, int b) {
  QJsonArray zeros;
  for (const WallShearZero& z : surfaceDistribution(m, b).zeros)
    zeros.append(QJsonObject{
        {"angle", z.angle}, {"s", z.s}, {"kind", z.separation ? "separation" : "reattachment"}});
  return zeros;
}

} // namespace

QJsonObject runSummary(const Model& m, const BatchOutcome& outcome) {
  // Qt writes every double in the shortest form that reads back to the same
  // value (at most 17 significant digits), so the numbers round-trip.
  const FlowRanges r = flowRanges(m);
  QJsonObject s;
  s["layout"] = outcome.layout;
  s["version"] = QStringLiteral(WHIRLPANE_VERSION);
  // The layout run, as a layout file holds it.
  s["layoutRecord"] = QJsonDocument::fromJson(layoutJson(m.layout, m.flow)).object();
  s["steps"] = outcome.steps;
  s["stepsDone"] = m.run.stepsDone;
  s["diverged"] = outcome.diverged;
  s["divergedAtStep"] = outcome.diverged ? QJsonValue(outcome.divergedAtStep) : QJsonValue();
  s["elapsedMs"] = outcome.elapsedMs;
  s["mainGrid"] = QJsonArray{m.grids.mainNx, m.grids.mainNy};
  s["perimeterPoints"] = m.grids.bodyPerimeterPoints;
  s["links"] = QJsonObject{{"ryFromWk", m.coupling.mainFromBodyCount},
                           {"wkFromRy", m.coupling.bodyFromMainCount},
                           {"wkFromWk", m.coupling.bodyFromBodyCount}};
  s["holes"] = m.coupling.mainHoleCount;
  s["density"] = QJsonArray{r.densityMin, r.densityMax};
  s["pressure"] = QJsonArray{r.pressureMin, r.pressureMax};
  s["speedMax"] = r.speedMax;

  // The convergence history: the density residual of every step taken.
  QJsonArray residual;
  for (const StepResidual& step : m.solution.residualHistory) residual.append(step.densityResidual);
  s["residual"] = residual;

  // Forces after the last step: Cd and Cl of every body, in the body table's
  // order, and the channel's pressure drop.
  const FlowForces forces = flowForces(m);
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
    addForceHistory(m, ++number, body);
    body["separation"] = outcome.diverged ? QJsonValue() : separationSummary(m, number);
    body["recirculationLength"] =
        outcome.diverged ? QJsonValue() : QJsonValue(recirculationBehind(m, number).length);
    bodies.append(body);
  }
  s["bodies"] = bodies;

  // The settle rule and its verdict after the last step.
  const std::optional<double> change = meanDragChange(m, m.run.runLength.window);
  s["settled"] = meanDragSettled(m, m.run.runLength);
  s["settleRule"] = QJsonObject{{"tolerance", m.run.runLength.tolerance},
                                {"window", m.run.runLength.window},
                                {"meanDragChange", change ? QJsonValue(*change) : QJsonValue()}};
  s["untilSettled"] = m.run.runLength.untilSettled;
  s["stopReason"] = QLatin1String(stopReasonName(m));
  s["flow"] = flowSummary(m);
  s["channel"] = channelSummary(m);
  s["pressureDrop"] = forces.pressureDrop;
  return s;
}

std::optional<QString> saveRunSummary(const QString& path, const QJsonObject& summary) {
  const std::optional<QString> failure =
      saveFileWhole(path, QJsonDocument(summary).toJson(QJsonDocument::Indented));
  if (!failure) return std::nullopt;
  return fileErrorReason(path, FileAccess::write, *failure);
}
