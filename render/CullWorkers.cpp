#include "render/CullWorkers.h"

#include <algorithm>

namespace {

// One a core but the GL thread's, which culls too whenever it would wait; at least one, at most four.
// (Measured on two cores: one thread beside the GL thread beats two by a tenth.)
unsigned workerCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return std::clamp(cores, 2u, 5u) - 1;
}

// How many results may wait for the GL thread. Enough that the threads cull on while the GL thread
// hands a run of pieces to the renderer, rather than sleep and wake for each piece.
constexpr std::size_t slotCount = 32;

}  // namespace

CullWorkers::CullWorkers() : slots(slotCount), doneJob(slotCount, 0) {
  const unsigned count = workerCount();
  scratches.resize(count + 1);
  for (unsigned i = 0; i < count; ++i) threads.emplace_back([this, i] { run(scratches[i]); });
}

CullWorkers::~CullWorkers() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
  }
  jobFreed.notify_all();
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
  jobFreed.notify_all();
}

const FramePiece& CullWorkers::take(std::size_t job) {
  std::unique_lock<std::mutex> lock(mutex);
  // Rather than wait for a job no thread has begun, the GL thread runs it, or an earlier one, itself;
  // while a thread is on it, the GL thread runs the next jobs ready, if any.
  while (nextJob <= job) runNext(lock, scratches.back());
  while (doneJob[job % slots.size()] != job + 1) {
    if (jobReady()) {
      runNext(lock, scratches.back());
      continue;
    }
    awaited = job + 1;
    jobDone.wait(lock);
    awaited = 0;
  }
  return slots[job % slots.size()];
}

void CullWorkers::release(std::size_t job) {
  bool freed;
  {
    std::lock_guard<std::mutex> lock(mutex);
    released = job + 1;
    freed = jobReady();
  }
  // Threads sleep only for want of a job, so one is woken only when this release makes one ready.
  if (freed) jobFreed.notify_one();
}

bool CullWorkers::jobReady() const { return nextJob < jobs && nextJob < released + slots.size(); }

void CullWorkers::run(CullScratch& scratch) {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    jobFreed.wait(lock, [&] { return stopping || jobReady(); });
    if (stopping) return;
    runNext(lock, scratch);
  }
}

void CullWorkers::runNext(std::unique_lock<std::mutex>& lock, CullScratch& scratch) {
  const std::size_t job = nextJob++;
  lock.unlock();
  work(job, scratch, slots[job % slots.size()]);
  lock.lock();
  doneJob[job % slots.size()] = job + 1;
  if (awaited == job + 1) jobDone.notify_one();
}
