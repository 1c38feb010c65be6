// Layout files: the layout record as UTF-8 JSON, so that a layout built in the
// dialog can be kept, shared and run in batch.
//
//   {"whirlpane-layout": 1, "arrangementTurn": 0, "ellipseRatio": 2,
//    "columns": [{"gap": 26, "spacing": 26,
//                 "bodies": [{"shape": "circle", "size": 14, "turn": 0}, ...]},
//                ...]}
//
// One entry of "columns" per column in use (left to right), one entry of
// "bodies" per body in use (lowest first), as the body table numbers them.
// "gap" is columnGap, "spacing" columnSpacing, "size" layoutSize, "turn"
// layoutAngle (whole degrees), "arrangementTurn" layoutRotation.  Doubles are
// written in the shortest form that reads back to the same double.
//
// The flow conditions (core/flow_conditions.h) may follow as
//   "flow": {"reynolds": 100, "mach": 0.05, "bodyViscosity": "classic",
//            "timeStepping": "local", "fineness": 1, "dissipation": "classic"}
// every key optional (a missing key takes the classic value; "fineness"
// only 1, the classic grids); a file without "flow" is the classic model.
// The channel (core/channel_conditions.h, part of the layout record) may
// follow as
//   "channel": {"height": 32.8, "upstream": 16, "downstream": 160,
//               "bodyOffset": -0.4, "inflow": "parabolic", "outlet": "whole"}
// "height", "upstream" and "downstream" together or not at all (the classic
// extent), "bodyOffset" 0 when left out; "inflow" "uniform" and "outlet"
// "middle-third" when left out, and so "ends" "reflecting" (or
// "non-reflecting"), which is written only when not reflecting, and
// "startTime" 0 (none; up to 1000 D/U∞), written only when not 0.  It is
// written only when not classic.
#pragma once

#include "core/model.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// A layout file is held to the ranges of the layout editing rules
// (layout/layout_editing.h): the dialog's counts, sizes, spacings of one
// column and ellipse ratios, the gaps of the presets (kGapRange), and whole
// turns within kTurnRange, the range the program handles, for the bodies and
// the arrangement alike.

// The names of the shapes in files and summaries, in the order of the shape
// codes (core/model.h, namespace shape).
inline constexpr std::array<const char*, 5> kLayoutShapeNames = {"circle", "square", "triangle",
                                                                 "plate", "ellipse"};

struct LayoutFileResult {
  std::optional<LayoutParameters> layout; // empty when refused
  QString error;                          // the Japanese message when refused
  FlowConditions flow = {};               // the file's, classic when it has none
};

// The JSON text of a layout, with "flow" when the conditions are not the
// classic ones.
QByteArray layoutJson(const LayoutParameters& layout, const FlowConditions& flow = {});

// Reads a layout from JSON text.  Everything is checked before anything is
// taken: a refused text gives one message naming `fileName`, the place and
// the reason (a key that appears twice in one object, or one not known, is
// quoted with its control characters escaped).  Slots the file does not describe (columns and
// bodies not in use, the auxiliary grids' thickness and layers) are taken from `base`; missing
// "arrangementTurn" and "ellipseRatio" take the start-up values.
LayoutFileResult parseLayoutJson(const QByteArray& json, const QString& fileName,
                                 const LayoutParameters& base);
// Reads a regular file only (not a device or FIFO), of at most
// kLayoutFileSizeLimit bytes.
LayoutFileResult readLayoutFile(const QString& path, const LayoutParameters& base);
// A layout file is a few kilobytes; a megabyte leaves room for any layout
// and its formatting and keeps a wrong file from filling the memory.
inline constexpr int kLayoutFileSizeLimit = 1 << 20;

// Writes the layout whole or not at all (files/save_file.h): a failed write
// leaves the old file as it was.  Returns the
// Japanese message of a failure, or nothing.
std::optional<QString> saveLayoutFile(const QString& path, const LayoutParameters& layout,
                                      const FlowConditions& flow = {});
