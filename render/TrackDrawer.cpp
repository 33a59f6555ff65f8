#include "render/TrackDrawer.h"

#include <GL/gl.h>

#include "render/ClipMatrix.h"
#include "render/CullWorkers.h"
#include "render/RendererQueue.h"
#include "render/SubpixelCull.h"
#include "render/ViewVolume.h"

namespace {

// While the track is culled, a flush after this many pieces lets the renderer's threads draw what has
// been handed over while the next pieces are culled and sent (measured: on a 10M-triangle track the
// start view gains about an eighth; on a 1M one nothing shows, for flushes every 2 to 16 pieces). Each
// flush is also where the queue is held to its bound, which every 8 pieces would be too coarse for.
constexpr std::size_t piecesBetweenFlushes = 2;

void drawArrays(const CulledPiece& kept) {
  glVertexPointer(3, GL_FLOAT, 0, kept.positions.data());
  glColorPointer(3, GL_FLOAT, 0, kept.colours.data());
  glDrawElements(GL_TRIANGLES, GLsizei(kept.indices.size()), GL_UNSIGNED_SHORT, kept.indices.data());
}

}  // namespace

TrackDrawer::TrackDrawer() = default;
TrackDrawer::~TrackDrawer() = default;

void TrackDrawer::stop() { workers.reset(); }

DrawCounts TrackDrawer::draw(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners,
                             bool culling, bool cullSmall) {
  const ClipMatrix matrix = ClipMatrix::current();
  const SubpixelCull view = SubpixelCull::current(matrix);
  const Picked picked = pick(pieces, corners, ViewVolume(matrix), view, culling, cullSmall);
  if (picked.small.empty()) return submit(picked, pieces, corners, cullSmall);
  startCulling(picked, view, pieces, corners);
  // The arrays are switched on for this pass alone.
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  const DrawCounts counts = submit(picked, pieces, corners, cullSmall);
  glPopClientAttrib();
  return counts;
}

TrackDrawer::Picked TrackDrawer::pick(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners,
                                      const ViewVolume& volume, const SubpixelCull& view, bool culling,
                                      bool cullSmall) {
  // A piece outside the view would cost its every vertex and add no pixel.
  Picked picked;
  picked.shown.reserve(pieces.size());
  picked.small.reserve(cullSmall ? pieces.size() : 0);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (culling && !volume.mayShow(pieces[i].low, pieces[i].high)) continue;
    picked.shown.push_back(i);
    if (cullSmall && view.suits(pieces[i].low, pieces[i].high, corners[i].meanArea)) picked.small.push_back(i);
  }
  return picked;
}

void TrackDrawer::startCulling(const Picked& picked, const SubpixelCull& view, const std::deque<TrackPiece>& pieces,
                               const std::deque<PieceCorners>& corners) {
  if (!workers) workers = std::make_unique<CullWorkers>();
  // Every job is taken before draw returns, so what the work refers to outlives it.
  workers->start(picked.small.size(), [&](std::size_t job, CullScratch& scratch, CulledPiece& out) {
    const std::size_t i = picked.small[job];
    view.cull(corners[i], pieces[i].low, pieces[i].high, scratch, out);
  });
}

DrawCounts TrackDrawer::submit(const Picked& picked, const std::deque<TrackPiece>& pieces,
                               const std::deque<PieceCorners>& corners, bool flushing) {
  DrawCounts counts;
  counts.pieces = picked.shown.size();
  // The GL calls keep file order, so the picture is the one the lists alone would give.
  RendererQueue queue;
  std::size_t job = 0;
  for (std::size_t n = 0; n < picked.shown.size(); ++n) {
    if (flushing && n > 0 && n % piecesBetweenFlushes == 0) queue.flush();
    const std::size_t i = picked.shown[n];
    if (job == picked.small.size() || picked.small[job] != i) {
      glCallList(pieces[i].list);
      queue.handed(corners[i].indices.size() / 3);
      continue;
    }
    const CulledPiece& kept = workers->take(job);
    counts.trianglesLeftOut += (corners[i].indices.size() - kept.indices.size()) / 3;
    if (!kept.indices.empty()) {
      drawArrays(kept);
      queue.handed(kept.indices.size() / 3);
    }
    workers->release(job++);
  }
  return counts;
}
