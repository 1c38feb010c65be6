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

void recordForces(const LayoutParameters& layout, const SolverConstants& constants,
                  const Grids& grids, FlowSolution& solution) {
  for (int b = 1; b <= grids.nBodies; ++b)
    solution.forceHistory.push_back(forceSample(layout, constants, grids, solution, b));
  solution.forceTimes.push_back(solution.flowTime);
}

int forceSteps(const Grids& grids, const FlowSolution& solution) {
  return grids.nBodies > 0 ? static_cast<int>(solution.forceHistory.size()) / grids.nBodies : 0;
}

namespace {

// The least amplitude of a lift that oscillates, relative to the larger of
// its mean and 1.
constexpr double kSteadyLiftSwing = 1e-6;

// Body b's sample after step index i (0-based).
const ForceSample& sampleAt(const Grids& grids, const FlowSolution& solution, int b, int i) {
  return solution
      .forceHistory[static_cast<std::size_t>(i) * static_cast<std::size_t>(grids.nBodies) +
                    static_cast<std::size_t>(b - 1)];
}

double meanCd(const Grids& grids, const FlowSolution& solution, int b, int first, int end) {
  double sum = 0;
  for (int i = first; i < end; ++i) sum += sampleAt(grids, solution, b, i).cd;
  return sum / (end - first);
}

// Means of Cd and Cl and half the range of Cl over step indices [first, end).
void takeMeans(const Grids& grids, const FlowSolution& solution, int b, int first, int end,
               CycleStatistics& s) {
  double cd = 0, cl = 0, low = sampleAt(grids, solution, b, first).cl, high = low;
  for (int i = first; i < end; ++i) {
    const ForceSample& f = sampleAt(grids, solution, b, i);
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

CycleStatistics cycleStatistics(const SolverConstants& constants, const Grids& grids,
                                const FlowSolution& solution, int b, int window) {
  CycleStatistics s;
  const int n = forceSteps(grids, solution);
  if (n == 0) return s;
  // The upward crossings of the mean over the last half, with hysteresis.
  const int half = n / 2;
  double mean = 0, low = sampleAt(grids, solution, b, half).cl, high = low;
  for (int i = half; i < n; ++i) {
    const double cl = sampleAt(grids, solution, b, i).cl;
    mean += cl;
    low = std::min(low, cl);
    high = std::max(high, cl);
  }
  mean /= n - half;
  const double below = mean - (high - low) / 4;
  std::vector<double> crossings; // fractional step indices
  bool armed = false;
  for (int i = half + 1; i < n; ++i) {
    const double previous = sampleAt(grids, solution, b, i - 1).cl,
                 cl = sampleAt(grids, solution, b, i).cl;
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
    takeMeans(grids, solution, b, begin, std::max(end, begin + 1), s);
    s.period = (last - first) / cycles;
    if (constants.timeAccurate) {
      // The flow time at a fractional step index, linear between steps.
      const auto timeAt = [&solution](double x) {
        const auto i = static_cast<std::size_t>(x);
        const double t0 = solution.forceTimes[i];
        const double t1 = i + 1 < solution.forceTimes.size() ? solution.forceTimes[i + 1] : t0;
        return t0 + (x - static_cast<double>(i)) * (t1 - t0);
      };
      s.periodTime = (timeAt(last) - timeAt(first)) / cycles;
      s.strouhal = grids.bodySize[b] / 16.0 / (constants.uInf * *s.periodTime);
    }
    return s;
  }
  takeMeans(grids, solution, b, std::max(0, n - window), n, s);
  return s;
}

std::optional<double> meanDragChange(const Grids& grids, const FlowSolution& solution, int window) {
  const int n = forceSteps(grids, solution);
  if (window < 1 || n < 2 * window) return std::nullopt;
  double change = 0;
  for (int b = 1; b <= grids.nBodies; ++b) {
    const double last = meanCd(grids, solution, b, n - window, n),
                 before = meanCd(grids, solution, b, n - 2 * window, n - window);
    change = std::max(change, std::abs(last - before) / std::max(std::abs(last), 1.0));
  }
  return change;
}

bool meanDragSettled(const Grids& grids, const FlowSolution& solution, const RunLength& rule) {
  const std::optional<double> change = meanDragChange(grids, solution, rule.window);
  return change && *change <= rule.tolerance;
}
