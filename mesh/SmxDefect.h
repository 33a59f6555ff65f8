// A fault found while reading an SMX file, with the byte offset where it lies.
#pragma once

#include <cstdint>

struct SmxDefect {
  enum class Kind {
    BufferNotAllocated,     // no memory could be had for the reading buffer: nothing is read
    ShortFileHeader,        // the file ends inside its 64-byte header
    NegativeObjectCount,    // read as no objects
    ShortObjectHeader,      // the file ends inside an object header
    NegativePointCount,     // read as no points
    NegativeTriangleCount,  // read as no triangles
    PointsBeyondFile,       // the point block is longer than the rest of the file
    PointsNotAllocated,     // no memory could be had for the point block
    ShortPoints,            // the file ends inside a point block
    ShortTriangle,          // the file ends inside a triangle record
    IndexOutOfRange,        // a corner names no point of its object; the triangle is skipped
  };

  Kind kind;
  std::int64_t offset;    // the byte where the faulty record or field starts
  int object;             // object number from 0, or -1 for the file header
  std::int64_t triangle;  // triangle number within the object, or -1
  std::int64_t value;     // the count or index at fault; for the Short kinds, the bytes that were left

  // Whether reading stopped here: nothing after this defect was read.
  bool endsFile() const;
};

// A short English description of a defect kind, for reports.
const char* describe(SmxDefect::Kind kind);
