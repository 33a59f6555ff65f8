// Drops the triangles of a piece that provably light no pixel centre in the current view, so that a
// frame hands the renderer only those it may draw. Proven for one way of rasterising (see provenFor).
#pragma once

#include <cstdint>
#include <vector>

#include "render/ClipMatrix.h"
#include "render/PieceCorners.h"

// A point's place in the window, in pixels.
struct WindowPlace {
  double x, y;
};

// The pixel centres (i + 0.5, j + 0.5) within the cull's margin of a point's place: columns i from
// firstColumn to lastColumn, rows j from firstRow to lastRow.
struct CentreReach {
  std::int16_t firstColumn, lastColumn, firstRow, lastRow;
};

// One piece as a frame hands it to the renderer. Culled: the arrays of the triangles kept. Drawn whole: only
// its colours, the piece's own positions and indices being drawn as they are.
struct FramePiece {
  std::vector<float> positions;  // x, y, z of each point the kept triangles use
  std::vector<float> colours;    // red, green, blue as i / 255, as a list holds them; alpha is 1
  std::vector<std::uint16_t> indices;
};

// The room the cull works in, one piece at a time.
struct CullScratch {
  // Each point of the piece: kept apart, as most triangles are told by their points' reaches alone.
  std::vector<WindowPlace> places;
  std::vector<CentreReach> reaches;
  std::vector<std::uint16_t> keptIndexOf;
  FramePiece kept;  // as large as the largest piece yet, cut to what is kept when copied out
};

class SubpixelCull {
 public:
  // The view through matrix and the GL's current viewport.
  static SubpixelCull current(const ClipMatrix& matrix);
  // viewport: x, y, width, height in pixels, as glViewport takes them.
  SubpixelCull(const ClipMatrix& matrix, const int (&viewport)[4]);

  // Whether the renderer named by GL_RENDERER rasterises as the margin below was proven against.
  static bool provenFor(const char* renderer);

  // Worth culling: the piece lies wholly in front of the eye and its triangles are small on screen.
  bool suits(const std::int32_t low[3], const std::int32_t high[3], float meanArea) const;
  // The triangles of corners, whose points lie in the box low .. high, that may light a pixel
  // centre, in their order, worked out in scratch.
  void cull(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
            CullScratch& scratch, FramePiece& out) const;

 private:
  void placePoints(const PieceCorners& corners, const std::int32_t low[3], const std::int32_t high[3],
                   CullScratch& scratch) const;

  ClipMatrix matrix;
  double halfWidth, halfHeight, originX, originY;
  bool usable;
  // A point's window place times its w, x and y, as the point's coefficients and a constant.
  double toX[4], toY[4];
  // How many pixels a mesh unit spans, at most, along x or y where w is 1.
  double pixelsPerUnitAtW1;
};
