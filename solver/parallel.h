// How the solver's loops are built, and the threads that run a step.
#pragma once

#include <algorithm>

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

// The part of a range that lies within first..last (the indices a pass
// touches).
inline IndexRange within(IndexRange share, int first, int last) {
  return {std::max(share.first, first), std::min(share.last, last)};
}

// The solver's threads.  A time step has two parts that touch disjoint
// data, the main grid's and the bodies' grids' (time_integration.h): with
// two or more threads they run at once, the main grid's on the thread that
// steps and the bodies' on one worker thread kept for the whole program,
// which sleeps between steps; with one thread both run on the thread that
// steps, one after the other.  Each part is computed by the same
// operations either way, so the results are the same bits.  A step has no
// work for a third thread: a larger count runs as two.

// The number of threads a step may use from now on; 0 or less chooses the
// default, the cores the process may run on (its CPU affinity).  Called
// between steps, from any thread.
void setSolverThreads(int threads);

// The number of threads in force (at least 1).
int solverThreads();

// A callable, referred to without owning or copying it.
struct TaskRef {
  TaskRef() = default;
  template <class F>
  explicit TaskRef(F& f) : call([](void* o) { (*static_cast<F*>(o))(); }), object(&f) {}
  void operator()() const { call(object); }
  void (*call)(void*) = nullptr;
  void* object = nullptr;
};

// Runs first() and second() and returns when both have finished: at once
// when the solver has two or more threads, first on the calling thread and
// second on the worker; one after the other on the calling thread
// otherwise.  The two must not touch each other's data, nor call this
// again.  Nothing is allocated but the worker, started by the first call on
// two threads (and again after calls on one, which let it go).
void runSideBySide(TaskRef first, TaskRef second);
template <class First, class Second> void runSideBySide(First&& first, Second&& second) {
  runSideBySide(TaskRef(first), TaskRef(second));
}
