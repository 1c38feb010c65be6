#include "solver/parallel.h"

#include <atomic>
#include <barrier>
#include <memory>
#include <mutex>
#include <sched.h>
#include <thread>

namespace {

// The cores the process may run on: its CPU affinity (taskset, a cluster's
// cgroup set), else what the standard library reports.
int coresAllowed() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1u, std::thread::hardware_concurrency());
}

// One worker thread that runs the second of two tasks while the thread that
// hands it over runs the first.  The two meet at two barriers a step: the
// start, after which the worker reads its task, and the end, after which
// the caller reads what the worker wrote.  Waiting at a barrier sleeps in
// the kernel after a short spin, so an idle worker takes no core.
class SideWorker {
public:
  SideWorker() : thread_([this](std::stop_token stop) { work(stop); }) {}
  ~SideWorker() {
    thread_.request_stop();
    start_.arrive_and_wait(); // wakes the worker, which then ends; jthread joins
  }
  void run(TaskRef mine, TaskRef theirs) {
    task_ = theirs;
    start_.arrive_and_wait();
    mine();
    end_.arrive_and_wait();
  }

private:
  void work(std::stop_token stop) {
    for (;;) {
      start_.arrive_and_wait();
      if (stop.stop_requested()) return;
      task_();
      end_.arrive_and_wait();
    }
  }
  std::barrier<> start_{2}, end_{2};
  TaskRef task_;
  std::jthread thread_; // last: started once the barriers exist
};

std::atomic<int> requested{0};
// The worker, made on the first step on two threads; a step holds the lock.
std::mutex stepLock;
std::unique_ptr<SideWorker> worker;

} // namespace

void setSolverThreads(int threads) {
  requested = threads;
}

int solverThreads() {
  static const int cores = coresAllowed();
  const int n = requested;
  return n > 0 ? n : cores;
}

void runSideBySide(TaskRef first, TaskRef second) {
  const int threads = solverThreads();
  const std::lock_guard lock(stepLock);
  if (threads < 2) {
    worker.reset(); // nothing kept waiting
    first();
    second();
    return;
  }
  if (!worker) worker = std::make_unique<SideWorker>();
  worker->run(first, second);
}
