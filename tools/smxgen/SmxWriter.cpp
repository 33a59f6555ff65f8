#include "SmxWriter.h"

#include <algorithm>
#include <cstring>

SmxWriter::~SmxWriter() {
  if (file) std::fclose(file);
}

bool SmxWriter::open(const std::string& path, const std::string& label, Colour ground) {
  file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  unsigned char header[smx::fileHeaderSize] = {};
  std::memcpy(header, label.data(), std::min<std::size_t>(label.size(), smx::groundRedAt));
  header[smx::groundRedAt] = ground.red;
  header[smx::groundGreenAt] = ground.green;
  header[smx::groundBlueAt] = ground.blue;
  // The object count is written by finish, once it is known.
  failed = std::fwrite(header, 1, sizeof header, file) != sizeof header;
  return !failed;
}

void SmxWriter::write(const SmxObject& object) {
  if (object.triangleCount() == 0) return;
  bytes.clear();
  object.appendTo(bytes);
  failed |= std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size();
  ++objects;
  triangles += object.triangleCount();
}

bool SmxWriter::finish() {
  unsigned char count[4];
  smx::putInt32(count, objects);
  failed |= std::fseek(file, smx::objectCountAt, SEEK_SET) != 0;
  failed |= std::fwrite(count, 1, sizeof count, file) != sizeof count;
  failed |= std::fclose(file) != 0;
  file = nullptr;
  return !failed;
}
