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
// scripts/run and the tests set); otherwise at most the OpenMP default
// (OMP_NUM_THREADS, or the cores the process may run on) and no more than
// the cores that are free at that moment, one at least, and no more than the
// grid's size warrants (kPointsPerThread).  A positive number
// is used as it stands (tests and benchmarks).  The results are the same
// bits for any number.
void setSolverThreads(int threads);

// Applies the choice for the next step of m to the calling thread's
// parallel regions and returns the number of threads chosen.  The automatic
// choice also gives each thread at least kPointsPerThread updated points: a
// step synchronises its threads about twenty times, and on smaller grids
// (the default layout's 15,000 points) that costs more than the second
// thread saves (measured on a shared two-core machine: the default run
// 456 ms on one thread, 571 ms on two; the largest layout, 44,000 points,
// 2.17 s on one, 1.64 s on two).
inline constexpr int kPointsPerThread = 20000;
int chooseStepThreads(const Model& m);
