#include "mesh/LoadProgress.h"

#include <algorithm>
#include <utility>

#include "mesh/SmxFormat.h"

namespace {

// A step is as many bytes as a whole piece's triangle records.
constexpr std::int64_t stepBytes = SmxModel::maxPieceTriangles * smx::triangleSize;

}  // namespace

// A file holds no more object headers than its bytes after the file header make room for.
LoadProgress::LoadProgress(SmxModel::Progress tell, std::int64_t objects, std::int64_t fileSize)
    : tell(std::move(tell)),
      walkBytes(smx::objectHeaderSize *
                std::clamp<std::int64_t>(objects, 0, std::max<std::int64_t>(fileSize - smx::fileHeaderSize, 0) /
                                                          smx::objectHeaderSize)),
      totalBytes(double(walkBytes) + double(fileSize)) {}

bool LoadProgress::walked(std::int64_t objects) { return reached(objects * smx::objectHeaderSize); }

bool LoadProgress::readTo(std::int64_t offset) { return reached(walkBytes + offset); }

bool LoadProgress::reached(std::int64_t done) {
  if (done - toldAt < stepBytes) return true;
  toldAt = done;
  return !tell || tell(std::min(1.0, double(done) / totalBytes));
}
