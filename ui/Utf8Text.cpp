#include "ui/Utf8Text.h"

#include "platform/Platform.h"

namespace {

// Length of the UTF-8 sequence at text[at], or 0 when it is not well formed.
size_t utf8SequenceAt(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = at + 1; i < at + length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

bool isUtf8(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = utf8SequenceAt(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string fontCodes(const std::string& text) {
  if (!isUtf8(text)) return text;
  std::string codes;
  for (size_t at = 0; at < text.size();) {
    const size_t length = utf8SequenceAt(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    // Two-byte sequences from 0xC2 0x80 to 0xC3 0xBF are the Latin-1 codes 0x80 to 0xFF.
    const unsigned code = length == 1 ? lead
                          : length == 2 ? ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu)
                                        : 0xFFFF;
    codes += code < platform::fontGlyphCount ? static_cast<char>(code) : '?';
    at += length;
  }
  return codes;
}
