#include "mesh/CullWorkers.h"

#include <algorithm>

namespace {

// One a core, at most four: the GL thread spends much of a frame waiting for them.
unsigned workerCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return std::clamp(cores, 1u, 4u);
}

}  // namespace

CullWorkers::CullWorkers() {
  const unsigned count = workerCount();
  // Each thread may run a slot ahead of the one it finished, while the GL thread draws another.
  slots.resize(2 * count + 2);
  doneJob.assign(slots.size(), 0);
  for (unsigned i = 0; i < count; ++i) threads.emplace_back([this] { run(); });
}

CullWorkers::~CullWorkers() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
  }
  changed.notify_all();
  for (std::thread& thread : threads) thread.join();
}

void CullWorkers::start(std::size_t count, Job frameWork) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    work = std::move(frameWork);
    jobs = count;
    nextJob = released = 0;
    std::fill(doneJob.begin(), doneJob.end(), 0);
  }
  changed.notify_all();
}

const CulledPiece& CullWorkers::take(std::size_t job) {
  std::unique_lock<std::mutex> lock(mutex);
  // Rather than wait for a job no thread has begun, the GL thread runs it, or an earlier one, itself.
  while (nextJob <= job) runNext(lock);
  changed.wait(lock, [&] { return doneJob[job % slots.size()] == job + 1; });
  return slots[job % slots.size()];
}

void CullWorkers::release(std::size_t job) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    released = job + 1;
  }
  changed.notify_all();
}

void CullWorkers::run() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    // A job may start once the job before it in its slot has been released.
    changed.wait(lock, [&] { return stopping || (nextJob < jobs && nextJob < released + slots.size()); });
    if (stopping) return;
    runNext(lock);
  }
}

void CullWorkers::runNext(std::unique_lock<std::mutex>& lock) {
  const std::size_t job = nextJob++;
  lock.unlock();
  work(job, slots[job % slots.size()]);
  lock.lock();
  doneJob[job % slots.size()] = job + 1;
  changed.notify_all();
}
