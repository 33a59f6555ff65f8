// Keeps a frame's triangles from piling up in the renderer. A software renderer keeps each triangle
// it has been handed (some 250 bytes with its tiles) until its threads have drawn it; the culled track
// is handed over far faster than that, so on a 10M-triangle track a frame's queue alone took 100 MB.
#pragma once

#include <cstddef>
#include <deque>

struct RendererFence;  // a GL sync object

class RendererQueue {
 public:
  // For one frame, in the current GL context. Where the context has no fences (GL_ARB_sync) the queue
  // is only flushed.
  RendererQueue();
  ~RendererQueue();
  RendererQueue(const RendererQueue&) = delete;
  RendererQueue& operator=(const RendererQueue&) = delete;

  void handed(std::size_t triangles) { trianglesHanded += triangles; }
  // Lets the renderer's threads draw what has been handed so far, then waits until it holds no more
  // than about mostQueued triangles.
  void flush();

  static constexpr std::size_t mostQueued = 60000;

 private:
  struct Mark {
    RendererFence* fence;
    std::size_t handedBefore;
  };
  std::deque<Mark> marks;
  std::size_t trianglesHanded = 0;
};
