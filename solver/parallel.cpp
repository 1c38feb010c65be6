#include "solver/parallel.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace {

std::atomic<int> requestedThreads{0};

// Threads that want a core right now, from the kernel's count of runnable
// scheduling entities (the fourth field of /proc/loadavg, "running/total"),
// which includes the thread asking.  0 when it cannot be read.  Read with
// plain system calls into a buffer on the stack: nothing is allocated.
int runnableNow() {
  const int fd = open("/proc/loadavg", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[128];
  const ssize_t n = read(fd, text, sizeof text - 1);
  close(fd);
  if (n <= 0) return 0;
  text[n] = 0;
  const char* field = text;
  for (int skip = 0; skip < 3 && field; ++skip)
    if ((field = std::strchr(field, ' '))) ++field;
  return field ? int(std::strtol(field, nullptr, 10)) : 0;
}

// True when the runtime's waiting threads sleep instead of spinning.  A
// spinning team holds on to cores that other work on a shared machine
// needs, and such a run was measured slower on two threads than on one.
// The runtime reads these settings once, when it is loaded, before main
// runs, so the program can only read them here (the desktop program starts
// itself again with OMP_WAIT_POLICY=passive when neither is set).
bool waitsAsleep() {
  const char* policy = std::getenv("OMP_WAIT_POLICY");
  const char* spins = std::getenv("GOMP_SPINCOUNT");
  return (policy && strcasecmp(policy, "passive") == 0) || (spins && std::strcmp(spins, "0") == 0);
}

} // namespace

bool gridsWorthTwoThreads(const Model& m) {
  const long mainPoints = long(std::max(0, m.ryNx - 2)) * std::max(0, m.ryNy - 2);
  long auxPoints = 0;
  for (int b = 1; b <= m.nBodies; ++b)
    auxPoints += long(m.bodyLast[b] - m.bodyFirst[b] + 1) * std::max(0, m.wkNr - 2);
  return std::min(mainPoints, auxPoints) >= kPointsPerGridThread;
}

void setSolverThreads(int threads) {
  requestedThreads = threads;
}

int chooseStepThreads(const Model& m) {
#ifdef _OPENMP
  static const int defaultThreads = omp_get_max_threads();
  int threads = requestedThreads;
  static const bool asleep = waitsAsleep();
  if (threads <= 0 && !asleep) threads = 1;
  if (threads <= 0) {
    const int worthwhile = gridsWorthTwoThreads(m) ? 2 : 1;
    // The free cores are asked for only where a second thread is worth it.
    const int free = worthwhile > 1 ? omp_get_num_procs() - std::max(0, runnableNow() - 1) : 1;
    threads = std::clamp(std::min(free, worthwhile), 1, defaultThreads);
  }
  omp_set_num_threads(threads);
  return threads;
#else
  return 1;
#endif
}
