// Reads an SMX file front to back, one object's points at a time, and yields the
// drawable triangles. It needs no GL, so the viewer, the tools and the fuzz target share it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

#include "mesh/SmxDefect.h"

class SmxReader {
 public:
  using DefectListener = std::function<void(const SmxDefect&)>;

  // fileSize is the number of bytes the file holds (see sizeOf); it bounds every
  // point block before anything is allocated for it. The file stays the caller's.
  SmxReader(std::FILE* file, std::int64_t fileSize, DefectListener onDefect = {});
  SmxReader(const SmxReader&) = delete;
  SmxReader& operator=(const SmxReader&) = delete;

  // The size of an open file, or the largest value when it cannot be told.
  static std::int64_t sizeOf(std::FILE* file);

  // Reads the 64-byte file header into header; bytes past a short read are zero.
  // False when the file ends inside the header: nothing more is read then.
  bool readHeader(unsigned char (&header)[64]);

  // Reads the next object's header and its points, as many as a 16-bit index can name; the others are
  // skipped unread. False when the objects are done or the file has ended; the previous object's points
  // are released either way.
  bool nextObject();
  // Reads the next object's header and skips its points and triangle records unread, for a quick walk over
  // the objects; trianglesHeld is set to the object's triangle records that the file holds. False as for
  // nextObject.
  bool skipObject(std::int64_t& trianglesHeld);

  // Reads triangle records of the current object until one whose three corners are
  // all points of the object. False when the object's triangles are done or the file has ended.
  bool nextTriangle();
  // The same, reading at most recordsLeft records, drawable or not, and counting them off it:
  // a run of undrawable records cannot hold the caller for long. False also once it is 0.
  bool nextTriangle(std::int64_t& recordsLeft);

  // The 16-byte point record of corner 0, 1 or 2 of the current triangle.
  const unsigned char* corner(int k) const { return corners[k]; }

  // The object count read as a count (a negative one as zero), and the current object's
  // triangle count as stored, negative included.
  int objectCount() const { return objects; }
  std::int32_t triangleCount() const { return triangles; }
  // Triangle records of the current object not read yet; none once the file has ended.
  std::int64_t trianglesLeft() const { return ended ? 0 : std::max<std::int64_t>(triangles - 1 - triangle, 0); }
  // The point records of the current object that an index can name, all pointsHeld() of them, of the
  // pointsInFile() that the file holds.
  const unsigned char* pointRecords() const { return pointBuffer.get(); }
  std::int64_t pointsHeld() const { return heldPoints; }
  std::int64_t pointsInFile() const { return filePoints; }

  bool endedEarly() const { return ended; }
  std::int64_t offset() const { return position; }

 private:
  bool read(void* into, std::size_t bytes, std::size_t& got);
  // Reads a whole record; a short one ends reading with a defect of shortKind at its offset.
  bool readRecord(void* into, std::size_t bytes, SmxDefect::Kind shortKind);
  void report(SmxDefect::Kind kind, std::int64_t at, std::int64_t value);
  void stop(SmxDefect::Kind kind, std::int64_t at, std::int64_t value);
  bool readObjectHeader();
  bool readPoints();
  // Moves past bytes without reading them; a failed seek ends reading with a defect of shortKind.
  bool skip(std::int64_t bytes, SmxDefect::Kind shortKind);

  std::FILE* file;
  std::int64_t fileSize;
  DefectListener onDefect;
  // Records are served from this buffer; a triangle record costs a copy, not a library call.
  std::unique_ptr<unsigned char[]> buffer;
  std::size_t bufferAt = 0;
  std::size_t bufferEnd = 0;
  std::size_t refillSize;

  std::int64_t position = 0;
  bool ended = false;

  int objects = 0;
  int object = -1;
  std::int32_t points = 0;
  std::int32_t triangles = 0;
  std::int64_t triangle = -1;
  std::unique_ptr<unsigned char[]> pointBuffer;
  std::int64_t heldPoints = 0;
  std::int64_t filePoints = 0;
  const unsigned char* corners[3] = {};
};
