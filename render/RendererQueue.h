// Keeps a frame's triangles from piling up in the renderer. A software renderer keeps each triangle
// it has been handed (some 250 bytes with its tiles) until its threads have drawn it; the culled track
// is handed over far faster than that, so on a 10M-triangle track a frame's queue alone took 100 MB.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

struct RendererFence;  // a GL sync object

// One a frame, in the current GL context; where the context has no fences (GL_ARB_sync), the queue is
// only flushed.
class RendererQueue {
 public:
  void handed(std::size_t triangles) { trianglesHanded += triangles; }
  // Lets the renderer's threads draw what has been handed so far, then waits until it holds no more
  // than about mostQueued triangles.
  void flush();
  // The most triangles handed over since the last wait that a flush found: what the renderer may have held
  // queued at once.
  std::size_t mostUnwaited() const { return unwaitedAtMost; }

  static constexpr std::size_t mostQueued = 60000;

 private:
  struct DeleteFence {
    void operator()(RendererFence* fence) const;
  };
  struct Mark {
    std::unique_ptr<RendererFence, DeleteFence> fence;
    std::size_t handedBefore;
  };
  std::deque<Mark> marks;
  std::size_t trianglesHanded = 0;
  std::size_t waitedThrough = 0;  // triangles handed before the last fence waited for
  std::size_t unwaitedAtMost = 0;
};
