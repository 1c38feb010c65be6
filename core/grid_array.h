// Arrays over a grid whose size is known only when the grid is made: one
// contiguous block, the last index running fastest, so that a[i][j] (and
// a[p][r][s]) lie where a nested array of the same extents would put them.
// Extents count slots, index 0 included: an array indexed 1..nx, 1..ny as the
// formulas are has the extents nx + 1, ny + 1.
//
// A new size keeps the value of every slot inside both the old and the new
// extents and zero-fills the others, as a refused layout that grows the
// grids and then puts the previous ones back leaves their values as they
// were.  Sizes are set when the grids are made, never during a time step.
//
// a[i] gives the row as a span, so a[i][j] reads as for a nested array; a
// debug build checks every index against its extent (the last one where the
// library's assertions are on, as in the sanitizer build).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <span>
#include <vector>

template <typename T> class Grid2 {
public:
  Grid2() = default;

  // Extents n1 x n2 (nothing happens when they are the present ones).
  void resize(int n1, int n2) {
    assert(n1 >= 0 && n2 >= 0);
    if (n1 == n1_ && n2 == n2_) return;
    // A fresh block, so that a smaller grid gives its memory back.
    std::vector<T> cells(std::size_t(n1) * std::size_t(n2));
    for (int i = 0; i < std::min(n1, n1_); ++i)
      std::copy_n(cells_.data() + std::ptrdiff_t(i) * n2_, std::min(n2, n2_),
                  cells.data() + std::ptrdiff_t(i) * n2);
    cells_.swap(cells);
    n1_ = n1;
    n2_ = n2;
  }

  std::span<T> operator[](int i) {
    checkRow(i);
    return {cells_.data() + std::ptrdiff_t(i) * n2_, std::size_t(n2_)};
  }
  std::span<const T> operator[](int i) const {
    checkRow(i);
    return {cells_.data() + std::ptrdiff_t(i) * n2_, std::size_t(n2_)};
  }

  int extent1() const { return n1_; }
  int extent2() const { return n2_; }
  bool operator==(const Grid2&) const = default;
  T* data() { return cells_.data(); }
  const T* data() const { return cells_.data(); }
  std::size_t size() const { return cells_.size(); }

private:
  void checkRow([[maybe_unused]] int i) const { assert(i >= 0 && i < n1_); }

  std::vector<T> cells_;
  int n1_ = 0, n2_ = 0;
};

// One index of a Grid3: the n2 x n3 plane at that index.
template <typename T> class GridPlane {
public:
  GridPlane(T* base, int n2, int n3) : base_(base), n2_(n2), n3_(n3) {}
  std::span<T> operator[](int r) const {
    assert(r >= 0 && r < n2_);
    return {base_ + std::ptrdiff_t(r) * n3_, std::size_t(n3_)};
  }

private:
  T* base_;
  int n2_, n3_;
};

template <typename T> class Grid3 {
public:
  Grid3() = default;

  // Extents n1 x n2 x n3 (nothing happens when they are the present ones).
  void resize(int n1, int n2, int n3) {
    assert(n1 >= 0 && n2 >= 0 && n3 >= 0);
    if (n1 == n1_ && n2 == n2_ && n3 == n3_) return;
    std::vector<T> cells(std::size_t(n1) * std::size_t(n2) * std::size_t(n3));
    for (int i = 0; i < std::min(n1, n1_); ++i)
      for (int r = 0; r < std::min(n2, n2_); ++r)
        std::copy_n(cells_.data() + (std::ptrdiff_t(i) * n2_ + r) * n3_, std::min(n3, n3_),
                    cells.data() + (std::ptrdiff_t(i) * n2 + r) * n3);
    cells_.swap(cells);
    n1_ = n1;
    n2_ = n2;
    n3_ = n3;
  }

  GridPlane<T> operator[](int i) { return {cells_.data() + offset(i), n2_, n3_}; }
  GridPlane<const T> operator[](int i) const { return {cells_.data() + offset(i), n2_, n3_}; }

  int extent1() const { return n1_; }
  int extent2() const { return n2_; }
  int extent3() const { return n3_; }
  bool operator==(const Grid3&) const = default;
  T* data() { return cells_.data(); }
  const T* data() const { return cells_.data(); }
  std::size_t size() const { return cells_.size(); }

private:
  std::ptrdiff_t offset(int i) const {
    assert(i >= 0 && i < n1_);
    return std::ptrdiff_t(i) * n2_ * n3_;
  }

  std::vector<T> cells_;
  int n1_ = 0, n2_ = 0, n3_ = 0;
};
