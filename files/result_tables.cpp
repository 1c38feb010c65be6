#include "files/result_tables.h"

#include "analysis/force_history.h"
#include "analysis/forces.h"
#include "analysis/surface_distribution.h"
#include "files/layout_file.h"

#include <charconv>
#include <optional>

namespace {

// One more field of a row: a comma, then the shortest text that reads back
// as the same double (nothing for a value that is not there).
void appendField(QByteArray& out, double value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out += ',';
  out.append(digits, end - digits);
}

void appendField(QByteArray& out, const std::optional<double>& value) {
  if (value)
    appendField(out, *value);
  else
    out += ',';
}

} // namespace

QByteArray historyCsv(const SolverConstants& constants, const Grids& grids,
                      const FlowSolution& solution) {
  QByteArray out = "step,densityResidual,largestSpeed,time";
  for (int b = 1; b <= grids.nBodies; ++b)
    out += ",cd_" + QByteArray::number(b) + ",cl_" + QByteArray::number(b);
  out += "\r\n";
  const int forceRows = forceSteps(grids, solution);
  for (std::size_t i = 0; i < solution.residualHistory.size(); ++i) {
    out += QByteArray::number(static_cast<qulonglong>(i + 1));
    appendField(out, solution.residualHistory[i].densityResidual);
    appendField(out, solution.residualHistory[i].largestSpeed);
    if (static_cast<int>(i) < forceRows) {
      appendField(out, solution.forceTimes[i] * constants.uInf);
      for (int b = 0; b < grids.nBodies; ++b) {
        const ForceSample& f =
            solution.forceHistory[i * static_cast<std::size_t>(grids.nBodies) + b];
        appendField(out, f.cd);
        appendField(out, f.cl);
      }
    }
    out += "\r\n";
  }
  return out;
}

QByteArray forcesCsv(const LayoutParameters& layout, const SolverConstants& constants,
                     const Grids& grids, const FlowSolution& solution, int settleWindow) {
  QByteArray out = "column,body,shape,cd,cl,cdPressure,cdViscous,clPressure,clViscous,cdMean,"
                   "clMean,clAmplitude,period,strouhal\r\n";
  const FlowForces forces = flowForces(layout, constants, grids, solution);
  int b = 0;
  for (const BodyForces& f : forces.bodies) {
    const CycleStatistics s = cycleStatistics(constants, grids, solution, ++b, settleWindow);
    out += QByteArray::number(f.column) + ',' + QByteArray::number(f.body) + ',' +
           kLayoutShapeNames.at(static_cast<std::size_t>(f.shape));
    for (double value : {f.cd, f.cl, f.cdPressure, f.cdViscous, f.clPressure, f.clViscous, s.cdMean,
                         s.clMean, s.clAmplitude})
      appendField(out, value);
    appendField(out, s.period);
    appendField(out, s.strouhal);
    out += "\r\n";
  }
  return out;
}

QByteArray surfaceCsv(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, const FlowSolution& solution) {
  QByteArray out = "body,index,x,y,s,angle,cp,cf\r\n";
  for (int b = 1; b <= grids.nBodies; ++b) {
    int index = 0;
    for (const SurfacePoint& p :
         surfaceDistribution(layout, constants, grids, solution, b).points) {
      out += QByteArray::number(b) + ',' + QByteArray::number(++index);
      for (double value : {p.x, p.y, p.s, p.angle, p.cp, p.cf}) appendField(out, value);
      out += "\r\n";
    }
  }
  return out;
}
