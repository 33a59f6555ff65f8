#include "ui/Utf8Text.h"

#include "platform/Platform.h"
#include "platform/Utf8.h"

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
