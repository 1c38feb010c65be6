#include "analysis/force_history.h"

#include "analysis/forces.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

void reserveForceHistory(const Grids& grids, FlowSolution& solution, int steps) {
  const auto n = static_cast<std::size_t>(std::max(steps, 0));
  solution.forceHistory.reserve(solution.forceHistory.size() +
                                n * static_cast<std::size_t>(grids.nBodies));
  solution.forceTimes.reserve(solution.forceTimes.size() + n);
}

void recordForces(Model& m) {
  for (int b = 1; b <= m.grids.nBodies; ++b) m.solution.forceHistory.push_back(forceSample(m, b));
  m.solution.forceTimes.push_back(m.solution.flowTime);
}

int forceSteps(const Grids& grids, const FlowSolution& solution) {
  return grids.nBodies > 0 ? static_cast<int>(solution.forceHistory.size()) / grids.nBodies : 0;
}

namespace {

// The least amplitude of a lift that oscillates, relative to the larger of
// its mean and 1.
constexpr double kSteadyLiftSwing = 1e-6;

// Body b's sample after step index i (0-based).
const ForceSample& sampleAt(const Model& m, int b, int i) {
  return m.solution
      .forceHistory[static_cast<std::size_t>(i) * static_cast<std::size_t>(m.grids.nBodies) +
                    static_cast<std::size_t>(b - 1)];
}

double meanCd(const Model& m, int b, int first, int end) {
  double sum = 0;
  for (int i = first; i < end; ++i) sum += sampleAt(m, b, i).cd;
  return sum / (end - first);
}

// Means of Cd and Cl and half the range of Cl over step indices [first, end).
void takeMeans(const Model& m, int b, int first, int end, CycleStatistics& s) {
  double cd = 0, cl = 0, low = sampleAt(m, b, first).cl, high = low;
  for (int i = first; i < end; ++i) {
    const ForceSample& f = sampleAt(m, b, i);
    cd += f.cd;
    cl += f.cl;
    low = std::min(low, f.cl);
    high = std::max(high, f.cl);
  }
  s.cdMean = cd / (end - first);
  s.clMean = cl / (end - first);
  s.clAmplitude = (high - low) / 2;
  s.firstStep = first + 1;
  s.lastStep = end;
}

} // namespace

CycleStatistics cycleStatistics(const Model& m, int b, int window) {
  CycleStatistics s;
  const int n = forceSteps(m.grids, m.solution);
  if (n == 0) return s;
  // The upward crossings of the mean over the last half, with hysteresis.
  const int half = n / 2;
  double mean = 0, low = sampleAt(m, b, half).cl, high = low;
  for (int i = half; i < n; ++i) {
    const double cl = sampleAt(m, b, i).cl;
    mean += cl;
    low = std::min(low, cl);
    high = std::max(high, cl);
  }
  mean /= n - half;
  const double below = mean - (high - low) / 4;
  std::vector<double> crossings; // fractional step indices
  bool armed = false;
  for (int i = half + 1; i < n; ++i) {
    const double previous = sampleAt(m, b, i - 1).cl, cl = sampleAt(m, b, i).cl;
    if (previous < below) armed = true;
    if (armed && previous < mean && cl >= mean) {
      crossings.push_back(i - 1 + (mean - previous) / (cl - previous));
      armed = false;
    }
  }
  // A lift that swings by less than this is steady: its cycles would be
  // round-off.
  const bool swings = (high - low) / 2 > kSteadyLiftSwing * std::max(std::abs(mean), 1.0);
  if (swings && crossings.size() >= 3) {
    const double first = crossings.front(), last = crossings.back();
    const auto cycles = static_cast<double>(crossings.size() - 1);
    const int begin = static_cast<int>(std::ceil(first)), end = static_cast<int>(std::floor(last));
    takeMeans(m, b, begin, std::max(end, begin + 1), s);
    s.period = (last - first) / cycles;
    if (m.constants.timeAccurate) {
      // The flow time at a fractional step index, linear between steps.
      const auto timeAt = [&m](double x) {
        const auto i = static_cast<std::size_t>(x);
        const double t0 = m.solution.forceTimes[i];
        const double t1 = i + 1 < m.solution.forceTimes.size() ? m.solution.forceTimes[i + 1] : t0;
        return t0 + (x - static_cast<double>(i)) * (t1 - t0);
      };
      s.periodTime = (timeAt(last) - timeAt(first)) / cycles;
      s.strouhal = m.grids.bodySize[b] / 16.0 / (m.constants.uInf * *s.periodTime);
    }
    return s;
  }
  takeMeans(m, b, std::max(0, n - window), n, s);
  return s;
}

std::optional<double> meanDragChange(const Model& m, int window) {
  const int n = forceSteps(m.grids, m.solution);
  if (window < 1 || n < 2 * window) return std::nullopt;
  double change = 0;
  for (int b = 1; b <= m.grids.nBodies; ++b) {
    const double last = meanCd(m, b, n - window, n),
                 before = meanCd(m, b, n - 2 * window, n - window);
    change = std::max(change, std::abs(last - before) / std::max(std::abs(last), 1.0));
  }
  return change;
}

bool meanDragSettled(const Model& m, const RunLength& rule) {
  const std::optional<double> change = meanDragChange(m, rule.window);
  return change && *change <= rule.tolerance;
}
