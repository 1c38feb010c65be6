// How the solver's loops are built and shared between threads.
#pragma once

#include "core/model.h"

#include <algorithm>

#ifdef _OPENMP
#include <omp.h>
#endif

// The hot loops are built twice, for processors with and without 256-bit
// vectors (the loader picks one at start); both do the same IEEE operations,
// there being no fused multiply-add in either, so both give the same bits.
// flatten inlines every call in the loop body, so that the plane loops
// vectorise in each version.  WHIRLPANE_DEFAULT_CLONE_ONLY builds the version
// without 256-bit vectors alone, so that the tests can run it on any machine.
#ifdef WHIRLPANE_DEFAULT_CLONE_ONLY
#define WHIRLPANE_HOT_LOOP __attribute__((flatten))
#else
#define WHIRLPANE_HOT_LOOP __attribute__((target_clones("avx2", "default"), flatten))
#endif

// A range of line or column indices first..last (empty when last < first).
struct IndexRange {
  int first, last;
};

// The share of first..last that the calling thread of a parallel team
// works on: contiguous blocks in thread order, the larger blocks first, as a
// static schedule deals them.  Every index is computed by exactly one thread
// with the same operations whatever the number of threads, which is why the
// results do not depend on it.  Outside a parallel team: all of first..last.
inline IndexRange threadShare(int first, int last) {
#ifdef _OPENMP
  const int threads = omp_get_num_threads(), id = omp_get_thread_num();
#else
  const int threads = 1, id = 0;
#endif
  const int n = std::max(0, last - first + 1);
  const int size = n / threads, extra = n % threads;
  const int begin = first + id * size + std::min(id, extra);
  return {begin, begin + size + (id < extra ? 1 : 0) - 1};
}

// The intersection of a thread's share with the indices a pass touches.
inline IndexRange within(IndexRange share, int first, int last) {
  return {std::max(share.first, first), std::min(share.last, last)};
}

// The number of threads the solver's loops use.  0 (the default) chooses
// at every time step: one thread unless the OpenMP runtime lets its waiting
// threads sleep (OMP_WAIT_POLICY=passive or GOMP_SPINCOUNT=0, which
// scripts/run and the tests set); otherwise two, one for each grid, when
// both grids have enough points to be worth a thread of their own
// (kPointsPerGridThread), at most the OpenMP default (OMP_NUM_THREADS, or
// the cores the process may run on) and no more than the cores that are
// free at that moment.  A positive number is used as it stands (tests and
// benchmarks).  The results are the same bits for any number.
void setSolverThreads(int threads);

// Applies the choice for the next step of m to the calling thread's
// parallel regions and returns the number of threads chosen.  A step runs
// each grid on a thread of its own (the threads meet once a step); sharing
// the work of one grid between threads, which meets about twenty times a
// step, cost more than it saved on a shared two-core machine (a sleeping
// thread takes tens of microseconds to wake), so a step uses at most two.
inline constexpr int kPointsPerGridThread = 2000;
int chooseStepThreads(const Model& m);

// True when both grids update at least kPointsPerGridThread points a step
// (the main grid's interior; layers 2..wkNr-1 of every body's perimeter
// points): a second thread is then worth waking.
bool gridsWorthTwoThreads(const Model& m);
