#include "mesh/SmxReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "mesh/SmxFormat.h"

namespace {

constexpr std::size_t bufferSize = 64 * 1024;
// What is read into the buffer after a seek: a walk over objects with big blocks seeks past each, and a
// whole buffer each time would read far more than the headers it looks at.
constexpr std::size_t refillAfterSeek = 4 * 1024;

}  // namespace

SmxReader::SmxReader(std::FILE* file, std::int64_t fileSize, DefectListener onDefect)
    : file(file),
      fileSize(fileSize),
      onDefect(std::move(onDefect)),
      buffer(new (std::nothrow) unsigned char[bufferSize]),
      refillSize(bufferSize) {
  if (!buffer) stop(SmxDefect::Kind::BufferNotAllocated, 0, bufferSize);
}

std::int64_t SmxReader::sizeOf(std::FILE* file) {
  struct stat status;
  if (fstat(fileno(file), &status) != 0 || status.st_size < 0) return std::numeric_limits<std::int64_t>::max();
  return status.st_size;
}

bool SmxReader::readHeader(unsigned char (&header)[64]) {
  std::memset(header, 0, sizeof header);
  if (ended || !readRecord(header, sizeof header, SmxDefect::Kind::ShortFileHeader)) return false;
  const std::int32_t count = smx::getInt32(header + smx::objectCountAt);
  if (count < 0) report(SmxDefect::Kind::NegativeObjectCount, smx::objectCountAt, count);
  objects = count > 0 ? count : 0;
  return true;
}

bool SmxReader::nextObject() { return readObjectHeader() && readPoints(); }

bool SmxReader::skipObject(std::int64_t& trianglesHeld) {
  trianglesHeld = 0;
  if (!readObjectHeader()) return false;
  const std::int64_t at = position;
  const std::int64_t pointBytes = std::int64_t{std::max(points, 0)} * smx::pointSize;
  if (pointBytes > fileSize - position) {
    stop(SmxDefect::Kind::PointsBeyondFile, at, points);
    return false;
  }
  // A count the file cannot hold counts what it holds: a damaged count adds no triangles that are not there.
  trianglesHeld = std::min<std::int64_t>(std::max(triangles, 0), (fileSize - position - pointBytes) / smx::triangleSize);
  return skip(pointBytes + trianglesHeld * smx::triangleSize, SmxDefect::Kind::ShortTriangle);
}

bool SmxReader::readObjectHeader() {
  pointBuffer.reset();
  heldPoints = filePoints = 0;
  points = 0;
  triangles = 0;
  triangle = -1;
  if (ended || object + 1 >= objects) return false;
  ++object;

  unsigned char head[smx::objectHeaderSize];
  const std::int64_t at = position;
  if (!readRecord(head, sizeof head, SmxDefect::Kind::ShortObjectHeader)) return false;
  points = smx::getInt32(head + smx::pointCountAt);
  triangles = smx::getInt32(head + smx::triangleCountAt);
  if (points < 0) report(SmxDefect::Kind::NegativePointCount, at + smx::pointCountAt, points);
  if (triangles < 0) report(SmxDefect::Kind::NegativeTriangleCount, at + smx::triangleCountAt, triangles);
  return true;
}

bool SmxReader::readPoints() {
  if (points <= 0) return true;
  const std::int64_t at = position;
  const std::int64_t bytes = std::int64_t{points} * smx::pointSize;
  // The count is checked against what the file still holds before anything is
  // allocated for it, so a corrupt count cannot ask for gigabytes.
  if (bytes > fileSize - position) {
    stop(SmxDefect::Kind::PointsBeyondFile, at, points);
    return false;
  }
  // Points past those a 16-bit index reaches are never drawn: they take no memory.
  const auto heldBytes = std::size_t(std::min(points, smx::maxIndexedPoints)) * smx::pointSize;
  pointBuffer.reset(new (std::nothrow) unsigned char[heldBytes]);
  if (!pointBuffer) {
    stop(SmxDefect::Kind::PointsNotAllocated, at, points);
    return false;
  }
  if (!readRecord(pointBuffer.get(), heldBytes, SmxDefect::Kind::ShortPoints) ||
      !skip(bytes - std::int64_t(heldBytes), SmxDefect::Kind::ShortPoints)) {
    pointBuffer.reset();
    return false;
  }
  heldPoints = std::int64_t(heldBytes) / smx::pointSize;
  filePoints = points;
  return true;
}

bool SmxReader::nextTriangle() {
  std::int64_t unbounded = std::numeric_limits<std::int64_t>::max();
  return nextTriangle(unbounded);
}

bool SmxReader::nextTriangle(std::int64_t& recordsLeft) {
  while (!ended && triangle + 1 < triangles && recordsLeft > 0) {
    ++triangle;
    --recordsLeft;
    unsigned char record[smx::triangleSize];
    const std::int64_t at = position;
    if (!readRecord(record, sizeof record, SmxDefect::Kind::ShortTriangle)) return false;
    bool drawable = true;
    for (int k = 0; k < 3; ++k) {
      const unsigned index = smx::getUint16(record + k * smx::cornerIndexSize);
      if (index >= heldPoints) {
        report(SmxDefect::Kind::IndexOutOfRange, at + k * smx::cornerIndexSize, index);
        drawable = false;
      } else {
        corners[k] = pointBuffer.get() + std::size_t{index} * smx::pointSize;
      }
    }
    if (drawable) return true;
  }
  return false;
}

bool SmxReader::readRecord(void* into, std::size_t bytes, SmxDefect::Kind shortKind) {
  const std::int64_t at = position;
  std::size_t got = 0;
  if (read(into, bytes, got)) return true;
  stop(shortKind, at, static_cast<std::int64_t>(got));
  return false;
}

bool SmxReader::skip(std::int64_t bytes, SmxDefect::Kind shortKind) {
  if (bytes <= std::int64_t(bufferEnd - bufferAt)) {
    bufferAt += std::size_t(bytes);
  } else if (fseeko(file, position + bytes, SEEK_SET) == 0) {
    bufferAt = bufferEnd = 0;
    refillSize = refillAfterSeek;
  } else {
    stop(shortKind, position, 0);
    return false;
  }
  position += bytes;
  return true;
}

bool SmxReader::read(void* into, std::size_t bytes, std::size_t& got) {
  auto* out = static_cast<unsigned char*>(into);
  got = 0;
  while (got < bytes) {
    if (bufferAt == bufferEnd) {
      // A large point block goes straight to its own buffer.
      if (bytes - got >= bufferSize) {
        got += std::fread(out + got, 1, bytes - got, file);
        break;
      }
      bufferAt = 0;
      bufferEnd = std::fread(buffer.get(), 1, refillSize, file);
      refillSize = bufferSize;
      if (bufferEnd == 0) break;
    }
    const std::size_t part = std::min(bytes - got, bufferEnd - bufferAt);
    std::memcpy(out + got, buffer.get() + bufferAt, part);
    bufferAt += part;
    got += part;
  }
  position += static_cast<std::int64_t>(got);
  return got == bytes;
}

void SmxReader::report(SmxDefect::Kind kind, std::int64_t at, std::int64_t value) {
  if (onDefect) onDefect(SmxDefect{kind, at, object, triangle, value});
}

void SmxReader::stop(SmxDefect::Kind kind, std::int64_t at, std::int64_t value) {
  ended = true;
  report(kind, at, value);
}
