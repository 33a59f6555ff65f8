// libFuzzer target: the SMX reader on arbitrary bytes. Every corner it yields must lie
// inside the current object's points, and every defect inside the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!file) return 0;
  const auto fileSize = static_cast<std::int64_t>(size);
  SmxReader reader(file, fileSize, [&](const SmxDefect& d) { require(d.offset >= 0 && d.offset <= fileSize); });

  unsigned char header[smx::fileHeaderSize];
  unsigned sum = 0;
  if (reader.readHeader(header)) {
    sum += header[smx::groundRedAt];
    while (reader.nextObject()) {
      const unsigned char* first = reader.pointRecords();
      const unsigned char* end = first + reader.pointsHeld() * smx::pointSize;
      while (reader.nextTriangle()) {
        for (int k = 0; k < 3; ++k) {
          const unsigned char* corner = reader.corner(k);
          require(corner >= first && corner + smx::pointSize <= end);
          // Touch every byte of the record, so a stray read shows under the address sanitizer.
          for (int b = 0; b < smx::pointSize; ++b) sum += corner[b];
        }
      }
    }
  }
  require(reader.offset() <= fileSize);
  // The walk over the headers counts no more triangles than the file can hold, and stays inside it.
  std::rewind(file);
  SmxReader walk(file, fileSize);
  std::int64_t held = 0, total = 0;
  for (bool more = walk.readHeader(header); more; total += held) more = walk.skipObject(held);
  require(total >= 0 && total <= fileSize / smx::triangleSize && walk.offset() <= fileSize);
  std::fclose(file);
  return static_cast<int>(sum & 0);
}
