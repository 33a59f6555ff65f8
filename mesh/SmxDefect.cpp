#include "mesh/SmxDefect.h"

bool SmxDefect::endsFile() const {
  switch (kind) {
    case Kind::NegativeObjectCount:
    case Kind::NegativePointCount:
    case Kind::NegativeTriangleCount:
    case Kind::IndexOutOfRange:
      return false;
    default:
      return true;
  }
}

const char* describe(SmxDefect::Kind kind) {
  switch (kind) {
    case SmxDefect::Kind::BufferNotAllocated: return "no memory for the reading buffer";
    case SmxDefect::Kind::ShortFileHeader: return "file ends inside the file header";
    case SmxDefect::Kind::NegativeObjectCount: return "negative object count, read as no objects";
    case SmxDefect::Kind::ShortObjectHeader: return "file ends inside an object header";
    case SmxDefect::Kind::NegativePointCount: return "negative point count, read as no points";
    case SmxDefect::Kind::NegativeTriangleCount: return "negative triangle count, read as no triangles";
    case SmxDefect::Kind::PointsBeyondFile: return "point count larger than the rest of the file holds";
    case SmxDefect::Kind::PointsNotAllocated: return "no memory for the point block";
    case SmxDefect::Kind::ShortPoints: return "file ends inside a point block";
    case SmxDefect::Kind::ShortTriangle: return "file ends inside a triangle record";
    case SmxDefect::Kind::IndexOutOfRange: return "point index not below the point count, triangle skipped";
  }
  return "unknown defect";
}
