#include "render/TrackDrawer.h"

#include <GL/gl.h>

#include "platform/Platform.h"
#include "render/ClipMatrix.h"
#include "render/ColourFloats.h"
#include "render/CullWorkers.h"
#include "render/RendererQueue.h"
#include "render/SubpixelCull.h"
#include "render/ViewVolume.h"

namespace {

// A flush after this many pieces lets the renderer's threads draw what has been handed over while the next
// pieces are made ready and sent (measured: on a 10M-triangle track the start view gains about an eighth; on
// a 1M one nothing shows, for flushes every 2 to 16 pieces). Each flush is also where the queue is held to
// its bound, which every 8 pieces would be too coarse for.
constexpr std::size_t piecesBetweenFlushes = 2;

// glDrawRangeElements (OpenGL 1.2, so looked up) tells the renderer how many points the indices name, which it
// would otherwise find by reading every index of every draw.
using DrawRangeElements = void(APIENTRY*)(GLenum mode, GLuint first, GLuint last, GLsizei count, GLenum type,
                                          const void* indices);

void drawArrays(const std::vector<float>& positions, const float* colours, const std::vector<std::uint16_t>& indices) {
  static const auto drawRange = reinterpret_cast<DrawRangeElements>(platform::glFunction("glDrawRangeElements"));
  glVertexPointer(3, GL_FLOAT, 0, positions.data());
  glColorPointer(3, GL_FLOAT, 0, colours);
  if (drawRange)
    drawRange(GL_TRIANGLES, 0, GLuint(positions.size() / 3 - 1), GLsizei(indices.size()), GL_UNSIGNED_SHORT,
              indices.data());
  else
    glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_SHORT, indices.data());
}

}  // namespace

TrackDrawer::TrackDrawer() = default;
TrackDrawer::~TrackDrawer() = default;

void TrackDrawer::stop() { workers.reset(); }

DrawCounts TrackDrawer::draw(const ClipMatrix& matrix, const std::deque<TrackPiece>& pieces,
                             const std::deque<PieceCorners>& corners, bool culling, bool cullSmall) {
  const SubpixelCull view = SubpixelCull::current(matrix);
  const Picked picked = pick(pieces, corners, ViewVolume(matrix), view, culling, cullSmall);
  if (corners.empty()) return callLists(picked, pieces);
  if (picked.shown.empty()) return {};
  prepare(picked, view, pieces, corners);
  // The arrays are switched on for this pass alone.
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  const DrawCounts counts = submit(picked, corners);
  glPopClientAttrib();
  return counts;
}

TrackDrawer::Picked TrackDrawer::pick(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners,
                                      const ViewVolume& volume, const SubpixelCull& view, bool culling,
                                      bool cullSmall) {
  // A piece outside the view would cost its every vertex and add no pixel.
  Picked picked;
  picked.shown.reserve(pieces.size());
  picked.culled.reserve(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (culling && !volume.mayShow(pieces[i].low, pieces[i].high)) continue;
    picked.shown.push_back(i);
    picked.culled.push_back(cullSmall && view.suits(pieces[i].low, pieces[i].high, corners[i].meanArea));
  }
  return picked;
}

DrawCounts TrackDrawer::callLists(const Picked& picked, const std::deque<TrackPiece>& pieces) {
  for (const std::size_t i : picked.shown) glCallList(pieces[i].list);
  DrawCounts counts;
  counts.pieces = picked.shown.size();
  return counts;
}

void TrackDrawer::prepare(const Picked& picked, const SubpixelCull& view, const std::deque<TrackPiece>& pieces,
                          const std::deque<PieceCorners>& corners) {
  if (!workers) workers = std::make_unique<CullWorkers>();
  // Every job is taken before draw returns, so what the work refers to outlives it. A piece drawn whole
  // only has its colours made floats: converting them when the piece is held would double its size.
  workers->start(picked.shown.size(), [&](std::size_t job, CullScratch& scratch, FramePiece& out) {
    const std::size_t i = picked.shown[job];
    if (picked.culled[job]) {
      view.cull(corners[i], pieces[i].low, pieces[i].high, scratch, out);
      return;
    }
    out.colours.resize(corners[i].colours.size());
    coloursAsFloats(corners[i].colours.data(), corners[i].colours.size(), out.colours.data());
  });
}

DrawCounts TrackDrawer::submit(const Picked& picked, const std::deque<PieceCorners>& corners) {
  DrawCounts counts;
  counts.pieces = picked.shown.size();
  // The GL calls keep file order, so the picture is the one the lists alone would give.
  RendererQueue queue;
  for (std::size_t job = 0; job < picked.shown.size(); ++job) {
    if (job > 0 && job % piecesBetweenFlushes == 0) queue.flush();
    const PieceCorners& piece = corners[picked.shown[job]];
    const FramePiece& ready = workers->take(job);
    if (!picked.culled[job]) {
      drawArrays(piece.positions, ready.colours.data(), piece.indices);
      queue.handed(piece.indices.size() / 3);
    } else {
      ++counts.piecesCulled;
      counts.trianglesLeftOut += (piece.indices.size() - ready.indices.size()) / 3;
      if (!ready.indices.empty()) drawArrays(ready.positions, ready.colours.data(), ready.indices);
      queue.handed(ready.indices.size() / 3);
    }
    workers->release(job);
  }
  counts.mostQueued = queue.mostUnwaited();
  return counts;
}
