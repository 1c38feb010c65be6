#include "core/time_text.h"

#include <cmath>

std::uint32_t Time_Time_sum(std::uint32_t endTick, std::uint32_t startTick) {
  // Unsigned 32-bit subtraction is the difference modulo 2^32, right across a
  // wrap of the tick counter.
  return endTick - startTick;
}

std::string Num_keta(std::int64_t value, int width) {
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

std::string Time_Time_S1000(std::int64_t ms) {
  const std::int64_t sec = static_cast<std::int64_t>(std::floor(ms / 1000.0));
  const std::int64_t rest = ms - 1000 * sec;
  const std::int64_t h = sec / 3600;
  const std::int64_t m = (sec - 3600 * h) / 60;
  const std::int64_t s = sec - 3600 * h - 60 * m;
  std::string text = h >= 1 ? Num_keta(h, 2) + " 時 " : " ";
  if (m >= 1) text += Num_keta(m, 2) + " 分";
  text += Num_keta(s, 2) + " 秒 " + Num_keta(rest, 3);
  return text;
}

std::string Time_Time_d(std::uint32_t endTick, std::uint32_t startTick) {
  return Time_Time_S1000(Time_Time_sum(endTick, startTick));
}

std::string elapsedTimeText(Language language, std::uint32_t endTick, std::uint32_t startTick) {
  if (language == Language::japanese) return Time_Time_d(endTick, startTick);
  const std::int64_t ms = Time_Time_sum(endTick, startTick);
  const std::int64_t sec = ms / 1000;
  const std::int64_t h = sec / 3600;
  const std::int64_t m = (sec - 3600 * h) / 60;
  const std::int64_t s = sec - 3600 * h - 60 * m;
  std::string text = " ";
  if (h >= 1) text += std::to_string(h) + " h ";
  if (m >= 1) text += (h >= 1 ? Num_keta(m, 2) : std::to_string(m)) + " min ";
  text +=
      (h >= 1 || m >= 1 ? Num_keta(s, 2) : std::to_string(s)) + "." + Num_keta(ms % 1000, 3) + " s";
  return text;
}

namespace {
// The steps a continuation's time covers, then the steps of the whole flow.
const Message continuedSteps{{"（", "～", "回、全", "回）"}, {" (steps ", "-", " of ", ")"}};
} // namespace

std::string calculationTimeText(Language language, const Model& m) {
  const std::string time = elapsedTimeText(language, m.runEndTick, m.runStartTick);
  if (m.runFirstStep <= 1) return time;
  const std::string last = std::to_string(m.flowStep);
  return continuedSteps(language, {std::to_string(m.runFirstStep), last, last}) + time;
}
