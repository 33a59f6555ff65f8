// A load's progress, told as the share of its work done: first the walk over the object headers that
// counts the triangles, then the read of the whole file. Work is counted in bytes, a header walked as its
// 24, and progress is told each time another step's worth is done, so that a run of records or objects,
// drawable or not, holding triangles or not, is told as often as any other and the load can end soon.
#pragma once

#include <cstdint>

#include "mesh/SmxModel.h"

class LoadProgress {
 public:
  // objects: the count the file header declares.
  LoadProgress(SmxModel::Progress tell, std::int64_t objects, std::int64_t fileSize);
  // After the walk has passed this many object headers; false when the load is to end.
  bool walked(std::int64_t objects);
  // After the read has reached this offset of the file; false when the load is to end.
  bool readTo(std::int64_t offset);

 private:
  bool reached(std::int64_t done);

  SmxModel::Progress tell;
  std::int64_t walkBytes;
  double totalBytes;
  std::int64_t toldAt = 0;
};
