// A coarse bucket grid over the reference points of the candidate cells of a
// donor scan, so that a scan only looks at cells the distance prefilter could
// let through.
//
// The prefilter of the cell test skips a cell unless the Manhattan distance
// |xT − xR| + |yT − yR| from the target T to the cell's reference point R
// (the midpoint of corners 1 and 3) is below 2.0.  Every term is ≥ 0 and
// rounding is monotonic, so a cell that passes has |xT − xR| < 2 and
// |yT − yR| < 2 exactly.  The buckets are squares of side B, a power of two
// ≥ 2, indexed by floor(x / B) (exact: dividing by a power of two does not
// round); a passing cell therefore lies in the target's bucket or one of its
// eight neighbours.  A reference point that is not finite never passes and is
// left out.
//
// The cells are added in the scan's own order and the candidates come back in
// that order, so a scan that runs the full cell test on the candidates meets
// the same first hit, with the same s and t, as the scan over every cell.
#pragma once

#include <vector>

class CellBuckets {
public:
  struct Cell {
    int a, b, c; // the cell's index triple
    int tag;     // the caller's label (the body of an auxiliary cell)
  };

  // The reference coordinate of a cell, the midpoint of corners 1 and 3: the
  // same expression as the cell test's, so both see the same bits.
  static double reference(double corner1, double corner3) { return (corner1 + corner3) / 2; }

  void clear();
  // Adds the next cell of the scan order with its reference point.
  void add(double refX, double refY, const Cell& cell);
  // Sorts the cells into buckets; call after the last add.
  void build();

  // The numbers (scan order) of the cells whose reference point may be within
  // the prefilter's distance of (x, y), ascending, in `out` (cleared first).
  void candidates(double x, double y, std::vector<int>& out) const;
  const Cell& cell(int number) const { return cells_[number]; }

private:
  // At most this many buckets along each axis; a wider spread of reference
  // points gets larger buckets (the scan stays exact, only slower).
  static constexpr int kMaxBucketsPerAxis = 512;

  std::vector<Cell> cells_;
  std::vector<double> refX_, refY_;
  double bucketSize_ = 2.0;
  double firstX_ = 0, firstY_ = 0; // floor(x / B) of bucket column 0 and row 0
  int nx_ = 0, ny_ = 0;
  std::vector<int> start_; // bucket k holds order_[start_[k] .. start_[k+1]-1]
  std::vector<int> order_;
};

// How a donor scan visits the cells.  `plain` tests every cell of the scan
// order, as the coupling is defined; `bucketed` tests only the cells that a
// CellBuckets index returns, which gives the same links in the same order with
// the same s and t, much faster.  The plain scan stays as the reference the
// tests compare against.
enum class CellScan { plain, bucketed };
