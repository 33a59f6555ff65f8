// Conversions between the program's UTF-8 text and the system's UTF-16 and ANSI text.
#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform::win32 {

namespace {

std::wstring wideFrom(UINT codePage, const std::string& text) {
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::wstring wideFromUtf8(const std::string& text) { return wideFrom(CP_UTF8, text); }

std::string utf8FromWide(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string utf8FromAnsi(const std::string& text) { return utf8FromWide(wideFrom(CP_ACP, text)); }

}  // namespace platform::win32
