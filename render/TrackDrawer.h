// Draws a track's pieces for the GL's current projection and model-view: picks those that may be in view
// and submits them in file order, each by its display list or, where the track is held as arrays, from its
// arrays, made ready ahead on helper threads (culled of triangles that light no pixel, where that is proven).
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "render/PieceCorners.h"
#include "render/TrackPiece.h"

struct ClipMatrix;
class CullWorkers;
class SubpixelCull;
class ViewVolume;

// What one draw did, for the tests and the benchmarks.
struct DrawCounts {
  std::size_t pieces = 0;            // pieces drawn
  std::size_t piecesCulled = 0;      // of those, pieces culled of triangles that light no pixel
  std::size_t trianglesLeftOut = 0;  // triangles left out as lighting no pixel
  std::size_t mostQueued = 0;        // the most triangles handed over between two waits for the renderer
};

class TrackDrawer {
 public:
  TrackDrawer();
  ~TrackDrawer();
  TrackDrawer(const TrackDrawer&) = delete;
  TrackDrawer& operator=(const TrackDrawer&) = delete;

  // matrix: the GL's current one. corners: empty where the pieces are held as display lists, else one entry
  // for each piece. With culling off every piece is drawn; with cullSmall, a piece whose triangles are small
  // on screen is drawn without those that light no pixel centre.
  DrawCounts draw(const ClipMatrix& matrix, const std::deque<TrackPiece>& pieces,
                  const std::deque<PieceCorners>& corners, bool culling, bool cullSmall);
  // Ends the helper threads, for a track that is gone; the next draw from arrays starts them again.
  void stop();

 private:
  // The pieces that may be in view, in file order, and for each whether it is worth the small-triangle cull.
  struct Picked {
    std::vector<std::size_t> shown;
    std::vector<char> culled;
  };

  static Picked pick(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners,
                     const ViewVolume& volume, const SubpixelCull& view, bool culling, bool cullSmall);
  static DrawCounts callLists(const Picked& picked, const std::deque<TrackPiece>& pieces);
  void prepare(const Picked& picked, const SubpixelCull& view, const std::deque<TrackPiece>& pieces,
               const std::deque<PieceCorners>& corners);
  DrawCounts submit(const Picked& picked, const std::deque<PieceCorners>& corners);

  std::unique_ptr<CullWorkers> workers;
};
