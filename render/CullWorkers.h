// Threads that make a frame's pieces ready ahead of the GL thread, which draws them in order. A piece's
// result stays in its slot until the GL thread is done with it; the slots are reused round.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "render/SubpixelCull.h"

class CullWorkers {
 public:
  using Job = std::function<void(std::size_t job, CullScratch& scratch, FramePiece& out)>;

  CullWorkers();
  // Waits for the job in hand, if any, and joins the threads.
  ~CullWorkers();
  CullWorkers(const CullWorkers&) = delete;
  CullWorkers& operator=(const CullWorkers&) = delete;

  // Runs work for jobs 0 .. count - 1, in that order, on the threads. Every job of the previous frame
  // must have been released.
  void start(std::size_t count, Job work);
  // Job job's result, once it is done. Jobs are taken, then released, in order.
  const FramePiece& take(std::size_t job);
  // Gives job's slot back for a later job.
  void release(std::size_t job);

 private:
  void run(CullScratch& scratch);
  // Whether a job not begun may start: there is one, and its slot has been released.
  bool jobReady() const;
  // Runs the next job not begun; called and returns with the lock held.
  void runNext(std::unique_lock<std::mutex>& lock, CullScratch& scratch);

  std::mutex mutex;
  std::condition_variable jobFreed;  // a new frame, a slot released, or stopping
  std::condition_variable jobDone;   // the job the GL thread waits for is done
  std::vector<FramePiece> slots;
  std::vector<std::size_t> doneJob;  // per slot: the job whose result it holds, plus one
  std::vector<CullScratch> scratches;  // one for each thread, the GL thread's last
  Job work;
  std::size_t jobs = 0, nextJob = 0, released = 0;
  std::size_t awaited = 0;  // the job the GL thread waits for, plus one; 0 when it waits for none
  bool stopping = false;
  std::vector<std::thread> threads;
};
