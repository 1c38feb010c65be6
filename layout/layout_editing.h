// The rules by which the layout is edited: the range each parameter keeps and
// what the step buttons of the layout dialog do to the layout record.  Plain
// functions over the record, so that the dialog, layout files and tests share
// them.  None of them makes grids; the caller ends a change with rebuildGrids.
#pragma once

#include "core/model.h"

#include <optional>

// A closed range of whole numbers.
struct WholeRange {
  int low, high;
  constexpr bool contains(long long v) const { return v >= low && v <= high; }
  constexpr int clamp(long long v) const {
    return static_cast<int>(v < low ? low : v > high ? high : v);
  }
};

// Columns in a layout and bodies in a column: the dialog's counts (the
// model's maxColumns and maxColumnBodies after setStartupDefaults).
inline constexpr WholeRange kColumnCountRange{1, 6};
inline constexpr WholeRange kBodyCountRange{1, 5};

// Body size (layout units; the diameter, side or height of the shape).
inline constexpr WholeRange kSizeRange{5, 20};

// Spacing of the bodies in a column (layout units).  A whole layout keeps more
// room between bodies than one column edited on its own.
inline constexpr WholeRange kSpacingRangeWholeLayout{22, 40};
inline constexpr WholeRange kSpacingRangeOneColumn{18, 40};
inline constexpr const WholeRange& spacingRange(bool wholeLayout) {
  return wholeLayout ? kSpacingRangeWholeLayout : kSpacingRangeOneColumn;
}

// Gap from one column to the next (layout units).  The dialog does not edit
// it, so the range is the one the presets use, 26 to 32: every gap a layout
// can get from the program.  Layout files are held to it.
inline constexpr WholeRange kGapRange{26, 32};

// Turn of a body, whole degrees.  A million degrees either way is far beyond
// any useful turn, and keeps every value, its negation, a step from it and
// its conversion to radians exact and inside an int.
inline constexpr WholeRange kTurnRange{-1000000, 1000000};

// Ellipse ratio (x axis over y axis), stepped by 0.2 within these bounds.
inline constexpr double kRatioLow = 0.2, kRatioHigh = 4.0, kRatioStep = 0.2;

// A size step from a typed size: kept within kSizeRange whatever was typed (a
// typed size outside it would otherwise give a negative size or a body too
// large for the grids).
int steppedSize(long long typed, int delta);
// A turn step from a typed turn; nothing when it would leave kTurnRange.
std::optional<int> steppedTurn(long long typed, int delta);
// A spacing step of one column, kept within spacingRange(wholeLayout).
int steppedSpacing(int spacing, int delta, bool wholeLayout);
// An ellipse-ratio step, kept within kRatioLow..kRatioHigh.
double steppedRatio(double ratio, double delta);

// One more body in column c (at most maxBodies): the new last body takes the
// size and shape of the old last one.
void addBody(LayoutParameters& l, int c, int maxBodies);
// One body fewer in column c, keeping at least one.
void removeBody(LayoutParameters& l, int c);

// One more column (at most maxColumns), a copy of the last one: its spacing,
// and the shape, size and turn of its first body in every body slot up to
// maxBodies.  Its count of bodies is copied only when the last two columns
// have equal counts; otherwise the slot keeps the count it had.
void addColumn(LayoutParameters& l, int maxColumns, int maxBodies);
// One column fewer, keeping at least one; the selection stays on a column
// that exists.
void removeColumn(LayoutEditing& editing, LayoutParameters& layout);

// selectedColumn within 1..nColumns, for every change of nColumns.
void keepSelectionInLayout(LayoutEditing& editing, const LayoutParameters& layout);
