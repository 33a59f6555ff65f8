// Threads that cull a frame's pieces ahead of the GL thread, which draws them in order. A piece's
// result stays in its slot until the GL thread is done with it; a few slots are reused round.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "mesh/SubpixelCull.h"

class CullWorkers {
 public:
  using Job = std::function<void(std::size_t job, CulledPiece& out)>;

  CullWorkers();
  // Waits for the job in hand, if any, and joins the threads.
  ~CullWorkers();
  CullWorkers(const CullWorkers&) = delete;
  CullWorkers& operator=(const CullWorkers&) = delete;

  // Runs work for jobs 0 .. count - 1, in that order, on the threads. Every job of the previous frame
  // must have been released.
  void start(std::size_t count, Job work);
  // Job job's result, once it is done. Jobs are taken, then released, in order.
  const CulledPiece& take(std::size_t job);
  // Gives job's slot back for a later job.
  void release(std::size_t job);

 private:
  void run();
  // Runs the next job not begun; called and returns with the lock held.
  void runNext(std::unique_lock<std::mutex>& lock);

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<CulledPiece> slots;
  std::vector<std::size_t> doneJob;  // per slot: the job whose result it holds, plus one
  Job work;
  std::size_t jobs = 0, nextJob = 0, released = 0;
  bool stopping = false;
  std::vector<std::thread> threads;
};
