// The channel the bodies stand in.  Classic (no explicit channel): the main
// grid reaches 70 layout units upstream of the most upstream body surface,
// 8 below the lowest and above the highest surface, and ends at x = 155,
// with a uniform inflow and the middle third of the right wall open.
//
// An explicit channel gives its height H, the length U from the inflow to
// the first column's centre line and L from the last column's centre line
// to the outlet, and how far Y the bodies' centre line (y = 0 of the
// layout) lies above the channel's; lengths in layout units, the columns'
// centre lines as placed before the arrangement's turn.
//
// The inflow is uniform, u = U∞, or parabolic,
//   u(y) = 1.5·U∞·4 (y − y0)(y1 − y) / H²,
// between the walls y0 and y1: its mean is U∞, the reference speed of the
// Reynolds and Mach numbers and of the coefficients.  The outlet is the
// middle third of the right wall, or the whole right edge between the walls.
#pragma once

#include <optional>
#include <string>

enum class ChannelInflow { uniform, parabolic };
enum class ChannelOutlet { middleThird, whole };

struct ChannelConditions {
  bool sized = false; // false: the classic extent, the lengths are 0
  double height = 0, upstream = 0, downstream = 0, bodyOffset = 0;
  ChannelInflow inflow = ChannelInflow::uniform;
  ChannelOutlet outlet = ChannelOutlet::middleThird;

  bool operator==(const ChannelConditions&) const = default;
};

// The file and command-line names of the choices.
inline constexpr const char* kChannelInflowNames[] = {"uniform", "parabolic"};
inline constexpr const char* kChannelOutletNames[] = {"middle-third", "whole"};

std::optional<ChannelInflow> channelInflowNamed(const std::string& name);
std::optional<ChannelOutlet> channelOutletNamed(const std::string& name);
inline const char* nameOf(ChannelInflow v) {
  return kChannelInflowNames[static_cast<int>(v)];
}
inline const char* nameOf(ChannelOutlet v) {
  return kChannelOutletNames[static_cast<int>(v)];
}

// Lengths a channel may be given: a height, upstream and downstream length
// from kChannelLengthLow to kChannelLengthHigh, an offset at most
// kChannelLengthHigh either way.  (The main grid's capacity, checked when the grids are made, is
// the tighter limit; this one keeps the point counts within an int.)
inline constexpr double kChannelLengthLow = 1, kChannelLengthHigh = 2000;
bool channelLengthsInRange(const ChannelConditions& c);

// The parabolic inflow's speed at y between the walls y0 and y1, for the
// mean speed uMean.
inline double parabolicInflowSpeed(double y, double y0, double y1, double uMean) {
  const double h = y1 - y0;
  return 1.5 * uMean * 4 * (y - y0) * (y1 - y) / (h * h);
}
