// Draws a track's pieces for the GL's current projection and model-view: picks those that may be in view,
// has the small-triangle cull done ahead on helper threads, and submits them in file order.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "render/PieceCorners.h"
#include "render/TrackPiece.h"

class CullWorkers;
class SubpixelCull;
class ViewVolume;

// What one draw did, for the tests and the benchmarks.
struct DrawCounts {
  std::size_t pieces = 0;            // pieces called
  std::size_t trianglesLeftOut = 0;  // triangles left out as lighting no pixel
};

class TrackDrawer {
 public:
  TrackDrawer();
  ~TrackDrawer();
  TrackDrawer(const TrackDrawer&) = delete;
  TrackDrawer& operator=(const TrackDrawer&) = delete;

  // corners holds one entry for each piece. With culling off every piece is called; with cullSmall, a piece
  // whose triangles are small on screen is drawn from its corners without those that light no pixel centre.
  DrawCounts draw(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners, bool culling,
                  bool cullSmall);
  // Ends the helper threads, for a track that is gone; the next draw that culls starts them again.
  void stop();

 private:
  // The pieces that may be in view, in file order, and of those the ones worth the small-triangle cull.
  struct Picked {
    std::vector<std::size_t> shown;
    std::vector<std::size_t> small;
  };

  static Picked pick(const std::deque<TrackPiece>& pieces, const std::deque<PieceCorners>& corners,
                     const ViewVolume& volume, const SubpixelCull& view, bool culling, bool cullSmall);
  void startCulling(const Picked& picked, const SubpixelCull& view, const std::deque<TrackPiece>& pieces,
                    const std::deque<PieceCorners>& corners);
  DrawCounts submit(const Picked& picked, const std::deque<TrackPiece>& pieces,
                    const std::deque<PieceCorners>& corners, bool flushing);

  std::unique_ptr<CullWorkers> workers;
};
