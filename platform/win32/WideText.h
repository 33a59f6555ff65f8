// Conversions between the program's UTF-8 text and the system's UTF-16 and ANSI text.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);
std::string utf8FromAnsi(const std::string& text);

}  // namespace platform::win32
