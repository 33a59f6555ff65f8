// Writes an SMX file object by object, so a large track never sits in memory whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "SmxObject.h"

class SmxWriter {
 public:
  SmxWriter() = default;
  ~SmxWriter();
  SmxWriter(const SmxWriter&) = delete;
  SmxWriter& operator=(const SmxWriter&) = delete;

  bool open(const std::string& path, const std::string& label, Colour ground);
  // Writes a non-empty object; empty ones are dropped.
  void write(const SmxObject& object);
  // Fills in the object count and closes the file; false if any write failed.
  bool finish();

  int objectsWritten() const { return objects; }
  std::int64_t trianglesWritten() const { return triangles; }

 private:
  std::FILE* file = nullptr;
  std::vector<unsigned char> bytes;
  int objects = 0;
  std::int64_t triangles = 0;
  bool failed = false;
};
