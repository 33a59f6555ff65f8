// smxinfo: describes an SMX file and lists every defect in it with its byte offset.
// Exit status: 0 for a sound file, 1 when it has defects, 2 when it cannot be read.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

namespace {

struct Bounds {
  std::int32_t low[3] = {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
                         std::numeric_limits<std::int32_t>::max()};
  std::int32_t high[3] = {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::min()};
  bool empty = true;

  void add(const unsigned char* point) {
    empty = false;
    for (int axis = 0; axis < 3; ++axis) {
      const std::int32_t v = smx::getInt32(point + 4 * axis);
      low[axis] = std::min(low[axis], v);
      high[axis] = std::max(high[axis], v);
    }
  }
};

const char* valueName(SmxDefect::Kind kind) {
  switch (kind) {
    case SmxDefect::Kind::IndexOutOfRange:
      return "index";
    case SmxDefect::Kind::ShortFileHeader:
    case SmxDefect::Kind::ShortObjectHeader:
    case SmxDefect::Kind::ShortPoints:
    case SmxDefect::Kind::ShortTriangle:
      return "bytes left";
    default:
      return "count";
  }
}

void printDefect(const SmxDefect& d) {
  std::printf("  offset %" PRId64 ":", d.offset);
  if (d.object >= 0) std::printf(" object %d", d.object);
  if (d.triangle >= 0) std::printf(" triangle %" PRId64, d.triangle);
  std::printf(" %s (%s %" PRId64 ")\n", describe(d.kind), valueName(d.kind), d.value);
}

// A regular file, opened for reading; anything else counts as a file that cannot be opened: null, errno
// EISDIR for a folder and EINVAL for the others.
// NOTE: Linux opens a folder as an empty file, and a pipe would wait for a writer.
std::FILE* openRegularFile(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0) return nullptr;
  if (!S_ISREG(status.st_mode)) {
    errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  return std::fopen(path, "rb");
}

}  // namespace

int main(int argc, char** argv) {
  // The synopsis is also the manual page's: packaging/smxinfo.1.
  const char* usage = "usage: smxinfo FILE.smx\n       smxinfo --help\n";
  if (argc == 2 && !std::strcmp(argv[1], "--help")) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc != 2) {
    std::fputs(usage, stderr);
    return 2;
  }
  std::FILE* file = openRegularFile(argv[1]);
  if (!file) {
    std::fprintf(stderr, "smxinfo: cannot open %s: %s\n", argv[1], std::strerror(errno));
    return 2;
  }
  const std::int64_t size = SmxReader::sizeOf(file);
  std::int64_t defects = 0;
  std::printf("%s: %" PRId64 " bytes\n", argv[1], size);
  std::printf("defects:\n");
  SmxReader reader(file, size, [&](const SmxDefect& d) {
    ++defects;
    printDefect(d);
  });

  unsigned char header[smx::fileHeaderSize];
  std::int64_t objects = 0, points = 0, declaredTriangles = 0, drawnTriangles = 0, largestObject = 0;
  Bounds bounds;
  if (reader.readHeader(header)) {
    while (reader.nextObject()) {
      ++objects;
      points += reader.pointsInFile();
      largestObject = std::max(largestObject, reader.pointsInFile());
      declaredTriangles += std::max(0, reader.triangleCount());
      for (std::int64_t i = 0; i < reader.pointsHeld(); ++i) bounds.add(reader.pointRecords() + i * smx::pointSize);
      while (reader.nextTriangle()) ++drawnTriangles;
    }
  }
  std::fclose(file);
  if (defects == 0) std::printf("  none\n");

  if (reader.offset() >= smx::fileHeaderSize)
    std::printf("ground colour: red %u, green %u, blue %u\n", header[smx::groundRedAt], header[smx::groundGreenAt],
                header[smx::groundBlueAt]);
  std::printf("objects: %" PRId64 " read of %d declared\n", objects, reader.objectCount());
  std::printf("points: %" PRId64 " (largest object %" PRId64 ")\n", points, largestObject);
  std::printf("triangles: %" PRId64 " drawable of %" PRId64 " declared\n", drawnTriangles, declaredTriangles);
  if (!bounds.empty)
    std::printf("bounds: x %d .. %d, y %d .. %d, z %d .. %d\n", bounds.low[0], bounds.high[0], bounds.low[1],
                bounds.high[1], bounds.low[2], bounds.high[2]);
  if (!reader.endedEarly() && size > reader.offset())
    std::printf("trailing bytes (not interpreted): %" PRId64 "\n", size - reader.offset());
  return defects == 0 ? 0 : 1;
}
