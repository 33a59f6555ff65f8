// Ways of filling objects: regular grids split into full-size tiles, and batches of small shapes.
#pragma once

#include <functional>
#include <string>

#include "SmxObject.h"
#include "SmxWriter.h"

// Writes a grid of rows x cols points as two triangles per cell, in tiles of at
// most 65536 points that repeat their shared edge rows and columns. Cells face up
// when the column direction followed by the row direction turns counter-clockwise seen from +z.
void writeGrid(SmxWriter& writer, const std::string& name, int rows, int cols,
               const std::function<MeshPoint(int row, int col)>& pointAt);

// Collects small shapes into one object until the next would not fit, then writes it.
class ShapeBatch {
 public:
  ShapeBatch(SmxWriter& writer, std::string name) : writer(writer), object(std::move(name)) {}
  ~ShapeBatch() { flush(); }
  ShapeBatch(const ShapeBatch&) = delete;
  ShapeBatch& operator=(const ShapeBatch&) = delete;

  // The object to add a shape of this many points to.
  SmxObject& roomFor(int points);
  void flush();

 private:
  SmxWriter& writer;
  SmxObject object;
};
