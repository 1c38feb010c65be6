// Elapsed-time text of the status bar.
#pragma once
#include "core/messages.h"
#include "core/model.h"

#include <cstdint>
#include <string>

// endTick - startTick modulo 2^32, in milliseconds.
std::uint32_t elapsedTicks(std::uint32_t endTick, std::uint32_t startTick);
// " 02 分05 秒 437" and the like.
std::string minutesSecondsText(std::int64_t ms);
// minutesSecondsText(elapsedTicks(endTick, startTick)).
std::string elapsedTicksText(std::uint32_t endTick, std::uint32_t startTick);
// A whole number padded to a width: zeros for width > 0, blanks for width < 0.
std::string paddedNumber(std::int64_t value, int width);
// The elapsed time in a language: elapsedTicksText in Japanese; in English hours,
// minutes and seconds with the milliseconds as a decimal fraction
// (" 2 min 05.437 s"), minutes left out when they are 0 as in Japanese.
std::string elapsedTimeText(Language language, std::uint32_t endTick, std::uint32_t startTick);
// The elapsed time of the last calculation (runStartTick to runEndTick).
// After a continuation that time covers only the continued steps, so the
// text names them and the steps of the whole flow before the time:
// "（301～600回、全600回） 05 秒 437".
std::string calculationTimeText(Language language, const RunState& run,
                                const FlowSolution& solution);
