// One track mesh, held in pieces with its ground plane; a frame draws the pieces that may be in view.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <string>

#include "render/PieceCorners.h"
#include "render/TrackDrawer.h"
#include "render/TrackPiece.h"

class LoadProgress;
class SmxReader;

class SmxModel {
 public:
  // A run of at most maxPieceTriangles triangles of one object.
  using Piece = TrackPiece;
  static constexpr std::int64_t maxPieceTriangles = 16384;

  // Why the last load left nothing loaded. TooBig: the memory left could not hold it; OverCeiling: the
  // file declares more triangles than this program's address space can ever hold.
  enum class Failure { NoFailure, NotOpened, Abandoned, TooBig, OverCeiling };
  // The most triangles a 32-bit program takes: under 32-bit Wine the host's renderer allocates where the
  // program's reservations cannot see, so no probe can warn that the address space is running out.
  static constexpr std::int64_t triangleCeilingOf32Bits = 20000000;

  // Told the share of the load done, 0 to 1, each time another step of it is done (LoadProgress says how
  // much that is); returning false abandons the load.
  using Progress = std::function<bool(double share)>;

  SmxModel();
  ~SmxModel();
  SmxModel(const SmxModel&) = delete;
  SmxModel& operator=(const SmxModel&) = delete;

  bool load(const std::string& path, const Progress& progress = {});
  void unload();
  // The ground, then in file order every piece whose box may touch the view volume of the GL's
  // current projection and model-view, then the axes when shown. Pieces held as arrays are drawn without
  // blending, which changes no pixel, and with the small-triangle cull on, a piece whose triangles are small
  // on screen without those that light no pixel centre.
  void draw() const;
  void startView(int& x, int& y, int& z) const;

  bool isLoaded() const;
  bool showAxes() const;
  void setShowAxes(bool on);
  std::string path() const;

  Failure lastFailure() const { return failure; }
  // After NotOpened: the errno value that says why.
  int openError() const { return openErrno; }
  // Whether the last load was refused as too big, rather than failed or abandoned.
  bool refused() const { return failure == Failure::TooBig || failure == Failure::OverCeiling; }
  // The triangles that the last file opened declares, each object's as far as the file holds them, whether
  // it loaded or not.
  std::int64_t declaredTriangles() const { return declared; }
  const std::deque<Piece>& trackPieces() const { return pieces; }
  // How many pieces the last draw called.
  std::size_t piecesDrawn() const { return counts.pieces; }
  // With culling off, draw calls every piece: only tests turn it off, to compare pictures.
  void setCulling(bool on) { culling = on; }
  // Whether the tracks loaded from now on are held as arrays, where the renderer draws them as fast as
  // display lists (isSoftwareRenderer), or as lists; lists until set.
  void holdAsArrays(bool on) { arraysHeld = on; }
  // Holds and draws tracks as suits the renderer GL_RENDERER names: as arrays on a software renderer, with
  // the small-triangle cull where it is proven. A hardware renderer keeps lists, where it draws them
  // best, and leaves out sub-pixel triangles itself.
  void suitRenderer(const char* renderer);
  // The small-triangle cull of a track held as arrays, exact only for some renderers
  // (SubpixelCull::provenFor); off until set.
  void setSmallTriangleCull(bool on) { smallTriangleCull = on; }
  // How many of the pieces the last draw called it culled, and the most triangles it handed the renderer
  // between two waits for it.
  std::size_t piecesCulled() const { return counts.piecesCulled; }
  std::size_t mostQueued() const { return counts.mostQueued; }
  // How many triangles the last draw left out as lighting no pixel.
  std::size_t trianglesLeftOut() const { return counts.trianglesLeftOut; }
  // Files that declare more triangles are refused before anything is read. Tests lower it.
  void setTriangleCeiling(std::int64_t most) { triangleCeiling = most; }

 private:
  Failure countTriangles(SmxReader& walk, LoadProgress& progress);
  Failure compilePieces(SmxReader& reader, LoadProgress& progress);
  void deletePieces();
  bool fail(Failure why);

  unsigned displayList = 0;  // the ground plane
  bool arraysHeld = false;
  std::string filePath;
  bool loaded = false;
  bool axesShown = false;
  bool culling = true;
  bool smallTriangleCull = false;
  mutable DrawCounts counts;
  // Deques grow a small block at a time, which the memory check before each piece covers; a vector would
  // ask for one block as large as all the pieces.
  std::deque<Piece> pieces;
  std::deque<PieceCorners> corners;  // beside pieces, one for each, where held as arrays
  // Its helper threads start with the first draw from arrays and stop with the track.
  mutable TrackDrawer drawer;
  Failure failure = Failure::NoFailure;
  int openErrno = 0;
  std::int64_t declared = 0;
  std::int64_t triangleCeiling =
      sizeof(void*) == 4 ? triangleCeilingOf32Bits : std::numeric_limits<std::int64_t>::max();
};
