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
//
// The ends are reflecting (the inflow holds the velocity, the outlet the
// pressure: sound is thrown back into the channel) or non-reflecting (each
// end holds only the wave that comes in through it, and lets the one that
// goes out pass; coupling/boundary.h).
//
// A time-accurate run may start gently: over the flow time T ("startTime",
// in D/U∞ with D = 16 layout units) the inflow speed rises from rest as
//   u_in(t) = u_in · sin²(π t / (2T)),
// whose rate of change is zero at both ends of the rise, instead of the
// impulsive start (T = 0) that launches a sound wave of the full inflow
// speed into the channel.  A run with local steps has no flow time and
// starts impulsively.
#pragma once

#include <cmath>
#include <optional>
#include <string>

enum class ChannelInflow { uniform, parabolic };
enum class ChannelOutlet { middleThird, whole };
enum class ChannelEnds { reflecting, nonReflecting };

struct ChannelConditions {
  bool sized = false; // false: the classic extent, the lengths are 0
  double height = 0, upstream = 0, downstream = 0, bodyOffset = 0;
  ChannelInflow inflow = ChannelInflow::uniform;
  ChannelOutlet outlet = ChannelOutlet::middleThird;
  ChannelEnds ends = ChannelEnds::reflecting;
  double startTime = 0;

  bool operator==(const ChannelConditions&) const = default;
};

// The file and command-line names of the choices.
inline constexpr const char* kChannelInflowNames[] = {"uniform", "parabolic"};
inline constexpr const char* kChannelOutletNames[] = {"middle-third", "whole"};
inline constexpr const char* kChannelEndsNames[] = {"reflecting", "non-reflecting"};

std::optional<ChannelInflow> channelInflowNamed(const std::string& name);
std::optional<ChannelOutlet> channelOutletNamed(const std::string& name);
std::optional<ChannelEnds> channelEndsNamed(const std::string& name);
inline const char* nameOf(ChannelInflow v) {
  return kChannelInflowNames[static_cast<int>(v)];
}
inline const char* nameOf(ChannelOutlet v) {
  return kChannelOutletNames[static_cast<int>(v)];
}
inline const char* nameOf(ChannelEnds v) {
  return kChannelEndsNames[static_cast<int>(v)];
}

// Lengths a channel may be given: a height, upstream and downstream length
// from kChannelLengthLow to kChannelLengthHigh, an offset at most
// kChannelLengthHigh either way.  (The main grid's capacity, checked when the grids are made, is
// the tighter limit; this one keeps the point counts within an int.)
inline constexpr double kChannelLengthLow = 1, kChannelLengthHigh = 2000;
bool channelLengthsInRange(const ChannelConditions& c);
// A start time from 0 (none) to kStartTimeHigh D/U∞.
inline constexpr double kStartTimeHigh = 1000;
inline bool startTimeInRange(double t) {
  return t >= 0 && t <= kStartTimeHigh;
}

// The share of the inflow speed at flow time t of a start over T (same
// units): sin²(π t / (2T)) before T, 1 from T on and for T = 0.
inline double startRamp(double t, double T) {
  if (t >= T) return 1;
  const double s = std::sin(1.5707963267948966 * t / T);
  return s * s;
}

// The parabolic inflow's speed at y between the walls y0 and y1, for the
// mean speed uMean.
inline double parabolicInflowSpeed(double y, double y0, double y1, double uMean) {
  const double h = y1 - y0;
  return 1.5 * uMean * 4 * (y - y0) * (y1 - y) / (h * h);
}
