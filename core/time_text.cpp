#include "core/time_text.h"

#include <cmath>

std::uint32_t elapsedTicks(std::uint32_t endTick, std::uint32_t startTick) {
  // Unsigned 32-bit subtraction is the difference modulo 2^32, right across a
  // wrap of the tick counter.
  return endTick - startTick;
}

std::string paddedNumber(std::int64_t value, int width) {
  std::string sign;
  if (value < 0) {
    sign = "-";
    value = -value;
    if (width >= 2)
      --width;
    else if (width <= -2)
      ++width;
  }
  const std::string digits = std::to_string(value);
  if (width == 0) return sign + digits;
  const int d =
      value == 0 ? 1 : static_cast<int>(std::trunc(std::log10(static_cast<double>(value)))) + 1;
  const int pad = width > 0 ? width - d : -width - d;
  std::string padded = digits;
  if (pad >= 1 && pad <= 12) padded = std::string(pad, width > 0 ? '0' : ' ') + digits;
  return sign + padded;
}

std::string minutesSecondsText(std::int64_t ms) {
  const std::int64_t sec = static_cast<std::int64_t>(std::floor(ms / 1000.0));
  const std::int64_t rest = ms - 1000 * sec;
  const std::int64_t h = sec / 3600;
  const std::int64_t m = (sec - 3600 * h) / 60;
  const std::int64_t s = sec - 3600 * h - 60 * m;
  std::string text = h >= 1 ? paddedNumber(h, 2) + " 時 " : " ";
  if (m >= 1) text += paddedNumber(m, 2) + " 分";
  text += paddedNumber(s, 2) + " 秒 " + paddedNumber(rest, 3);
  return text;
}

std::string elapsedTicksText(std::uint32_t endTick, std::uint32_t startTick) {
  return minutesSecondsText(elapsedTicks(endTick, startTick));
}

std::string elapsedTimeText(Language language, std::uint32_t endTick, std::uint32_t startTick) {
  if (language == Language::japanese) return elapsedTicksText(endTick, startTick);
  const std::int64_t ms = elapsedTicks(endTick, startTick);
  const std::int64_t sec = ms / 1000;
  const std::int64_t h = sec / 3600;
  const std::int64_t m = (sec - 3600 * h) / 60;
  const std::int64_t s = sec - 3600 * h - 60 * m;
  std::string text = " ";
  if (h >= 1) text += std::to_string(h) + " h ";
  if (m >= 1) text += (h >= 1 ? paddedNumber(m, 2) : std::to_string(m)) + " min ";
  text += (h >= 1 || m >= 1 ? paddedNumber(s, 2) : std::to_string(s)) + "." +
          paddedNumber(ms % 1000, 3) + " s";
  return text;
}

namespace {
// The steps a continuation's time covers, then the steps of the whole flow.
const Message continuedSteps{{"（", "～", "回、全", "回）"}, {" (steps ", "-", " of ", ")"}};
} // namespace

std::string calculationTimeText(Language language, const RunState& run,
                                const FlowSolution& solution) {
  const std::string time = elapsedTimeText(language, run.runEndTick, run.runStartTick);
  if (run.runFirstStep <= 1) return time;
  const std::string last = std::to_string(solution.flowStep);
  return continuedSteps(language, {std::to_string(run.runFirstStep), last, last}) + time;
}
