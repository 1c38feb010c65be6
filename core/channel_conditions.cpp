#include "core/channel_conditions.h"

#include "core/flow_conditions.h"

#include <cmath>

std::optional<ChannelInflow> channelInflowNamed(const std::string& name) {
  return choiceNamed<ChannelInflow>(kChannelInflowNames, name);
}

std::optional<ChannelOutlet> channelOutletNamed(const std::string& name) {
  return choiceNamed<ChannelOutlet>(kChannelOutletNames, name);
}

std::optional<ChannelEnds> channelEndsNamed(const std::string& name) {
  return choiceNamed<ChannelEnds>(kChannelEndsNames, name);
}

bool channelLengthsInRange(const ChannelConditions& c) {
  if (!c.sized) return c.height == 0 && c.upstream == 0 && c.downstream == 0 && c.bodyOffset == 0;
  const auto length = [](double v) { return v >= kChannelLengthLow && v <= kChannelLengthHigh; };
  return length(c.height) && length(c.upstream) && length(c.downstream) &&
         std::abs(c.bodyOffset) <= kChannelLengthHigh;
}
