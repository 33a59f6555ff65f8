// Writes the application icon pictures as a Windows .ico file: mkicon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "res/IconPictures.h"

namespace {

void put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// One icon image: a 32-bit bottom-up DIB (height doubled for the mask) and its AND mask.
std::string iconImage(int size) {
  const std::vector<std::uint32_t> pixels = iconPicture(size);
  std::string image;
  put32(image, 40);
  put32(image, static_cast<std::uint32_t>(size));
  put32(image, static_cast<std::uint32_t>(size * 2));
  put16(image, 1);
  put16(image, 32);
  for (int i = 0; i < 6; ++i) put32(image, 0);
  for (int row = size - 1; row >= 0; --row)
    for (int column = 0; column < size; ++column) put32(image, pixels[row * size + column]);
  const int maskRowBytes = (size + 31) / 32 * 4;
  for (int row = size - 1; row >= 0; --row) {
    std::string maskRow(maskRowBytes, '\0');
    for (int column = 0; column < size; ++column)
      if ((pixels[row * size + column] >> 24) == 0) maskRow[column / 8] |= static_cast<char>(0x80 >> (column % 8));
    image += maskRow;
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkicon OUTPUT.ico\n");
    return 2;
  }
  std::vector<std::string> images;
  for (int size : iconSizes) images.push_back(iconImage(size));

  std::string file;
  put16(file, 0);
  put16(file, 1);
  put16(file, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file += static_cast<char>(iconSizes[i]);
    file += static_cast<char>(iconSizes[i]);
    file += '\0';
    file += '\0';
    put16(file, 1);
    put16(file, 32);
    put32(file, static_cast<std::uint32_t>(images[i].size()));
    put32(file, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) file += image;

  FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
