#include "batch/run_summary.h"

#include "analysis/forces.h"
#include "files/file_error.h"
#include "files/layout_file.h"
#include "files/save_file.h"

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
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j)
      if (m.ryHoleFlag[i][j] == 0) take(m.ryFlow[i][j]);
  for (int b = 1; b <= m.nBodies; ++b)
    for (int rr = 1; rr <= m.wkNr; ++rr)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) take(m.wkFlow[p][rr][1]);
  return r;
}

QJsonObject flowSummary(const Model& m) {
  const ReferenceQuantities q = referenceQuantities(m);
  QJsonObject flow{{"reynolds", m.flow.reynolds},
                   {"mach", m.flow.mach},
                   {"bodyViscosity", QLatin1String(nameOf(m.flow.bodyViscosity))},
                   {"timeStepping", QLatin1String(nameOf(m.flow.timeStepping))},
                   {"fineness", 1},
                   {"inflowSpeed", q.uInf},
                   {"mainViscosity", q.mainViscosity},
                   {"bodyViscosityValue", q.bodyViscosity}};
  if (m.timeAccurate) {
    flow["timeStep"] = m.globalTimeStep * q.uInf;
    flow["time"] = m.flowTime * q.uInf;
  }
  return flow;
}

QJsonObject runSummary(const Model& m, const BatchOutcome& outcome) {
  // Qt writes every double in the shortest form that reads back to the same
  // value (at most 17 significant digits), so the numbers round-trip.
  const FlowRanges r = flowRanges(m);
  QJsonObject s;
  s["layout"] = outcome.layout;
  s["steps"] = outcome.steps;
  s["stepsDone"] = m.stepsDone;
  s["diverged"] = outcome.diverged;
  s["divergedAtStep"] = outcome.diverged ? QJsonValue(outcome.divergedAtStep) : QJsonValue();
  s["elapsedMs"] = outcome.elapsedMs;
  s["mainGrid"] = QJsonArray{m.ryNx, m.ryNy};
  s["perimeterPoints"] = m.wkNp;
  s["links"] = QJsonObject{
      {"ryFromWk", m.ryFromWkCount}, {"wkFromRy", m.wkFromRyCount}, {"wkFromWk", m.wkFromWkCount}};
  s["holes"] = m.ryBlankCount;
  s["density"] = QJsonArray{r.densityMin, r.densityMax};
  s["pressure"] = QJsonArray{r.pressureMin, r.pressureMax};
  s["speedMax"] = r.speedMax;

  // The convergence history: the density residual of every step taken.
  QJsonArray residual;
  for (const StepResidual& step : m.residualHistory) residual.append(step.densityResidual);
  s["residual"] = residual;

  // Forces after the last step: Cd and Cl of every body, in the body table's
  // order, and the channel's pressure drop.
  const FlowForces forces = flowForces(m);
  QJsonArray bodies;
  for (const BodyForces& b : forces.bodies)
    bodies.append(QJsonObject{{"column", b.column},
                              {"body", b.body},
                              {"shape", QLatin1String(kLayoutShapeNames.at(b.shape))},
                              {"cd", b.cd},
                              {"cl", b.cl},
                              {"cdPressure", b.cdPressure},
                              {"cdViscous", b.cdViscous},
                              {"clPressure", b.clPressure},
                              {"clViscous", b.clViscous}});
  s["bodies"] = bodies;
  s["flow"] = flowSummary(m);
  s["pressureDrop"] = forces.pressureDrop;
  return s;
}

std::optional<QString> saveRunSummary(const QString& path, const QJsonObject& summary) {
  const std::optional<QString> failure =
      saveFileWhole(path, QJsonDocument(summary).toJson(QJsonDocument::Indented));
  if (!failure) return std::nullopt;
  return fileErrorReason(path, FileAccess::write, *failure);
}
