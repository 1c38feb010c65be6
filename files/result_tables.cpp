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

QByteArray historyCsv(const Model& m) {
  QByteArray out = "step,densityResidual,largestSpeed,time";
  for (int b = 1; b <= m.grids.nBodies; ++b)
    out += ",cd_" + QByteArray::number(b) + ",cl_" + QByteArray::number(b);
  out += "\r\n";
  const int forceRows = forceSteps(m.grids, m.solution);
  for (std::size_t i = 0; i < m.solution.residualHistory.size(); ++i) {
    out += QByteArray::number(static_cast<qulonglong>(i + 1));
    appendField(out, m.solution.residualHistory[i].densityResidual);
    appendField(out, m.solution.residualHistory[i].largestSpeed);
    if (static_cast<int>(i) < forceRows) {
      appendField(out, m.solution.forceTimes[i] * m.constants.uInf);
      for (int b = 0; b < m.grids.nBodies; ++b) {
        const ForceSample& f =
            m.solution.forceHistory[i * static_cast<std::size_t>(m.grids.nBodies) + b];
        appendField(out, f.cd);
        appendField(out, f.cl);
      }
    }
    out += "\r\n";
  }
  return out;
}

QByteArray forcesCsv(const Model& m) {
  QByteArray out = "column,body,shape,cd,cl,cdPressure,cdViscous,clPressure,clViscous,cdMean,"
                   "clMean,clAmplitude,period,strouhal\r\n";
  const FlowForces forces = flowForces(m.layout, m.constants, m.grids, m.solution);
  int b = 0;
  for (const BodyForces& f : forces.bodies) {
    const CycleStatistics s =
        cycleStatistics(m.constants, m.grids, m.solution, ++b, m.run.runLength.window);
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

QByteArray surfaceCsv(const Model& m) {
  QByteArray out = "body,index,x,y,s,angle,cp,cf\r\n";
  for (int b = 1; b <= m.grids.nBodies; ++b) {
    int index = 0;
    for (const SurfacePoint& p :
         surfaceDistribution(m.layout, m.constants, m.grids, m.solution, b).points) {
      out += QByteArray::number(b) + ',' + QByteArray::number(++index);
      for (double value : {p.x, p.y, p.s, p.angle, p.cp, p.cf}) appendField(out, value);
      out += "\r\n";
    }
  }
  return out;
}
